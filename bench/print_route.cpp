// The waypoint list of a 1,000-waypoint voyage printed to a PDF file: the form
// laid out for A4 pages, drawn and written atomically.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/printouts.h"
#include "bench/bench_voyage.h"
#include "core/ui/printing.h"
#include "platform/fake/fake_services.h"

namespace {

void BM_PrintRouteToPdf(benchmark::State& state) {
    const CTime now = CTime::FromUtc(2026, 6, 1, 12, 0, 0);
    CFakeServices fake;
    fake.clock.Set(now);
    CKeelmarkLiteDoc doc;
    MakeBenchVoyage(doc, static_cast<int>(state.range(0)), now);
    // Only waypoints: every position a row of the list.
    for (int i = 0; i < doc.GetVoyage().GetCount(); ++i)
        doc.GetVoyage().GetAt(i)->SetKind(CPosition::kWaypoint);
    const std::string path = (std::filesystem::temp_directory_path() / "keelmark-bench-route.pdf").string();
    for (auto _ : state) {
        std::string error;
        if (!PrintFormToPdf([&](int h) { return WaypointListForm(doc, h); }, path, error))
            state.SkipWithError(error.c_str());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_PrintRouteToPdf)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
