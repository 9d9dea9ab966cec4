// Kinetostatic analysis, member by member: the piston's vertical balance gives
// the rod force at B, the rod's and then the crank's vertical balance follow,
// the rod's moments about A give the horizontal force at B, and the crank's
// moments about O the balancing torque.
#include "core/force_analysis.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "core/gas_pressure.h"
#include "core/number_text.h"

namespace vm {

namespace {
bool all_finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

bool all_finite(const ForceAnalysis& f) {
    return all_finite({f.g1,   f.g2,   f.g3,   f.m1,   f.m2,   f.m3,   f.p_gas, f.f_gas, f.f_hs, f.MI2,
                       f.aS1x, f.aS1y, f.aS2x, f.aS2y, f.FI1x, f.FI1y, f.FI2x,  f.FI2y,  f.FI3,  f.R12x,
                       f.R12y, f.R32x, f.R32y, f.R23y, f.R41x, f.R41y, f.R43x,  f.Mb});
}
}  // namespace

std::optional<ForceInputs> force_inputs(const DesignState& state) {
    const auto e = to_number(state.hs_e), D = to_number(state.hs_d), G1 = to_number(state.qb_g),
               G2 = to_number(state.lg_g), G3 = to_number(state.hs_g), ak = to_number(state.lg_ak),
               rk = to_number(state.lg_rk);
    if (!e || !D || !G1 || !G2 || !G3 || !ak || !rk) return std::nullopt;
    ForceInputs in;
    in.r = state.qb_r / 1000;
    in.l = state.lg_l / 1000;
    in.e = *e / 1000;
    in.D = *D;
    in.G1 = *G1;
    in.G2 = *G2;
    in.G3 = *G3;
    in.ak = *ak;
    in.rk = *rk;
    in.jd_wai = state.jd_wai;
    in.jd_nei = state.jd_nei;
    if (!all_finite({in.r, in.l, in.e, in.D, in.G1, in.G2, in.G3, in.ak, in.rk, in.jd_wai, in.jd_nei}))
        return std::nullopt;
    return in;
}

std::optional<ForceAnalysis> force_analysis(const Kinematics& k, double phi, const ForceInputs& in,
                                            double previous_p_gas) {
    ForceAnalysis f;
    f.g1 = in.G1;
    f.g2 = in.G2;
    f.g3 = in.G3;
    f.m1 = f.g1 / kGravity;
    f.m2 = f.g2 / kGravity;
    f.m3 = f.g3 / kGravity;

    const auto p = qitiyaqiang(in.r, in.l, in.e, phi, in.jd_wai, in.jd_nei, previous_p_gas);
    if (!p) return std::nullopt;
    f.p_gas = *p;
    // The curve is read per cm^2 of piston area (D in mm, D/10 in cm), doubled
    // into newtons; it pushes the piston down, toward the crank.
    f.f_gas = 2 * f.p_gas * kPiAnalysis * (in.D / 10) * (in.D / 10) / 4;

    const double l = in.l, r = in.r;
    const double l_AS2 = in.ak * l;
    // Inertia torque -J_S2 * alpha2, with alpha2 = a_ba_t / l.
    f.MI2 = -f.m2 * (in.rk * l * l) * k.a_ba_t / l;

    // The crank's centre of mass is the middle of OA; the rod's lies at ak*l
    // from A, so its acceleration is (1 - ak) a_A + ak a_B, with a_B vertical.
    const double a_a = std::fabs(k.a_a), a_b = std::fabs(k.a_b);
    f.aS1x = a_a * std::cos(k.dir_a_a) / 2;
    f.aS1y = a_a * std::sin(k.dir_a_a) / 2;
    f.aS2x = a_a * std::cos(k.dir_a_a) * (1 - in.ak);
    f.aS2y = a_b * std::sin(k.dir_a_b) * in.ak + a_a * std::sin(k.dir_a_a) * (1 - in.ak);

    f.FI1x = -f.m1 * f.aS1x;
    f.FI1y = -f.m1 * f.aS1y;
    f.FI2x = -f.m2 * f.aS2x;
    f.FI2y = -f.m2 * f.aS2y;
    f.FI3 = -f.m3 * k.a_b;

    // Vertical balances: piston, then rod, then crank.
    f.f_hs = f.FI3 - f.g3 - f.f_gas;
    f.R23y = -f.f_hs;
    f.R32y = -f.R23y;
    f.R12y = f.R23y - f.FI2y + f.g2;
    f.R41y = f.R12y - f.FI1y + f.g1;

    // Rod, moments about A; sin psi never vanishes while the rod reaches the
    // piston path, which jisuan has made sure of.
    const double sin_psi = std::sin(k.psi), cos_psi = std::cos(k.psi);
    f.R32x = (f.MI2 - f.FI2x * l_AS2 * sin_psi + f.FI2y * l_AS2 * cos_psi - f.R23y * l * cos_psi -
              f.g2 * l_AS2 * cos_psi) /
             l / sin_psi;
    f.R12x = -f.R32x - f.FI2x;
    f.R41x = f.R12x - f.FI1x;
    // The cylinder wall takes the piston's side force.
    f.R43x = f.R32x;

    // Crank, moments about O; its inertia force passes through O.
    f.Mb = -f.R12x * r * std::sin(phi) + f.R12y * r * std::cos(phi) + (f.g1 * r / 2) * std::cos(phi);

    if (!all_finite(f)) return std::nullopt;
    return f;
}

void store_force_row(ForceTable& table, int row, const ForceAnalysis& f) {
    const double values[kForceColumns] = {f.R41x, f.R41y, f.R12x, f.R12y, f.R32x, f.R32y, f.R43x,
                                          f.Mb,   f.FI1x, f.FI1y, f.FI2x, f.FI2y, f.FI3,  f.f_gas};
    for (int c = 0; c < kForceColumns; ++c) table.set(row, c, values[c]);
}

std::array<double, 8> report_force_row(const ForceAnalysis& f) {
    return {std::hypot(f.FI1x, f.FI1y), std::hypot(f.FI2x, f.FI2y), f.FI3,
            std::hypot(f.R41x, f.R41y), std::hypot(f.R12x, f.R12y), std::hypot(f.R32x, f.R32y),
            f.Mb,                       f.f_gas};
}

bool fill_force_table(DesignState& state) {
    const auto in = force_inputs(state);
    const auto n = to_number(state.qb_w);
    if (!in || !n || !std::isfinite(*n)) return false;

    const double omega1 = -*n * 2 * kPiAnalysis / 60;
    const double step = kTwoPiAnalysis / 360;
    double phi = state.jd_wai * kPiAnalysis / 180;
    double p_gas = state.force.p_gas;

    // Everything is computed before anything is stored, so a position without
    // an answer leaves the state as it was.
    std::vector<ForceAnalysis> rows;
    rows.reserve(720);
    Kinematics last_kin;
    for (int k = 1; k <= 720; ++k) {
        const auto kin = jisuan(in->r, in->l, in->e, phi, omega1, &state.poly);
        if (!kin) return false;
        const auto f = force_analysis(*kin, phi, *in, p_gas);
        if (!f) return false;
        p_gas = f->p_gas;
        rows.push_back(*f);
        last_kin = *kin;
        phi -= step;
    }

    for (int row = 0; row < 720; ++row) store_force_row(state.force_table, row, rows[row]);
    state.qb_r_k = in->r;
    state.lg_l_k = in->l;
    state.hs_e_k = in->e;
    state.omega1 = omega1;
    state.phi = phi;
    state.kin = last_kin;
    state.force = rows.back();
    state.jd_i = 719;
    return true;
}

}  // namespace vm
