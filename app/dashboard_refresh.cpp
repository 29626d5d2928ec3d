#include "app/dashboard_refresh.h"

#include <algorithm>
#include <cmath>

#include "core/conversion.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"

namespace {

int Whole(double value) {
    const double cut = CConversion::Truncate(value, 0);
    if (!std::isfinite(cut) || cut > 2.0e9 || cut < -2.0e9) return 0;
    return static_cast<int>(cut);
}

// Normalised into 0 .. 360 (integer degrees).
int Degrees360(int degrees) { return ((degrees % 360) + 360) % 360; }

// The signed difference a - b, into -180 .. 180.
int Difference180(int a, int b) {
    const int d = Degrees360(a - b);
    return d > 180 ? d - 360 : d;
}

// What is known without a schedule: where the ship is and how she goes.
void FillPresent(CDashboardFigures& f, CKeelmarkLiteDoc& doc, CTime now) {
    CPosition& present = doc.GetPresentPosition();
    f.trueCourse = present.GetCourse();
    f.trueSpeed = present.GetSpeed();
    f.trueCourseText = CConversion::FixedText(f.trueCourse);
    f.trueSpeedText = CConversion::FixedText(f.trueSpeed);
    f.latitude = present.GetLatitude();
    f.longitude = present.GetLongitude();
    f.latitudeText = present.GetLatitudeText();
    f.longitudeText = present.GetLongitudeText();
    f.popularPositionText = doc.GetPopularPosition().GetRelativeText(present.GetLatitude(), present.GetLongitude());
    f.presentSpeed = CConversion::Truncate(present.GetSpeed(), 2);
    f.hoursSinceLastFix = CConversion::Truncate(
        (CConversion::DayNumber(now) - CConversion::DayNumber(doc.GetVoyage().GetLastFix()->GetTime())) * 24.0, 1);
    f.courseSteered = doc.GetVessel().m_courseSetting;
}

} // namespace

CDashboardFigures RefreshDashboard(CKeelmarkLiteDoc& doc) {
    CDashboardFigures f;
    CVoyage& voyage = doc.GetVoyage();
    CPosition& present = doc.GetPresentPosition();
    const CTime now = services::Now();

    // The ship sails on whether or not a schedule is set.
    doc.UpdateDeadReckoning();
    FillPresent(f, doc, now);
    if (CConversion::DayNumber(now) >= CConversion::DayNumber(voyage.GetLast()->GetTime())) {
        f.scheduleExpired = true;
        f.nextWaypointName = kEnterScheduleText;
        f.etaText = kEnterScheduleText;
        return f;
    }

    CPosition* next = doc.GetNextWaypoint();
    const double remaining = doc.UpdateVoyage();

    f.eta = doc.ETAAtSpeed(present.GetSpeed());
    if (f.eta) f.etaText = f.eta->FormatUtc(kDashboardEtaFormat);

    f.distance = doc.DistanceToNext();
    f.bearing = doc.BearingToNext();
    f.distanceText = CConversion::FixedText(f.distance);
    f.bearingText = CConversion::FixedText(f.bearing);

    f.requiredSpeed = doc.RequiredSpeed();
    f.requiredRpm = doc.RequiredRpm(f.requiredSpeed);
    f.requiredSpeedText = CConversion::FixedText(f.requiredSpeed);
    f.requiredRpmText = CConversion::FixedText(f.requiredRpm);

    f.nextWaypointName = next->GetName();
    f.remainingDistance = CConversion::Truncate(remaining, 2);

    // Speed made good: along the recorded track from the reference fix to the last
    // fix, then on to the present position. When the reference is the last fix (or
    // lies beyond it) the track part is empty.
    CPosition* reference = doc.GetReferencePosition();
    if (!reference || voyage.IndexOf(reference) < 0) reference = voyage.GetFirst();
    CPosition* lastFix = voyage.GetLastFix();
    f.referenceName = reference->GetName();
    double made = 0.0;
    if (voyage.IndexOf(reference) < voyage.IndexOf(lastFix)) made = voyage.RouteDistance(reference, lastFix);
    made += lastFix->DistanceTo(present.GetLatitude(), present.GetLongitude(), present.GetProceedVia());
    f.distanceMade = CConversion::Truncate(made, 2);
    const double hours = (CConversion::DayNumber(present.GetTime()) - CConversion::DayNumber(reference->GetTime())) * 24.0;
    // Under a minute since the reference (just reset to the departure, say) a
    // speed would be the noise of the time stamps: 0 as for no time at all.
    f.speedMadeGood = std::fabs(hours) >= 1.0 / 60.0 ? CConversion::Truncate(f.distanceMade / hours, 2) : 0.0;
    if (!std::isfinite(f.speedMadeGood)) f.speedMadeGood = 0.0;
    f.hoursSinceReference = CConversion::Truncate(hours, 1);

    f.remainingHours = doc.HoursToScheduledArrival();
    f.remainingHoursText = CConversion::FixedText(f.remainingHours);

    // The gyro course to steer for the next waypoint: its bearing plus the gyro's
    // error (course steered by gyro less the true course made).
    f.steer = Degrees360(Whole(f.courseSteered - f.trueCourse) + Whole(f.bearing));

    f.barMaximum = 20 * Whole(f.requiredSpeed);
    f.upperBar = 10 * Whole(f.presentSpeed);
    f.lowerBar = 10 * Whole(f.speedMadeGood);
    f.sliderPosition = std::clamp(Difference180(f.steer, f.courseSteered), -10, 10);
    f.flashRequiredSpeed = f.presentSpeed < f.requiredSpeed;

    double direction = 0.0;
    std::int32_t count = 0;
    const double current = next->GetCurrent(direction, count);
    f.currentDirection = CConversion::Truncate(direction, 0);
    f.currentSpeed = CConversion::Truncate(current, 2);
    return f;
}
