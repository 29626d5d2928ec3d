#include "cli/record_commands.h"

#include <iostream>
#include <memory>
#include <ostream>
#include <sstream>

#include "app/dashboard_refresh.h"
#include "cli/json_archive.h"
#include "cli/json_writer.h"
#include "core/record_file.h"
#include "document/keelmark_lite_doc.h"
#include "document/record_types.h"
#include "platform/plain_services.h"
#include "platform/services.h"
#include "weather/obs_message.h"

namespace {

const RecordType& TypeNamed(const std::string& name) {
    const RecordType* type = FindRecordType(name);
    if (!type) throw CommandFailure{kExitUsage, "unknown type \"" + name + "\""};
    return *type;
}

// Settings of the user's store, with some keys answered differently.
class COverlaySettings : public ISettingsStore {
public:
    explicit COverlaySettings(ISettingsStore& base) : m_base(base) {}
    void Override(const std::string& key, const std::string& value) {
        m_overrides.SetString(kSettingsSection, key, value);
    }

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override {
        if (m_overrides.Contains(section, key)) return m_overrides.GetString(section, key, defaultValue);
        return m_base.GetString(section, key, defaultValue);
    }
    int GetInt(const std::string& section, const std::string& key, int defaultValue) const override {
        if (m_overrides.Contains(section, key)) return m_overrides.GetInt(section, key, defaultValue);
        return m_base.GetInt(section, key, defaultValue);
    }
    bool Contains(const std::string& section, const std::string& key) const override {
        return m_overrides.Contains(section, key) || m_base.Contains(section, key);
    }
    // A one-off command never changes the user's settings.
    bool SetString(const std::string&, const std::string&, const std::string&) override { return true; }
    bool SetInt(const std::string&, const std::string&, int) override { return true; }

private:
    ISettingsStore& m_base;
    CMemorySettingsStore m_overrides;
};

class CFixedClock : public IClock {
public:
    CFixedClock(const IClock& base, CTime now) : m_base(base), m_now(now) {}
    CTime Now() const override { return m_now; }
    long LocalOffsetSeconds(CTime at) const override { return m_base.LocalOffsetSeconds(at); }
    bool IsDaylightSaving(CTime at) const override { return m_base.IsDaylightSaving(at); }

private:
    const IClock& m_base;
    CTime m_now;
};

} // namespace

void DumpRecordFile(const std::string& path, const std::string& type, std::ostream& out) {
    auto record = TypeNamed(type).makeFresh();
    std::string error;
    if (record->Load(path, error) != LoadResult::Loaded) throw CommandFailure{kExitFailed, error};
    CJsonOutArchive json(&out);
    json.BeginObject(nullptr);
    record->Serialize(json);
    json.EndObject();
    json.Finish();
}

std::string DumpRecordFile(const std::string& path, const std::string& type) {
    std::ostringstream out;
    DumpRecordFile(path, type, out);
    return out.str();
}

void LoadRecordJson(const std::string& json, const std::string& type, const std::string& outPath) {
    auto record = TypeNamed(type).makeFresh();
    try {
        CJsonInArchive in(json);
        record->Serialize(in);
        in.Finish();
    } catch (const CArchiveException& e) {
        throw CommandFailure{kExitFailed, e.what()};
    }
    std::string error;
    if (!record->Save(outPath, error)) throw CommandFailure{kExitFailed, error};
}

namespace {

// Loads the voyage as the dashboard would at TIME (default now), with the vessel
// file given, continuing from the latest fix and every message to standard
// error, and hands the refreshed document to `use` under those services.
template <typename Use>
std::string AtVoyage(const std::string& voyagePath, std::optional<CTime> at, const std::string& vesselPath, Use use) {
    COverlaySettings settings(services::Settings());
    if (!vesselPath.empty()) settings.Override("vesseldata", vesselPath);
    CFixedClock clock(services::Clock(), at ? *at : services::Now());
    CStderrPrompts prompts(PromptAnswer::Ok, CKeelmarkLiteDoc::kContinue);
    CNoFileChoice files;
    services::Scoped scope({&clock, &settings, &prompts, &files});

    auto doc = std::make_unique<CKeelmarkLiteDoc>();
    std::string error;
    if (!doc->LoadVoyageFile(voyagePath, error)) throw CommandFailure{kExitFailed, error};
    // One refresh brings the present position to TIME, as the running dashboard keeps it.
    const CDashboardFigures figures = RefreshDashboard(*doc);
    CJsonWriter json;
    json.BeginObject();
    use(*doc, figures, json);
    json.EndObject();
    return json.Text();
}

} // namespace

std::string VoyageStatus(const std::string& voyagePath, std::optional<CTime> at, const std::string& vesselPath) {
    return AtVoyage(voyagePath, at, vesselPath, [](CKeelmarkLiteDoc&, const CDashboardFigures& f, CJsonWriter& json) {
        if (f.scheduleExpired) return json.Bool("suspended", true);
        json.Double("latitude", f.latitude);
        json.Double("longitude", f.longitude);
        json.Double("trueCourse", f.trueCourse);
        json.Double("trueSpeed", f.trueSpeed);
        json.String("nextWaypoint", f.nextWaypointName);
        json.Double("bearing", f.bearing);
        json.Double("distance", f.distance);
        json.Double("remainingDistance", f.remainingDistance);
        json.Double("remainingHours", f.remainingHours);
        json.Double("requiredSpeed", f.requiredSpeed);
        json.Double("requiredRpm", f.requiredRpm);
        if (f.eta)
            json.String("eta", f.eta->FormatUtc("%Y-%m-%dT%H:%M:%S"));
        else
            json.Null("eta");
        json.Double("distanceMade", f.distanceMade);
        json.Double("speedMadeGood", f.speedMadeGood);
        json.Integer("steer", f.steer);
    });
}

std::string VoyageObsMessage(const std::string& voyagePath, std::optional<CTime> at, const std::string& vesselPath) {
    return AtVoyage(voyagePath, at, vesselPath, [](CKeelmarkLiteDoc& doc, const CDashboardFigures&, CJsonWriter& json) {
        json.String("message", ObsMessageText(doc.GetMeteoObs(), doc.GetPresentPosition(), doc.GetVessel().m_callSign,
                                              services::Now()));
    });
}
