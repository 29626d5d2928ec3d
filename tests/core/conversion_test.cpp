#include "core/conversion.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Conversion, Texts) {
    const std::pair<double, const char*> degMin[] = {
        {0.5, "00:30.00"},     {-12.25, "12:15.00"},       {9.16, "9:09.60"},
        {52.0001, "52:00.01"}, {123.0, "123:00.00"},       {5.0 + 42.126 / 60.0, "5:42.13"},
        {9.99999, "10:00.00"}, {-179.999999, "180:00.00"}, // minutes that round to 60 carry
    };
    for (auto [v, text] : degMin)
        EXPECT_EQ(CConversion::DegMinText(v), text) << v;
    const std::pair<double, const char*> fixed[] = {{0.05, "0.05"},  {-7, "-7.00"},      {-0.25, "-0.25"},
                                                    {1.999, "2.00"}, {-9.996, "-10.00"}, {123456789.5, "123456789.50"},
                                                    {NAN, "NaN"}};
    for (auto [v, text] : fixed)
        EXPECT_EQ(CConversion::FixedText(v), text) << v;
    EXPECT_EQ(CConversion::WholeText(12.9), "12");
    EXPECT_EQ(CConversion::WholeText(-3.7), "3");
    // Truncate cuts; a value typed as 17.29 and stored as 17.28999... still reads 17.29.
    for (auto [v, places, cut] : {std::tuple{12.3456, 2, 12.34},
                                  {-0.999, 1, -0.9},
                                  {7.9, 0, 7.0},
                                  {(52.0 + 17.29 / 60.0 - 52.0) * 60.0, 2, 17.29}})
        EXPECT_DOUBLE_EQ(CConversion::Truncate(v, places), cut) << v;
}

TEST(Conversion, DayNumbersHoursAndLongitudes) {
    EXPECT_DOUBLE_EQ(CConversion::DayNumber(CTime::FromUtc(2000, 1, 1)), 1.0);
    EXPECT_DOUBLE_EQ(CConversion::DayNumber(CTime::FromUtc(2001, 4, 26, 12, 0, 0)), 482.5);
    const CTime odd = CTime::FromUtc(2026, 12, 6, 17, 43, 59);
    EXPECT_EQ(CConversion::DayNumberToTime(CConversion::DayNumber(odd)), odd);
    EXPECT_EQ(CConversion::DayNumberToTime(1.0 + 0.7 / 86400.0), CTime::FromUtc(2000, 1, 1)) << "cut, not rounded";
    EXPECT_EQ(CConversion::DayNumberText(482.5 + 7.0 / 1440.0), "26 Apr 12:07");

    const CTime t = CTime::FromUtc(2026, 3, 5, 14, 7, 30);
    EXPECT_EQ(CConversion::AddHours(t, -5.5).FormatUtc("%d %b %H:%M"), "05 Mar 08:37");
    EXPECT_EQ(CConversion::AddHours(t, 10.0).FormatUtc("%A %d %b %H:%M"), "Friday 06 Mar 00:07");
    for (auto [in, out] :
         {std::pair{181.0, -179.0}, {-181.0, 179.0}, {358.0, -2.0}, {180.0, 180.0}, {-180.0, -180.0}, {720.5, 0.5}})
        EXPECT_DOUBLE_EQ(NormalizeLongitude(in), out) << in;
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
}
