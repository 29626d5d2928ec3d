// Route and fix editing: course and speed, next waypoint, reference fix, speed
// made good, the position sheet, the waypoint list and the voyage properties,
// each opened through the dashboard as the program opens it.
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "app/ui/dashboard_view.h"
#include "core/ui/coordinate_edit.h"
#include "document/route_editing.h"
#include "document/ui/course_speed_dialog.h"
#include "document/ui/position_sheet.h"
#include "document/ui/reference_position_dialog.h"
#include "document/ui/select_waypoint_dialog.h"
#include "document/ui/speed_made_good_dialog.h"
#include "document/ui/voyage_properties_sheet.h"
#include "document/ui/waypoints_dialog.h"
#include "ui/qt_test_support.h"

namespace {

const QStringList kRouteNames = {"Departure", "Fix A", "Mid", "Fix B", "Arrival"};

// The meridian route, with the dashboard that dispatches its commands.
struct Route : CQtTestVoyage {
    CKeelmarkLiteView view;
    Route() : CQtTestVoyage(CQtTestVoyage::Route::Meridian, CTime::FromUtc(2026, 3, 10, 12, 0, 0)), view(*doc) {}
    template <typename T> void Run(Command command, std::function<void(T*)> act) { RunDialog<T>(view, command, act); }
    CPosition& At(int i) { return *doc->GetVoyage().GetAt(i); }
};

QStringList Column(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

// Clicks the row of the list as the officer would.
void ClickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QStringList Shows(CPagePos* page) {
    QStringList texts{page->DescriptionEdit()->text()};
    for (CCoordinateEdit* e : {page->LatitudeEdit(), page->LongitudeEdit()})
        texts << e->DegreesEdit()->text() << e->MinutesEdit()->text() << e->HemisphereList()->currentText();
    return texts;
}

// The waypoint list shown on its own (its buttons then work as in the program).
struct Shown : Route {
    CDialogWaypoints dialog;
    explicit Shown(const char* next = "Arrival") : dialog(*doc, next) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) qWarning("waypoint list not shown");
    }
    QStringList Names() const { return Column(dialog.List(), 0); }
    void Click(int row, QPushButton* button) {
        ClickRow(dialog.List(), row);
        button->click();
    }
};

} // namespace

class RouteDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void courseChangeOrdersCourseAndRevolutions() {
        Route r;
        CVessel& vessel = r.doc->GetVessel();
        std::tie(vessel.m_manoeuvringRpm, vessel.m_seaSpeedRpm, vessel.m_engineSetting) = std::tuple(66, 105, 80);
        std::tie(vessel.m_minutesPerRpm, vessel.m_courseSetting) = std::tuple(3.0, 175);
        r.doc->GetPresentPosition().SetSpeed(16.0);
        // What OK writes: course and rpm ordered, course and speed of the ship, the voyage changed.
        auto state = [&] {
            const CPosition& p = r.doc->GetPresentPosition();
            return QStringLiteral("%1 %2 %3 %4 %5")
                .arg(vessel.m_courseSetting)
                .arg(vessel.m_engineSetting)
                .arg(p.GetCourse())
                .arg(p.GetSpeed())
                .arg(r.doc->IsModified());
        };
        QStringList before, after;
        r.Run<CDialogCourseSpeed>(Command::CourseSpeedChange, [&](CDialogCourseSpeed* d) {
            auto fields = [d] {
                return QStringList{d->CourseSpin()->text(),    d->SetRpmField()->text(),   d->SpeedField()->text(),
                                   d->RequiredField()->text(), d->DurationField()->text(), d->DistanceField()->text()};
            };
            before = fields() << QString::number(d->RpmSlider()->maximum());
            d->RpmSlider()->setFocus();
            QTest::keyClick(d->RpmSlider(), Qt::Key_Home); // down to manoeuvring revolutions
            d->CourseSpin()->setFocus();
            d->CourseSpin()->selectAll();
            QTest::keyClicks(d->CourseSpin(), "200");
            after = fields();
            Press(d, "OK");
        });
        // 84 nM in 6 hours asks 14 knots: 70 of the 80 rpm that make 16.
        QCOMPARE(before, QStringList({"175", "80", "16", "70", "0", "0", "105"}));
        QCOMPARE(after, QStringList({"200", "66", "13.2", "70", "42", "10.22"}));
        QCOMPARE(state(), QStringLiteral("200 66 200 13.2 1"));
        const std::string logged = r.LogLine("Course changed to 200.00  Engine setting to 66.00 rpm");
        QCOMPARE(r.Log(), logged);

        // Cancelled: nothing changes, nothing is logged.
        r.doc->SetModifiedFlag(false);
        r.Run<CDialogCourseSpeed>(Command::CourseSpeedChange, [](CDialogCourseSpeed* d) {
            d->RpmSlider()->setValue(70);
            d->CourseSpin()->setValue(90);
            Press(d, "Cancel");
        });
        QCOMPARE(state(), QStringLiteral("200 66 200 13.2 0"));
        QCOMPARE(r.Log(), logged);
        QVERIFY(r.Prompts().isEmpty());
    }

    void nextWaypointChosenByHand() {
        Route r;
        r.Set("logwp", 0);
        r.Run<CDialogSelectWaypoint>(Command::SelectNextWaypoint, [](CDialogSelectWaypoint* d) { Press(d, "Cancel"); });
        QVERIFY(!r.doc->IsModified());

        QStringList names, first, second;
        r.Run<CDialogSelectWaypoint>(Command::SelectNextWaypoint, [&](CDialogSelectWaypoint* d) {
            names = Entries(d->NameList());
            first = {d->NameList()->currentText(), QString::number(d->AutoAdjustBox()->isChecked()),
                     d->BearingField()->text(), d->DistanceField()->text()};
            d->NameList()->setFocus();
            QTest::keyClick(d->NameList(), Qt::Key_Up);
            QTest::keyClick(d->NameList(), Qt::Key_Up);
            second = {d->NameList()->currentText(), d->BearingField()->text(), d->DistanceField()->text()};
            QTest::mouseClick(d->AutoAdjustBox(), Qt::LeftButton, {}, QPoint(4, d->AutoAdjustBox()->height() / 2));
            Press(d, "OK");
        });
        QCOMPARE(names, kRouteNames);
        // Due south by the ten-digit pi is a hair under 180, and forms cut rather than round.
        QCOMPARE(first, QStringList({"Arrival", "0", "179.99", "84"}));
        QCOMPARE(second, QStringList({"Mid", "0", "6"}));
        QCOMPARE(r.doc->GetNextWaypoint(), &r.At(2));
        QVERIFY(r.doc->GetVoyage().IsManualSelection());
        QCOMPARE(r.doc->GetPresentPosition().GetCourse(), 0.0);
        QVERIFY(r.doc->IsModified());
        QCOMPARE(r.Log(), r.LogLine("Manually selected waypoint Mid"));
    }

    void referenceFixChosenFromTheFixes() {
        Route r;
        QStringList seen;
        auto choose = [&](int row) {
            return [&seen, row](CDialogReferencePosition* d) {
                for (int i = 0; i < d->List()->count(); ++i)
                    seen << d->List()->item(i)->text() + (d->List()->item(i)->isSelected() ? "*" : "");
                d->List()->clearSelection();
                if (row >= 0) {
                    QRect rect = d->List()->visualItemRect(d->List()->item(row));
                    QTest::mouseClick(d->List()->viewport(), Qt::LeftButton, {}, rect.center());
                }
                Press(d, "OK");
            };
        };
        r.Run<CDialogReferencePosition>(Command::SelectReference, choose(1));
        QCOMPARE(r.doc->GetReferencePosition(), &r.At(3));
        QVERIFY(r.doc->IsModified());
        // Opened again: the reference is preselected; OK without a selection keeps it.
        r.doc->SetModifiedFlag(false);
        r.Run<CDialogReferencePosition>(Command::SelectReference, choose(-1));
        QCOMPARE(seen, QStringList({"Fix A", "Fix B", "Fix A", "Fix B*"}));
        QCOMPARE(r.doc->GetReferencePosition(), &r.At(3));
        QVERIFY(!r.doc->IsModified());
    }

    void speedMadeGoodBetweenAnyTwoPoints() {
        Route r;
        r.At(2).SetLongitude(0.5);
        QList<QStringList> results;
        QList<int> initial;
        r.Run<CDialogSpeedMadeGood>(Command::SpeedMadeGood, [&](CDialogSpeedMadeGood* d) {
            initial << d->FromList()->currentIndex() << d->TillList()->currentIndex()
                    << d->AlongRouteBox()->isChecked();
            auto calculate = [&] {
                d->CalculateButton()->click();
                results << QStringList{d->DistanceField()->text(), d->BearingField()->text(), d->SpeedField()->text(),
                                       d->TimeField()->text()};
            };
            d->TillList()->setCurrentIndex(3);
            calculate();
            d->AlongRouteBox()->click();
            calculate();
            r.At(3).SetTime(r.At(0).GetTime());
            calculate();
            d->CloseButton()->click();
        });
        QCOMPARE(initial, QList<int>({0, 1, 1}));
        QVERIFY(results[0][0].toDouble() > 37.0); // along the route, by Mid off the meridian
        QCOMPARE(results[0][3], QStringLiteral("2:00.00"));
        QCOMPARE(results[1], QStringList({"36", "179.99", "18", "2:00.00"}));
        QCOMPARE(results[2], QStringList({"36", "179.99", "", "00:00.00"}));
        QVERIFY(!r.doc->IsModified());
    }

    // ---- position sheet ---------------------------------------------------

    void positionSheetShowsTheRecord() {
        Route r;
        CPosition& mid = r.At(2);
        mid.SetLatitude(-(52 + 17.2999 / 60.0));
        mid.SetLongitude(-(4 + 5.5 / 60.0));
        mid.SetProceedVia(CPosition::kGreatCircle);
        mid.AddWeather(20.0, 270.0, 1010.0);
        mid.AddWeather(10.0, 250.0, 1000.0);
        mid.SetSpeed(11.5);
        mid.AddPerformance(45.0, 1.256, 9.5, 88.0);
        CSheetPosition sheet(QStringLiteral("Edit Waypoint"), mid);
        QCOMPARE(Shows(sheet.PositionPage()), QStringList({"Mid", "52", "17.29", "South", "4", "5.5", "West"}));
        QCOMPARE(sheet.PositionPage()->ProceedViaList()->currentText(), QStringLiteral("GreatCircle"));
        const std::pair<const char*, const char*> figures[] = {
            {"windSpeedField", "15"},   {"windDirectionField", "260"},   {"pressureField", "1005"},
            {"weatherCountField", "2"}, {"currentDirectionField", "45"}, {"currentSpeedField", "1.25"},
            {"currentCountField", "1"}, {"averageSpeedField", "11.5"},   {"averageDraftField", "9.5"},
            {"averageRpmField", "88"},  {"performanceCountField", "1"}};
        for (const auto& [name, text] : figures)
            QCOMPARE(Field(sheet, name), QString::fromLatin1(text));
        // The celestial pages go in between.
        sheet.InsertPage(CSheetPosition::kAstroPage, new CPositionSheetPage, QStringLiteral("Astro"));
        sheet.InsertPage(CSheetPosition::kTimesPage, new CPositionSheetPage, QStringLiteral("Local Times"));
        QStringList tabs;
        for (int i = 0; i < sheet.Tabs()->count(); ++i)
            tabs << sheet.Tabs()->tabText(i);
        QCOMPARE(tabs, QStringList({"Position", "Meteo", "Astro", "Local Times", "Performance"}));
    }

    void positionSheetOkRefusalsAndCutMinutes() {
        Route r;
        CPosition& mid = r.At(2);
        const CTime time = mid.GetTime();
        QStringList refusals;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            sheet->Tabs()->setCurrentIndex(2);
            CPagePos* page = sheet->PositionPage();
            refusals << r.Refusal(sheet, page->LatitudeEdit()->MinutesEdit(), "60")
                     << QString::number(sheet->Tabs()->currentIndex());
            page->LatitudeEdit()->MinutesEdit()->setText(QStringLiteral("59.9999"));
            refusals << r.Refusal(sheet, page->LongitudeEdit()->DegreesEdit(), "181");
            Press(sheet, "Cancel");
        });
        QVERIFY(!EditPosition(*r.doc, mid, kEditWaypointCaption, nullptr));
        QCOMPARE(refusals, QStringList({"Please enter a number between 0 and 59.9999.", "0",
                                        "Please enter an integer between 0 and 180."}));
        QCOMPARE(mid.GetLatitude(), 49.5);
        QVERIFY(!r.doc->IsModified());

        OnNextModal<CSheetPosition>([](CSheetPosition* sheet) {
            CPagePos* page = sheet->PositionPage();
            page->DescriptionEdit()->setText("Cape Point");
            page->LatitudeEdit()->SetValues(52, 30.0, 1);
            page->LongitudeEdit()->SetValues(18, 15.0, 0);
            page->ProceedViaList()->setCurrentIndex(0);
            Press(sheet, "OK");
        });
        QVERIFY(EditPosition(*r.doc, mid, kEditWaypointCaption, nullptr));
        QCOMPARE(mid.GetLatitude(), -52.5);
        QCOMPARE(mid.GetLongitude(), 18.25);
        QCOMPARE(mid.GetName(), std::string("Cape Point"));
        QCOMPARE(mid.GetProceedVia(), CPosition::kGreatCircle);
        QCOMPARE(mid.GetTime(), time);
        QCOMPARE(mid.GetKind(), static_cast<std::int32_t>(CPosition::kWaypoint));
        QVERIFY(r.doc->IsModified());

        // OK on an unchanged sheet cuts the minutes to two decimals.
        CPosition& popular = r.doc->GetPopularPosition();
        popular.SetLatitude(10 + 12.3456 / 60.0);
        popular.SetLongitude(-(20 + 0.009 / 60.0));
        OnNextModal<CSheetPosition>([](CSheetPosition* sheet) { Press(sheet, "OK"); });
        QVERIFY(EditPosition(*r.doc, popular, kPopularCaption, nullptr));
        QCOMPARE(popular.GetLatitude(), 10 + 12.34 * 0.016666666666666666);
        QCOMPARE(popular.GetLongitude(), -20.0);
    }

    void dashboardCommandsOpenTheirSheets() {
        Route r;
        const std::pair<Command, const char*> cases[] = {
            {Command::EditNextWaypoint, "Edit Waypoint|Arrival"},
            {Command::PopularButton, "Edit Popular Position|New Position"},
            {Command::PopularPosition, "Edit Popular Position|New Position"},
            {Command::PopularPositionView, "Popular Position|New Position"}};
        for (const auto& [command, seen] : cases) {
            QString shown;
            r.Run<CSheetPosition>(command, [&](CSheetPosition* sheet) {
                shown = sheet->windowTitle() + "|" + sheet->PositionPage()->DescriptionEdit()->text();
                Press(sheet, "Cancel");
            });
            QCOMPARE(shown, QString::fromLatin1(seen));
        }
        QVERIFY(!r.doc->IsModified());
        r.Run<CSheetPosition>(Command::PopularButton, [](CSheetPosition* sheet) {
            sheet->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Ushant"));
            Press(sheet, "OK");
        });
        QCOMPARE(r.doc->GetPopularPosition().GetName(), std::string("Ushant"));
        QVERIFY(r.doc->IsModified());
    }

    // ---- waypoint list ----------------------------------------------------

    void waypointListFollowsTheRadioButtons() {
        Shown s;
        CDialogWaypoints& d = s.dialog;
        QVERIFY(d.ShowButton(kShowBoth)->isChecked() && d.InformationButton(kInfoLatLon)->isChecked());
        QCOMPARE(s.Names(), kRouteNames);
        QCOMPARE(d.List()->topLevelItem(1)->text(1) + "|" + d.List()->topLevelItem(1)->text(2) + "|" +
                     d.List()->topLevelItem(1)->text(3),
                 QStringLiteral("49:48.00 North|00:00.00 East|Rhumbline"));
        QCOMPARE(d.TotalDistanceField()->text() + "|" + d.RequiredSpeedField()->text(), QStringLiteral("120|12"));
        d.InformationButton(kInfoCourseDistance)->click();
        QCOMPARE(Column(d.List(), 2), QStringList({"12.00", "18.00", "6.00", "84.00", "0.00"}));
        d.ShowButton(kShowPositions)->click();
        QCOMPARE(s.Names(), QStringList({"Fix A", "Fix B"}));
        d.InformationButton(kInfoSpeedEta)->click();
        QCOMPARE(d.List()->headerItem()->text(1), QStringLiteral("ETA (UTC)"));
        d.ShowButton(kShowWaypoints)->click();
        QCOMPARE(s.Names(), QStringList({"Departure", "Mid", "Arrival"}));
        QVERIFY(!s.doc->IsModified());
    }

    void waypointAddAppendsOrInsertsAndCancelRemoves() {
        Shown s;
        // "Waypoints" shown: appended after Arrival, whatever row is selected.
        s.dialog.ShowButton(kShowWaypoints)->click();
        QString caption;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            caption = sheet->windowTitle();
            sheet->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Brest"));
            Press(sheet, "OK");
        });
        s.Click(1, s.dialog.AddButton());
        QCOMPARE(caption, QStringLiteral("New Waypoint"));
        QCOMPARE(s.RouteNames(), kRouteNames + QStringList{"Brest"});
        QVERIFY(s.doc->IsModified());
        // "Both": after the selected row; Cancel takes it out again.
        s.doc->SetModifiedFlag(false);
        s.dialog.ShowButton(kShowBoth)->click();
        QStringList routeMeanwhile;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            routeMeanwhile = s.RouteNames();
            Press(sheet, "Cancel");
        });
        s.Click(2, s.dialog.AddButton());
        QCOMPARE(routeMeanwhile,
                 QStringList({"Departure", "Fix A", "Mid", "New Position", "Fix B", "Arrival", "Brest"}));
        QCOMPARE(s.Names(), kRouteNames + QStringList{"Brest"});
        QVERIFY(!s.doc->IsModified());
    }

    void waypointEditAndDeleteRefusals() {
        Shown s("Mid");
        s.dialog.EditButton()->click(); // nothing selected
        s.dialog.ShowButton(kShowPositions)->click();
        s.Click(1, s.dialog.DeleteButton());
        s.dialog.ShowButton(kShowBoth)->click();
        s.Click(3, s.dialog.EditButton());
        for (int row : {2, 0, 4}) // the next waypoint (by name), the departure, the destination
            s.Click(row, s.dialog.DeleteButton());
        QCOMPARE(s.Prompts(), QStringList({"Please check show both and select waypoint to edit!",
                                           "Please check show both and select waypoint to delete",
                                           "Sorry\nEditing of past positionfix not allowed!",
                                           "You are at present steering towards this "
                                           "waypoint\nDeleting the selected waypoint is "
                                           "not allowed\nPlease return to mainscreen and deselect "
                                           "this waypoint first",
                                           "The departure can not be deleted\nThe route always "
                                           "begins at its departure",
                                           "The destination can not be deleted\nThe route always "
                                           "ends at its destination"}));
        QCOMPARE(s.RouteNames(), kRouteNames);
        QVERIFY(!s.doc->IsModified());

        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            sheet->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Midway"));
            Press(sheet, "OK");
        });
        s.Click(2, s.dialog.EditButton());
        QCOMPARE(s.Names().value(2), QStringLiteral("Midway"));

        s.fake.prompts.Clear();
        s.fake.prompts.ScriptAnswer(PromptAnswer::No);
        s.fake.prompts.ScriptAnswer(PromptAnswer::Yes);
        s.Click(3, s.dialog.DeleteButton());
        QCOMPARE(s.Names().size(), 5);
        s.dialog.DeleteButton()->click();
        QCOMPARE(s.Prompts(), QStringList({"Delete Waypoint Fix B", "Delete Waypoint Fix B"}));
        QCOMPARE(s.fake.prompts.History()[0].buttons, PromptButtons::YesNoCancel);
        QCOMPARE(s.Names(), QStringList({"Departure", "Fix A", "Midway", "Arrival"}));
        QCOMPARE(s.RouteNames(), s.Names());
    }

    void waypointWipeCancelledStillRefreshes() {
        Shown s;
        s.At(2).SetName("Renamed meanwhile");
        s.fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
        s.dialog.WipeButton()->click();
        QCOMPARE(s.Prompts(), QStringList({"This will delete all positionfixes "
                                           "from your route!\nContinue?"}));
        QCOMPARE(s.fake.prompts.History()[0].buttons, PromptButtons::OkCancel);
        QCOMPARE(s.Names(), QStringList({"Departure", "Fix A", "Renamed meanwhile", "Fix B", "Arrival"}));
        QVERIFY(!s.doc->IsModified());
        s.fake.prompts.ScriptAnswer(PromptAnswer::Ok);
        s.dialog.WipeButton()->click();
        QCOMPARE(s.Names(), QStringList({"Departure", "Renamed meanwhile", "Arrival"}));
        QVERIFY(s.doc->IsModified());
    }

    void waypointListKnowsTheNextWaypointFromTheDashboard() {
        Route r;
        r.Run<CDialogWaypoints>(Command::Waypoints, [&](CDialogWaypoints* dialog) {
            dialog->List()->setCurrentItem(dialog->List()->topLevelItem(4));
            dialog->DeleteButton()->click(); // Arrival is the next waypoint
            dialog->CloseButton()->click();
        });
        QVERIFY(r.Prompts().value(0).startsWith("You are at present steering towards this waypoint"));
    }

    // ---- voyage properties ------------------------------------------------

    void voyagePropertiesShowAndStoreTextsAndLocalTimes() {
        Route r;
        r.fake.clock.SetLocalOffset(2 * 3600);
        CVoyage& v = r.doc->GetVoyage();
        v.SetTexts("Channel crossing", "Feeder", "V12");
        v.SetStartTime(CTime::FromUtc(2026, 3, 9, 22, 30, 5));
        v.SetEndTime(CTime::FromUtc(2026, 3, 12, 6, 0, 0));
        const CTime departureTime = v.GetFirst()->GetTime();
        QStringList shown;
        r.Run<CSheetVoyageProperties>(Command::VoyageProperties, [&](CSheetVoyageProperties* sheet) {
            auto* route = sheet->RoutePage();
            auto* particulars = sheet->ParticularsPage();
            QDateTimeEdit* begin = sheet->TimesPage()->BeginPicker();
            shown << route->DescriptionEdit()->text() << route->DepartureField()->text()
                  << route->DestinationField()->text() << particulars->ServiceEdit()->text()
                  << particulars->VoyageNumberEdit()->text() << begin->text()
                  << sheet->TimesPage()->EndPicker()->text();
            route->DescriptionEdit()->setText(QStringLiteral("Return"));
            particulars->ServiceEdit()->setText(QStringLiteral("Liner"));
            particulars->VoyageNumberEdit()->setText(QStringLiteral("V13"));
            sheet->Tabs()->setCurrentIndex(2);
            begin->setFocus();
            begin->setSelectedSection(QDateTimeEdit::HourSection);
            QTest::keyClicks(begin, "06");
            Press(sheet, "OK");
        });
        QCOMPARE(shown, QStringList({"Channel crossing", "Departure", "Arrival", "Feeder", "V12",
                                     "Tuesday 10 Mar 2026  00:30:5", "Thursday 12 Mar 2026  08:00:0"}));
        QCOMPARE(v.GetDescription() + v.GetService() + v.GetVoyageNumber(), std::string("ReturnLinerV13"));
        // Typed 06:30 local time on 10 March, two hours ahead of UTC.
        QCOMPARE(v.GetStartTime(), CTime::FromUtc(2026, 3, 10, 4, 30, 5));
        QCOMPARE(v.GetFirst()->GetTime(), departureTime);
        QVERIFY(r.doc->IsModified());
    }

    void voyagePropertiesCancelKeepsTheTextsButNotAnEditedEnd() {
        Route r;
        r.doc->GetVoyage().SetTexts("Before", "", "");
        QString captions, shownAfterEdit;
        r.Run<CSheetVoyageProperties>(Command::VoyageProperties, [&](CSheetVoyageProperties* sheet) {
            sheet->RoutePage()->DescriptionEdit()->setText(QStringLiteral("Thrown away"));
            OnNextModal<CSheetPosition>([&](CSheetPosition* position) {
                captions += position->windowTitle();
                position->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Brest"));
                Press(position, "OK");
            });
            sheet->RoutePage()->DestinationEditButton()->click();
            shownAfterEdit = sheet->RoutePage()->DestinationField()->text();
            OnNextModal<CSheetPosition>([&](CSheetPosition* position) {
                captions += "|" + position->windowTitle();
                Press(position, "Cancel");
            });
            sheet->RoutePage()->DepartureEditButton()->click();
            Press(sheet, "Cancel");
        });
        QCOMPARE(captions, QStringLiteral("Destination Point|Departure Point"));
        QCOMPARE(shownAfterEdit, QStringLiteral("Brest"));
        QCOMPARE(r.doc->GetVoyage().GetLast()->GetName(), std::string("Brest"));
        QCOMPARE(r.doc->GetVoyage().GetDescription(), std::string("Before"));
        QVERIFY2(r.doc->IsModified(), "the destination was changed");
    }
};

QTEST_MAIN(RouteDialogsTest)
#include "route_dialogs_test.moc"
