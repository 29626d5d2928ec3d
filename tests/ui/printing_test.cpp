// The printed forms (checked through PDF), "Select output" and the calculators.
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRadioButton>
#include <QtTest>

#include "app/printouts.h"
#include "app/ui/calculator_dialogs.h"
#include "app/ui/dashboard_view.h"
#include "app/ui/print_commands.h"
#include "core/ui/printing.h"
#include "ui/qt_test_support.h"

namespace {

// The PDF's text as pdftotext lays it out; pages end with a form feed.
QString PdfText(CQtTestVoyage& v, Printout which) {
    const std::string path = v.Path("form.pdf");
    std::string error;
    if (!PrintFormToPdf([&](int h) { return BuildPrintout(which, *v.doc, h); }, path, error)) return Q(error);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), Q(path), QStringLiteral("-")});
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// The first of `texts` missing from `text` after the ones before it; empty when all are there in order.
QString MissingInOrder(const QString& text, const QStringList& texts) {
    qsizetype at = 0;
    for (const QString& t : texts) {
        const qsizetype found = text.indexOf(t, at);
        if (found < 0) return t + QStringLiteral("\n--- in ---\n") + text.mid(at);
        at = found + t.size();
    }
    return {};
}

const QStringList kListTail = {QStringLiteral("Printed via Keelmark Lite at Sunday 06 Dec"),
                               QStringLiteral("Local System Time")};

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    void FormsPrintTheirLinesInOrder() {
        CQtTestVoyage v(CQtTestVoyage::Route::Meridian);
        CVessel& vessel = v.doc->GetVessel();
        vessel.m_name = "Tessmoor";
        vessel.m_callSign = "PDKM";
        vessel.m_draftForward = 8.0, vessel.m_draftAft = 9.0, vessel.m_eyeHeight = 30.0, vessel.m_mastHeight = 45.0;
        vessel.m_suezNett = 1234.5;
        v.doc->GetVoyage().SetTexts("Rotterdam - Brest", "North Sea Line", "V042");
        v.doc->GetPort().m_agent.m_phone = "+33 2 98";
        v.doc->GetPort().m_callUnit = CPort::kCallMiles;
        // Each form's texts in their order; pdftotext sets words apart by one
        // space or by a column's width, so runs of spaces compare as one.
        const std::pair<Printout, const char*> forms[] = {
            {Printout::NoonReport,
             "NOON REPORT|Date and time:|Sunday 06 Dec 12:00 Local Time|Present Position:|49:24.00 North|0:00.00 East|"
             "Popular:|Distance Remaining:|84.00 nM|Total Distance made:|36.00 nM|Total Distance:|120.00 nM|"
             "Total Hrs Run:|4.00 Hrs (9.00 kts)|Total Hrs Remaining:|6.00 Hrs|Present speed:|12.00 kts at 66.00 rpm|"
             "Required speed:|14.00 kts at"},
            {Printout::WaypointList,
             "WAYPOINT LIST|Route: Rotterdam - Brest|Service: North Sea Line|Vessel: Tessmoor|Name:|Latitude|Longitude|"
             "Course|Distance|Proceed|ETA|Departure|50:00.00 North|0:00.00 East|180.00|12.00|Rhumbline|Mid|"
             "49:30.00 North|Arrival|48:00.00 North|Total Distance 120.00 nM|Printed via Keelmark Lite at Sunday 06 "
             "Dec"},
            {Printout::PositionFixes,
             "POSITION FIXES|Voyage: V042|Service: North Sea Line|Vessel: Tessmoor|Date "
             "(UTC):|Latitude|Longitude|Course|"
             "Speed|Engine rpm|Av. Draft|06 Dec 09:00|49:48.00 North|06 Dec 10:00|49:24.00 North|Printed via"},
            {Printout::VesselInformation,
             "VESSEL INFO|Vessel: Tessmoor|Voyage: V042|Service: North Sea Line|General Data|Callsign: PDKM|"
             "Int. number: Unknown|Home Port: Unknown|Launched: today|Master: me|Draft and Airdraft|"
             "Draft Forward: 8.00 mtr|Draft Aft: 9.00 mtr|Airdraft: 36.50 mtr|EyeHeight: 21.50 mtr|"
             "Stability Information|Present GM: 0.00 mtr|Present displacement: 0.00 mT|Present deadweight: 0.00 mT|"
             "Tonnages|International Gross Tonnage 0.00|International Nett Tonnage|Suez Gross Tonnage 0.00|"
             "Suez Nett Tonnage 1234.50|Panama Gross Tonnage|Panama Nett Tonnage|Dimensions|Length over all 0.00 mtr|"
             "Length between pp|Maximum breadth|Maximum allowed draft|Displacement at max draft 0.00 mT|Printed via"},
            {Printout::ArrivalInformation,
             "ARRIVAL INFO|Port: Arrival|Vessel: Tessmoor|Voyage: V042|Service: North Sea Line|Port Information|"
             "Scheduled ETA: Sunday 06 Dec 18:00 System Time|Scheduled ETD:|System Time|Agent:|Telephone: +33 2 98|"
             "E-mail:|Port Control:|VHF Channel:|Call 2 hours before arrival|Pilot:|VHF Channel:|"
             "Call 3.00 nM before pilotstation|Prepare pilotladder on Port|Prepare pilotladder 1.00 mtr above water|"
             "Salinity at berth: 1025|Maximum allowed draft: 25.00 meters|Maximum allowed airdraft: 75.00 meters|"
             "Printed via Keelmark Lite at Sunday 06 Dec 12:00 Local System Time"},
        };
        const QRegularExpression spaces(QStringLiteral(" +"));
        for (const auto& [form, lines] : forms) {
            const QString text = PdfText(v, form).replace(spaces, QStringLiteral(" "));
            QCOMPARE(MissingInOrder(text, QString::fromUtf8(lines).split(u'|')), QString());
            QCOMPARE(text.count(u'\f'), 1);
        }
        // Fixes never on the waypoint list, waypoints never on the fixes.
        QVERIFY(!PdfText(v, Printout::WaypointList).contains(QStringLiteral("Fix A")));
        QVERIFY(!PdfText(v, Printout::PositionFixes).contains(QStringLiteral("Mid")));
    }

    void LongRouteGoesOnOverPagesWithItsColumnHeads() {
        CQtTestVoyage v;
        CVoyage& route = v.doc->GetVoyage();
        const CPosition* after = route.GetFirst();
        for (int i = 1; i <= 60; ++i) {
            CPosition* w = route.InsertWaypointAfter(after, *after, CQtTestVoyage::kNow);
            w->SetName("WP" + std::to_string(i));
            w->SetLatitude(50.0 - i * 0.03);
            after = w;
        }
        const QString text = PdfText(v, Printout::WaypointList);
        const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        for (const QString& page : pages)
            QCOMPARE(MissingInOrder(page, {"WAYPOINT LIST", "Name:", "Latitude", "ETA", "WP"}), QString());
        QStringList order;
        for (int i = 1; i <= 60; ++i)
            order << QStringLiteral("WP%1 ").arg(i);
        QCOMPARE(MissingInOrder(text, order + QStringList{"Brest", "Total Distance"} + kListTail), QString());
    }

    void SelectOutputKeepsTheChoiceAfterACancelledPrinterDialog() {
        CQtTestVoyage v;
        CKeelmarkLiteView view(*v.doc);
        QStringList seen;
        auto select = [&](int pick, const char* button) {
            OnNextModal<CDialogSelectOutput>([&seen, pick, button](CDialogSelectOutput* d) {
                QStringList names;
                for (int i = 0; i < kPrintoutCount; ++i)
                    names << d->Button(i)->text();
                seen << d->windowTitle() + ":" + names.join(',') + ":" + QString::number(d->Choice());
                d->Button(pick)->setChecked(true);
                Press(d, button);
            });
        };
        bool printerAsked = false;
        auto cancelPrinter = [&] {
            OnNextModal<QPrintDialog>([&printerAsked](QPrintDialog* d) {
                printerAsked = true;
                d->reject();
            });
        };
        select(1, "OK");
        cancelPrinter();
        view.Execute(Command::FilePrint);
        QVERIFY(printerAsked);
        // Cancel keeps the choice and still goes on to the printer.
        printerAsked = false;
        select(3, "Cancel");
        cancelPrinter();
        view.Execute(Command::FilePrint);
        QVERIFY(printerAsked);
        select(4, "OK");
        OnNextModal<QPrintPreviewDialog>([](QPrintPreviewDialog* d) { d->reject(); });
        view.Execute(Command::FilePrintPreview);
        select(0, "Cancel");
        cancelPrinter();
        view.Execute(Command::FilePrint);
        const QString names = QStringLiteral("Standard NOON report,Waypoint list,List of past position fixes,"
                                             "Vessel information,Standard arrival information");
        QCOMPARE(seen, QStringList({"Select output:" + names + ":0", "Select output:" + names + ":1",
                                    "Select output:" + names + ":1", "Select output:" + names + ":4"}));
    }

    void Calculators() {
        CQtTestVoyage v;
        CKeelmarkLiteView view(*v.doc);
        QStringList shown;
        RunDialog<CDialogETA>(view, Command::CalculateEta, [&](CDialogETA* d) {
            shown << d->windowTitle() << QString::number(d->m_reduce->isChecked());
            d->m_reduce->click(); // stored at once
            shown << QString::number(v.fake.settings.GetInt(kSettingsSection, "navreduce", -1));
            d->m_speed->setText("10");
            d->CalculateButton()->click();
            shown << d->m_eta->text();
            d->m_speed->setText("0");
            d->CalculateButton()->click();
            shown << d->m_eta->text() + "|";
            d->close();
        });
        QCOMPARE(shown, QStringList({"ETA Calculation", "0", "1", "Sunday 06 Dec 22:48", "|"}));

        CDialogSquad squad(10, 0.8, 9.0);
        squad.CalculateButton()->click();
        QStringList squat{squad.m_condition->currentText(), squad.m_squat->text(), squad.m_maxDraft->text()};
        squad.m_condition->setCurrentIndex(0);
        squad.CalculateButton()->click();
        squat << Entries(squad.m_condition).join(',') << squad.m_squat->text() << squad.m_maxDraft->text();
        QCOMPARE(squat, QStringList({"Open Sea", "0.8", "9.8", "Canal,Open Sea", "1.6", "10.6"}));

        CDialogWheelOver wheel(350, 10, 12);
        wheel.CalculateButton()->click();
        const QString before = wheel.m_wheelOver->text();
        v.fake.prompts.Clear();
        wheel.m_rateOfTurn->setText("4");
        wheel.CalculateButton()->click();
        QCOMPARE(QStringList({before, v.Prompts().join('|'), wheel.m_wheelOver->text()}),
                 QStringList({"0.2", "Please enter a number between 5 and 60.", "0.2"}));

        CDialogGeoRange range(16), dry(-1);
        range.m_height->setValue(49);
        dry.m_height->setValue(49);
        QCOMPARE(QStringList({range.m_range->text(), dry.m_range->text()}), QStringList({"22.99", ""}));

        CDialogMetric metric;
        QTest::keyClicks(metric.m_value, "0"); // "00"
        metric.m_value->clear();
        QTest::keyClicks(metric.m_value, "10");
        QStringList conversions{metric.m_conversion->currentText(), metric.m_result->text()};
        metric.m_conversion->setCurrentIndex(5);
        conversions << metric.m_result->text();
        metric.m_value->clear();
        QTest::keyClicks(metric.m_value, "x");
        conversions << metric.m_result->text();
        QCOMPARE(conversions, QStringList({"fathoms to meters", "18.288", "5.46806649168854", ""}));

        CDialogShoreDistance shore(16, 49.8, 0.0);
        QStringList distances;
        shore.m_height->setText("100");
        shore.m_minutes->setText("30");
        shore.CalculateButton()->click(); // no method chosen: nothing changes
        distances << shore.m_distance->text();
        shore.m_method->setCurrentIndex(1);
        shore.CalculateButton()->click();
        distances << shore.m_distance->text();
        shore.m_method->setCurrentIndex(0);
        shore.m_minutes->setText("0");
        shore.CalculateButton()->click();
        distances << shore.m_distance->text() + "|";
        QCOMPARE(distances, QStringList({"0", "6.1", "|"}));
        QVERIFY2(shore.m_nearestShore->text().contains(QStringLiteral(" nM, bearing ")),
                 qPrintable(shore.m_nearestShore->text()));
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
