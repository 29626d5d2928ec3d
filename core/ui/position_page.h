#pragma once

#include <QWidget>

#include "document/route_editing.h"

class CCoordinateEdit;
class QComboBox;
class QLineEdit;

// The position page shared by the position sheets and the port sheet.

// A page of the position sheet. On OK every page in turn copies its fields into
// the sheet's; a page that refuses (after telling the user and focusing the
// field) keeps the sheet open on it.
class CPositionSheetPage : public QWidget {
public:
    using QWidget::QWidget;
    virtual bool CopyBack(CPositionSheetFields& fields) {
        (void)fields;
        return true;
    }
};

// "Position": description, latitude, longitude and the sailing of the leg to it.
class CPagePos : public CPositionSheetPage {
public:
    CPagePos(const CPositionSheetFields& fields, QWidget* parent = nullptr);
    bool CopyBack(CPositionSheetFields& fields) override;

    QLineEdit* DescriptionEdit() const { return m_description; }
    CCoordinateEdit* LatitudeEdit() const { return m_latitude; }
    CCoordinateEdit* LongitudeEdit() const { return m_longitude; }
    QComboBox* ProceedViaList() const { return m_proceedVia; }

private:
    QLineEdit* m_description;
    CCoordinateEdit* m_latitude;
    CCoordinateEdit* m_longitude;
    QComboBox* m_proceedVia;
};
