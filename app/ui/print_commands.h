#pragma once

#include <QDialog>

class CCommandRegistry;
class QRadioButton;

// "Select output": which of the five forms File > Print and Print Preview produce.
class CDialogSelectOutput : public QDialog {
public:
    explicit CDialogSelectOutput(int choice, QWidget* parent = nullptr);
    // The form whose button is selected.
    int Choice() const;
    QRadioButton* Button(int index) const { return m_buttons[index]; }

private:
    QRadioButton* m_buttons[5] = {};
};

// File > Print and Print Preview of the voyage (Print Setup is the frame's). The print choice
// lives as long as the registry (the dashboard view), starting at the noon report.
void RegisterPrintCommands(CCommandRegistry& registry);
