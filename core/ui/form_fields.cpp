#include "core/ui/form_fields.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/ui/number_field.h"
#include "core/ui/storable_text.h"

QLineEdit* StorableTextField(QWidget* parent, const char* name, const std::string& text) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    AcceptOnlyStorableText(edit);
    edit->setText(QString::fromStdString(text));
    edit->setCursorPosition(0);
    return edit;
}

QLineEdit* NumberEdit(QWidget* parent, const char* name, double value) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000000.00")) + 16);
    SetNumberField(edit, value);
    return edit;
}

QLineEdit* FigureField(QWidget* parent, const char* name) {
    QLineEdit* edit = NumberEdit(parent, name, 0.0);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

QWidget* WithUnit(QWidget* field, const QString& unit) {
    auto* row = new QWidget(field->parentWidget());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    field->setParent(row);
    layout->addWidget(field);
    if (!unit.isEmpty()) layout->addWidget(new QLabel(unit, row));
    layout->addStretch(1);
    return row;
}

QLineEdit* ReadOnlyText(QWidget* parent, const char* name, int characters) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(characters, u'0')) + 16);
    return edit;
}
