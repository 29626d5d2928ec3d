#include "app/ui/calculator_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "app/calculators.h"
#include "core/conversion.h"
#include "core/position.h"
#include "core/ui/command_registry.h"
#include "core/ui/number_field.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"
#include "plot/ui/plot_painter.h"

namespace {

constexpr const char* kReduceKey = "navreduce";

// A result cut to two decimals; an empty field when there is none.
void ShowResult(QLineEdit* field, std::optional<double> value, int decimals = 2) {
    if (!value || !std::isfinite(*value)) return field->clear();
    SetNumberField(field, decimals < 0 ? *value : CConversion::Truncate(*value, decimals));
}

} // namespace

CCalculatorDialog::CCalculatorDialog(const char* title, bool calculate, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(title));
    m_grid = new QGridLayout;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    if (calculate) {
        m_calculate = new QPushButton(QStringLiteral("Calculate"), this);
        m_calculate->setObjectName(QStringLiteral("calculateButton"));
        m_calculate->setDefault(true);
        buttons->addWidget(m_calculate);
        connect(m_calculate, &QPushButton::clicked, this, [this] { Calculate(); });
    }
    m_close = new QPushButton(calculate ? QStringLiteral("Close") : QStringLiteral("OK"), this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setAutoDefault(!calculate);
    buttons->addWidget(m_close);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_grid);
    layout->addLayout(buttons);
}

void CCalculatorDialog::AddRow(const char* label, QWidget* field, const char* unit) {
    const int row = m_grid->rowCount();
    // The first field takes the typing, its text selected to be typed over.
    if (row == 0) {
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
    }
    m_grid->addWidget(new QLabel(QString::fromUtf8(label), this), row, 0);
    m_grid->addWidget(field, row, 1);
    if (*unit) m_grid->addWidget(new QLabel(QString::fromUtf8(unit), this), row, 2);
}

QLineEdit* CCalculatorDialog::AddInput(const char* label, const char* name, const char* unit) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAlignment(Qt::AlignRight);
    AddRow(label, edit, unit);
    return edit;
}

QLineEdit* CCalculatorDialog::AddResult(const char* label, const char* name, const char* unit) {
    QLineEdit* edit = AddInput(label, name, unit);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

// ---------------------------------------------------------------------------

CDialogETA::CDialogETA(CKeelmarkLiteDoc& doc, QWidget* parent)
    : CCalculatorDialog("ETA Calculation", true, parent), m_doc(doc) {
    m_speed = AddInput("Average speed:", "averageSpeedField", "kts");
    SetNumberField(m_speed, 0.0);
    m_reduce =
        new QCheckBox(QStringLiteral("Include time and distance to reduce engine rpm to manoeuvring speed"), this);
    m_reduce->setObjectName(QStringLiteral("includeReductionBox"));
    m_reduce->setChecked(services::GetInt(kReduceKey, 1) == 1);
    m_grid->addWidget(m_reduce, m_grid->rowCount(), 0, 1, 3);
    m_eta = AddResult("ETA:", "etaField", "LT");
    m_eta->setMinimumWidth(m_eta->fontMetrics().horizontalAdvance(QStringLiteral("Wednesday 30 Sep 23:59")) + 16);
    m_rpm = AddResult("Engine rpm:", "rpmField", "rpm");
    SetNumberField(m_rpm, 0.0);
    // The choice is the dashboard's too: it is stored at once, Calculate or not.
    connect(m_reduce, &QCheckBox::toggled, this,
            [](bool on) { services::Settings().SetInt(kSettingsSection, kReduceKey, on ? 1 : 0); });
}

void CDialogETA::Calculate() {
    double speed = 0.0;
    if (!ReadNumberField(m_speed, 0.0, 100.0, speed)) return;
    const std::optional<CTime> eta = m_doc.ETAAtSpeed(speed);
    m_eta->setText(eta ? QString::fromStdString(eta->FormatUtc("%A %d %b %H:%M")) : QString());
    ShowResult(m_rpm, m_doc.RequiredRpm(speed));
}

// ---------------------------------------------------------------------------

CDialogSquad::CDialogSquad(double speed, double blockCoefficient, double draftAft, QWidget* parent)
    : CCalculatorDialog("Calculate Squad", true, parent), m_blockCoefficient(blockCoefficient), m_draftAft(draftAft) {
    m_speed = AddInput("Present true speed:", "speedField", "kts");
    SetNumberField(m_speed, CConversion::Truncate(speed, 2));
    m_condition = new QComboBox(this);
    m_condition->setObjectName(QStringLiteral("conditionList"));
    FillSortedList(m_condition, {QStringLiteral("Canal"), QStringLiteral("Open Sea")});
    m_condition->setCurrentIndex(kOpenSea);
    AddRow("Condition:", m_condition, "");
    m_squat = AddResult("Calculated squad:", "squadField", "mtr");
    SetNumberField(m_squat, 0.0);
    m_maxDraft = AddResult("Max. draft incl squad:", "maxDraftField", "mtr");
    SetNumberField(m_maxDraft, CConversion::Truncate(draftAft, 2));
}

void CDialogSquad::Calculate() {
    double speed = 0.0;
    if (!ReadNumberField(m_speed, 0.0, 100.0, speed)) return;
    const CSquat s = ComputeSquat(speed, m_blockCoefficient, m_condition->currentIndex(), m_draftAft);
    ShowResult(m_squat, s.squat);
    ShowResult(m_maxDraft, s.maxDraft);
}

// ---------------------------------------------------------------------------

CDialogWheelOver::CDialogWheelOver(double oldCourse, double newCourse, double speed, QWidget* parent)
    : CCalculatorDialog("Wheel over point", true, parent) {
    m_oldCourse = AddInput("Old course:", "oldCourseField", "deg");
    SetNumberField(m_oldCourse, oldCourse);
    m_newCourse = AddInput("New course:", "newCourseField", "deg");
    SetNumberField(m_newCourse, CConversion::Truncate(newCourse, 2));
    m_rateOfTurn = AddInput("Rate of turn:", "rateOfTurnField", "deg/min");
    SetNumberField(m_rateOfTurn, 10.0);
    m_speed = AddInput("Speed:", "speedField", "kts");
    SetNumberField(m_speed, CConversion::Truncate(speed, 2));
    m_wheelOver = AddResult("Wheel over point:", "wheelOverField", "nM before waypoint");
    SetNumberField(m_wheelOver, 0.0);
}

void CDialogWheelOver::Calculate() {
    double oldCourse = 0, newCourse = 0, rate = 0, speed = 0;
    // A field out of range is named and the calculation stops there.
    if (!ReadNumberField(m_oldCourse, 0.0, 360.0, oldCourse) || !ReadNumberField(m_newCourse, 0.0, 360.0, newCourse) ||
        !ReadNumberField(m_rateOfTurn, 5.0, 60.0, rate) || !ReadNumberField(m_speed, 0.0, 100.0, speed))
        return;
    ShowResult(m_wheelOver, WheelOverDistance(oldCourse, newCourse, rate, speed));
}

// ---------------------------------------------------------------------------

CDialogGeoRange::CDialogGeoRange(double eyeHeight, QWidget* parent)
    : CCalculatorDialog("Geographical Range", false, parent), m_eyeHeight(eyeHeight) {
    m_height = new QDoubleSpinBox(this);
    m_height->setObjectName(QStringLiteral("heightField"));
    m_height->setRange(0.0, 9999.0);
    m_height->setDecimals(1);
    m_height->setAlignment(Qt::AlignRight);
    AddRow("Height above sea level:", m_height, "mtr");
    m_range = AddResult("Range of visibility:", "rangeField", "nM");
    SetNumberField(m_range, 0.0);
    auto* eye = new QLabel(
        QStringLiteral("Height of eye: %1 mtr").arg(GeneralNumberText(CConversion::Truncate(eyeHeight, 2))), this);
    m_grid->addWidget(eye, m_grid->rowCount(), 0, 1, 3);
    connect(m_height, &QDoubleSpinBox::valueChanged, this, [this] { Recompute(); });
}

void CDialogGeoRange::Recompute() { ShowResult(m_range, GeographicalRange(m_height->value(), m_eyeHeight)); }

// ---------------------------------------------------------------------------

CDialogMetric::CDialogMetric(QWidget* parent) : CCalculatorDialog("Metric Conversions", false, parent) {
    m_conversion = new QComboBox(this);
    m_conversion->setObjectName(QStringLiteral("conversionList"));
    for (const char* name : kMetricConversions)
        m_conversion->addItem(QString::fromUtf8(name));
    m_conversion->setCurrentIndex(kDefaultMetricConversion);
    AddRow("Conversion:", m_conversion, "");
    m_value = AddInput("Value:", "valueField", "");
    SetNumberField(m_value, 0.0);
    m_result = AddResult("Result:", "resultField", "");
    SetNumberField(m_result, 0.0);
    connect(m_value, &QLineEdit::textEdited, this, [this] { Recompute(); });
    // A result always belongs to the conversion shown beside it.
    connect(m_conversion, &QComboBox::currentIndexChanged, this, [this] { Recompute(); });
}

void CDialogMetric::Recompute() {
    bool ok = false;
    const double value = QLocale::c().toDouble(m_value->text().trimmed(), &ok);
    if (!ok) return m_result->clear();
    const double result = ConvertMetric(m_conversion->currentIndex(), value);
    if (!std::isfinite(result)) return m_result->clear();
    SetNumberField(m_result, result);
}

// ---------------------------------------------------------------------------

CDialogShoreDistance::CDialogShoreDistance(double eyeHeight, double latitude, double longitude, QWidget* parent)
    : CCalculatorDialog("Distance to shore via sextant observation", true, parent), m_eyeHeight(eyeHeight) {
    m_height = AddInput("Height of object:", "heightField", "mtr");
    SetNumberField(m_height, 0.0);
    m_degrees = AddInput("Observed angle:", "degreesField", "deg");
    SetIntegerField(m_degrees, 0);
    m_minutes = AddInput("", "minutesField", "min");
    SetNumberField(m_minutes, 0.0);
    m_method = new QComboBox(this);
    m_method->setObjectName(QStringLiteral("methodList"));
    m_method->addItem(QStringLiteral("Angle between top and shoreline"));
    m_method->addItem(QStringLiteral("Angle between top and horizon"));
    m_method->setCurrentIndex(-1);
    m_method->setPlaceholderText(QStringLiteral("(choose the method)"));
    AddRow("Method of observation:", m_method, "");
    m_distance = AddResult("Distance to object:", "distanceField", "nM");
    SetNumberField(m_distance, 0.0);
    m_nearestShore = AddResult("Nearest shoreline:", "nearestShoreField", "");
    m_nearestShore->setAlignment(Qt::AlignLeft);
    m_nearestShore->setText(NearestShoreText(latitude, longitude));
    m_nearestShore->setCursorPosition(0);
    m_nearestShore->setMinimumWidth(m_nearestShore->fontMetrics().horizontalAdvance(m_nearestShore->text()) + 16);
}

void CDialogShoreDistance::Calculate() {
    double height = 0, minutes = 0;
    int degrees = 0;
    if (!ReadNumberField(m_height, -10000.0, 10000.0, height) || !ReadIntegerField(m_degrees, 0, 90, degrees) ||
        !ReadNumberField(m_minutes, 0.0, 60.0, minutes))
        return;
    switch (m_method->currentIndex()) {
    case kTopAndShoreline:
        return ShowResult(m_distance, ShoreDistanceByShoreline(height, degrees, minutes));
    case kTopAndHorizon:
        return ShowResult(m_distance, ShoreDistanceByHorizon(height, m_eyeHeight, degrees, minutes));
    default: // no method chosen yet: nothing to show, the list is where to go on
        m_method->setFocus(Qt::OtherFocusReason);
        return;
    }
}

QString NearestShoreText(double latitude, double longitude) {
    const CShorelines& shorelines = Shorelines();
    if (!shorelines.error.empty()) return QStringLiteral("no shoreline data");
    const std::optional<CNearestShore> nearest = NearestShorePoint(shorelines.low, latitude, longitude);
    if (!nearest) return QStringLiteral("no shoreline data");
    const CPosition at(nearest->latitude, nearest->longitude, CTime());
    return QString::fromStdString(CConversion::FixedText(nearest->distance) + " nM, bearing " +
                                  CConversion::FixedText(nearest->bearing) + " deg (" + at.GetLatitudeText() + " " +
                                  at.GetLongitudeText() + ")");
}

// ---------------------------------------------------------------------------

void RegisterCalculatorCommands(CCommandRegistry& registry) {
    registry.Register(Command::CalculateEta, [](const CCommandContext& c) {
        CDialogETA dialog(c.Doc(), c.parent);
        dialog.exec();
    });
    registry.Register(Command::Squat, [](const CCommandContext& c) {
        const CVessel& v = c.Doc().GetVessel();
        CDialogSquad dialog(c.Doc().GetPresentPosition().GetSpeed(), v.m_blockCoefficient, v.m_draftAft, c.parent);
        dialog.exec();
    });
    registry.Register(Command::WheelOver, [](const CCommandContext& c) {
        const CPosition& p = c.Doc().GetPresentPosition();
        CDialogWheelOver dialog(c.Doc().GetVessel().m_courseSetting, p.GetCourse(), p.GetSpeed(), c.parent);
        dialog.exec();
    });
    registry.Register(Command::GeographicalRange, [](const CCommandContext& c) {
        CDialogGeoRange dialog(c.Doc().GetVessel().GetHeightOfEye(), c.parent);
        dialog.exec();
    });
    registry.Register(Command::MetricConversions, [](const CCommandContext& c) {
        CDialogMetric dialog(c.parent);
        dialog.exec();
    });
    registry.Register(Command::DistanceToCoast, [](const CCommandContext& c) {
        const CPosition& p = c.Doc().GetPresentPosition();
        CDialogShoreDistance dialog(c.Doc().GetVessel().GetHeightOfEye(), p.GetLatitude(), p.GetLongitude(), c.parent);
        dialog.exec();
    });
}
