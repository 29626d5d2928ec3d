#include "particulars/ui/port_sheet.h"

#include <QComboBox>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeZone>
#include <QVBoxLayout>

#include <algorithm>

#include "astro/local_times.h"
#include "core/conversion.h"
#include "core/position.h"
#include "core/ui/arrival_pages.h"
#include "core/ui/form_fields.h"
#include "core/ui/number_field.h"
#include "core/ui/position_page.h"
#include "document/route_editing.h"
#include "particulars/vessel.h"
#include "platform/services.h"

namespace {

constexpr double kLargest = 1e6;
// The water at a berth lies between fresh water and the densest brine harbours see.
constexpr int kLeastSalinity = 990;
constexpr int kMostSalinity = 1050;
constexpr int kMostCallHours = 999;
constexpr int kFigureDecimals = 2;
// The port file keeps times in 4 unsigned bytes from 1970.
constexpr qint64 kLatestStorable = 0xFFFFFFFFLL;

QString Figure(double value, int decimals) { return GeneralNumberText(CConversion::Truncate(value, decimals)); }

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

QDateTimeEdit* SchedulePicker(QWidget* parent, const char* name, CTime utc) {
    auto* picker = new QDateTimeEdit(parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setTimeSpec(Qt::UTC);
    picker->setDisplayFormat(QStringLiteral("dddd' 'd' 'MMM' 'yyyy'  'HH':'mm':'ss"));
    picker->setMinimumDateTime(QDateTime::fromSecsSinceEpoch(0, QTimeZone::utc()));
    picker->setMaximumDateTime(QDateTime::fromSecsSinceEpoch(kLatestStorable, QTimeZone::utc()));
    picker->setDateTime(QDateTime::fromSecsSinceEpoch(utc.GetTime(), QTimeZone::utc()));
    return picker;
}

QLabel* Note(QWidget* parent, const char* text) {
    auto* note = new QLabel(QString::fromUtf8(text), parent);
    note->setWordWrap(true);
    return note;
}

// A stored value outside the usual range widens it, so that an unchanged OK keeps it.
QSpinBox* Spin(QWidget* parent, const char* name, int minimum, int maximum, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(std::min(minimum, value), std::max(maximum, value));
    spin->setValue(value);
    return spin;
}

// A list whose stored value is outside it shows no choice and keeps the value.
void Choose(QComboBox* list, int index) { list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1); }
std::int32_t Chosen(const QComboBox* list, std::int32_t kept) {
    return list->currentIndex() < 0 ? kept : list->currentIndex();
}

// The position page and the times page speak to the sheet through these.
class CPortPositionPage : public CPortPage {
public:
    CPortPositionPage(CPagePos* page, QWidget* parent) : CPortPage(parent), m_page(page) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        page->setParent(this);
        layout->addWidget(page);
    }
    bool CopyBack(CPortSheetEdit&) override { return true; }

private:
    CPagePos* m_page;
};

} // namespace

CPagePortSchedule::CPagePortSchedule(CTime eta, const CPort& port, QWidget* parent) : CPortPage(parent) {
    m_pickers[0] = SchedulePicker(this, "etaPicker", eta);
    m_pickers[1] = SchedulePicker(this, "etbPicker", port.m_etb);
    m_pickers[2] = SchedulePicker(this, "etcPicker", port.m_etc);
    m_pickers[3] = SchedulePicker(this, "etdPicker", port.m_etd);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("ETA (Pilotstation):"), m_pickers[0]);
    form->addRow(QStringLiteral("ETB (Berthing):"), m_pickers[1]);
    form->addRow(QStringLiteral("ETC (Completing):"), m_pickers[2]);
    form->addRow(QStringLiteral("ETD (Departure):"), m_pickers[3]);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Note(this, "Note: All times are UTC"));
    layout->addWidget(Note(this, "The ETA at the pilot station is the arrival the required speed is worked out for."));
    layout->addStretch(1);
}

bool CPagePortSchedule::CopyBack(CPortSheetEdit& edit) {
    CTime times[4];
    for (int i = 0; i < 4; ++i)
        times[i] = CTime(m_pickers[i]->dateTime().toSecsSinceEpoch());
    edit.eta = times[0];
    edit.port.m_etb = times[1];
    edit.port.m_etc = times[2];
    edit.port.m_etd = times[3];
    return true;
}

CPagePortDraft::CPagePortDraft(const CPort& port, const CVessel& vessel, QWidget* parent)
    : CPortPage(parent), m_port(port), m_vessel(vessel) {
    auto* arrival = new QGroupBox(QStringLiteral("Draft on arrival:"), this);
    m_forward = FigureField(arrival, "arrivalForwardField");
    m_aft = FigureField(arrival, "arrivalAftField");
    m_airDraft = FigureField(arrival, "arrivalAirDraftField");
    m_salinity = Spin(arrival, "salinitySpin", kLeastSalinity, kMostSalinity, port.m_salinity);
    auto* arrivalForm = new QFormLayout(arrival);
    arrivalForm->addRow(QStringLiteral("Forward:"), WithUnit(m_forward, QStringLiteral("mtrs")));
    arrivalForm->addRow(QStringLiteral("Aft:"), WithUnit(m_aft, QStringLiteral("mtrs")));
    arrivalForm->addRow(QStringLiteral("Airdraft:"), WithUnit(m_airDraft, QStringLiteral("mtrs")));
    arrivalForm->addRow(QStringLiteral("Salinity at berth:"), WithUnit(m_salinity, QStringLiteral("kg/m3")));

    auto* limits = new QGroupBox(QStringLiteral("Restrictions: "), this);
    m_maximumDraft = NumberEdit(limits, "maximumDraftEdit", port.m_maximumDraft);
    m_draftClearance = FigureField(limits, "draftClearanceField");
    m_maximumAirDraft = NumberEdit(limits, "maximumAirDraftEdit", port.m_maximumAirDraft);
    m_airDraftClearance = FigureField(limits, "airDraftClearanceField");
    auto* limitsForm = new QFormLayout(limits);
    auto row = [limits](QLineEdit* limit, QLineEdit* clearance) {
        auto* line = new QHBoxLayout;
        line->addWidget(limit);
        line->addWidget(new QLabel(QStringLiteral("mtrs"), limits));
        line->addSpacing(12);
        line->addWidget(new QLabel(QStringLiteral("Clearance:"), limits));
        line->addWidget(clearance);
        line->addWidget(new QLabel(QStringLiteral("mtrs"), limits));
        line->addStretch(1);
        return line;
    };
    limitsForm->addRow(QStringLiteral("Max. Draft:"), row(m_maximumDraft, m_draftClearance));
    limitsForm->addRow(QStringLiteral("Max. Airdraft:"), row(m_maximumAirDraft, m_airDraftClearance));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(arrival);
    layout->addWidget(limits);
    layout->addWidget(Note(this, kPortDraftNote));
    layout->addStretch(1);
    ShowFigures();
    connect(m_salinity, &QSpinBox::valueChanged, this, [this] { ShowFigures(); });
    connect(m_maximumDraft, &QLineEdit::textEdited, this, [this] { ShowFigures(); });
    connect(m_maximumAirDraft, &QLineEdit::textEdited, this, [this] { ShowFigures(); });
}

void CPagePortDraft::ShowFigures() {
    // The restrictions as typed so far; text that is no number yet leaves the stored one.
    CPort port = m_port;
    bool ok = false;
    const double draft = m_maximumDraft->text().trimmed().toDouble(&ok);
    if (ok) port.m_maximumDraft = draft;
    const double airDraft = m_maximumAirDraft->text().trimmed().toDouble(&ok);
    if (ok) port.m_maximumAirDraft = airDraft;
    const CArrivalDraft d = port.GetArrivalDraft(m_vessel, m_salinity->value());
    m_forward->setText(Figure(d.forward, kFigureDecimals));
    m_aft->setText(Figure(d.aft, kFigureDecimals));
    m_airDraft->setText(Figure(d.airDraft, kFigureDecimals));
    m_draftClearance->setText(Figure(d.draftClearance, kFigureDecimals));
    m_airDraftClearance->setText(Figure(d.airDraftClearance, kFigureDecimals));
}

bool CPagePortDraft::CopyBack(CPortSheetEdit& edit) {
    if (!ReadNumberField(m_maximumDraft, 0.0, kLargest, edit.port.m_maximumDraft)) return false;
    if (!ReadNumberField(m_maximumAirDraft, 0.0, kLargest, edit.port.m_maximumAirDraft)) return false;
    edit.port.m_salinity = m_salinity->value();
    return true;
}

CPagePortAgent::CPagePortAgent(const CPort& port, QWidget* parent) : CPortPage(parent) {
    const CAddress& a = port.m_agent;
    m_name = StorableTextField(this, "agentNameEdit", a.m_name);
    m_phone = StorableTextField(this, "agentPhoneEdit", a.m_phone);
    m_fax = StorableTextField(this, "agentFaxEdit", a.m_fax);
    m_eMail = StorableTextField(this, "agentEMailEdit", a.m_eMail);
    m_notes = StorableTextField(this, "agentNotesEdit", a.m_notes);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name of local Agent:"), m_name);
    form->addRow(QStringLiteral("Phone number:"), m_phone);
    form->addRow(QStringLiteral("Fax number:"), m_fax);
    form->addRow(QStringLiteral("E-mail Address:"), m_eMail);
    form->addRow(QStringLiteral("Note:"), m_notes);
}

bool CPagePortAgent::CopyBack(CPortSheetEdit& edit) {
    edit.port.SetAgentContact(Text(m_name), Text(m_eMail), Text(m_phone), Text(m_fax), Text(m_notes));
    return true;
}

CPagePortPilot::CPagePortPilot(const CPort& port, QWidget* parent) : CPortPage(parent) {
    m_name = StorableTextField(this, "pilotNameEdit", port.m_pilot.m_name);
    m_channel = StorableTextField(this, "pilotChannelEdit", port.m_pilot.m_radioChannel);
    m_callAhead = NumberEdit(this, "callAheadEdit", port.m_callAhead);
    m_callUnit = new QComboBox(this);
    m_callUnit->setObjectName(QStringLiteral("callUnitList"));
    FillSortedList(m_callUnit, {QStringLiteral("nM"), QStringLiteral("hrs")});
    Choose(m_callUnit, port.m_callUnit);
    m_ladderSide = new QComboBox(this);
    m_ladderSide->setObjectName(QStringLiteral("ladderSideList"));
    FillSortedList(m_ladderSide, {QStringLiteral("Starboard"), QStringLiteral("Port")});
    Choose(m_ladderSide, port.m_ladderSide);
    m_ladderHeight = NumberEdit(this, "ladderHeightEdit", port.m_ladderHeight);

    auto* call = new QHBoxLayout;
    call->addWidget(m_callAhead);
    call->addWidget(m_callUnit);
    call->addWidget(new QLabel(QStringLiteral("before arrival pilotstation"), this));
    call->addStretch(1);
    auto* ladder = new QHBoxLayout;
    ladder->addWidget(m_ladderSide);
    ladder->addWidget(m_ladderHeight);
    ladder->addWidget(new QLabel(QStringLiteral("mtr above waterlevel"), this));
    ladder->addStretch(1);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name pilotservice:"), m_name);
    form->addRow(QStringLiteral("VHF Channel:"), m_channel);
    form->addRow(QStringLiteral("Call at least:"), call);
    form->addRow(QStringLiteral("Pilot ladder:"), ladder);
}

bool CPagePortPilot::CopyBack(CPortSheetEdit& edit) {
    CPort& p = edit.port;
    if (!ReadNumberField(m_ladderHeight, 0.0, kLargest, p.m_ladderHeight)) return false;
    if (!ReadNumberField(m_callAhead, 0.0, kLargest, p.m_callAhead)) return false;
    p.m_ladderSide = Chosen(m_ladderSide, p.m_ladderSide);
    p.m_callUnit = Chosen(m_callUnit, p.m_callUnit);
    p.m_pilot.m_name = Text(m_name);
    p.m_pilot.m_radioChannel = Text(m_channel);
    return true;
}

CPagePortVTIS::CPagePortVTIS(const CPort& port, const std::string& standardReport, QWidget* parent)
    : CPortPage(parent) {
    m_name = StorableTextField(this, "portControlNameEdit", port.m_portControl.m_name);
    m_channel = StorableTextField(this, "portControlChannelEdit", port.m_portControl.m_radioChannel);
    m_callHours = Spin(this, "callHoursSpin", 0, kMostCallHours, port.m_portControlCallHours);
    // Chosen with Browse or typed; emptied, no standard report.
    m_report = new QLineEdit(QString::fromStdString(standardReport), this);
    m_report->setObjectName(QStringLiteral("standardReportField"));
    m_report->setPlaceholderText(QStringLiteral("none chosen"));
    m_initialReport = standardReport;
    auto* browse = new QPushButton(QStringLiteral("Browse"), this);
    browse->setObjectName(QStringLiteral("browseButton"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this] { Browse(); });

    auto* call = new QHBoxLayout;
    call->addWidget(m_callHours);
    call->addWidget(new QLabel(QStringLiteral("hours before arrival"), this));
    call->addStretch(1);
    auto* report = new QHBoxLayout;
    report->addWidget(m_report, 1);
    report->addWidget(browse);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("VHF Channel:"), m_channel);
    form->addRow(QStringLiteral("Call"), call);
    form->addRow(QStringLiteral("Standard report:"), report);
}

void CPagePortVTIS::Browse() {
    const FileChoiceRequest request{CPort::kReportFilter, CPort::kReportExtension, {}, {}};
    const auto path = services::Files().ChooseOpen(request);
    if (path && CPort::IsReportFile(*path)) m_report->setText(QString::fromStdString(*path));
}

bool CPagePortVTIS::CopyBack(CPortSheetEdit& edit) {
    edit.port.m_portControl.m_name = Text(m_name);
    edit.port.m_portControl.m_radioChannel = Text(m_channel);
    edit.port.m_portControlCallHours = m_callHours->value();
    const std::string report = m_report->text().trimmed().toStdString();
    // Only a report file gets in; the one chosen before is kept even if it went since.
    if (!report.empty() && report != m_initialReport && !CPort::IsReportFile(report)) {
        FocusField(m_report);
        return false;
    }
    edit.standardReport = report;
    return true;
}

CSheetPort::CSheetPort(CPort& port, CVessel& vessel, CPosition& destination, CAlmanac* almanac, QWidget* parent)
    : QDialog(parent), m_port(port), m_destination(destination) {
    setWindowTitle(QStringLiteral("Port Particulars"));
    m_tabs = new QTabWidget(this);
    m_tabs->setUsesScrollButtons(false); // all eight pages in sight
    m_positionPage = new CPagePos(PositionSheetFields(destination), m_tabs);
    m_tabs->addTab(new CPortPositionPage(m_positionPage, m_tabs), QStringLiteral("Position"));
    m_tabs->addTab(new CPagePortSchedule(destination.GetTime(), port, m_tabs), QStringLiteral("Schedule"));
    m_draftPage = new CPagePortDraft(port, vessel, m_tabs);
    m_tabs->addTab(m_draftPage, QStringLiteral("Draft"));
    m_tabs->addTab(new CPagePortAgent(port, m_tabs), QStringLiteral("Agent"));
    m_tabs->addTab(new CPagePortPilot(port, m_tabs), QStringLiteral("Pilot"));
    m_vtisPage = new CPagePortVTIS(port, CPort::GetStandardReport(), m_tabs);
    m_tabs->addTab(m_vtisPage, QStringLiteral("Port Control / VTIS"));

    const double eta = destination.GetETA();
    const BodyTimes sun = SunTimesAt(destination, eta);
    BodyTimes moon;
    const bool hasMoon = almanac && MoonTimesAt(*almanac, destination, eta, moon);
    m_tabs->addTab(new CPagePosAstro(sun, hasMoon ? &moon : nullptr, m_tabs), QStringLiteral("Astro"));
    m_timesPage =
        new CPagePosTimes(destination.GetLongitude(), destination.GetZoneOffset(), eta, sun.altitude, true, m_tabs);
    m_tabs->addTab(m_timesPage, QStringLiteral("Local Times"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSheetPort::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSheetPort::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CSheetPort::accept() {
    CPositionSheetFields position;
    CPortSheetEdit edit{m_port, m_destination.GetTime(), CPort::GetStandardReport()};
    const std::string reportBefore = edit.standardReport;
    double zoneOffset = 0.0;
    QWidget* shown = m_tabs->currentWidget();
    for (int i = 0; i < m_tabs->count(); ++i) {
        QWidget* page = m_tabs->widget(i);
        m_tabs->setCurrentIndex(i); // so that the field a refusal focuses can be seen
        bool ok = true;
        if (auto* portPage = dynamic_cast<CPortPage*>(page)) ok = portPage->CopyBack(edit);
        if (page->isAncestorOf(m_positionPage)) ok = m_positionPage->CopyBack(position);
        if (page == m_timesPage) ok = m_timesPage->ReadZoneOffset(zoneOffset);
        if (!ok) return;
    }
    m_tabs->setCurrentWidget(shown);
    if (edit.standardReport != reportBefore && !CPort::SetStandardReport(edit.standardReport)) return;
    position.zoneOffset = zoneOffset;
    ApplyPositionSheet(position, m_destination);
    m_destination.SetTime(edit.eta);
    m_port = edit.port;
    QDialog::accept();
}
