// Drawing of the planar engine animation on its surface: the crank-slider with
// cylinder and head, the fixed-pivot symbol, the timing gears, the cams with
// their followers and valves, and the whole pictures of "绘图" and of a tick.
#pragma once

#include "draw/drawing_surface.h"

namespace vm::anim {
struct AnimationModel;
struct AnimationLayout;
}

namespace vm::animation {

using vm::draw::Colour;
using vm::draw::DrawingSurface;

// QBColor number of the gears (light blue).
inline constexpr int kGearColour = 9;
// Right roller magenta, left roller red, limit positions on a tick green.
inline constexpr Colour kRightRoller = 0xFF00FF;
inline constexpr Colour kLeftRoller = 255;
inline constexpr Colour kLimitGreen = 65280;

// The window's proportional scale: 700 units across, y up from the bottom edge.
void set_animation_scale(DrawingSurface& s);
// The scale of a mechanism's layout: the fixed one, or the widened view.
void set_animation_scale(DrawingSurface& s, const anim::AnimationLayout& layout);

// One frame of crank, rod, piston, cylinder and head, then gears 0 to 4.
void draw(DrawingSurface& s, const anim::AnimationModel& m);
// The fixed schematic of the engine shown in Picture1 (pingmian_schematic.cpp).
void draw_engine_schematic(DrawingSurface& s);
// The window's decorative background.
void draw_window_background(DrawingSurface& s);

// Fixed-pivot symbol with its apex at (x, y), 40 wide and 25 deep times
// size; leaves the line width at 1.
void zhizuo(DrawingSurface& s, double x, double y, double size = 1);
// One gear: z trapezoidal teeth (a hub circle with each) and six holes.
void drawchilun(DrawingSurface& s, double x, double y, double r, int z, double m, double alpha,
                int colour_number);
// The two limit positions of piston, crank and rod in the current style.
void limit_positions(DrawingSurface& s, const anim::AnimationModel& m, Colour c);

void drawYOUTULUN(DrawingSurface& s, const anim::AnimationModel& m);
void drawZUOTULUN(DrawingSurface& s, const anim::AnimationModel& m);
// Roller, then the right valve through YOUQIFA.
void acircleYOUTULUN(DrawingSurface& s, const anim::AnimationModel& m);
// The left valve through ZUOQIFA, then the roller.
void acircleZUOTULUN(DrawingSurface& s, const anim::AnimationModel& m);
void YOUQIFA(DrawingSurface& s, const anim::AnimationModel& m);
void ZUOQIFA(DrawingSurface& s, const anim::AnimationModel& m);

// "绘图" after the surface was cleared: right and left valve train, the frame,
// the pivots of the two cam shafts.
void setup_picture(DrawingSurface& s, const anim::AnimationModel& m);
// A tick after clearing and advancing: frame, pivots, limit positions dashed in
// green, right then left valve train.
void tick_picture(DrawingSurface& s, const anim::AnimationModel& m);

}  // namespace vm::animation
