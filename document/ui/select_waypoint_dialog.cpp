#include "document/ui/select_waypoint_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/ui/form_fields.h"
#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"
#include "document/route_editing.h"
#include "document/ui/route_form.h"

CDialogSelectWaypoint::CDialogSelectWaypoint(CKeelmarkLiteDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
    setWindowTitle(QStringLiteral("Select next waypoint"));

    // Route order, so that a list index is a route index.
    m_names = new QComboBox(this);
    m_names->setObjectName(QStringLiteral("nameList"));
    for (const std::string& name : RouteNames(doc.GetVoyage()))
        m_names->addItem(Q(name));
    const int next = doc.GetVoyage().GetNextIndex();
    m_names->setCurrentIndex(next < m_names->count() ? next : -1);

    m_bearing = ReadOnlyField(this, "bearingField");
    m_distance = ReadOnlyField(this, "distanceField");
    m_autoAdjust = new QCheckBox(QStringLiteral("Auto Adjust course towards this waypoint"), this);
    m_autoAdjust->setObjectName(QStringLiteral("autoAdjustBox"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name:"), m_names);
    form->addRow(QStringLiteral("Bearing:"), WithUnit(m_bearing, QStringLiteral("deg")));
    form->addRow(QStringLiteral("Distance:"), WithUnit(m_distance, QStringLiteral("nM")));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDialogSelectWaypoint::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDialogSelectWaypoint::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_autoAdjust);
    layout->addWidget(buttons);

    connect(m_names, &QComboBox::currentIndexChanged, this, [this] { ShowBearing(); });
    ShowBearing();
}

void CDialogSelectWaypoint::ShowBearing() {
    const int index = m_names->currentIndex();
    if (index < 0) {
        m_bearing->clear();
        m_distance->clear();
        return;
    }
    const CBearingDistance bd = BearingAndDistance(m_doc.GetPresentPosition(), *m_doc.GetVoyage().GetAt(index));
    m_bearing->setText(FormNumber(bd.bearing));
    m_distance->setText(FormNumber(bd.distance));
}

void CDialogSelectWaypoint::accept() {
    SelectNextWaypoint(m_doc, m_names->currentIndex(), m_autoAdjust->isChecked());
    QDialog::accept();
}
