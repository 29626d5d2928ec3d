#pragma once

#include <QDialog>

#include <string>

#include "core/time.h"

class CAlmanac;
class CPosition;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Astro Observation": reduces a sextant altitude of an almanac object, taken
// at a UTC time, against the present position to its intercept and azimuth.
// OK reduces what is entered and keeps the sight (AddToPending).
class CDialogAstroObservation : public QDialog {
public:
    CDialogAstroObservation(CAlmanac& almanac, const CPosition& present, double heightOfEye, QWidget* parent = nullptr);

    // Reduces the sight as entered; false, after telling the user, for a value out of range.
    bool Calculate();
    // Appends the sight as last reduced to the almanac's pending observations.
    void AddToPending() const;

    QComboBox* ObjectList() const { return m_object; }
    QSpinBox* HoursSpin() const { return m_hours; }
    QSpinBox* MinutesSpin() const { return m_minutes; }
    QSpinBox* SecondsSpin() const { return m_seconds; }
    QSpinBox* SextantDegreesSpin() const { return m_sextantDegrees; }
    QDoubleSpinBox* SextantMinutesSpin() const { return m_sextantMinutes; }
    QLineEdit* ElevationDegreesField() const { return m_elevationDegrees; }
    QLineEdit* ElevationMinutesField() const { return m_elevationMinutes; }
    QLineEdit* InterceptField() const { return m_intercept; }
    QLineEdit* AzimuthField() const { return m_azimuth; }
    QPushButton* CalculateButton() const { return m_calculate; }

    static constexpr const char* kNoSextantAltitudeText = "Please enter the sextant altitude of the sight.";

    void accept() override;

private:
    void ShowObjectNow();
    void ShowElevation(double altitude);

    CAlmanac& m_almanac;
    const CPosition& m_present;
    double m_heightOfEye;
    // The sight as it stands: the time, object, intercept and azimuth shown.
    CTime m_time;
    std::string m_name;
    double m_interceptValue = 0.0;
    double m_azimuthValue = 0.0;

    QComboBox* m_object;
    QSpinBox* m_hours;
    QSpinBox* m_minutes;
    QSpinBox* m_seconds;
    QSpinBox* m_sextantDegrees;
    QDoubleSpinBox* m_sextantMinutes;
    QLineEdit* m_elevationDegrees;
    QLineEdit* m_elevationMinutes;
    QLineEdit* m_intercept;
    QLineEdit* m_azimuth;
    QPushButton* m_calculate;
};
