#pragma once

#include <QDialog>
#include <QWidget>

#include "reports/report_schedule.h"

class CPageReportGeneral;
class QLineEdit;
class QRadioButton;
class QTabWidget;

inline constexpr const char* kScheduleFileNeeded = "Please select the report file the schedule is to send.";
inline constexpr const char* kScheduleDayNeeded = "Please enter the day of month of the next report.";

// "Times": every n hours or daily at an hour UTC, from the next report's day and hour.
class CPageReportSchedule : public QWidget {
public:
    CPageReportSchedule(const CReportSchedule& schedule, QWidget* parent = nullptr);
    // Reads the fields into the schedule; false (message given, focus on the
    // field) for a value out of range.
    bool CopyBack(CReportSchedule& schedule);
    QRadioButton* EveryButton() const { return m_every; }
    QRadioButton* DailyButton() const { return m_daily; }
    QLineEdit* EveryHoursEdit() const { return m_everyHours; }
    QLineEdit* DailyHourEdit() const { return m_dailyHour; }
    QLineEdit* NextDayEdit() const { return m_nextDay; }
    QLineEdit* NextHourEdit() const { return m_nextHour; }

private:
    QRadioButton* m_every;
    QRadioButton* m_daily;
    QLineEdit* m_everyHours;
    QLineEdit* m_dailyHour;
    QLineEdit* m_nextDay;
    QLineEdit* m_nextHour;
};

// "Scheduler": the report file a schedule sends, to whom, and when. On OK
// Edited() holds the values and the time of the next report; storing them is
// the caller's.
class CSheetSchedule : public QDialog {
public:
    CSheetSchedule(const CReportSchedule& schedule, QWidget* parent = nullptr);
    const CReportSchedule& Edited() const { return m_edited; }
    QTabWidget* Tabs() const { return m_tabs; }
    CPageReportGeneral* General() const { return m_general; }
    CPageReportSchedule* Times() const { return m_times; }
    void accept() override;

private:
    CReportSchedule m_edited;
    QTabWidget* m_tabs;
    CPageReportGeneral* m_general;
    CPageReportSchedule* m_times;
};
