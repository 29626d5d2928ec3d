#pragma once

#include <QDialog>

#include <string>

class CAlmanac;
class CPosition;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Celestial Azimuth": the compass error from a compass bearing of an almanac
// object against its calculated true azimuth. OK calculates once more and
// closes; LogLine then gives the event-log entry.
class CDialogCelestialAzimuth : public QDialog {
public:
    CDialogCelestialAzimuth(CAlmanac& almanac, const CPosition& present, QWidget* parent = nullptr);

    // Takes the entries and works out azimuth and correction; false, after
    // telling the user (unless quietly), for a value out of range.
    bool Calculate(bool quietly = false);
    // "Azimuth Compass ... deg, True = ... deg, Correction = ... deg" of the last calculation.
    std::string LogLine() const;

    QComboBox* ObjectList() const { return m_object; }
    QSpinBox* HoursSpin() const { return m_hours; }
    QSpinBox* MinutesSpin() const { return m_minutes; }
    QLineEdit* BearingEdit() const { return m_bearing; }
    QLineEdit* AzimuthField() const { return m_azimuth; }
    QLineEdit* CorrectionField() const { return m_correction; }
    QLineEdit* GyroField() const { return m_gyro; }
    QPushButton* CalculateButton() const { return m_calculate; }

    void accept() override;

private:
    CAlmanac& m_almanac;
    const CPosition& m_present;
    double m_bearingValue = 0.0;
    double m_azimuthValue = 0.0;
    double m_correctionValue = 0.0;

    QComboBox* m_object;
    QSpinBox* m_hours;
    QSpinBox* m_minutes;
    QLineEdit* m_bearing;
    QLineEdit* m_azimuth;
    QLineEdit* m_correction;
    QLineEdit* m_gyro;
    QPushButton* m_calculate;
};
