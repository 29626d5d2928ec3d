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
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QProcess>
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
#include "document/keelmark_lite_doc.h"
#include "platform/file_filter.h"
#include "platform/services.h"

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

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QString::fromUtf8(kProgramName));
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdiArea);

    CreateMenus();
    CreateToolBar();
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
    if (services::Clock().IsDaylightSaving(services::Now()))
        services::Prompts().Show(kDaylightSavingWarning, PromptIcon::Warning);
}

// ---------------------------------------------------------------------------
// Menus, toolbar and status bar

QAction* CMainFrame::AddCommand(QMenu* menu, const QString& text, Command command, const QString& statusTip) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(command)));
    if (!statusTip.isEmpty()) action->setStatusTip(statusTip);
    connect(action, &QAction::triggered, this, [this, command] { ExecuteCommand(command); });
    if (menu) menu->addAction(action);
    m_commandActions.emplace_back(command, action);
    return action;
}

QAction* CMainFrame::AddDisabled(QMenu* menu, const QString& text, const char* name, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(shortcut);
    action->setEnabled(false);
    return action;
}

void CMainFrame::CreateMenus() {
    // File
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* file = m_fileMenu;
    m_newAction = file->addAction(QStringLiteral("&New"));
    m_newAction->setObjectName(QStringLiteral("actionFileNew"));
    m_newAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_newAction->setStatusTip(QStringLiteral("Create a new voyage"));
    m_newAction->setIcon(ToolbarIcon("new"));
    connect(m_newAction, &QAction::triggered, this, [this] { OnFileNew(); });
    m_openAction = file->addAction(QStringLiteral("&Open..."));
    m_openAction->setObjectName(QStringLiteral("actionFileOpen"));
    m_openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_openAction->setStatusTip(QStringLiteral("Open an existing voyage"));
    m_openAction->setIcon(ToolbarIcon("open"));
    connect(m_openAction, &QAction::triggered, this, [this] { OnFileOpen(); });
    m_saveAction = file->addAction(QStringLiteral("&Save"));
    m_saveAction->setObjectName(QStringLiteral("actionFileSave"));
    m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveAction->setStatusTip(QStringLiteral("Save the voyage"));
    m_saveAction->setIcon(ToolbarIcon("save"));
    connect(m_saveAction, &QAction::triggered, this, [this] { OnFileSave(); });
    m_saveAsAction = file->addAction(QStringLiteral("Save &As..."));
    m_saveAsAction->setObjectName(QStringLiteral("actionFileSaveAs"));
    m_saveAsAction->setStatusTip(QStringLiteral("Save the voyage under a new name"));
    connect(m_saveAsAction, &QAction::triggered, this, [this] { OnFileSaveAs(); });
    file->addSeparator();
    // Printing waits for the printouts; until then the entries are there, disabled.
    m_printAction =
        AddDisabled(file, QStringLiteral("&Print..."), "actionFilePrint", QKeySequence(Qt::CTRL | Qt::Key_P));
    m_printAction->setStatusTip(QStringLiteral("Print a form of the voyage"));
    m_printAction->setIcon(ToolbarIcon("print"));
    m_printPreviewAction = AddDisabled(file, QStringLiteral("Print Pre&view"), "actionFilePrintPreview");
    m_printPreviewAction->setStatusTip(QStringLiteral("Show the form as it will be printed"));
    m_printSetupAction = AddDisabled(file, QStringLiteral("P&rint Setup..."), "actionFilePrintSetup");
    m_printSetupAction->setStatusTip(QStringLiteral("Change the printer and printing options"));
    connect(m_printSetupAction, &QAction::triggered, this, [this] { OnFilePrintSetup(); });
    file->addSeparator();
    m_sendAction = file->addAction(QStringLiteral("Sen&d..."));
    m_sendAction->setObjectName(QStringLiteral("actionFileSend"));
    m_sendAction->setStatusTip(QStringLiteral("Send the voyage file by e-mail"));
    connect(m_sendAction, &QAction::triggered, this, [this] { OnFileSend(); });
    m_recentSeparator = file->addSeparator();
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* recent = new QAction(this);
        recent->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
        connect(recent, &QAction::triggered, this, [this, i] {
            if (i < static_cast<int>(m_recentFiles.size()))
                OpenDocumentFile(m_recentFiles[static_cast<std::size_t>(i)]);
        });
        file->addAction(recent);
        m_recentActions.push_back(recent);
    }
    file->addSeparator();
    m_exitAction = file->addAction(QStringLiteral("E&xit"));
    m_exitAction->setObjectName(QStringLiteral("actionExit"));
    m_exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_exitAction->setMenuRole(QAction::QuitRole);
    m_exitAction->setStatusTip(QStringLiteral("Quit the application"));
    connect(m_exitAction, &QAction::triggered, this, &QWidget::close);

    // Edit: nothing in the program handles the clipboard commands.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddDisabled(edit, QStringLiteral("&Undo"), "actionEditUndo", QKeySequence(Qt::CTRL | Qt::Key_Z));
    edit->addSeparator();
    AddDisabled(edit, QStringLiteral("Cu&t"), "actionEditCut", QKeySequence(Qt::CTRL | Qt::Key_X))
        ->setIcon(ToolbarIcon("cut"));
    AddDisabled(edit, QStringLiteral("&Copy"), "actionEditCopy", QKeySequence(Qt::CTRL | Qt::Key_C))
        ->setIcon(ToolbarIcon("copy"));
    AddDisabled(edit, QStringLiteral("&Paste"), "actionEditPaste", QKeySequence(Qt::CTRL | Qt::Key_V))
        ->setIcon(ToolbarIcon("paste"));

    // Voyage
    QMenu* voyage = menuBar()->addMenu(QStringLiteral("&Voyage"));
    QMenu* update = voyage->addMenu(QStringLiteral("&Update Position"));
    update->setObjectName(QStringLiteral("menuUpdatePosition"));
    AddCommand(update, QStringLiteral("&GPS"), Command::GpsUpdate, QStringLiteral("Enter a position fix from the GPS"));
    AddCommand(update, QStringLiteral("&Astro"), Command::Starfinder, QStringLiteral("Calculate height and azimuth"));
    AddCommand(voyage, QStringLiteral("&Course / Speed change"), Command::CourseSpeedChange,
               QStringLiteral("Order a change of course and speed"));
    AddCommand(voyage, QStringLiteral("&Speed made good"), Command::SpeedMadeGood,
               QStringLiteral("Speed made good between two positions"));
    AddCommand(voyage, QStringLiteral("C&alculate ETA"), Command::CalculateEta,
               QStringLiteral("Arrival time and engine revolutions at other speeds"));
    voyage->addSeparator();
    AddCommand(voyage, QStringLiteral("&Waypoints"), Command::Waypoints, QStringLiteral("Edit the route"));
    AddCommand(voyage, QStringLiteral("&Popular Position"), Command::PopularPosition,
               QStringLiteral("Edit the well-known place the present position is told from"));
    AddCommand(voyage, QStringLiteral("Present position &from popular"), Command::PresentFromPopular,
               QStringLiteral("Distance and direction of the present position from the popular position"));
    voyage->addSeparator();
    AddCommand(voyage, QStringLiteral("&Destination"), Command::Destination,
               QStringLiteral("Particulars of the port of destination"));
    AddCommand(voyage, QStringLiteral("&Export portinfo"), Command::ExportPort,
               QStringLiteral("Write the port particulars to a port file"));
    AddCommand(voyage, QStringLiteral("&Import portinfo"), Command::ImportPort,
               QStringLiteral("Read the port particulars from a port file"));
    voyage->addSeparator();
    AddCommand(voyage, QStringLiteral("P&roperties"), Command::VoyageProperties,
               QStringLiteral("Description, service and voyage number"));

    // Vessel
    QMenu* vessel = menuBar()->addMenu(QStringLiteral("V&essel"));
    AddCommand(vessel, QStringLiteral("&Properties"), Command::VesselProperties,
               QStringLiteral("Particulars of the own vessel"));
    AddCommand(vessel, QStringLiteral("&Import vesseldata"), Command::ImportVessel,
               QStringLiteral("Read the vessel particulars from a vessel file"));
    AddCommand(vessel, QStringLiteral("E&xport vesseldata"), Command::ExportVessel,
               QStringLiteral("Write the vessel particulars to a vessel file"));

    // Astro
    QMenu* astro = menuBar()->addMenu(QStringLiteral("&Astro"));
    AddCommand(astro, QStringLiteral("&Starfinder"), Command::Starfinder,
               QStringLiteral("Calculate height and azimuth"));
    AddCommand(astro, QStringLiteral("&Local Times"), Command::LocalTimes,
               QStringLiteral("Sunrise, set, twilight for present position"));
    AddCommand(astro, QStringLiteral("O&bservation"), Command::Observation,
               QStringLiteral("View or enter attitude and azimuth of celestial object"));
    AddCommand(astro, QStringLiteral("A&zimuth"), Command::Azimuth,
               QStringLiteral("Calculate compasscorrection from azimuth observation"));
    AddCommand(astro, QStringLiteral("&Pending Observations"), Command::PendingObservations,
               QStringLiteral("Calculate your position from pending celestial observations"));
    astro->addSeparator();
    AddCommand(astro, QStringLiteral("&Almanac data"), Command::AlmanacData,
               QStringLiteral("View or update almanac data"));

    // Meteo
    QMenu* meteo = menuBar()->addMenu(QStringLiteral("&Meteo"));
    AddCommand(meteo, QStringLiteral("&Update Meteo"), Command::UpdateMeteo,
               QStringLiteral("Record the weather observation"));
    AddCommand(meteo, QStringLiteral("&Average Weather"), Command::AverageWeather,
               QStringLiteral("Weather, current and performance averaged per position"));
    AddCommand(meteo, QStringLiteral("&Hurricanes"), Command::Hurricanes, QStringLiteral("Track tropical cyclones"));
    meteo->addSeparator();
    AddCommand(meteo, QStringLiteral("Write &OBS message"), Command::ObsMessage,
               QStringLiteral("Write the coded ship's observation message"));

    // Tools
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    QMenu* addresses = tools->addMenu(QStringLiteral("&Addressbook"));
    QMenu* destination = addresses->addMenu(QStringLiteral("&Destination"));
    AddCommand(destination, QStringLiteral("&Agent"), Command::AddressAgent,
               QStringLiteral("The agent at the destination"));
    AddCommand(destination, QStringLiteral("&Pilot"), Command::AddressPilot,
               QStringLiteral("The pilot at the destination"));
    AddCommand(destination, QStringLiteral("Port &Control"), Command::AddressPortControl,
               QStringLiteral("Port control at the destination"));
    AddDisabled(addresses, QStringLiteral("&Own addresses"), "actionOwnAddresses");
    AddCommand(tools, QStringLiteral("&Checklists"), Command::Checklists, QStringLiteral("The ship's checklists"));
    tools->addSeparator();
    AddCommand(tools, QStringLiteral("&Squad"), Command::Squat, QStringLiteral("Squat in shallow water"));
    AddCommand(tools, QStringLiteral("&Wheel over point"), Command::WheelOver,
               QStringLiteral("Where to put the wheel over for a course change"));
    AddCommand(tools, QStringLiteral("&Geographical range"), Command::GeographicalRange,
               QStringLiteral("Range of a light or object by height"));
    AddCommand(tools, QStringLiteral("&Metric Conversions"), Command::MetricConversions,
               QStringLiteral("Convert between metric and other units"));
    AddCommand(tools, QStringLiteral("&Distance to coast"), Command::DistanceToCoast,
               QStringLiteral("Distance to the nearest shore"));
    tools->addSeparator();
    QMenu* reports = tools->addMenu(QStringLiteral("&Reports"));
    AddCommand(reports, QStringLiteral("&New Report..."), Command::NewReport, QStringLiteral("Define a new report"));
    AddCommand(reports, QStringLiteral("&Open Report..."), Command::OpenReport, QStringLiteral("Open a report file"));
    AddCommand(reports, QStringLiteral("Report &Scheduler..."), Command::ReportScheduler,
               QStringLiteral("When reports are due"));
    QMenu* almanac = tools->addMenu(QStringLiteral("A&lmanac"));
    AddCommand(almanac, QStringLiteral("&View"), Command::AlmanacData, QStringLiteral("View or update almanac data"));
    AddCommand(almanac, QStringLiteral("&Load"), Command::AlmanacLoad, QStringLiteral("Load an almanac file"));
    AddCommand(almanac, QStringLiteral("&Save"), Command::AlmanacSave, QStringLiteral("Save the almanac to a file"));
    tools->addSeparator();
    m_optionsAction = tools->addAction(QStringLiteral("&Options"));
    m_optionsAction->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(Command::Options)));
    m_optionsAction->setStatusTip(QStringLiteral("Paths, alarms, logging, navigation and datacom settings"));
    connect(m_optionsAction, &QAction::triggered, this, [this] { OnOptions(); });

    // Window
    m_windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this] { RebuildWindowMenu(); });
    RebuildWindowMenu();

    // Help
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* tip = help->addAction(QStringLiteral("&Tip of the Day..."));
    tip->setObjectName(QStringLiteral("actionTipOfTheDay"));
    tip->setStatusTip(QStringLiteral("Show a tip about using the program"));
    connect(tip, &QAction::triggered, this, [this] { OnTipOfTheDay(); });
    help->addSeparator();
    m_aboutAction = help->addAction(QStringLiteral("&About %1...").arg(QString::fromUtf8(kProgramName)));
    m_aboutAction->setObjectName(QStringLiteral("actionAbout"));
    m_aboutAction->setMenuRole(QAction::AboutRole);
    m_aboutAction->setStatusTip(QStringLiteral("Display program information and version number"));
    m_aboutAction->setIcon(ToolbarIcon("about"));
    connect(m_aboutAction, &QAction::triggered, this, &CMainFrame::OnAppAbout);

    // Entries follow the state of the voyage whenever a menu opens.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
}

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("standardToolBar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setFloatable(true);
    m_toolBar->setMovable(true);
    m_toolBar->addAction(m_newAction);
    m_toolBar->addAction(m_openAction);
    m_toolBar->addAction(m_saveAction);
    m_toolBar->addSeparator();
    const struct {
        Command command;
        const char* icon;
        const char* tip;
    } voyageButtons[] = {
        {Command::GpsUpdate, "gps", "GPS position update"},
        {Command::Starfinder, "celestial", "Celestial objects"},
        {Command::SpeedMadeGood, "speed-made-good", "Speed made good"},
        {Command::Waypoints, "waypoints", "Waypoints"},
    };
    for (const auto& b : voyageButtons) {
        QAction* action = AddCommand(nullptr, QString::fromUtf8(b.tip), b.command, QString::fromUtf8(b.tip));
        action->setObjectName(action->objectName() + QStringLiteral("Button"));
        action->setIcon(ToolbarIcon(b.icon));
        m_toolBar->addAction(action);
    }
    m_toolBar->addSeparator();
    for (const char* name : {"actionEditCut", "actionEditCopy", "actionEditPaste"})
        m_toolBar->addAction(findChild<QAction*>(QString::fromUtf8(name)));
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_printAction);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_aboutAction);
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

std::vector<QAction*> CMainFrame::CommandActions(Command command) const {
    std::vector<QAction*> actions;
    for (const auto& [c, action] : m_commandActions)
        if (c == command) actions.push_back(action);
    return actions;
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [command, action] : m_commandActions)
        action->setEnabled(m_view && m_view->CanExecute(command));
    const bool open = m_document != nullptr;
    m_saveAction->setEnabled(open);
    m_saveAsAction->setEnabled(open);
    m_sendAction->setEnabled(open);
}

void CMainFrame::ExecuteCommand(Command command) {
    if (m_view && m_view->CanExecute(command)) m_view->Execute(command);
    UpdateCommandStates();
}

void CMainFrame::RebuildWindowMenu() {
    m_windowMenu->clear();
    QAction* cascade = m_windowMenu->addAction(QStringLiteral("&Cascade"));
    cascade->setObjectName(QStringLiteral("actionWindowCascade"));
    connect(cascade, &QAction::triggered, m_mdiArea, &QMdiArea::cascadeSubWindows);
    QAction* tile = m_windowMenu->addAction(QStringLiteral("&Tile"));
    tile->setObjectName(QStringLiteral("actionWindowTile"));
    connect(tile, &QAction::triggered, m_mdiArea, &QMdiArea::tileSubWindows);
    QAction* arrange = m_windowMenu->addAction(QStringLiteral("&Arrange Icons"));
    arrange->setObjectName(QStringLiteral("actionWindowArrange"));
    connect(arrange, &QAction::triggered, m_mdiArea, &QMdiArea::tileSubWindows);
    const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
    if (!windows.isEmpty()) m_windowMenu->addSeparator();
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        QAction* item = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == m_mdiArea->activeSubWindow());
        connect(item, &QAction::triggered, m_mdiArea, [this, window] { m_mdiArea->setActiveSubWindow(window); });
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

bool CMainFrame::LoadDocumentFile(const std::string& path, std::string& error) {
    const std::string absolute = Absolute(path);
    auto document = std::make_unique<CKeelmarkLiteDoc>();
    if (!document->LoadVoyageFile(absolute, error)) return false;
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

void CMainFrame::OnFilePrintSetup() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>();
    QPageSetupDialog dialog(m_printer.get(), this);
    dialog.exec();
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
