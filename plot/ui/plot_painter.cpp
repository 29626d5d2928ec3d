#include "plot/ui/plot_painter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "plot/voyage_plot.h"

namespace {

constexpr double kGraticuleSpacing = 110.0; // pixels between lines at least
constexpr double kArrowLength = 8.0;
constexpr double kWaypointRadius = 5.0;
constexpr double kFixRadius = 3.5;
// Lines of more points than this are drawn one pixel wide: the wide pen's
// stroking costs too much on a route of thousands of positions.
constexpr qsizetype kWideLinePoints = 1500;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The folder the shorelines are installed in: beside the program, or in the
// shared data of an installation under a prefix.
QString ShorelineFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {program.filePath(QStringLiteral("coastline")),
                                     program.filePath(QStringLiteral("../share/keelmark-lite/coastline"))})
        if (QFileInfo::exists(candidate + QStringLiteral("/coastline-low.txt"))) return candidate;
    return program.filePath(QStringLiteral("coastline"));
}

CShorelines LoadShorelines() {
    CShorelines s;
    const QString folder = ShorelineFolder();
    std::string error;
    if (!s.low.Load((folder + QStringLiteral("/coastline-low.txt")).toStdString(), error)) s.error = error;
    // The crude one only spares drawing time: without it the low one serves.
    if (!s.crude.Load((folder + QStringLiteral("/coastline-crude.txt")).toStdString(), error)) s.crude = CCoastline();
    return s;
}

// Which cells of the window something already covers: markers on top of each
// other and labels over labels are left out, so a route of thousands of
// waypoints stays legible and quick to draw.
class COccupancy {
public:
    COccupancy(double width, double height, double cell)
        : m_cell(cell), m_cols(static_cast<int>(width / cell) + 1), m_rows(static_cast<int>(height / cell) + 1),
          m_used(static_cast<std::size_t>(m_cols) * static_cast<std::size_t>(m_rows), 0) {}

    // Marks the cell of a point (without asking).
    void Take(const QPointF& p) {
        const int x = static_cast<int>(p.x() / m_cell), y = static_cast<int>(p.y() / m_cell);
        if (x >= 0 && y >= 0 && x < m_cols && y < m_rows) m_used[Index(x, y)] = 1;
    }

    bool IsFree(const QPointF& p) const {
        const int x = static_cast<int>(p.x() / m_cell), y = static_cast<int>(p.y() / m_cell);
        return x < 0 || y < 0 || x >= m_cols || y >= m_rows || !m_used[Index(x, y)];
    }

    // Takes the cells of the rectangle when none is taken yet; false otherwise.
    bool Claim(const QRectF& r) {
        const int c0 = std::max(0, static_cast<int>(r.left() / m_cell));
        const int c1 = std::min(m_cols - 1, static_cast<int>(r.right() / m_cell));
        const int r0 = std::max(0, static_cast<int>(r.top() / m_cell));
        const int r1 = std::min(m_rows - 1, static_cast<int>(r.bottom() / m_cell));
        for (int y = r0; y <= r1; ++y)
            for (int x = c0; x <= c1; ++x)
                if (m_used[Index(x, y)]) return false;
        for (int y = r0; y <= r1; ++y)
            for (int x = c0; x <= c1; ++x)
                m_used[Index(x, y)] = 1;
        return true;
    }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_cols) + static_cast<std::size_t>(x);
    }
    double m_cell;
    int m_cols;
    int m_rows;
    std::vector<std::uint8_t> m_used;
};

// Draws a scene's pieces at one turn of longitude.
class CScenePainter {
public:
    CScenePainter(QPainter& painter, const CPlotViewport& view, double offset)
        : m_p(painter), m_view(view), m_offset(offset), m_dots(view.Width(), view.Height(), 3),
          m_labels(view.Width(), view.Height(), 6), m_tried{{view.Width(), view.Height(), 6},
                                                            {view.Width(), view.Height(), 6},
                                                            {view.Width(), view.Height(), 6},
                                                            {view.Width(), view.Height(), 6}},
          m_window(-20, -20, view.Width() + 40, view.Height() + 40), m_fm(painter.font()),
          m_stamps(painter.transform().isIdentity()) {}

    QPointF At(const CGeoPoint& g) const {
        CMapPoint m = Project(g);
        m.x += m_offset;
        const CScreenPoint s = m_view.ToScreen(m);
        return {s.x, s.y};
    }

    // Points closer than a pixel to the one before add nothing to the picture but time.
    void Append(QPolygonF& line, const QPointF& p, bool last) const {
        if (!last && !line.isEmpty() && (p - line.back()).manhattanLength() < 1.0) return;
        line << p;
    }

    QPolygonF Line(const std::vector<CGeoPoint>& points) const {
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(points.size()));
        for (std::size_t i = 0; i < points.size(); ++i)
            Append(line, At(points[i]), i + 1 == points.size());
        return line;
    }

    void Arrow(const std::vector<CGeoPoint>& vector, QColor colour) {
        if (vector.size() < 2) return;
        const QPointF from = At(vector.front()), to = At(vector.back());
        const QPointF d = to - from;
        const double length = std::hypot(d.x(), d.y());
        m_p.setPen(QPen(colour, 2));
        m_p.drawLine(from, to);
        if (length < 2) return;
        const QPointF u = d / length, n(-u.y(), u.x());
        const QPointF head[] = {to, to - u * kArrowLength + n * kArrowLength * 0.45,
                                to - u * kArrowLength - n * kArrowLength * 0.45};
        m_p.setBrush(colour);
        m_p.setPen(Qt::NoPen);
        m_p.drawPolygon(head, 3);
    }

    void Dot(const QPointF& at, double radius, QColor fill) { DrawDot(m_p, at, radius, fill); }

    static void DrawDot(QPainter& p, const QPointF& at, double radius, QColor fill) {
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(fill);
        p.drawEllipse(at, radius, radius);
    }

    // A dot drawn once into a small picture, its centre on the middle pixel.
    static QImage DotImage(double radius, QColor fill) {
        const int side = 2 * static_cast<int>(std::ceil(radius + 1.5)) + 1;
        QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        DrawDot(p, QPointF(side / 2 + 0.5, side / 2 + 0.5), radius, fill);
        return image;
    }

    QPen LinePen(QColor colour, double width, qsizetype points, Qt::PenStyle style = Qt::SolidLine) const {
        return QPen(colour, points > kWideLinePoints ? 1.0 : width, style);
    }

    void Label(const QPointF& at, const std::string& text, QColor colour) {
        if (text.empty() || !m_window.contains(at)) return;
        // Right of the marker and above it, else where there is room: left, or below.
        const QPointF places[] = {{9, -7}, {-9, -7}, {9, 7 + m_fm.ascent()}, {-9, 7 + m_fm.ascent()}};
        const QRectF inside(0, 0, m_view.Width(), m_view.Height());
        QString t;
        double width = 0;
        for (std::size_t i = 0; i < std::size(places); ++i) {
            const QPointF& place = places[i];
            // Where the place next to the marker is taken, or a label tried from
            // there before gave way, measuring the text is not worth it.
            const QPointF anchor = at + place + QPointF(place.x() > 0 ? 2 : -2, -m_fm.ascent() / 2);
            if (!m_labels.IsFree(anchor) || !m_tried[i].IsFree(anchor)) continue;
            m_tried[i].Take(anchor);
            if (t.isEmpty()) {
                t = Q(text);
                width = m_fm.horizontalAdvance(t) + 4;
            }
            QPointF origin = at + place - QPointF(place.x() < 0 ? width - 4 : 0, 0);
            QRectF box(origin.x() - 2, origin.y() - m_fm.ascent(), width, m_fm.height());
            if (!inside.contains(box)) {
                if (i + 1 < std::size(places)) continue;
                // The last choice, at the edge of the window: moved in to be read whole.
                const double shift =
                    std::clamp(box.left(), 0.0, std::max(0.0, inside.width() - box.width())) - box.left();
                origin.rx() += shift;
                box.translate(shift, 0);
            }
            if (!m_labels.Claim(box)) continue;
            m_p.setPen(Qt::NoPen);
            m_p.setBrush(QColor(255, 255, 255, 190));
            m_p.drawRect(box);
            m_p.setPen(colour);
            m_p.drawText(origin, t);
            return;
        }
    }

    void Ship(const CPlotMarker& ship) {
        Arrow(ship.vector, QColor::fromRgb(kPlotShipColour));
        // A hull pointing along the course: on a Mercator chart bearings are true.
        double course = 0.0;
        if (ship.vector.size() == 2) {
            const QPointF d = At(ship.vector.back()) - At(ship.vector.front());
            if (std::hypot(d.x(), d.y()) > 0.01) course = std::atan2(d.x(), -d.y()) * 180 / std::numbers::pi;
        }
        m_p.save();
        m_p.translate(At(ship.at));
        m_p.rotate(course);
        const QPointF hull[] = {{0, -11}, {6, 5}, {0, 2.5}, {-6, 5}};
        m_p.setPen(QPen(Qt::white, 1.5));
        m_p.setBrush(QColor::fromRgb(kPlotShipColour));
        m_p.drawPolygon(hull, 4);
        m_p.restore();
    }

    static QColor LabelColour(PlotMark kind) {
        switch (kind) {
        case PlotMark::NextWaypoint:
            return QColor::fromRgb(kPlotNextWaypointColour);
        case PlotMark::Popular:
            return QColor::fromRgb(kPlotPopularColour);
        case PlotMark::Cyclone:
            return QColor::fromRgb(kPlotCycloneColour);
        default:
            return QColor::fromRgb(kPlotWaypointColour);
        }
    }

    void Marker(const CPlotMarker& m) {
        const QPointF at = At(m.at);
        // A waypoint or fix hidden under one drawn already would only cost time.
        const bool plain = m.kind == PlotMark::Waypoint || m.kind == PlotMark::Fix;
        if (plain && (!m_window.contains(at) || !m_dots.Claim(QRectF(at, QSizeF(0.1, 0.1))))) return;
        if (plain && m_stamps) {
            // Thousands of them: stamped from a picture drawn once.
            static const QImage waypoint = DotImage(kWaypointRadius, QColor::fromRgb(kPlotWaypointColour));
            static const QImage fix = DotImage(kFixRadius, QColor::fromRgb(kPlotTrackColour));
            const QImage& stamp = m.kind == PlotMark::Fix ? fix : waypoint;
            m_p.drawImage(QPointF(std::round(at.x()) - stamp.width() / 2, std::round(at.y()) - stamp.height() / 2),
                          stamp);
            return;
        }
        switch (m.kind) {
        case PlotMark::Waypoint:
            Dot(at, kWaypointRadius, QColor::fromRgb(kPlotWaypointColour));
            break;
        case PlotMark::NextWaypoint:
            m_p.setPen(QPen(QColor::fromRgb(kPlotNextWaypointColour), 2));
            m_p.setBrush(Qt::NoBrush);
            m_p.drawEllipse(at, 11, 11);
            Dot(at, 6, QColor::fromRgb(kPlotNextWaypointColour));
            break;
        case PlotMark::Fix:
            Dot(at, kFixRadius, QColor::fromRgb(kPlotTrackColour));
            break;
        case PlotMark::Popular: {
            const QPointF diamond[] = {at + QPointF(0, -6), at + QPointF(6, 0), at + QPointF(0, 6),
                                       at + QPointF(-6, 0)};
            m_p.setPen(QPen(Qt::white, 1.5));
            m_p.setBrush(QColor::fromRgb(kPlotPopularColour));
            m_p.drawPolygon(diamond, 4);
            break;
        }
        case PlotMark::Cyclone: {
            const QColor colour = QColor::fromRgb(kPlotCycloneColour);
            if (!m.circle.empty()) {
                QColor field = colour;
                field.setAlpha(45);
                m_p.setPen(QPen(colour, 1.5, Qt::DashLine));
                m_p.setBrush(field);
                m_p.drawPolygon(Line(m.circle));
            }
            Arrow(m.vector, colour);
            Dot(at, 6, colour);
            break;
        }
        case PlotMark::Ship:
            Ship(m);
            break;
        }
    }

    void Scene(const CPlotScene& scene, const CPlotMarker* hover) {
        m_p.setBrush(Qt::NoBrush);
        // One line through all legs where each begins at the end of the one before.
        std::vector<QPolygonF> plan(1);
        for (const auto& leg : scene.legs) {
            if (!plan.back().isEmpty() && !leg.empty() && At(leg.front()) != plan.back().back()) plan.emplace_back();
            for (std::size_t i = plan.back().isEmpty() ? 0 : 1; i < leg.size(); ++i)
                Append(plan.back(), At(leg[i]), i + 1 == leg.size());
        }
        for (const QPolygonF& line : plan) {
            m_p.setPen(LinePen(QColor::fromRgb(kPlotLegColour), 2, line.size()));
            m_p.drawPolyline(line);
        }
        const QPolygonF track = Line(scene.track);
        m_p.setPen(LinePen(QColor::fromRgb(kPlotTrackColour), 1.5, track.size()));
        m_p.drawPolyline(track);
        m_p.setPen(QPen(QColor::fromRgb(kPlotShipColour), 1.5, Qt::DashLine));
        m_p.drawPolyline(Line(scene.deadReckoning));
        for (const CPlotMarker& m : scene.markers)
            Marker(m);
        if (scene.ship) Ship(*scene.ship);
        // Labels last, the most wanted first: where they would overlap, the later one gives way.
        for (PlotMark kind : {PlotMark::NextWaypoint, PlotMark::Popular, PlotMark::Cyclone, PlotMark::Waypoint})
            for (const CPlotMarker& m : scene.markers)
                if (m.kind == kind) Label(At(m.at), m.label, LabelColour(kind));
        if (hover) {
            m_p.setPen(QPen(QColor(0, 0, 0, 160), 1.5));
            m_p.setBrush(Qt::NoBrush);
            m_p.drawEllipse(At(hover->at), 14, 14);
        }
    }

private:
    QPainter& m_p;
    const CPlotViewport& m_view;
    double m_offset;
    COccupancy m_dots;
    COccupancy m_labels;
    COccupancy m_tried[4]; // per place of a label: anchors a label was tried at
    QRectF m_window;
    QFontMetricsF m_fm;
    bool m_stamps; // pixels are pixels: markers may be stamped from pictures
};

void PaintShoreline(QPainter& painter, const CPlotViewport& view, const CCoastline& coast) {
    const CMapRect visible = view.Visible();
    const double s = view.Scale(), cx = view.Center().x, cy = view.Center().y;
    const double hw = view.Width() / 2, hh = view.Height() / 2;
    const auto& xs = coast.X();
    const auto& ys = coast.Y();
    QPolygonF line;
    painter.setPen(QPen(QColor::fromRgb(kPlotShoreColour), 1)); // a thin pen takes the raster's fast path
    for (const CCoastline::Segment& seg : coast.Segments()) {
        const CMapRect& b = seg.bounds;
        if (b.top < visible.bottom || b.bottom > visible.top) continue;
        const double first = std::ceil((visible.left - b.right) / 360.0);
        const double last = std::floor((visible.right - b.left) / 360.0);
        for (double k = first; k <= last; ++k) {
            const double ox = hw + (k * 360.0 - cx) * s, oy = hh + cy * s;
            line.resize(static_cast<qsizetype>(seg.count));
            QPointF* out = line.data();
            for (std::uint32_t i = 0; i < seg.count; ++i)
                out[i] = QPointF(ox + xs[seg.first + i] * s, oy - ys[seg.first + i] * s);
            painter.drawPolyline(line);
        }
    }
}

void PaintGraticule(QPainter& painter, const CPlotViewport& view) {
    const CGraticule g = MakeGraticule(view, kGraticuleSpacing);
    const double w = view.Width(), h = view.Height();
    painter.setPen(QPen(QColor::fromRgb(kPlotGraticuleColour), 1));
    for (const auto& m : g.meridians) {
        const double x = view.ToScreen({m.value, 0}).x;
        painter.drawLine(QPointF(x, 0), QPointF(x, h));
    }
    for (const auto& p : g.parallels) {
        const double y = view.ToScreen({0, MercatorY(p.value)}).y;
        painter.drawLine(QPointF(0, y), QPointF(w, y));
    }
    painter.setPen(QColor(80, 96, 112));
    const QFontMetricsF fm(painter.font());
    for (const auto& m : g.meridians)
        painter.drawText(QPointF(view.ToScreen({m.value, 0}).x + 3, fm.ascent() + 2), Q(m.label));
    for (const auto& p : g.parallels)
        painter.drawText(QPointF(3, view.ToScreen({0, MercatorY(p.value)}).y - 3), Q(p.label));
}

} // namespace

const CShorelines& Shorelines() {
    static const CShorelines shorelines = LoadShorelines();
    return shorelines;
}

void PaintVoyagePlot(QPainter& painter, const CPlotViewport& view, const CPlotScene& scene,
                     const CShorelines& shorelines, const CPlotMarker* hover) {
    painter.save();
    const QRectF area(0, 0, view.Width(), view.Height());
    painter.setClipRect(area);
    painter.fillRect(area, QColor::fromRgb(kPlotOceanColour));
    const bool crude = view.Scale() < kCrudeShorelineScale && !shorelines.crude.Segments().empty();
    PaintShoreline(painter, view, crude ? shorelines.crude : shorelines.low);

    painter.setRenderHint(QPainter::Antialiasing, true);
    PaintGraticule(painter, view);
    for (double offset : view.WrapOffsets(scene.bounds))
        CScenePainter(painter, view, offset).Scene(scene, hover);

    if (!shorelines.error.empty()) {
        painter.setPen(QColor(160, 0, 0));
        painter.drawText(area.adjusted(6, 6, -6, -6), Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap,
                         QStringLiteral("Shorelines not shown: %1").arg(Q(shorelines.error)));
    }
    painter.restore();
}
