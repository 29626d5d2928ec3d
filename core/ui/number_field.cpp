#include "core/ui/number_field.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>

#include <algorithm>
#include <cmath>

#include "platform/services.h"

namespace {

// As many digits as a double carries, so that a value shown and read back unchanged stays the same.
constexpr int kGeneralDigits = 15;

void Refuse(QLineEdit* edit, const QString& message) {
    services::Prompts().Show(message.toStdString(), PromptIcon::Warning, PromptButtons::Ok);
    FocusField(edit);
}

} // namespace

QString GeneralNumberText(double value) { return QString::number(value, 'g', kGeneralDigits); }

void SetIntegerField(QLineEdit* edit, int value) { edit->setText(QString::number(value)); }

void SetNumberField(QLineEdit* edit, double value) { edit->setText(GeneralNumberText(value)); }

bool ReadIntegerField(QLineEdit* edit, int minimum, int maximum, int& value) {
    bool ok = false;
    const int read = QLocale::c().toInt(edit->text().trimmed(), &ok);
    if (!ok || read < minimum || read > maximum) {
        Refuse(edit, QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum));
        return false;
    }
    value = read;
    return true;
}

bool ReadNumberField(QLineEdit* edit, double minimum, double maximum, double& value) {
    bool ok = false;
    const double read = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    if (!ok || !std::isfinite(read) || read < minimum || read > maximum) {
        Refuse(edit, QStringLiteral("Please enter a number between %1 and %2.")
                         .arg(GeneralNumberText(minimum), GeneralNumberText(maximum)));
        return false;
    }
    value = read;
    return true;
}

void FillSortedList(QComboBox* list, QStringList entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    list->clear();
    list->addItems(entries);
    list->setCurrentIndex(-1);
}

void FocusField(QLineEdit* edit) {
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}
