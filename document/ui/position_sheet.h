#pragma once

#include <QDialog>
#include <QWidget>

#include "core/ui/position_page.h"
#include "document/route_editing.h"

class CAlmanac;
class CPosition;
class QLineEdit;
class QTabWidget;

// "Meteo": the weather and current averaged into the position (read-only).
class CPagePosMeteo : public CPositionSheetPage {
public:
    CPagePosMeteo(const CPositionAverages& averages, QWidget* parent = nullptr);
};

// "Performance": speed, draft and revolutions averaged at each fix (read-only).
class CPagePosPerformance : public CPositionSheetPage {
public:
    CPagePosPerformance(const CPositionAverages& averages, QWidget* parent = nullptr);
};

// The property sheet of one position: waypoint, departure, destination or the
// popular position. Pages in order "Position", "Meteo", "Astro", "Local Times",
// "Performance": the celestial pages at kAstroPage and kTimesPage are worked
// out once, on opening, for the position's ETA (with the almanac's Moon when
// an almanac is given). OK collects the fields (GetFields), the local time
// difference among them; applying them is the caller's.
class CSheetPosition : public QDialog {
public:
    static constexpr int kAstroPage = 2;
    static constexpr int kTimesPage = 3;

    CSheetPosition(const QString& caption, CPosition& position, QWidget* parent = nullptr,
                   CAlmanac* almanac = nullptr);

    CPosition& GetPosition() const { return m_position; }
    void InsertPage(int index, CPositionSheetPage* page, const QString& caption);
    QTabWidget* Tabs() const { return m_tabs; }
    CPagePos* PositionPage() const { return m_positionPage; }
    // The fields as confirmed with OK.
    const CPositionSheetFields& GetFields() const { return m_fields; }

    void accept() override;

private:
    CPosition& m_position;
    CPositionSheetFields m_fields;
    QTabWidget* m_tabs;
    CPagePos* m_positionPage;
};

// Opens the sheet on a position of the document; OK applies it and marks the
// document modified. True on OK.
bool EditPosition(CKeelmarkLiteDoc& doc, CPosition& position, const char* caption, QWidget* parent);
