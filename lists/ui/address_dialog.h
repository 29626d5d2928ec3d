#pragma once

#include <QDialog>

class CAddress;
class QLineEdit;

// "Address Info": every field of one address but the radio channel, which is
// the port pages' VHF channel. OK writes the record; Cancel changes nothing.
class CDialogAddress : public QDialog {
public:
    CDialogAddress(CAddress& address, QWidget* parent = nullptr);
    void accept() override;

private:
    CAddress& m_address;
    QLineEdit* m_name;
    QLineEdit* m_street;
    QLineEdit* m_houseNumber;
    QLineEdit* m_city;
    QLineEdit* m_zip;
    QLineEdit* m_country;
    QLineEdit* m_phone;
    QLineEdit* m_fax;
    QLineEdit* m_eMail;
    QLineEdit* m_notes;
};
