// Planar engine animation: the crank-slider dimensions from stroke, offset and
// stroke-speed ratio, its positions and limit positions for one crank angle,
// and the cylinder-head points, in drawing units (1 unit = 1 mm, y up).
#pragma once

#include <optional>
#include <string_view>

namespace vm::anim {

struct Point {
    double x = 0, y = 0;
};

// The animation's degree conversion (deg * 3.1415926 / 180) for typed angles,
// gear phases and cam marks; it decides where every part starts.
inline constexpr double kPiDegrees = 3.1415926;
inline constexpr double deg_to_rad(double deg) { return deg * kPiDegrees / 180; }

// Fixed crank centre A of the drawing.
inline constexpr double kCrankX = 280, kCrankY = 150;

// The four editable parameters as numbers (mm, except the ratio K).
struct Entries {
    double stroke_h = 0, bore_d = 0, offset_e = 0, ratio_k = 0;
};

// All four texts must be whole numbers; nothing otherwise.
std::optional<Entries> read_entries(std::string_view h, std::string_view d, std::string_view e,
                                    std::string_view k);

struct Dimensions {
    double limit_angle = 0;  // limit-position angle theta, rad
    double crank_len = 0;    // a, mm
    double rod_len = 0;      // b, mm
};

// Graphic synthesis on the circle through both limit positions of the piston
// pin, with pi at full precision. Nothing for K <= 1, e <= 0, H <= 0 or a
// geometry without a crank that passes both dead centres.
std::optional<Dimensions> anim_dimensions(const Entries& in);

// Typed crank position (leading number of the text, degrees, growing
// clockwise) to the crank direction from +x: -(n + 275.8) deg, so 0 points the
// crank at 84.2 deg, next to the extended dead centre. Whole turns of the
// typed angle are dropped (370 reads as 10).
double crank_angle_from_text(std::string_view text);

struct Positions {
    Point A{kCrankX, kCrankY};  // crank centre
    Point B;                    // crank pin
    Point C;                    // piston pin
    double guide_x = 0;         // the piston path x = guide_x
    double y_low = 0;           // piston-pin height nearest the crank (folded)
    double y_high = 0;          // piston-pin height farthest from the crank (extended)
    Point B1;                   // crank pin at the folded limit position
    double hc = 0;              // head height 64 D / 170
    double t = 0;               // roof drop tan 30 deg * D / 3
    double y_s = 0;             // roof's lower end y_high + hc - t
    // Slanted roof: upper end P0, the opening edges Pa and Pb, lower end P5.
    Point P0, Pa, Pb, P5;
};

// Nothing when a square root would be negative, a value is not finite, or
// the drawing would lie beyond any sensible picture (|coordinate| > 1e6 mm).
std::optional<Positions> anim_positions(const Entries& in, const Dimensions& dim,
                                        double crank_angle);

}  // namespace vm::anim
