#include "app/ui/child_frame.h"

#include <QCloseEvent>
#include <QTimer>

CChildFrame::CChildFrame(QWidget* parent) : QMdiSubWindow(parent) {
    // Minimising or restoring it would only bring it back maximised.
    setWindowFlags(windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

void CChildFrame::showEvent(QShowEvent* event) {
    QMdiSubWindow::showEvent(event);
    if (!isMaximized()) showMaximized();
}

void CChildFrame::changeEvent(QEvent* event) {
    QMdiSubWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || isMaximized()) return;
    // Changing the state again from inside the change confuses the MDI area: later.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !isMaximized()) showMaximized();
    });
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    // The frame owns the voyage and this window: it closes both when it agrees,
    // after this event is over.
    event->ignore();
    if (m_closeRequest) QTimer::singleShot(0, this, [request = m_closeRequest] { request(); });
}
