#include "document/ui/position_fix_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/ui/coordinate_edit.h"
#include "core/ui/number_field.h"
#include "core/ui/storable_text.h"
#include "core/ui/utc_entry.h"

CDialogPositionFix::CDialogPositionFix(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Position Fix"));

    m_utc = new CUtcEntry(23, this);
    m_latitude = new CCoordinateEdit(CCoordinateEdit::Axis::Latitude, this);
    m_latitude->setObjectName(QStringLiteral("latitudeEntry"));
    m_longitude = new CCoordinateEdit(CCoordinateEdit::Axis::Longitude, this);
    m_longitude->setObjectName(QStringLiteral("longitudeEntry"));
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("descriptionEdit"));
    AcceptOnlyStorableText(m_description);
    m_description->setMinimumWidth(
        m_description->fontMetrics().horizontalAdvance(QStringLiteral("GPS Fix 00 Mmm 00:00 UTC")) + 24);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Date:"), m_utc);
    form->addRow(QStringLiteral("Latitude:"), m_latitude);
    form->addRow(QStringLiteral("Longitude:"), m_longitude);
    form->addRow(QStringLiteral("Description:"), m_description);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogPositionFix::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDialogPositionFix::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CDialogPositionFix::SetFields(const CPositionFixFields& fields) {
    m_fields = fields;
    m_utc->SetValues(fields.day, fields.hour, fields.minute);
    m_latitude->SetValues(fields.latitude.degrees, fields.latitude.minutes, fields.latitude.hemisphere);
    m_longitude->SetValues(fields.longitude.degrees, fields.longitude.minutes, fields.longitude.hemisphere);
    m_description->setText(QString::fromStdString(fields.description));
}

void CDialogPositionFix::accept() {
    CPositionFixFields read;
    if (!m_utc->Read(read.day, read.hour, read.minute)) return;
    if (!m_latitude->Read(read.latitude.degrees, read.latitude.minutes, read.latitude.hemisphere)) return;
    if (!m_longitude->Read(read.longitude.degrees, read.longitude.minutes, read.longitude.hemisphere)) return;
    read.description = m_description->text().toStdString();
    if (!IsFixTimeAcceptable(read)) {
        FocusField(m_utc->DayEdit());
        return;
    }
    m_fields = read;
    QDialog::accept();
}
