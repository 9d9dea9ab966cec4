// The mounting-method picture of the cam mounting angle window: the engine
// scheme with head, spring-loaded valves, rockers and push rods, piston, rod and
// crank, the timing gears to the cam shafts O1 and O2, and how to fit each cam.
#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/cam_profile.h"
#include "core/segment_clip.h"
#include "draw/drawing_surface.h"
#include "ui/cam/Tlanzhuang.h"

namespace vm {

namespace {
// Full precision: the picture's angles are only drawn, never shown as numbers.
constexpr double kPi = 3.14159265358979323846;
constexpr draw::Colour kBlack = 0, kGrey = draw::rgb(200, 200, 200),
                       kDarkGrey = draw::rgb(90, 90, 90);
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

// A name that belongs to a point of the picture. Names are placed after every
// line is drawn, each at the spot nearest its point where its text box is
// clear of every line, circle, arc, fill and earlier text.
struct PointName {
    Pt at;
    const char* text;
    double towards;  // preferred direction from the point, screen radians (y down)
    draw::Colour colour = kBlack;
};

struct Box {
    double l, t, r, b;
};

Box grown(Box x, double by) {
    return {x.l - by, x.t - by, x.r + by, x.b + by};
}

bool inside(Box x, double px, double py) {
    return px >= x.l && px <= x.r && py >= x.t && py <= x.b;
}

// Does the segment reach into the box?
bool segment_meets(Box x, double x1, double y1, double x2, double y2) {
    return clip_segment(x1, y1, x2, y2, x.l, x.t, x.r, x.b).has_value();
}

bool boxes_meet(Box a, Box b) {
    return a.l <= b.r && b.l <= a.r && a.t <= b.b && b.t <= a.b;
}

// Nearest and farthest distance from (cx, cy) to the points of the box.
std::pair<double, double> distances(Box x, double cx, double cy) {
    const double nx = std::clamp(cx, x.l, x.r) - cx, ny = std::clamp(cy, x.t, x.b) - cy;
    const double fx = std::max(std::fabs(x.l - cx), std::fabs(x.r - cx));
    const double fy = std::max(std::fabs(x.t - cy), std::fabs(x.b - cy));
    return {std::hypot(nx, ny), std::hypot(fx, fy)};
}

// Whether what `p` puts on the picture comes within a pixel of the box.
bool touches(const draw::Primitive& p, Box box) {
    const Box x = grown(box, p.width / 2.0 + 1);
    switch (p.kind) {
        case draw::PrimitiveKind::Line:
            return segment_meets(x, p.x1, p.y1, p.x2, p.y2);
        case draw::PrimitiveKind::Box:
            return segment_meets(x, p.x1, p.y1, p.x2, p.y1) ||
                   segment_meets(x, p.x2, p.y1, p.x2, p.y2) ||
                   segment_meets(x, p.x2, p.y2, p.x1, p.y2) ||
                   segment_meets(x, p.x1, p.y2, p.x1, p.y1);
        case draw::PrimitiveKind::FilledBox:
            return boxes_meet(x, {std::min(p.x1, p.x2), std::min(p.y1, p.y2), std::max(p.x1, p.x2),
                                  std::max(p.y1, p.y2)});
        case draw::PrimitiveKind::Circle: {
            const auto [near, far] = distances(x, p.x1, p.y1);
            return near <= p.radius && far >= p.radius;
        }
        case draw::PrimitiveKind::FilledCircle:
            return distances(x, p.x1, p.y1).first <= p.radius;
        case draw::PrimitiveKind::Arc: {
            double span = p.end - p.start;
            if (span < 0) span += 2 * kPi;
            const int n = std::max(8, static_cast<int>(span * p.radius / 2));
            for (int i = 0; i < n; ++i) {
                const double a = p.start + span * i / n, b = p.start + span * (i + 1) / n;
                if (segment_meets(x, p.x1 + p.radius * std::cos(a), p.y1 - p.radius * std::sin(a),
                                  p.x1 + p.radius * std::cos(b), p.y1 - p.radius * std::sin(b)))
                    return true;
            }
            return false;
        }
        case draw::PrimitiveKind::Point:
            return inside(x, p.x1, p.y1);
        case draw::PrimitiveKind::Text:
            return boxes_meet(grown(box, 1), {p.x1, p.y1, p.x1 + p.x2, p.y1 + p.y2});
    }
    return true;
}

// Prints the name at the nearest clear spot around its point, trying the
// preferred side first; the picture is in pixels.
void place_name(draw::DrawingSurface& s, const PointName& n) {
    const QString text = QString::fromUtf8(n.text);
    const QFontMetricsF fm(s.font());
    const double w = fm.horizontalAdvance(text), h = fm.height();
    auto clear = [&](Box b) {
        if (b.l < 1 || b.t < 1 || b.r > s.width_px() - 1 || b.b > s.height_px() - 1) return false;
        const auto& list = s.display_list();
        return std::none_of(list.begin(), list.end(),
                            [&](const draw::Primitive& p) { return touches(p, b); });
    };
    Box chosen{n.at.x + 2, n.at.y + 2, n.at.x + 2 + w, n.at.y + 2 + h};
    bool found = false;
    for (int d = 0; d <= 80 && !found; ++d) {
        for (int k = 0; k < 24 && !found; ++k) {
            // pref, pref + 15 degrees, pref - 15 degrees, pref + 30 degrees, ...
            const double turn = (k % 2 == 0 ? 1 : -1) * ((k + 1) / 2) * kPi / 12;
            const double a = n.towards + turn;
            const double cx = n.at.x + std::cos(a) * (d + w / 2),
                         cy = n.at.y + std::sin(a) * (d + h / 2);
            const Box b{cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2};
            if (clear(b)) {
                chosen = b;
                found = true;
            }
        }
    }
    s.set_fore_colour(n.colour);
    s.set_current(chosen.l, chosen.t);
    s.print(text, false);
    s.set_fore_colour(kBlack);
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
void cam_with_follower(draw::DrawingSurface& s, Pt centre, double side, const char* angle_name,
                       std::vector<PointName>& names) {
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
    s.line(centre.x, centre.y, centre.x + reach * (roller.x - centre.x),
           centre.y + reach * (roller.y - centre.y), kCamRed);
    s.set_line_style(0);

    // The crank angle to turn before fitting this cam.
    const double r = 40;
    const double a0 = kPi / 2, a1 = kPi / 2 - 1.0;  // screen angles, counter-clockwise
    const Pt shaft{centre.x, centre.y};
    s.arc(shaft.x, shaft.y, r, kNoteGreen, a1, a0);
    const Pt tip{shaft.x + r * std::cos(a1), shaft.y - r * std::sin(a1)};
    arrow_head(s, tip, -(a1 - kPi / 2), kNoteGreen);
    const double mid = (a0 + a1) / 2;
    names.push_back(
        {{shaft.x + r * std::cos(mid), shaft.y - r * std::sin(mid)}, angle_name, -mid, kNoteGreen});
}

void note(draw::DrawingSurface& s, double x, double y, const std::vector<const char*>& lines) {
    s.set_fore_colour(kBlack);
    for (size_t i = 0; i < lines.size(); ++i)
        label(s, x, y + 17.0 * static_cast<double>(i), lines[i]);
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
    std::vector<PointName> names{{b, "B", -kPi / 4}, {a, "A", -kPi / 4}};

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
    names.push_back({kO, "O", kPi / 4});
    names.push_back({kO1, "O1", 3 * kPi / 4});
    names.push_back({kO2, "O2", kPi / 4});

    // The crank turns clockwise.
    const double r = 48, from = kPi / 2 - 0.9, to = kPi / 2 + 0.1;
    s.arc(kO.x, kO.y, r, kBlack, from, to);
    arrow_head(s, {kO.x + r * std::cos(from), kO.y - r * std::sin(from)}, -(from - kPi / 2),
               kBlack);

    cam_with_follower(s, kO1, -1, "α", names);
    cam_with_follower(s, kO2, 1, "β", names);

    note(s, 8, 446,
         {"左凸轮（进气）：曲柄从活塞", "最高位置顺时针转过α角，", "再装凸轮，使其推程起始线",
          "的延长线通过滚子中心。"});
    note(s, 268, 446,
         {"右凸轮（排气）：曲柄从活塞", "最高位置顺时针转过β角，", "再装凸轮，使其推程起始线",
          "的延长线通过滚子中心。"});
    for (const PointName& n : names) place_name(s, n);
}

}  // namespace vm
