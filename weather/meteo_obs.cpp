#include "weather/meteo_obs.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/archive.h"
#include "core/conversion.h"
#include "core/event_log.h"
#include "core/position.h"

namespace {

constexpr std::array<const char*, 9> kPressureTendencyList = {
    "Decreasing (steadily, or unsteadily)",
    "Decreasing or steady, then increasing; or increasing then increasing more rapidly",
    "Decreasing, then increasing, atmospheric pressure the same or lower than 3 hours ago",
    "Decreasing, then steady, or decreasing, then decreasing more slowly",
    "Increasing (steadily or unsteadily)",
    "Increasing, then decreasing, pressure the same or higher than 3 hours ago",
    "Increasing, then steady, or increasing, then increasing more slowly",
    "Steady or increasing, then decreasing, or decreasing, then decreasing more rapidly",
    "Steady, admospheric pressure the same as three hours ago",
};

constexpr std::array<const char*, 10> kGeneralAppearanceList = {
    "Cloud covering 50% or less of the sky throughout the appropriate period",
    "Cloud covering more than 50% of the sky during part of the period and less than 50% during part of the period",
    "Cloud covering more than 50% of the sky throughout the appropriate period",
    "Sandstorm, duststorm, or blowing snow",
    "Fog or ice fog or thick haze",
    "Drizzle",
    "Rain",
    "Snow or rain and snow mixed",
    "Showers",
    "Thunderstorms with or without precipitation",
};

constexpr std::array<const char*, 11> kLowCloudList = {
    "No Stratocumulus, Stratus, Cumulus or Cumulonimbus",
    "Cumulus with little vertical extent and seemingly flattened, or ragged Cumulus other than of bad weather",
    "Cumulus of moderate or strong vertical extent, generally with protuberances in the form of domes or towers",
    "Cumulonimbus the summits of which, at least partially, lack sharp outlines",
    "Stratocumulus formed by the spreading out of Cumulus, Cumulus may also be present.",
    "Stratocumulus not resulting from the spreading out of Cumulus",
    "Stratus in a more or less continous sheet or layer, or in ragged shreds, or both",
    "Stratus fractus of bad weather or Cumulus fractus of bad weather, or both",
    "Cumulus and Stratocumulus other than that formed from the spreading out of Cumulus",
    "Cumulonimbus, the upper part of which is clearly fibrous (cirriform), often in the form of an anvil",
    "Stratocumulus, Stratus, Cumulus, and Cumulonimbus invisible owing darkness, fog, dust, etc.",
};

constexpr std::array<const char*, 11> kMiddleCloudList = {
    "No Altocumulus, Altrostratus, or Nimbostratus",
    "Altostratus, the greater part of which is semi-transparant",
    "Altostratus, the greater part of which is sufficiently dense to hide the sun or moon",
    "Altocumulus, the greater part of which is semi-transparant and all at a single level",
    "Patches of Altocumulus, the greater part of which is semi-transparant in one or more levels",
    "Semi-transparant Altocumulus in bands or in one or more fairly continous layers",
    "Altocumulus resulting from the spreading out of Cumulus",
    "Altocumulus in two or more layers, usually opaque in places, and not invading the sky",
    "Altocumulus with sproutings in the form of small towers or battlements",
    "Altocumulus of a chaotic sky, generally at several layers",
    "Altocumulus, Altostratus, and Nimbostratus invisible owing to darkness, fog, dust, or mental state.",
};

constexpr std::array<const char*, 11> kHighCloudList = {
    "No Cirrus, Cirrocumulus, or Cirrostratus",
    "Cirrus in the form of filaments, strands, or hooks, not progerssively invading the sky",
    "Dense Cirrus, in patches of entangled sheaves",
    "Dense Cirrus, often in the form of an anvil, beiing the remains of the upper parts of Cumulonimbus",
    "Cirrus in the form of hooks or filaments, progressively invading the sky",
    "Cirrus, Cirrostratus, or Cirrostratus alone, progressively invading the sky and growing denser, not reaching 45 "
    "degrees above the horizon",
    "Cirrus, Cirrostratus, or Cirrostratus alone, invading the sky and growing denser, more than 45 degrees above the "
    "horizon",
    "Veil of Cirrostratus covering the celestial dome",
    "Cirrostratus not progressively invading the sky and not completely covering the dome",
    "Predominant Cirrocumulus, with or without Cirrus or Cirrostratus",
    "Cirrus, Cirrocumulus, and Cirrostratus invisible owing to darkness, fog, dust, or mental state.",
};

constexpr std::array<CMeteoRange, 26> kRanges = {{
    {"pressureTendency", -1, 8, true},    {"pressureChange", -500, 500, false},
    {"barometer", 750, 1800, false},      {"swell1Direction", 0, 360, false},
    {"swell1Height", 0, 30, false},       {"swell1Period", 0, 30, false},
    {"swell2Direction", 0, 360, false},   {"swell2Height", 0, 30, false},
    {"swell2Period", 0, 30, false},       {"waveHeight", 0, 30, false},
    {"wavePeriod", 0, 30, false},         {"highCloudType", -1, 10, true},
    {"lowCloudType", -1, 10, true},       {"skyTendency", -1, 9, true},
    {"middleCloudType", -1, 10, true},    {"averageCloudHeight", 0, 50000, false},
    {"highCloudCover", 0, 100, true},     {"lowCloudCover", 0, 100, true},
    {"middleCloudCover", 0, 100, true},   {"totalCloudCover", 0, 100, true},
    {"seaTemperatureMethod", 0, 1, true}, {"pastWeatherW1", 0, 9, true},
    {"pastWeatherW2", 0, 9, true},        {"presentWeatherWw", 0, 99, true},
    {"windDirection", 0, 360, false},     {"windSpeed", 0, 150, false},
}};

std::string NumberText(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

// Walks the record's stored fields by name and keeps the first one outside its range.
class CRangeCheck : public CArchive {
public:
    bool IsStoring() const override { return true; }
    void Long(const char* name, std::int32_t& value) override { Check(name, value); }
    void Dword(const char* name, std::uint32_t& value) override { Check(name, value); }
    void Double(const char* name, double& value) override { Check(name, value); }
    void Time(const char*, CTime&) override {}
    void String(const char*, std::string&) override {}
    void BeginObject(const char*) override {}
    void EndObject() override {}
    std::size_t BeginList(const char*, std::size_t count, CountType, std::size_t) override { return count; }
    void BeginItem() override {}
    void EndItem() override {}
    void EndList() override {}

    std::string fault;

private:
    void Check(const char* name, double value) {
        if (!fault.empty()) return;
        const CMeteoRange* range = FindMeteoRange(name);
        if (!range || (value >= range->minimum && value <= range->maximum)) return;
        fault = "\"" + std::string(name) + "\" is " + NumberText(value) + " but must be between " +
                NumberText(range->minimum) + " and " + NumberText(range->maximum);
    }
};

} // namespace

void CMeteoObs::Serialize(CArchive& ar) {
    ar.Long("pressureTendency", m_pressureTendency);
    ar.Double("pressureChange", m_pressureChange);
    ar.Double("barometer", m_barometer);
    ar.Double("swell1Direction", m_swell1Direction);
    ar.Double("swell1Height", m_swell1Height);
    ar.Double("swell1Period", m_swell1Period);
    ar.Double("swell2Direction", m_swell2Direction);
    ar.Double("swell2Height", m_swell2Height);
    ar.Double("swell2Period", m_swell2Period);
    ar.Double("waveHeight", m_waveHeight);
    ar.Double("wavePeriod", m_wavePeriod);
    ar.Long("highCloudType", m_highCloudType);
    ar.Long("lowCloudType", m_lowCloudType);
    ar.Long("skyTendency", m_skyTendency);
    ar.Long("middleCloudType", m_middleCloudType);
    ar.Double("averageCloudHeight", m_averageCloudHeight);
    ar.Long("highCloudCover", m_highCloudCover);
    ar.Long("lowCloudCover", m_lowCloudCover);
    ar.Long("middleCloudCover", m_middleCloudCover);
    ar.Long("totalCloudCover", m_totalCloudCover);
    ar.Double("dewPoint", m_dewPoint);
    ar.Double("dryTemperature", m_dryTemperature);
    ar.Double("humidity", m_humidity);
    ar.Double("wetTemperature", m_wetTemperature);
    ar.Double("seaTemperature", m_seaTemperature);
    ar.Long("seaTemperatureMethod", m_seaTemperatureMethod);
    ar.Long("pastWeatherW1", m_pastWeatherW1);
    ar.Long("pastWeatherW2", m_pastWeatherW2);
    ar.Long("presentWeatherWw", m_presentWeatherWw);
    ar.Double("windDirection", m_windDirection);
    ar.Double("windSpeed", m_windSpeed);
    ar.Long("windMethod", m_windMethod);
    ar.Long("beaufortForce", m_beaufortForce);
}

std::span<const char* const> MeteoPressureTendencyList() { return kPressureTendencyList; }
std::span<const char* const> MeteoGeneralAppearanceList() { return kGeneralAppearanceList; }
std::span<const char* const> MeteoLowCloudList() { return kLowCloudList; }
std::span<const char* const> MeteoMiddleCloudList() { return kMiddleCloudList; }
std::span<const char* const> MeteoHighCloudList() { return kHighCloudList; }

std::span<const CMeteoRange> MeteoFieldRanges() { return kRanges; }

const CMeteoRange* FindMeteoRange(const std::string& field) {
    for (const CMeteoRange& r : kRanges)
        if (field == r.field) return &r;
    return nullptr;
}

std::string MeteoRangeFault(const CMeteoObs& obs) {
    CMeteoObs copy = obs;
    CRangeCheck check;
    copy.Serialize(check);
    return check.fault;
}

std::string MeteoLogText(const CMeteoObs& obs) {
    return "Meteo updated Windspeed " + CConversion::FixedText(obs.GetWindSpeed()) + " kts Winddirection " +
           CConversion::FixedText(obs.GetWindDirection()) + " deg Barometer " +
           CConversion::FixedText(obs.GetBarometer()) + " mb";
}

void AddMeteoToRoute(const CMeteoObs& obs, CPosition* nextWaypoint, CPosition* lastFix) {
    const double speed = obs.GetWindSpeed();
    const double direction = obs.GetWindDirection();
    const double pressure = obs.GetBarometer();
    if (nextWaypoint) nextWaypoint->AddWeather(speed, direction, pressure);
    // One observation counts once, even where the next waypoint is the last fix.
    if (lastFix && lastFix != nextWaypoint) lastFix->AddWeather(speed, direction, pressure);
}

void ApplyMeteoUpdate(CMeteoObs& record, const CMeteoObs& edited, CPosition* nextWaypoint, CPosition* lastFix) {
    record = edited;
    AddMeteoToRoute(record, nextWaypoint, lastFix);
    CEventLog().Write(MeteoLogText(record));
}

CMeteoCurrent MeteoCurrentOf(const CPosition* nextWaypoint, const CPosition* lastFix) {
    CMeteoCurrent current;
    if (nextWaypoint) {
        std::int32_t count = 0;
        current.speed = nextWaypoint->GetCurrent(current.direction, count);
    }
    if (lastFix) current.lastObservation = AsctimeText(lastFix->GetTime());
    return current;
}

std::string AsctimeText(CTime t) { return t.FormatUtc("%a %b %d %H:%M:%S %Y\n"); }
