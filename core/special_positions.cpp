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
