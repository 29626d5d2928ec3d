#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/time.h"
#include "plot/projection.h"

class CKeelmarkLiteDoc;
class CPosition;
class CVoyage;

// Great-circle legs are drawn as curves sampled this far apart at most.
inline constexpr double kGreatCircleStepNm = 60.0;
// The ship's speed vector shows where it will be in an hour; a cyclone's
// movement vector where its centre will be in a day, the span a warning looks ahead.
inline constexpr double kShipVectorHours = 1.0;
inline constexpr double kCycloneVectorHours = 24.0;

// Points along the great circle from `from` to `to`, at most `stepNm` apart, both
// ends included. Longitudes go on from `from`'s without jumping at the date line.
std::vector<CGeoPoint> SampleGreatCircle(const CGeoPoint& from, const CGeoPoint& to, double stepNm);
// The point `distanceNm` away from `from` on the great circle leaving on `course`.
CGeoPoint GreatCircleDestination(const CGeoPoint& from, double course, double distanceNm);

enum class PlotMark { Waypoint, NextWaypoint, Fix, Ship, Popular, Cyclone };

// One marked point of the plot, with what the plot says about it.
struct CPlotMarker {
    PlotMark kind = PlotMark::Waypoint;
    CGeoPoint at;                  // longitude unwrapped along the voyage
    std::string label;             // drawn beside it: a waypoint's or cyclone's name
    std::string detail;            // shown on hover (for waypoints and fixes made when asked: PlotMarkerDetail)
    int routeIndex = -1;           // waypoints and fixes: the place in the route
    std::vector<CGeoPoint> vector; // ship and cyclones: from `at` to where the motion leads
    std::vector<CGeoPoint> circle; // cyclones: the radius of the storm field
};

// Everything the plot draws of a voyage, worked out from the document. Longitudes
// are unwrapped from the departure onwards, so a passage across the date line is
// one unbroken line.
struct CPlotScene {
    std::vector<std::vector<CGeoPoint>> legs; // the planned route, waypoint to waypoint
    std::vector<CGeoPoint> track;             // departure and fixes: the track made good
    std::vector<CGeoPoint> deadReckoning;     // last fix to the ship
    std::vector<CPlotMarker> markers;         // in drawing order: cyclones, waypoints, fixes, popular, ship
    std::optional<CPlotMarker> ship;
    CMapRect routeBounds; // route and ship: what "Fit route" shows
    CMapRect bounds;      // everything drawn

    const CPlotMarker* Ship() const { return ship ? &*ship : nullptr; }
};

// The scene of the voyage as it stands at `now` (cyclones are carried to `now`
// by dead reckoning on copies; the document is not changed).
CPlotScene BuildPlotScene(CKeelmarkLiteDoc& doc, CTime now);

// The marker under the pixel (within `radius` pixels), nearest first; the ship
// wins a tie, then fixes, waypoints, the popular position and cyclones.
const CPlotMarker* HitTest(const CPlotScene& scene, const CPlotViewport& view, double px, double py, double radius);

// What the plot says about a marker on hover: a fix's name and time, a waypoint's
// name, place and (ahead of the ship) ETA, the ship's course and speed, a cyclone's figures.
std::string PlotMarkerDetail(const CPlotMarker& marker, const CVoyage& voyage);

// The status-bar text of the cursor: its latitude and longitude, and its great-circle
// distance and initial course from the ship, e.g.
// "49:30.00 North  0:06.00 East    18.23 nM  165.40° from ship".
std::string CursorReadout(const CGeoPoint& cursor, const CPosition& ship);
