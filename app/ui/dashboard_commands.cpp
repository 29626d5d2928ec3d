#include "app/ui/dashboard_commands.h"

#include "app/schedule.h"
#include "app/ui/schedule_dialog.h"
#include "astro/ui/astro_commands.h"
#include "core/ui/command_registry.h"
#include "document/keelmark_lite_doc.h"
#include "document/position_fix.h"
#include "document/ui/gpx_commands.h"
#include "document/ui/position_fix_dialog.h"
#include "document/ui/route_commands.h"
#include "lists/ui/list_commands.h"
#include "particulars/ui/ship_commands.h"
#include "platform/services.h"
#include "weather/ui/weather_commands.h"
#include "plot/ui/plot_commands.h"
#include "reports/ui/report_commands.h"
#include "app/ui/print_commands.h"
#include "app/ui/calculator_dialogs.h"

namespace {

void OnGpsUpdate(const CCommandContext& c) {
    CDialogPositionFix dialog(c.parent);
    dialog.SetFields(GpsFixFields(c.Doc().GetPresentPosition(), services::Now()));
    if (dialog.exec() != QDialog::Accepted) return;
    RecordGpsFix(c.Doc(), dialog.GetFields());
}

void OnSchedule(const CCommandContext& c) {
    const CPosition* destination = c.Doc().GetVoyage().GetLast();
    const double zoneOffset = destination->GetZoneOffset();
    CDialogSchedule dialog(c.parent);
    dialog.SetFields(ZoneFieldsFromUtc(destination->GetTime(), zoneOffset));
    if (dialog.exec() != QDialog::Accepted) return;
    SetScheduledArrival(c.Doc(), UtcFromZoneFields(dialog.GetFields(), zoneOffset));
}

void OnPresentFromPopular(const CCommandContext& c) {
    const CPosition& present = c.Doc().GetPresentPosition();
    services::Prompts().Show("Present position \n" + c.Doc().GetPopularPosition().GetRelativeText(
                                                         present.GetLatitude(), present.GetLongitude()));
}

} // namespace

void RegisterDashboardCommands(CCommandRegistry& registry) {
    registry.Register(Command::GpsUpdate, OnGpsUpdate);
    registry.Register(Command::Schedule, OnSchedule);
    registry.Register(Command::PresentFromPopular, OnPresentFromPopular);
}

void RegisterVoyageCommands(CCommandRegistry& registry) {
    RegisterDashboardCommands(registry);
    RegisterRouteCommands(registry);
    RegisterWeatherCommands(registry);
    RegisterPlotCommands(registry);
    RegisterGpxCommands(registry);
    RegisterAstroCommands(registry);
    RegisterShipCommands(registry);
    RegisterListCommands(registry);
    RegisterPrintCommands(registry);
    RegisterCalculatorCommands(registry);
    RegisterReportCommands(registry);
}
