#include "particulars/ui/ship_commands.h"

#include "core/ui/command_registry.h"
#include "document/keelmark_lite_doc.h"
#include "particulars/ui/port_sheet.h"
#include "particulars/ui/vessel_sheet.h"

namespace {

void OnVesselProperties(const CCommandContext& c) {
    CSheetVessel sheet(c.Doc().GetVessel(), c.parent);
    if (sheet.exec() == QDialog::Accepted) c.Doc().SetModifiedFlag();
}

void OnDestination(const CCommandContext& c) {
    CKeelmarkLiteDoc& doc = c.Doc();
    CSheetPort sheet(doc.GetPort(), doc.GetVessel(), *doc.GetVoyage().GetLast(), &doc.GetAlmanac(), c.parent);
    if (sheet.exec() == QDialog::Accepted) doc.SetModifiedFlag();
}

} // namespace

void RegisterShipCommands(CCommandRegistry& registry) {
    registry.Register(Command::VesselProperties, OnVesselProperties);
    registry.Register(Command::ExportVessel, [](const CCommandContext& c) { c.Doc().GetVessel().ExportVessel(); });
    registry.Register(Command::ImportVessel, [](const CCommandContext& c) { c.Doc().GetVessel().ImportVessel(); });
    registry.Register(Command::Destination, OnDestination);
    registry.Register(Command::ExportPort, [](const CCommandContext& c) { c.Doc().GetPort().ExportPort(); });
    registry.Register(Command::ImportPort, [](const CCommandContext& c) { c.Doc().GetPort().ImportPort(); });
}
