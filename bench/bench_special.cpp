// The right fastest-point search of the special-positions window: 25 001
// evaluations of the slider speed over a quarter turn, run inside one click.
#include <benchmark/benchmark.h>

#include "core/special_positions.h"

static void BM_RightFastestPointSearch(benchmark::State& st) {
    const auto m = vm::special::solve_dimensions(225, 50, 1.04);
    const double omega = vm::special::crank_omega(vm::special::crank_step(50));
    for (auto _ : st) {
        benchmark::DoNotOptimize(vm::special::right_fastest_theta(*m, omega));
    }
}
BENCHMARK(BM_RightFastestPointSearch)->Repetitions(9)->ReportAggregatesOnly(true);
