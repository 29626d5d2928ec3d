#include "app/demo_voyage.h"

#include <gtest/gtest.h>

#include "app/dashboard_refresh.h"
#include "support/model_test.h"

TEST_F(ModelTest, DemoVoyageIsAnOceanPassageAliveAtOnce) {
    Make(BuildDemoVoyage);
    EXPECT_EQ(Row(v->GetFirst()->GetName(), v->GetLast()->GetName()), "Rotterdam, Maas Entrance|New York, Ambrose");
    EXPECT_EQ(v->GetLastFix()->GetTime(), present->GetTime());
    const CDashboardFigures f = RefreshDashboard(*doc);
    ASSERT_FALSE(f.scheduleExpired);
    EXPECT_EQ(f.nextWaypointName, "Nantucket Shoals");
    EXPECT_LT(f.requiredSpeed, f.presentSpeed) << "on schedule: no speed alarm at start";
    EXPECT_LT(std::abs(f.trueCourse - f.bearing), 2.0) << "steering for the next waypoint";
    fake.clock.Advance(24 * 3600);
    const CDashboardFigures later = RefreshDashboard(*doc);
    EXPECT_FALSE(later.scheduleExpired) << "still alive a day later";
    EXPECT_LT(later.remainingDistance, f.remainingDistance - 300.0) << "a day's run made good";
}
