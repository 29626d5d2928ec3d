#include "app/calculators.h"

#include <cmath>
#include <limits>

#include "core/conversion.h"
#include "plot/coastline.h"
#include "plot/projection.h"

namespace {

// The calculators' degree factor is 1/57.3, not pi/180.
constexpr double kPerDegree = 1.0 / 57.3;
constexpr double kKilometresToMiles = 0.5399568034557235;

std::optional<double> Finite(double value) {
    if (!std::isfinite(value) || value < 0.0) return std::nullopt;
    return value;
}

} // namespace

CSquat ComputeSquat(double speed, double blockCoefficient, int condition, double draftAft) {
    double squat = speed * speed * blockCoefficient * 0.01;
    if (condition == kCanal) squat *= 2.0;
    return {squat, draftAft + squat};
}

double WheelOverDistance(double oldCourse, double newCourse, double rateOfTurn, double speed) {
    double delta = std::fabs(newCourse - oldCourse);
    if (delta > 180.0) delta = 360.0 - delta;
    return std::tan(delta / 2.0 * kPerDegree) * speed * 0.95 / rateOfTurn;
}

std::optional<double> GeographicalRange(double objectHeight, double eyeHeight) {
    if (objectHeight < 0.0 || eyeHeight < 0.0) return std::nullopt;
    return Finite(2.09 * (std::sqrt(objectHeight) + std::sqrt(eyeHeight)));
}

double ConvertMetric(int conversion, double value) {
    switch (conversion) {
    case 0:
        return value * 1.852;
    case 1:
        return value * kKilometresToMiles;
    case 2:
        return value * 0.3048;
    case 3:
        return value * 3.280839895013123;
    case 4:
        return value * 1.8288;
    case 5:
        return value * 0.5468066491688539;
    case 6:
        return value * kKilometresToMiles;
    case 7:
        return value * 1.852;
    case 8:
        return value * 3.6 * kKilometresToMiles;
    case 9:
        return value * 0.2777777777777778 * 1.852;
    case 10:
        return value * 0.45359;
    case 11:
        return value * 2.204634140964307;
    case 12:
        return value * 0.2 * 9 + 32;
    case 13:
        return (value - 32) * 0.1111111111111111 * 5;
    default:
        return std::numeric_limits<double>::quiet_NaN();
    }
}

std::optional<double> ShoreDistanceByShoreline(double objectHeight, double degrees, double minutes) {
    if (objectHeight < 0.0) return std::nullopt;
    const double alpha = (degrees + minutes / 60.0) * kPerDegree;
    return Finite(objectHeight / std::tan(alpha) * 0.0005399568034557236);
}

std::optional<double> ShoreDistanceByHorizon(double objectHeight, double eyeHeight, double degrees, double minutes) {
    if (objectHeight < 0.0 || eyeHeight < 0.0) return std::nullopt;
    constexpr double kEarthRadius = 6378160.0;
    const double alpha = (degrees + minutes / 60.0) * kPerDegree;
    const double dip = 1.77 * std::sqrt(eyeHeight) * (1.0 / 3438.0);
    const double k = (eyeHeight + kEarthRadius) / (objectHeight + kEarthRadius);
    double d = 25.0;
    // An angle smaller than the dip, say, never settles: the steps are bounded.
    for (int i = 0; i < kHorizonIterations; ++i) {
        const double x = alpha - d * 2.2374367924106146e-05 - dip;
        const double next = (std::acos(k * std::cos(x)) - x) * 3438.0;
        if (!std::isfinite(next)) return std::nullopt;
        const double whole = std::trunc(next - d);
        if (whole >= -1.0 && whole <= 1.0) return Finite(next);
        d = next;
    }
    return std::nullopt;
}

std::optional<CNearestShore> NearestShorePoint(const CCoastline& shoreline, double latitude, double longitude) {
    constexpr double kRad = 3.14159265358979323846 / 180.0;
    const double lat1 = latitude * kRad;
    const double sinLat1 = std::sin(lat1), cosLat1 = std::cos(lat1);
    std::optional<CNearestShore> best;
    double bestArc = std::numeric_limits<double>::infinity(); // radians
    for (const CCoastline::Segment& s : shoreline.Segments()) {
        // No point of a segment is nearer than its nearest latitude.
        const double north = LatitudeFromMercatorY(s.bounds.top), south = LatitudeFromMercatorY(s.bounds.bottom);
        const double gap = latitude > north ? latitude - north : latitude < south ? south - latitude : 0.0;
        if (gap * kRad > bestArc) continue;
        for (std::uint32_t i = s.first; i < s.first + s.count; ++i) {
            const CGeoPoint p = Unproject({shoreline.X()[i], shoreline.Y()[i]});
            const double lat2 = p.latitude * kRad;
            const double dLon = (p.longitude - longitude) * kRad;
            const double a =
                std::pow(std::sin((lat2 - lat1) / 2), 2) + cosLat1 * std::cos(lat2) * std::pow(std::sin(dLon / 2), 2);
            const double arc = 2.0 * std::asin(std::min(1.0, std::sqrt(a)));
            if (arc >= bestArc) continue;
            bestArc = arc;
            double bearing = std::atan2(std::sin(dLon) * std::cos(lat2),
                                        cosLat1 * std::sin(lat2) - sinLat1 * std::cos(lat2) * std::cos(dLon)) /
                             kRad;
            if (bearing < 0.0) bearing += 360.0;
            best = CNearestShore{arc / kRad * 60.0, bearing, p.latitude, NormalizeLongitude(p.longitude)};
        }
    }
    return best;
}
