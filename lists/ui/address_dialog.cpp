#include "lists/ui/address_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/ui/form_fields.h"
#include "lists/address.h"

namespace {

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

QHBoxLayout* Pair(QLineEdit* first, const QString& label, QLineEdit* second, QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->addWidget(first, 3);
    row->addWidget(new QLabel(label, parent));
    row->addWidget(second, 1);
    return row;
}

} // namespace

CDialogAddress::CDialogAddress(CAddress& a, QWidget* parent) : QDialog(parent), m_address(a) {
    setWindowTitle(QStringLiteral("Address Info"));
    m_name = StorableTextField(this, "nameEdit", a.m_name);
    m_street = StorableTextField(this, "streetEdit", a.m_street);
    m_houseNumber = StorableTextField(this, "houseNumberEdit", a.m_houseNumber);
    m_city = StorableTextField(this, "cityEdit", a.m_city);
    m_zip = StorableTextField(this, "zipEdit", a.m_zip);
    m_country = StorableTextField(this, "countryEdit", a.m_country);
    m_phone = StorableTextField(this, "phoneEdit", a.m_phone);
    m_fax = StorableTextField(this, "faxEdit", a.m_fax);
    m_eMail = StorableTextField(this, "eMailEdit", a.m_eMail);
    m_notes = StorableTextField(this, "notesEdit", a.m_notes);
    m_name->setMinimumWidth(m_name->fontMetrics().horizontalAdvance(QString(40, u'n')));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("Address:"), Pair(m_street, QStringLiteral("nr."), m_houseNumber, this));
    form->addRow(QStringLiteral("City:"), Pair(m_city, QStringLiteral("Zip:"), m_zip, this));
    form->addRow(QStringLiteral("Country:"), m_country);
    form->addRow(QStringLiteral("Phone number:"), m_phone);
    form->addRow(QStringLiteral("Fax number:"), m_fax);
    form->addRow(QStringLiteral("E-mail:"), m_eMail);
    form->addRow(QStringLiteral("Notes:"), m_notes);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogAddress::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDialogAddress::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CDialogAddress::accept() {
    CAddress& a = m_address;
    a.SetAddress(Text(m_name), Text(m_street), Text(m_houseNumber), Text(m_city), Text(m_zip), Text(m_country));
    a.m_eMail = Text(m_eMail);
    a.SetNumbers(Text(m_phone), Text(m_fax), a.m_radioChannel);
    a.m_notes = Text(m_notes);
    QDialog::accept();
}
