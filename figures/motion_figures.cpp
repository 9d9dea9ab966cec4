// The polygons' arrows, their point names and the force polygons' lines.
#include "figures/motion_figures.h"

#include <QFontMetricsF>
#include <cmath>

#include "core/motion_polygons.h"
#include "draw/drawing_surface.h"

namespace vm::figures {

namespace {
// Tip of an arrow of |length| along theta from (x, y).
std::pair<double, double> tip(double x, double y, double length, double theta) {
    return {x + std::fabs(length) * std::cos(theta), y + std::fabs(length) * std::sin(theta)};
}

LabelRect bounds_of(const draw::DrawingSurface& s, const PixelBox& b) {
    if (b.empty())
        return {0, 0, static_cast<double>(s.width_px()), static_cast<double>(s.height_px())};
    return {b.left, b.top, b.right, b.bottom};
}

LabelPlacer placer_over_lines(const draw::DrawingSurface& s, const PixelBox& bounds) {
    LabelPlacer placer(bounds_of(s, bounds));
    for (const draw::Primitive& p : s.display_list())
        if (p.kind == draw::PrimitiveKind::Line) placer.add_line(p.x1, p.y1, p.x2, p.y2);
    return placer;
}

void print_at(draw::DrawingSurface& s, const LabelRect& r, const std::string& text) {
    s.set_current(s.from_px_x(r.left), s.from_px_y(r.top));
    s.print(text);
}
}  // namespace

void draw_arrow(draw::DrawingSurface& s, double xs, double ys, double length, double theta,
                int colour, double head) {
    const Arrow a = arrow_geometry(xs, ys, length, theta, head);
    const draw::Colour c = draw::qb_color(colour);
    s.line(a.x0, a.y0, a.tip_x, a.tip_y, c);
    if (a.has_head()) {
        s.line(a.tip_x, a.tip_y, a.barb1_x, a.barb1_y, c);
        s.line(a.tip_x, a.tip_y, a.barb2_x, a.barb2_y, c);
    }
    s.set_current(a.end_x(), a.end_y());
}

// p -> a (crank pin), p -> b (piston), a -> b (relative velocity); the head
// grows with the scale so it stays in proportion to the polygon.
std::vector<PointName> single_velocity_polygon(draw::DrawingSurface& s, const Kinematics& k,
                                               double sv) {
    auto arrow = [&](double x, double y, double length, double theta) {
        double factor = 7 * sv / 20;
        draw_arrow(s, x, y, length, theta, kVelocityColour, head_scaled(length, factor));
    };
    arrow(k.pole_v_x, k.pole_v_y, sv * k.v_a, k.dir_v_a);
    arrow(k.pole_v_x, k.pole_v_y, sv * k.v_b, k.dir_v_b);
    const auto [ax, ay] = tip(k.pole_v_x, k.pole_v_y, sv * k.v_a, k.dir_v_a);
    const auto [bx, by] = tip(k.pole_v_x, k.pole_v_y, sv * k.v_b, k.dir_v_b);
    arrow(ax, ay, sv * k.v_ba, k.dir_v_ba);
    return {{k.pole_v_x, k.pole_v_y, "p"}, {ax, ay, "a"}, {bx, by, "b"}};
}

namespace {
// p' -> a', p' -> b', then a' -> n' (normal) and n' -> b' (tangential); the
// single polygon and the grid differ only in how an arrow's head is sized.
template <class Head>
std::vector<PointName> acceleration_polygon(draw::DrawingSurface& s, const Kinematics& k, double sa, Head head) {
    auto arrow = [&](double x, double y, double length, double theta) {
        draw_arrow(s, x, y, length, theta, kAccelerationColour, head(length));
    };
    arrow(k.pole_a_x, k.pole_a_y, sa * k.a_a, k.dir_a_a);
    arrow(k.pole_a_x, k.pole_a_y, sa * k.a_b, k.dir_a_b);
    arrow(k.pt_a2_x, k.pt_a2_y, sa * k.a_ba_n, k.dir_a_ba_n);
    arrow(k.pt_n_x, k.pt_n_y, sa * k.a_ba_t, k.dir_a_ba_t);
    const auto [bx, by] = tip(k.pole_a_x, k.pole_a_y, sa * k.a_b, k.dir_a_b);
    return {{k.pole_a_x, k.pole_a_y, "p'"}, {k.pt_a2_x, k.pt_a2_y, "a'"}, {bx, by, "b'"}};
}
}  // namespace

// The head grows with the scale so it stays in proportion to the polygon.
std::vector<PointName> single_acceleration_polygon(draw::DrawingSurface& s, const Kinematics& k,
                                                   double sa) {
    return acceleration_polygon(s, k, sa, [sa](double length) {
        double factor = 7 * sa;  // set to 0 for an arrow too short to carry a head
        return head_scaled(length, factor);
    });
}

std::vector<PointName> grid_velocity_polygon(draw::DrawingSurface& s, const Kinematics& k,
                                             double sv) {
    auto arrow = [&](double x, double y, double length, double theta) {
        draw_arrow(s, x, y, length, theta, kVelocityColour, head_exact_zero(length));
    };
    arrow(k.pole_v_x, k.pole_v_y, sv * k.v_a, k.dir_v_a);
    arrow(k.pole_v_x, k.pole_v_y, sv * k.v_b, k.dir_v_b);
    arrow(k.pt_a_x, k.pt_a_y, sv * k.v_ba, k.dir_v_ba);
    const auto [bx, by] = tip(k.pole_v_x, k.pole_v_y, sv * k.v_b, k.dir_v_b);
    return {{k.pole_v_x, k.pole_v_y, "p"}, {k.pt_a_x, k.pt_a_y, "a"}, {bx, by, "b"}};
}

std::vector<PointName> grid_acceleration_polygon(draw::DrawingSurface& s, const Kinematics& k,
                                                 double sa) {
    return acceleration_polygon(s, k, sa, [](double length) { return head_hundredths(length); });
}

void print_names(draw::DrawingSurface& s, const std::vector<PointName>& names,
                 const std::vector<Caption>& captions, const PixelBox& bounds) {
    LabelPlacer placer = placer_over_lines(s, bounds);
    const QFontMetricsF fm(s.font());
    for (const auto& n : names) {
        const QString t = QString::fromStdString(n.text);
        print_at(s,
                 placer.place_beside(s.to_px_x(n.x), s.to_px_y(n.y), fm.horizontalAdvance(t),
                                     fm.height()),
                 n.text);
    }
    // Captions that share a line stay on one line, moved together if they must move.
    std::vector<std::vector<size_t>> rows;
    for (size_t i = 0; i < captions.size(); ++i) {
        if (rows.empty() || captions[rows.back().front()].top != captions[i].top)
            rows.emplace_back();
        rows.back().push_back(i);
    }
    for (const std::vector<size_t>& row : rows) {
        std::vector<LabelRect> preferred;
        for (size_t i : row) {
            const double l = s.to_px_x(captions[i].left), t = s.to_px_y(captions[i].top);
            preferred.push_back({l, t,
                                 l + fm.horizontalAdvance(QString::fromStdString(captions[i].text)),
                                 t + fm.height()});
        }
        const std::vector<LabelRect> placed = placer.place_row(preferred);
        for (size_t j = 0; j < row.size(); ++j) print_at(s, placed[j], captions[row[j]].text);
    }
}

std::uint32_t print_colour(std::uint32_t c) {
    if (c == 0xFFFF) return draw::rgb(190, 150, 0);  // yellow
    if (c == 0xFF00) return draw::rgb(0, 150, 0);    // green
    return c;
}

std::vector<std::pair<double, double>> force_polygon_lines(draw::DrawingSurface& s,
                                                           const std::vector<ForceStep>& steps,
                                                           double x0, double y0,
                                                           double newtons_per_unit,
                                                           bool for_paper) {
    std::vector<std::pair<double, double>> tips;
    double x = x0, y = y0;
    for (const ForceStep& f : steps) {
        const double tip_x = x + f.fx / newtons_per_unit, tip_y = y + f.fy / newtons_per_unit;
        s.line(x, y, tip_x, tip_y, for_paper ? print_colour(dot_colour(f.dot)) : dot_colour(f.dot));
        tips.emplace_back(tip_x, tip_y);
        x = tip_x;
        y = tip_y;
    }
    return tips;
}

void print_force_names(draw::DrawingSurface& s, const std::vector<ForceStep>& steps,
                       const std::vector<std::pair<double, double>>& tips,
                       const std::vector<PixelBox>& marks, const PixelBox& bounds) {
    LabelPlacer placer = placer_over_lines(s, bounds);
    for (const PixelBox& m : marks) placer.add_obstacle({m.left, m.top, m.right, m.bottom});
    const QFontMetricsF fm(s.font());
    for (size_t i = 0; i < steps.size() && i < tips.size(); ++i) {
        const QString name = QString::fromStdString(steps[i].name);
        print_at(s,
                 placer.place_beside(s.to_px_x(tips[i].first), s.to_px_y(tips[i].second),
                                     fm.horizontalAdvance(name), fm.height()),
                 steps[i].name);
    }
}

void set_frame_scale(draw::DrawingSurface& s, const PixelBox& frame, double u_left, double u_top,
                     double u_width, double u_height) {
    const double fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    const double sw = u_width * s.width_px() / fw, sh = u_height * s.height_px() / fh;
    s.set_scale(u_left - frame.left * sw / s.width_px(), u_top - frame.top * sh / s.height_px(), sw,
                sh);
}

}  // namespace vm::figures
