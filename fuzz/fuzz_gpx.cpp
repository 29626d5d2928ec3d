// GPX route files. An accepted file's routes become a voyage's route, and that
// voyage written as GPX reads back to the same waypoints.
#include "core/voyage.h"
#include "document/gpx_route.h"
#include "document/route_import.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CFuzzHeapBudget budget(size, kFuzzJsonHeapFactor);
    CGpxFile file;
    std::string error;
    if (!ParseGpx(std::string(reinterpret_cast<const char*>(data), size), "fuzz.gpx", file, error)) return 0;
    g_fuzzInputAccepted = true;
    for (const CGpxRoute& route : file.routes) {
        CVoyage voyage;
        if (!ReplaceRouteWaypoints(voyage, route, CTime(0), error)) continue;
        CPosition popular;
        std::string text;
        CGpxFile again;
        if (!GpxText(voyage, popular, text, error) || !ParseGpx(text, "again.gpx", again, error))
            FuzzFail("a route read does not write and read again: " + error);
        const CGpxRoute& back = again.routes.at(0);
        for (std::size_t i = 0; i < route.points.size(); ++i)
            if (back.points.size() != route.points.size() || back.points[i].latitude != route.points[i].latitude ||
                back.points[i].longitude != route.points[i].longitude ||
                back.points[i].rhumbLine != route.points[i].rhumbLine)
                FuzzFail("a route written and read again is not the same");
    }
    return 0;
}
