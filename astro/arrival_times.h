#pragma once

// The times the "Local Times" page of the position and port sheets shows for
// an arrival.

#include <string>

struct ArrivalTimeTexts {
    std::string difference; // local mean time against UTC, "4:00.00 FAST"
    std::string utc;        // the ETA in UTC
    std::string localMean;  // ... in local mean time
    std::string local;      // ... on the local clock (zone offset)
    std::string dayState;   // "DAY", "DAWN"/"TWILIGHT", "NIGHT" or ""
};

// For an arrival at day number `eta` at the longitude, with the local clock
// `zoneOffset` hours fast on UTC and the Sun at `sunAltitude` degrees: the
// position sheet writes UTC and local time "%A %d %b %H:%M" and local mean time
// "%d %b %H:%M"; the port sheet writes all three "%d %b %H:%M".
ArrivalTimeTexts ArrivalTimes(double longitude, double zoneOffset, double eta, double sunAltitude, bool portSheet);
