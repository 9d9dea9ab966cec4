// The engine picture of the main window: cylinder with piston and two valves,
// connecting rod, crank, the crank gear driving two cam gears at half speed,
// and the cams lifting push rods that rock the valves open.
#include <QFont>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

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
// Directions of the two cams' noses: the intake cam lifts its rod nearly
// fully, the exhaust cam's rod rests near the base circle.
constexpr double kLeftLobe = 1.9, kRightLobe = 0.6;

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

// Egg-shaped valve cam: a base circle and a smaller nose circle further out
// along `lobe` (radians, counter-clockwise on screen), joined by the two
// lines touching both. The outline is convex and turns without a corner.
constexpr double kCamBase = 26, kCamNose = 10, kCamNoseOffset = 32;

// The point of the outline whose outward normal points along u.
void cam_outline_point(double x, double y, double lobe, double u, bool on_nose, double* px, double* py) {
    const double nx = std::cos(u), ny = -std::sin(u);
    if (on_nose) {
        *px = x + kCamNoseOffset * std::cos(lobe) + kCamNose * nx;
        *py = y - kCamNoseOffset * std::sin(lobe) + kCamNose * ny;
    } else {
        *px = x + kCamBase * nx;
        *py = y + kCamBase * ny;
    }
}

// The closed outline, as points in order around it (the last is the first).
std::vector<std::pair<double, double>> cam_outline(double x, double y, double lobe) {
    // Normals within `reach` of the lobe belong to the nose; at exactly `reach`
    // both circles share the normal, and the touching line joins the two points.
    const double reach = std::acos((kCamBase - kCamNose) / kCamNoseOffset);
    std::vector<std::pair<double, double>> pts;
    const int n = 144;
    bool was_nose = false;
    for (int i = 0; i <= n; ++i) {
        const double u = lobe + kPi + 2 * kPi * i / n;  // start opposite the nose
        const double off = std::remainder(u - lobe, 2 * kPi);
        const bool nose = std::fabs(off) < reach;
        double px, py;
        auto add = [&] {
            if (pts.empty() || std::hypot(px - pts.back().first, py - pts.back().second) > 1e-9)
                pts.emplace_back(px, py);
        };
        if (i > 0 && nose != was_nose) {
            // Both ends of the touching line at the normal where the arcs meet.
            const double edge = lobe + (off < 0 ? -reach : reach);
            cam_outline_point(x, y, lobe, edge, was_nose, &px, &py);
            add();
            cam_outline_point(x, y, lobe, edge, nose, &px, &py);
            add();
        }
        cam_outline_point(x, y, lobe, u, nose, &px, &py);
        add();
        was_nose = nose;
    }
    return pts;
}

// How far the outline lies from the centre along `direction` (radians,
// counter-clockwise on screen): where a push rod standing on the cam's centre
// line touches it.
double cam_height(double lobe, double direction) {
    const auto pts = cam_outline(0, 0, lobe);
    const double dx = std::cos(direction), dy = -std::sin(direction);
    double reach = kCamBase;
    for (size_t i = 1; i < pts.size(); ++i) {
        // The ray t * (dx, dy) meets the segment p + s * (q - p), 0 <= s <= 1.
        const double px = pts[i - 1].first, py = pts[i - 1].second;
        const double ex = pts[i].first - px, ey = pts[i].second - py;
        const double det = ex * dy - ey * dx;
        if (det == 0) continue;
        const double t = (ex * py - ey * px) / det;
        const double along = (dx * py - dy * px) / det;
        if (t > 0 && along >= 0 && along <= 1) reach = t;
    }
    return reach;
}

void cam(DrawingSurface& s, double x, double y, double lobe) {
    s.set_line_width(2);
    const auto pts = cam_outline(x, y, lobe);
    s.set_current(pts.front().first, pts.front().second);
    for (size_t i = 1; i < pts.size(); ++i) s.line_to(pts[i].first, pts[i].second, kAccent);
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
    cam(s, ox - 108, oy, kLeftLobe);
    cam(s, ox + 108, oy, kRightLobe);

    // Push rods from the cams up to the rockers, rockers onto the valve stems;
    // each rod stands on its cam's outline straight above the cam's centre.
    s.set_line_width(4);
    s.line(ox - 108, oy - cam_height(kLeftLobe, kPi / 2), ox - 108, 18, kSteel);
    s.line(ox + 108, oy - cam_height(kRightLobe, kPi / 2), ox + 108, 26, kSteel);
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
