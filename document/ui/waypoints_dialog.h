#pragma once

#include <QDialog>

#include <string>

#include "document/route_editing.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// "Waypoints": the route as a list, with the buttons that change it at once.
// Given the name of the next waypoint as the dashboard shows it, which may not
// be deleted.
class CDialogWaypoints : public QDialog {
public:
    CDialogWaypoints(CKeelmarkLiteDoc& doc, const std::string& nextWaypointName, QWidget* parent = nullptr);

    // Lists the route anew as the radio buttons ask.
    void Refresh();

    QTreeWidget* List() const { return m_list; }
    QRadioButton* ShowButton(int show) const { return m_show[show]; }
    QRadioButton* InformationButton(int information) const { return m_information[information]; }
    QLineEdit* TotalDistanceField() const { return m_totalDistance; }
    QLineEdit* RequiredSpeedField() const { return m_requiredSpeed; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* WipeButton() const { return m_wipe; }
    QPushButton* CloseButton() const { return m_close; }

    void done(int result) override;

private:
    int Show() const;
    int Information() const;
    int SelectedRow() const;
    void SelectRouteIndex(int routeIndex);
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnWipe();

    CKeelmarkLiteDoc& m_doc;
    CWaypointEditing m_editing;
    QTreeWidget* m_list;
    QRadioButton* m_show[3];
    QRadioButton* m_information[3];
    QLineEdit* m_totalDistance;
    QLineEdit* m_requiredSpeed;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QPushButton* m_wipe;
    QPushButton* m_close;
};
