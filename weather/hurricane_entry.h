#pragma once

#include <cstdint>
#include <string>

class CPosition;

inline constexpr const char* kHurricaneIncompleteText =
    "Oops... you didn't fill in all the correct details\nPlease try again!";
// Above this maximum wind (knots) a cyclone is a hurricane (kind 0), else a storm (kind 1).
inline constexpr double kHurricaneWindLimit = 60.0;
inline constexpr std::int32_t kHurricaneKind = 0;
inline constexpr std::int32_t kStormKind = 1;

// The fields of the cyclone sheet as the user types them, and the rules that
// carry them to and from the cyclone's position.
struct CHurricaneEntry {
    std::string name;
    double centerPressure = 0.0; // mbar
    int tendency = 0;            // HurricaneTendencyList() index, -1 none
    double maxWind = 0.0;        // knots
    double radius = 0.0;         // nM
    int day = 0;                 // UTC day of month, 0..31
    int hour = 0;                // 0..24
    int minute = 0;              // 0..59
    int latitudeDegrees = 0;
    double latitudeMinutes = 0.0;
    int latitudeHemisphere = -1; // 0 North, 1 South, -1 none (counts as North)
    int longitudeDegrees = 0;
    double longitudeMinutes = 0.0;
    int longitudeHemisphere = -1; // 0 East, 1 West, -1 none (counts as East)
    double course = 0.0;
    double speed = 0.0;

    // The sheet for a cyclone just added: its name, everything else empty.
    static CHurricaneEntry ForNew(const CPosition& cyclone);
    // The sheet for updating: the cyclone's figures, minutes cut to two decimals,
    // the time stamp's UTC day, hour and minute.
    static CHurricaneEntry From(const CPosition& cyclone);

    // Writes the entry into the cyclone. The time stamp keeps the year and month of
    // the cyclone's own; day, hour and minute are the entered ones (seconds 0), with
    // values outside the calendar rolling over into the next or previous day or month.
    void ApplyTo(CPosition& cyclone) const;
    // As ApplyTo for a cyclone just added, but a day of 0 means the sheet was not
    // filled in: that is reported and nothing is written.
    bool ApplyNewTo(CPosition& cyclone) const;
};
