// The synthesis of the default design and a whole turn of kinematics, one
// jisuan per degree over the 720 degrees of the four-stroke cycle.
#include <benchmark/benchmark.h>

#include "core/kinematics.h"

static void BM_SynthesisAnd720Jisuan(benchmark::State& st) {
    for (auto _ : st) {
        const vm::SynthesisResult s = vm::dimension_synthesis(225, 1.04, 50);
        const double r = s.value.r / 1000, l = s.value.l / 1000, e = 0.05;
        const double omega1 = -2 * vm::kPiAnalysis * 620 / 60;
        double phi = s.value.jd_wai * vm::kPiAnalysis / 180;
        double sum = 0;
        for (int i = 0; i < 720; ++i) {
            if (auto k = vm::jisuan(r, l, e, phi, omega1)) sum += k->a_b;
            phi -= vm::kPiAnalysis / 180;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_SynthesisAnd720Jisuan);
