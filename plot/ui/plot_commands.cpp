#include "plot/ui/plot_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

#include "core/ui/command_registry.h"
#include "plot/ui/voyage_plot_view.h"

namespace {

constexpr const char* kPlotWindowName = "voyagePlotWindow";

QMdiSubWindow* WindowOf(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* window = qobject_cast<QMdiSubWindow*>(w)) return window;
    return nullptr;
}

QString PlotTitle(const QMdiSubWindow* dashboard) {
    return dashboard->windowTitle() + QStringLiteral(" - Voyage Plot");
}

void OnVoyagePlot(const CCommandContext& c) {
    QMdiSubWindow* dashboard = WindowOf(c.parent);
    QMdiArea* area = dashboard ? dashboard->mdiArea() : nullptr;
    if (!area) return;
    for (QMdiSubWindow* window : area->subWindowList())
        if (window->objectName() == QLatin1String(kPlotWindowName)) {
            area->setActiveSubWindow(window);
            return;
        }

    auto* window = new QMdiSubWindow;
    window->setObjectName(QString::fromLatin1(kPlotWindowName));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowIcon(dashboard->windowIcon());
    auto* plot = new CVoyagePlotView(c.Doc(), window);
    window->setWidget(plot);
    window->setWindowTitle(PlotTitle(dashboard));
    // Live with the dashboard: it redraws on the dashboard's refresh, takes the
    // voyage's title along, and goes when the voyage's window goes (before the
    // voyage it shows).
    plot->FollowRefreshOf(c.parent->findChild<QTimer*>(QStringLiteral("refreshTimer")));
    QObject::connect(dashboard, &QWidget::windowTitleChanged, window,
                     [window, dashboard] { window->setWindowTitle(PlotTitle(dashboard)); });
    QPointer<QMdiSubWindow> guard(window);
    // (Not with the area as receiver: it drops its connections from a window it lets go.)
    QObject::connect(dashboard, &QObject::destroyed, window, [guard] { delete guard.data(); });
    area->addSubWindow(window);
    window->showMaximized();
    area->setActiveSubWindow(window);
}

} // namespace

void RegisterPlotCommands(CCommandRegistry& registry) { registry.Register(Command::VoyagePlot, OnVoyagePlot); }
