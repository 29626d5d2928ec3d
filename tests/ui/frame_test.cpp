// The main frame: menus, toolbar and dispatch from the command table, files,
// options, and the start-up sequence.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <set>

#include "app/frame_geometry.h"
#include "app/options.h"
#include "app/ui/about_dialog.h"
#include "app/ui/child_frame.h"
#include "app/ui/dashboard_view.h"
#include "app/ui/keelmark_lite_app.h"
#include "app/ui/main_frame.h"
#include "app/ui/options_sheet.h"
#include "app/ui/program.h"
#include "core/ui/command_table.h"
#include "document/ui/reference_position_dialog.h"
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
    Command::PopularPositionView, Command::SpeedMadeGood, Command::VoyageProperties};
// clang-format on

// The commands whose dialogs hold the dashboard's refresh.
const std::set<Command> kSuspending = {
    Command::GpsUpdate,        Command::EditNextWaypoint,    Command::SelectNextWaypoint, Command::CourseSpeedChange,
    Command::Schedule,         Command::PopularButton,       Command::SpeedMadeGood,      Command::Waypoints,
    Command::PopularPosition,  Command::PopularPositionView, Command::Destination,        Command::ImportPort,
    Command::VoyageProperties, Command::VesselProperties,    Command::ImportVessel,       Command::AverageWeather};

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

QStringList Texts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
        if (a->isVisible()) texts << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return texts;
}

QAction* Named(CMainFrame& frame, const char* name) { return frame.findChild<QAction*>(QString::fromUtf8(name)); }

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

    // ---- the command table ------------------------------------------------

    void everyRowIsInItsMenuInTableOrder() {
        Host host;
        CMainFrame frame;
        QStringList top;
        for (QAction* a : frame.menuBar()->actions())
            top << a->text();
        QCOMPARE(top, QStringList(
                          {"&File", "&Edit", "&Voyage", "V&essel", "&Astro", "&Meteo", "&Tools", "&Window", "&Help"}));
        std::map<QString, int> next; // the place the next row of each menu must have
        for (const CCommandRow& row : CommandTable()) {
            const QString path = QString::fromUtf8(row.menu);
            if (path.isEmpty()) continue;
            QMenu* menu = MenuAt(frame, path);
            QVERIFY2(menu, row.menu);
            QList<QAction*> entries = menu->actions();
            int& at = next[path];
            while (at < entries.size() && entries[at]->menu())
                ++at; // a submenu sits where its first row came
            QVERIFY2(at < entries.size(), row.name);
            QAction* a = entries[at++];
            if (row.kind == CommandRowKind::Separator || row.kind == CommandRowKind::WindowList) {
                QVERIFY2(a->isSeparator(), qPrintable(path));
                continue;
            }
            if (row.kind == CommandRowKind::RecentFiles) {
                QCOMPARE(a->text(), QStringLiteral("Recent File")); // the empty list, greyed
                QVERIFY(!a->isEnabled());
                at += kRecentFileCount - 1;
                continue;
            }
            QCOMPARE(a->objectName(), QString::fromUtf8(row.name));
            QCOMPARE(a->text(), QString::fromUtf8(row.text));
            QCOMPARE(a->statusTip(), QString::fromUtf8(row.prompt));
            QCOMPARE(a->shortcut(), QKeySequence(QString::fromUtf8(row.shortcut)));
            QCOMPARE(a->icon().isNull(), !*row.icon);
        }
        for (auto& [path, at] : next) { // nothing more than the table's rows
            const QList<QAction*> entries = MenuAt(frame, path)->actions();
            while (at < entries.size() && entries[at]->menu())
                ++at;
            QCOMPARE(at, entries.size());
        }
        // No object name is a number.
        for (QObject* o : frame.findChildren<QObject*>())
            QVERIFY2(!o->objectName().contains(QRegularExpression("[0-9]{3}")), qPrintable(o->objectName()));
    }

    void toolbarButtonsInTheirPlaces() {
        Host host;
        CMainFrame frame;
        std::vector<const CCommandRow*> rows;
        for (const CCommandRow& row : CommandTable())
            if (row.toolbar) rows.push_back(&row);
        std::stable_sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->toolbar < b->toolbar; });
        QList<QAction*> buttons = frame.ToolBar()->actions();
        int at = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i > 0 && rows[i]->toolbar / 10 != rows[i - 1]->toolbar / 10) QVERIFY(buttons.at(at++)->isSeparator());
            QAction* a = buttons.at(at++);
            QCOMPARE(a, frame.RowAction(*rows[i]));
            QVERIFY2(a->icon().availableSizes().contains(QSize(16, 16)), rows[i]->name);
            if (!*rows[i]->menu) QCOMPARE(a->toolTip(), QString::fromUtf8(rows[i]->text));
        }
        QCOMPARE(at, buttons.size());
        QCOMPARE(buttons.size(), 16); // 12 buttons in 5 groups
        QCOMPARE(frame.ToolBar()->iconSize(), QSize(16, 16));
    }

    void enabledWithAHandlerAndAsTheRowsRuleSays() {
        Host host;
        CMainFrame frame;
        auto check = [&](bool open) {
            for (const CCommandRow& row : CommandTable())
                if (QAction* a = frame.RowAction(row))
                    QVERIFY2(a->isEnabled() ==
                                 (kHandled.count(row.command) && (open || row.enable == CommandEnable::Always)),
                             row.name);
        };
        check(false);
        frame.NewDocument();
        check(true);
        for (const CCommandRow& row : CommandTable())
            if (row.kind == CommandRowKind::Entry && !*row.menu && !row.toolbar)
                QVERIFY2(frame.GetView()->CanExecute(row.command) == (kHandled.count(row.command) > 0),
                         qPrintable(QString::number(int(row.command))));
        // A menu refreshes its entries when it opens.
        frame.RowAction(CommandTable()[0])->setEnabled(false);
        emit MenuAt(frame, "&File")->aboutToShow();
        QVERIFY(frame.RowAction(CommandTable()[0])->isEnabled());
        frame.CloseDocument(false);
        check(false);
    }

    void suspendingAsTheTableSays() {
        for (const CCommandRow& row : CommandTable()) {
            if (row.kind != CommandRowKind::Entry) continue;
            QVERIFY2(row.suspends == (kSuspending.count(row.command) > 0), row.name);
            QCOMPARE(CommandSuspends(row.command), row.suspends);
        }
        // Dispatched from the menu and the dashboard: held while the dialog is open, and only then.
        Host host;
        CMainFrame frame;
        frame.NewDocument();
        bool held = false;
        OnNextModal<CDialogWaypoints>([&](CDialogWaypoints* d) {
            held = frame.GetView()->IsSuspended();
            d->reject();
        });
        Named(frame, "actionWaypoints")->trigger();
        QVERIFY(held);
        QVERIFY(!frame.GetView()->IsSuspended());
        OnNextModal<CDialogReferencePosition>([&](CDialogReferencePosition* d) {
            held = frame.GetView()->IsSuspended();
            d->reject();
        });
        frame.GetView()->findChild<QPushButton*>("selectReferenceButton")->click();
        QVERIFY(!held);
    }

    // ---- the frame --------------------------------------------------------

    void placedTitledAndWarnedAboutDaylightSaving() {
        Host host;
        CMainFrame frame;
        frame.PlaceOnScreen();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const CFrameGeometry g = MainFrameGeometry(screen.width(), screen.height());
        QCOMPARE(frame.size(), QSize(g.width, g.height));
        QCOMPARE(frame.pos(), QPoint(screen.left() + g.left, screen.top() + g.top));
        QCOMPARE(frame.windowTitle(), QStringLiteral("Keelmark Lite"));
        QVERIFY(frame.windowIcon().availableSizes().contains(QSize(32, 32)));
        QCOMPARE(frame.statusBar()->findChild<QLabel*>("readyLabel")->text(), QStringLiteral("Ready"));
        QCOMPARE(frame.statusBar()->findChild<QLabel*>("capsLockIndicator")->text(), QStringLiteral("CAP"));

        frame.WarnAboutDaylightSaving();
        QVERIFY(host.fake.prompts.History().empty());
        host.fake.clock.SetLocalOffset(7200, true);
        frame.WarnAboutDaylightSaving();
        QCOMPARE(host.fake.prompts.Texts(),
                 std::vector<std::string>({"According to your operating system your PC is using daylight-saving "
                                           "time!\nPlease make sure your PC-time is correctly set!"}));
        QCOMPARE(host.fake.prompts.History()[0].icon, PromptIcon::Warning);
    }

    void voyageWindowStaysMaximisedAndIsListed() {
        Host host;
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.NewDocument();
        CChildFrame* child = frame.GetChildFrame();
        QTRY_VERIFY(child->isMaximized());
        QCOMPARE(frame.windowTitle(), QStringLiteral("Keelmark Lite - [Voyage1]"));
        child->showNormal();
        QTRY_VERIFY(child->isMaximized());
        emit MenuAt(frame, "&Window")->aboutToShow();
        QCOMPARE(Texts(MenuAt(frame, "&Window")),
                 QStringList({"&Cascade", "&Tile", "&Arrange Icons", "|", "&1 Voyage1"}));

        frame.NewDocument(); // one voyage at a time, numbered on
        QCOMPARE(frame.MdiArea()->subWindowList().size(), 1);
        QTRY_COMPARE(frame.windowTitle(), QStringLiteral("Keelmark Lite - [Voyage2]"));
        frame.CloseDocument(false);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Keelmark Lite"));
        emit MenuAt(frame, "&Window")->aboutToShow();
        QCOMPARE(Texts(MenuAt(frame, "&Window")), QStringList({"&Cascade", "&Tile", "&Arrange Icons"}));

        QString about;
        OnNextModal<CAboutDialog>([&](CAboutDialog* box) {
            about = box->windowTitle() + "|" + Field(*box, "nameLabel") + "|" + Field(*box, "versionLabel");
            box->accept();
        });
        Named(frame, "actionAbout")->trigger();
        QCOMPARE(about, QStringLiteral("About Keelmark Lite|Keelmark Lite|Version 0.1.0"));
        Named(frame, "actionExit")->trigger();
        QVERIFY(!frame.isVisible());
    }

    void changedVoyageAsksBeforeItCloses() {
        Host host;
        CMainFrame frame;
        frame.NewDocument();
        CKeelmarkLiteDoc* first = frame.GetDocument();
        first->SetModifiedFlag();
        host.fake.prompts.Clear();
        host.fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
        QVERIFY(!frame.OnFileNew());
        QCOMPARE(frame.GetDocument(), first);
        QCOMPARE(host.fake.prompts.History().at(0).text, std::string("Save changes to Voyage1?"));
        QCOMPARE(host.fake.prompts.History().at(0).buttons, PromptButtons::YesNoCancel);
        QCOMPARE(host.fake.prompts.History().at(0).icon, PromptIcon::Warning);
        // Yes, then cancelling the file choice: still nothing closes.
        host.fake.prompts.ScriptAnswer(PromptAnswer::Yes);
        QVERIFY(!frame.OnFileNew());
        QCOMPARE(frame.GetDocument(), first);
        host.fake.prompts.ScriptAnswer(PromptAnswer::No);
        QVERIFY(frame.OnFileNew());
        QCOMPARE(frame.DocumentTitle(), std::string("Voyage2"));

        // Closing the program: Cancel keeps it open, No lets it go and records the path.
        frame.show();
        frame.GetDocument()->SetModifiedFlag();
        host.fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
        QVERIFY(!frame.close());
        host.fake.prompts.ScriptAnswer(PromptAnswer::No);
        QVERIFY(frame.close());
        QVERIFY(!frame.GetDocument());
        QVERIFY(host.fake.settings.Contains(kSection, "datafile"));
        QCOMPARE(host.fake.settings.GetString(kSection, "datafile", "?"), std::string());
    }

    void saveAsOpenAndTheirFaults() {
        Host host;
        CMainFrame frame;
        frame.NewDocument();
        host.fake.prompts.Clear();
        // An untitled voyage is saved through Save As; the extension is added.
        host.fake.files.ScriptPath(host.Path("passage"));
        Named(frame, "actionFileSave")->trigger();
        const FileChoiceRequest& request = host.fake.files.Requests().back();
        QCOMPARE(request.filter, std::string("Voyage Files (*.k7v)|*.k7v|All Files (*.*)|*.*||"));
        QCOMPARE(request.defaultExtension, std::string("k7v"));
        QCOMPARE(request.defaultName, std::string("Voyage"));
        const std::string saved = host.Path("passage.k7v");
        QCOMPARE(frame.GetDocument()->GetPathName(), saved);
        QCOMPARE(frame.GetChildFrame()->windowTitle(), QStringLiteral("passage.k7v"));
        QCOMPARE(host.fake.settings.GetString(kRecentFileSection, "File1", ""), saved);

        // A folder that does not exist: reported naming the file, the voyage untouched.
        frame.GetDocument()->SetModifiedFlag();
        const std::string nowhere = host.Path("no-such-folder") + "/trip.k7v";
        host.fake.files.ScriptPath(nowhere);
        QVERIFY(!frame.OnFileSaveAs());
        QVERIFY(host.fake.prompts.History().back().text.find(nowhere) != std::string::npos);
        QCOMPARE(frame.GetDocument()->GetPathName(), saved);
        QVERIFY(frame.GetDocument()->IsModified());
        frame.GetDocument()->SetModifiedFlag(false);

        // A damaged file and a missing one: reported by name, the open voyage stays.
        const std::string damaged = host.Path("damaged.k7v");
        QFile bad(Q(damaged));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a voyage");
        bad.close();
        CKeelmarkLiteDoc* before = frame.GetDocument();
        QVERIFY(!frame.OpenDocumentFile(damaged));
        QVERIFY(host.fake.prompts.History().back().text.find(damaged) != std::string::npos);
        const std::string missing = host.Path("gone.k7v");
        QVERIFY(!frame.OpenDocumentFile(missing));
        QCOMPARE(host.fake.prompts.History().back().text, "Cannot open \"" + missing + "\": No such file or directory");
        QCOMPARE(frame.GetDocument(), before);

        // Open through the file choice: the voyage asks how to go on, and is listed first.
        const std::string other = host.WriteDemoVoyage("atlantic.k7v");
        host.fake.files.ScriptPath(other);
        host.fake.prompts.ScriptChoice(CKeelmarkLiteDoc::kContinue);
        Named(frame, "actionFileOpen")->trigger();
        QCOMPARE(frame.GetDocument()->GetPathName(), other);
        QCOMPARE(host.fake.prompts.History().back().options.size(), std::size_t(3));
        QCOMPARE(frame.RecentFiles(), std::vector<std::string>({other, saved}));
        QString listed = Q(other);
        if (listed.startsWith(QDir::homePath() + u'/')) listed = "~" + listed.mid(QDir::homePath().size());
        QVERIFY(Texts(MenuAt(frame, "&File")).contains("&1 " + listed));

        // Opening the open file again shows it and does not read it over the changes.
        frame.GetDocument()->SetModifiedFlag();
        const std::size_t shown = host.fake.prompts.History().size();
        QVERIFY(frame.OpenDocumentFile(other));
        QCOMPARE(host.fake.prompts.History().size(), shown);
        QVERIFY(frame.GetDocument()->IsModified());
    }

    void recentFileListKeepsFour() {
        Host host;
        host.fake.settings.SetString(kRecentFileSection, "File1", "/ships/a.k7v");
        host.fake.settings.SetString(kRecentFileSection, "File2", "/ships/b.k7v");
        CMainFrame frame;
        QCOMPARE(Texts(MenuAt(frame, "&File")).filter(".k7v"), QStringList({"&1 /ships/a.k7v", "&2 /ships/b.k7v"}));
        frame.NewDocument();
        for (const char* name : {"one", "two", "three", "four"}) {
            host.fake.files.ScriptPath(host.Path(name));
            QVERIFY(frame.OnFileSaveAs());
        }
        QCOMPARE(frame.RecentFiles().size(), std::size_t(4));
        QCOMPARE(frame.RecentFiles().front(), host.Path("four.k7v"));
        QCOMPARE(host.fake.settings.GetString(kRecentFileSection, "File4", ""), host.Path("one.k7v"));
    }

    void sendSaysSoWhenNoMailProgramIsThere() {
        Host host;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(host.folder.string())); // no xdg-email in here
        CMainFrame frame;
        frame.NewDocument();
        host.fake.prompts.Clear();
        host.fake.files.ScriptPath(host.Path("report")); // untitled: saved first
        frame.OnFileSend();
        qputenv("PATH", path);
        QCOMPARE(host.fake.prompts.Texts(),
                 std::vector<std::string>({"Cannot send \"" + host.Path("report.k7v") +
                                           "\": no mail program is available (xdg-email was not found)."}));
        // Cancelling the file choice of an untitled voyage sends nothing and says nothing.
        frame.NewDocument();
        host.fake.prompts.Clear();
        frame.OnFileSend();
        QVERIFY(host.fake.prompts.History().empty());
    }

    // ---- options ----------------------------------------------------------

    void optionsShowTheDefaults() {
        CFakeServices fake;
        CSheetOptions sheet;
        sheet.SetOptions(COptions::Load());
        QCOMPARE(sheet.PathPage()->AlmanacEdit()->text(), QStringLiteral("./almanac.dat"));
        QCOMPARE(sheet.PathPage()->VesselEdit()->text(), QStringLiteral("./vessel.k7s"));
        QCOMPARE(sheet.PathPage()->HurricaneEdit()->text(), QStringLiteral("./hurricane.dat"));
        QCOMPARE(sheet.PathPage()->LoggingEdit()->text(), QStringLiteral("./logging.txt"));
        QCOMPARE(sheet.findChildren<QCheckBox*>().size(), 16);
        for (QCheckBox* box : sheet.findChildren<QCheckBox*>())
            QVERIFY2(box->isChecked(), qPrintable(box->text()));
        QCOMPARE(sheet.DatacomPage()->SystemGroup()->checkedId(), 1);
        QCOMPARE(sheet.DatacomPage()->OutboxEdit()->text(), QStringLiteral("."));
        QCOMPARE(sheet.DatacomPage()->InboxEdit()->text(), QStringLiteral("."));
    }

    void optionsOkWritesEveryKeyBackAndCancelNothing() {
        CFakeServices fake;
        fake.settings.SetInt(kSection, "dralarm", 5); // on, but not as a switch is stored
        fake.settings.SetInt(kSection, "logwp", 0);
        fake.settings.SetString(kSection, "almanac", ".\\almanac.dat");
        CMainFrame frame;
        OnNextModal<CSheetOptions>([](CSheetOptions* sheet) {
            sheet->findChild<QCheckBox*>("wpalarm")->setChecked(false);
            sheet->reject();
        });
        Named(frame, "actionOptions")->trigger();
        QVERIFY(fake.prompts.History().empty());
        QVERIFY(!fake.settings.Contains(kSection, "wpalarm"));

        OnNextModal<CSheetOptions>([](CSheetOptions* sheet) {
            QVERIFY(sheet->findChild<QCheckBox*>("dralarm")->isChecked());
            QVERIFY(!sheet->findChild<QCheckBox*>("logwp")->isChecked());
            sheet->findChild<QCheckBox*>("navreduce")->setChecked(false);
            sheet->findChild<QCheckBox*>("logwp")->setChecked(true);
            sheet->PathPage()->LoggingEdit()->setText("/var/log/bridge.txt");
            sheet->DatacomPage()->findChild<QRadioButton*>("datasys2")->click();
            ButtonNamed(sheet, "OK")->click();
        });
        Named(frame, "actionOptions")->trigger();
        QCOMPARE(fake.prompts.Texts(),
                 std::vector<std::string>({"You need to restart the application to make changes to options valid!"}));
        QCOMPARE(fake.settings.GetInt(kSection, "dralarm", -1), 1); // normalised
        QCOMPARE(fake.settings.GetInt(kSection, "navreduce", -1), 0);
        QCOMPARE(fake.settings.GetInt(kSection, "logwp", -1), 1);
        QCOMPARE(fake.settings.GetInt(kSection, "datasys", -1), 2);
        QCOMPARE(fake.settings.GetString(kSection, "logging", ""), std::string("/var/log/bridge.txt"));
        QCOMPARE(fake.settings.GetString(kSection, "almanac", ""), std::string(".\\almanac.dat")); // kept as written
        QCOMPARE(fake.settings.GetString(kSection, "hurri", ""), std::string("./hurricane.dat"));
        QCOMPARE(fake.settings.GetString(kSection, "inbox", ""), std::string("."));
        for (const COptionSwitch& s : kOptionSwitches)
            QVERIFY2(fake.settings.Contains(kSection, s.key), s.key);
    }

    void optionsBrowseFillsOnlyItsOwnField() {
        CFakeServices fake;
        CSheetOptions sheet;
        sheet.SetOptions(COptions::Load());
        const std::pair<const char*, QLineEdit*> browses[] = {{"almanacBrowse", sheet.PathPage()->AlmanacEdit()},
                                                              {"hurriBrowse", sheet.PathPage()->HurricaneEdit()},
                                                              {"loggingBrowse", sheet.PathPage()->LoggingEdit()},
                                                              {"vesseldataBrowse", sheet.PathPage()->VesselEdit()}};
        for (const auto& [button, edit] : browses) {
            fake.files.ScriptPath(std::string("/data/") + button);
            sheet.findChild<QPushButton*>(button)->click();
            QCOMPARE(edit->text(), QStringLiteral("/data/") + button);
        }
        const FileChoiceRequest& request = fake.files.Requests().back();
        QCOMPARE(request.filter, std::string("Vessel Data (*.k7s)|*.k7s|All Files (*.*)|*.*||"));
        QCOMPARE(request.defaultExtension + request.defaultName, std::string("k7sVessel"));
        // Cancelled: the field keeps what was typed.
        sheet.PathPage()->VesselEdit()->setText("/typed/not/confirmed.k7s");
        sheet.findChild<QPushButton*>("vesseldataBrowse")->click();
        QCOMPARE(sheet.GetOptions().vesselData, std::string("/typed/not/confirmed.k7s"));
    }

    void optionsRefusedByTheStoreAreReported() {
        CFakeServices fake;
        struct CReadOnly : CMemorySettingsStore {
            bool SetString(const std::string&, const std::string&, const std::string&) override { return false; }
            bool SetInt(const std::string&, const std::string&, int) override { return false; }
            std::string LastError() const override { return "Cannot write the settings file /ro/x.conf."; }
        } readOnly;
        services::Scoped scope({&fake.clock, &readOnly, &fake.prompts, &fake.files});
        CMainFrame frame;
        OnNextModal<CSheetOptions>([](CSheetOptions* sheet) { ButtonNamed(sheet, "OK")->click(); });
        Named(frame, "actionOptions")->trigger();
        QCOMPARE(fake.prompts.Texts(), std::vector<std::string>({"The option \"almanac\" could not be saved.\n"
                                                                 "Cannot write the settings file /ro/x.conf."}));
        QCOMPARE(fake.prompts.History()[0].icon, PromptIcon::Warning);
    }

    // ---- start-up ---------------------------------------------------------

    void lastVoyageOpensInPlaceOfTheCommandLines() {
        Host host;
        // Empty "datafile": the open voyage stays, untitled or not.
        host.fake.settings.SetString(kSection, "datafile", "");
        CMainFrame frame;
        OpenLastVoyage(frame);
        QCOMPARE(frame.DocumentTitle(), std::string("Voyage1"));
        const std::string named = host.WriteDemoVoyage("named.k7v");
        QVERIFY(frame.OpenDocumentFile(named));
        OpenLastVoyage(frame);
        QCOMPARE(frame.GetDocument()->GetPathName(), named);
        QCOMPARE(host.Count("could not be opened") + host.Count("Cannot open"), 0);

        // Missing: reported by name, a new voyage instead.
        const std::string gone = host.Path("gone.k7v");
        host.fake.settings.SetString(kSection, "datafile", gone);
        OpenLastVoyage(frame);
        QCOMPARE(host.Count("The last voyage could not be opened:\nCannot open \"" + gone +
                            "\": No such file or directory\nA new voyage is started instead."),
                 1);
        QCOMPARE(frame.GetDocument()->GetPathName(), std::string());
        QVERIFY(frame.GetView());

        // An older installation's path with '\' replaces the command line's voyage.
        const std::string last = host.WriteDemoVoyage("last.k7v");
        std::string windowsStyle = last;
        std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
        QVERIFY(frame.OpenDocumentFile(named));
        host.fake.settings.SetString(kSection, "datafile", windowsStyle);
        OpenLastVoyage(frame);
        QCOMPARE(frame.GetDocument()->GetPathName(), last);
        frame.CloseDocument(false);
        QCOMPARE(host.fake.settings.GetString(kSection, "datafile", ""), last);
    }

    void afterLoadingRouteIsAskedWithItsExactTexts() {
        Host host;
        const std::string path = host.WriteDemoVoyage("voyage.k7v");
        CMainFrame frame;
        host.fake.prompts.ScriptChoice(2);
        QVERIFY(frame.OpenDocumentFile(path));
        const auto& asked = host.fake.prompts.History().back();
        QCOMPARE(asked.text, std::string("After loading route...\n"));
        QCOMPARE(asked.options, std::vector<std::string>({"Continue from latest position fix",
                                                          "Reset present position to departure port",
                                                          "Reset to departure port and wipe route (delete all old "
                                                          "position fixes)"}));
        CVoyage& voyage = frame.GetDocument()->GetVoyage(); // the third choice wiped the fixes
        for (int i = 0; i < voyage.GetCount(); ++i)
            QCOMPARE(voyage.GetAt(i)->GetKind(), CPosition::kWaypoint);
    }

    void firstStartWritesTheDemoVoyageOnceAndNeverOverTheUsersFiles() {
        Host host;
        QTemporaryDir folder, other;
        const QString voyage = folder.filePath("voyage.k7v");
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
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("the user's own");
        own.close();
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
        QVERIFY(frame->isVisible());
        QCOMPARE(Q(frame->GetDocument()->GetPathName()), QDir(folder).filePath("voyage.k7v"));
        QCOMPARE(frame->GetDocument()->GetVessel().m_name, std::string("Keelmark Pioneer"));
        // Only the almanac (not shipped yet) is missing.
        QCOMPARE(host.fake.prompts.Texts(),
                 std::vector<std::string>(
                     {"Oops, can't open the almanac\nWe have to do without it..", "After loading route...\n"}));
        QTRY_VERIFY(frame->GetView()->isVisible());
        QVERIFY(!frame->GetView()->IsSuspended()); // the schedule lies ahead: the dashboard runs
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
