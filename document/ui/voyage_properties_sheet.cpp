#include "document/ui/voyage_properties_sheet.h"

#include <QDateTime>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimeZone>
#include <QVBoxLayout>

#include "core/ui/storable_text.h"
#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"
#include "document/ui/position_sheet.h"
#include "document/ui/route_form.h"

namespace {

// Local broken-down fields travel as a UTC date-time, so that Qt applies no zone of its own.
QDateTime ToPicker(CTime local) { return QDateTime::fromSecsSinceEpoch(local.GetTime(), QTimeZone::utc()); }
CTime FromPicker(const QDateTimeEdit* picker) { return CTime(picker->dateTime().toSecsSinceEpoch()); }

QDateTimeEdit* Picker(QWidget* parent, const char* name, CTime local) {
    auto* picker = new QDateTimeEdit(parent);
    picker->setObjectName(QString::fromLatin1(name));
    picker->setTimeSpec(Qt::UTC);
    picker->setDisplayFormat(QStringLiteral("dddd d MMM yyyy  HH:mm:ss"));
    picker->setDateTime(ToPicker(local));
    return picker;
}

QLabel* Note(const QString& text, QWidget* parent) {
    auto* note = new QLabel(text, parent);
    note->setWordWrap(true);
    return note;
}

} // namespace

CPageRoute::CPageRoute(CKeelmarkLiteDoc& doc, const CVoyageProperties& properties, QWidget* parent)
    : QWidget(parent), m_doc(doc) {
    m_description = new QLineEdit(Q(properties.description), this);
    m_description->setObjectName(QStringLiteral("descriptionEdit"));
    AcceptOnlyStorableText(m_description);
    m_departure = ReadOnlyField(this, "departureField", QStringLiteral("Departure port name"));
    m_departure->setAlignment(Qt::AlignLeft);
    m_destination = ReadOnlyField(this, "destinationField", QStringLiteral("Departure port name"));
    m_destination->setAlignment(Qt::AlignLeft);
    m_editDeparture = new QPushButton(QStringLiteral("Edit"), this);
    m_editDeparture->setObjectName(QStringLiteral("editDepartureButton"));
    m_editDeparture->setAutoDefault(false);
    m_editDestination = new QPushButton(QStringLiteral("Edit"), this);
    m_editDestination->setObjectName(QStringLiteral("editDestinationButton"));
    m_editDestination->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Description:"), this), 0, 0);
    grid->addWidget(m_description, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Departure Port:"), this), 1, 0);
    grid->addWidget(m_departure, 1, 1);
    grid->addWidget(m_editDeparture, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Destination Port:"), this), 2, 0);
    grid->addWidget(m_destination, 2, 1);
    grid->addWidget(m_editDestination, 2, 2);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Note(QStringLiteral("Note: Departure and Destination equal first and last waypoint of route. For "
                                          "more details on Destination Port, please select 'Destination' from Voyage "
                                          "menu."),
                           this));
    layout->addStretch(1);

    connect(m_editDeparture, &QPushButton::clicked, this, [this] {
        if (EditPosition(m_doc, *m_doc.GetVoyage().GetFirst(), kDeparturePointCaption, this)) ShowEnds();
    });
    connect(m_editDestination, &QPushButton::clicked, this, [this] {
        if (EditPosition(m_doc, *m_doc.GetVoyage().GetLast(), kDestinationPointCaption, this)) ShowEnds();
    });
    ShowEnds();
}

void CPageRoute::ShowEnds() {
    m_departure->setText(Q(m_doc.GetVoyage().GetFirst()->GetName()));
    m_destination->setText(Q(m_doc.GetVoyage().GetLast()->GetName()));
}

void CPageRoute::CopyBack(CVoyageProperties& properties) const {
    properties.description = m_description->text().toStdString();
}

CPageVoyageParticulars::CPageVoyageParticulars(const CVoyageProperties& properties, QWidget* parent) : QWidget(parent) {
    m_service = new QLineEdit(Q(properties.service), this);
    m_service->setObjectName(QStringLiteral("serviceEdit"));
    AcceptOnlyStorableText(m_service);
    m_voyageNumber = new QLineEdit(Q(properties.voyageNumber), this);
    m_voyageNumber->setObjectName(QStringLiteral("voyageNumberEdit"));
    AcceptOnlyStorableText(m_voyageNumber);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Service:"), m_service);
    form->addRow(QStringLiteral("Voyage Number:"), m_voyageNumber);
}

void CPageVoyageParticulars::CopyBack(CVoyageProperties& properties) const {
    properties.service = m_service->text().toStdString();
    properties.voyageNumber = m_voyageNumber->text().toStdString();
}

CPageVoyageTimes::CPageVoyageTimes(const CVoyageProperties& properties, QWidget* parent) : QWidget(parent) {
    m_begin = Picker(this, "beginPicker", properties.beginLocal);
    m_end = Picker(this, "endPicker", properties.endLocal);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Begin Sea Voyage (BSV):"), this), 0, 0);
    grid->addWidget(m_begin, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Local Time"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("End Sea Voyage (ESV):"), this), 1, 0);
    grid->addWidget(m_end, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Local Time"), this), 1, 2);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(
        Note(QStringLiteral("Note: to calculate required speed the ETA at pilotstation is used, to change "
                            "the ETA select menuoption 'voyage'/ 'destination'."),
             this));
    layout->addStretch(1);
}

void CPageVoyageTimes::CopyBack(CVoyageProperties& properties) const {
    properties.beginLocal = FromPicker(m_begin);
    properties.endLocal = FromPicker(m_end);
}

CSheetVoyageProperties::CSheetVoyageProperties(CKeelmarkLiteDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_properties(VoyageProperties(doc.GetVoyage())) {
    setWindowTitle(QStringLiteral("Voyage Properties"));
    m_tabs = new QTabWidget(this);
    m_route = new CPageRoute(doc, m_properties, m_tabs);
    m_particulars = new CPageVoyageParticulars(m_properties, m_tabs);
    m_times = new CPageVoyageTimes(m_properties, m_tabs);
    m_tabs->addTab(m_route, QStringLiteral("Route"));
    m_tabs->addTab(m_particulars, QStringLiteral("Particulars"));
    m_tabs->addTab(m_times, QStringLiteral("Times"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSheetVoyageProperties::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSheetVoyageProperties::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CSheetVoyageProperties::accept() {
    CVoyageProperties properties = m_properties;
    m_route->CopyBack(properties);
    m_particulars->CopyBack(properties);
    m_times->CopyBack(properties);
    ApplyVoyageProperties(m_doc, properties);
    QDialog::accept();
}
