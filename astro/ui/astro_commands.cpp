#include "astro/ui/astro_commands.h"

#include <string>

#include "astro/almanac.h"
#include "astro/almanac_builder.h"
#include "astro/ui/almanac_dialog.h"
#include "astro/ui/celestial_azimuth_dialog.h"
#include "astro/ui/observation_dialog.h"
#include "astro/ui/pending_observations_dialog.h"
#include "astro/ui/starfinder_dialog.h"
#include "astro/ui/times_dialog.h"
#include "core/event_log.h"
#include "core/ui/command_registry.h"
#include "document/astro_fix_entry.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"

namespace {

constexpr const char* kAlmanacFilter = "Almanac Data (*.dat)|*.dat|All Files (*.*)|*.*||";
constexpr const char* kAlmanacExtension = "dat";
constexpr const char* kAlmanacName = "Almanac";

double HeightOfEye(CKeelmarkLiteDoc& doc) { return doc.GetVessel().GetHeightOfEye(); }

void OnObservation(const CCommandContext& c) {
    CDialogAstroObservation dialog(c.Doc().GetAlmanac(), c.Doc().GetPresentPosition(), HeightOfEye(c.Doc()), c.parent);
    if (dialog.exec() == QDialog::Accepted) dialog.AddToPending();
}

void OnAzimuth(const CCommandContext& c) {
    CDialogCelestialAzimuth dialog(c.Doc().GetAlmanac(), c.Doc().GetPresentPosition(), c.parent);
    if (dialog.exec() == QDialog::Accepted) CEventLog().Write(dialog.LogLine());
}

void OnPendingObservations(const CCommandContext& c) {
    CDialogPendingObservations dialog(c.Doc().GetAlmanac(), c.Doc().GetPresentPosition(), HeightOfEye(c.Doc()),
                                      c.parent);
    if (dialog.exec() == QDialog::Accepted) EnterAstroFix(c.Doc());
}

void OnAlmanacLoad(const CCommandContext& c) {
    const FileChoiceRequest request{kAlmanacFilter, kAlmanacExtension, kAlmanacName, {}};
    if (const auto path = services::Files().ChooseOpen(request))
        if (c.Doc().GetAlmanac().LoadFile(*path)) c.Doc().GetAlmanac().SetModified(false);
}

void OnAlmanacSave(const CCommandContext& c) {
    const FileChoiceRequest request{kAlmanacFilter, kAlmanacExtension, kAlmanacName, {}};
    if (const auto path = services::Files().ChooseSave(request))
        if (c.Doc().GetAlmanac().SaveFile(*path)) c.Doc().GetAlmanac().SetModified(false);
}

void OnAlmanacToDate(const CCommandContext& c) {
    CAlmanac& almanac = c.Doc().GetAlmanac();
    const int moved = BringStarsToDate(almanac, services::Now());
    if (moved > 0) almanac.SetModified();
    services::Prompts().Show(StarsMovedText(moved) + (moved > 0 ? "\nSave the almanac to keep them." : ""),
                             PromptIcon::Information);
}

} // namespace

void RegisterAstroCommands(CCommandRegistry& registry) {
    registry.Register(Command::Starfinder, [](const CCommandContext& c) {
        CDialogStarfinder(c.Doc().GetAlmanac(), c.Doc().GetPresentPosition(), c.parent).exec();
    });
    registry.Register(Command::LocalTimes,
                      [](const CCommandContext& c) { CDialogTimes(c.Doc().GetPresentPosition(), c.parent).exec(); });
    registry.Register(Command::Observation, OnObservation);
    registry.Register(Command::Azimuth, OnAzimuth);
    registry.Register(Command::PendingObservations, OnPendingObservations);
    registry.Register(Command::AlmanacData,
                      [](const CCommandContext& c) { CDialogAlmanac(c.Doc().GetAlmanac(), c.parent).exec(); });
    registry.Register(Command::AlmanacLoad, OnAlmanacLoad);
    registry.Register(Command::AlmanacSave, OnAlmanacSave);
    registry.Register(Command::AlmanacToDate, OnAlmanacToDate);
}
