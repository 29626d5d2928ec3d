#include "weather/hurricane_entry.h"

#include "core/position.h"
#include "platform/services.h"

CHurricaneEntry CHurricaneEntry::ForNew(const CPosition& cyclone) {
    CHurricaneEntry entry;
    entry.name = cyclone.GetName();
    return entry;
}

CHurricaneEntry CHurricaneEntry::From(const CPosition& cyclone) {
    CHurricaneEntry entry;
    entry.name = cyclone.GetName();
    entry.centerPressure = cyclone.GetMinimumPressure();
    entry.maxWind = cyclone.GetMaximumWindSpeed();
    entry.radius = cyclone.GetWindDirectionAtMaximum();
    entry.tendency = static_cast<int>(cyclone.GetExtraValue());
    entry.course = cyclone.GetCourse();
    entry.latitudeDegrees = cyclone.GetLatitudeDegrees();
    entry.latitudeMinutes = cyclone.GetLatitudeMinutes();
    entry.latitudeHemisphere = cyclone.IsSouth() ? 1 : 0;
    entry.longitudeDegrees = cyclone.GetLongitudeDegrees();
    entry.longitudeMinutes = cyclone.GetLongitudeMinutes();
    entry.longitudeHemisphere = cyclone.IsWest() ? 1 : 0;
    entry.speed = cyclone.GetSpeed();
    const CTimeFields utc = cyclone.GetTime().Utc();
    entry.day = utc.day;
    entry.hour = utc.hour;
    entry.minute = utc.minute;
    return entry;
}

void CHurricaneEntry::ApplyTo(CPosition& cyclone) const {
    cyclone.SetName(name);
    double latitude = latitudeDegrees + latitudeMinutes / 60.0;
    if (latitudeHemisphere == 1) latitude = -latitude;
    double longitude = longitudeDegrees + longitudeMinutes / 60.0;
    if (longitudeHemisphere == 1) longitude = -longitude;
    cyclone.SetLatitude(latitude);
    cyclone.SetLongitude(longitude);
    cyclone.SetMinimumPressure(centerPressure);
    cyclone.SetCourse(course);
    cyclone.SetSpeed(speed);
    cyclone.SetMaximumWindSpeed(maxWind);
    cyclone.SetWindDirectionAtMaximum(radius);
    cyclone.SetExtraValue(tendency);
    cyclone.SetKind(maxWind > kHurricaneWindLimit ? kHurricaneKind : kStormKind);
    const CTimeFields stamp = cyclone.GetTime().Utc();
    cyclone.SetTime(CTime::FromUtc(stamp.year, stamp.month, day, hour, minute, 0));
}

bool CHurricaneEntry::ApplyNewTo(CPosition& cyclone) const {
    if (day == 0) {
        services::Prompts().Show(kHurricaneIncompleteText);
        return false;
    }
    ApplyTo(cyclone);
    return true;
}
