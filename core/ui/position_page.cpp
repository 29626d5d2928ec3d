#include "core/ui/position_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include "core/ui/coordinate_edit.h"
#include "core/ui/number_field.h"
#include "core/ui/storable_text.h"

CPagePos::CPagePos(const CPositionSheetFields& fields, QWidget* parent) : CPositionSheetPage(parent) {
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("descriptionEdit"));
    AcceptOnlyStorableText(m_description);
    m_description->setText(QString::fromStdString(fields.description));
    m_latitude = new CCoordinateEdit(CCoordinateEdit::Axis::Latitude, this);
    m_latitude->setObjectName(QStringLiteral("latitudeEntry"));
    m_latitude->SetValues(fields.latitude.degrees, fields.latitude.minutes, fields.latitude.hemisphere);
    m_longitude = new CCoordinateEdit(CCoordinateEdit::Axis::Longitude, this);
    m_longitude->setObjectName(QStringLiteral("longitudeEntry"));
    m_longitude->SetValues(fields.longitude.degrees, fields.longitude.minutes, fields.longitude.hemisphere);
    m_proceedVia = new QComboBox(this);
    m_proceedVia->setObjectName(QStringLiteral("proceedViaList"));
    FillSortedList(m_proceedVia, {QStringLiteral("Rhumbline"), QStringLiteral("GreatCircle")});
    m_proceedVia->setCurrentIndex(fields.proceedVia == 0 || fields.proceedVia == 1 ? fields.proceedVia : -1);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Description:"), m_description);
    form->addRow(QStringLiteral("Latitude:"), m_latitude);
    form->addRow(QStringLiteral("Longitude:"), m_longitude);
    form->addRow(QStringLiteral("Proceed to waypoint via:"), m_proceedVia);
}

bool CPagePos::CopyBack(CPositionSheetFields& fields) {
    CCoordinateFields latitude, longitude;
    if (!m_latitude->Read(latitude.degrees, latitude.minutes, latitude.hemisphere)) return false;
    if (!m_longitude->Read(longitude.degrees, longitude.minutes, longitude.hemisphere)) return false;
    fields.description = m_description->text().toStdString();
    fields.latitude = latitude;
    fields.longitude = longitude;
    // A list without selection keeps the great circle, as the record does for any other value.
    fields.proceedVia = m_proceedVia->currentIndex() < 0 ? 0 : m_proceedVia->currentIndex();
    return true;
}
