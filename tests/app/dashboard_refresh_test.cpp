#include "app/dashboard_refresh.h"

#include <gtest/gtest.h>

#include "support/model_test.h"

using Dashboard = VoyageTest<MakeChannelCrossing>;

TEST_F(Dashboard, FiguresOfOneRefresh) {
    const CDashboardFigures f = RefreshDashboard(*doc);
    ASSERT_FALSE(f.scheduleExpired);
    EXPECT_EQ(Row(f.latitudeText, f.longitudeText, f.trueCourseText, f.trueSpeedText, f.nextWaypointName, f.bearingText,
                  f.remainingHoursText, f.referenceName),
              "49:48.00 North|00:00.00 East|185.00|10.50|Brest|180.00|10.00|Departure");
    // 108 nM to go in 10 hours; 12 nM made good from the departure in two hours.
    EXPECT_EQ(
        Row(f.distance, f.remainingDistance, f.requiredSpeed, f.distanceMade, f.speedMadeGood, f.hoursSinceLastFix),
        "108.00|108.00|10.80|12.00|6.00|2.00");
    // The steer is the bearing plus the gyro's error (steered less made good), each cut.
    EXPECT_EQ(Row(f.courseSteered, f.steer, f.barMaximum, f.upperBar, f.lowerBar, f.sliderPosition),
              "180|175|200|100|60|-5");
    EXPECT_TRUE(f.flashRequiredSpeed);
    ASSERT_TRUE(f.eta.has_value());
    EXPECT_EQ(f.etaText, f.eta->FormatUtc("%A %d %b %H:%M"));
    EXPECT_NE(f.popularPositionText.find(" from Le Havre"), std::string::npos) << f.popularPositionText;
}

TEST_F(Dashboard, SteerIsAGyroCourseWithinTheCircle) {
    // Brest due south of 49 48N, the departure and Brest due north of 47N.
    const struct {
        int steered;
        double trueCourse, latitude;
        const char* steerAndSlider;
    } cases[] = {{202, 180.0, 49.8, "202|0"}, {355, 5.0, 47.0, "350|-5"}, {5, 355.0, 47.0, "10|5"}};
    for (const auto& c : cases) {
        doc->GetVessel().m_courseSetting = c.steered;
        present->SetCourse(c.trueCourse);
        present->SetLatitude(c.latitude);
        const CDashboardFigures f = RefreshDashboard(*doc);
        EXPECT_EQ(Row(f.steer, f.sliderPosition), c.steerAndSlider) << c.steered;
    }
}

TEST_F(Dashboard, WithoutScheduleTheShipIsShownAndSailsOn) {
    v->GetLast()->SetTime(kNow);
    present->SetCourse(180.0);
    EXPECT_TRUE(RefreshDashboard(*doc).scheduleExpired) << "due now is run out";
    fake.clock.Advance(3600);
    const CDashboardFigures f = RefreshDashboard(*doc);
    EXPECT_EQ(Row(f.scheduleExpired, f.nextWaypointName, f.etaText, f.trueSpeedText, f.distanceText),
              "1|Enter Schedule to proceed|Enter Schedule to proceed|10.50|");
    EXPECT_NEAR(f.latitude, 49.8 - 10.5 / 60.0, 1e-6);
    EXPECT_EQ(present->GetTime(), kNow + 3600);
}

TEST_F(Dashboard, NoElapsedTimeAndZeroSpeed) {
    // The reference fix seconds before the present time: speed made good 0, not huge.
    v->GetFirst()->SetTime(kNow - 20);
    present->SetSpeed(0.0);
    const CDashboardFigures f = RefreshDashboard(*doc);
    EXPECT_EQ(Row(f.speedMadeGood, f.lowerBar, f.upperBar, f.eta.has_value(), f.etaText), "0.00|0|0|0|");
    v->GetLast()->SetLatitude(49.79); // below 1 knot required, the bars have no range
    EXPECT_EQ(RefreshDashboard(*doc).barMaximum, 0);
}

TEST_F(Dashboard, DistanceMadeIsFromTheReference) {
    doc->AddPositionFix("Fix 1", kNow - 3600, 49.9, 0.0);
    doc->AddPositionFix("Fix 2", kNow, 49.8, 0.0);
    EXPECT_NEAR(RefreshDashboard(*doc).distanceMade, 12.0, 0.01);
    doc->SetReferencePosition(doc->GetLastFix());
    const CDashboardFigures f = RefreshDashboard(*doc);
    EXPECT_EQ(Row(f.distanceMade, f.referenceName), "0.00|Fix 2") << "from the last fix itself: only the run since it";
}
