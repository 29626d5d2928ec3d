#include "app/ui/schedule_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/services.h"

namespace {

QSpinBox* Spin(QWidget* parent, int minimum, int maximum, const QString& name) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

} // namespace

CDialogSchedule::CDialogSchedule(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Select date and time"));

    m_day = Spin(this, 1, 31, QStringLiteral("daySpin"));
    m_month = Spin(this, 0, 12, QStringLiteral("monthSpin"));
    m_year = Spin(this, 1900, 2100, QStringLiteral("yearSpin"));
    m_hour = Spin(this, 0, 23, QStringLiteral("hourSpin"));
    m_minute = Spin(this, 0, 59, QStringLiteral("minuteSpin"));
    m_second = Spin(this, 0, 59, QStringLiteral("secondSpin"));

    auto* grid = new QGridLayout;
    const QString captions[] = {QStringLiteral("DAY"),  QStringLiteral("MONTH"), QStringLiteral("YEAR"),
                                QStringLiteral("HOUR"), QStringLiteral("MIN."),  QStringLiteral("SEC.")};
    QSpinBox* const spins[] = {m_day, m_month, m_year, m_hour, m_minute, m_second};
    for (int i = 0; i < 6; ++i) {
        // A little gap between the date and the time.
        const int column = i < 3 ? i : i + 1;
        auto* caption = new QLabel(captions[i], this);
        caption->setBuddy(spins[i]);
        grid->addWidget(caption, 0, column, Qt::AlignLeft);
        grid->addWidget(spins[i], 1, column);
    }
    grid->setColumnMinimumWidth(3, grid->spacing() * 3);
    grid->addWidget(new QLabel(QStringLiteral("LT"), this), 1, 7);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogSchedule::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDialogSchedule::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CDialogSchedule::SetFields(const CScheduleFields& fields) {
    m_fields = fields;
    m_day->setValue(fields.day);
    m_month->setValue(fields.month);
    m_year->setValue(fields.year);
    m_hour->setValue(fields.hour);
    m_minute->setValue(fields.minute);
    m_second->setValue(fields.second);
}

void CDialogSchedule::accept() {
    for (QSpinBox* spin : {m_day, m_month, m_year, m_hour, m_minute, m_second})
        spin->interpretText();
    const CScheduleFields read{m_day->value(),  m_month->value(),  m_year->value(),
                               m_hour->value(), m_minute->value(), m_second->value()};
    if (!IsCalendarDate(read)) {
        services::Prompts().Show(kNoSuchDateText, PromptIcon::Warning, PromptButtons::Ok);
        m_day->setFocus(Qt::OtherFocusReason);
        m_day->selectAll();
        return;
    }
    m_fields = read;
    QDialog::accept();
}
