#pragma once

#include <QWidget>

class QLineEdit;

// A UTC time typed as day of the month, hours and minutes: "[day] [hh] hrs
// [mm] min   UTC". Whole numbers, day 0..31, hours 0..lastHour, minutes 0..59,
// checked when the dialog's OK is pressed. Shared by the GPS fix dialog and the
// cyclone sheet (whose hours run to 24).
class CUtcEntry : public QWidget {
public:
    explicit CUtcEntry(int lastHour = 23, QWidget* parent = nullptr);

    void SetValues(int day, int hour, int minute);
    // On a value out of range the user is told, the field gets the focus and the result is false.
    bool Read(int& day, int& hour, int& minute) const;

    QLineEdit* DayEdit() const { return m_day; }
    QLineEdit* HourEdit() const { return m_hour; }
    QLineEdit* MinuteEdit() const { return m_minute; }

private:
    int m_lastHour;
    QLineEdit* m_day;
    QLineEdit* m_hour;
    QLineEdit* m_minute;
};
