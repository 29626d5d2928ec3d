#pragma once

#include <cstdint>

#include "core/time.h"

class CKeelmarkLiteDoc;

// The scheduled arrival as the "Select date and time" dialog shows it: calendar
// fields in the destination's zone time.
struct CScheduleFields {
    int day = 1;
    int month = 1; // 1..12
    int year = 1970;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const CScheduleFields&) const = default;
};

// A zone offset in hours as whole seconds; half and quarter hours are kept.
// An offset that is not a finite number counts as 0.
std::int64_t ZoneOffsetSeconds(double zoneOffsetHours);

// The UTC instant as zone time. A zone hour before 0 or past 23 falls on the
// previous or next calendar day (months and years roll over with it).
CScheduleFields ZoneFieldsFromUtc(CTime utc, double zoneOffsetHours);
// The zone-time fields back to the UTC instant; the exact inverse of the above.
CTime UtcFromZoneFields(const CScheduleFields& fields, double zoneOffsetHours);

// Whether the day exists in that month and year (31 April and month 0 do not).
bool IsCalendarDate(const CScheduleFields& fields);
inline constexpr const char* kNoSuchDateText = "Please enter a date that exists in the calendar.";

// The destination's scheduled arrival (UTC); the document is marked modified.
void SetScheduledArrival(CKeelmarkLiteDoc& doc, CTime utc);
