#include "lists/ui/list_commands.h"

#include "core/ui/command_registry.h"
#include "document/keelmark_lite_doc.h"
#include "lists/checklist.h"
#include "lists/ui/address_dialog.h"
#include "lists/ui/checklist_dialog.h"
#include "platform/services.h"

namespace {

// The address commands mark the voyage modified however the dialog closes.
void EditAddress(const CCommandContext& c, CAddress CPort::*address) {
    CDialogAddress dialog(c.Doc().GetPort().*address, c.parent);
    dialog.exec();
    c.Doc().SetModifiedFlag();
}

void OnChecklists(const CCommandContext& c) {
    CKeelmarkLiteDoc& doc = c.Doc();
    CVoyage& voyage = doc.GetVoyage();
    const std::int64_t days = CChecklist::WholeDaysSince(voyage.GetStartTime(), services::Now());
    const double remaining = voyage.UpdateETAs(doc.GetPresentPosition(), doc.GetVessel().GetRunDown(voyage.GetSpeed()));
    const std::optional<std::int64_t> hoursToGo = CChecklist::WholeHoursToGo(remaining, voyage.GetSpeed());
    CChecklist& checklist = doc.GetVessel().GetChecklist();
    const CChecklist before = checklist;
    CDialogChecklist dialog(checklist, days, hoursToGo, c.parent);
    // The list is changed as the officer works it: closing the window any other
    // way than OK must not leave those changes out of the next save.
    if (dialog.exec() == QDialog::Accepted || checklist != before) doc.SetModifiedFlag();
}

} // namespace

void RegisterListCommands(CCommandRegistry& registry) {
    registry.Register(Command::AddressAgent, [](const CCommandContext& c) { EditAddress(c, &CPort::m_agent); });
    registry.Register(Command::AddressPilot, [](const CCommandContext& c) { EditAddress(c, &CPort::m_pilot); });
    registry.Register(Command::AddressPortControl,
                      [](const CCommandContext& c) { EditAddress(c, &CPort::m_portControl); });
    registry.Register(Command::Checklists, OnChecklists);
}
