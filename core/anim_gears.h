// Timing gears of the planar engine animation: the crank gear, two idlers and
// the two cam-shaft gears at half crank speed, their phases and tooth outlines.
#pragma once

#include <array>

#include "core/anim_mechanism.h"

namespace vm::anim {

struct Gear {
    double x = 0, y = 0;  // centre, drawing units
    double r = 0;         // pitch radius z m / 2
    int z = 0;            // tooth count
    double alpha = 0;     // phase of the first tooth, rad, counter-clockwise
};

// Index 0 crank gear, 1 left idler, 2 left cam gear, 3 right idler, 4 right cam gear.
struct GearTable {
    double m = 3.5;  // module shared by all five gears
    std::array<Gear, 5> gears{};
};

// The table as "绘图" sets it: centres about A, radii from z and m, start phases.
// A train scale below 1 draws the whole train smaller about A (centres, module
// and so radii), the tooth counts and phases unchanged.
GearTable gear_table_setup(double train_scale = 1);

// Turns the train with the crank by its step s (rad): the crank gear and both
// cam gears clockwise, the idlers counter-clockwise, each by z0/zi of s.
void gear_advance(GearTable& table, double step);

// The five outline points of tooth i (0-based): a0 on the root circle, a1 and a2
// on the tip circle, a3 and a4 on the root circle; the rising flank spans 0.28
// of the angular pitch and the falling flank 0.22.
std::array<Point, 5> tooth_outline(const Gear& g, double m, int tooth);

// Centres of the six lightening holes (radius r/6) on the circle of radius r/2.
std::array<Point, 6> hole_centres(const Gear& g);

// Angular pitch as the gear drawing takes it: 6.2831852 / z.
double angular_pitch(const Gear& g);

}  // namespace vm::anim
