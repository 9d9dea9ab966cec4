// Crank-slider dimensions and positions of the planar engine animation.
#include "core/anim_mechanism.h"

#include <cmath>
#include <numbers>

#include "core/kinematics.h"
#include "core/number_text.h"

namespace vm::anim {

namespace {
// The dimensions are drawn to the millimetre, so they use pi at full precision.
constexpr double kPiFull = std::numbers::pi;
constexpr double kCrankOffsetDeg = 275.8;
constexpr double kFarLimit = 1e6;

bool sane(double v) {
    return std::isfinite(v) && std::fabs(v) <= kFarLimit;
}
bool sane(const Point& p) {
    return sane(p.x) && sane(p.y);
}
}  // namespace

std::optional<Entries> read_entries(std::string_view h, std::string_view d, std::string_view e,
                                    std::string_view k) {
    const auto H = to_number(h), D = to_number(d), E = to_number(e), K = to_number(k);
    if (!H || !D || !E || !K) return std::nullopt;
    return Entries{*H, *D, *E, *K};
}

std::optional<Dimensions> anim_dimensions(const Entries& in) {
    const SynthesisResult s = dimension_synthesis(in.stroke_h, in.ratio_k, in.offset_e, kPiFull);
    if (!s.ok()) return std::nullopt;
    return Dimensions{s.value.theta, s.value.r, s.value.l};
}

double crank_angle_from_text(std::string_view text) {
    // Whole turns are dropped: a typed 1e300 would otherwise leave no room in
    // the double for the tick's 0.06 rad and the crank would never move.
    return deg_to_rad(-(std::fmod(val(text), 360.0) + kCrankOffsetDeg));
}

std::optional<Positions> anim_positions(const Entries& in, const Dimensions& dim,
                                        double crank_angle) {
    const double a = dim.crank_len, b = dim.rod_len, e = in.offset_e, D = in.bore_d;
    if (!(D > 0) || !(b > a)) return std::nullopt;
    Positions p;
    p.B = {kCrankX + a * std::cos(crank_angle), kCrankY + a * std::sin(crank_angle)};
    p.guide_x = kCrankX + e;
    const double dx = p.B.x - p.guide_x;
    const double rise2 = b * b - dx * dx;
    const double low2 = (b - a) * (b - a) - e * e;
    const double high2 = (a + b) * (a + b) - e * e;
    if (!(rise2 >= 0) || !(low2 >= 0) || !(high2 >= 0)) return std::nullopt;
    p.C = {p.guide_x, p.B.y + std::sqrt(rise2)};
    p.y_low = kCrankY + std::sqrt(low2);
    p.y_high = kCrankY + std::sqrt(high2);
    // Folded limit: the crank pin lies on the line from the piston pin through A,
    // a away from A on the far side.
    p.B1 = {kCrankX - a * e / (b - a), kCrankY - a * (p.y_low - kCrankY) / (b - a)};

    p.hc = 64 * D / 170;
    p.t = std::tan(30 * kPiFull / 180) * D / 3;
    p.y_s = p.y_high + p.hc - p.t;
    const double top = p.y_high + p.hc;
    p.P0 = {p.guide_x + D / 6, top};
    p.Pa = {p.guide_x + D / 6 + D / 9, top - p.t / 3};
    p.Pb = {p.guide_x + D / 3, top - p.t / 2};
    p.P5 = {p.guide_x + D / 2, p.y_s};

    for (const Point& q : {p.B, p.C, p.B1, p.P0, p.Pa, p.Pb, p.P5})
        if (!sane(q)) return std::nullopt;
    if (!sane(p.y_low) || !sane(p.y_high) || !sane(p.guide_x - D / 2)) return std::nullopt;
    return p;
}

}  // namespace vm::anim
