#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

#include <vector>

#include "document/route_editing.h"
#include "document/ui/course_speed_dialog.h"
#include "document/ui/reference_position_dialog.h"
#include "document/ui/route_commands.h"
#include "document/ui/select_waypoint_dialog.h"
#include "document/ui/speed_made_good_dialog.h"
#include "ui/modal_helper.h"
#include "ui/route_test_voyage.h"

namespace {

QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

// Runs the dashboard command; records the suspension calls.
struct CommandRun {
    std::vector<bool> suspensions;
    bool Run(Command command, CKeelmarkLiteDoc& doc) {
        return ExecuteRouteCommand(command, doc, nullptr, [this](bool on) { suspensions.push_back(on); });
    }
};

const QString kRouteNames[] = {"Departure", "Fix A", "Mid", "Fix B", "Arrival"};

} // namespace

// Course and speed, next waypoint, reference fix and speed made good.
class RouteDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void courseChangeOrdersCourseAndRevolutions() {
        RouteTestVoyage voyage;
        CVessel& vessel = voyage.doc->GetVessel();
        vessel.m_manoeuvringRpm = 66;
        vessel.m_seaSpeedRpm = 105;
        vessel.m_engineSetting = 80;
        vessel.m_minutesPerRpm = 3.0;
        vessel.m_courseSetting = 175;
        voyage.doc->GetPresentPosition().SetSpeed(16.0);

        QStringList before, after, labels;
        QString caption;
        int courseMaximum = -1, sliderMinimum = -1, sliderMaximum = -1, sliderValue = -1;
        bool vertical = false;
        CommandRun run;
        bool suspendedMeanwhile = false;
        OnNextModal<CDialogCourseSpeed>([&](CDialogCourseSpeed* d) {
            suspendedMeanwhile = run.suspensions == std::vector<bool>{true};
            caption = d->windowTitle();
            labels = LabelTexts(d);
            courseMaximum = d->CourseSpin()->maximum();
            sliderMinimum = d->RpmSlider()->minimum();
            sliderMaximum = d->RpmSlider()->maximum();
            sliderValue = d->RpmSlider()->value();
            vertical = d->RpmSlider()->orientation() == Qt::Vertical;
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
        QVERIFY(run.Run(Command::CourseSpeedChange, *voyage.doc));
        QVERIFY(suspendedMeanwhile);
        QCOMPARE(run.suspensions, (std::vector<bool>{true, false}));
        QCOMPARE(caption, QStringLiteral("Course and Speed"));
        for (const char* label : {"Change gyro course to:", "Engine rpm", "Set rpm:", "Speed:", "Required:",
                                  "Duration:", "Distance:", "kts", "rpm", "minutes", "nM"})
            QVERIFY2(labels.contains(QString::fromLatin1(label)), label);
        QCOMPARE(courseMaximum, 360);
        QVERIFY(vertical);
        QCOMPARE(sliderMinimum, 66);
        QCOMPARE(sliderMaximum, 105);
        QCOMPARE(sliderValue, 80);
        // 84 nM in 6 hours asks 14 knots: 70 of the 80 rpm that make 16.
        QCOMPARE(before, QStringList({"175", "80", "16", "70", "0", "0"}));
        QCOMPARE(after, QStringList({"200", "66", "13.2", "70", "42", "10.22"}));

        QCOMPARE(vessel.m_courseSetting, 200);
        QCOMPARE(vessel.m_engineSetting, 66);
        QCOMPARE(voyage.doc->GetPresentPosition().GetCourse(), 200.0);
        QCOMPARE(voyage.doc->GetPresentPosition().GetSpeed(), 13.2);
        QVERIFY(voyage.doc->IsModified());
        QCOMPARE(voyage.Log(), RouteTestVoyage::LogLine("Course changed to 200.00  Engine setting to 66.00 rpm"));
        QVERIFY(voyage.Prompts().isEmpty());
    }

    void courseChangeCancelledChangesNothing() {
        RouteTestVoyage voyage;
        CVessel& vessel = voyage.doc->GetVessel();
        vessel.m_engineSetting = 90;
        OnNextModal<CDialogCourseSpeed>([](CDialogCourseSpeed* d) {
            d->RpmSlider()->setValue(70);
            d->CourseSpin()->setValue(90);
            ButtonNamed(d, "Cancel")->click();
        });
        CommandRun().Run(Command::CourseSpeedChange, *voyage.doc);
        QCOMPARE(vessel.m_engineSetting, 90);
        QCOMPARE(voyage.doc->GetPresentPosition().GetSpeed(), 12.0);
        QVERIFY(!voyage.doc->IsModified());
        QCOMPARE(voyage.Log(), std::string());
    }

    void nextWaypointChosenByHand() {
        RouteTestVoyage voyage;
        voyage.fake.settings.SetInt(kSettingsSection, "logwp", 0);
        QString caption, checkText;
        QStringList names, first, second;
        int selected = -1;
        bool checkedAtFirst = true;
        CommandRun run;
        OnNextModal<CDialogSelectWaypoint>([&](CDialogSelectWaypoint* d) {
            caption = d->windowTitle();
            names = Entries(d->NameList());
            selected = d->NameList()->currentIndex();
            checkText = d->AutoAdjustBox()->text();
            checkedAtFirst = d->AutoAdjustBox()->isChecked();
            first = {d->BearingField()->text(), d->DistanceField()->text()};
            d->NameList()->setFocus();
            QTest::keyClick(d->NameList(), Qt::Key_Up);
            QTest::keyClick(d->NameList(), Qt::Key_Up);
            second = {d->NameList()->currentText(), d->BearingField()->text(), d->DistanceField()->text()};
            QTest::mouseClick(d->AutoAdjustBox(), Qt::LeftButton, {}, QPoint(4, d->AutoAdjustBox()->height() / 2));
            ButtonNamed(d, "OK")->click();
        });
        run.Run(Command::SelectNextWaypoint, *voyage.doc);
        QCOMPARE(run.suspensions, (std::vector<bool>{true, false}));
        QCOMPARE(caption, QStringLiteral("Select next waypoint"));
        QCOMPARE(names, QStringList(std::begin(kRouteNames), std::end(kRouteNames)));
        QCOMPARE(selected, 4);
        QCOMPARE(checkText, QStringLiteral("Auto Adjust course towards this waypoint"));
        QVERIFY(!checkedAtFirst);
        // Due south by the ten-digit pi is a hair under 180, and forms cut rather than round.
        QCOMPARE(first, QStringList({"179.99", "84"}));
        QCOMPARE(second, QStringList({"Mid", "0", "6"}));

        CVoyage& v = voyage.doc->GetVoyage();
        QCOMPARE(voyage.doc->GetNextWaypoint(), v.GetAt(2));
        QVERIFY(v.IsManualSelection());
        QCOMPARE(voyage.doc->GetPresentPosition().GetCourse(), 0.0);
        QVERIFY(voyage.doc->IsModified());
        QCOMPARE(voyage.Log(), RouteTestVoyage::LogLine("Manually selected waypoint Mid"));
    }

    void nextWaypointCancelled() {
        RouteTestVoyage voyage;
        OnNextModal<CDialogSelectWaypoint>([](CDialogSelectWaypoint* d) {
            d->NameList()->setCurrentIndex(0);
            ButtonNamed(d, "Cancel")->click();
        });
        CommandRun().Run(Command::SelectNextWaypoint, *voyage.doc);
        QVERIFY(!voyage.doc->GetVoyage().IsManualSelection());
        QVERIFY(!voyage.doc->IsModified());
        QCOMPARE(voyage.Log(), std::string());
    }

    void referenceFixChosenFromTheFixes() {
        RouteTestVoyage voyage;
        CVoyage& v = voyage.doc->GetVoyage();
        QString caption;
        QStringList entries, labels;
        int preselected = 0;
        CommandRun run;
        OnNextModal<CDialogReferencePosition>([&](CDialogReferencePosition* d) {
            caption = d->windowTitle();
            labels = LabelTexts(d);
            for (int i = 0; i < d->List()->count(); ++i)
                entries << d->List()->item(i)->text();
            preselected = d->List()->selectedItems().size();
            QListWidgetItem* fixB = d->List()->item(1);
            QTest::mouseClick(d->List()->viewport(), Qt::LeftButton, {}, d->List()->visualItemRect(fixB).center());
            ButtonNamed(d, "OK")->click();
        });
        run.Run(Command::SelectReference, *voyage.doc);
        QVERIFY2(run.suspensions.empty(), "the refresh goes on underneath");
        QCOMPARE(caption, QStringLiteral("Reference Position"));
        QVERIFY(labels.contains("Select reference position:"));
        QCOMPARE(entries, QStringList({"Fix A", "Fix B"}));
        QCOMPARE(preselected, 0);
        QCOMPARE(voyage.doc->GetReferencePosition(), v.GetAt(3));
        QVERIFY(voyage.doc->IsModified());

        // Opened again: the reference is preselected; OK without a selection keeps it.
        voyage.doc->SetModifiedFlag(false);
        QString current;
        OnNextModal<CDialogReferencePosition>([&](CDialogReferencePosition* d) {
            current = d->List()->currentItem() ? d->List()->currentItem()->text() : QString();
            d->List()->clearSelection();
            ButtonNamed(d, "OK")->click();
        });
        run.Run(Command::SelectReference, *voyage.doc);
        QCOMPARE(current, QStringLiteral("Fix B"));
        QCOMPARE(voyage.doc->GetReferencePosition(), v.GetAt(3));
        QVERIFY(!voyage.doc->IsModified());
    }

    void speedMadeGoodBetweenAnyTwoPoints() {
        RouteTestVoyage voyage;
        CVoyage& v = voyage.doc->GetVoyage();
        v.GetAt(2)->SetLongitude(0.5);
        QString caption, checkText, initialTime;
        QStringList labels, fromEntries;
        int from = -1, till = -1;
        bool along = false, calculateIsDefault = false;
        QStringList alongRoute, straight, sameTime;
        CommandRun run;
        OnNextModal<CDialogSpeedMadeGood>([&](CDialogSpeedMadeGood* d) {
            caption = d->windowTitle();
            labels = LabelTexts(d);
            fromEntries = Entries(d->FromList());
            from = d->FromList()->currentIndex();
            till = d->TillList()->currentIndex();
            along = d->AlongRouteBox()->isChecked();
            checkText = d->AlongRouteBox()->text();
            initialTime = d->TimeField()->text();
            calculateIsDefault = d->CalculateButton()->isDefault();
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
            v.GetAt(3)->SetTime(v.GetFirst()->GetTime());
            d->CalculateButton()->click();
            sameTime = results();
            d->CloseButton()->click();
        });
        run.Run(Command::SpeedMadeGood, *voyage.doc);
        QCOMPARE(run.suspensions, (std::vector<bool>{true, false}));
        QCOMPARE(caption, QStringLiteral("Speed made good between positions"));
        for (const char* label :
             {"From:", "Till:", "Distance:", "Bearing:", "Av. Speed:", "Time:", "nM", "deg.", "kts", "hrs"})
            QVERIFY2(labels.contains(QString::fromLatin1(label)), label);
        QCOMPARE(fromEntries, QStringList(std::begin(kRouteNames), std::end(kRouteNames)));
        QCOMPARE(from, 0);
        QCOMPARE(till, 1);
        QVERIFY(along);
        QCOMPARE(checkText, QStringLiteral("Calculate distance along the route (via intermediate waypoints)"));
        QCOMPARE(initialTime, QStringLiteral("00:00"));
        QVERIFY(calculateIsDefault);

        QCOMPARE(straight, QStringList({"36", "179.99", "18", "2:00.00"}));
        QVERIFY(alongRoute[0].toDouble() > 37.0);
        QCOMPARE(alongRoute[3], QStringLiteral("2:00.00"));
        QCOMPARE(sameTime, QStringList({"36", "179.99", "", "00:00.00"}));
        QVERIFY(!voyage.doc->IsModified());
        QVERIFY(voyage.Prompts().isEmpty());
    }
};

QTEST_MAIN(RouteDialogsTest)
#include "route_dialogs_test.moc"
