#include "document/ui/speed_made_good_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/voyage.h"
#include "document/route_editing.h"
#include "document/ui/route_form.h"

CDialogSpeedMadeGood::CDialogSpeedMadeGood(const CVoyage& voyage, QWidget* parent) : QDialog(parent), m_voyage(voyage) {
    setWindowTitle(QStringLiteral("Speed made good between positions"));

    m_from = new QComboBox(this);
    m_from->setObjectName(QStringLiteral("fromList"));
    m_till = new QComboBox(this);
    m_till->setObjectName(QStringLiteral("tillList"));
    // Route order, so that a list index is a route index.
    for (const std::string& name : RouteNames(voyage)) {
        m_from->addItem(Q(name));
        m_till->addItem(Q(name));
    }
    m_from->setCurrentIndex(0);
    m_till->setCurrentIndex(m_till->count() > 1 ? 1 : -1);

    m_alongRoute =
        new QCheckBox(QStringLiteral("Calculate distance along the route (via intermediate waypoints)"), this);
    m_alongRoute->setObjectName(QStringLiteral("alongRouteBox"));
    m_alongRoute->setChecked(true);

    m_distance = ReadOnlyField(this, "distanceField");
    m_bearing = ReadOnlyField(this, "bearingField");
    m_speed = ReadOnlyField(this, "speedField");
    m_time = ReadOnlyField(this, "timeField");
    m_time->setText(QStringLiteral("00:00"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("From:"), this), 0, 0);
    grid->addWidget(m_from, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Till:"), this), 1, 0);
    grid->addWidget(m_till, 1, 1, 1, 2);
    grid->addWidget(m_alongRoute, 2, 0, 1, 3);
    const struct {
        const char* label;
        QLineEdit* field;
        const char* unit;
    } results[] = {{"Distance:", m_distance, "nM"},
                   {"Bearing:", m_bearing, "deg."},
                   {"Av. Speed:", m_speed, "kts"},
                   {"Time:", m_time, "hrs"}};
    int row = 3;
    for (const auto& r : results) {
        grid->addWidget(new QLabel(QString::fromLatin1(r.label), this), row, 0);
        grid->addWidget(r.field, row, 1);
        grid->addWidget(new QLabel(QString::fromLatin1(r.unit), this), row, 2);
        ++row;
    }

    m_calculate = new QPushButton(QStringLiteral("Calculate"), this);
    m_calculate->setDefault(true);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_calculate);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_calculate, &QPushButton::clicked, this, [this] { Calculate(); });
    connect(m_close, &QPushButton::clicked, this, [this] { accept(); });
}

void CDialogSpeedMadeGood::Calculate() {
    const CSpeedMadeGood result =
        SpeedMadeGood(m_voyage, m_from->currentIndex(), m_till->currentIndex(), m_alongRoute->isChecked());
    m_distance->setText(FormNumber(result.distance));
    m_bearing->setText(FormNumber(result.bearing));
    m_time->setText(Q(result.timeText));
    // No time between the two: no speed to show rather than an infinite one.
    m_speed->setText(result.speed ? FormNumber(*result.speed) : QString());
}
