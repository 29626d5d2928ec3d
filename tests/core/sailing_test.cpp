#include <gtest/gtest.h>

#include <cmath>

#include "core/position.h"
#include "platform/fake/fake_services.h"

namespace {

CPosition At(double lat, double lon) {
    CPosition p;
    p.SetLatitude(lat);
    p.SetLongitude(lon);
    return p;
}

constexpr double kTol = 1e-6;

} // namespace

TEST(Sailing, MeridianAndEquator) {
    for (int mode : {0, 1}) {
        EXPECT_NEAR(At(0, 0).DistanceTo(1, 0, mode), 60.0, kTol) << mode;
        EXPECT_NEAR(At(0, 0).CourseTo(1, 0, mode), 0.0, kTol) << mode;
        EXPECT_NEAR(At(0, 0).DistanceTo(0, 1, mode), 60.0, kTol) << mode;
        EXPECT_NEAR(At(0, 0).CourseTo(0, 1, mode), 90.0, kTol) << mode;
        EXPECT_NEAR(At(1, 0).CourseTo(0, 0, mode), 180.0, kTol) << mode;
        EXPECT_NEAR(At(0, 1).CourseTo(0, 0, mode), 270.0, kTol) << mode;
    }
}

TEST(Sailing, ParallelSailingAndGreatCircleAdvantage) {
    const double rhumb = At(50, 0).DistanceTo(50, 1, 1);
    EXPECT_NEAR(rhumb, 60.0 * std::cos(50.0 * M_PI / 180.0), 1e-4);
    EXPECT_NEAR(rhumb, 38.57, 0.01);
    EXPECT_LT(At(50, 0).DistanceTo(50, 1, 0), rhumb);

    EXPECT_NEAR(At(50, -10).CourseTo(50, -20, 1), 270.0, kTol);
    const double gc = At(50, -10).CourseTo(50, -20, 0);
    EXPECT_GT(gc, 273.0);
    EXPECT_LT(gc, 275.0);
}

TEST(Sailing, IdenticalPointsGiveZeroNotNaN) {
    for (double lat : {0.0, 33.3333333, -61.123456789, 89.9}) {
        const CPosition p = At(lat, 12.3456789);
        for (int mode : {0, 1}) {
            EXPECT_EQ(p.DistanceTo(lat, 12.3456789, mode), 0.0) << lat << " " << mode;
            EXPECT_EQ(p.CourseTo(lat, 12.3456789, mode), 0.0);
        }
        // Nearly identical: never NaN.
        EXPECT_FALSE(std::isnan(p.DistanceTo(lat + 1e-12, 12.3456789, 0)));
    }
}

TEST(Sailing, DateLineIsCrossedTheShortWay) {
    const CPosition p = At(0, 179);
    for (int mode : {0, 1}) {
        EXPECT_NEAR(p.DistanceTo(0, -179, mode), 120.0, 1e-4) << mode;
        EXPECT_NEAR(p.CourseTo(0, -179, mode), 90.0, 1e-4) << mode;
        EXPECT_NEAR(At(0, -179).CourseTo(0, 179, mode), 270.0, 1e-4) << mode;
    }
    EXPECT_NEAR(At(10, 170).DistanceTo(20, -170, 1), At(10, -10).DistanceTo(20, 10, 1), 1e-6);

    CPosition q = At(0, 179.5);
    q.SailRhumbLine(60.0, 90.0);
    EXPECT_NEAR(q.GetLongitude(), -179.5, 1e-6);
    CPosition w = At(0, -179.5);
    w.SailRhumbLine(60.0, 270.0);
    EXPECT_NEAR(w.GetLongitude(), 179.5, 1e-6);
}

TEST(Sailing, RhumbLineSailing) {
    CPosition p = At(10, 5);
    p.SailRhumbLine(60.0, 0.0);
    EXPECT_NEAR(p.GetLatitude(), 11.0, kTol);
    EXPECT_NEAR(p.GetLongitude(), 5.0, kTol);

    CPosition e = At(0, 0);
    e.SailRhumbLine(60.0, 90.0);
    EXPECT_NEAR(e.GetLatitude(), 0.0, 1e-6);
    EXPECT_NEAR(e.GetLongitude(), 1.0, 1e-6);

    // Sailing out and back along the rhumb line returns to the start.
    CPosition r = At(40, -30);
    const double course = r.CourseTo(45, -20, 1);
    const double dist = r.DistanceTo(45, -20, 1);
    r.SailRhumbLine(dist, course);
    EXPECT_NEAR(r.GetLatitude(), 45.0, 1e-6);
    EXPECT_NEAR(r.GetLongitude(), -20.0, 1e-6);
}

TEST(Sailing, DeadReckoning) {
    CFakeServices fake;
    const CTime t0 = CTime::FromUtc(2026, 6, 1, 12, 0, 0);
    CPosition p = At(10, 0);
    p.SetTime(t0);
    p.SetSpeed(12.0);
    p.SetCourse(180.0);
    p.DeadReckonTo(t0 + 7200);
    EXPECT_NEAR(p.GetLatitude(), 10.0 - 24.0 / 60.0, 1e-6);
    EXPECT_NEAR(p.GetLongitude(), 0.0, 1e-6);
    EXPECT_EQ(p.GetTime(), t0 + 7200);
    const double lat = p.GetLatitude();
    p.DeadReckonTo(t0 + 7200);
    EXPECT_EQ(p.GetLatitude(), lat);

    CPosition still = At(10, 0);
    still.SetTime(t0);
    still.DeadReckonTo(t0 + 3600);
    EXPECT_EQ(still.GetLatitude(), 10.0);
    EXPECT_EQ(still.GetTime(), t0 + 3600);

    // Backwards in time moves backwards along the course.
    CPosition back = At(10, 0);
    back.SetTime(t0);
    back.SetSpeed(10);
    back.SetCourse(0);
    back.DeadReckonTo(t0 - 3600);
    EXPECT_NEAR(back.GetLatitude(), 10.0 - 10.0 / 60.0, 1e-6);
}

TEST(Sailing, PolesGiveFiniteResults) {
    const double lats[] = {90.0, -90.0, 89.9999999, -89.9999999, 0.0, 45.0};
    for (double a : lats) {
        for (double b : lats) {
            for (int mode : {0, 1}) {
                const CPosition p = At(a, 10);
                const double d = p.DistanceTo(b, -40, mode);
                const double c = p.CourseTo(b, -40, mode);
                EXPECT_TRUE(std::isfinite(d)) << a << " " << b << " " << mode;
                EXPECT_TRUE(std::isfinite(c)) << a << " " << b << " " << mode;
                EXPECT_GE(d, 0.0);
                EXPECT_GE(c, 0.0);
                EXPECT_LE(c, 360.0);
            }
        }
        for (double course : {0.0, 45.0, 90.0, 180.0, 270.0}) {
            CPosition s = At(a, 10);
            s.SailRhumbLine(600.0, course);
            EXPECT_TRUE(std::isfinite(s.GetLatitude())) << a << " " << course;
            EXPECT_TRUE(std::isfinite(s.GetLongitude())) << a << " " << course;
            EXPECT_LE(std::fabs(s.GetLatitude()), 90.0);
            EXPECT_LE(std::fabs(s.GetLongitude()), 180.0);
        }
    }
    // The course to the North Pole is north, from anywhere.
    EXPECT_NEAR(std::fmod(At(50, 10).CourseTo(90, 0, 0), 360.0), 0.0, 1e-6);
    EXPECT_NEAR(At(-50, 10).CourseTo(-90, 0, 0), 180.0, 1e-6);
    EXPECT_NEAR(At(0, 0).DistanceTo(90, 0, 0), 5400.0, 1e-3);
}
