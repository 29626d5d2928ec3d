// Route and fix editing: course and speed, next waypoint, reference fix, speed
// made good, the position sheet, the waypoint list and the voyage properties,
// each opened through the dashboard as the program opens it.
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHeaderView>
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
    void Run(Command command) { view.Execute(command); }
    CPosition& At(int i) { return *doc->GetVoyage().GetAt(i); }
};

QStringList Column(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

QStringList Tabs(const QTabWidget* tabs) {
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    return captions;
}

// Clicks the row of the list as the officer would.
void ClickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void TypePosition(CPagePos* page, const char* name, const char* latDeg, const char* latMin, int latHemi,
                  const char* lonDeg, const char* lonMin) {
    page->DescriptionEdit()->setText(name);
    page->LatitudeEdit()->DegreesEdit()->setText(latDeg);
    page->LatitudeEdit()->MinutesEdit()->setText(latMin);
    page->LatitudeEdit()->HemisphereList()->setCurrentIndex(latHemi);
    page->LongitudeEdit()->DegreesEdit()->setText(lonDeg);
    page->LongitudeEdit()->MinutesEdit()->setText(lonMin);
}

// The waypoint list shown on its own (its buttons then work as in the program).
struct Shown : Route {
    CDialogWaypoints dialog;
    explicit Shown(const char* next = "Arrival") : dialog(*doc, next) {
        dialog.show();
        if (!QTest::qWaitForWindowExposed(&dialog)) qWarning("waypoint list not shown");
    }
    QStringList Names() const { return Column(dialog.List(), 0); }
};

} // namespace

class RouteDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void courseChangeOrdersCourseAndRevolutions() {
        Route r;
        CVessel& vessel = r.doc->GetVessel();
        vessel.m_manoeuvringRpm = 66;
        vessel.m_seaSpeedRpm = 105;
        vessel.m_engineSetting = 80;
        vessel.m_minutesPerRpm = 3.0;
        vessel.m_courseSetting = 175;
        r.doc->GetPresentPosition().SetSpeed(16.0);
        QStringList before, after;
        QList<int> slider;
        OnNextModal<CDialogCourseSpeed>([&](CDialogCourseSpeed* d) {
            slider << d->CourseSpin()->maximum() << d->RpmSlider()->minimum() << d->RpmSlider()->maximum()
                   << d->RpmSlider()->value() << (d->RpmSlider()->orientation() == Qt::Vertical);
            auto fields = [d] {
                return QStringList{d->CourseSpin()->text(),    d->SetRpmField()->text(),   d->SpeedField()->text(),
                                   d->RequiredField()->text(), d->DurationField()->text(), d->DistanceField()->text()};
            };
            before = fields();
            d->RpmSlider()->setFocus();
            QTest::keyClick(d->RpmSlider(), Qt::Key_Home); // all the way down: manoeuvring revolutions
            d->CourseSpin()->setFocus();
            d->CourseSpin()->selectAll();
            QTest::keyClicks(d->CourseSpin(), "200");
            after = fields();
            ButtonNamed(d, "OK")->click();
        });
        r.Run(Command::CourseSpeedChange);
        QCOMPARE(slider, QList<int>({360, 66, 105, 80, 1}));
        // 84 nM in 6 hours asks 14 knots: 70 of the 80 rpm that make 16.
        QCOMPARE(before, QStringList({"175", "80", "16", "70", "0", "0"}));
        QCOMPARE(after, QStringList({"200", "66", "13.2", "70", "42", "10.22"}));
        QCOMPARE(vessel.m_courseSetting, 200);
        QCOMPARE(vessel.m_engineSetting, 66);
        QCOMPARE(r.doc->GetPresentPosition().GetCourse(), 200.0);
        QCOMPARE(r.doc->GetPresentPosition().GetSpeed(), 13.2);
        QVERIFY(r.doc->IsModified());
        QCOMPARE(r.Log(), r.LogLine("Course changed to 200.00  Engine setting to 66.00 rpm"));

        // Cancelled: nothing changes, nothing is logged.
        r.doc->SetModifiedFlag(false);
        OnNextModal<CDialogCourseSpeed>([](CDialogCourseSpeed* d) {
            d->RpmSlider()->setValue(70);
            d->CourseSpin()->setValue(90);
            ButtonNamed(d, "Cancel")->click();
        });
        r.Run(Command::CourseSpeedChange);
        QCOMPARE(vessel.m_engineSetting, 66);
        QCOMPARE(r.doc->GetPresentPosition().GetSpeed(), 13.2);
        QVERIFY(!r.doc->IsModified());
        QCOMPARE(r.Log(), r.LogLine("Course changed to 200.00  Engine setting to 66.00 rpm"));
        QVERIFY(r.Prompts().isEmpty());
    }

    void nextWaypointChosenByHand() {
        Route r;
        r.Set("logwp", 0);
        OnNextModal<CDialogSelectWaypoint>([](CDialogSelectWaypoint* d) { ButtonNamed(d, "Cancel")->click(); });
        r.Run(Command::SelectNextWaypoint);
        QVERIFY(!r.doc->IsModified());

        QStringList names, first, second;
        int selected = -1;
        bool checkedAtFirst = true;
        OnNextModal<CDialogSelectWaypoint>([&](CDialogSelectWaypoint* d) {
            names = Entries(d->NameList());
            selected = d->NameList()->currentIndex();
            checkedAtFirst = d->AutoAdjustBox()->isChecked();
            first = {d->BearingField()->text(), d->DistanceField()->text()};
            d->NameList()->setFocus();
            QTest::keyClick(d->NameList(), Qt::Key_Up);
            QTest::keyClick(d->NameList(), Qt::Key_Up);
            second = {d->NameList()->currentText(), d->BearingField()->text(), d->DistanceField()->text()};
            QTest::mouseClick(d->AutoAdjustBox(), Qt::LeftButton, {}, QPoint(4, d->AutoAdjustBox()->height() / 2));
            ButtonNamed(d, "OK")->click();
        });
        r.Run(Command::SelectNextWaypoint);
        QCOMPARE(names, kRouteNames);
        QCOMPARE(selected, 4);
        QVERIFY(!checkedAtFirst);
        // Due south by the ten-digit pi is a hair under 180, and forms cut rather than round.
        QCOMPARE(first, QStringList({"179.99", "84"}));
        QCOMPARE(second, QStringList({"Mid", "0", "6"}));
        QCOMPARE(r.doc->GetNextWaypoint(), &r.At(2));
        QVERIFY(r.doc->GetVoyage().IsManualSelection());
        QCOMPARE(r.doc->GetPresentPosition().GetCourse(), 0.0);
        QVERIFY(r.doc->IsModified());
        QCOMPARE(r.Log(), r.LogLine("Manually selected waypoint Mid"));
    }

    void referenceFixChosenFromTheFixes() {
        Route r;
        QStringList entries;
        int preselected = -1;
        OnNextModal<CDialogReferencePosition>([&](CDialogReferencePosition* d) {
            for (int i = 0; i < d->List()->count(); ++i)
                entries << d->List()->item(i)->text();
            preselected = d->List()->selectedItems().size();
            QListWidgetItem* fixB = d->List()->item(1);
            QTest::mouseClick(d->List()->viewport(), Qt::LeftButton, {}, d->List()->visualItemRect(fixB).center());
            ButtonNamed(d, "OK")->click();
        });
        r.Run(Command::SelectReference);
        QCOMPARE(entries, QStringList({"Fix A", "Fix B"}));
        QCOMPARE(preselected, 0);
        QCOMPARE(r.doc->GetReferencePosition(), &r.At(3));
        QVERIFY(r.doc->IsModified());

        // Opened again: the reference is preselected; OK without a selection keeps it.
        r.doc->SetModifiedFlag(false);
        QString current;
        OnNextModal<CDialogReferencePosition>([&](CDialogReferencePosition* d) {
            current = d->List()->currentItem() ? d->List()->currentItem()->text() : QString();
            d->List()->clearSelection();
            ButtonNamed(d, "OK")->click();
        });
        r.Run(Command::SelectReference);
        QCOMPARE(current, QStringLiteral("Fix B"));
        QCOMPARE(r.doc->GetReferencePosition(), &r.At(3));
        QVERIFY(!r.doc->IsModified());
    }

    void speedMadeGoodBetweenAnyTwoPoints() {
        Route r;
        r.At(2).SetLongitude(0.5);
        QStringList alongRoute, straight, sameTime;
        QList<int> initial;
        OnNextModal<CDialogSpeedMadeGood>([&](CDialogSpeedMadeGood* d) {
            initial << d->FromList()->currentIndex() << d->TillList()->currentIndex() << d->AlongRouteBox()->isChecked()
                    << d->CalculateButton()->isDefault() << (d->TimeField()->text() == "00:00");
            auto results = [d] {
                return QStringList{d->DistanceField()->text(), d->BearingField()->text(), d->SpeedField()->text(),
                                   d->TimeField()->text()};
            };
            d->TillList()->setCurrentIndex(3);
            d->CalculateButton()->click();
            alongRoute = results();
            d->AlongRouteBox()->click();
            d->CalculateButton()->click();
            straight = results();
            r.At(3).SetTime(r.At(0).GetTime());
            d->CalculateButton()->click();
            sameTime = results();
            d->CloseButton()->click();
        });
        r.Run(Command::SpeedMadeGood);
        QCOMPARE(initial, QList<int>({0, 1, 1, 1, 1}));
        QCOMPARE(straight, QStringList({"36", "179.99", "18", "2:00.00"}));
        QVERIFY(alongRoute[0].toDouble() > 37.0);
        QCOMPARE(alongRoute[3], QStringLiteral("2:00.00"));
        QCOMPARE(sameTime, QStringList({"36", "179.99", "", "00:00.00"}));
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
        QCOMPARE(Tabs(sheet.Tabs()), QStringList({"Position", "Meteo", "Performance"}));
        CPagePos* page = sheet.PositionPage();
        QCOMPARE(
            QStringList({page->DescriptionEdit()->text(), page->LatitudeEdit()->DegreesEdit()->text(),
                         page->LatitudeEdit()->MinutesEdit()->text(),
                         page->LatitudeEdit()->HemisphereList()->currentText(),
                         page->LongitudeEdit()->DegreesEdit()->text(), page->LongitudeEdit()->MinutesEdit()->text(),
                         page->LongitudeEdit()->HemisphereList()->currentText()}),
            QStringList({"Mid", "52", "17.29", "South", "4", "5.5", "West"}));
        QCOMPARE(Entries(page->ProceedViaList()), QStringList({"GreatCircle", "Rhumbline"}));
        QCOMPARE(page->ProceedViaList()->currentIndex(), 0);
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
        QCOMPARE(Tabs(sheet.Tabs()), QStringList({"Position", "Meteo", "Astro", "Local Times", "Performance"}));
    }

    void positionSheetOkRefusalsAndCutMinutes() {
        Route r;
        CPosition& mid = r.At(2);
        const CTime time = mid.GetTime();
        QStringList afterFirstOk;
        bool stayedOpen = false;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            sheet->Tabs()->setCurrentIndex(2);
            CPagePos* page = sheet->PositionPage();
            page->LatitudeEdit()->MinutesEdit()->setText(QStringLiteral("60"));
            ButtonNamed(sheet, "OK")->click();
            afterFirstOk = r.Prompts();
            stayedOpen = sheet->isVisible() && sheet->Tabs()->currentIndex() == 0;
            page->LatitudeEdit()->MinutesEdit()->setText(QStringLiteral("59.9999"));
            page->LongitudeEdit()->DegreesEdit()->setText(QStringLiteral("181"));
            ButtonNamed(sheet, "OK")->click();
            ButtonNamed(sheet, "Cancel")->click();
        });
        QVERIFY(!EditPosition(*r.doc, mid, kEditWaypointCaption, nullptr));
        QCOMPARE(afterFirstOk, QStringList({"Please enter a number between 0 and 59.9999."}));
        QVERIFY(stayedOpen);
        QCOMPARE(r.Prompts(), QStringList({"Please enter a number between 0 and 59.9999.",
                                           "Please enter an integer between 0 and 180."}));
        QCOMPARE(mid.GetLatitude(), 49.5);
        QVERIFY(!r.doc->IsModified());

        OnNextModal<CSheetPosition>([](CSheetPosition* sheet) {
            TypePosition(sheet->PositionPage(), "Cape Point", "52", "30.0", 1, "18", "15");
            sheet->PositionPage()->ProceedViaList()->setCurrentIndex(0);
            ButtonNamed(sheet, "OK")->click();
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
        OnNextModal<CSheetPosition>([](CSheetPosition* sheet) { ButtonNamed(sheet, "OK")->click(); });
        QVERIFY(EditPosition(*r.doc, popular, kPopularCaption, nullptr));
        QCOMPARE(popular.GetLatitude(), 10 + 12.34 * 0.016666666666666666);
        QCOMPARE(popular.GetLongitude(), -20.0);
    }

    void dashboardCommandsOpenTheirSheets() {
        Route r;
        const struct {
            Command command;
            const char* caption;
            const char* description;
        } cases[] = {{Command::EditNextWaypoint, "Edit Waypoint", "Arrival"},
                     {Command::PopularButton, "Edit Popular Position", "New Position"},
                     {Command::PopularPosition, "Edit Popular Position", "New Position"},
                     {Command::PopularPositionView, "Popular Position", "New Position"}};
        for (const auto& c : cases) {
            QString seen;
            OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
                seen = sheet->windowTitle() + "|" + sheet->PositionPage()->DescriptionEdit()->text();
                ButtonNamed(sheet, "Cancel")->click();
            });
            r.Run(c.command);
            QCOMPARE(seen, QString::fromLatin1(c.caption) + "|" + c.description);
        }
        QVERIFY(!r.doc->IsModified());
        OnNextModal<CSheetPosition>([](CSheetPosition* sheet) {
            sheet->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Ushant"));
            ButtonNamed(sheet, "OK")->click();
        });
        r.Run(Command::PopularButton);
        QCOMPARE(r.doc->GetPopularPosition().GetName(), std::string("Ushant"));
        QVERIFY(r.doc->IsModified());
    }

    // ---- waypoint list ----------------------------------------------------

    void waypointListFollowsTheRadioButtons() {
        Shown s;
        CDialogWaypoints& d = s.dialog;
        QVERIFY(d.ShowButton(kShowBoth)->isChecked());
        QVERIFY(d.InformationButton(kInfoLatLon)->isChecked());
        QVERIFY(d.EditButton()->isDefault());
        QCOMPARE(Column(d.List(), 0), kRouteNames);
        QCOMPARE(Column(d.List(), 1).value(1), QStringLiteral("49:48.00 North"));
        QCOMPARE(Column(d.List(), 2).value(1), QStringLiteral("00:00.00 East"));
        QCOMPARE(Column(d.List(), 3).value(1), QStringLiteral("Rhumbline"));
        QCOMPARE(d.TotalDistanceField()->text(), QStringLiteral("120"));
        QCOMPARE(d.RequiredSpeedField()->text(), QStringLiteral("12"));
        QVERIFY(!d.List()->topLevelItem(0)->icon(0).isNull());
        d.InformationButton(kInfoCourseDistance)->click();
        QCOMPARE(d.List()->headerItem()->text(1), QStringLiteral("Course"));
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
        ClickRow(s.dialog.List(), 1);
        QString caption;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            caption = sheet->windowTitle();
            sheet->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Brest"));
            ButtonNamed(sheet, "OK")->click();
        });
        s.dialog.AddButton()->click();
        QCOMPARE(caption, QStringLiteral("New Waypoint"));
        QCOMPARE(s.RouteNames(), kRouteNames + QStringList{"Brest"});
        QVERIFY(s.doc->IsModified());
        // "Both": after the selected row; Cancel takes it out again.
        s.doc->SetModifiedFlag(false);
        s.dialog.ShowButton(kShowBoth)->click();
        ClickRow(s.dialog.List(), 2);
        QStringList routeMeanwhile;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            routeMeanwhile = s.RouteNames();
            ButtonNamed(sheet, "Cancel")->click();
        });
        s.dialog.AddButton()->click();
        QCOMPARE(routeMeanwhile,
                 QStringList({"Departure", "Fix A", "Mid", "New Position", "Fix B", "Arrival", "Brest"}));
        QCOMPARE(s.Names(), kRouteNames + QStringList{"Brest"});
        QVERIFY(!s.doc->IsModified());
    }

    void waypointEditAndDeleteRefusals() {
        Shown s("Mid");
        s.dialog.EditButton()->click(); // nothing selected
        s.dialog.ShowButton(kShowPositions)->click();
        ClickRow(s.dialog.List(), 1);
        s.dialog.DeleteButton()->click();
        s.dialog.ShowButton(kShowBoth)->click();
        ClickRow(s.dialog.List(), 3);
        s.dialog.EditButton()->click();
        ClickRow(s.dialog.List(), 2); // the next waypoint, by name
        s.dialog.DeleteButton()->click();
        ClickRow(s.dialog.List(), 0);
        s.dialog.DeleteButton()->click();
        ClickRow(s.dialog.List(), 4);
        s.dialog.DeleteButton()->click();
        QCOMPARE(s.Prompts(),
                 QStringList({"Please check show both and select waypoint to edit!",
                              "Please check show both and select waypoint to delete",
                              "Sorry\nEditing of past positionfix not allowed!",
                              "You are at present steering towards this waypoint\nDeleting the selected waypoint is "
                              "not allowed\nPlease return to mainscreen and deselect this waypoint first",
                              "The departure can not be deleted\nThe route always begins at its departure",
                              "The destination can not be deleted\nThe route always ends at its destination"}));
        QCOMPARE(s.RouteNames(), kRouteNames);
        QVERIFY(!s.doc->IsModified());

        ClickRow(s.dialog.List(), 2);
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            sheet->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Midway"));
            ButtonNamed(sheet, "OK")->click();
        });
        s.dialog.EditButton()->click();
        QCOMPARE(s.Names().value(2), QStringLiteral("Midway"));

        s.fake.prompts.Clear();
        s.fake.prompts.ScriptAnswer(PromptAnswer::No);
        s.fake.prompts.ScriptAnswer(PromptAnswer::Yes);
        ClickRow(s.dialog.List(), 3);
        s.dialog.DeleteButton()->click();
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
        QCOMPARE(s.Prompts(), QStringList({"This will delete all positionfixes from your route!\nContinue?"}));
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
        OnNextModal<CDialogWaypoints>([&](CDialogWaypoints* dialog) {
            dialog->List()->setCurrentItem(dialog->List()->topLevelItem(4));
            dialog->DeleteButton()->click(); // Arrival is the next waypoint
            dialog->CloseButton()->click();
        });
        r.Run(Command::Waypoints);
        QCOMPARE(r.Prompts().value(0).section(QLatin1Char(0x0a), 0, 0),
                 QStringLiteral("You are at present steering towards this waypoint"));
    }

    // ---- voyage properties ------------------------------------------------

    void voyagePropertiesShowTheVoyage() {
        Route r;
        r.fake.clock.SetLocalOffset(2 * 3600);
        CVoyage& v = r.doc->GetVoyage();
        v.SetTexts("Channel crossing", "Feeder", "V12");
        v.SetStartTime(CTime::FromUtc(2026, 3, 9, 22, 30, 5));
        v.SetEndTime(CTime::FromUtc(2026, 3, 12, 6, 0, 0));
        CSheetVoyageProperties sheet(*r.doc);
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Voyage Properties"));
        QCOMPARE(Tabs(sheet.Tabs()), QStringList({"Route", "Particulars", "Times"}));
        QCOMPARE(sheet.RoutePage()->DescriptionEdit()->text(), QStringLiteral("Channel crossing"));
        QCOMPARE(sheet.RoutePage()->DepartureField()->text(), QStringLiteral("Departure"));
        QCOMPARE(sheet.RoutePage()->DestinationField()->text(), QStringLiteral("Arrival"));
        QVERIFY(sheet.RoutePage()->DepartureField()->isReadOnly());
        QCOMPARE(sheet.ParticularsPage()->ServiceEdit()->text(), QStringLiteral("Feeder"));
        QCOMPARE(sheet.ParticularsPage()->VoyageNumberEdit()->text(), QStringLiteral("V12"));
        QDateTimeEdit* begin = sheet.TimesPage()->BeginPicker();
        QCOMPARE(begin->displayFormat(), QStringLiteral("dddd d MMM yyyy  HH:mm:s"));
        QCOMPARE(begin->text(), QStringLiteral("Tuesday 10 Mar 2026  00:30:5"));
        QCOMPARE(sheet.TimesPage()->EndPicker()->text(), QStringLiteral("Thursday 12 Mar 2026  08:00:0"));
        QCOMPARE(LabelTexts(sheet.TimesPage()).count(QStringLiteral("Local Time")), 2);
    }

    void voyagePropertiesOkStoresTextsAndTimes() {
        Route r;
        r.fake.clock.SetLocalOffset(2 * 3600);
        CVoyage& v = r.doc->GetVoyage();
        v.SetStartTime(CTime::FromUtc(2026, 3, 9, 22, 30, 0));
        const CTime departureTime = v.GetFirst()->GetTime();
        OnNextModal<CSheetVoyageProperties>([&](CSheetVoyageProperties* sheet) {
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
        r.Run(Command::VoyageProperties);
        QCOMPARE(v.GetDescription(), std::string("Return"));
        QCOMPARE(v.GetService(), std::string("Liner"));
        QCOMPARE(v.GetVoyageNumber(), std::string("V13"));
        // Typed 06:30 local time on 10 March, two hours ahead of UTC.
        QCOMPARE(v.GetStartTime(), CTime::FromUtc(2026, 3, 10, 4, 30, 0));
        QCOMPARE(v.GetFirst()->GetTime(), departureTime);
        QVERIFY(r.doc->IsModified());
    }

    void voyagePropertiesCancelKeepsTheTextsButNotAnEditedEnd() {
        Route r;
        r.doc->GetVoyage().SetTexts("Before", "", "");
        QString captions, shownAfterEdit;
        OnNextModal<CSheetVoyageProperties>([&](CSheetVoyageProperties* sheet) {
            sheet->RoutePage()->DescriptionEdit()->setText(QStringLiteral("Thrown away"));
            OnNextModal<CSheetPosition>([&](CSheetPosition* position) {
                captions += position->windowTitle();
                position->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Brest"));
                ButtonNamed(position, "OK")->click();
            });
            sheet->RoutePage()->DestinationEditButton()->click();
            shownAfterEdit = sheet->RoutePage()->DestinationField()->text();
            OnNextModal<CSheetPosition>([&](CSheetPosition* position) {
                captions += "|" + position->windowTitle();
                ButtonNamed(position, "Cancel")->click();
            });
            sheet->RoutePage()->DepartureEditButton()->click();
            ButtonNamed(sheet, "Cancel")->click();
        });
        r.Run(Command::VoyageProperties);
        QCOMPARE(captions, QStringLiteral("Destination Point|Departure Point"));
        QCOMPARE(shownAfterEdit, QStringLiteral("Brest"));
        QCOMPARE(r.doc->GetVoyage().GetLast()->GetName(), std::string("Brest"));
        QCOMPARE(r.doc->GetVoyage().GetDescription(), std::string("Before"));
        QVERIFY2(r.doc->IsModified(), "the destination was changed");
    }
};

QTEST_MAIN(RouteDialogsTest)
#include "route_dialogs_test.moc"
