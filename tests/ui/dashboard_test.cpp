// The dashboard: its figures, the refresh and its suspension, the alarms, and
// the dialogs of its own commands (GPS fix, schedule).
#include <QComboBox>
#include <QMessageBox>
#include <QProgressBar>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

#include "app/dashboard_refresh.h"
#include "app/ui/dashboard_view.h"
#include "app/ui/schedule_dialog.h"
#include "core/ui/coordinate_edit.h"
#include "core/ui/utc_entry.h"
#include "document/ui/position_fix_dialog.h"
#include "platform/qt/qt_prompts.h"
#include "ui/qt_test_support.h"

namespace {

using Voyage = CQtTestVoyage;

bool Flashing(const QWidget& view) {
    return view.findChild<QLineEdit*>(QStringLiteral("requiredSpeedField"))->property("flashing").toBool();
}

QProgressBar* Bar(const QWidget& view, const char* name) { return view.findChild<QProgressBar*>(name); }

} // namespace

class DashboardTest : public QObject {
    Q_OBJECT

private slots:
    // The first show fills the form and starts the timer; the alarms wait for its first tick.
    void firstShowFillsTheModelsFigures() {
        Voyage voyage;
        CKeelmarkLiteView view(*voyage.doc);
        auto* timer = view.findChild<QTimer*>("refreshTimer");
        QVERIFY(!timer->isActive());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(timer->isActive() ? timer->interval() : 0, 4000);
        QVERIFY(voyage.fake.prompts.History().empty());
        const CDashboardFigures f = RefreshDashboard(*voyage.doc); // the clock stands still
        auto g = [](double value) { return QString::number(value, 'g', 15); };
        // clang-format off
        const std::pair<const char*, QString> expected[] = {
            {"latitudeField", "49:48.00 North"}, {"longitudeField", "00:00.00 East"}, {"trueCourseField", "185.00"},
            {"trueSpeedField", "10.50"}, {"popularPositionField", Q(f.popularPositionText)},
            {"nextWaypointField", "Brest"}, {"bearingField", "180.00"}, {"distanceField", Q(f.distanceText)},
            {"remainingDistanceField", g(f.remainingDistance)}, {"remainingHoursField", Q(f.remainingHoursText)},
            {"requiredSpeedField", Q(f.requiredSpeedText)}, {"requiredRpmField", Q(f.requiredRpmText)},
            {"etaField", Q(f.etaText)}, {"referenceField", "Departure"}, {"distanceMadeField", g(f.distanceMade)},
            {"speedMadeGoodField", g(f.speedMadeGood)}, {"speedMadeGoodBarLabel", g(f.speedMadeGood)},
            {"hoursSinceReferenceLabel", "2"}, {"hoursSinceLastFixLabel", "2"}, {"presentSpeedLabel", "10.5"},
            {"courseSteeredLabel", "180"}, {"steerField", "175"}, {"currentDirectionField", "0"},
            {"currentSpeedField", "0"}};
        // clang-format on
        for (const auto& [name, text] : expected)
            QCOMPARE(Field(view, name), text);
        QVERIFY(Field(view, "popularPositionField").endsWith(" from Le Havre") && !f.etaText.empty());
        QCOMPARE(QList<int>({Bar(view, "upperBar")->maximum(), Bar(view, "lowerBar")->maximum(),
                             Bar(view, "upperBar")->value(), Bar(view, "lowerBar")->value(),
                             view.findChild<QSlider*>("trackSlider")->value()}),
                 QList<int>({f.barMaximum, f.barMaximum, f.upperBar, f.lowerBar, -5}));
    }

    void requiredSpeedFlashesAndCommandsWithoutDialogs() {
        Voyage voyage; // 10.5 knots against 10.8 required
        CKeelmarkLiteView view(*voyage.doc);
        QList<bool> flashes;
        for (int i = 0; i < 3; ++i) {
            view.Refresh();
            flashes << Flashing(view);
        }
        QCOMPARE(flashes, QList<bool>({true, false, true}));
        voyage.doc->GetPresentPosition().SetSpeed(12.0);
        view.Refresh();
        QVERIFY(!Flashing(view));
        // The commands without dialogs of their own.
        voyage.fake.prompts.Clear();
        view.Execute(Command::PresentFromPopular);
        QCOMPARE(voyage.Prompts(),
                 QStringList({"Present position \n" + Q(voyage.doc->GetPopularPosition().GetRelativeText(49.8, 0.0))}));
        view.Execute(Command::ObsMessage); // logged even when no file was chosen
        QVERIFY(voyage.Log().find("  OBS message send\r\n") != std::string::npos);
    }

    void expiredScheduleShowsTheShipAndWhatIsMissing() {
        Voyage voyage;
        CKeelmarkLiteView view(*voyage.doc);
        view.Refresh();
        // Past the scheduled arrival: the ship sails on and is shown; what needs a
        // schedule says so or stays empty; nothing warns.
        voyage.fake.clock.Advance(10 * 3600 + 60);
        const double lat = voyage.doc->GetPresentPosition().GetLatitude();
        for (int i = 0; i < 5; ++i) {
            view.Refresh();
            voyage.fake.clock.Advance(3600);
        }
        QVERIFY(!view.IsSuspended() && voyage.fake.prompts.History().empty());
        QCOMPARE(QStringList({Field(view, "nextWaypointField"), Field(view, "etaField"), Field(view, "trueSpeedField"),
                              Field(view, "distanceField"), Field(view, "requiredSpeedField")}),
                 QStringList({"Enter Schedule to proceed", "Enter Schedule to proceed", "10.50", "", ""}));
        QVERIFY(voyage.doc->GetPresentPosition().GetLatitude() != lat);
        QCOMPARE(Field(view, "latitudeField"), Q(voyage.doc->GetPresentPosition().GetLatitudeText()));

        // A new schedule a day ahead: the figures come back.
        const CTimeFields next = (voyage.fake.clock.Now() + 86400).Utc();
        RunDialog<CDialogSchedule>(view, Command::Schedule, [&](CDialogSchedule* d) {
            d->SetFields({next.day, next.month, next.year, next.hour, next.minute, 0});
            d->accept();
        });
        view.Refresh();
        QCOMPARE(Field(view, "nextWaypointField"), QStringLiteral("Brest"));
    }

    void alarmsRunAfterEachRefreshOncePerMinute() {
        Voyage voyage;
        voyage.doc->GetPresentPosition().SetLatitude(48.0 + 0.5 / 60); // half a mile short of Brest
        CKeelmarkLiteView view(*voyage.doc);
        view.Refresh();
        view.Refresh();
        QCOMPARE(voyage.Prompts(), QStringList({"Approaching waypoint!\nChange course within 6 minutes!",
                                                "Passing Waypoint!\nChange course!"}));
    }

    // An alarm box waits for nobody: the refresh and the log go on under it, and
    // the same alarm a minute later raises its box rather than adding one.
    void alarmBoxesDoNotHoldTheWatch() {
        Voyage voyage;
        CQtPrompts qtPrompts;
        services::Scoped real({&voyage.fake.clock, &voyage.fake.settings, &qtPrompts, &voyage.fake.files});
        voyage.doc->GetPresentPosition().SetLatitude(48.0 + 0.5 / 60);
        CKeelmarkLiteView view(*voyage.doc);
        for (int minute = 0; minute < 3; ++minute) {
            view.Refresh(); // would not return while a modal box waited
            voyage.fake.clock.Advance(60);
        }
        QList<QMessageBox*> boxes;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) boxes << box;
        QCOMPARE(boxes.size(), 2);
        for (QMessageBox* box : boxes) {
            QVERIFY(!box->isModal());
            box->close();
        }
        QCOMPARE(Field(view, "latitudeField"), Q(voyage.doc->GetPresentPosition().GetLatitudeText()));
    }

    // "Update": the dialog opens with the present UTC time and position, the refresh
    // held; the typed fix goes to the voyage and into the log, once the time is not ahead.
    void gpsFixFromTheDashboard() {
        Voyage voyage;
        voyage.doc->GetPresentPosition().SetLongitude(-(3 + 15.5 / 60));
        CKeelmarkLiteView view(*voyage.doc);
        QStringList shown;
        bool held = false;
        RunDialog<CDialogPositionFix>(view, Command::GpsUpdate, [&](CDialogPositionFix* d) {
            held = view.IsSuspended();
            shown << d->DescriptionEdit()->text() << d->UtcEntry()->DayEdit()->text()
                  << d->UtcEntry()->HourEdit()->text() << d->UtcEntry()->MinuteEdit()->text()
                  << Shows(d->LatitudeEdit(), d->LongitudeEdit());
            view.Refresh(); // as the timer would: nothing moves underneath
            d->LatitudeEdit()->SetValues(49, 41.5, 0);
            d->LongitudeEdit()->SetValues(3, 30, 1);
            d->UtcEntry()->SetValues(6, 12, 1); // a minute ahead of the clock
            shown << voyage.Refusal(d, d->UtcEntry()->DayEdit(), "6");
            d->UtcEntry()->SetValues(6, 11, 45);
            Press(d, "OK");
        });
        QVERIFY(held && !view.IsSuspended());
        QCOMPARE(shown, QStringList({"GPS Fix 06 Dec 12:00 UTC", "6", "12", "0", "49", "48", "North", "3", "15.5",
                                     "West", "Date and time can not be ahead of present time!"}));
        const CPosition* fix = voyage.doc->GetLastFix();
        QCOMPARE(voyage.doc->GetVoyage().GetCount(), 3);
        QCOMPARE(fix->GetTime(), CTime::FromUtc(2026, 12, 6, 11, 45, 0));
        QCOMPARE(QList<double>({fix->GetLatitude(), fix->GetLongitude()}), QList<double>({49 + 41.5 / 60, -3.5}));
        QCOMPARE(voyage.doc->GetPresentPosition().GetLatitude(), fix->GetLatitude());
        QCOMPARE(voyage.Log(), voyage.LogLine("GPS Fix 06 Dec 11:45 UTC 49:41.50 North  3:30.00 West"));
    }

    // The arrival shown in its zone's time, west of Greenwich on the day before, and
    // what was typed taken back to UTC across the year end; a day the month lacks refused.
    void scheduleInZoneTime() {
        Voyage voyage(Voyage::Route::Channel, CTime::FromUtc(2026, 12, 6, 12, 0, 0));
        CPosition& arrival = *voyage.doc->GetVoyage().GetLast();
        arrival.SetTime(CTime::FromUtc(2027, 1, 1, 1, 0, 0));
        arrival.SetZoneOffset(-5.0);
        CKeelmarkLiteView view(*voyage.doc);
        bool stayedOpen = false, dayFocused = false;
        QList<int> shown;
        RunDialog<CDialogSchedule>(view, Command::Schedule, [&](CDialogSchedule* d) {
            for (QSpinBox* s :
                 {d->DaySpin(), d->MonthSpin(), d->YearSpin(), d->HourSpin(), d->MinuteSpin(), d->SecondSpin()})
                shown << s->value();
            d->MonthSpin()->setValue(11); // 31 November
            Press(d, "OK");
            stayedOpen = d->isVisible();
            dayFocused = FocusedWithin(d->DaySpin());
            d->MonthSpin()->setValue(12);
            d->HourSpin()->setValue(23);
            d->MinuteSpin()->selectAll();
            QTest::keyClicks(d->MinuteSpin(), "45");
            Press(d, "OK");
        });
        QCOMPARE(shown, QList<int>({31, 12, 2026, 20, 0, 0}));
        QVERIFY(stayedOpen && dayFocused);
        QCOMPARE(voyage.Prompts(), QStringList({"Please enter a date that exists in the calendar."}));
        QCOMPARE(arrival.GetTime(), CTime::FromUtc(2027, 1, 1, 4, 45, 0));
        QVERIFY(voyage.doc->IsModified());
    }

    // Whatever was changed in it, a cancelled dialog leaves the voyage and the log alone.
    void cancelledDialogsChangeNothing() {
        Voyage voyage;
        CKeelmarkLiteView view(*voyage.doc);
        for (Command command :
             {Command::GpsUpdate, Command::Schedule, Command::CourseSpeedChange, Command::SelectNextWaypoint}) {
            RunDialog<QDialog>(view, command, [](QDialog* d) {
                for (QLineEdit* e : d->findChildren<QLineEdit*>())
                    e->setText(QStringLiteral("1"));
                for (QSpinBox* s : d->findChildren<QSpinBox*>())
                    s->setValue(s->minimum());
                for (QAbstractSlider* s : d->findChildren<QAbstractSlider*>())
                    s->setValue(s->minimum());
                for (QComboBox* c : d->findChildren<QComboBox*>())
                    c->setCurrentIndex(0);
                Press(d, "Cancel");
            });
            QVERIFY2(!voyage.doc->IsModified() && voyage.Log().empty() && !view.IsSuspended(),
                     std::to_string(int(command)).c_str());
        }
        QCOMPARE(voyage.doc->GetVoyage().GetCount(), 2);
    }
};

QTEST_MAIN(DashboardTest)
#include "dashboard_test.moc"
