#pragma once

#include <QDialog>

class CKeelmarkLiteDoc;
class QCheckBox;
class QComboBox;
class QLineEdit;

// "Select next waypoint": any route position, with its bearing and distance from
// the ship. OK pins it as the next waypoint (and logs the choice).
class CDialogSelectWaypoint : public QDialog {
public:
    explicit CDialogSelectWaypoint(CKeelmarkLiteDoc& doc, QWidget* parent = nullptr);

    QComboBox* NameList() const { return m_names; }
    QLineEdit* BearingField() const { return m_bearing; }
    QLineEdit* DistanceField() const { return m_distance; }
    QCheckBox* AutoAdjustBox() const { return m_autoAdjust; }

    void accept() override;

private:
    void ShowBearing();

    CKeelmarkLiteDoc& m_doc;
    QComboBox* m_names;
    QLineEdit* m_bearing;
    QLineEdit* m_distance;
    QCheckBox* m_autoAdjust;
};
