#pragma once

#include <string>
#include <vector>

#include "core/time.h"
#include "document/gpx_route.h"

class CKeelmarkLiteDoc;
class CVoyage;

// A route from a GPX file made the voyage's route.

inline constexpr const char* kImportRouteCaption = "Import route (GPX)";
inline constexpr const char* kExportRouteCaption = "Export route (GPX)";
inline constexpr const char* kGpxFilter = "GPX Files (*.gpx)|*.gpx|All Files (*.*)|*.*||";
inline constexpr const char* kGpxExtension = "gpx";

struct CRouteImport {
    std::string routeName; // as lists show it
    int waypoints = 0;     // route points that became waypoints
    int replaced = 0;      // planned waypoints that went
    int fixesKept = 0;
    std::vector<std::string> changedNames; // "Łódź becomes ?ód?": names Windows-1252 cannot hold whole
};

// The planned waypoints of the route: every position that is not a fix.
int PlannedWaypointCount(const CVoyage& voyage);

// What importing the route would do, without doing it.
CRouteImport PlanRouteImport(const CVoyage& voyage, const CGpxFile& file, std::size_t index);

// The route's points become the voyage's waypoints in order, replacing the
// planned ones; the fixes stay (see CVoyage::ReplaceWaypoints). The departure
// keeps the time the voyage started from and the destination its scheduled
// arrival and zone offset, so the schedule holds; the waypoints between carry
// `now`. False, with a message and the voyage unchanged, for a route of fewer
// than two points.
bool ReplaceRouteWaypoints(CVoyage& voyage, const CGpxRoute& route, CTime now, std::string& error);

// Why the route cannot become the voyage's route, or "" when it can.
std::string RouteRefusal(const CGpxRoute& route);

// The same on the document: the reference fix moves to the new departure when
// it was a planned waypoint, the next waypoint is chosen afresh, the document is
// marked modified and the event log gets one line.
bool ImportRoute(CKeelmarkLiteDoc& doc, const CGpxFile& file, std::size_t index, const std::string& path,
                 std::string& error);

std::string ImportQuestion(const CRouteImport& plan);
std::string ImportLogText(const CRouteImport& plan, const std::string& path);

// The whole import as the Voyage menu does it: the file (through the file
// choice), the route when the file holds several, the Yes/No question, then the
// replacement. True when the route was replaced.
bool ImportRouteFromGpx(CKeelmarkLiteDoc& doc);
// Writes the route, the track and the popular position to a file the user chooses.
bool ExportRouteToGpx(CKeelmarkLiteDoc& doc);
