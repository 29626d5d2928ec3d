#pragma once

#include <QDialog>

class CAlmanac;
class CPosition;
class QPushButton;
class QTreeWidget;

// "Pending Observations": the reduced sights waiting for the astro fix. Add
// reduces another sight, Remove drops the chosen one, Check tells the fix's
// spread; Calculate closes with OK (the caller then takes the fix) once there
// are three sights, Close without. The sights stay in the almanac either way.
class CDialogPendingObservations : public QDialog {
public:
    CDialogPendingObservations(CAlmanac& almanac, const CPosition& present, double heightOfEye,
                               QWidget* parent = nullptr);

    void Refresh();

    QTreeWidget* List() const { return m_list; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }
    QPushButton* CheckButton() const { return m_check; }
    QPushButton* CalculateButton() const { return m_calculate; }
    QPushButton* CloseButton() const { return m_close; }

    static constexpr const char* kSelectToRemoveText = "Woops..\nForgotten to select an observation!";

private:
    void OnAdd();
    void OnRemove();
    void OnCheck();

    CAlmanac& m_almanac;
    const CPosition& m_present;
    double m_heightOfEye;
    QTreeWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_remove;
    QPushButton* m_check;
    QPushButton* m_calculate;
    QPushButton* m_close;
};
