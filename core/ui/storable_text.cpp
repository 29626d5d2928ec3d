#include "core/ui/storable_text.h"

#include <QLineEdit>
#include <QToolTip>
#include <QValidator>

#include "core/text_encoding.h"

namespace {

class CStorableTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return FitsCp1252(input.toStdString()) ? Acceptable : Invalid;
    }
};

} // namespace

void AcceptOnlyStorableText(QLineEdit* edit) {
    edit->setValidator(new CStorableTextValidator(edit));
    // A note, not a box: typing goes on at once, and nothing waits for an answer.
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [edit] {
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), QString::fromUtf8(kUnstorableTextNote), edit);
    });
}
