// The Reports menu: the report sheet, the line dialog and the scheduler.
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

#include <filesystem>

#include "app/ui/dashboard_view.h"
#include "reports/report_schedule.h"
#include "reports/ui/report_sheet.h"
#include "reports/ui/schedule_sheet.h"
#include "ui/qt_test_support.h"

namespace {

struct Reports : CQtTestVoyage {
    CKeelmarkLiteView view;
    Reports() : view(*doc) {
        std::filesystem::create_directory(Path("out"));
        Set("outbox", Path("out"));
    }
    template <typename T> void Run(Command command, std::function<void(T*)> act) { RunDialog<T>(view, command, act); }
};

QStringList Lines(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// The line dialog's next showing: label and code, then OK.
void OnNextLine(const QString& label, int code) {
    OnNextModal<CDialogReportLine>([=](CDialogReportLine* d) {
        d->LabelEdit()->setText(label);
        d->CodeList()->setCurrentIndex(code);
        Press(d, "OK");
    });
}

} // namespace

class ReportDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void newReportEditsLinesSavesAndSends() {
        Reports r;
        r.fake.files.ScriptPath(r.Path("noon.k7r"));
        QStringList seen;
        r.Run<CReportSheet>(Command::NewReport, [&](CReportSheet* s) {
            seen << s->windowTitle() << Field(*s, "fileName");
            for (int i = 0; i < s->Tabs()->count(); ++i)
                seen << s->Tabs()->tabText(i);
            s->General()->SelectButton()->click();
            CPageReportMessage* m = s->MessagePage();
            seen << Lines(m->Lines()).first();
            m->EditButton()->click(); // nothing chosen
            m->DeleteButton()->click();
            OnNextLine("Call sign: ", CReport::kCallSign);
            m->AddButton()->click();
            m->Lines()->setCurrentRow(1);
            m->DeleteButton()->click();
            m->Lines()->setCurrentRow(0);
            OnNextLine("Name: ", CReport::kShipsName);
            m->EditButton()->click();
            seen << Lines(m->Lines()).join('|');
            s->HeaderPage()->FooterEdit()->setPlainText("");
            s->General()->SendBox()->setChecked(true);
            Press(s, "OK");
            seen << r.Prompts().join('|') << QString::number(s->isVisible()); // no address: stays open
            s->General()->AddressEdit()->setText("owners@example.org");
            Press(s, "OK");
        });
        QCOMPARE(seen, QStringList({"Edit Report", "New Report.k7r", "General", "Header and Footer", "Message",
                                    "Ship's name:   Unknown",
                                    "Name: Unknown|Longitude:  00:00.00 East|Present speed:   10.50|Present course:   "
                                    "185.00|Remaining distance:   108.00|Call sign: Unknown",
                                    "Please select line to edit|Please select line to delete|" +
                                        QString(kAddressNeeded), "1"}));
        CReport saved;
        QVERIFY(saved.LoadFile(r.Path("noon.k7r")));
        QCOMPARE(saved.GetLineCount(), 6);
        const auto sent = std::filesystem::directory_iterator(r.Path("out"))->path().string();
        QFile message(Q(sent));
        QVERIFY(message.open(QIODevice::ReadOnly));
        QVERIFY(message.readAll().startsWith("SMF-71\r\nTo: owners@example.org\r\nPosition Report"));
        QCOMPARE(r.Logged().back(), "Report sent " + sent);
    }

    void lineDialogListsEveryItemAndRefusesUnstorableText() {
        CDialogReportLine d("ETA: ", CReport::kEtaAtDestination);
        QCOMPARE(d.windowTitle(), QString("Report"));
        QCOMPARE(Entries(d.CodeList()).size(), CReport::kItemCodeCount);
        QCOMPARE(d.CodeList()->currentText(), QString("ETA at destination (date time UTC)"));
        d.LabelEdit()->insert(QString::fromUtf8("\u4e2d"));
        d.LabelEdit()->insert("X");
        QCOMPARE(d.Label(), std::string("ETA: X"));
        CDialogReportLine unknown("", 42); // a code from a newer file is kept
        QCOMPARE(unknown.Code(), 42);
    }

    void schedulerStoresItsTimes() {
        Reports r;
        CReport().SaveFile(r.Path("noon.k7r"));
        r.fake.files.ScriptPath(r.Path("noon.k7r"));
        QStringList seen;
        r.Run<CSheetSchedule>(Command::ReportScheduler, [&](CSheetSchedule* s) {
            s->General()->SendBox()->setChecked(true);
            s->General()->AddressEdit()->setText("ops");
            seen << r.Refusal(s, s->Times()->NextDayEdit(), "0"); // no file yet
            s->General()->SelectButton()->click();
            seen << r.Refusal(s, s->Times()->NextDayEdit(), "0");
            seen << r.Refusal(s, s->Times()->NextDayEdit(), "32");
            s->Times()->DailyButton()->setChecked(true);
            s->Times()->DailyHourEdit()->setText("6");
            s->Times()->NextDayEdit()->setText("7");
            s->Times()->NextHourEdit()->setText("24");
            Press(s, "OK");
        });
        QCOMPARE(seen, QStringList({"<focus elsewhere>", kScheduleDayNeeded,
                                    "Please enter an integer between 0 and 31."}));
        const CReportSchedule s = CReportSchedule::Load();
        QCOMPARE(QStringList({Q(s.reportFile), Q(s.address), Q(s.due->IsoText())}),
                 QStringList({Q(r.Path("noon.k7r")), "ops", "2026-12-08T00:00:00Z"}));
        QVERIFY(s.send && s.daily && s.dailyHour == 6);
    }
};

QTEST_MAIN(ReportDialogsTest)
#include "report_dialogs_test.moc"
