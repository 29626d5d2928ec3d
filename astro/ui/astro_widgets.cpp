#include "astro/ui/astro_widgets.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include <cmath>

#include "astro/almanac.h"
#include "astro/astro_object.h"
#include "core/ui/number_field.h"
#include "platform/services.h"

namespace {

void Refuse(QWidget* field, QLineEdit* edit, const QString& message) {
    services::Prompts().Show(message.toStdString(), PromptIcon::Warning, PromptButtons::Ok);
    field->setFocus(Qt::OtherFocusReason);
    if (edit) edit->selectAll();
}

// Minutes shown without trailing zeros: "30", "12.5".
class CMinutesSpin : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;
    QString textFromValue(double value) const override { return QLocale::c().toString(value, 'g', 7); }
};

} // namespace

QIcon AstroKindIcon(int kind) {
    static const QIcon icons[kAstroKindCount] = {
        QIcon(QStringLiteral(":/icons/astro-sun.png")),       QIcon(QStringLiteral(":/icons/astro-planet.png")),
        QIcon(QStringLiteral(":/icons/astro-moon.png")),      QIcon(QStringLiteral(":/icons/astro-star.png")),
        QIcon(QStringLiteral(":/icons/astro-satellite.png")),
    };
    return CAstroObject::IsKind(kind) ? icons[kind] : icons[kAstroStar];
}

QTreeWidget* AstroList(QWidget* parent, const char* name, const QStringList& titles, const QList<int>& widths) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setColumnCount(static_cast<int>(titles.size()));
    list->setHeaderLabels(titles);
    list->header()->setDefaultAlignment(Qt::AlignLeft);
    int total = 24;
    for (int c = 0; c < widths.size(); ++c) {
        list->setColumnWidth(c, widths[c]);
        total += widths[c];
    }
    list->setMinimumWidth(total);
    list->setMinimumHeight(240);
    return list;
}

int SelectedRow(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.front());
}

QLineEdit* AstroReadOnly(QWidget* parent, const char* name, int characters) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(characters, u'0')) + 16);
    return edit;
}

QLineEdit* AstroNumberEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000000000e-00")) + 16);
    return edit;
}

void SetAstroNumber(QLineEdit* edit, double value) { SetNumberField(edit, value); }

bool ReadAstroNumber(QLineEdit* edit, double& value) {
    bool ok = false;
    const double read = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    if (!ok || !std::isfinite(read)) {
        Refuse(edit, edit, QStringLiteral("Please enter a number."));
        return false;
    }
    value = read;
    return true;
}

bool ReadAstroNumber(QLineEdit* edit, double minimum, double maximum, double& value) {
    return ReadNumberField(edit, minimum, maximum, value);
}

QSpinBox* AstroSpin(QWidget* parent, const char* name, int minimum, int maximum) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setAlignment(Qt::AlignRight);
    spin->setKeyboardTracking(false);
    spin->setFixedWidth(spin->fontMetrics().horizontalAdvance(QString::number(maximum) + u'0') + 40);
    return spin;
}

QDoubleSpinBox* AstroMinutesSpin(QWidget* parent, const char* name, double maximum) {
    auto* spin = new CMinutesSpin(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setDecimals(5);
    spin->setRange(0.0, maximum);
    spin->setAlignment(Qt::AlignRight);
    spin->setKeyboardTracking(false);
    spin->setFixedWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("00.00000")) + 40);
    return spin;
}

bool ReadSpin(QSpinBox* spin, int& value) {
    QLineEdit* edit = spin->findChild<QLineEdit*>();
    bool ok = false;
    const int read = QLocale::c().toInt(edit->text().trimmed(), &ok);
    if (!ok || read < spin->minimum() || read > spin->maximum()) {
        Refuse(spin, edit,
               QStringLiteral("Please enter an integer between %1 and %2.").arg(spin->minimum()).arg(spin->maximum()));
        return false;
    }
    spin->setValue(read);
    value = read;
    return true;
}

bool ReadSpin(QDoubleSpinBox* spin, double& value) {
    QLineEdit* edit = spin->findChild<QLineEdit*>();
    bool ok = false;
    const double read = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    if (!ok || !std::isfinite(read) || read < spin->minimum() || read > spin->maximum()) {
        Refuse(spin, edit,
               QStringLiteral("Please enter a number between %1 and %2.")
                   .arg(GeneralNumberText(spin->minimum()), GeneralNumberText(spin->maximum())));
        return false;
    }
    spin->setValue(read);
    value = read;
    return true;
}

QPushButton* AstroButton(QWidget* parent, const char* text, const char* name) {
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QComboBox* AstroObjectList(QWidget* parent, const CAlmanac& almanac) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("objectList"));
    for (int i = 0; i < almanac.GetObjectCount(); ++i)
        list->addItem(AstroKindIcon(almanac.GetObject(i)->GetKind()), AstroText(almanac.GetObject(i)->GetName()));
    list->setCurrentIndex(0);
    return list;
}
