#include "document/keelmark_lite_doc.h"

#include <cmath>
#include <memory>
#include <vector>

#include "core/archive.h"
#include "core/conversion.h"
#include "core/record_file.h"
#include "platform/services.h"

namespace {

constexpr double kNewVoyageSpeed = 17.0;
constexpr double kPlausibleSpeed = 40.0;   // knots; a faster "speed made good" is a bad fix
constexpr double kPlausibleCurrent = 20.0; // knots; a stronger "current" is a bad fix
constexpr double kHoursToMinutes = 60.0;

} // namespace

void CVoyageFile::Serialize(CArchive& ar) {
    ar.BeginObject("presentPosition");
    present.Serialize(ar);
    ar.EndObject();
    ar.BeginObject("port");
    port.Serialize(ar);
    ar.EndObject();
    ar.BeginObject("voyage");
    voyage.Serialize(ar);
    ar.EndObject();
    ar.BeginObject("popularPosition");
    popular.Serialize(ar);
    ar.EndObject();
    ar.BeginObject("meteo");
    meteo.Serialize(ar);
    ar.EndObject();
}

const char* const CKeelmarkLiteDoc::kAfterLoadingCaption = "After loading route...";
const char* const CKeelmarkLiteDoc::kAfterLoadingOptions[3] = {
    "Continue from latest position fix", "Reset present position to departure port",
    "Reset to departure port and wipe route (delete all old position fixes)"};

void CKeelmarkLiteDoc::RecordAsLastVoyage() const {
    services::Settings().SetString(kSettingsSection, "datafile", m_pathName);
}

double CKeelmarkLiteDoc::DistanceToNext() {
    const CPosition* next = GetNextWaypoint();
    return m_presentPosition.DistanceTo(next->GetLatitude(), next->GetLongitude(), next->GetProceedVia());
}

double CKeelmarkLiteDoc::BearingToNext() {
    const CPosition* next = GetNextWaypoint();
    return m_presentPosition.CourseTo(next->GetLatitude(), next->GetLongitude(), next->GetProceedVia());
}

void CKeelmarkLiteDoc::UpdateDeadReckoning() {
    if (m_presentPosition.GetSpeed() != 0.0) m_presentPosition.DeadReckonTo(services::Now());
}

double CKeelmarkLiteDoc::UpdateVoyage() {
    m_voyage.SetSpeed(m_presentPosition.GetSpeed());
    return m_voyage.UpdateETAs(m_presentPosition, RunDown());
}

double CKeelmarkLiteDoc::RequiredSpeed() {
    double distance = m_voyage.UpdateETAs(m_presentPosition, RunDown());
    double hours = m_voyage.HoursToArrival(m_presentPosition);
    if (services::GetInt("navreduce", 1) == 1) {
        distance -= m_vessel.GetReductionDistance(m_presentPosition.GetSpeed());
        hours -= m_vessel.GetReductionTime();
    }
    if (hours == 0.0) return 0.0;
    const double speed = distance / hours;
    return std::isfinite(speed) ? speed : 0.0;
}

double CKeelmarkLiteDoc::RequiredRpm(double speed) const {
    const double present = m_presentPosition.GetSpeed();
    if (present == 0.0) return m_vessel.m_seaSpeedRpm;
    double rpm = m_vessel.m_engineSetting / present * speed;
    if (rpm > m_vessel.m_seaSpeedRpm) rpm = m_vessel.m_seaSpeedRpm;
    if (rpm < 0.0 || std::isnan(rpm)) rpm = 0.0;
    return rpm;
}

std::optional<CTime> CKeelmarkLiteDoc::ETAAtSpeed(double speed) {
    const double distance = UpdateVoyage();
    if (!(speed > 0.0)) return std::nullopt;
    double r = 0.0, t = 0.0;
    if (services::GetInt("navreduce", 1) == 1) {
        r = m_vessel.GetReductionDistance(speed);
        t = m_vessel.GetReductionTime();
    }
    // The clock's minutes field takes the run to the destination, then the
    // destination's zone offset, each cut to whole minutes.
    const CTime now = services::Now();
    const int minuteField = now.Utc().minute;
    const double minutes = std::trunc(minuteField + ((distance - r) / speed + t) * kHoursToMinutes);
    const double zoned = std::trunc(m_voyage.GetLast()->GetZoneOffset() * kHoursToMinutes + minutes);
    const double shift = (zoned - minuteField) * 60.0;
    if (!std::isfinite(shift) || std::fabs(shift) > 1.0e15) return std::nullopt;
    return now + static_cast<std::int64_t>(shift);
}

double CKeelmarkLiteDoc::HoursToScheduledArrival() {
    m_voyage.UpdateETAs(m_presentPosition, RunDown());
    return (CConversion::DayNumber(m_voyage.GetLast()->GetTime()) -
            CConversion::DayNumber(m_presentPosition.GetTime())) *
           24.0;
}

std::optional<long> CKeelmarkLiteDoc::HoursToGo() {
    const double distance = UpdateVoyage();
    const double speed = m_presentPosition.GetSpeed();
    if (speed == 0.0) return std::nullopt;
    const double hours = std::trunc(distance / speed);
    if (!std::isfinite(hours) || std::fabs(hours) > 1e15) return std::nullopt;
    return static_cast<long>(hours);
}

double CKeelmarkLiteDoc::DaysSinceStart() const {
    return CConversion::DayNumber(services::Now()) - CConversion::DayNumber(m_voyage.GetStartTime());
}

void CKeelmarkLiteDoc::AddPositionFix(const std::string& name, CTime time, double latitude, double longitude) {
    CPosition* last = GetLastFix();
    if (time > services::Now()) {
        services::Prompts().Show("Date and time can not be ahead of present time!", PromptIcon::Stop);
        return;
    }
    CPosition* fix = m_voyage.InsertFix(latitude, longitude, time);
    fix->SetName(name);
    fix->SetKind(CPosition::kFix);

    const double distance = last->DistanceTo(latitude, longitude, CPosition::kGreatCircle);
    const double course = last->CourseTo(latitude, longitude, CPosition::kGreatCircle);
    const double hours = (CConversion::DayNumber(time) - CConversion::DayNumber(last->GetTime())) * 24.0;
    fix->SetETA(CConversion::DayNumber(time));

    // The current is the way from where dead reckoning put the ship at the fix's
    // own time to where the fix puts her; the present position may be later.
    CPosition reckoned = m_presentPosition;
    reckoned.DeadReckonTo(time);
    const double currentDirection =
        reckoned.CourseTo(latitude, longitude, CPosition::kRhumbLine);
    const double currentDrift =
        reckoned.DistanceTo(latitude, longitude, CPosition::kRhumbLine);

    m_presentPosition.SetLatitude(latitude);
    m_presentPosition.SetLongitude(longitude);
    m_presentPosition.SetTime(time);

    // With no time elapsed since the last fix (a repeated fix) neither a speed nor a
    // current can be told: the fix is recorded, course, speed and statistics stay.
    // A fix older than the last one is measured over the time between them.
    if (hours != 0.0 && std::isfinite(hours)) {
        const double elapsed = std::fabs(hours);
        const double speedMadeGood = distance / elapsed;
        const double currentSpeed = currentDrift / elapsed;
        if (speedMadeGood < kPlausibleSpeed) {
            m_presentPosition.SetCourse(course);
            m_presentPosition.SetSpeed(speedMadeGood);
            fix->SetCourse(course);
            fix->SetSpeed(speedMadeGood);
        }
        if (currentSpeed < kPlausibleCurrent) {
            CPosition* next = GetNextWaypoint();
            const double meanDraft = (m_vessel.m_draftForward + m_vessel.m_draftAft) * 0.5;
            const double rpm = static_cast<double>(m_vessel.m_engineSetting);
            next->AddPerformance(currentDirection, currentSpeed, meanDraft, rpm);
            fix->AddPerformance(currentDirection, currentSpeed, meanDraft, rpm);
        }
    }
    m_almanac.ClearObservations();
    SetModifiedFlag();
}

void CKeelmarkLiteDoc::LoadSideFiles() {
    m_almanac.LoadDefault();
    m_cyclones.Load();
    m_vessel.LoadVesselFile();
    if (m_vessel.m_engineSetting == 0) m_vessel.m_engineSetting = m_vessel.m_manoeuvringRpm;
}

void CKeelmarkLiteDoc::HandOverToReport() {
    const double remaining = m_voyage.UpdateETAs(m_presentPosition, RunDown());
    m_report.SetWorkingSet(&m_popularPosition, &m_voyage, &m_presentPosition, &m_vessel, m_voyage.GetEndTime(),
                           services::Now(), remaining);
}

bool CKeelmarkLiteDoc::OnNewDocument() {
    m_voyage.SetReduceSetting(services::GetInt("navreduce", 1));
    m_voyage.SetSelectSetting(services::GetInt("navselectwp", 1));
    LoadSideFiles();
    // The moment the voyage is made: what has no time of its own takes it.
    const CTime now = services::Now();
    CPosition* arrival = m_voyage.GetLast();
    arrival->SetTime(now);
    arrival->SetLatitude(m_presentPosition.GetLatitude());
    arrival->SetLongitude(m_presentPosition.GetLongitude());
    m_voyage.SetEndTime(now);
    m_popularPosition.SetTime(now);
    m_port.m_etd = m_port.m_etc = m_port.m_etb = now;
    if (m_presentPosition.GetSpeed() == 0.0) {
        m_presentPosition.SetSpeed(kNewVoyageSpeed);
        m_presentPosition.SetTime(now);
        CPosition* departure = m_voyage.GetFirst();
        departure->SetTime(m_presentPosition.GetTime());
        departure->SetLatitude(m_presentPosition.GetLatitude());
        departure->SetLongitude(m_presentPosition.GetLongitude());
        m_voyage.SetStartTime(m_presentPosition.GetTime());
    }
    HandOverToReport();
    m_referencePosition = m_voyage.GetFirst();
    return true;
}

void CKeelmarkLiteDoc::SerializeRecords(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.BeginObject("presentPosition");
        m_presentPosition.Serialize(ar);
        ar.EndObject();
        ar.BeginObject("port");
        m_port.Serialize(ar);
        ar.EndObject();
        ar.BeginObject("voyage");
        m_voyage.Serialize(ar);
        ar.EndObject();
        ar.BeginObject("popularPosition");
        m_popularPosition.Serialize(ar);
        ar.EndObject();
        ar.BeginObject("meteo");
        m_meteoObs.Serialize(ar);
        ar.EndObject();
        return;
    }
    auto loaded = std::make_unique<CVoyageFile>();
    loaded->Serialize(ar);
    Adopt(*loaded);
}

void CKeelmarkLiteDoc::Adopt(CVoyageFile& loaded) {
    m_presentPosition = loaded.present;
    m_port = std::move(loaded.port);
    m_voyage.AdoptLoaded(loaded.voyage);
    // The route's copy of "navreduce" is taken once per voyage, as it is loaded.
    m_voyage.SetReduceSetting(services::GetInt("navreduce", 1));
    m_voyage.SetSelectSetting(services::GetInt("navselectwp", 1));
    m_popularPosition = loaded.popular;
    m_meteoObs = std::move(loaded.meteo);
    // The old route is gone; nothing may point into it.
    m_referencePosition = m_voyage.GetFirst();
}

bool CKeelmarkLiteDoc::SaveVoyageFile(const std::string& path, std::string& error) {
    struct Records {
        CKeelmarkLiteDoc* doc;
        void Serialize(CArchive& ar) { doc->SerializeRecords(ar); }
    } records{this};
    if (!SaveRecordFile(path, records, error)) return false;
    m_vessel.SaveVesselFile();
    m_cyclones.Save();
    m_pathName = path;
    SetModifiedFlag(false);
    return true;
}

bool CKeelmarkLiteDoc::LoadVoyageFile(const std::string& path, std::string& error, bool ask) {
    auto loaded = std::make_unique<CVoyageFile>();
    if (LoadRecordFile(path, *loaded, error) != LoadResult::Loaded) return false;
    Adopt(*loaded);
    m_pathName = path;

    LoadSideFiles();

    const std::vector<std::string> options(std::begin(kAfterLoadingOptions), std::end(kAfterLoadingOptions));
    const int choice = ask ? services::Prompts().Choose(kAfterLoadingCaption, "", options, kContinue) : kContinue;
    if (choice == kResetToDeparture || choice == kResetAndWipe) {
        CPosition* departure = m_voyage.GetFirst();
        if (choice == kResetAndWipe) departure->SetKind(CPosition::kWaypoint);
        m_presentPosition.SetLatitude(departure->GetLatitude());
        m_presentPosition.SetLongitude(departure->GetLongitude());
        m_presentPosition.SetZoneOffset(departure->GetZoneOffset());
        const CTime now = services::Now();
        m_presentPosition.SetTime(now);
        departure->SetTime(now);
        if (choice == kResetToDeparture)
            services::Prompts().Show("Use menu-option Voyage-Waypoints-Wipe before\nstarting your actual navigation!",
                                     PromptIcon::Warning);
        else
            m_voyage.WipeFixes();
    }
    // A voyage saved hours ago may have passed waypoints since: steer for what lies ahead.
    m_voyage.SelectNextAhead(m_presentPosition);
    m_referencePosition = m_voyage.GetFirst();
    SetModifiedFlag(false);
    return true;
}
