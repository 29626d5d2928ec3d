#include "astro/astro_object.h"

#include <cmath>
#include <cstdio>

#include "core/archive.h"

CAstroObject::CAstroObject() {
    // The Sun's apparent geocentric orbit.
    m_orbit.meanAnomaly = 356.047;
    m_orbit.meanAnomalyDailyMotion = 0.9856002585;
    m_orbit.eccentricity = 0.016709;
    m_orbit.eccentricityDailyChange = -1.151e-9;
    m_orbit.semiMajorAxis = 1.0;
    m_orbit.semiMajorAxisDailyChange = 0.0;
    m_orbit.perihelionArgument = 282.9404;
    m_orbit.perihelionArgumentDailyMotion = 4.70935e-5;
}

bool CAstroObject::SetKind(std::int32_t kind) {
    if (!IsKind(kind)) return false;
    m_kind = kind;
    return true;
}

void CAstroObject::GetOrbit(std::string& name, AstroOrbit& orbit) const {
    name = m_name;
    orbit = m_orbit;
}

bool CAstroObject::SetOrbit(const std::string& name, std::int32_t kind, const AstroOrbit& orbit) {
    if (!IsKind(kind)) return false;
    m_name = name;
    m_kind = kind;
    m_orbit = orbit;
    return true;
}

void CAstroObject::GetStar(std::string& fk5Number, double& declination, double& properMotionDeclination,
                           double& rightAscension, double& properMotionRightAscension, double& magnitude) const {
    fk5Number = m_fk5Number;
    declination = m_declination;
    properMotionDeclination = m_properMotionDeclination;
    rightAscension = m_rightAscension;
    properMotionRightAscension = m_properMotionRightAscension;
    magnitude = m_magnitude;
}

bool CAstroObject::SetStar(const std::string& name, const std::string& fk5Number, std::int32_t kind, double declination,
                           double properMotionDeclination, double rightAscension, double properMotionRightAscension,
                           double magnitude) {
    if (!IsKind(kind)) return false;
    m_name = name;
    m_fk5Number = fk5Number;
    m_kind = kind;
    m_declination = declination;
    m_properMotionDeclination = properMotionDeclination;
    m_rightAscension = rightAscension;
    m_properMotionRightAscension = properMotionRightAscension;
    m_magnitude = magnitude;
    return true;
}

std::string FormatDegreesMinutes(double degrees) {
    if (std::isnan(degrees)) return "NaN";
    if (std::isinf(degrees)) return degrees < 0 ? "-Infinity" : "Infinity";
    const double a = std::fabs(degrees);
    const double whole = std::trunc(a);
    // Minutes are rounded on their own and never carried, so 59.9 minutes read 60.
    const double minutes = std::round((a - whole) * 60.0);
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f:%.0f", whole, minutes);
    return buf;
}

std::string CAstroObject::FormatGHA() const { return FormatDegreesMinutes(m_gha); }

std::string CAstroObject::FormatDeclination() const {
    return FormatDegreesMinutes(m_declination) + (m_declination < 0 ? " South" : " North");
}

void CAstroObject::Serialize(CArchive& ar) {
    ar.Double("meanAnomalyDailyMotion", m_orbit.meanAnomalyDailyMotion);
    ar.Double("meanAnomalyAtEpoch", m_orbit.meanAnomaly);
    ar.Double("eccentricityDailyChange", m_orbit.eccentricityDailyChange);
    ar.Double("eccentricityAtEpoch", m_orbit.eccentricity);
    ar.Double("semiMajorAxisDailyChange", m_orbit.semiMajorAxisDailyChange);
    ar.Double("semiMajorAxisAtEpoch", m_orbit.semiMajorAxis);
    ar.Double("perihelionArgumentDailyMotion", m_orbit.perihelionArgumentDailyMotion);
    ar.Double("perihelionArgumentAtEpoch", m_orbit.perihelionArgument);
    ar.Double("inclinationDailyMotion", m_orbit.inclinationDailyMotion);
    ar.Double("inclinationAtEpoch", m_orbit.inclination);
    ar.Double("ascendingNodeDailyMotion", m_orbit.ascendingNodeDailyMotion);
    ar.Double("ascendingNodeAtEpoch", m_orbit.ascendingNode);
    ar.Double("magnitude", m_magnitude);
    ar.Double("declination", m_declination);
    ar.Double("properMotionInRightAscension", m_properMotionRightAscension);
    ar.Double("rightAscension", m_rightAscension);
    ar.String("fk5Number", m_fk5Number);
    ar.String("name", m_name);
    ar.Long("kind", m_kind);
    // A kind the program cannot place would leave the object without a position.
    if (ar.IsLoading() && !IsKind(m_kind))
        throw CArchiveException("The object \"" + m_name + "\" has the kind " + std::to_string(m_kind) +
                                ", which is not one of 0 (Sun) to 4 (Satellite)");
    ar.Double("properMotionInDeclination", m_properMotionDeclination);
}
