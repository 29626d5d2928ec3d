#pragma once

#include <cstdint>
#include <string>

#include "core/time.h"
#include "lists/address.h"

class CArchive;
class CVessel;

// The arrival figures the port's Draft page shows: the vessel's present drafts
// (taken in sea water) corrected for the density of the water at the berth,
// and the clearances under the port's restrictions.
struct CArrivalDraft {
    double forward = 0.0;
    double aft = 0.0;
    double airDraft = 0.0;
    double draftClearance = 0.0;
    double airDraftClearance = 0.0;
};

// What the bridge needs to know about the port of destination: schedule at the
// berth, draft restrictions, water at the berth, pilot arrangements, and the
// agent, pilot service and port control.
class CPort {
public:
    // Indices into the sorted lists of the pilot page.
    enum LadderSide : std::int32_t { kLadderPort = 0, kLadderStarboard = 1 };
    enum CallUnit : std::int32_t { kCallHours = 0, kCallMiles = 1 };

    static constexpr const char* kFileFilter = "Port Files (*.k7p)|*.k7p|All Files (*.*)|*.*||";
    static constexpr const char* kFileExtension = "k7p";
    static constexpr const char* kFileName = "Destination";
    // The report file to port control, kept in the settings (not in the port file).
    static constexpr const char* kStandardReportSetting = "portreport";
    static constexpr const char* kReportFilter = "Report Files (*.k7r)|*.k7r|All Files (*.*)|*.*||";
    static constexpr const char* kReportExtension = "k7r";
    // Density of the sea water the present drafts are read in, kg per cubic metre.
    static constexpr std::int32_t kSeaWaterDensity = 1025;
    // The agent is always reached on the calling channel.
    static constexpr const char* kAgentRadioChannel = "16";

    std::int32_t m_ladderSide = kLadderPort;
    std::int32_t m_callUnit = kCallHours;
    double m_ladderHeight = 1.0; // metres above the water
    double m_callAhead = 3.0;    // hours or miles before the pilot station, by m_callUnit
    CAddress m_portControl;
    CAddress m_pilot;
    CAddress m_agent;
    // Expected departure, completion and berthing; all UTC. A new port reads no
    // clock: the document stamps them with the time a new voyage is made.
    CTime m_etd;
    CTime m_etc;
    CTime m_etb;
    double m_maximumAirDraft = 75.0;
    double m_maximumDraft = 25.0;
    std::int32_t m_salinity = 1025; // kg per cubic metre at the berth
    std::int32_t m_portControlCallHours = 2;

    // "Starboard" for side 1, "Port" otherwise.
    std::string GetLadderSideText() const;
    // "nM" for unit 1, "hrs" otherwise.
    std::string GetCallUnitText() const;

    // Box-shaped hull: draft on arrival = present draft x 1025 / salinity; the
    // air draft from the mast height over the mean arrival draft. A salinity of
    // 0 or less (no water at all) leaves the drafts as they are.
    CArrivalDraft GetArrivalDraft(const CVessel& vessel) const { return GetArrivalDraft(vessel, m_salinity); }
    CArrivalDraft GetArrivalDraft(const CVessel& vessel, std::int32_t salinity) const;

    // The standard report to port control: the path in the settings, empty
    // when none was chosen. Choosing one checks that it is a report file; a file
    // that is not is refused with a message, and false.
    static std::string GetStandardReport();
    static bool IsReportFile(const std::string& path);
    static bool SetStandardReport(const std::string& path);

    // The agent's contact details as the Agent page confirms them; the radio
    // channel becomes the calling channel whatever it held.
    void SetAgentContact(const std::string& name, const std::string& eMail, const std::string& phone,
                         const std::string& fax, const std::string& notes);

    // The stored fields in file order, the agent, pilot and port control last.
    void Serialize(CArchive& ar);

    // Writes the port to, or reads it from, a port file; a failure is reported
    // naming the file and the fault, and changes nothing.
    bool ExportTo(const std::string& path);
    bool ImportFrom(const std::string& path);
    // The same, with the file chosen by the user; false when cancelled.
    bool ExportPort();
    bool ImportPort();

    bool operator==(const CPort&) const = default;
};
