#include "weather/meteo_obs.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "core/archive.h"
#include "core/voyage.h"
#include "fuzz/fuzz_support.h"
#include "support/bytes.h"
#include "support/model_test.h"

using MeteoObs = ModelTest;

TEST_F(MeteoObs, RecordIsStoredFieldByFieldInFileOrder) {
    CMeteoObs fresh;
    EXPECT_EQ(FieldsOf(fresh),
              "pressureTendency=0 pressureChange=0 barometer=1000 swell1Direction=0 swell1Height=0 swell1Period=0 "
              "swell2Direction=0 swell2Height=0 swell2Period=0 waveHeight=0 wavePeriod=0 highCloudType=0 "
              "lowCloudType=0 skyTendency=0 middleCloudType=0 averageCloudHeight=1000 highCloudCover=0 "
              "lowCloudCover=0 middleCloudCover=0 totalCloudCover=0 dewPoint=15 dryTemperature=18 humidity=16 "
              "wetTemperature=14 seaTemperature=18 seaTemperatureMethod=1 pastWeatherW1=0 pastWeatherW2=0 "
              "presentWeatherWw=0 windDirection=0 windSpeed=0 windMethod=0 beaufortForce=0");
    // Each field a value of its own, by hand in file order.
    const std::string bytes = LeLong(3) + LeDouble(-1.5) + LeDouble(1013.25)                    //
                              + LeDouble(10) + LeDouble(1.5) + LeDouble(7)                      // swell 1
                              + LeDouble(200) + LeDouble(2.5) + LeDouble(9)                     // swell 2
                              + LeDouble(3.25) + LeDouble(6)                                    // waves
                              + LeLong(4) + LeLong(5) + LeLong(6) + LeLong(7) + LeDouble(2500)  // clouds
                              + LeLong(11) + LeLong(12) + LeLong(13) + LeLong(14)               // covers
                              + LeDouble(9.5) + LeDouble(21) + LeDouble(77) + LeDouble(17.5)    // dew .. wet
                              + LeDouble(22.5) + LeLong(0) + LeLong(8) + LeLong(2) + LeLong(63) // sea, W1, W2, ww
                              + LeDouble(270) + LeDouble(12.5) + LeLong(2) + LeLong(6);         // wind, Beaufort
    ASSERT_EQ(bytes.size(), CMeteoObs::kStoredSize);
    CMeteoObs obs;
    obs.m_precipitation = true;
    EXPECT_TRUE(ReadAll(obs, bytes));
    EXPECT_EQ(FieldsOf(obs),
              "pressureTendency=3 pressureChange=-1.5 barometer=1013.25 swell1Direction=10 swell1Height=1.5 "
              "swell1Period=7 swell2Direction=200 swell2Height=2.5 swell2Period=9 waveHeight=3.25 wavePeriod=6 "
              "highCloudType=4 lowCloudType=5 skyTendency=6 middleCloudType=7 averageCloudHeight=2500 "
              "highCloudCover=11 lowCloudCover=12 middleCloudCover=13 totalCloudCover=14 dewPoint=9.5 "
              "dryTemperature=21 humidity=77 wetTemperature=17.5 seaTemperature=22.5 seaTemperatureMethod=0 "
              "pastWeatherW1=8 pastWeatherW2=2 presentWeatherWw=63 windDirection=270 windSpeed=12.5 windMethod=2 "
              "beaufortForce=6");
    EXPECT_TRUE(obs.m_precipitation) << "not in the file: a load keeps what the flag was";
    EXPECT_EQ(ToHex(StoreToBytes(obs)), ToHex(bytes));
}

TEST_F(MeteoObs, TendencyListIsSortedAsStored) {
    // A sorted drop-down stores the place in case-insensitive order: the list must be in it.
    const auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
        return s;
    };
    const auto tendency = MeteoPressureTendencyList();
    for (std::size_t i = 1; i < tendency.size(); ++i)
        EXPECT_LT(lower(tendency[i - 1]), lower(tendency[i])) << i;
}

TEST_F(MeteoObs, RangesAreTheSheetsAndNameTheFirstFault) {
    CMeteoObs obs;
    const auto fault = [&](auto CMeteoObs::*field, auto value) {
        const auto kept = obs.*field;
        obs.*field = value;
        const std::string text = MeteoRangeFault(obs);
        obs.*field = kept;
        return text;
    };
    EXPECT_EQ(MeteoRangeFault(obs), "");
    EXPECT_EQ(fault(&CMeteoObs::m_barometer, 1800.0), "");
    EXPECT_EQ(fault(&CMeteoObs::m_barometer, 1800.01), "\"barometer\" is 1800.01 but must be between 750 and 1800");
    EXPECT_NE(fault(&CMeteoObs::m_barometer, std::numeric_limits<double>::quiet_NaN()), "");
    // -1 is "none chosen" in a drop-down; one past the list is not.
    EXPECT_EQ(fault(&CMeteoObs::m_middleCloudType, -1), "");
    EXPECT_EQ(fault(&CMeteoObs::m_middleCloudType, 11), "\"middleCloudType\" is 11 but must be between -1 and 10");
    // Temperatures and the display-only fields are never refused.
    EXPECT_EQ(fault(&CMeteoObs::m_dryTemperature, -80.0), "");
    EXPECT_EQ(fault(&CMeteoObs::m_humidity, 500.0), "");
    obs.m_presentWeatherWw = 100;
    obs.m_windSpeed = 151; // later in the file: the first fault is named
    EXPECT_EQ(MeteoRangeFault(obs), "\"presentWeatherWw\" is 100 but must be between 0 and 99");
    obs.m_presentWeatherWw = 99;
    EXPECT_EQ(MeteoRangeFault(obs), "\"windSpeed\" is 151 but must be between 0 and 150");
    ASSERT_NE(FindMeteoRange("pressureChange"), nullptr);
    EXPECT_EQ(FindMeteoRange("pressureChange")->minimum, -500);
}

TEST_F(MeteoObs, UpdateReplacesTheRecordAveragesIntoTheRouteAndLogs) {
    CMeteoObs record, edited;
    edited.m_windSpeed = 12.5;
    edited.m_windDirection = 270;
    edited.m_barometer = 1013.2;
    edited.m_precipitation = true;
    edited.m_totalCloudCover = 75;
    CPosition next, last;
    ApplyMeteoUpdate(record, edited, &next, &last);
    EXPECT_EQ(record.m_totalCloudCover, 75);
    EXPECT_TRUE(record.m_precipitation);
    EXPECT_EQ(host.Logged(), Names{"Meteo updated Windspeed 12.50 kts Winddirection 270.00 deg Barometer 1013.20 mb"});
    for (const CPosition* p : {&next, &last}) {
        double direction = 0;
        std::int32_t count = 0;
        const double speed = p->GetWeather(direction, count);
        EXPECT_EQ(
            Row(speed, direction, count, p->GetAveragePressure(), p->GetMaximumWindSpeed(), p->GetMinimumPressure()),
            "12.50|270.00|1|1013.20|12.50|1013.20");
    }
    // Negative figures keep their sign in the log line.
    CMeteoObs odd;
    odd.m_windSpeed = -0.25;
    odd.m_barometer = 999.999;
    EXPECT_EQ(MeteoLogText(odd), "Meteo updated Windspeed -0.25 kts Winddirection 0.00 deg Barometer 1000.00 mb");
}

TEST_F(MeteoObs, OneObservationCountsOnceOnEachPosition) {
    CMeteoObs obs;
    obs.m_windSpeed = 20;
    // A new voyage: the last fix is the departure, and so may be the next waypoint.
    CVoyage voyage;
    const CPosition present(voyage.GetFirst()->GetLatitude(), voyage.GetFirst()->GetLongitude(), CTime());
    CPosition only;
    AddMeteoToRoute(obs, voyage.GetNextWaypoint(present), voyage.GetLastFix());
    AddMeteoToRoute(obs, nullptr, &only); // missing positions are skipped
    AddMeteoToRoute(obs, nullptr, nullptr);
    for (const CPosition* p : {voyage.GetNextWaypoint(present), voyage.GetLastFix(), &only}) {
        double direction = 0;
        std::int32_t count = 0;
        p->GetWeather(direction, count);
        EXPECT_EQ(count, 1);
    }
}

TEST_F(MeteoObs, CurrentPageShowsTheNextWaypointsCurrentAndTheLastFixTime) {
    EXPECT_EQ(AsctimeText(CTime::FromUtc(1980, 1, 2, 2, 3, 55)), "Wed Jan 02 02:03:55 1980\n");
    CPosition next, last;
    next.AddPerformance(135.0, 1.5, 8.0, 90.0);
    last.SetTime(CTime::FromUtc(2026, 3, 5, 14, 7, 0));
    const CMeteoCurrent current = MeteoCurrentOf(&next, &last);
    EXPECT_EQ(Row(current.direction, current.speed), "135.00|1.50");
    EXPECT_EQ(current.lastObservation, "Thu Mar 05 14:07:00 2026\n");
    const CMeteoCurrent none = MeteoCurrentOf(nullptr, nullptr);
    EXPECT_EQ(Row(none.speed, none.lastObservation), "0.00|");
}
