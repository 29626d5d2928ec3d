#pragma once

#include <cmath>
#include <cstdint>

// Directions (degrees, 0..360) averaged as vectors, so that 350 and 010
// average to 000 and not to 180. Header-only, for every running mean of a
// direction: the wind's as unit vectors, the current's with its drift.

namespace direction_mean {

inline constexpr double kDegrees = 57.29577951308232; // degrees per radian

// The mean direction of two weighted directions; a zero resultant (opposite
// directions of equal weight) keeps the first.
inline double Combine(double first, double firstWeight, double second, double secondWeight) {
    const double x = firstWeight * std::cos(first / kDegrees) + secondWeight * std::cos(second / kDegrees);
    const double y = firstWeight * std::sin(first / kDegrees) + secondWeight * std::sin(second / kDegrees);
    if (std::fabs(x) < 1e-12 && std::fabs(y) < 1e-12) return first;
    double mean = std::atan2(y, x) * kDegrees;
    if (mean < 0.0) mean += 360.0;
    // Keep 360 out: a mean a hair below 0 shows as 0.
    return mean >= 360.0 - 1e-9 ? 0.0 : mean;
}

} // namespace direction_mean

// The running mean after one more direction, the mean so far standing for `count` directions.
inline double RunningMeanDirection(double mean, std::int32_t count, double direction) {
    if (count <= 0) return direction;
    return direction_mean::Combine(mean, static_cast<double>(count), direction, 1.0);
}

struct CVectorMean {
    double length;
    double direction; // 0 .. 360; 0 when the vectors cancel
};

// The running mean of vectors (a length and a direction each) after one more,
// the mean so far standing for `count` of them: two opposite sets of equal drift
// make no current, not one at right angles to both.
inline CVectorMean RunningMeanVector(double meanLength, double meanDirection, std::int32_t count, double length,
                                     double direction) {
    if (count <= 0) return {length, direction};
    const double n = static_cast<double>(count);
    const double a = meanDirection / direction_mean::kDegrees;
    const double b = direction / direction_mean::kDegrees;
    const double north = (n * meanLength * std::cos(a) + length * std::cos(b)) / (n + 1);
    const double east = (n * meanLength * std::sin(a) + length * std::sin(b)) / (n + 1);
    const double resultant = std::hypot(north, east);
    if (!(resultant > 1e-9)) return {0.0, 0.0};
    double mean = std::atan2(east, north) * direction_mean::kDegrees;
    if (mean < 0.0) mean += 360.0;
    return {resultant, mean >= 360.0 - 1e-9 ? 0.0 : mean};
}
