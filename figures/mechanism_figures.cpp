// The figures of one design at a stated scale: mechanism diagram, polygons of
// one position, force polygons and the cam, each centred in its box.
#include "figures/mechanism_figures.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "core/cam_profile.h"
#include "core/course_document.h"
#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/motion_polygons.h"
#include "core/number_text.h"
#include "draw/drawing_surface.h"
#include "figures/cam_figures.h"
#include "figures/curve_charts.h"

namespace vm::figures {

namespace {
constexpr draw::Colour kBlack = 0, kGrey = draw::rgb(110, 110, 110), kWhite = 0xFFFFFF;
constexpr draw::Colour kPositionColours[] = {0xFF0000, 255, draw::rgb(0, 128, 0),
                                             draw::rgb(128, 0, 128)};
// The polygons are drawn in units of this many millimetres, so that the fixed
// arrow heads (5 units) come out 3 mm long.
constexpr double kPolygonUnitMm = 0.6;
// Slider size on the paper, mm.
constexpr double kSliderW = 14, kSliderH = 9;

double text_h(const draw::DrawingSurface& s) {
    return QFontMetricsF(s.font()).height();
}

// The scale line at the top-left corner of the frame; the rest of the frame below it.
PixelBox scale_line(draw::DrawingSurface& s, const PixelBox& f, const std::string& text) {
    s.set_pixel_scale();
    s.set_current(f.left + 2, f.top + 1);
    s.print(text);
    return {f.left, f.top + text_h(s) + 4, f.right, f.bottom};
}

// A y-up scale with `units_per_mm` user units to a millimetre of paper, the
// user point (cx, cy) at the centre of the box.
void centred_scale(draw::DrawingSurface& s, const PixelBox& b, double cx, double cy,
                   double units_per_mm) {
    const double w = (b.right - b.left) / kPxPerMm * units_per_mm,
                 h = (b.bottom - b.top) / kPxPerMm * units_per_mm;
    set_frame_scale(s, b, cx - w / 2, cy + h / 2, w, -h);
}

void hollow_joint(draw::DrawingSurface& s, double x, double y, double r, draw::Colour c) {
    s.set_fill(true, kWhite);
    s.circle(x, y, r, c);
    s.set_fill(false);
}
}  // namespace

std::vector<MechanismPosition> mechanism_positions(const DesignState& st,
                                                   const std::vector<int>& positions) {
    std::vector<MechanismPosition> out{{st.jd_wai, "外", kBlack}, {st.jd_nei, "内", kBlack}};
    size_t colour = 0;
    for (int p : positions) {
        const double deg = position_angle(st, p) * 180 / kPiAnalysis;
        bool merged = false;
        for (MechanismPosition& m : out) {
            double d = std::fmod(std::fabs(m.phi_deg - deg), 360.0);
            if (std::min(d, 360 - d) < 1e-6) {
                m.name = std::to_string(p) + "(" + m.name + ")";
                merged = true;
            }
        }
        if (!merged)
            out.push_back(
                {deg, std::to_string(p), kPositionColours[colour++ % std::size(kPositionColours)]});
    }
    return out;
}

void draw_mechanism(draw::DrawingSurface& s, const PixelBox& frame, const DesignState& st,
                    const std::vector<MechanismPosition>& positions, double mu_l) {
    const double r = st.qb_r, l = st.lg_l, e = val(st.hs_e);
    const double paper = mu_l * 1000;  // real mm per mm of drawing
    const PixelBox box = scale_line(s, frame, "μl = " + plain(mu_l) + " m/mm");
    struct Placed {
        double ax, ay, by;
        const MechanismPosition* p;
    };
    std::vector<Placed> placed;
    for (const MechanismPosition& p : positions) {
        const double phi = p.phi_deg * kPiAnalysis / 180;
        const double ax = r * std::cos(phi), ay = r * std::sin(phi);
        const double rest = l * l - (e - ax) * (e - ax);
        if (!(rest >= 0)) continue;
        placed.push_back({ax, ay, ay + std::sqrt(rest), &p});
    }
    double top = r, bottom = -r;
    for (const Placed& p : placed) top = std::max(top, p.by + kSliderH / 2 * paper);
    const double left = std::min(-r, e - kSliderW / 2 * paper),
                 right = std::max(r, e + kSliderW / 2 * paper);
    centred_scale(s, box, (left + right) / 2, (top + bottom) / 2, paper);

    // The crank circle and the piston path, thin and dashed.
    s.set_line_width(1);
    s.set_line_style(1);
    s.circle(0, 0, r, kGrey);
    double path_low = top, path_high = bottom;
    for (const Placed& p : placed)
        path_low = std::min(path_low, p.by), path_high = std::max(path_high, p.by);
    s.line(e, path_low - kSliderH * paper, e, path_high + kSliderH * paper, kGrey);
    s.set_line_style(0);
    // The frame pivot: a triangle on a hatched base.
    const double t = 4 * paper;
    s.line(0, 0, -t / 2, -t, kBlack);
    s.line(0, 0, t / 2, -t, kBlack);
    s.line(-t, -t, t, -t, kBlack);
    for (double x = -t; x < t; x += t / 3) s.line(x, -t, x - t / 3, -t - t / 3, kBlack);

    std::vector<PointName> names{{0, 0, "O"}};
    for (const Placed& p : placed) {
        const draw::Colour c = p.p->colour;
        s.set_line_width(2);
        s.line(0, 0, p.ax, p.ay, c);
        s.line(p.ax, p.ay, e, p.by, c);
        // The slider as four lines, so that names keep off it.
        const double hw = kSliderW / 2 * paper, hh = kSliderH / 2 * paper;
        s.set_line_width(1);
        s.line(e - hw, p.by - hh, e + hw, p.by - hh, c);
        s.line(e + hw, p.by - hh, e + hw, p.by + hh, c);
        s.line(e + hw, p.by + hh, e - hw, p.by + hh, c);
        s.line(e - hw, p.by + hh, e - hw, p.by - hh, c);
        hollow_joint(s, p.ax, p.ay, 1.2 * paper, c);
        hollow_joint(s, e, p.by, 1.2 * paper, c);
        names.push_back({p.ax, p.ay, "A" + p.p->name});
        names.push_back({e + hw, p.by, "B" + p.p->name});
    }
    hollow_joint(s, 0, 0, 1.5 * paper, kBlack);
    print_names(s, names, {}, box);
}

bool draw_motion_polygon(draw::DrawingSurface& s, const PixelBox& frame, const DesignState& st,
                         int position, bool acceleration, double mu) {
    const std::string scale =
        acceleration ? "μa = " + plain(mu) + " (m/s²)/mm" : "μv = " + plain(mu) + " (m/s)/mm";
    const PixelBox box = scale_line(s, frame, scale);
    const double r = st.qb_r / 1000, l = st.lg_l / 1000, e = val(st.hs_e) / 1000;
    const double omega1 = -val(st.qb_w) * 2 * kPiAnalysis / 60, phi = position_angle(st, position);
    const PolygonScale unit{};
    const auto u = jisuan(r, l, e, phi, omega1, &unit);
    if (!u) return false;
    // Drawing units per m/s (or m/s²), and the polygon's box centred in the frame.
    const double k_units = 1 / mu / kPolygonUnitMm;
    const PolygonOffsets o = polygon_offsets(*u);
    const std::vector<double>& dx = acceleration ? o.ax : o.vx;
    const std::vector<double>& dy = acceleration ? o.ay : o.vy;
    const auto [x0, x1] = std::minmax_element(dx.begin(), dx.end());
    const auto [y0, y1] = std::minmax_element(dy.begin(), dy.end());
    PolygonScale place;
    place.scale_v = place.scale_a = k_units;
    place.centre_v_x = place.centre_a_x = -(*x0 + *x1) / 2 * k_units;
    place.centre_v_y = place.centre_a_y = -(*y0 + *y1) / 2 * k_units;
    const auto k = jisuan(r, l, e, phi, omega1, &place);
    if (!k) return false;
    centred_scale(s, box, 0, 0, 1 / kPolygonUnitMm);
    s.set_line_width(2);
    const std::vector<PointName> names = acceleration ? grid_acceleration_polygon(s, *k, k_units)
                                                      : grid_velocity_polygon(s, *k, k_units);
    s.set_line_width(1);
    print_names(s, names, {}, box);
    return true;
}

void draw_force_figure(draw::DrawingSurface& s, const PixelBox& frame, const DesignState& filled,
                       int member, int position, double mu_f) {
    const PixelBox box = scale_line(s, frame, "μF = " + plain(mu_f) + " N/mm");
    const std::vector<ForceStep> steps =
        force_polygon(filled.force_table, member, (position - 1) * 30, filled.force);
    double x = 0, y = 0, x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    for (const ForceStep& f : steps) {
        x += f.fx / mu_f, y += f.fy / mu_f;
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
    centred_scale(s, box, (x0 + x1) / 2, (y0 + y1) / 2, 1);
    s.set_line_width(2);
    const auto tips = force_polygon_lines(s, steps, 0, 0, mu_f, true);
    s.set_line_width(1);
    std::vector<PixelBox> dots;
    const double dot = 1.1;  // mm
    for (size_t i = 0; i < tips.size(); ++i) {
        s.set_fill(true, print_colour(dot_colour(steps[i].dot)));
        s.circle(tips[i].first, tips[i].second, dot, kBlack);
        const double px = s.to_px_x(tips[i].first), py = s.to_px_y(tips[i].second),
                     rp = dot * kPxPerMm;
        dots.push_back({px - rp, py - rp, px + rp, py + rp});
    }
    s.set_fill(false);
    print_force_names(s, steps, tips, dots, box);
}

void draw_cam_figure(draw::DrawingSurface& s, const PixelBox& frame, const CamInputs& cam,
                     double mu_l) {
    if (check_cam_inputs(cam) != CamInputError::None) return;
    const double paper = mu_l * 1000;
    PixelBox box = scale_line(s, frame, "μl = " + plain(mu_l) + " m/mm");
    // The legend in a row along the bottom: a short stroke of each line and its name.
    const QFontMetricsF fm(s.font());
    const double th = fm.height();
    const struct {
        const char* name;
        draw::Colour c;
        int style, width;
    } legend[] = {{"实际轮廓", kBlack, 0, 2},
                  {"理论轮廓（虚线）", 0xFF0000, 1, 1},
                  {"基圆", 255, 0, 1},
                  {"滚子", kGrey, 0, 1}};
    double lx = box.left + 2;
    const double ly = box.bottom - th - 1;
    for (const auto& item : legend) {
        s.set_line_width(item.width);
        s.set_line_style(item.style);
        s.line(lx, ly + th / 2, lx + 22, ly + th / 2, item.c);
        s.set_line_style(0);
        s.set_current(lx + 26, ly);
        s.print(item.name);
        lx += 26 + fm.horizontalAdvance(QString::fromUtf8(item.name)) + 14;
    }
    box.bottom = ly - 4;
    // The cam window's drawing has y downward; the profile's arcs are given for it.
    const double w = (box.right - box.left) / kPxPerMm * paper,
                 h = (box.bottom - box.top) / kPxPerMm * paper;
    set_frame_scale(s, box, -w / 2, -h / 2, w, h);
    const CamProfile profile(cam);
    s.set_line_width(1);
    draw_base_circle(s, cam.r0);
    s.set_line_style(1);
    s.set_fore_colour(0xFF0000);
    draw_profile(s, profile, false);
    s.set_line_style(0);
    s.set_fore_colour(kBlack);
    s.set_line_width(2);
    draw_profile(s, profile, true);
    s.set_line_width(1);
    for (double d : {0.0, 30.0, 60.0, 105.0, 140.0, 250.0}) {
        const CamPoint c = profile.pitch_point(d);
        s.circle(c.x, c.y, cam.rr, kGrey);
        s.point(c.x, c.y, kGrey);
    }
    const double arm = 6 * paper;
    s.line(-arm, 0, arm, 0, kGrey);
    s.line(0, -arm, 0, arm, kGrey);
}

}  // namespace vm::figures
