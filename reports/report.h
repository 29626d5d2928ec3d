#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/time.h"
#include "core/voyage.h"

class CArchive;
class CPosition;
class CVessel;
class CVoyage;

// One line of a report: its label, then the value its item code names.
struct ReportLine {
    std::string label;
    std::int32_t code = 0;

    bool operator==(const ReportLine&) const = default;
};

// A user-defined position report: header, lines whose values the system fills
// in, footer. Kept in a report file (.k7r); one lives in the voyage document.
class CReport {
public:
    // Item codes; the line dialog lists them in this order.
    enum ItemCode : std::int32_t {
        kNil = 0,
        kCallSign = 1,
        kImoNumber = 2,
        kLatitude = 3,
        kLongitude = 4,
        kPresentSpeed = 5,
        kPresentCourse = 6,
        kRemainingDistance = 7,
        kEtaAtDestination = 8,
        kPresentRevolutions = 9,
        kRequiredSpeed = 10,
        kRequiredRevolutions = 11,
        kAmverLatitude = 12,
        kAmverLongitude = 13,
        kFromPopularPosition = 14,
        kShipsName = 15,
        kDistanceSinceLastReport = 16,
        kSpeedSinceLastReport = 17,
        kSunrise = 18,
        kSunset = 19,
        kMeridianPassage = 20,
    };
    static constexpr int kItemCodeCount = 21;
    // The text of the item code in the line dialog's list; empty for no such code.
    static std::string ItemCodeText(int code);

    // The Sun's rise, meridian passage and set, UTC hours, for a position and
    // its time. A default Sun serves unless a test puts another source.
    using SunTimesSource =
        std::function<void(const CPosition& at, double& riseHours, double& transitHours, double& setHours)>;
    // The arrival at the destination at the present speed, as the destination's
    // zone time (formatted in UTC); nothing when the ship does not get there.
    // The document supplies it; without it the ETA line shows its label only.
    using EtaSource = std::function<std::optional<CTime>()>;
    // What the lines since the last report show when there is none to count
    // from (no report made yet) or, for the speed, no time has passed since.
    static constexpr const char* kNoSpeedText = "--";

    // Six default lines; no report made yet (time 0, 0 nM before). The document
    // hands over the time a new voyage is made (SetWorkingSet).
    CReport();

    // The hand-over when a voyage is created: the document's records (not
    // owned), the voyage's scheduled end, and the present time and remaining
    // distance, which become the values of the last report.
    void SetWorkingSet(CPosition* popular, CVoyage* voyage, CPosition* present, CVessel* vessel, CTime endTime,
                       CTime now, double remainingDistance);
    // The hand-over before the report is edited or sent.
    void SetReferences(CPosition* popular, CVoyage* voyage, CPosition* present, CVessel* vessel);
    void SetPreparedFigures(double remainingDistance, double requiredSpeed, double requiredRevolutions);
    void SetSunTimesSource(SunTimesSource source) { m_sunTimes = std::move(source); }
    void SetEtaSource(EtaSource source) { m_eta = std::move(source); }

    // The generated text of a line: its label followed by its value;
    // "Ongeldig" for a line number outside the list. The remaining-distance and
    // ETA lines bring the voyage's ETAs up to date first, as a refresh does.
    std::string GetLineText(int index) const;
    int GetLineCount() const { return static_cast<int>(m_lines.size()); }
    const std::vector<ReportLine>& GetLines() const { return m_lines; }
    void AddLine(const std::string& label, std::int32_t code);
    // False, and nothing changed, for a line number outside the list.
    bool ReplaceLine(int index, const std::string& label, std::int32_t code);
    bool DeleteLine(int index);
    bool GetLine(int index, std::string& label, std::int32_t& code) const;

    const std::string& GetHeader() const { return m_header; }
    void SetHeader(const std::string& v) { m_header = v; }
    const std::string& GetFooter() const { return m_footer; }
    void SetFooter(const std::string& v) { m_footer = v; }
    const std::string& GetMessageAddress() const { return m_messageAddress; }
    void SetMessageAddress(const std::string& v) { m_messageAddress = v; }
    bool GetSendAsMessage() const { return m_sendAsMessage; }
    void SetSendAsMessage(bool v) { m_sendAsMessage = v; }
    bool GetPrint() const { return m_print; }
    void SetPrint(bool v) { m_print = v; }

    double GetRemainingDistance() const { return m_remainingDistance; }
    double GetRequiredSpeed() const { return m_requiredSpeed; }
    double GetRequiredRevolutions() const { return m_requiredRevolutions; }
    CTime GetEndTime() const { return m_endTime; }
    CTime GetTimeOfLastReport() const { return m_timeOfLastReport; }
    void SetTimeOfLastReport(CTime t) { m_timeOfLastReport = t; }
    double GetRemainingDistanceAtLastReport() const { return m_remainingDistanceAtLastReport; }
    void SetRemainingDistanceAtLastReport(double v) { m_remainingDistanceAtLastReport = v; }

    // Header, footer, last-report values and lines; a load replaces the lines.
    void Serialize(CArchive& ar);
    // Reads a report file over the stored fields; a fault is reported, nothing changes.
    bool LoadFile(const std::string& path);
    // Writes the report file atomically; a fault is reported and the old file kept.
    bool SaveFile(const std::string& path);

    // Stored size of a line with an empty label.
    static constexpr std::size_t kStoredLineSizeWithoutLabel = 4 + 1;

private:
    std::string ValueText(std::int32_t code) const;
    // The vessel's run-down at the voyage speed; none without a vessel.
    CRunDown RunDown() const;

    double m_remainingDistance = 0.0;
    double m_requiredRevolutions = 0.0;
    double m_requiredSpeed = 0.0;
    CTime m_timeOfLastReport;
    double m_remainingDistanceAtLastReport = 0.0;
    CTime m_endTime;
    CPosition* m_popular = nullptr;
    CVoyage* m_voyage = nullptr;
    CPosition* m_present = nullptr;
    CVessel* m_vessel = nullptr;
    SunTimesSource m_sunTimes;
    EtaSource m_eta;
    bool m_sendAsMessage = false;
    bool m_print = false;
    std::string m_messageAddress;
    std::vector<ReportLine> m_lines;
    std::string m_header = "Position Report by Keelmark Lite 1.0beta";
    std::string m_footer = "Created by Report-Generator";
};
