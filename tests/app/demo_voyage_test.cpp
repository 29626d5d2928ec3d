#include "app/demo_voyage.h"

#include <gtest/gtest.h>

#include "app/dashboard_refresh.h"
#include "support/model_test.h"

TEST_F(ModelTest, DemoVoyageIsAnOceanPassageAliveAtOnce) {
    CKeelmarkLiteDoc doc;
    BuildDemoVoyage(doc, kNow);
    CVoyage& v = doc.GetVoyage();
    EXPECT_EQ(v.GetFirst()->GetName(), "Rotterdam, Maas Entrance");
    EXPECT_EQ(v.GetLast()->GetName(), "New York, Ambrose");
    CTime lastFixTime = v.GetFirst()->GetTime();
    for (int i = 0; i < v.GetCount(); ++i) {
        const CPosition& p = *v.GetAt(i);
        if (p.GetKind() != CPosition::kFix) continue;
        EXPECT_TRUE(p.GetTime() > lastFixTime && p.GetTime() < kNow) << p.GetName() << ": in order, in the past";
        lastFixTime = p.GetTime();
    }
    EXPECT_EQ(v.GetLastFix()->GetTime(), doc.GetPresentPosition().GetTime());
    EXPECT_EQ(doc.GetReferencePosition(), v.GetFirst());
    EXPECT_EQ(v.GetEndTime(), v.GetLast()->GetTime());
    EXPECT_EQ(v.GetLast()->GetTime().GetTime() % 3600, 0) << "scheduled on the hour";

    const CDashboardFigures f = RefreshDashboard(doc);
    ASSERT_FALSE(f.scheduleExpired);
    EXPECT_EQ(f.nextWaypointName, "Nantucket Shoals");
    EXPECT_LT(f.requiredSpeed, f.presentSpeed) << "on schedule: no speed alarm at start";
    EXPECT_LT(std::abs(f.trueCourse - f.bearing), 2.0) << "steering for the next waypoint";
    EXPECT_NE(f.popularPositionText.find("Fastnet Rock"), std::string::npos) << f.popularPositionText;
    EXPECT_TRUE(fake.prompts.History().empty());
    fake.clock.Advance(24 * 3600);
    const CDashboardFigures later = RefreshDashboard(doc);
    EXPECT_FALSE(later.scheduleExpired) << "still alive a day later";
    EXPECT_LT(later.remainingDistance, f.remainingDistance - 300.0) << "a day's run made good";
}
