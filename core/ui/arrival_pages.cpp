#include "core/ui/arrival_pages.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

#include <cmath>

#include "astro/arrival_times.h"
#include "astro/astro_object.h"
#include "astro/local_times.h"
#include "core/ui/form_fields.h"
#include "core/ui/number_field.h"

namespace {
constexpr double kMaximumZoneOffset = 12.0;
}

CPagePosAstro::CPagePosAstro(const BodyTimes& sun, const BodyTimes* moon, QWidget* parent) : QWidget(parent) {
    auto* heading =
        new QLabel(QStringLiteral("Situation for estimated time of arrival at waypoint (see: 'times')"), this);
    heading->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    const char* titles[2] = {"Sun (all times UTC)", "Moon (all times UTC)"};
    const char* labels[5] = {"Rise:", "Mer. Pass.", "Set:", "Civil Twilight Start:", "Civil Twilight End:"};
    const BodyTimes* bodies[2] = {&sun, moon};
    for (int group = 0; group < 2; ++group) {
        auto* box = new QGroupBox(QString::fromLatin1(titles[group]), this);
        auto* form = new QFormLayout(box);
        const BodyTimes* b = bodies[group];
        const double values[5] = {b ? b->rise : 0, b ? b->transit : 0, b ? b->set : 0, b ? b->twilightStart : 0,
                                  b ? b->twilightEnd : 0};
        for (int row = 0; row < 5; ++row) {
            const QString name = QStringLiteral("%1Time%2").arg(group == 0 ? "sun" : "moon").arg(row);
            m_times[group][row] = ReadOnlyText(box, name.toLatin1().constData(), 12);
            if (b) m_times[group][row]->setText(QString::fromStdString(FormatEventTime(values[row])));
            form->addRow(QString::fromLatin1(labels[row]), m_times[group][row]);
        }
        layout->addWidget(box);
    }
    layout->addStretch(1);
}

CPagePosTimes::CPagePosTimes(double longitude, double zoneOffset, double eta, double sunAltitude, bool portSheet,
                             QWidget* parent)
    : QWidget(parent), m_longitude(longitude), m_eta(eta), m_sunAltitude(sunAltitude), m_portSheet(portSheet) {
    m_difference = ReadOnlyText(this, "differenceField", 16);
    m_zoneOffset = new QLineEdit(this);
    m_zoneOffset->setObjectName(QStringLiteral("zoneOffsetEdit"));
    m_zoneOffset->setMaximumWidth(m_zoneOffset->fontMetrics().horizontalAdvance(QStringLiteral("-00.0000")) + 16);
    SetNumberField(m_zoneOffset, zoneOffset);
    m_utc = ReadOnlyText(this, "etaUtcField", 24);
    m_localMean = ReadOnlyText(this, "etaLocalMeanTimeField", 24);
    m_dayState = ReadOnlyText(this, "dayStateField", 9);
    m_local = ReadOnlyText(this, "etaLocalTimeField", 24);

    auto* differenceBox = new QGroupBox(QStringLiteral("Difference with UTC:"), this);
    auto* differenceForm = new QFormLayout(differenceBox);
    differenceForm->addRow(QStringLiteral("Local Mean Time:"), m_difference);
    auto* zoneRow = new QHBoxLayout;
    zoneRow->addWidget(m_zoneOffset);
    zoneRow->addWidget(new QLabel(QStringLiteral("Positive = Fast on UTC"), differenceBox));
    zoneRow->addStretch(1);
    differenceForm->addRow(QStringLiteral("Local Time:"), zoneRow);

    auto* etaBox = new QGroupBox(QStringLiteral("Expected Time of Arrival:"), this);
    auto* etaForm = new QFormLayout(etaBox);
    etaForm->addRow(QStringLiteral("UTC:"), m_utc);
    auto* meanRow = new QHBoxLayout;
    meanRow->addWidget(m_localMean, 1);
    meanRow->addWidget(m_dayState);
    etaForm->addRow(QStringLiteral("Local Mean Time:"), meanRow);
    etaForm->addRow(QStringLiteral("Local Time:"), m_local);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(differenceBox);
    layout->addWidget(etaBox);
    layout->addStretch(1);
    ShowTimes(zoneOffset);

    // The local ETA follows the difference as it is typed in, once it is one.
    connect(m_zoneOffset, &QLineEdit::textEdited, this, [this](const QString& text) {
        bool ok = false;
        const double hours = QLocale::c().toDouble(text.trimmed(), &ok);
        if (ok && std::isfinite(hours) && std::fabs(hours) <= kMaximumZoneOffset) ShowTimes(hours);
    });
}

void CPagePosTimes::ShowTimes(double zoneOffset) {
    const ArrivalTimeTexts t = ArrivalTimes(m_longitude, zoneOffset, m_eta, m_sunAltitude, m_portSheet);
    m_difference->setText(QString::fromStdString(t.difference));
    m_utc->setText(QString::fromStdString(t.utc));
    m_localMean->setText(QString::fromStdString(t.localMean));
    m_dayState->setText(QString::fromStdString(t.dayState));
    m_local->setText(QString::fromStdString(t.local));
}

bool CPagePosTimes::ReadZoneOffset(double& hours) const {
    return ReadNumberField(m_zoneOffset, -kMaximumZoneOffset, kMaximumZoneOffset, hours);
}
