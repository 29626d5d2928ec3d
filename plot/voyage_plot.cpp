#include "plot/voyage_plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/conversion.h"
#include "core/position.h"
#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"
#include "weather/hurricane_list.h"

namespace {

constexpr double kRad = std::numbers::pi / 180.0;
constexpr int kCircleSides = 72;

using Vec = std::array<double, 3>;

Vec ToVector(const CGeoPoint& p) {
    const double phi = p.latitude * kRad, lambda = p.longitude * kRad;
    return {std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
}

CGeoPoint FromVector(const Vec& v) {
    return {std::atan2(v[2], std::hypot(v[0], v[1])) / kRad, std::atan2(v[1], v[0]) / kRad};
}

std::string Fixed(double value) { return CConversion::FixedText(value); }

std::string UtcText(CTime t) { return t.FormatUtc("%d %b %H:%M") + " UTC"; }

std::string PlaceText(const CPosition& p) { return p.GetLatitudeText() + "  " + p.GetLongitudeText(); }

// Where a position's course and speed take it in `hours`, by rhumb line as dead reckoning sails.
CGeoPoint Ahead(const CPosition& p, double hours, double unwrappedLongitude) {
    CPosition copy = p;
    copy.SailRhumbLine(p.GetSpeed() * hours, p.GetCourse());
    return {copy.GetLatitude(), UnwrapLongitude(copy.GetLongitude(), unwrappedLongitude)};
}

void Include(CMapRect& r, const CGeoPoint& p) { r.Include(Project(p)); }

} // namespace

std::vector<CGeoPoint> SampleGreatCircle(const CGeoPoint& from, const CGeoPoint& to, double stepNm) {
    const Vec a = ToVector(from), b = ToVector(to);
    const double dot = std::clamp(a[0] * b[0] + a[1] * b[1] + a[2] * b[2], -1.0, 1.0);
    const double angle = std::acos(dot);
    std::vector<CGeoPoint> points{from};
    const CGeoPoint end{to.latitude, UnwrapLongitude(to.longitude, from.longitude)};
    // Antipodes have no one great circle; a zero length has no course: a straight piece.
    const double sinAngle = std::sin(angle);
    if (sinAngle < 1e-9 || !(stepNm > 0)) {
        points.push_back(end);
        return points;
    }
    const int pieces = std::max(1, static_cast<int>(std::ceil(angle / kRad * 60 / stepNm)));
    for (int i = 1; i < pieces; ++i) {
        const double t = static_cast<double>(i) / pieces;
        const double wa = std::sin((1 - t) * angle) / sinAngle, wb = std::sin(t * angle) / sinAngle;
        CGeoPoint p = FromVector({wa * a[0] + wb * b[0], wa * a[1] + wb * b[1], wa * a[2] + wb * b[2]});
        p.longitude = UnwrapLongitude(p.longitude, points.back().longitude);
        points.push_back(p);
    }
    points.push_back({end.latitude, UnwrapLongitude(end.longitude, points.back().longitude)});
    return points;
}

CGeoPoint GreatCircleDestination(const CGeoPoint& from, double course, double distanceNm) {
    const double phi = from.latitude * kRad, c = course * kRad, d = distanceNm / 60 * kRad;
    const double phi2 = std::asin(std::sin(phi) * std::cos(d) + std::cos(phi) * std::sin(d) * std::cos(c));
    const double dLambda =
        std::atan2(std::sin(c) * std::sin(d) * std::cos(phi), std::cos(d) - std::sin(phi) * std::sin(phi2));
    return {phi2 / kRad, from.longitude + dLambda / kRad};
}

CPlotScene BuildPlotScene(CKeelmarkLiteDoc& doc, CTime now) {
    CPlotScene scene;
    const CVoyage& voyage = doc.GetVoyage();
    const int count = voyage.GetCount();
    const int next = voyage.GetNextIndex(); // compares the stored pointer only
    const int lastFix = voyage.IndexOf(voyage.GetLastFix());

    // Longitudes unwrapped along the route, from the departure's.
    std::vector<CGeoPoint> at(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const CPosition* p = voyage.GetAt(i);
        const double near = i == 0 ? 0.0 : at[static_cast<std::size_t>(i - 1)].longitude;
        at[static_cast<std::size_t>(i)] = {p->GetLatitude(), UnwrapLongitude(p->GetLongitude(), near)};
    }

    std::vector<CPlotMarker> waypoints, fixes;
    int previousWaypoint = -1;
    for (int i = 0; i < count; ++i) {
        const CPosition* p = voyage.GetAt(i);
        const CGeoPoint& here = at[static_cast<std::size_t>(i)];
        Include(scene.routeBounds, here);
        if (p->GetKind() == CPosition::kFix) {
            fixes.push_back({PlotMark::Fix, here, {}, {}, i, {}, {}});
            scene.track.push_back(here);
            continue;
        }
        if (i == 0) scene.track.push_back(here);
        if (previousWaypoint >= 0) {
            const CGeoPoint& from = at[static_cast<std::size_t>(previousWaypoint)];
            if (p->GetProceedVia() == CPosition::kGreatCircle) {
                std::vector<CGeoPoint> leg = SampleGreatCircle(from, here, kGreatCircleStepNm);
                leg.back() = here;
                scene.legs.push_back(std::move(leg));
            } else {
                scene.legs.push_back({from, here});
            }
        }
        previousWaypoint = i;
        waypoints.push_back(
            {i == next ? PlotMark::NextWaypoint : PlotMark::Waypoint, here, p->GetName(), {}, i, {}, {}});
    }

    // The ship: on from the last fix, with its course and an hour's run.
    const CPosition& present = doc.GetPresentPosition();
    const double fixLongitude = lastFix >= 0 ? at[static_cast<std::size_t>(lastFix)].longitude : 0.0;
    CPlotMarker ship{PlotMark::Ship,
                     {present.GetLatitude(), UnwrapLongitude(present.GetLongitude(), fixLongitude)},
                     {},
                     "Ship (DR)  " + PlaceText(present) + "  " + Fixed(present.GetCourse()) + "\u00b0  " +
                         Fixed(present.GetSpeed()) + " kts  " + UtcText(present.GetTime()),
                     -1,
                     {},
                     {}};
    ship.vector = {ship.at, Ahead(present, kShipVectorHours, ship.at.longitude)};
    if (lastFix >= 0) scene.deadReckoning = {at[static_cast<std::size_t>(lastFix)], ship.at};
    Include(scene.routeBounds, ship.at);
    scene.bounds = scene.routeBounds;
    Include(scene.bounds, ship.vector.back());

    const CPosition& popular = doc.GetPopularPosition();
    CPlotMarker popularMarker{PlotMark::Popular,
                              {popular.GetLatitude(), UnwrapLongitude(popular.GetLongitude(), ship.at.longitude)},
                              popular.GetName(),
                              "Popular position: " + popular.GetName() + "  " + PlaceText(popular),
                              -1,
                              {},
                              {}};
    Include(scene.bounds, popularMarker.at);

    CHurricaneList& cyclones = doc.GetCyclones();
    for (int i = 0; i < cyclones.GetCount(); ++i) {
        CPosition c = *cyclones.GetAt(i); // a copy: showing it moves nothing for good
        c.DeadReckonTo(now);
        const CGeoPoint centre{c.GetLatitude(), UnwrapLongitude(c.GetLongitude(), ship.at.longitude)};
        const double radius = c.GetWindDirectionAtMaximum();
        CPlotMarker m{PlotMark::Cyclone,
                      centre,
                      c.GetName(),
                      c.GetName() + "  " + PlaceText(c) + "  " + Fixed(c.GetMinimumPressure()) + " mb  max " +
                          Fixed(c.GetMaximumWindSpeed()) + " kts  radius " + Fixed(radius) + " nM  moving " +
                          Fixed(c.GetCourse()) + "\u00b0 " + Fixed(c.GetSpeed()) + " kts",
                      -1,
                      {centre, Ahead(c, kCycloneVectorHours, centre.longitude)},
                      {}};
        if (radius > 0) {
            for (int k = 0; k <= kCircleSides; ++k) {
                CGeoPoint p = GreatCircleDestination(centre, 360.0 * k / kCircleSides, radius);
                p.longitude = UnwrapLongitude(p.longitude, centre.longitude);
                m.circle.push_back(p);
                Include(scene.bounds, p);
            }
        }
        Include(scene.bounds, centre);
        Include(scene.bounds, m.vector.back());
        scene.markers.push_back(std::move(m));
    }
    for (auto& w : waypoints)
        scene.markers.push_back(std::move(w));
    for (auto& f : fixes)
        scene.markers.push_back(std::move(f));
    scene.markers.push_back(std::move(popularMarker));
    scene.ship = std::move(ship);
    return scene;
}

const CPlotMarker* HitTest(const CPlotScene& scene, const CPlotViewport& view, double px, double py, double radius) {
    const CMapPoint cursor = view.FromScreen(px, py);
    auto distance = [&](const CPlotMarker& m) {
        const CMapPoint p = Project(m.at);
        // Measured across the nearest turn of longitude: the chart repeats east and west.
        const double dx = NormalizeLongitude(p.x - cursor.x) * view.Scale();
        const double dy = (p.y - cursor.y) * view.Scale();
        return std::hypot(dx, dy);
    };
    auto rank = [](PlotMark kind) {
        switch (kind) {
        case PlotMark::Ship:
            return 0;
        case PlotMark::Fix:
            return 1;
        case PlotMark::Waypoint:
        case PlotMark::NextWaypoint:
            return 2;
        case PlotMark::Popular:
            return 3;
        case PlotMark::Cyclone:
            return 4;
        }
        return 5;
    };
    const CPlotMarker* best = nullptr;
    double bestDistance = radius;
    auto consider = [&](const CPlotMarker& m) {
        const double d = distance(m);
        if (d > radius) return;
        if (!best || d < bestDistance - 0.5 || (d <= bestDistance + 0.5 && rank(m.kind) < rank(best->kind))) {
            best = &m;
            bestDistance = d;
        }
    };
    if (scene.ship) consider(*scene.ship);
    for (const CPlotMarker& m : scene.markers)
        consider(m);
    return best;
}

std::string PlotMarkerDetail(const CPlotMarker& marker, const CVoyage& voyage) {
    if (marker.routeIndex < 0 || marker.routeIndex >= voyage.GetCount()) return marker.detail;
    const CPosition* p = voyage.GetAt(marker.routeIndex);
    if (marker.kind == PlotMark::Fix) {
        // A GPS fix is named after its time already.
        const std::string time = UtcText(p->GetTime());
        return p->GetName().find(time) != std::string::npos ? p->GetName() : p->GetName() + "  " + time;
    }
    std::string detail = p->GetName() + "  " + PlaceText(*p);
    if (marker.routeIndex >= voyage.GetNextIndex())
        detail += "  ETA " + CConversion::DayNumberText(p->GetETA()) + " UTC";
    return detail;
}

std::string CursorReadout(const CGeoPoint& cursor, const CPosition& ship) {
    CPosition at;
    at.SetLatitude(cursor.latitude);
    at.SetLongitude(NormalizeLongitude(cursor.longitude));
    const double distance = ship.DistanceTo(at.GetLatitude(), at.GetLongitude(), CPosition::kGreatCircle);
    const double course = ship.CourseTo(at.GetLatitude(), at.GetLongitude(), CPosition::kGreatCircle);
    return PlaceText(at) + "    " + Fixed(std::isfinite(distance) ? distance : 0.0) + " nM  " + Fixed(course) +
           "\u00b0 from ship";
}
