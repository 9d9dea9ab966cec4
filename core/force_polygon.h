// The force polygon of one member (crank, connecting rod or piston) at one
// cycle angle, read from the force table: the forces head to tail in drawing
// order, each with its name, colour and end dot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/design_state.h"

namespace vm {

// End dots of the force-polygon window: one per force kind and member
// (index 0, 1, 2 for crank, rod, piston), plus the gas force's dot.
enum class ForceDot { Red, Green, Yellow, Blue, Magenta };

// Colour (0x00BBGGRR) of a dot, and of the force line that ends in it.
std::uint32_t dot_colour(ForceDot dot);

struct ForceStep {
    std::string name;     // printed beside the dot
    double fx = 0, fy = 0;  // N, mechanism frame (x right, y up)
    ForceDot dot = ForceDot::Red;
};

// Members of the crank-slider as numbered in the force analysis.
enum Member { kCrank = 1, kRod = 2, kPiston = 3 };

// Forces on `member` at table row `row`, in drawing order. The weights are
// drawn as 9.8 m with the masses of the last force analysis. For a consistent
// table the forces sum to zero (the polygon closes).
std::vector<ForceStep> force_polygon(const ForceTable& table, int member, int row, const ForceAnalysis& masses);

// The cycle angles the force table has rows for, degrees.
inline constexpr double kForceAngleMin = -720, kForceAngleMax = 720;

// The table row for an angle text: the number rounded to a whole degree, ties
// to even (0.5 -> 0, 1.5 -> 2), then taken onto the one filled cycle 0..719
// (-30 is 690 of the same cycle, 719.5 and 720 are 0). Nothing when the text is
// not a number or the angle lies outside -720..720.
enum class AngleRowError { None, NotNumber, OutOfRange };
struct AngleRow {
    AngleRowError error = AngleRowError::None;
    int row = 0;
};
AngleRow angle_row(std::string_view text);

// A whole cycle angle in degrees taken onto 0..719.
int cycle_row(long long degrees);

}  // namespace vm
