// The mounting-method picture of the cam mounting angle window: the engine
// scheme with head, spring-loaded valves, rockers and push rods, piston, rod and
// crank, the timing gears to the cam shafts O1 and O2, and how to fit each cam.
#include <QString>
#include <cmath>
#include <vector>

#include "core/cam_profile.h"
#include "draw/drawing_surface.h"
#include "ui/cam/Tlanzhuang.h"

namespace vm {

namespace {
// Full precision: the picture's angles are only drawn, never shown as numbers.
constexpr double kPi = 3.14159265358979323846;
constexpr draw::Colour kBlack = 0, kGrey = draw::rgb(200, 200, 200), kDarkGrey = draw::rgb(90, 90, 90);
constexpr draw::Colour kGearBlue = draw::rgb(40, 70, 160), kCamRed = draw::rgb(190, 40, 40);
constexpr draw::Colour kNoteGreen = draw::rgb(0, 120, 60);

struct Pt {
    double x, y;
};

// Layout in pixels (y downward): cylinder axis, crank centre and the cam
// shafts, which mesh with the crank gear at half its speed (radii 2 : 1).
constexpr double kAxis = 262;
constexpr Pt kO{262, 380};
constexpr double kCrankGear = 26, kCamGear = 52, kCrank = 40;
constexpr Pt kO1{kO.x - kCrankGear - kCamGear, kO.y}, kO2{kO.x + kCrankGear + kCamGear, kO.y};
constexpr double kValveLeft = 236, kValveRight = 288;
constexpr double kHeadTop = 70, kHeadBottom = 104, kRockerY = 30;
constexpr double kCamOffset = 7;  // offset of each follower's line of travel from its cam shaft

void label(draw::DrawingSurface& s, double x, double y, const char* text) {
    s.set_current(x, y);
    s.print(QString::fromUtf8(text), false);
}

// Two short strokes at `tip`, the arrow pointing along `angle` (screen radians, y down).
void arrow_head(draw::DrawingSurface& s, Pt tip, double angle, draw::Colour c) {
    for (double side : {-0.45, 0.45}) {
        const double back = angle + kPi + side;
        s.line(tip.x, tip.y, tip.x + 8 * std::cos(back), tip.y + 8 * std::sin(back), c);
    }
}

void spring(draw::DrawingSurface& s, double x, double top, double bottom) {
    const int turns = 7;
    const double step = (bottom - top) / turns;
    s.set_current(x, top);
    for (int i = 0; i < turns; ++i) {
        s.line_to(x + (i % 2 == 0 ? 9 : -9), top + (i + 0.5) * step, kDarkGrey);
    }
    s.line_to(x, bottom, kDarkGrey);
    s.line(x - 10, top, x + 10, top, kBlack);  // spring retainer
}

void valve(draw::DrawingSurface& s, double x) {
    s.set_line_width(2);
    s.line(x, 38, x, kHeadBottom + 2, kBlack);
    s.line(x - 12, kHeadBottom + 4, x + 12, kHeadBottom + 4, kBlack);
    s.line(x - 12, kHeadBottom + 4, x - 2, kHeadBottom - 2, kBlack);
    s.line(x + 12, kHeadBottom + 4, x + 2, kHeadBottom - 2, kBlack);
    s.set_line_width(1);
    spring(s, x, 46, kHeadTop);
}

// Rocker from the push rod at `rod_x` over its pivot to the valve stem at `valve_x`.
void rocker(draw::DrawingSurface& s, double rod_x, double valve_x) {
    const Pt pivot{(rod_x + valve_x) / 2, kRockerY};
    s.set_line_width(3);
    s.line(rod_x, kRockerY - 8, valve_x, kRockerY + 8, kDarkGrey);
    s.set_line_width(1);
    s.set_fill(true, kGrey);
    s.circle(pivot.x, pivot.y, 3, kBlack);
    s.set_fill(false);
    s.line(pivot.x, pivot.y, pivot.x - 6, pivot.y - 12, kBlack);
    s.line(pivot.x, pivot.y, pivot.x + 6, pivot.y - 12, kBlack);
    s.line(pivot.x - 9, pivot.y - 12, pivot.x + 9, pivot.y - 12, kBlack);
}

void gear(draw::DrawingSurface& s, Pt c, double r) {
    s.circle(c.x, c.y, r, kGearBlue);
    s.set_line_style(1);
    s.circle(c.x, c.y, r - 5, kGearBlue);
    s.set_line_style(0);
}

// A small valve cam on its shaft, the roller above it on the offset line of
// travel, the push rod to the rocker, and the cam's rise start line, which the
// fitter extends through the roller centre. The profile is the real actual
// profile of a small offset cam; `side` (-1 left, +1 right) puts the offset
// away from the cylinder.
void cam_with_follower(draw::DrawingSurface& s, Pt centre, double side, const char* angle_name) {
    const CamInputs in{10, 26, kCamOffset, 7};
    const CamProfile profile(in);
    std::vector<CamPoint> outline;
    for (const OutlinePiece& p : profile.outline(true)) {
        if (!p.is_arc) {
            outline.insert(outline.end(), p.points.begin(), p.points.end());
            continue;
        }
        const int n = 24;
        for (int i = 0; i <= n; ++i) outline.push_back(p.on_arc(p.from + p.sweep * i / n));
    }
    // The follower travels along the cam's x direction at the start of the
    // rise; on the picture that is straight up.
    auto place = [&](const CamPoint& q) { return Pt{centre.x + side * q.y, centre.y - q.x}; };
    s.set_line_width(2);
    const Pt first = place(outline.front());
    s.set_current(first.x, first.y);
    for (const CamPoint& q : outline) {
        const Pt p = place(q);
        s.line_to(p.x, p.y, kCamRed);
    }
    s.line_to(first.x, first.y, kCamRed);
    s.set_line_width(1);
    s.set_fill(true, kBlack);
    s.circle(centre.x, centre.y, 3, kBlack);
    s.set_fill(false);

    const Pt roller = place(profile.samples().front().pitch);
    s.set_line_width(3);
    s.line(roller.x, roller.y - in.rr, roller.x, kRockerY - 8, kDarkGrey);
    s.set_line_width(1);
    s.set_fill(true, 0xFFFFFF);
    s.circle(roller.x, roller.y, in.rr, kBlack);
    s.set_fill(false);
    // Guide of the push rod.
    s.box(roller.x - 6, 250, roller.x + 6, 280, kBlack);
    // The rise start line, extended beyond the roller centre.
    s.set_line_style(1);
    const double reach = 1.8;
    s.line(centre.x, centre.y, centre.x + reach * (roller.x - centre.x), centre.y + reach * (roller.y - centre.y),
           kCamRed);
    s.set_line_style(0);

    // The crank angle to turn before fitting this cam.
    const double r = 40;
    const double a0 = kPi / 2, a1 = kPi / 2 - 1.0;  // screen angles, counter-clockwise
    const Pt shaft{centre.x, centre.y};
    s.arc(shaft.x, shaft.y, r, kNoteGreen, a1, a0);
    const Pt tip{shaft.x + r * std::cos(a1), shaft.y - r * std::sin(a1)};
    arrow_head(s, tip, -(a1 - kPi / 2), kNoteGreen);
    s.set_fore_colour(kNoteGreen);
    label(s, shaft.x + (side < 0 ? -44 : 20), shaft.y - 52, angle_name);
    s.set_fore_colour(kBlack);
}

void note(draw::DrawingSurface& s, double x, double y, const std::vector<const char*>& lines) {
    s.set_fore_colour(kBlack);
    for (size_t i = 0; i < lines.size(); ++i) label(s, x, y + 17.0 * static_cast<double>(i), lines[i]);
}
}  // namespace

void draw_mounting_method(draw::DrawingSurface& s) {
    s.clear();
    s.set_pixel_scale();
    s.set_fore_colour(kBlack);

    // Cylinder head and cylinder.
    s.filled_box(kAxis - 66, kHeadTop, kAxis + 66, kHeadBottom, kGrey);
    s.box(kAxis - 66, kHeadTop, kAxis + 66, kHeadBottom, kBlack);
    s.set_line_width(3);
    s.line(kAxis - 54, kHeadBottom, kAxis - 54, 250, kBlack);
    s.line(kAxis + 54, kHeadBottom, kAxis + 54, 250, kBlack);
    s.set_line_width(1);
    valve(s, kValveLeft);
    valve(s, kValveRight);
    rocker(s, kO1.x - kCamOffset, kValveLeft);
    rocker(s, kO2.x + kCamOffset, kValveRight);
    label(s, 112, 54, "进气门");
    label(s, 362, 54, "排气门");

    // Piston at its highest position, rod and crank.
    const Pt b{kAxis, 186}, a{kO.x, kO.y - kCrank};
    s.filled_box(kAxis - 50, 166, kAxis + 50, 208, kGrey);
    s.box(kAxis - 50, 166, kAxis + 50, 208, kBlack);
    s.set_line_width(4);
    s.line(b.x, b.y, a.x, a.y, kDarkGrey);
    s.line(kO.x, kO.y, a.x, a.y, kBlack);
    s.set_line_width(1);
    s.set_fill(true, 0xFFFFFF);
    s.circle(b.x, b.y, 4, kBlack);
    s.circle(a.x, a.y, 4, kBlack);
    s.set_fill(false);
    label(s, b.x + 8, b.y - 22, "B");
    label(s, a.x + 8, a.y - 16, "A");

    // Timing gears: crank gear on O, cam gears on O1 and O2.
    gear(s, kO, kCrankGear);
    gear(s, kO1, kCamGear);
    gear(s, kO2, kCamGear);
    s.set_fill(true, kBlack);
    s.circle(kO.x, kO.y, 3, kBlack);
    s.set_fill(false);
    s.line(kO.x - 10, kO.y + 14, kO.x + 10, kO.y + 14, kBlack);
    s.line(kO.x, kO.y, kO.x - 7, kO.y + 14, kBlack);
    s.line(kO.x, kO.y, kO.x + 7, kO.y + 14, kBlack);
    label(s, kO.x + 6, kO.y + 8, "O");
    label(s, kO1.x - 26, kO1.y + 6, "O1");
    label(s, kO2.x + 10, kO2.y + 6, "O2");

    // The crank turns clockwise.
    const double r = 48, from = kPi / 2 - 0.9, to = kPi / 2 + 0.1;
    s.arc(kO.x, kO.y, r, kBlack, from, to);
    arrow_head(s, {kO.x + r * std::cos(from), kO.y - r * std::sin(from)}, -(from - kPi / 2), kBlack);

    cam_with_follower(s, kO1, -1, "α");
    cam_with_follower(s, kO2, 1, "β");

    note(s, 8, 446,
         {"左凸轮（进气）：曲柄从活塞", "最高位置顺时针转过α角，", "再装凸轮，使其推程起始线",
          "的延长线通过滚子中心。"});
    note(s, 268, 446,
         {"右凸轮（排气）：曲柄从活塞", "最高位置顺时针转过β角，", "再装凸轮，使其推程起始线",
          "的延长线通过滚子中心。"});
}

}  // namespace vm
