// Torque integration, energy fluctuation, flywheel and balancing mass.
#include "core/torque_energy.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/gas_pressure.h"
#include "core/kinematics.h"
#include "core/number_text.h"

namespace vm {

double torque_step() { return static_cast<float>(4 * kPiTorque / 720); }

TorqueArray torque_samples(const ForceTable& table) {
    TorqueArray mom{};
    for (int i = 0; i < 720; ++i) mom[static_cast<size_t>(i)] = table.at(i, kMb);
    mom[720] = mom[0];
    return mom;
}

TorqueArray torque_angles() {
    TorqueArray ang{};
    const double dx = torque_step();
    for (int i = 1; i < kTorqueSamples; ++i) ang[static_cast<size_t>(i)] = i * dx;
    return ang;
}

namespace {
// Signed area of one step between samples a and b, dx apart. Across a sign
// change the zero crossing is interpolated and each side is its own triangle.
double step_area(double a, double b, double dx) {
    if (a * b >= 0) return (a + b) * dx / 2;
    const double span = b - a;
    return a * std::fabs(a / span) * dx / 2 + b * std::fabs(b / span) * dx / 2;
}
}  // namespace

double torque_area(const TorqueArray& mom, double dx) {
    double area = 0;
    for (size_t i = 1; i < mom.size(); ++i) area += step_area(mom[i - 1], mom[i], dx);
    return area;
}

double mean_resisting_torque(const TorqueArray& mom, double dx) {
    return torque_area(mom, dx) / (4 * kPiTorque);
}

std::vector<int> torque_extremes(const TorqueArray& mom) {
    std::vector<int> out;
    for (int i = 1; i <= 719; ++i) {
        if (i >= 201 && i <= 339) continue;
        const size_t k = static_cast<size_t>(i);
        if ((mom[k - 1] - mom[k]) * (mom[k + 1] - mom[k]) > 0) out.push_back(i);
    }
    return out;
}

std::array<long long, kTorqueSamples> excess_torques(const TorqueArray& mom, double mean) {
    std::array<long long, kTorqueSamples> d{};
    for (size_t i = 0; i < mom.size(); ++i) d[i] = cint(mom[i] - mean);
    return d;
}

std::array<double, kTorqueSamples> running_energy(const std::array<long long, kTorqueSamples>& dmom, double dx) {
    std::array<double, kTorqueSamples> e{};
    for (size_t i = 1; i < dmom.size(); ++i)
        e[i] = e[i - 1] + step_area(static_cast<double>(dmom[i - 1]), static_cast<double>(dmom[i]), dx);
    return e;
}

EnergyFigures energy_figures(const std::array<long long, kTorqueSamples>& dmom, double dx) {
    const auto e = running_energy(dmom, dx);
    EnergyFigures f;
    f.e_run = e.back();
    // The extremes are taken after the first step; the start (0) is not one of them.
    f.e_max = f.e_min = e[1];
    for (size_t i = 2; i < e.size(); ++i) {
        f.e_max = std::max(f.e_max, e[i]);
        f.e_min = std::min(f.e_min, e[i]);
    }
    f.dw_max = f.e_max - f.e_min;
    return f;
}

double crank_speed(double n_rpm) { return 2 * kPiTorque * n_rpm / 60; }

std::optional<double> flywheel_inertia(double dw_max, double delta, double w_crank) {
    if (!(delta > 0) || !(w_crank != 0)) return std::nullopt;
    const double j = dw_max / (delta * w_crank * w_crank);
    if (!std::isfinite(j)) return std::nullopt;
    return j;
}

TorqueOutcome compute_torque_figures(const ForceTable& table, double n_rpm, double delta) {
    TorqueOutcome out;
    TorqueFigures& t = out.figures;
    if (!(delta > 0) || !std::isfinite(delta)) return {TorqueError::DeltaNotPositive, {}};
    t.w_crank = crank_speed(n_rpm);
    if (!(t.w_crank != 0) || !std::isfinite(t.w_crank)) return {TorqueError::CrankStill, {}};
    if (!std::isfinite(t.w_crank * t.w_crank)) return {TorqueError::CrankTooFast, {}};
    t.dx = torque_step();
    t.ang = torque_angles();
    t.mom = torque_samples(table);
    for (double m : t.mom)
        if (!(std::fabs(m) <= kTorqueLimit)) return {TorqueError::TorqueOutOfRange, {}};
    t.m_mean = mean_resisting_torque(t.mom, t.dx);
    t.extremes = torque_extremes(t.mom);
    t.energy = energy_figures(excess_torques(t.mom, t.m_mean), t.dx);
    if (!std::isfinite(t.m_mean) || !std::isfinite(t.energy.dw_max)) return {TorqueError::TorqueOutOfRange, {}};
    const auto j = flywheel_inertia(t.energy.dw_max, delta, t.w_crank);
    if (!j) return {TorqueError::FlywheelOverflow, {}};
    // A fluctuation of work that exists needs a flywheel; one that rounds to
    // nothing (or to a denormal) would be shown as 0.
    if (t.energy.dw_max > 0 && !(*j >= std::numeric_limits<double>::min())) return {TorqueError::FlywheelVanishes, {}};
    t.j_fly = *j;
    t.p_eng = t.w_crank * t.m_mean;
    if (!std::isfinite(t.p_eng)) return {TorqueError::PowerOverflow, {}};
    return out;
}

std::string torque_error_message(TorqueError error) {
    switch (error) {
        case TorqueError::None: return "";
        case TorqueError::DeltaNotPositive: return "请输入大于0的数字";
        case TorqueError::CrankStill: return "曲柄转速为0，无法计算飞轮转动惯量";
        case TorqueError::CrankTooFast: return "曲柄转速过大，飞轮转动惯量超出可计算的范围";
        case TorqueError::TorqueOutOfRange: return "力矩超出可计算的范围，请检查设计数据";
        case TorqueError::FlywheelOverflow: return "许用不均匀系数过小，所需飞轮转动惯量超出可计算的范围";
        case TorqueError::FlywheelVanishes: return "许用不均匀系数过大，所需飞轮转动惯量小到无法表示";
        case TorqueError::PowerOverflow: return "发动机功率超出可计算的范围，请检查曲柄转速";
    }
    return "";
}

std::optional<TorqueFigures> torque_figures(const DesignState& filled) {
    return torque_figures(filled.force_table, val(filled.qb_w), val(filled.sd_k));
}

std::optional<TorqueFigures> torque_figures(const ForceTable& table, double n_rpm, double delta) {
    TorqueOutcome out = compute_torque_figures(table, n_rpm, delta);
    if (!out.ok()) return std::nullopt;
    return std::move(out.figures);
}

std::optional<double> gas_work_per_cycle(const ForceInputs& in) {
    const auto bp = gas_break_points(in.r, in.l, in.e, in.jd_wai, in.jd_nei);
    if (!bp) return std::nullopt;
    // Height of the piston pin at cycle angle x (degrees): the crank at
    // phi = jd_wai - x, the rod reaching the path x = e.
    auto height = [&](double x) -> std::optional<double> {
        const double phi = (in.jd_wai - x) * kPiAnalysis / 180;
        const double dx = in.e - in.r * std::cos(phi);
        // At the offset limit the folded rod lies flat and rounding may leave
        // the reach a hair below zero.
        const double reach = in.l * in.l - dx * dx;
        if (reach < -1e-12 * in.l * in.l) return std::nullopt;
        return in.r * std::sin(phi) + std::sqrt(std::max(reach, 0.0));
    };
    const double area = kPiAnalysis * (in.D / 10) * (in.D / 10) / 4;  // cm^2
    constexpr int kSteps = 72000;
    constexpr double h = 720.0 / kSteps;
    auto s0 = height(0);
    if (!s0) return std::nullopt;
    double work = 0;
    for (int k = 0; k < kSteps; ++k) {
        const auto s1 = height((k + 1) * h);
        if (!s1) return std::nullopt;
        // The gas pushes the piston toward the crank (-y): it does work
        // -f_gas ds on the way down.
        const double f_gas = 2 * gas_pressure_at((k + 0.5) * h, *bp).value_or(0) * area;
        work -= f_gas * (*s1 - *s0);
        s0 = s1;
    }
    if (!std::isfinite(work)) return std::nullopt;
    return work;
}

std::optional<CycleBalance> cycle_balance(const DesignState& state, double m_mean) {
    const auto in = force_inputs(state);
    if (!in) return std::nullopt;
    const auto work = gas_work_per_cycle(*in);
    const auto angle = minimum_transmission_angle(in->r, in->l, in->e);
    if (!work || !angle) return std::nullopt;
    CycleBalance b;
    b.gas_work = *work;
    b.gas_mean = *work / (4 * kPiTorque);
    b.m_mean = m_mean;
    b.min_transmission = *angle;
    for (int row = 0; row < 720; ++row) {
        b.peak_inertia = std::max(b.peak_inertia, std::fabs(state.force_table.at(row, kFI3)));
        b.peak_gas = std::max(b.peak_gas, std::fabs(state.force_table.at(row, kFGas)));
    }
    if (std::fabs(m_mean - b.gas_mean) <= kBalanceTolerance * std::fabs(b.gas_mean)) return b;
    // The inertia that any crank-slider of this crank, speed and masses has,
    // (m2 + m3) omega^2 r, tells the two causes apart: the flat rod's peaks in
    // the table are far above it, while heavy fast members are above the gas
    // force even where the rod stands steep.
    const double w = crank_speed(val(state.qb_w));
    const double nominal = (in->G2 + in->G3) / kGravity * w * w * in->r;
    b.cause = nominal > kInertiaDominance * b.peak_gas ? BalanceCause::InertiaDominates : BalanceCause::FlatRod;
    return b;
}

std::string cycle_balance_message(const CycleBalance& b) {
    const std::string angle = "最小传动角" + format_0_00(b.min_transmission) + "°";
    const std::string means = "按1°步长积分的平均阻力矩" + format_0_00(b.m_mean) + " N·m与气体功折算的" +
                              format_0_00(b.gas_mean) + " N·m相差超过1%，不显示力矩与飞轮数据";
    switch (b.cause) {
        case BalanceCause::None: return "";
        case BalanceCause::FlatRod:
            return "连杆经过近乎水平的位置（" + angle + "），惯性力的尖峰无法按1°步长积分：" + means;
        case BalanceCause::InertiaDominates:
            return "惯性力远大于气体压力（活塞惯性力最大" + format_0_00(b.peak_inertia) + " N，气体压力最大" +
                   format_0_00(b.peak_gas) + " N；" + angle + "）：" + means;
    }
    return "";
}

MassOutcome compute_balancing_mass(double m1, double m2, double ak, double r, double l, double R) {
    if (!(R > 0)) return {MassError::RadiusNotPositive, 0};
    if (!std::isfinite(R)) return {MassError::RadiusTooLarge, 0};
    if (!(l > 0)) return {MassError::NoRod, 0};
    const double m_a = m2 * (l - ak * l) / l + m1 / 2;
    const double mass = m_a * r / R;
    if (!std::isfinite(mass)) return {MassError::RadiusTooSmall, 0};
    // A mass that exists, divided by a huge radius, must not show as 0.
    if (m_a * r > 0 && !(mass >= std::numeric_limits<double>::min())) return {MassError::RadiusTooLarge, 0};
    return {MassError::None, mass};
}

std::string mass_error_message(MassError error) {
    switch (error) {
        case MassError::None: return "";
        case MassError::RadiusNotPositive: return "请输入大于0的数字";
        case MassError::RadiusTooSmall: return "飞轮的添加半径过小，不平衡质量超出可计算的范围";
        case MassError::RadiusTooLarge: return "飞轮的添加半径过大，不平衡质量小到无法表示";
        case MassError::NoRod: return "连杆长度为0，请先确认设计数据";
    }
    return "";
}

std::optional<double> balancing_mass(double m1, double m2, double ak, double r, double l, double R) {
    const MassOutcome out = compute_balancing_mass(m1, m2, ak, r, l, R);
    if (out.error != MassError::None) return std::nullopt;
    return out.mass;
}

TorqueScale torque_scale(int y_scroll, int axis_scroll, int width_px, int height_px) {
    TorqueScale s;
    const int f = -20 * y_scroll;
    const float g = static_cast<float>(f) * static_cast<float>(height_px) / static_cast<float>(width_px);
    s.height = -static_cast<double>(int_floor(20 * static_cast<double>(g)));
    s.top = 0.1 * axis_scroll * s.height;
    return s;
}

}  // namespace vm
