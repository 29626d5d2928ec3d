#pragma once

#include <QPalette>
#include <QWidget>

#include <string>

#include "app/watch_alarms.h"
#include "core/ui/command_registry.h"

class CKeelmarkLiteDoc;
struct CDashboardFigures;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTimer;

// The navigation dashboard: the one view of a voyage. Shows the present dead
// reckoning, the next waypoint, the voyage against its schedule, speed made
// good, speed bars, the steering indicator and the average current; refreshes
// every 4 seconds from the first time it is shown, then runs the watch alarms.
// Every voyage command arrives here and opens the dialog that owns the data;
// while most of them are open the refresh is suspended.
class CKeelmarkLiteView : public QWidget {
public:
    static constexpr int kRefreshMilliseconds = 4000;

    explicit CKeelmarkLiteView(CKeelmarkLiteDoc& doc, QWidget* parent = nullptr);

    CKeelmarkLiteDoc& GetDocument() const { return m_doc; }

    // Whether the command has a handler (menus and buttons are enabled by it).
    bool CanExecute(Command command) const { return m_commands.Has(command); }
    // Runs the command's handler, which returns when its dialog has ended; the
    // refresh is held meanwhile when the command's row says so.
    void Execute(Command command);

    // One refresh now, as the timer does it: nothing while suspended; with the
    // schedule run out, "Enter Schedule to proceed" and suspension; otherwise
    // every figure anew, then the watch alarms.
    void Refresh();
    bool IsSuspended() const { return m_bSuspended; }

    // One entry in the event log.
    void WriteLog(const std::string& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    QLineEdit* AddField(const char* name, const QString& widest);
    QPushButton* AddButton(const QString& text, const char* name, Command command);
    void Update(bool runAlarms);
    void ShowFigures(const CDashboardFigures& figures);
    void ShowScheduleExpired();
    void SetBar(QProgressBar* bar, int maximum, int value);
    void SetFlash(bool on);

    CKeelmarkLiteDoc& m_doc;
    CWatchAlarms m_alarms;
    CCommandRegistry m_commands;
    QTimer* m_timer = nullptr;
    bool m_bSuspended = false;
    bool m_started = false;
    bool m_flashOn = false;
    QPalette m_normalPalette;

    // Present dead reckoning
    QLineEdit* m_latitude = nullptr;
    QLineEdit* m_longitude = nullptr;
    QLineEdit* m_trueCourse = nullptr;
    QLineEdit* m_trueSpeed = nullptr;
    QLineEdit* m_popularPosition = nullptr;
    // Next waypoint
    QLineEdit* m_nextWaypoint = nullptr;
    QLineEdit* m_bearing = nullptr;
    QLineEdit* m_distance = nullptr;
    // Voyage
    QLineEdit* m_remainingDistance = nullptr;
    QLineEdit* m_remainingHours = nullptr;
    QLineEdit* m_requiredSpeed = nullptr;
    QLineEdit* m_requiredRpm = nullptr;
    QLineEdit* m_eta = nullptr;
    // Speed made good
    QLineEdit* m_reference = nullptr;
    QLineEdit* m_distanceMade = nullptr;
    QLineEdit* m_speedMadeGood = nullptr;
    // Speed bars and their figures
    QProgressBar* m_upperBar = nullptr;
    QProgressBar* m_lowerBar = nullptr;
    QLabel* m_hoursSinceLastFix = nullptr;
    QLabel* m_presentSpeed = nullptr;
    QLabel* m_hoursSinceReference = nullptr;
    QLabel* m_speedMadeGoodCopy = nullptr;
    // Track, steer and current
    QSlider* m_track = nullptr;
    QLabel* m_courseSteered = nullptr;
    QLineEdit* m_steer = nullptr;
    QLineEdit* m_currentDirection = nullptr;
    QLineEdit* m_currentSpeed = nullptr;
};
