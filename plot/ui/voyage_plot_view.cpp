#include "plot/ui/voyage_plot_view.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

#include "core/file_io.h"
#include "document/keelmark_lite_doc.h"
#include "platform/file_filter.h"
#include "platform/services.h"
#include "plot/ui/plot_painter.h"

namespace {

constexpr double kFitMargin = 40.0; // pixels around the route when fitted
constexpr double kHitRadius = 8.0;  // pixels from a marker that still point at it
constexpr double kWheelStep = 1.2;  // zoom per notch of the wheel
constexpr double kKeyPanPixels = 80.0;
constexpr const char* kImageFilter = "PNG Images (*.png)|*.png|All Files (*.*)|*.*||";
constexpr const char* kImageExtension = "png";
constexpr const char* kImageName = "Voyage Plot";

// The chart itself; it hands everything to the plot view.
class CPlotCanvas : public QWidget {
public:
    explicit CPlotCanvas(CVoyagePlotView* view) : QWidget(view), m_view(view) {
        setObjectName(QStringLiteral("plotCanvas"));
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMinimumSize(200, 150);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_view->PaintCanvas(painter);
    }
    void resizeEvent(QResizeEvent*) override { m_view->CanvasResized(size()); }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        m_dragFrom = e->position();
        m_dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (m_dragging) {
            const QPointF d = e->position() - m_dragFrom;
            m_dragFrom = e->position();
            if (d.manhattanLength() > 0) {
                m_view->SetFollowShip(false); // the officer takes over
                m_view->TakeOver();
                m_view->Viewport().Pan(d.x(), d.y());
                update();
            }
        }
        m_view->Hover(e->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) return;
        m_dragging = false;
        setCursor(Qt::CrossCursor);
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        m_view->TakeOver();
        m_view->Viewport().ZoomAbout(e->position().x(), e->position().y(), 2.0);
        update();
    }
    void wheelEvent(QWheelEvent* e) override {
        const double notches = e->angleDelta().y() / 120.0;
        if (notches == 0) return;
        m_view->TakeOver();
        const QPointF at = m_view->IsFollowingShip() ? QPointF(width() / 2.0, height() / 2.0) : e->position();
        m_view->Viewport().ZoomAbout(at.x(), at.y(), std::pow(kWheelStep, notches));
        update();
        m_view->Hover(e->position().toPoint());
        e->accept();
    }
    void keyPressEvent(QKeyEvent* e) override {
        CPlotViewport& v = m_view->Viewport();
        m_view->TakeOver();
        switch (e->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            v.ZoomAbout(width() / 2.0, height() / 2.0, 2.0);
            break;
        case Qt::Key_Minus:
            v.ZoomAbout(width() / 2.0, height() / 2.0, 0.5);
            break;
        case Qt::Key_Left:
            m_view->SetFollowShip(false), v.Pan(kKeyPanPixels, 0);
            break;
        case Qt::Key_Right:
            m_view->SetFollowShip(false), v.Pan(-kKeyPanPixels, 0);
            break;
        case Qt::Key_Up:
            m_view->SetFollowShip(false), v.Pan(0, kKeyPanPixels);
            break;
        case Qt::Key_Down:
            m_view->SetFollowShip(false), v.Pan(0, -kKeyPanPixels);
            break;
        default:
            QWidget::keyPressEvent(e);
            return;
        }
        update();
    }
    void leaveEvent(QEvent*) override { m_view->LeaveCanvas(); }

private:
    CVoyagePlotView* m_view;
    QPointF m_dragFrom;
    bool m_dragging = false;
};

QStatusBar* StatusBarOf(QWidget* w) {
    auto* main = qobject_cast<QMainWindow*>(w->window());
    return main ? main->statusBar() : nullptr;
}

} // namespace

CVoyagePlotView::CVoyagePlotView(CKeelmarkLiteDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    setObjectName(QStringLiteral("voyagePlotView"));
    m_commands.Register(Command::FilePrint, [this](const CCommandContext&) { Print(); });
    m_commands.Register(Command::SavePlotImage, [this](const CCommandContext&) { SaveAsImage(); });

    auto* fit = new QPushButton(QStringLiteral("Fit route"), this);
    fit->setObjectName(QStringLiteral("fitRouteButton"));
    fit->setAutoDefault(false);
    connect(fit, &QPushButton::clicked, this, [this] { FitRoute(); });
    m_follow = new QPushButton(QStringLiteral("Follow ship"), this);
    m_follow->setObjectName(QStringLiteral("followShipButton"));
    m_follow->setCheckable(true);
    m_follow->setAutoDefault(false);
    connect(m_follow, &QPushButton::toggled, this, [this](bool on) {
        if (on) Refresh();
    });
    m_canvas = new CPlotCanvas(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(fit);
    buttons->addWidget(m_follow);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(m_canvas, 1);

    m_scene = BuildPlotScene(m_doc, services::Now());
}

void CVoyagePlotView::FollowRefreshOf(QTimer* timer) {
    if (timer) connect(timer, &QTimer::timeout, this, [this] { Refresh(); });
}

void CVoyagePlotView::Refresh() {
    m_hover = nullptr; // it pointed into the old scene
    m_scene = BuildPlotScene(m_doc, services::Now());
    if (IsFollowingShip() && m_scene.ship) m_view.SetCenter(Project(m_scene.ship->at));
    const QPoint cursor = m_canvas->mapFromGlobal(QCursor::pos());
    if (m_canvas->underMouse() && m_canvas->rect().contains(cursor)) Hover(cursor);
    m_canvas->update();
}

void CVoyagePlotView::Execute(Command command) {
    if (const CommandHandler* handler = m_commands.Find(command)) (*handler)(CCommandContext{&m_doc, this});
}

void CVoyagePlotView::FitRoute() {
    SetFollowShip(false);
    m_fitted = true;
    m_view.Fit(m_scene.routeBounds, kFitMargin);
    m_canvas->update();
}

void CVoyagePlotView::SetFollowShip(bool follow) { m_follow->setChecked(follow); }

bool CVoyagePlotView::IsFollowingShip() const { return m_follow->isChecked(); }

void CVoyagePlotView::CanvasResized(QSize size) {
    m_view.SetSize(size.width(), size.height());
    if (m_fitted) {
        m_view.Fit(m_scene.routeBounds, kFitMargin);
    } else if (IsFollowingShip() && m_scene.ship) {
        m_view.SetCenter(Project(m_scene.ship->at));
    }
}

void CVoyagePlotView::PaintCanvas(QPainter& painter) {
    PaintVoyagePlot(painter, m_view, m_scene, Shorelines(), m_hover);
}

void CVoyagePlotView::Hover(QPoint at) {
    m_cursorText = QString::fromStdString(CursorReadout(m_view.GeoAt(at.x(), at.y()), m_doc.GetPresentPosition()));
    const CPlotMarker* hit = HitTest(m_scene, m_view, at.x(), at.y(), kHitRadius);
    if (hit != m_hover) {
        m_hover = hit;
        m_canvas->update();
    }
    if (hit)
        QToolTip::showText(m_canvas->mapToGlobal(at), QString::fromStdString(PlotMarkerDetail(*hit, m_doc.GetVoyage())),
                           m_canvas);
    else
        QToolTip::hideText();
    if (QStatusBar* bar = StatusBarOf(this)) bar->showMessage(m_cursorText);
}

void CVoyagePlotView::LeaveCanvas() {
    m_cursorText.clear();
    if (m_hover) {
        m_hover = nullptr;
        m_canvas->update();
    }
    if (QStatusBar* bar = StatusBarOf(this)) bar->clearMessage();
}

QImage CVoyagePlotView::RenderImage(QSize size) const {
    if (size.isEmpty()) size = m_canvas->size();
    CPlotViewport view = m_view;
    // The same place in the middle and the same extent across, at the new size.
    view.SetScale(m_view.Scale() * size.width() / m_view.Width());
    view.SetSize(size.width(), size.height());
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintVoyagePlot(painter, view, m_scene, Shorelines());
    return image;
}

void CVoyagePlotView::PrintTo(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const QRectF page = painter.viewport();
    // Drawn at the window's size and scaled to the page, so lines and labels keep
    // their proportions; a title line above the chart. The font is the window's,
    // in its pixels: in points it would be sized for the printer's resolution.
    QFont font = this->font();
    font.setPixelSize(QFontInfo(this->font()).pixelSize());
    painter.setFont(font);
    const double titleHeight = QFontMetricsF(font).height() * 1.6;
    const double factor = page.width() / m_view.Width();
    const QSizeF logical(m_view.Width(), (page.height() / factor) - titleHeight);
    CPlotViewport view = m_view;
    view.SetSize(logical.width(), std::max(logical.height(), 50.0));
    painter.scale(factor, factor);
    const std::string& path = m_doc.GetPathName();
    QString title = QStringLiteral("Voyage Plot");
    if (!path.empty()) title += QStringLiteral(" - ") + QFileInfo(QString::fromStdString(path)).fileName();
    painter.drawText(QPointF(0, titleHeight * 0.7),
                     QStringLiteral("%1    %2")
                         .arg(title, QString::fromStdString(services::Now().FormatUtc("%d %b %Y %H:%M") + " UTC")));
    painter.translate(0, titleHeight);
    PaintVoyagePlot(painter, view, m_scene, Shorelines());
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0, 0, view.Width(), view.Height()));
    painter.end();
}

void CVoyagePlotView::Print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(m_view.Width() >= m_view.Height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("Voyage Plot"));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintTo(printer);
}

bool CVoyagePlotView::SaveAsImage() {
    const FileChoiceRequest request{kImageFilter, kImageExtension, kImageName, "Save as image"};
    const std::optional<std::string> chosen = services::Files().ChooseSave(request);
    if (!chosen || chosen->empty()) return false;
    const std::string path = WithDefaultExtension(*chosen, kImageExtension);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    std::string error;
    if (!RenderImage().save(&buffer, "PNG")) {
        error = "Cannot save the image \"" + path + "\": the picture could not be encoded.";
    } else if (WriteFileAtomic(path, std::string(png.constData(), static_cast<std::size_t>(png.size())), error)) {
        return true;
    }
    services::Prompts().Show(error, PromptIcon::Warning);
    return false;
}
