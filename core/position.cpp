#include "core/position.h"

#include <cmath>
#include <numbers>

#include "core/archive.h"
#include "core/conversion.h"
#include "core/direction_mean.h"

namespace {

constexpr double kHalfPi = std::numbers::pi / 2.0;
constexpr double kNmToDegrees = 0.016666666666666666;
constexpr double kRhumbCourseQuarterPi = 0.7853981635;
constexpr double kTwoPi = 6.283185308;
constexpr double kCompassIndexFactor = 0.044444444444444446;

// Latitude in radians, kept on the sphere: with the ten-digit pi, 90 degrees
// would otherwise come out a hair beyond the pole and flip tangents and cosines.
double LatitudeRadians(double degrees) {
    const double r = CConversion::DegToRad(degrees);
    if (r > kHalfPi) return kHalfPi;
    if (r < -kHalfPi) return -kHalfPi;
    return r;
}

// Longitude difference in radians, taken the short way round (-180..180 degrees).
double LongitudeDifference(double from, double to) { return CConversion::DegToRad(NormalizeLongitude(to - from)); }

double MeridionalDifference(double phi1, double phi2, double quarterPi) {
    return std::log(std::fabs(std::tan(phi2 / 2.0 + quarterPi) / std::tan(phi1 / 2.0 + quarterPi)));
}

// dPhi / dPsi, the factor that turns longitude into departure along a rhumb line.
// For (nearly) equal latitudes the quotient of two tiny differences loses its
// digits; its limit, the cosine of the latitude, is used there instead.
double RhumbFactor(double phi1, double phi2, double quarterPi) {
    const double dPhi = phi2 - phi1;
    if (std::fabs(dPhi) < 1e-6) return std::cos((phi1 + phi2) / 2.0);
    return dPhi / MeridionalDifference(phi1, phi2, quarterPi);
}

const char* const kCompassPoints[17] = {"  N",   "  NNE", " NE",   "  ENE", "  E",  "  ESE", "  SE",  "  SSE", "  S",
                                        "  SSW", "  SW",  "  WSW", "  W",   " WNW", "  NW",  "  NNW", "   N"};

// Keeps the busy flag set for the span of a Serialize, even if it fails.
class BusyGuard {
public:
    explicit BusyGuard(std::int32_t& flag) : m_flag(flag) { m_flag = 1; }
    ~BusyGuard() { m_flag = 0; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    std::int32_t& m_flag;
};



} // namespace

CPosition::CPosition(double latitude, double longitude, CTime time)
    : m_time(time), m_longitude(longitude), m_latitude(latitude) {}

void CPosition::SetProceedVia(std::int32_t mode) { m_proceedVia = (mode == 0 || mode == 1) ? mode : 0; }

int CPosition::GetLatitudeDegrees() const { return static_cast<int>(std::floor(std::fabs(m_latitude))); }
int CPosition::GetLongitudeDegrees() const { return static_cast<int>(std::floor(std::fabs(m_longitude))); }

double CPosition::GetLatitudeMinutes() const {
    const double a = std::fabs(m_latitude);
    return CConversion::Truncate((a - std::floor(a)) * 60.0, 2);
}

double CPosition::GetLongitudeMinutes() const {
    const double a = std::fabs(m_longitude);
    return CConversion::Truncate((a - std::floor(a)) * 60.0, 2);
}

std::string CPosition::GetLatitudeText() const {
    return CConversion::DegMinText(m_latitude) + (IsSouth() ? " South" : " North");
}

std::string CPosition::GetLongitudeText() const {
    return CConversion::DegMinText(m_longitude) + (IsWest() ? " West" : " East");
}

std::string CPosition::GetRelativeText(double latitude, double longitude) const {
    const double d = DistanceTo(latitude, longitude, kGreatCircle);
    const double c = CourseTo(latitude, longitude, kGreatCircle);
    int index = static_cast<int>(CConversion::Truncate(c * kCompassIndexFactor, 0));
    if (index < 0 || index > 16) index = 0;
    return CConversion::FixedText(d) + " nM" + kCompassPoints[index] + " from " + m_name;
}

void CPosition::SetLeg(const double& course, const double& distance) {
    if (m_busy) return;
    m_legCourse = course;
    m_legDistance = distance;
}

double CPosition::GetLeg(double& course) const {
    course = m_legCourse;
    return m_legDistance;
}

void CPosition::AddPerformance(double currentDirection, double currentSpeed, double meanDraft, double rpm) {
    if (m_busy) return;
    const double n = m_performanceCount;
    // The mean current is the mean of the set-and-drift vectors: two opposite sets
    // of equal drift make no current, not one at right angles to both.
    const CVectorMean mean =
        RunningMeanVector(m_averageCurrentSpeed, m_averageCurrentDirection, m_performanceCount, currentSpeed, currentDirection);
    m_averageCurrentSpeed = mean.length;
    m_averageCurrentDirection = mean.direction;
    m_averageSpeed = (n * m_averageSpeed + m_speed) / (n + 1);
    m_averageDraft = (n * m_averageDraft + meanDraft) / (n + 1);
    m_averageEngineRpm = (n * m_averageEngineRpm + rpm) / (n + 1);
    ++m_performanceCount;
}

double CPosition::GetCurrent(double& direction, std::int32_t& count) const {
    direction = m_averageCurrentDirection;
    count = m_performanceCount;
    return m_averageCurrentSpeed;
}

void CPosition::AddWeather(const double& windSpeed, const double& windDirection, const double& pressure) {
    if (m_busy) return;
    const double n = m_weatherCount;
    // The wind's mean speed is the plain mean; its direction the mean of the
    // directions as unit vectors (72 and 262 degrees average to 347, not 167).
    m_averageWindDirection = RunningMeanDirection(m_averageWindDirection, m_weatherCount, windDirection);
    m_averageWindSpeed = (n * m_averageWindSpeed + windSpeed) / (n + 1);
    m_averagePressure = (n * m_averagePressure + pressure) / (n + 1);
    ++m_weatherCount;
    if (windSpeed > m_maximumWindSpeed) {
        m_maximumWindSpeed = windSpeed;
        m_windDirectionAtMaximum = windDirection;
    }
    if (m_minimumPressure == 0.0 || pressure < m_minimumPressure) m_minimumPressure = pressure;
}

double CPosition::GetWeather(double& direction, std::int32_t& count) const {
    direction = m_averageWindDirection;
    count = m_weatherCount;
    return m_averageWindSpeed;
}

double CPosition::DistanceTo(double latitude, double longitude, std::int32_t mode) const {
    const double phi1 = LatitudeRadians(m_latitude);
    const double phi2 = LatitudeRadians(latitude);
    const double dLambda = LongitudeDifference(m_longitude, longitude);
    double angle;
    if (mode == kGreatCircle) {
        double x = std::cos(dLambda) * std::cos(phi2) * std::cos(phi1) + std::sin(phi2) * std::sin(phi1);
        // Rounding can push x a hair outside arccos's domain for (nearly) identical points.
        if (x > 1.0) x = 1.0;
        if (x < -1.0) x = -1.0;
        angle = std::acos(x);
    } else if (phi1 == phi2) {
        angle = std::fabs(dLambda) * std::cos(phi2);
    } else {
        // |dPhi / cos(atan(dLambda / dPsi))|, in a form that stays exact for small dPhi.
        const double dPhi = phi2 - phi1;
        angle = std::hypot(dPhi, dLambda * RhumbFactor(phi1, phi2, CConversion::kPi * 0.25));
    }
    return CConversion::RadToDeg(angle) * 60.0;
}

double CPosition::CourseTo(double latitude, double longitude, std::int32_t mode) const {
    const double phi1 = LatitudeRadians(m_latitude);
    const double phi2 = LatitudeRadians(latitude);
    const double dLambda = LongitudeDifference(m_longitude, longitude);
    double c;
    if (mode == kGreatCircle) {
        c = std::atan2(std::sin(dLambda), std::tan(phi2) * std::cos(phi1) - std::sin(phi1) * std::cos(dLambda));
    } else {
        c = std::atan2(dLambda, MeridionalDifference(phi1, phi2, kRhumbCourseQuarterPi));
    }
    if (!std::isfinite(c)) c = 0.0;
    if (c < 0) c += kTwoPi;
    return CConversion::RadToDeg(c);
}

void CPosition::SailRhumbLine(double distance, double course) {
    if (m_busy) return;
    const double phi1 = LatitudeRadians(m_latitude);
    const double lambda1 = CConversion::DegToRad(m_longitude);
    const double c = CConversion::DegToRad(course);
    const double d = CConversion::DegToRad(distance * kNmToDegrees);
    double phi2 = phi1 + d * std::cos(c);
    // A course over the pole ends at the pole.
    if (phi2 > kHalfPi) phi2 = kHalfPi;
    if (phi2 < -kHalfPi) phi2 = -kHalfPi;
    double lambda2;
    if (phi2 == phi1) {
        lambda2 = lambda1 + d * std::sin(c) / std::cos(phi1);
    } else {
        // lambda1 + tan(C) * dPsi, written as d * sin(C) * dPsi / dPhi: the same value,
        // but it keeps its precision on courses near east or west.
        lambda2 = lambda1 + d * std::sin(c) / RhumbFactor(phi1, phi2, CConversion::kPi * 0.25);
    }
    if (!std::isfinite(lambda2)) lambda2 = lambda1;
    double latitude = CConversion::RadToDeg(phi2);
    if (latitude > 90.0) latitude = 90.0;
    if (latitude < -90.0) latitude = -90.0;
    m_longitude = NormalizeLongitude(CConversion::RadToDeg(lambda2));
    m_latitude = latitude;
}

void CPosition::DeadReckonTo(CTime t) {
    if (m_busy) return;
    const double hours = (CConversion::DayNumber(t) - CConversion::DayNumber(m_time)) * 24.0;
    SailRhumbLine(hours * m_speed, m_course);
    m_time = t;
}

void CPosition::Serialize(CArchive& ar) {
    BusyGuard busy(m_busy);
    ar.Double("course", m_course);
    ar.Double("reservedDoubleC", m_reservedDoubleC);
    ar.Double("latitude", m_latitude);
    ar.Double("longitude", m_longitude);
    ar.Double("speed", m_speed);
    ar.String("name", m_name);
    ar.Time("time", m_time);
    ar.Long("proceedVia", m_proceedVia);
    ar.Long("kind", m_kind);
    ar.Double("averagePressure", m_averagePressure);
    ar.Long("weatherCount", m_weatherCount);
    ar.Double("averageWindSpeed", m_averageWindSpeed);
    ar.Double("averageWindDirection", m_averageWindDirection);
    ar.Double("averageCurrentSpeed", m_averageCurrentSpeed);
    ar.Double("averageCurrentDirection", m_averageCurrentDirection);
    ar.Long("performanceCount", m_performanceCount);
    ar.Double("eta", m_eta);
    ar.Double("reservedDoubleB", m_reservedDoubleB);
    ar.Double("averageDraft", m_averageDraft);
    ar.Double("averageEngineRpm", m_averageEngineRpm);
    ar.Double("averageSpeed", m_averageSpeed);
    ar.Long("reservedLong", m_reservedLong);
    ar.Double("zoneOffset", m_zoneOffset);
    ar.Double("extraValue", m_extraValue);
    ar.Double("minimumPressure", m_minimumPressure);
    ar.Double("windDirectionAtMaximum", m_windDirectionAtMaximum);
    ar.Double("maximumWindSpeed", m_maximumWindSpeed);
    // A place off the globe would be sailed to and from as if it were one.
    if (ar.IsLoading() && !(std::fabs(m_latitude) <= 90.0 && std::fabs(m_longitude) <= 180.0))
        throw CArchiveException("Position \"" + m_name + "\" lies at latitude " + CConversion::FixedText(m_latitude) +
                                ", longitude " + CConversion::FixedText(m_longitude) +
                                ", beyond 90 or 180 degrees: the file is damaged");
}
