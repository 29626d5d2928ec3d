#include "astro/sight_reduction.h"

#include <cmath>

#include "astro/astro_object.h"
#include "core/conversion.h"
#include "core/position.h"

namespace {
constexpr double kDipFactor = 1.77;        // minutes of arc per root metre
constexpr double kRefractionFactor = 0.97; // minutes of arc times cot(apparent altitude)
constexpr double kMoonParallax = 53.8;     // minutes of arc
constexpr double kMoonSemiDiameterRatio = 0.272446;
} // namespace

double DipCorrection(double heightOfEye) {
    // Below the keel line the root has no value; no dip rather than a NaN in every figure.
    if (!(heightOfEye > 0.0)) return 0.0;
    return kDipFactor * std::sqrt(heightOfEye) / 60.0;
}

double RefractionCorrection(double apparentAltitude) {
    return kRefractionFactor * std::tan(CConversion::DegToRad(90.0 - apparentAltitude)) / 60.0;
}

double ParallaxAndSemiDiameter(std::int32_t kind, double altitude) {
    if (kind != kAstroMoon) return 0.0;
    return (std::cos(CConversion::DegToRad(altitude)) + kMoonSemiDiameterRatio) * kMoonParallax / 60.0;
}

double ObservedAltitude(std::int32_t kind, double sextantAltitude, double heightOfEye) {
    const double ha = sextantAltitude - DipCorrection(heightOfEye);
    const double ho = ha - RefractionCorrection(ha);
    return ho + ParallaxAndSemiDiameter(kind, ho);
}

CTime SightTime(CTime stamp, int hours, int minutes, int seconds) {
    const CTimeFields f = stamp.Utc();
    return CTime::FromUtc(f.year, f.month, f.day, hours, minutes, seconds);
}

SightReduction ReduceSight(CAstroObject& object, const CPosition& assumed, CTime at, double sextantAltitude,
                           double heightOfEye) {
    CPosition working = assumed;
    working.SetTime(at);
    SightReduction r;
    double azimuth = 0.0;
    r.hc = object.GetAltitudeAzimuth(working, azimuth);
    r.ho = ObservedAltitude(object.GetKind(), sextantAltitude, heightOfEye);
    r.intercept = CConversion::Truncate((r.ho - r.hc) * 60.0, 2);
    r.azimuth = CConversion::Truncate(azimuth, 2);
    return r;
}

void SplitElevation(double altitude, int& degrees, double& minutes) {
    if (!(altitude > 0.0)) {
        degrees = 0;
        minutes = 0.0;
        return;
    }
    const double whole = std::trunc(altitude);
    degrees = static_cast<int>(whole);
    minutes = CConversion::Truncate((altitude - whole) * 60.0, 2);
}
