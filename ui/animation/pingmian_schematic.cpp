// The still pictures of the animation window: the engine schematic beside the
// parameters and the window's background.
#include <cmath>

#include "ui/animation/pingmian_draw.h"

namespace vm::animation {

namespace {
using draw::rgb;

constexpr double kPiSketch = 3.14159265358979323846;  // the sketch is free-hand, any pi will do
const Colour kInk = rgb(30, 30, 30);
const Colour kGear = rgb(40, 90, 200);
const Colour kCam = rgb(160, 40, 160);
const Colour kValve = rgb(200, 40, 40);

void gear(DrawingSurface& s, double x, double y, double r, int teeth) {
    s.circle(x, y, r, kGear);
    for (int i = 0; i < teeth; ++i) {
        const double a = 2 * kPiSketch * i / teeth;
        s.line(x + r * std::cos(a), y + r * std::sin(a), x + (r + 2.5) * std::cos(a),
               y + (r + 2.5) * std::sin(a), kGear);
    }
    s.circle(x, y, 1.5, kInk);
}

// A disc cam as a base circle with a nose towards `dir` (rad from +x).
void cam(DrawingSurface& s, double x, double y, double r, double dir) {
    const int n = 72;
    double px = 0, py = 0;
    for (int i = 0; i <= n; ++i) {
        const double a = 2 * kPiSketch * i / n;
        double d = std::fabs(std::remainder(a - dir, 2 * kPiSketch));
        const double rho = r + (d < 1.0 ? 4 * (1 - d) : 0);
        const double qx = x + rho * std::cos(a), qy = y + rho * std::sin(a);
        if (i > 0) s.line(px, py, qx, qy, kCam);
        px = qx;
        py = qy;
    }
}

void spring(DrawingSurface& s, double x, double top, double bottom, double half) {
    const int turns = 6;
    double py = top, px = x - half;
    for (int i = 1; i <= turns; ++i) {
        const double qy = top - (top - bottom) * i / turns;
        const double qx = (i % 2) ? x + half : x - half;
        s.line(px, py, qx, qy, kInk);
        px = qx;
        py = qy;
    }
}
}  // namespace

void draw_engine_schematic(DrawingSurface& s) {
    // 200 x 296 units, y up; crank centre at (95, 70).
    s.set_scale(0, 296, 201, -297);
    s.set_line_width(2);
    // Cylinder, head and ports.
    s.line(72, 150, 72, 236, kInk);
    s.line(128, 150, 128, 228, kInk);
    s.line(72, 236, 40, 236, kInk);
    s.line(40, 236, 40, 252, kInk);
    s.line(40, 252, 108, 252, kInk);
    s.line(108, 252, 128, 228, kInk);
    // Piston, rod and crank.
    s.set_fill(true, rgb(200, 200, 210));
    s.filled_box(74, 196, 126, 214, rgb(200, 200, 210));
    s.set_fill(false);
    s.box(74, 196, 126, 214, kInk);
    s.line(100, 200, 92, 88, kInk);
    s.line(92, 88, 95, 70, kInk);
    s.circle(100, 200, 2.5, kInk);
    s.circle(92, 88, 2.5, kInk);
    s.set_line_width(1);
    // Left valve with its spring straight over the left cam.
    s.set_line_width(2);
    s.line(46, 238, 62, 238, kValve);
    s.line(54, 238, 54, 176, kValve);
    s.set_line_width(1);
    s.line(47, 222, 61, 222, kInk);
    spring(s, 54, 222, 186, 6);
    s.line(47, 186, 61, 186, kInk);
    s.circle(54, 170, 5, kValve);
    // Right valve slanted in the roof, rocker and push rod to the right cam.
    s.set_line_width(2);
    s.line(108, 240, 122, 232, kValve);
    s.line(115, 236, 130, 262, kValve);
    s.line(130, 262, 150, 270, kInk);
    s.line(150, 270, 166, 262, kInk);
    s.line(166, 262, 166, 170, kInk);
    s.set_line_width(1);
    s.circle(150, 270, 2.5, kInk);
    spring(s, 123, 254, 244, 5);
    s.circle(166, 164, 5, kValve);
    // Crank gear between two idlers, the cam gears at twice its size.
    gear(s, 95, 70, 16, 18);
    gear(s, 72, 78, 7, 8);
    gear(s, 118, 80, 7, 8);
    gear(s, 50, 118, 32, 36);
    gear(s, 160, 112, 32, 36);
    cam(s, 54, 152, 13, kPiSketch / 2);
    cam(s, 166, 145, 13, kPiSketch / 3);
    s.set_line_width(2);
    s.line(85, 58, 105, 58, kInk);
    s.set_line_width(1);
    for (int k = 0; k < 6; ++k) s.line(87 + 4 * k, 58, 84 + 4 * k, 53, kInk);
}

void draw_window_background(DrawingSurface& s) {
    // A pale drawing-board sheet with a faint millimetre grid.
    s.set_pixel_scale();
    const int w = s.width_px(), h = s.height_px();
    s.filled_box(0, 0, w, h, rgb(236, 241, 248));
    for (int x = 0; x < w; x += 12) s.line(x, 0, x, h, rgb(222, 230, 242));
    for (int y = 0; y < h; y += 12) s.line(0, y, w, y, rgb(222, 230, 242));
    s.set_line_width(2);
    s.box(4, 4, w - 5, h - 5, rgb(150, 170, 200));
    s.set_line_width(1);
}

}  // namespace vm::animation
