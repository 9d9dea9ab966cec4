// The force-table fill of the default design (720 positions of kinematics, gas
// curve and force analysis) and one whole report: 30 positions analysed, both
// texts laid out, encoded in GBK and written into a temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/report.h"
#include "tests/core/force_design_fixture.h"

namespace {

void BM_ForceTableFill(benchmark::State& st) {
    auto state = std::make_unique<vm::DesignState>(vm::test::confirmed_state(vm::test::kDesigns[0]));
    for (auto _ : st) {
        const bool ok = vm::fill_force_table(*state);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(state->force_table.at(360, vm::kMb));
    }
}
BENCHMARK(BM_ForceTableFill)->Unit(benchmark::kMicrosecond);

void BM_WholeReport(benchmark::State& st) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vm-bench-report-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    vm::ReportParameters p;
    p.H = 225, p.D = 170, p.e = 50, p.K = 1.04, p.ak = 0.35;
    p.G1 = 160, p.G2 = 120, p.G3 = 190, p.rk = 0.16, p.n = 620;
    for (auto _ : st) {
        const vm::ReportResult r = vm::compute_report(p);
        const vm::WriteResult written = vm::write_reports(dir.string(), r.data);
        if (!r.ok() || !written.ok) st.SkipWithError("report not written");
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_WholeReport)->Unit(benchmark::kMicrosecond);

}  // namespace
