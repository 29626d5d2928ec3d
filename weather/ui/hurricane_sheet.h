#pragma once

#include <QDialog>
#include <QWidget>

#include "weather/hurricane_entry.h"

class CCoordinateEdit;
class CUtcEntry;
class QComboBox;
class QLineEdit;
class QTabWidget;

// "Properties": name, centre pressure and its tendency, maximum wind, radius.
class CPageHurricaneGeneral : public QWidget {
public:
    CPageHurricaneGeneral(const CHurricaneEntry& entry, QWidget* parent = nullptr);
    bool CopyBack(CHurricaneEntry& entry);
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* PressureEdit() const { return m_pressure; }
    QComboBox* TendencyList() const { return m_tendency; }
    QLineEdit* MaxWindEdit() const { return m_maxWind; }
    QLineEdit* RadiusEdit() const { return m_radius; }

private:
    QLineEdit* m_name;
    QLineEdit* m_pressure;
    QComboBox* m_tendency;
    QLineEdit* m_maxWind;
    QLineEdit* m_radius;
};

// "Position": UTC day, hour and minute, centre, course and speed of movement.
class CPageHurricanePosition : public QWidget {
public:
    CPageHurricanePosition(const CHurricaneEntry& entry, QWidget* parent = nullptr);
    bool CopyBack(CHurricaneEntry& entry);
    CUtcEntry* TimeEntry() const { return m_time; }
    CCoordinateEdit* LatitudeEdit() const { return m_latitude; }
    CCoordinateEdit* LongitudeEdit() const { return m_longitude; }
    QLineEdit* CourseEdit() const { return m_course; }
    QLineEdit* SpeedEdit() const { return m_speed; }

private:
    CUtcEntry* m_time;
    CCoordinateEdit* m_latitude;
    CCoordinateEdit* m_longitude;
    QLineEdit* m_course;
    QLineEdit* m_speed;
};

// "New Hurricane": one cyclone's figures, for adding and for updating. OK
// collects the pages into Entry(); writing it into the cyclone is the caller's.
class CSheetHurricane : public QDialog {
public:
    CSheetHurricane(const CHurricaneEntry& entry, QWidget* parent = nullptr);

    const CHurricaneEntry& Entry() const { return m_entry; }
    QTabWidget* Tabs() const { return m_tabs; }
    CPageHurricaneGeneral* GeneralPage() const { return m_general; }
    CPageHurricanePosition* PositionPage() const { return m_position; }

    void accept() override;

private:
    CHurricaneEntry m_entry;
    QTabWidget* m_tabs;
    CPageHurricaneGeneral* m_general;
    CPageHurricanePosition* m_position;
};
