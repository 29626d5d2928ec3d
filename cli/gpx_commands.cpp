#include "cli/gpx_commands.h"

#include <memory>
#include <optional>
#include <ostream>

#include "cli/json_writer.h"
#include "cli/record_commands.h"
#include "core/record_file.h"
#include "document/gpx_route.h"
#include "document/keelmark_lite_doc.h"
#include "document/route_import.h"
#include "platform/services.h"

namespace {

constexpr const char* kImportUsage = "usage: keelmark gpx-import VOYAGE_FILE GPX_FILE [--route NAME]";
constexpr const char* kExportUsage = "usage: keelmark gpx-export VOYAGE_FILE OUT.gpx";

// Values and a --route option; anything else that looks like an option is wrong usage.
std::vector<std::string> Values(const std::vector<std::string>& args, std::optional<std::string>* route,
                                const char* usage) {
    std::vector<std::string> values;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (route && args[i] == "--route") {
            if (i + 1 >= args.size()) throw CommandFailure{kExitUsage, "--route needs a value"};
            *route = args[++i];
        } else if (args[i].size() > 2 && args[i].rfind("--", 0) == 0) {
            throw CommandFailure{kExitUsage, "unknown option " + args[i]};
        } else {
            values.push_back(args[i]);
        }
    }
    if (values.size() != 2) throw CommandFailure{kExitUsage, usage};
    return values;
}

std::unique_ptr<CVoyageFile> LoadVoyage(const std::string& path) {
    auto file = std::make_unique<CVoyageFile>();
    std::string error;
    if (LoadRecordFile(path, *file, error) != LoadResult::Loaded) throw CommandFailure{kExitFailed, error};
    return file;
}

std::size_t ChooseRoute(const CGpxFile& gpx, const std::optional<std::string>& name) {
    std::string names;
    for (std::size_t i = 0; i < gpx.routes.size(); ++i)
        names += (i ? ", " : "") + GpxRouteTitle(gpx, i);
    if (name) {
        const int index = FindGpxRoute(gpx, *name);
        if (index < 0) throw CommandFailure{kExitFailed, "no route named \"" + *name + "\"; the file holds " + names};
        return static_cast<std::size_t>(index);
    }
    if (gpx.routes.size() > 1)
        throw CommandFailure{kExitFailed, "the file holds " + std::to_string(gpx.routes.size()) + " routes (" + names +
                                              "): choose one with --route NAME"};
    return 0;
}

} // namespace

int GpxImportCommand(const std::vector<std::string>& args, std::ostream& out) {
    std::optional<std::string> routeName;
    const std::vector<std::string> values = Values(args, &routeName, kImportUsage);
    std::unique_ptr<CVoyageFile> voyage = LoadVoyage(values[0]);
    CGpxFile gpx;
    std::string error;
    if (!ReadGpxFile(values[1], gpx, error)) throw CommandFailure{kExitFailed, error};
    const std::size_t index = ChooseRoute(gpx, routeName);

    const CRouteImport plan = PlanRouteImport(voyage->voyage, gpx, index);
    if (!ReplaceRouteWaypoints(voyage->voyage, gpx.routes[index], services::Now(), error))
        throw CommandFailure{kExitFailed, error};
    // Only the voyage file is written: the vessel and cyclone files stay as they
    // are, and the event log, whose relative path belongs to the desktop's data
    // folder, is left to the desktop.
    if (!SaveRecordFile(values[0], *voyage, error)) throw CommandFailure{kExitFailed, error};

    CJsonWriter json;
    json.BeginObject();
    json.String("route", plan.routeName);
    json.Integer("waypoints", plan.waypoints);
    json.Integer("replaced", plan.replaced);
    json.Integer("fixesKept", plan.fixesKept);
    json.BeginArray("changedNames");
    for (const std::string& name : plan.changedNames)
        json.String(nullptr, name);
    json.EndArray();
    json.EndObject();
    out << json.Text();
    return kExitOk;
}

int GpxExportCommand(const std::vector<std::string>& args, std::ostream& out) {
    const std::vector<std::string> values = Values(args, nullptr, kExportUsage);
    std::unique_ptr<CVoyageFile> voyage = LoadVoyage(values[0]);
    std::string error;
    if (!WriteGpxFile(values[1], voyage->voyage, voyage->popular, error)) throw CommandFailure{kExitFailed, error};

    const CVoyage& route = voyage->voyage;
    int routePoints = 0, trackPoints = 0;
    for (int i = 0; i < route.GetCount(); ++i) {
        routePoints += InGpxRoute(route, i);
        trackPoints += route.GetAt(i)->GetKind() == CPosition::kFix;
    }
    CJsonWriter json;
    json.BeginObject();
    json.Integer("routePoints", routePoints);
    json.Integer("trackPoints", trackPoints);
    json.Integer("waypoints", 1);
    json.EndObject();
    out << json.Text();
    return kExitOk;
}
