// Form1's drawings: the arrows of the three pictures, the velocity and
// acceleration polygons, and the cut-away cylinder of the menu view.
#include <QFontMetricsF>
#include <cmath>
#include <utility>

#include "core/design_state.h"
#include "core/motion_polygons.h"
#include "draw/surface_widget.h"
#include "ui/motion/arrow_draw.h"
#include "ui/motion/form1.h"

namespace vm {

void draw_arrow(draw::DrawingSurface& s, double xs, double ys, double length, double theta, int colour,
                double head) {
    const Arrow a = arrow_geometry(xs, ys, length, theta, head);
    const draw::Colour c = draw::qb_color(colour);
    s.line(a.x0, a.y0, a.tip_x, a.tip_y, c);
    if (a.has_head()) {
        s.line(a.tip_x, a.tip_y, a.barb1_x, a.barb1_y, c);
        s.line(a.tip_x, a.tip_y, a.barb2_x, a.barb2_y, c);
    }
    s.set_current(a.end_x(), a.end_y());
}

void Form1::shiliang1(double xs, double ys, double length, double theta, int colour) {
    draw_arrow(Picture1->surface(), xs, ys, length, theta, colour, head_exact_zero(length));
}

void Form1::shiliang2(double xs, double ys, double length, double theta, int colour) {
    draw_arrow(Picture2->surface(), xs, ys, length, theta, colour, head_hundredths(length));
}

void Form1::shiliang3(double xs, double ys, double length, double theta, int colour, double& factor) {
    draw_arrow(Picture3->surface(), xs, ys, length, theta, colour, head_scaled(length, factor));
}

namespace {
constexpr int kVelocityColour = 4;      // QBColor 4, dark red
constexpr int kAccelerationColour = 0;  // QBColor 0, black
}  // namespace

namespace {
// Tip of an arrow of |length| along theta from (x, y).
std::pair<double, double> tip(double x, double y, double length, double theta) {
    return {x + std::fabs(length) * std::cos(theta), y + std::fabs(length) * std::sin(theta)};
}
}  // namespace

void print_names(draw::DrawingSurface& s, const std::vector<PointName>& names, const std::vector<Caption>& captions) {
    LabelPlacer placer({0, 0, static_cast<double>(s.width_px()), static_cast<double>(s.height_px())});
    for (const draw::Primitive& p : s.display_list())
        if (p.kind == draw::PrimitiveKind::Line) placer.add_line(p.x1, p.y1, p.x2, p.y2);
    const QFontMetricsF fm(s.font());
    auto print_at = [&](const LabelRect& r, const std::string& text) {
        s.set_current(s.from_px_x(r.left), s.from_px_y(r.top));
        s.print(text);
    };
    for (const auto& n : names) {
        const QString t = QString::fromStdString(n.text);
        print_at(placer.place_beside(s.to_px_x(n.x), s.to_px_y(n.y), fm.horizontalAdvance(t), fm.height()), n.text);
    }
    // Captions that share a line stay on one line, moved together if they must move.
    std::vector<std::vector<size_t>> rows;
    for (size_t i = 0; i < captions.size(); ++i) {
        if (rows.empty() || captions[rows.back().front()].top != captions[i].top) rows.emplace_back();
        rows.back().push_back(i);
    }
    for (const std::vector<size_t>& row : rows) {
        std::vector<LabelRect> preferred;
        for (size_t i : row) {
            const double l = s.to_px_x(captions[i].left), t = s.to_px_y(captions[i].top);
            preferred.push_back({l, t, l + fm.horizontalAdvance(QString::fromStdString(captions[i].text)),
                                 t + fm.height()});
        }
        const std::vector<LabelRect> placed = placer.place_row(preferred);
        for (size_t j = 0; j < row.size(); ++j) print_at(placed[j], captions[row[j]].text);
    }
}

// p -> a (crank pin), p -> b (piston), a -> b (relative velocity); the head
// grows with the scale so it stays in proportion to the polygon.
std::vector<PointName> Form1::draw_single_velocity() {
    const Kinematics& k = state_.kin;
    const double sv = state_.poly.scale_v;
    double factor = 7 * sv / 20;
    shiliang3(k.pole_v_x, k.pole_v_y, sv * k.v_a, k.dir_v_a, kVelocityColour, factor);
    factor = 7 * sv / 20;
    shiliang3(k.pole_v_x, k.pole_v_y, sv * k.v_b, k.dir_v_b, kVelocityColour, factor);
    const auto [ax, ay] = tip(k.pole_v_x, k.pole_v_y, sv * k.v_a, k.dir_v_a);
    const auto [bx, by] = tip(k.pole_v_x, k.pole_v_y, sv * k.v_b, k.dir_v_b);
    factor = 7 * sv / 20;
    shiliang3(ax, ay, sv * k.v_ba, k.dir_v_ba, kVelocityColour, factor);
    return {{k.pole_v_x, k.pole_v_y, "p"}, {ax, ay, "a"}, {bx, by, "b"}};
}

// p' -> a', p' -> b', then a' -> n' (normal) and n' -> b' (tangential).
std::vector<PointName> Form1::draw_single_acceleration() {
    const Kinematics& k = state_.kin;
    const double sa = state_.poly.scale_a;
    double factor = 7 * sa;
    shiliang3(k.pole_a_x, k.pole_a_y, sa * k.a_a, k.dir_a_a, kAccelerationColour, factor);
    factor = 7 * sa;
    shiliang3(k.pole_a_x, k.pole_a_y, sa * k.a_b, k.dir_a_b, kAccelerationColour, factor);
    factor = 7 * sa;
    shiliang3(k.pt_a2_x, k.pt_a2_y, sa * k.a_ba_n, k.dir_a_ba_n, kAccelerationColour, factor);
    factor = 7 * sa;
    shiliang3(k.pt_n_x, k.pt_n_y, sa * k.a_ba_t, k.dir_a_ba_t, kAccelerationColour, factor);
    const auto [bx, by] = tip(k.pole_a_x, k.pole_a_y, sa * k.a_b, k.dir_a_b);
    return {{k.pole_a_x, k.pole_a_y, "p'"}, {k.pt_a2_x, k.pt_a2_y, "a'"}, {bx, by, "b'"}};
}

std::vector<PointName> Form1::draw_grid_velocity() {
    const Kinematics& k = state_.kin;
    const double sv = state_.poly.scale_v;
    shiliang1(k.pole_v_x, k.pole_v_y, sv * k.v_a, k.dir_v_a, kVelocityColour);
    shiliang1(k.pole_v_x, k.pole_v_y, sv * k.v_b, k.dir_v_b, kVelocityColour);
    shiliang1(k.pt_a_x, k.pt_a_y, sv * k.v_ba, k.dir_v_ba, kVelocityColour);
    const auto [bx, by] = tip(k.pole_v_x, k.pole_v_y, sv * k.v_b, k.dir_v_b);
    return {{k.pole_v_x, k.pole_v_y, "p"}, {k.pt_a_x, k.pt_a_y, "a"}, {bx, by, "b"}};
}

std::vector<PointName> Form1::draw_grid_acceleration() {
    const Kinematics& k = state_.kin;
    const double sa = state_.poly.scale_a;
    shiliang2(k.pole_a_x, k.pole_a_y, sa * k.a_a, k.dir_a_a, kAccelerationColour);
    shiliang2(k.pole_a_x, k.pole_a_y, sa * k.a_b, k.dir_a_b, kAccelerationColour);
    shiliang2(k.pt_a2_x, k.pt_a2_y, sa * k.a_ba_n, k.dir_a_ba_n, kAccelerationColour);
    shiliang2(k.pt_n_x, k.pt_n_y, sa * k.a_ba_t, k.dir_a_ba_t, kAccelerationColour);
    const auto [bx, by] = tip(k.pole_a_x, k.pole_a_y, sa * k.a_b, k.dir_a_b);
    return {{k.pole_a_x, k.pole_a_y, "p'"}, {k.pt_a2_x, k.pt_a2_y, "a'"}, {bx, by, "b'"}};
}

// Pixel drawing, y down: the cylinder cut open along its axis, the intake
// valve in the head, the piston half-way down and the rod to the crank below.
void draw_cylinder_picture(draw::DrawingSurface& s) {
    using draw::rgb;
    const int w = s.width_px(), h = s.height_px();
    s.set_pixel_scale();
    s.filled_box(0, 0, w, h, rgb(226, 232, 240));
    const draw::Colour metal = rgb(150, 156, 166), dark = rgb(70, 74, 82), cut = rgb(96, 100, 110);
    const double left = 48, right = 218, bore_l = 62, bore_r = 204, head_top = 22, head_bottom = 40;
    const double wall_bottom = 206;
    // Cylinder walls and head, cut faces hatched.
    s.filled_box(left, head_top, bore_l, wall_bottom, metal);
    s.filled_box(bore_r, head_top, right, wall_bottom, metal);
    s.filled_box(left, head_top, right, head_bottom, metal);
    s.set_line_width(1);
    for (double y = head_top - 14; y < wall_bottom; y += 8) {
        s.line(left, y + 14, bore_l, y, cut);
        s.line(bore_r, y + 14, right, y, cut);
    }
    for (double x = left; x < right; x += 8) s.line(x, head_bottom, x + 14, head_top, cut);
    s.box(left, head_top, right, wall_bottom, dark);
    s.box(bore_l, head_bottom, bore_r, wall_bottom, dark);
    // Cooling fins on the outside of the walls.
    for (double y = 52; y < wall_bottom - 6; y += 18) {
        s.filled_box(left - 12, y, left, y + 6, metal);
        s.filled_box(right, y, right + 12, y + 6, metal);
    }
    // Intake valve: stem through the head, disc seated in the port.
    const double valve_x = 104;
    s.filled_box(valve_x - 4, 0, valve_x + 4, head_bottom + 2, rgb(120, 90, 60));
    s.filled_box(valve_x - 18, head_bottom - 2, valve_x + 18, head_bottom + 5, rgb(120, 90, 60));
    s.filled_box(valve_x - 12, 4, valve_x + 12, 8, dark);  // spring seat
    for (double y = 8; y < head_top; y += 4) s.line(valve_x - 10, y, valve_x + 10, y + 2, dark);
    // Spark plug beside the valve.
    s.filled_box(150, 6, 162, head_bottom, rgb(230, 230, 225));
    s.box(150, 6, 162, head_bottom, dark);
    // Piston with its rings and pin.
    const double piston_top = 104, piston_bottom = 160;
    s.filled_box(bore_l + 1, piston_top, bore_r - 1, piston_bottom, rgb(188, 192, 200));
    s.box(bore_l + 1, piston_top, bore_r - 1, piston_bottom, dark);
    for (double y = piston_top + 7; y < piston_top + 25; y += 7) s.line(bore_l + 1, y, bore_r - 1, y, dark);
    const double pin_x = 133, pin_y = 140;
    // Connecting rod down to the crank pin, and the crank circle.
    const double crank_x = 133, crank_y = 236, crank_pin_x = 156, crank_pin_y = 226;
    s.set_line_width(10);
    s.line(pin_x, pin_y, crank_pin_x, crank_pin_y, rgb(90, 96, 120));
    s.set_line_width(2);
    s.circle(crank_x, crank_y, 26, dark);
    s.set_line_width(8);
    s.line(crank_x, crank_y, crank_pin_x, crank_pin_y, rgb(60, 64, 80));
    s.set_line_width(1);
    s.set_fill(true, rgb(240, 240, 240));
    s.circle(pin_x, pin_y, 6, dark);
    s.circle(crank_pin_x, crank_pin_y, 5, dark);
    s.circle(crank_x, crank_y, 4, dark);
    s.set_fill(false);
}

}  // namespace vm
