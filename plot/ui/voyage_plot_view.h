#pragma once

#include <QImage>
#include <QWidget>

#include "core/ui/command_registry.h"
#include "plot/projection.h"
#include "plot/voyage_plot.h"

class CKeelmarkLiteDoc;
class QPrinter;
class QPushButton;
class QTimer;

// The voyage plot: a second window of the voyage document showing the route,
// the track made good, the ship, the popular position and the cyclones on a
// Mercator chart among the shorelines. It redraws with the dashboard's refresh;
// the wheel zooms about the cursor, a drag pans, "Fit route" shows the whole
// route and "Follow ship" keeps the ship in the middle. The status bar of its
// main window tells where the cursor is and how far and which way from the ship.
// While it is the active window, File > Print and "Save as image..." are its own.
class CVoyagePlotView : public QWidget {
public:
    explicit CVoyagePlotView(CKeelmarkLiteDoc& doc, QWidget* parent = nullptr);

    // Redraws on every tick of the timer (the dashboard's refresh).
    void FollowRefreshOf(QTimer* timer);
    // The scene anew from the document, the ship followed if asked, and a repaint.
    void Refresh();

    bool CanExecute(Command command) const { return m_commands.Has(command); }
    void Execute(Command command);

    void FitRoute();
    void SetFollowShip(bool follow);
    bool IsFollowingShip() const;

    // The chart as the window shows it, `size` pixels large (the window's own
    // size when empty), without the hover ring.
    QImage RenderImage(QSize size = {}) const;
    // Prints the chart on a page, the window's view fitted to it.
    void PrintTo(QPrinter& printer) const;
    // Asks for a file name and writes the chart there as PNG; false when it did not.
    bool SaveAsImage();
    void Print();

    CPlotViewport& Viewport() { return m_view; }
    const CPlotScene& Scene() const { return m_scene; }
    QWidget* Canvas() const { return m_canvas; }
    // The cursor's place and its distance and bearing from the ship, as the status bar shows it.
    const QString& CursorText() const { return m_cursorText; }

    // What the canvas tells the view.
    void PaintCanvas(QPainter& painter);
    void CanvasResized(QSize size);
    void Hover(QPoint at);
    void LeaveCanvas();
    // The officer zoomed or panned: a new size of the window keeps the view.
    void TakeOver() { m_fitted = false; }

private:
    CKeelmarkLiteDoc& m_doc;
    CCommandRegistry m_commands;
    CPlotScene m_scene;
    CPlotViewport m_view;
    QWidget* m_canvas = nullptr;
    QPushButton* m_follow = nullptr;
    bool m_fitted = true; // the route is shown whole until the officer zooms or pans
    const CPlotMarker* m_hover = nullptr;
    QString m_cursorText;
};
