#include "app/demo_voyage.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/conversion.h"
#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"

namespace {

constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kHour = 3600;

struct CDemoPoint {
    const char* name;
    double latitude;
    double longitude;
    double zoneOffset;
    std::int32_t proceedVia; // of the leg that ends here
};

// The planned route: out of the Maas, through the Dover Strait and the Channel by
// rhumb line, then the great circle from Bishop Rock to Nantucket Shoals.
constexpr CDemoPoint kRoute[] = {
    {"Rotterdam, Maas Entrance", 51.9833, 4.0500, 1.0, CPosition::kRhumbLine},
    {"Noord Hinder", 51.6500, 2.5500, 1.0, CPosition::kRhumbLine},
    {"Dover Strait", 51.0500, 1.5000, 0.0, CPosition::kRhumbLine},
    {"Casquets TSS", 49.8500, -2.6000, 0.0, CPosition::kRhumbLine},
    {"Bishop Rock", 49.7500, -6.7500, 0.0, CPosition::kRhumbLine},
    {"Nantucket Shoals", 40.4500, -69.2500, -5.0, CPosition::kGreatCircle},
    {"New York, Ambrose", 40.4600, -73.8300, -5.0, CPosition::kRhumbLine},
};
constexpr int kDepartureIndex = 0;
constexpr int kNextWaypointIndex = 5; // where the ship is heading now

struct CDemoFix {
    double latitude;
    double longitude;
    double zoneOffset;
    std::int64_t minutesBeforeNow;
    int afterRouteIndex; // the waypoint the fix follows
};

// Where GPS put her, at about 16.4 knots: off Beachy Head, a day out on the great
// circle, and an hour and a half ago.
constexpr CDemoFix kFixes[] = {
    {50.6900, 0.2700, 0.0, 3510, 2},
    {50.5132, -13.4749, -1.0, 1530, 4},
    {50.9079, -23.8312, -2.0, 90, 4},
};
constexpr std::int64_t kMinutesSinceDeparture = 4110;

// A North Atlantic set of the current, as the fixes found it.
constexpr double kCurrentDirection = 72.0;
constexpr double kCurrentSpeed = 0.4;

// What she makes on passage; the fixes bear it out.
constexpr double kServiceSpeed = 16.4;

// The schedule asks for a little less than she makes, so no speed alarm sounds.
constexpr double kScheduledSpeed = 15.8;

void Place(CPosition& p, const std::string& name, double latitude, double longitude, double zoneOffset) {
    p.SetName(name);
    p.SetLatitude(latitude);
    p.SetLongitude(longitude);
    p.SetZoneOffset(zoneOffset);
}

void FillVessel(CVessel& v) {
    v.m_name = "Keelmark Pioneer";
    v.m_owner = "Tessmoor Shipping B.V.";
    v.m_charterer = "North Atlantic Express";
    v.m_master = "Capt. J. de Vries";
    v.m_callSign = "PDKM";
    v.m_internationalNumber = "9876543";
    v.m_portOfRegistry = "Rotterdam";
    v.m_engineSetting = 98;
    v.m_seaSpeedRpm = 105;
    v.m_manoeuvringRpm = 66;
    v.m_minutesPerRpm = 2.0;
    v.m_numberOfEngines = 1;
    v.m_draftForward = 11.2;
    v.m_draftAft = 11.8;
    v.m_maximumDraft = 13.5;
    v.m_eyeHeight = 28.0;
    v.m_mastHeight = 52.0;
    v.m_breadth = 32.3;
    v.m_lengthOverAll = 294.1;
    v.m_lengthBetweenPerpendiculars = 283.2;
    v.m_summerDeadweight = 65000.0;
    v.m_summerDisplacement = 89000.0;
    v.m_blockCoefficient = 0.65;
}

void FillPort(CPort& port, CTime arrival) {
    port.m_agent.m_name = "Hudson Ship Agency";
    port.m_agent.m_city = "New York";
    port.m_agent.m_country = "United States";
    port.m_pilot.m_name = "Sandy Hook Pilots";
    port.m_pilot.m_radioChannel = "73";
    port.m_portControl.m_name = "New York Vessel Traffic Service";
    port.m_portControl.m_radioChannel = "14";
    port.m_etb = arrival + 3 * kHour;
    port.m_etc = port.m_etb + 30 * kHour;
    port.m_etd = port.m_etc + 2 * kHour;
    port.m_maximumDraft = 15.2;
}

} // namespace

void BuildDemoVoyage(CKeelmarkLiteDoc& doc, CTime now) {
    CVoyage& voyage = doc.GetVoyage();
    FillVessel(doc.GetVessel());
    voyage.SetTexts("Rotterdam - New York (demonstration voyage)", "North Atlantic Express", "NAE 041W");

    // The route: the document's departure and arrival, with the waypoints between.
    const CTime departed = now - kMinutesSinceDeparture * kMinute;
    const int last = static_cast<int>(std::size(kRoute)) - 1;
    CPosition* departure = voyage.GetFirst();
    Place(*departure, kRoute[kDepartureIndex].name, kRoute[kDepartureIndex].latitude, kRoute[kDepartureIndex].longitude,
          kRoute[kDepartureIndex].zoneOffset);
    departure->SetKind(CPosition::kWaypoint);
    departure->SetTime(departed);
    CPosition* waypoints[std::size(kRoute)] = {departure};
    for (int i = 1; i < last; ++i) {
        waypoints[i] = voyage.InsertWaypointAfter(waypoints[i - 1], *waypoints[i - 1], now);
        Place(*waypoints[i], kRoute[i].name, kRoute[i].latitude, kRoute[i].longitude, kRoute[i].zoneOffset);
        waypoints[i]->SetProceedVia(kRoute[i].proceedVia);
    }
    waypoints[last] = voyage.GetLast();
    // The waypoints already passed, with the times she passed them.
    double sailed = 0.0;
    departure->SetETA(CConversion::DayNumber(departed));
    for (int i = 1; i < kNextWaypointIndex; ++i) {
        const CPosition& from = *waypoints[i - 1];
        sailed += from.DistanceTo(kRoute[i].latitude, kRoute[i].longitude, kRoute[i].proceedVia);
        const CTime passed = departed + static_cast<std::int64_t>(sailed / kServiceSpeed * kHour);
        waypoints[i]->SetTime(passed);
        waypoints[i]->SetETA(CConversion::DayNumber(passed));
    }
    Place(*waypoints[last], kRoute[last].name, kRoute[last].latitude, kRoute[last].longitude, kRoute[last].zoneOffset);
    waypoints[last]->SetProceedVia(kRoute[last].proceedVia);
    voyage.SetStartTime(departed);

    // The fixes, each after the last thing passed before it, with the course and
    // speed made good from the one before.
    const CPosition* after[std::size(kRoute)] = {};
    for (int i = 0; i <= last; ++i)
        after[i] = waypoints[i];
    const CPosition* previous = departure;
    std::vector<CPosition*> fixes;
    for (const CDemoFix& f : kFixes) {
        CPosition* fix = voyage.InsertWaypointAfter(after[f.afterRouteIndex], *after[f.afterRouteIndex], now);
        after[f.afterRouteIndex] = fix;
        // Named as the GPS fix dialog names them.
        const CTime t = now - f.minutesBeforeNow * kMinute;
        Place(*fix, "GPS Fix " + t.FormatUtc("%d %b %H:%M") + " UTC", f.latitude, f.longitude, f.zoneOffset);
        fix->SetKind(CPosition::kFix);
        fix->SetProceedVia(CPosition::kGreatCircle);
        fix->SetTime(t);
        fix->SetETA(CConversion::DayNumber(t));
        const double hours = static_cast<double>(t - previous->GetTime()) / kHour;
        fix->SetCourse(previous->CourseTo(f.latitude, f.longitude, CPosition::kGreatCircle));
        fix->SetSpeed(previous->DistanceTo(f.latitude, f.longitude, CPosition::kGreatCircle) / hours);
        fixes.push_back(fix);
        previous = fix;
    }
    const CPosition* lastFix = fixes.back();

    // The ship at her last fix, steering for the next waypoint at the speed she made
    // good; the dashboard's dead reckoning carries her on from there.
    CPosition& present = doc.GetPresentPosition();
    present = CPosition();
    Place(present, "Present position", lastFix->GetLatitude(), lastFix->GetLongitude(), lastFix->GetZoneOffset());
    present.SetTime(lastFix->GetTime());
    present.SetProceedVia(CPosition::kGreatCircle);
    CPosition* next = waypoints[kNextWaypointIndex];
    present.SetCourse(present.CourseTo(next->GetLatitude(), next->GetLongitude(), next->GetProceedVia()));
    present.SetSpeed(lastFix->GetSpeed());
    voyage.GetNextWaypoint(present);
    CVessel& vessel = doc.GetVessel();
    vessel.m_courseSetting = static_cast<std::int32_t>(std::lround(present.GetCourse())) % 360;

    // The current the ocean fixes found, averaged into them and the next waypoint.
    const double meanDraft = (vessel.m_draftForward + vessel.m_draftAft) * 0.5;
    const double rpm = vessel.m_engineSetting;
    for (std::size_t i = 1; i < fixes.size(); ++i)
        fixes[i]->AddPerformance(kCurrentDirection, kCurrentSpeed, meanDraft, rpm);
    next->AddPerformance(kCurrentDirection, kCurrentSpeed, meanDraft, rpm);

    // The schedule: the run to the destination at the scheduled speed, with the
    // time to bring the engine down, from the present position, to the whole hour.
    voyage.SetSpeed(present.GetSpeed());
    const double remaining = voyage.UpdateETAs(present, vessel.GetRunDown(voyage.GetSpeed()));
    const double hours =
        (remaining - vessel.GetReductionDistance(kScheduledSpeed)) / kScheduledSpeed + vessel.GetReductionTime();
    const std::int64_t arrivalSeconds =
        present.GetTime().GetTime() + static_cast<std::int64_t>(std::ceil(hours)) * kHour;
    const CTime arrival(arrivalSeconds - arrivalSeconds % kHour);
    waypoints[last]->SetTime(arrival);
    voyage.SetEndTime(arrival);
    FillPort(doc.GetPort(), arrival);

    CPosition& popular = doc.GetPopularPosition();
    popular = CPosition(0.0, 0.0, now);
    Place(popular, "Fastnet Rock", 51.3889, -9.6031, 0.0);

    doc.SetReferencePosition(departure);
    doc.SetModifiedFlag(true);
}
