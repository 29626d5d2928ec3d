#include "app/watch_alarms.h"

#include <cmath>

#include "core/conversion.h"
#include "core/event_log.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"

namespace {

constexpr double kWarningMinutes = 6.0;
constexpr double kPassingDistance = 1.0; // nM
constexpr double kArrivalDistance = 1.0; // nM
constexpr double kArrivalSpeed = 0.01;   // knots: almost stopped, still moving for the route logic
constexpr double kOffCourseDegrees = 10.0;
constexpr double kPositionAgeHours = 6.0;
constexpr double kSpeedShortfall = 2.0; // knots

bool On(const char* key) { return services::GetInt(key, 1) == 1; }

void Warn(const char* text) { services::Prompts().Alert(text); }

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

} // namespace

void CWatchAlarms::Check(CKeelmarkLiteDoc& doc) {
    const std::int64_t local = CEventLog::LocalNow().GetTime();
    const std::int64_t minute = FloorDiv(local, 60);
    if (minute == m_lastMinute) return;
    m_lastMinute = minute;

    CPosition& present = doc.GetPresentPosition();
    CVoyage& voyage = doc.GetVoyage();
    const CPosition* next = doc.GetNextWaypoint();
    const CPosition* lastFix = doc.GetLastFix();

    const double dist = present.DistanceTo(next->GetLatitude(), next->GetLongitude(), next->GetProceedVia());
    const double speed = present.GetSpeed();
    const double minutesToNext = dist * 60.0 / speed;
    if (minutesToNext < kWarningMinutes && On("wp6minalarm"))
        Warn("Approaching waypoint!\nChange course within 6 minutes!");

    if (dist < kPassingDistance && On("wpalarm")) {
        Warn("Passing Waypoint!\nChange course!");
        WriteLogIf("logwp", "Passing Waypoint" + next->GetName());
    }

    const double remaining = voyage.UpdateETAs(present, doc.GetVessel().GetRunDown(voyage.GetSpeed()));
    if (doc.GetVessel().GetReductionDistance(speed) >= remaining && On("navreduce")) {
        Warn("Please reduce enginerevs to max. manoeuvringspeed!");
        CEventLog().Write("Alarm: Engine revs should be reduced now!");
    }

    if (voyage.GetRemainingDistance() <= kArrivalDistance && On("navzerospd")) present.SetSpeed(kArrivalSpeed);

    // The hourly checks wait for the next new hour after the first check.
    const std::int64_t hour = FloorDiv(local, 3600);
    const bool started = m_lastHour != kNotStarted;
    if (hour == m_lastHour) return;
    m_lastHour = hour;
    if (!started) return;

    const double bearing = present.CourseTo(next->GetLatitude(), next->GetLongitude(), next->GetProceedVia());
    double diff = std::fabs(std::fmod(present.GetCourse() - bearing, 360.0));
    if (diff > 180.0) diff = 360.0 - diff;
    if (diff > kOffCourseDegrees && On("coursealarm")) {
        Warn("Your true course differs more than 10 degrees from bearing of next waypoint!");
        CEventLog().Write("OffCourse alarm!");
    }

    const double age =
        std::fabs(CConversion::DayNumber(present.GetTime()) - CConversion::DayNumber(lastFix->GetTime())) * 24.0;
    if (age > kPositionAgeHours && On("dralarm")) {
        Warn("Your DR-position has not been updated for more than 6 hours!\n"
             "Please update your position using the 'Update' button!");
        CEventLog().Write("Position not updated for more than 6 hours!");
    }

    if (doc.RequiredSpeed() - present.GetSpeed() > kSpeedShortfall && On("speedalarm")) {
        Warn("Your present true speed is more than 2 knots below required speed!");
        CEventLog().Write("Present true speed too low to reach ETA!");
    }
}
