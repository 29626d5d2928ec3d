#pragma once

#include <QDialog>

class CCourseChange;
class QLineEdit;
class QSlider;
class QSpinBox;

// "Course and Speed": the gyro course to steer and the engine revolutions on a
// slider, with what the change means in speed, time and distance. Works on the
// given change; applying it on OK is the caller's.
class CDialogCourseSpeed : public QDialog {
public:
    explicit CDialogCourseSpeed(CCourseChange& change, QWidget* parent = nullptr);

    QSpinBox* CourseSpin() const { return m_course; }
    QSlider* RpmSlider() const { return m_slider; }
    QLineEdit* SetRpmField() const { return m_setRpm; }
    QLineEdit* SpeedField() const { return m_speed; }
    QLineEdit* RequiredField() const { return m_required; }
    QLineEdit* DurationField() const { return m_duration; }
    QLineEdit* DistanceField() const { return m_distance; }

    void accept() override;

private:
    void ShowFigures();

    CCourseChange& m_change;
    QSpinBox* m_course;
    QSlider* m_slider;
    QLineEdit* m_setRpm;
    QLineEdit* m_speed;
    QLineEdit* m_required;
    QLineEdit* m_duration;
    QLineEdit* m_distance;
};
