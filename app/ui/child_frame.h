#pragma once

#include <QMdiSubWindow>

#include <functional>

// The window of the voyage inside the main frame. Whatever show state is asked
// for, it is shown maximised: the dashboard is a fixed form that wants the room.
// Closing it closes the voyage, which the frame decides (it may ask to save).
class CChildFrame : public QMdiSubWindow {
public:
    explicit CChildFrame(QWidget* parent = nullptr);

    // Called when the user closes the window; the frame closes the voyage (and
    // with it this window) or leaves both open.
    void SetCloseRequest(std::function<void()> request) { m_closeRequest = std::move(request); }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> m_closeRequest;
};
