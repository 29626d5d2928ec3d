#include "core/conversion.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double kSecondFactor = 1.1574074074074073e-05;
constexpr double kMinuteFactor = 0.0006944444444444445;
constexpr double kHourFactor = 0.041666666666666664;
// Seconds from 1970-01-01 to 1999-12-31 00:00 UT, day number 0.
constexpr std::int64_t kDayZeroSeconds = 946598400;

std::string NonFiniteText(double value) {
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Infinity" : "Infinity";
}

} // namespace

double CConversion::DayNumber(CTime t) {
    const CTimeFields f = t.Utc();
    const long long Y = f.year, M = f.month, D = f.day;
    // Integer divisions truncate toward zero, as the formula is defined.
    const long long d = 367 * Y - (7 * (Y + (M + 9) / 12)) / 4 + (275 * M) / 9 + D - 730530;
    return static_cast<double>(d) + f.second * kSecondFactor + f.minute * kMinuteFactor + f.hour * kHourFactor;
}

CTime CConversion::DayNumberToTime(double dayNumber) {
    if (!std::isfinite(dayNumber)) return CTime(kDayZeroSeconds);
    const double seconds = dayNumber * 86400.0;
    // Snap values that are a whole second but for rounding noise, so that
    // DayNumberToTime(DayNumber(t)) is t; otherwise cut to the whole second.
    const double nearest = std::round(seconds);
    const double whole = std::fabs(seconds - nearest) < 1e-3 ? nearest : std::floor(seconds);
    if (whole > 9.2e15 || whole < -9.2e15) return CTime(kDayZeroSeconds);
    return CTime(kDayZeroSeconds + static_cast<std::int64_t>(whole));
}

std::string CConversion::DayNumberText(double dayNumber) {
    return DayNumberToTime(dayNumber).FormatUtc("%d %b %H:%M");
}

std::string CConversion::DegMinText(double degrees) {
    if (!std::isfinite(degrees)) return NonFiniteText(degrees);
    const double a = std::fabs(degrees);
    double g = std::floor(a);
    // Minutes rounded to hundredths, kept as a whole number of hundredths.
    double hundredths = std::round((a - g) * 60.0 * 100.0);
    if (hundredths >= 6000.0) {
        hundredths -= 6000.0;
        g += 1.0;
    }
    char buf[64];
    if (g == 0.0) std::snprintf(buf, sizeof buf, "00:%02d.%02d", static_cast<int>(hundredths / 100), static_cast<int>(std::fmod(hundredths, 100.0)));
    else std::snprintf(buf, sizeof buf, "%.0f:%02d.%02d", g, static_cast<int>(hundredths / 100), static_cast<int>(std::fmod(hundredths, 100.0)));
    return buf;
}

std::string CConversion::FixedText(double value) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    const double a = std::fabs(value);
    double i = std::trunc(a);
    double h = std::round((a - i) * 100.0);
    if (h >= 100.0) {
        h -= 100.0;
        i += 1.0;
    }
    char buf[512];
    std::snprintf(buf, sizeof buf, "%s%.0f.%02d", value < 0 ? "-" : "", i, static_cast<int>(h));
    return buf;
}

double CConversion::Truncate(double value, double decimals) {
    if (!std::isfinite(value)) return value;
    const double a = std::fabs(value);
    const double i = std::trunc(a);
    const double scale = std::pow(10.0, decimals);
    // A hair of tolerance: 17.29 minutes stored as 17.28999... is still 17.29.
    const double cut = i + std::floor(scale * (a - i) + 1e-7) / scale;
    return value < 0 ? -cut : cut;
}

CTime CConversion::AddHours(CTime t, double hours) {
    const double minutes = std::trunc(hours * 60.0);
    if (!std::isfinite(minutes) || std::fabs(minutes) > 1e12) return t;
    return t + static_cast<std::int64_t>(minutes) * 60;
}

std::string CConversion::WholeText(double value) {
    if (!std::isfinite(value)) return NonFiniteText(value);
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.0f", std::trunc(std::fabs(value)));
    return buf;
}

double NormalizeLongitude(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    double r = std::remainder(degrees, 360.0); // -180..180
    if (r == -180.0 && degrees > 0) r = 180.0;
    return r;
}
