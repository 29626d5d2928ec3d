// The voyage plot: its picture of a known voyage, pan and zoom under the cursor,
// and its window beside the dashboard (refresh, print routing, image, closing).
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QtTest>

#include "app/ui/child_frame.h"
#include "app/ui/dashboard_view.h"
#include "app/ui/main_frame.h"
#include "core/ui/command_table.h"
#include "plot/ui/plot_painter.h"
#include "plot/ui/voyage_plot_view.h"
#include "support/pacific_voyage.h"
#include "ui/qt_test_support.h"

namespace {

struct Pacific : CTestHost {
    std::unique_ptr<CKeelmarkLiteDoc> doc;
    Pacific() : CTestHost(CQtTestVoyage::kNow) {
        KeepSideFilesHere();
        doc = NewVoyage();
        MakePacificPassage(*doc, fake.clock.Now());
    }
};

// The pixel of a place in the plot, at the turn of longitude the view shows it.
QPoint PixelOf(CVoyagePlotView& plot, const CGeoPoint& at) {
    const CPlotViewport& v = plot.Viewport();
    CMapPoint m = Project(at);
    m.x = UnwrapLongitude(m.x, v.Center().x);
    const CScreenPoint s = v.ToScreen(m);
    return QPoint(qRound(s.x), qRound(s.y));
}

void Mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

class PlotTest : public QObject {
    Q_OBJECT

private slots:
    void knownVoyageCarriesItsMarkerColours() {
        Pacific host;
        CVoyagePlotView plot(*host.doc);
        plot.resize(1000, 700);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QVERIFY(Shorelines().error.empty() && Shorelines().low.PointCount() > 50000);
        const QImage image = plot.RenderImage();
        const std::pair<CGeoPoint, QRgb> expected[] = {
            {{45.0, 165.0}, kPlotWaypointColour},      {{35.0, 140.0}, kPlotWaypointColour},
            {{49.0, -175.0}, kPlotNextWaypointColour}, {{48.8, -177.0}, kPlotShipColour},
            {{51.9, -176.6}, kPlotPopularColour},      {{40.0, 175.0}, kPlotCycloneColour}};
        for (const auto& [at, colour] : expected) {
            const QPoint p = PixelOf(plot, at);
            QVERIFY2(image.rect().contains(p), qPrintable(QString::number(at.longitude)));
            QCOMPARE(QColor(image.pixel(p)).name(), QColor(colour).name());
        }
        plot.Hover(PixelOf(plot, {48.8, -177.0})); // the cursor on the ship
        QVERIFY2(plot.CursorText().startsWith(QStringLiteral("48:4")) && plot.CursorText().contains(" 0."),
                 qPrintable(plot.CursorText()));
    }

    void wheelAndDragKeepThePlaceUnderTheCursor() {
        Pacific host;
        CVoyagePlotView plot(*host.doc);
        plot.resize(900, 600);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QWidget* canvas = plot.Canvas();
        const QPointF at(610, 170);
        const CGeoPoint under = plot.Viewport().GeoAt(at.x(), at.y());
        const double scale = plot.Viewport().Scale();
        QWheelEvent wheel(at, canvas->mapToGlobal(at), {}, {0, 240}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(canvas, &wheel);
        QCOMPARE(plot.Viewport().Scale(), scale * 1.44);
        CGeoPoint now = plot.Viewport().GeoAt(at.x(), at.y());
        QVERIFY(std::fabs(now.latitude - under.latitude) < 1e-9 && std::fabs(now.longitude - under.longitude) < 1e-9);
        Mouse(canvas, QEvent::MouseButtonPress, at, Qt::LeftButton);
        Mouse(canvas, QEvent::MouseMove, at + QPointF(-150, 80), Qt::LeftButton);
        Mouse(canvas, QEvent::MouseButtonRelease, at + QPointF(-150, 80), Qt::NoButton);
        now = plot.Viewport().GeoAt(at.x() - 150, at.y() + 80);
        QVERIFY(std::fabs(now.latitude - under.latitude) < 1e-9 && std::fabs(now.longitude - under.longitude) < 1e-9);
        QVERIFY(plot.CursorText().endsWith(QStringLiteral("° from ship")));
        // "Fit route" brings the whole route back; "Follow ship" centres the ship.
        plot.findChild<QPushButton*>(QStringLiteral("followShipButton"))->click();
        QCOMPARE(Project(plot.Scene().Ship()->at).y, plot.Viewport().Center().y);
        plot.findChild<QPushButton*>(QStringLiteral("fitRouteButton"))->click();
        QVERIFY(!plot.IsFollowingShip() && plot.Viewport().Scale() == scale);
    }

    void plotWindowLivesBesideTheDashboard() {
        Pacific host;
        CMainFrame frame;
        frame.NewDocument();
        MakePacificPassage(*frame.GetDocument(), host.fake.clock.Now());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QAction* print = frame.findChild<QAction*>(QStringLiteral("actionFilePrint"));
        QAction* image = frame.findChild<QAction*>(QStringLiteral("actionSavePlotImage"));
        frame.findChild<QAction*>(QStringLiteral("actionVoyagePlot"))->trigger();
        QTRY_VERIFY(frame.MdiArea()->subWindowList().size() == 2);
        QMdiSubWindow* window = frame.MdiArea()->activeSubWindow();
        auto* plot = dynamic_cast<CVoyagePlotView*>(window->widget());
        QVERIFY(plot);
        QTRY_VERIFY(print->isEnabled() && image->isEnabled());
        QCOMPARE(window->windowTitle(), QStringLiteral("Voyage1 - Voyage Plot"));

        // The dashboard's refresh moves the ship on the plot too.
        const double before = plot->Scene().Ship()->at.longitude;
        host.fake.clock.Advance(3600);
        frame.GetView()->findChild<QTimer*>(QStringLiteral("refreshTimer"))->setInterval(5);
        QTRY_VERIFY(plot->Scene().Ship()->at.longitude > before + 0.3);

        host.fake.files.ScriptPath(host.Path("plot"));
        image->trigger();
        QImage saved(QString::fromStdString(host.Path("plot.png")));
        QCOMPARE(saved.size(), plot->Canvas()->size());

        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(host.Path("plot.pdf")));
        plot->PrintTo(printer);
        QVERIFY(QFileInfo(QString::fromStdString(host.Path("plot.pdf"))).size() > 1000);

        frame.findChild<QAction*>(QStringLiteral("actionVoyagePlot"))->trigger(); // no second plot
        QCOMPARE(frame.MdiArea()->subWindowList().size(), 2);
        frame.MdiArea()->setActiveSubWindow(frame.GetChildFrame());
        QTRY_VERIFY(!image->isEnabled());
        QPointer<QMdiSubWindow> guard(window);
        frame.CloseDocument(false);
        QVERIFY(!guard);
    }
};

QTEST_MAIN(PlotTest)
#include "plot_test.moc"
