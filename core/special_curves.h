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

// Heights of the three curves at diagram angle t (rad; the crank turned
// clockwise, so phi = -t), for stroke H.
struct CurveValues {
    double displacement = 0;  // 15*S/H
    double velocity = 0;      // 26*y'/H
    double acceleration = 0;  // -21*y''/H
};
std::optional<CurveValues> curve_values(const CrankSlider& m, double H, double t);

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
std::optional<MarkerPlaces> marker_places(const CrankSlider& m, double H, double x);

// An angle (rad) brought into one diagram turn, 0 <= result < 2 pi.
double within_turn(double x);

// The angle (rad) the markers show during the animation for the total angle
// turned as shown (degrees): whole degrees, Mod 360 keeping the sign, so they
// jump back to 0 after each turn.
double marker_angle(double total_degrees_shown);

}  // namespace vm::special
