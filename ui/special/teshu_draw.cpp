// Drawing of the crank-slider and of its motion diagram for the special-positions
// window.
#include "ui/special/teshu_draw.h"
#include "core/segment_clip.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "core/special_curves.h"

namespace vm::special_view {

namespace {
constexpr int kSolid = 0;
// Centre lines are drawn dash-dot, as drafting draws them.
constexpr int kCentreLine = draw::kDashDotLine;
constexpr int kDashed = 1;
constexpr double kJointRadius = 5;   // mm
constexpr double kPistonHeight = 10;  // mm
// The dashed lines at a half and a full turn reach this far either side of the
// axis (diagram units); their names hang this far below them.
constexpr double kTurnLineHalf = 17;
constexpr double kNameGap = 0.3;

// Draws the part of a member inside the view, so a member far longer than the
// picture never sends the painter millions of pixels away.
void member_line(draw::DrawingSurface& s, const special::MechanismView& v, double x1, double y1,
                 double x2, double y2) {
    const auto in = clip_segment(x1, y1, x2, y2, v.left, v.top - v.height, v.left + v.width, v.top);
    if (!in) return;
    const double dx = x2 - x1, dy = y2 - y1;
    s.line(x1 + in->t0 * dx, y1 + in->t0 * dy, x1 + in->t1 * dx, y1 + in->t1 * dy);
}

void joint(draw::DrawingSurface& s, double x, double y) { s.circle(x, y, kJointRadius); }

// Width of a text in user units under the current scale and font.
double text_width(const draw::DrawingSurface& s, const QString& text) {
    return QFontMetricsF(s.font()).horizontalAdvance(text) * std::fabs(s.scale_width()) / s.width_px();
}

void print_at(draw::DrawingSurface& s, double x, double y, const QString& text) {
    s.set_current(x, y);
    s.print(text);
}
}  // namespace

void set_mechanism_scale(draw::DrawingSurface& s, const special::MechanismView& view) {
    s.set_scale(view.left, view.top, view.width, -view.height);
}

void set_diagram_scale(draw::DrawingSurface& s) { s.set_scale(-1, 20, 11, -40); }

namespace {
struct PxBox {
    double x0, y0, x1, y1;
    bool overlaps(const PxBox& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};

bool line_crosses(const draw::Primitive& l, const PxBox& b) {
    return clip_segment(l.x1, l.y1, l.x2, l.y2, b.x0, b.y0, b.x1, b.y1).has_value();
}

// A circle's outline passes through the box when the box holds points both
// nearer to the centre than the radius and farther.
bool ring_crosses(const draw::Primitive& c, const PxBox& b) {
    const double nx = std::clamp(c.x1, b.x0, b.x1), ny = std::clamp(c.y1, b.y0, b.y1);
    const double near_d = std::hypot(nx - c.x1, ny - c.y1);
    const double far_x = std::max(std::fabs(b.x0 - c.x1), std::fabs(b.x1 - c.x1));
    const double far_y = std::max(std::fabs(b.y0 - c.y1), std::fabs(b.y1 - c.y1));
    return near_d <= c.radius && std::hypot(far_x, far_y) >= c.radius;
}

bool clear_of_drawing(const draw::DrawingSurface& s, const PxBox& b) {
    if (b.x0 < 0 || b.y0 < 0 || b.x1 > s.width_px() || b.y1 > s.height_px()) return false;
    for (const draw::Primitive& p : s.display_list()) {
        if (p.kind == draw::PrimitiveKind::Line && line_crosses(p, b)) return false;
        if (p.kind == draw::PrimitiveKind::Circle && ring_crosses(p, b)) return false;
        if (p.kind == draw::PrimitiveKind::Text && b.overlaps({p.x1, p.y1, p.x1 + p.x2, p.y1 + p.y2}))
            return false;
    }
    return true;
}

// Prints a joint's name beside it where no line, circle or other name of the
// picture passes: first right of and below the joint, then the other sides.
void name_joint(draw::DrawingSurface& s, double x, double y, const QString& name) {
    const QFontMetricsF fm(s.font());
    const double w = fm.horizontalAdvance(name), h = fm.height();
    const double px = s.to_px_x(x), py = s.to_px_y(y);
    const double g = s.units_to_px_x(special::kJointNameOffset);
    const double r = s.units_to_px_x(kJointRadius) + 2;
    const double offsets[][2] = {{g, g},         {g, -g - h},    {-g - w, g},    {-g - w, -g - h},
                                 {r, -h / 2},    {-r - w, -h / 2}, {-w / 2, r},  {-w / 2, -r - h},
                                 {2 * g, 2 * g}, {-2 * g - w, 2 * g}, {2 * g, -2 * g - h},
                                 {-2 * g - w, -2 * g - h}};
    double left = px + offsets[0][0], top = py + offsets[0][1];
    for (const auto& o : offsets) {
        const PxBox b{px + o[0], py + o[1], px + o[0] + w, py + o[1] + h};
        if (clear_of_drawing(s, b)) {
            left = b.x0;
            top = b.y0;
            break;
        }
    }
    print_at(s, s.from_px_x(left), s.from_px_y(top), name);
}
}  // namespace

void label_joints(draw::DrawingSurface& s, const special::SliderPosition& p) {
    name_joint(s, p.xA, p.yA, QStringLiteral("A"));
    name_joint(s, p.xB, p.yB, QStringLiteral("B"));
}

void draw_mechanism(draw::DrawingSurface& s, const special::CrankSlider& m,
                    const special::SliderPosition& p, double D, const special::MechanismView& v) {
    s.set_line_style(kSolid);
    s.set_line_width(3);
    joint(s, 0, 0);
    joint(s, p.xA, p.yA);
    joint(s, p.xB, p.yB);
    member_line(s, v, 0, 0, p.xA, p.yA);
    member_line(s, v, p.xA, p.yA, p.xB, p.yB);

    // Piston: D wide and 10 high, centred on the piston pin.
    const double left = m.E - D / 2, right = m.E + D / 2;
    const double low = p.yB - kPistonHeight / 2, high = p.yB + kPistonHeight / 2;
    member_line(s, v, left, low, left, high);
    member_line(s, v, left, high, right, high);
    member_line(s, v, right, high, right, low);
    member_line(s, v, right, low, left, low);

    // Fixed bearing of the crank with its hatched ground.
    s.line(0, 0, -10, -20);
    s.line(0, 0, 10, -20);
    s.line(-20, -20, 20, -20);
    for (int x = -20; x <= 20; x += 10) s.line(x, -20, x - 10, -30);

    s.set_line_style(kCentreLine);
    s.set_line_width(1);
    s.set_fore_colour(kRed);
    s.line(m.E, v.guide_high, m.E, v.guide_low);
    s.line(0, v.axis_half, 0, -v.axis_half);
    s.line(-v.axis_half, 0, v.axis_half, 0);
    s.set_fore_colour(kBlack);
    s.circle(0, 0, m.R);
    if (v.fitted) {
        const double px = v.mm_per_px(s.width_px());
        print_at(s, v.left + 4 * px, v.top - 2 * px, QString::fromStdString(screen_scale_text(px)));
    }
}

void draw_curve_frame(draw::DrawingSurface& s) {
    set_diagram_scale(s);
    // Wide lines are always solid, whatever style the last frame left behind.
    s.set_line_style(kSolid);
    s.line(-1, 0, 9.7, 0, kBlue);
    s.line(8.7, 0.5, 9.7, 0, kBlue);
    s.line_to(8.7, -0.5, kBlue);
    s.set_fore_colour(kRed);
    print_at(s, 9.5, -1, QStringLiteral("θ"));
    s.line(0, 19, 0, -19, kBlue);
    s.line(0.2, 17, 0, 19, kBlue);
    s.line_to(-0.2, 17, kBlue);
    // The three quantities a little more than a text line apart, so that
    // none runs into the next.
    const double line = 1.1 * s.text_height();
    print_at(s, 0.5, 19, QStringLiteral("S/mm"));
    print_at(s, 0.5, 19 - line, QStringLiteral("V/mm/s"));
    print_at(s, 0.5, 19 - 2 * line, QStringLiteral("A/mm/s^2"));
    print_at(s, -0.5, -0.5, QStringLiteral("O"));

    s.set_line_width(1);
    s.set_line_style(kDashed);
    // Half-turn and full-turn lines, each named centred under its lower end,
    // clear of the line itself and of the curves.
    const double turn_marks[2] = {special::kPiSpecial, 2 * special::kPiSpecial};
    const QString names[2] = {QStringLiteral("π"), QStringLiteral("2π")};
    for (int i = 0; i < 2; ++i) {
        s.line(turn_marks[i], kTurnLineHalf, turn_marks[i], -kTurnLineHalf, kBlack);
        print_at(s, turn_marks[i] - text_width(s, names[i]) / 2, -kTurnLineHalf - kNameGap, names[i]);
    }
    s.set_line_width(2);
}

draw::Colour curve_colour(Curve c) {
    switch (c) {
        case Curve::Displacement: return kRed;
        case Curve::Velocity: return kBlue;
        case Curve::Acceleration: return kMagenta;
    }
    return kBlack;
}

void draw_curves(draw::DrawingSurface& s, const special::CrankSlider& m, double H,
                 const special::CurveScales& scales, const std::vector<Curve>& curves, double delta) {
    set_diagram_scale(s);
    for (double t : special::curve_angles(delta)) {
        const auto v = special::curve_values(m, H, t, scales);
        if (!v) continue;
        for (Curve c : curves) {
            const double y = c == Curve::Displacement ? v->displacement
                             : c == Curve::Velocity   ? v->velocity
                                                      : v->acceleration;
            s.point(t, y, curve_colour(c));
        }
    }
}

}  // namespace vm::special_view
