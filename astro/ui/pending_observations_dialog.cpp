#include "astro/ui/pending_observations_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "astro/almanac.h"
#include "astro/astro_fix.h"
#include "astro/ui/astro_widgets.h"
#include "astro/ui/observation_dialog.h"
#include "core/conversion.h"
#include "platform/services.h"

CDialogPendingObservations::CDialogPendingObservations(CAlmanac& almanac, const CPosition& present, double heightOfEye,
                                                       QWidget* parent)
    : QDialog(parent), m_almanac(almanac), m_present(present), m_heightOfEye(heightOfEye) {
    setWindowTitle(QStringLiteral("Pending Observations"));
    m_list = AstroList(this, "observationList",
                       {QStringLiteral("Name"), QStringLiteral("UTC"), QStringLiteral("dH"), QStringLiteral("Azimuth")},
                       {100, 100, 100, 100});
    m_add = AstroButton(this, "Add", "addButton");
    m_remove = AstroButton(this, "Remove", "removeButton");
    m_check = AstroButton(this, "Check", "checkButton");
    m_calculate = AstroButton(this, "Calculate", "calculateButton");
    m_calculate->setDefault(true);
    m_close = AstroButton(this, "Close", "closeButton");

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {m_calculate, m_close})
        side->addWidget(b);
    side->addSpacing(12);
    for (QPushButton* b : {m_add, m_remove, m_check})
        side->addWidget(b);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(side);

    connect(m_add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { OnRemove(); });
    connect(m_check, &QPushButton::clicked, this, [this] { OnCheck(); });
    connect(m_calculate, &QPushButton::clicked, this, [this] {
        // Below three sights there is no fix: say so and keep the list open for more.
        if (m_almanac.GetObservationCount() < 3)
            services::Prompts().Show(kInsufficientObservationsText);
        else
            accept();
    });
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    Refresh();
}

void CDialogPendingObservations::Refresh() {
    m_list->clear();
    for (int i = 0; i < m_almanac.GetObservationCount(); ++i) {
        CTime time;
        double intercept = 0.0, azimuth = 0.0;
        const std::string name = m_almanac.GetObservation(i, time, intercept, azimuth);
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, AstroText(name));
        item->setText(1, AstroText(time.FormatUtc("%d %b %H:%M")));
        item->setText(2, AstroText(CConversion::FixedText(intercept)));
        item->setText(3, AstroText(CConversion::FixedText(azimuth)));
        // The kind of the almanac object of that name shows; a name no longer in it shows as a star.
        const CAstroObject* object = m_almanac.GetObject(m_almanac.FindObject(name));
        item->setIcon(0, AstroKindIcon(object ? object->GetKind() : kAstroStar));
    }
}

void CDialogPendingObservations::OnAdd() {
    CDialogAstroObservation dialog(m_almanac, m_present, m_heightOfEye, this);
    if (dialog.exec() == QDialog::Accepted) dialog.AddToPending();
    Refresh();
    if (const int last = m_list->topLevelItemCount() - 1; last >= 0) m_list->scrollToItem(m_list->topLevelItem(last));
}

void CDialogPendingObservations::OnRemove() {
    const int row = SelectedRow(m_list);
    if (row < 0)
        services::Prompts().Show(kSelectToRemoveText);
    else
        m_almanac.RemoveObservation(row);
    Refresh();
}

void CDialogPendingObservations::OnCheck() {
    double latitudeSpread = 0.0, longitudeSpread = 0.0;
    m_almanac.CalculateFixSpread(latitudeSpread, longitudeSpread);
    services::Prompts().Show(FixSpreadMessage(latitudeSpread, longitudeSpread));
}
