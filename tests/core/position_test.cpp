#include "core/position.h"

#include <gtest/gtest.h>

#include "core/archive.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/model_test.h"

namespace {

CPosition At(double lat, double lon) { return CPosition(lat, lon, CTime()); }

} // namespace

TEST(Position, DefaultsTakeNoTimeOrPlaceFromTheMachine) {
    CFakeServices fake;
    fake.clock.Set(CTime::FromUtc(2026, 5, 1, 12, 0, 0));
    const CPosition p;
    EXPECT_EQ(Row(p.GetName(), p.GetTime(), p.GetLatitude(), p.GetLongitude(), p.GetKind(), p.GetProceedVia(),
                  p.GetAveragePressure()),
              Row("New Position", CTime(0), 0.0, 0.0, CPosition::kFix, CPosition::kRhumbLine, 1000.0));
    CPosition q(-12.5, 4.25, CTime(77));
    for (auto [mode, stored] : {std::pair{2, 0}, {1, 1}, {-1, 0}}) { // only 0 or 1 is a mode
        q.SetProceedVia(1);
        q.SetProceedVia(mode);
        EXPECT_EQ(q.GetProceedVia(), stored) << mode;
    }
}

TEST(Position, CoordinateTexts) {
    struct Case {
        double lat, lon;
        const char *latText, *lonText;
        int latDegrees;
        double latMinutes;
    };
    const Case cases[] = {
        {-0.5, 0.0, "00:30.00 South", "00:00.00 East", 0, 30.0},
        {0.0, -4.0 - 5.0 / 60.0, "00:00.00 North", "4:05.00 West", 0, 0.0},
        {52.375, 0.0, "52:22.50 North", "00:00.00 East", 52, 22.5},
        {10.99999, 0.0, "11:00.00 North", "00:00.00 East", 10, 59.99}, // the minutes field cuts, the text rounds
    };
    for (const Case& c : cases) {
        const CPosition p = At(c.lat, c.lon);
        EXPECT_EQ(p.GetLatitudeText(), c.latText);
        EXPECT_EQ(p.GetLongitudeText(), c.lonText);
        EXPECT_EQ(p.GetLatitudeDegrees(), c.latDegrees);
        EXPECT_DOUBLE_EQ(p.GetLatitudeMinutes(), c.latMinutes);
    }

    CPosition departure = At(10.0, 0.0);
    departure.SetName("Departure");
    // Index = course / 22.5 cut: 20 degrees is still N, 359 is NNW.
    for (auto [distance, course, text] : {std::tuple{12.5, 30.0, "12.50 nM  NNE from Departure"},
                                          {60.0, 20.0, "60.00 nM  N from Departure"},
                                          {60.0, 100.0, "60.00 nM  E from Departure"},
                                          {60.0, 359.0, "60.00 nM  NNW from Departure"}}) {
        CPosition probe = departure;
        probe.SailRhumbLine(distance, course);
        EXPECT_EQ(departure.GetRelativeText(probe.GetLatitude(), probe.GetLongitude()), text) << course;
    }
}

TEST(Position, StoredLayoutFieldByField) {
    CPosition p(52.5, -4.25, CTime(0x01020304));
    p.SetCourse(90.5);
    p.SetSpeed(12.0);
    p.SetName("Ab");
    p.SetProceedVia(0);
    p.SetKind(0);
    p.SetETA(9800.5);
    p.SetZoneOffset(-5.0);
    p.SetExtraValue(3.0);
    double ws = 30, wd = 180, pr = 990;
    p.AddWeather(ws, wd, pr);
    const double legCourse = 45.0, legDistance = 100.0;
    p.SetLeg(legCourse, legDistance);

    const std::string expected =
        LeDouble(90.5) + LeDouble(0.0) + LeDouble(52.5) + LeDouble(-4.25) + LeDouble(12.0) + Hex("02 41 62") +
        Hex("04 03 02 01") + LeLong(0) + LeLong(0) + LeDouble(990.0) + LeLong(1) + LeDouble(30.0) + LeDouble(180.0) +
        LeDouble(0.0) + LeDouble(0.0) + LeLong(0) + LeDouble(9800.5) + LeDouble(0.0) + LeDouble(0.0) + LeDouble(0.0) +
        LeDouble(0.0) + LeLong(0) + LeDouble(-5.0) + LeDouble(3.0) + LeDouble(990.0) + LeDouble(180.0) + LeDouble(30.0);
    const std::string stored = StoreToBytes(p);
    EXPECT_EQ(ToHex(stored), ToHex(expected)) << "the leg fields are not stored";

    // Read back: every stored field bit for bit; the leg fields keep their values.
    CPosition q;
    const double qc = 10.0, qd = 20.0;
    q.SetLeg(qc, qd);
    EXPECT_TRUE(ReadAll(q, stored));
    EXPECT_EQ(StoreToBytes(q), stored);
    double c;
    EXPECT_DOUBLE_EQ(q.GetLeg(c), 20.0);
}

TEST(Position, CurrentAndWindDirectionsAverageAsVectors) {
    CPosition p, opposite;
    p.AddPerformance(72.0, 1.0, 0.0, 0.0);
    p.AddPerformance(262.0, 1.0, 0.0, 0.0);
    p.AddWeather(10.0, 72.0, 1013.0);
    p.AddWeather(10.0, 262.0, 1013.0);
    opposite.AddPerformance(90.0, 2.0, 0.0, 0.0);
    opposite.AddPerformance(270.0, 2.0, 0.0, 0.0);
    double current = 0.0, wind = 0.0, none = 1.0;
    std::int32_t n = 0;
    p.GetCurrent(current, n);
    const double windSpeed = p.GetWeather(wind, n);
    EXPECT_EQ(Row(current, wind, windSpeed, opposite.GetCurrent(none, n), none), "347.00|347.00|10.00|0.00|0.00");
}
