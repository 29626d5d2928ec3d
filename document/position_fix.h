#pragma once

#include <string>

#include "core/coordinate_fields.h"
#include "core/time.h"

class CKeelmarkLiteDoc;
class CPosition;

// The fields of the "Position Fix" dialog; date and time are UTC.
struct CPositionFixFields {
    std::string description;
    int day = 0;
    int hour = 0;
    int minute = 0;
    CCoordinateFields latitude;
    CCoordinateFields longitude;
};

inline constexpr const char* kFixAheadOfNowText = "Date and time can not be ahead of present time!";

// The instant of a fix typed as UTC day, hour and minute: the year and month are
// those of `now` in UTC, the seconds 0. A day past the month's end runs on into
// the next month and day 0 is the previous month's last day.
CTime FixTimeFromUtcFields(CTime now, int day, int hour, int minute);

// What the dialog shows for a GPS fix now: "GPS Fix 05 Dec 14:30 UTC", the UTC
// day, hour and minute, and the present position.
CPositionFixFields GpsFixFields(const CPosition& present, CTime now);

// False, after telling the user, when the typed time lies ahead of the clock.
bool IsFixTimeAcceptable(const CPositionFixFields& fields);

// Records the fix through the document. When it was taken and "logpos" is on,
// the event log receives FixLogText of the new fix. False when the document
// refused the fix.
bool RecordGpsFix(CKeelmarkLiteDoc& doc, const CPositionFixFields& fields);

// The log entry of a fix: its name, a blank, latitude text, two blanks, longitude text.
std::string FixLogText(const CPosition& fix);
