#include "reports/ui/report_sheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "core/text_encoding.h"
#include "core/ui/storable_text.h"
#include "platform/services.h"

namespace {

// The Message page's values follow the ship as the dashboard does.
constexpr int kLiveMilliseconds = 4000;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

// ---- line dialog -----------------------------------------------------------

CDialogReportLine::CDialogReportLine(const std::string& label, std::int32_t code, QWidget* parent)
    : QDialog(parent), m_label(new QLineEdit(Q(label), this)), m_code(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("Report"));
    m_label->setObjectName(QStringLiteral("label"));
    AcceptOnlyStorableText(m_label);
    m_code->setObjectName(QStringLiteral("code"));
    for (int i = 0; i < CReport::kItemCodeCount; ++i)
        m_code->addItem(Q(CReport::ItemCodeText(i)));
    // A code the list does not know (from a file) shows no item; OK keeps it.
    m_code->setCurrentIndex(code >= 0 && code < CReport::kItemCodeCount ? code : -1);
    m_code->setMaxVisibleItems(CReport::kItemCodeCount);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Following line to be inserted in report:"), this));
    auto* row = new QHBoxLayout;
    m_label->setMinimumWidth(m_label->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 24);
    row->addWidget(m_label, 1);
    row->addWidget(m_code, 2);
    layout->addLayout(row);
    layout->addWidget(OkCancel(this));
    m_keptCode = code;
}

std::string CDialogReportLine::Label() const { return m_label->text().toStdString(); }

std::int32_t CDialogReportLine::Code() const {
    return m_code->currentIndex() >= 0 ? m_code->currentIndex() : m_keptCode;
}

// ---- General ---------------------------------------------------------------

CPageReportGeneral::CPageReportGeneral(const std::string& fileName, bool send, const std::string& address,
                                       bool print, QWidget* parent, bool existingFile)
    : QWidget(parent), m_fileName(fileName), m_existingFile(existingFile), m_fileEdit(new QLineEdit(Q(fileName), this)),
      m_select(new QPushButton(QStringLiteral("Select"), this)),
      m_send(new QCheckBox(QStringLiteral("Send report as E-mail message to:"), this)),
      m_address(new QLineEdit(Q(address), this)),
      m_print(new QCheckBox(QStringLiteral("Print report to standard printer"), this)) {
    m_fileEdit->setObjectName(QStringLiteral("fileName"));
    m_fileEdit->setReadOnly(true);
    m_select->setObjectName(QStringLiteral("select"));
    m_send->setObjectName(QStringLiteral("send"));
    m_send->setChecked(send);
    m_address->setObjectName(QStringLiteral("address"));
    AcceptOnlyStorableText(m_address);
    m_print->setObjectName(QStringLiteral("print"));
    m_print->setChecked(print);
    auto* grid = new QGridLayout(this);
    auto* caption = new QLabel(QStringLiteral("Filename:"), this);
    caption->setBuddy(m_fileEdit);
    grid->addWidget(caption, 0, 0);
    grid->addWidget(m_fileEdit, 0, 1);
    grid->addWidget(m_select, 0, 2);
    grid->addWidget(m_send, 1, 0, 1, 3);
    grid->addWidget(m_address, 2, 0, 1, 3);
    grid->addWidget(m_print, 3, 0, 1, 3);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);
    m_fileEdit->setMinimumWidth(m_fileEdit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    connect(m_select, &QPushButton::clicked, this, [this] { Select(); });
}

void CPageReportGeneral::Select() {
    const FileChoiceRequest request{kReportFilter, kReportExtension, m_fileName.empty() ? "Report" : m_fileName, {},
                                    true};
    const auto path = m_existingFile ? services::Files().ChooseOpen(request) : services::Files().ChooseSave(request);
    if (path) {
        m_fileName = *path;
        m_fileEdit->setText(Q(m_fileName));
    }
}

bool CPageReportGeneral::Send() const { return m_send->isChecked(); }
std::string CPageReportGeneral::Address() const { return m_address->text().trimmed().toStdString(); }
bool CPageReportGeneral::Print() const { return m_print->isChecked(); }

bool CPageReportGeneral::Check() {
    if (!Send() || !Address().empty()) return true;
    services::Prompts().Show(kAddressNeeded);
    m_address->setFocus();
    return false;
}

// ---- Header and Footer -----------------------------------------------------

CPageReportHeader::CPageReportHeader(const std::string& header, const std::string& footer, QWidget* parent)
    : QWidget(parent), m_header(new QPlainTextEdit(Q(header), this)), m_footer(new QPlainTextEdit(Q(footer), this)) {
    m_header->setObjectName(QStringLiteral("header"));
    m_footer->setObjectName(QStringLiteral("footer"));
    for (QPlainTextEdit* edit : {m_header, m_footer})
        edit->setTabChangesFocus(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Message text below will be added above the report (header):"), this));
    layout->addWidget(m_header);
    layout->addWidget(new QLabel(QStringLiteral("Message text below will be added below the report (footer):"), this));
    layout->addWidget(m_footer);
}

std::string CPageReportHeader::Header() const { return m_header->toPlainText().toStdString(); }
std::string CPageReportHeader::Footer() const { return m_footer->toPlainText().toStdString(); }

bool CPageReportHeader::Check() {
    for (QPlainTextEdit* edit : {m_header, m_footer}) {
        if (FitsCp1252(edit->toPlainText().toStdString())) continue;
        services::Prompts().Show(kUnstorableTextNote);
        edit->setFocus();
        return false;
    }
    return true;
}

// ---- Message ---------------------------------------------------------------

CPageReportMessage::CPageReportMessage(CReport& report, QWidget* parent)
    : QWidget(parent), m_report(report), m_list(new QListWidget(this)),
      m_add(new QPushButton(QStringLiteral("Add Line"), this)),
      m_edit(new QPushButton(QStringLiteral("Edit Line"), this)),
      m_delete(new QPushButton(QStringLiteral("Delete Line"), this)), m_timer(new QTimer(this)) {
    m_list->setObjectName(QStringLiteral("lines"));
    m_add->setObjectName(QStringLiteral("addLine"));
    m_edit->setObjectName(QStringLiteral("editLine"));
    m_delete->setObjectName(QStringLiteral("deleteLine"));
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("Text of report"), this);
    caption->setBuddy(m_list);
    layout->addWidget(caption);
    auto* row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_add, m_edit, m_delete})
        buttons->addWidget(b);
    buttons->addStretch(1);
    row->addLayout(buttons);
    layout->addLayout(row);
    m_list->setMinimumWidth(m_list->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 50);
    connect(m_add, &QPushButton::clicked, this, [this] { AddLine(); });
    connect(m_edit, &QPushButton::clicked, this, [this] { EditLine(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { DeleteLine(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { EditLine(); });
    m_timer->setInterval(kLiveMilliseconds);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (isVisible()) Rebuild();
    });
    m_timer->start();
    Rebuild();
}

void CPageReportMessage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Rebuild();
}

void CPageReportMessage::Rebuild() {
    const int selected = m_list->currentRow();
    m_list->clear();
    for (int i = 0; i < m_report.GetLineCount(); ++i)
        m_list->addItem(Q(m_report.GetLineText(i)));
    if (selected >= 0 && selected < m_list->count()) m_list->setCurrentRow(selected);
}

void CPageReportMessage::AddLine() {
    CDialogReportLine dialog("", CReport::kNil, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_report.AddLine(dialog.Label(), dialog.Code());
    Rebuild();
    m_list->setCurrentRow(m_list->count() - 1);
}

void CPageReportMessage::EditLine() {
    const int row = m_list->currentRow();
    std::string label;
    std::int32_t code = 0;
    if (row < 0 || !m_report.GetLine(row, label, code)) {
        services::Prompts().Show(kSelectLineToEdit);
        return;
    }
    CDialogReportLine dialog(label, code, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_report.ReplaceLine(row, dialog.Label(), dialog.Code());
    Rebuild();
}

void CPageReportMessage::DeleteLine() {
    const int row = m_list->currentRow();
    if (row < 0 || !m_report.DeleteLine(row)) {
        services::Prompts().Show(kSelectLineToDelete);
        return;
    }
    Rebuild();
    m_list->setCurrentRow(std::min(row, m_list->count() - 1));
}

// ---- sheet -----------------------------------------------------------------

CReportSheet::CReportSheet(const CReport& report, const std::string& fileName, QWidget* parent)
    : QDialog(parent), m_edited(report), m_tabs(new QTabWidget(this)),
      m_general(new CPageReportGeneral(fileName, report.GetSendAsMessage(), report.GetMessageAddress(),
                                       report.GetPrint(), m_tabs)),
      m_header(new CPageReportHeader(report.GetHeader(), report.GetFooter(), m_tabs)),
      m_message(new CPageReportMessage(m_edited, m_tabs)) {
    setWindowTitle(QStringLiteral("Edit Report"));
    m_tabs->addTab(m_general, QStringLiteral("General"));
    m_tabs->addTab(m_header, QStringLiteral("Header and Footer"));
    m_tabs->addTab(m_message, QStringLiteral("Message"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(OkCancel(this));
}

std::string CReportSheet::FileName() const { return m_general->FileName(); }

void CReportSheet::accept() {
    if (!m_general->Check()) return m_tabs->setCurrentWidget(m_general);
    if (!m_header->Check()) return m_tabs->setCurrentWidget(m_header);
    m_edited.SetHeader(m_header->Header());
    m_edited.SetFooter(m_header->Footer());
    m_edited.SetSendAsMessage(m_general->Send());
    m_edited.SetMessageAddress(m_general->Address());
    m_edited.SetPrint(m_general->Print());
    QDialog::accept();
}
