#pragma once

#include <optional>
#include <string>

#include "astro/almanac.h"
#include "core/position.h"
#include "core/time.h"
#include "core/voyage.h"
#include "particulars/port.h"
#include "particulars/vessel.h"
#include "reports/report.h"
#include "weather/hurricane_list.h"
#include "weather/meteo_obs.h"

class CArchive;

// The five records of a voyage file, in file order, on their own: what a voyage
// file holds without the document around it. Loads read into one of these first,
// so that a failed load changes nothing.
struct CVoyageFile {
    CPosition present;
    CPort port;
    CVoyage voyage;
    CPosition popular;
    CMeteoObs meteo;
    void Serialize(CArchive& ar);
};

// The voyage document: everything the watch works on for one voyage.
// The voyage file holds the present position, the port, the route, the popular
// position and the meteo observation; the vessel, the cyclones and the almanac
// travel in files of their own, loaded and saved alongside.
class CKeelmarkLiteDoc {
public:
    // The choice offered after every load of a voyage file.
    enum AfterLoading { kContinue = 0, kResetToDeparture = 1, kResetAndWipe = 2 };
    static const char* const kAfterLoadingCaption;
    static const char* const kAfterLoadingOptions[3];

    CKeelmarkLiteDoc() = default;
    CKeelmarkLiteDoc(const CKeelmarkLiteDoc&) = delete;
    CKeelmarkLiteDoc& operator=(const CKeelmarkLiteDoc&) = delete;

    CPosition& GetPresentPosition() { return m_presentPosition; }
    CPosition& GetPopularPosition() { return m_popularPosition; }
    CVoyage& GetVoyage() { return m_voyage; }
    CVessel& GetVessel() { return m_vessel; }
    CPort& GetPort() { return m_port; }
    CMeteoObs& GetMeteoObs() { return m_meteoObs; }
    CHurricaneList& GetCyclones() { return m_cyclones; }
    CReport& GetReport() { return m_report; }
    CAlmanac& GetAlmanac() { return m_almanac; }
    CPosition* GetReferencePosition() const { return m_referencePosition; }
    void SetReferencePosition(CPosition* position) { m_referencePosition = position; }

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    const std::string& GetPathName() const { return m_pathName; }
    void SetPathName(const std::string& path) { m_pathName = path; }
    // Names this voyage as the one to open at the next start ("datafile"): its
    // path, "" for a voyage never saved. The frame calls it when it lets go of the
    // document; the document itself writes no setting when it goes.
    void RecordAsLastVoyage() const;

    CPosition* GetLastFix() const { return m_voyage.GetLastFix(); }
    CPosition* GetNextWaypoint() { return m_voyage.GetNextWaypoint(m_presentPosition); }
    double DistanceToNext();
    double BearingToNext();
    void UpdateDeadReckoning();
    double UpdateVoyage();
    // Knots needed to arrive on schedule; 0.0 when no time is left (hours exactly 0).
    double RequiredSpeed();
    double RequiredRpm(double speed) const;
    // Arrival at the destination at the given speed, as the destination's zone time
    // (format it in UTC). Nothing when the speed is 0 or less: the ship never arrives.
    std::optional<CTime> ETAAtSpeed(double speed);
    double HoursToScheduledArrival();
    // Whole hours to go at the present speed; nothing at a speed of 0.
    std::optional<long> HoursToGo();
    double DaysSinceStart() const;

    void AddPositionFix(const std::string& name, CTime time, double latitude, double longitude);

    // A new, untitled voyage: loads the side files and starts the voyage at the
    // present time, the ship, the departure and the destination all at the present
    // position (0/0 on a fresh document: a new voyage has no place of its own yet).
    bool OnNewDocument();

    // The five records of the voyage file, in file order.
    void SerializeRecords(CArchive& ar);

    // Stores the voyage file, then the vessel and cyclone files beside it (their
    // failures are reported by them and do not fail the voyage save). On failure
    // the message says which file and why; the previous file is intact.
    bool SaveVoyageFile(const std::string& path, std::string& error);
    // Loads a voyage file whole or not at all, then the side files, then asks how to
    // go on ("After loading route..."). On failure the document is as it was.
    // `ask`: whether to put the "After loading route..." choice (a voyage just
    // made for the first start has nothing to reset).
    bool LoadVoyageFile(const std::string& path, std::string& error, bool ask = true);

private:
    void Adopt(CVoyageFile& loaded);
    void LoadSideFiles();
    void HandOverToReport();
    CRunDown RunDown() const { return m_vessel.GetRunDown(m_voyage.GetSpeed()); }

    CPosition* m_referencePosition = nullptr;
    CMeteoObs m_meteoObs;
    CHurricaneList m_cyclones;
    CReport m_report;
    CPosition m_popularPosition;
    CAlmanac m_almanac;
    CVoyage m_voyage;
    CPort m_port;
    CVessel m_vessel;
    CPosition m_presentPosition;

    bool m_modified = false;
    std::string m_pathName;
};
