// Drawing one figure block of the report at its size.
#include "figures/document_figures.h"

#include <cmath>

#include "core/cycle_diagram.h"
#include "core/design_state.h"
#include "core/number_text.h"
#include "core/torque_energy.h"
#include "draw/drawing_surface.h"
#include "figures/cam_figures.h"
#include "figures/curve_charts.h"
#include "figures/mechanism_figures.h"
#include "figures/torque_figure.h"

namespace vm::figures {

void use_figure_font(draw::DrawingSurface& s, double point_size) {
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPointSizeF(point_size);
    s.set_font(f);
}

std::unique_ptr<draw::DrawingSurface> document_figure(const DocFigure& f, const DesignState& st,
                                                      const CourseOptions& options) {
    using K = DocFigure::Kind;
    if (f.kind == K::None) return nullptr;
    const int w = int(std::lround(f.width_mm * kPxPerMm)),
              h = int(std::lround(f.height_mm * kPxPerMm));
    auto s = std::make_unique<draw::DrawingSurface>(w, h);
    use_figure_font(*s);
    const PixelBox all{2, 2, w - 2.0, h - 2.0};
    switch (f.kind) {
        case K::Mechanism:
            draw_mechanism(
                *s, all, st,
                mechanism_positions(st, {options.positions.begin(), options.positions.end()}),
                f.scale);
            break;
        case K::Velocity:
        case K::Acceleration:
            draw_motion_polygon(*s, all, st, f.position, f.kind == K::Acceleration, f.scale);
            break;
        case K::Force:
            draw_force_figure(*s, all, st, f.member, f.position, f.scale);
            break;
        case K::PistonCurves:
            draw_piston_curves(*s, all, piston_curves(st));
            break;
        case K::GasForce:
            draw_gas_force(*s, all, st);
            break;
        case K::CamCurves:
            draw_follower_curves(*s, {Curve::Lift, Curve::Velocity, Curve::Acceleration},
                                 options.cam.h);
            break;
        case K::CamProfile:
            draw_cam_figure(*s, all, options.cam, f.scale);
            break;
        case K::Torque:
            if (const auto t = torque_figures(st)) {
                TorqueChartScales sc = torque_chart_scales(*t, f.width_mm, f.height_mm);
                sc.mu_m = f.scale;
                sc.mu_phi = f.scale2;
                draw_torque_chart(*s, all, *t, sc);
            }
            break;
        case K::WorkCycle:
            if (const CycleDiagram d = cycle_diagram(st.hs_k); d.ok()) draw_cycle_chart(*s, all, d);
            break;
        case K::None:
            break;
    }
    return s;
}

}  // namespace vm::figures
