#include "document/ui/gpx_commands.h"

#include "core/ui/command_registry.h"
#include "document/route_import.h"

void RegisterGpxCommands(CCommandRegistry& registry) {
    registry.Register(Command::ImportRouteGpx, [](const CCommandContext& c) { ImportRouteFromGpx(c.Doc()); });
    registry.Register(Command::ExportRouteGpx, [](const CCommandContext& c) { ExportRouteToGpx(c.Doc()); });
}
