#include "app/dashboard_refresh.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/model_test.h"

namespace {

struct Dashboard : ModelTest {
    std::unique_ptr<CKeelmarkLiteDoc> doc;
    void SetUp() override {
        ModelTest::SetUp();
        doc = Channel();
    }
};

} // namespace

TEST_F(Dashboard, FiguresOfOneRefresh) {
    const CDashboardFigures f = RefreshDashboard(*doc);
    ASSERT_FALSE(f.scheduleExpired);
    EXPECT_EQ(
        (std::tuple{f.latitudeText, f.longitudeText, f.trueCourseText, f.trueSpeedText, f.nextWaypointName,
                    f.bearingText, f.remainingHoursText, f.referenceName}),
        (std::tuple{"49:48.00 North", "00:00.00 East", "185.00", "10.50", "Brest", "180.00", "10.00", "Departure"}));
    // 108 nM to go in 10 hours; 12 nM made good from the departure in two hours.
    EXPECT_NEAR(f.distance, 108.0, 0.01);
    EXPECT_NEAR(f.remainingDistance, 108.0, 0.01);
    EXPECT_NEAR(f.requiredSpeed, 10.8, 0.001);
    EXPECT_NEAR(f.distanceMade, 12.0, 0.01);
    EXPECT_NEAR(f.speedMadeGood, 6.0, 0.01);
    EXPECT_DOUBLE_EQ(f.hoursSinceLastFix, 2.0);
    // The steer is the course error plus the bearing, each cut.
    EXPECT_EQ((std::tuple{f.courseSteered, f.steer, f.barMaximum, f.upperBar, f.lowerBar, f.sliderPosition}),
              (std::tuple{180, 185, 200, 100, 60, 5}));
    EXPECT_TRUE(f.flashRequiredSpeed);
    ASSERT_TRUE(f.eta.has_value());
    EXPECT_EQ(f.etaText, f.eta->FormatUtc("%A %d %b %H:%M"));
    EXPECT_NE(f.popularPositionText.find(" from Le Havre"), std::string::npos) << f.popularPositionText;
    EXPECT_TRUE(fake.prompts.History().empty());
}

TEST_F(Dashboard, ExpiredScheduleSuspendsEverything) {
    doc->GetVoyage().GetLast()->SetTime(kNow);
    const double lat = doc->GetPresentPosition().GetLatitude();
    fake.clock.Advance(3600);
    const CDashboardFigures f = RefreshDashboard(*doc);
    EXPECT_TRUE(f.scheduleExpired);
    EXPECT_EQ(f.nextWaypointName, "Enter Schedule to proceed");
    EXPECT_EQ(f.etaText, "Enter Schedule to proceed");
    EXPECT_EQ(doc->GetPresentPosition().GetLatitude(), lat) << "no dead reckoning while suspended";

    doc->GetVoyage().GetLast()->SetTime(kNow + 10 * 3600);
    doc->GetPresentPosition().SetCourse(180.0);
    EXPECT_NEAR(RefreshDashboard(*doc).latitude, 49.8 - 10.5 / 60.0, 1e-6) << "dead reckoned to the clock";
    EXPECT_EQ(doc->GetPresentPosition().GetTime(), kNow + 3600);
}

TEST_F(Dashboard, NoElapsedTimeAndZeroSpeed) {
    // The reference fix at the present time: speed made good 0, not infinite.
    doc->GetVoyage().GetFirst()->SetTime(kNow);
    doc->GetPresentPosition().SetSpeed(0.0);
    const CDashboardFigures f = RefreshDashboard(*doc);
    EXPECT_EQ(f.speedMadeGood, 0.0);
    EXPECT_EQ(f.lowerBar, 0);
    EXPECT_FALSE(f.eta.has_value());
    EXPECT_EQ(f.etaText, "");
    EXPECT_EQ(f.upperBar, 0);
    // Below 1 knot required, the bars have no range.
    doc->GetVoyage().GetLast()->SetLatitude(49.79);
    EXPECT_EQ(RefreshDashboard(*doc).barMaximum, 0);
}

TEST_F(Dashboard, DistanceMadeFollowsTheFixes) {
    doc->AddPositionFix("Fix 1", kNow - 3600, 49.9, 0.0);
    doc->AddPositionFix("Fix 2", kNow, 49.8, 0.0);
    CDashboardFigures f = RefreshDashboard(*doc);
    EXPECT_NEAR(f.distanceMade, 12.0, 0.01);
    // From the last fix itself: only the run since it.
    doc->SetReferencePosition(doc->GetLastFix());
    f = RefreshDashboard(*doc);
    EXPECT_NEAR(f.distanceMade, 0.0, 0.01);
    EXPECT_EQ(f.referenceName, "Fix 2");
}
