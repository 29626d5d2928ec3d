// The voyage document at full size: the dashboard refresh every 4 seconds on a
// long route, and the voyage file saved, loaded and dumped.
#include <benchmark/benchmark.h>

#include <fstream>

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "app/dashboard_refresh.h"
#include "bench/bench_voyage.h"
#include "cli/record_commands.h"
#include "document/keelmark_lite_doc.h"
#include "platform/fake/fake_services.h"

namespace fs = std::filesystem;

namespace {

const CTime kNow = CTime::FromUtc(2026, 6, 1, 12, 0, 0);

// A folder of the benchmark's own for the voyage file and the side files the
// document saves and loads beside it.
struct BenchFolder {
    BenchFolder() {
        path = fs::temp_directory_path() / ("keelmark-bench-" + std::to_string(::getpid()));
        fs::create_directories(path);
    }
    ~BenchFolder() { fs::remove_all(path); }
    std::string operator/(const char* name) const { return (path / name).string(); }
    fs::path path;
};

void PointSideFiles(CFakeServices& fake, const BenchFolder& folder) {
    fake.settings.SetString(kSettingsSection, CVessel::kFileSetting, folder / "vessel.k7s");
    fake.settings.SetString(kSettingsSection, kHurricaneSettingKey, folder / "hurricane.dat");
    fake.settings.SetString(kSettingsSection, "almanac", folder / "almanac.dat");
}

// A document holding the bench voyage of n positions, saved to path when one is given.
std::unique_ptr<CKeelmarkLiteDoc> BenchVoyage(benchmark::State& state, const std::string& path = std::string()) {
    auto doc = std::make_unique<CKeelmarkLiteDoc>();
    MakeBenchVoyage(*doc, static_cast<int>(state.range(0)), kNow);
    std::string error;
    if (!path.empty() && !doc->SaveVoyageFile(path, error)) state.SkipWithError(error.c_str());
    return doc;
}

void BM_DashboardRefresh(benchmark::State& state) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    auto doc = BenchVoyage(state);
    for (auto _ : state) {
        fake.clock.Advance(4); // one refresh tick
        CDashboardFigures figures = RefreshDashboard(*doc);
        benchmark::DoNotOptimize(figures);
    }
}
BENCHMARK(BM_DashboardRefresh)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SaveVoyageFile(benchmark::State& state) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    BenchFolder folder;
    PointSideFiles(fake, folder);
    auto doc = BenchVoyage(state);
    const std::string path = folder / "voyage.k7v";
    for (auto _ : state) {
        std::string error;
        if (!doc->SaveVoyageFile(path, error)) state.SkipWithError(error.c_str());
    }
}
BENCHMARK(BM_SaveVoyageFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadVoyageFile(benchmark::State& state) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    BenchFolder folder;
    PointSideFiles(fake, folder);
    const std::string path = folder / "voyage.k7v";
    BenchVoyage(state, path)->GetAlmanac().SaveFile(folder / "almanac.dat");
    auto doc = std::make_unique<CKeelmarkLiteDoc>();
    for (auto _ : state) {
        std::string error;
        if (!doc->LoadVoyageFile(path, error)) state.SkipWithError(error.c_str());
        fake.prompts.Clear();
    }
}
BENCHMARK(BM_LoadVoyageFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DumpVoyageFile(benchmark::State& state) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    BenchFolder folder;
    PointSideFiles(fake, folder);
    const std::string path = folder / "voyage.k7v";
    BenchVoyage(state, path);
    // Streamed as the command does; what it writes is thrown away.
    std::ofstream sink("/dev/null", std::ios::binary);
    for (auto _ : state)
        DumpRecordFile(path, "voyage", sink);
}
BENCHMARK(BM_DumpVoyageFile)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
