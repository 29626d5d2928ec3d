#include "app/schedule.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "support/model_test.h"

namespace {

CScheduleFields Fields(int year, int month, int day, int hour, int minute, int second = 0) {
    return {day, month, year, hour, minute, second};
}

} // namespace

TEST(Schedule, ZoneHoursOutsideTheDayMoveTheDateAndComeBackExactly) {
    // An hour east at 23 h, five west at 01 h; month, year and leap-day ends; half and quarter hours kept.
    for (auto [utc, offset, zone] :
         {std::tuple{CTime::FromUtc(2026, 3, 14, 23, 10, 5), 1.0, Fields(2026, 3, 15, 0, 10, 5)},
          {CTime::FromUtc(2026, 3, 14, 1, 0, 0), -5.0, Fields(2026, 3, 13, 20, 0, 0)},
          {CTime::FromUtc(2026, 12, 31, 22, 0), 3.0, Fields(2027, 1, 1, 1, 0)},
          {CTime::FromUtc(2028, 3, 1, 1, 0), -3.0, Fields(2028, 2, 29, 22, 0)},
          {CTime::FromUtc(2026, 6, 1, 2, 0), -3.5, Fields(2026, 5, 31, 22, 30)},
          {CTime::FromUtc(2026, 6, 1, 20, 0), 5.75, Fields(2026, 6, 2, 1, 45)}}) {
        EXPECT_EQ(ZoneFieldsFromUtc(utc, offset), zone) << utc.IsoText() << " " << offset;
        EXPECT_EQ(UtcFromZoneFields(zone, offset), utc) << utc.IsoText() << " " << offset;
    }
}

TEST(Schedule, OffsetsAndCalendarDates) {
    // Damaged offsets from a file must not throw the date thousands of years off.
    for (auto [hours, seconds] : {std::pair{5.5, 19800},
                                  {-3.5, -12600},
                                  {5.75, 20700},
                                  {std::numeric_limits<double>::quiet_NaN(), 0},
                                  {1e300, 0}})
        EXPECT_EQ(ZoneOffsetSeconds(hours), seconds) << hours;
    for (auto [year, month, day, valid] : {std::tuple{2026, 12, 31, true},
                                           {2028, 2, 29, true},
                                           {2026, 2, 29, false},
                                           {2100, 2, 29, false},
                                           {2026, 4, 31, false},
                                           {2026, 5, 0, false}})
        EXPECT_EQ(IsCalendarDate(Fields(year, month, day, 0, 0)), valid) << year << "-" << month << "-" << day;
}

TEST_F(ModelTest, ScheduleIsTheDestinationsTimeAndMarksTheDocument) {
    Make(MakeChannelCrossing);
    SetScheduledArrival(*doc, kNow + 86400);
    EXPECT_EQ(Row(v->GetFirst()->GetTime(), v->GetLast()->GetTime(), doc->IsModified()),
              Row(kNow - 7200, kNow + 86400, true));
}
