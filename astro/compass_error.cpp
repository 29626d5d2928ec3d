#include "astro/compass_error.h"

#include <cmath>

#include "astro/astro_object.h"
#include "astro/sight_reduction.h"
#include "core/conversion.h"
#include "core/position.h"

namespace {
constexpr double kGyroFactor = -0.063;
constexpr double kDegreesPerRadian = 57.3;
} // namespace

double CompassCorrection(double calculatedAzimuth, double compassBearing) {
    // A bearing of 359 against an azimuth of 1 is 2 degrees out, not -358.
    return CConversion::Truncate(NormalizeLongitude(calculatedAzimuth - compassBearing), 2);
}

double GyroSpeedCorrection(double speed, double course, double latitude) {
    return kGyroFactor * speed * std::cos(course / kDegreesPerRadian) / std::cos(latitude / kDegreesPerRadian);
}

double CalculatedAzimuth(CAstroObject& object, const CPosition& position, int hours, int minutes) {
    CPosition working = position;
    working.SetTime(SightTime(position.GetTime(), hours, minutes, position.GetTime().Utc().second));
    double azimuth = 0.0;
    object.GetAltitudeAzimuth(working, azimuth);
    return CConversion::Truncate(azimuth, 2);
}

std::string AzimuthLogLine(double compassBearing, double calculatedAzimuth, double correction) {
    return "Azimuth Compass " + CConversion::FixedText(compassBearing) +
           " deg, True = " + CConversion::FixedText(calculatedAzimuth) +
           " deg, Correction = " + CConversion::FixedText(correction) + " deg";
}
