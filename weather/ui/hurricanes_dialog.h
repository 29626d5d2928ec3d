#pragma once

#include <QDialog>

class CHurricaneList;
class CPosition;
class QPushButton;
class QRadioButton;
class QTreeWidget;

// "Hurricanes": the tracked cyclones, moved to the present time at every
// refresh, shown by position, by distance and bearing from the ship, or by
// course and speed. Add, Update and Delete change the list at once; "Close"
// accepts, the window's close box and Esc reject.
class CDialogHurricanes : public QDialog {
public:
    CDialogHurricanes(CHurricaneList& cyclones, const CPosition& present, QWidget* parent = nullptr);

    // Moves the cyclones to now and lists them anew as the radio buttons ask.
    void Refresh();

    QTreeWidget* List() const { return m_list; }
    QRadioButton* ShowButton(int view) const { return m_show[view]; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* UpdateButton() const { return m_update; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* CloseButton() const { return m_close; }

private:
    int SelectedRow() const;
    void OnAdd();
    void OnUpdate();
    void OnDelete();

    CHurricaneList& m_cyclones;
    const CPosition& m_present;
    QTreeWidget* m_list;
    QRadioButton* m_show[3];
    QPushButton* m_add;
    QPushButton* m_update;
    QPushButton* m_delete;
    QPushButton* m_close;
};
