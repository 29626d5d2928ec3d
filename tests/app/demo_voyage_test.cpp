#include "app/demo_voyage.h"

#include <gtest/gtest.h>

#include <set>

#include "app/dashboard_refresh.h"
#include "core/conversion.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"
#include "support/scratch_dir.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 3, 14, 9, 41, 27);

struct DemoVoyage : ::testing::Test {
    CFakeServices fake;
    CScratchDir dir;
    CKeelmarkLiteDoc doc;

    void SetUp() override {
        fake.clock.Set(kNow);
        fake.settings.SetString(kSettingsSection, "almanac", dir / "almanac.dat");
        fake.settings.SetString(kSettingsSection, "hurri", dir / "hurricane.dat");
        fake.settings.SetString(kSettingsSection, "vesseldata", dir / "vessel.k7s");
        doc.SetRecordPathOnClose(false);
        BuildDemoVoyage(doc, kNow);
    }
};

} // namespace

TEST_F(DemoVoyage, RouteIsAnOceanPassageWithFixesInOrder) {
    CVoyage& v = doc.GetVoyage();
    EXPECT_EQ(v.GetFirst()->GetName(), "Rotterdam, Maas Entrance");
    EXPECT_EQ(v.GetLast()->GetName(), "New York, Ambrose");
    EXPECT_EQ(v.GetFirst()->GetKind(), CPosition::kWaypoint);
    EXPECT_EQ(v.GetLast()->GetKind(), CPosition::kWaypoint);
    EXPECT_EQ(v.GetVessel(), &doc.GetVessel());

    int waypoints = 0, fixes = 0;
    std::set<std::int32_t> modes;
    CTime lastFixTime = v.GetFirst()->GetTime();
    for (int i = 0; i < v.GetCount(); ++i) {
        const CPosition& p = *v.GetAt(i);
        SCOPED_TRACE(p.GetName());
        EXPECT_FALSE(p.GetName().empty());
        EXPECT_GE(p.GetZoneOffset(), -12.0);
        EXPECT_LE(p.GetZoneOffset(), 14.0);
        if (p.GetKind() == CPosition::kFix) {
            ++fixes;
            EXPECT_GT(p.GetTime(), lastFixTime) << "fixes follow one another in time";
            EXPECT_LT(p.GetTime(), kNow) << "no fix lies in the future";
            EXPECT_EQ(p.GetName().rfind("GPS Fix ", 0), 0u);
            EXPECT_LT(p.GetSpeed(), 20.0);
            EXPECT_GT(p.GetSpeed(), 12.0);
            lastFixTime = p.GetTime();
        } else {
            ++waypoints;
            if (i > 0) modes.insert(p.GetProceedVia());
        }
    }
    EXPECT_GE(waypoints, 5);
    EXPECT_GE(fixes, 2);
    EXPECT_LE(fixes, 3);
    EXPECT_EQ(modes, (std::set<std::int32_t>{CPosition::kGreatCircle, CPosition::kRhumbLine}));
    EXPECT_EQ(v.GetLastFix()->GetTime(), doc.GetPresentPosition().GetTime());
    EXPECT_EQ(doc.GetReferencePosition(), v.GetFirst());
    EXPECT_EQ(v.GetStartTime(), v.GetFirst()->GetTime());
    EXPECT_LT(v.GetStartTime(), kNow);

    // A passage across an ocean, not a harbour hop: over 3000 miles by the route.
    EXPECT_GT(v.UpdateLegs(), 3000.0);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DemoVoyage, DashboardIsAliveAtOnceAndTheSpeedIsPlausible) {
    const CTime arrival = doc.GetVoyage().GetLast()->GetTime();
    EXPECT_GT(arrival, kNow + 3 * 24 * 3600) << "a few days ahead";
    EXPECT_LT(arrival, kNow + 8 * 24 * 3600);
    EXPECT_EQ(arrival.GetTime() % 3600, 0) << "scheduled on the hour";
    EXPECT_EQ(doc.GetVoyage().GetEndTime(), arrival);

    const CDashboardFigures f = RefreshDashboard(doc);
    ASSERT_FALSE(f.scheduleExpired);
    EXPECT_EQ(f.nextWaypointName, "Nantucket Shoals");
    EXPECT_GT(f.presentSpeed, 14.0);
    EXPECT_LT(f.presentSpeed, 19.0);
    EXPECT_GT(f.requiredSpeed, 14.0);
    EXPECT_LT(f.requiredSpeed, f.presentSpeed) << "on schedule: no speed alarm at start";
    EXPECT_GT(f.requiredRpm, doc.GetVessel().m_manoeuvringRpm);
    EXPECT_LE(f.requiredRpm, doc.GetVessel().m_seaSpeedRpm);
    EXPECT_FALSE(f.etaText.empty());
    EXPECT_GT(f.remainingDistance, 2000.0);
    EXPECT_GT(f.remainingHours, 72.0);
    EXPECT_GT(f.speedMadeGood, 14.0);
    EXPECT_LT(f.speedMadeGood, 19.0);
    // Steering for the next waypoint: within a degree or two of its bearing.
    EXPECT_LT(std::abs(f.trueCourse - f.bearing), 2.0);
    EXPECT_EQ(f.popularPositionText.find("Fastnet Rock") != std::string::npos, true) << f.popularPositionText;
    EXPECT_GT(f.currentSpeed, 0.0);
    EXPECT_TRUE(fake.prompts.History().empty());

    // Still alive a day later, with the dead reckoning carrying her on.
    fake.clock.Advance(24 * 3600);
    const CDashboardFigures later = RefreshDashboard(doc);
    EXPECT_FALSE(later.scheduleExpired);
    EXPECT_LT(later.remainingDistance, f.remainingDistance - 300.0);
}

TEST_F(DemoVoyage, SavedAndOpenedItContinuesFromTheLastFix) {
    std::string error;
    ASSERT_TRUE(doc.SaveVoyageFile(dir / kDemoVoyageFileName, error)) << error;
    EXPECT_EQ(fake.prompts.History().size(), 0u) << "vessel and cyclone files written beside it";

    CKeelmarkLiteDoc opened;
    opened.SetRecordPathOnClose(false);
    fake.prompts.ScriptChoice(CKeelmarkLiteDoc::kContinue);
    ASSERT_TRUE(opened.LoadVoyageFile(dir / kDemoVoyageFileName, error)) << error;
    EXPECT_EQ(opened.GetVessel().m_name, "Keelmark Pioneer");
    EXPECT_EQ(opened.GetVoyage().GetCount(), doc.GetVoyage().GetCount());
    EXPECT_EQ(opened.GetVoyage().GetLast()->GetTime(), doc.GetVoyage().GetLast()->GetTime());
    const CDashboardFigures f = RefreshDashboard(opened);
    EXPECT_FALSE(f.scheduleExpired);
    EXPECT_EQ(f.nextWaypointName, "Nantucket Shoals");
    // The only prompts: the almanac this test has none of, and the choice after loading.
    ASSERT_EQ(fake.prompts.History().size(), 2u);
    EXPECT_EQ(fake.prompts.History()[1].options.size(), 3u);
}
