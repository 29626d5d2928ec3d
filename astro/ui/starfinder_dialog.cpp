#include "astro/ui/starfinder_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "astro/star_finder.h"
#include "astro/ui/astro_widgets.h"

namespace {

constexpr int kColumnWidth = 100;

QGroupBox* RadioGroup(const char* title, const char* first, const char* second, QRadioButton** buttons,
                      QWidget* parent) {
    auto* box = new QGroupBox(QString::fromLatin1(title), parent);
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    const char* texts[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        buttons[i] = new QRadioButton(QString::fromLatin1(texts[i]), box);
        group->addButton(buttons[i], i);
        layout->addWidget(buttons[i]);
    }
    buttons[0]->setChecked(true);
    return box;
}

} // namespace

CDialogStarfinder::CDialogStarfinder(CAlmanac& almanac, const CPosition& present, QWidget* parent)
    : QDialog(parent), m_almanac(almanac), m_present(present) {
    setWindowTitle(QStringLiteral("Celestial Objects"));
    m_list = AstroList(
        this, "starfinderList",
        {QStringLiteral("Name"), QStringLiteral("Elevation"), QStringLiteral("Azimuth"), QStringLiteral("Magnitude")},
        {140, kColumnWidth, kColumnWidth, kColumnWidth});
    m_list->setMinimumHeight(360);
    QGroupBox* show = RadioGroup("Show:", "Visible objects only", "All objects", m_show, this);
    QGroupBox* data = RadioGroup("Data:", "Azimuth and Elevation", "Rise and set times", m_data, this);
    m_calculate = AstroButton(this, "Calculate", "calculateButton");
    m_calculate->setDefault(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(m_calculate);
    side->addWidget(buttons);
    side->addWidget(show);
    side->addWidget(data);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(side);

    for (QRadioButton* radio : {m_show[0], m_show[1], m_data[0], m_data[1]})
        connect(radio, &QRadioButton::clicked, this, [this] { Refresh(); });
    connect(m_calculate, &QPushButton::clicked, this, [this] { Refresh(); });
    Refresh();
}

void CDialogStarfinder::Refresh() {
    const bool riseAndSet = m_data[1]->isChecked();
    m_list->clear();
    m_list->setHeaderLabels(riseAndSet ? QStringList{"Name", "Rise", "Mer.Pas.", "Set"}
                                       : QStringList{"Name", "Elevation", "Azimuth", "Magnitude"});
    for (const StarfinderRow& row : StarfinderRows(m_almanac, m_present, m_show[1]->isChecked())) {
        std::string columns[3];
        StarfinderTexts(row, riseAndSet, columns[0], columns[1], columns[2]);
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, AstroText(row.name));
        item->setIcon(0, AstroKindIcon(row.kind));
        for (int c = 0; c < 3; ++c)
            item->setText(c + 1, AstroText(columns[c]));
    }
}
