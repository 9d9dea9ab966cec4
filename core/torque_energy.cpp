// Torque integration, energy fluctuation, flywheel and balancing mass.
#include "core/torque_energy.h"

#include <cmath>

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

std::optional<TorqueFigures> torque_figures(const ForceTable& table, double n_rpm, double delta) {
    TorqueFigures t;
    t.dx = torque_step();
    t.ang = torque_angles();
    t.mom = torque_samples(table);
    for (double m : t.mom)
        if (!(std::fabs(m) <= kTorqueLimit)) return std::nullopt;
    t.m_mean = mean_resisting_torque(t.mom, t.dx);
    t.extremes = torque_extremes(t.mom);
    t.energy = energy_figures(excess_torques(t.mom, t.m_mean), t.dx);
    t.w_crank = crank_speed(n_rpm);
    const auto j = flywheel_inertia(t.energy.dw_max, delta, t.w_crank);
    if (!j) return std::nullopt;
    t.j_fly = *j;
    t.p_eng = t.w_crank * t.m_mean;
    if (!std::isfinite(t.m_mean) || !std::isfinite(t.p_eng) || !std::isfinite(t.energy.dw_max))
        return std::nullopt;
    return t;
}

std::optional<double> balancing_mass(double m1, double m2, double ak, double r, double l, double R) {
    if (!(R > 0) || !(l > 0)) return std::nullopt;
    const double m_a = m2 * (l - ak * l) / l + m1 / 2;
    const double mass = m_a * r / R;
    if (!std::isfinite(mass)) return std::nullopt;
    return mass;
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
