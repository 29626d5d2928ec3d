#include "weather/average_weather.h"

#include "core/conversion.h"
#include "core/position.h"
#include "core/voyage.h"

std::array<std::string, 4> AverageWeatherColumnTitles(int view) {
    switch (view) {
    case kAverageCurrent:
        return {"Position", "Currentspeed", "Direction", "Ships speed"};
    case kAveragePerformance:
        return {"Position", "Av. Draft", "Av. RPM", "Av. Speed"};
    default:
        return {"Position", "Windspeed", "Direction", "Pressure"};
    }
}

std::vector<CAverageWeatherRow> AverageWeatherRows(const CVoyage& voyage, int selection, int view) {
    using C = CConversion;
    std::vector<CAverageWeatherRow> rows;
    for (int i = 0; i < voyage.GetCount(); ++i) {
        const CPosition& p = *voyage.GetAt(i);
        if (selection != kAverageAll && p.GetKind() != selection) continue;
        CAverageWeatherRow row;
        row.icon = p.GetKind() == 1 ? 1 : 0;
        // The directions are the positions' running means, kept as vector means
        // where the observations are added (a mean of 350 and 010 is 000).
        double direction = 0.0;
        std::int32_t count = 0;
        switch (view) {
        case kAverageCurrent: {
            const double speed = p.GetCurrent(direction, count);
            row.texts = {p.GetName(), C::FixedText(speed), C::FixedText(direction), C::FixedText(p.GetAverageSpeed())};
            break;
        }
        case kAveragePerformance:
            row.texts = {p.GetName(), C::FixedText(p.GetAverageDraft()), C::FixedText(p.GetAverageEngineRpm()),
                         C::FixedText(p.GetAverageSpeed())};
            break;
        default: {
            const double speed = p.GetWeather(direction, count);
            row.texts = {p.GetName(), C::FixedText(speed), C::FixedText(direction),
                         C::FixedText(p.GetAveragePressure())};
            break;
        }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}
