#include <cctype>
#include <cmath>
#include <string>

#include "astro/astro_object.h"
#include "core/conversion.h"
#include "core/position.h"

namespace {

// The solar elements built into every computation.
constexpr double kSunPerihelion = 282.9404;
constexpr double kSunPerihelionRate = 4.70935e-5;
constexpr double kSunEccentricity = 0.016709;
constexpr double kSunEccentricityRate = -1.151e-9;
constexpr double kSunMeanAnomaly = 356.047;
constexpr double kSunMeanAnomalyRate = 0.9856002585;
constexpr double kObliquity = 23.4393;
constexpr double kObliquityRate = -3.563e-7;
constexpr double kKeplerTolerance = 0.0001;
// A diverging solution (an eccentricity of 1 or more) must not hang the watch.
constexpr int kKeplerMaxSteps = 100;
// Jupiter's and Saturn's mean anomalies for their mutual terms, each used for the other.
constexpr double kJupiterMeanAnomaly = 19.8950;
constexpr double kJupiterMeanAnomalyRate = 0.0830853001;
constexpr double kSaturnMeanAnomaly = 316.9670;
constexpr double kSaturnMeanAnomalyRate = 0.0334442282;
// The Moon's elements count in terrestrial time, which runs some 69 s ahead of
// UT in these years; in that time the Moon moves 0.6'.
constexpr double kMoonTimeOffsetDays = 69.0 / 86400.0;

double Rad(double degrees) { return CConversion::DegToRad(degrees); }

// Subtracts 360 while above 360, adds 360 while below 0; a huge value is
// first brought near the range so the loops stay short.
double Reduce360(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    if (std::fabs(degrees) > 36000.0) degrees = std::fmod(degrees, 360.0);
    while (degrees > 360.0)
        degrees -= 360.0;
    while (degrees < 0.0)
        degrees += 360.0;
    return degrees;
}

bool NameIs(const std::string& name, const char* wanted) {
    std::size_t i = 0;
    for (; wanted[i]; ++i)
        if (i >= name.size() || std::tolower(static_cast<unsigned char>(name[i])) != wanted[i]) return false;
    return i == name.size();
}

// Ecliptic longitude, latitude (radians) and distance of a vector, and back.
struct Spherical {
    double lon, lat, r;
};
Spherical ToSpherical(double x, double y, double z) {
    return {std::atan2(y, x), std::atan2(z, std::sqrt(x * x + y * y)), std::sqrt(x * x + y * y + z * z)};
}
void FromSpherical(const Spherical& s, double& x, double& y, double& z) {
    x = s.r * std::cos(s.lon) * std::cos(s.lat);
    y = s.r * std::sin(s.lon) * std::cos(s.lat);
    z = s.r * std::sin(s.lat);
}

// A periodic term of the Moon: coefficient x sin (cos for the distance) of
// d x D + m x M + s x Ms + f x F, from the mean elongation D, the Moon's and
// the Sun's mean anomalies M and Ms and the argument of latitude F.
struct LunarTerm {
    double coefficient;
    int d, m, s, f;
};

// Degrees of longitude: evection, variation, yearly equation, ..., parallactic
// equation, and their companions down to about 0.1'.
constexpr LunarTerm kMoonLongitude[] = {
    {-1.274, -2, 1, 0, 0}, {0.658, 2, 0, 0, 0},    {-0.186, 0, 0, 1, 0},   {-0.059, -2, 2, 0, 0},
    {-0.057, -2, 1, 1, 0}, {0.053, 2, 1, 0, 0},    {0.046, 2, 0, -1, 0},   {0.041, 0, 1, -1, 0},
    {-0.035, 1, 0, 0, 0},  {-0.031, 0, 1, 1, 0},   {-0.015, -2, 0, 0, 2},  {0.011, 4, -1, 0, 0},
    {0.0085, 4, -2, 0, 0}, {-0.0079, 2, -1, 1, 0}, {-0.0068, 2, 0, 1, 0},  {-0.0052, 1, -1, 0, 0},
    {0.0050, 1, 0, 1, 0},  {0.0040, 2, 1, -1, 0},  {0.0040, 2, 2, 0, 0},   {0.0039, 4, 0, 0, 0},
    {0.0037, 2, -3, 0, 0}, {-0.0027, 0, -2, 1, 0}, {-0.0026, 2, -1, 0, 2}, {0.0024, 2, -2, -1, 0},
    {-0.0023, 1, 1, 0, 0}, {0.0022, 2, 0, -2, 0},  {-0.0021, 0, 2, 1, 0},  {-0.0021, 0, 0, 2, 0},
};
// Degrees of latitude.
constexpr LunarTerm kMoonLatitude[] = {
    {-0.173, -2, 0, 0, 1}, {-0.055, -2, 1, 0, -1}, {-0.046, -2, 1, 0, 1},  {0.033, 2, 0, 0, 1},    {0.017, 2, 1, 0, -1},
    {0.0088, 2, 1, 0, 1},  {0.0082, 2, 0, -1, -1}, {0.0043, 2, -1, -1, 1}, {0.0042, 2, -2, 0, -1},
};
// Earth radii of distance.
constexpr LunarTerm kMoonDistance[] = {{-0.58, -2, 1, 0, 0}, {-0.46, 2, 0, 0, 0}};

template <std::size_t n>
double SumTerms(const LunarTerm (&terms)[n], double D, double M, double Ms, double F, bool cosine = false) {
    double sum = 0.0;
    for (const LunarTerm& t : terms) {
        const double argument = t.d * D + t.m * M + t.s * Ms + t.f * F;
        sum += t.coefficient * (cosine ? std::cos(argument) : std::sin(argument));
    }
    return sum;
}

// The Moon's largest periodic terms, from its own mean elements and the Sun's.
void PerturbMoon(double M, double w, double N, double Ms, double Ls, Spherical& s) {
    const double Lm = M + w + N; // the Moon's mean longitude
    const double D = Lm - Ls;    // mean elongation
    const double F = Lm - N;     // argument of latitude
    s.lon += Rad(SumTerms(kMoonLongitude, D, M, Ms, F));
    s.lat += Rad(SumTerms(kMoonLatitude, D, M, Ms, F));
    s.r += SumTerms(kMoonDistance, D, M, Ms, F, true);
}

// Jupiter's and Saturn's great inequality and companions, from both mean anomalies (radians).
void PerturbJupiter(double Mj, double Ms, Spherical& s) {
    const double lon = -0.332 * std::sin(2 * Mj - 5 * Ms - Rad(67.6)) - 0.056 * std::sin(2 * Mj - 2 * Ms + Rad(21)) +
                       0.042 * std::sin(3 * Mj - 5 * Ms + Rad(21)) - 0.036 * std::sin(Mj - 2 * Ms) +
                       0.022 * std::cos(Mj - Ms) + 0.023 * std::sin(2 * Mj - 3 * Ms + Rad(52)) -
                       0.016 * std::sin(Mj - 5 * Ms - Rad(69));
    s.lon += Rad(lon);
}

void PerturbSaturn(double Mj, double Ms, Spherical& s) {
    const double lon = 0.812 * std::sin(2 * Mj - 5 * Ms - Rad(67.6)) - 0.229 * std::cos(2 * Mj - 4 * Ms - Rad(2)) +
                       0.119 * std::sin(Mj - 2 * Ms - Rad(3)) + 0.046 * std::sin(2 * Mj - 6 * Ms - Rad(69)) +
                       0.014 * std::sin(Mj - 3 * Ms + Rad(32));
    const double lat = -0.020 * std::cos(2 * Mj - 4 * Ms - Rad(2)) + 0.018 * std::sin(2 * Mj - 6 * Ms - Rad(49));
    s.lon += Rad(lon);
    s.lat += Rad(lat);
}

} // namespace

void CAstroObject::ComputePosition(double d) {
    const CConversion conv;
    const AstroOrbit& o = m_orbit;
    const double de = m_kind == kAstroMoon ? d + kMoonTimeOffsetDays : d; // the elements' day number
    const double N = conv.DegToRad(o.ascendingNode + o.ascendingNodeDailyMotion * de);
    const double i = conv.DegToRad(o.inclination + o.inclinationDailyMotion * de);
    const double w = conv.DegToRad(o.perihelionArgument + o.perihelionArgumentDailyMotion * de);
    const double a = o.semiMajorAxis + o.semiMajorAxisDailyChange * de;
    const double e = o.eccentricity + o.eccentricityDailyChange * de;
    const double M = conv.DegToRad(o.meanAnomaly + o.meanAnomalyDailyMotion * de);

    const double ecl = conv.DegToRad(kObliquity + kObliquityRate * d);

    double E = M + e * std::sin(M) * (1.0 + e * std::cos(M));
    for (int step = 0; step < kKeplerMaxSteps; ++step) {
        const double next = E - (E - e * std::sin(E) - M) / (1.0 - e * std::cos(E));
        const double change = std::fabs(next - E);
        E = next;
        if (!(change > kKeplerTolerance)) break;
    }

    const double xv = a * (std::cos(E) - e);
    const double yv = a * std::sqrt(1.0 - e * e) * std::sin(E);
    const double v = std::atan2(yv, xv);
    const double r = std::sqrt(xv * xv + yv * yv);

    const double u = v + w;
    double xh = r * (std::cos(N) * std::cos(u) - std::sin(N) * std::sin(u) * std::cos(i));
    double yh = r * (std::sin(N) * std::cos(u) + std::cos(N) * std::sin(u) * std::cos(i));
    double zh = r * std::sin(u) * std::sin(i);

    double L;
    double Ms = M; // the Sun's mean anomaly
    if (m_kind == kAstroSun) {
        m_sunDistance = r;
        m_sunLongitude = u;
        L = M + w;
    } else {
        const double ws = conv.DegToRad(kSunPerihelion + kSunPerihelionRate * d);
        const double es = kSunEccentricity + kSunEccentricityRate * d;
        Ms = conv.DegToRad(kSunMeanAnomaly + kSunMeanAnomalyRate * d);
        const double Es = Ms + es * std::sin(Ms) * (1.0 + es * std::cos(Ms));
        const double xs = std::cos(Es) - es;
        const double ys = std::sqrt(1.0 - es * es) * std::sin(Es);
        m_sunDistance = std::sqrt(xs * xs + ys * ys);
        m_sunLongitude = std::atan2(ys, xs) + ws;
        L = Ms + ws;
    }
    const double sidereal = L + CConversion::kPi;

    // The periodic terms the mean elements leave out.
    if (m_kind == kAstroMoon) {
        Spherical s = ToSpherical(xh, yh, zh);
        PerturbMoon(M, w, N, Ms, L, s);
        FromSpherical(s, xh, yh, zh);
    } else if (m_kind == kAstroPlanet && (NameIs(m_name, "jupiter") || NameIs(m_name, "saturn"))) {
        Spherical s = ToSpherical(xh, yh, zh);
        if (NameIs(m_name, "jupiter"))
            PerturbJupiter(M, conv.DegToRad(kSaturnMeanAnomaly + kSaturnMeanAnomalyRate * d), s);
        else
            PerturbSaturn(conv.DegToRad(kJupiterMeanAnomaly + kJupiterMeanAnomalyRate * d), M, s);
        FromSpherical(s, xh, yh, zh);
    }

    double xg = xh, yg = yh;
    const double zg = zh;
    if (m_kind == kAstroPlanet) {
        xg = m_sunDistance * std::cos(m_sunLongitude) + xh;
        yg = m_sunDistance * std::sin(m_sunLongitude) + yh;
    }

    if (m_kind != kAstroStar) {
        const double xe = xg;
        const double ye = yg * std::cos(ecl) - zg * std::sin(ecl);
        const double ze = yg * std::sin(ecl) + zg * std::cos(ecl);
        m_rightAscension = conv.RadToDeg(std::atan2(ye, xe));
        m_declination = conv.RadToDeg(std::atan2(ze, std::sqrt(xe * xe + ye * ye)));
    }

    const double utAngle = (d - std::trunc(d)) * 360.0;
    m_siderealAngle = Reduce360(conv.RadToDeg(sidereal));
    m_gha = Reduce360(utAngle + m_siderealAngle - m_rightAscension);
}

void CAstroObject::UpdatePosition(CTime time) { ComputePosition(CConversion::DayNumber(time)); }

double CAstroObject::GetAltitudeAzimuth(const CPosition& position, double& azimuth) {
    return GetAltitudeAzimuthAt(position, azimuth, CConversion::DayNumber(position.GetTime()));
}

double CAstroObject::GetAltitudeAzimuthAt(const CPosition& position, double& azimuth, double d) {
    ComputePosition(d);
    const double gpLatitude = m_declination;
    const double gpLongitude = 360.0 - m_gha;
    const double zenithDistance = position.DistanceTo(gpLatitude, gpLongitude, CPosition::kGreatCircle);
    m_altitude = 90.0 - zenithDistance / 60.0;
    azimuth = position.CourseTo(gpLatitude, gpLongitude, CPosition::kGreatCircle);
    return m_altitude;
}

void CAstroObject::GetRiseTransitSet(const CPosition& position, double& transit, double& rise, double& set,
                                     double& twilightStart, double& twilightEnd) const {
    transit = (m_rightAscension - m_siderealAngle - position.GetLongitude()) / 15.0;
    if (std::isfinite(transit)) {
        if (std::fabs(transit) > 2400.0) transit = std::fmod(transit, 24.0);
        while (transit > 24.0)
            transit -= 24.0;
        while (transit < 0.0)
            transit += 24.0;
    }
    const double latitude = CConversion::DegToRad(position.GetLatitude());
    GetHourAngleTimes(kAstroHorizonAltitude, latitude, transit, rise, set);
    GetHourAngleTimes(kAstroTwilightAltitude, latitude, transit, twilightStart, twilightEnd);
}

AstroCrossing CAstroObject::GetHourAngleTimes(double altitude, double latitude, double transit, double& earlier,
                                              double& later) const {
    const double dec = CConversion::DegToRad(m_declination);
    const double c = (std::sin(altitude) - std::sin(dec) * std::sin(latitude)) / (std::cos(dec) * std::cos(latitude));
    if (c < -1.0) {
        earlier = later = kAstroAlwaysAbove;
        return AstroCrossing::AlwaysAbove;
    }
    // Above 1, or no answer at all (a pole with the body on the equator): it never gets there.
    if (!(c <= 1.0)) {
        earlier = later = kAstroNeverReaches;
        return AstroCrossing::NeverReaches;
    }
    const double H = CConversion::RadToDeg(std::acos(c));
    earlier = transit - H / 15.0;
    later = transit + H / 15.0;
    return AstroCrossing::Crosses;
}

std::string FormatEventTime(double hours) {
    if (hours == kAstroAlwaysAbove) return kAstroAlwaysAboveText;
    const std::string text = CConversion::DegMinText(hours);
    return hours < 0 ? "-" + text : text;
}
