#include "document/ui/reference_position_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "document/ui/route_form.h"

CDialogReferencePosition::CDialogReferencePosition(CKeelmarkLiteDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_choice(ReferenceChoice(doc)) {
    setWindowTitle(QStringLiteral("Reference Position"));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("referenceList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& name : m_choice.names)
        m_list->addItem(Q(name));
    if (m_choice.preselected >= 0) m_list->setCurrentRow(m_choice.preselected);

    auto* label = new QLabel(QStringLiteral("Select reference position:"), this);
    label->setBuddy(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogReferencePosition::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDialogReferencePosition::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

void CDialogReferencePosition::accept() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty()) {
        const int row = m_list->row(selected.front());
        ChooseReference(m_doc, m_choice.routeIndices[static_cast<std::size_t>(row)]);
    }
    QDialog::accept();
}
