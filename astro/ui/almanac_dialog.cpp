#include "astro/ui/almanac_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "astro/almanac.h"
#include "astro/ui/astro_edit_sheet.h"
#include "astro/ui/astro_widgets.h"
#include "platform/services.h"

CDialogAlmanac::CDialogAlmanac(CAlmanac& almanac, QWidget* parent) : QDialog(parent), m_almanac(almanac) {
    setWindowTitle(QStringLiteral("Nautical Almanac"));
    m_list = AstroList(this, "almanacList",
                       {QStringLiteral("Name"), QStringLiteral("GHA"), QStringLiteral("Declination")}, {150, 140, 150});
    m_add = AstroButton(this, "Add", "addButton");
    m_edit = AstroButton(this, "Edit", "editButton");
    m_delete = AstroButton(this, "Delete", "deleteButton");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(buttons);
    side->addSpacing(12);
    for (QPushButton* b : {m_add, m_edit, m_delete})
        side->addWidget(b);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(side);

    connect(m_add, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_edit, &QPushButton::clicked, this, [this] { OnEdit(); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { OnEdit(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { OnDelete(); });
    Refresh();
}

void CDialogAlmanac::Refresh() {
    m_list->clear();
    const CTime now = services::Now();
    for (int i = 0; i < m_almanac.GetObjectCount(); ++i) {
        CAstroObject* object = m_almanac.GetObject(i);
        object->UpdatePosition(now);
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, AstroText(object->GetName()));
        item->setText(1, AstroText(object->FormatGHA()));
        item->setText(2, AstroText(object->FormatDeclination()));
        item->setIcon(0, AstroKindIcon(object->GetKind()));
    }
}

void CDialogAlmanac::Select(int row) {
    if (QTreeWidgetItem* item = m_list->topLevelItem(row)) {
        m_list->setCurrentItem(item);
        m_list->scrollToItem(item);
    }
}

void CDialogAlmanac::OnAdd() {
    // The new object stays even when its editor is cancelled: a second default Sun.
    CAstroObject* added = m_almanac.AddObject();
    m_almanac.SetModified();
    const int row = m_almanac.GetObjectCount() - 1;
    Refresh();
    Select(row);
    CSheetAstroEdit sheet(*added, this);
    if (sheet.exec() == QDialog::Accepted) m_almanac.SetModified();
    Refresh();
    Select(row);
}

void CDialogAlmanac::OnEdit() {
    const int row = SelectedRow(m_list);
    CAstroObject* object = m_almanac.GetObject(row);
    if (!object) {
        services::Prompts().Show(kSelectToEditText);
        Refresh();
        return;
    }
    CSheetAstroEdit sheet(*object, this);
    if (sheet.exec() == QDialog::Accepted) m_almanac.SetModified();
    Refresh();
    Select(row);
}

void CDialogAlmanac::OnDelete() {
    const int row = SelectedRow(m_list);
    const CAstroObject* object = m_almanac.GetObject(row);
    if (!object) {
        services::Prompts().Show(kSelectToDeleteText);
        return;
    }
    if (m_almanac.GetObjectCount() <= 1) {
        services::Prompts().Show(kKeepOneText, PromptIcon::Information);
        return;
    }
    if (services::Prompts().Show("Delete \"" + object->GetName() + "\" from the almanac?", PromptIcon::Question,
                                 PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    m_almanac.RemoveObject(row);
    m_almanac.SetModified();
    Refresh();
    Select(std::min(row, m_almanac.GetObjectCount() - 1));
}
