#include "document/ui/waypoints_dialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"
#include "document/ui/position_sheet.h"
#include "document/ui/route_form.h"

namespace {

constexpr int kNameWidth = 120;
constexpr int kColumnWidth = 100;

// Small row icons: a flag for a planned waypoint, a ringed dot for a fix.
QIcon WaypointIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.drawLine(QPointF(4.5, 2), QPointF(4.5, 14));
    p.setBrush(QColor(200, 30, 30));
    p.drawPolygon(QPolygonF({QPointF(5, 2.5), QPointF(13, 5.5), QPointF(5, 8.5)}));
    return QIcon(pixmap);
}

QIcon FixIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 60, 160), 1.5));
    p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
    p.setBrush(QColor(20, 60, 160));
    p.drawEllipse(QPointF(8, 8), 1.8, 1.8);
    return QIcon(pixmap);
}

QRadioButton* Radio(const char* text, QButtonGroup* group, int id, QWidget* parent) {
    auto* button = new QRadioButton(QString::fromLatin1(text), parent);
    group->addButton(button, id);
    return button;
}

QPushButton* Button(const char* text, QWidget* parent) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

CDialogWaypoints::CDialogWaypoints(CKeelmarkLiteDoc& doc, const std::string& nextWaypointName, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_editing(doc, nextWaypointName) {
    setWindowTitle(QStringLiteral("Waypoints"));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("waypointList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setColumnCount(4);
    m_list->setHeaderLabels({QStringLiteral("Name"), QString(), QString(), QString()});
    m_list->setColumnWidth(0, kNameWidth);
    for (int c = 1; c < 4; ++c)
        m_list->setColumnWidth(c, kColumnWidth);
    m_list->setMinimumWidth(kNameWidth + 3 * kColumnWidth + 24);
    m_list->setMinimumHeight(220);

    auto* showBox = new QGroupBox(QStringLiteral("Show:"), this);
    auto* showGroup = new QButtonGroup(this);
    auto* showLayout = new QVBoxLayout(showBox);
    const char* showTexts[3] = {"Waypoints", "Positions", "Both"};
    for (int i = 0; i < 3; ++i)
        showLayout->addWidget(m_show[i] = Radio(showTexts[i], showGroup, i, showBox));
    m_show[kShowBoth]->setChecked(true);

    auto* infoBox = new QGroupBox(QStringLiteral("Information:"), this);
    auto* infoGroup = new QButtonGroup(this);
    auto* infoLayout = new QVBoxLayout(infoBox);
    const char* infoTexts[3] = {"Latitude and Longitude", "Course and distance", "Speed and ETA"};
    for (int i = 0; i < 3; ++i)
        infoLayout->addWidget(m_information[i] = Radio(infoTexts[i], infoGroup, i, infoBox));
    m_information[kInfoLatLon]->setChecked(true);

    m_totalDistance = ReadOnlyField(this, "totalDistanceField");
    m_requiredSpeed = ReadOnlyField(this, "requiredSpeedField");
    auto* figures = new QFormLayout;
    figures->addRow(QStringLiteral("Total Distance:"), m_totalDistance);
    figures->addRow(QStringLiteral("Req. Speed:"), m_requiredSpeed);

    m_add = Button("Add", this);
    m_edit = Button("Edit", this);
    m_edit->setDefault(true);
    m_delete = Button("Delete", this);
    m_wipe = Button("Wipe", this);
    m_close = Button("Close", this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_add, m_edit, m_delete, m_wipe})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_close);

    auto* side = new QVBoxLayout;
    side->addWidget(showBox);
    side->addWidget(infoBox);
    side->addLayout(figures);
    side->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(side);
    layout->addLayout(buttons);

    connect(showGroup, &QButtonGroup::idClicked, this, [this] { Refresh(); });
    connect(infoGroup, &QButtonGroup::idClicked, this, [this] { Refresh(); });
    connect(m_add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_edit, &QPushButton::clicked, this, [this] { OnEdit(); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { OnEdit(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(m_wipe, &QPushButton::clicked, this, [this] { OnWipe(); });
    connect(m_close, &QPushButton::clicked, this, [this] { accept(); });

    Refresh();
}

int CDialogWaypoints::Show() const {
    for (int i = 0; i < 3; ++i)
        if (m_show[i]->isChecked()) return i;
    return kShowBoth;
}

int CDialogWaypoints::Information() const {
    for (int i = 0; i < 3; ++i)
        if (m_information[i]->isChecked()) return i;
    return kInfoLatLon;
}

int CDialogWaypoints::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

void CDialogWaypoints::Refresh() {
    m_list->clear();
    const CWaypointListing listing = ListWaypoints(m_doc.GetVoyage(), Show(), Information());
    QStringList titles{QStringLiteral("Name")};
    for (const std::string& title : listing.titles)
        titles << Q(title);
    m_list->setHeaderLabels(titles);
    m_totalDistance->setText(FormNumber(listing.totalDistance, 1));
    m_requiredSpeed->setText(FormNumber(listing.requiredSpeed, 2));

    static const QIcon waypointIcon = WaypointIcon();
    static const QIcon fixIcon = FixIcon();
    for (const CWaypointRow& row : listing.rows) {
        auto* item = new QTreeWidgetItem(m_list);
        for (int c = 0; c < 4; ++c)
            item->setText(c, Q(row.columns[static_cast<std::size_t>(c)]));
        item->setIcon(0, row.fix ? fixIcon : waypointIcon);
        item->setData(0, Qt::UserRole, row.routeIndex);
    }
    // Names such as "GPS Fix 05 Dec 14:30 UTC" are read whole, never cut.
    m_list->resizeColumnToContents(0);
    m_list->setColumnWidth(0, std::max(m_list->columnWidth(0), kNameWidth));
}

void CDialogWaypoints::SelectRouteIndex(int routeIndex) {
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toInt() != routeIndex) continue;
        m_list->setCurrentItem(item);
        item->setSelected(true);
        return;
    }
}

void CDialogWaypoints::OnAdd() {
    CPosition* added = m_editing.Add(Show(), SelectedRow());
    Refresh();
    SelectRouteIndex(m_doc.GetVoyage().IndexOf(added));
    CSheetPosition sheet(QString::fromLatin1(kNewWaypointCaption), *added, this, &m_doc.GetAlmanac());
    if (sheet.exec() == QDialog::Accepted)
        ApplyPositionSheet(m_doc, sheet.GetFields(), *added);
    else
        m_editing.CancelAdd(added);
    const int index = m_doc.GetVoyage().IndexOf(added);
    Refresh();
    if (index >= 0) SelectRouteIndex(index);
}

void CDialogWaypoints::OnEdit() {
    const int row = SelectedRow();
    CPosition* position = m_editing.Edit(Show(), row);
    if (!position) return;
    if (!EditPosition(m_doc, *position, kEditWaypointCaption, this)) return;
    Refresh();
    SelectRouteIndex(row);
}

void CDialogWaypoints::OnDelete() {
    if (m_editing.Delete(Show(), SelectedRow())) Refresh();
}

void CDialogWaypoints::OnWipe() {
    m_editing.Wipe();
    Refresh();
}

void CDialogWaypoints::done(int result) {
    m_list->clear();
    QDialog::done(result);
}
