// Kinetostatic analysis of the crank-slider: inertia forces, gas force, the
// reactions in all four pairs and the balancing torque on the crank, for one
// position or over the whole four-stroke cycle (the force table).
#pragma once

#include <array>
#include <optional>

#include "core/design_state.h"
#include "core/kinematics.h"

namespace vm {

// Weights in N become masses in kg through this g, m/s^2.
inline constexpr double kGravity = 9.8;

// What the analysis needs besides the kinematics of the position.
struct ForceInputs {
    double r = 0, l = 0, e = 0;     // crank, rod, offset, m
    double D = 0;                   // piston diameter, mm
    double G1 = 0, G2 = 0, G3 = 0;  // weights of crank, rod, piston, N
    double ak = 0;                  // A to the rod's centre of mass, as a fraction of l
    double rk = 0;                  // rod inertia coefficient: J = m2 * rk * l^2
    double jd_wai = 0, jd_nei = 0;  // dead-centre crank angles, degrees (gas-curve break points)
};

// The mechanism of the design state: r, l from the derived lengths, the rest
// from the parameter texts. Nothing when a text is not a number or a value is
// not finite.
std::optional<ForceInputs> force_inputs(const DesignState& state);

// One position: k is jisuan at crank angle phi (rad). The gas curve keeps
// previous_p_gas outside the cycle. Nothing when a result would not be finite.
std::optional<ForceAnalysis> force_analysis(const Kinematics& k, double phi, const ForceInputs& in,
                                            double previous_p_gas);

// The 14 signed components of the force table, in column order.
void store_force_row(ForceTable& table, int row, const ForceAnalysis& f);

// The eight report columns: |FI1|, |FI2|, FI3, |R41|, |R12|, |R32|, Mb, f_gas.
std::array<double, 8> report_force_row(const ForceAnalysis& f);

// The force-table fill: one position per whole degree of cycle angle from the
// extended dead centre (phi = jd_wai), 720 of them, into rows 0..719. Sections
// C and E keep the last position (jd_i = 719); phi is left one step beyond it,
// jd_wai - 720 degrees. False, with nothing changed, when the inputs are not
// numbers or a position has no defined result.
bool fill_force_table(DesignState& state);

}  // namespace vm
