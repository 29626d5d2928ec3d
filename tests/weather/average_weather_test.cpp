#include "weather/average_weather.h"

#include "core/voyage.h"
#include "support/model_test.h"
#include "weather/meteo_obs.h"

using AverageWeather = VoyageTest<MakeMeridianRoute>;

namespace {

std::string Rows(const CVoyage& voyage, int selection, int view) {
    std::string text;
    for (const CAverageWeatherRow& row : AverageWeatherRows(voyage, selection, view))
        text += std::to_string(row.icon) + " " + row.texts[0] + "|" + row.texts[1] + "|" + row.texts[2] + "|" +
                row.texts[3] + "\n";
    return text;
}

} // namespace

TEST_F(AverageWeather, WindDirectionsAverageAsVectors) {
    CPosition next, fix;
    CMeteoObs obs;
    obs.m_windSpeed = 10;
    for (const double direction : {350.0, 10.0}) {
        obs.m_windDirection = direction;
        AddMeteoToRoute(obs, &next, &fix);
    }
    double direction = -1;
    std::int32_t count = 0;
    EXPECT_EQ(Row(next.GetWeather(direction, count), direction, count), "10.00|0.00|2");
    // A third from the east weighs one against the two around north: atan(1/2).
    obs.m_windDirection = 90;
    AddMeteoToRoute(obs, &next, nullptr);
    EXPECT_EQ(Row(next.GetWeather(direction, count), direction, count), "10.00|26.57|3");
}

TEST_F(AverageWeather, SelectionPicksTheKindsAndViewsPickTheFigures) {
    CMeteoObs obs;
    obs.m_windSpeed = 12.5, obs.m_windDirection = 270, obs.m_barometer = 1013.2;
    AddMeteoToRoute(obs, v->GetAt(2), v->GetAt(1)); // Mid and Fix A
    v->GetAt(3)->AddPerformance(90, 1.5, 9.25, 88);
    EXPECT_EQ(Rows(*v, kAverageWaypoints, kAverageWind),
              "0 Departure|0.00|0.00|1000.00\n0 Mid|12.50|270.00|1013.20\n0 Arrival|0.00|0.00|1000.00\n");
    EXPECT_EQ(Rows(*v, kAverageFixes, kAverageWind), "1 Fix A|12.50|270.00|1013.20\n1 Fix B|0.00|0.00|1000.00\n");
    EXPECT_EQ(Rows(*v, kAverageAll, kAverageWind).substr(0, 11), "0 Departure");
    EXPECT_EQ(AverageWeatherRows(*v, kAverageAll, kAverageCurrent).size(), 5u);
    const std::string current = Rows(*v, kAverageFixes, kAverageCurrent);
    const std::string performance = Rows(*v, kAverageFixes, kAveragePerformance);
    EXPECT_NE(current.find("1 Fix B|1.50|90.00|"), std::string::npos) << current;
    EXPECT_NE(performance.find("1 Fix B|9.25|88.00|"), std::string::npos) << performance;
    EXPECT_EQ(AverageWeatherColumnTitles(kAverageCurrent)[1] + AverageWeatherColumnTitles(kAverageCurrent)[3],
              "CurrentspeedShips speed");
}
