#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/archive.h"
#include "core/file_io.h"
#include "core/record_file.h"
#include "core/voyage.h"
#include "particulars/vessel.h"
#include "platform/fake/fake_services.h"

namespace {

// A route of n positions zig-zagging across the North Atlantic, every third one a fix.
std::unique_ptr<CVoyage> MakeRoute(int n) {
    auto voyage = std::make_unique<CVoyage>();
    voyage->GetFirst()->SetLatitude(50.0);
    voyage->GetFirst()->SetLongitude(-5.0);
    CPosition* prev = voyage->GetFirst();
    for (int i = 1; i < n - 1; ++i) {
        CPosition* p = voyage->InsertWaypointAfter(prev, *prev, CTime());
        p->SetLatitude(50.0 - 20.0 * i / n + (i % 2 ? 0.1 : -0.1));
        p->SetLongitude(-5.0 - 60.0 * i / n);
        p->SetName("Waypoint " + std::to_string(i));
        if (i % 3 == 0) p->SetKind(CPosition::kFix);
        p->SetProceedVia(i % 2);
        prev = p;
    }
    voyage->GetLast()->SetLatitude(30.0);
    voyage->GetLast()->SetLongitude(-65.0);
    return voyage;
}

void BM_UpdateETAsAndLegs(benchmark::State& state) {
    CFakeServices fake;
    fake.clock.Set(CTime::FromUtc(2026, 6, 1));
    auto voyage = MakeRoute(static_cast<int>(state.range(0)));
    CVessel vessel;
    vessel.m_engineSetting = 90;
    voyage->SetSpeed(14.0);
    CPosition present;
    present.SetLatitude(49.9);
    present.SetLongitude(-5.1);
    present.SetCourse(250);
    for (auto _ : state) {
        benchmark::DoNotOptimize(voyage->UpdateETAs(present, vessel.GetRunDown(voyage->GetSpeed())));
        benchmark::DoNotOptimize(voyage->UpdateLegs());
    }
}
BENCHMARK(BM_UpdateETAsAndLegs)->Arg(10000)->Unit(benchmark::kMillisecond);

std::string BenchFile() { return (std::filesystem::temp_directory_path() / "keelmark-bench-route.bin").string(); }

void BM_WriteRouteFile(benchmark::State& state) {
    CFakeServices fake;
    auto voyage = MakeRoute(static_cast<int>(state.range(0)));
    const std::string path = BenchFile();
    for (auto _ : state) {
        std::string error;
        if (!SaveRecordFile(path, *voyage, error)) state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteRouteFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadRouteFile(benchmark::State& state) {
    CFakeServices fake;
    auto voyage = MakeRoute(static_cast<int>(state.range(0)));
    const std::string path = BenchFile();
    std::string error;
    WriteFileAtomic(path, StoreToBytes(*voyage), error);
    for (auto _ : state) {
        CVoyage loaded;
        if (LoadRecordFile(path, loaded, error) != LoadResult::Loaded) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(loaded.GetCount());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadRouteFile)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
