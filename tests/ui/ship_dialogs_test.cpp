// Ship and port: the vessel and port sheets, the address dialog, the
// checklist window, and vessel and port files through the menu.
#include <QCheckBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <fstream>
#include <iomanip>
#include <sstream>

#include "app/ui/dashboard_view.h"
#include "core/record_file.h"
#include "lists/ui/address_dialog.h"
#include "lists/ui/checklist_dialog.h"
#include "particulars/ui/port_sheet.h"
#include "particulars/ui/vessel_sheet.h"
#include "reports/report.h"
#include "ui/qt_test_support.h"

namespace {

// Figures as one line, so one comparison shows every field that differs.
template <class... T> QString Row(const T&... values) {
    std::ostringstream line;
    line << std::fixed << std::setprecision(2);
    ((line << values << '|'), ...);
    const std::string text = line.str();
    return QString::fromStdString(text.substr(0, text.size() - 1));
}

struct Ship : CQtTestVoyage {
    CKeelmarkLiteView view;
    Ship() : view(*doc) {
        // Every stored field distinct, so a field copied into the wrong place shows.
        CVessel& v = Vessel();
        double* numbers[] = {&v.m_lengthBetweenPerpendiculars,
                             &v.m_lengthOverAll,
                             &v.m_breadth,
                             &v.m_eyeHeight,
                             &v.m_maximumDraft,
                             &v.m_summerDisplacement,
                             &v.m_summerDeadweight,
                             &v.m_internationalGross,
                             &v.m_internationalNett,
                             &v.m_suezGross,
                             &v.m_suezNett,
                             &v.m_panamaGross,
                             &v.m_panamaNett,
                             &v.m_draftCenter,
                             &v.m_presentDisplacement,
                             &v.m_manoeuvringPower,
                             &v.m_seaSpeedPower,
                             &v.m_minutesPerRpm,
                             &v.m_propellerPitch,
                             &v.m_propellerDiameter,
                             &v.m_presentGM};
        double value = 101.25;
        for (double* n : numbers)
            *n = value += 3.5;
        v.m_draftForward = 8.0;
        v.m_draftAft = 9.0;
        v.m_mastHeight = 45.0;
        v.m_numberOfEngines = 2;
        v.m_propellerType = 1;
        v.m_shaftGenerator = true;
        v.m_callSign = "PDXY";
        CPort& p = Port();
        p.m_maximumDraft = 12.0;
        p.m_maximumAirDraft = 40.0;
        p.m_salinity = 1025;
        p.m_etb = kNow + 86400;
        p.m_agent.m_radioChannel = "72";
        p.m_pilot.m_radioChannel = "9";
        p.m_portControl.m_radioChannel = "14";
        p.m_callUnit = CPort::kCallMiles;
        p.m_ladderSide = CPort::kLadderStarboard;
    }
    template <typename T> void Run(Command command, std::function<void(T*)> act) { RunDialog<T>(view, command, act); }
    CVessel& Vessel() { return doc->GetVessel(); }
    CPort& Port() { return doc->GetPort(); }
    CPosition& Destination() { return *doc->GetVoyage().GetLast(); }
};

QStringList Draft(const CSheetPort* s) {
    QStringList texts;
    for (const char* name : {"arrivalForwardField", "arrivalAftField", "arrivalAirDraftField", "draftClearanceField",
                             "airDraftClearanceField"})
        texts << Field(*s, name);
    return texts;
}

} // namespace

class ShipDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void vesselSheetKeepsEveryFieldNamesTheShipAndRefusesNoNumber() {
        Ship s;
        const CVessel before = s.Vessel();
        QStringList tabs;
        s.Run<CSheetVessel>(Command::VesselProperties, [&](CSheetVessel* sheet) {
            for (int i = 0; i < sheet->Tabs()->count(); ++i)
                tabs << sheet->Tabs()->tabText(i);
            Press(sheet, "OK");
        });
        QCOMPARE(tabs, QStringList({"General", "Dimensions", "Tonnage", "Draft", "Engine"}));
        QVERIFY(s.Vessel() == before);
        QVERIFY(s.doc->IsModified());

        QString refusal;
        s.Run<CSheetVessel>(Command::VesselProperties, [&](CSheetVessel* sheet) {
            sheet->findChild<QLineEdit*>("nameEdit")->setText("Keel Mark");
            sheet->findChild<QCheckBox*>("shaftGeneratorCheck")->setChecked(false);
            refusal = s.Refusal(sheet, sheet->findChild<QLineEdit*>("breadthEdit"), "wide");
            sheet->findChild<QLineEdit*>("breadthEdit")->setText("32.2");
            Press(sheet, "OK");
        });
        QCOMPARE(refusal, QStringLiteral("Please enter a number between 0 and 1000000."));
        QCOMPARE(Row(s.Vessel().m_name, s.Vessel().m_breadth, s.Vessel().m_shaftGenerator),
                 QStringLiteral("Keel Mark|32.20|0"));
    }

    void portSheetCorrectsDraftsKeepsFieldsAndCallsTheAgentOn16() {
        Ship s;
        CPort expected = s.Port();
        expected.m_agent.m_radioChannel = "16";
        const CPosition destination = s.Destination();
        const std::string report = s.Path("arrival.k7r"), notReport = s.Path("notes.k7r");
        CReport r;
        std::string error;
        QVERIFY(SaveRecordFile(report, r, error));
        std::ofstream(notReport) << "x";
        s.fake.files.ScriptPath(notReport);
        s.fake.files.ScriptPath(report);
        QStringList tabs, drafts, texts;
        s.Run<CSheetPort>(Command::Destination, [&](CSheetPort* sheet) {
            for (int i = 0; i < sheet->Tabs()->count(); ++i)
                tabs << sheet->Tabs()->tabText(i);
            drafts << Draft(sheet);
            sheet->DraftPage()->SalinitySpin()->setValue(1000);
            drafts << Draft(sheet);
            sheet->DraftPage()->SalinitySpin()->setValue(1025);
            texts << s.Refusal(sheet, sheet->VtisPage()->ReportField(), Q(s.Path("nowhere.k7r"))).left(26);
            sheet->VtisPage()->ReportField()->clear();
            auto* browse = sheet->findChild<QPushButton*>("browseButton");
            browse->click();
            texts << sheet->VtisPage()->ReportField()->text();
            browse->click();
            texts << sheet->VtisPage()->ReportField()->text();
            Press(sheet, "OK");
        });
        QCOMPARE(tabs, QStringList({"Position", "Schedule", "Draft", "Agent", "Pilot", "Port Control / VTIS", "Astro",
                                    "Local Times"}));
        QCOMPARE(drafts, QStringList({"8", "9", "36.5", "3", "3.5", "8.2", "9.22", "36.28", "2.77", "3.71"}));
        QCOMPARE(texts, QStringList({"This is not a report file:", "", Q(report)}));
        QCOMPARE(s.Count("This is not a report file:"), 2); // typed, then browsed
        QVERIFY(s.Port() == expected);
        const CPosition& after = s.Destination();
        QCOMPARE(Row(after.GetName(), after.GetLatitude(), after.GetLongitude(), after.GetTime().GetTime(),
                     after.GetZoneOffset()),
                 Row(destination.GetName(), destination.GetLatitude(), destination.GetLongitude(),
                     destination.GetTime().GetTime(), destination.GetZoneOffset()));
        QCOMPARE(s.fake.settings.GetString(kSettingsSection, CPort::kStandardReportSetting, ""), report);
        QVERIFY(s.doc->IsModified());
    }

    void addressDialogNeverTouchesTheRadioChannel() {
        Ship s;
        for (const char* button : {"OK", "Cancel"}) {
            s.doc->SetModifiedFlag(false);
            s.Run<CDialogAddress>(Command::AddressPilot, [&](CDialogAddress* d) {
                QCOMPARE(d->windowTitle(), QStringLiteral("Address Info"));
                d->findChild<QLineEdit*>("nameEdit")->setText(button);
                d->findChild<QLineEdit*>("phoneEdit")->setText("+31 10 252");
                Press(d, button);
            });
            QVERIFY(s.doc->IsModified()); // whichever button closed it
        }
        const CAddress& a = s.Port().m_pilot;
        QCOMPARE(Row(a.m_name, a.m_phone, a.m_radioChannel, a.m_city), QStringLiteral("OK|+31 10 252|9|Somewhere"));
    }

    void vesselAndPortFilesRoundTripThroughTheMenu() {
        Ship s;
        const CVessel vessel = s.Vessel();
        const CPort port = s.Port();
        const CPosition destination = s.Destination();
        for (const char* name : {"ship.k7s", "dest.k7p"})
            s.fake.files.ScriptPath(s.Path(name));
        s.view.Execute(Command::ExportVessel);
        s.view.Execute(Command::ExportPort);
        s.Vessel() = CVessel();
        s.Vessel().m_shaftGenerator = true;
        s.Port() = CPort();
        for (const char* name : {"ship.k7s", "dest.k7p"})
            s.fake.files.ScriptPath(s.Path(name));
        s.view.Execute(Command::ImportVessel);
        s.view.Execute(Command::ImportPort);
        QVERIFY(s.Vessel() == vessel);
        QVERIFY(s.Port() == port);
        QCOMPARE(s.Destination().GetName(), destination.GetName());
        QVERIFY(!s.doc->IsModified());
        QVERIFY(s.fake.prompts.History().empty());
    }

    void checklistWindowTicksLogsAndAsksForASelection() {
        Ship s;
        s.doc->GetVoyage().SetSpeed(10.0);
        CChecklist& c = s.Vessel().GetChecklist();
        c.AddItem(CChecklist::kOpen, 0, CChecklist::kPostDeparture, "Sea watches set", CQtTestVoyage::kNow);
        QStringList refusals, icons;
        int validity = -1;
        s.Run<CDialogChecklist>(Command::Checklists, [&](CDialogChecklist* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("CheckList"));
            OnNextModal<CDialogChecklistItem>([&](CDialogChecklistItem* item) {
                refusals << s.Refusal(item, item->TextEdit(), " ");
                item->TextEdit()->setText("Gyro checked");
                item->KindButton(CChecklist::kPostDeparture)->click();
                item->ValidCheck()->setChecked(true);
                refusals << s.Refusal(item, item->HoursEdit(), "0");
                item->HoursEdit()->setText("4");
                Press(item, "OK");
            });
            d->findChild<QPushButton*>("addButton")->click();
            QTreeWidget* list = d->List();
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                               list->visualItemRect(list->topLevelItem(1)).center());
            s.fake.prompts.Clear();
            d->List()->clearSelection();
            d->findChild<QPushButton*>("editButton")->click();
            d->TickRow(-1);
            refusals << s.Prompts();
            d->close(); // not OK: what was ticked still marks the voyage
        });
        validity = c.GetItems()[1].m_validity;
        QCOMPARE(refusals, QStringList({kChecklistItemEmpty, "Please enter an integer between 1 and 87600.",
                                        "Please select item first!", "Please select item first!"}));
        QCOMPARE(Row(c.GetCount(), c.GetStatus(0), c.GetStatus(1), validity), QStringLiteral("2|0|1|4"));
        QCOMPARE(s.Log(), s.LogLine("Gyro checked"));
        QVERIFY(s.doc->IsModified());
    }
};

QTEST_MAIN(ShipDialogsTest)
#include "ship_dialogs_test.moc"
