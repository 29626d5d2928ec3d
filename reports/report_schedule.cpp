#include "reports/report_schedule.h"

#include "platform/services.h"

namespace {

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 24 * kHour;
// Enough months to meet every day of the month (a 31st comes within 2).
constexpr int kMonthsSearched = 13;

int DaysInMonth(int year, int month) {
    const int nextYear = month == 12 ? year + 1 : year;
    const int nextMonth = month == 12 ? 1 : month + 1;
    return static_cast<int>(DaysFromCivil(nextYear, nextMonth, 1) - DaysFromCivil(year, month, 1));
}

bool Flag(const char* key) { return services::GetInt(key, 0) != 0; }

} // namespace

CReportSchedule CReportSchedule::Load() {
    CReportSchedule s;
    s.reportFile = services::GetString("schedreport", "");
    s.send = Flag("schedsend");
    s.address = services::GetString("schedaddress", "");
    s.print = Flag("schedprint");
    s.daily = Flag("scheddaily");
    s.everyHours = services::GetInt("schedevery", s.everyHours);
    s.dailyHour = services::GetInt("schedhour", s.dailyHour);
    s.nextDay = services::GetInt("schednextday", 0);
    s.nextHour = services::GetInt("schednexthour", 0);
    CTime due;
    if (CTime::ParseIso(services::GetString("schednext", ""), due)) s.due = due;
    return s;
}

bool CReportSchedule::Save(std::string& error) const {
    ISettingsStore& store = services::Settings();
    const std::string section = "Keelmark Lite";
    bool ok = true;
    auto text = [&](const char* key, const std::string& value) {
        if (ok && !store.SetString(section, key, value)) {
            ok = false;
            error = std::string("The setting \"") + key + "\" could not be stored: " + store.LastError();
        }
    };
    auto number = [&](const char* key, int value) {
        if (ok && !store.SetInt(section, key, value)) {
            ok = false;
            error = std::string("The setting \"") + key + "\" could not be stored: " + store.LastError();
        }
    };
    text("schedreport", reportFile);
    number("schedsend", send ? 1 : 0);
    text("schedaddress", address);
    number("schedprint", print ? 1 : 0);
    number("scheddaily", daily ? 1 : 0);
    number("schedevery", everyHours);
    number("schedhour", dailyHour);
    number("schednextday", nextDay);
    number("schednexthour", nextHour);
    text("schednext", due ? due->IsoText() : "");
    return ok;
}

std::optional<CTime> FirstDueTime(int day, int hour, CTime from) {
    if (day < 1 || day > 31 || hour < 0 || hour > 24) return std::nullopt;
    const CTimeFields f = from.Utc();
    const CTime hourStart = CTime::FromUtc(f.year, f.month, f.day, f.hour);
    int year = f.year, month = f.month;
    for (int i = 0; i < kMonthsSearched; ++i) {
        if (day <= DaysInMonth(year, month)) {
            const CTime at = CTime::FromUtc(year, month, day) + hour * kHour;
            if (at >= hourStart) return at;
        }
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return std::nullopt;
}

std::optional<CTime> NextDueTime(const CReportSchedule& schedule, CTime due, CTime now) {
    if (schedule.daily) {
        if (schedule.dailyHour < 0 || schedule.dailyHour > 24) return std::nullopt;
        const CTimeFields f = now.Utc();
        CTime at = CTime::FromUtc(f.year, f.month, f.day) + schedule.dailyHour * kHour;
        while (at <= now)
            at = at + kDay;
        return at;
    }
    if (schedule.everyHours <= 0) return std::nullopt;
    const std::int64_t step = schedule.everyHours * kHour;
    if (due > now) return due + step;
    return due + ((now - due) / step + 1) * step;
}

void ScheduleFromEntry(CReportSchedule& schedule, CTime now) {
    schedule.due = FirstDueTime(schedule.nextDay, schedule.nextHour, now);
}

void AdvanceSchedule(CReportSchedule& schedule, CTime now) {
    schedule.due = schedule.due ? NextDueTime(schedule, *schedule.due, now) : std::nullopt;
    if (!schedule.due) {
        schedule.nextDay = 0;
        schedule.nextHour = 0;
        return;
    }
    const CTimeFields f = schedule.due->Utc();
    schedule.nextDay = f.day;
    schedule.nextHour = f.hour;
}
