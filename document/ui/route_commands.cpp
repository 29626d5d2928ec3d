#include "document/ui/route_commands.h"

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

// Holds the dashboard's refresh for the life of a dialog.
class Suspension {
public:
    explicit Suspension(const std::function<void(bool)>& suspend) : m_suspend(suspend) {
        if (m_suspend) m_suspend(true);
    }
    ~Suspension() {
        if (m_suspend) m_suspend(false);
    }
    Suspension(const Suspension&) = delete;
    Suspension& operator=(const Suspension&) = delete;

private:
    const std::function<void(bool)>& m_suspend;
};

// The next waypoint as the dashboard last showed it.
std::string NextWaypointName(CKeelmarkLiteDoc& doc) {
    const CPosition* next = doc.GetVoyage().GetStoredNextWaypoint();
    if (doc.GetVoyage().IndexOf(next) < 0) next = doc.GetNextWaypoint();
    return next->GetName();
}

} // namespace

bool IsRouteCommand(Command command) {
    switch (command) {
    case Command::EditNextWaypoint:
    case Command::SelectNextWaypoint:
    case Command::CourseSpeedChange:
    case Command::SelectReference:
    case Command::PopularButton:
    case Command::SpeedMadeGood:
    case Command::Waypoints:
    case Command::PopularPosition:
    case Command::PopularPositionView:
    case Command::VoyageProperties:
        return true;
    default:
        return false;
    }
}

bool ExecuteRouteCommand(Command command, CKeelmarkLiteDoc& doc, QWidget* parent,
                         const std::function<void(bool)>& suspend) {
    if (!IsRouteCommand(command)) return false;
    if (command == Command::SelectReference) {
        // The refresh goes on underneath this one.
        CDialogReferencePosition dialog(doc, parent);
        dialog.exec();
        return true;
    }

    Suspension suspended(suspend);
    switch (command) {
    case Command::EditNextWaypoint:
        EditPosition(doc, *doc.GetNextWaypoint(), kEditWaypointCaption, parent);
        break;
    case Command::SelectNextWaypoint: {
        CDialogSelectWaypoint dialog(doc, parent);
        dialog.exec();
        break;
    }
    case Command::CourseSpeedChange: {
        CCourseChange change = CCourseChange::ForDocument(doc);
        CDialogCourseSpeed dialog(change, parent);
        if (dialog.exec() == QDialog::Accepted) change.Apply(doc);
        break;
    }
    case Command::PopularButton:
    case Command::PopularPosition:
        EditPosition(doc, doc.GetPopularPosition(), kEditPopularCaption, parent);
        break;
    case Command::PopularPositionView:
        EditPosition(doc, doc.GetPopularPosition(), kPopularCaption, parent);
        break;
    case Command::SpeedMadeGood: {
        CDialogSpeedMadeGood dialog(doc.GetVoyage(), parent);
        dialog.exec();
        break;
    }
    case Command::Waypoints: {
        CDialogWaypoints dialog(doc, NextWaypointName(doc), parent);
        dialog.exec();
        break;
    }
    case Command::VoyageProperties: {
        CSheetVoyageProperties sheet(doc, parent);
        sheet.exec();
        break;
    }
    default:
        break;
    }
    return true;
}
