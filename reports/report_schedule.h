#pragma once

#include <optional>
#include <string>

#include "core/time.h"

// The scheduler's values, kept in the settings (section "Keelmark Lite"): which
// report file goes, to whom, and when. A schedule sends while its send box is
// on, a report file is named and a next report time is set.
struct CReportSchedule {
    std::string reportFile;   // "schedreport": the report file the schedule sends
    bool send = false;        // "schedsend"
    std::string address;      // "schedaddress"
    bool print = false;       // "schedprint"
    bool daily = false;       // "scheddaily": false "Every" n hours, true "Daily at" h UTC
    int everyHours = 24;      // "schedevery", 0 .. 999; 0: the next report only
    int dailyHour = 12;       // "schedhour", 0 .. 24 UTC
    int nextDay = 0;          // "schednextday", day of month 0 .. 31; 0: none
    int nextHour = 0;         // "schednexthour", 0 .. 24 UTC
    std::optional<CTime> due; // "schednext": when the next report goes, UTC

    static CReportSchedule Load();
    // False when the settings store refused a value (it names the key).
    bool Save(std::string& error) const;
    bool IsActive() const { return send && !reportFile.empty() && due.has_value(); }
};

// The first moment on day-of-month `day` at `hour` UTC (24: 0 h of the day
// after) that is not before the start of the hour of `from`: this month's when
// it is still to come, else a later month's (months without that day are
// passed over). Nothing for day 0 or a day or hour out of range.
std::optional<CTime> FirstDueTime(int day, int hour, CTime from);

// The report after the one due at `due`, once it is `now`: "Every" n hours on
// from `due` (reports missed while the program was closed are not made up:
// the first still to come), "Daily at" h UTC the first such hour after `now`.
// Nothing after an "Every 0 hours" schedule's one report.
std::optional<CTime> NextDueTime(const CReportSchedule& schedule, CTime due, CTime now);

// Sets `due` from the next report's day and hour as entered (sheet closed with OK).
void ScheduleFromEntry(CReportSchedule& schedule, CTime now);
// Moves the schedule on after a report went out: `due` to the next time, and the
// next report's day and hour to show it.
void AdvanceSchedule(CReportSchedule& schedule, CTime now);
