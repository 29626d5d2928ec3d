#include "weather/ui/weather_commands.h"

#include "core/event_log.h"
#include "core/ui/command_registry.h"
#include "document/keelmark_lite_doc.h"
#include "weather/hurricane_list.h"
#include "weather/meteo_obs.h"
#include "weather/obs_message.h"
#include "weather/ui/average_weather_dialog.h"
#include "weather/ui/hurricanes_dialog.h"
#include "weather/ui/meteo_sheet.h"

namespace {

void OnUpdateMeteo(const CCommandContext& c) {
    CKeelmarkLiteDoc& doc = c.Doc();
    CPosition* next = doc.GetNextWaypoint();
    CPosition* lastFix = doc.GetLastFix();
    CSheetMeteo sheet(doc.GetMeteoObs(), next, lastFix, c.parent);
    if (sheet.exec() != QDialog::Accepted) return;
    ApplyMeteoUpdate(doc.GetMeteoObs(), sheet.Edited(), next, lastFix);
    doc.SetModifiedFlag();
}

void OnHurricanes(const CCommandContext& c) {
    CDialogHurricanes dialog(c.Doc().GetCyclones(), c.Doc().GetPresentPosition(), c.parent);
    if (dialog.exec() == QDialog::Accepted) {
        c.Doc().SetModifiedFlag();
        CEventLog().Write(kHurricaneLogText);
    }
    if (c.parent) c.parent->update();
}

} // namespace

void RegisterWeatherCommands(CCommandRegistry& registry) {
    registry.Register(Command::UpdateMeteo, OnUpdateMeteo);
    registry.Register(Command::AverageWeather, [](const CCommandContext& c) {
        CDialogAverageWeather dialog(c.Doc().GetVoyage(), c.parent);
        dialog.exec();
    });
    registry.Register(Command::Hurricanes, OnHurricanes);
    registry.Register(Command::ObsMessage, [](const CCommandContext& c) {
        SendObsMessage(c.Doc().GetMeteoObs(), c.Doc().GetPresentPosition(), c.Doc().GetVessel().m_callSign);
    });
}
