// The engine picture of the main window: cylinder with piston and two valves,
// connecting rod, crank, the crank gear driving two cam gears at half speed,
// and the cams lifting push rods that rock the valves open.
#include <QFont>
#include <cmath>

#include "draw/drawing_surface.h"
#include "ui/main/firstpage.h"

namespace vm {

namespace {
using draw::Colour;
using draw::DrawingSurface;
using draw::rgb;

constexpr double kPi = 3.14159265358979323846;
const Colour kSteel = rgb(150, 160, 175);
const Colour kDarkSteel = rgb(90, 98, 112);
const Colour kLight = rgb(220, 228, 240);
const Colour kBrass = rgb(200, 160, 70);
const Colour kAccent = rgb(232, 192, 96);

void gear(DrawingSurface& s, double x, double y, double r, int teeth, double turn) {
    s.set_fill(true, kBrass);
    s.set_line_width(1);
    s.circle(x, y, r, rgb(140, 110, 40));
    s.set_fill(false);
    s.set_line_width(4);
    for (int i = 0; i < teeth; ++i) {
        const double a = turn + 2 * kPi * i / teeth;
        s.line(x + r * std::cos(a), y + r * std::sin(a), x + (r + 6) * std::cos(a), y + (r + 6) * std::sin(a),
               kBrass);
    }
    s.set_line_width(1);
    s.set_fill(true, kDarkSteel);
    s.circle(x, y, 6, kLight);
    s.set_fill(false);
}

// Egg-shaped cam: base circle with a lobe pointing along `lobe`.
void cam(DrawingSurface& s, double x, double y, double lobe) {
    s.set_line_width(2);
    const int n = 72;
    double px = 0, py = 0;
    for (int i = 0; i <= n; ++i) {
        const double a = 2 * kPi * i / n;
        const double d = std::cos(a - lobe);
        const double r = 26 + (d > 0.5 ? 16 * (d - 0.5) * 2 : 0);
        const double qx = x + r * std::cos(a), qy = y - r * std::sin(a);
        if (i > 0) s.line(px, py, qx, qy, kAccent);
        px = qx;
        py = qy;
    }
    s.set_line_width(1);
}

void spring(DrawingSurface& s, double x, double top, double bottom) {
    s.set_line_width(2);
    const int turns = 6;
    const double h = (bottom - top) / (2 * turns);
    s.set_current(x - 8, top);
    for (int i = 1; i <= 2 * turns; ++i) s.line_to(x + (i % 2 ? 8 : -8), top + i * h, kSteel);
    s.set_line_width(1);
}

void valve(DrawingSurface& s, double x, double stem_top, double seat_y) {
    s.set_line_width(3);
    s.line(x, stem_top, x, seat_y, kLight);
    s.set_line_width(1);
    s.filled_box(x - 16, seat_y, x + 16, seat_y + 5, kLight);
    spring(s, x, stem_top + 12, stem_top + 48);
}

void caption(DrawingSurface& s, double x, double y, const char* text) {
    s.set_fore_colour(kLight);
    s.set_current(x, y);
    s.print(text);
}
}  // namespace

void draw_engine_picture(DrawingSurface& s) {
    s.set_background(rgb(18, 22, 30));
    s.set_pixel_scale();
    s.set_font(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));

    const double cx = 220;             // cylinder axis
    const double ox = 220, oy = 470;   // crank centre O
    const double crank = 58, rod = 190;
    const double phi = 60 * kPi / 180;  // crank angle shown, from +x, y up on screen
    const double ax = ox + crank * std::cos(phi), ay = oy - crank * std::sin(phi);
    const double by = ay - std::sqrt(rod * rod - (cx - ax) * (cx - ax));

    // Cylinder walls and head.
    s.filled_box(150, 70, 162, 330, kDarkSteel);
    s.filled_box(278, 70, 290, 330, kDarkSteel);
    s.filled_box(140, 52, 300, 70, kSteel);
    s.filled_box(162, 70, 278, by - 40, rgb(60, 40, 30));  // combustion space
    // Piston with rings, and its pin B.
    s.filled_box(163, by - 40, 277, by + 20, kSteel);
    for (int i = 0; i < 3; ++i) s.line(163, by - 32 + 7 * i, 277, by - 32 + 7 * i, kDarkSteel);
    // Crankcase outline.
    s.set_line_width(2);
    s.box(30, 340, 410, 600, kDarkSteel);
    s.set_line_width(1);

    // Timing gears: the crank gear drives both cam gears at half its speed.
    gear(s, ox, oy, 36, 16, 0.1);
    gear(s, ox - 108, oy, 60, 32, 0.05);
    gear(s, ox + 108, oy, 60, 32, 0.02);
    s.set_fill(true, rgb(40, 46, 58));
    s.circle(ox - 108, oy, 44, rgb(40, 46, 58));
    s.circle(ox + 108, oy, 44, rgb(40, 46, 58));
    s.set_fill(false);
    cam(s, ox - 108, oy, 1.9);
    cam(s, ox + 108, oy, 0.6);

    // Push rods from the cams up to the rockers, rockers onto the valve stems.
    s.set_line_width(4);
    s.line(ox - 108, oy - 42, ox - 108, 18, kSteel);
    s.line(ox + 108, oy - 28, ox + 108, 26, kSteel);
    s.line(ox - 108, 18, 190, 28, kLight);
    s.line(ox + 108, 26, 250, 20, kLight);
    s.set_line_width(1);
    valve(s, 190, 26, 70);
    valve(s, 250, 20, 66);

    // Connecting rod and crank with its counterweight.
    s.set_fill(true, rgb(70, 76, 90));
    s.circle(ox, oy, 28, kDarkSteel);
    s.set_fill(false);
    s.set_line_width(12);
    s.line(cx, by, ax, ay, rgb(176, 186, 200));
    s.set_line_width(14);
    s.line(ox, oy, ax, ay, kAccent);
    s.set_line_width(1);
    s.set_fill(true, kLight);
    s.circle(cx, by, 6, kDarkSteel);
    s.circle(ax, ay, 7, kDarkSteel);
    s.circle(ox, oy, 7, kDarkSteel);
    s.set_fill(false);

    caption(s, 300, by - 20, "活塞");
    caption(s, cx + 40, (by + ay) / 2, "连杆");
    caption(s, ox + 20, oy + 48, "曲柄");
    caption(s, 60, 80, "进气门");
    caption(s, 310, 80, "排气门");
    caption(s, 36, 560, "凸轮与正时齿轮");
    caption(s, 300, 560, "凸轮");
}

}  // namespace vm
