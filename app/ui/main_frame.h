#pragma once

#include <QMainWindow>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/ui/command_registry.h"

class CChildFrame;
class CKeelmarkLiteDoc;
class CKeelmarkLiteView;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QProcess;
class QTimer;
class QToolBar;

// The program's main window: the voyage in a maximised child window, the menus,
// the toolbar and the status bar. One voyage is open at a time; opening or
// starting another closes the first, asking to save it when it has changed.
// Voyage commands go to the dashboard view, which opens their dialogs.
class CMainFrame : public QMainWindow {
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The size and place of the frame: the available screen divided by 1.1, centred.
    void PlaceOnScreen();
    // Warns when the clock says daylight-saving time is in force: times typed in
    // are taken as UTC without a daylight-saving correction.
    void WarnAboutDaylightSaving();

    QToolBar* ToolBar() const { return m_toolBar; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    // The action built from a row of the command table.
    QAction* RowAction(const CCommandRow& row) const;

    // The open voyage, its view and its window; null when none is open.
    CKeelmarkLiteDoc* GetDocument() const { return m_document.get(); }
    CKeelmarkLiteView* GetView() const { return m_view; }
    CChildFrame* GetChildFrame() const { return m_child; }
    // "voyage.k7v", or "Voyage1" for a voyage that was never saved.
    std::string DocumentTitle() const;

    // File commands. Each returns false when it did not happen (cancelled, or a
    // fault that it has reported naming the file).
    bool OnFileNew();
    bool OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFileSend();
    // Opens a voyage file, after asking to save the open one. A file that cannot
    // be read is reported and the open voyage stays as it was.
    bool OpenDocumentFile(const std::string& path);
    // The same without asking or reporting: the start-up decides what to say.
    bool LoadDocumentFile(const std::string& path, std::string& error, bool ask = true);
    // A new, untitled voyage in place of the open one, without asking.
    void NewDocument();
    // Asks "Save changes to ...?" for a changed voyage; false when the user cancels
    // or the save fails, so the voyage must stay open.
    bool SaveModified();
    // Closes the open voyage; with `ask`, after SaveModified. False when it stays open.
    bool CloseDocument(bool ask);

    void OnOptions();
    void OnTipOfTheDay();
    void OnAppAbout();

    // The recent-file list, most recent first (at most four).
    const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }

    // Enables each entry as its row's rule allows: only with a handler (the
    // frame's own, or the view's for a voyage command), and for some only with
    // a voyage open.
    void UpdateCommandStates();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void RegisterFrameCommands();
    void CreateCommands();
    QMenu* MenuAt(const QString& path);
    void AddRecentFileActions(QMenu* menu);
    void CreateStatusBar();
    bool IsEnabled(const CCommandRow& row) const;
    void Adopt(std::unique_ptr<CKeelmarkLiteDoc> document, bool untitled);
    bool SaveTo(const std::string& path);
    void ExecuteCommand(Command command);
    void UpdateTitles();
    void LoadRecentFiles();
    void AddRecentFile(const std::string& path);
    void RemoveRecentFile(const std::string& path);
    void RebuildRecentFileMenu();
    void RebuildWindowMenu();
    void UpdateLockIndicators();

    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    CCommandRegistry m_commands; // the frame's own; voyage commands go to the view
    std::vector<std::pair<const CCommandRow*, QAction*>> m_rowActions;
    std::vector<std::pair<QString, QMenu*>> m_menus;
    std::vector<QAction*> m_recentActions;
    QMenu* m_windowMenu = nullptr;
    QAction* m_windowListSeparator = nullptr;
    std::vector<QAction*> m_windowActions;
    QLabel* m_capsLock = nullptr;
    QLabel* m_numLock = nullptr;
    QLabel* m_scrollLock = nullptr;
    QTimer* m_lockTimer = nullptr;

    std::unique_ptr<CKeelmarkLiteDoc> m_document;
    CKeelmarkLiteView* m_view = nullptr;
    CChildFrame* m_child = nullptr;
    int m_untitledCount = 0;
    std::string m_untitledTitle;
    std::vector<std::string> m_recentFiles;
    QProcess* m_mailProcess = nullptr;
};

// The texts of the frame's own messages.
inline constexpr const char* kDaylightSavingWarning =
    "According to your operating system your PC is using daylight-saving time!\n"
    "Please make sure your PC-time is correctly set!";
inline constexpr const char* kVoyageFileFilter = "Voyage Files (*.k7v)|*.k7v|All Files (*.*)|*.*||";
inline constexpr const char* kVoyageFileExtension = "k7v";
inline constexpr const char* kVoyageFileName = "Voyage";
inline constexpr const char* kRecentFileSection = "Recent File List";
inline constexpr int kRecentFileCount = 4;
