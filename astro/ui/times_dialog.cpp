#include "astro/ui/times_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "astro/astro_object.h"
#include "astro/local_times.h"
#include "astro/ui/astro_widgets.h"
#include "core/event_log.h"
#include "core/position.h"
#include "platform/services.h"

namespace {
constexpr const char* kFormat = "%A %d %b %H:%M";
}

CDialogTimes::CDialogTimes(const CPosition& present, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Times"));
    const CTime now = services::Now();
    const double longitude = present.GetLongitude();
    const BodyTimes sun = SunTimes(present);
    const double values[5] = {sun.twilightStart, sun.rise, sun.transit, sun.set, sun.twilightEnd};
    const char* labels[5] = {"Twilight Start:", "Sunrise:", "Meridian Passage:", "Sunset:", "Twilight End:"};

    auto* sunBox = new QGroupBox(QStringLiteral("Sun"), this);
    auto* grid = new QGridLayout(sunBox);
    grid->addWidget(new QLabel(QStringLiteral("UTC"), sunBox), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("LMT"), sunBox), 0, 2);
    for (int row = 0; row < 5; ++row) {
        grid->addWidget(new QLabel(QString::fromLatin1(labels[row]), sunBox), row + 1, 0);
        for (int column = 0; column < 2; ++column) {
            const QString name = QStringLiteral("time%1%2").arg(row).arg(column);
            m_times[row][column] = AstroReadOnly(sunBox, name.toLatin1().constData(), 12);
            grid->addWidget(m_times[row][column], row + 1, column + 1);
        }
        m_times[row][0]->setText(AstroText(FormatEventTime(values[row])));
        m_times[row][1]->setText(AstroText(FormatEventTime(LocalMeanEventTime(values[row], longitude))));
    }

    m_systemTime = AstroReadOnly(this, "systemTimeField", 26);
    m_utc = AstroReadOnly(this, "utcField", 26);
    m_localMeanTime = AstroReadOnly(this, "localMeanTimeField", 26);
    m_systemTime->setText(AstroText(CEventLog::LocalNow().FormatUtc(kFormat)));
    m_utc->setText(AstroText(now.FormatUtc(kFormat)));
    m_localMeanTime->setText(AstroText(LocalMeanTime(now, longitude).FormatUtc(kFormat)));
    auto* clocks = new QFormLayout;
    clocks->addRow(QStringLiteral("Local System Time:"), m_systemTime);
    clocks->addRow(QStringLiteral("Universal Time (UTC)"), m_utc);
    clocks->addRow(QStringLiteral("Local Mean Time:"), m_localMeanTime);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(clocks);
    layout->addWidget(sunBox);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
