#include "app/ui/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>

#include "app/frame_geometry.h"
#include "app/options.h"
#include "app/ui/about_dialog.h"
#include "app/ui/child_frame.h"
#include "app/ui/dashboard_view.h"
#include "app/ui/options_sheet.h"
#include "app/ui/program.h"
#include "app/ui/tip_dialog.h"
#include "core/file_io.h"
#include "core/ui/command_table.h"
#include "core/ui/printing.h"
#include "document/keelmark_lite_doc.h"
#include "platform/file_filter.h"
#include "platform/services.h"
#include "plot/ui/voyage_plot_view.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Paths are kept absolute, so that the title, the recent-file list and
// "datafile" still name the file after the working folder changes.
std::string Absolute(const std::string& path) {
    if (path.empty()) return path;
    return QFileInfo(Q(NormalizePath(path))).absoluteFilePath().toStdString();
}

// The recent-file menu shows the home folder as "~" to keep the entries short.
QString DisplayPath(const std::string& path) {
    const QString p = Q(path);
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QStringLiteral("/") && p.startsWith(home + u'/'))
        return QStringLiteral("~") + p.mid(home.size());
    return p;
}

// A lock key's light, as the kernel shows it; off where it shows none.
bool LedIsOn(const QString& function) {
    const QDir leds(QStringLiteral("/sys/class/leds"));
    const QStringList names = leds.entryList({QStringLiteral("*::") + function}, QDir::AllEntries | QDir::System);
    for (const QString& name : names) {
        QFile brightness(leds.filePath(name) + QStringLiteral("/brightness"));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0) return true;
    }
    return false;
}

// The voyage plot when it is the active window: it takes the commands it has
// handlers for (printing and saving it) before the frame and the dashboard.
CVoyagePlotView* ActivePlot(const QMdiArea* area) {
    const QMdiSubWindow* window = area->activeSubWindow();
    return window ? dynamic_cast<CVoyagePlotView*>(window->widget()) : nullptr;
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromUtf8(kProgramName));
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);
    // The active window decides some entries (the plot prints itself); queued, as
    // the area also says so while a window is being destroyed.
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { UpdateCommandStates(); }, Qt::QueuedConnection);

    RegisterFrameCommands();
    CreateCommands();
    CreateStatusBar();
    LoadRecentFiles();
    UpdateCommandStates();
    resize(800, 600);
}

CMainFrame::~CMainFrame() {
    // The view refers to the voyage: it goes first.
    delete m_child;
    m_child = nullptr;
    m_view = nullptr;
    // Program exit without closing the window: the voyage is still the next start's.
    if (m_document) m_document->RecordAsLastVoyage();
    m_document.reset();
}

void CMainFrame::PlaceOnScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const CFrameGeometry g = MainFrameGeometry(area.width(), area.height());
    resize(g.width, g.height);
    move(area.left() + g.left, area.top() + g.top);
}

void CMainFrame::WarnAboutDaylightSaving() {
    if (UsesDaylightSaving(services::Clock(), services::Now()))
        services::Prompts().Show(kDaylightSavingWarning, PromptIcon::Warning);
}

// ---------------------------------------------------------------------------
// Menus, toolbar and status bar

void CMainFrame::RegisterFrameCommands() {
    auto on = [this](Command command, auto member) {
        m_commands.Register(command, [this, member](const CCommandContext&) { (this->*member)(); });
    };
    on(Command::FileNew, &CMainFrame::OnFileNew);
    on(Command::FileOpen, &CMainFrame::OnFileOpen);
    on(Command::FileSave, &CMainFrame::OnFileSave);
    on(Command::FileSaveAs, &CMainFrame::OnFileSaveAs);
    on(Command::FileSend, &CMainFrame::OnFileSend);
    on(Command::Exit, &QWidget::close);
    on(Command::Options, &CMainFrame::OnOptions);
    on(Command::TipOfTheDay, &CMainFrame::OnTipOfTheDay);
    on(Command::About, &CMainFrame::OnAppAbout);
    m_commands.Register(Command::FilePrintSetup, [this](const CCommandContext&) { PrintSetup(this); });
    m_commands.Register(Command::WindowCascade, [this](const CCommandContext&) { m_mdiArea->cascadeSubWindows(); });
    m_commands.Register(Command::WindowTile, [this](const CCommandContext&) { m_mdiArea->tileSubWindows(); });
    m_commands.Register(Command::WindowArrange, [this](const CCommandContext&) { m_mdiArea->tileSubWindows(); });
}

QMenu* CMainFrame::MenuAt(const QString& path) {
    for (const auto& [p, menu] : m_menus)
        if (p == path) return menu;
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString text = path.mid(slash + 1);
    QMenu* menu = slash < 0 ? menuBar()->addMenu(text) : MenuAt(path.left(slash))->addMenu(text);
    menu->setObjectName(QStringLiteral("menu") + QString(text).remove(QRegularExpression(QStringLiteral("[^A-Za-z]"))));
    // Entries follow the state of the voyage whenever a menu opens.
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
    m_menus.emplace_back(path, menu);
    return menu;
}

void CMainFrame::AddRecentFileActions(QMenu* menu) {
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* recent = new QAction(this);
        recent->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
        connect(recent, &QAction::triggered, this, [this, i] {
            if (i < static_cast<int>(m_recentFiles.size()))
                OpenDocumentFile(m_recentFiles[static_cast<std::size_t>(i)]);
        });
        menu->addAction(recent);
        m_recentActions.push_back(recent);
    }
}

void CMainFrame::CreateCommands() {
    m_toolBar = new QToolBar(QStringLiteral("Standard"), this);
    m_toolBar->setObjectName(QStringLiteral("standardToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setFloatable(true);
    m_toolBar->setMovable(true);
    std::vector<std::pair<int, QAction*>> buttons;

    for (const CCommandRow& row : CommandTable()) {
        const QString path = QString::fromUtf8(row.menu);
        QMenu* menu = path.isEmpty() ? nullptr : MenuAt(path);
        switch (row.kind) {
        case CommandRowKind::Separator:
            menu->addSeparator();
            continue;
        case CommandRowKind::RecentFiles:
            AddRecentFileActions(menu);
            continue;
        case CommandRowKind::WindowList:
            m_windowMenu = menu;
            m_windowListSeparator = menu->addSeparator();
            m_windowListSeparator->setVisible(false);
            connect(menu, &QMenu::aboutToShow, this, [this] { RebuildWindowMenu(); });
            continue;
        case CommandRowKind::Entry:
            break;
        }
        if (!menu && row.toolbar == 0) continue; // a dashboard button's command
        auto* action = new QAction(QString::fromUtf8(row.text), this);
        action->setObjectName(QString::fromUtf8(row.name));
        if (*row.prompt) {
            // A prompt may carry its tool tip after a line break: "status text\ntool tip".
            const QStringList prompt = QString::fromUtf8(row.prompt).split(u'\n');
            action->setStatusTip(prompt.front());
            if (prompt.size() > 1) action->setToolTip(prompt[1]);
        }
        if (*row.shortcut) action->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
        if (*row.icon) action->setIcon(ToolbarIcon(row.icon));
        const Command command = row.command;
        connect(action, &QAction::triggered, this, [this, command] { ExecuteCommand(command); });
        if (menu) menu->addAction(action);
        if (row.toolbar) buttons.emplace_back(row.toolbar, action);
        m_rowActions.emplace_back(&row, action);
    }

    std::stable_sort(buttons.begin(), buttons.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (i > 0 && buttons[i].first / 10 != buttons[i - 1].first / 10) m_toolBar->addSeparator();
        m_toolBar->addAction(buttons[i].second);
    }
    addToolBar(m_toolBar);
}

void CMainFrame::CreateStatusBar() {
    // A standing label rather than a message: a menu's status tip hides it for a
    // moment and it comes back, where a message would be wiped.
    auto* ready = new QLabel(QStringLiteral("Ready"), this);
    ready->setObjectName(QStringLiteral("readyLabel"));
    statusBar()->addWidget(ready, 1);

    auto indicator = [this](const char* text, const char* name) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(QString::fromUtf8(name));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        statusBar()->addPermanentWidget(label);
        return label;
    };
    m_capsLock = indicator("CAP", "capsLockIndicator");
    m_numLock = indicator("NUM", "numLockIndicator");
    m_scrollLock = indicator("SCRL", "scrollLockIndicator");
    // No portable call tells the state of the lock keys; the kernel's keyboard
    // lights do, so they are looked at twice a second.
    m_lockTimer = new QTimer(this);
    m_lockTimer->setInterval(500);
    connect(m_lockTimer, &QTimer::timeout, this, [this] { UpdateLockIndicators(); });
    m_lockTimer->start();
    UpdateLockIndicators();
}

void CMainFrame::UpdateLockIndicators() {
    // Greyed when off, as the pane keeps its place.
    m_capsLock->setEnabled(LedIsOn(QStringLiteral("capslock")));
    m_numLock->setEnabled(LedIsOn(QStringLiteral("numlock")));
    m_scrollLock->setEnabled(LedIsOn(QStringLiteral("scrolllock")));
}

QAction* CMainFrame::RowAction(const CCommandRow& row) const {
    for (const auto& [r, action] : m_rowActions)
        if (r == &row) return action;
    return nullptr;
}

bool CMainFrame::IsEnabled(const CCommandRow& row) const {
    const CVoyagePlotView* plot = ActivePlot(m_mdiArea);
    const bool handled = m_commands.Has(row.command) || (m_view && m_view->CanExecute(row.command)) ||
                         (plot && plot->CanExecute(row.command));
    return handled && (row.enable == CommandEnable::Always || m_document != nullptr);
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [row, action] : m_rowActions)
        action->setEnabled(IsEnabled(*row));
}

void CMainFrame::ExecuteCommand(Command command) {
    if (CVoyagePlotView* plot = ActivePlot(m_mdiArea); plot && plot->CanExecute(command))
        plot->Execute(command);
    else if (const CommandHandler* handler = m_commands.Find(command))
        (*handler)(CCommandContext{m_document.get(), this});
    else if (m_view && m_view->CanExecute(command))
        m_view->Execute(command);
    // What the command changed shows on the plots at once, not at the next tick.
    for (QMdiSubWindow* window : m_mdiArea->subWindowList())
        if (auto* plot = dynamic_cast<CVoyagePlotView*>(window->widget())) plot->Refresh();
    UpdateCommandStates();
}

void CMainFrame::RebuildWindowMenu() {
    for (QAction* item : m_windowActions)
        delete item;
    m_windowActions.clear();
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    m_windowListSeparator->setVisible(!windows.isEmpty());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        QAction* item = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == m_mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, m_mdiArea, [this, window] { m_mdiArea->setActiveSubWindow(window); });
        m_windowActions.push_back(item);
    }
}

// ---------------------------------------------------------------------------
// The voyage

std::string CMainFrame::DocumentTitle() const {
    if (!m_document) return {};
    const std::string& path = m_document->GetPathName();
    if (path.empty()) return m_untitledTitle;
    return QFileInfo(Q(path)).fileName().toStdString();
}

void CMainFrame::UpdateTitles() {
    // The maximised child adds its own title to the frame's: "Keelmark Lite - [voyage.k7v]".
    if (m_child) m_child->setWindowTitle(Q(DocumentTitle()));
}

void CMainFrame::Adopt(std::unique_ptr<CKeelmarkLiteDoc> document, bool untitled) {
    CloseDocument(false);
    m_document = std::move(document);
    if (untitled) m_untitledTitle = "Voyage" + std::to_string(++m_untitledCount);

    m_child = new CChildFrame;
    m_child->setObjectName(QStringLiteral("voyageWindow"));
    m_child->setWindowIcon(ProgramIcon());
    m_view = new CKeelmarkLiteView(*m_document, m_child);
    m_child->setWidget(m_view);
    m_child->SetCloseRequest([this] { CloseDocument(true); });
    m_mdiArea->addSubWindow(m_child);
    m_child->showMaximized();
    UpdateTitles();
    UpdateCommandStates();
}

bool CMainFrame::CloseDocument(bool ask) {
    if (!m_document) return true;
    if (ask && !SaveModified()) return false;
    if (m_child) {
        m_mdiArea->removeSubWindow(m_child);
        delete m_child; // and the view with it, before the voyage it shows
    }
    m_child = nullptr;
    m_view = nullptr;
    m_document->RecordAsLastVoyage();
    m_document.reset();
    UpdateTitles();
    UpdateCommandStates();
    return true;
}

bool CMainFrame::SaveModified() {
    if (!m_document || !m_document->IsModified()) return true;
    const PromptAnswer answer = services::Prompts().Show("Save changes to " + DocumentTitle() + "?",
                                                         PromptIcon::Warning, PromptButtons::YesNoCancel);
    switch (answer) {
    case PromptAnswer::Yes:
        return OnFileSave();
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

void CMainFrame::NewDocument() {
    auto document = std::make_unique<CKeelmarkLiteDoc>();
    document->OnNewDocument();
    Adopt(std::move(document), true);
}

bool CMainFrame::OnFileNew() {
    if (!SaveModified()) return false;
    NewDocument();
    return true;
}

bool CMainFrame::OnFileOpen() {
    FileChoiceRequest request;
    request.filter = kVoyageFileFilter;
    request.defaultExtension = kVoyageFileExtension;
    const std::optional<std::string> path = services::Files().ChooseOpen(request);
    if (!path) return false;
    return OpenDocumentFile(*path);
}

bool CMainFrame::LoadDocumentFile(const std::string& path, std::string& error, bool ask) {
    const std::string absolute = Absolute(path);
    auto document = std::make_unique<CKeelmarkLiteDoc>();
    if (!document->LoadVoyageFile(absolute, error, ask)) return false;
    Adopt(std::move(document), false);
    AddRecentFile(absolute);
    return true;
}

bool CMainFrame::OpenDocumentFile(const std::string& path) {
    const std::string absolute = Absolute(path);
    if (m_document && m_document->GetPathName() == absolute) {
        // Already open: shown, not read again over the changes made to it.
        if (m_child) m_mdiArea->setActiveSubWindow(m_child);
        return true;
    }
    if (!SaveModified()) return false;
    std::string error;
    if (LoadDocumentFile(absolute, error)) return true;
    services::Prompts().Show(error, PromptIcon::Warning);
    if (!QFileInfo::exists(Q(absolute))) RemoveRecentFile(absolute);
    return false;
}

bool CMainFrame::SaveTo(const std::string& path) {
    const std::string absolute = Absolute(path);
    std::string error;
    if (!m_document->SaveVoyageFile(absolute, error)) {
        services::Prompts().Show(error, PromptIcon::Warning);
        return false;
    }
    AddRecentFile(absolute);
    UpdateTitles();
    return true;
}

bool CMainFrame::OnFileSave() {
    if (!m_document) return false;
    if (m_document->GetPathName().empty()) return OnFileSaveAs();
    return SaveTo(m_document->GetPathName());
}

bool CMainFrame::OnFileSaveAs() {
    if (!m_document) return false;
    FileChoiceRequest request;
    request.filter = kVoyageFileFilter;
    request.defaultExtension = kVoyageFileExtension;
    request.defaultName = m_document->GetPathName().empty() ? kVoyageFileName : m_document->GetPathName();
    const std::optional<std::string> path = services::Files().ChooseSave(request);
    if (!path || path->empty()) return false;
    return SaveTo(WithDefaultExtension(*path, kVoyageFileExtension));
}

void CMainFrame::OnFileSend() {
    if (!m_document) return;
    // What is sent is the file: the voyage as it stands must be in it.
    if (m_document->IsModified() || m_document->GetPathName().empty())
        if (!OnFileSave()) return;
    const std::string path = m_document->GetPathName();
    const QString mailer = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (mailer.isEmpty()) {
        services::Prompts().Show("Cannot send \"" + path +
                                     "\": no mail program is available (xdg-email was not found).",
                                 PromptIcon::Warning);
        return;
    }
    // The mail program may stay open for long; its verdict arrives when it ends.
    if (m_mailProcess) m_mailProcess->deleteLater();
    m_mailProcess = new QProcess(this);
    QProcess* process = m_mailProcess;
    connect(process, &QProcess::errorOccurred, this, [path](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        services::Prompts().Show("Cannot send \"" + path +
                                     "\": no mail program is available (xdg-email could not be started).",
                                 PromptIcon::Warning);
    });
    connect(process, &QProcess::finished, this, [path](int code, QProcess::ExitStatus status) {
        if (status == QProcess::NormalExit && code == 0) return;
        services::Prompts().Show("Cannot send \"" + path +
                                     "\": no mail program is available (xdg-email ended with code " +
                                     std::to_string(code) + ").",
                                 PromptIcon::Warning);
    });
    process->start(mailer, {QStringLiteral("--attach"), Q(path)});
}

// ---------------------------------------------------------------------------
// Recent files

void CMainFrame::LoadRecentFiles() {
    m_recentFiles.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const std::string path = services::Settings().GetString(kRecentFileSection, "File" + std::to_string(i), "");
        if (!path.empty()) m_recentFiles.push_back(path);
    }
    RebuildRecentFileMenu();
}

void CMainFrame::AddRecentFile(const std::string& path) {
    std::erase(m_recentFiles, path);
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (m_recentFiles.size() > static_cast<std::size_t>(kRecentFileCount)) m_recentFiles.resize(kRecentFileCount);
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::size_t index = static_cast<std::size_t>(i);
        services::Settings().SetString(kRecentFileSection, "File" + std::to_string(i + 1),
                                       index < m_recentFiles.size() ? m_recentFiles[index] : std::string());
    }
    RebuildRecentFileMenu();
}

void CMainFrame::RemoveRecentFile(const std::string& path) {
    if (std::find(m_recentFiles.begin(), m_recentFiles.end(), path) == m_recentFiles.end()) return;
    std::erase(m_recentFiles, path);
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::size_t index = static_cast<std::size_t>(i);
        services::Settings().SetString(kRecentFileSection, "File" + std::to_string(i + 1),
                                       index < m_recentFiles.size() ? m_recentFiles[index] : std::string());
    }
    RebuildRecentFileMenu();
}

void CMainFrame::RebuildRecentFileMenu() {
    for (int i = 0; i < kRecentFileCount; ++i) {
        QAction* action = m_recentActions[static_cast<std::size_t>(i)];
        const bool used = i < static_cast<int>(m_recentFiles.size());
        if (used) {
            const std::string& path = m_recentFiles[static_cast<std::size_t>(i)];
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(DisplayPath(path)));
            action->setStatusTip(QStringLiteral("Open %1").arg(Q(path)));
        }
        action->setVisible(used);
    }
    // With no recent file the list shows as one greyed entry, as it always has.
    if (m_recentFiles.empty()) {
        QAction* first = m_recentActions.front();
        first->setText(QStringLiteral("Recent File"));
        first->setStatusTip({});
        first->setVisible(true);
        first->setEnabled(false);
    } else {
        m_recentActions.front()->setEnabled(true);
    }
}

// ---------------------------------------------------------------------------
// Other commands and events

void CMainFrame::OnOptions() {
    CSheetOptions sheet(this);
    sheet.SetOptions(COptions::Load());
    if (sheet.exec() == QDialog::Accepted) {
        std::string error;
        if (sheet.GetOptions().Save(error))
            services::Prompts().Show(kOptionsRestartMessage);
        else
            services::Prompts().Show(error, PromptIcon::Warning);
    }
    update();
}

void CMainFrame::OnTipOfTheDay() {
    CTipDialog dialog(this);
    dialog.exec();
}

void CMainFrame::OnAppAbout() {
    CAboutDialog dialog(this);
    dialog.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (CloseDocument(true))
        event->accept();
    else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().front().isLocalFile()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    activateWindow();
    OpenDocumentFile(urls.front().toLocalFile().toStdString());
}
