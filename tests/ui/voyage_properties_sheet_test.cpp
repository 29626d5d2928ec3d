#include <QApplication>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

#include <vector>

#include "document/ui/position_sheet.h"
#include "document/ui/route_commands.h"
#include "document/ui/voyage_properties_sheet.h"
#include "ui/modal_helper.h"
#include "ui/route_test_voyage.h"

namespace {

QStringList Tabs(const QTabWidget* tabs) {
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    return captions;
}

} // namespace

class VoyagePropertiesSheetTest : public QObject {
    Q_OBJECT

private slots:
    void pagesShowTheVoyage() {
        RouteTestVoyage voyage;
        voyage.fake.clock.SetLocalOffset(2 * 3600);
        CVoyage& v = voyage.doc->GetVoyage();
        v.SetTexts("Channel crossing", "Feeder", "V12");
        v.SetStartTime(CTime::FromUtc(2026, 3, 9, 22, 30, 5));
        v.SetEndTime(CTime::FromUtc(2026, 3, 12, 6, 0, 0));

        CSheetVoyageProperties sheet(*voyage.doc);
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Voyage Properties"));
        QCOMPARE(Tabs(sheet.Tabs()), QStringList({"Route", "Particulars", "Times"}));

        CPageRoute* route = sheet.RoutePage();
        QCOMPARE(route->DescriptionEdit()->text(), QStringLiteral("Channel crossing"));
        QCOMPARE(route->DepartureField()->text(), QStringLiteral("Departure"));
        QCOMPARE(route->DestinationField()->text(), QStringLiteral("Arrival"));
        QVERIFY(route->DepartureField()->isReadOnly());
        QCOMPARE(route->DepartureEditButton()->text(), QStringLiteral("Edit"));
        for (const char* label :
             {"Description:", "Departure Port:", "Destination Port:",
              "Note: Departure and Destination equal first and last waypoint of route. For more details on Destination "
              "Port, please select 'Destination' from Voyage menu."})
            QVERIFY2(LabelTexts(route).contains(QString::fromLatin1(label)), label);

        CPageVoyageParticulars* particulars = sheet.ParticularsPage();
        QCOMPARE(particulars->ServiceEdit()->text(), QStringLiteral("Feeder"));
        QCOMPARE(particulars->VoyageNumberEdit()->text(), QStringLiteral("V12"));
        QCOMPARE(LabelTexts(particulars), QStringList({"Service:", "Voyage Number:"}));

        CPageVoyageTimes* times = sheet.TimesPage();
        QCOMPARE(times->BeginPicker()->displayFormat(), QStringLiteral("dddd d MMM yyyy  HH:mm:s"));
        QCOMPARE(times->BeginPicker()->text(), QStringLiteral("Tuesday 10 Mar 2026  00:30:5"));
        QCOMPARE(times->EndPicker()->text(), QStringLiteral("Thursday 12 Mar 2026  08:00:0"));
        const QStringList texts = LabelTexts(times);
        QCOMPARE(texts.count(QStringLiteral("Local Time")), 2);
        for (const char* label :
             {"Begin Sea Voyage (BSV):", "End Sea Voyage (ESV):",
              "Note: to calculate required speed the ETA at pilotstation is used, to change the ETA "
              "select menuoption 'voyage'/ 'destination'."})
            QVERIFY2(texts.contains(QString::fromLatin1(label)), label);
    }

    void okStoresTextsAndTimes() {
        RouteTestVoyage voyage;
        voyage.fake.clock.SetLocalOffset(2 * 3600);
        CVoyage& v = voyage.doc->GetVoyage();
        v.SetStartTime(CTime::FromUtc(2026, 3, 9, 22, 30, 0));
        const CTime departureTime = v.GetFirst()->GetTime();
        std::vector<bool> suspensions;
        bool suspendedMeanwhile = false;
        OnNextModal<CSheetVoyageProperties>([&](CSheetVoyageProperties* sheet) {
            suspendedMeanwhile = suspensions == std::vector<bool>{true};
            sheet->RoutePage()->DescriptionEdit()->setText(QStringLiteral("Return"));
            sheet->ParticularsPage()->ServiceEdit()->setText(QStringLiteral("Liner"));
            sheet->ParticularsPage()->VoyageNumberEdit()->setText(QStringLiteral("V13"));
            sheet->Tabs()->setCurrentIndex(2);
            QDateTimeEdit* begin = sheet->TimesPage()->BeginPicker();
            begin->setFocus();
            begin->setSelectedSection(QDateTimeEdit::HourSection);
            QTest::keyClicks(begin, "06");
            ButtonNamed(sheet, "OK")->click();
        });
        QVERIFY(ExecuteRouteCommand(Command::VoyageProperties, *voyage.doc, nullptr,
                                    [&](bool on) { suspensions.push_back(on); }));
        QVERIFY(suspendedMeanwhile);
        QCOMPARE(suspensions, (std::vector<bool>{true, false}));
        QCOMPARE(v.GetDescription(), std::string("Return"));
        QCOMPARE(v.GetService(), std::string("Liner"));
        QCOMPARE(v.GetVoyageNumber(), std::string("V13"));
        // Typed 06:30 local time on 10 March, two hours ahead of UTC.
        QCOMPARE(v.GetStartTime(), CTime::FromUtc(2026, 3, 10, 4, 30, 0));
        QCOMPARE(v.GetFirst()->GetTime(), departureTime);
        QVERIFY(voyage.doc->IsModified());
    }

    void cancelKeepsTheTextsButNotAnEditedEnd() {
        RouteTestVoyage voyage;
        voyage.doc->GetVoyage().SetTexts("Before", "", "");
        QString caption, shownAfterEdit;
        OnNextModal<CSheetVoyageProperties>([&](CSheetVoyageProperties* sheet) {
            sheet->RoutePage()->DescriptionEdit()->setText(QStringLiteral("Thrown away"));
            OnNextModal<CSheetPosition>([&](CSheetPosition* position) {
                caption = position->windowTitle();
                position->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Brest"));
                ButtonNamed(position, "OK")->click();
            });
            sheet->RoutePage()->DestinationEditButton()->click();
            shownAfterEdit = sheet->RoutePage()->DestinationField()->text();
            ButtonNamed(sheet, "Cancel")->click();
        });
        ExecuteRouteCommand(Command::VoyageProperties, *voyage.doc, nullptr, {});
        QCOMPARE(caption, QStringLiteral("Destination Point"));
        QCOMPARE(shownAfterEdit, QStringLiteral("Brest"));
        QCOMPARE(voyage.doc->GetVoyage().GetLast()->GetName(), std::string("Brest"));
        QCOMPARE(voyage.doc->GetVoyage().GetDescription(), std::string("Before"));
        QVERIFY2(voyage.doc->IsModified(), "the destination was changed");

        OnNextModal<CSheetVoyageProperties>([&](CSheetVoyageProperties* sheet) {
            OnNextModal<CSheetPosition>([&](CSheetPosition* position) {
                caption = position->windowTitle();
                ButtonNamed(position, "Cancel")->click();
            });
            sheet->RoutePage()->DepartureEditButton()->click();
            ButtonNamed(sheet, "Cancel")->click();
        });
        ExecuteRouteCommand(Command::VoyageProperties, *voyage.doc, nullptr, {});
        QCOMPARE(caption, QStringLiteral("Departure Point"));
    }
};

QTEST_MAIN(VoyagePropertiesSheetTest)
#include "voyage_properties_sheet_test.moc"
