// "力矩与能量分析" from the click to the drawn torque diagram with all its
// figures: the force-table fill, the window opening, the integration and the
// drawing into the window's offscreen picture.
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "core/design_state.h"
#include "tests/core/force_design_fixture.h"
#include "ui/motion/form1.h"
#include "ui/motion/form3.h"

namespace {

void BM_TorqueAndEnergyAnalysis(benchmark::State& st) {
    auto state = std::make_unique<vm::DesignState>(vm::test::confirmed_state(vm::test::kDesigns[0]));
    for (auto _ : st) {
        st.PauseTiming();
        auto* form1 = new vm::Form1(*state);
        st.ResumeTiming();
        form1->CommandButton3->click();
        vm::Form3* form3 = form1->form3();
        form3->Command1->click();
        benchmark::DoNotOptimize(form3->Text8->text());
        st.PauseTiming();
        delete form1;
        st.ResumeTiming();
    }
}
BENCHMARK(BM_TorqueAndEnergyAnalysis)->Unit(benchmark::kMillisecond);

}  // namespace
