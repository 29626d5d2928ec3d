#pragma once

#include <QMainWindow>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/ui/commands.h"

class CChildFrame;
class CKeelmarkLiteDoc;
class CKeelmarkLiteView;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPrinter;
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

    QAction* ExitAction() const { return m_exitAction; }
    QAction* AboutAction() const { return m_aboutAction; }
    QAction* OptionsAction() const { return m_optionsAction; }
    QToolBar* ToolBar() const { return m_toolBar; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    // The menu and toolbar entries of a voyage command (a command may have several).
    std::vector<QAction*> CommandActions(Command command) const;

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
    bool LoadDocumentFile(const std::string& path, std::string& error);
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

    // Enables each entry as its handler allows: voyage commands as the view can
    // execute them, file commands by whether a voyage is open.
    void UpdateCommandStates();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* AddCommand(QMenu* menu, const QString& text, Command command, const QString& statusTip = {});
    QAction* AddDisabled(QMenu* menu, const QString& text, const char* name, const QKeySequence& shortcut = {});
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
    void OnFilePrintSetup();

    QMdiArea* m_mdiArea = nullptr;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QAction* m_newAction = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QAction* m_sendAction = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_printPreviewAction = nullptr;
    QAction* m_printSetupAction = nullptr;
    QAction* m_recentSeparator = nullptr;
    std::vector<QAction*> m_recentActions;
    QAction* m_exitAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_optionsAction = nullptr;
    std::vector<std::pair<Command, QAction*>> m_commandActions;
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
    std::unique_ptr<QPrinter> m_printer;
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
