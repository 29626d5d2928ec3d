#include "app/schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/model_test.h"

namespace {

CScheduleFields Fields(int year, int month, int day, int hour, int minute, int second = 0) {
    return {day, month, year, hour, minute, second};
}

} // namespace

TEST(Schedule, ZoneHoursOutsideTheDayMoveTheDate) {
    // The cases the dialog met: 23 h UTC an hour east of Greenwich, 01 h UTC five hours west.
    EXPECT_EQ(ZoneFieldsFromUtc(CTime::FromUtc(2026, 3, 14, 23, 10, 5), 1.0), Fields(2026, 3, 15, 0, 10, 5));
    EXPECT_EQ(ZoneFieldsFromUtc(CTime::FromUtc(2026, 3, 14, 1, 0, 0), -5.0), Fields(2026, 3, 13, 20, 0, 0));
    // Month, year and leap-day ends, both ways.
    EXPECT_EQ(ZoneFieldsFromUtc(CTime::FromUtc(2026, 4, 30, 23, 30), 2.0), Fields(2026, 5, 1, 1, 30));
    EXPECT_EQ(ZoneFieldsFromUtc(CTime::FromUtc(2026, 12, 31, 22, 0), 3.0), Fields(2027, 1, 1, 1, 0));
    EXPECT_EQ(ZoneFieldsFromUtc(CTime::FromUtc(2028, 3, 1, 1, 0), -3.0), Fields(2028, 2, 29, 22, 0));
    // Half and quarter hours are kept, not cut away.
    EXPECT_EQ(ZoneFieldsFromUtc(CTime::FromUtc(2026, 6, 1, 2, 0), -3.5), Fields(2026, 5, 31, 22, 30));
    EXPECT_EQ(ZoneFieldsFromUtc(CTime::FromUtc(2026, 6, 1, 20, 0), 5.75), Fields(2026, 6, 2, 1, 45));
    EXPECT_EQ(UtcFromZoneFields(Fields(2027, 1, 1, 1, 0), 3.0), CTime::FromUtc(2026, 12, 31, 22, 0));
}

TEST(Schedule, RoundTripIsExact) {
    const double offsets[] = {0.0, 1.0, -1.0, 5.5, -3.5, 5.75, 12.75, 14.0, -9.5, -12.0};
    const CTime starts[] = {CTime::FromUtc(2026, 12, 31, 0, 0, 0), CTime::FromUtc(2028, 2, 28, 12, 0, 0),
                            CTime::FromUtc(2000, 1, 1, 0, 0, 0)};
    for (double offset : offsets)
        for (CTime start : starts)
            for (int step = 0; step < 96; ++step) {
                const CTime utc = start + step * 1807; // every half hour and a bit, across two days
                const CScheduleFields zone = ZoneFieldsFromUtc(utc, offset);
                EXPECT_TRUE(IsCalendarDate(zone));
                ASSERT_EQ(UtcFromZoneFields(zone, offset), utc) << offset << " " << utc.IsoText();
            }
}

TEST(Schedule, OffsetsAndCalendarDates) {
    EXPECT_EQ(ZoneOffsetSeconds(5.5), 19800);
    EXPECT_EQ(ZoneOffsetSeconds(-3.5), -12600);
    EXPECT_EQ(ZoneOffsetSeconds(5.75), 20700);
    // Damaged offsets from a file must not throw the date thousands of years off.
    EXPECT_EQ(ZoneOffsetSeconds(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ZoneOffsetSeconds(1e300), 0);

    for (auto [year, month, day, valid] : {std::tuple{2026, 12, 31, true},
                                           {2028, 2, 29, true},
                                           {2000, 2, 29, true},
                                           {2026, 2, 29, false},
                                           {2100, 2, 29, false},
                                           {2026, 4, 31, false},
                                           {2026, 0, 15, false},
                                           {2026, 5, 0, false}})
        EXPECT_EQ(IsCalendarDate(Fields(year, month, day, 0, 0)), valid) << year << "-" << month << "-" << day;
}

TEST_F(ModelTest, ScheduleIsTheDestinationsTimeAndMarksTheDocument) {
    auto doc = Channel();
    const CTime arrival = CTime::FromUtc(2026, 12, 24, 6, 30);
    SetScheduledArrival(*doc, arrival);
    EXPECT_EQ(doc->GetVoyage().GetLast()->GetTime(), arrival);
    EXPECT_NE(doc->GetVoyage().GetFirst()->GetTime(), arrival);
    EXPECT_TRUE(doc->IsModified());
}
