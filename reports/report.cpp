#include "reports/report.h"

#include <limits>

#include "astro/local_times.h"
#include "core/archive.h"
#include "core/conversion.h"
#include "core/position.h"
#include "core/record_file.h"
#include "core/voyage.h"
#include "particulars/vessel.h"
#include "platform/services.h"

namespace {

constexpr const char* kEtaFormat = "%A %d %b %H:%M";

const char* const kItemCodeTexts[CReport::kItemCodeCount] = {
    "NIL (no data)",
    "Callsign",
    "IMO number",
    "latitude (degrees : minutes North/South)",
    "longitude (degrees : minutes East/West)",
    "present true speed (kts)",
    "present true course (degrees)",
    "remaining distance to destination (nM)",
    "ETA at destination (date time UTC)",
    "Present engine revolutions (rpm)",
    "Required speed to arrive at ETA (kts)",
    "Required engine revolutions to arrive at ETA (rpm)",
    "present latitude (AMVER style)",
    "present longitude (AMVER style)",
    "distance and direction from popular position",
    "ships name",
    "distance travelled since last report (nM)",
    "speed made good since last report (kts)",
    "sunrise (UTC)",
    "sunset (UTC)",
    "suns meridian passage (UTC)",
};

} // namespace

std::string CReport::ItemCodeText(int code) {
    if (code < 0 || code >= kItemCodeCount) return {};
    return kItemCodeTexts[code];
}

CReport::CReport() {
    m_sunTimes = [](const CPosition& at, double& rise, double& transit, double& set) {
        const BodyTimes sun = SunTimes(at);
        rise = sun.rise;
        transit = sun.transit;
        set = sun.set;
    };
    m_lines = {
        {"Ship's name:   ", kShipsName},        {"Latitude:   ", kLatitude},
        {"Longitude:  ", kLongitude},           {"Present speed:   ", kPresentSpeed},
        {"Present course:   ", kPresentCourse}, {"Remaining distance:   ", kRemainingDistance},
    };
}

void CReport::SetReferences(CPosition* popular, CVoyage* voyage, CPosition* present, CVessel* vessel) {
    m_popular = popular;
    m_voyage = voyage;
    m_present = present;
    m_vessel = vessel;
}

void CReport::SetWorkingSet(CPosition* popular, CVoyage* voyage, CPosition* present, CVessel* vessel, CTime endTime,
                            CTime now, double remainingDistance) {
    SetReferences(popular, voyage, present, vessel);
    m_endTime = endTime;
    // A new voyage counts as just reported: distance and speed since then start from here.
    m_timeOfLastReport = now;
    m_remainingDistanceAtLastReport = remainingDistance;
}

void CReport::SetPreparedFigures(double remainingDistance, double requiredSpeed, double requiredRevolutions) {
    m_remainingDistance = remainingDistance;
    m_requiredSpeed = requiredSpeed;
    m_requiredRevolutions = requiredRevolutions;
}

// ---- lines -----------------------------------------------------------------

CRunDown CReport::RunDown() const {
    return m_vessel && m_voyage ? m_vessel->GetRunDown(m_voyage->GetSpeed()) : CRunDown{};
}

std::string CReport::ValueText(std::int32_t code) const {
    // A value whose record has not been handed over is left out rather than guessed.
    switch (code) {
    case kNil:
        return " ";
    case kCallSign:
        return m_vessel ? m_vessel->m_callSign : "";
    case kImoNumber:
        return m_vessel ? m_vessel->m_internationalNumber : "";
    case kLatitude:
        return m_present ? m_present->GetLatitudeText() : "";
    case kLongitude:
        return m_present ? m_present->GetLongitudeText() : "";
    case kPresentSpeed:
        return m_present ? CConversion::FixedText(m_present->GetSpeed()) : "";
    case kPresentCourse:
        return m_present ? CConversion::FixedText(m_present->GetCourse()) : "";
    case kRemainingDistance:
        return m_voyage && m_present ? CConversion::FixedText(m_voyage->UpdateETAs(*m_present, RunDown())) : "";
    case kEtaAtDestination: {
        // As the dashboard shows it: at the present speed, in the destination's zone time.
        const std::optional<CTime> eta = m_eta ? m_eta() : std::nullopt;
        return eta ? eta->FormatUtc(kEtaFormat) + " LT" : "";
    }
    case kPresentRevolutions:
        return m_vessel ? CConversion::FixedText(m_vessel->m_engineSetting) : "";
    case kRequiredSpeed:
        return CConversion::FixedText(m_requiredSpeed);
    case kRequiredRevolutions:
        return CConversion::FixedText(m_requiredRevolutions);
    case kAmverLatitude:
        return m_present ? CConversion::FixedText(CConversion::Truncate(m_present->GetLatitude(), 2)) : "";
    case kAmverLongitude:
        return m_present ? CConversion::FixedText(CConversion::Truncate(m_present->GetLongitude(), 2)) : "";
    case kFromPopularPosition:
        return m_popular && m_present ? m_popular->GetRelativeText(m_present->GetLatitude(), m_present->GetLongitude())
                                      : "";
    case kShipsName:
        return m_vessel ? m_vessel->m_name : "";
    case kDistanceSinceLastReport:
        // No report made yet (a voyage opened from its file): nothing to count from.
        if (m_timeOfLastReport == CTime()) return kNoSpeedText;
        return CConversion::FixedText(m_remainingDistanceAtLastReport - m_remainingDistance);
    case kSpeedSinceLastReport: {
        if (m_timeOfLastReport == CTime()) return kNoSpeedText;
        const double distance = m_remainingDistanceAtLastReport - m_remainingDistance;
        const double hours =
            (CConversion::DayNumber(services::Now()) - CConversion::DayNumber(m_timeOfLastReport)) * 24.0;
        // Within the second of the last report (or with the clock set back) there
        // is no speed: say so rather than divide by nothing.
        return hours > 0.0 ? CConversion::FixedText(distance / hours) : kNoSpeedText;
    }
    case kSunrise:
    case kSunset:
    case kMeridianPassage: {
        if (!m_present || !m_sunTimes) return "";
        double rise = 0.0, transit = 0.0, set = 0.0;
        m_sunTimes(*m_present, rise, transit, set);
        const double hours = code == kSunrise ? rise : code == kSunset ? set : transit;
        return CConversion::DegMinText(hours) + " UTC";
    }
    default:
        return "";
    }
}

std::string CReport::GetLineText(int index) const {
    if (index < 0 || index >= GetLineCount()) return "Ongeldig";
    const ReportLine& line = m_lines[static_cast<std::size_t>(index)];
    return line.label + ValueText(line.code);
}

void CReport::AddLine(const std::string& label, std::int32_t code) { m_lines.push_back({label, code}); }

bool CReport::ReplaceLine(int index, const std::string& label, std::int32_t code) {
    if (index < 0 || index >= GetLineCount()) return false;
    m_lines[static_cast<std::size_t>(index)] = {label, code};
    return true;
}

bool CReport::DeleteLine(int index) {
    if (index < 0 || index >= GetLineCount()) return false;
    m_lines.erase(m_lines.begin() + index);
    return true;
}

bool CReport::GetLine(int index, std::string& label, std::int32_t& code) const {
    if (index < 0 || index >= GetLineCount()) return false;
    label = m_lines[static_cast<std::size_t>(index)].label;
    code = m_lines[static_cast<std::size_t>(index)].code;
    return true;
}

// ---- file ------------------------------------------------------------------

void CReport::Serialize(CArchive& ar) {
    // The file keeps the line count ahead of the header; other archives keep
    // the lines as a list in its own place after the last-report values.
    if (ar.IsStoring()) {
        if (m_lines.size() > std::numeric_limits<std::uint32_t>::max())
            throw CArchiveException("Too many report lines to be stored");
        std::uint32_t count = static_cast<std::uint32_t>(m_lines.size());
        if (ar.IsBinary()) ar.Dword("lineCount", count);
        ar.String("header", m_header);
        ar.String("footer", m_footer);
        ar.Double("remainingDistanceAtLastReport", m_remainingDistanceAtLastReport);
        ar.Time("timeOfLastReport", m_timeOfLastReport);
        if (ar.IsBinary()) {
            for (auto& line : m_lines) {
                ar.Long("code", line.code);
                ar.String("label", line.label);
            }
        } else {
            ar.BeginList("lines", m_lines.size(), CountType::Dword, kStoredLineSizeWithoutLabel);
            for (auto& line : m_lines) {
                ar.BeginItem();
                ar.Long("code", line.code);
                ar.String("label", line.label);
                ar.EndItem();
            }
            ar.EndList();
        }
        return;
    }

    // Read aside; the record changes only when all of it was read.
    std::uint32_t count = 0;
    std::string header, footer;
    double remainingAtLast = 0.0;
    CTime timeOfLast;
    std::vector<ReportLine> lines;
    if (ar.IsBinary()) ar.Dword("lineCount", count);
    ar.String("header", header);
    ar.String("footer", footer);
    ar.Double("remainingDistanceAtLastReport", remainingAtLast);
    ar.Time("timeOfLastReport", timeOfLast);
    if (ar.IsBinary()) {
        // A count the rest of the file cannot hold is refused before anything is allocated.
        if (auto* reader = dynamic_cast<CBinaryReader*>(&ar);
            reader && count > reader->Remaining() / kStoredLineSizeWithoutLabel)
            reader->Fail("The file announces " + std::to_string(count) + " report lines but holds only " +
                         std::to_string(reader->Remaining()) + " more bytes");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::string item = "lines[" + std::to_string(i) + "]";
            ReportLine line;
            ar.BeginObject(item.c_str());
            ar.Long("code", line.code);
            ar.String("label", line.label);
            ar.EndObject();
            lines.push_back(std::move(line));
        }
    } else {
        const std::size_t n = ar.BeginList("lines", 0, CountType::Dword, kStoredLineSizeWithoutLabel);
        lines.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            ReportLine line;
            ar.BeginItem();
            ar.Long("code", line.code);
            ar.String("label", line.label);
            ar.EndItem();
            lines.push_back(std::move(line));
        }
        ar.EndList();
    }
    m_header = std::move(header);
    m_footer = std::move(footer);
    m_remainingDistanceAtLastReport = remainingAtLast;
    m_timeOfLastReport = timeOfLast;
    m_lines.swap(lines);
}

bool CReport::LoadFile(const std::string& path) {
    CReport fresh;
    std::string error;
    if (LoadRecordFile(path, fresh, error) != LoadResult::Loaded) {
        services::Prompts().Show(error, PromptIcon::Warning, PromptButtons::Ok);
        return false;
    }
    // Only what the file holds; the references, flags and prepared figures stay.
    m_header = std::move(fresh.m_header);
    m_footer = std::move(fresh.m_footer);
    m_remainingDistanceAtLastReport = fresh.m_remainingDistanceAtLastReport;
    m_timeOfLastReport = fresh.m_timeOfLastReport;
    m_lines = std::move(fresh.m_lines);
    return true;
}

bool CReport::SaveFile(const std::string& path) {
    std::string error;
    if (SaveRecordFile(path, *this, error)) return true;
    services::Prompts().Show(error, PromptIcon::Warning, PromptButtons::Ok);
    return false;
}
