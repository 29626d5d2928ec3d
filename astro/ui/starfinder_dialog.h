#pragma once

#include <QDialog>

class CAlmanac;
class CPosition;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// "Celestial Objects": the star finder. Lists the almanac's objects seen from
// the present position at its time stamp, with their elevation, azimuth and
// magnitude, or with their rise, meridian passage and set.
class CDialogStarfinder : public QDialog {
public:
    CDialogStarfinder(CAlmanac& almanac, const CPosition& present, QWidget* parent = nullptr);

    // Lists anew for the present position's time stamp, as the radio buttons ask.
    void Refresh();

    QTreeWidget* List() const { return m_list; }
    QRadioButton* ShowButton(int show) const { return m_show[show]; }
    QRadioButton* DataButton(int data) const { return m_data[data]; }
    QPushButton* CalculateButton() const { return m_calculate; }

private:
    CAlmanac& m_almanac;
    const CPosition& m_present;
    QTreeWidget* m_list;
    QRadioButton* m_show[2];
    QRadioButton* m_data[2];
    QPushButton* m_calculate;
};
