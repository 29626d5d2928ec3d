#pragma once

#include <QDialog>
#include <QWidget>

#include "app/options.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

// "Path": the four data files, each with a Browse button.
class CPageOptionsPath : public QWidget {
public:
    explicit CPageOptionsPath(QWidget* parent = nullptr);
    void SetFields(const COptions& options);
    void GetFields(COptions& options) const;

    QLineEdit* AlmanacEdit() const { return m_almanac; }
    QLineEdit* VesselEdit() const { return m_vessel; }
    QLineEdit* HurricaneEdit() const { return m_hurricane; }
    QLineEdit* LoggingEdit() const { return m_logging; }

private:
    QLineEdit* m_almanac;
    QLineEdit* m_vessel;
    QLineEdit* m_hurricane;
    QLineEdit* m_logging;
};

// A page of switches; each check box is named after its key in the store.
class COptionsSwitchPage : public QWidget {
public:
    void SetFields(const COptions& options);
    void GetFields(COptions& options) const;

protected:
    explicit COptionsSwitchPage(QWidget* parent) : QWidget(parent) {}
    QCheckBox* AddSwitch(QWidget* owner, const char* caption, const char* key);
};

// "Alarms": which watch alarms show their warning.
class CPageOptionsAlarm : public COptionsSwitchPage {
public:
    explicit CPageOptionsAlarm(QWidget* parent = nullptr);
};

// "Logging": which events go to the log.
class CPageOptionsLogging : public COptionsSwitchPage {
public:
    explicit CPageOptionsLogging(QWidget* parent = nullptr);
};

// "Navigation": what the route does by itself.
class CPageOptionsNav : public COptionsSwitchPage {
public:
    explicit CPageOptionsNav(QWidget* parent = nullptr);
};

// "Datacom": the data communication system and the message folders.
class CDialogOptionsDatacom : public QWidget {
public:
    explicit CDialogOptionsDatacom(QWidget* parent = nullptr);
    void SetFields(const COptions& options);
    void GetFields(COptions& options) const;

    QButtonGroup* SystemGroup() const { return m_system; }
    QLineEdit* OutboxEdit() const { return m_outbox; }
    QLineEdit* InboxEdit() const { return m_inbox; }

private:
    QButtonGroup* m_system;
    QLineEdit* m_outbox;
    QLineEdit* m_inbox;
};

// "Options": the five pages over the settings store. The sheet only shows and
// collects the values; the frame reads and writes them (COptions).
class CSheetOptions : public QDialog {
public:
    explicit CSheetOptions(QWidget* parent = nullptr);

    void SetOptions(const COptions& options);
    // The values in the controls now.
    COptions GetOptions() const;

    QTabWidget* Tabs() const { return m_tabs; }
    CPageOptionsPath* PathPage() const { return m_path; }
    CPageOptionsAlarm* AlarmPage() const { return m_alarm; }
    CPageOptionsLogging* LoggingPage() const { return m_logging; }
    CPageOptionsNav* NavPage() const { return m_nav; }
    CDialogOptionsDatacom* DatacomPage() const { return m_datacom; }

private:
    QTabWidget* m_tabs;
    CPageOptionsPath* m_path;
    CPageOptionsAlarm* m_alarm;
    CPageOptionsLogging* m_logging;
    CPageOptionsNav* m_nav;
    CDialogOptionsDatacom* m_datacom;
};
