#include "astro/ui/celestial_azimuth_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

#include "astro/almanac.h"
#include "astro/compass_error.h"
#include "astro/ui/astro_widgets.h"
#include "core/conversion.h"
#include "core/position.h"
#include "core/ui/number_field.h"
#include "platform/services.h"

namespace {

constexpr double kMaximumBearing = 359.999999;

QLabel* Label(const char* text, QWidget* parent) { return new QLabel(QString::fromLatin1(text), parent); }

QString Number(double value) { return GeneralNumberText(CConversion::Truncate(value, 2)); }

// A spin box's text as a whole number in its range, without telling anyone.
bool Quiet(const QSpinBox* spin, int& value) {
    bool ok = false;
    value = QLocale::c().toInt(spin->text().trimmed(), &ok);
    return ok && value >= spin->minimum() && value <= spin->maximum();
}

} // namespace

CDialogCelestialAzimuth::CDialogCelestialAzimuth(CAlmanac& almanac, const CPosition& present, QWidget* parent)
    : QDialog(parent), m_almanac(almanac), m_present(present) {
    setWindowTitle(QStringLiteral("Celestial Azimuth"));
    m_object = AstroObjectList(this, almanac);
    m_hours = AstroSpin(this, "hoursSpin", 0, 23);
    m_minutes = AstroSpin(this, "minutesSpin", 0, 59);
    m_bearing = new QLineEdit(this);
    m_bearing->setObjectName(QStringLiteral("bearingEdit"));
    m_bearing->setFixedWidth(m_bearing->fontMetrics().horizontalAdvance(QStringLiteral("000.000000")) + 16);
    m_azimuth = AstroReadOnly(this, "azimuthField", 8);
    m_correction = AstroReadOnly(this, "correctionField", 8);
    m_gyro = AstroReadOnly(this, "gyroField", 8);
    m_calculate = AstroButton(this, "Calculate", "calculateButton");

    const CTimeFields utc = services::Now().Utc();
    m_hours->setValue(utc.hour);
    m_minutes->setValue(utc.minute);
    double azimuth = 0.0;
    almanac.GetObject(0)->GetAltitudeAzimuth(present, azimuth);
    m_bearingValue = m_azimuthValue = CConversion::Truncate(azimuth, 2);
    SetNumberField(m_bearing, m_bearingValue);
    m_azimuth->setText(Number(m_azimuthValue));
    m_correction->setText(Number(0.0));
    m_gyro->setText(Number(GyroSpeedCorrection(present.GetSpeed(), present.GetCourse(), present.GetLatitude())));

    auto* grid = new QGridLayout;
    grid->addWidget(Label("Celestial Object:", this), 0, 0);
    grid->addWidget(m_object, 0, 1, 1, 4);
    grid->addWidget(Label("Time of observation:", this), 1, 0);
    grid->addWidget(m_hours, 1, 1);
    grid->addWidget(Label("hrs", this), 1, 2);
    grid->addWidget(m_minutes, 1, 3);
    grid->addWidget(Label("min UTC", this), 1, 4);
    QLineEdit* const values[4] = {m_bearing, m_azimuth, m_correction, m_gyro};
    const char* labels[4] = {
        "Compass Bearing:", "Calculated Azimuth:", "Compass Correction:", "Gyro speed correction:"};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(Label(labels[i], this), i + 2, 0);
        grid->addWidget(values[i], i + 2, 1, 1, 3);
        grid->addWidget(Label("deg", this), i + 2, 4);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(m_calculate, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogCelestialAzimuth::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDialogCelestialAzimuth::reject);
    connect(m_calculate, &QPushButton::clicked, this, [this] { Calculate(); });
    // Leaving a field works the figures out again; a value still being typed is not refused here.
    for (QSpinBox* spin : {m_hours, m_minutes})
        connect(spin, &QSpinBox::editingFinished, this, [this] { Calculate(true); });
    connect(m_bearing, &QLineEdit::editingFinished, this, [this] { Calculate(true); });
    connect(m_object, &QComboBox::currentIndexChanged, this, [this] { Calculate(true); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CDialogCelestialAzimuth::Calculate(bool quietly) {
    int hours = 0, minutes = 0;
    double bearing = 0.0;
    if (quietly) {
        bool ok = false;
        bearing = QLocale::c().toDouble(m_bearing->text().trimmed(), &ok);
        if (!Quiet(m_hours, hours) || !Quiet(m_minutes, minutes) || !ok || !(bearing >= 0.0) ||
            bearing > kMaximumBearing)
            return false;
    } else if (!ReadSpin(m_hours, hours) || !ReadSpin(m_minutes, minutes) ||
               !ReadNumberField(m_bearing, 0.0, kMaximumBearing, bearing)) {
        return false;
    }
    CAstroObject* object = m_almanac.GetObject(m_object->currentIndex());
    if (!object) return false;
    m_bearingValue = bearing;
    m_azimuthValue = CalculatedAzimuth(*object, m_present, hours, minutes);
    m_correctionValue = CompassCorrection(m_azimuthValue, bearing);
    m_azimuth->setText(Number(m_azimuthValue));
    m_correction->setText(Number(m_correctionValue));
    return true;
}

std::string CDialogCelestialAzimuth::LogLine() const {
    return AzimuthLogLine(m_bearingValue, m_azimuthValue, m_correctionValue);
}

void CDialogCelestialAzimuth::accept() {
    if (Calculate()) QDialog::accept();
}
