#include "astro/local_times.h"

#include <cmath>

#include "astro/almanac.h"
#include "astro/astro_object.h"
#include "core/conversion.h"
#include "core/position.h"

namespace {
void FillTimes(const CAstroObject& body, const CPosition& position, BodyTimes& t) {
    body.GetRiseTransitSet(position, t.transit, t.rise, t.set, t.twilightStart, t.twilightEnd);
}
} // namespace

BodyTimes SunTimes(const CPosition& position) {
    CAstroObject sun;
    BodyTimes t;
    double azimuth = 0.0;
    t.altitude = sun.GetAltitudeAzimuth(position, azimuth);
    FillTimes(sun, position, t);
    return t;
}

BodyTimes SunTimesAt(const CPosition& position, double d) {
    CAstroObject sun;
    BodyTimes t;
    double azimuth = 0.0;
    t.altitude = sun.GetAltitudeAzimuthAt(position, azimuth, d);
    FillTimes(sun, position, t);
    return t;
}

bool MoonTimesAt(CAlmanac& almanac, const CPosition& position, double d, BodyTimes& times) {
    for (int i = 0; i < almanac.GetObjectCount(); ++i) {
        const CAstroObject* o = almanac.GetObject(i);
        if (o->GetKind() != kAstroMoon) continue;
        CAstroObject moon = *o; // the almanac's own figures stay as its lists left them
        double azimuth = 0.0;
        times.altitude = moon.GetAltitudeAzimuthAt(position, azimuth, d);
        FillTimes(moon, position, times);
        return true;
    }
    return false;
}

double LocalMeanTimeDifference(double longitude) { return longitude / 15.0; }

double LocalMeanEventTime(double utcHours, double longitude) {
    if (utcHours == kAstroNeverReaches || utcHours == kAstroAlwaysAbove) return utcHours;
    return utcHours + LocalMeanTimeDifference(longitude);
}

CTime LocalMeanTime(CTime utc, double longitude) {
    const CTimeFields f = utc.Utc();
    const double minutes = std::trunc(f.minute + longitude * 4.0);
    if (!std::isfinite(minutes)) return utc;
    return utc + (static_cast<std::int64_t>(minutes) - f.minute) * 60;
}

std::string DayStateText(double altitude, bool portSheet) {
    if (altitude > 0) return "DAY";
    if (altitude > -12 && altitude < 0) return portSheet ? "TWILIGHT" : "DAWN";
    if (altitude < -12) return "NIGHT";
    return "";
}

std::string LocalMeanTimeDifferenceText(double longitude, bool portSheet) {
    const std::string text = CConversion::DegMinText(LocalMeanTimeDifference(longitude));
    if (portSheet) return text + (longitude >= 0 ? " hrs FAST" : " hrs SLOW");
    return text + (longitude > 0 ? " FAST" : " SLOW");
}
