#include "app/ui/main_frame.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "app/ui/about_dialog.h"
#include "app/ui/program.h"

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromUtf8(kProgramName));
    setWindowIcon(ProgramIcon());
    CreateMenus();
    CreateStatusBar();
    resize(800, 600);
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    m_exitAction = file->addAction(QStringLiteral("E&xit"));
    m_exitAction->setObjectName(QStringLiteral("actionExit"));
    m_exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_exitAction->setMenuRole(QAction::QuitRole);
    m_exitAction->setStatusTip(QStringLiteral("Quit the application"));
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    m_aboutAction = help->addAction(QStringLiteral("&About %1...").arg(QString::fromUtf8(kProgramName)));
    m_aboutAction->setObjectName(QStringLiteral("actionAbout"));
    m_aboutAction->setMenuRole(QAction::AboutRole);
    m_aboutAction->setStatusTip(QStringLiteral("Display program information and version number"));
    connect(m_aboutAction, &QAction::triggered, this, &CMainFrame::OnAppAbout);
}

void CMainFrame::CreateStatusBar() {
    // A standing label rather than a message: a menu's status tip hides it for a
    // moment and it comes back, where a message would be wiped.
    auto* ready = new QLabel(QStringLiteral("Ready"), this);
    ready->setObjectName(QStringLiteral("readyLabel"));
    statusBar()->addWidget(ready, 1);
}

void CMainFrame::OnAppAbout() {
    CAboutDialog dialog(this);
    dialog.exec();
}
