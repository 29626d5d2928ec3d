#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

// One coordinate as the officer types it: whole degrees, decimal minutes
// (0..59.9999) and the hemisphere from a sorted list ("North", "South" or
// "East", "West"; index 0 or 1, -1 while none is chosen). Shared by the
// position page, the GPS fix dialog and the cyclone sheet.
class CCoordinateEdit : public QWidget {
public:
    enum class Axis { Latitude, Longitude };

    explicit CCoordinateEdit(Axis axis, QWidget* parent = nullptr);

    void SetValues(int degrees, double minutes, int hemisphere);
    // Checks the fields as OK does: degrees 0..90 (or 0..180), minutes
    // 0..59.9999, and the whole not beyond the pole or the date line. On a fault
    // the user is told, the field gets the focus and the result is false.
    bool Read(int& degrees, double& minutes, int& hemisphere) const;

    QLineEdit* DegreesEdit() const { return m_degrees; }
    QLineEdit* MinutesEdit() const { return m_minutes; }
    QComboBox* HemisphereList() const { return m_hemisphere; }

    static constexpr double kMaximumMinutes = 59.9999;

private:
    Axis m_axis;
    QLineEdit* m_degrees;
    QLineEdit* m_minutes;
    QComboBox* m_hemisphere;
};

inline constexpr const char* kLatitudeBeyondPoleText = "Please enter a latitude of at most 90 degrees.";
inline constexpr const char* kLongitudeBeyondDateLineText = "Please enter a longitude of at most 180 degrees.";
