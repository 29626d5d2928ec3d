#include "core/ui/coordinate_edit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/ui/number_field.h"
#include "platform/services.h"

namespace {

constexpr int kMaximumLatitude = 90;
constexpr int kMaximumLongitude = 180;

QLineEdit* NumberEdit(QWidget* parent, const QString& widest, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(widest) + 16);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(widest) * 2 + 16);
    return edit;
}

} // namespace

CCoordinateEdit::CCoordinateEdit(Axis axis, QWidget* parent) : QWidget(parent), m_axis(axis) {
    m_degrees = NumberEdit(this, QStringLiteral("000"), QStringLiteral("degreesEdit"));
    m_minutes = NumberEdit(this, QStringLiteral("00.0000"), QStringLiteral("minutesEdit"));
    m_hemisphere = new QComboBox(this);
    m_hemisphere->setObjectName(QStringLiteral("hemisphereList"));
    if (axis == Axis::Latitude)
        FillSortedList(m_hemisphere, {QStringLiteral("North"), QStringLiteral("South")});
    else
        FillSortedList(m_hemisphere, {QStringLiteral("East"), QStringLiteral("West")});
    m_hemisphere->setMinimumContentsLength(5);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_degrees);
    layout->addWidget(new QLabel(QStringLiteral("deg"), this));
    layout->addWidget(m_minutes);
    layout->addWidget(new QLabel(QStringLiteral("min"), this));
    layout->addWidget(m_hemisphere);
    layout->addStretch(1);
    setFocusProxy(m_degrees);

    SetValues(0, 0.0, -1);
}

void CCoordinateEdit::SetValues(int degrees, double minutes, int hemisphere) {
    SetIntegerField(m_degrees, degrees);
    SetNumberField(m_minutes, minutes);
    m_hemisphere->setCurrentIndex(hemisphere == 0 || hemisphere == 1 ? hemisphere : -1);
}

bool CCoordinateEdit::Read(int& degrees, double& minutes, int& hemisphere) const {
    const int maximum = m_axis == Axis::Latitude ? kMaximumLatitude : kMaximumLongitude;
    int d = 0;
    double m = 0.0;
    if (!ReadIntegerField(m_degrees, 0, maximum, d)) return false;
    if (!ReadNumberField(m_minutes, 0.0, kMaximumMinutes, m)) return false;
    // Both fields in range can still add up to 90 degrees and some minutes.
    if (d == maximum && m > 0.0) {
        services::Prompts().Show(m_axis == Axis::Latitude ? kLatitudeBeyondPoleText : kLongitudeBeyondDateLineText,
                                 PromptIcon::Warning, PromptButtons::Ok);
        FocusField(m_minutes);
        return false;
    }
    degrees = d;
    minutes = m;
    hemisphere = m_hemisphere->currentIndex();
    return true;
}
