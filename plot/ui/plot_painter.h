#pragma once

#include <QRgb>

#include <string>

#include "plot/coastline.h"

class CPlotViewport;
class QPainter;
struct CPlotMarker;
struct CPlotScene;

// The colours of the plot: a marker's centre pixel carries its colour.
inline constexpr QRgb kPlotOceanColour = 0xffeef4fa;
inline constexpr QRgb kPlotShoreColour = 0xff8a7550;
inline constexpr QRgb kPlotGraticuleColour = 0xffc2d0de;
inline constexpr QRgb kPlotLegColour = 0xff1f5fbf;
inline constexpr QRgb kPlotWaypointColour = 0xff1f5fbf;
inline constexpr QRgb kPlotNextWaypointColour = 0xffd0208a;
inline constexpr QRgb kPlotTrackColour = 0xff202020;
inline constexpr QRgb kPlotShipColour = 0xffd01010;
inline constexpr QRgb kPlotPopularColour = 0xff208040;
inline constexpr QRgb kPlotCycloneColour = 0xffe07000;

// The shorelines shipped beside the program ("coastline/" in its folder), read
// once at the first use. Low resolution for the plot, crude when zoomed far out.
struct CShorelines {
    CCoastline low;
    CCoastline crude;
    std::string error; // why they are not shown; empty when they are
};
const CShorelines& Shorelines();
// Below this scale (pixels per degree) the crude shoreline is drawn.
inline constexpr double kCrudeShorelineScale = 4.0;

// Paints the plot into the rectangle (0, 0, width, height) of the viewport:
// ocean, shorelines, graticule, the route, the track, cyclones, the ship.
// `hover` is drawn ringed.
void PaintVoyagePlot(QPainter& painter, const CPlotViewport& view, const CPlotScene& scene,
                     const CShorelines& shorelines, const CPlotMarker* hover = nullptr);
