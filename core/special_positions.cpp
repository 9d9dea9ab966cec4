// The demonstrator's crank-slider: dimensions, slider motion, dead centres and
// fastest points (see special_positions.h for the frame).
#include "core/special_positions.h"

#include <algorithm>
#include <cmath>

#include "core/kinematics.h"

namespace vm::special {

namespace {

// A stroke off by more than this fraction means the synthesis ran out of
// precision (K a hair above 1 puts the construction circle light-years away).
constexpr double kStrokeTolerance = 1e-6;
// Same for the limit-position angle, in radians.
constexpr double kAngleTolerance = 1e-6;

double dead_centre_height(double reach, double E) { return std::sqrt(reach * reach - E * E); }

// Scans phi = first + i*delta for i = lo..hi and returns the theta of the
// first largest slider speed; 0 when no angle moves the slider at all.
double fastest_theta(const CrankSlider& m, double omega, double first, double delta, long lo,
                     long hi) {
    double best_speed = 0;
    double best_phi = 0;
    for (long i = lo; i <= hi; ++i) {
        const double phi = first + static_cast<double>(i) * delta;
        const auto p = slider_at(m, phi);
        if (!p) continue;
        const double speed = std::fabs(omega * p->dy);
        if (speed > best_speed) {
            best_speed = speed;
            best_phi = phi;
        }
    }
    return -best_phi * 180 / kPiSpecial;
}

// Grid indices i with first + i*delta inside the stroke from theta_from to
// theta_to (degrees, theta = -phi*180/pi, so phi falls as theta grows).
struct IndexRange {
    long lo = 0, hi = -1;
};
IndexRange stroke_indices(double first, double delta, double theta_from, double theta_to) {
    const double phi_from = -theta_from * kPiSpecial / 180;
    const double phi_to = -theta_to * kPiSpecial / 180;
    const double a = (phi_from - first) / delta, b = (phi_to - first) / delta;
    IndexRange r;
    if (!std::isfinite(a) || !std::isfinite(b)) return r;
    r.lo = static_cast<long>(std::ceil(std::min(a, b)));
    r.hi = static_cast<long>(std::floor(std::max(a, b)));
    return r;
}

// Grids of the two searches: the crank-on-the-left grid starts at phi = -pi/2
// and steps by pi/10000, the crank-on-the-right grid starts at 0 and steps by
// pi/50000 (finer, because the right-hand speed peak is flatter).
constexpr double kLeftFirst = -kPiSpecial / 2;
constexpr double kLeftDelta = -kPiSpecial / 10000;
constexpr double kRightFirst = 0;
constexpr double kRightDelta = kPiSpecial / 50000;

}  // namespace

std::optional<CrankSlider> solve_dimensions(double H, double E, double K) {
    // The construction is the main window's synthesis run with this window's pi.
    const SynthesisResult s = dimension_synthesis(H, K, E, kPiSpecial);
    if (!s.ok()) return std::nullopt;
    const CrankSlider m{s.value.l, s.value.r, E};
    // Check the design against what was asked: the slider travels H between the
    // dead centres, and the crank positions there enclose the limit-position angle.
    const double y_tdc = dead_centre_height(m.L + m.R, E);
    const double y_bdc = dead_centre_height(m.L - m.R, E);
    const double stroke = y_tdc - y_bdc;
    const double angle = std::atan(y_tdc / E) - std::atan(y_bdc / E);
    if (!std::isfinite(stroke) || std::fabs(stroke - H) > kStrokeTolerance * H) return std::nullopt;
    if (!std::isfinite(angle) || std::fabs(angle - s.value.theta) > kAngleTolerance) return std::nullopt;
    return m;
}

std::optional<SliderPosition> slider_at(const CrankSlider& m, double phi) {
    const double R = m.R, L = m.L, E = m.E;
    const double c = std::cos(phi), s = std::sin(phi);
    const double gap = R * c - E;  // horizontal run of the rod from A to the slider line
    const double q2 = L * L - gap * gap;
    // At q2 = 0 the rod lies horizontal and y' is unbounded.
    if (!(q2 > 0) || !std::isfinite(phi)) return std::nullopt;
    const double Q = std::sqrt(q2);  // vertical rise of the rod from A to B
    SliderPosition p;
    p.xA = R * c;
    p.yA = R * s;
    p.xB = E;
    p.yB = R * s + Q;
    p.y_tdc = dead_centre_height(L + R, E);
    p.S = p.y_tdc - p.yB;
    const double n = gap * R * s;  // Q * dQ/dphi
    p.dy = R * c + n / Q;
    p.ddy = -R * s + (Q * (R * R * std::cos(2 * phi) - E * R * c) - n * n / Q) / (Q * Q);
    return p;
}

double crank_step(double n) { return n * kPiSpecial / 300; }

// One tick is 0.1 s.
double crank_omega(double step) { return 10 * step; }

SliderMotion slider_motion(const SliderPosition& p, double omega) {
    return {omega * p.dy, -(omega * omega * p.ddy)};
}

double top_dead_centre_theta(const CrankSlider& m) {
    const double y_tdc = dead_centre_height(m.L + m.R, m.E);
    return 360 - std::atan(y_tdc / m.E) * 180 / kPiSpecial;
}

double bottom_dead_centre_theta(const CrankSlider& m) {
    const double y_bdc = dead_centre_height(m.L - m.R, m.E);
    return 360 - (std::atan(y_bdc / m.E) * 180 / kPiSpecial + 180);
}

// The slider is fastest once in each stroke, and each stroke is the half-turn
// between the dead centres: the up stroke from bottom to top dead centre
// (theta_bdc..theta_tdc, the crank passing on the left) and the down stroke from
// top dead centre to the next bottom dead centre (theta_tdc - 360..theta_bdc,
// the crank passing on the right). With a large offset a speed peak lies past
// the crank's vertical, so each search covers its whole stroke.
double left_fastest_theta(const CrankSlider& m, double omega) {
    const IndexRange r = stroke_indices(kLeftFirst, kLeftDelta, bottom_dead_centre_theta(m),
                                        top_dead_centre_theta(m));
    return fastest_theta(m, omega, kLeftFirst, kLeftDelta, r.lo, r.hi);
}

double right_fastest_theta(const CrankSlider& m, double omega) {
    const IndexRange r = stroke_indices(kRightFirst, kRightDelta, top_dead_centre_theta(m) - 360,
                                        bottom_dead_centre_theta(m));
    return fastest_theta(m, omega, kRightFirst, kRightDelta, r.lo, r.hi);
}

}  // namespace vm::special

namespace vm::special {

namespace {
// Crank-centre support drawn under O: 30 mm deep, 30 mm either side.
constexpr double kSupportDepth = 30, kSupportHalf = 30;
constexpr double kJointRadius = 5, kPistonHalfHeight = 5;
// Room kept free around a widened view, px.
constexpr double kFitMarginPx = 16;

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // left, bottom, right, top (mm)
    void add(double x, double y) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    }
};

// Everything drawn at any crank angle, with the joint names as big as they
// are at mm_per_px.
Box figure_box(const CrankSlider& m, double D, const MechanismView& v, double mm_per_px) {
    const double R = m.R, E = m.E;
    const double y_tdc = dead_centre_height(m.L + R, E), y_bdc = dead_centre_height(m.L - R, E);
    Box b;
    b.add(-R - kJointRadius, -R - kJointRadius);
    b.add(R + kJointRadius, R + kJointRadius);
    b.add(-kSupportHalf, -kSupportDepth);
    b.add(kSupportHalf, 0);
    b.add(-v.axis_half, -v.axis_half);
    b.add(v.axis_half, v.axis_half);
    b.add(E, v.guide_low);
    b.add(E, v.guide_high);
    const double half = std::max(D / 2, kJointRadius);
    b.add(E - half, y_bdc - kPistonHalfHeight);
    b.add(E + half, y_tdc + kPistonHalfHeight);
    const double name_w = kJointNameWidthPx * mm_per_px, name_h = kJointNameHeightPx * mm_per_px;
    // "A" anywhere on the crank circle, "B" anywhere on the stroke.
    b.add(R + kJointNameOffset + name_w, -R - kJointNameOffset - name_h);
    b.add(-R + kJointNameOffset, R);
    b.add(E + kJointNameOffset + name_w, y_bdc - kJointNameOffset - name_h);
    return b;
}

bool inside(const Box& b, const MechanismView& v) {
    return b.x0 >= v.left && b.x1 <= v.left + v.width && b.y1 <= v.top && b.y0 >= v.top - v.height;
}
}  // namespace

MechanismView mechanism_view(const CrankSlider& m, double D, double width_px, double height_px) {
    // The centre lines reach past what they mark: the axes beyond the crank
    // circle, the slider line beyond both dead centres.
    const double y_tdc = dead_centre_height(m.L + m.R, m.E);
    const double y_bdc = dead_centre_height(m.L - m.R, m.E);
    constexpr double reach = 20;  // mm
    MechanismView v;
    v.axis_half = std::max(v.axis_half, 1.15 * m.R);
    v.guide_low = std::min(v.guide_low, y_bdc - reach);
    v.guide_high = std::max(v.guide_high, y_tdc + reach);
    if (!(width_px > 0) || !(height_px > 0)) return v;
    if (inside(figure_box(m, D, v, v.mm_per_px(width_px)), v)) return v;

    MechanismView f = v;
    f.fitted = true;
    // The names grow with the scale in mm; three passes settle it.
    double mm_per_px = v.mm_per_px(width_px);
    Box b;
    for (int pass = 0; pass < 3; ++pass) {
        b = figure_box(m, D, f, mm_per_px);
        mm_per_px = std::max((b.x1 - b.x0) / (width_px - 2 * kFitMarginPx),
                             (b.y1 - b.y0) / (height_px - 2 * kFitMarginPx));
    }
    b = figure_box(m, D, f, mm_per_px);
    f.width = mm_per_px * width_px;
    f.height = mm_per_px * height_px;
    f.left = (b.x0 + b.x1) / 2 - f.width / 2;
    f.top = (b.y0 + b.y1) / 2 + f.height / 2;
    return f;
}

}  // namespace vm::special
