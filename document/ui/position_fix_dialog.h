#pragma once

#include <QDialog>

#include "document/position_fix.h"

class CCoordinateEdit;
class CUtcEntry;
class QLineEdit;

// "Position Fix": a GPS position typed in with its UTC day, hour and minute.
// Starts with both hemispheres unchosen and every number 0; the dashboard fills
// it. OK checks every field's range and that the time is not ahead of the clock;
// a refusal keeps the dialog open with what was typed.
class CDialogPositionFix : public QDialog {
public:
    explicit CDialogPositionFix(QWidget* parent = nullptr);

    void SetFields(const CPositionFixFields& fields);
    // The fields as confirmed with OK.
    const CPositionFixFields& GetFields() const { return m_fields; }

    CUtcEntry* UtcEntry() const { return m_utc; }
    CCoordinateEdit* LatitudeEdit() const { return m_latitude; }
    CCoordinateEdit* LongitudeEdit() const { return m_longitude; }
    QLineEdit* DescriptionEdit() const { return m_description; }

    void accept() override;

private:
    CPositionFixFields m_fields;
    CUtcEntry* m_utc;
    CCoordinateEdit* m_latitude;
    CCoordinateEdit* m_longitude;
    QLineEdit* m_description;
};
