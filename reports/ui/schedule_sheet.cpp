#include "reports/ui/schedule_sheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/record_file.h"
#include "core/ui/number_field.h"
#include "platform/services.h"
#include "reports/report.h"
#include "reports/ui/report_sheet.h"

namespace {

QLineEdit* HoursEdit(QWidget* parent, const char* name, int value) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    SetIntegerField(edit, value);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    return edit;
}

QLabel* Caption(const char* text, QWidget* parent) { return new QLabel(QString::fromUtf8(text), parent); }

} // namespace

CPageReportSchedule::CPageReportSchedule(const CReportSchedule& schedule, QWidget* parent)
    : QWidget(parent), m_every(new QRadioButton(QStringLiteral("Every"), this)),
      m_daily(new QRadioButton(QStringLiteral("Daily at"), this)),
      m_everyHours(HoursEdit(this, "everyHours", schedule.everyHours)),
      m_dailyHour(HoursEdit(this, "dailyHour", schedule.dailyHour)),
      m_nextDay(HoursEdit(this, "nextDay", schedule.nextDay)),
      m_nextHour(HoursEdit(this, "nextHour", schedule.nextHour)) {
    m_every->setObjectName(QStringLiteral("every"));
    m_daily->setObjectName(QStringLiteral("daily"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_every);
    group->addButton(m_daily);
    (schedule.daily ? m_daily : m_every)->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    auto* repeat = new QGridLayout;
    repeat->addWidget(m_every, 0, 0);
    repeat->addWidget(m_everyHours, 0, 1);
    repeat->addWidget(Caption("hours", this), 0, 2);
    repeat->addWidget(m_daily, 1, 0);
    repeat->addWidget(m_dailyHour, 1, 1);
    repeat->addWidget(Caption("hours UTC", this), 1, 2);
    repeat->setColumnStretch(3, 1);
    layout->addLayout(repeat);

    auto* next = new QGroupBox(QStringLiteral("Next report:"), this);
    auto* grid = new QGridLayout(next);
    grid->addWidget(Caption("Day of month:", next), 0, 0);
    grid->addWidget(m_nextDay, 0, 1);
    grid->addWidget(Caption("at", next), 0, 2);
    grid->addWidget(m_nextHour, 0, 3);
    grid->addWidget(Caption("hours UTC", next), 0, 4);
    grid->setColumnStretch(5, 1);
    layout->addWidget(next);
    layout->addStretch(1);
    // Only the chosen way's figure can be typed in.
    auto follow = [this] {
        m_everyHours->setEnabled(m_every->isChecked());
        m_dailyHour->setEnabled(m_daily->isChecked());
    };
    connect(m_every, &QRadioButton::toggled, this, follow);
    follow();
}

bool CPageReportSchedule::CopyBack(CReportSchedule& schedule) {
    int every = 0, daily = 0, day = 0, hour = 0;
    if (!ReadIntegerField(m_everyHours, 0, 999, every) || !ReadIntegerField(m_dailyHour, 0, 24, daily) ||
        !ReadIntegerField(m_nextDay, 0, 31, day) || !ReadIntegerField(m_nextHour, 0, 24, hour))
        return false;
    schedule.daily = m_daily->isChecked();
    schedule.everyHours = every;
    schedule.dailyHour = daily;
    schedule.nextDay = day;
    schedule.nextHour = hour;
    return true;
}

CSheetSchedule::CSheetSchedule(const CReportSchedule& schedule, QWidget* parent)
    : QDialog(parent), m_edited(schedule), m_tabs(new QTabWidget(this)),
      m_general(new CPageReportGeneral(schedule.reportFile, schedule.send, schedule.address, schedule.print, m_tabs,
                                       true)),
      m_times(new CPageReportSchedule(schedule, m_tabs)) {
    setWindowTitle(QStringLiteral("Scheduler"));
    m_tabs->addTab(m_general, QStringLiteral("General"));
    m_tabs->addTab(m_times, QStringLiteral("Times"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CSheetSchedule::accept() {
    CReportSchedule edited = m_edited;
    if (!m_general->Check()) return m_tabs->setCurrentWidget(m_general);
    if (!m_times->CopyBack(edited)) return m_tabs->setCurrentWidget(m_times);
    edited.reportFile = m_general->FileName();
    edited.send = m_general->Send();
    edited.address = m_general->Address();
    edited.print = m_general->Print();
    if (edited.send) {
        // A schedule that could only fail later, unattended, is refused now.
        if (edited.reportFile.empty()) {
            services::Prompts().Show(kScheduleFileNeeded);
            m_tabs->setCurrentWidget(m_general);
            return m_general->SelectButton()->setFocus();
        }
        CReport probe;
        std::string error;
        if (LoadRecordFile(edited.reportFile, probe, error) != LoadResult::Loaded) {
            services::Prompts().Show(error, PromptIcon::Warning);
            m_tabs->setCurrentWidget(m_general);
            return m_general->SelectButton()->setFocus();
        }
        if (edited.nextDay == 0) {
            services::Prompts().Show(kScheduleDayNeeded);
            m_tabs->setCurrentWidget(m_times);
            return FocusField(m_times->NextDayEdit());
        }
    }
    ScheduleFromEntry(edited, services::Now());
    m_edited = edited;
    QDialog::accept();
}
