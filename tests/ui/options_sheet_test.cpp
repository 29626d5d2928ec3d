#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <string>

#include "app/options.h"
#include "app/ui/main_frame.h"
#include "app/ui/options_sheet.h"
#include "platform/fake/fake_services.h"
#include "ui/modal_helper.h"

namespace {

const std::string kSection = kSettingsSection;

QStringList CheckBoxTexts(QWidget* page) {
    QStringList texts;
    for (QCheckBox* box : page->findChildren<QCheckBox*>())
        texts << box->text();
    return texts;
}

QCheckBox* Switch(CSheetOptions* sheet, const char* key) { return sheet->findChild<QCheckBox*>(key); }

void PressOk(QDialog* dialog) { dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

} // namespace

class OptionsSheetTest : public QObject {
    Q_OBJECT

private slots:
    void pagesCaptionsAndDefaults() {
        CFakeServices fake;
        CSheetOptions sheet;
        sheet.SetOptions(COptions::Load());
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Options"));
        QStringList tabs;
        for (int i = 0; i < sheet.Tabs()->count(); ++i)
            tabs << sheet.Tabs()->tabText(i);
        QCOMPARE(tabs, QStringList({"Path", "Alarms", "Logging", "Navigation", "Datacom"}));

        // Path page: defaults written with '/', each with its Browse button.
        QStringList labels;
        for (QLabel* label : sheet.PathPage()->findChildren<QLabel*>())
            labels << label->text();
        QCOMPARE(
            labels,
            QStringList({"Almanac.dat datafile:", "Vessel.k7s datafile:", "Hurricane.dat datafile:", "Log file:"}));
        QCOMPARE(sheet.PathPage()->AlmanacEdit()->text(), QStringLiteral("./almanac.dat"));
        QCOMPARE(sheet.PathPage()->VesselEdit()->text(), QStringLiteral("./vessel.k7s"));
        QCOMPARE(sheet.PathPage()->HurricaneEdit()->text(), QStringLiteral("./hurricane.dat"));
        QCOMPARE(sheet.PathPage()->LoggingEdit()->text(), QStringLiteral("./logging.txt"));
        QCOMPARE(sheet.PathPage()->findChildren<QPushButton*>().size(), 4);
        for (QPushButton* b : sheet.PathPage()->findChildren<QPushButton*>())
            QCOMPARE(b->text(), QStringLiteral("Browse"));

        QCOMPARE(sheet.AlarmPage()->findChild<QGroupBox*>()->title(), QStringLiteral("Show warning message:"));
        QCOMPARE(CheckBoxTexts(sheet.AlarmPage()),
                 QStringList({"6 minutes before reaching a waypoint", "when passing a waypoint",
                              "when true course differs more than 10 degrees from steered course",
                              "when true speed is more than 2 knots below required speed",
                              "when DR-position has not been updated for more than 6 hours"}));
        QCOMPARE(sheet.LoggingPage()->findChild<QGroupBox*>()->title(), QStringLiteral("Write a logfile entry when:"));
        QCOMPARE(
            CheckBoxTexts(sheet.LoggingPage()),
            QStringList({"Updating the position (GPS, Radar, Astro, etc)", "Changing course and/or speed",
                         "Passing a waypoint", "Updating the Meteorological information (windspeed, etc)",
                         "Updating Hurricane information", "Completing a checklist", "Sending or printing a report"}));
        QCOMPARE(CheckBoxTexts(sheet.NavPage()),
                 QStringList({"When passing a waypoint automatically select next waypoint",
                              "When passing a waypoint, automatically change course to next waypoint.",
                              "Incorporate time to reduce enginerevs into ETA and speed calculations.",
                              "Automatically set speed to zero when destination is reached."}));
        for (QCheckBox* box : sheet.findChildren<QCheckBox*>())
            QVERIFY2(box->isChecked(), qPrintable(box->text()));
        QCOMPARE(sheet.findChildren<QCheckBox*>().size(), 16);

        QCOMPARE(sheet.DatacomPage()->findChild<QGroupBox*>()->title(), QStringLiteral("Datacom System:"));
        QStringList systems;
        for (QAbstractButton* b : sheet.DatacomPage()->SystemGroup()->buttons())
            systems << b->text();
        QCOMPARE(systems, QStringList({"Connect2 ", "STSWin32", "Save to ASCII textfile"}));
        QCOMPARE(sheet.DatacomPage()->SystemGroup()->checkedId(), 1);
        QCOMPARE(sheet.DatacomPage()->OutboxEdit()->text(), QStringLiteral("."));
        QCOMPARE(sheet.DatacomPage()->InboxEdit()->text(), QStringLiteral("."));
        QStringList datacomLabels;
        for (QLabel* label : sheet.DatacomPage()->findChildren<QLabel*>())
            datacomLabels << label->text();
        QCOMPARE(datacomLabels, QStringList({"Path to Outbox:", "Path to Inbox:"}));
    }

    void okWritesEveryKeyBackAndAsksForARestart() {
        CFakeServices fake;
        fake.settings.SetInt(kSection, "dralarm", 5); // on, but not as a switch is stored
        fake.settings.SetInt(kSection, "logwp", 0);
        fake.settings.SetString(kSection, "almanac", ".\\almanac.dat");
        CMainFrame frame;
        OnNextModal<CSheetOptions>([](CSheetOptions* sheet) {
            QVERIFY(Switch(sheet, "dralarm")->isChecked());
            QVERIFY(!Switch(sheet, "logwp")->isChecked());
            Switch(sheet, "navreduce")->setChecked(false);
            Switch(sheet, "logwp")->setChecked(true);
            sheet->PathPage()->LoggingEdit()->setText("/var/log/bridge.txt");
            sheet->DatacomPage()->findChild<QRadioButton*>("datasys2")->click();
            sheet->DatacomPage()->OutboxEdit()->setText("/srv/outbox");
            PressOk(sheet);
        });
        frame.OptionsAction()->trigger();

        QCOMPARE(fake.prompts.Texts(),
                 std::vector<std::string>({"You need to restart the application to make changes to options valid!"}));
        QCOMPARE(fake.settings.GetInt(kSection, "dralarm", -1), 1); // normalised
        QCOMPARE(fake.settings.GetInt(kSection, "navreduce", -1), 0);
        QCOMPARE(fake.settings.GetInt(kSection, "logwp", -1), 1);
        QCOMPARE(fake.settings.GetInt(kSection, "datasys", -1), 2);
        QCOMPARE(fake.settings.GetString(kSection, "logging", ""), std::string("/var/log/bridge.txt"));
        QCOMPARE(fake.settings.GetString(kSection, "outbox", ""), std::string("/srv/outbox"));
        QCOMPARE(fake.settings.GetString(kSection, "almanac", ""), std::string(".\\almanac.dat")); // kept as written
        QCOMPARE(fake.settings.GetString(kSection, "hurri", ""), std::string("./hurricane.dat"));
        QCOMPARE(fake.settings.GetString(kSection, "inbox", ""), std::string("."));
        for (const COptionSwitch& s : kOptionSwitches)
            QVERIFY2(fake.settings.Contains(kSection, s.key), s.key);
    }

    void cancelWritesNothing() {
        CFakeServices fake;
        CMainFrame frame;
        OnNextModal<CSheetOptions>([](CSheetOptions* sheet) {
            Switch(sheet, "wpalarm")->setChecked(false);
            sheet->reject();
        });
        frame.OptionsAction()->trigger();
        QVERIFY(fake.prompts.History().empty());
        QVERIFY(fake.settings.Values().empty());
    }

    void browseFillsOnlyItsOwnField() {
        CFakeServices fake;
        CSheetOptions sheet;
        sheet.SetOptions(COptions::Load());
        sheet.PathPage()->VesselEdit()->setText("/typed/but/not/confirmed.k7s");

        const struct {
            const char* button;
            const char* extension;
            const char* name;
            const char* filter;
            QLineEdit* edit;
        } browses[] = {
            {"almanacBrowse", "dat", "Almanac", "Almanac Data (*.dat)|*.dat|All Files (*.*)|*.*||",
             sheet.PathPage()->AlmanacEdit()},
            {"hurriBrowse", "dat", "Hurricane", "Hurricane Data (*.dat)|*.dat|All Files (*.*)|*.*||",
             sheet.PathPage()->HurricaneEdit()},
            {"loggingBrowse", "txt", "Logging", "Logging Data (*.txt)|*.txt|All Files (*.*)|*.*||",
             sheet.PathPage()->LoggingEdit()},
            {"vesseldataBrowse", "k7s", "Vessel", "Vessel Data (*.k7s)|*.k7s|All Files (*.*)|*.*||",
             sheet.PathPage()->VesselEdit()},
        };
        int n = 0;
        for (const auto& b : browses) {
            const std::string chosen = "/data/chosen" + std::to_string(++n);
            if (std::string(b.button) != "vesseldataBrowse") fake.files.ScriptPath(chosen);
            sheet.findChild<QPushButton*>(b.button)->click();
            const FileChoiceRequest& request = fake.files.Requests().back();
            QCOMPARE(request.defaultExtension, std::string(b.extension));
            QCOMPARE(request.defaultName, std::string(b.name));
            QCOMPARE(request.filter, std::string(b.filter));
            if (std::string(b.button) != "vesseldataBrowse") QCOMPARE(b.edit->text().toStdString(), chosen);
        }
        // Cancelled: the field keeps what was typed, and so did the others all along.
        QCOMPARE(sheet.PathPage()->VesselEdit()->text(), QStringLiteral("/typed/but/not/confirmed.k7s"));
        QCOMPARE(sheet.GetOptions().vesselData, std::string("/typed/but/not/confirmed.k7s"));
    }

    void refusedSettingsAreReportedInsteadOfTheRestartMessage() {
        CFakeServices fake;
        struct CReadOnly : CMemorySettingsStore {
            bool SetString(const std::string&, const std::string&, const std::string&) override { return false; }
            bool SetInt(const std::string&, const std::string&, int) override { return false; }
            std::string LastError() const override { return "Cannot write the settings file /ro/x.conf."; }
        } readOnly;
        services::Scoped scope({&fake.clock, &readOnly, &fake.prompts, &fake.files});
        CMainFrame frame;
        OnNextModal<CSheetOptions>([](CSheetOptions* sheet) { PressOk(sheet); });
        frame.OptionsAction()->trigger();
        QCOMPARE(fake.prompts.Texts(), std::vector<std::string>({"The option \"almanac\" could not be saved.\n"
                                                                 "Cannot write the settings file /ro/x.conf."}));
        QCOMPARE(fake.prompts.History()[0].icon, PromptIcon::Warning);
    }
};

QTEST_MAIN(OptionsSheetTest)
#include "options_sheet_test.moc"
