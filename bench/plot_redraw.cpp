// The voyage plot redrawn: a 10,000-position voyage over the North Atlantic
// with the low-resolution shoreline, painted into an image offscreen, the scene
// built anew from the document each time as the 4-second refresh does.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "bench/bench_voyage.h"
#include "platform/fake/fake_services.h"
#include "plot/ui/plot_painter.h"
#include "plot/voyage_plot.h"

namespace {

const CTime kNow = CTime::FromUtc(2026, 6, 1, 12, 0, 0);

void BM_PlotRedraw(benchmark::State& state) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CKeelmarkLiteDoc doc;
    MakeBenchVoyage(doc, static_cast<int>(state.range(0)), kNow);
    const CShorelines& shorelines = Shorelines();
    if (!shorelines.error.empty()) state.SkipWithError(shorelines.error.c_str());
    QImage image(1400, 900, QImage::Format_RGB32);
    CPlotViewport view;
    view.SetSize(image.width(), image.height());
    view.Fit(BuildPlotScene(doc, kNow).routeBounds, 40);
    if (view.Scale() < kCrudeShorelineScale) state.SkipWithError("the view would draw the crude shoreline");
    for (auto _ : state) {
        const CPlotScene scene = BuildPlotScene(doc, kNow);
        QPainter painter(&image);
        PaintVoyagePlot(painter, view, scene, shorelines);
    }
}
BENCHMARK(BM_PlotRedraw)->Arg(10000)->Unit(benchmark::kMillisecond);

// The part of it that is the model's: the scene from the document.
void BM_PlotScene(benchmark::State& state) {
    CFakeServices fake;
    fake.clock.Set(kNow);
    CKeelmarkLiteDoc doc;
    MakeBenchVoyage(doc, static_cast<int>(state.range(0)), kNow);
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildPlotScene(doc, kNow));
}
BENCHMARK(BM_PlotScene)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
