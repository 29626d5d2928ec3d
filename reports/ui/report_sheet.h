#pragma once

#include <QDialog>
#include <QWidget>

#include <string>

#include "reports/report.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;

inline constexpr const char* kReportFilter = "Report Files (*.k7r)|*.k7r|All Files (*.*)|*.*||";
inline constexpr const char* kReportExtension = "k7r";
inline constexpr const char* kNewReportName = "New Report.k7r";
inline constexpr const char* kSelectLineToEdit = "Please select line to edit";
inline constexpr const char* kSelectLineToDelete = "Please select line to delete";
inline constexpr const char* kAddressNeeded = "Please enter the address the report is to be sent to.";

// "Report": one line of a report, its label and the item whose value follows it.
class CDialogReportLine : public QDialog {
public:
    CDialogReportLine(const std::string& label, std::int32_t code, QWidget* parent = nullptr);
    std::string Label() const;
    std::int32_t Code() const;
    QLineEdit* LabelEdit() const { return m_label; }
    QComboBox* CodeList() const { return m_code; }

private:
    QLineEdit* m_label;
    QComboBox* m_code;
    std::int32_t m_keptCode;
};

// "General": the report file, sending to an address, printing. Shared by the
// report sheet and the scheduler.
class CPageReportGeneral : public QWidget {
public:
    // `existingFile`: "Select" picks a report file to read (the scheduler's)
    // rather than a name to save under.
    CPageReportGeneral(const std::string& fileName, bool send, const std::string& address, bool print,
                       QWidget* parent = nullptr, bool existingFile = false);
    std::string FileName() const { return m_fileName; }
    bool Send() const;
    std::string Address() const;
    bool Print() const;
    // False, with a message and the focus on the field, when sending has no address.
    bool Check();
    QLineEdit* FileNameEdit() const { return m_fileEdit; }
    QPushButton* SelectButton() const { return m_select; }
    QCheckBox* SendBox() const { return m_send; }
    QLineEdit* AddressEdit() const { return m_address; }
    QCheckBox* PrintBox() const { return m_print; }

private:
    void Select();
    std::string m_fileName;
    bool m_existingFile;
    QLineEdit* m_fileEdit;
    QPushButton* m_select;
    QCheckBox* m_send;
    QLineEdit* m_address;
    QCheckBox* m_print;
};

// "Header and Footer": the texts above and below the report's lines.
class CPageReportHeader : public QWidget {
public:
    CPageReportHeader(const std::string& header, const std::string& footer, QWidget* parent = nullptr);
    std::string Header() const;
    std::string Footer() const;
    // False, with a message and the focus on the text, when a file cannot hold it.
    bool Check();
    QPlainTextEdit* HeaderEdit() const { return m_header; }
    QPlainTextEdit* FooterEdit() const { return m_footer; }

private:
    QPlainTextEdit* m_header;
    QPlainTextEdit* m_footer;
};

// "Message": the report's lines as they read now, with their present values,
// and the commands that add, change and remove lines (on the sheet's copy).
class CPageReportMessage : public QWidget {
public:
    CPageReportMessage(CReport& report, QWidget* parent = nullptr);
    void Rebuild();
    QListWidget* Lines() const { return m_list; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AddLine();
    void EditLine();
    void DeleteLine();
    CReport& m_report;
    QListWidget* m_list;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QTimer* m_timer;
};

// "Edit Report": works on a copy of the report; on OK the copy holds the pages'
// header, footer, flags and address (Edited()), and FileName() the file to save.
class CReportSheet : public QDialog {
public:
    CReportSheet(const CReport& report, const std::string& fileName, QWidget* parent = nullptr);
    CReport& Edited() { return m_edited; }
    std::string FileName() const;
    QTabWidget* Tabs() const { return m_tabs; }
    CPageReportGeneral* General() const { return m_general; }
    CPageReportHeader* HeaderPage() const { return m_header; }
    CPageReportMessage* MessagePage() const { return m_message; }
    void accept() override;

private:
    CReport m_edited;
    QTabWidget* m_tabs;
    CPageReportGeneral* m_general;
    CPageReportHeader* m_header;
    CPageReportMessage* m_message;
};
