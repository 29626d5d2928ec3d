#include <benchmark/benchmark.h>

#include "astro/almanac.h"
#include "astro/almanac_builder.h"
#include "astro/star_finder.h"
#include "core/position.h"

// Filling the star finder for the shipped almanac: position, altitude, azimuth
// and rise, transit and set of every object, and the column texts.
static void BM_StarfinderFill(benchmark::State& state) {
    CAlmanac almanac;
    BuildShippedAlmanac(almanac, 2027.5);
    CPosition here;
    here.SetLatitude(48.5);
    here.SetLongitude(-30.25);
    here.SetTime(CTime::FromUtc(2027, 7, 1, 4, 30));
    const bool riseAndSet = state.range(0) != 0;
    for (auto _ : state) {
        std::vector<StarfinderRow> rows = StarfinderRows(almanac, here, true);
        std::string a, b, c;
        for (const StarfinderRow& row : rows)
            StarfinderTexts(row, riseAndSet, a, b, c);
        benchmark::DoNotOptimize(rows.data());
        benchmark::DoNotOptimize(a);
    }
}
BENCHMARK(BM_StarfinderFill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
