#include "astro/star_finder.h"

#include "astro/almanac.h"
#include "astro/astro_object.h"
#include "core/conversion.h"
#include "core/position.h"

std::vector<StarfinderRow> StarfinderRows(CAlmanac& almanac, const CPosition& position, bool allObjects) {
    std::vector<StarfinderRow> rows;
    rows.reserve(static_cast<std::size_t>(almanac.GetObjectCount()));
    const double d = CConversion::DayNumber(position.GetTime());
    for (int i = 0; i < almanac.GetObjectCount(); ++i) {
        CAstroObject& o = *almanac.GetObject(i);
        StarfinderRow row;
        row.altitude = o.GetAltitudeAzimuthAt(position, row.azimuth, d);
        if (!allObjects && !(row.altitude > 0.0)) continue;
        row.index = i;
        row.name = o.GetName();
        row.kind = o.GetKind();
        row.magnitude = o.GetMagnitude();
        double twilightStart = 0.0, twilightEnd = 0.0;
        o.GetRiseTransitSet(position, row.transit, row.rise, row.set, twilightStart, twilightEnd);
        rows.push_back(std::move(row));
    }
    return rows;
}

void StarfinderTexts(const StarfinderRow& row, bool riseAndSet, std::string& column1, std::string& column2,
                     std::string& column3) {
    if (riseAndSet) {
        column1 = FormatEventTime(row.rise);
        column2 = FormatEventTime(row.transit);
        column3 = FormatEventTime(row.set);
        return;
    }
    column1 = row.altitude < 0 ? "down" : CConversion::DegMinText(row.altitude);
    column2 = CConversion::FixedText(row.azimuth);
    column3 = CConversion::FixedText(row.magnitude);
}
