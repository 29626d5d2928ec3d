// Route and fix editing: course and speed, next waypoint, reference fix, speed
// made good, the position sheet, the waypoint list and the voyage properties,
// each opened through the dashboard as the program opens it.
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QListWidget>
#include <QMessageBox>
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
#include "platform/qt/qt_prompts.h"
#include "ui/qt_test_support.h"

#include <fstream>

namespace {

const QStringList kRouteNames = {"Departure", "Fix A", "Mid", "Fix B", "Arrival"};

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

void ClickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void OnNextSheet(const char* name, const char* button, QString* caption = nullptr) {
    OnNextModal<CSheetPosition>([=](CSheetPosition* sheet) {
        if (caption) *caption += sheet->windowTitle() + "|";
        if (name) sheet->PositionPage()->DescriptionEdit()->setText(QString::fromUtf8(name));
        Press(sheet, button);
    });
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
        QStringList before, after;
        r.Run<CDialogCourseSpeed>(Command::CourseSpeedChange, [&](CDialogCourseSpeed* d) {
            auto fields = [d] {
                return QStringList{d->CourseSpin()->text(),    d->SetRpmField()->text(),   d->SpeedField()->text(),
                                   d->RequiredField()->text(), d->DurationField()->text(), d->DistanceField()->text()};
            };
            before = fields();
            d->RpmSlider()->setFocus();
            QTest::keyClick(d->RpmSlider(), Qt::Key_Home); // down to manoeuvring revolutions
            d->CourseSpin()->setFocus();
            d->CourseSpin()->selectAll();
            QTest::keyClicks(d->CourseSpin(), "200");
            after = fields();
            Press(d, "OK");
        });
        // 84 nM in 6 hours asks 14 knots: 70 of the 80 rpm that make 16.
        QCOMPARE(before, QStringList({"175", "80", "16", "70", "0", "0"}));
        QCOMPARE(after, QStringList({"200", "66", "13.2", "70", "42", "10.22"}));
        const CPosition& present = r.doc->GetPresentPosition();
        QCOMPARE(QList<double>({double(vessel.m_courseSetting), double(vessel.m_engineSetting), present.GetCourse(),
                                std::round(present.GetSpeed() * 10) / 10, double(r.doc->IsModified())}),
                 QList<double>({200, 66, 200, 13.2, 1}));
        QCOMPARE(r.Log(), r.LogLine("Course changed to 200.00  Engine setting to 66.00 rpm"));
    }

    void nextWaypointReferenceAndSpeedMadeGood() {
        Route r;
        r.Set("logwp", 0);
        QStringList names, first, second;
        r.Run<CDialogSelectWaypoint>(Command::SelectNextWaypoint, [&](CDialogSelectWaypoint* d) {
            names = Entries(d->NameList());
            first = {d->NameList()->currentText(), d->BearingField()->text(), d->DistanceField()->text()};
            d->NameList()->setFocus();
            QTest::keyClick(d->NameList(), Qt::Key_Up);
            QTest::keyClick(d->NameList(), Qt::Key_Up);
            second = {d->NameList()->currentText(), d->BearingField()->text(), d->DistanceField()->text()};
            QTest::mouseClick(d->AutoAdjustBox(), Qt::LeftButton, {}, QPoint(4, d->AutoAdjustBox()->height() / 2));
            Press(d, "OK");
        });
        QCOMPARE(names, kRouteNames);
        // Due south by the ten-digit pi is a hair under 180, and forms cut rather than round.
        QCOMPARE(first + second, QStringList({"Arrival", "179.99", "84", "Mid", "0", "6"}));
        QCOMPARE(r.doc->GetNextWaypoint(), &r.At(2));
        QVERIFY(r.doc->GetVoyage().IsManualSelection() && r.doc->IsModified());
        QCOMPARE(r.Log(), r.LogLine("Manually selected waypoint Mid"));

        // The reference fix, chosen from the fixes.
        r.doc->SetModifiedFlag(false);
        QStringList seen;
        auto choose = [&](int row) {
            return [&seen, row](CDialogReferencePosition* d) {
                for (int i = 0; i < d->List()->count(); ++i)
                    seen << d->List()->item(i)->text() + (d->List()->item(i)->isSelected() ? "*" : "");
                d->List()->clearSelection();
                if (row >= 0)
                    QTest::mouseClick(d->List()->viewport(), Qt::LeftButton, {},
                                      d->List()->visualItemRect(d->List()->item(row)).center());
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

        // Speed made good: the figures are the model's; the dialog passes it the two points and the route box.
        QStringList results;
        r.Run<CDialogSpeedMadeGood>(Command::SpeedMadeGood, [&](CDialogSpeedMadeGood* d) {
            d->TillList()->setCurrentIndex(3);
            d->AlongRouteBox()->click();
            d->CalculateButton()->click();
            results << d->DistanceField()->text() << d->BearingField()->text() << d->SpeedField()->text()
                    << d->TimeField()->text();
            d->CloseButton()->click();
        });
        QCOMPARE(results, QStringList({"36", "179.99", "18", "2:00.00"}));
        QVERIFY(!r.doc->IsModified());
    }

    void positionSheetOkCancelAndRefusal() {
        Route r;
        CPosition& mid = r.At(2);
        const CTime time = mid.GetTime();
        mid.SetLongitude(-(4 + 5.5 / 60.0));
        QStringList refusals;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            CPagePos* page = sheet->PositionPage();
            refusals << page->DescriptionEdit()->text() << Shows(page->LatitudeEdit(), page->LongitudeEdit());
            sheet->Tabs()->setCurrentIndex(2); // the refusal brings its page back
            refusals << r.Refusal(sheet, sheet->PositionPage()->LatitudeEdit()->MinutesEdit(), "60")
                     << QString::number(sheet->Tabs()->currentIndex());
            Press(sheet, "Cancel");
        });
        QVERIFY(!EditPosition(*r.doc, mid, kEditWaypointCaption, nullptr));
        QCOMPARE(refusals, QStringList({"Mid", "49", "30", "North", "4", "5.5", "West",
                                        "Please enter a number between 0 and 59.9999.", "0"}));
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
        QCOMPARE(QList<double>({mid.GetLatitude(), mid.GetLongitude()}), QList<double>({-52.5, 18.25}));
        QCOMPARE(mid.GetName(), std::string("Cape Point"));
        QVERIFY(mid.GetProceedVia() == CPosition::kGreatCircle && mid.GetTime() == time && r.doc->IsModified());
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
    }

    // Which rows are listed, and where a new one goes, is the model's; the list follows its buttons.
    void waypointListAddsAfterTheSelectedRowAndCancelRemoves() {
        Shown s;
        QCOMPARE(s.dialog.TotalDistanceField()->text() + "|" + s.dialog.RequiredSpeedField()->text(),
                 QStringLiteral("120|12"));
        s.dialog.InformationButton(kInfoCourseDistance)->click();
        QCOMPARE(Column(s.dialog.List(), 2), QStringList({"12.00", "18.00", "6.00", "84.00", "0.00"}));
        s.dialog.ShowButton(kShowPositions)->click();
        QCOMPARE(s.Names(), QStringList({"Fix A", "Fix B"}));
        s.dialog.ShowButton(kShowBoth)->click();
        QString caption;
        OnNextSheet("Brest", "OK", &caption);
        s.Click(2, s.dialog.AddButton());
        QCOMPARE(caption, QStringLiteral("New Waypoint|"));
        QCOMPARE(s.Names(), QStringList({"Departure", "Fix A", "Mid", "Brest", "Fix B", "Arrival"}));
        s.doc->SetModifiedFlag(false);
        OnNextSheet(nullptr, "Cancel");
        s.Click(2, s.dialog.AddButton());
        QCOMPARE(s.RouteNames(), QStringList({"Departure", "Fix A", "Mid", "Brest", "Fix B", "Arrival"}));
        QVERIFY(!s.doc->IsModified());
    }

    // The waypoint-editing rules and texts are the model's; the list passes them the row shown.
    void waypointEditAndDelete() {
        Shown s("Mid");
        s.Click(3, s.dialog.EditButton());
        QCOMPARE(s.Prompts(), QStringList({"Sorry\nEditing of past positionfix not allowed!"}));
        OnNextSheet("Midway", "OK");
        s.Click(2, s.dialog.EditButton());
        QCOMPARE(s.Names().value(2), QStringLiteral("Midway"));

        s.fake.prompts.Clear();
        s.fake.prompts.ScriptAnswer(PromptAnswer::No);
        s.fake.prompts.ScriptAnswer(PromptAnswer::Yes);
        s.Click(3, s.dialog.DeleteButton());
        QCOMPARE(s.Names().size(), 5);
        s.dialog.DeleteButton()->click();
        QCOMPARE(s.Prompts(), QStringList({"Delete Waypoint Fix B", "Delete Waypoint Fix B"}));
        QCOMPARE(s.Names(), QStringList({"Departure", "Fix A", "Midway", "Arrival"}));
        QCOMPARE(s.RouteNames(), s.Names());
    }

    void voyagePropertiesShowStoreAndCancel() {
        Route r;
        r.fake.clock.SetLocalOffset(2 * 3600);
        CVoyage& v = r.doc->GetVoyage();
        v.SetTexts("Channel crossing", "Feeder", "V12");
        v.SetStartTime(CTime::FromUtc(2026, 3, 9, 22, 30, 5));
        v.SetEndTime(CTime::FromUtc(2026, 3, 11, 6, 0, 0)); // ESV shows the destination's schedule instead
        v.GetLast()->SetTime(CTime::FromUtc(2026, 3, 12, 6, 0, 0));
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
            particulars->ServiceEdit()->clear(); // a character the file cannot hold is refused as typed or pasted
            for (const char* piece : {"Li", "\u6771", "ner", "\U0001F6A2"})
                particulars->ServiceEdit()->insert(QString::fromUtf8(piece));
            particulars->VoyageNumberEdit()->setText(QStringLiteral("V13"));
            sheet->Tabs()->setCurrentIndex(2);
            begin->setFocus();
            begin->setSelectedSection(QDateTimeEdit::HourSection);
            QTest::keyClicks(begin, "06");
            Press(sheet, "OK");
        });
        QCOMPARE(shown, QStringList({"Channel crossing", "Departure", "Arrival", "Feeder", "V12",
                                     "Tuesday 10 Mar 2026  00:30:05", "Thursday 12 Mar 2026  08:00:00"}));
        QCOMPARE(v.GetDescription() + v.GetService() + v.GetVoyageNumber(), std::string("ReturnLinerV13"));
        // Typed 06:30 local time on 10 March, two hours ahead of UTC.
        QCOMPARE(v.GetStartTime(), CTime::FromUtc(2026, 3, 10, 4, 30, 5));
        QCOMPARE(v.GetFirst()->GetTime(), departureTime);

        // Cancel keeps the texts, but not an end point edited on the way.
        r.doc->SetModifiedFlag(false);
        QString captions, shownAfterEdit;
        r.Run<CSheetVoyageProperties>(Command::VoyageProperties, [&](CSheetVoyageProperties* sheet) {
            sheet->RoutePage()->DescriptionEdit()->setText(QStringLiteral("Thrown away"));
            OnNextSheet("Brest", "OK", &captions);
            sheet->RoutePage()->DestinationEditButton()->click();
            shownAfterEdit = sheet->RoutePage()->DestinationField()->text();
            OnNextSheet(nullptr, "Cancel", &captions);
            sheet->RoutePage()->DepartureEditButton()->click();
            Press(sheet, "Cancel");
        });
        QCOMPARE(captions, QStringLiteral("Destination Point|Departure Point|"));
        QCOMPARE(shownAfterEdit, QStringLiteral("Brest"));
        QCOMPARE(v.GetLast()->GetName() + v.GetDescription(), std::string("BrestReturn"));
        QVERIFY2(r.doc->IsModified(), "the destination was changed");
    }

    void importRouteChoosesTheRouteAndAsksFirst() {
        Route r;
        CQtPrompts prompts; // the real boxes, offscreen
        services::Scoped qt({&r.fake.clock, &r.fake.settings, &prompts, &r.fake.files});
        std::ofstream(r.Path("plan.gpx")) << "<gpx><rte><name>Old</name></rte><rte><name>Brest</name><rtept lat='50' "
                                             "lon='0'/><rtept lat='49' lon='-1'><name>Mid</name></rtept><rtept "
                                             "lat='48' lon='-4.5'/></rte></gpx>";
        QStringList seen;
        for (auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            r.fake.files.ScriptPath(r.Path("plan.gpx"));
            OnNextModal<QDialog>([&seen, answer](QDialog* choice) {
                for (QRadioButton* option : choice->findChildren<QRadioButton*>())
                    seen << option->text(), option->click(); // the last one, "Brest"
                OnNextModal<QMessageBox>(
                    [&seen, answer](QMessageBox* box) { seen << box->text(), box->button(answer)->click(); });
                Press(choice, "OK");
            });
            r.view.Execute(Command::ImportRouteGpx);
            seen << r.RouteNames().join(u',');
        }
        const QString question = QStringLiteral("Replace the 3 planned waypoints of the voyage by the 3 points of the "
                                                "route \"Brest\"?\n2 position fixes stay in the route.");
        QCOMPARE(seen,
                 QStringList({"Old (0 points)", "Brest (3 points)", question, kRouteNames.join(u','), "Old (0 points)",
                              "Brest (3 points)", question, "Departure,Fix A,Fix B,Mid,Arrival"}));
        QVERIFY(r.doc->IsModified());
    }
};

QTEST_MAIN(RouteDialogsTest)
#include "route_dialogs_test.moc"
