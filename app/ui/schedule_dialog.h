#pragma once

#include <QDialog>

#include "app/schedule.h"

class QSpinBox;

// "Select date and time": the scheduled arrival in the destination's zone time
// (marked "LT"), each field a spin box. OK refuses a day the month does not have.
class CDialogSchedule : public QDialog {
public:
    explicit CDialogSchedule(QWidget* parent = nullptr);

    void SetFields(const CScheduleFields& fields);
    // The fields as confirmed with OK.
    const CScheduleFields& GetFields() const { return m_fields; }

    QSpinBox* DaySpin() const { return m_day; }
    QSpinBox* MonthSpin() const { return m_month; }
    QSpinBox* YearSpin() const { return m_year; }
    QSpinBox* HourSpin() const { return m_hour; }
    QSpinBox* MinuteSpin() const { return m_minute; }
    QSpinBox* SecondSpin() const { return m_second; }

    void accept() override;

private:
    CScheduleFields m_fields;
    QSpinBox* m_day;
    QSpinBox* m_month;
    QSpinBox* m_year;
    QSpinBox* m_hour;
    QSpinBox* m_minute;
    QSpinBox* m_second;
};
