// The indicator diagram of the four-stroke cycle (qitiyaqiang): a piecewise-
// linear gas pressure over the cycle angle 0..720 degrees whose three moving
// break points follow the mechanism.
#pragma once

#include <optional>

namespace vm {

// Break points that move with the mechanism, in degrees of cycle angle.
struct GasBreakPoints {
    double P1 = 0;  // crank and rod perpendicular, second turn (end of the early expansion)
    double P2 = 0;  // crank and rod perpendicular, first turn (compression)
    double E = 0;   // bottom dead centre at the end of the power stroke
};

// How near a moving break point may come to either end of its interval,
// degrees. The largest slope this allows, 22 over 7.5 degrees, stays below
// the steepest fixed segment (48.5 over 15, from 330 to 345 degrees).
inline constexpr double kBreakMargin = 7.5;
// The curve's steepest rise or fall per degree of cycle angle.
inline constexpr double kSteepestSlope = 48.5 / 15.0;

// r, l, e in one unit; jd_wai, jd_nei in degrees; each point held within its
// interval by kBreakMargin. Nothing when the
// perpendicular positions do not exist (e not positive, l^2 + r^2 < e^2).
std::optional<GasBreakPoints> gas_break_points(double r, double l, double e, double jd_wai, double jd_nei);

// Curve value at cycle angle x (degrees); nothing outside 0..720, where the
// caller keeps the value it had.
std::optional<double> gas_pressure_at(double x, const GasBreakPoints& bp);

// Whole degree of cycle angle of the crank angle phi (rad): the floor of
// jd_wai - phi*180/pi. A crank stepped by repeated subtraction arrives a hair
// below the whole degree it means, so the floor is taken 1e-6 degree higher.
long long cycle_degree(double jd_wai, double phi);

// qitiyaqiang: the gas pressure at crank angle phi (rad) with r, l, e in m.
// Outside the cycle it returns `previous`; nothing when the break points are
// undefined.
std::optional<double> qitiyaqiang(double r, double l, double e, double phi, double jd_wai, double jd_nei,
                                  double previous);

}  // namespace vm
