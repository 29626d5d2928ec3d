#include "document/astro_fix_entry.h"

#include "astro/astro_fix.h"
#include "core/event_log.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"

bool EnterAstroFix(CKeelmarkLiteDoc& doc) {
    CAlmanac& almanac = doc.GetAlmanac();
    const CPosition& present = doc.GetPresentPosition();
    double latitude = present.GetLatitude();
    double longitude = present.GetLongitude();
    if (!almanac.CalculateFix(latitude, longitude)) {
        // Closing the list must not look as if the fix had been taken.
        services::Prompts().Show(kInsufficientObservationsText);
        return false;
    }

    CPosition fix;
    fix.SetTime(services::Now());
    fix.SetLatitude(latitude);
    fix.SetLongitude(longitude);
    // The fix is taken now: the computer's clock names it.
    const CTime local = CEventLog::LocalNow();
    if (services::Prompts().Show(AstroFixQuestion(local.FormatUtc("%H:%M:%S"), fix), PromptIcon::Question,
                                 PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;

    const int fixesBefore = doc.GetVoyage().GetCount();
    doc.AddPositionFix(AstroFixRemark(local.FormatUtc("%d %b %H:%M")), fix.GetTime(), latitude, longitude);
    if (doc.GetVoyage().GetCount() == fixesBefore) return false; // refused by the voyage
    WriteLogIf("logpos", AstroFixLogLine(fix));
    return true;
}
