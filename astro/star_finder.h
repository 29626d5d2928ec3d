#pragma once

// The star finder's figures: for each almanac object its altitude and azimuth
// from a position at the position's time stamp, and its rise, meridian passage
// and set, with the texts of the list's columns.

#include <cstdint>
#include <string>
#include <vector>

class CAlmanac;
class CPosition;

struct StarfinderRow {
    int index = 0; // in the almanac
    std::string name;
    std::int32_t kind = 0;
    double altitude = 0.0; // degrees
    double azimuth = 0.0;  // degrees true
    double magnitude = 0.0;
    double rise = 0.0; // UTC hours, see FormatEventTime
    double transit = 0.0;
    double set = 0.0;
};

// The rows the list shows: every object when allObjects, otherwise those
// above the horizon (altitude above 0), in almanac order.
std::vector<StarfinderRow> StarfinderRows(CAlmanac& almanac, const CPosition& position, bool allObjects);

// Column texts, for "Azimuth and Elevation" (riseAndSet false) or "Rise and
// set times": elevation ("down" below the horizon), azimuth, magnitude; or
// rise, meridian passage, set.
void StarfinderTexts(const StarfinderRow& row, bool riseAndSet, std::string& column1, std::string& column2,
                     std::string& column3);
