// Curves over the four-stroke cycle with labelled axes: the piston's
// displacement, velocity and acceleration, and the gas force on the piston.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "figures/motion_figures.h"

namespace vm {
struct DesignState;
}

namespace vm::figures {

// Surfaces of the report and the sheets: 96 pixels to the inch.
inline constexpr double kPxPerMm = 96 / 25.4;

struct Chart {
    std::vector<double> x, y;  // samples, in order of x
    std::string x_caption;     // with its unit, e.g. "φ/(°)"
    std::string y_caption;     // with its unit, e.g. "v_B/(m/s)"
    double x_low = 0, x_high = 720, x_step = 90;
    std::uint32_t colour = 0xFF0000;  // 0x00BBGGRR
};

// One chart filling the pixel box: the value axis on the left with round
// ticks (its caption above it), the x axis along the lowest value with its
// ticks and numbers centred under them and its caption after the last number,
// the zero line where the values change sign, and the curve.
void draw_chart(draw::DrawingSurface& s, const PixelBox& frame, const Chart& chart);

// Displacement, velocity and acceleration charts one above the other in the
// box, each in its colour (green, red, blue) and `gap` pixels above the next.
// The charts' x, y and captions are the caller's; their colours are set here.
void draw_motion_charts(draw::DrawingSurface& s, const PixelBox& frame, Chart (&charts)[3], double gap);

// The piston over the cycle 0..719 degrees from the outer dead centre, one
// sample per degree: displacement from the outer dead centre (mm), velocity
// (m/s) and acceleration (m/s²). Empty when a position has no answer.
struct PistonCurves {
    std::vector<double> angle, s, v, a;
};
PistonCurves piston_curves(const DesignState& confirmed);
// The three charts stacked in the box.
void draw_piston_curves(draw::DrawingSurface& s, const PixelBox& frame, const PistonCurves& c);

// The gas force (N) of a filled force table over 0..719 degrees.
void draw_gas_force(draw::DrawingSurface& s, const PixelBox& frame, const DesignState& filled);

}  // namespace vm::figures
