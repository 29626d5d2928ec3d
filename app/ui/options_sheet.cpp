#include "app/ui/options_sheet.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/services.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

struct CBrowse {
    const char* caption;
    const char* name; // of the edit; the button is name + "Browse"
    const char* extension;
    const char* defaultName;
    const char* filter;
};

constexpr CBrowse kAlmanacBrowse = {"Almanac.dat datafile:", "almanac", "dat", "Almanac",
                                    "Almanac Data (*.dat)|*.dat|All Files (*.*)|*.*||"};
constexpr CBrowse kVesselBrowse = {"Vessel.k7s datafile:", "vesseldata", "k7s", "Vessel",
                                   "Vessel Data (*.k7s)|*.k7s|All Files (*.*)|*.*||"};
constexpr CBrowse kHurricaneBrowse = {"Hurricane.dat datafile:", "hurri", "dat", "Hurricane",
                                      "Hurricane Data (*.dat)|*.dat|All Files (*.*)|*.*||"};
constexpr CBrowse kLoggingBrowse = {"Log file:", "logging", "txt", "Logging",
                                    "Logging Data (*.txt)|*.txt|All Files (*.*)|*.*||"};

} // namespace

// ---------------------------------------------------------------------------

CPageOptionsPath::CPageOptionsPath(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    int row = 0;
    auto addPath = [&](const CBrowse& b) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromUtf8(b.name));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
        auto* label = new QLabel(QString::fromUtf8(b.caption), this);
        label->setBuddy(edit);
        auto* browse = new QPushButton(QStringLiteral("Browse"), this);
        browse->setObjectName(QString::fromUtf8(b.name) + QStringLiteral("Browse"));
        connect(browse, &QPushButton::clicked, this, [edit, b] {
            FileChoiceRequest request;
            request.filter = b.filter;
            request.defaultExtension = b.extension;
            request.defaultName = b.defaultName;
            // Only the one field changes: what was typed into the others stays.
            // The log file may be a new one: it is made at the first entry.
            const bool log = std::string_view(b.name) == kLoggingBrowse.name;
            request.confirmOverwrite = !log;
            const auto path = log ? services::Files().ChooseSave(request) : services::Files().ChooseOpen(request);
            if (path) edit->setText(Q(*path));
        });
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(browse, row, 2);
        ++row;
        return edit;
    };
    m_almanac = addPath(kAlmanacBrowse);
    m_vessel = addPath(kVesselBrowse);
    m_hurricane = addPath(kHurricaneBrowse);
    m_logging = addPath(kLoggingBrowse);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
}

void CPageOptionsPath::SetFields(const COptions& o) {
    m_almanac->setText(Q(o.almanac));
    m_vessel->setText(Q(o.vesselData));
    m_hurricane->setText(Q(o.hurricane));
    m_logging->setText(Q(o.logging));
}

void CPageOptionsPath::GetFields(COptions& o) const {
    o.almanac = m_almanac->text().toStdString();
    o.vesselData = m_vessel->text().toStdString();
    o.hurricane = m_hurricane->text().toStdString();
    o.logging = m_logging->text().toStdString();
}

// ---------------------------------------------------------------------------

QCheckBox* COptionsSwitchPage::AddSwitch(QWidget* owner, const char* caption, const char* key) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), owner);
    box->setObjectName(QString::fromUtf8(key));
    owner->layout()->addWidget(box);
    return box;
}

void COptionsSwitchPage::SetFields(const COptions& options) {
    for (const COptionSwitch& s : kOptionSwitches)
        if (auto* box = findChild<QCheckBox*>(QString::fromUtf8(s.key))) box->setChecked(options.*s.field);
}

void COptionsSwitchPage::GetFields(COptions& options) const {
    for (const COptionSwitch& s : kOptionSwitches)
        if (auto* box = findChild<QCheckBox*>(QString::fromUtf8(s.key))) options.*s.field = box->isChecked();
}

namespace {

QGroupBox* Group(QWidget* page, const char* title) {
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QString::fromUtf8(title), page);
    new QVBoxLayout(group);
    layout->addWidget(group);
    layout->addStretch(1);
    return group;
}

} // namespace

CPageOptionsAlarm::CPageOptionsAlarm(QWidget* parent) : COptionsSwitchPage(parent) {
    QGroupBox* group = Group(this, "Show warning message:");
    AddSwitch(group, "6 minutes before reaching a waypoint", "wp6minalarm");
    AddSwitch(group, "when passing a waypoint", "wpalarm");
    AddSwitch(group, "when true course differs more than 10 degrees from steered course", "coursealarm");
    AddSwitch(group, "when true speed is more than 2 knots below required speed", "speedalarm");
    AddSwitch(group, "when DR-position has not been updated for more than 6 hours", "dralarm");
}

CPageOptionsLogging::CPageOptionsLogging(QWidget* parent) : COptionsSwitchPage(parent) {
    QGroupBox* group = Group(this, "Write a logfile entry when:");
    AddSwitch(group, "Updating the position (GPS, Radar, Astro, etc)", "logpos");
    AddSwitch(group, "Changing course and/or speed", "logcourse");
    AddSwitch(group, "Passing a waypoint", "logwp");
    AddSwitch(group, "Updating the Meteorological information (windspeed, etc)", "logmeteo");
    AddSwitch(group, "Updating Hurricane information", "loghurri");
    AddSwitch(group, "Completing a checklist", "logchecklist");
    AddSwitch(group, "Sending or printing a report", "logreport");
}

CPageOptionsNav::CPageOptionsNav(QWidget* parent) : COptionsSwitchPage(parent) {
    auto* layout = new QVBoxLayout(this);
    AddSwitch(this, "When passing a waypoint automatically select next waypoint", "navselectwp");
    AddSwitch(this, "When passing a waypoint, automatically change course to next waypoint.", "navchangecourse");
    AddSwitch(this, "Incorporate time to reduce enginerevs into ETA and speed calculations.", "navreduce");
    AddSwitch(this, "Automatically set speed to zero when destination is reached.", "navzerospd");
    layout->addStretch(1);
}

// ---------------------------------------------------------------------------

CDialogOptionsDatacom::CDialogOptionsDatacom(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Datacom System:"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_system = new QButtonGroup(this);
    const char* systems[] = {"Connect2 ", "STSWin32", "Save to ASCII textfile"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(systems[i]), group);
        radio->setObjectName(QStringLiteral("datasys%1").arg(i));
        m_system->addButton(radio, i);
        groupLayout->addWidget(radio);
    }
    layout->addWidget(group);

    auto* form = new QFormLayout;
    m_outbox = new QLineEdit(this);
    m_outbox->setObjectName(QStringLiteral("outbox"));
    m_inbox = new QLineEdit(this);
    m_inbox->setObjectName(QStringLiteral("inbox"));
    form->addRow(QStringLiteral("Path to Outbox:"), m_outbox);
    form->addRow(QStringLiteral("Path to Inbox:"), m_inbox);
    layout->addLayout(form);
    layout->addStretch(1);
}

void CDialogOptionsDatacom::SetFields(const COptions& o) {
    if (QAbstractButton* button = m_system->button(o.dataSystem)) button->setChecked(true);
    m_outbox->setText(Q(o.outbox));
    m_inbox->setText(Q(o.inbox));
}

void CDialogOptionsDatacom::GetFields(COptions& o) const {
    const int checked = m_system->checkedId();
    if (checked >= 0) o.dataSystem = checked;
    o.outbox = m_outbox->text().toStdString();
    o.inbox = m_inbox->text().toStdString();
}

// ---------------------------------------------------------------------------

CSheetOptions::CSheetOptions(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Options"));
    m_tabs = new QTabWidget(this);
    m_path = new CPageOptionsPath(m_tabs);
    m_alarm = new CPageOptionsAlarm(m_tabs);
    m_logging = new CPageOptionsLogging(m_tabs);
    m_nav = new CPageOptionsNav(m_tabs);
    m_datacom = new CDialogOptionsDatacom(m_tabs);
    m_tabs->addTab(m_path, QStringLiteral("Path"));
    m_tabs->addTab(m_alarm, QStringLiteral("Alarms"));
    m_tabs->addTab(m_logging, QStringLiteral("Logging"));
    m_tabs->addTab(m_nav, QStringLiteral("Navigation"));
    m_tabs->addTab(m_datacom, QStringLiteral("Datacom"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CSheetOptions::SetOptions(const COptions& options) {
    m_path->SetFields(options);
    m_alarm->SetFields(options);
    m_logging->SetFields(options);
    m_nav->SetFields(options);
    m_datacom->SetFields(options);
}

COptions CSheetOptions::GetOptions() const {
    COptions options;
    m_path->GetFields(options);
    m_alarm->GetFields(options);
    m_logging->GetFields(options);
    m_nav->GetFields(options);
    m_datacom->GetFields(options);
    return options;
}
