#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/position.h"
#include "core/time.h"

class CArchive;

// The run-down before arrival: the hours and the distance it takes to bring the
// engine down to manoeuvring revolutions at the voyage speed. The vessel knows
// them (CVessel::GetRunDown); whoever asks for ETAs passes them in.
struct CRunDown {
    double hours = 0.0;
    double distance = 0.0;
};

// The route of one voyage: departure first, destination last, the planned
// waypoints between and, interleaved in the order taken, the position fixes.
//
// Construction reads nothing: the departure and the destination stand at 0/0
// with the time 0, and the start and end times are 0, until the owner starts
// the voyage (the document does so at the present position and time) or loads it.
class CVoyage {
public:
    CVoyage();
    CVoyage(const CVoyage&) = delete;
    CVoyage& operator=(const CVoyage&) = delete;

    CPosition* GetFirst() const { return m_route.front().get(); }
    CPosition* GetLast() const { return m_route.back().get(); }
    int GetCount() const { return static_cast<int>(m_route.size()); }
    // The position at the index; the destination for an index outside the route.
    CPosition* GetAt(int index) const;
    // Index of the position in the route, or -1.
    int IndexOf(const CPosition* position) const;
    int GetNextIndex() const;
    CPosition* GetLastFix() const;
    CPosition* GetNextWaypoint(const CPosition& present);
    CPosition* GetStoredNextWaypoint() const { return m_nextWaypoint; }
    void SetNextWaypoint(CPosition* position);
    bool IsManualSelection() const { return m_manualSelection != 0; }

    // New positions are named "New Position" and carry the time their maker gives,
    // the present time (the route reads no clock). A fix is made where it was
    // taken; a new waypoint stands where `at` stands (the present position) until
    // the user moves it. InsertWaypointAfter gives null for a position not in the route.
    CPosition* InsertFix(double latitude, double longitude, CTime time);
    CPosition* AddWaypoint(const CPosition& at, CTime time);
    CPosition* InsertWaypointAfter(const CPosition* position, const CPosition& at, CTime time);
    // False (nothing removed) when there is no such position, or when the route
    // would be left without a departure and a destination.
    bool RemoveAt(int index);
    void WipeFixes();
    // A new plan: the given waypoints (at least two, the departure first and the
    // destination last) replace every planned waypoint. The fixes taken so far are
    // the track already made good; in their order, each stands on the new leg
    // it lies nearest to, so the ship goes on to the end of the leg it sails.
    // The next waypoint is chosen afresh. False, changing nothing, for fewer than
    // two waypoints.
    bool ReplaceWaypoints(std::vector<std::unique_ptr<CPosition>> waypoints);

    // The destination's ETA includes the run-down when the reduce switch is on;
    // the remaining distance always counts the full last leg.
    double UpdateETAs(CPosition& present, const CRunDown& runDown);
    double UpdateLegs();
    double RouteDistance(const CPosition* from, const CPosition* to) const;
    double HoursSinceDeparture(const CPosition& position) const;
    double HoursToArrival(const CPosition& position) const;

    void SetSpeed(double speed) { m_speed = speed; }
    double GetSpeed() const { return m_speed; }
    void SetTexts(const std::string& description, const std::string& service, const std::string& voyageNumber);
    const std::string& GetDescription() const { return m_description; }
    const std::string& GetService() const { return m_service; }
    const std::string& GetVoyageNumber() const { return m_voyageNumber; }
    CTime GetStartTime() const { return m_startTime; }
    void SetStartTime(CTime t) { m_startTime = t; }
    CTime GetEndTime() const { return m_endTime; }
    void SetEndTime(CTime t) { m_endTime = t; }
    double GetRemainingDistance() const { return m_remainingDistance; }
    double GetTotalDistance() const { return m_totalDistance; }
    // The route's copy of the option "navreduce" (1 = include the run-down in the
    // destination's ETA). The route's copy is read once per voyage, when the
    // document starts or loads it; the document's own figures (RequiredSpeed,
    // ETAAtSpeed) read the store at each call. The options "navselectwp" and
    // "navchangecourse" are not consulted: the passing test always moves the next
    // waypoint on, and the course is never changed without the officer.
    std::int32_t GetReduceSetting() const { return m_reduceSetting; }
    void SetReduceSetting(std::int32_t v) { m_reduceSetting = v; }
    // A copy of "navselectwp": with it on, a next waypoint chosen by
    // SelectNextAhead gives way to the following one once the ship is past it.
    void SetSelectSetting(std::int32_t v) { m_selectSetting = v; }
    // After a load or a wipe, when the fixes say little of where the ship has
    // been: the first waypoint from the automatic candidate on that the ship has
    // not sailed past (measured square to its leg, not by her heading), kept as
    // the next waypoint until she passes it or a fix is taken.
    CPosition* SelectNextAhead(const CPosition& present);

    // Stores or loads the route. A load replaces the route only when the whole
    // record was read and holds a departure and a destination.
    void Serialize(CArchive& ar);
    // Takes over the stored fields and the route of a voyage that was just loaded
    // (the reduce switch and the speed stay this voyage's own); the other is left empty-handed.
    void AdoptLoaded(CVoyage& loaded);

private:
    CPosition* NewPosition(std::size_t index, double latitude, double longitude, CTime time);

    // The first position from index i on that is not a fix (the last when none).
    std::size_t NextNotFix(std::size_t i) const;
    void WalkPastSailed(const CPosition& present);

    // How the next waypoint is chosen: by the route walk from the last fix, by
    // the user (held), or by the document after a load or wipe (held until passed).
    enum : std::int32_t { kAutomatic = 0, kPinned = 1, kKeptUntilPassed = 2 };

    std::int32_t m_reduceSetting = 1;
    std::int32_t m_selectSetting = 1;
    std::int32_t m_manualSelection = 0;
    CPosition* m_nextWaypoint = nullptr;
    double m_speed = 17.0;
    CTime m_startTime;
    CTime m_endTime;
    double m_remainingDistance = 0.0;
    double m_totalDistance = 0.0;
    std::vector<std::unique_ptr<CPosition>> m_route;
    std::string m_description;
    std::string m_service;
    std::string m_voyageNumber;
};
