#include "astro/arrival_times.h"

#include "astro/local_times.h"
#include "core/conversion.h"

ArrivalTimeTexts ArrivalTimes(double longitude, double zoneOffset, double eta, double sunAltitude, bool portSheet) {
    const char* longFormat = portSheet ? "%d %b %H:%M" : "%A %d %b %H:%M";
    const auto text = [](double d, const char* format) { return CConversion::DayNumberToTime(d).FormatUtc(format); };
    ArrivalTimeTexts t;
    t.difference = LocalMeanTimeDifferenceText(longitude, portSheet);
    t.utc = text(eta, longFormat);
    t.localMean = text(eta + LocalMeanTimeDifference(longitude) / 24.0, "%d %b %H:%M");
    t.local = text(eta + zoneOffset / 24.0, longFormat);
    t.dayState = DayStateText(sunAltitude, portSheet);
    return t;
}
