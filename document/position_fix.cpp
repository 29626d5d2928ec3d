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

namespace {

constexpr const char* kGpsNamePrefix = "GPS Fix ";
constexpr const char* kGpsNameSuffix = " UTC";

std::string GpsFixName(CTime time) { return kGpsNamePrefix + time.FormatUtc("%d %b %H:%M") + kGpsNameSuffix; }

// The name the dialog proposed, for whatever time: the user did not write one.
bool IsProposedGpsName(const std::string& name) {
    const std::string sample = GpsFixName(CTime::FromUtc(2026, 1, 1));
    return name.size() == sample.size() && name.starts_with(kGpsNamePrefix) && name.ends_with(kGpsNameSuffix);
}

} // namespace

CPositionFixFields GpsFixFields(const CPosition& present, CTime now) {
    const CTimeFields utc = now.Utc();
    CPositionFixFields fields;
    fields.description = GpsFixName(now);
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
    // The proposed name follows the time as edited; a name of the user's own stays.
    const std::string name = IsProposedGpsName(fields.description) ? GpsFixName(time) : fields.description;
    doc.AddPositionFix(name, time, CoordinateFromFields(fields.latitude),
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
    return fix.GetName() + " " + fix.GetLatitudeText() + "  " + fix.GetLongitudeText();
}
