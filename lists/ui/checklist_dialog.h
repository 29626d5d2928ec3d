#pragma once

#include <QDialog>

#include <cstdint>
#include <optional>

class CChecklist;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QTreeWidget;

inline constexpr const char* kChecklistHint = "Double Click on item to mark them 'done'";
inline constexpr const char* kChecklistItemEmpty = "Please enter the item's text.";

// "Checklist Item": the text, the checklist it belongs to and how long a tick holds.
class CDialogChecklistItem : public QDialog {
public:
    explicit CDialogChecklistItem(QWidget* parent = nullptr);

    // Fills the dialog from an item: no radio button for kind -1, the box ticked when validity is not 0.
    void SetItem(const QString& text, std::int32_t kind, std::int32_t validity);
    QString Text() const;
    std::int32_t Kind() const;     // -1 when no button was chosen
    std::int32_t Validity() const; // the hours when the box is ticked, 0 otherwise

    QLineEdit* TextEdit() const { return m_text; }
    QAbstractButton* KindButton(int kind) const;
    QCheckBox* ValidCheck() const { return m_valid; }
    QLineEdit* HoursEdit() const { return m_hours; }

    void accept() override;

private:
    QLineEdit* m_text;
    QButtonGroup* m_kinds;
    QCheckBox* m_valid;
    QLineEdit* m_hours;
    std::int32_t m_validity = 0;
};

// "CheckList": the ship's checklist items with their status icons, worked for
// the stage of the voyage (whole days since departure, whole hours to go).
// Every action changes the checklist at once and refreshes the list.
class CDialogChecklist : public QDialog {
public:
    CDialogChecklist(CChecklist& checklist, std::int64_t daysSinceDeparture, std::optional<std::int64_t> hoursToGo,
                     QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }

    // The window's actions on the selected row (tests call them too).
    void TickRow(int row);
    void AddItem();
    void EditItem();
    void DeleteItem();
    void ResetAll();

private:
    void Refresh();
    int SelectedRow() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    CChecklist& m_checklist;
    std::int64_t m_days;
    std::optional<std::int64_t> m_hoursToGo;
    QTreeWidget* m_list;
};
