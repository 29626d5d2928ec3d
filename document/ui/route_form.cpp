#include "document/ui/route_form.h"

#include <QLineEdit>

#include "core/conversion.h"
#include "core/ui/number_field.h"

QString FormNumber(double value, int decimals) { return GeneralNumberText(CConversion::Truncate(value, decimals)); }

QLineEdit* ReadOnlyField(QWidget* parent, const char* name, const QString& widest) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(widest) + 16);
    return edit;
}
