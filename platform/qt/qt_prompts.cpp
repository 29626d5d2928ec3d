#include "platform/qt/qt_prompts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <map>

namespace {

QMessageBox::Icon ToQt(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::None:
        return QMessageBox::NoIcon;
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok:
        return QMessageBox::Ok;
    case PromptButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The answer when the box was closed without a button: the one that backs out.
PromptAnswer Dismissed(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
        return PromptAnswer::No;
    case PromptButtons::OkCancel:
    case PromptButtons::YesNoCancel:
        return PromptAnswer::Cancel;
    }
    return PromptAnswer::Cancel;
}

// The alarm boxes on screen, one per text, and the alarms waiting for a
// question to be answered.
std::map<QString, QPointer<QMessageBox>>& AlarmBoxes() {
    static std::map<QString, QPointer<QMessageBox>> boxes;
    return boxes;
}

QStringList& WaitingAlarms() {
    static QStringList waiting;
    return waiting;
}

QWidget* MainWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(w)) return w;
    return nullptr;
}

void ShowAlarm(const QString& text) {
    QPointer<QMessageBox>& box = AlarmBoxes()[text];
    if (box && box->isVisible()) {
        box->raise(); // seen again, not stacked
        return;
    }
    box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(kPromptTitle), text, QMessageBox::Ok, MainWindow());
    box->setObjectName(QStringLiteral("alarmBox"));
    box->setTextFormat(Qt::PlainText);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setAttribute(Qt::WA_ShowWithoutActivating); // the keyboard stays where the officer is typing
    box->show();
}

void ShowWaitingAlarms() {
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(500, qApp, ShowWaitingAlarms);
        return;
    }
    const QStringList waiting = WaitingAlarms();
    WaitingAlarms().clear();
    for (const QString& text : waiting)
        ShowAlarm(text);
}

} // namespace

void CQtPrompts::Alert(const std::string& text) {
    const QString alarm = QString::fromStdString(text);
    if (!QApplication::activeModalWidget()) return ShowAlarm(alarm);
    if (WaitingAlarms().contains(alarm)) return;
    if (WaitingAlarms().isEmpty()) QTimer::singleShot(500, qApp, ShowWaitingAlarms);
    WaitingAlarms() << alarm;
}

PromptAnswer CQtPrompts::Show(const std::string& text, PromptIcon icon, PromptButtons buttons) {
    QMessageBox box(ToQt(icon), QString::fromUtf8(kPromptTitle), QString::fromStdString(text), ToQt(buttons),
                    QApplication::activeWindow());
    // The text is shown as written: a "<" in a file name must not turn it into markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(buttons == PromptButtons::Ok || buttons == PromptButtons::OkCancel ? QMessageBox::Ok
                                                                                            : QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    default:
        return Dismissed(buttons);
    }
}

int CQtPrompts::Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& options,
                       int defaultIndex) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromStdString(caption));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(QString::fromStdString(text), &dialog);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    layout->addWidget(label);

    auto* group = new QButtonGroup(&dialog);
    const int count = static_cast<int>(options.size());
    // A long list (the routes of a GPX file, say) scrolls instead of outgrowing the screen.
    constexpr int kScrollFrom = 12;
    auto* list = new QWidget(&dialog);
    auto* listLayout = new QVBoxLayout(list);
    listLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < count; ++i) {
        auto* option = new QRadioButton(QString::fromStdString(options[static_cast<std::size_t>(i)]), list);
        group->addButton(option, i);
        listLayout->addWidget(option);
    }
    if (count >= kScrollFrom) {
        auto* scroll = new QScrollArea(&dialog);
        scroll->setWidget(list);
        scroll->setWidgetResizable(true);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setMinimumWidth(list->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() +
                                2 * scroll->frameWidth());
        scroll->setMinimumHeight(list->sizeHint().height() * 10 / count);
        layout->addWidget(scroll);
    } else {
        layout->addWidget(list);
    }
    // Some option is always checked, so OK always answers with one.
    if (count > 0) group->button(defaultIndex >= 0 && defaultIndex < count ? defaultIndex : 0)->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    if (dialog.exec() != QDialog::Accepted) return -1;
    return group->checkedId();
}
