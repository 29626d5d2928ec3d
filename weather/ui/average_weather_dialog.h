#pragma once

#include <QDialog>

class CVoyage;
class QRadioButton;
class QTreeWidget;

// "Average Weather": the voyage's positions with their averaged weather,
// current or performance. Changes nothing.
class CDialogAverageWeather : public QDialog {
public:
    CDialogAverageWeather(const CVoyage& voyage, QWidget* parent = nullptr);

    // Lists the positions anew as the radio buttons ask.
    void Refresh();

    QTreeWidget* List() const { return m_list; }
    QRadioButton* SelectButton(int selection) const { return m_select[selection]; }
    QRadioButton* ViewButton(int view) const { return m_view[view]; }

private:
    const CVoyage& m_voyage;
    QTreeWidget* m_list;
    QRadioButton* m_select[3];
    QRadioButton* m_view[3];
};
