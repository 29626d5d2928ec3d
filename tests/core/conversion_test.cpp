#include "core/conversion.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Conversion, DegMinTextFormsAndCarries) {
    EXPECT_EQ(CConversion::DegMinText(0.5), "00:30.00");
    EXPECT_EQ(CConversion::DegMinText(-12.25), "12:15.00");
    EXPECT_EQ(CConversion::DegMinText(9.16), "9:09.60");
    EXPECT_EQ(CConversion::DegMinText(52.0001), "52:00.01");
    EXPECT_EQ(CConversion::DegMinText(0.0), "00:00.00");
    EXPECT_EQ(CConversion::DegMinText(123.0), "123:00.00");
    EXPECT_EQ(CConversion::DegMinText(400.0), "400:00.00");
    EXPECT_EQ(CConversion::DegMinText(5.0 + 42.126 / 60.0), "5:42.13");
    // Minutes that round to 60.00 carry into the degrees.
    EXPECT_EQ(CConversion::DegMinText(9.99999), "10:00.00");
    EXPECT_EQ(CConversion::DegMinText(0.99999), "1:00.00");
    EXPECT_EQ(CConversion::DegMinText(-179.999999), "180:00.00");
}

TEST(Conversion, FixedTextFormsAndCarries) {
    EXPECT_EQ(CConversion::FixedText(0.05), "0.05");
    EXPECT_EQ(CConversion::FixedText(-7), "-7.00");
    EXPECT_EQ(CConversion::FixedText(12.3), "12.30");
    EXPECT_EQ(CConversion::FixedText(-0.25), "-0.25");
    EXPECT_EQ(CConversion::FixedText(0.0), "0.00");
    EXPECT_EQ(CConversion::FixedText(1.999), "2.00");
    EXPECT_EQ(CConversion::FixedText(-9.996), "-10.00");
    EXPECT_EQ(CConversion::FixedText(123456789.5), "123456789.50");
    EXPECT_EQ(CConversion::FixedText(NAN), "NaN");
}

TEST(Conversion, TruncateCutsWithoutRounding) {
    EXPECT_DOUBLE_EQ(CConversion::Truncate(12.3456, 2), 12.34);
    EXPECT_DOUBLE_EQ(CConversion::Truncate(-0.999, 1), -0.9);
    EXPECT_DOUBLE_EQ(CConversion::Truncate(2.999, 2), 2.99);
    EXPECT_DOUBLE_EQ(CConversion::Truncate(59.9994, 2), 59.99);
    EXPECT_DOUBLE_EQ(CConversion::Truncate(7.9, 0), 7.0);
    // A value typed as 17.29 and stored as 17.28999... still reads 17.29.
    EXPECT_DOUBLE_EQ(CConversion::Truncate((52.0 + 17.29 / 60.0 - 52.0) * 60.0, 2), 17.29);
}

TEST(Conversion, WholeText) {
    EXPECT_EQ(CConversion::WholeText(12.9), "12");
    EXPECT_EQ(CConversion::WholeText(-3.7), "3");
}

TEST(Conversion, DayNumbers) {
    EXPECT_DOUBLE_EQ(CConversion::DayNumber(CTime::FromUtc(2000, 1, 1)), 1.0);
    EXPECT_DOUBLE_EQ(CConversion::DayNumber(CTime::FromUtc(2001, 4, 26, 12, 0, 0)), 482.5);
    EXPECT_DOUBLE_EQ(CConversion::DayNumber(CTime::FromUtc(1999, 12, 31)), 0.0);
    // Every second of a stretch of days comes back exactly.
    for (std::int64_t s = CTime::FromUtc(2026, 12, 6).GetTime(); s < CTime::FromUtc(2026, 12, 6).GetTime() + 3 * 86400;
         s += 997) {
        const CTime t(s);
        ASSERT_EQ(CConversion::DayNumberToTime(CConversion::DayNumber(t)), t) << t.IsoText();
    }
    EXPECT_EQ(CConversion::DayNumberToTime(1.0), CTime::FromUtc(2000, 1, 1));
    // Fractions of a second are cut, not rounded.
    EXPECT_EQ(CConversion::DayNumberToTime(1.0 + 0.7 / 86400.0), CTime::FromUtc(2000, 1, 1));
    EXPECT_EQ(CConversion::DayNumberText(482.5 + 7.0 / 1440.0), "26 Apr 12:07");
}

TEST(Conversion, AddHoursShowsShipsTime) {
    const CTime t = CTime::FromUtc(2026, 3, 5, 14, 7, 30);
    EXPECT_EQ(CConversion::AddHours(t, -5.5).FormatUtc("%d %b %H:%M"), "05 Mar 08:37");
    EXPECT_EQ(CConversion::AddHours(t, 10.0).FormatUtc("%A %d %b %H:%M"), "Friday 06 Mar 00:07");
}

TEST(Conversion, NormalizeLongitude) {
    EXPECT_DOUBLE_EQ(NormalizeLongitude(181.0), -179.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(-181.0), 179.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(358.0), -2.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(180.0), 180.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(-180.0), -180.0);
    EXPECT_DOUBLE_EQ(NormalizeLongitude(720.5), 0.5);
}

TEST(Time, FormatsAndParses) {
    const CTime t = CTime::FromUtc(2026, 12, 6, 9, 5, 7);
    EXPECT_EQ(t.FormatUtc("%a %A %b %B %d %H:%M:%S %Y %y %j %m %%"),
              "Sun Sunday Dec December 06 09:05:07 2026 26 340 12 %");
    EXPECT_EQ(t.IsoText(), "2026-12-06T09:05:07Z");
    CTime parsed;
    ASSERT_TRUE(CTime::ParseIso("2026-12-06T09:05:07Z", parsed));
    EXPECT_EQ(parsed, t);
    EXPECT_FALSE(CTime::ParseIso("2026-02-29T00:00:00Z", parsed));
    EXPECT_FALSE(CTime::ParseIso("2026-12-06 09:05:07", parsed));
    EXPECT_FALSE(CTime::ParseIso("2026-12-06T24:00:00Z", parsed));
    EXPECT_EQ(CTime(0).IsoText(), "1970-01-01T00:00:00Z");
    EXPECT_EQ(CTime(-1).IsoText(), "1969-12-31T23:59:59Z");
    EXPECT_EQ(CTime::FromUtc(2026, 13, 1), CTime::FromUtc(2027, 1, 1));
}
