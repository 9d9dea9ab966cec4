// The state of the planar engine animation, apart from any window: the captured
// parameters, the dimensions, the crank angle and its step, the gear train and
// the two cam tracks, set up by "绘图" and advanced once per timer tick.
#pragma once

#include <string>
#include <string_view>

#include "core/anim_gears.h"
#include "core/anim_layout.h"
#include "core/anim_mechanism.h"
#include "core/anim_valves.h"

namespace vm::anim {

struct AnimationModel {
    // Texts of the four parameter boxes as captured by the last "绘图".
    std::string stroke_h, bore_d, offset_e, ratio_k;
    Entries entries;
    Dimensions dims;
    Positions pos;           // of the current crank angle
    double crank_angle = 0;  // crank direction from +x, rad (decreases: clockwise)
    double step_angle = 0;   // crank turn per tick, rad; 0 until the motion starts
    GearTable gears;
    CamTrack right, left;
    AnimationLayout layout;  // train size and picture view for this mechanism
    bool ready = false;  // a mechanism has been set up and can be drawn
};

// Speed-bar value to crank turn per tick: value / 50 rad (3 gives 0.06 rad).
double step_for_speed(int value);

// "绘图": captures the texts, derives the dimensions and positions at the typed
// crank position, lays the picture out for a surface of width_px x height_px
// (none given: the full-size train in the fixed view), and resets the gear
// train and both cams. When the entries define no mechanism it returns false
// and leaves the model as it was.
bool anim_setup(AnimationModel& m, std::string_view h, std::string_view d, std::string_view e,
                std::string_view k, std::string_view crank_position, double width_px = 0,
                double height_px = 0);

// One tick: the gears turn by step_angle, the crank by -step_angle, and both
// cams by z0/z2 of it (half the crank's turn); positions follow the crank.
void anim_advance(AnimationModel& m);

}  // namespace vm::anim
