#include "app/demo_voyage.h"

#include <gtest/gtest.h>

#include <set>

#include "app/dashboard_refresh.h"
#include "support/model_test.h"

namespace {

struct DemoVoyage : ModelTest {
    CKeelmarkLiteDoc doc;
    void SetUp() override {
        ModelTest::SetUp();
        BuildDemoVoyage(doc, kNow);
    }
};

} // namespace

TEST_F(DemoVoyage, RouteIsAnOceanPassageWithFixesInOrder) {
    CVoyage& v = doc.GetVoyage();
    EXPECT_EQ(v.GetFirst()->GetName(), "Rotterdam, Maas Entrance");
    EXPECT_EQ(v.GetLast()->GetName(), "New York, Ambrose");
    int waypoints = 0, fixes = 0;
    std::set<std::int32_t> modes;
    CTime lastFixTime = v.GetFirst()->GetTime();
    for (int i = 0; i < v.GetCount(); ++i) {
        const CPosition& p = *v.GetAt(i);
        SCOPED_TRACE(p.GetName());
        EXPECT_LE(p.GetTime(), v.GetLast()->GetTime());
        EXPECT_GT(p.GetTime(), kNow - 30 * 86400) << "every position dated by the demo";
        if (p.GetKind() == CPosition::kFix) {
            ++fixes;
            EXPECT_GT(p.GetTime(), lastFixTime) << "fixes follow one another in time";
            EXPECT_LT(p.GetTime(), kNow) << "no fix lies in the future";
            EXPECT_EQ(p.GetName().rfind("GPS Fix ", 0), 0u);
            EXPECT_GT(p.GetSpeed(), 12.0);
            EXPECT_LT(p.GetSpeed(), 20.0);
            lastFixTime = p.GetTime();
        } else {
            ++waypoints;
            if (i > 0) modes.insert(p.GetProceedVia());
        }
    }
    EXPECT_GE(waypoints, 5);
    EXPECT_GE(fixes, 2);
    EXPECT_EQ(modes, (std::set<std::int32_t>{CPosition::kGreatCircle, CPosition::kRhumbLine}));
    EXPECT_EQ(v.GetLastFix()->GetTime(), doc.GetPresentPosition().GetTime());
    EXPECT_EQ(doc.GetPopularPosition().GetTime(), kNow);
    EXPECT_EQ(doc.GetReferencePosition(), v.GetFirst());
    EXPECT_EQ(v.GetStartTime(), v.GetFirst()->GetTime());
    EXPECT_GT(v.UpdateLegs(), 3000.0) << "a passage across an ocean, not a harbour hop";
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
    EXPECT_LT(f.requiredSpeed, f.presentSpeed) << "on schedule: no speed alarm at start";
    EXPECT_GT(f.requiredRpm, doc.GetVessel().m_manoeuvringRpm);
    EXPECT_LE(f.requiredRpm, doc.GetVessel().m_seaSpeedRpm);
    EXPECT_LT(std::abs(f.trueCourse - f.bearing), 2.0) << "steering for the next waypoint";
    EXPECT_NE(f.popularPositionText.find("Fastnet Rock"), std::string::npos) << f.popularPositionText;
    EXPECT_GT(f.currentSpeed, 0.0);
    EXPECT_TRUE(fake.prompts.History().empty());

    fake.clock.Advance(24 * 3600);
    const CDashboardFigures later = RefreshDashboard(doc);
    EXPECT_FALSE(later.scheduleExpired) << "still alive a day later";
    EXPECT_LT(later.remainingDistance, f.remainingDistance - 300.0);
}
