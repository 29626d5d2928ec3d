#include <gtest/gtest.h>

#include <cmath>

#include "astro/almanac.h"
#include "astro/almanac_builder.h"
#include "astro/astro_fix.h"
#include "astro/compass_error.h"
#include "astro/local_times.h"
#include "astro/sight_reduction.h"
#include "astro/star_finder.h"
#include "core/conversion.h"
#include "core/position.h"

namespace {

CPosition At(double latitude, double longitude, CTime time = CTime()) {
    CPosition p;
    p.SetLatitude(latitude);
    p.SetLongitude(longitude);
    p.SetTime(time);
    return p;
}

CAstroObject Star(double ra, double dec) {
    CAstroObject o;
    o.SetStar("Sirius", "257", kAstroStar, dec, 0, ra, 0, -1.44);
    return o;
}

} // namespace

TEST(BodyPosition, DefaultSunAndAStarAsTheMethodGivesThem) {
    EXPECT_DOUBLE_EQ(CConversion::DayNumber(CTime::FromUtc(2001, 6, 21)), 538.0);
    CAstroObject sun;
    sun.ComputePosition(1.5);
    EXPECT_NEAR(sun.GetDeclination(), -23.03, 0.005);
    EXPECT_NEAR(sun.GetRightAscension(), -78.71, 0.005);
    EXPECT_NEAR(sun.GetGHA(), 359.17, 0.005);
    EXPECT_NEAR(sun.GetSiderealAngle(), 100.47, 0.005);
    EXPECT_NEAR(sun.GetSunDistance(), 0.9833, 0.00005);
    sun.UpdatePosition(CTime::FromUtc(2001, 6, 21, 12));
    EXPECT_NEAR(sun.GetDeclination(), 23.44, 0.005);
    EXPECT_NEAR(sun.GetGHA(), 359.55, 0.005);

    CAstroObject star = Star(101.287, -16.716);
    star.ComputePosition(1.5);
    EXPECT_NEAR(star.GetGHA(), 179.18, 0.005);
    EXPECT_EQ(star.GetRightAscension(), 101.287);
    EXPECT_EQ(star.GetDeclination(), -16.716);
}

TEST(BodyPosition, RiseAndSetNeverAlwaysAndBeforeMidnight) {
    struct Case {
        double dec, latitude, longitude;
        const char *rise, *set;
    } cases[] = {
        {-60, 60, 0, "99:00.00", "99:00.00"},        // never rises
        {80, 60, 0, "always above", "always above"}, // never sets: no invented times
    };
    for (const Case& c : cases) {
        CAstroObject star = Star(0, c.dec);
        star.ComputePosition(100);
        double transit, rise, set, ts, te;
        star.GetRiseTransitSet(At(c.latitude, c.longitude), transit, rise, set, ts, te);
        EXPECT_EQ(FormatEventTime(rise) + "|" + FormatEventTime(set), std::string(c.rise) + "|" + c.set);
    }
    // The midsummer Sun far east rises before 0h UT of its day: a negative hour.
    CAstroObject sun;
    CPosition east = At(60, 120, CTime::FromUtc(2026, 6, 21, 12));
    double azimuth;
    sun.GetAltitudeAzimuth(east, azimuth);
    double transit, rise, set, ts, te;
    sun.GetRiseTransitSet(east, transit, rise, set, ts, te);
    EXPECT_NEAR(transit, 4.03, 0.01);
    EXPECT_LT(rise, 0);
    EXPECT_EQ(FormatEventTime(rise)[0], '-');
    EXPECT_EQ(ts, kAstroAlwaysAbove) << "white night: the twilight never ends";
}

// Worst cases of 2026-2030 against a modern ephemeris (apparent places): the
// Moon's and the slow planets' periodic terms keep them within 3' and 2'.
TEST(BodyPosition, MovingBodiesNearTheirTruePlaces) {
    struct Case {
        const char* name;
        CTime at;
        double gha, dec, limit;
    } cases[] = {
        {"Moon", CTime::FromUtc(2026, 3, 3, 4, 48), 72.2926, 8.1458, 3},
        {"Moon", CTime::FromUtc(2027, 4, 10, 19, 12), 60.0290, 26.5187, 3},
        {"Moon", CTime::FromUtc(2029, 7, 15, 6, 0), 224.7388, 3.8814, 3},
        {"Jupiter", CTime::FromUtc(2028, 2, 22, 0, 0), 335.4170, 3.3336, 2},
        {"Saturn", CTime::FromUtc(2027, 8, 26, 14, 24), 163.9914, 8.1447, 2.1},
        {"Venus", CTime::FromUtc(2027, 9, 24, 4, 48), 242.7493, -3.9946, 2},
        {"Mars", CTime::FromUtc(2029, 4, 5, 0, 0), 11.5761, 2.3924, 2},
    };
    CAlmanac almanac;
    BuildShippedAlmanac(almanac, 2027.0);
    for (const Case& c : cases) {
        CAstroObject& body = *almanac.GetObject(almanac.FindObject(c.name));
        body.UpdatePosition(c.at);
        const double miss =
            At(c.dec, 360 - c.gha).DistanceTo(body.GetDeclination(), 360 - body.GetGHA(), CPosition::kGreatCircle);
        EXPECT_LT(miss, c.limit) << c.name << " " << c.at.IsoText();
    }
}

TEST(SightReduction, CorrectionsAndIntercept) {
    // 16 m, 30 deg 00.0': dip 7.08', Ha 29 52.92', refraction 1.69', Ho 29 51.23'.
    EXPECT_NEAR(DipCorrection(16) * 60, 7.08, 1e-9);
    EXPECT_NEAR(RefractionCorrection(30 - 7.08 / 60) * 60, 1.688, 0.0005);
    EXPECT_NEAR((ObservedAltitude(kAstroStar, 30, 16) - 29) * 60, 51.23, 0.005);
    EXPECT_EQ(DipCorrection(-2), 0.0) << "drafts above the eye: no dip rather than NaN";
    // The Moon gets 14.66' near the zenith, 68.46' on the horizon; nothing else does.
    EXPECT_NEAR(ParallaxAndSemiDiameter(kAstroMoon, 90) * 60, 14.66, 0.005);
    EXPECT_NEAR(ParallaxAndSemiDiameter(kAstroMoon, 0) * 60, 68.46, 0.005);
    for (std::int32_t kind : {kAstroSun, kAstroPlanet, kAstroStar})
        EXPECT_EQ(ParallaxAndSemiDiameter(kind, 10), 0.0);

    CAstroObject star = Star(101.287, -16.716);
    const CTime at = SightTime(CTime::FromUtc(2026, 12, 6, 23, 59, 59), 3, 15, 20);
    EXPECT_EQ(at, CTime::FromUtc(2026, 12, 6, 3, 15, 20));
    const SightReduction r = ReduceSight(star, At(50, -20), at, 20, 16);
    EXPECT_EQ(r.intercept, CConversion::Truncate((r.ho - r.hc) * 60, 2));
    EXPECT_LT(r.intercept, 0) << "sextant below Hc: away from the body";
    EXPECT_EQ(r.azimuth, CConversion::Truncate(r.azimuth, 2));
    int degrees;
    double minutes;
    SplitElevation(-3.5, degrees, minutes);
    EXPECT_EQ(degrees + minutes, 0);
    SplitElevation(29.8538, degrees, minutes);
    EXPECT_EQ(degrees, 29);
    EXPECT_DOUBLE_EQ(minutes, 51.22);
}

TEST(AstroFix, LeastSquaresCrossingAndItsSpread) {
    struct Case {
        std::vector<std::pair<double, double>> sights; // intercept, azimuth
        double latitude, north, east, latSpread, lonSpread;
    } cases[] = {
        {{{3, 0}, {3, 0}, {3, 0}}, 0, 3, 0, 0, 0},                   // one line: along it
        {{{6, 90}, {6, 90}, {0, 0}}, 60, 0, 6, 0, 0},                // crossing 6' east, not 4'
        {{{3, 0}, {-1.5, 120}, {-1.5, 240}}, 0, 3, 0, 0, 0},         // 120 apart: all the way, not half
        {{{2, 0}, {1, 90}, {-1, 180}, {0, 270}}, 0, 1.5, 0.5, 1, 1}, // residuals 0.5 each: sigma^2 = 1/2
    };
    for (const Case& c : cases) {
        CAlmanac almanac;
        for (auto [p, z] : c.sights)
            almanac.AddObservation(CTime(), "Vega", p, z);
        double latitude = c.latitude, longitude = 10;
        ASSERT_TRUE(almanac.CalculateFix(latitude, longitude));
        EXPECT_NEAR((latitude - c.latitude) * 60, c.north, 1e-6);
        EXPECT_NEAR((longitude - 10) * 60 * std::cos(CConversion::DegToRad(latitude)), c.east, 1e-6);
        double latSpread, lonSpread;
        almanac.CalculateFixSpread(latSpread, lonSpread);
        EXPECT_NEAR(latSpread, c.latSpread, 1e-6);
        EXPECT_NEAR(lonSpread, c.lonSpread, 1e-6);
    }
    EXPECT_EQ(FixSpreadMessage(1.0000001, 0.999), "95% probability in minutes:\nLatitude: 1.00\nLongitude: 1.00");
    EXPECT_EQ(FixSpreadMessage(0, 0), "Insufficient observations to calculate position");

    CAlmanac two;
    two.AddObservation(CTime(), "Sun", 3, 0);
    two.AddObservation(CTime(), "Sun", 3, 90);
    double latitude = 1, longitude = 2, a, b;
    EXPECT_FALSE(two.CalculateFix(latitude, longitude));
    two.CalculateFixSpread(a, b);
    EXPECT_TRUE(latitude == 1 && longitude == 2 && a == 0 && b == 0);
}

TEST(LocalTimes, DayStateDifferenceAndCompassError) {
    EXPECT_EQ(LocalMeanTimeDifferenceText(60, false) + "|" + LocalMeanTimeDifferenceText(60, true),
              "4:00.00 FAST|4:00.00 hrs FAST");
    EXPECT_EQ(LocalMeanTimeDifferenceText(0, false) + "|" + LocalMeanTimeDifferenceText(0, true),
              "00:00.00 SLOW|00:00.00 hrs FAST");
    EXPECT_EQ(DayStateText(5, false) + DayStateText(-5, false) + DayStateText(-5, true) + DayStateText(-20, true) +
                  DayStateText(0, true) + DayStateText(-12, true),
              "DAYDAWNTWILIGHTNIGHT");
    EXPECT_EQ(LocalMeanTime(CTime::FromUtc(2026, 1, 1, 23, 50), 15.3), CTime::FromUtc(2026, 1, 2, 0, 51));
    EXPECT_EQ(LocalMeanEventTime(6.5, -30) + LocalMeanEventTime(99, 60) + LocalMeanEventTime(-99, 60), 4.5);
    const BodyTimes t = SunTimes(At(0, 0, CTime::FromUtc(2026, 3, 20, 12)));
    EXPECT_NEAR(t.set - t.rise, 12, 0.05);
    EXPECT_NEAR(t.transit, 12.12, 0.02) << "equation of time in March";

    EXPECT_DOUBLE_EQ(CompassCorrection(101.25, 100.5), 0.75);
    EXPECT_DOUBLE_EQ(CompassCorrection(1.0, 359.0), 2.0) << "brought into -180..180";
    EXPECT_DOUBLE_EQ(CompassCorrection(359.0, 1.0), -2.0);
    EXPECT_NEAR(GyroSpeedCorrection(15, 0, 0), -0.945, 1e-12);
    EXPECT_EQ(AzimuthLogLine(100.5, 101.25, 0.75),
              "Azimuth Compass 100.50 deg, True = 101.25 deg, Correction = 0.75 deg");
}

TEST(AlmanacBuilder, ShippedObjectsAndRigorousPrecession) {
    // Worked by hand with the IAU 1976 angles as rotations R3(-z) R2(theta) R3(-zeta),
    // after the proper motion on the tangent plane, for 2027.0.
    struct Case {
        const char* name;
        double ra, dec;
    } cases[] = {{"Sirius", 101.58452549, -16.75508617}, {"Polaris", 46.87412063, 89.37528314}};
    for (const Case& c : cases) {
        for (const CatalogueStar& s : NavigationalStars()) {
            if (s.name != c.name) continue;
            double ra, dec;
            StarPlaceAt(s, 2027.0, ra, dec);
            EXPECT_NEAR(ra, c.ra, 1e-7) << c.name;
            EXPECT_NEAR(dec, c.dec, 1e-7) << c.name;
        }
    }
    CAlmanac almanac;
    BuildShippedAlmanac(almanac, 2027.0);
    ASSERT_EQ(almanac.GetObjectCount(), 64);
    std::string names;
    for (int i : {0, 1, 2, 3, 4, 5, 6, 62, 63})
        names += almanac.GetObject(i)->GetName() + ",";
    EXPECT_EQ(names, "Sun,Moon,Venus,Mars,Jupiter,Saturn,Alpheratz,Markab,Polaris,");
    EXPECT_EQ(almanac.GetObject(49)->GetFK5Number(), "Unknown") << "Sabik has no FK5 number";
    const int sirius = almanac.FindObject("Sirius");
    EXPECT_NEAR(almanac.GetObject(sirius)->GetProperMotionDeclination(), -1223.08 / 3.6e6 / 8766, 1e-20);

    // Brought to another instant: only catalogue stars move.
    almanac.AddObject()->SetStar("Not in the catalogue", "1", kAstroStar, 10, 0, 10, 0, 1);
    EXPECT_EQ(BringStarsToDate(almanac, CTime::FromUtc(2030, 1, 1)), 58);
    EXPECT_EQ(almanac.GetObject(64)->GetRightAscension(), 10);
    EXPECT_EQ(BringStarsToDate(almanac, CTime::FromUtc(2030, 1, 1)), 0);
    EXPECT_EQ(StarsMovedText(58) + StarsMovedText(1),
              "Star positions brought to date: 58 stars moved.Star positions brought to date: 1 star moved.");

    std::vector<CatalogueStar> stars;
    std::string error;
    EXPECT_FALSE(
        ParseStarTable("# c\nname,nav_number,fk5,hip,ra_j2000_deg,dec_j2000_deg,pm_ra_mas_yr,pm_dec_mas_yr,vmag\n"
                       "Vega,49,699,1,279.2,95,0,0,0\n",
                       stars, error));
    EXPECT_EQ(error, "line 3: \"Vega,49,699,1,279.2,95,0,0,0\" is not a row of 9 values");
}

TEST(StarFinder, RowsAndTexts) {
    CAlmanac almanac;
    BuildShippedAlmanac(almanac, 2027.0);
    const CPosition here = At(50, -20, CTime::FromUtc(2027, 1, 10, 3));
    const std::vector<StarfinderRow> all = StarfinderRows(almanac, here, true);
    const std::vector<StarfinderRow> visible = StarfinderRows(almanac, here, false);
    ASSERT_EQ(all.size(), 64u);
    EXPECT_GT(visible.size(), 10u);
    EXPECT_LT(visible.size(), 64u);
    std::string c1, c2, c3;
    StarfinderTexts(all[0], false, c1, c2, c3); // the Sun at 3h UT, 20 W: night
    EXPECT_EQ(c1, "down");
    EXPECT_EQ(c3, "0.00");
    const StarfinderRow& sirius = all[static_cast<std::size_t>(almanac.FindObject("Sirius"))];
    StarfinderTexts(sirius, false, c1, c2, c3);
    EXPECT_EQ(c3, "-1.44") << "the stored magnitude";
    StarfinderTexts(sirius, true, c1, c2, c3);
    EXPECT_EQ(c2, CConversion::DegMinText(sirius.transit));
}
