#pragma once

// What the desktop tests share: acting on modal dialogs, reading controls, and
// the two voyages the dialogs and the dashboard are tried on.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "core/ui/coordinate_edit.h"
#include "support/test_host.h"

// A modal dialog blocks the test in exec(): this runs `act` on the next modal
// window of type T from the event loop, and dismisses it after a while should
// `act` leave it open, so that a failing test ends instead of hanging.
template <typename T> void OnNextModal(std::function<void(T*)> act) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        T* modal = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        QPointer<QWidget> guard(modal);
        act(modal);
        QTimer::singleShot(3000, qApp, [guard] {
            if (guard && guard->isVisible()) guard->close(); // a dialog's close rejects it
        });
    });
    timer->start();
}

template <typename T, typename Target, typename Id>
void RunDialog(Target& target, Id command, std::function<void(T*)> act) {
    OnNextModal<T>(std::move(act));
    target.Execute(command);
}

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

inline void Press(QWidget* dialog, const char* which) {
    const auto role = qstrcmp(which, "OK") == 0 ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
    for (auto* box : dialog->findChildren<QDialogButtonBox*>())
        if (QAbstractButton* button = box->button(role)) return button->click();
    qFatal("no %s button", which);
}

inline QStringList Entries(const QComboBox* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

inline QString Field(const QWidget& widget, const char* name) {
    if (auto* edit = widget.findChild<QLineEdit*>(QString::fromLatin1(name))) return edit->text();
    if (auto* label = widget.findChild<QLabel*>(QString::fromLatin1(name))) return label->text();
    return QStringLiteral("<missing %1>").arg(QString::fromLatin1(name));
}

// What a latitude and longitude entry show, field by field.
inline QStringList Shows(const CCoordinateEdit* latitude, const CCoordinateEdit* longitude) {
    QStringList texts;
    for (const CCoordinateEdit* e : {latitude, longitude})
        texts << e->DegreesEdit()->text() << e->MinutesEdit()->text() << e->HemisphereList()->currentText();
    return texts;
}

// Where focus went inside a window, whether or not that window is active at the
// moment (window activation is not dependable on the offscreen platform).
inline bool FocusedWithin(const QWidget* w) {
    const QWidget* focus = w->window()->focusWidget();
    return focus && (focus == w || w->isAncestorOf(focus) || focus->focusProxy() == w);
}

// A voyage on fake services, side files and the log in a folder of its own.
struct CQtTestVoyage : CTestHost {
    enum class Route { Channel, Meridian };
    static inline const CTime kNow = CTime::FromUtc(2026, 12, 6, 12, 0, 20);

    std::unique_ptr<CKeelmarkLiteDoc> doc;

    explicit CQtTestVoyage(Route route = Route::Channel, CTime now = kNow) : CTestHost(now) {
        KeepSideFilesHere();
        Set("navreduce", 0);
        doc = NewVoyage();
        (route == Route::Channel ? MakeChannelCrossing : MakeMeridianRoute)(*doc, now);
        doc->GetNextWaypoint();
        doc->SetModifiedFlag(false);
        fake.prompts.Clear();
    }

    QStringList RouteNames() const {
        QStringList names;
        for (int i = 0; i < doc->GetVoyage().GetCount(); ++i)
            names << Q(doc->GetVoyage().GetAt(i)->GetName());
        return names;
    }

    QStringList Prompts() const {
        QStringList texts;
        for (const auto& shown : fake.prompts.History())
            texts << Q(shown.text);
        return texts;
    }

    std::string LogLine(const std::string& text) const {
        return fake.clock.Now().FormatUtc("%m/%d/%y  %H:%M:%S  ") + text + "\r\n";
    }

    // Types `text` into `field` and presses OK: the refusal shown, or what went
    // wrong instead (the dialog closed, or the focus is not on the field).
    QString Refusal(QDialog* dialog, QLineEdit* field, const QString& text) {
        fake.prompts.Clear();
        field->setText(text);
        Press(dialog, "OK");
        if (!dialog->isVisible()) return QStringLiteral("<closed>");
        if (!FocusedWithin(field)) return QStringLiteral("<focus elsewhere>");
        return Prompts().join(u'|');
    }
};
