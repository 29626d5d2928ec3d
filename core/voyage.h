#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/position.h"
#include "core/time.h"

class CArchive;
class CVessel;

// The route of one voyage: departure first, destination last, the planned
// waypoints between and, interleaved in the order taken, the position fixes.
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

    CPosition* InsertFix();
    CPosition* AddWaypoint();
    CPosition* InsertWaypointAfter(const CPosition* position);
    // False (nothing removed) when there is no such position, or when the route
    // would be left without a departure and a destination.
    bool RemoveAt(int index);
    void WipeFixes();

    double UpdateETAs(CPosition& present);
    double UpdateLegs();
    double RouteDistance(const CPosition* from, const CPosition* to) const;
    double HoursSinceDeparture(const CPosition& position) const;
    double HoursToArrival(const CPosition& position) const;

    void SetVessel(const CVessel* vessel) { m_vessel = vessel; }
    const CVessel* GetVessel() const { return m_vessel; }
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
    std::int32_t GetReduceSetting() const { return m_reduceSetting; }
    void SetReduceSetting(std::int32_t v) { m_reduceSetting = v; }
    std::int32_t GetChangeCourseSetting() const { return m_changeCourseSetting; }
    std::int32_t GetSelectWaypointSetting() const { return m_selectWaypointSetting; }

    // Stores or loads the route. A load replaces the route only when the whole
    // record was read and holds a departure and a destination.
    void Serialize(CArchive& ar);
    // Takes over the stored fields and the route of a voyage that was just loaded
    // (settings, vessel and speed stay this voyage's own); the other is left empty-handed.
    void AdoptLoaded(CVoyage& loaded);

private:
    CPosition* NewPosition(std::size_t index);

    std::int32_t m_changeCourseSetting;
    std::int32_t m_selectWaypointSetting;
    std::int32_t m_reduceSetting;
    const CVessel* m_vessel = nullptr;
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
