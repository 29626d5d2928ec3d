// The Meteo menu: the meteo sheet, the hurricane list and its sheet, and the
// average weather.
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "app/ui/dashboard_view.h"
#include "core/ui/utc_entry.h"
#include "ui/qt_test_support.h"
#include "weather/hurricane_list.h"
#include "weather/ui/average_weather_dialog.h"
#include "weather/ui/hurricane_sheet.h"
#include "weather/ui/hurricanes_dialog.h"
#include "weather/ui/meteo_sheet.h"

namespace {

struct Weather : CQtTestVoyage {
    CKeelmarkLiteView view;
    Weather() : CQtTestVoyage(CQtTestVoyage::Route::Meridian, CTime::FromUtc(2026, 3, 10, 12, 0, 0)), view(*doc) {}
    template <typename T> void Run(Command command, std::function<void(T*)> act) { RunDialog<T>(view, command, act); }
    CHurricaneList& Cyclones() { return doc->GetCyclones(); }
};

template <typename Text> QStringList Texts(int count, Text text) {
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << text(i);
    return texts;
}
QStringList Column(const QTreeWidget* l, int c) {
    return Texts(l->topLevelItemCount(), [&](int i) { return l->topLevelItem(i)->text(c); });
}
QStringList Titles(const QTreeWidget* l) {
    return Texts(4, [&](int c) { return l->headerItem()->text(c); });
}
QStringList TabTitles(const QTabWidget* t) {
    return Texts(t->count(), [&](int i) { return t->tabText(i); });
}

// The cyclone sheet's next showing: fill it with `fill`, then press the button.
void OnNextCycloneSheet(std::function<void(CSheetHurricane*)> fill, const char* button) {
    OnNextModal<CSheetHurricane>([=](CSheetHurricane* sheet) {
        fill(sheet);
        Press(sheet, button);
    });
}

void FillCyclone(CSheetHurricane* s) {
    s->GeneralPage()->NameEdit()->setText("Ana");
    s->GeneralPage()->MaxWindEdit()->setText("60.01");
    s->PositionPage()->TimeEntry()->SetValues(10, 6, 30);
    s->PositionPage()->LatitudeEdit()->SetValues(15, 30, 0);
    s->PositionPage()->LongitudeEdit()->SetValues(60, 0, 1);
}

} // namespace

class WeatherDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void meteoSheetRefusesRangesAndConfirmsInOrder() {
        Weather w;
        CPosition* next = w.doc->GetNextWaypoint();
        QStringList tabs, current, after;
        QString low, high;
        bool readOnly = true;
        w.Run<CSheetMeteo>(Command::UpdateMeteo, [&](CSheetMeteo* sheet) {
            tabs = QStringList{sheet->windowTitle()} + TabTitles(sheet->Tabs());
            for (auto* field : sheet->Tabs()->widget(6)->findChildren<QLineEdit*>()) {
                readOnly = readOnly && field->isReadOnly();
                current << field->text();
            }
            auto* pressure = sheet->FindPage<CPageMeteoPressure>();
            low = w.Refusal(sheet, pressure->BarometerEdit(), "749.9");
            high = w.Refusal(sheet, pressure->BarometerEdit(), "1800.1");
            pressure->BarometerEdit()->setText("1800");
            sheet->FindPage<CPageMeteoWind>()->SpeedEdit()->setText("12.5");
            sheet->FindPage<CPageMeteoWind>()->DirectionEdit()->setText("270");
            sheet->FindPage<CPageMeteoWind>()->MethodButton(2)->setChecked(true);
            sheet->FindPage<CPageMeteoWeather>()->PresentWeather()->setValue(63);
            sheet->FindPage<CPageMeteoSky>()->TypeList(0)->setCurrentIndex(10);
            Press(sheet, "OK");
            for (auto* field : sheet->Tabs()->widget(6)->findChildren<QLineEdit*>())
                after << field->text();
        });
        QCOMPARE(tabs, QStringList({"Meteo", "Air Pressure", "Sky", "Temperatures", "Weather", "Wind", "Sea State",
                                    "Current"}));
        QVERIFY(readOnly);
        QCOMPARE(after, current);
        QCOMPARE(low, QStringLiteral("Please enter a number between 750 and 1800."));
        QCOMPARE(high, low);
        const CMeteoObs& obs = w.doc->GetMeteoObs();
        QCOMPARE(QList<double>({obs.m_barometer, obs.m_windSpeed, double(obs.m_windMethod),
                                double(obs.m_presentWeatherWw), double(obs.m_lowCloudType)}),
                 QList<double>({1800, 12.5, 2, 63, 10}));
        double direction = 0;
        std::int32_t count = 0;
        QCOMPARE(next->GetWeather(direction, count), 12.5);
        QCOMPARE(count, 1);
        QVERIFY(w.doc->IsModified());
        QCOMPARE(w.Log(), w.LogLine("Meteo updated Windspeed 12.50 kts Winddirection 270.00 deg Barometer 1800.00 mb"));
    }

    void hurricanesAddUpdateDeleteAndClose() {
        Weather w;
        CDialogHurricanes dialog(w.Cyclones(), w.doc->GetPresentPosition());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // Cancelled, and OK on day 0: no cyclone is left behind.
        OnNextCycloneSheet([](CSheetHurricane*) {}, "Cancel");
        dialog.AddButton()->click();
        QString caption, name;
        OnNextCycloneSheet(
            [&](CSheetHurricane* s) {
                caption = s->windowTitle() + "|" + TabTitles(s->Tabs()).join('|');
                name = s->GeneralPage()->NameEdit()->text() + "|" + s->PositionPage()->TimeEntry()->DayEdit()->text();
            },
            "OK");
        dialog.AddButton()->click();
        QCOMPARE(caption, QStringLiteral("New Hurricane|Properties|Position"));
        QCOMPARE(name, QStringLiteral("New Position|0"));
        QCOMPARE(w.Prompts(), QStringList({kHurricaneIncompleteText}));
        QCOMPARE(w.Cyclones().GetCount(), 0);

        OnNextCycloneSheet(FillCyclone, "OK");
        dialog.AddButton()->click();
        QCOMPARE(w.Cyclones().GetCount(), 1);
        QCOMPARE(Column(dialog.List(), 0) + Column(dialog.List(), 1) + Column(dialog.List(), 2),
                 QStringList({"Ana", "15:30.00 North", "60:00.00 West"}));
        QCOMPARE(w.Cyclones().GetAt(0)->GetKind(), kHurricaneKind);
        QVERIFY(!dialog.List()->topLevelItem(0)->icon(0).isNull());
        dialog.ShowButton(kHurricaneDistanceAndBearing)->click();
        QCOMPARE(Titles(dialog.List()), QStringList({"Name", "Distance", "Direction", "Radius"}));

        // Update asks for a selection; without changes it keeps the minutes to two decimals.
        w.fake.prompts.Clear();
        dialog.UpdateButton()->click();
        QCOMPARE(w.Prompts(), QStringList({kHurricaneNoSelectionText}));
        CPosition& ana = *w.Cyclones().GetAt(0);
        ana.SetLatitude(-(15 + 12.3456 / 60));
        ana.SetTime(CTime::FromUtc(2026, 3, 10, 6, 30, 42));
        dialog.List()->topLevelItem(0)->setSelected(true);
        CHurricaneEntry confirmed;
        OnNextModal<CSheetHurricane>([&](CSheetHurricane* s) {
            Press(s, "OK");
            confirmed = s->Entry();
        });
        dialog.UpdateButton()->click();
        QCOMPARE(ana.GetLatitude(), -(15 + 12.34 / 60));
        QCOMPARE(ana.GetLongitude(), -60.0);
        // Day, hour and minute kept; the refresh then dates the standing cyclone now.
        QCOMPARE(QList<int>({confirmed.day, confirmed.hour, confirmed.minute}), QList<int>({10, 6, 30}));
        QCOMPARE(ana.GetTime(), w.fake.clock.Now());

        w.fake.prompts.Clear();
        w.fake.prompts.ScriptAnswer(PromptAnswer::Yes);
        dialog.List()->topLevelItem(0)->setSelected(true);
        dialog.DeleteButton()->click();
        QCOMPARE(w.Prompts(), QStringList({"Delete Ana \nAre you Sure?"}));
        QCOMPARE(w.Cyclones().GetCount(), 0);
    }

    void hurricanesCloseMarksAndLogsButEscDoesNot() {
        Weather w;
        w.Run<CDialogHurricanes>(Command::Hurricanes, [](CDialogHurricanes* d) { d->reject(); });
        QVERIFY(!w.doc->IsModified());
        QVERIFY(w.Log().empty());
        w.Run<CDialogHurricanes>(Command::Hurricanes, [](CDialogHurricanes* d) { d->CloseButton()->click(); });
        QVERIFY(w.doc->IsModified());
        QCOMPARE(w.Log(), w.LogLine("Hurricane data updated"));
    }

    void averageWeatherSelectsAndSwitchesViews() {
        Weather w;
        QStringList rows, titles;
        w.Run<CDialogAverageWeather>(Command::AverageWeather, [&](CDialogAverageWeather* d) {
            rows << Column(d->List(), 0).join(',');
            d->SelectButton(1)->click();
            rows << Column(d->List(), 0).join(',') + ":" + Column(d->List(), 3).join(',');
            d->ViewButton(2)->click();
            rows << Column(d->List(), 0).join(',');
            titles = Titles(d->List());
            d->SelectButton(2)->click();
            rows << Column(d->List(), 0).join(',');
            Press(d, "OK");
        });
        QCOMPARE(rows, QStringList({"Departure,Mid,Arrival", "Fix A,Fix B:1000.00,1000.00", "Fix A,Fix B",
                                    "Departure,Fix A,Mid,Fix B,Arrival"}));
        QCOMPARE(titles, QStringList({"Position", "Av. Draft", "Av. RPM", "Av. Speed"}));
        QVERIFY(!w.doc->IsModified());
    }
};

QTEST_MAIN(WeatherDialogsTest)
#include "weather_dialogs_test.moc"
