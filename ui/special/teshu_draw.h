// The pictures of the special-positions window: the mechanism on Picture1 and
// the motion diagram (frame and curves) on Picture2.
#pragma once

#include <vector>

#include "core/special_curves.h"
#include "core/special_positions.h"
#include "draw/drawing_surface.h"

namespace vm::special_view {

inline constexpr draw::Colour kBlack = 0;
inline constexpr draw::Colour kRed = 255;
inline constexpr draw::Colour kBlue = 0xFF0000;
inline constexpr draw::Colour kMagenta = 0xFF00FF;

// Picture1 shows the view's rectangle (mm, y up): x from -300 to 300 and y
// from 860 down to -240 unless the mechanism needs more room.
void set_mechanism_scale(draw::DrawingSurface& s,
                         const special::MechanismView& view = special::MechanismView{});
// Picture2's diagram: crank angle -1..10 rad across, -20..20 units up.
void set_diagram_scale(draw::DrawingSurface& s);

// "A" and "B" printed beside their joints, just right of and below them
// unless a line, circle or name of the picture passes there; called after the
// mechanism is drawn.
void label_joints(draw::DrawingSurface& s, const special::SliderPosition& p);

// Joints, crank, rod, piston D wide and the fixed support in the default
// colour; the slider line and the axes dash-dot in red and the crank circle in
// black. A widened view also states its scale in the top left corner. Leaves
// black as the default colour.
void draw_mechanism(draw::DrawingSurface& s, const special::CrankSlider& m,
                    const special::SliderPosition& p, double D, const special::MechanismView& view);

// Axes with arrow heads, their names, and the dashed lines at pi and 2*pi
// with their names centred under them.
void draw_curve_frame(draw::DrawingSurface& s);

enum class Curve { Displacement, Velocity, Acceleration };
draw::Colour curve_colour(Curve c);

// Plots the given curves as points, all of them at each sample angle in the
// order given, from 0 to one turn in steps of delta.
void draw_curves(draw::DrawingSurface& s, const special::CrankSlider& m, double H,
                 const special::CurveScales& scales, const std::vector<Curve>& curves, double delta);

}  // namespace vm::special_view
