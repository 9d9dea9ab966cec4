// One tick of the planar engine animation: the model advanced, the whole frame
// drawn (gears, crank-slider, limits, cams, valves) and painted into the
// offscreen image of the animation picture; and the same through the window.
#include <benchmark/benchmark.h>

#include <QImage>

#include "core/anim_model.h"
#include "core/design_state.h"
#include "draw/drawing_surface.h"
#include "draw/surface_widget.h"
#include "ui/animation/pingmian.h"
#include "ui/animation/pingmian_draw.h"

namespace {

constexpr int kPictureW = 385, kPictureH = 689;  // Picture2, 5775 x 10335 twips

void BM_AnimationTick(benchmark::State& st) {
    vm::anim::AnimationModel m;
    vm::anim::anim_setup(m, "225", "170", "50", "1.04", "0");
    m.step_angle = vm::anim::step_for_speed(3);
    vm::draw::DrawingSurface s(kPictureW, kPictureH);
    vm::animation::set_animation_scale(s);
    for (auto _ : st) {
        s.clear();
        vm::anim::anim_advance(m);
        vm::animation::tick_picture(s, m);
        QImage img = s.image();
        benchmark::DoNotOptimize(img.constBits());
    }
    st.counters["primitives"] = static_cast<double>(s.display_list().size());
}
BENCHMARK(BM_AnimationTick)->Unit(benchmark::kMillisecond);

// The window's own timer slot, then the window rendered as the screen would show it.
void BM_WindowTick(benchmark::State& st) {
    vm::DesignState state;
    state.hs_h = "225";
    state.hs_d = "170";
    state.hs_e = "50";
    state.hs_k = "1.04";
    vm::pingmian w(state);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.Command1_Click();
    w.Command4_Click();
    w.Command5_Click();
    QImage out(w.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        w.Timer1_Timer();
        w.render(&out);
        benchmark::DoNotOptimize(out.constBits());
    }
}
BENCHMARK(BM_WindowTick)->Unit(benchmark::kMillisecond);

}  // namespace
