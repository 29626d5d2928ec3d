#pragma once

// Compass error by azimuth: the correction between a compass bearing of a
// body and its calculated true azimuth, brought into -180..180, the gyro's
// speed correction, and the event-log line.

#include <string>

class CAstroObject;
class CPosition;

// Calculated azimuth minus compass bearing, cut to two decimals, in -180..180
// (positive: the compass reads low).
double CompassCorrection(double calculatedAzimuth, double compassBearing);
// -0.063 x speed x cos(course) / cos(latitude), degrees.
double GyroSpeedCorrection(double speed, double course, double latitude);
// The object's true azimuth from the position at the UTC date of its time
// stamp with these hours and minutes (seconds of the stamp), cut to two decimals.
double CalculatedAzimuth(CAstroObject& object, const CPosition& position, int hours, int minutes);
// "Azimuth Compass B deg, True = T deg, Correction = C deg".
std::string AzimuthLogLine(double compassBearing, double calculatedAzimuth, double correction);
