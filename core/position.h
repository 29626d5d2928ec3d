#pragma once

#include <cstdint>
#include <string>

#include "core/time.h"

class CArchive;

// Every point of the system: waypoint (kind 0), position fix (kind 1), the present
// dead-reckoning position, the popular position, a cyclone centre.
// Latitude and longitude in degrees, north and east positive.
class CPosition {
public:
    enum Kind : std::int32_t { kWaypoint = 0, kFix = 1 };
    enum ProceedVia : std::int32_t { kGreatCircle = 0, kRhumbLine = 1 };

    // A position knows neither where nor when it is until its maker says so: the
    // defaults are 0/0 and the time 0 (1970). Whoever creates a position for the
    // present reads the clock there: the route's callers pass the present time
    // to InsertFix/AddWaypoint/InsertWaypointAfter, the document stamps a new
    // voyage, the cyclone list a new cyclone; a load reads the time from the file.
    CPosition() = default;
    CPosition(double latitude, double longitude, CTime time);

    double GetLatitude() const { return m_latitude; }
    void SetLatitude(double v) { m_latitude = v; }
    double GetLongitude() const { return m_longitude; }
    void SetLongitude(double v) { m_longitude = v; }
    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& v) { m_name = v; }
    CTime GetTime() const { return m_time; }
    void SetTime(CTime v) { m_time = v; }
    double GetSpeed() const { return m_speed; }
    void SetSpeed(double v) { m_speed = v; }
    double GetCourse() const { return m_course; }
    void SetCourse(double v) { m_course = v; }
    std::int32_t GetKind() const { return m_kind; }
    void SetKind(std::int32_t v) { m_kind = v; }
    double GetETA() const { return m_eta; }
    void SetETA(double v) { m_eta = v; }
    double GetZoneOffset() const { return m_zoneOffset; }
    void SetZoneOffset(double v) { m_zoneOffset = v; }
    double GetExtraValue() const { return m_extraValue; }
    void SetExtraValue(double v) { m_extraValue = v; }
    double GetMinimumPressure() const { return m_minimumPressure; }
    void SetMinimumPressure(double v) { m_minimumPressure = v; }
    double GetWindDirectionAtMaximum() const { return m_windDirectionAtMaximum; }
    void SetWindDirectionAtMaximum(double v) { m_windDirectionAtMaximum = v; }
    double GetMaximumWindSpeed() const { return m_maximumWindSpeed; }
    void SetMaximumWindSpeed(double v) { m_maximumWindSpeed = v; }
    bool IsBusy() const { return m_busy != 0; }

    // Stores 0 or 1; any other value stores 0 (great circle).
    void SetProceedVia(std::int32_t mode);
    std::int32_t GetProceedVia() const { return m_proceedVia; }

    int GetLatitudeDegrees() const;
    int GetLongitudeDegrees() const;
    double GetLatitudeMinutes() const;
    double GetLongitudeMinutes() const;
    bool IsSouth() const { return m_latitude < 0; }
    bool IsWest() const { return m_longitude < 0; }
    std::string GetLatitudeText() const;  // e.g. "52:22.50 North"
    std::string GetLongitudeText() const; // e.g. "4:05.00 West"
    // Where the given point lies seen from this position, e.g. "12.50 nM  NNE from Departure".
    std::string GetRelativeText(double latitude, double longitude) const;

    void SetLeg(const double& course, const double& distance);
    double GetLeg(double& course) const;

    void AddPerformance(double currentDirection, double currentSpeed, double meanDraft, double rpm);
    double GetAverageSpeed() const { return m_averageSpeed; }
    double GetAverageEngineRpm() const { return m_averageEngineRpm; }
    double GetAverageDraft() const { return m_averageDraft; }
    std::int32_t GetPerformanceCount() const { return m_performanceCount; }
    double GetCurrent(double& direction, std::int32_t& count) const;

    void AddWeather(const double& windSpeed, const double& windDirection, const double& pressure);
    double GetWeather(double& direction, std::int32_t& count) const;
    double GetAveragePressure() const { return m_averagePressure; }

    // Sailing. Mode 0 great circle, any other value rhumb line.
    double DistanceTo(double latitude, double longitude, std::int32_t mode) const;
    double CourseTo(double latitude, double longitude, std::int32_t mode) const;
    void SailRhumbLine(double distance, double course);
    void DeadReckonTo(CTime t);

    void Serialize(CArchive& ar);

    // Stored size of a position with an empty name; the least a position takes in a file.
    static constexpr std::size_t kStoredSizeWithoutName = 185;

private:
    std::int32_t m_busy = 0;
    double m_averageSpeed = 0.0;
    double m_averageEngineRpm = 0.0;
    double m_averageDraft = 0.0;
    double m_extraValue = 0.0;
    double m_minimumPressure = 0.0;
    double m_windDirectionAtMaximum = 0.0;
    double m_maximumWindSpeed = 0.0;
    double m_zoneOffset = 0.0;
    std::int32_t m_reservedLong = 0;
    double m_reservedDoubleB = 0.0;
    double m_eta = 0.0;
    std::int32_t m_performanceCount = 0;
    double m_averagePressure = 1000.0;
    std::int32_t m_weatherCount = 0;
    double m_averageWindSpeed = 0.0;
    double m_averageWindDirection = 0.0;
    double m_averageCurrentSpeed = 0.0;
    double m_averageCurrentDirection = 0.0;
    double m_legDistance = 0.0;
    double m_legCourse = 0.0;
    std::int32_t m_kind = kFix;
    std::int32_t m_proceedVia = kRhumbLine;
    CTime m_time;
    double m_reservedDoubleC = 0.0;
    std::string m_name = "New Position";
    double m_speed = 0.0;
    double m_course = 0.0;
    double m_longitude = 0.0;
    double m_latitude = 0.0;
};
