#pragma once

#include <cstdint>
#include <string>

#include "core/time.h"
#include "lists/address.h"

class CArchive;
class CVessel;

// The arrival figures the port's Draft page shows: the vessel's present drafts
// as they stand (no correction for the water at the berth) and the clearances
// under the port's restrictions.
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

    CArrivalDraft GetArrivalDraft(const CVessel& vessel) const;

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
