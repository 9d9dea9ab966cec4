// One whole follower-curve plot of the cam window: 30 001 samples of the lift
// curve with the progress bar, drawn on offscreen surfaces of the window's
// sizes and painted into their pixels.
#include <benchmark/benchmark.h>


#include "draw/drawing_surface.h"
#include "ui/cam/cam_drawing.h"

static void BM_WholeCurvePlot(benchmark::State& st) {
    for (auto _ : st) {
        vm::draw::DrawingSurface cpic(601, 441), process(481, 17);
        vm::cam::CurvePlot plot(cpic, process);
        plot.start(vm::cam::Curve::Lift, 10);
        while (plot.advance(vm::cam::CurvePlot::kSamplesPerDegree)) {
        }
        benchmark::DoNotOptimize(cpic.image());
        benchmark::DoNotOptimize(process.image());
    }
}
BENCHMARK(BM_WholeCurvePlot)->Unit(benchmark::kMillisecond);
