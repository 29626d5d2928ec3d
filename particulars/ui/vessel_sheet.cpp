#include "particulars/ui/vessel_sheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/ui/form_fields.h"
#include "core/ui/number_field.h"

namespace {

// Measures, masses, tonnages and powers are never negative; the ceiling only
// keeps out a slip of the finger that no ship has.
constexpr double kLargest = 1e6;
constexpr int kMostRpm = 10000;
constexpr int kMostEngines = 99;

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

bool ReadMeasure(QLineEdit* edit, double& value) { return ReadNumberField(edit, 0.0, kLargest, value); }

QLabel* Note(QWidget* parent, const char* text) {
    auto* note = new QLabel(QString::fromUtf8(text), parent);
    note->setWordWrap(true);
    return note;
}

} // namespace

CPageVesselGeneral::CPageVesselGeneral(const CVessel& v, QWidget* parent) : CVesselPage(parent) {
    m_name = StorableTextField(this, "nameEdit", v.m_name);
    m_owner = StorableTextField(this, "ownerEdit", v.m_owner);
    m_charterer = StorableTextField(this, "chartererEdit", v.m_charterer);
    m_callSign = StorableTextField(this, "callSignEdit", v.m_callSign);
    m_internationalNumber = StorableTextField(this, "internationalNumberEdit", v.m_internationalNumber);
    m_keelLaying = StorableTextField(this, "keelLayingEdit", v.m_keelLaying);
    m_yardNumber = StorableTextField(this, "yardNumberEdit", v.m_yardNumber);
    m_launching = StorableTextField(this, "launchingEdit", v.m_launching);
    m_portOfRegistry = StorableTextField(this, "portOfRegistryEdit", v.m_portOfRegistry);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("Owner:"), m_owner);
    form->addRow(QStringLiteral("Charterer:"), m_charterer);
    form->addRow(QStringLiteral("Callsign:"), m_callSign);
    form->addRow(QStringLiteral("Int. number:"), m_internationalNumber);
    form->addRow(QStringLiteral("Keellaying:"), m_keelLaying);
    form->addRow(QStringLiteral("Yard No.:"), m_yardNumber);
    form->addRow(QStringLiteral("Launching:"), m_launching);
    form->addRow(QStringLiteral("Port of Registry:"), m_portOfRegistry);
}

bool CPageVesselGeneral::CopyBack(CVessel& v) {
    v.m_name = Text(m_name);
    v.m_owner = Text(m_owner);
    v.m_charterer = Text(m_charterer);
    v.m_callSign = Text(m_callSign);
    v.m_internationalNumber = Text(m_internationalNumber);
    v.m_keelLaying = Text(m_keelLaying);
    v.m_yardNumber = Text(m_yardNumber);
    v.m_launching = Text(m_launching);
    v.m_portOfRegistry = Text(m_portOfRegistry);
    return true;
}

CPageVesselDimensions::CPageVesselDimensions(const CVessel& v, QWidget* parent) : CVesselPage(parent) {
    auto* hull = new QGroupBox(QStringLiteral("Hull dimensions: "), this);
    m_lengthBetweenPerpendiculars =
        NumberEdit(hull, "lengthBetweenPerpendicularsEdit", v.m_lengthBetweenPerpendiculars);
    m_lengthOverAll = NumberEdit(hull, "lengthOverAllEdit", v.m_lengthOverAll);
    m_breadth = NumberEdit(hull, "breadthEdit", v.m_breadth);
    m_mastHeight = NumberEdit(hull, "mastHeightEdit", v.m_mastHeight);
    m_eyeHeight = NumberEdit(hull, "eyeHeightEdit", v.m_eyeHeight);
    auto* hullForm = new QFormLayout(hull);
    hullForm->addRow(QStringLiteral("Length between pp"), m_lengthBetweenPerpendiculars);
    hullForm->addRow(QStringLiteral("Length over all:"), m_lengthOverAll);
    hullForm->addRow(QStringLiteral("Max. Breadth:"), m_breadth);
    hullForm->addRow(QStringLiteral("Mastheight above keel:"), m_mastHeight);
    hullForm->addRow(QStringLiteral("Eyeheight above keel:"), m_eyeHeight);
    hullForm->addRow(Note(hull, "Note: all units mtrs"));

    auto* summer = new QGroupBox(QStringLiteral("Hydrostatics at summerdraft: "), this);
    m_maximumDraft = NumberEdit(summer, "maximumDraftEdit", v.m_maximumDraft);
    m_summerDisplacement = NumberEdit(summer, "summerDisplacementEdit", v.m_summerDisplacement);
    m_summerDeadweight = NumberEdit(summer, "summerDeadweightEdit", v.m_summerDeadweight);
    auto* summerForm = new QFormLayout(summer);
    summerForm->addRow(QStringLiteral("Max. Draft:"), WithUnit(m_maximumDraft, QStringLiteral("mtr")));
    summerForm->addRow(QStringLiteral("Displacement:"), WithUnit(m_summerDisplacement, QStringLiteral("mT")));
    summerForm->addRow(QStringLiteral("Deadweight:"), WithUnit(m_summerDeadweight, QStringLiteral("mT")));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hull);
    layout->addWidget(summer);
    layout->addStretch(1);
}

bool CPageVesselDimensions::CopyBack(CVessel& v) {
    return ReadMeasure(m_lengthBetweenPerpendiculars, v.m_lengthBetweenPerpendiculars) &&
           ReadMeasure(m_lengthOverAll, v.m_lengthOverAll) && ReadMeasure(m_breadth, v.m_breadth) &&
           ReadMeasure(m_mastHeight, v.m_mastHeight) && ReadMeasure(m_eyeHeight, v.m_eyeHeight) &&
           ReadMeasure(m_maximumDraft, v.m_maximumDraft) && ReadMeasure(m_summerDisplacement, v.m_summerDisplacement) &&
           ReadMeasure(m_summerDeadweight, v.m_summerDeadweight);
}

CPageVesselTonnage::CPageVesselTonnage(const CVessel& v, QWidget* parent) : CVesselPage(parent) {
    const char* titles[3] = {"International Register Tonnage: ", "SuezCanal Tonnage: ", "Panama Tonnage: "};
    const char* names[3] = {"international", "suez", "panama"};
    const double gross[3] = {v.m_internationalGross, v.m_suezGross, v.m_panamaGross};
    const double nett[3] = {v.m_internationalNett, v.m_suezNett, v.m_panamaNett};
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QGroupBox(QString::fromLatin1(titles[i]), this);
        m_gross[i] = NumberEdit(box, QStringLiteral("%1GrossEdit").arg(names[i]).toLatin1().constData(), gross[i]);
        m_nett[i] = NumberEdit(box, QStringLiteral("%1NettEdit").arg(names[i]).toLatin1().constData(), nett[i]);
        auto* form = new QFormLayout(box);
        form->addRow(QStringLiteral("Gross:"), m_gross[i]);
        form->addRow(QStringLiteral("Nett:"), m_nett[i]);
        layout->addWidget(box);
    }
    layout->addStretch(1);
}

bool CPageVesselTonnage::CopyBack(CVessel& v) {
    double* gross[3] = {&v.m_internationalGross, &v.m_suezGross, &v.m_panamaGross};
    double* nett[3] = {&v.m_internationalNett, &v.m_suezNett, &v.m_panamaNett};
    for (int i = 0; i < 3; ++i)
        if (!ReadMeasure(m_gross[i], *gross[i]) || !ReadMeasure(m_nett[i], *nett[i])) return false;
    return true;
}

CPageVesselDraft::CPageVesselDraft(const CVessel& v, QWidget* parent) : CVesselPage(parent) {
    auto* box = new QGroupBox(QStringLiteral("Present condition (seawater)"), this);
    m_forward = NumberEdit(box, "draftForwardEdit", v.m_draftForward);
    m_center = NumberEdit(box, "draftCenterEdit", v.m_draftCenter);
    m_aft = NumberEdit(box, "draftAftEdit", v.m_draftAft);
    m_displacement = NumberEdit(box, "presentDisplacementEdit", v.m_presentDisplacement);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Draft Forward"), WithUnit(m_forward, QStringLiteral("mtr")));
    form->addRow(QStringLiteral("Draft Center:"), WithUnit(m_center, QStringLiteral("mtr")));
    form->addRow(QStringLiteral("Draft Aft"), WithUnit(m_aft, QStringLiteral("mtr")));
    form->addRow(QStringLiteral("displacement:"), WithUnit(m_displacement, QStringLiteral("mT")));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(Note(this, kVesselDraftNote));
    layout->addStretch(1);
}

bool CPageVesselDraft::CopyBack(CVessel& v) {
    return ReadMeasure(m_forward, v.m_draftForward) && ReadMeasure(m_center, v.m_draftCenter) &&
           ReadMeasure(m_aft, v.m_draftAft) && ReadMeasure(m_displacement, v.m_presentDisplacement);
}

CPageVesselEngine::CPageVesselEngine(const CVessel& v, QWidget* parent) : CVesselPage(parent) {
    auto* engine = new QGroupBox(this);
    m_manoeuvringRpm = NumberEdit(engine, "manoeuvringRpmEdit", v.m_manoeuvringRpm);
    m_manoeuvringPower = NumberEdit(engine, "manoeuvringPowerEdit", v.m_manoeuvringPower);
    m_seaSpeedRpm = NumberEdit(engine, "seaSpeedRpmEdit", v.m_seaSpeedRpm);
    m_seaSpeedPower = NumberEdit(engine, "seaSpeedPowerEdit", v.m_seaSpeedPower);
    m_minutesPerRpm = NumberEdit(engine, "minutesPerRpmEdit", v.m_minutesPerRpm);
    m_engines = new QSpinBox(engine);
    m_engines->setObjectName(QStringLiteral("enginesSpin"));
    m_engines->setRange(0, kMostEngines);
    m_engines->setValue(v.m_numberOfEngines);
    m_shaftGenerator = new QCheckBox(QStringLiteral("Shaft generator in use"), engine);
    m_shaftGenerator->setObjectName(QStringLiteral("shaftGeneratorCheck"));
    m_shaftGenerator->setChecked(v.m_shaftGenerator);
    auto* grid = new QGridLayout(engine);
    grid->addWidget(new QLabel(QStringLiteral("rpm"), engine), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("MW"), engine), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Manouevring FA:"), engine), 1, 0);
    grid->addWidget(m_manoeuvringRpm, 1, 1);
    grid->addWidget(m_manoeuvringPower, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Max. seaspeed:"), engine), 2, 0);
    grid->addWidget(m_seaSpeedRpm, 2, 1);
    grid->addWidget(m_seaSpeedPower, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Minutes/rpm speedchange:"), engine), 3, 0);
    grid->addWidget(m_minutesPerRpm, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Number of engines:"), engine), 4, 0);
    grid->addWidget(m_engines, 4, 1);
    grid->addWidget(m_shaftGenerator, 5, 0, 1, 3);

    auto* propeller = new QGroupBox(this);
    m_fixedPitch = new QRadioButton(QStringLiteral("Fixed pitch propellor"), propeller);
    m_fixedPitch->setObjectName(QStringLiteral("fixedPitchRadio"));
    m_variablePitch = new QRadioButton(QStringLiteral("variable pitch propellor"), propeller);
    m_variablePitch->setObjectName(QStringLiteral("variablePitchRadio"));
    (v.m_propellerType == 1 ? m_variablePitch : m_fixedPitch)->setChecked(true);
    m_pitch = NumberEdit(propeller, "pitchEdit", v.m_propellerPitch);
    m_diameter = NumberEdit(propeller, "diameterEdit", v.m_propellerDiameter);
    auto* propellerForm = new QFormLayout(propeller);
    propellerForm->addRow(m_fixedPitch);
    propellerForm->addRow(m_variablePitch);
    propellerForm->addRow(QStringLiteral("Pitch:"), WithUnit(m_pitch, QStringLiteral("mm")));
    propellerForm->addRow(QStringLiteral("Diameter:"), WithUnit(m_diameter, QStringLiteral("mm")));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(engine);
    layout->addWidget(propeller);
    layout->addStretch(1);
}

bool CPageVesselEngine::CopyBack(CVessel& v) {
    int manoeuvringRpm = 0, seaSpeedRpm = 0;
    if (!ReadIntegerField(m_manoeuvringRpm, 0, kMostRpm, manoeuvringRpm) ||
        !ReadMeasure(m_manoeuvringPower, v.m_manoeuvringPower) ||
        !ReadIntegerField(m_seaSpeedRpm, 0, kMostRpm, seaSpeedRpm) ||
        !ReadMeasure(m_seaSpeedPower, v.m_seaSpeedPower) || !ReadMeasure(m_minutesPerRpm, v.m_minutesPerRpm) ||
        !ReadMeasure(m_pitch, v.m_propellerPitch) || !ReadMeasure(m_diameter, v.m_propellerDiameter))
        return false;
    v.m_manoeuvringRpm = manoeuvringRpm;
    v.m_seaSpeedRpm = seaSpeedRpm;
    v.m_numberOfEngines = m_engines->value();
    v.m_shaftGenerator = m_shaftGenerator->isChecked();
    v.m_propellerType = m_variablePitch->isChecked() ? 1 : 0;
    return true;
}

CSheetVessel::CSheetVessel(CVessel& vessel, QWidget* parent) : QDialog(parent), m_vessel(vessel) {
    setWindowTitle(QStringLiteral("Vessel Properties"));
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(new CPageVesselGeneral(vessel, m_tabs), QStringLiteral("General"));
    m_tabs->addTab(new CPageVesselDimensions(vessel, m_tabs), QStringLiteral("Dimensions"));
    m_tabs->addTab(new CPageVesselTonnage(vessel, m_tabs), QStringLiteral("Tonnage"));
    m_tabs->addTab(new CPageVesselDraft(vessel, m_tabs), QStringLiteral("Draft"));
    m_tabs->addTab(new CPageVesselEngine(vessel, m_tabs), QStringLiteral("Engine"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSheetVessel::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSheetVessel::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CSheetVessel::accept() {
    CVessel edited = m_vessel;
    for (int i = 0; i < m_tabs->count(); ++i) {
        auto* page = static_cast<CVesselPage*>(m_tabs->widget(i));
        // Show the page first, so that the field it focuses on a refusal can be seen.
        QWidget* shown = m_tabs->currentWidget();
        m_tabs->setCurrentIndex(i);
        if (!page->CopyBack(edited)) return;
        m_tabs->setCurrentWidget(shown);
    }
    m_vessel = std::move(edited);
    QDialog::accept();
}
