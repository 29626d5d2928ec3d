#include "weather/ui/hurricanes_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "weather/hurricane_entry.h"
#include "weather/hurricane_list.h"
#include "weather/ui/hurricane_sheet.h"

namespace {

constexpr int kNameWidth = 120;
constexpr int kFigureWidth = 100;

const QIcon& RowIcon(int icon) {
    static const QIcon hurricane(QStringLiteral(":/icons/hurricane.png"));
    static const QIcon storm(QStringLiteral(":/icons/storm.png"));
    return icon == 0 ? hurricane : storm;
}

} // namespace

CDialogHurricanes::CDialogHurricanes(CHurricaneList& cyclones, const CPosition& present, QWidget* parent)
    : QDialog(parent), m_cyclones(cyclones), m_present(present) {
    setWindowTitle(QStringLiteral("Hurricanes"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("cycloneList"));
    m_list->setRootIsDecorated(false);
    m_list->setColumnCount(4);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->resizeSection(0, kNameWidth);
    for (int c = 1; c < 4; ++c)
        m_list->header()->resizeSection(c, kFigureWidth);
    m_list->setMinimumWidth(kNameWidth + 3 * kFigureWidth + 24);

    auto* show = new QGroupBox(QStringLiteral("Show:"), this);
    auto* showLayout = new QVBoxLayout(show);
    auto* group = new QButtonGroup(this);
    const char* const views[3] = {"Positions", "Distance and bearing", "True course and speed"};
    for (int i = 0; i < 3; ++i) {
        m_show[i] = new QRadioButton(QString::fromLatin1(views[i]), show);
        group->addButton(m_show[i], i);
        showLayout->addWidget(m_show[i]);
    }
    m_show[kHurricanePositions]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this, [this] { Refresh(); });

    m_add = new QPushButton(QStringLiteral("Add"), this);
    m_update = new QPushButton(QStringLiteral("Update"), this);
    m_delete = new QPushButton(QStringLiteral("Delete"), this);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_close->setDefault(true);
    connect(m_add, &QPushButton::clicked, this, &CDialogHurricanes::OnAdd);
    connect(m_update, &QPushButton::clicked, this, &CDialogHurricanes::OnUpdate);
    connect(m_delete, &QPushButton::clicked, this, &CDialogHurricanes::OnDelete);
    connect(m_close, &QPushButton::clicked, this, &CDialogHurricanes::accept);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CDialogHurricanes::OnUpdate);

    auto* side = new QVBoxLayout;
    side->addWidget(m_add);
    side->addWidget(m_update);
    side->addWidget(m_delete);
    side->addWidget(show);
    side->addStretch(1);
    side->addWidget(m_close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(side);

    Refresh();
}

void CDialogHurricanes::Refresh() {
    int view = kHurricanePositions;
    for (int i = 0; i < 3; ++i)
        if (m_show[i]->isChecked()) view = i;
    m_list->clear();
    m_cyclones.MoveAllToNow();
    const auto titles = HurricaneColumnTitles(view);
    m_list->setHeaderLabels({QString::fromStdString(titles[0]), QString::fromStdString(titles[1]),
                             QString::fromStdString(titles[2]), QString::fromStdString(titles[3])});
    for (int i = 0; i < m_cyclones.GetCount(); ++i) {
        const CPosition* cyclone = m_cyclones.GetAt(i);
        const auto texts = HurricaneRowTexts(*cyclone, m_present, view);
        auto* item = new QTreeWidgetItem(m_list);
        for (int c = 0; c < 4; ++c)
            item->setText(c, QString::fromStdString(texts[static_cast<std::size_t>(c)]));
        for (int c = 1; c < 4; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        item->setIcon(0, RowIcon(HurricaneIcon(*cyclone)));
    }
    // Long names widen their column rather than being cut off.
    m_list->resizeColumnToContents(0);
    if (m_list->columnWidth(0) < kNameWidth) m_list->setColumnWidth(0, kNameWidth);
    m_list->setMinimumWidth(m_list->columnWidth(0) + 3 * kFigureWidth + 24);
}

int CDialogHurricanes::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

void CDialogHurricanes::OnAdd() {
    CPosition* cyclone = m_cyclones.AddNew();
    const int index = m_cyclones.GetCount() - 1;
    CSheetHurricane sheet(CHurricaneEntry::ForNew(*cyclone), this);
    bool kept = false;
    if (sheet.exec() == QDialog::Accepted) kept = sheet.Entry().ApplyNewTo(*cyclone);
    // A cyclone not filled in is not left behind as a "New Position" at 0/0.
    if (!kept) m_cyclones.RemoveAt(index);
    Refresh();
}

void CDialogHurricanes::OnUpdate() {
    const int row = SelectedRow();
    CPosition* cyclone = m_cyclones.GetSelected(row);
    if (!cyclone) {
        Refresh();
        return;
    }
    CSheetHurricane sheet(CHurricaneEntry::From(*cyclone), this);
    if (sheet.exec() == QDialog::Accepted) sheet.Entry().ApplyTo(*cyclone);
    Refresh();
    if (row < m_list->topLevelItemCount()) m_list->topLevelItem(row)->setSelected(true);
}

void CDialogHurricanes::OnDelete() {
    m_cyclones.AskRemoveAt(SelectedRow());
    Refresh();
}
