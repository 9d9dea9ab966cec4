// Torque diagram and flywheel design over one four-stroke cycle (two crank
// turns): the driving torque samples, the mean resisting torque, the work
// surplus and deficit, the flywheel moment of inertia, the engine power, and
// the balancing mass at the crank.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "core/force_analysis.h"

namespace vm {

// The torque window's pi, finer than the analysis windows'; it shows in the
// last printed digits of the flywheel and the power.
inline constexpr double kPiTorque = 3.14159265358979;

// One sample per whole degree of cycle angle, 0..720.
inline constexpr int kTorqueSamples = 721;
using TorqueArray = std::array<double, kTorqueSamples>;

// Angle step of the diagram, 4 pi / 720 rad, held in single precision.
double torque_step();

// Driving torque Mb (force-table column 7) at 0..720 degrees. The cycle is
// periodic, so the sample at 720 degrees repeats row 0.
TorqueArray torque_samples(const ForceTable& table);

// Crank angle of every sample, i * step (rad).
TorqueArray torque_angles();

// Area under the torque curve over the cycle, stepwise between neighbouring
// samples: a trapezoid where both ends have one sign (or one end is zero),
// two triangles on either side of the interpolated zero crossing otherwise.
double torque_area(const TorqueArray& mom, double dx);

// The constant torque doing the same work per cycle: area / 4 pi.
double mean_resisting_torque(const TorqueArray& mom, double dx);

// Samples i in 1..719 that are strict local maxima or minima, leaving out
// 201..339 degrees: the compression stroke, whose small ripples would crowd
// the picture with marks.
std::vector<int> torque_extremes(const TorqueArray& mom);

// Running energy of the excess torque (torque minus mean, rounded to whole N*m).
struct EnergyFigures {
    double e_run = 0;   // energy left after the whole cycle, J
    double e_max = 0;   // largest running energy (largest surplus), J
    double e_min = 0;   // smallest running energy (largest deficit), J
    double dw_max = 0;  // largest fluctuation e_max - e_min, J
};
// Excess torque per sample, CInt(mom - mean) in a wide integer type.
std::array<long long, kTorqueSamples> excess_torques(const TorqueArray& mom, double mean);
// Running energy after each sample (0 at the first), J.
std::array<double, kTorqueSamples> running_energy(const std::array<long long, kTorqueSamples>& dmom, double dx);
EnergyFigures energy_figures(const std::array<long long, kTorqueSamples>& dmom, double dx);

// Crank angular speed 2 pi n / 60 (rad/s) for n in r/min.
double crank_speed(double n_rpm);
// Moment of inertia (kg m^2) that keeps the speed fluctuation within delta:
// dw_max / (delta w^2). Nothing unless delta and w are positive.
std::optional<double> flywheel_inertia(double dw_max, double delta, double w_crank);

// Everything the "力矩图" figures show, for one filled force table.
struct TorqueFigures {
    TorqueArray ang{}, mom{};
    double dx = 0;
    double m_mean = 0;
    std::vector<int> extremes;
    EnergyFigures energy;
    double w_crank = 0;
    double j_fly = 0;  // kg m^2
    double p_eng = 0;  // W
};
// Largest driving torque the figures are computed for, N*m: far beyond any
// engine, and small enough that the excess torques still round to exact whole
// numbers in the integer type that holds them.
inline constexpr double kTorqueLimit = 1e15;

// Why the figures have no value.
enum class TorqueError {
    None,
    DeltaNotPositive,  // allowed speed fluctuation not a positive number
    CrankStill,        // crank speed 0 (or not a number)
    CrankTooFast,      // w^2 beyond a double
    TorqueOutOfRange,  // a torque sample beyond kTorqueLimit or not finite
    FlywheelOverflow,  // dw_max / (delta w^2) beyond a double: delta far too small
    FlywheelVanishes,  // the flywheel inertia underflows to nothing: delta far too large
    PowerOverflow,     // w * m_mean beyond a double
};
struct TorqueOutcome {
    TorqueError error = TorqueError::None;
    TorqueFigures figures;
    bool ok() const { return error == TorqueError::None; }
};
TorqueOutcome compute_torque_figures(const ForceTable& table, double n_rpm, double delta);
// The torque window's message for an error; "" for None.
std::string torque_error_message(TorqueError error);

// Nothing when delta is not positive, the crank stands still, a torque sample
// lies beyond kTorqueLimit or a result is not finite.
std::optional<TorqueFigures> torque_figures(const ForceTable& table, double n_rpm, double delta);
// The same for a design whose force table is filled, at its speed and allowed fluctuation.
std::optional<TorqueFigures> torque_figures(const DesignState& filled);

// The work check of the whole cycle. Over one four-stroke cycle the weights and
// the inertia forces do no net work (the mechanism returns to where it
// started, at the same speed), so the mean resisting torque must equal the
// work the gas does on the piston divided by 4 pi. The 1-degree samples of the
// force table reach that only while they resolve the inertia peaks; a rod
// that passes nearly horizontal, or inertia forces far above the gas force,
// leave a remainder that makes every figure of the diagram meaningless.
enum class BalanceCause { None, FlatRod, InertiaDominates };
struct CycleBalance {
    double gas_work = 0;          // work of the gas on the piston per cycle, J
    double gas_mean = 0;          // gas_work / 4 pi, N*m
    double m_mean = 0;            // mean resisting torque from the force table, N*m
    double min_transmission = 0;  // smallest transmission angle, degrees
    double peak_inertia = 0;      // largest inertia force of the piston in the table, N
    double peak_gas = 0;          // largest gas force in the table, N
    BalanceCause cause = BalanceCause::None;
    bool holds() const { return cause == BalanceCause::None; }
};
// How far the mean may stray from the gas work, as a fraction of it.
inline constexpr double kBalanceTolerance = 0.01;
// Inertia counts as dwarfing the gas force when (m2 + m3) omega^2 r exceeds
// the largest gas force this many times.
inline constexpr double kInertiaDominance = 10;

// Work done by the gas force on the piston over the cycle, J, by integrating
// the continuous indicator diagram over the piston's travel in steps of
// 1/100 degree. Nothing for a design without break points or travel.
std::optional<double> gas_work_per_cycle(const ForceInputs& in);

// The check for the design in `state` and the force table it filled, whose
// mean resisting torque is m_mean. Nothing when the design's texts are not
// numbers.
std::optional<CycleBalance> cycle_balance(const DesignState& state, double m_mean);
// The refusal that names the cause and the smallest transmission angle; ""
// when the balance holds.
std::string cycle_balance_message(const CycleBalance& b);

// Why a balancing mass has no value.
enum class MassError { None, RadiusNotPositive, RadiusTooSmall, RadiusTooLarge, NoRod };
struct MassOutcome {
    MassError error = MassError::None;
    double mass = 0;  // kg
};
MassOutcome compute_balancing_mass(double m1, double m2, double ak, double r, double l, double R);
std::string mass_error_message(MassError error);

// Balancing mass at radius R (m) that balances the rotating masses at the
// crank: the rod's share at the crank pin by static substitution,
// m2 (l - ak l)/l, and half the crank (its centre of mass is the middle of OA),
// so m_A = m2 (1 - ak) + m1/2 and the mass is m_A r / R. Lengths in m, masses
// in kg. Nothing unless R and l are positive.
std::optional<double> balancing_mass(double m1, double m2, double ak, double r, double l, double R);

// Scale of the torque picture: x from -1 over 20 rad, one radian as long on
// screen as f = -20 * y_scroll N*m, and the x axis at a tenth of |axis_scroll|
// of the height below the top edge.
struct TorqueScale {
    double left = -1, top = 0, width = 20, height = 0;
};
TorqueScale torque_scale(int y_scroll, int axis_scroll, int width_px, int height_px);

}  // namespace vm
