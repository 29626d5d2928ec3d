#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

#include "document/route_editing.h"
#include "document/ui/position_sheet.h"
#include "document/ui/route_commands.h"
#include "document/ui/waypoints_dialog.h"
#include "ui/modal_helper.h"
#include "ui/route_test_voyage.h"

namespace {

QStringList Column(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

QStringList Headers(const QTreeWidget* list) {
    QStringList titles;
    for (int c = 0; c < list->columnCount(); ++c)
        titles << list->headerItem()->text(c);
    return titles;
}

// Clicks the row of the list as the officer would.
void ClickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QCOMPARE(list->selectedItems().value(0), item);
}

// The dialog shown on its own (its buttons then work as in the program).
struct Shown {
    RouteTestVoyage voyage;
    CDialogWaypoints dialog;
    explicit Shown(const char* next = "Arrival") : dialog(*voyage.doc, next) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
    QStringList Names() const { return Column(dialog.List(), 0); }
};

} // namespace

class WaypointsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void listFollowsTheRadioButtons() {
        Shown s;
        CDialogWaypoints& d = s.dialog;
        QCOMPARE(d.windowTitle(), QStringLiteral("Waypoints"));
        QVERIFY(d.ShowButton(kShowBoth)->isChecked());
        QVERIFY(d.InformationButton(kInfoLatLon)->isChecked());
        QCOMPARE(d.ShowButton(0)->text(), QStringLiteral("Waypoints"));
        QCOMPARE(d.ShowButton(1)->text(), QStringLiteral("Positions"));
        QCOMPARE(d.ShowButton(2)->text(), QStringLiteral("Both"));
        QCOMPARE(d.InformationButton(0)->text(), QStringLiteral("Latitude and Longitude"));
        QCOMPARE(d.InformationButton(1)->text(), QStringLiteral("Course and distance"));
        QCOMPARE(d.InformationButton(2)->text(), QStringLiteral("Speed and ETA"));
        for (const char* label : {"Total Distance:", "Req. Speed:"})
            QVERIFY2(LabelTexts(&d).contains(QString::fromLatin1(label)), label);
        for (const char* group : {"Show:", "Information:"})
            QVERIFY2(HasGroup(&d, group), group);
        QCOMPARE(d.AddButton()->text(), QStringLiteral("Add"));
        QCOMPARE(d.EditButton()->text(), QStringLiteral("Edit"));
        QVERIFY(d.EditButton()->isDefault());
        QCOMPARE(d.DeleteButton()->text(), QStringLiteral("Delete"));
        QCOMPARE(d.WipeButton()->text(), QStringLiteral("Wipe"));
        QCOMPARE(d.CloseButton()->text(), QStringLiteral("Close"));

        QCOMPARE(Headers(d.List()), QStringList({"Name", "Latitude", "Longitude", "Proceed via"}));
        QCOMPARE(d.List()->columnWidth(0), 120);
        QCOMPARE(d.List()->columnWidth(1), 100);
        QCOMPARE(s.Names(), QStringList({"Departure", "Fix A", "Mid", "Fix B", "Arrival"}));
        QCOMPARE(Column(d.List(), 1).value(1), QStringLiteral("49:48.00 North"));
        QCOMPARE(Column(d.List(), 2).value(1), QStringLiteral("00:00.00 East"));
        QCOMPARE(Column(d.List(), 3).value(1), QStringLiteral("Rhumbline"));
        QCOMPARE(d.TotalDistanceField()->text(), QStringLiteral("120"));
        QCOMPARE(d.RequiredSpeedField()->text(), QStringLiteral("12"));
        QVERIFY(!d.List()->topLevelItem(0)->icon(0).isNull());

        d.InformationButton(kInfoCourseDistance)->click();
        QCOMPARE(Headers(d.List()), QStringList({"Name", "Course", "Distance", "Proceed via"}));
        QCOMPARE(Column(d.List(), 2), QStringList({"12.00", "18.00", "6.00", "84.00", "0.00"}));
        d.ShowButton(kShowPositions)->click();
        QCOMPARE(s.Names(), QStringList({"Fix A", "Fix B"}));
        d.InformationButton(kInfoSpeedEta)->click();
        QCOMPARE(Headers(d.List()), QStringList({"Name", "ETA (UTC)", "Speed", "Proceed via"}));
        d.ShowButton(kShowWaypoints)->click();
        QCOMPARE(s.Names(), QStringList({"Departure", "Mid", "Arrival"}));
        QVERIFY(!s.voyage.doc->IsModified());
    }

    void addAppendsOrInsertsAndCancelRemoves() {
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
        QCOMPARE(s.voyage.Route(), QStringList({"Departure", "Fix A", "Mid", "Fix B", "Arrival", "Brest"}));
        QCOMPARE(s.Names(), QStringList({"Departure", "Mid", "Arrival", "Brest"}));
        QVERIFY(s.voyage.doc->IsModified());

        // "Both": after the selected row; Cancel takes it out again.
        s.voyage.doc->SetModifiedFlag(false);
        s.dialog.ShowButton(kShowBoth)->click();
        ClickRow(s.dialog.List(), 2);
        QStringList routeMeanwhile;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            routeMeanwhile = s.voyage.Route();
            ButtonNamed(sheet, "Cancel")->click();
        });
        s.dialog.AddButton()->click();
        QCOMPARE(routeMeanwhile,
                 QStringList({"Departure", "Fix A", "Mid", "New Position", "Fix B", "Arrival", "Brest"}));
        QCOMPARE(s.voyage.Route(), QStringList({"Departure", "Fix A", "Mid", "Fix B", "Arrival", "Brest"}));
        QCOMPARE(s.Names(), s.voyage.Route());
        QVERIFY(!s.voyage.doc->IsModified());
        QVERIFY(s.voyage.Prompts().isEmpty());
    }

    void editIsRefusedUnlessAWaypointIsSelectedWithBoth() {
        Shown s;
        s.dialog.EditButton()->click();
        s.dialog.ShowButton(kShowPositions)->click();
        ClickRow(s.dialog.List(), 0);
        s.dialog.EditButton()->click();
        s.dialog.ShowButton(kShowBoth)->click();
        ClickRow(s.dialog.List(), 3);
        s.dialog.EditButton()->click();
        QCOMPARE(s.voyage.Prompts(), QStringList({"Please check show both and select waypoint to edit!",
                                                  "Please check show both and select waypoint to edit!",
                                                  "Sorry\nEditing of past positionfix not allowed!"}));
        QVERIFY(s.dialog.isVisible());

        ClickRow(s.dialog.List(), 2);
        QString caption;
        OnNextModal<CSheetPosition>([&](CSheetPosition* sheet) {
            caption = sheet->windowTitle();
            sheet->PositionPage()->DescriptionEdit()->setText(QStringLiteral("Midway"));
            ButtonNamed(sheet, "OK")->click();
        });
        s.dialog.EditButton()->click();
        QCOMPARE(caption, QStringLiteral("Edit Waypoint"));
        QCOMPARE(s.Names(), QStringList({"Departure", "Fix A", "Midway", "Fix B", "Arrival"}));
        QVERIFY(s.voyage.doc->IsModified());
    }

    void deleteRefusalsAndQuestion() {
        Shown s("Mid");
        s.dialog.ShowButton(kShowPositions)->click();
        ClickRow(s.dialog.List(), 1);
        s.dialog.DeleteButton()->click();
        s.dialog.ShowButton(kShowBoth)->click();
        ClickRow(s.dialog.List(), 2); // the next waypoint, by name
        s.dialog.DeleteButton()->click();
        ClickRow(s.dialog.List(), 0);
        s.dialog.DeleteButton()->click();
        ClickRow(s.dialog.List(), 4);
        s.dialog.DeleteButton()->click();
        QCOMPARE(s.voyage.Prompts(),
                 QStringList({"Please check show both and select waypoint to delete",
                              "You are at present steering towards this waypoint\nDeleting the selected waypoint is "
                              "not allowed\nPlease return to mainscreen and deselect this waypoint first",
                              "The departure can not be deleted\nThe route always begins at its departure",
                              "The destination can not be deleted\nThe route always ends at its destination"}));
        QCOMPARE(s.voyage.Route().size(), 5);
        QVERIFY(!s.voyage.doc->IsModified());

        s.voyage.fake.prompts.Clear();
        s.voyage.fake.prompts.ScriptAnswer(PromptAnswer::No);
        s.voyage.fake.prompts.ScriptAnswer(PromptAnswer::Yes);
        ClickRow(s.dialog.List(), 3);
        s.dialog.DeleteButton()->click();
        QCOMPARE(s.Names(), QStringList({"Departure", "Fix A", "Mid", "Fix B", "Arrival"}));
        s.dialog.DeleteButton()->click();
        QCOMPARE(s.voyage.Prompts(), QStringList({"Delete Waypoint Fix B", "Delete Waypoint Fix B"}));
        QCOMPARE(s.voyage.fake.prompts.History()[0].buttons, PromptButtons::YesNoCancel);
        QCOMPARE(s.Names(), QStringList({"Departure", "Fix A", "Mid", "Arrival"}));
        QCOMPARE(s.voyage.Route(), s.Names());
        QVERIFY(s.voyage.doc->IsModified());
    }

    void wipeCancelledStillRefreshes() {
        Shown s;
        s.voyage.doc->GetVoyage().GetAt(2)->SetName("Renamed meanwhile");
        s.voyage.fake.prompts.ScriptAnswer(PromptAnswer::Cancel);
        s.dialog.WipeButton()->click();
        QCOMPARE(s.voyage.Prompts(), QStringList({"This will delete all positionfixes from your route!\nContinue?"}));
        QCOMPARE(s.voyage.fake.prompts.History()[0].buttons, PromptButtons::OkCancel);
        QCOMPARE(s.Names(), QStringList({"Departure", "Fix A", "Renamed meanwhile", "Fix B", "Arrival"}));
        QVERIFY(!s.voyage.doc->IsModified());

        s.voyage.fake.prompts.ScriptAnswer(PromptAnswer::Ok);
        s.dialog.WipeButton()->click();
        QCOMPARE(s.Names(), QStringList({"Departure", "Renamed meanwhile", "Arrival"}));
        QVERIFY(s.voyage.doc->IsModified());
    }

    void opensFromTheDashboardCommand() {
        RouteTestVoyage voyage;
        std::vector<bool> suspensions;
        QStringList names;
        bool suspendedMeanwhile = false;
        OnNextModal<CDialogWaypoints>([&](CDialogWaypoints* dialog) {
            suspendedMeanwhile = suspensions == std::vector<bool>{true};
            names = Column(dialog->List(), 0);
            dialog->List()->setCurrentItem(dialog->List()->topLevelItem(4));
            dialog->DeleteButton()->click(); // Arrival is the next waypoint
            dialog->CloseButton()->click();
        });
        QVERIFY(
            ExecuteRouteCommand(Command::Waypoints, *voyage.doc, nullptr, [&](bool on) { suspensions.push_back(on); }));
        QVERIFY(suspendedMeanwhile);
        QCOMPARE(suspensions, (std::vector<bool>{true, false}));
        QCOMPARE(names, QStringList({"Departure", "Fix A", "Mid", "Fix B", "Arrival"}));
        QCOMPARE(voyage.Prompts().value(0).section(QLatin1Char(0x0a), 0, 0),
                 QStringLiteral("You are at present steering towards this waypoint"));
    }
};

QTEST_MAIN(WaypointsDialogTest)
#include "waypoints_dialog_test.moc"
