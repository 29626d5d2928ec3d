#include <gtest/gtest.h>

#include <cmath>

#include "core/position.h"

namespace {

CPosition At(double lat, double lon) { return CPosition(lat, lon, CTime()); }

} // namespace

TEST(Sailing, DistancesAndCourses) {
    struct Case {
        double lat1, lon1, lat2, lon2;
        int mode;
        double distance, course, tolerance;
    };
    const Case cases[] = {
        {0, 0, 1, 0, 0, 60.0, 0.0, 1e-6},          {0, 0, 1, 0, 1, 60.0, 0.0, 1e-6},
        {0, 0, 0, 1, 0, 60.0, 90.0, 1e-6},         {0, 0, 0, 1, 1, 60.0, 90.0, 1e-6},
        {1, 0, 0, 0, 1, 60.0, 180.0, 1e-6},        {0, 1, 0, 0, 0, 60.0, 270.0, 1e-6},
        {50, 0, 50, 1, 1, 38.5673, 90.0, 1e-3}, // parallel sailing: 60 cos 50
        {0, 179, 0, -179, 0, 120.0, 90.0, 1e-4},   {0, 179, 0, -179, 1, 120.0, 90.0, 1e-4}, // the short way
        {0, -179, 0, 179, 1, 120.0, 270.0, 1e-4},  {0, 0, 90, 0, 0, 5400.0, 0.0, 1e-3},
        {-50, 10, -90, 0, 0, 2400.0, 180.0, 1e-3},
    };
    for (const Case& c : cases) {
        const CPosition p = At(c.lat1, c.lon1);
        EXPECT_NEAR(p.DistanceTo(c.lat2, c.lon2, c.mode), c.distance, c.tolerance) << c.lat1 << " " << c.lon2;
        EXPECT_NEAR(std::fmod(p.CourseTo(c.lat2, c.lon2, c.mode), 360.0), c.course, c.tolerance) << c.lat1;
    }
    // The great circle is shorter than the rhumb line and starts poleward of it.
    EXPECT_LT(At(50, 0).DistanceTo(50, 1, 0), At(50, 0).DistanceTo(50, 1, 1));
    const double gc = At(50, -10).CourseTo(50, -20, 0);
    EXPECT_GT(gc, 273.0);
    EXPECT_LT(gc, 275.0);
}

TEST(Sailing, DegenerateAndPolarPointsGiveFiniteResults) {
    for (double lat : {0.0, 33.3333333, -61.123456789, 89.9}) {
        const CPosition p = At(lat, 12.3456789);
        for (int mode : {0, 1}) {
            EXPECT_EQ(p.DistanceTo(lat, 12.3456789, mode), 0.0) << lat << " " << mode;
            EXPECT_EQ(p.CourseTo(lat, 12.3456789, mode), 0.0);
        }
        EXPECT_FALSE(std::isnan(p.DistanceTo(lat + 1e-12, 12.3456789, 0)));
    }
    const double lats[] = {90.0, -90.0, 89.9999999, -89.9999999, 0.0, 45.0};
    for (double a : lats) {
        for (double b : lats)
            for (int mode : {0, 1}) {
                const double c = At(a, 10).CourseTo(b, -40, mode);
                EXPECT_TRUE(std::isfinite(At(a, 10).DistanceTo(b, -40, mode))) << a << " " << b << " " << mode;
                EXPECT_TRUE(c >= 0.0 && c <= 360.0) << a << " " << b << " " << mode;
            }
        for (double course : {0.0, 45.0, 90.0, 180.0, 270.0}) {
            CPosition s = At(a, 10);
            s.SailRhumbLine(600.0, course);
            EXPECT_LE(std::fabs(s.GetLatitude()), 90.0) << a << " " << course;
            EXPECT_LE(std::fabs(s.GetLongitude()), 180.0) << a << " " << course;
        }
    }
}

TEST(Sailing, RhumbLineSailing) {
    struct Case {
        double lat, lon, distance, course, toLat, toLon;
    };
    const Case cases[] = {
        {10, 5, 60, 0, 11, 5}, {0, 0, 60, 90, 0, 1}, {0, 179.5, 60, 90, 0, -179.5}, {0, -179.5, 60, 270, 0, 179.5}};
    for (const Case& c : cases) {
        CPosition p = At(c.lat, c.lon);
        p.SailRhumbLine(c.distance, c.course);
        EXPECT_NEAR(p.GetLatitude(), c.toLat, 1e-6) << c.lon << " " << c.course;
        EXPECT_NEAR(p.GetLongitude(), c.toLon, 1e-6) << c.lon << " " << c.course;
    }
    // Out along the rhumb line and there.
    CPosition r = At(40, -30);
    r.SailRhumbLine(r.DistanceTo(45, -20, 1), r.CourseTo(45, -20, 1));
    EXPECT_NEAR(r.GetLatitude(), 45.0, 1e-6);
    EXPECT_NEAR(r.GetLongitude(), -20.0, 1e-6);
}

TEST(Sailing, DeadReckoning) {
    const CTime t0 = CTime::FromUtc(2026, 6, 1, 12, 0, 0);
    CPosition p(10, 0, t0);
    p.SetSpeed(12.0);
    p.SetCourse(180.0);
    p.DeadReckonTo(t0 + 7200);
    EXPECT_NEAR(p.GetLatitude(), 10.0 - 24.0 / 60.0, 1e-6);
    EXPECT_EQ(p.GetTime(), t0 + 7200);

    CPosition still(10, 0, t0);
    still.DeadReckonTo(t0 + 3600);
    EXPECT_EQ(still.GetLatitude(), 10.0);
    EXPECT_EQ(still.GetTime(), t0 + 3600);

    CPosition back(10, 0, t0);
    back.SetSpeed(10);
    back.DeadReckonTo(t0 - 3600);
    EXPECT_NEAR(back.GetLatitude(), 10.0 - 10.0 / 60.0, 1e-6) << "backwards in time runs back along the course";
}
