#pragma once

#include <QDialog>

class CPosition;
class QLineEdit;

// "Times": the present time on the computer's clock, in UTC and in local mean
// time, and the Sun's twilight, rise, meridian passage, set and twilight end
// at the present position, in UTC and local mean time. Filled once, on opening.
class CDialogTimes : public QDialog {
public:
    explicit CDialogTimes(const CPosition& present, QWidget* parent = nullptr);

    // Row 0 twilight start .. 4 twilight end; column 0 UTC, 1 local mean time.
    QLineEdit* TimeField(int row, int column) const { return m_times[row][column]; }
    QLineEdit* SystemTimeField() const { return m_systemTime; }
    QLineEdit* UtcField() const { return m_utc; }
    QLineEdit* LocalMeanTimeField() const { return m_localMeanTime; }

private:
    QLineEdit* m_times[5][2];
    QLineEdit* m_systemTime;
    QLineEdit* m_utc;
    QLineEdit* m_localMeanTime;
};
