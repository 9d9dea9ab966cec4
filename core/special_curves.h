// The demonstrator's motion diagram: displacement, velocity and acceleration of
// the slider over one crank turn, scaled by the stroke so that all three fit one
// frame for any design, and where the three markers sit at a crank angle.
#pragma once

#include <optional>
#include <vector>

#include "core/special_positions.h"

namespace vm::special {

// Diagram units per stroke: the full stroke spans 15 units; velocity and
// acceleration are per radian of crank angle, so the curves ignore the speed.
inline constexpr double kDisplacementUnits = 15;
inline constexpr double kVelocityUnits = 26;
inline constexpr double kAccelerationUnits = 21;

// One turn of the diagram, written as the decimal the samples stop at.
inline constexpr double kDiagramTurn = 6.2831853071796;

// The curves keep within this height of the diagram's axis (its dashed
// lines reach as far); the frame goes to 20.
inline constexpr double kCurveReach = 17;

// Factors the velocity and acceleration curves are drawn with: 1 where the
// curve keeps within kCurveReach, smaller where a short rod or a large offset
// would send its peaks off the diagram. The displacement always spans its 15.
struct CurveScales {
    double velocity = 1;
    double acceleration = 1;
};
CurveScales curve_scales(const CrankSlider& m, double H);

// Heights of the three curves at diagram angle t (rad; the crank turned
// clockwise, so phi = -t), for stroke H.
struct CurveValues {
    double displacement = 0;  // 15*S/H
    double velocity = 0;      // 26*y'/H, times its factor
    double acceleration = 0;  // -21*y''/H, times its factor
};
std::optional<CurveValues> curve_values(const CrankSlider& m, double H, double t,
                                        const CurveScales& scales = {});

// Sample angles 0, delta, 2*delta, ... while t <= one turn, t accumulated by
// repeated addition as the diagram is drawn. Empty for a step that is not positive.
std::vector<double> curve_angles(double delta);

// Left and top edges (diagram units) of the three markers centred on their
// curves at angle x; the markers are 0.2 units wide and 0.8 high. The curves
// run over one turn, so x is first brought into 0..2 pi (the motion repeats
// every turn); nothing for an angle that is not finite.
struct MarkerPlaces {
    double x = 0;  // the angle on the diagram, 0 <= x < 2 pi
    double left = 0;
    double displacement_top = 0;
    double velocity_top = 0;
    double acceleration_top = 0;
};
std::optional<MarkerPlaces> marker_places(const CrankSlider& m, double H, double x,
                                          const CurveScales& scales = {});

// An angle (rad) brought into one diagram turn, 0 <= result < 2 pi.
double within_turn(double x);

// The angle (rad) the markers show during the animation for the total angle
// turned as shown (degrees): whole degrees, Mod 360 keeping the sign, so they
// jump back to 0 after each turn.
double marker_angle(double total_degrees_shown);

}  // namespace vm::special
