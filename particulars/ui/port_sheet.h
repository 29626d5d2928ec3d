#pragma once

#include <QDialog>
#include <QWidget>

#include <string>

#include "core/time.h"
#include "particulars/port.h"

class CAlmanac;
class CPagePos;
class CPagePosTimes;
class CPosition;
class CVessel;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QSpinBox;
class QTabWidget;

inline constexpr const char* kPortDraftNote =
    "Note: drafts on arrival are the present drafts (vessel properties, sea water of 1025 kg/m3) corrected for "
    "the water at the berth: arrival draft = present draft x 1025 / salinity. They follow the salinity as it is "
    "changed.";

// What the port sheet confirms besides the port itself.
struct CPortSheetEdit {
    CPort port;
    CTime eta;                  // the destination's time stamp: arrival at the pilot station
    std::string standardReport; // the report file to port control, kept in the settings
};

// A page of the port sheet. On OK every page in turn copies its fields into the
// edit; a page that refuses a value (after telling the user and focusing the
// field) keeps the sheet open on it.
class CPortPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual bool CopyBack(CPortSheetEdit& edit) = 0;
};

// "Schedule": arrival at the pilot station, berthing, completion, departure; UTC.
class CPagePortSchedule : public CPortPage {
public:
    CPagePortSchedule(CTime eta, const CPort& port, QWidget* parent = nullptr);
    bool CopyBack(CPortSheetEdit& edit) override;
    // 0 ETA, 1 ETB, 2 ETC, 3 ETD.
    QDateTimeEdit* Picker(int which) const { return m_pickers[which]; }

private:
    QDateTimeEdit* m_pickers[4];
};

// "Draft": the drafts on arrival for the salinity at the berth, and the
// clearances under the port's restrictions, worked out as they are typed.
class CPagePortDraft : public CPortPage {
public:
    CPagePortDraft(const CPort& port, const CVessel& vessel, QWidget* parent = nullptr);
    bool CopyBack(CPortSheetEdit& edit) override;
    QSpinBox* SalinitySpin() const { return m_salinity; }
    QLineEdit* MaximumDraftEdit() const { return m_maximumDraft; }
    QLineEdit* MaximumAirDraftEdit() const { return m_maximumAirDraft; }

private:
    void ShowFigures();

    const CPort& m_port;
    const CVessel& m_vessel;
    QLineEdit* m_forward;
    QLineEdit* m_aft;
    QLineEdit* m_airDraft;
    QSpinBox* m_salinity;
    QLineEdit* m_maximumDraft;
    QLineEdit* m_draftClearance;
    QLineEdit* m_maximumAirDraft;
    QLineEdit* m_airDraftClearance;
};

// "Agent": the local agent's name and contact.
class CPagePortAgent : public CPortPage {
public:
    CPagePortAgent(const CPort& port, QWidget* parent = nullptr);
    bool CopyBack(CPortSheetEdit& edit) override;

private:
    QLineEdit* m_name;
    QLineEdit* m_phone;
    QLineEdit* m_fax;
    QLineEdit* m_eMail;
    QLineEdit* m_notes;
};

// "Pilot": the pilot service, when to call it, and the pilot ladder.
class CPagePortPilot : public CPortPage {
public:
    CPagePortPilot(const CPort& port, QWidget* parent = nullptr);
    bool CopyBack(CPortSheetEdit& edit) override;

private:
    QLineEdit* m_name;
    QLineEdit* m_channel;
    QLineEdit* m_callAhead;
    QComboBox* m_callUnit;
    QComboBox* m_ladderSide;
    QLineEdit* m_ladderHeight;
};

// "Port Control / VTIS": port control, when to call it, and the standard
// report sent to it (a report file chosen with "Browse").
class CPagePortVTIS : public CPortPage {
public:
    CPagePortVTIS(const CPort& port, const std::string& standardReport, QWidget* parent = nullptr);
    bool CopyBack(CPortSheetEdit& edit) override;
    QLineEdit* ReportField() const { return m_report; }

private:
    void Browse();

    QLineEdit* m_name;
    QLineEdit* m_channel;
    QSpinBox* m_callHours;
    QLineEdit* m_report;
    std::string m_initialReport;
};

// "Port Particulars": the destination position, the port's pages and the
// destination's celestial pages. OK writes the destination (position, ETA,
// local time difference), the port and the standard report; Cancel changes nothing.
class CSheetPort : public QDialog {
public:
    CSheetPort(CPort& port, CVessel& vessel, CPosition& destination, CAlmanac* almanac = nullptr,
               QWidget* parent = nullptr);
    QTabWidget* Tabs() const { return m_tabs; }
    CPagePos* PositionPage() const { return m_positionPage; }
    CPagePortDraft* DraftPage() const { return m_draftPage; }
    CPagePortVTIS* VtisPage() const { return m_vtisPage; }
    void accept() override;

private:
    CPort& m_port;
    CPosition& m_destination;
    QTabWidget* m_tabs;
    CPagePos* m_positionPage;
    CPagePosTimes* m_timesPage;
    CPagePortDraft* m_draftPage;
    CPagePortVTIS* m_vtisPage;
};
