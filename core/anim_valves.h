// Valve train of the planar engine animation: one CamTrack per cam shaft (disc
// cam, roller follower, valve lift), the cam profile as a ring of points, and
// the outlines of the left (upright) and right (slanted, rocker-driven) valves.
#pragma once

#include <array>
#include <vector>

#include "core/anim_mechanism.h"

namespace vm::anim {

// Angles in rad. Profile angles psi run from +y towards +x (clockwise on the
// screen): a point at psi and radius rho is (centre_x + rho sin psi,
// centre_y + rho cos psi). The roller always sits straight above the centre.
struct CamTrack {
    double centre_x = 0, centre_y = 0;  // cam shaft centre
    // Start of the base-circle dwell, of the rise, of the full-lift dwell, of the
    // return, and end of the return; they turn with the cam.
    std::array<double, 5> marks{};
    double phase = 0;       // follower's place in the cam cycle, 0 <= phase < 2 pi
    double base_r = 55;     // base-circle radius r0
    double lift_h = 6;      // cam lift h
    double roller_r = 10;   // roller radius
    double follower_s = 0;  // follower lift read from the phase
    double valve_s = 0;     // lift handed to the valve drawing
    double roller_y = 0;    // height of the roller centre
};

// The right cam (shaft of gear 4) runs 90 deg of cam rotation ahead of the left
// one (shaft of gear 2), so the two valves open half a crank turn apart.
// A train scale below 1 moves each cam towards the crank centre with its gear
// and shrinks its radii and lift alike.
CamTrack right_cam_track(double train_scale = 1);
CamTrack left_cam_track(double train_scale = 1);

// Follower lift of the cam law at a phase: rise at constant speed over the first
// 60 deg, full lift h up to 70 deg, return at constant speed to 130 deg, then
// the base circle. Always within 0..h; phases outside one turn are wrapped.
double follower_lift(double phase, double h);

// Sets follower_s, valve_s and roller_y from the phase.
void follower_update(CamTrack& cam);

// Turns the cam by delta: the marks and the phase grow together; once the
// phase passes a full turn all of them fall back by 2 pi, so the profile
// drawn is the same and the numbers stay small. Updates the follower.
void cam_advance(CamTrack& cam, double delta);

// The profile as single points every 0.01 rad from each mark to the next,
// both ends included as far as the steps reach: base circle, rise, full
// lift, return (about 630 points).
std::vector<Point> cam_profile(const CamTrack& cam);

// One stroke of a valve outline: a line from a to b, or a circle about a.
struct Mark {
    enum class Kind { Line, Circle } kind = Kind::Line;
    Point a, b;
    double radius = 0;
    int width = 1;
};
using Sketch = std::vector<Mark>;

// Roller centre of a side, (centre_x, roller_y).
Point roller_centre(const CamTrack& cam);

// Left valve over its cam: head, guide blocks, spring with its seat, stem to
// the roller. The head rises into the port by 10 valve_s / 6 above y_high + 4.
// The valve and its guide stand 15 either side of the cam's centre line, the
// stem opening in the port floor 5 either side.
Sketch left_valve_sketch(const CamTrack& left, double y_high);

// Right valve in the slanted roof: head pushed in along the roof's normal,
// stem, guide, spring, rocker, push rod down to the roller.
Sketch right_valve_sketch(const CamTrack& right, const Positions& p);

}  // namespace vm::anim
