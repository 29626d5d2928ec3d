#include "core/ui/utc_entry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/ui/number_field.h"

namespace {

constexpr int kLastDay = 31;
constexpr int kLastMinute = 59;

QLineEdit* TwoDigitEdit(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    const int width = edit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16;
    edit->setMinimumWidth(width);
    edit->setMaximumWidth(width * 2);
    return edit;
}

} // namespace

CUtcEntry::CUtcEntry(int lastHour, QWidget* parent) : QWidget(parent), m_lastHour(lastHour) {
    m_day = TwoDigitEdit(this, QStringLiteral("dayEdit"));
    m_hour = TwoDigitEdit(this, QStringLiteral("hourEdit"));
    m_minute = TwoDigitEdit(this, QStringLiteral("minuteEdit"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_day);
    layout->addWidget(m_hour);
    layout->addWidget(new QLabel(QStringLiteral("hrs"), this));
    layout->addWidget(m_minute);
    layout->addWidget(new QLabel(QStringLiteral("min   UTC"), this));
    layout->addStretch(1);
    setFocusProxy(m_day);

    SetValues(0, 0, 0);
}

void CUtcEntry::SetValues(int day, int hour, int minute) {
    SetIntegerField(m_day, day);
    SetIntegerField(m_hour, hour);
    SetIntegerField(m_minute, minute);
}

bool CUtcEntry::Read(int& day, int& hour, int& minute) const {
    int d = 0, h = 0, m = 0;
    if (!ReadIntegerField(m_day, 0, kLastDay, d)) return false;
    if (!ReadIntegerField(m_hour, 0, m_lastHour, h)) return false;
    if (!ReadIntegerField(m_minute, 0, kLastMinute, m)) return false;
    day = d;
    hour = h;
    minute = m;
    return true;
}
