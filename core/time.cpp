#include "core/time.h"

#include <cstdio>

namespace {

const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

void Append2(std::string& out, int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    out += buf;
}

} // namespace

std::int64_t DaysFromCivil(int year, int month, int day) {
    // Howard Hinnant's days_from_civil.
    std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

CTime CTime::FromUtc(int year, int month, int day, int hour, int minute, int second) {
    // Months out of 1..12 are carried into the year, like mktime does.
    std::int64_t m0 = static_cast<std::int64_t>(month) - 1;
    std::int64_t y = year + FloorDiv(m0, 12);
    m0 -= FloorDiv(m0, 12) * 12;
    const std::int64_t days = DaysFromCivil(static_cast<int>(y), static_cast<int>(m0 + 1), 1) + (day - 1);
    return CTime(days * 86400 + static_cast<std::int64_t>(hour) * 3600 + static_cast<std::int64_t>(minute) * 60 + second);
}

CTimeFields CTime::Utc() const {
    CTimeFields f;
    const std::int64_t days = FloorDiv(m_seconds, 86400);
    const std::int64_t rest = m_seconds - days * 86400;
    CivilFromDays(days, f.year, f.month, f.day);
    f.hour = static_cast<int>(rest / 3600);
    f.minute = static_cast<int>((rest % 3600) / 60);
    f.second = static_cast<int>(rest % 60);
    f.weekday = static_cast<int>(((days % 7) + 7 + 4) % 7);
    f.yearDay = static_cast<int>(days - DaysFromCivil(f.year, 1, 1));
    return f;
}

std::string CTime::FormatUtc(const char* format) const {
    const CTimeFields f = Utc();
    std::string out;
    for (const char* p = format; *p; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
            continue;
        }
        ++p;
        switch (*p) {
        case 'a': out.append(kDayNames[f.weekday], 3); break;
        case 'A': out += kDayNames[f.weekday]; break;
        case 'b': out.append(kMonthNames[f.month - 1], 3); break;
        case 'B': out += kMonthNames[f.month - 1]; break;
        case 'd': Append2(out, f.day); break;
        case 'e': {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%2d", f.day);
            out += buf;
            break;
        }
        case 'H': Append2(out, f.hour); break;
        case 'I': Append2(out, f.hour % 12 == 0 ? 12 : f.hour % 12); break;
        case 'j': {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%03d", f.yearDay + 1);
            out += buf;
            break;
        }
        case 'm': Append2(out, f.month); break;
        case 'M': Append2(out, f.minute); break;
        case 'p': out += f.hour < 12 ? "AM" : "PM"; break;
        case 'S': Append2(out, f.second); break;
        case 'y': Append2(out, ((f.year % 100) + 100) % 100); break;
        case 'Y': out += std::to_string(f.year); break;
        case '%': out += '%'; break;
        default:
            out += '%';
            out += *p;
            break;
        }
    }
    return out;
}

std::string CTime::IsoText() const { return FormatUtc("%Y-%m-%dT%H:%M:%SZ"); }

bool CTime::ParseIso(const std::string& text, CTime& out) {
    int y, mo, d, h, mi, s;
    char tail = 0;
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':' || text[19] != 'Z')
        return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18})
        if (text[i] < '0' || text[i] > '9') return false;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 7) return false;
    if (mo < 1 || mo > 12 || d < 1 || h > 23 || mi > 59 || s > 59) return false;
    static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (d > kDays[mo - 1] || (mo == 2 && d == 29 && !leap)) return false;
    out = FromUtc(y, mo, d, h, mi, s);
    return true;
}
