#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QtTest>

#include <vector>

#include "app/ui/dashboard_view.h"
#include "core/ui/coordinate_edit.h"
#include "document/route_editing.h"
#include "document/ui/position_sheet.h"
#include "document/ui/reference_position_dialog.h"
#include "document/ui/route_commands.h"
#include "ui/modal_helper.h"
#include "ui/route_test_voyage.h"

namespace {

QStringList Tabs(const CSheetPosition& sheet) {
    QStringList captions;
    for (int i = 0; i < sheet.Tabs()->count(); ++i)
        captions << sheet.Tabs()->tabText(i);
    return captions;
}

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

QString Field(const QWidget* page, const char* name) {
    auto* edit = page->findChild<QLineEdit*>(QString::fromLatin1(name));
    return edit ? edit->text() : QStringLiteral("<missing>");
}

} // namespace

class PositionSheetTest : public QObject {
    Q_OBJECT

private slots:
    void pagesFieldsAndTexts() {
        RouteTestVoyage voyage;
        CPosition& mid = *voyage.doc->GetVoyage().GetAt(2);
        mid.SetLatitude(-(52 + 17.2999 / 60.0));
        mid.SetLongitude(-(4 + 5.5 / 60.0));
        mid.SetProceedVia(CPosition::kGreatCircle);
        mid.AddWeather(20.0, 270.0, 1010.0);
        mid.AddWeather(10.0, 250.0, 1000.0);
        mid.SetSpeed(11.5);
        mid.AddPerformance(45.0, 1.256, 9.5, 88.0);

        CSheetPosition sheet(QStringLiteral("Edit Waypoint"), mid);
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Edit Waypoint"));
        QCOMPARE(Tabs(sheet), QStringList({"Position", "Meteo", "Performance"}));

        CPagePos* page = sheet.PositionPage();
        QCOMPARE(page->DescriptionEdit()->text(), QStringLiteral("Mid"));
        QCOMPARE(page->LatitudeEdit()->DegreesEdit()->text(), QStringLiteral("52"));
        QCOMPARE(page->LatitudeEdit()->MinutesEdit()->text(), QStringLiteral("17.29"));
        QCOMPARE(page->LatitudeEdit()->HemisphereList()->currentText(), QStringLiteral("South"));
        QCOMPARE(page->LongitudeEdit()->DegreesEdit()->text(), QStringLiteral("4"));
        QCOMPARE(page->LongitudeEdit()->MinutesEdit()->text(), QStringLiteral("5.5"));
        QCOMPARE(page->LongitudeEdit()->HemisphereList()->currentText(), QStringLiteral("West"));
        QCOMPARE(Entries(page->ProceedViaList()), QStringList({"GreatCircle", "Rhumbline"}));
        QCOMPARE(page->ProceedViaList()->currentIndex(), 0);
        for (const char* label : {"Description:", "Latitude:", "Longitude:", "Proceed to waypoint via:"})
            QVERIFY2(LabelTexts(page).contains(QString::fromLatin1(label)), label);

        QWidget* meteo = sheet.Tabs()->widget(1);
        QCOMPARE(Field(meteo, "windSpeedField"), QStringLiteral("15"));
        QCOMPARE(Field(meteo, "windDirectionField"), QStringLiteral("260"));
        QCOMPARE(Field(meteo, "pressureField"), QStringLiteral("1005"));
        QCOMPARE(Field(meteo, "weatherCountField"), QStringLiteral("2"));
        QCOMPARE(Field(meteo, "currentDirectionField"), QStringLiteral("45"));
        QCOMPARE(Field(meteo, "currentSpeedField"), QStringLiteral("1.25"));
        QCOMPARE(Field(meteo, "currentCountField"), QStringLiteral("1"));
        for (const char* group : {"Average Weather:", "Average Current:"})
            QVERIFY2(HasGroup(meteo, group), group);

        QWidget* performance = sheet.Tabs()->widget(2);
        QCOMPARE(Field(performance, "averageSpeedField"), QStringLiteral("11.5"));
        QCOMPARE(Field(performance, "averageDraftField"), QStringLiteral("9.5"));
        QCOMPARE(Field(performance, "averageRpmField"), QStringLiteral("88"));
        QCOMPARE(Field(performance, "performanceCountField"), QStringLiteral("1"));
        const QStringList texts = LabelTexts(performance);
        for (const char* label :
             {"Average Speed:", "Average Draft:", "Average Engine rpm:", "Number of Observations:", "kts", "mtr",
              "Note: Performance is automatically calculated at each new position fix."})
            QVERIFY2(texts.contains(QString::fromLatin1(label)), label);

        // The celestial pages go in between.
        sheet.InsertPage(CSheetPosition::kAstroPage, new CPositionSheetPage, QStringLiteral("Astro"));
        sheet.InsertPage(CSheetPosition::kTimesPage, new CPositionSheetPage, QStringLiteral("Local Times"));
        QCOMPARE(Tabs(sheet), QStringList({"Position", "Meteo", "Astro", "Local Times", "Performance"}));
    }

    void okAppliesTheTypedPosition() {
        RouteTestVoyage voyage;
        CPosition& mid = *voyage.doc->GetVoyage().GetAt(2);
        const CTime time = mid.GetTime();
        OnNextModal<CSheetPosition>([](CSheetPosition* sheet) {
            CPagePos* page = sheet->PositionPage();
            page->DescriptionEdit()->setText(QStringLiteral("Cape Point"));
            page->LatitudeEdit()->DegreesEdit()->setText(QStringLiteral("52"));
            page->LatitudeEdit()->MinutesEdit()->setText(QStringLiteral("30.0"));
            page->LatitudeEdit()->HemisphereList()->setCurrentIndex(1);
            page->LongitudeEdit()->DegreesEdit()->setText(QStringLiteral("18"));
            page->LongitudeEdit()->MinutesEdit()->setText(QStringLiteral("15"));
            page->ProceedViaList()->setCurrentIndex(0);
            ButtonNamed(sheet, "OK")->click();
        });
        QVERIFY(EditPosition(*voyage.doc, mid, kEditWaypointCaption, nullptr));
        QCOMPARE(mid.GetLatitude(), -52.5);
        QCOMPARE(mid.GetLongitude(), 18.25);
        QCOMPARE(mid.GetName(), std::string("Cape Point"));
        QCOMPARE(mid.GetProceedVia(), CPosition::kGreatCircle);
        QCOMPARE(mid.GetTime(), time);
        QCOMPARE(mid.GetKind(), static_cast<std::int32_t>(CPosition::kWaypoint));
        QVERIFY(voyage.doc->IsModified());
        QVERIFY(voyage.Prompts().isEmpty());
    }

    void outOfRangeKeepsTheSheetOpen() {
        RouteTestVoyage voyage;
        CPosition& mid = *voyage.doc->GetVoyage().GetAt(2);
        QStringList afterFirstOk;
        bool stayedOpen = false;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            sheet->Tabs()->setCurrentIndex(2);
            CPagePos* page = sheet->PositionPage();
            page->LatitudeEdit()->MinutesEdit()->setText(QStringLiteral("60"));
            ButtonNamed(sheet, "OK")->click();
            afterFirstOk = voyage.Prompts();
            stayedOpen = sheet->isVisible() && sheet->Tabs()->currentIndex() == 0;
            page->LatitudeEdit()->MinutesEdit()->setText(QStringLiteral("59.9999"));
            page->LongitudeEdit()->DegreesEdit()->setText(QStringLiteral("181"));
            ButtonNamed(sheet, "OK")->click();
            ButtonNamed(sheet, "Cancel")->click();
        });
        QVERIFY(!EditPosition(*voyage.doc, mid, kEditWaypointCaption, nullptr));
        QCOMPARE(afterFirstOk, QStringList({"Please enter a number between 0 and 59.9999."}));
        QVERIFY(stayedOpen);
        QCOMPARE(voyage.Prompts(), QStringList({"Please enter a number between 0 and 59.9999.",
                                                "Please enter an integer between 0 and 180."}));
        QCOMPARE(mid.GetLatitude(), 49.5);
        QVERIFY(!voyage.doc->IsModified());
    }

    void unchangedSheetCutsTheMinutes() {
        RouteTestVoyage voyage;
        CPosition& popular = voyage.doc->GetPopularPosition();
        popular.SetLatitude(10 + 12.3456 / 60.0);
        popular.SetLongitude(-(20 + 0.009 / 60.0));
        OnNextModal<CSheetPosition>([](CSheetPosition* sheet) { ButtonNamed(sheet, "OK")->click(); });
        QVERIFY(EditPosition(*voyage.doc, popular, kPopularCaption, nullptr));
        QCOMPARE(popular.GetLatitude(), 10 + 12.34 * 0.016666666666666666);
        QCOMPARE(popular.GetLongitude(), -20.0);
    }

    void dashboardCommandsOpenTheirSheets() {
        RouteTestVoyage voyage;
        std::vector<bool> suspensions;
        auto suspend = [&](bool on) { suspensions.push_back(on); };

        struct Case {
            Command command;
            QString caption;
            QString description;
        };
        const Case cases[] = {{Command::EditNextWaypoint, "Edit Waypoint", "Arrival"},
                              {Command::PopularButton, "Edit Popular Position", "New Position"},
                              {Command::PopularPosition, "Edit Popular Position", "New Position"},
                              {Command::PopularPositionView, "Popular Position", "New Position"}};
        for (const Case& c : cases) {
            QVERIFY(IsRouteCommand(c.command));
            QString caption, description;
            bool suspendedMeanwhile = false;
            OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
                caption = sheet->windowTitle();
                description = sheet->PositionPage()->DescriptionEdit()->text();
                suspendedMeanwhile = !suspensions.empty() && suspensions.back();
                ButtonNamed(sheet, "Cancel")->click();
            });
            suspensions.clear();
            QVERIFY(ExecuteRouteCommand(c.command, *voyage.doc, nullptr, suspend));
            QCOMPARE(caption, c.caption);
            QCOMPARE(description, c.description);
            QVERIFY(suspendedMeanwhile);
            QCOMPARE(suspensions, (std::vector<bool>{true, false}));
        }
        QVERIFY(!voyage.doc->IsModified());

        OnNextModal<CSheetPosition>([](CSheetPosition* sheet) {
            sheet->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Ushant"));
            ButtonNamed(sheet, "OK")->click();
        });
        ExecuteRouteCommand(Command::PopularButton, *voyage.doc, nullptr, suspend);
        QCOMPARE(voyage.doc->GetPopularPosition().GetName(), std::string("Ushant"));
        QVERIFY(voyage.doc->IsModified());

        QVERIFY(!IsRouteCommand(Command::GpsUpdate));
        QVERIFY(!ExecuteRouteCommand(Command::Schedule, *voyage.doc, nullptr, suspend));
    }

    void dashboardRoutesTheCommands() {
        RouteTestVoyage voyage;
        CKeelmarkLiteView view(*voyage.doc);
        for (Command c : {Command::EditNextWaypoint, Command::SelectNextWaypoint, Command::CourseSpeedChange,
                          Command::SelectReference, Command::PopularButton, Command::SpeedMadeGood, Command::Waypoints,
                          Command::PopularPosition, Command::PopularPositionView, Command::VoyageProperties})
            QVERIFY(view.CanExecute(c));

        bool suspended = false;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            suspended = view.IsSuspended();
            ButtonNamed(sheet, "Cancel")->click();
        });
        view.Execute(Command::PopularPosition);
        QVERIFY(suspended);
        QVERIFY(!view.IsSuspended());

        OnNextModal<CDialogReferencePosition>([&](CDialogReferencePosition* dialog) {
            suspended = view.IsSuspended();
            ButtonNamed(dialog, "Cancel")->click();
        });
        view.Execute(Command::SelectReference);
        QVERIFY(!suspended);
    }
};

QTEST_MAIN(PositionSheetTest)
#include "position_sheet_test.moc"
