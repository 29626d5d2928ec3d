#pragma once

// A celestial object of the almanac (Sun, planet, Moon, star, satellite): its
// stored record, and where it stands at an instant: right ascension,
// declination and GHA (ComputePosition, UpdatePosition), altitude and azimuth
// from a position (GetAltitudeAzimuth, GetAltitudeAzimuthAt), and the times of
// meridian passage, rise, set and twilight (GetRiseTransitSet,
// GetHourAngleTimes), with FormatEventTime for showing those times.

#include <cstddef>
#include <cstdint>
#include <string>

class CArchive;
class CPosition;
class CTime;

// What an object is decides where its position comes from: orbital elements
// for the moving kinds, the catalogue position for a star.
enum AstroObjectKind : std::int32_t {
    kAstroSun = 0,
    kAstroPlanet = 1,
    kAstroMoon = 2,
    kAstroStar = 3,
    kAstroSatellite = 4,
};
inline constexpr int kAstroKindCount = 5;

// Event times of a body that never reaches the altitude, and of one that stays
// above it all day. Real times lie well inside -24..48 hours.
inline constexpr double kAstroNeverReaches = 99.0;
inline constexpr double kAstroAlwaysAbove = -99.0;
// What a caller shows for an always-above time.
inline constexpr const char* kAstroAlwaysAboveText = "always above";
// Altitudes of the rise and set (the centre on the horizon) and of twilight, radians.
inline constexpr double kAstroHorizonAltitude = 0.0;
inline constexpr double kAstroTwilightAltitude = -0.209;

// How GetHourAngleTimes came out.
enum class AstroCrossing { Crosses, NeverReaches, AlwaysAbove };

// The twelve orbital values, each as (value at epoch, change per day). The
// epoch is day number 0.0 (1999-12-31 0h UT); angles in degrees.
struct AstroOrbit {
    double ascendingNode = 0.0;
    double ascendingNodeDailyMotion = 0.0;
    double inclination = 0.0;
    double inclinationDailyMotion = 0.0;
    double perihelionArgument = 0.0;
    double perihelionArgumentDailyMotion = 0.0;
    double semiMajorAxis = 0.0;
    double semiMajorAxisDailyChange = 0.0;
    double eccentricity = 0.0;
    double eccentricityDailyChange = 0.0;
    double meanAnomaly = 0.0;
    double meanAnomalyDailyMotion = 0.0;

    bool operator==(const AstroOrbit&) const = default;
};

// One object of the almanac: a body with orbital elements, or a star with its
// catalogue position. A new object is the Sun.
class CAstroObject {
public:
    CAstroObject();

    const std::string& GetName() const { return m_name; }
    std::int32_t GetKind() const { return m_kind; }
    // False, and the kind kept, for a value that is not a kind.
    bool SetKind(std::int32_t kind);
    bool IsMoving() const { return m_kind != kAstroStar; }
    static bool IsKind(std::int32_t kind) { return kind >= 0 && kind < kAstroKindCount; }

    void GetOrbit(std::string& name, AstroOrbit& orbit) const;
    // Leaves the FK5 number and the star values as they are. False, and nothing
    // changed, for a value that is not a kind.
    bool SetOrbit(const std::string& name, std::int32_t kind, const AstroOrbit& orbit);

    void GetStar(std::string& fk5Number, double& declination, double& properMotionDeclination, double& rightAscension,
                 double& properMotionRightAscension, double& magnitude) const;
    // Leaves the orbital values as they are. False, and nothing changed, for a
    // value that is not a kind.
    bool SetStar(const std::string& name, const std::string& fk5Number, std::int32_t kind, double declination,
                 double properMotionDeclination, double rightAscension, double properMotionRightAscension,
                 double magnitude);

    const std::string& GetFK5Number() const { return m_fk5Number; }
    double GetMagnitude() const { return m_magnitude; }
    // Degrees, north positive. Right ascension in degrees, not hours.
    double GetDeclination() const { return m_declination; }
    void SetDeclination(double v) { m_declination = v; }
    double GetRightAscension() const { return m_rightAscension; }
    void SetRightAscension(double v) { m_rightAscension = v; }
    // Degrees per hour; kept and stored, not applied to the position.
    double GetProperMotionRightAscension() const { return m_properMotionRightAscension; }
    double GetProperMotionDeclination() const { return m_properMotionDeclination; }

    // Results of the last position computation; never stored.
    double GetGHA() const { return m_gha; }
    void SetGHA(double v) { m_gha = v; }
    double GetAltitude() const { return m_altitude; }
    void SetAltitude(double v) { m_altitude = v; }
    double GetSunDistance() const { return m_sunDistance; }
    void SetSunDistance(double v) { m_sunDistance = v; }
    double GetSunLongitude() const { return m_sunLongitude; }
    void SetSunLongitude(double v) { m_sunLongitude = v; }
    double GetSiderealAngle() const { return m_siderealAngle; }
    void SetSiderealAngle(double v) { m_siderealAngle = v; }

    // ---- position ----------------------------------------------------------
    // Right ascension, declination, sidereal angle, sun distance, sun longitude
    // and GHA for day number d (days from 1999-12-31 0h UT). A star keeps its
    // catalogue place. The Moon gets its largest periodic terms, and planets
    // named Jupiter and Saturn their mutual ones.
    void ComputePosition(double d);
    // ComputePosition for the day number of a UTC time.
    void UpdatePosition(CTime time);
    // Altitude (degrees, also stored) and true azimuth (0..360) from the
    // position, at the position's own time stamp.
    double GetAltitudeAzimuth(const CPosition& position, double& azimuth);
    // The same for day number d, whatever the position's time stamp.
    double GetAltitudeAzimuthAt(const CPosition& position, double& azimuth, double d);
    // UTC hours of meridian passage, rise, set and twilight at the position,
    // from the last position computation (compute first). Rise and set are
    // kAstroNeverReaches when the body never rises, kAstroAlwaysAbove when it
    // never sets; the same for the twilight pair. Times are not brought into
    // 0..24: a rise before 0h comes out negative.
    void GetRiseTransitSet(const CPosition& position, double& transit, double& rise, double& set,
                           double& twilightStart, double& twilightEnd) const;
    // Earlier and later times (hours) at which the body stands at the altitude
    // (radians), for a latitude (radians) and the transit (hours).
    AstroCrossing GetHourAngleTimes(double altitude, double latitude, double transit, double& earlier,
                                    double& later) const;

    // Texts for lists: whole degrees without sign, ":", whole minutes
    // ("123:30"); the declination followed by " North" or " South".
    std::string FormatGHA() const;
    std::string FormatDeclination() const;

    // The stored fields in file order. A kind outside 0..4 is refused on loading.
    void Serialize(CArchive& ar);

    // Stored size with an empty FK5 number and name: the least a record takes.
    static constexpr std::size_t kStoredSizeWithoutTexts = 17 * 8 + 1 + 1 + 4;

    bool operator==(const CAstroObject&) const = default;

private:
    // In memory only.
    double m_altitude = 0.0;
    double m_sunDistance = 0.0;
    double m_sunLongitude = 0.0;
    double m_siderealAngle = 0.0;
    double m_gha = 0.0;

    AstroOrbit m_orbit;
    double m_magnitude = 0.0;
    double m_declination = 0.0;
    double m_properMotionRightAscension = 0.0;
    double m_rightAscension = 0.0;
    std::string m_fk5Number = "Unknown";
    std::string m_name = "Sun";
    std::int32_t m_kind = kAstroSun;
    double m_properMotionDeclination = 0.0;
};

// An event time as the dialogs show it: hours and minutes (DegMinText), with a
// "-" before a time before 0h, "99:00.00" for a body that never reaches the
// altitude and "always above" for one that never goes below it.
std::string FormatEventTime(double hours);

// The list text of an angle: "123:30", minutes rounded to whole ones (so 60 can appear).
std::string FormatDegreesMinutes(double degrees);
