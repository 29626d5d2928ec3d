#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>
#include <sstream>

#include "core/event_log.h"
#include "app/ui/dashboard_view.h"
#include "core/ui/coordinate_edit.h"
#include "core/ui/utc_entry.h"
#include "document/keelmark_lite_doc.h"
#include "document/ui/position_fix_dialog.h"
#include "platform/fake/fake_services.h"
#include "support/test_host.h"
#include "ui/modal_helper.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 12, 6, 12, 0, 20);

// A voyage on fake services with the ship at 49 48.00 N 3 15.50 W and the log in a folder of its own.
struct Voyage : CTestHost {
    std::unique_ptr<CKeelmarkLiteDoc> doc;
    Voyage() : CTestHost(kNow) {
        KeepSideFilesHere();
        doc = NewVoyage();
        CVoyage& v = doc->GetVoyage();
        v.GetFirst()->SetLatitude(50.0);
        v.GetFirst()->SetLongitude(-3.0);
        v.GetFirst()->SetTime(kNow - 6 * 3600);
        v.GetLast()->SetLatitude(45.0);
        v.GetLast()->SetLongitude(-8.0);
        v.GetLast()->SetTime(kNow + 30 * 3600);
        doc->GetPresentPosition().SetLatitude(49.8);
        doc->GetPresentPosition().SetLongitude(-(3 + 15.5 / 60));
        doc->SetModifiedFlag(false);
        fake.prompts.Clear();
    }
};

void Type(CDialogPositionFix* d, const QString& day, const QString& hour, const QString& minute) {
    d->UtcEntry()->DayEdit()->setText(day);
    d->UtcEntry()->HourEdit()->setText(hour);
    d->UtcEntry()->MinuteEdit()->setText(minute);
}

void Type(CCoordinateEdit* e, const QString& degrees, const QString& minutes, int hemisphere) {
    e->DegreesEdit()->setText(degrees);
    e->MinutesEdit()->setText(minutes);
    e->HemisphereList()->setCurrentIndex(hemisphere);
}

} // namespace

class PositionFixDialogTest : public QObject {
    Q_OBJECT

private slots:
    void ownDefaults() {
        CDialogPositionFix dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Position Fix"));
        QCOMPARE(dialog.UtcEntry()->DayEdit()->text(), QStringLiteral("0"));
        QCOMPARE(dialog.LatitudeEdit()->DegreesEdit()->text(), QStringLiteral("0"));
        QCOMPARE(dialog.LatitudeEdit()->HemisphereList()->currentIndex(), -1);
        QCOMPARE(dialog.LongitudeEdit()->HemisphereList()->currentIndex(), -1);
        QCOMPARE(dialog.DescriptionEdit()->text(), QString());
    }

    // "Update" on the dashboard: the dialog opens with the present UTC time and
    // position, the typed fix goes to AddPositionFix and into the log.
    void gpsFixFromTheDashboard() {
        Voyage voyage;
        CKeelmarkLiteView view(*voyage.doc);
        QStringList shown;
        OnNextModal<CDialogPositionFix>([&](CDialogPositionFix* d) {
            shown << d->DescriptionEdit()->text() << d->UtcEntry()->DayEdit()->text()
                  << d->UtcEntry()->HourEdit()->text() << d->UtcEntry()->MinuteEdit()->text();
            for (CCoordinateEdit* e : {d->LatitudeEdit(), d->LongitudeEdit()})
                shown << e->DegreesEdit()->text() << e->MinutesEdit()->text() << e->HemisphereList()->currentText();
            Type(d, "6", "11", "45");
            Type(d->LatitudeEdit(), "49", "41.5", 0);
            Type(d->LongitudeEdit(), "3", "30", 1);
            QTest::mouseClick(d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        view.Execute(Command::GpsUpdate);
        QCOMPARE(shown,
                 QStringList({"GPS Fix 06 Dec 12:00 UTC", "6", "12", "0", "49", "48", "North", "3", "15.5", "West"}));
        QVERIFY(!view.IsSuspended());

        QCOMPARE(voyage.doc->GetVoyage().GetCount(), 3);
        const CPosition* fix = voyage.doc->GetLastFix();
        QCOMPARE(fix->GetName(), std::string("GPS Fix 06 Dec 12:00 UTC"));
        QCOMPARE(fix->GetTime(), CTime::FromUtc(2026, 12, 6, 11, 45, 0));
        QCOMPARE(fix->GetLatitude(), 49 + 41.5 / 60);
        QCOMPARE(fix->GetLongitude(), -3.5);
        QCOMPARE(voyage.doc->GetPresentPosition().GetLatitude(), fix->GetLatitude());
        QVERIFY(voyage.doc->IsModified());
        QVERIFY(voyage.fake.prompts.History().empty());
        QCOMPARE(voyage.Log(),
                 std::string("12/06/26  12:00:20  GPS Fix 06 Dec 12:00 UTC49:41.50 North  3:30.00 West\r\n"));
    }

    void badEntriesAreRefusedAndKept() {
        Voyage voyage;
        voyage.fake.settings.SetInt(kSettingsSection, "logpos", 0);
        CKeelmarkLiteView view(*voyage.doc);
        QStringList messages;
        bool openAfterRange = false, openAfterAhead = false, dayFocused = false, minutesFocused = false;
        QString keptMinutes;
        OnNextModal<CDialogPositionFix>([&](CDialogPositionFix* d) {
            Type(d, "6", "11", "45");
            Type(d->LatitudeEdit(), "49", "60", 0);
            d->accept();
            // Where focus went inside the dialog, whether or not its window is active just now.
            minutesFocused = d->focusWidget() == d->LatitudeEdit()->MinutesEdit();
            keptMinutes = d->LatitudeEdit()->MinutesEdit()->text();
            openAfterRange = d->isVisible();

            Type(d->LatitudeEdit(), "49", "59.5", 0);
            Type(d, "6", "12", "1"); // a minute ahead of the clock
            d->accept();
            openAfterAhead = d->isVisible();
            dayFocused = d->focusWidget() == d->UtcEntry()->DayEdit();
            for (const std::string& text : voyage.fake.prompts.Texts())
                messages << QString::fromStdString(text);

            Type(d, "6", "12", "0");
            d->accept();
        });
        view.Execute(Command::GpsUpdate);
        QVERIFY(openAfterRange);
        QVERIFY(minutesFocused);
        QCOMPARE(keptMinutes, QStringLiteral("60"));
        QVERIFY(openAfterAhead);
        QVERIFY(dayFocused);
        QCOMPARE(messages, QStringList({"Please enter a number between 0 and 59.9999.",
                                        "Date and time can not be ahead of present time!"}));
        QCOMPARE(voyage.doc->GetVoyage().GetCount(), 3);
        QCOMPARE(voyage.doc->GetLastFix()->GetLatitude(), 49 + 59.5 / 60);
        QCOMPARE(voyage.doc->GetLastFix()->GetTime(), CTime::FromUtc(2026, 12, 6, 12, 0));
        QCOMPARE(voyage.Log(), std::string()); // "logpos" off
        QVERIFY(!view.IsSuspended());
    }

    void cancelChangesNothing() {
        Voyage voyage;
        CKeelmarkLiteView view(*voyage.doc);
        OnNextModal<CDialogPositionFix>([&](CDialogPositionFix* d) {
            Type(d->LatitudeEdit(), "10", "0", 1);
            d->reject();
        });
        view.Execute(Command::GpsUpdate);
        QCOMPARE(voyage.doc->GetVoyage().GetCount(), 2);
        QCOMPARE(voyage.doc->GetPresentPosition().GetLatitude(), 49.8);
        QVERIFY(!voyage.doc->IsModified());
        QVERIFY(!view.IsSuspended());
        QCOMPARE(voyage.Log(), std::string());
    }
};

QTEST_MAIN(PositionFixDialogTest)
#include "position_fix_dialog_test.moc"
