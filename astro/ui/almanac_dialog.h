#pragma once

#include <QDialog>

class CAlmanac;
class QPushButton;
class QTreeWidget;

// "Nautical Almanac": the objects of the almanac with their GHA and
// declination now. Add, Edit and Delete change the almanac at once; OK and
// Cancel only close.
class CDialogAlmanac : public QDialog {
public:
    explicit CDialogAlmanac(CAlmanac& almanac, QWidget* parent = nullptr);

    // Lists every object anew, computed for the present time.
    void Refresh();

    QTreeWidget* List() const { return m_list; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }

    static constexpr const char* kSelectToEditText = "Please select object to edit!";
    static constexpr const char* kSelectToDeleteText = "Please select object to delete!";
    static constexpr const char* kKeepOneText = "The almanac keeps at least one object.";

private:
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void Select(int row);

    CAlmanac& m_almanac;
    QTreeWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
};
