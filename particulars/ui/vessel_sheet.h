#pragma once

#include <QDialog>
#include <QWidget>

#include "particulars/vessel.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

inline constexpr const char* kVesselDraftNote =
    "Note: arrival draft (see voyage/destination) will be calculated from above draft, using waterdensity at port "
    "of destination.";

// A page of the vessel sheet. On OK every page in turn copies its fields into
// a copy of the vessel; a page that refuses a value (after telling the user and
// focusing the field) keeps the sheet open on it.
class CVesselPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual bool CopyBack(CVessel& vessel) = 0;
};

// "General": the ship's identity, all free text; the name too, so that a new
// ship can be named.
class CPageVesselGeneral : public CVesselPage {
public:
    CPageVesselGeneral(const CVessel& vessel, QWidget* parent = nullptr);
    bool CopyBack(CVessel& vessel) override;

private:
    QLineEdit* m_name;
    QLineEdit* m_owner;
    QLineEdit* m_charterer;
    QLineEdit* m_callSign;
    QLineEdit* m_internationalNumber;
    QLineEdit* m_keelLaying;
    QLineEdit* m_yardNumber;
    QLineEdit* m_launching;
    QLineEdit* m_portOfRegistry;
};

// "Dimensions": hull dimensions and the hydrostatics at summer draft.
class CPageVesselDimensions : public CVesselPage {
public:
    CPageVesselDimensions(const CVessel& vessel, QWidget* parent = nullptr);
    bool CopyBack(CVessel& vessel) override;

private:
    QLineEdit* m_lengthBetweenPerpendiculars;
    QLineEdit* m_lengthOverAll;
    QLineEdit* m_breadth;
    QLineEdit* m_mastHeight;
    QLineEdit* m_eyeHeight;
    QLineEdit* m_maximumDraft;
    QLineEdit* m_summerDisplacement;
    QLineEdit* m_summerDeadweight;
};

// "Tonnage": international, Suez and Panama gross and nett.
class CPageVesselTonnage : public CVesselPage {
public:
    CPageVesselTonnage(const CVessel& vessel, QWidget* parent = nullptr);
    bool CopyBack(CVessel& vessel) override;

private:
    // 0 international, 1 Suez, 2 Panama; gross, nett.
    QLineEdit* m_gross[3];
    QLineEdit* m_nett[3];
};

// "Draft": the present condition in sea water.
class CPageVesselDraft : public CVesselPage {
public:
    CPageVesselDraft(const CVessel& vessel, QWidget* parent = nullptr);
    bool CopyBack(CVessel& vessel) override;

private:
    QLineEdit* m_forward;
    QLineEdit* m_center;
    QLineEdit* m_aft;
    QLineEdit* m_displacement;
};

// "Engine": revolutions and power, run-down rate, engines, shaft generator, propeller.
class CPageVesselEngine : public CVesselPage {
public:
    CPageVesselEngine(const CVessel& vessel, QWidget* parent = nullptr);
    bool CopyBack(CVessel& vessel) override;

private:
    QLineEdit* m_manoeuvringRpm;
    QLineEdit* m_manoeuvringPower;
    QLineEdit* m_seaSpeedRpm;
    QLineEdit* m_seaSpeedPower;
    QLineEdit* m_minutesPerRpm;
    QSpinBox* m_engines;
    QCheckBox* m_shaftGenerator;
    QRadioButton* m_fixedPitch;
    QRadioButton* m_variablePitch;
    QLineEdit* m_pitch;
    QLineEdit* m_diameter;
};

// "Vessel Properties": the five pages on the vessel. OK copies every page back
// and leaves the sheet open on a refused field; Cancel changes nothing.
class CSheetVessel : public QDialog {
public:
    CSheetVessel(CVessel& vessel, QWidget* parent = nullptr);
    QTabWidget* Tabs() const { return m_tabs; }
    void accept() override;

private:
    CVessel& m_vessel;
    QTabWidget* m_tabs;
};
