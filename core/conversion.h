#pragma once

#include <string>

#include "core/time.h"

// Angle, day-number and number-text conversions shared by the whole system.
// Pi is deliberately the ten-digit 3.141592654: results elsewhere depend on it.
class CConversion {
public:
    static constexpr double kPi = 3.141592654;

    double GetPi() const { return kPi; }
    static double DegToRad(double degrees) { return degrees / (180.0 / kPi); }
    static double RadToDeg(double radians) { return (180.0 / kPi) * radians; }

    // Days, with fractions, from 2000 January 0.0 UT (2000-01-01 00:00 UT is day 1.0).
    static double DayNumber(CTime t);
    // The instant of a day number, to the whole second.
    static CTime DayNumberToTime(double dayNumber);
    // "%d %b %H:%M" of the instant, in UTC.
    static std::string DayNumberText(double dayNumber);

    // Unsigned D:MM.mm; minutes that round to 60.00 carry into the degrees.
    static std::string DegMinText(double degrees);
    // Signed text with two decimals; hundredths that round to 100 carry.
    static std::string FixedText(double value);
    // Cut (not rounded) to n decimals, sign kept.
    static double Truncate(double value, double decimals);
    // The instant t advanced by h hours (whole minutes), for showing ship's time:
    // format the result in UTC.
    static CTime AddHours(CTime t, double hours);
    // |x| cut to a whole number, without sign.
    static std::string WholeText(double value);
};

// Brings a longitude, or a difference of longitudes, into -180..180 degrees.
double NormalizeLongitude(double degrees);
