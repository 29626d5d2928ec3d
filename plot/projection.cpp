#include "plot/projection.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "core/conversion.h"

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

// Graticule steps in minutes of arc, finest first.
constexpr double kGraticuleSteps[] = {1, 2, 5, 10, 15, 20, 30, 60, 120, 300, 600, 900, 1800};

} // namespace

void CMapRect::Include(const CMapPoint& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return; // a damaged position does not stretch the view
    if (IsEmpty()) {
        left = right = p.x;
        bottom = top = p.y;
        return;
    }
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    bottom = std::min(bottom, p.y);
    top = std::max(top, p.y);
}

double MercatorY(double latitude) {
    const double phi = std::clamp(latitude, -kMercatorLatitudeLimit, kMercatorLatitudeLimit) * kRad;
    return std::log(std::tan(std::numbers::pi / 4 + phi / 2)) / kRad;
}

double LatitudeFromMercatorY(double y) { return (2 * std::atan(std::exp(y * kRad)) - std::numbers::pi / 2) / kRad; }

CMapPoint Project(const CGeoPoint& p) { return {p.longitude, MercatorY(p.latitude)}; }

CGeoPoint Unproject(const CMapPoint& p) { return {LatitudeFromMercatorY(p.y), p.x}; }

double UnwrapLongitude(double longitude, double near) { return near + NormalizeLongitude(longitude - near); }

// ---------------------------------------------------------------------------

void CPlotViewport::SetSize(double width, double height) {
    m_width = std::max(width, 1.0);
    m_height = std::max(height, 1.0);
    SetScale(m_scale);
}

void CPlotViewport::SetCenter(const CMapPoint& center) {
    if (!std::isfinite(center.x) || !std::isfinite(center.y)) return;
    const double limit = MercatorY(kMercatorLatitudeLimit);
    m_center.x = NormalizeLongitude(center.x);
    m_center.y = std::clamp(center.y, -limit, limit);
}

void CPlotViewport::SetScale(double pixelsPerDegree) {
    if (!std::isfinite(pixelsPerDegree)) return;
    // Zoomed out no further than the world across the window: farther, it shows twice.
    m_scale = std::clamp(pixelsPerDegree, std::max(kMinScale, m_width / 360.0), kMaxScale);
}

CScreenPoint CPlotViewport::ToScreen(const CMapPoint& p) const {
    return {m_width / 2 + (p.x - m_center.x) * m_scale, m_height / 2 - (p.y - m_center.y) * m_scale};
}

CMapPoint CPlotViewport::FromScreen(double px, double py) const {
    return {m_center.x + (px - m_width / 2) / m_scale, m_center.y - (py - m_height / 2) / m_scale};
}

CGeoPoint CPlotViewport::GeoAt(double px, double py) const {
    CGeoPoint p = Unproject(FromScreen(px, py));
    p.longitude = NormalizeLongitude(p.longitude);
    return p;
}

CMapRect CPlotViewport::Visible() const {
    const CMapPoint a = FromScreen(0, m_height);
    const CMapPoint b = FromScreen(m_width, 0);
    return {a.x, a.y, b.x, b.y};
}

std::vector<double> CPlotViewport::WrapOffsets(const CMapRect& bounds) const {
    std::vector<double> offsets;
    if (bounds.IsEmpty()) return offsets;
    const CMapRect view = Visible();
    if (bounds.top < view.bottom || bounds.bottom > view.top) return offsets;
    const double first = std::ceil((view.left - bounds.right) / 360.0);
    const double last = std::floor((view.right - bounds.left) / 360.0);
    for (double k = first; k <= last; ++k)
        offsets.push_back(k * 360.0);
    return offsets;
}

void CPlotViewport::ZoomAbout(double px, double py, double factor) {
    const CMapPoint anchor = FromScreen(px, py);
    SetScale(m_scale * factor);
    // Put the anchor back under the pixel: centre = anchor - offset of the pixel.
    SetCenter({anchor.x - (px - m_width / 2) / m_scale, anchor.y + (py - m_height / 2) / m_scale});
}

void CPlotViewport::Pan(double dx, double dy) { SetCenter({m_center.x - dx / m_scale, m_center.y + dy / m_scale}); }

void CPlotViewport::Fit(const CMapRect& bounds, double margin) {
    if (bounds.IsEmpty()) return;
    const double w = std::max(m_width - 2 * margin, 1.0);
    const double h = std::max(m_height - 2 * margin, 1.0);
    // A route at one point (a new voyage) is shown with some 30 miles of sea around it.
    const double spanX = std::max(bounds.right - bounds.left, 1.0);
    const double spanY = std::max(bounds.top - bounds.bottom, 1.0);
    SetScale(std::min(w / spanX, h / spanY));
    SetCenter({(bounds.left + bounds.right) / 2, (bounds.bottom + bounds.top) / 2});
}

// ---------------------------------------------------------------------------

std::string GraticuleLabel(double degrees, bool latitude) {
    if (!latitude) degrees = NormalizeLongitude(degrees);
    const long long minutes = std::llround(std::fabs(degrees) * 60);
    const long long d = minutes / 60;
    const long long m = minutes % 60;
    const char* side = "";
    if (minutes != 0 && !(!latitude && minutes == 180 * 60))
        side = latitude ? (degrees < 0 ? "S" : "N") : (degrees < 0 ? "W" : "E");
    char text[32];
    if (m == 0)
        std::snprintf(text, sizeof text, "%lld\u00b0%s", d, side);
    else
        std::snprintf(text, sizeof text, "%lld\u00b0%02lld'%s", d, m, side);
    return text;
}

CGraticule MakeGraticule(const CPlotViewport& view, double minSpacing) {
    CGraticule g;
    g.stepMinutes = kGraticuleSteps[std::size(kGraticuleSteps) - 1];
    for (double step : kGraticuleSteps)
        if (step / 60 * view.Scale() >= minSpacing) {
            g.stepMinutes = step;
            break;
        }
    const double step = g.stepMinutes / 60;
    const CMapRect visible = view.Visible();
    for (double k = std::ceil(visible.left / step); k * step <= visible.right; ++k)
        g.meridians.push_back({k * step, GraticuleLabel(k * step, false)});
    const double south = std::max(LatitudeFromMercatorY(visible.bottom), -kMercatorLatitudeLimit);
    const double north = std::min(LatitudeFromMercatorY(visible.top), kMercatorLatitudeLimit);
    for (double k = std::ceil(south / step); k * step <= north; ++k)
        g.parallels.push_back({k * step, GraticuleLabel(k * step, true)});
    return g;
}
