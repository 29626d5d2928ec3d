#include "document/route_import.h"

#include <memory>
#include <utility>

#include "core/event_log.h"
#include "core/file_io.h"
#include "core/position.h"
#include "core/voyage.h"
#include "document/keelmark_lite_doc.h"
#include "platform/services.h"

namespace {

std::string Counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string BaseName(const std::string& path) {
    const std::string normal = NormalizePath(path);
    const auto slash = normal.find_last_of('/');
    return slash == std::string::npos ? normal : normal.substr(slash + 1);
}

std::string NameList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

} // namespace

int PlannedWaypointCount(const CVoyage& voyage) {
    int n = 0;
    for (int i = 0; i < voyage.GetCount(); ++i)
        n += voyage.GetAt(i)->GetKind() != CPosition::kFix;
    return n;
}

CRouteImport PlanRouteImport(const CVoyage& voyage, const CGpxFile& file, std::size_t index) {
    const CGpxRoute& route = file.routes.at(index);
    CRouteImport plan;
    plan.routeName = route.name.empty() ? "Route " + std::to_string(index + 1) : route.name;
    plan.waypoints = static_cast<int>(route.points.size());
    plan.replaced = PlannedWaypointCount(voyage);
    plan.fixesKept = voyage.GetCount() - plan.replaced;
    for (const CGpxPoint& p : route.points)
        if (p.name != p.fileName) plan.changedNames.push_back(p.fileName + " becomes " + p.name);
    return plan;
}

std::string RouteRefusal(const CGpxRoute& route) {
    const std::size_t n = route.points.size();
    if (n >= 2) return {};
    return "The route" + (route.name.empty() ? std::string() : " \"" + route.name + "\"") + " (line " +
           std::to_string(route.line) + ") has " + Counted(static_cast<int>(n), "point", "points") +
           ": a route needs at least a departure and a destination";
}

bool ReplaceRouteWaypoints(CVoyage& voyage, const CGpxRoute& route, CTime now, std::string& error) {
    error = RouteRefusal(route);
    if (!error.empty()) return false;
    const std::size_t n = route.points.size();
    const CPosition& oldDeparture = *voyage.GetFirst();
    const CPosition& oldDestination = *voyage.GetLast();
    std::vector<std::unique_ptr<CPosition>> waypoints;
    waypoints.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const CGpxPoint& point = route.points[i];
        auto p = std::make_unique<CPosition>(point.latitude, point.longitude, now);
        if (i == 0) {
            p->SetTime(oldDeparture.GetTime());
            p->SetZoneOffset(oldDeparture.GetZoneOffset());
        } else if (i + 1 == n) {
            p->SetTime(oldDestination.GetTime());
            p->SetZoneOffset(oldDestination.GetZoneOffset());
            p->SetETA(oldDestination.GetETA());
        }
        // Unnamed points are named as a new voyage names its ends.
        p->SetName(!point.name.empty() ? point.name
                   : i == 0            ? "Departure"
                   : i + 1 == n        ? "Arrival"
                                       : "Waypoint " + std::to_string(i + 1));
        p->SetKind(CPosition::kWaypoint);
        p->SetProceedVia(point.rhumbLine ? CPosition::kRhumbLine : CPosition::kGreatCircle);
        waypoints.push_back(std::move(p));
    }
    return voyage.ReplaceWaypoints(std::move(waypoints));
}

bool ImportRoute(CKeelmarkLiteDoc& doc, const CGpxFile& file, std::size_t index, const std::string& path,
                 std::string& error) {
    CVoyage& voyage = doc.GetVoyage();
    const CRouteImport plan = PlanRouteImport(voyage, file, index);
    const CPosition* reference = doc.GetReferencePosition();
    const bool referenceWasPlanned = voyage.IndexOf(reference) < 0 || reference->GetKind() != CPosition::kFix;
    if (!ReplaceRouteWaypoints(voyage, file.routes.at(index), services::Now(), error)) return false;
    if (referenceWasPlanned) doc.SetReferencePosition(voyage.GetFirst());
    doc.GetNextWaypoint();
    doc.SetModifiedFlag();
    CEventLog().Write(ImportLogText(plan, path));
    return true;
}

std::string ImportQuestion(const CRouteImport& plan) {
    std::string text = "Replace the " + Counted(plan.replaced, "planned waypoint", "planned waypoints") +
                       " of the voyage by the " + Counted(plan.waypoints, "point", "points") + " of the route \"" +
                       plan.routeName + "\"?";
    if (plan.fixesKept > 0)
        text.append("\n")
            .append(Counted(plan.fixesKept, "position fix stays", "position fixes stay"))
            .append(" in the route.");
    if (!plan.changedNames.empty())
        text += "\n\nThe voyage file cannot hold every character of these names; the characters it cannot hold "
                "become '?': " +
                NameList(plan.changedNames) + ".";
    return text;
}

std::string ImportLogText(const CRouteImport& plan, const std::string& path) {
    return "Route \"" + plan.routeName + "\" imported from " + BaseName(path) + ": " +
           Counted(plan.waypoints, "waypoint", "waypoints") + " replace " + std::to_string(plan.replaced);
}

bool ImportRouteFromGpx(CKeelmarkLiteDoc& doc) {
    const auto path = services::Files().ChooseOpen({kGpxFilter, kGpxExtension, "", kImportRouteCaption});
    if (!path) return false;
    IPrompts& prompts = services::Prompts();
    CGpxFile file;
    std::string error;
    if (!ReadGpxFile(*path, file, error)) {
        prompts.Show(error, PromptIcon::Stop);
        return false;
    }
    int index = 0;
    if (file.routes.size() > 1) {
        std::vector<std::string> titles;
        for (std::size_t i = 0; i < file.routes.size(); ++i)
            titles.push_back(GpxRouteTitle(file, i));
        index = prompts.Choose(kImportRouteCaption,
                               "The file holds " + std::to_string(titles.size()) +
                                   " routes. Which one becomes the voyage's route?",
                               titles, 0);
        if (index < 0 || index >= static_cast<int>(titles.size())) return false;
    }
    const auto chosen = static_cast<std::size_t>(index);
    if (const std::string refusal = RouteRefusal(file.routes[chosen]); !refusal.empty()) {
        prompts.Show(refusal, PromptIcon::Stop);
        return false;
    }
    const CRouteImport plan = PlanRouteImport(doc.GetVoyage(), file, chosen);
    if (prompts.Show(ImportQuestion(plan), PromptIcon::Question, PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    if (!ImportRoute(doc, file, chosen, *path, error)) {
        prompts.Show(error, PromptIcon::Stop);
        return false;
    }
    return true;
}

bool ExportRouteToGpx(CKeelmarkLiteDoc& doc) {
    const auto path = services::Files().ChooseSave({kGpxFilter, kGpxExtension, "Route", kExportRouteCaption});
    if (!path) return false;
    std::string error;
    if (!WriteGpxFile(*path, doc.GetVoyage(), doc.GetPopularPosition(), error)) {
        services::Prompts().Show(error, PromptIcon::Stop);
        return false;
    }
    return true;
}
