// The celestial dialogs, each opened through the dashboard as the program opens it.
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "app/ui/dashboard_view.h"
#include "astro/almanac_builder.h"
#include "astro/sight_reduction.h"
#include "astro/ui/almanac_dialog.h"
#include "core/ui/arrival_pages.h"
#include "astro/ui/astro_edit_sheet.h"
#include "astro/ui/celestial_azimuth_dialog.h"
#include "astro/ui/observation_dialog.h"
#include "astro/ui/pending_observations_dialog.h"
#include "astro/ui/starfinder_dialog.h"
#include "astro/ui/times_dialog.h"
#include "core/conversion.h"
#include "document/ui/position_sheet.h"
#include "ui/qt_test_support.h"

namespace {

// The Channel crossing at noon, the almanac the Sun and Sirius (its place of 2000).
struct Astro : CQtTestVoyage {
    CKeelmarkLiteView view;
    Astro() : view(*doc) { Almanac().AddObject()->SetStar("Sirius", "257", kAstroStar, -16.716, 0, 101.287, 0, -1.46); }
    CAlmanac& Almanac() { return doc->GetAlmanac(); }
    CPosition& Present() { return doc->GetPresentPosition(); }
    template <typename T> void Run(Command command, std::function<void(T*)> act) { RunDialog<T>(view, command, act); }
};

QStringList Column(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

QStringList Header(const QTreeWidget* list) {
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        texts << list->headerItem()->text(c);
    return texts;
}

void ClickRow(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QLineEdit* Edit(QAbstractSpinBox* spin) { return spin->findChild<QLineEdit*>(); }

// Types into a spin box and presses OK: the refusal shown, or what went wrong instead.
QString SpinRefusal(CQtTestVoyage& v, QDialog* dialog, QAbstractSpinBox* spin, const QString& text) {
    v.fake.prompts.Clear();
    Edit(spin)->setText(text);
    Press(dialog, "OK");
    if (!dialog->isVisible()) return QStringLiteral("<closed>");
    return FocusedWithin(spin) ? v.Prompts().join(u'|') : QStringLiteral("<focus elsewhere>");
}

} // namespace

class AstroDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void almanacEditsAndDeletesKeepingOneObject() {
        Astro a;
        QStringList seen;
        a.Run<CDialogAlmanac>(Command::AlmanacData, [&](CDialogAlmanac* d) {
            seen << Header(d->List()) << Column(d->List(), 2).last();
            d->EditButton()->click();
            d->DeleteButton()->click();
            seen << a.Prompts();
            OnNextModal<CSheetAstroEdit>([&](CSheetAstroEdit* s) {
                s->NamePage()->NameEdit()->setText("Canopus");
                s->OrbitPage()->Field(4, 0)->setText("x"); // not applied to a star: not checked
                seen << a.Refusal(s, s->StarPage()->DeclinationEdit(), "-95") << s->Tabs()->tabText(2);
                s->StarPage()->DeclinationEdit()->setText("-52.7");
                Press(s, "OK");
            });
            ClickRow(d->List(), 1);
            d->EditButton()->click();
            seen << Column(d->List(), 0) << Column(d->List(), 2).last();
            for (int i = 0; i < 2; ++i) {
                ClickRow(d->List(), 0);
                d->DeleteButton()->click();
            }
            seen << Column(d->List(), 0);
            Press(d, "OK");
        });
        QCOMPARE(seen, QStringList({"Name", "GHA", "Declination", "16:43 South", "Please select object to edit!",
                                    "Please select object to delete!", "Please enter a number between -90 and 90.",
                                    "Position", "Sun", "Canopus", "52:42 South", "Canopus"}));
        QCOMPARE(a.Prompts(),
                 QStringList({"Please enter a number between -90 and 90.", "Delete \"Sun\" from the almanac?",
                              "The almanac keeps at least one object."}));
        QVERIFY(a.Almanac().GetObjectCount() == 1 && a.Almanac().IsModified());
    }

    void observationKeepsTheSightAsEnteredAndRefusesBadInput() {
        Astro a;
        a.doc->GetVessel().m_eyeHeight = 16.0;
        QStringList seen;
        a.Run<CDialogAstroObservation>(Command::Observation, [&](CDialogAstroObservation* d) {
            seen << Entries(d->ObjectList()) << d->HoursSpin()->text() << d->SecondsSpin()->text();
            d->ObjectList()->setCurrentIndex(1);
            seen << SpinRefusal(a, d, d->SextantDegreesSpin(), "") << SpinRefusal(a, d, d->SextantDegreesSpin(), "0");
            Edit(d->SextantDegreesSpin())->setText("30");
            Press(d, "OK");
        });
        QCOMPARE(seen, QStringList({"Sun", "Sirius", "12", "20", "Please enter an integer between 0 and 90.",
                                    CDialogAstroObservation::kNoSextantAltitudeText}));
        const CTime at = CQtTestVoyage::kNow;
        const SightReduction sight = ReduceSight(*a.Almanac().GetObject(1), a.Present(), at, 30.0, 16.0);
        CTime time;
        double intercept = 0, azimuth = 0;
        QCOMPARE(a.Almanac().GetObservation(0, time, intercept, azimuth), std::string("Sirius"));
        QVERIFY(time == at && intercept == sight.intercept && azimuth == sight.azimuth && intercept != 0);
    }

    void starfinderListsVisibleOrAllObjects() {
        Astro a;
        QList<int> counts;
        QStringList seen;
        a.Run<CDialogStarfinder>(Command::Starfinder, [&](CDialogStarfinder* d) {
            counts << d->List()->topLevelItemCount();
            seen << Header(d->List()) << Column(d->List(), 0);
            d->ShowButton(1)->click();
            counts << d->List()->topLevelItemCount();
            seen << Column(d->List(), 1).last() << Column(d->List(), 3).last();
            d->DataButton(1)->click();
            seen << Header(d->List()).mid(1);
            Press(d, "Cancel");
        });
        // At noon in December the Sun stands low in the south and Sirius is down.
        QCOMPARE(counts, QList<int>({1, 2}));
        QCOMPARE(seen, QStringList({"Name", "Elevation", "Azimuth", "Magnitude", "Sun", "down", "-1.46", "Rise",
                                    "Mer.Pas.", "Set"}));
    }

    void pendingObservationsCheckRemoveAndTakeTheFix() {
        Astro a;
        QStringList seen;
        a.Run<CDialogPendingObservations>(Command::PendingObservations, [&](CDialogPendingObservations* d) {
            d->CalculateButton()->click(); // no sights yet: stays open
            for (auto [intercept, azimuth] : {std::pair(3.0, 0.0), {0.0, 90.0}, {0.0, 270.0}, {5.0, 45.0}})
                a.Almanac().AddObservation(CQtTestVoyage::kNow, "Sirius", intercept, azimuth);
            d->Refresh();
            seen << Header(d->List()) << Column(d->List(), 2) << Column(d->List(), 1).first();
            d->RemoveButton()->click();
            d->CheckButton()->click();
            ClickRow(d->List(), 3);
            d->RemoveButton()->click();
            d->CheckButton()->click();
            seen << Column(d->List(), 3);
            d->CalculateButton()->click();
        });
        QCOMPARE(seen, QStringList({"Name", "UTC", "dH", "Azimuth", "3.00", "0.00", "0.00", "5.00", "06 Dec 12:00",
                                    "0.00", "90.00", "270.00"}));
        // Three lines of position crossing 3' north: no scatter left to measure.
        const QStringList prompts = a.Prompts();
        QCOMPARE(prompts.mid(0, 2), QStringList({"Insufficient observations to calculate position",
                                                 CDialogPendingObservations::kSelectToRemoveText}));
        QVERIFY(prompts[2].startsWith("95% probability in minutes:\nLatitude: ") && prompts[2] != prompts[3]);
        QCOMPARE(prompts.mid(3), QStringList({"95% probability in minutes:\nLatitude: 0.00\nLongitude: 0.00",
                                              "Astroposition\n12:00:20\n49:51.00 North\n00:00.00 East\nDo you "
                                              "accept this position?"}));
        QCOMPARE(a.Logged(), std::vector<std::string>({"Astro Position Update: 49:51.00 North  00:00.00 East"}));
        QVERIFY(a.RouteNames().contains("AstroPosition 06 Dec 12:00"));
        QCOMPARE(a.Almanac().GetObservationCount(), 0);
    }

    void declinedFixChangesNothing() {
        Astro a;
        for (double azimuth : {0.0, 120.0, 240.0})
            a.Almanac().AddObservation(CQtTestVoyage::kNow, "Sun", 2.0, azimuth);
        a.fake.prompts.ScriptAnswer(PromptAnswer::No);
        const QStringList route = a.RouteNames();
        a.Run<CDialogPendingObservations>(Command::PendingObservations,
                                          [](CDialogPendingObservations* d) { d->CalculateButton()->click(); });
        QCOMPARE(a.Prompts().size(), 1);
        QVERIFY(a.RouteNames() == route && a.Almanac().GetObservationCount() == 3 && a.Logged().empty() &&
                !a.doc->IsModified());
    }

    void timesShowTheSunInUtcAndLocalMeanTime() {
        Astro a;
        a.Present().SetLongitude(60.0);
        QStringList seen;
        for (double latitude : {49.8, 80.0, -80.0}) {
            a.Present().SetLatitude(latitude);
            a.Run<CDialogTimes>(Command::LocalTimes, [&](CDialogTimes* d) {
                seen << d->TimeField(1, 0)->text() + "|" + d->TimeField(1, 1)->text();
                if (latitude > 0 && latitude < 50)
                    seen << d->UtcField()->text() << d->LocalMeanTimeField()->text() << d->SystemTimeField()->text();
                Press(d, "OK");
            });
        }
        QCOMPARE(seen, QStringList({"3:48.55|7:48.55", "Sunday 06 Dec 12:00", "Sunday 06 Dec 16:00",
                                    "Sunday 06 Dec 12:00", "99:00.00|99:00.00", "always above|always above"}));
    }

    void positionSheetShowsArrivalPages() {
        Astro a;
        BuildShippedAlmanac(a.Almanac(), 2027.0);
        CPosition& brest = *a.doc->GetVoyage().GetLast();
        brest.SetLongitude(60.0);
        brest.SetETA(CConversion::DayNumber(CQtTestVoyage::kNow) + 0.125); // 19:00 local mean time
        QStringList seen;
        OnNextModal<CSheetPosition>([&](CSheetPosition* s) {
            for (int i = 0; i < s->Tabs()->count(); ++i)
                seen << s->Tabs()->tabText(i);
            auto* astro = s->Tabs()->widget(CSheetPosition::kAstroPage)->findChild<CPagePosAstro*>();
            auto* times = s->Tabs()->widget(CSheetPosition::kTimesPage)->findChild<CPagePosTimes*>();
            seen << QString::number(!astro->TimeField(0, 0)->text().isEmpty() &&
                                    !astro->TimeField(1, 0)->text().isEmpty());
            seen << times->DifferenceField()->text() << times->UtcField()->text() << times->DayStateField()->text();
            seen << a.Refusal(s, times->ZoneOffsetEdit(), "13");
            times->ZoneOffsetEdit()->setText("5");
            Press(s, "OK");
        });
        QVERIFY(EditPosition(*a.doc, brest, "Edit Waypoint", nullptr));
        QCOMPARE(seen, QStringList({"Position", "Meteo", "Astro", "Local Times", "Performance", "1", "4:00.00 FAST",
                                    "Sunday 06 Dec 15:00", "NIGHT", "Please enter a number between -12 and 12."}));
        QCOMPARE(brest.GetZoneOffset(), 5.0);
    }

    void portSheetArrivalPage() {
        CQtTestVoyage v;
        const CPagePosTimes page(60.0, 2.0, CConversion::DayNumber(CQtTestVoyage::kNow), -5.0, true);
        QCOMPARE(
            QStringList({page.DifferenceField()->text(), page.UtcField()->text(), page.LocalMeanTimeField()->text(),
                         page.DayStateField()->text(), page.LocalTimeField()->text()}),
            QStringList({"4:00.00 hrs FAST", "06 Dec 12:00", "06 Dec 16:00", "TWILIGHT", "06 Dec 14:00"}));
    }

    void azimuthLogsTheCompassError() {
        Astro a;
        QStringList seen;
        a.Run<CDialogCelestialAzimuth>(Command::Azimuth, [&](CDialogCelestialAzimuth* d) {
            seen << d->CorrectionField()->text() << d->GyroField()->text();
            seen << a.Refusal(d, d->BearingEdit(), "360");
            const double azimuth = d->AzimuthField()->text().toDouble();
            d->BearingEdit()->setText(QString::number(azimuth - 0.75, 'f', 2));
            Press(d, "OK");
            seen << d->CorrectionField()->text();
        });
        QCOMPARE(seen, QStringList({"0", "1.02", "Please enter a number between 0 and 359.999999.", "0.75"}));
        QCOMPARE(a.Logged().size(), std::size_t(1));
        QVERIFY(
            QString::fromStdString(a.Logged()[0])
                .contains(QRegularExpression(
                    "^Azimuth Compass 1\\d\\d\\.\\d\\d deg, True = 1\\d\\d\\.\\d\\d deg, Correction = 0\\.75 deg$")));
    }

    void starsBroughtToDateMarkTheAlmanacUntilSaved() {
        Astro a;
        const double ra = a.Almanac().GetObject(1)->GetRightAscension();
        a.view.Execute(Command::AlmanacToDate);
        QCOMPARE(a.Prompts(),
                 QStringList({"Star positions brought to date: 1 star moved.\nSave the almanac to keep them."}));
        QVERIFY(a.Almanac().GetObject(1)->GetRightAscension() != ra && a.Almanac().IsModified());
        a.fake.files.ScriptPath(a.Path("saved.dat"));
        a.view.Execute(Command::AlmanacSave);
        QVERIFY(!a.Almanac().IsModified() && std::filesystem::exists(a.Path("saved.dat")));
    }
};

QTEST_MAIN(AstroDialogsTest)
#include "astro_dialogs_test.moc"
