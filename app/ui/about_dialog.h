#pragma once

#include <QDialog>

// The About box: program name, version and maker.
class CAboutDialog : public QDialog {
public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};
