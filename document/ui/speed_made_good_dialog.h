#pragma once

#include <QDialog>

class CVoyage;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// "Speed made good between positions": distance, bearing, time and average
// speed between any two route points. Stores nothing.
class CDialogSpeedMadeGood : public QDialog {
public:
    explicit CDialogSpeedMadeGood(const CVoyage& voyage, QWidget* parent = nullptr);

    QComboBox* FromList() const { return m_from; }
    QComboBox* TillList() const { return m_till; }
    QCheckBox* AlongRouteBox() const { return m_alongRoute; }
    QLineEdit* DistanceField() const { return m_distance; }
    QLineEdit* BearingField() const { return m_bearing; }
    QLineEdit* SpeedField() const { return m_speed; }
    QLineEdit* TimeField() const { return m_time; }
    QPushButton* CalculateButton() const { return m_calculate; }
    QPushButton* CloseButton() const { return m_close; }

    void Calculate();

private:
    const CVoyage& m_voyage;
    QComboBox* m_from;
    QComboBox* m_till;
    QCheckBox* m_alongRoute;
    QLineEdit* m_distance;
    QLineEdit* m_bearing;
    QLineEdit* m_speed;
    QLineEdit* m_time;
    QPushButton* m_calculate;
    QPushButton* m_close;
};
