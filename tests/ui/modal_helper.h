#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// A modal dialog blocks the test in exec(): this acts on it from the event loop.
// Waits for the first modal window of type T to become the active modal widget,
// then runs `act` on it. Should `act` leave it open, it is dismissed after a
// while so that a failing test ends instead of hanging.
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
            if (!guard || !guard->isVisible()) return;
            if (auto* dialog = qobject_cast<QDialog*>(guard.data()))
                dialog->reject();
            else
                guard->close();
        });
    });
    timer->start();
}
