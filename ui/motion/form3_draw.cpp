// The torque diagram: x in radians of crank angle (0..4 pi over the cycle),
// y in N*m, drawn on a y-up scale.
#include "core/number_text.h"
#include "core/torque_energy.h"
#include "draw/drawing_surface.h"
#include "ui/common/window_plumbing.h"
#include "ui/motion/form3.h"

namespace vm {

namespace {
constexpr draw::Colour kCurve = 0xFF0000;                   // blue
constexpr draw::Colour kExtreme = draw::rgb(10, 200, 20);  // green
constexpr draw::Colour kMean = 255;                         // red
constexpr double kAxisHalf = 3000, kAxisLength = 15;       // N*m, rad
}  // namespace

void draw_torque_diagram(draw::DrawingSurface& s, const TorqueFigures& t) {
    const draw::Colour axis = s.fore_colour();
    s.line(0, -kAxisHalf, 0, kAxisHalf, axis);
    s.line(0, 0, kAxisLength, 0, axis);
    s.print("X");
    s.set_current(0, kAxisHalf);
    s.print("Y");

    for (size_t i = 1; i < t.mom.size(); ++i) s.line(t.ang[i - 1], t.mom[i - 1], t.ang[i], t.mom[i], kCurve);
    s.set_current(s.current_x() + 0.5, s.current_y() - 100);
    s.print("动力矩");

    // Each marked extreme: a drop line to the axis, its angle below the axis
    // and its torque beyond the curve.
    for (int i : t.extremes) {
        const size_t k = static_cast<size_t>(i);
        const double x = t.ang[k], m = t.mom[k];
        s.line(x, m, x, 0, kExtreme);
        s.set_current(x - 0.2, -10);
        ui::print_number(s, static_cast<double>(cint(x * 180 / kPiTorque)));
        s.set_current(x - 0.2, m > 0 ? m + 100 : m - 100);
        ui::print_number(s, static_cast<double>(cint(m)));
    }

    const double end = 4 * kPiTorque;
    s.line(0, t.m_mean, end, t.m_mean, kMean);
    s.line(end, t.m_mean, end, 0, kMean);
    s.set_current(end + 0.5, t.m_mean + 100);
    s.print("平均阻力矩");
    s.set_current(end + 0.5, s.current_y());
    ui::print_number(s, static_cast<double>(cint(t.m_mean)));
}

}  // namespace vm
