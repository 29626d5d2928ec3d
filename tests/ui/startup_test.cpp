#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <string>

#include "app/demo_voyage.h"
#include "app/ui/dashboard_view.h"
#include "app/ui/keelmark_lite_app.h"
#include "app/ui/main_frame.h"
#include "app/ui/program.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"
#include "support/test_host.h"
#include "platform/qt/qt_prompts.h"
#include "ui/modal_helper.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 7, 2, 3, 15, 41);
const std::string kSection = kSettingsSection;

struct Host : CTestHost {
    Host() : CTestHost(kNow) {}
    std::string WriteVoyage(const char* name) { return WriteDemoVoyage(name); }
};

// The choice after loading shown as the real dialog; everything else scripted.
class CRealChoicePrompts : public CFakePrompts {
public:
    int Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& options,
               int defaultIndex) override {
        CFakePrompts::Choose(caption, text, options, defaultIndex);
        return m_qt.Choose(caption, text, options, defaultIndex);
    }

private:
    CQtPrompts m_qt;
};

} // namespace

class StartupTest : public QObject {
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

    void emptyDatafileKeepsAnUntitledVoyage() {
        Host host;
        host.KeepSideFilesHere();
        host.fake.settings.SetString(kSection, "datafile", "");
        CMainFrame frame;
        OpenLastVoyage(frame);
        QVERIFY(frame.GetDocument());
        QCOMPARE(frame.GetDocument()->GetPathName(), std::string());
        QCOMPARE(frame.DocumentTitle(), std::string("Voyage1"));
        QCOMPARE(host.Count("could not be opened"), 0);
        QCOMPARE(host.Count("Cannot open"), 0);

        // A voyage the command line opened stays open too.
        const std::string named = host.WriteVoyage("named.k7v");
        QVERIFY(frame.OpenDocumentFile(named));
        OpenLastVoyage(frame);
        QCOMPARE(frame.GetDocument()->GetPathName(), named);
    }

    void missingDatafileIsReportedByNameAndANewVoyageStarts() {
        Host host;
        host.KeepSideFilesHere();
        const std::string gone = host.Path("gone.k7v");
        host.fake.settings.SetString(kSection, "datafile", gone);
        CMainFrame frame;
        OpenLastVoyage(frame);
        QCOMPARE(host.Count("The last voyage could not be opened:\nCannot open \"" + gone +
                            "\": No such file or directory\nA new voyage is started instead."),
                 1);
        QVERIFY(frame.GetDocument());
        QCOMPARE(frame.GetDocument()->GetPathName(), std::string());
        QVERIFY(frame.GetView());

        // An older installation's path with '\' is found all the same.
        const std::string saved = host.WriteVoyage("last.k7v");
        std::string windowsStyle = saved;
        for (char& c : windowsStyle)
            if (c == '/') c = '\\';
        host.fake.settings.SetString(kSection, "datafile", windowsStyle);
        OpenLastVoyage(frame);
        QCOMPARE(frame.GetDocument()->GetPathName(), saved);
    }

    void datafileReplacesTheCommandLineVoyage() {
        Host host;
        host.KeepSideFilesHere();
        const std::string commandLine = host.WriteVoyage("command-line.k7v");
        const std::string last = host.WriteVoyage("last.k7v");
        host.fake.settings.SetString(kSection, "datafile", last);
        CMainFrame frame;
        QVERIFY(frame.OpenDocumentFile(commandLine));
        OpenLastVoyage(frame);
        QCOMPARE(frame.GetDocument()->GetPathName(), last);
        int choices = 0;
        for (const auto& s : host.fake.prompts.History())
            choices += s.options.size() == 3;
        QCOMPARE(choices, 2); // asked for each load
        // The voyage open at the end is the one recorded for the next start.
        frame.CloseDocument(false);
        QCOMPARE(host.fake.settings.GetString(kSection, "datafile", ""), last);
    }

    void afterLoadingRouteIsAskedWithItsExactTexts() {
        Host host;
        host.KeepSideFilesHere();
        CRealChoicePrompts prompts;
        services::Scoped scope({&host.fake.clock, &host.fake.settings, &prompts, &host.fake.files});
        const std::string path = host.WriteVoyage("voyage.k7v");
        CMainFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        QString title;
        QStringList options;
        bool firstChecked = false;
        QStringList buttons;
        OnNextModal<QDialog>([&](QDialog* dialog) {
            title = dialog->windowTitle();
            const QList<QRadioButton*> radios = dialog->findChildren<QRadioButton*>();
            for (QRadioButton* r : radios)
                options << r->text();
            firstChecked = !radios.isEmpty() && radios.front()->isChecked();
            for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons())
                buttons << b->text();
            radios.at(2)->click();
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(frame.OpenDocumentFile(path));
        QCOMPARE(title, QStringLiteral("After loading route..."));
        QCOMPARE(options, QStringList({"Continue from latest position fix", "Reset present position to departure port",
                                       "Reset to departure port and wipe route (delete all old position fixes)"}));
        QVERIFY(firstChecked);
        QCOMPARE(buttons.size(), 2);
        // The third choice wiped the fixes.
        CVoyage& voyage = frame.GetDocument()->GetVoyage();
        for (int i = 0; i < voyage.GetCount(); ++i)
            QCOMPARE(voyage.GetAt(i)->GetKind(), CPosition::kWaypoint);
    }

    void firstStartWritesTheDemoVoyageOnce() {
        Host host;
        host.KeepSideFilesHere();
        QTemporaryDir folder;
        const QString voyage = folder.filePath("voyage.k7v");
        QVERIFY(CreateDemoVoyageOnFirstStart(folder.path()));
        QVERIFY(QFileInfo::exists(voyage));
        QVERIFY(QFileInfo::exists(QString::fromStdString(host.Path("vessel.k7s")))); // saved beside it
        const QDateTime written = QFileInfo(voyage).lastModified();
        QVERIFY(!CreateDemoVoyageOnFirstStart(folder.path())); // the file is there
        QCOMPARE(QFileInfo(voyage).lastModified(), written);

        // Not a first start where the user's vessel file is already: it is not overwritten.
        QTemporaryDir other;
        const QString vessel = QString::fromStdString(host.Path("vessel.k7s"));
        QFile::remove(vessel);
        QVERIFY(QFile::remove(QString::fromStdString(host.Path("hurricane.dat"))));
        QFile own(vessel);
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("the user's vessel");
        own.close();
        QVERIFY(!CreateDemoVoyageOnFirstStart(other.path()));
        QVERIFY(!QFileInfo::exists(other.filePath("voyage.k7v")));
        QCOMPARE(QFileInfo(vessel).size(), qint64(17));

        // Nor once a voyage was recorded, even an unsaved one.
        QFile::remove(vessel);
        host.fake.settings.SetString(kSection, "datafile", "");
        QVERIFY(!CreateDemoVoyageOnFirstStart(other.path()));
        QVERIFY(!QFileInfo::exists(other.filePath("voyage.k7v")));
    }

    void shippedFilesArePutInPlaceWhenTheyExist() {
        Host host;
        QTemporaryDir folder;
        const QString target = folder.filePath("almanac.dat");
        QVERIFY(InstallShippedFile(":/data/no-such-file.dat", target));
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(host.fake.prompts.History().empty());

        InitResources();
        QVERIFY(InstallShippedFile(":/tips/tips.txt", target));
        QVERIFY(QFileInfo::exists(target));
        QVERIFY(QFileInfo(target).isWritable());
        QFile own(target);
        QVERIFY(own.open(QIODevice::WriteOnly | QIODevice::Truncate));
        own.write("the user's own");
        own.close();
        QVERIFY(InstallShippedFile(":/tips/tips.txt", target)); // never over the user's file
        QCOMPARE(QFileInfo(target).size(), qint64(14));
    }

    void wholeStartOpensTheDemoVoyageFromTheDataFolder() {
        Host host; // an empty store: the very first start
        CKeelmarkLiteApp keelmark;
        CStartup startup;
        startup.tipOfTheDay = false;
        QVERIFY(keelmark.InitInstance(startup));

        const QString folder = m_dataHome.filePath("Tessmoor Works/Keelmark Lite");
        QCOMPARE(QDir::currentPath(), QDir(folder).absolutePath());
        CMainFrame* frame = keelmark.MainFrame();
        QVERIFY(frame->isVisible());
        QVERIFY(frame->GetDocument());
        QCOMPARE(QString::fromStdString(frame->GetDocument()->GetPathName()), QDir(folder).filePath("voyage.k7v"));
        QCOMPARE(frame->GetDocument()->GetVessel().m_name, std::string("Keelmark Pioneer"));
        // Only the almanac (not shipped yet) is missing; the vessel and cyclone files were written with the voyage.
        QCOMPARE(host.fake.prompts.Texts(),
                 std::vector<std::string>(
                     {"Oops, can't open the almanac\nWe have to do without it..", "After loading route...\n"}));
        QTRY_VERIFY(frame->GetView()->isVisible());
        QVERIFY(!frame->GetView()->IsSuspended()); // the schedule lies ahead: the dashboard runs
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
