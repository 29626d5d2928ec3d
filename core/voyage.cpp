#include "core/voyage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/archive.h"
#include "core/conversion.h"
#include "platform/services.h"

namespace {

constexpr double kHoursToDays = 0.041666666666666664;
constexpr double kPassingDegreeFactor = 0.017452006980802792; // 1/57.3

} // namespace

CVoyage::CVoyage() {
    auto departure = std::make_unique<CPosition>();
    departure->SetName("Departure");
    departure->SetKind(CPosition::kWaypoint);
    auto arrival = std::make_unique<CPosition>();
    arrival->SetName("Arrival");
    arrival->SetKind(CPosition::kWaypoint);
    m_route.reserve(10);
    m_route.push_back(std::move(departure));
    m_route.push_back(std::move(arrival));
    m_nextWaypoint = m_route.back().get();
}

CPosition* CVoyage::GetAt(int index) const {
    if (index < 0 || index >= GetCount()) return GetLast();
    return m_route[static_cast<std::size_t>(index)].get();
}

int CVoyage::IndexOf(const CPosition* position) const {
    if (!position) return -1;
    for (std::size_t i = 0; i < m_route.size(); ++i)
        if (m_route[i].get() == position) return static_cast<int>(i);
    return -1;
}

int CVoyage::GetNextIndex() const {
    const int index = IndexOf(m_nextWaypoint);
    return index < 0 ? GetCount() : index;
}

CPosition* CVoyage::GetLastFix() const {
    CPosition* fix = GetFirst();
    for (std::size_t i = 0; i + 1 < m_route.size(); ++i)
        if (m_route[i]->GetKind() == CPosition::kFix) fix = m_route[i].get();
    return fix;
}

namespace {

// More than 90 degrees off the present course, or exactly where the ship is.
bool Passed(const CPosition& present, const CPosition& c) {
    const double toCandidate = present.CourseTo(c.GetLatitude(), c.GetLongitude(), c.GetProceedVia());
    const bool behind = std::cos((present.GetCourse() - toCandidate) * kPassingDegreeFactor) < 0.0;
    const bool reached = c.GetLatitude() == present.GetLatitude() && c.GetLongitude() == present.GetLongitude();
    return behind || reached;
}

// The ship lies beyond the line through the waypoint square to the leg that
// leads to it: sailed past, whichever way she heads now.
bool PassedAlongLeg(const CPosition& present, const CPosition& from, const CPosition& waypoint) {
    if (waypoint.GetLatitude() == present.GetLatitude() && waypoint.GetLongitude() == present.GetLongitude())
        return true;
    const double back = waypoint.CourseTo(from.GetLatitude(), from.GetLongitude(), waypoint.GetProceedVia());
    const double toShip = waypoint.CourseTo(present.GetLatitude(), present.GetLongitude(), waypoint.GetProceedVia());
    return std::cos(CConversion::DegToRad(back - toShip)) < 0.0;
}

} // namespace

std::size_t CVoyage::NextNotFix(std::size_t i) const {
    const std::size_t count = m_route.size();
    while (i + 1 < count && m_route[i]->GetKind() == CPosition::kFix)
        ++i;
    return i;
}

void CVoyage::WalkPastSailed(const CPosition& present) {
    std::size_t i = static_cast<std::size_t>(IndexOf(m_nextWaypoint));
    while (i > 0 && i + 1 < m_route.size() && PassedAlongLeg(present, *m_route[i - 1], *m_route[i]))
        i = NextNotFix(i + 1);
    m_nextWaypoint = m_route[i].get();
}

CPosition* CVoyage::GetNextWaypoint(const CPosition& present) {
    if (m_manualSelection == kPinned && IndexOf(m_nextWaypoint) >= 0) return m_nextWaypoint;
    if (m_manualSelection == kKeptUntilPassed && IndexOf(m_nextWaypoint) >= 0) {
        if (m_selectSetting == 1) WalkPastSailed(present);
        return m_nextWaypoint;
    }

    const std::size_t count = m_route.size();
    std::size_t candidate;
    const int presentIndex = IndexOf(&present);
    if (presentIndex >= 0) {
        candidate = NextNotFix(std::min(static_cast<std::size_t>(presentIndex) + 1, count - 1));
    } else {
        // From the last fix on to the first waypoint; with no fixes the departure
        // itself is the candidate (unless a fix took the departure's place).
        candidate = NextNotFix(static_cast<std::size_t>(IndexOf(GetLastFix())));
    }

    // A candidate behind the ship counts as passed, and so does one the ship is
    // exactly at (a new voyage starts at its departure: steer for what follows).
    if (Passed(present, *m_route[candidate]) && candidate + 1 < count) ++candidate;

    m_nextWaypoint = m_route[candidate].get();
    return m_nextWaypoint;
}

CPosition* CVoyage::SelectNextAhead(const CPosition& present) {
    m_manualSelection = kAutomatic;
    GetNextWaypoint(present);
    m_manualSelection = kKeptUntilPassed;
    return GetNextWaypoint(present);
}

void CVoyage::SetNextWaypoint(CPosition* position) {
    if (IndexOf(position) < 0) return;
    m_nextWaypoint = position;
    m_manualSelection = kPinned;
}

CPosition* CVoyage::NewPosition(std::size_t index, double latitude, double longitude, CTime time) {
    if (index > m_route.size()) index = m_route.size();
    auto it = m_route.insert(m_route.begin() + static_cast<std::ptrdiff_t>(index),
                             std::make_unique<CPosition>(latitude, longitude, time));
    return it->get();
}

CPosition* CVoyage::InsertFix(double latitude, double longitude, CTime time) {
    const int next = IndexOf(m_nextWaypoint);
    CPosition* fix = NewPosition(next < 0 ? 0 : static_cast<std::size_t>(next), latitude, longitude, time);
    m_manualSelection = kAutomatic;
    return fix;
}

CPosition* CVoyage::AddWaypoint(const CPosition& at, CTime time) {
    CPosition* waypoint = NewPosition(m_route.size(), at.GetLatitude(), at.GetLongitude(), time);
    waypoint->SetKind(CPosition::kWaypoint);
    waypoint->SetSpeed(0.0);
    return waypoint;
}

CPosition* CVoyage::InsertWaypointAfter(const CPosition* position, const CPosition& at, CTime time) {
    const int index = IndexOf(position);
    if (index < 0) return nullptr;
    CPosition* waypoint = NewPosition(static_cast<std::size_t>(index) + 1, at.GetLatitude(), at.GetLongitude(), time);
    waypoint->SetKind(CPosition::kWaypoint);
    waypoint->SetSpeed(0.0);
    return waypoint;
}

bool CVoyage::RemoveAt(int index) {
    if (index < 0 || index >= GetCount() || GetCount() <= 2) return false;
    const bool wasNext = m_route[static_cast<std::size_t>(index)].get() == m_nextWaypoint;
    m_route.erase(m_route.begin() + index);
    // Never leave the next waypoint pointing at a deleted position: its successor takes over.
    if (wasNext) m_nextWaypoint = GetAt(index);
    return true;
}

void CVoyage::WipeFixes() {
    if (GetFirst()->GetKind() == CPosition::kFix) GetFirst()->SetKind(CPosition::kWaypoint);
    std::erase_if(m_route, [](const std::unique_ptr<CPosition>& p) { return p->GetKind() == CPosition::kFix; });
    m_nextWaypoint = GetFirst();
}

bool CVoyage::ReplaceWaypoints(std::vector<std::unique_ptr<CPosition>> waypoints) {
    if (waypoints.size() < 2) return false;
    // Each fix goes onto the new leg it lies nearest to, by the detour a call
    // there would add to the leg, and never onto a leg before that of the fix
    // before it: the track keeps its order and the ship goes on along the leg
    // it is sailing. Great-circle distances are symmetric, so each fix needs one
    // distance per waypoint.
    const auto distance = [](const CPosition& from, const CPosition& to) {
        return from.DistanceTo(to.GetLatitude(), to.GetLongitude(), CPosition::kGreatCircle);
    };
    std::vector<double> legs(waypoints.size());
    for (std::size_t k = 1; k < waypoints.size(); ++k)
        legs[k] = distance(*waypoints[k - 1], *waypoints[k]);
    std::vector<std::pair<std::size_t, std::size_t>> fixes; // route index, leg
    std::size_t from = 1;
    for (std::size_t r = 0; r < m_route.size(); ++r) {
        const CPosition& fix = *m_route[r];
        if (fix.GetKind() != CPosition::kFix) continue;
        double best = std::numeric_limits<double>::infinity();
        double toStart = distance(*waypoints[from - 1], fix);
        std::size_t leg = from;
        for (std::size_t k = from; k < waypoints.size(); ++k) {
            const double toEnd = distance(fix, *waypoints[k]);
            if (const double detour = toStart + toEnd - legs[k]; detour < best) best = detour, leg = k;
            toStart = toEnd;
        }
        fixes.emplace_back(r, from = leg);
    }
    // Everything is allocated before the first position moves: nothing below throws.
    std::vector<std::unique_ptr<CPosition>> route;
    route.reserve(fixes.size() + waypoints.size());
    for (std::size_t k = 0, i = 0; k < waypoints.size(); ++k) {
        for (; i < fixes.size() && fixes[i].second == k; ++i)
            route.push_back(std::move(m_route[fixes[i].first]));
        route.push_back(std::move(waypoints[k]));
    }
    m_route = std::move(route);
    m_manualSelection = 0;
    m_nextWaypoint = GetLast();
    return true;
}

double CVoyage::UpdateETAs(CPosition& present, const CRunDown& runDown) {
    CPosition* next = GetNextWaypoint(present);
    const double d = present.DistanceTo(next->GetLatitude(), next->GetLongitude(), next->GetProceedVia());
    present.SetETA(CConversion::DayNumber(present.GetTime()));
    double eta = present.GetETA();
    if (m_speed != 0.0) eta += (d / m_speed) * kHoursToDays;
    next->SetETA(eta);

    double total = d;
    const std::size_t count = m_route.size();
    std::size_t start = static_cast<std::size_t>(IndexOf(next));
    CPosition* prev = next;
    for (std::size_t i = start; i < count; ++i) {
        CPosition* w = m_route[i].get();
        const double leg = prev->DistanceTo(w->GetLatitude(), w->GetLongitude(), w->GetProceedVia());
        // At speed 0 no time passes on the later legs: they keep the next waypoint's ETA.
        if (m_speed == 0.0)
            w->SetETA(prev->GetETA());
        else if (m_reduceSetting == 1 && i + 1 == count)
            w->SetETA(prev->GetETA() + ((leg - runDown.distance) / m_speed + runDown.hours) * kHoursToDays);
        else
            w->SetETA(prev->GetETA() + (leg / m_speed) * kHoursToDays);
        total += leg;
        prev->SetSpeed(m_speed);
        prev = w;
    }
    m_remainingDistance = total;
    return total;
}

double CVoyage::UpdateLegs() {
    double total = 0.0;
    for (std::size_t i = 1; i < m_route.size(); ++i) {
        CPosition& prev = *m_route[i - 1];
        const CPosition& w = *m_route[i];
        const double course = prev.CourseTo(w.GetLatitude(), w.GetLongitude(), w.GetProceedVia());
        const double leg = prev.DistanceTo(w.GetLatitude(), w.GetLongitude(), w.GetProceedVia());
        prev.SetLeg(course, leg);
        total += leg;
    }
    m_totalDistance = total;
    return total;
}

double CVoyage::RouteDistance(const CPosition* from, const CPosition* to) const {
    const int fi = IndexOf(from);
    if (fi < 0) {
        services::Prompts().Show("First position does not exist in route", PromptIcon::Stop);
        return 0.0;
    }
    const int ti = IndexOf(to);
    if (ti < 0) {
        services::Prompts().Show("Second position does not exist in route", PromptIcon::Stop);
        return 0.0;
    }
    auto distance = [this](int a, int b) {
        const CPosition& p = *m_route[static_cast<std::size_t>(a)];
        const CPosition& q = *m_route[static_cast<std::size_t>(b)];
        return p.DistanceTo(q.GetLatitude(), q.GetLongitude(), q.GetProceedVia());
    };
    // When `to` is not after `from`, the walk runs to the end of the route first.
    const int end = ti > fi ? ti - 1 : GetCount() - 1;
    double total = 0.0;
    for (int k = fi; k < end; ++k)
        total += distance(k, k + 1);
    return total + distance(end, ti);
}

double CVoyage::HoursSinceDeparture(const CPosition& position) const {
    return (CConversion::DayNumber(position.GetTime()) - CConversion::DayNumber(GetFirst()->GetTime())) * 24.0;
}

double CVoyage::HoursToArrival(const CPosition& position) const {
    return (CConversion::DayNumber(GetLast()->GetTime()) - CConversion::DayNumber(position.GetTime())) * 24.0;
}

void CVoyage::SetTexts(const std::string& description, const std::string& service, const std::string& voyageNumber) {
    m_description = description;
    m_service = service;
    m_voyageNumber = voyageNumber;
}

void CVoyage::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.Double("remainingDistance", m_remainingDistance);
        ar.Double("totalDistance", m_totalDistance);
        ar.String("description", m_description);
        ar.String("service", m_service);
        ar.String("voyageNumber", m_voyageNumber);
        ar.Time("startTime", m_startTime);
        ar.Time("endTime", m_endTime);
        ar.BeginList("route", m_route.size(), CountType::Long, CPosition::kStoredSizeWithoutName);
        for (auto& p : m_route) {
            ar.BeginItem();
            p->Serialize(ar);
            ar.EndItem();
        }
        ar.EndList();
        return;
    }

    // Read everything aside first; the route is replaced only when all of it was read.
    double remaining = 0.0, total = 0.0;
    std::string description, service, voyageNumber;
    CTime start, end;
    ar.Double("remainingDistance", remaining);
    ar.Double("totalDistance", total);
    ar.String("description", description);
    ar.String("service", service);
    ar.String("voyageNumber", voyageNumber);
    ar.Time("startTime", start);
    ar.Time("endTime", end);
    const std::size_t n = ar.BeginList("route", 0, CountType::Long, CPosition::kStoredSizeWithoutName);
    if (n < 2)
        throw CArchiveException("The route holds " + std::to_string(n) + (n == 1 ? " position" : " positions") +
                                "; a voyage needs at least a departure and a destination: the file is damaged");
    std::vector<std::unique_ptr<CPosition>> route;
    route.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        ar.BeginItem();
        auto p = std::make_unique<CPosition>();
        p->Serialize(ar);
        route.push_back(std::move(p));
        ar.EndItem();
    }
    ar.EndList();

    m_remainingDistance = remaining;
    m_totalDistance = total;
    m_description = std::move(description);
    m_service = std::move(service);
    m_voyageNumber = std::move(voyageNumber);
    m_startTime = start;
    m_endTime = end;
    m_route.swap(route);
    // The old positions are gone; steer for the destination until the owner selects again.
    m_nextWaypoint = m_route.back().get();
}

void CVoyage::AdoptLoaded(CVoyage& loaded) {
    m_remainingDistance = loaded.m_remainingDistance;
    m_totalDistance = loaded.m_totalDistance;
    m_description = std::move(loaded.m_description);
    m_service = std::move(loaded.m_service);
    m_voyageNumber = std::move(loaded.m_voyageNumber);
    m_startTime = loaded.m_startTime;
    m_endTime = loaded.m_endTime;
    m_route.swap(loaded.m_route);
    m_nextWaypoint = m_route.back().get();
    loaded.m_nextWaypoint = loaded.m_route.empty() ? nullptr : loaded.m_route.back().get();
}
