#include "document/route_editing.h"

#include <cmath>
#include <utility>

#include "core/conversion.h"
#include "core/event_log.h"
#include "core/position.h"
#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"
#include "particulars/vessel.h"
#include "platform/services.h"

namespace {

constexpr double kMinutesToHours = 0.016666666666666666;

double HoursBetween(CTime from, CTime till) {
    return (CConversion::DayNumber(till) - CConversion::DayNumber(from)) * 24.0;
}

} // namespace

// ---------------------------------------------------------------------------
// Position sheet

CPositionSheetFields PositionSheetFields(const CPosition& position) {
    CPositionSheetFields fields;
    fields.description = position.GetName();
    fields.latitude = LatitudeFields(position);
    fields.longitude = LongitudeFields(position);
    fields.proceedVia = position.GetProceedVia();
    return fields;
}

void ApplyPositionSheet(const CPositionSheetFields& fields, CPosition& position) {
    position.SetLatitude(CoordinateFromFields(fields.latitude));
    position.SetLongitude(CoordinateFromFields(fields.longitude));
    position.SetName(fields.description);
    position.SetProceedVia(fields.proceedVia);
    if (fields.zoneOffset) position.SetZoneOffset(*fields.zoneOffset);
}

void ApplyPositionSheet(CKeelmarkLiteDoc& doc, const CPositionSheetFields& fields, CPosition& position) {
    ApplyPositionSheet(fields, position);
    doc.SetModifiedFlag();
}

CPositionAverages PositionAverages(const CPosition& position) {
    CPositionAverages a;
    std::int32_t count = 0;
    a.windSpeed = position.GetWeather(a.windDirection, count);
    a.weatherCount = count;
    a.pressure = position.GetAveragePressure();
    a.currentSpeed = position.GetCurrent(a.currentDirection, count);
    a.currentCount = count;
    a.averageSpeed = position.GetAverageSpeed();
    a.averageDraft = position.GetAverageDraft();
    a.averageRpm = position.GetAverageEngineRpm();
    a.performanceCount = position.GetPerformanceCount();
    return a;
}

// ---------------------------------------------------------------------------
// Waypoint list

CWaypointListing ListWaypoints(CVoyage& voyage, int show, int information) {
    CWaypointListing listing;
    switch (information) {
    case kInfoCourseDistance:
        listing.titles = {"Course", "Distance", "Proceed via"};
        break;
    case kInfoSpeedEta:
        listing.titles = {"ETA (UTC)", "Speed", "Proceed via"};
        break;
    default:
        listing.titles = {"Latitude", "Longitude", "Proceed via"};
        break;
    }

    const double total = voyage.UpdateLegs();
    const double hours = HoursBetween(voyage.GetFirst()->GetTime(), voyage.GetLast()->GetTime());
    listing.requiredSpeed = hours > 0.0 ? CConversion::Truncate(total / hours, 2) : 0.0;
    listing.totalDistance = CConversion::Truncate(total, 1);

    for (int i = 0; i < voyage.GetCount(); ++i) {
        const CPosition& p = *voyage.GetAt(i);
        if (show != kShowBoth && p.GetKind() != show) continue;
        CWaypointRow row;
        row.routeIndex = i;
        row.fix = p.GetKind() == CPosition::kFix;
        row.columns[0] = p.GetName();
        switch (information) {
        case kInfoCourseDistance: {
            double course = 0.0;
            const double distance = p.GetLeg(course);
            row.columns[1] = CConversion::FixedText(course);
            row.columns[2] = CConversion::FixedText(distance);
            break;
        }
        case kInfoSpeedEta:
            row.columns[1] = CConversion::DayNumberText(p.GetETA());
            row.columns[2] = CConversion::FixedText(p.GetSpeed());
            break;
        default:
            row.columns[1] = p.GetLatitudeText();
            row.columns[2] = p.GetLongitudeText();
            break;
        }
        row.columns[3] = p.GetProceedVia() == CPosition::kRhumbLine ? "Rhumbline" : "Greatcircle";
        listing.rows.push_back(std::move(row));
    }
    return listing;
}

CWaypointEditing::CWaypointEditing(CKeelmarkLiteDoc& doc, std::string nextWaypointName)
    : m_doc(doc), m_nextWaypointName(std::move(nextWaypointName)) {}

CPosition* CWaypointEditing::Add(int show, int selectedRow) {
    CVoyage& voyage = m_doc.GetVoyage();
    m_modifiedBeforeAdd = m_doc.IsModified();
    const CPosition& at = m_doc.GetPresentPosition();
    CPosition* added = nullptr;
    if (show == kShowBoth) {
        if (selectedRow >= 0 && selectedRow < voyage.GetCount())
            added = voyage.InsertWaypointAfter(voyage.GetAt(selectedRow), at, services::Now());
        if (!added) added = voyage.AddWaypoint(at, services::Now());
    } else {
        // Rows of one kind are not route indices: find the selected one in the
        // route. The destination stays the destination (a new one would be due
        // now and stop the voyage's figures), so the new waypoint goes before it.
        const int destination = voyage.GetCount() - 1;
        int after = destination - 1;
        const int kind = show == kShowWaypoints ? CPosition::kWaypoint : CPosition::kFix;
        for (int i = 0, row = 0; selectedRow >= 0 && i < destination; ++i)
            if (voyage.GetAt(i)->GetKind() == kind && row++ == selectedRow) after = i;
        added = voyage.InsertWaypointAfter(voyage.GetAt(after), at, services::Now());
    }
    m_added = added;
    m_doc.SetModifiedFlag();
    return added;
}

void CWaypointEditing::CancelAdd(CPosition* added) {
    if (!added || added != m_added) return;
    const int index = m_doc.GetVoyage().IndexOf(added);
    if (index >= 0) Remove(index);
    m_added = nullptr;
    m_doc.SetModifiedFlag(m_modifiedBeforeAdd);
}

CPosition* CWaypointEditing::Edit(int show, int selectedRow) {
    CVoyage& voyage = m_doc.GetVoyage();
    if (show != kShowBoth || selectedRow < 0 || selectedRow >= voyage.GetCount()) {
        services::Prompts().Show(kSelectToEditText);
        return nullptr;
    }
    CPosition* position = voyage.GetAt(selectedRow);
    if (position->GetKind() == CPosition::kFix) {
        services::Prompts().Show(kFixNotEditableText);
        return nullptr;
    }
    return position;
}

bool CWaypointEditing::Delete(int show, int selectedRow) {
    CVoyage& voyage = m_doc.GetVoyage();
    if (show != kShowBoth || selectedRow < 0 || selectedRow >= voyage.GetCount()) {
        services::Prompts().Show(kSelectToDeleteText);
        return false;
    }
    const CPosition* position = voyage.GetAt(selectedRow);
    // By name, as the dashboard shows it: a namesake of the next waypoint is refused too.
    if (position->GetName() == m_nextWaypointName) {
        services::Prompts().Show(kSteeringTowardsText);
        return false;
    }
    if (selectedRow == 0) {
        services::Prompts().Show(kKeepDepartureText);
        return false;
    }
    if (selectedRow == voyage.GetCount() - 1) {
        services::Prompts().Show(kKeepDestinationText);
        return false;
    }
    if (services::Prompts().Show(kDeleteWaypointQuestion + position->GetName(), PromptIcon::None,
                                 PromptButtons::YesNoCancel) != PromptAnswer::Yes)
        return false;
    Remove(selectedRow);
    m_doc.SetModifiedFlag();
    return true;
}

void CWaypointEditing::Remove(int index) {
    CVoyage& voyage = m_doc.GetVoyage();
    const bool wasReference = m_doc.GetReferencePosition() == voyage.GetAt(index);
    if (!voyage.RemoveAt(index)) return;
    // The reference fix must never point at a deleted position.
    if (wasReference) m_doc.SetReferencePosition(voyage.GetFirst());
}

bool CWaypointEditing::Wipe() {
    if (services::Prompts().Show(kWipeQuestion, PromptIcon::None, PromptButtons::OkCancel) != PromptAnswer::Ok)
        return false;
    CVoyage& voyage = m_doc.GetVoyage();
    // The destination is a waypoint whatever a damaged file says: the wipe must
    // leave a route with a departure and a destination.
    if (voyage.GetLast()->GetKind() == CPosition::kFix) voyage.GetLast()->SetKind(CPosition::kWaypoint);
    // A reference fix after the departure goes with the wipe: the departure takes over.
    const CPosition* reference = m_doc.GetReferencePosition();
    const bool referenceGoes = voyage.IndexOf(reference) > 0 && reference->GetKind() == CPosition::kFix;
    voyage.WipeFixes();
    voyage.SelectNextAhead(m_doc.GetPresentPosition()); // not the departure astern
    if (referenceGoes) m_doc.SetReferencePosition(voyage.GetFirst());
    m_doc.SetModifiedFlag();
    return true;
}

// ---------------------------------------------------------------------------
// Course and engine change

CCourseChange::CCourseChange(const CVessel& vessel, const CPosition& present, double requiredRpm)
    : m_course(vessel.m_courseSetting), m_rpm(vessel.m_engineSetting), m_initialRpm(vessel.m_engineSetting),
      m_initialSpeed(present.GetSpeed()), m_minutesPerRpm(vessel.m_minutesPerRpm),
      m_manoeuvringRpm(vessel.m_manoeuvringRpm), m_seaSpeedRpm(vessel.m_seaSpeedRpm), m_speed(present.GetSpeed()),
      m_requiredRpm(requiredRpm) {}

CCourseChange CCourseChange::ForDocument(CKeelmarkLiteDoc& doc) {
    const double required = doc.RequiredRpm(doc.RequiredSpeed());
    return CCourseChange(doc.GetVessel(), doc.GetPresentPosition(), required);
}

bool CCourseChange::AcceptCourse(int course) {
    if (course < kMinimumCourse || course > kMaximumCourse) return false;
    m_course = course;
    return true;
}

void CCourseChange::SetRpm(int rpm) {
    m_rpm = rpm;
    m_duration = std::abs(m_initialRpm - rpm) * m_minutesPerRpm;
    // Without revolutions to scale from, the speed cannot be told: it stays.
    m_speed = m_initialRpm != 0 ? m_initialSpeed / m_initialRpm * rpm : m_initialSpeed;
    m_distance = ((m_speed + m_initialSpeed) * 0.5) * (m_duration * kMinutesToHours);
}

void CCourseChange::Apply(CKeelmarkLiteDoc& doc) const {
    CVessel& vessel = doc.GetVessel();
    vessel.m_courseSetting = m_course;
    vessel.m_engineSetting = m_rpm;
    CPosition& present = doc.GetPresentPosition();
    present.SetCourse(m_course);
    present.SetSpeed(m_speed);
    doc.SetModifiedFlag();
    WriteLogIf("logcourse", LogText());
}

std::string CCourseChange::LogText() const {
    return "Course changed to " + CConversion::FixedText(m_course) + "  Engine setting to " +
           CConversion::FixedText(m_rpm) + " rpm";
}

// ---------------------------------------------------------------------------
// Next waypoint, reference fix, speed made good

std::vector<std::string> RouteNames(const CVoyage& voyage) {
    std::vector<std::string> names;
    for (int i = 0; i < voyage.GetCount(); ++i)
        names.push_back(voyage.GetAt(i)->GetName());
    return names;
}

CBearingDistance BearingAndDistance(const CPosition& present, const CPosition& to) {
    return {present.CourseTo(to.GetLatitude(), to.GetLongitude(), to.GetProceedVia()),
            present.DistanceTo(to.GetLatitude(), to.GetLongitude(), to.GetProceedVia())};
}

void SelectNextWaypoint(CKeelmarkLiteDoc& doc, int routeIndex, bool adjustCourse) {
    CVoyage& voyage = doc.GetVoyage();
    if (routeIndex < 0 || routeIndex >= voyage.GetCount()) return;
    CPosition* waypoint = voyage.GetAt(routeIndex);
    voyage.SetNextWaypoint(waypoint);
    if (adjustCourse) {
        CPosition& present = doc.GetPresentPosition();
        present.SetCourse(BearingAndDistance(present, *waypoint).bearing);
    }
    doc.SetModifiedFlag();
    CEventLog().Write(kManualWaypointLogText + waypoint->GetName());
}

CReferenceChoice ReferenceChoice(CKeelmarkLiteDoc& doc) {
    CReferenceChoice choice;
    const CVoyage& voyage = doc.GetVoyage();
    const CPosition* reference = doc.GetReferencePosition();
    for (int i = 0; i < voyage.GetCount(); ++i) {
        const CPosition* p = voyage.GetAt(i);
        if (p->GetKind() != CPosition::kFix) continue;
        if (choice.preselected < 0 && reference && reference->GetKind() == CPosition::kFix &&
            p->GetName() == reference->GetName())
            choice.preselected = static_cast<int>(choice.names.size());
        choice.routeIndices.push_back(i);
        choice.names.push_back(p->GetName());
    }
    return choice;
}

bool ChooseReference(CKeelmarkLiteDoc& doc, int routeIndex) {
    CVoyage& voyage = doc.GetVoyage();
    if (routeIndex < 0 || routeIndex >= voyage.GetCount()) return false;
    CPosition* fix = voyage.GetAt(routeIndex);
    if (fix->GetKind() != CPosition::kFix) return false;
    doc.SetReferencePosition(fix);
    doc.SetModifiedFlag();
    return true;
}

namespace {
constexpr double kMinuteHours = 1.0 / 60.0;
}

CSpeedMadeGood SpeedMadeGood(const CVoyage& voyage, int fromIndex, int tillIndex, bool alongRoute) {
    const CPosition* from = voyage.GetAt(fromIndex);
    const CPosition* till = voyage.GetAt(tillIndex);
    CSpeedMadeGood result;
    result.bearing = from->CourseTo(till->GetLatitude(), till->GetLongitude(), CPosition::kRhumbLine);
    // Along the route the way is measured forward, from the earlier of the two to
    // the later: the route walk from a later point would run to the destination and back.
    const bool forward = voyage.IndexOf(from) <= voyage.IndexOf(till);
    result.distance = !alongRoute ? from->DistanceTo(till->GetLatitude(), till->GetLongitude(), CPosition::kRhumbLine)
                      : from == till ? 0.0
                      : forward      ? voyage.RouteDistance(from, till)
                                     : voyage.RouteDistance(till, from);
    result.hours = HoursBetween(from->GetTime(), till->GetTime());
    result.timeText = CConversion::DegMinText(result.hours);
    // The time is shown without sign, so the speed is too: "till" may be the earlier one.
    // Under a minute apart, a speed would be noise of the time stamps.
    if (std::fabs(result.hours) >= kMinuteHours) result.speed = result.distance / std::fabs(result.hours);
    return result;
}

// ---------------------------------------------------------------------------
// Voyage properties

CTime LocalFromUtc(CTime utc) { return utc + services::Clock().LocalOffsetSeconds(utc); }

CTime UtcFromLocal(CTime local) {
    // The offset belongs to the UTC instant; near a change of offset the first
    // guess is corrected once.
    const CTime guess = local - services::Clock().LocalOffsetSeconds(local);
    return local - services::Clock().LocalOffsetSeconds(guess);
}

CVoyageProperties VoyageProperties(const CVoyage& voyage) {
    CVoyageProperties p;
    p.description = voyage.GetDescription();
    p.service = voyage.GetService();
    p.voyageNumber = voyage.GetVoyageNumber();
    p.departureName = voyage.GetFirst()->GetName();
    p.destinationName = voyage.GetLast()->GetName();
    p.beginLocal = LocalFromUtc(voyage.GetStartTime());
    // The sea voyage ends when the destination is scheduled: the time the figures rest on.
    p.endLocal = LocalFromUtc(voyage.GetLast()->GetTime());
    return p;
}

void ApplyVoyageProperties(CKeelmarkLiteDoc& doc, const CVoyageProperties& properties) {
    CVoyage& voyage = doc.GetVoyage();
    voyage.SetTexts(properties.description, properties.service, properties.voyageNumber);
    voyage.SetStartTime(UtcFromLocal(properties.beginLocal));
    voyage.SetEndTime(UtcFromLocal(properties.endLocal));
    doc.SetModifiedFlag();
}
