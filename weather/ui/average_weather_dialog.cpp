#include "weather/ui/average_weather_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "weather/average_weather.h"

namespace {

constexpr int kNameWidth = 120;
constexpr int kFigureWidth = 100;

const QIcon& RowIcon(int icon) {
    static const QIcon waypoint(QStringLiteral(":/icons/route-waypoint.png"));
    static const QIcon fix(QStringLiteral(":/icons/route-fix.png"));
    return icon == 0 ? waypoint : fix;
}

int Checked(QRadioButton* const (&buttons)[3]) {
    for (int i = 0; i < 3; ++i)
        if (buttons[i]->isChecked()) return i;
    return 0;
}

QGroupBox* RadioGroup(QWidget* parent, const QString& title, const char* const (&texts)[3],
                      QRadioButton* (&buttons)[3]) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new QRadioButton(QString::fromLatin1(texts[i]), box);
        group->addButton(buttons[i], i);
        layout->addWidget(buttons[i]);
    }
    buttons[0]->setChecked(true);
    return box;
}

} // namespace

CDialogAverageWeather::CDialogAverageWeather(const CVoyage& voyage, QWidget* parent)
    : QDialog(parent), m_voyage(voyage) {
    setWindowTitle(QStringLiteral("Average Weather"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("positionList"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(4);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->resizeSection(0, kNameWidth);
    for (int c = 1; c < 4; ++c)
        m_list->header()->resizeSection(c, kFigureWidth);
    m_list->setMinimumWidth(kNameWidth + 3 * kFigureWidth + 24);

    const char* const selections[3] = {"Average Weather", "Observations during this voyage", "both of abovementioned"};
    const char* const views[3] = {"Windspeed and direction", "Current speed and direction", "Ships performance"};
    QGroupBox* select = RadioGroup(this, QStringLiteral("Select"), selections, m_select);
    QGroupBox* view = RadioGroup(this, QStringLiteral("View:"), views, m_view);
    for (QRadioButton* button : {m_select[0], m_select[1], m_select[2], m_view[0], m_view[1], m_view[2]})
        connect(button, &QRadioButton::clicked, this, [this] { Refresh(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogAverageWeather::accept);

    auto* side = new QVBoxLayout;
    side->addWidget(select);
    side->addWidget(view);
    side->addStretch(1);
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(side);

    Refresh();
}

void CDialogAverageWeather::Refresh() {
    const int view = Checked(m_view);
    m_list->clear();
    const auto titles = AverageWeatherColumnTitles(view);
    m_list->setHeaderLabels({QString::fromStdString(titles[0]), QString::fromStdString(titles[1]),
                             QString::fromStdString(titles[2]), QString::fromStdString(titles[3])});
    for (const CAverageWeatherRow& row : AverageWeatherRows(m_voyage, Checked(m_select), view)) {
        auto* item = new QTreeWidgetItem(m_list);
        for (int c = 0; c < 4; ++c)
            item->setText(c, QString::fromStdString(row.texts[static_cast<std::size_t>(c)]));
        for (int c = 1; c < 4; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        item->setIcon(0, RowIcon(row.icon));
    }
    // Long names widen their column rather than being cut off.
    m_list->resizeColumnToContents(0);
    if (m_list->columnWidth(0) < kNameWidth) m_list->setColumnWidth(0, kNameWidth);
    m_list->setMinimumWidth(m_list->columnWidth(0) + 3 * kFigureWidth + 24);
}
