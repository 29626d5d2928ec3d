#include "app/printouts.h"

#include <cmath>

#include "core/conversion.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"

namespace {

constexpr const char* kTimeFormat = "%A %d %b %H:%M";

// A figure, or "--" where there is none (no hours run yet, say): never "inf" or "nan".
std::string Fixed(double value) { return std::isfinite(value) ? CConversion::FixedText(value) : "--"; }

CFormText At(int x, std::string text, FormFont font = FormFont::Body) { return {x, 0, std::move(text), font}; }

// Header lines in the title font at x 200, from y -450, 100 apart.
std::vector<CFormText> HeaderLines(const std::string& title, const std::vector<std::string>& lines) {
    std::vector<CFormText> texts{FormTitle(title)};
    int y = -450;
    for (const std::string& line : lines) {
        texts.push_back({200, y, line, FormFont::Title});
        y -= 100;
    }
    return texts;
}

void ClosingLine(CFormWriter& writer) {
    writer.Line(4 * writer.BodyHeight(),
                {At(200, "Printed via Keelmark Lite at " + LocalTimeText(services::Now()) + " Local System Time")});
}

struct CColumn {
    int x;
    const char* head;
};

// A list form: header lines, the column heads 200 below the last of them, and
// the rows, the first two body heights below the heads.
CFormWriter ListWriter(const std::string& documentName, const std::string& title,
                       const std::vector<std::string>& header, const std::vector<CColumn>& columns, int pageHeight) {
    constexpr int kBody = 35;
    CFormWriter writer(documentName, kBody, pageHeight);
    std::vector<CFormText> texts = HeaderLines(title, header);
    const int headsY = texts.back().y - 200;
    for (const CColumn& c : columns)
        texts.push_back({c.x, headsY, c.head, FormFont::Body});
    writer.Head(FormFrame(), std::move(texts), headsY - kBody);
    return writer;
}

// The vessel and arrival sheets step one body height, a blank line before each group.
constexpr int kSheetBody = 60;
constexpr int kSheetStep = 60;

} // namespace

std::string LocalTimeText(CTime utc) {
    return (utc + services::Clock().LocalOffsetSeconds(utc)).FormatUtc(kTimeFormat);
}

CPrintForm NoonReportForm(CKeelmarkLiteDoc& doc) {
    constexpr int h = 70;
    CFormWriter writer("Noon report", h, 0);
    writer.Head(FormFrame(), {FormTitle("NOON REPORT")}, -650);
    CPosition& p = doc.GetPresentPosition();
    CVoyage& voyage = doc.GetVoyage();
    const double remaining = doc.UpdateVoyage();
    const double total = voyage.UpdateLegs();
    const double made = total - remaining;
    const double hoursRun = voyage.HoursSinceDeparture(p);
    const double requiredSpeed = doc.RequiredSpeed();

    writer.Line(0, {At(200, "Date and time:     " + LocalTimeText(p.GetTime()) + "  Local Time")});
    writer.Line(2 * h, {At(200, "Present Position:  " + p.GetLatitudeText() + "   " + p.GetLongitudeText())});
    writer.Line(h,
                {At(200, "Popular: " + doc.GetPopularPosition().GetRelativeText(p.GetLatitude(), p.GetLongitude()))});
    writer.Line(2 * h, {At(200, "Distance Remaining: "), At(1200, Fixed(remaining) + " nM")});
    writer.Line(h, {At(200, "Total Distance made:"), At(1200, Fixed(made) + " nM")});
    writer.Line(h, {At(200, "Total Distance:  "), At(1200, Fixed(total) + " nM")});
    // No average speed before any time has run.
    const double average = hoursRun > 0.0 ? made / hoursRun : NAN;
    writer.Line(2 * h, {At(200, "Total Hrs Run: "), At(1200, Fixed(hoursRun) + " Hrs  (" + Fixed(average) + " kts)")});
    writer.Line(h, {At(200, "Total Hrs Remaining:"), At(1200, Fixed(voyage.HoursToArrival(p)) + " Hrs")});
    writer.Line(2 * h, {At(200, "Present speed: "),
                        At(1200, Fixed(p.GetSpeed()) + " kts at " + Fixed(doc.GetVessel().m_engineSetting) + " rpm")});
    writer.Line(h, {At(200, "Required speed: "),
                    At(1200, Fixed(requiredSpeed) + " kts at " + Fixed(doc.RequiredRpm(requiredSpeed)) + " rpm")});
    return writer.Take();
}

CPrintForm WaypointListForm(CKeelmarkLiteDoc& doc, int pageHeight) {
    CVoyage& voyage = doc.GetVoyage();
    CFormWriter writer = ListWriter("Waypoint list", "WAYPOINT LIST",
                                    {"Route:  " + voyage.GetDescription(), "Service:  " + voyage.GetService(),
                                     "Vessel:  " + doc.GetVessel().m_name},
                                    {{200, "Name:"},
                                     {400, "Latitude"},
                                     {600, "Longitude"},
                                     {800, "Course"},
                                     {1000, "Distance"},
                                     {1200, "Proceed"},
                                     {1400, "ETA"}},
                                    pageHeight);
    const int h = writer.BodyHeight();
    const double total = voyage.UpdateLegs();
    for (int i = 0; i < voyage.GetCount(); ++i) {
        const CPosition& w = *voyage.GetAt(i);
        if (w.GetKind() != CPosition::kWaypoint) continue;
        double course = 0.0;
        const double distance = w.GetLeg(course);
        // A waypoint the route never timed (one sailed past before any ETA) has none to show.
        const std::string eta = w.GetETA() > 0.0
                                    ? CConversion::AddHours(CConversion::DayNumberToTime(w.GetETA()), w.GetZoneOffset())
                                              .FormatUtc(kTimeFormat) +
                                          " LT"
                                    : "";
        writer.Line(h, {At(200, w.GetName()), At(400, w.GetLatitudeText()), At(600, w.GetLongitudeText()),
                        At(800, Fixed(course)), At(1000, Fixed(distance)),
                        At(1200, w.GetProceedVia() == CPosition::kRhumbLine ? "Rhumbline" : "GreatCircle"),
                        At(1400, eta)});
    }
    writer.Line(2 * h, {At(200, "Total Distance " + Fixed(total) + " nM")});
    ClosingLine(writer);
    return writer.Take();
}

CPrintForm PositionFixesForm(CKeelmarkLiteDoc& doc, int pageHeight) {
    CVoyage& voyage = doc.GetVoyage();
    CFormWriter writer = ListWriter("Position fixes", "POSITION FIXES",
                                    {"Voyage:  " + voyage.GetVoyageNumber(), "Service:  " + voyage.GetService(),
                                     "Vessel:  " + doc.GetVessel().m_name},
                                    {{200, "Date (UTC):"},
                                     {400, "Latitude"},
                                     {600, "Longitude"},
                                     {800, "Course"},
                                     {1000, "Speed"},
                                     {1200, "Engine rpm"},
                                     {1400, "Av. Draft"}},
                                    pageHeight);
    const int h = writer.BodyHeight();
    voyage.UpdateLegs();
    for (int i = 0; i < voyage.GetCount(); ++i) {
        const CPosition& f = *voyage.GetAt(i);
        if (f.GetKind() != CPosition::kFix) continue;
        writer.Line(h, {At(200, f.GetTime().FormatUtc("%d %b %H:%M")), At(400, f.GetLatitudeText()),
                        At(600, f.GetLongitudeText()), At(800, Fixed(f.GetCourse())), At(1000, Fixed(f.GetSpeed())),
                        At(1200, Fixed(f.GetAverageEngineRpm())), At(1400, Fixed(f.GetAverageDraft()))});
    }
    ClosingLine(writer);
    return writer.Take();
}

CPrintForm VesselInformationForm(CKeelmarkLiteDoc& doc, int pageHeight) {
    const CVessel& v = doc.GetVessel();
    const CVoyage& voyage = doc.GetVoyage();
    CFormWriter writer("Vessel information", kSheetBody, pageHeight);
    std::vector<CFormText> head =
        HeaderLines("VESSEL INFO", {"Vessel:  " + v.m_name, "Voyage:  " + voyage.GetVoyageNumber(),
                                    "Service:  " + voyage.GetService()});
    const int cursor = head.back().y - 100;
    writer.Head(FormFrame(), std::move(head), cursor);
    const auto mtr = [](double value) { return Fixed(value) + " mtr"; };
    const auto mT = [](double value) { return Fixed(value) + " mT"; };
    const std::vector<std::pair<const char*, std::vector<std::string>>> groups = {
        {"General Data",
         {"Callsign: " + v.m_callSign, "Int. number: " + v.m_internationalNumber, "Home Port: " + v.m_portOfRegistry,
          "Launched: " + v.m_launching, "Master: " + v.m_master}},
        {"Draft and Airdraft",
         {"Draft Forward: " + mtr(v.m_draftForward), "Draft Aft:     " + mtr(v.m_draftAft),
          "Airdraft:      " + mtr(v.GetAirDraft()), "EyeHeight:     " + mtr(v.GetHeightOfEye())}},
        {"Stability Information",
         {"Present GM: " + mtr(v.m_presentGM), "Present displacement: " + mT(v.m_presentDisplacement),
          "Present deadweight: " + mT(v.GetPresentDeadweight())}},
        {"Tonnages",
         {"International Gross Tonnage " + Fixed(v.m_internationalGross),
          "International Nett Tonnage  " + Fixed(v.m_internationalNett), "Suez Gross Tonnage " + Fixed(v.m_suezGross),
          "Suez Nett Tonnage  " + Fixed(v.m_suezNett), "Panama Gross Tonnage " + Fixed(v.m_panamaGross),
          "Panama Nett Tonnage  " + Fixed(v.m_panamaNett)}},
        {"Dimensions ",
         {"Length over all " + mtr(v.m_lengthOverAll), "Length between pp " + mtr(v.m_lengthBetweenPerpendiculars),
          "Maximum breadth " + mtr(v.m_breadth), "Maximum allowed draft " + mtr(v.m_maximumDraft),
          "Displacement at max draft " + mT(v.m_summerDisplacement)}},
    };
    for (const auto& [heading, lines] : groups) {
        // The heading beside the group's first line, a blank step before it.
        writer.Line(2 * kSheetStep, {At(200, heading, FormFont::Heading), At(800, lines.front())});
        for (std::size_t i = 1; i < lines.size(); ++i)
            writer.Line(kSheetStep, {At(800, lines[i])});
    }
    ClosingLine(writer);
    return writer.Take();
}

CPrintForm ArrivalInformationForm(CKeelmarkLiteDoc& doc, int pageHeight) {
    const CPort& port = doc.GetPort();
    const CVoyage& voyage = doc.GetVoyage();
    CFormWriter writer("Arrival information", kSheetBody, pageHeight);
    std::vector<CFormText> head{FormTitle("ARRIVAL INFO"),
                                {200, -450, "Port: " + voyage.GetLast()->GetName(), FormFont::Title},
                                {200, -650, "Vessel:  " + doc.GetVessel().m_name, FormFont::Title},
                                {200, -750, "Voyage:  " + voyage.GetVoyageNumber(), FormFont::Title},
                                {200, -850, "Service:  " + voyage.GetService(), FormFont::Title},
                                {200, -1050, "Port Information", FormFont::Heading}};
    writer.Head(FormFrame(), std::move(head), -1050);
    const auto line = [&](std::vector<CFormText> texts) { writer.Line(kSheetStep, std::move(texts)); };
    const auto gap = [&](std::vector<CFormText> texts) { writer.Line(2 * kSheetStep, std::move(texts)); };
    const auto systemTime = [](CTime t) { return LocalTimeText(t) + " System Time"; };
    gap({At(200, "Scheduled ETA: " + systemTime(voyage.GetLast()->GetTime()))});
    line({At(200, "Scheduled ETD: " + systemTime(port.m_etd))});
    // A party's name and its first detail share a line; a name too long for
    // its column (about 25 characters at this height) has the line to itself.
    const auto party = [&](const std::string& name, std::vector<std::string> details) {
        std::size_t first = 0;
        if (name.size() <= 25) {
            gap({At(200, name), At(800, details[0])});
            first = 1;
        } else {
            gap({At(200, name)});
        }
        for (std::size_t i = first; i < details.size(); ++i)
            line({At(800, details[i])});
    };
    party("Agent: " + port.m_agent.m_name, {"Telephone: " + port.m_agent.m_phone, "E-mail: " + port.m_agent.m_eMail});
    party("Port Control: " + port.m_portControl.m_name,
          {"VHF Channel: " + port.m_portControl.m_radioChannel,
           "Call " + std::to_string(port.m_portControlCallHours) + " hours before arrival"});
    party("Pilot: " + port.m_pilot.m_name,
          {"VHF Channel: " + port.m_pilot.m_radioChannel,
           port.m_callUnit == CPort::kCallMiles ? "Call " + Fixed(port.m_callAhead) + " nM before pilotstation"
                                                : "Call " + Fixed(port.m_callAhead) + " hours before arrival",
           "Prepare pilotladder on " + port.GetLadderSideText(),
           "Prepare pilotladder " + Fixed(port.m_ladderHeight) + " mtr above water"});
    party("Salinity at berth: " + std::to_string(port.m_salinity),
          {"Maximum allowed draft: " + Fixed(port.m_maximumDraft) + " meters",
           "Maximum allowed airdraft: " + Fixed(port.m_maximumAirDraft) + " meters"});
    ClosingLine(writer);
    return writer.Take();
}

CPrintForm BuildPrintout(Printout which, CKeelmarkLiteDoc& doc, int pageHeight) {
    switch (which) {
    case Printout::WaypointList:
        return WaypointListForm(doc, pageHeight);
    case Printout::PositionFixes:
        return PositionFixesForm(doc, pageHeight);
    case Printout::VesselInformation:
        return VesselInformationForm(doc, pageHeight);
    case Printout::ArrivalInformation:
        return ArrivalInformationForm(doc, pageHeight);
    case Printout::NoonReport:
        break;
    }
    return NoonReportForm(doc);
}
