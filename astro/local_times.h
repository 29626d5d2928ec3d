#pragma once

// Local times of the Sun (and of the almanac's Moon) for a position: twilight,
// rise, meridian passage, set and twilight end in UTC hours, the day state,
// local mean time, and the texts of the "Times" dialog and of the "Astro" and
// "Local Times" pages.

#include <string>

#include "core/time.h"

class CAlmanac;
class CPosition;

struct BodyTimes {
    double altitude = 0.0; // degrees, at the instant computed for
    double twilightStart = 0.0;
    double rise = 0.0;
    double transit = 0.0;
    double set = 0.0;
    double twilightEnd = 0.0;
};

// A default Sun at the position's own time stamp ("Times" dialog, port sheet).
BodyTimes SunTimes(const CPosition& position);
// A default Sun at day number d (position sheet).
BodyTimes SunTimesAt(const CPosition& position, double d);
// The first object of kind Moon of the almanac at day number d; false when the
// almanac has none.
bool MoonTimesAt(CAlmanac& almanac, const CPosition& position, double d, BodyTimes& times);

// Hours local mean time is ahead of UTC: longitude / 15.
double LocalMeanTimeDifference(double longitude);
// An event time (UTC hours) in local mean time; the never-reaches and
// always-above marks stay as they are.
double LocalMeanEventTime(double utcHours, double longitude);
// The present UTC time with its minutes advanced by the whole part of
// longitude x 4 (local mean time, to the minute).
CTime LocalMeanTime(CTime utc, double longitude);

// "DAY", "DAWN" (position sheet) or "TWILIGHT" (port sheet), "NIGHT", or ""
// for an altitude of exactly 0 or -12.
std::string DayStateText(double altitude, bool portSheet);
// "4:00.00 FAST" / " SLOW" (position sheet), "4:00.00 hrs FAST" (port sheet).
std::string LocalMeanTimeDifferenceText(double longitude, bool portSheet);
