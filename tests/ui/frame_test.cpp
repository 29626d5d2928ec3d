// The main frame: menus, toolbar and dispatch from the command table, files,
// options, and the start-up sequence.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <set>

#include "app/options.h"
#include "app/ui/dashboard_view.h"
#include "app/ui/keelmark_lite_app.h"
#include "app/ui/main_frame.h"
#include "app/ui/options_sheet.h"
#include "app/ui/program.h"
#include "core/ui/command_table.h"
#include "document/ui/waypoints_dialog.h"
#include "ui/qt_test_support.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 5, 20, 14, 7, 27);
const std::string kSection = kSettingsSection;

struct Host : CTestHost {
    Host() : CTestHost(kNow) { KeepSideFilesHere(); }
};

// The commands that have a handler today; the others are dialogs still to come.
// clang-format off
const std::set<Command> kHandled = {
    Command::FileNew, Command::FileOpen, Command::FileSave, Command::FileSaveAs, Command::FileSend, Command::Exit,
    Command::WindowCascade, Command::WindowTile, Command::WindowArrange, Command::TipOfTheDay, Command::About,
    Command::Options, Command::GpsUpdate, Command::Schedule, Command::PresentFromPopular, Command::ExportVessel,
    Command::ImportVessel, Command::ExportPort, Command::ImportPort, Command::ObsMessage, Command::AlmanacLoad,
    Command::AlmanacSave, Command::EditNextWaypoint, Command::SelectNextWaypoint, Command::CourseSpeedChange,
    Command::SelectReference, Command::PopularButton, Command::Waypoints, Command::PopularPosition,
    Command::PopularPositionView, Command::SpeedMadeGood, Command::VoyageProperties, Command::UpdateMeteo,
    Command::AverageWeather, Command::Hurricanes, Command::VoyagePlot,
    Command::ImportRouteGpx, Command::ExportRouteGpx, Command::Starfinder,
    Command::LocalTimes, Command::Observation, Command::Azimuth, Command::PendingObservations, Command::AlmanacData,
    Command::AlmanacToDate, Command::VesselProperties, Command::Destination, Command::AddressAgent,
    Command::AddressPilot, Command::AddressPortControl, Command::Checklists,
    Command::FilePrint, Command::FilePrintPreview, Command::FilePrintSetup, Command::CalculateEta, Command::Squat,
    Command::WheelOver, Command::GeographicalRange, Command::MetricConversions, Command::DistanceToCoast,
    Command::NewReport, Command::OpenReport, Command::ReportScheduler};

// The commands whose dialogs hold the dashboard's refresh.
const std::set<Command> kSuspending = {
    Command::GpsUpdate, Command::EditNextWaypoint, Command::SelectNextWaypoint, Command::CourseSpeedChange,
    Command::Schedule, Command::PopularButton, Command::SpeedMadeGood, Command::Waypoints, Command::PopularPosition,
    Command::PopularPositionView, Command::Destination, Command::ImportPort, Command::VoyageProperties,
    Command::VesselProperties, Command::ImportVessel, Command::AverageWeather, Command::ImportRouteGpx};
// clang-format on

// The menu at a path of entry texts, "&Tools/&Addressbook".
QMenu* MenuAt(CMainFrame& frame, const QString& path) {
    QList<QAction*> entries = frame.menuBar()->actions();
    QMenu* menu = nullptr;
    for (const QString& text : path.split(u'/')) {
        menu = nullptr;
        for (QAction* a : entries)
            if (a->text() == text && a->menu()) menu = a->menu();
        if (!menu) return nullptr;
        entries = menu->actions();
    }
    return menu;
}

void Trigger(CMainFrame& frame, const char* name) { frame.findChild<QAction*>(QString::fromUtf8(name))->trigger(); }

// The first entry at or after `at` that is not a submenu (a submenu sits where its first row came).
int SkipSubmenus(const QList<QAction*>& entries, int at) {
    while (at < entries.size() && entries[at]->menu())
        ++at;
    return at;
}

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dataHome;
    QString m_startFolder;

private slots:
    void initTestCase() {
        QVERIFY(m_dataHome.isValid());
        qputenv("XDG_DATA_HOME", m_dataHome.path().toUtf8());
        QCoreApplication::setOrganizationName(QString::fromUtf8(kOrganizationName));
        QCoreApplication::setApplicationName(QString::fromUtf8(kProgramName));
        m_startFolder = QDir::currentPath();
    }

    void cleanup() { QDir::setCurrent(m_startFolder); }

    // Every row in its menu in table order and on the toolbar in its slot, with its
    // texts and icon; suspending, and enabled with a handler, as the row says.
    void commandTableBuildsMenusToolbarAndStates() {
        Host host;
        CMainFrame frame;
        auto enabled = [&](bool open) {
            for (const CCommandRow& row : CommandTable())
                if (QAction* a = frame.RowAction(row))
                    QVERIFY2(a->isEnabled() ==
                                 (kHandled.count(row.command) && (open || row.enable == CommandEnable::Always)),
                             row.name);
        };
        enabled(false);
        frame.NewDocument();
        std::map<QString, int> next; // the place the next row of each menu must have
        std::multimap<int, const CCommandRow*> byPlace;
        for (const CCommandRow& row : CommandTable()) {
            const QString path = QString::fromUtf8(row.menu);
            if (row.toolbar) byPlace.emplace(row.toolbar, &row);
            if (row.kind == CommandRowKind::Entry)
                QVERIFY2(row.suspends == (kSuspending.count(row.command) > 0) &&
                             CommandSuspends(row.command) == row.suspends,
                         row.name);
            if (row.kind == CommandRowKind::Entry && !*row.menu && !row.toolbar)
                QVERIFY2(frame.GetView()->CanExecute(row.command) == (kHandled.count(row.command) > 0), row.name);
            if (path.isEmpty()) continue;
            QMenu* menu = MenuAt(frame, path);
            QVERIFY2(menu, row.menu);
            const QList<QAction*> entries = menu->actions();
            int& at = next[path];
            at = SkipSubmenus(entries, at);
            QVERIFY2(at < entries.size(), row.name);
            QAction* a = entries[at++];
            if (row.kind == CommandRowKind::Separator || row.kind == CommandRowKind::WindowList) {
                QVERIFY2(a->isSeparator(), qPrintable(path));
            } else if (row.kind == CommandRowKind::RecentFiles) {
                QCOMPARE(a->text() + QString::number(a->isEnabled()), QStringLiteral("Recent File0")); // greyed
                at += kRecentFileCount - 1;
            } else {
                QCOMPARE(a->objectName() + "|" + a->text() + "|" + a->statusTip(),
                         QString::fromUtf8(row.name) + "|" + row.text + "|" +
                             QString::fromUtf8(row.prompt).section(u'\n', 0, 0)); // the rest is the tool tip
                QCOMPARE(a->shortcut(), QKeySequence(QString::fromUtf8(row.shortcut)));
                QCOMPARE(a->icon().isNull(), !*row.icon);
            }
        }
        for (auto& [path, at] : next) // nothing more than the table's rows
            QCOMPARE(SkipSubmenus(MenuAt(frame, path)->actions(), at), MenuAt(frame, path)->actions().size());
        // The toolbar in slot order, a separator between groups of ten.
        const QList<QAction*> buttons = frame.ToolBar()->actions();
        int at = 0, group = -1;
        for (const auto& [slot, row] : byPlace) {
            if (group >= 0 && slot / 10 != group) QVERIFY(buttons.value(at++)->isSeparator());
            group = slot / 10;
            QCOMPARE(buttons.value(at++), frame.RowAction(*row));
            if (!*row->menu) QCOMPARE(buttons[at - 1]->toolTip(), QString::fromUtf8(row->text));
        }
        QCOMPARE(at, buttons.size());
        for (QObject* o : frame.findChildren<QObject*>()) // no object name is a number
            QVERIFY2(!o->objectName().contains(QRegularExpression("[0-9]{3}")), qPrintable(o->objectName()));
        enabled(true);
        // Dispatched from the menu: the refresh held while the dialog is open.
        bool held = false;
        OnNextModal<CDialogWaypoints>([&](CDialogWaypoints* d) {
            held = frame.GetView()->IsSuspended();
            d->reject();
        });
        Trigger(frame, "actionWaypoints");
        QVERIFY(held && !frame.GetView()->IsSuspended());
        // A menu refreshes its entries when it opens.
        frame.RowAction(CommandTable()[0])->setEnabled(false);
        emit MenuAt(frame, "&File")->aboutToShow();
        QVERIFY(frame.RowAction(CommandTable()[0])->isEnabled());
        frame.CloseDocument(false);
        enabled(false);
    }

    void changedVoyageAsksBeforeItCloses() {
        Host host;
        CMainFrame frame;
        frame.NewDocument();
        CKeelmarkLiteDoc* first = frame.GetDocument();
        first->SetModifiedFlag();
        host.fake.prompts.Clear();
        // Cancel, or Yes and then cancelling the file choice: nothing closes.
        host.fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
        host.fake.prompts.ScriptAnswer(PromptAnswer::Yes);
        QVERIFY(!frame.OnFileNew() && !frame.OnFileNew());
        QCOMPARE(frame.GetDocument(), first);
        const auto& asked = host.fake.prompts.History().at(0);
        QCOMPARE(asked.text, std::string("Save changes to Voyage1?"));
        QVERIFY(asked.buttons == PromptButtons::YesNoCancel);
        host.fake.prompts.ScriptAnswer(PromptAnswer::No);
        QVERIFY(frame.OnFileNew());
        QCOMPARE(frame.DocumentTitle(), std::string("Voyage2"));

        // Closing the program: Cancel keeps it open, No lets it go and records the path.
        frame.show();
        frame.GetDocument()->SetModifiedFlag();
        host.fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
        QVERIFY(!frame.close());
        host.fake.prompts.ScriptAnswer(PromptAnswer::No);
        QVERIFY(frame.close() && !frame.GetDocument());
        QCOMPARE(host.fake.settings.GetString(kSection, "datafile", "?"), std::string());
    }

    void saveAsOpenSendAndTheirMessages() {
        Host host;
        for (const char* key : {"File1", "File2", "File3"})
            host.fake.settings.SetString(kRecentFileSection, key, std::string("/ships/") + key);
        CMainFrame frame;
        frame.NewDocument();
        host.fake.prompts.Clear();
        // An untitled voyage is saved through Save As; the extension is added.
        host.fake.files.ScriptPath(host.Path("passage"));
        Trigger(frame, "actionFileSave");
        const FileChoiceRequest& request = host.fake.files.Requests().back();
        QCOMPARE(request.filter + request.defaultExtension + "|" + request.defaultName,
                 std::string("Voyage Files (*.k7v)|*.k7v|All Files (*.*)|*.*||k7v|Voyage"));
        const std::string saved = host.Path("passage.k7v");
        QCOMPARE(frame.GetDocument()->GetPathName(), saved);

        // A folder that does not exist: reported naming the file, the voyage untouched.
        frame.GetDocument()->SetModifiedFlag();
        const std::string nowhere = host.Path("no-such-folder") + "/trip.k7v";
        host.fake.files.ScriptPath(nowhere);
        QVERIFY(!frame.OnFileSaveAs());
        QVERIFY(host.fake.prompts.History().back().text.find(nowhere) != std::string::npos);
        QVERIFY(frame.GetDocument()->GetPathName() == saved && frame.GetDocument()->IsModified());
        frame.GetDocument()->SetModifiedFlag(false);

        // Open through the file choice: listed first, four kept.
        const std::string other = host.WriteDemoVoyage("atlantic.k7v");
        host.fake.files.ScriptPath(other);
        host.fake.prompts.ScriptChoice(CKeelmarkLiteDoc::kContinue);
        Trigger(frame, "actionFileOpen");
        QCOMPARE(frame.GetDocument()->GetPathName(), other);
        QCOMPARE(frame.RecentFiles(), std::vector<std::string>({other, saved, "/ships/File1", "/ships/File2"}));
        QCOMPARE(host.fake.settings.GetString(kRecentFileSection, "File4", ""), std::string("/ships/File2"));
        emit MenuAt(frame, "&File")->aboutToShow();
        QCOMPARE(frame.findChild<QAction*>("actionRecentFile3")->text(), QStringLiteral("&3 /ships/File1"));

        // Opening the open file again does not read it over the changes.
        frame.GetDocument()->SetModifiedFlag();
        QVERIFY(frame.OpenDocumentFile(other) && frame.GetDocument()->IsModified());

        // Daylight saving is warned about where the zone keeps it, in winter too; Send says so when no mail program is there.
        frame.CloseDocument(false);
        frame.NewDocument();
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(host.folder.string())); // no xdg-email in here
        host.fake.prompts.Clear();
        frame.WarnAboutDaylightSaving();
        host.fake.clock.SetLocalOffset(3600, true, true); // the clock stands in winter
        frame.WarnAboutDaylightSaving();
        host.fake.files.ScriptPath(host.Path("report")); // untitled: saved first
        frame.OnFileSend();
        qputenv("PATH", path);
        QCOMPARE(host.fake.prompts.Texts(),
                 std::vector<std::string>({"According to your operating system your PC is using daylight-saving "
                                           "time!\nPlease make sure your PC-time is correctly set!",
                                           "Cannot send \"" + host.Path("report.k7v") +
                                               "\": no mail program is available (xdg-email was not found)."}));
    }

    // Each box, found by what it says, sets its own option and no other.
    void optionsSheet() {
        CFakeServices fake;
        CSheetOptions sheet;
        // clang-format off
        const std::pair<const char*, const char*> switches[] = {
            {"6 minutes before", "wp6minalarm"}, {"when passing a waypoint", "wpalarm"}, {"10 degrees", "coursealarm"},
            {"2 knots", "speedalarm"}, {"DR-position", "dralarm"}, {"Updating the position", "logpos"},
            {"course and/or speed", "logcourse"}, {"Passing a waypoint", "logwp"}, {"Meteorological", "logmeteo"},
            {"Hurricane", "loghurri"}, {"checklist", "logchecklist"}, {"report", "logreport"},
            {"automatically select", "navselectwp"}, {"automatically change course", "navchangecourse"},
            {"enginerevs", "navreduce"}, {"speed to zero", "navzerospd"}};
        // clang-format on
        QCOMPARE(sheet.findChildren<QCheckBox*>().size(), int(std::size(switches)));
        for (const auto& [caption, key] : switches) {
            sheet.SetOptions(COptions::Load()); // all on
            QList<QCheckBox*> boxes;
            for (QCheckBox* box : sheet.findChildren<QCheckBox*>())
                if (box->text().contains(QString::fromUtf8(caption))) boxes << box;
            QVERIFY2(boxes.size() == 1 && boxes[0]->isChecked(), caption);
            boxes[0]->setChecked(false);
            const COptions o = sheet.GetOptions();
            for (const COptionSwitch& s : kOptionSwitches)
                QVERIFY2(o.*s.field == (std::string(s.key) != key), s.key);
        }

        // Through the menu: OK writes every key back, Cancel nothing.
        fake.settings.SetInt(kSection, "logwp", 0);
        fake.settings.SetString(kSection, "almanac", ".\\almanac.dat");
        CMainFrame frame;
        OnNextModal<CSheetOptions>([](CSheetOptions* sheet) {
            sheet->findChild<QCheckBox*>("wpalarm")->setChecked(false);
            Press(sheet, "Cancel");
        });
        Trigger(frame, "actionOptions");
        QVERIFY(fake.prompts.History().empty());
        QVERIFY(!fake.settings.Contains(kSection, "wpalarm"));

        OnNextModal<CSheetOptions>([](CSheetOptions* sheet) {
            QVERIFY(!sheet->findChild<QCheckBox*>("logwp")->isChecked());
            sheet->findChild<QCheckBox*>("navreduce")->setChecked(false);
            sheet->findChild<QCheckBox*>("logwp")->setChecked(true);
            sheet->PathPage()->LoggingEdit()->setText("/var/log/bridge.txt");
            sheet->DatacomPage()->findChild<QRadioButton*>("datasys2")->click();
            Press(sheet, "OK");
        });
        Trigger(frame, "actionOptions");
        QCOMPARE(fake.prompts.Texts(), std::vector<std::string>({"You need to restart the application to "
                                                                 "make changes to options valid!"}));
        for (const COptionSwitch& s : kOptionSwitches)
            QCOMPARE(fake.settings.GetInt(kSection, s.key, -1), std::string(s.key) != "navreduce");
        QCOMPARE(fake.settings.GetInt(kSection, "datasys", -1), 2);
        QCOMPARE(fake.settings.GetString(kSection, "logging", ""), std::string("/var/log/bridge.txt"));
        QCOMPARE(fake.settings.GetString(kSection, "almanac", ""), std::string(".\\almanac.dat")); // kept as written
    }

    void lastVoyageOpensInPlaceOfTheCommandLines() {
        Host host;
        // Empty "datafile": the open voyage stays.
        host.fake.settings.SetString(kSection, "datafile", "");
        CMainFrame frame;
        const std::string named = host.WriteDemoVoyage("named.k7v");
        QVERIFY(frame.OpenDocumentFile(named));
        OpenLastVoyage(frame);
        QCOMPARE(frame.GetDocument()->GetPathName(), named);

        // Missing: reported by name, a new voyage instead.
        const std::string gone = host.Path("gone.k7v");
        host.fake.settings.SetString(kSection, "datafile", gone);
        OpenLastVoyage(frame);
        QVERIFY(host.Shown("The last voyage could not be opened:\nCannot open \"" + gone +
                           "\": No such file or directory\nA new voyage is started instead."));
        QCOMPARE(frame.GetDocument()->GetPathName(), std::string());

        // An older installation's path with '\' replaces the command line's voyage.
        const std::string last = host.WriteDemoVoyage("last.k7v");
        QVERIFY(frame.OpenDocumentFile(named));
        host.fake.settings.SetString(kSection, "datafile", Q(last).replace(u'/', u'\\').toStdString());
        OpenLastVoyage(frame);
        QCOMPARE(frame.GetDocument()->GetPathName(), last);
        frame.CloseDocument(false);
        QCOMPARE(host.fake.settings.GetString(kSection, "datafile", ""), last);
    }

    void firstStartWritesTheDemoVoyageOnceAndNeverOverTheUsersFiles() {
        Host host;
        QTemporaryDir folder, other;
        QVERIFY(CreateDemoVoyageOnFirstStart(folder.path()));
        QVERIFY(QFileInfo::exists(Q(host.Path("vessel.k7s")))); // saved beside it
        QVERIFY(!CreateDemoVoyageOnFirstStart(folder.path()));
        // Where the user's vessel file is already, or a voyage was recorded: no demo.
        QVERIFY(QFile::remove(Q(host.Path("hurricane.dat"))));
        QVERIFY(!CreateDemoVoyageOnFirstStart(other.path()));
        QFile::remove(Q(host.Path("vessel.k7s")));
        host.fake.settings.SetString(kSection, "datafile", "");
        QVERIFY(!CreateDemoVoyageOnFirstStart(other.path()));
        QVERIFY(!QFileInfo::exists(other.filePath("voyage.k7v")));

        // Shipped files: put in place when they exist, never over the user's.
        const QString target = folder.filePath("almanac.dat");
        QVERIFY(InstallShippedFile(":/data/no-such-file.dat", target));
        QVERIFY(!QFileInfo::exists(target));
        InitResources();
        QFile own(target);
        QVERIFY(own.open(QIODevice::WriteOnly) && own.write("the user's own") == 14 && own.flush());
        QVERIFY(InstallShippedFile(":/tips/tips.txt", target));
        QCOMPARE(QFileInfo(target).size(), qint64(14));
        QVERIFY(host.fake.prompts.History().empty());
    }

    void wholeStartOpensTheDemoVoyageFromTheDataFolder() {
        CTestHost host(kNow); // an empty store: the very first start
        CKeelmarkLiteApp keelmark;
        CStartup startup;
        startup.tipOfTheDay = false;
        QVERIFY(keelmark.InitInstance(startup));
        const QString folder = m_dataHome.filePath("Tessmoor Works/Keelmark Lite");
        QCOMPARE(QDir::currentPath(), QDir(folder).absolutePath());
        CMainFrame* frame = keelmark.MainFrame();
        QCOMPARE(Q(frame->GetDocument()->GetPathName()), QDir(folder).filePath("voyage.k7v"));
        // The shipped almanac is in place, and the demo voyage was made a moment
        // ago: nothing is missing, nothing to reset, no question.
        QVERIFY(QFileInfo(QDir(folder).filePath("almanac.dat")).size() > 9000);
        QVERIFY(host.fake.prompts.History().empty());
        QTRY_VERIFY(frame->GetView()->isVisible());
        QVERIFY(!frame->GetView()->IsSuspended()); // the schedule lies ahead: the dashboard runs
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
