#include <gtest/gtest.h>

#include <cmath>

#include "core/position.h"
#include "support/model_test.h"

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
        {0, 0, 1, 0, 0, 60.0, 0.0, 1e-6},
        {0, 0, 0, 1, 0, 60.0, 90.0, 1e-6},
        {1, 0, 0, 0, 1, 60.0, 180.0, 1e-6},
        {50, 0, 50, 1, 1, 38.5673, 90.0, 1e-3},        // parallel sailing: 60 cos 50
        {50, -10, 50, -20, 0, 385.385, 273.834, 1e-3}, // the great circle: shorter, starting poleward
        {0, 179, 0, -179, 1, 120.0, 90.0, 1e-4},       // the short way
        {0, -179, 0, 179, 1, 120.0, 270.0, 1e-4},
        {0, 0, 90, 0, 0, 5400.0, 0.0, 1e-3},
    };
    for (const Case& c : cases) {
        const CPosition p = At(c.lat1, c.lon1);
        EXPECT_NEAR(p.DistanceTo(c.lat2, c.lon2, c.mode), c.distance, c.tolerance) << c.lat1 << " " << c.lon2;
        EXPECT_NEAR(std::fmod(p.CourseTo(c.lat2, c.lon2, c.mode), 360.0), c.course, c.tolerance) << c.lat1;
    }
}

TEST(Sailing, RhumbLineAndDeadReckoning) {
    struct Case {
        double lat, lon, distance, course, toLat, toLon;
    };
    const Case cases[] = {{10, 5, 60, 0, 11, 5},
                          {40, -30, 60, 90, 40, -28.6945927}, // 1 / cos 40 degrees of longitude
                          {0, 179.5, 60, 90, 0, -179.5},
                          {0, -179.5, 60, 270, 0, 179.5}};
    for (const Case& c : cases) {
        CPosition p = At(c.lat, c.lon);
        p.SailRhumbLine(c.distance, c.course);
        EXPECT_NEAR(p.GetLatitude(), c.toLat, 1e-6) << c.lon << " " << c.course;
        EXPECT_NEAR(p.GetLongitude(), c.toLon, 1e-6) << c.lon << " " << c.course;
    }
    // 2 hours at 12 knots on 180; none without speed; backwards in time runs back along the course.
    const CTime t0 = CTime::FromUtc(2026, 6, 1, 12, 0, 0);
    for (auto [speed, seconds, toLat] :
         {std::tuple{12.0, 7200, 9.6}, {0.0, 3600, 10.0}, {10.0, -3600, 10.0 - 1 / 6.0}}) {
        CPosition p(10, 0, t0);
        p.SetSpeed(speed);
        p.SetCourse(speed == 10.0 ? 0.0 : 180.0);
        p.DeadReckonTo(t0 + seconds);
        EXPECT_NEAR(p.GetLatitude(), toLat, 1e-6) << speed;
        EXPECT_EQ(p.GetTime(), t0 + seconds);
    }
}
