// "力矩与能量分析" from the click to the drawn torque diagram with all its
// figures: the force-table fill, the window opening, the integration and the
// drawing into the window's offscreen picture.
#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "core/design_state.h"
#include "core/kinematics.h"
#include "ui/motion/form1.h"
#include "ui/motion/form3.h"

namespace {

// The default design as the main window stores it.
vm::DesignState default_design() {
    vm::DesignState s;
    s.hs_h = "225";
    s.hs_d = "170";
    s.hs_e = "50";
    s.hs_k = "1.04";
    s.lg_ak = "0.35";
    s.qb_g = "160";
    s.lg_g = "120";
    s.hs_g = "190";
    s.lg_rk = "0.16";
    s.qb_w = "620";
    s.sd_k = "0.01";
    const vm::SynthesisResult syn = vm::dimension_synthesis(225, 1.04, 50);
    s.lg_l = syn.value.l;
    s.qb_r = syn.value.r;
    s.jd_wai = syn.value.jd_wai;
    s.jd_nei = syn.value.jd_nei;
    s.confirmed = true;
    return s;
}

void BM_TorqueAndEnergyAnalysis(benchmark::State& st) {
    auto state = std::make_unique<vm::DesignState>(default_design());
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
