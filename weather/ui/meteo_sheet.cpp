#include "weather/ui/meteo_sheet.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/conversion.h"
#include "core/ui/form_fields.h"
#include "core/ui/number_field.h"

namespace {

// Wide enough for "-1234.56" and a little more, not the width of the sheet.
void NumberWidth(QWidget* field) {
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("-00000.0000")) + 24);
}

// Shown only: greyed like the sheet, so that nobody tries to type into it.
QLineEdit* ReadOnlyEdit(QWidget* parent, const char* name, const QString& text, bool number = true) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
    if (number) NumberWidth(edit);
    return edit;
}

QString Figure(double value) { return GeneralNumberText(CConversion::Truncate(value, 2)); }

// A field with its unit behind it.
QComboBox* CodeList(QWidget* parent, const char* name, std::span<const char* const> entries, int index) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    // The long code texts must not widen the sheet beyond the screen.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(40);
    for (const char* entry : entries)
        list->addItem(QString::fromUtf8(entry));
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0));
    // The chosen entry may be cut short in the box: its whole text on hovering.
    list->setToolTip(list->currentText());
    QObject::connect(list, &QComboBox::currentTextChanged, list, &QComboBox::setToolTip);
    return list;
}

int ListIndex(const QComboBox* list) { return list->currentIndex(); }

// Reads a number field against the observation's range for that field.
bool ReadRanged(QLineEdit* edit, const char* field, double& value) {
    const CMeteoRange* range = FindMeteoRange(field);
    return ReadNumberField(edit, range->minimum, range->maximum, value);
}

bool ReadRanged(QLineEdit* edit, const char* field, std::int32_t& value) {
    const CMeteoRange* range = FindMeteoRange(field);
    int read = 0;
    if (!ReadIntegerField(edit, static_cast<int>(range->minimum), static_cast<int>(range->maximum), read)) return false;
    value = read;
    return true;
}

// A temperature has no range, but it must be a number.
bool ReadTemperature(QLineEdit* edit, double& value) { return ReadNumberField(edit, -1e9, 1e9, value); }

QSpinBox* CodeSpin(QWidget* parent, const char* name, const char* field, int value) {
    const CMeteoRange* range = FindMeteoRange(field);
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(static_cast<int>(range->minimum), static_cast<int>(range->maximum));
    spin->setValue(value);
    NumberWidth(spin);
    return spin;
}

template <std::size_t N> int Checked(QRadioButton* const (&buttons)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked()) return static_cast<int>(i);
    return -1;
}

} // namespace

CPageMeteoPressure::CPageMeteoPressure(const CMeteoObs& obs, QWidget* parent) : CMeteoPage(parent) {
    m_barometer = NumberEdit(this, "barometerEdit", obs.m_barometer);
    m_change = NumberEdit(this, "pressureChangeEdit", obs.m_pressureChange);
    m_tendency = CodeList(this, "pressureTendencyList", MeteoPressureTendencyList(), obs.m_pressureTendency);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Present Barometer Reading:"), WithUnit(m_barometer, QStringLiteral("mbar")));
    form->addRow(QStringLiteral("Change in last 90 minutes:"), WithUnit(m_change, QStringLiteral("mbar")));
    form->addRow(QStringLiteral("Trend in last 90 minutes:"), m_tendency);
}

bool CPageMeteoPressure::CopyBack(CMeteoObs& obs) {
    double barometer = 0.0, change = 0.0;
    if (!ReadRanged(m_barometer, "barometer", barometer) || !ReadRanged(m_change, "pressureChange", change))
        return false;
    obs.m_barometer = barometer;
    obs.m_pressureChange = change;
    obs.m_pressureTendency = ListIndex(m_tendency);
    return true;
}

CPageMeteoSky::CPageMeteoSky(const CMeteoObs& obs, QWidget* parent) : CMeteoPage(parent) {
    auto* general = new QGroupBox(QStringLiteral("General Appearance"), this);
    m_total = NumberEdit(general, "totalCloudCoverEdit", obs.m_totalCloudCover);
    m_height = NumberEdit(general, "averageCloudHeightEdit", obs.m_averageCloudHeight);
    m_tendency = CodeList(general, "skyTendencyList", MeteoGeneralAppearanceList(), obs.m_skyTendency);
    auto* generalForm = new QFormLayout(general);
    generalForm->addRow(QStringLiteral("Total Cloudcover:"), WithUnit(m_total, QStringLiteral("%")));
    generalForm->addRow(QStringLiteral("Av. Ht:"), m_height);
    generalForm->addRow(QStringLiteral("Tendency past 6 hrs:"), m_tendency);

    auto* clouds = new QGroupBox(QStringLiteral("Clouds"), this);
    auto* grid = new QGridLayout(clouds);
    const char* const titles[3] = {"Low (Cl)", "Middle (Cm)", "High (Ch)"};
    const std::int32_t covers[3] = {obs.m_lowCloudCover, obs.m_middleCloudCover, obs.m_highCloudCover};
    const std::int32_t types[3] = {obs.m_lowCloudType, obs.m_middleCloudType, obs.m_highCloudType};
    const std::span<const char* const> lists[3] = {MeteoLowCloudList(), MeteoMiddleCloudList(), MeteoHighCloudList()};
    const char* const coverNames[3] = {"lowCloudCoverEdit", "middleCloudCoverEdit", "highCloudCoverEdit"};
    const char* const typeNames[3] = {"lowCloudTypeList", "middleCloudTypeList", "highCloudTypeList"};
    for (int i = 0; i < 3; ++i) {
        m_cover[i] = NumberEdit(clouds, coverNames[i], covers[i]);
        m_type[i] = CodeList(clouds, typeNames[i], lists[i], types[i]);
        grid->addWidget(new QLabel(QString::fromLatin1(titles[i]), clouds), i, 0);
        grid->addWidget(WithUnit(m_cover[i], QStringLiteral("%")), i, 1);
        grid->addWidget(new QLabel(QStringLiteral("Type:"), clouds), i, 2);
        grid->addWidget(m_type[i], i, 3);
    }
    grid->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(clouds);
    layout->addStretch(1);
}

bool CPageMeteoSky::CopyBack(CMeteoObs& obs) {
    std::int32_t total = 0, covers[3] = {};
    double height = 0.0;
    if (!ReadRanged(m_total, "totalCloudCover", total) || !ReadRanged(m_height, "averageCloudHeight", height) ||
        !ReadRanged(m_cover[0], "lowCloudCover", covers[0]) || !ReadRanged(m_cover[1], "middleCloudCover", covers[1]) ||
        !ReadRanged(m_cover[2], "highCloudCover", covers[2]))
        return false;
    obs.m_totalCloudCover = total;
    obs.m_averageCloudHeight = height;
    obs.m_skyTendency = ListIndex(m_tendency);
    obs.m_lowCloudCover = covers[0];
    obs.m_middleCloudCover = covers[1];
    obs.m_highCloudCover = covers[2];
    obs.m_lowCloudType = ListIndex(m_type[0]);
    obs.m_middleCloudType = ListIndex(m_type[1]);
    obs.m_highCloudType = ListIndex(m_type[2]);
    return true;
}

CPageMeteoTemp::CPageMeteoTemp(const CMeteoObs& obs, QWidget* parent) : CMeteoPage(parent) {
    const QString celcius = QStringLiteral("Celcius");
    auto* air = new QGroupBox(QStringLiteral("Air"), this);
    m_dry = NumberEdit(air, "dryTemperatureEdit", obs.m_dryTemperature);
    m_wet = NumberEdit(air, "wetTemperatureEdit", obs.m_wetTemperature);
    auto* airForm = new QFormLayout(air);
    airForm->addRow(QStringLiteral("Dry Temperature:"), WithUnit(m_dry, celcius));
    airForm->addRow(QStringLiteral("Wet Temperature:"), WithUnit(m_wet, celcius));
    airForm->addRow(QStringLiteral("Condensation Temp:"),
                    WithUnit(ReadOnlyEdit(air, "dewPointField", Figure(obs.m_dewPoint)), celcius));
    airForm->addRow(QStringLiteral("Humidity:"),
                    WithUnit(ReadOnlyEdit(air, "humidityField", Figure(obs.m_humidity)), QStringLiteral("%")));

    auto* sea = new QGroupBox(QStringLiteral("Sea"), this);
    m_sea = NumberEdit(sea, "seaTemperatureEdit", obs.m_seaTemperature);
    m_method[0] = new QRadioButton(QStringLiteral("Measurement via seawater thermometer and bucket"), sea);
    m_method[1] = new QRadioButton(QStringLiteral("Measurement via engineroom inlet thermometer"), sea);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i)
        group->addButton(m_method[i], i);
    if (obs.m_seaTemperatureMethod == 0 || obs.m_seaTemperatureMethod == 1)
        m_method[obs.m_seaTemperatureMethod]->setChecked(true);
    auto* seaForm = new QFormLayout(sea);
    seaForm->addRow(QStringLiteral("Seawater Temp."), WithUnit(m_sea, celcius));
    seaForm->addRow(m_method[0]);
    seaForm->addRow(m_method[1]);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(air);
    layout->addWidget(sea);
    layout->addStretch(1);
}

bool CPageMeteoTemp::CopyBack(CMeteoObs& obs) {
    double dry = 0.0, wet = 0.0, sea = 0.0;
    if (!ReadTemperature(m_dry, dry) || !ReadTemperature(m_wet, wet) || !ReadTemperature(m_sea, sea)) return false;
    obs.m_dryTemperature = dry;
    obs.m_wetTemperature = wet;
    obs.m_seaTemperature = sea;
    // No button checked keeps what the record held.
    if (const int method = Checked(m_method); method >= 0) obs.m_seaTemperatureMethod = method;
    return true;
}

CPageMeteoWeather::CPageMeteoWeather(const CMeteoObs& obs, QWidget* parent) : CMeteoPage(parent) {
    auto* hour = new QGroupBox(QStringLiteral("Past hour:"), this);
    m_precipitation = new QCheckBox(QStringLiteral("Precipation during observation"), hour);
    m_precipitation->setObjectName(QStringLiteral("precipitationBox"));
    m_precipitation->setChecked(obs.m_precipitation);
    m_ww = CodeSpin(hour, "presentWeatherSpin", "presentWeatherWw", obs.m_presentWeatherWw);
    auto* hourForm = new QFormLayout(hour);
    hourForm->addRow(m_precipitation);
    hourForm->addRow(QStringLiteral("Description of weather: (ww-code)"), m_ww);

    auto* six = new QGroupBox(QStringLiteral("Past 6 hours:"), this);
    m_w1 = CodeSpin(six, "pastWeather1Spin", "pastWeatherW1", obs.m_pastWeatherW1);
    m_w2 = CodeSpin(six, "pastWeather2Spin", "pastWeatherW2", obs.m_pastWeatherW2);
    auto* sixForm = new QFormLayout(six);
    sixForm->addRow(QStringLiteral("General description (W1 code)"), m_w1);
    sixForm->addRow(QStringLiteral("Further observations: (W2 code)"), m_w2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hour);
    layout->addWidget(six);
    layout->addStretch(1);
}

bool CPageMeteoWeather::CopyBack(CMeteoObs& obs) {
    obs.m_precipitation = m_precipitation->isChecked();
    obs.m_presentWeatherWw = m_ww->value();
    obs.m_pastWeatherW1 = m_w1->value();
    obs.m_pastWeatherW2 = m_w2->value();
    return true;
}

CPageMeteoWind::CPageMeteoWind(const CMeteoObs& obs, QWidget* parent) : CMeteoPage(parent) {
    m_speed = NumberEdit(this, "windSpeedEdit", obs.m_windSpeed);
    m_direction = NumberEdit(this, "windDirectionEdit", obs.m_windDirection);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("True Windspeed:"), WithUnit(m_speed, QStringLiteral("kts")));
    form->addRow(QStringLiteral("True Winddirection:"), WithUnit(m_direction, QStringLiteral("degrees")));
    form->addRow(QStringLiteral("Beaufort Scale"),
                 ReadOnlyEdit(this, "beaufortField", QString::number(obs.m_beaufortForce)));
    const char* const methods[3] = {"Estimated from seastate (waves, etc)",
                                    "Measured via anemometer (reading relative), corrected for shipsspeed/course",
                                    "Measured via anemometer (automatically corrected for shipsspeed/course)"};
    auto* group = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    for (int i = 0; i < 3; ++i) {
        m_method[i] = new QRadioButton(QString::fromLatin1(methods[i]), this);
        group->addButton(m_method[i], i);
        layout->addWidget(m_method[i]);
    }
    if (obs.m_windMethod >= 0 && obs.m_windMethod <= 2) m_method[obs.m_windMethod]->setChecked(true);
    layout->addStretch(1);
}

bool CPageMeteoWind::CopyBack(CMeteoObs& obs) {
    double speed = 0.0, direction = 0.0;
    if (!ReadRanged(m_speed, "windSpeed", speed) || !ReadRanged(m_direction, "windDirection", direction)) return false;
    obs.m_windSpeed = speed;
    obs.m_windDirection = direction;
    if (const int method = Checked(m_method); method >= 0) obs.m_windMethod = method;
    return true;
}

CPageMeteoSea::CPageMeteoSea(const CMeteoObs& obs, QWidget* parent) : CMeteoPage(parent) {
    auto* waves = new QGroupBox(QStringLiteral("Waves"), this);
    m_waveHeight = NumberEdit(waves, "waveHeightEdit", obs.m_waveHeight);
    m_wavePeriod = NumberEdit(waves, "wavePeriodEdit", obs.m_wavePeriod);
    auto* wavesForm = new QFormLayout(waves);
    wavesForm->addRow(QStringLiteral("Average Wave Height:"), WithUnit(m_waveHeight, QStringLiteral("mtr")));
    wavesForm->addRow(QStringLiteral("Average Wave Period:"), WithUnit(m_wavePeriod, QStringLiteral("sec")));

    auto* swell = new QGroupBox(QStringLiteral("Swell"), this);
    auto* grid = new QGridLayout(swell);
    const double directions[2] = {obs.m_swell1Direction, obs.m_swell2Direction};
    const double heights[2] = {obs.m_swell1Height, obs.m_swell2Height};
    const double periods[2] = {obs.m_swell1Period, obs.m_swell2Period};
    grid->addWidget(new QLabel(QStringLiteral("Directions"), swell), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Average Height:"), swell), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Average Period:"), swell), 2, 0);
    for (int i = 0; i < 2; ++i) {
        const QString n = QString::number(i + 1);
        m_direction[i] = NumberEdit(swell, qPrintable("swell" + n + "DirectionEdit"), directions[i]);
        m_height[i] = NumberEdit(swell, qPrintable("swell" + n + "HeightEdit"), heights[i]);
        m_period[i] = NumberEdit(swell, qPrintable("swell" + n + "PeriodEdit"), periods[i]);
        grid->addWidget(m_direction[i], 0, i + 1);
        grid->addWidget(m_height[i], 1, i + 1);
        grid->addWidget(m_period[i], 2, i + 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("degrees"), swell), 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("mtr"), swell), 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("sec"), swell), 2, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(waves);
    layout->addWidget(swell);
    layout->addStretch(1);
}

bool CPageMeteoSea::CopyBack(CMeteoObs& obs) {
    double waveHeight = 0.0, wavePeriod = 0.0, direction[2] = {}, height[2] = {}, period[2] = {};
    if (!ReadRanged(m_waveHeight, "waveHeight", waveHeight) || !ReadRanged(m_wavePeriod, "wavePeriod", wavePeriod) ||
        !ReadRanged(m_direction[0], "swell1Direction", direction[0]) ||
        !ReadRanged(m_direction[1], "swell2Direction", direction[1]) ||
        !ReadRanged(m_height[0], "swell1Height", height[0]) || !ReadRanged(m_height[1], "swell2Height", height[1]) ||
        !ReadRanged(m_period[0], "swell1Period", period[0]) || !ReadRanged(m_period[1], "swell2Period", period[1]))
        return false;
    obs.m_waveHeight = waveHeight;
    obs.m_wavePeriod = wavePeriod;
    obs.m_swell1Direction = direction[0];
    obs.m_swell2Direction = direction[1];
    obs.m_swell1Height = height[0];
    obs.m_swell2Height = height[1];
    obs.m_swell1Period = period[0];
    obs.m_swell2Period = period[1];
    return true;
}

CPageMeteoCurrent::CPageMeteoCurrent(const CMeteoCurrent& current, QWidget* parent) : CMeteoPage(parent) {
    QString time = QString::fromStdString(current.lastObservation).trimmed();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Time of last observation:"), ReadOnlyEdit(this, "lastObservationField", time, false));
    form->addRow(
        QStringLiteral("Direction:"),
        WithUnit(ReadOnlyEdit(this, "currentDirectionField", Figure(current.direction)), QStringLiteral("degrees")));
    form->addRow(QStringLiteral("Speed:"),
                 WithUnit(ReadOnlyEdit(this, "currentSpeedField", Figure(current.speed)), QStringLiteral("kts")));
    // The note's "&&" is a dialog text's way of writing one "&".
    auto* note =
        new QLabel(QString::fromLatin1(kMeteoCurrentNote).replace(QStringLiteral("&&"), QStringLiteral("&")), this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addStretch(1);
}

CSheetMeteo::CSheetMeteo(const CMeteoObs& record, const CPosition* nextWaypoint, const CPosition* lastFix,
                         QWidget* parent)
    : QDialog(parent), m_edited(record) {
    setWindowTitle(QStringLiteral("Meteo"));
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(new CPageMeteoPressure(record, m_tabs), QStringLiteral("Air Pressure"));
    m_tabs->addTab(new CPageMeteoSky(record, m_tabs), QStringLiteral("Sky"));
    m_tabs->addTab(new CPageMeteoTemp(record, m_tabs), QStringLiteral("Temperatures"));
    m_tabs->addTab(new CPageMeteoWeather(record, m_tabs), QStringLiteral("Weather"));
    m_tabs->addTab(new CPageMeteoWind(record, m_tabs), QStringLiteral("Wind"));
    m_tabs->addTab(new CPageMeteoSea(record, m_tabs), QStringLiteral("Sea State"));
    m_tabs->addTab(new CPageMeteoCurrent(MeteoCurrentOf(nextWaypoint, lastFix), m_tabs), QStringLiteral("Current"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSheetMeteo::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSheetMeteo::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CSheetMeteo::accept() {
    CMeteoObs edited = m_edited;
    for (int i = 0; i < m_tabs->count(); ++i) {
        auto* page = dynamic_cast<CMeteoPage*>(m_tabs->widget(i));
        if (!page) continue;
        // Show the page first, so that the field it focuses on a refusal can be seen.
        QWidget* shown = m_tabs->currentWidget();
        m_tabs->setCurrentIndex(i);
        if (!page->CopyBack(edited)) return;
        m_tabs->setCurrentWidget(shown);
    }
    m_edited = edited;
    QDialog::accept();
}
