#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/time.h"

class CArchive;
class CPosition;

// The ship's latest meteorological observation. The voyage owns one; every
// update replaces it, so the history lives only in the positions' weather
// statistics and in the event log.
class CMeteoObs {
public:
    enum SeaTemperatureMethod : std::int32_t { kBucket = 0, kEngineInlet = 1 };
    enum WindMethod : std::int32_t { kEstimated = 0, kAnemometerRelative = 1, kAnemometerCorrected = 2 };

    // Drop-down fields hold the index into their code list, -1 when none is chosen.
    std::int32_t m_pressureTendency = 0; // MeteoPressureTendencyList()
    double m_pressureChange = 0.0;       // mbar, last 90 minutes
    double m_barometer = 1000.0;         // mbar
    double m_swell1Direction = 0.0;      // degrees
    double m_swell1Height = 0.0;         // metres
    double m_swell1Period = 0.0;         // seconds
    double m_swell2Direction = 0.0;
    double m_swell2Height = 0.0;
    double m_swell2Period = 0.0;
    double m_waveHeight = 0.0;
    double m_wavePeriod = 0.0;
    std::int32_t m_highCloudType = 0;   // MeteoHighCloudList()
    std::int32_t m_lowCloudType = 0;    // MeteoLowCloudList()
    std::int32_t m_skyTendency = 0;     // MeteoGeneralAppearanceList()
    std::int32_t m_middleCloudType = 0; // MeteoMiddleCloudList()
    double m_averageCloudHeight = 1000.0;
    std::int32_t m_highCloudCover = 0; // percent
    std::int32_t m_lowCloudCover = 0;
    std::int32_t m_middleCloudCover = 0;
    std::int32_t m_totalCloudCover = 0;
    double m_dewPoint = 15.0; // Celsius; shown, never computed
    double m_dryTemperature = 18.0;
    double m_humidity = 16.0; // percent; shown, never computed
    double m_wetTemperature = 14.0;
    double m_seaTemperature = 18.0;
    std::int32_t m_seaTemperatureMethod = kEngineInlet;
    bool m_precipitation = false; // in memory only: never stored, kept across a load
    std::int32_t m_pastWeatherW1 = 0;
    std::int32_t m_pastWeatherW2 = 0;
    std::int32_t m_presentWeatherWw = 0;
    double m_windDirection = 0.0; // degrees true
    double m_windSpeed = 0.0;     // knots
    std::int32_t m_windMethod = kEstimated;
    std::int32_t m_beaufortForce = 0; // shown, never computed

    double GetWindSpeed() const { return m_windSpeed; }
    double GetWindDirection() const { return m_windDirection; }
    double GetBarometer() const { return m_barometer; }

    // 15 LONGs and 18 doubles in field order, no count or version.
    void Serialize(CArchive& ar);
    static constexpr std::size_t kStoredSize = 204;
};

// The drop-down lists, entries in display order; a field stores the index.
// The pressure tendency list is a sorted list: its order is the case-insensitive
// alphabetical one, which is also the order of the stored index.
std::span<const char* const> MeteoPressureTendencyList();
std::span<const char* const> MeteoGeneralAppearanceList();
std::span<const char* const> MeteoLowCloudList();
std::span<const char* const> MeteoMiddleCloudList();
std::span<const char* const> MeteoHighCloudList();

// The range the meteo sheet accepts for a field (named by its stored key).
// The temperatures, dew point, humidity and Beaufort force have none.
struct CMeteoRange {
    const char* field;
    double minimum;
    double maximum;
    bool integer;
};
std::span<const CMeteoRange> MeteoFieldRanges();
const CMeteoRange* FindMeteoRange(const std::string& field);
// Empty when every ranged field is inside its range, else names the first one outside.
std::string MeteoRangeFault(const CMeteoObs& obs);

// "Meteo updated Windspeed 12.50 kts Winddirection 270.00 deg Barometer 1013.20 mb"
std::string MeteoLogText(const CMeteoObs& obs);

// Adds the observed wind and pressure to the weather statistics of the next
// waypoint, then of the last fix. Either may be null. When both are the same
// position (a new voyage: the departure is both) it gets the observation once.
void AddMeteoToRoute(const CMeteoObs& obs, CPosition* nextWaypoint, CPosition* lastFix);

// The meteo sheet confirmed: the edited observation replaces the record, is
// averaged into the route and written to the event log. Marking the document
// modified is the caller's.
void ApplyMeteoUpdate(CMeteoObs& record, const CMeteoObs& edited, CPosition* nextWaypoint, CPosition* lastFix);

// What the sheet's read-only Current page shows.
struct CMeteoCurrent {
    std::string lastObservation; // time of the last fix, AsctimeText
    double direction = 0.0;      // degrees, the next waypoint's average current
    double speed = 0.0;          // knots
};
CMeteoCurrent MeteoCurrentOf(const CPosition* nextWaypoint, const CPosition* lastFix);

// The instant in UTC as "Wed Jan 02 02:03:55 1980\n" (day always two digits).
std::string AsctimeText(CTime t);
