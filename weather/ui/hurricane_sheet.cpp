#include "weather/ui/hurricane_sheet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

#include "core/ui/coordinate_edit.h"
#include "core/ui/number_field.h"
#include "core/ui/storable_text.h"
#include "core/ui/utc_entry.h"
#include "platform/services.h"
#include "weather/hurricane_list.h"

namespace {

constexpr double kMaximumCourse = 360.0;
constexpr double kMaximumSpeed = 500.0;

QLineEdit* NumberEdit(QWidget* parent, const char* name, double value) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    SetNumberField(edit, value);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-00000.0000")) + 24);
    return edit;
}

QWidget* WithUnit(QWidget* field, const QString& unit) {
    auto* row = new QWidget(field->parentWidget());
    field->setParent(row);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(field);
    layout->addWidget(new QLabel(unit, row));
    layout->addStretch(1);
    return row;
}

// A figure without a range must still be a number.
bool ReadAnyNumber(QLineEdit* edit, double& value) {
    bool ok = false;
    const double read = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    if (!ok || !std::isfinite(read)) {
        services::Prompts().Show("Please enter a number.", PromptIcon::Warning, PromptButtons::Ok);
        FocusField(edit);
        return false;
    }
    value = read;
    return true;
}

} // namespace

CPageHurricaneGeneral::CPageHurricaneGeneral(const CHurricaneEntry& entry, QWidget* parent) : QWidget(parent) {
    auto* nameGroup = new QGroupBox(QStringLiteral("Name:"), this);
    m_name = new QLineEdit(QString::fromStdString(entry.name), nameGroup);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    AcceptOnlyStorableText(m_name);
    auto* nameForm = new QFormLayout(nameGroup);
    nameForm->addRow(QStringLiteral("Name:"), m_name);

    auto* weather = new QGroupBox(QStringLiteral("Weather Conditions:"), this);
    m_pressure = NumberEdit(weather, "centerPressureEdit", entry.centerPressure);
    m_tendency = new QComboBox(weather);
    m_tendency->setObjectName(QStringLiteral("tendencyList"));
    QStringList tendencies;
    for (const char* t : HurricaneTendencyList())
        tendencies << QString::fromLatin1(t);
    FillSortedList(m_tendency, tendencies);
    m_tendency->setCurrentIndex(entry.tendency >= 0 && entry.tendency < m_tendency->count() ? entry.tendency : -1);
    m_maxWind = NumberEdit(weather, "maxWindEdit", entry.maxWind);
    m_radius = NumberEdit(weather, "radiusEdit", entry.radius);
    auto* pressureRow = new QWidget(weather);
    auto* pressureLayout = new QHBoxLayout(pressureRow);
    pressureLayout->setContentsMargins(0, 0, 0, 0);
    m_pressure->setParent(pressureRow);
    pressureLayout->addWidget(m_pressure);
    pressureLayout->addWidget(new QLabel(QStringLiteral("mb"), pressureRow));
    pressureLayout->addWidget(m_tendency);
    pressureLayout->addStretch(1);
    auto* weatherForm = new QFormLayout(weather);
    weatherForm->addRow(QStringLiteral("Center Pressure:"), pressureRow);
    weatherForm->addRow(QStringLiteral("Max. Wind:"), WithUnit(m_maxWind, QStringLiteral("kts")));
    weatherForm->addRow(QStringLiteral("Radius:"), WithUnit(m_radius, QStringLiteral("nM")));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(nameGroup);
    layout->addWidget(weather);
    layout->addStretch(1);
}

bool CPageHurricaneGeneral::CopyBack(CHurricaneEntry& entry) {
    double pressure = 0.0, maxWind = 0.0, radius = 0.0;
    if (!ReadAnyNumber(m_pressure, pressure) || !ReadAnyNumber(m_maxWind, maxWind) || !ReadAnyNumber(m_radius, radius))
        return false;
    entry.name = m_name->text().toStdString();
    entry.centerPressure = pressure;
    entry.tendency = m_tendency->currentIndex();
    entry.maxWind = maxWind;
    entry.radius = radius;
    return true;
}

CPageHurricanePosition::CPageHurricanePosition(const CHurricaneEntry& entry, QWidget* parent) : QWidget(parent) {
    m_time = new CUtcEntry(24, this);
    m_time->setObjectName(QStringLiteral("timeEntry"));
    m_time->SetValues(entry.day, entry.hour, entry.minute);
    m_latitude = new CCoordinateEdit(CCoordinateEdit::Axis::Latitude, this);
    m_latitude->setObjectName(QStringLiteral("latitudeEntry"));
    m_latitude->SetValues(entry.latitudeDegrees, entry.latitudeMinutes, entry.latitudeHemisphere);
    m_longitude = new CCoordinateEdit(CCoordinateEdit::Axis::Longitude, this);
    m_longitude->setObjectName(QStringLiteral("longitudeEntry"));
    m_longitude->SetValues(entry.longitudeDegrees, entry.longitudeMinutes, entry.longitudeHemisphere);
    m_course = NumberEdit(this, "courseEdit", entry.course);
    m_speed = NumberEdit(this, "speedEdit", entry.speed);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Date and time UTC:"), m_time);
    form->addRow(QStringLiteral("Latitude:"), m_latitude);
    form->addRow(QStringLiteral("Longitude:"), m_longitude);
    form->addRow(QStringLiteral("Course:"), WithUnit(m_course, QStringLiteral("deg")));
    form->addRow(QStringLiteral("Speed:"), WithUnit(m_speed, QStringLiteral("kts")));
}

bool CPageHurricanePosition::CopyBack(CHurricaneEntry& entry) {
    CHurricaneEntry read = entry;
    if (!m_time->Read(read.day, read.hour, read.minute)) return false;
    if (!m_latitude->Read(read.latitudeDegrees, read.latitudeMinutes, read.latitudeHemisphere)) return false;
    if (!m_longitude->Read(read.longitudeDegrees, read.longitudeMinutes, read.longitudeHemisphere)) return false;
    if (!ReadNumberField(m_course, 0.0, kMaximumCourse, read.course)) return false;
    if (!ReadNumberField(m_speed, 0.0, kMaximumSpeed, read.speed)) return false;
    entry = read;
    return true;
}

CSheetHurricane::CSheetHurricane(const CHurricaneEntry& entry, QWidget* parent) : QDialog(parent), m_entry(entry) {
    setWindowTitle(QStringLiteral("New Hurricane"));
    m_tabs = new QTabWidget(this);
    m_general = new CPageHurricaneGeneral(entry, m_tabs);
    m_position = new CPageHurricanePosition(entry, m_tabs);
    m_tabs->addTab(m_general, QStringLiteral("Properties"));
    m_tabs->addTab(m_position, QStringLiteral("Position"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSheetHurricane::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSheetHurricane::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CSheetHurricane::accept() {
    CHurricaneEntry entry = m_entry;
    QWidget* shown = m_tabs->currentWidget();
    // Each page shown before it is read, so that the field a refusal focuses can be seen.
    m_tabs->setCurrentWidget(m_general);
    if (!m_general->CopyBack(entry)) return;
    m_tabs->setCurrentWidget(m_position);
    if (!m_position->CopyBack(entry)) return;
    m_tabs->setCurrentWidget(shown);
    m_entry = entry;
    QDialog::accept();
}
