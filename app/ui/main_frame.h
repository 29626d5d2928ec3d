#pragma once

#include <QMainWindow>

class QAction;

// The program's main window: menus, status bar and, later, the voyage dashboard.
class CMainFrame : public QMainWindow {
public:
    explicit CMainFrame(QWidget* parent = nullptr);

    QAction* ExitAction() const { return m_exitAction; }
    QAction* AboutAction() const { return m_aboutAction; }

    // Shows the About box and waits until it is closed.
    void OnAppAbout();

private:
    void CreateMenus();
    void CreateStatusBar();

    QAction* m_exitAction = nullptr;
    QAction* m_aboutAction = nullptr;
};
