#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "app/ui/dashboard_view.h"
#include "app/ui/schedule_dialog.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"
#include "support/test_host.h"
#include "ui/modal_helper.h"


// Where focus went inside a window, whether or not that window is active at the
// moment (window activation is not dependable on the offscreen platform).
static bool FocusedWithin(const QWidget* w) {
    const QWidget* focus = w->window()->focusWidget();
    return focus && (focus == w || w->isAncestorOf(focus) || focus->focusProxy() == w);
}

namespace {

const CTime kNow = CTime::FromUtc(2026, 12, 6, 12, 0, 0);

struct Voyage : CTestHost {
    std::unique_ptr<CKeelmarkLiteDoc> doc;
    explicit Voyage(CTime arrival, double zoneOffset) : CTestHost(kNow) {
        KeepSideFilesHere(false);
        doc = NewVoyage();
        doc->GetVoyage().GetLast()->SetTime(arrival);
        doc->GetVoyage().GetLast()->SetZoneOffset(zoneOffset);
        doc->SetModifiedFlag(false);
        fake.prompts.Clear();
    }
    CTime Arrival() const { return doc->GetVoyage().GetLast()->GetTime(); }
};

struct Shown {
    int day = -1, month = -1, year = -1, hour = -1, minute = -1, second = -1;
};

Shown Read(const CDialogSchedule* d) {
    return {d->DaySpin()->value(),  d->MonthSpin()->value(),  d->YearSpin()->value(),
            d->HourSpin()->value(), d->MinuteSpin()->value(), d->SecondSpin()->value()};
}

} // namespace

class ScheduleDialogTest : public QObject {
    Q_OBJECT

    // Runs the "Schedule" command; `act` sees the dialog and what it showed.
    Shown RunSchedule(CKeelmarkLiteView& view, std::function<void(CDialogSchedule*)> act) {
        Shown shown;
        OnNextModal<CDialogSchedule>([&, act](CDialogSchedule* d) {
            shown = Read(d);
            act(d);
        });
        view.Execute(Command::Schedule);
        return shown;
    }

private slots:
    void fieldsAndRanges() {
        CDialogSchedule dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select date and time"));
        const struct {
            QSpinBox* spin;
            const char* caption;
            int minimum, maximum;
        } fields[] = {{dialog.DaySpin(), "DAY", 1, 31},        {dialog.MonthSpin(), "MONTH", 0, 12},
                      {dialog.YearSpin(), "YEAR", 1900, 2100}, {dialog.HourSpin(), "HOUR", 0, 23},
                      {dialog.MinuteSpin(), "MIN.", 0, 59},    {dialog.SecondSpin(), "SEC.", 0, 59}};
        QStringList captions;
        for (auto* label : dialog.findChildren<QLabel*>())
            captions << label->text();
        for (const auto& f : fields) {
            QCOMPARE(f.spin->minimum(), f.minimum);
            QCOMPARE(f.spin->maximum(), f.maximum);
            QVERIFY2(captions.contains(QString::fromLatin1(f.caption)), f.caption);
        }
        QVERIFY(captions.contains(QStringLiteral("LT")));
    }

    // 23:30 UTC an hour east of Greenwich is half past midnight of the next day,
    // and comes back unchanged.
    void acrossMidnightEastward() {
        Voyage voyage(CTime::FromUtc(2026, 12, 31, 23, 30, 15), 1.0);
        CKeelmarkLiteView view(*voyage.doc);
        bool suspended = false;
        const Shown shown = RunSchedule(view, [&](CDialogSchedule* d) {
            suspended = view.IsSuspended();
            d->accept();
        });
        QVERIFY(suspended);
        QVERIFY(!view.IsSuspended());
        QCOMPARE(shown.day, 1);
        QCOMPARE(shown.month, 1);
        QCOMPARE(shown.year, 2027);
        QCOMPARE(shown.hour, 0);
        QCOMPARE(shown.minute, 30);
        QCOMPARE(shown.second, 15);
        QCOMPARE(voyage.Arrival(), CTime::FromUtc(2026, 12, 31, 23, 30, 15));
        QVERIFY(voyage.doc->IsModified());
    }

    // West of Greenwich the zone hour falls on the day before; a new time typed in
    // the zone goes back to UTC across the year end.
    void acrossMidnightWestward() {
        Voyage voyage(CTime::FromUtc(2027, 1, 1, 1, 0, 0), -5.0);
        CKeelmarkLiteView view(*voyage.doc);
        const Shown shown = RunSchedule(view, [&](CDialogSchedule* d) {
            d->HourSpin()->setValue(23);
            d->MinuteSpin()->selectAll();
            QTest::keyClicks(d->MinuteSpin(), "45");
            d->accept();
        });
        QCOMPARE(shown.day, 31);
        QCOMPARE(shown.month, 12);
        QCOMPARE(shown.year, 2026);
        QCOMPARE(shown.hour, 20);
        QCOMPARE(voyage.Arrival(), CTime::FromUtc(2027, 1, 1, 4, 45, 0));
    }

    void aDayTheMonthLacksIsRefused() {
        Voyage voyage(CTime::FromUtc(2026, 12, 10, 20, 0, 0), 0.0);
        CKeelmarkLiteView view(*voyage.doc);
        bool stayedOpen = false, dayFocused = false;
        RunSchedule(view, [&](CDialogSchedule* d) {
            d->DaySpin()->setValue(31);
            d->MonthSpin()->setValue(4);
            d->accept();
            stayedOpen = d->isVisible();
            dayFocused = FocusedWithin(d->DaySpin());
            d->reject();
        });
        QVERIFY(stayedOpen);
        QVERIFY(dayFocused);
        QCOMPARE(voyage.fake.prompts.Texts(),
                 std::vector<std::string>{"Please enter a date that exists in the calendar."});
        QCOMPARE(voyage.Arrival(), CTime::FromUtc(2026, 12, 10, 20, 0, 0));
        QVERIFY(!voyage.doc->IsModified());
        QVERIFY(!view.IsSuspended());
    }
};

QTEST_MAIN(ScheduleDialogTest)
#include "schedule_dialog_test.moc"
