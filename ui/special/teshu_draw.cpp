// Drawing of the crank-slider and of its motion diagram for the special-positions
// window.
#include "ui/special/teshu_draw.h"

#include <QString>
#include <algorithm>
#include <cmath>

#include "core/special_curves.h"

namespace vm::special_view {

namespace {
constexpr int kSolid = 0;
// The surface has no dash-dot pen; centre lines are drawn dashed.
constexpr int kCentreLine = 1;
constexpr int kDashed = 1;
constexpr double kJointRadius = 5;   // mm
constexpr double kPistonHeight = 10;  // mm

// A rod kilometres long (K a hair above 1) would send lines millions of pixels
// off the picture and make painting crawl; members are cut to this reach
// around O (mm), far beyond what the picture shows.
constexpr double kReach = 5000;

// Draws the part of a member inside the reach (Liang-Barsky clipping).
void member_line(draw::DrawingSurface& s, double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + kReach, kReach - x1, y1 + kReach, kReach - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return;
    }
    s.line(x1 + t0 * dx, y1 + t0 * dy, x1 + t1 * dx, y1 + t1 * dy);
}

bool within_reach(double x, double y) { return std::fabs(x) <= kReach && std::fabs(y) <= kReach; }

void joint(draw::DrawingSurface& s, double x, double y) {
    if (within_reach(x, y)) s.circle(x, y, kJointRadius);
}

void print_at(draw::DrawingSurface& s, double x, double y, const QString& text) {
    s.set_current(x, y);
    s.print(text);
}
}  // namespace

void set_mechanism_scale(draw::DrawingSurface& s) { s.set_scale(-300, 860, 600, -1100); }

void set_diagram_scale(draw::DrawingSurface& s) { s.set_scale(-1, 20, 11, -40); }

void label_joints(draw::DrawingSurface& s, const special::SliderPosition& p) {
    print_at(s, p.xA + 10, p.yA - 10, QStringLiteral("A"));
    if (within_reach(p.xB, p.yB)) print_at(s, p.xB + 10, p.yB - 10, QStringLiteral("B"));
}

void draw_mechanism(draw::DrawingSurface& s, const special::CrankSlider& m,
                    const special::SliderPosition& p, double D) {
    s.set_line_style(kSolid);
    s.set_line_width(3);
    joint(s, 0, 0);
    joint(s, p.xA, p.yA);
    joint(s, p.xB, p.yB);
    member_line(s, 0, 0, p.xA, p.yA);
    member_line(s, p.xA, p.yA, p.xB, p.yB);

    // Piston: D wide and 10 high, centred on the piston pin.
    const double left = m.E - D / 2, right = m.E + D / 2;
    const double low = p.yB - kPistonHeight / 2, high = p.yB + kPistonHeight / 2;
    member_line(s, left, low, left, high);
    member_line(s, left, high, right, high);
    member_line(s, right, high, right, low);
    member_line(s, right, low, left, low);

    // Fixed bearing of the crank with its hatched ground.
    s.line(0, 0, -10, -20);
    s.line(0, 0, 10, -20);
    s.line(-20, -20, 20, -20);
    for (int x = -20; x <= 20; x += 10) s.line(x, -20, x - 10, -30);

    s.set_line_style(kCentreLine);
    s.set_line_width(1);
    s.set_fore_colour(kRed);
    s.line(m.E, 850, m.E, 300);
    s.line(0, 200, 0, -200);
    s.line(-200, 0, 200, 0);
    s.set_fore_colour(kBlack);
    s.circle(0, 0, m.R);
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
    print_at(s, 0.5, 19, QStringLiteral("S/mm"));
    print_at(s, 0.5, 18, QStringLiteral("V/mm/s"));
    print_at(s, 0.5, 17, QStringLiteral("A/mm/s^2"));
    print_at(s, -0.5, -0.5, QStringLiteral("O"));

    s.set_line_width(1);
    s.set_line_style(kDashed);
    print_at(s, special::kPiSpecial, -1, QStringLiteral("π"));
    s.line(special::kPiSpecial, 17, special::kPiSpecial, -17, kBlack);
    print_at(s, 6.433185, -1, QStringLiteral("2π"));
    s.line(2 * special::kPiSpecial, 17, 2 * special::kPiSpecial, -17, kBlack);
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
                 const std::vector<Curve>& curves, double delta) {
    set_diagram_scale(s);
    for (double t : special::curve_angles(delta)) {
        const auto v = special::curve_values(m, H, t);
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
