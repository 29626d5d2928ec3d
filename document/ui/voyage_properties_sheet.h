#pragma once

#include <QDialog>
#include <QWidget>

#include "document/route_editing.h"

class QDateTimeEdit;
class QLineEdit;
class QPushButton;
class QTabWidget;

// "Route": the description and the two ends of the route, each editable in a
// position sheet of its own that applies at once.
class CPageRoute : public QWidget {
public:
    CPageRoute(CKeelmarkLiteDoc& doc, const CVoyageProperties& properties, QWidget* parent = nullptr);
    void CopyBack(CVoyageProperties& properties) const;
    // Shows the names of the first and last route positions anew.
    void ShowEnds();

    QLineEdit* DescriptionEdit() const { return m_description; }
    QLineEdit* DepartureField() const { return m_departure; }
    QLineEdit* DestinationField() const { return m_destination; }
    QPushButton* DepartureEditButton() const { return m_editDeparture; }
    QPushButton* DestinationEditButton() const { return m_editDestination; }

private:
    CKeelmarkLiteDoc& m_doc;
    QLineEdit* m_description;
    QLineEdit* m_departure;
    QLineEdit* m_destination;
    QPushButton* m_editDeparture;
    QPushButton* m_editDestination;
};

// "Particulars": service and voyage number.
class CPageVoyageParticulars : public QWidget {
public:
    CPageVoyageParticulars(const CVoyageProperties& properties, QWidget* parent = nullptr);
    void CopyBack(CVoyageProperties& properties) const;

    QLineEdit* ServiceEdit() const { return m_service; }
    QLineEdit* VoyageNumberEdit() const { return m_voyageNumber; }

private:
    QLineEdit* m_service;
    QLineEdit* m_voyageNumber;
};

// "Times": begin and end of the sea voyage, in local time.
class CPageVoyageTimes : public QWidget {
public:
    CPageVoyageTimes(const CVoyageProperties& properties, QWidget* parent = nullptr);
    void CopyBack(CVoyageProperties& properties) const;

    QDateTimeEdit* BeginPicker() const { return m_begin; }
    QDateTimeEdit* EndPicker() const { return m_end; }

private:
    QDateTimeEdit* m_begin;
    QDateTimeEdit* m_end;
};

// "Voyage Properties". OK stores the texts and the two times and marks the
// document modified; Cancel leaves them (an end edited from the Route page has
// been applied already).
class CSheetVoyageProperties : public QDialog {
public:
    explicit CSheetVoyageProperties(CKeelmarkLiteDoc& doc, QWidget* parent = nullptr);

    QTabWidget* Tabs() const { return m_tabs; }
    CPageRoute* RoutePage() const { return m_route; }
    CPageVoyageParticulars* ParticularsPage() const { return m_particulars; }
    CPageVoyageTimes* TimesPage() const { return m_times; }

    void accept() override;

private:
    CKeelmarkLiteDoc& m_doc;
    CVoyageProperties m_properties;
    QTabWidget* m_tabs;
    CPageRoute* m_route;
    CPageVoyageParticulars* m_particulars;
    CPageVoyageTimes* m_times;
};
