#include "weather/meteo_obs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <vector>

#include "core/archive.h"
#include "core/position.h"
#include "core/voyage.h"
#include "platform/fake/fake_services.h"
#include "support/bytes.h"
#include "support/test_host.h"

namespace {

std::string Zeros(std::size_t n) { return std::string(n, '\0'); }

// Records the names the record visits, in order, as the JSON writer would see them.
class CNameRecorder : public CArchive {
public:
    bool IsStoring() const override { return true; }
    void Long(const char* name, std::int32_t&) override { names.push_back(name); }
    void Dword(const char* name, std::uint32_t&) override { names.push_back(name); }
    void Double(const char* name, double&) override { names.push_back(name); }
    void Time(const char* name, CTime&) override { names.push_back(name); }
    void String(const char* name, std::string&) override { names.push_back(name); }
    void BeginObject(const char*) override {}
    void EndObject() override {}
    std::size_t BeginList(const char*, std::size_t count, CountType, std::size_t) override { return count; }
    void BeginItem() override {}
    void EndItem() override {}
    void EndList() override {}
    std::vector<std::string> names;
};

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

TEST(MeteoObs, DefaultRecordStoresTheseBytes) {
    CMeteoObs obs;
    EXPECT_FALSE(obs.m_precipitation);
    const std::string expected = Zeros(4)                         // pressure tendency 0
                                 + Zeros(8)                       // pressure change
                                 + Hex("00 00 00 00 00 40 8f 40") // barometer 1000.0
                                 + Zeros(8 * 8)                   // swell 1, swell 2, waves
                                 + Zeros(4 * 4)                   // high, low, sky, middle
                                 + Hex("00 00 00 00 00 40 8f 40") // average cloud height 1000.0
                                 + Zeros(4 * 4)                   // four cloud covers
                                 + Hex("00 00 00 00 00 00 2e 40") // dew point 15.0
                                 + Hex("00 00 00 00 00 00 32 40") // dry 18.0
                                 + Hex("00 00 00 00 00 00 30 40") // humidity 16.0
                                 + Hex("00 00 00 00 00 00 2c 40") // wet 14.0
                                 + Hex("00 00 00 00 00 00 32 40") // sea 18.0
                                 + Hex("01 00 00 00")             // sea temperature method 1
                                 + Zeros(3 * 4)                   // W1, W2, ww
                                 + Zeros(2 * 8)                   // wind direction, speed
                                 + Zeros(2 * 4);                  // wind method, Beaufort
    ASSERT_EQ(expected.size(), CMeteoObs::kStoredSize);
    EXPECT_EQ(ToHex(StoreToBytes(obs)), ToHex(expected));
}

TEST(MeteoObs, EveryFieldHasItsPlaceInTheFile) {
    // Each field a different value, spelled out in file order.
    const std::string bytes = LeLong(3) + LeDouble(-1.5) + LeDouble(1013.25)                 //
                              + LeDouble(10) + LeDouble(1.5) + LeDouble(7)                   // swell 1
                              + LeDouble(200) + LeDouble(2.5) + LeDouble(9)                  // swell 2
                              + LeDouble(3.25) + LeDouble(6)                                 // waves
                              + LeLong(4) + LeLong(5) + LeLong(6) + LeLong(7)                // high, low, sky, middle
                              + LeDouble(2500)                                               //
                              + LeLong(11) + LeLong(12) + LeLong(13) + LeLong(14)            // covers h, l, m, total
                              + LeDouble(9.5) + LeDouble(21) + LeDouble(77) + LeDouble(17.5) // dew, dry, hum, wet
                              + LeDouble(22.5) + LeLong(0)                                   // sea temp, method
                              + LeLong(8) + LeLong(2) + LeLong(63)                           // W1, W2, ww
                              + LeDouble(270) + LeDouble(12.5) + LeLong(2) + LeLong(6);      // wind, Beaufort
    ASSERT_EQ(bytes.size(), CMeteoObs::kStoredSize);

    CMeteoObs obs;
    obs.m_precipitation = true;
    CBinaryReader reader(bytes);
    obs.Serialize(reader);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(obs.m_pressureTendency, 3);
    EXPECT_EQ(obs.m_pressureChange, -1.5);
    EXPECT_EQ(obs.GetBarometer(), 1013.25);
    EXPECT_EQ(obs.m_swell1Direction, 10);
    EXPECT_EQ(obs.m_swell1Height, 1.5);
    EXPECT_EQ(obs.m_swell1Period, 7);
    EXPECT_EQ(obs.m_swell2Direction, 200);
    EXPECT_EQ(obs.m_swell2Height, 2.5);
    EXPECT_EQ(obs.m_swell2Period, 9);
    EXPECT_EQ(obs.m_waveHeight, 3.25);
    EXPECT_EQ(obs.m_wavePeriod, 6);
    EXPECT_EQ(obs.m_highCloudType, 4);
    EXPECT_EQ(obs.m_lowCloudType, 5);
    EXPECT_EQ(obs.m_skyTendency, 6);
    EXPECT_EQ(obs.m_middleCloudType, 7);
    EXPECT_EQ(obs.m_averageCloudHeight, 2500);
    EXPECT_EQ(obs.m_highCloudCover, 11);
    EXPECT_EQ(obs.m_lowCloudCover, 12);
    EXPECT_EQ(obs.m_middleCloudCover, 13);
    EXPECT_EQ(obs.m_totalCloudCover, 14);
    EXPECT_EQ(obs.m_dewPoint, 9.5);
    EXPECT_EQ(obs.m_dryTemperature, 21);
    EXPECT_EQ(obs.m_humidity, 77);
    EXPECT_EQ(obs.m_wetTemperature, 17.5);
    EXPECT_EQ(obs.m_seaTemperature, 22.5);
    EXPECT_EQ(obs.m_seaTemperatureMethod, CMeteoObs::kBucket);
    EXPECT_EQ(obs.m_pastWeatherW1, 8);
    EXPECT_EQ(obs.m_pastWeatherW2, 2);
    EXPECT_EQ(obs.m_presentWeatherWw, 63);
    EXPECT_EQ(obs.GetWindDirection(), 270);
    EXPECT_EQ(obs.GetWindSpeed(), 12.5);
    EXPECT_EQ(obs.m_windMethod, CMeteoObs::kAnemometerCorrected);
    EXPECT_EQ(obs.m_beaufortForce, 6);
    // Not in the file: a load keeps what the flag was.
    EXPECT_TRUE(obs.m_precipitation);

    // And the same bytes come back out, whatever the flag.
    EXPECT_EQ(ToHex(StoreToBytes(obs)), ToHex(bytes));
}

TEST(MeteoObs, KeysAreTheFieldNamesInFileOrder) {
    CMeteoObs obs;
    CNameRecorder recorder;
    obs.Serialize(recorder);
    const std::vector<std::string> expected = {
        "pressureTendency", "pressureChange",       "barometer",        "swell1Direction",
        "swell1Height",     "swell1Period",         "swell2Direction",  "swell2Height",
        "swell2Period",     "waveHeight",           "wavePeriod",       "highCloudType",
        "lowCloudType",     "skyTendency",          "middleCloudType",  "averageCloudHeight",
        "highCloudCover",   "lowCloudCover",        "middleCloudCover", "totalCloudCover",
        "dewPoint",         "dryTemperature",       "humidity",         "wetTemperature",
        "seaTemperature",   "seaTemperatureMethod", "pastWeatherW1",    "pastWeatherW2",
        "presentWeatherWw", "windDirection",        "windSpeed",        "windMethod",
        "beaufortForce"};
    EXPECT_EQ(recorder.names, expected);
}

TEST(MeteoObs, TendencyListIsSortedAsStored) {
    // A sorted drop-down stores the place in case-insensitive order: the list must be in it.
    const auto tendency = MeteoPressureTendencyList();
    ASSERT_EQ(tendency.size(), 9u);
    for (std::size_t i = 1; i < tendency.size(); ++i)
        EXPECT_LT(Lower(tendency[i - 1]), Lower(tendency[i])) << i;
    EXPECT_EQ(MeteoGeneralAppearanceList().size(), 10u);
    EXPECT_STREQ(MeteoLowCloudList()[10],
                 "Stratocumulus, Stratus, Cumulus, and Cumulonimbus invisible owing darkness, fog, dust, etc.");
    EXPECT_STREQ(MeteoMiddleCloudList()[0], "No Altocumulus, Altrostratus, or Nimbostratus");
    EXPECT_EQ(MeteoHighCloudList().size(), 11u);
}

TEST(MeteoObs, RangesAreTheSheetsAndNameTheField) {
    CMeteoObs obs;
    EXPECT_EQ(MeteoRangeFault(obs), "");

    obs.m_barometer = 1800;
    EXPECT_EQ(MeteoRangeFault(obs), "");
    obs.m_barometer = 1800.01;
    EXPECT_EQ(MeteoRangeFault(obs), "\"barometer\" is 1800.01 but must be between 750 and 1800");
    obs.m_barometer = std::numeric_limits<double>::quiet_NaN();
    EXPECT_NE(MeteoRangeFault(obs), "");
    obs.m_barometer = 1000;

    // -1 is "none chosen" in a drop-down; one past the list is not.
    obs.m_middleCloudType = -1;
    EXPECT_EQ(MeteoRangeFault(obs), "");
    obs.m_middleCloudType = 11;
    EXPECT_EQ(MeteoRangeFault(obs), "\"middleCloudType\" is 11 but must be between -1 and 10");
    obs.m_middleCloudType = 0;

    obs.m_presentWeatherWw = 100;
    obs.m_windSpeed = 151; // later in the file: the first fault is named
    EXPECT_EQ(MeteoRangeFault(obs), "\"presentWeatherWw\" is 100 but must be between 0 and 99");
    obs.m_presentWeatherWw = 99;
    EXPECT_EQ(MeteoRangeFault(obs), "\"windSpeed\" is 151 but must be between 0 and 150");

    // Temperatures and the display-only fields are never refused.
    CMeteoObs free;
    free.m_dryTemperature = -80;
    free.m_humidity = 500;
    EXPECT_EQ(MeteoRangeFault(free), "");
    ASSERT_NE(FindMeteoRange("pressureChange"), nullptr);
    EXPECT_EQ(FindMeteoRange("pressureChange")->minimum, -500);
}

TEST(MeteoObs, UpdateReplacesTheRecordAveragesIntoTheRouteAndLogs) {
    CTestHost host(CTime::FromUtc(2026, 3, 10, 8, 0, 0));
    host.Set("logging", host.Path("ship.txt"));
    CMeteoObs record;
    CMeteoObs edited;
    edited.m_windSpeed = 12.5;
    edited.m_windDirection = 270;
    edited.m_barometer = 1013.2;
    edited.m_precipitation = true;
    edited.m_totalCloudCover = 75;

    CPosition next, last;
    ApplyMeteoUpdate(record, edited, &next, &last);
    const std::vector<std::string> log = host.Logged();

    EXPECT_EQ(record.m_totalCloudCover, 75);
    EXPECT_TRUE(record.m_precipitation);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "Meteo updated Windspeed 12.50 kts Winddirection 270.00 deg Barometer 1013.20 mb");

    for (const CPosition* p : {&next, &last}) {
        double direction = 0;
        std::int32_t count = 0;
        EXPECT_EQ(p->GetWeather(direction, count), 12.5);
        EXPECT_EQ(direction, 270);
        EXPECT_EQ(count, 1);
        EXPECT_EQ(p->GetAveragePressure(), 1013.2);
        EXPECT_EQ(p->GetMaximumWindSpeed(), 12.5);
        EXPECT_EQ(p->GetMinimumPressure(), 1013.2);
    }

    // Negative figures keep their sign in the log line.
    CMeteoObs odd;
    odd.m_windSpeed = -0.25;
    odd.m_windDirection = 0;
    odd.m_barometer = 999.999;
    EXPECT_EQ(MeteoLogText(odd), "Meteo updated Windspeed -0.25 kts Winddirection 0.00 deg Barometer 1000.00 mb");
}

TEST(MeteoObs, OneObservationCountsOnceOnEachPosition) {
    CFakeServices fake;
    CMeteoObs obs;
    obs.m_windSpeed = 20;

    // A new voyage: the last fix is the departure, and so may be the next waypoint.
    CVoyage voyage;
    CPosition present;
    present.SetLatitude(voyage.GetFirst()->GetLatitude());
    present.SetLongitude(voyage.GetFirst()->GetLongitude());
    CPosition* next = voyage.GetNextWaypoint(present);
    CPosition* last = voyage.GetLastFix();
    AddMeteoToRoute(obs, next, last);
    double direction = 0;
    std::int32_t count = 0;
    next->GetWeather(direction, count);
    EXPECT_EQ(count, 1);
    last->GetWeather(direction, count);
    EXPECT_EQ(count, 1);

    // Missing positions are skipped.
    CPosition only;
    AddMeteoToRoute(obs, nullptr, &only);
    AddMeteoToRoute(obs, nullptr, nullptr);
    only.GetWeather(direction, count);
    EXPECT_EQ(count, 1);
}

TEST(MeteoObs, CurrentPageShowsTheNextWaypointsCurrentAndTheLastFixTime) {
    CFakeServices fake;
    EXPECT_EQ(AsctimeText(CTime::FromUtc(1980, 1, 2, 2, 3, 55)), "Wed Jan 02 02:03:55 1980\n");

    CPosition next, last;
    next.AddPerformance(135.0, 1.5, 8.0, 90.0);
    last.SetTime(CTime::FromUtc(2026, 3, 5, 14, 7, 0));
    const CMeteoCurrent current = MeteoCurrentOf(&next, &last);
    EXPECT_EQ(current.direction, 135.0);
    EXPECT_EQ(current.speed, 1.5);
    EXPECT_EQ(current.lastObservation, "Thu Mar 05 14:07:00 2026\n");

    const CMeteoCurrent none = MeteoCurrentOf(nullptr, nullptr);
    EXPECT_EQ(none.speed, 0.0);
    EXPECT_EQ(none.lastObservation, "");
}
