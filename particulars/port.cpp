#include "particulars/port.h"

#include <utility>

#include "core/archive.h"
#include "core/record_file.h"
#include "particulars/vessel.h"
#include "reports/report.h"
#include "platform/services.h"

namespace {

FileChoiceRequest PortFileRequest() {
    return FileChoiceRequest{CPort::kFileFilter, CPort::kFileExtension, CPort::kFileName, {}};
}

} // namespace

std::string CPort::GetLadderSideText() const { return m_ladderSide == kLadderStarboard ? "Starboard" : "Port"; }

std::string CPort::GetCallUnitText() const { return m_callUnit == kCallMiles ? "nM" : "hrs"; }

CArrivalDraft CPort::GetArrivalDraft(const CVessel& vessel, std::int32_t salinity) const {
    const double factor = salinity > 0 ? static_cast<double>(kSeaWaterDensity) / salinity : 1.0;
    CArrivalDraft d;
    d.forward = vessel.m_draftForward * factor;
    d.aft = vessel.m_draftAft * factor;
    d.airDraft = vessel.m_mastHeight - (d.forward + d.aft) / 2.0;
    d.draftClearance = m_maximumDraft - d.aft;
    d.airDraftClearance = m_maximumAirDraft - d.airDraft;
    return d;
}

std::string CPort::GetStandardReport() { return services::GetString(kStandardReportSetting, ""); }

bool CPort::IsReportFile(const std::string& path) {
    CReport report;
    std::string error;
    if (LoadRecordFile(path, report, error) == LoadResult::Loaded) return true;
    services::Prompts().Show("This is not a report file:\n" + error, PromptIcon::Warning);
    return false;
}

bool CPort::SetStandardReport(const std::string& path) {
    ISettingsStore& store = services::Settings();
    if (store.SetString(kSettingsSection, kStandardReportSetting, path)) return true;
    services::Prompts().Show("The standard report could not be remembered:\n" + store.LastError(), PromptIcon::Warning);
    return false;
}

void CPort::SetAgentContact(const std::string& name, const std::string& eMail, const std::string& phone,
                            const std::string& fax, const std::string& notes) {
    m_agent.m_name = name;
    m_agent.m_eMail = eMail;
    m_agent.SetNumbers(phone, fax, kAgentRadioChannel);
    m_agent.m_notes = notes;
}

void CPort::Serialize(CArchive& ar) {
    ar.Double("maximumAirDraft", m_maximumAirDraft);
    ar.Double("maximumDraft", m_maximumDraft);
    ar.Long("portControlCallHours", m_portControlCallHours);
    ar.Long("salinity", m_salinity);
    ar.Time("etb", m_etb);
    ar.Time("etc", m_etc);
    ar.Time("etd", m_etd);
    ar.Long("ladderSide", m_ladderSide);
    ar.Long("callUnit", m_callUnit);
    ar.Double("ladderHeight", m_ladderHeight);
    ar.Double("callAhead", m_callAhead);
    ar.BeginObject("agent");
    m_agent.Serialize(ar);
    ar.EndObject();
    ar.BeginObject("pilot");
    m_pilot.Serialize(ar);
    ar.EndObject();
    ar.BeginObject("portControl");
    m_portControl.Serialize(ar);
    ar.EndObject();
}

bool CPort::ExportTo(const std::string& path) {
    std::string error;
    if (SaveRecordFile(path, *this, error)) return true;
    services::Prompts().Show(error, PromptIcon::Warning);
    return false;
}

bool CPort::ImportFrom(const std::string& path) {
    CPort fresh;
    std::string error;
    if (LoadRecordFile(path, fresh, error) != LoadResult::Loaded) {
        services::Prompts().Show(error, PromptIcon::Warning);
        return false;
    }
    *this = std::move(fresh);
    return true;
}

bool CPort::ExportPort() {
    const auto path = services::Files().ChooseSave(PortFileRequest());
    return path && ExportTo(*path);
}

bool CPort::ImportPort() {
    const auto path = services::Files().ChooseOpen(PortFileRequest());
    return path && ImportFrom(*path);
}
