#pragma once

#include <cstdint>
#include <string>

// Civil date and time fields, all UTC unless a caller says otherwise.
struct CTimeFields {
    int year = 1970;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4; // 0 = Sunday
    int yearDay = 0; // 0-based
};

// A point in time: whole seconds since 1970-01-01 00:00:00 UTC.
class CTime {
public:
    constexpr CTime() = default;
    constexpr explicit CTime(std::int64_t seconds) : m_seconds(seconds) {}

    static CTime FromUtc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    // Parses "YYYY-MM-DDTHH:MM:SSZ"; false when the text is not such a time.
    static bool ParseIso(const std::string& text, CTime& out);

    constexpr std::int64_t GetTime() const { return m_seconds; }
    CTimeFields Utc() const;

    // strftime-like formatting in UTC, independent of the C locale:
    // %a %A %b %B %d %e %H %I %j %m %M %p %S %y %Y %%.
    std::string FormatUtc(const char* format) const;
    std::string IsoText() const; // "YYYY-MM-DDTHH:MM:SSZ"

    constexpr CTime operator+(std::int64_t seconds) const { return CTime(m_seconds + seconds); }
    constexpr CTime operator-(std::int64_t seconds) const { return CTime(m_seconds - seconds); }
    constexpr std::int64_t operator-(CTime other) const { return m_seconds - other.m_seconds; }
    constexpr auto operator<=>(const CTime&) const = default;

private:
    std::int64_t m_seconds = 0;
};

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t DaysFromCivil(int year, int month, int day);
void CivilFromDays(std::int64_t days, int& year, int& month, int& day);
