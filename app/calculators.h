#pragma once

#include <optional>

class CCoastline;

// The bridge calculators' formulas. A result without a finite value (an angle of
// 0, a negative height, an iteration that does not settle) is no result: the
// dialogs show it as an empty field.

// Squat in metres at `speed` knots: speed² × block coefficient / 100, doubled in
// a canal; and the draft aft with it.
enum SquatCondition { kCanal = 0, kOpenSea = 1 };
struct CSquat {
    double squat = 0.0;
    double maxDraft = 0.0;
};
CSquat ComputeSquat(double speed, double blockCoefficient, int condition, double draftAft);

// Nautical miles before the waypoint to put the wheel over for a course change
// at `rateOfTurn` degrees a minute.
double WheelOverDistance(double oldCourse, double newCourse, double rateOfTurn, double speed);

// Geographical range in nautical miles of an object of `objectHeight` metres
// seen from `eyeHeight` metres; nothing for a negative height.
std::optional<double> GeographicalRange(double objectHeight, double eyeHeight);

// The metric conversions, in the order of their list.
inline constexpr int kMetricConversionCount = 14;
inline constexpr const char* kMetricConversions[kMetricConversionCount] = {"nautical Miles to kilometers",
                                                                           "kilometers to nautical Miles",
                                                                           "feet to meters",
                                                                           "meters to feet",
                                                                           "fathoms to meters",
                                                                           "meters to fathoms",
                                                                           "kilometers/hour to knots",
                                                                           "knots to kilometers/hour",
                                                                           "meters/second to knots",
                                                                           "knots to meters/second",
                                                                           "pounds to kilogram",
                                                                           "kilogram to pounds",
                                                                           "Celcius to Fahrenheit",
                                                                           "Fahrenheit to Celcius"};
inline constexpr int kDefaultMetricConversion = 4;
double ConvertMetric(int conversion, double value);

// Distance to shore in nautical miles from the vertical sextant angle (degrees
// and minutes) of an object `objectHeight` metres high: by the angle between
// its top and the shoreline below it, or between its top and the sea horizon
// (iterated, at most `kHorizonIterations` steps).
enum ShoreMethod { kTopAndShoreline = 0, kTopAndHorizon = 1 };
inline constexpr int kHorizonIterations = 100;
std::optional<double> ShoreDistanceByShoreline(double objectHeight, double degrees, double minutes);
std::optional<double> ShoreDistanceByHorizon(double objectHeight, double eyeHeight, double degrees, double minutes);

// The nearest point of a shoreline to a position, on the sphere: its distance
// in nautical miles and its initial great-circle bearing (degrees true).
struct CNearestShore {
    double distance = 0.0;
    double bearing = 0.0;
    double latitude = 0.0;
    double longitude = 0.0;
};
std::optional<CNearestShore> NearestShorePoint(const CCoastline& shoreline, double latitude, double longitude);
