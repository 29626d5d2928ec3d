#include "astro/ui/observation_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "astro/almanac.h"
#include "astro/sight_reduction.h"
#include "astro/ui/astro_widgets.h"
#include "core/conversion.h"
#include "core/position.h"
#include "core/ui/number_field.h"
#include "platform/services.h"

namespace {

QLabel* Label(const char* text, QWidget* parent) { return new QLabel(QString::fromLatin1(text), parent); }

QString Number(double value) { return GeneralNumberText(CConversion::Truncate(value, 2)); }

} // namespace

CDialogAstroObservation::CDialogAstroObservation(CAlmanac& almanac, const CPosition& present, double heightOfEye,
                                                 QWidget* parent)
    : QDialog(parent), m_almanac(almanac), m_present(present), m_heightOfEye(heightOfEye) {
    setWindowTitle(QStringLiteral("Astro Observation"));
    m_object = AstroObjectList(this, almanac);

    m_hours = AstroSpin(this, "hoursSpin", 0, 23);
    m_minutes = AstroSpin(this, "minutesSpin", 0, 59);
    m_seconds = AstroSpin(this, "secondsSpin", 0, 59);
    m_sextantDegrees = AstroSpin(this, "sextantDegreesSpin", 0, 90);
    m_sextantMinutes = AstroMinutesSpin(this, "sextantMinutesSpin", 59.99999);
    m_elevationDegrees = AstroReadOnly(this, "elevationDegreesField", 4);
    m_elevationMinutes = AstroReadOnly(this, "elevationMinutesField", 6);
    m_intercept = AstroReadOnly(this, "interceptField", 8);
    m_azimuth = AstroReadOnly(this, "azimuthField", 7);
    m_calculate = AstroButton(this, "Calculate", "calculateButton");

    const CTimeFields utc = services::Now().Utc();
    m_hours->setValue(utc.hour);
    m_minutes->setValue(utc.minute);
    m_seconds->setValue(utc.second);

    auto* grid = new QGridLayout;
    grid->addWidget(Label("Celestial Object:", this), 0, 0);
    grid->addWidget(m_object, 0, 1, 1, 6);
    grid->addWidget(Label("Time of observation: ", this), 1, 0);
    grid->addWidget(m_hours, 1, 1);
    grid->addWidget(Label("hrs", this), 1, 2);
    grid->addWidget(m_minutes, 1, 3);
    grid->addWidget(Label("min.", this), 1, 4);
    grid->addWidget(m_seconds, 1, 5);
    grid->addWidget(Label("sec", this), 1, 6);
    grid->addWidget(Label("UTC", this), 1, 7);
    grid->addWidget(Label("Sextant Observation:", this), 2, 0);
    grid->addWidget(m_sextantDegrees, 2, 1);
    grid->addWidget(Label("deg", this), 2, 2);
    grid->addWidget(m_sextantMinutes, 2, 3);
    grid->addWidget(Label("min", this), 2, 4);
    grid->addWidget(Label("Calculated Elevation:", this), 3, 0);
    grid->addWidget(m_elevationDegrees, 3, 1);
    grid->addWidget(Label("deg", this), 3, 2);
    grid->addWidget(m_elevationMinutes, 3, 3);
    grid->addWidget(Label("min", this), 3, 4);
    grid->addWidget(Label("Corrected difference:", this), 4, 0);
    grid->addWidget(m_intercept, 4, 1, 1, 3);
    grid->addWidget(Label("nM", this), 4, 4);
    grid->addWidget(Label("Calculated Azimuth", this), 5, 0);
    grid->addWidget(m_azimuth, 5, 1, 1, 3);
    grid->addWidget(Label("deg", this), 5, 4);
    grid->setColumnStretch(8, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(m_calculate, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogAstroObservation::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDialogAstroObservation::reject);
    connect(m_calculate, &QPushButton::clicked, this, [this] { Calculate(); });
    connect(m_object, &QComboBox::currentIndexChanged, this, [this] { ShowObjectNow(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ShowObjectNow();
}

// Where the chosen object stands from the present position now; nothing reduced yet.
void CDialogAstroObservation::ShowObjectNow() {
    CAstroObject* object = m_almanac.GetObject(m_object->currentIndex());
    if (!object) return;
    double azimuth = 0.0;
    const double altitude = object->GetAltitudeAzimuth(m_present, azimuth);
    ShowElevation(altitude);
    m_name = object->GetName();
    m_interceptValue = 0.0;
    m_azimuthValue = azimuth;
    m_intercept->setText(Number(0.0));
    m_azimuth->setText(Number(azimuth));
}

void CDialogAstroObservation::ShowElevation(double altitude) {
    int degrees = 0;
    double minutes = 0.0;
    SplitElevation(altitude, degrees, minutes);
    m_elevationDegrees->setText(QString::number(degrees));
    m_elevationMinutes->setText(GeneralNumberText(minutes));
}

bool CDialogAstroObservation::Calculate() {
    int hours = 0, minutes = 0, seconds = 0, sextantDegrees = 0;
    double sextantMinutes = 0.0;
    if (!ReadSpin(m_hours, hours) || !ReadSpin(m_minutes, minutes) || !ReadSpin(m_seconds, seconds) ||
        !ReadSpin(m_sextantDegrees, sextantDegrees) || !ReadSpin(m_sextantMinutes, sextantMinutes))
        return false;
    CAstroObject* object = m_almanac.GetObject(m_object->currentIndex());
    if (!object) return false;
    m_time = SightTime(m_present.GetTime(), hours, minutes, seconds);
    const SightReduction sight =
        ReduceSight(*object, m_present, m_time, sextantDegrees + sextantMinutes / 60.0, m_heightOfEye);
    m_name = object->GetName();
    m_interceptValue = sight.intercept;
    m_azimuthValue = sight.azimuth;
    ShowElevation(sight.hc);
    m_intercept->setText(Number(sight.intercept));
    m_azimuth->setText(Number(sight.azimuth));
    return true;
}

void CDialogAstroObservation::accept() {
    // A sight is kept as reduced from what stands in the fields, never with the
    // figures of an earlier Calculate or of the opening.
    if (!Calculate()) return;
    if (m_sextantDegrees->value() == 0 && m_sextantMinutes->value() == 0.0) {
        services::Prompts().Show(kNoSextantAltitudeText, PromptIcon::Warning);
        m_sextantDegrees->setFocus(Qt::OtherFocusReason);
        m_sextantDegrees->selectAll();
        return;
    }
    QDialog::accept();
}

void CDialogAstroObservation::AddToPending() const {
    m_almanac.AddObservation(m_time, m_name, m_interceptValue, m_azimuthValue);
}
