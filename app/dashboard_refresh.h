#pragma once

#include <optional>
#include <string>

#include "core/time.h"

class CKeelmarkLiteDoc;

// Everything the dashboard shows after one refresh, as numbers and as the texts
// of its fields. The desktop dashboard and `keelmark status` both use it.
struct CDashboardFigures {
    // The destination's scheduled time has come: the dashboard shows
    // "Enter Schedule to proceed" and nothing else is computed.
    bool scheduleExpired = false;

    // Present dead reckoning
    double latitude = 0.0;
    double longitude = 0.0;
    std::string latitudeText;
    std::string longitudeText;
    double trueCourse = 0.0;
    double trueSpeed = 0.0;
    std::string trueCourseText;
    std::string trueSpeedText;
    std::string popularPositionText;

    // Next waypoint
    std::string nextWaypointName;
    double bearing = 0.0;
    double distance = 0.0;
    std::string bearingText;
    std::string distanceText;

    // Voyage
    double remainingDistance = 0.0; // cut to 2 decimals
    double remainingHours = 0.0;
    std::string remainingHoursText;
    double requiredSpeed = 0.0;
    double requiredRpm = 0.0;
    std::string requiredSpeedText;
    std::string requiredRpmText;
    std::optional<CTime> eta; // destination zone time: format in UTC
    std::string etaText;      // empty when the ship does not get there at its present speed

    // Speed made good since the reference fix
    std::string referenceName;
    double distanceMade = 0.0;  // cut to 2 decimals
    double speedMadeGood = 0.0; // cut to 2 decimals; 0 under a minute since the reference
    double hoursSinceReference = 0.0;
    double hoursSinceLastFix = 0.0;
    double presentSpeed = 0.0; // cut to 2 decimals

    // Track and bars
    int courseSteered = 0;
    int steer = 0;
    int sliderPosition = 0; // -10 (port) .. +10 (starboard)
    int barMaximum = 0;     // both bars run 0 .. barMaximum
    int upperBar = 0;       // present speed
    int lowerBar = 0;       // speed made good
    bool flashRequiredSpeed = false;

    // Average current at the next waypoint
    double currentDirection = 0.0;
    double currentSpeed = 0.0;
};

inline constexpr const char* kEnterScheduleText = "Enter Schedule to proceed";
inline constexpr const char* kDashboardEtaFormat = "%A %d %b %H:%M";

// One refresh at the present time of the clock service: dead-reckons the ship,
// picks the next waypoint, updates the ETAs and works out every figure shown.
CDashboardFigures RefreshDashboard(CKeelmarkLiteDoc& doc);
