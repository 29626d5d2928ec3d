#include "core/position.h"

#include <gtest/gtest.h>

#include "core/archive.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"

namespace {

CPosition At(double lat, double lon) {
    CPosition p;
    p.SetLatitude(lat);
    p.SetLongitude(lon);
    return p;
}

} // namespace

TEST(Position, Defaults) {
    CFakeServices fake;
    fake.clock.Set(CTime::FromUtc(2026, 5, 1, 12, 0, 0));
    CPosition p;
    EXPECT_EQ(p.GetName(), "New Position");
    EXPECT_EQ(p.GetTime(), CTime::FromUtc(2026, 5, 1, 12, 0, 0));
    EXPECT_EQ(p.GetKind(), CPosition::kFix);
    EXPECT_EQ(p.GetProceedVia(), CPosition::kRhumbLine);
    EXPECT_EQ(p.GetAveragePressure(), 1000.0);
    // Pseudo-random coordinates in the north-east quadrant.
    for (int i = 0; i < 200; ++i) {
        CPosition q;
        EXPECT_GE(q.GetLatitude(), 0.0);
        EXPECT_LE(q.GetLatitude(), 90.0);
        EXPECT_GE(q.GetLongitude(), 0.0);
        EXPECT_LE(q.GetLongitude(), 180.0);
    }
}

TEST(Position, CoordinateTexts) {
    CPosition p = At(-0.5, 0.0);
    EXPECT_EQ(p.GetLatitudeDegrees(), 0);
    EXPECT_DOUBLE_EQ(p.GetLatitudeMinutes(), 30.0);
    EXPECT_TRUE(p.IsSouth());
    EXPECT_EQ(p.GetLatitudeText(), "00:30.00 South");
    EXPECT_EQ(p.GetLongitudeText(), "00:00.00 East");

    p = At(0.0, -4.0 - 5.0 / 60.0);
    EXPECT_EQ(p.GetLatitudeText(), "00:00.00 North");
    EXPECT_EQ(p.GetLongitudeText(), "4:05.00 West");
    EXPECT_EQ(p.GetLongitudeDegrees(), 4);
    EXPECT_TRUE(p.IsWest());

    p = At(52.375, 0.0);
    EXPECT_EQ(p.GetLatitudeText(), "52:22.50 North");

    // Minutes are cut, never rounded up to 60.
    p = At(10.99999, 0.0);
    EXPECT_DOUBLE_EQ(p.GetLatitudeMinutes(), 59.99);
    EXPECT_EQ(p.GetLatitudeDegrees(), 10);
}

TEST(Position, ProceedViaAcceptsOnlyZeroOrOne) {
    CPosition p;
    p.SetProceedVia(2);
    EXPECT_EQ(p.GetProceedVia(), 0);
    p.SetProceedVia(1);
    EXPECT_EQ(p.GetProceedVia(), 1);
    p.SetProceedVia(-1);
    EXPECT_EQ(p.GetProceedVia(), 0);
}

TEST(Position, RelativeTextNamesTheCompassPoint) {
    CPosition departure = At(10.0, 0.0);
    departure.SetName("Departure");
    // 12.5 nM on a course of about 22.5..45: NNE.
    CPosition probe = departure;
    probe.SetProceedVia(0);
    const double course = 30.0;
    probe.SailRhumbLine(12.5, course);
    const std::string text = departure.GetRelativeText(probe.GetLatitude(), probe.GetLongitude());
    EXPECT_EQ(text, "12.50 nM  NNE from Departure");

    // 20 degrees is index 0 (N), 359 is index 15 (NNW).
    CPosition north = departure;
    north.SailRhumbLine(60.0, 20.0);
    EXPECT_NE(departure.GetRelativeText(north.GetLatitude(), north.GetLongitude()).find(" nM  N from"),
              std::string::npos);
    CPosition nnw = departure;
    nnw.SailRhumbLine(60.0, 359.0);
    EXPECT_NE(departure.GetRelativeText(nnw.GetLatitude(), nnw.GetLongitude()).find(" nM  NNW from"),
              std::string::npos);
    CPosition east = departure;
    east.SailRhumbLine(60.0, 100.0);
    EXPECT_NE(departure.GetRelativeText(east.GetLatitude(), east.GetLongitude()).find(" nM  E from"),
              std::string::npos);
}

TEST(Position, RunningAverages) {
    CPosition p;
    p.SetSpeed(12.0);
    p.AddPerformance(90.0, 1.0, 8.0, 80.0);
    p.SetSpeed(14.0);
    p.AddPerformance(180.0, 2.0, 9.0, 90.0);
    double dir;
    std::int32_t count;
    EXPECT_DOUBLE_EQ(p.GetCurrent(dir, count), 1.5);
    EXPECT_DOUBLE_EQ(dir, 135.0);
    EXPECT_EQ(count, 2);
    EXPECT_DOUBLE_EQ(p.GetAverageSpeed(), 13.0);
    EXPECT_DOUBLE_EQ(p.GetAverageDraft(), 8.5);
    EXPECT_DOUBLE_EQ(p.GetAverageEngineRpm(), 85.0);

    CPosition w;
    double speed = 20, direction = 270, pressure = 995;
    w.AddWeather(speed, direction, pressure);
    EXPECT_DOUBLE_EQ(w.GetWeather(dir, count), 20.0);
    EXPECT_EQ(count, 1);
    EXPECT_DOUBLE_EQ(w.GetAveragePressure(), 995.0);
    EXPECT_DOUBLE_EQ(w.GetMaximumWindSpeed(), 20.0);
    EXPECT_DOUBLE_EQ(w.GetWindDirectionAtMaximum(), 270.0);
    EXPECT_DOUBLE_EQ(w.GetMinimumPressure(), 995.0);
    double same = 20, otherDir = 90, higher = 1005;
    w.AddWeather(same, otherDir, higher);
    EXPECT_DOUBLE_EQ(w.GetWindDirectionAtMaximum(), 270.0) << "an equal wind speed is not a new maximum";
    EXPECT_DOUBLE_EQ(w.GetMinimumPressure(), 995.0);
    EXPECT_DOUBLE_EQ(w.GetAveragePressure(), 1000.0);
}

TEST(Position, StoredLayoutFieldByField) {
    CFakeServices fake;
    CPosition p;
    p.SetCourse(90.5);
    p.SetLatitude(52.5);
    p.SetLongitude(-4.25);
    p.SetSpeed(12.0);
    p.SetName("Ab");
    p.SetTime(CTime(0x01020304));
    p.SetProceedVia(0);
    p.SetKind(0);
    p.SetETA(9800.5);
    p.SetZoneOffset(-5.0);
    p.SetExtraValue(3.0);
    double ws = 30, wd = 180, pr = 990;
    p.AddWeather(ws, wd, pr);

    const std::string expected = LeDouble(90.5) + LeDouble(0.0) + LeDouble(52.5) + LeDouble(-4.25) + LeDouble(12.0) +
                                 Hex("02 41 62") + Hex("04 03 02 01") + LeLong(0) + LeLong(0) + LeDouble(990.0) +
                                 LeLong(1) + LeDouble(30.0) + LeDouble(180.0) + LeDouble(0.0) + LeDouble(0.0) +
                                 LeLong(0) + LeDouble(9800.5) + LeDouble(0.0) + LeDouble(0.0) + LeDouble(0.0) +
                                 LeDouble(0.0) + LeLong(0) + LeDouble(-5.0) + LeDouble(3.0) + LeDouble(990.0) +
                                 LeDouble(180.0) + LeDouble(30.0);
    ASSERT_EQ(expected.size(), 185u + 2u);
    const std::string stored = StoreToBytes(p);
    EXPECT_EQ(ToHex(stored), ToHex(expected));

    // Read back into a fresh position: every stored field, bit for bit.
    CPosition q;
    CBinaryReader r(stored);
    q.Serialize(r);
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(StoreToBytes(q), stored);
    EXPECT_FALSE(q.IsBusy());
}

TEST(Position, LongNameUsesTheThreeBytePrefix) {
    CPosition p;
    p.SetName(std::string(300, 'n'));
    EXPECT_EQ(StoreToBytes(p).size(), 187u + 300u);
}

TEST(Position, LegFieldsAreNotStored) {
    CPosition p;
    const double course = 45.0, distance = 100.0;
    p.SetLeg(course, distance);
    CPosition q;
    const double qc = 10.0, qd = 20.0;
    q.SetLeg(qc, qd);
    const std::string stored = StoreToBytes(p);
    CBinaryReader r(stored);
    q.Serialize(r);
    double c;
    EXPECT_DOUBLE_EQ(q.GetLeg(c), 20.0);
    EXPECT_DOUBLE_EQ(c, 10.0);
}

TEST(Position, FailedReadClearsTheBusyFlag) {
    CPosition p;
    const std::string rBytes = std::string(20, '\0');
    CBinaryReader r(rBytes);
    EXPECT_THROW(p.Serialize(r), CArchiveException);
    EXPECT_FALSE(p.IsBusy());
    const double c = 1.0, d = 2.0;
    p.SetLeg(c, d);
    double out;
    EXPECT_DOUBLE_EQ(p.GetLeg(out), 2.0) << "guarded updates work again after a failed read";
}
