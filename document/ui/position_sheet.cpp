#include "document/ui/position_sheet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "astro/local_times.h"
#include "core/ui/arrival_pages.h"
#include "core/position.h"
#include "core/ui/coordinate_edit.h"
#include "core/ui/number_field.h"
#include "core/ui/storable_text.h"
#include "document/keelmark_lite_doc.h"
#include "document/ui/route_form.h"

namespace {

// A read-only figure with its unit behind it.
QWidget* Figure(QWidget* parent, const char* name, const QString& text, const QString& unit = {}) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QLineEdit* field = ReadOnlyField(row, name);
    field->setText(text);
    layout->addWidget(field);
    if (!unit.isEmpty()) layout->addWidget(new QLabel(unit, row));
    layout->addStretch(1);
    return row;
}

QString Count(int count) { return QString::number(count); }

// A page of the sheet around one of the celestial widgets.
class CCelestialPage : public CPositionSheetPage {
public:
    explicit CCelestialPage(QWidget* parent) : CPositionSheetPage(parent), m_layout(new QVBoxLayout(this)) {
        m_layout->setContentsMargins(0, 0, 0, 0);
    }
    template <typename T> T* Hold(T* widget) {
        m_layout->addWidget(widget);
        return widget;
    }

private:
    QVBoxLayout* m_layout;
};

class CTimesPage : public CCelestialPage {
public:
    CTimesPage(const CPosition& position, double sunAltitude, QWidget* parent) : CCelestialPage(parent) {
        m_times = Hold(new CPagePosTimes(position.GetLongitude(), position.GetZoneOffset(), position.GetETA(),
                                         sunAltitude, false, this));
    }
    bool CopyBack(CPositionSheetFields& fields) override {
        double hours = 0.0;
        if (!m_times->ReadZoneOffset(hours)) return false;
        fields.zoneOffset = hours;
        return true;
    }

private:
    CPagePosTimes* m_times;
};

} // namespace

CPagePosMeteo::CPagePosMeteo(const CPositionAverages& a, QWidget* parent) : CPositionSheetPage(parent) {
    auto* weather = new QGroupBox(QStringLiteral("Average Weather:"), this);
    auto* weatherForm = new QFormLayout(weather);
    weatherForm->addRow(QStringLiteral("Windspeed:"),
                        Figure(weather, "windSpeedField", FormNumber(a.windSpeed), "kts"));
    weatherForm->addRow(QStringLiteral("Winddirection:"),
                        Figure(weather, "windDirectionField", FormNumber(a.windDirection), "deg"));
    weatherForm->addRow(QStringLiteral("Air pressure:"),
                        Figure(weather, "pressureField", FormNumber(a.pressure), "mb"));
    weatherForm->addRow(QStringLiteral("Observations:"), Figure(weather, "weatherCountField", Count(a.weatherCount)));

    auto* current = new QGroupBox(QStringLiteral("Average Current:"), this);
    auto* currentForm = new QFormLayout(current);
    currentForm->addRow(QStringLiteral("Direction:"),
                        Figure(current, "currentDirectionField", FormNumber(a.currentDirection), "deg"));
    currentForm->addRow(QStringLiteral("Speed:"),
                        Figure(current, "currentSpeedField", FormNumber(a.currentSpeed), "kts"));
    currentForm->addRow(QStringLiteral("Observations:"), Figure(current, "currentCountField", Count(a.currentCount)));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(weather);
    layout->addWidget(current);
    layout->addStretch(1);
}

CPagePosPerformance::CPagePosPerformance(const CPositionAverages& a, QWidget* parent) : CPositionSheetPage(parent) {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Average Speed:"),
                 Figure(this, "averageSpeedField", FormNumber(a.averageSpeed), "kts"));
    form->addRow(QStringLiteral("Average Draft:"),
                 Figure(this, "averageDraftField", FormNumber(a.averageDraft), "mtr"));
    form->addRow(QStringLiteral("Average Engine rpm:"), Figure(this, "averageRpmField", FormNumber(a.averageRpm)));
    form->addRow(QStringLiteral("Number of Observations:"),
                 Figure(this, "performanceCountField", Count(a.performanceCount)));
    auto* note =
        new QLabel(QStringLiteral("Note: Performance is automatically calculated at each new position fix."), this);
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addStretch(1);
}

CSheetPosition::CSheetPosition(const QString& caption, CPosition& position, QWidget* parent, CAlmanac* almanac)
    : QDialog(parent), m_position(position), m_fields(PositionSheetFields(position)) {
    setWindowTitle(caption);
    m_tabs = new QTabWidget(this);
    const CPositionAverages averages = PositionAverages(position);
    m_positionPage = new CPagePos(m_fields, m_tabs);
    m_tabs->addTab(m_positionPage, QStringLiteral("Position"));
    m_tabs->addTab(new CPagePosMeteo(averages, m_tabs), QStringLiteral("Meteo"));
    m_tabs->addTab(new CPagePosPerformance(averages, m_tabs), QStringLiteral("Performance"));

    const double eta = position.GetETA();
    const BodyTimes sun = SunTimesAt(position, eta);
    BodyTimes moon;
    const bool hasMoon = almanac && MoonTimesAt(*almanac, position, eta, moon);
    auto* astro = new CCelestialPage(m_tabs);
    astro->Hold(new CPagePosAstro(sun, hasMoon ? &moon : nullptr, astro));
    InsertPage(kAstroPage, astro, QStringLiteral("Astro"));
    InsertPage(kTimesPage, new CTimesPage(position, sun.altitude, m_tabs), QStringLiteral("Local Times"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSheetPosition::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSheetPosition::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

void CSheetPosition::InsertPage(int index, CPositionSheetPage* page, const QString& caption) {
    m_tabs->insertTab(index, page, caption);
}

void CSheetPosition::accept() {
    CPositionSheetFields fields = m_fields;
    for (int i = 0; i < m_tabs->count(); ++i) {
        auto* page = dynamic_cast<CPositionSheetPage*>(m_tabs->widget(i));
        if (!page) continue;
        // Show the page first, so that the field it focuses on a refusal can be seen.
        QWidget* shown = m_tabs->currentWidget();
        m_tabs->setCurrentIndex(i);
        if (!page->CopyBack(fields)) return;
        m_tabs->setCurrentWidget(shown);
    }
    m_fields = fields;
    QDialog::accept();
}

bool EditPosition(CKeelmarkLiteDoc& doc, CPosition& position, const char* caption, QWidget* parent) {
    CSheetPosition sheet(QString::fromUtf8(caption), position, parent, &doc.GetAlmanac());
    if (sheet.exec() != QDialog::Accepted) return false;
    ApplyPositionSheet(doc, sheet.GetFields(), position);
    return true;
}
