// Crank-slider synthesis and kinematics (see kinematics.h for the frame).
#include "core/kinematics.h"

#include <algorithm>
#include <cmath>

namespace vm {

SynthesisResult dimension_synthesis(double H, double K, double e, double pi) {
    if (!(H > 0)) return {SynthesisError::StrokeNotPositive, {}};
    if (!(K > 1)) return {SynthesisError::RatioNotAboveOne, {}};
    if (!(e > 0)) return {SynthesisError::OffsetNotPositive, {}};
    const double theta = pi * (K - 1) / (K + 1);
    const double R = H / (2 * std::sin(theta));
    const double c = R * std::cos(theta);
    const double q2 = R * R - (c - e) * (c - e);
    if (!(q2 > 0) || !std::isfinite(R)) return {SynthesisError::NoMechanism, {}};
    const double q = std::sqrt(q2);
    // O lies q below the middle of the stroke; the near extreme position must
    // stay above O (the piston never passes the crank centre's level), or the
    // travel between the two dead centres would not be H.
    if (!(q > H / 2)) return {SynthesisError::NoMechanism, {}};
    const double X = H / 2 + q;
    // Distances from O to the two extreme piston positions. The drawing-board
    // construction reaches the near one through the arcsin of q/R, whose branch
    // flips once the offset passes c; measured directly it needs no branch.
    const double L1 = std::sqrt(e * e + X * X);                      // l + r
    const double L2 = std::sqrt(e * e + (q - H / 2) * (q - H / 2));  // l - r
    const double l = (L1 + L2) / 2;
    const double r = l - L2;
    if (!(r > 0) || !std::isfinite(l)) return {SynthesisError::NoMechanism, {}};
    SynthesisResult out;
    out.value.l = l;
    out.value.r = r;
    out.value.theta = theta;
    // The dead-centre cranks point at the extreme piston positions (e, X) and,
    // folded, away from (e, q - H/2). Both heights come from the construction;
    // recovered from l + r and l - r they would lose their digits to rounding
    // and, near the offset limit, leave sqrt((l - r)^2 - e^2) of a negative.
    out.value.jd_wai = std::atan(X / e) * 180 / pi;
    out.value.jd_nei = std::atan((q - H / 2) / e) * 180 / pi + 180;
    if (!std::isfinite(out.value.jd_wai) || !std::isfinite(out.value.jd_nei))
        return {SynthesisError::NoMechanism, {}};
    return out;
}

std::string synthesis_message(SynthesisError error) {
    switch (error) {
        case SynthesisError::None: return "";
        case SynthesisError::StrokeNotPositive: return "活塞行程必须大于0";
        case SynthesisError::RatioNotAboveOne: return "行程速比系数K必须大于1";
        case SynthesisError::OffsetNotPositive: return "活塞导路偏距必须大于0";
        case SynthesisError::NoMechanism: return "该行程、偏心距与行程速比无法构成曲柄滑块机构";
    }
    return "";
}

std::optional<double> arccos(double x) {
    if (!std::isfinite(x) || x < -1 || x > 1) return std::nullopt;
    if (x == 0) return kPiAnalysis / 2;
    if (x == -1) return kPiAnalysis;
    double a = std::atan(std::sqrt(1 - std::pow(x, 2)) / x);
    if (a < 0) a += kPiAnalysis;
    return a;
}

void xiangdui_sudu(Kinematics& k, const PolygonScale* place) {
    const double s = place ? place->scale_v : 1.0;
    k.v_ax = std::fabs(k.v_a) * s * std::cos(k.dir_v_a);
    k.v_ay = std::fabs(k.v_a) * s * std::sin(k.dir_v_a);
    k.v_bay = std::fabs(k.v_ba) * s * std::sin(k.dir_v_ba);
    k.v_bx = 0;
    k.v_by = k.v_bay + k.v_ay;
    if (place) {
        k.pole_v_x = (3 * place->centre_v_x - k.v_ax - k.v_bx) / 3;
        k.pole_v_y = (3 * place->centre_v_y - k.v_ay - k.v_by) / 3;
        k.pt_a_x = k.pole_v_x + k.v_ax;
        k.pt_a_y = k.pole_v_y + k.v_ay;
        k.pt_b_y = k.pt_a_y + k.v_bay;
    }
}

namespace {
// Tangential relative acceleration points so that it closes the polygon
// horizontally: the piston's acceleration has no x component.
double tangential_direction(const Kinematics& k) {
    const double base = k.psi + kPiAnalysis;
    return (k.a_ax + k.a_ba_nx >= 0) ? base - kPiAnalysis / 2 : base + kPiAnalysis / 2;
}
}  // namespace

void xiangdui_jiasudu(Kinematics& k, const PolygonScale* place) {
    const double s = place ? place->scale_a : 1.0;
    k.a_ax = std::fabs(k.a_a) * s * std::cos(k.dir_a_a);
    k.a_ay = std::fabs(k.a_a) * s * std::sin(k.dir_a_a);
    k.a_ba_nx = std::fabs(k.a_ba_n) * s * std::cos(k.dir_a_ba_n);
    k.a_ba_ny = std::fabs(k.a_ba_n) * s * std::sin(k.dir_a_ba_n);
    k.dir_a_ba_t = tangential_direction(k);
    k.a_ba_ty = std::fabs(k.a_ba_t) * s * std::sin(k.dir_a_ba_t);
    k.a_by = k.a_ay + k.a_ba_ny + k.a_ba_ty;
    if (place) {
        k.pole_a_x = (3 * place->centre_a_x - k.a_ax - k.v_bx) / 3;
        k.pole_a_y = (3 * place->centre_a_y - k.a_ay - k.a_by) / 3;
        k.pt_a2_x = k.pole_a_x + k.a_ax;
        k.pt_a2_y = k.pole_a_y + k.a_ay;
        k.pt_n_x = k.pt_a2_x + k.a_ba_nx;
        k.pt_n_y = k.pt_a2_y + k.a_ba_ny;
    }
}

std::optional<Kinematics> jisuan(double r, double l, double e, double phi, double omega1,
                                 const PolygonScale* place) {
    if (!(l > 0) || !std::isfinite(r) || !std::isfinite(e) || !std::isfinite(phi) ||
        !std::isfinite(omega1))
        return std::nullopt;
    Kinematics k;
    k.arccos_arg = (e - r * std::cos(phi)) / l;
    auto psi = arccos(k.arccos_arg);
    if (!psi) return std::nullopt;
    k.psi = *psi;
    const double sin_psi = std::sin(k.psi);
    if (sin_psi == 0) return std::nullopt;  // rod lying on the horizontal
    const double w1 = omega1;
    k.s_b = r * std::sin(phi) + l * sin_psi;
    k.v_a = r * w1;
    k.v_b = r * w1 * std::sin(k.psi - phi) / sin_psi;
    k.omega2 = (-r * w1 * std::sin(phi)) / l / sin_psi;
    k.v_ba = l * k.omega2;
    k.a_a = w1 * w1 * r;
    k.a_b = -(k.omega2 * k.omega2 * l + w1 * w1 * r * std::cos(phi - k.psi)) / sin_psi;
    k.a_ba_n = k.omega2 * k.omega2 * l;
    k.a_ba_t = -(w1 * w1 * r * std::cos(phi) + k.omega2 * k.omega2 * l * std::cos(k.psi)) / sin_psi;
    k.alpha2 = k.a_ba_t / l;

    k.dir_v_a = phi - kPiAnalysis / 2;
    k.dir_v_ba = k.omega2 < 0 ? k.psi - kPiAnalysis / 2 : k.psi + kPiAnalysis / 2;
    k.dir_v_b = k.v_b >= 0 ? 3.1415926 / 2 : 9.4247778 / 2;
    xiangdui_sudu(k, place);
    k.dir_a_ba_n = k.psi + kPiAnalysis;
    k.dir_a_a = phi + kPiAnalysis;
    xiangdui_jiasudu(k, place);  // also settles dir_a_ba_t from a_ax + a_ba_nx
    k.dir_a_b = k.a_b >= 0 ? 3.1415926 / 2 : 9.4247778 / 2;
    return k;
}

std::optional<double> minimum_transmission_angle(double r, double l, double e) {
    if (!(r > 0) || !(l > 0) || !(e >= 0)) return std::nullopt;
    // cos psi = (e - r cos phi)/l is largest in size with the crank pointing
    // away from the piston path (cos phi = -1): (e + r)/l.
    // l - r >= e holds for every synthesised design; at the offset limit the
    // two agree and rounding may put c a few units of the last digit above 1.
    const double c = (e + r) / l;
    if (!std::isfinite(c) || c > 1 + 1e-12) return std::nullopt;
    return std::acos(std::min(c, 1.0)) * 180 / kPiAnalysis;
}

std::optional<PerpendicularAngles> perpendicular_angles(double r, double l, double e) {
    const double arg = l * l + r * r - e * e;
    if (!(e > 0) || !(r > 0) || !(arg >= 0)) return std::nullopt;
    const double beta = std::atan(std::sqrt(arg) / e);
    const double gamma = std::atan(l / r);
    return PerpendicularAngles{beta - gamma, beta + gamma};
}

}  // namespace vm
