#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <map>
#include <string>

#include "app/demo_voyage.h"
#include "app/frame_geometry.h"
#include "app/ui/child_frame.h"
#include "app/ui/dashboard_view.h"
#include "app/ui/main_frame.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"
#include "support/test_host.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 5, 20, 14, 7, 27);
const std::string kSection = kSettingsSection;

// Fake services, with the side files of every voyage kept in a folder of the test's own.
struct Host : CTestHost {
    Host() : CTestHost(kNow) { KeepSideFilesHere(); }
    std::string WriteVoyage(const char* name) { return WriteDemoVoyage(name); }
};

QMenu* TopMenu(CMainFrame& frame, const QString& text) {
    for (QAction* a : frame.menuBar()->actions())
        if (a->text() == text) return a->menu();
    return nullptr;
}

QAction* Entry(QMenu* menu, const QString& text) {
    if (!menu) return nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

QMenu* SubMenu(QMenu* menu, const QString& text) {
    QAction* a = Entry(menu, text);
    return a ? a->menu() : nullptr;
}

QStringList Texts(QMenu* menu) {
    QStringList texts;
    for (QAction* a : menu->actions())
        if (a->isVisible()) texts << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return texts;
}

} // namespace

class FrameCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void menusWithTheirAcceleratorsAndDisabledEntries() {
        Host host;
        CMainFrame frame;
        QStringList top;
        for (QAction* a : frame.menuBar()->actions())
            top << a->text();
        QCOMPARE(top, QStringList(
                          {"&File", "&Edit", "&Voyage", "V&essel", "&Astro", "&Meteo", "&Tools", "&Window", "&Help"}));

        QMenu* file = TopMenu(frame, "&File");
        QCOMPARE(Texts(file),
                 QStringList({"&New", "&Open...", "&Save", "Save &As...", "|", "&Print...", "Print Pre&view",
                              "P&rint Setup...", "|", "Sen&d...", "|", "Recent File", "|", "E&xit"}));
        const std::map<QString, QString> shortcuts = {
            {"&New", "Ctrl+N"}, {"&Open...", "Ctrl+O"}, {"&Save", "Ctrl+S"}, {"&Print...", "Ctrl+P"}};
        for (const auto& [text, keys] : shortcuts)
            QCOMPARE(Entry(file, text)->shortcut(), QKeySequence(keys));
        // Printing waits for the printouts; the recent-file list is empty.
        for (const char* text : {"&Print...", "Print Pre&view", "P&rint Setup...", "Recent File"})
            QVERIFY2(!Entry(file, text)->isEnabled(), text);
        // Nothing to save or send without a voyage.
        for (const char* text : {"&Save", "Save &As...", "Sen&d..."})
            QVERIFY2(!Entry(file, text)->isEnabled(), text);
        QVERIFY(Entry(file, "&New")->isEnabled());
        QVERIFY(Entry(file, "&Open...")->isEnabled());

        QMenu* edit = TopMenu(frame, "&Edit");
        QCOMPARE(Texts(edit), QStringList({"&Undo", "|", "Cu&t", "&Copy", "&Paste"}));
        QCOMPARE(Entry(edit, "Cu&t")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
        QCOMPARE(Entry(edit, "&Copy")->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
        QCOMPARE(Entry(edit, "&Paste")->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
        QCOMPARE(Entry(edit, "&Undo")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        for (QAction* a : edit->actions())
            QVERIFY(!a->isEnabled() || a->isSeparator());

        QMenu* voyage = TopMenu(frame, "&Voyage");
        QCOMPARE(Texts(SubMenu(voyage, "&Update Position")), QStringList({"&GPS", "&Astro"}));
        for (const char* text : {"&Course / Speed change", "&Speed made good", "C&alculate ETA", "&Waypoints",
                                 "&Popular Position", "&Destination", "&Export portinfo", "&Import portinfo"})
            QVERIFY2(Entry(voyage, text), text);
        QCOMPARE(Texts(TopMenu(frame, "V&essel")),
                 QStringList({"&Properties", "&Import vesseldata", "E&xport vesseldata"}));
        QCOMPARE(Texts(TopMenu(frame, "&Astro")),
                 QStringList({"&Starfinder", "&Local Times", "O&bservation", "A&zimuth", "&Pending Observations", "|",
                              "&Almanac data"}));
        for (const char* text : {"&Update Meteo", "&Average Weather", "&Hurricanes"})
            QVERIFY2(Entry(TopMenu(frame, "&Meteo"), text), text);

        QMenu* tools = TopMenu(frame, "&Tools");
        QMenu* addressbook = SubMenu(tools, "&Addressbook");
        QCOMPARE(Texts(SubMenu(addressbook, "&Destination")), QStringList({"&Agent", "&Pilot", "Port &Control"}));
        QVERIFY(!Entry(addressbook, "&Own addresses")->isEnabled());
        QCOMPARE(Texts(SubMenu(tools, "A&lmanac")), QStringList({"&View", "&Load", "&Save"}));
        for (const char* text : {"&Checklists", "&Squad", "&Wheel over point", "&Geographical range",
                                 "&Metric Conversions", "&Distance to coast"})
            QVERIFY2(Entry(tools, text), text);
        QCOMPARE(Entry(tools, "&Options"), frame.OptionsAction());
        QVERIFY(frame.OptionsAction()->isEnabled()); // the options need no voyage

        QCOMPARE(Texts(TopMenu(frame, "&Window")), QStringList({"&Cascade", "&Tile", "&Arrange Icons"}));
        QCOMPARE(Texts(TopMenu(frame, "&Help")), QStringList({"&Tip of the Day...", "|", "&About Keelmark Lite..."}));
    }

    void voyageCommandsAreEnabledAsTheViewCanExecuteThem() {
        Host host;
        CMainFrame frame;
        // Every command of the menus has its entries; without a voyage all are disabled.
        const Command withMenus[] = {Command::GpsUpdate,
                                     Command::CourseSpeedChange,
                                     Command::SpeedMadeGood,
                                     Command::CalculateEta,
                                     Command::Waypoints,
                                     Command::PopularPosition,
                                     Command::Destination,
                                     Command::ExportPort,
                                     Command::ImportPort,
                                     Command::VoyageProperties,
                                     Command::VesselProperties,
                                     Command::ImportVessel,
                                     Command::ExportVessel,
                                     Command::Starfinder,
                                     Command::LocalTimes,
                                     Command::Observation,
                                     Command::Azimuth,
                                     Command::PendingObservations,
                                     Command::AlmanacData,
                                     Command::AlmanacLoad,
                                     Command::AlmanacSave,
                                     Command::UpdateMeteo,
                                     Command::AverageWeather,
                                     Command::Hurricanes,
                                     Command::AddressAgent,
                                     Command::AddressPilot,
                                     Command::AddressPortControl,
                                     Command::Checklists,
                                     Command::Squat,
                                     Command::WheelOver,
                                     Command::GeographicalRange,
                                     Command::MetricConversions,
                                     Command::DistanceToCoast};
        for (Command c : withMenus) {
            QVERIFY2(!frame.CommandActions(c).empty(), qPrintable(QString::number(static_cast<int>(c))));
            for (QAction* a : frame.CommandActions(c))
                QVERIFY(!a->isEnabled());
        }
        QCOMPARE(frame.CommandActions(Command::Starfinder).size(), std::size_t(3)); // Astro, Update Position, toolbar
        QCOMPARE(frame.CommandActions(Command::AlmanacData).size(), std::size_t(2));

        frame.NewDocument();
        QVERIFY(frame.GetView());
        int enabled = 0;
        for (Command c : withMenus)
            for (QAction* a : frame.CommandActions(c)) {
                QCOMPARE(a->isEnabled(), frame.GetView()->CanExecute(c));
                enabled += a->isEnabled();
            }
        QVERIFY(enabled > 0);
        QVERIFY(frame.findChild<QAction*>("actionFileSave")->isEnabled());
        QVERIFY(!frame.findChild<QAction*>("actionFilePrint")->isEnabled());

        frame.CloseDocument(false);
        for (Command c : withMenus)
            for (QAction* a : frame.CommandActions(c))
                QVERIFY(!a->isEnabled());
    }

    void toolbarAndStatusBar() {
        Host host;
        CMainFrame frame;
        QStringList buttons;
        for (QAction* a : frame.ToolBar()->actions()) {
            if (a->isSeparator()) {
                buttons << "|";
                continue;
            }
            buttons << a->objectName();
            QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
            QVERIFY(a->icon().availableSizes().contains(QSize(16, 16)));
        }
        QCOMPARE(buttons,
                 QStringList({"actionFileNew", "actionFileOpen", "actionFileSave", "|", "command1019Button",
                              "command32799Button", "command32838Button", "command32792Button", "|", "actionEditCut",
                              "actionEditCopy", "actionEditPaste", "|", "actionFilePrint", "|", "actionAbout"}));
        QCOMPARE(frame.ToolBar()->iconSize(), QSize(16, 16));

        QCOMPARE(frame.statusBar()->findChild<QLabel*>("readyLabel")->text(), QStringLiteral("Ready"));
        QCOMPARE(frame.statusBar()->findChild<QLabel*>("capsLockIndicator")->text(), QStringLiteral("CAP"));
        QCOMPARE(frame.statusBar()->findChild<QLabel*>("numLockIndicator")->text(), QStringLiteral("NUM"));
        QCOMPARE(frame.statusBar()->findChild<QLabel*>("scrollLockIndicator")->text(), QStringLiteral("SCRL"));
    }

    void placedOnTheScreenAndWarnedAboutDaylightSaving() {
        Host host;
        CMainFrame frame;
        frame.PlaceOnScreen();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const CFrameGeometry g = MainFrameGeometry(screen.width(), screen.height());
        QCOMPARE(frame.size(), QSize(g.width, g.height));
        QCOMPARE(frame.pos(), QPoint(screen.left() + g.left, screen.top() + g.top));

        frame.WarnAboutDaylightSaving();
        QVERIFY(host.fake.prompts.History().empty());
        host.fake.clock.SetLocalOffset(7200, true);
        frame.WarnAboutDaylightSaving();
        QCOMPARE(host.fake.prompts.History().size(), std::size_t(1));
        QCOMPARE(host.fake.prompts.History()[0].text,
                 std::string("According to your operating system your PC is using daylight-saving time!\n"
                             "Please make sure your PC-time is correctly set!"));
        QCOMPARE(host.fake.prompts.History()[0].icon, PromptIcon::Warning);
    }

    void voyageWindowStaysMaximised() {
        Host host;
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.NewDocument();
        CChildFrame* child = frame.GetChildFrame();
        QVERIFY(child);
        QTRY_VERIFY(child->isMaximized());
        // The maximised child's title joins the frame's, as the desktop shows it.
        QCOMPARE(frame.windowTitle(), QStringLiteral("Keelmark Lite - [Voyage1]"));
        QCOMPARE(child->windowTitle(), QStringLiteral("Voyage1"));
        child->showNormal();
        QTRY_VERIFY(child->isMaximized());
        QCOMPARE(frame.MdiArea()->subWindowList().size(), 1);

        // One voyage at a time: a new one replaces it, numbered on.
        frame.NewDocument();
        QCOMPARE(frame.MdiArea()->subWindowList().size(), 1);
        QCOMPARE(frame.DocumentTitle(), std::string("Voyage2"));
        QTRY_COMPARE(frame.windowTitle(), QStringLiteral("Keelmark Lite - [Voyage2]"));
        frame.CloseDocument(false);
        QCOMPARE(frame.windowTitle(), QStringLiteral("Keelmark Lite"));
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
        QCOMPARE(host.fake.files.Requests().size(), std::size_t(1));

        host.fake.prompts.ScriptAnswer(PromptAnswer::No);
        QVERIFY(frame.OnFileNew());
        QCOMPARE(frame.DocumentTitle(), std::string("Voyage2"));

        // Closing the program: Cancel keeps it open, No lets it go and records the path.
        frame.show();
        frame.GetDocument()->SetModifiedFlag();
        host.fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
        QVERIFY(!frame.close());
        QVERIFY(frame.GetDocument());
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
        QVERIFY(frame.OnFileSave());
        const FileChoiceRequest& request = host.fake.files.Requests().back();
        QCOMPARE(request.filter, std::string("Voyage Files (*.k7v)|*.k7v|All Files (*.*)|*.*||"));
        QCOMPARE(request.defaultExtension, std::string("k7v"));
        QCOMPARE(request.defaultName, std::string("Voyage"));
        const std::string saved = host.Path("passage.k7v");
        QVERIFY(QFile::exists(QString::fromStdString(saved)));
        QCOMPARE(frame.GetDocument()->GetPathName(), saved);
        QCOMPARE(frame.GetChildFrame()->windowTitle(), QStringLiteral("passage.k7v"));
        QCOMPARE(frame.RecentFiles(), std::vector<std::string>({saved}));
        QCOMPARE(host.fake.settings.GetString(kRecentFileSection, "File1", ""), saved);

        // A folder that does not exist: reported naming the file, the voyage stays untouched.
        frame.GetDocument()->SetModifiedFlag();
        const std::string nowhere = host.Path("no-such-folder") + "/trip.k7v";
        host.fake.files.ScriptPath(nowhere);
        QVERIFY(!frame.OnFileSaveAs());
        QVERIFY(host.fake.prompts.History().back().text.find(nowhere) != std::string::npos);
        QCOMPARE(frame.GetDocument()->GetPathName(), saved);
        QVERIFY(frame.GetDocument()->IsModified());
        frame.GetDocument()->SetModifiedFlag(false);

        // A damaged file: reported by name, the open voyage stays.
        const std::string damaged = host.Path("damaged.k7v");
        QFile bad(QString::fromStdString(damaged));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a voyage");
        bad.close();
        CKeelmarkLiteDoc* before = frame.GetDocument();
        QVERIFY(!frame.OpenDocumentFile(damaged));
        QCOMPARE(frame.GetDocument(), before);
        QVERIFY(host.fake.prompts.History().back().text.find(damaged) != std::string::npos);

        // A missing file likewise, and it leaves the recent-file list.
        const std::string missing = host.Path("gone.k7v");
        QVERIFY(!frame.OpenDocumentFile(missing));
        QCOMPARE(host.fake.prompts.History().back().text, "Cannot open \"" + missing + "\": No such file or directory");
        QCOMPARE(frame.GetDocument(), before);

        // Open through the file choice: the voyage asks how to go on, and is listed first.
        const std::string other = host.WriteVoyage("atlantic.k7v");
        host.fake.files.ScriptPath(other);
        host.fake.prompts.ScriptChoice(CKeelmarkLiteDoc::kContinue);
        QVERIFY(frame.OnFileOpen());
        QCOMPARE(host.fake.files.Requests().back().filter, std::string(kVoyageFileFilter));
        QCOMPARE(frame.GetDocument()->GetPathName(), other);
        QCOMPARE(host.fake.prompts.History().back().options.size(), std::size_t(3));
        QCOMPARE(frame.RecentFiles(), std::vector<std::string>({other, saved}));
        QMenu* file = TopMenu(frame, "&File");
        QString listed = QString::fromStdString(other);
        if (listed.startsWith(QDir::homePath() + u'/')) listed = "~" + listed.mid(QDir::homePath().size());
        QVERIFY(Entry(file, "&1 " + listed));
        QVERIFY(Entry(file, "&1 " + listed)->isEnabled());

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
        QCOMPARE(frame.RecentFiles(), std::vector<std::string>({"/ships/a.k7v", "/ships/b.k7v"}));
        QCOMPARE(Texts(TopMenu(frame, "&File")).filter("&").filter(".k7v"),
                 QStringList({"&1 /ships/a.k7v", "&2 /ships/b.k7v"}));
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
        // Untitled: saved first.
        host.fake.files.ScriptPath(host.Path("report"));
        frame.OnFileSend();
        qputenv("PATH", path);
        QCOMPARE(frame.GetDocument()->GetPathName(), host.Path("report.k7v"));
        QCOMPARE(host.fake.prompts.Texts(),
                 std::vector<std::string>({"Cannot send \"" + host.Path("report.k7v") +
                                           "\": no mail program is available (xdg-email was not found)."}));

        // Cancelling the file choice of an untitled voyage sends nothing and says nothing.
        frame.NewDocument();
        host.fake.prompts.Clear();
        frame.OnFileSend();
        QVERIFY(host.fake.prompts.History().empty());
    }
};

QTEST_MAIN(FrameCommandsTest)
#include "frame_commands_test.moc"
