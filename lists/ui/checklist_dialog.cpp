#include "lists/ui/checklist_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/ui/form_fields.h"
#include "core/ui/number_field.h"
#include "lists/checklist.h"
#include "platform/services.h"

namespace {

constexpr int kItemColumnWidth = 400;
constexpr int kIconSize = 16;
// A tick may hold for up to ten years of hours.
constexpr int kMostValidHours = 87600;

// The status icons: an open box, a ticked box, a greyed box with a dash.
QIcon StatusIcon(int status) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(2.5, 2.5, 11, 11);
    if (status == CChecklist::kNotApplicable) {
        p.setPen(QPen(QColor(150, 150, 150), 1));
        p.setBrush(QColor(225, 225, 225));
        p.drawRect(box);
        p.setPen(QPen(QColor(120, 120, 120), 2));
        p.drawLine(QPointF(5, 8), QPointF(11, 8));
        return QIcon(pixmap);
    }
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
    if (status == CChecklist::kDone) {
        p.setPen(QPen(QColor(0, 140, 40), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(7, 11), QPointF(12, 4.5)}));
    }
    return QIcon(pixmap);
}

QPushButton* Button(QWidget* parent, const char* text, const char* name) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CDialogChecklistItem::CDialogChecklistItem(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Checklist Item"));
    m_text = StorableTextField(this, "itemEdit", {});
    m_text->setMinimumWidth(m_text->fontMetrics().horizontalAdvance(QString(45, u'n')));
    auto* group = new QGroupBox(QStringLiteral("CheckList:"), this);
    auto* groupLayout = new QVBoxLayout(group);
    m_kinds = new QButtonGroup(this);
    const char* kinds[4] = {"Pre-departure checklist", "Post-departure checklist", "Pre-arrival checklist",
                            "Post-arrival checklist"};
    for (int kind = 0; kind < 4; ++kind) {
        auto* radio = new QRadioButton(QString::fromLatin1(kinds[kind]), group);
        radio->setObjectName(QStringLiteral("kindRadio%1").arg(kind));
        m_kinds->addButton(radio, kind);
        groupLayout->addWidget(radio);
    }
    m_valid = new QCheckBox(QStringLiteral("Once done, item remains valid for:"), this);
    m_valid->setObjectName(QStringLiteral("validCheck"));
    m_hours = new QLineEdit(this);
    m_hours->setObjectName(QStringLiteral("hoursEdit"));
    m_hours->setMaximumWidth(m_hours->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16);
    m_hours->setEnabled(false);
    connect(m_valid, &QCheckBox::toggled, m_hours, &QWidget::setEnabled);

    auto* text = new QHBoxLayout;
    text->addWidget(new QLabel(QStringLiteral("Item:"), this));
    text->addWidget(m_text, 1);
    auto* valid = new QHBoxLayout;
    valid->addWidget(m_valid);
    valid->addWidget(m_hours);
    valid->addWidget(new QLabel(QStringLiteral("hours"), this));
    valid->addStretch(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogChecklistItem::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDialogChecklistItem::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(text);
    layout->addWidget(group);
    layout->addLayout(valid);
    layout->addWidget(buttons);
}

void CDialogChecklistItem::SetItem(const QString& text, std::int32_t kind, std::int32_t validity) {
    m_text->setText(text);
    if (QAbstractButton* button = m_kinds->button(kind)) button->setChecked(true);
    m_valid->setChecked(validity != 0);
    if (validity != 0) m_hours->setText(QString::number(validity));
}

QString CDialogChecklistItem::Text() const { return m_text->text(); }
std::int32_t CDialogChecklistItem::Kind() const { return m_kinds->checkedId(); }
std::int32_t CDialogChecklistItem::Validity() const { return m_validity; }
QAbstractButton* CDialogChecklistItem::KindButton(int kind) const { return m_kinds->button(kind); }

void CDialogChecklistItem::accept() {
    if (m_text->text().trimmed().isEmpty()) {
        services::Prompts().Show(kChecklistItemEmpty);
        FocusField(m_text);
        return;
    }
    int hours = 0;
    if (m_valid->isChecked() && !ReadIntegerField(m_hours, 1, kMostValidHours, hours)) return;
    m_validity = hours;
    QDialog::accept();
}

CDialogChecklist::CDialogChecklist(CChecklist& checklist, std::int64_t daysSinceDeparture,
                                   std::optional<std::int64_t> hoursToGo, QWidget* parent)
    : QDialog(parent), m_checklist(checklist), m_days(daysSinceDeparture), m_hoursToGo(hoursToGo) {
    setWindowTitle(QStringLiteral("CheckList"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("checkList"));
    m_list->setHeaderLabels({QStringLiteral("Item")});
    m_list->setColumnWidth(0, kItemColumnWidth);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setIconSize(QSize(kIconSize, kIconSize));
    m_list->setMinimumSize(kItemColumnWidth + 40, 300);
    m_list->viewport()->installEventFilter(this);

    auto* buttons = new QVBoxLayout;
    QPushButton* add = Button(this, "Add Item", "addButton");
    QPushButton* edit = Button(this, "Edit Item", "editButton");
    QPushButton* remove = Button(this, "Delete Item", "deleteButton");
    QPushButton* reset = Button(this, "Reset All", "resetButton");
    QPushButton* ok = Button(this, "OK", "okButton");
    ok->setDefault(true);
    for (QPushButton* b : {add, edit, remove, reset})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    connect(add, &QPushButton::clicked, this, [this] { AddItem(); });
    connect(edit, &QPushButton::clicked, this, [this] { EditItem(); });
    connect(remove, &QPushButton::clicked, this, [this] { DeleteItem(); });
    connect(reset, &QPushButton::clicked, this, [this] { ResetAll(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    left->addWidget(new QLabel(QString::fromLatin1(kChecklistHint), this));
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    Refresh();
}

bool CDialogChecklist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QModelIndex at = m_list->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        TickRow(at.isValid() ? at.row() : -1);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

int CDialogChecklist::SelectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.front());
}

void CDialogChecklist::Refresh() {
    const int selected = SelectedRow();
    m_list->clear();
    m_checklist.UpdateStatus(m_days, m_hoursToGo);
    for (int i = 0; i < m_checklist.GetCount(); ++i) {
        auto* row = new QTreeWidgetItem(m_list, {QString::fromStdString(m_checklist.GetText(i))});
        row->setIcon(0, StatusIcon(m_checklist.GetStatus(i)));
    }
    // The officer goes on where he was.
    if (QTreeWidgetItem* row = m_list->topLevelItem(selected)) m_list->setCurrentItem(row);
}

void CDialogChecklist::TickRow(int row) {
    m_checklist.CheckSelected(row);
    Refresh();
}

void CDialogChecklist::AddItem() {
    CDialogChecklistItem dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        m_checklist.AddItem(CChecklist::kOpen, dialog.Validity(), dialog.Kind(), dialog.Text().toStdString(),
                            services::Now());
    Refresh();
}

void CDialogChecklist::EditItem() {
    const int row = SelectedRow();
    if (!m_checklist.RequireSelection(row)) return;
    std::int32_t status = 0, validity = 0, kind = -1;
    CTime time;
    const std::string text = m_checklist.GetItem(row, status, validity, kind, time);
    CDialogChecklistItem dialog(this);
    dialog.SetItem(QString::fromStdString(text), kind, validity);
    if (dialog.exec() == QDialog::Accepted)
        m_checklist.UpdateItem(row, dialog.Validity(), dialog.Kind(), dialog.Text().toStdString(), services::Now());
    Refresh();
}

void CDialogChecklist::DeleteItem() {
    m_checklist.DeleteSelected(SelectedRow());
    Refresh();
}

void CDialogChecklist::ResetAll() {
    m_checklist.ConfirmResetAll();
    Refresh();
}
