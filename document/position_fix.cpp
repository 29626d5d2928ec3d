#include "document/position_fix.h"

#include <algorithm>
#include <vector>

#include "core/event_log.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"

CTime FixTimeFromUtcFields(CTime now, int day, int hour, int minute) {
    const CTimeFields utc = now.Utc();
    return CTime::FromUtc(utc.year, utc.month, day, hour, minute, 0);
}

CPositionFixFields GpsFixFields(const CPosition& present, CTime now) {
    const CTimeFields utc = now.Utc();
    CPositionFixFields fields;
    fields.description = "GPS Fix " + now.FormatUtc("%d %b %H:%M") + " UTC";
    fields.day = utc.day;
    fields.hour = utc.hour;
    fields.minute = utc.minute;
    fields.latitude = LatitudeFields(present);
    fields.longitude = LongitudeFields(present);
    return fields;
}

bool IsFixTimeAcceptable(const CPositionFixFields& fields) {
    const CTime now = services::Now();
    if (FixTimeFromUtcFields(now, fields.day, fields.hour, fields.minute) <= now) return true;
    services::Prompts().Show(kFixAheadOfNowText, PromptIcon::Stop);
    return false;
}

bool RecordGpsFix(CKeelmarkLiteDoc& doc, const CPositionFixFields& fields) {
    const CVoyage& voyage = doc.GetVoyage();
    std::vector<const CPosition*> before;
    for (int i = 0; i < voyage.GetCount(); ++i)
        before.push_back(voyage.GetAt(i));

    const CTime time = FixTimeFromUtcFields(services::Now(), fields.day, fields.hour, fields.minute);
    doc.AddPositionFix(fields.description, time, CoordinateFromFields(fields.latitude),
                       CoordinateFromFields(fields.longitude));

    // Log the fix just taken: a refused fix adds nothing, and must not be logged
    // as if the previous one were new.
    for (int i = 0; i < voyage.GetCount(); ++i) {
        const CPosition* position = voyage.GetAt(i);
        if (std::find(before.begin(), before.end(), position) != before.end()) continue;
        WriteLogIf("logpos", FixLogText(*position));
        return true;
    }
    return false;
}

std::string FixLogText(const CPosition& fix) {
    return fix.GetName() + fix.GetLatitudeText() + "  " + fix.GetLongitudeText();
}
