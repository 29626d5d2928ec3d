#include "document/ui/route_commands.h"

#include <string>
#include <utility>

#include "core/ui/command_registry.h"
#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"
#include "document/route_editing.h"
#include "document/ui/course_speed_dialog.h"
#include "document/ui/position_sheet.h"
#include "document/ui/reference_position_dialog.h"
#include "document/ui/select_waypoint_dialog.h"
#include "document/ui/speed_made_good_dialog.h"
#include "document/ui/voyage_properties_sheet.h"
#include "document/ui/waypoints_dialog.h"

namespace {

// The next waypoint as the dashboard last showed it.
std::string NextWaypointName(CKeelmarkLiteDoc& doc) {
    const CPosition* next = doc.GetVoyage().GetStoredNextWaypoint();
    if (doc.GetVoyage().IndexOf(next) < 0) next = doc.GetNextWaypoint();
    return next->GetName();
}

template <typename Dialog, typename... Args> void Run(Args&&... args) {
    Dialog dialog(std::forward<Args>(args)...);
    dialog.exec();
}

void EditPopular(const CCommandContext& c) {
    EditPosition(c.Doc(), c.Doc().GetPopularPosition(), kEditPopularCaption, c.parent);
}

} // namespace

void RegisterRouteCommands(CCommandRegistry& registry) {
    registry.Register(Command::EditNextWaypoint, [](const CCommandContext& c) {
        EditPosition(c.Doc(), *c.Doc().GetNextWaypoint(), kEditWaypointCaption, c.parent);
    });
    registry.Register(Command::SelectNextWaypoint,
                      [](const CCommandContext& c) { Run<CDialogSelectWaypoint>(c.Doc(), c.parent); });
    registry.Register(Command::CourseSpeedChange, [](const CCommandContext& c) {
        CCourseChange change = CCourseChange::ForDocument(c.Doc());
        CDialogCourseSpeed dialog(change, c.parent);
        if (dialog.exec() == QDialog::Accepted) change.Apply(c.Doc());
    });
    registry.Register(Command::SelectReference,
                      [](const CCommandContext& c) { Run<CDialogReferencePosition>(c.Doc(), c.parent); });
    registry.Register(Command::PopularButton, EditPopular);
    registry.Register(Command::PopularPosition, EditPopular);
    registry.Register(Command::PopularPositionView, [](const CCommandContext& c) {
        EditPosition(c.Doc(), c.Doc().GetPopularPosition(), kPopularCaption, c.parent);
    });
    registry.Register(Command::SpeedMadeGood,
                      [](const CCommandContext& c) { Run<CDialogSpeedMadeGood>(c.Doc().GetVoyage(), c.parent); });
    registry.Register(Command::Waypoints, [](const CCommandContext& c) {
        Run<CDialogWaypoints>(c.Doc(), NextWaypointName(c.Doc()), c.parent);
    });
    registry.Register(Command::VoyageProperties,
                      [](const CCommandContext& c) { Run<CSheetVoyageProperties>(c.Doc(), c.parent); });
}
