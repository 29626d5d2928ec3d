#include "app/schedule.h"

#include <cmath>

#include "document/keelmark_lite_doc.h"

namespace {

constexpr double kSecondsPerHour = 3600.0;
// No zone on earth is further than this from UTC; anything beyond is a damaged value.
constexpr double kLargestOffsetHours = 48.0;

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

} // namespace

std::int64_t ZoneOffsetSeconds(double zoneOffsetHours) {
    if (!std::isfinite(zoneOffsetHours) || std::fabs(zoneOffsetHours) > kLargestOffsetHours) return 0;
    return std::llround(zoneOffsetHours * kSecondsPerHour);
}

CScheduleFields ZoneFieldsFromUtc(CTime utc, double zoneOffsetHours) {
    const CTimeFields f = (utc + ZoneOffsetSeconds(zoneOffsetHours)).Utc();
    return {f.day, f.month, f.year, f.hour, f.minute, f.second};
}

CTime UtcFromZoneFields(const CScheduleFields& fields, double zoneOffsetHours) {
    const CTime zone = CTime::FromUtc(fields.year, fields.month, fields.day, fields.hour, fields.minute, fields.second);
    return zone - ZoneOffsetSeconds(zoneOffsetHours);
}

bool IsCalendarDate(const CScheduleFields& fields) {
    static const int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (fields.month < 1 || fields.month > 12 || fields.day < 1) return false;
    const int days = kDaysInMonth[fields.month - 1] + (fields.month == 2 && IsLeap(fields.year) ? 1 : 0);
    return fields.day <= days;
}

void SetScheduledArrival(CKeelmarkLiteDoc& doc, CTime utc) {
    doc.GetVoyage().GetLast()->SetTime(utc);
    doc.SetModifiedFlag();
}
