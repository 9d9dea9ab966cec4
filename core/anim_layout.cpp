// Train scale and picture view of the planar engine animation.
#include "core/anim_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/anim_gears.h"
#include "core/anim_valves.h"
#include "core/number_text.h"

namespace vm::anim {

namespace {
constexpr double kFixedWidth = 700;  // drawing units across the fixed view
constexpr double kFitMarginPx = 8;   // free edge around a widened view
constexpr double kNoteBandPx = 18;   // band at the top of a widened view for its scale
// The train is tried at full size, then 5 % smaller each time.
constexpr double kSmallestTrain = 0.01;
constexpr double kTrainStep = 0.95;
// Height of the fixed-pivot symbol under a cam shaft, drawing units at full size.
constexpr double kPivotDepth = 25, kPivotHalf = 20;

struct Rect {
    double x0, y0, x1, y1;
};

double distance_to(const Rect& r, Point p) {
    const double dx = std::max({r.x0 - p.x, 0.0, p.x - r.x1});
    const double dy = std::max({r.y0 - p.y, 0.0, p.y - r.y1});
    return std::hypot(dx, dy);
}

double distance_to(Point a, Point b, Point p) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

struct Disc {
    Point c;
    double r;
};

// Tip circles of the five gears; the cams and rollers lie inside them.
std::vector<Disc> train_discs(const GearTable& t) {
    std::vector<Disc> out;
    for (const Gear& g : t.gears) out.push_back({{g.x, g.y}, g.r + t.m});
    return out;
}

// A cam with its follower held at a lift, as the valve drawings read it.
CamTrack at_lift(CamTrack cam, double lift) {
    cam.valve_s = cam.follower_s = lift;
    cam.roller_y = cam.centre_y + cam.base_r + lift + cam.roller_r;
    return cam;
}

// The valve outlines at rest and fully open.
std::vector<Sketch> valve_sketches(const Positions& p, const CamTrack& right,
                                   const CamTrack& left) {
    std::vector<Sketch> out;
    for (double f : {0.0, 1.0}) {
        out.push_back(right_valve_sketch(at_lift(right, f * right.lift_h), p));
        out.push_back(left_valve_sketch(at_lift(left, f * left.lift_h), p.y_high));
    }
    return out;
}

// The block of cylinder and head: bore walls from below the lowest piston
// position to the roof, and the port over the left valve with its spring.
Rect cylinder_block(const Positions& p, double D, const CamTrack& left) {
    const double port_end = left.centre_x - 65;
    return {std::min(p.guide_x - D / 2, port_end), p.y_low - 4, p.guide_x + D / 2, p.y_high + p.hc};
}
Rect bore(const Positions& p, double D) {
    return {p.guide_x - D / 2, p.y_low - 4, p.guide_x + D / 2, p.y_high + p.hc};
}
}  // namespace

bool train_clear(const Entries& in, const Dimensions& dim, double train_scale) {
    const auto p = anim_positions(in, dim, 0);
    if (!p) return false;
    const GearTable gears = gear_table_setup(train_scale);
    const CamTrack right = right_cam_track(train_scale), left = left_cam_track(train_scale);
    const std::vector<Disc> discs = train_discs(gears);
    // The bore from the lowest piston position up to the head; the head's port
    // from the cylinder to the left valve, down to the valve spring's seat.
    const Rect head{std::min(p->guide_x - in.bore_d / 2, left.centre_x - 65), p->y_high - 50,
                    p->guide_x + in.bore_d / 2, p->y_high + p->hc};
    for (size_t i = 0; i < discs.size(); ++i) {
        const Disc& d = discs[i];
        const double reach = d.r + kTrainClearance * train_scale;
        // The crank gear turns with the crank, which sweeps up under the
        // piston itself; a short rod brings the bore's end down over it.
        if (i != 0 && distance_to(bore(*p, in.bore_d), d.c) < reach) return false;
        if (distance_to(head, d.c) < reach) return false;
    }
    for (const Sketch& s : valve_sketches(*p, right, left)) {
        // The last two marks of the right valve are the push rod and its end
        // on the roller, the last two of the left valve the stem's end and the
        // stem: both reach into the cam by design.
        for (size_t i = 0; i + 2 < s.size(); ++i) {
            const Mark& k = s[i];
            for (const Disc& d : discs) {
                const double reach = d.r + kTrainClearance * train_scale;
                const double gap = k.kind == Mark::Kind::Line
                                       ? distance_to(k.a, k.b, d.c)
                                       : std::hypot(k.a.x - d.c.x, k.a.y - d.c.y) - k.radius;
                if (gap < reach) return false;
            }
        }
    }
    return true;
}

Extent scene_extent(const Entries& in, const Dimensions& dim, double train_scale) {
    Extent e{kCrankX, kCrankY, kCrankX, kCrankY};
    auto add = [&e](double x, double y) {
        e.x0 = std::min(e.x0, x);
        e.x1 = std::max(e.x1, x);
        e.y0 = std::min(e.y0, y);
        e.y1 = std::max(e.y1, y);
    };
    const auto p = anim_positions(in, dim, 0);
    if (!p) return e;
    const double a = dim.crank_len;
    add(kCrankX - a - 3, kCrankY - a - 3);
    add(kCrankX + a + 3, kCrankY + a + 3);
    add(p->B1.x, p->B1.y);
    const GearTable gears = gear_table_setup(train_scale);
    const CamTrack right = right_cam_track(train_scale), left = left_cam_track(train_scale);
    const Rect block = cylinder_block(*p, in.bore_d, left);
    add(block.x0, block.y0);
    add(block.x1, block.y1);
    for (const Point& q : {p->P0, p->Pa, p->Pb, p->P5}) add(q.x, q.y);
    for (const Sketch& s : valve_sketches(*p, right, left))
        for (const Mark& k : s) {
            const double r = k.kind == Mark::Kind::Circle ? k.radius : 0;
            add(k.a.x - r, k.a.y - r);
            add(k.a.x + r, k.a.y + r);
            if (k.kind == Mark::Kind::Line) add(k.b.x, k.b.y);
        }
    for (const Disc& d : train_discs(gears)) {
        add(d.c.x - d.r, d.c.y - d.r);
        add(d.c.x + d.r, d.c.y + d.r);
    }
    for (size_t i : {size_t{2}, size_t{4}}) {
        const Gear& g = gears.gears[i];
        add(g.x - kPivotHalf * train_scale, g.y - kPivotDepth * train_scale);
    }
    return e;
}

AnimationLayout anim_layout(const Entries& in, const Dimensions& dim, double width_px,
                            double height_px) {
    AnimationLayout l;
    double f = 1;
    while (f > kSmallestTrain && !train_clear(in, dim, f)) f *= kTrainStep;
    l.train_scale = std::max(f, kSmallestTrain);
    if (!(width_px > 0) || !(height_px > 0)) return l;

    const Extent e = scene_extent(in, dim, l.train_scale);
    const double fixed_top = static_cast<double>(int_floor(kFixedWidth * height_px / width_px));
    if (e.x0 >= 0 && e.x1 <= kFixedWidth && e.y0 >= 0 && e.y1 <= fixed_top) {
        l.top = fixed_top;
        return l;
    }
    // Equal units on both axes, the scene centred with a small free edge.
    const double free_h = height_px - 2 * kFitMarginPx - kNoteBandPx;
    const double units_per_px =
        std::max((e.x1 - e.x0) / (width_px - 2 * kFitMarginPx), (e.y1 - e.y0) / free_h);
    l.fitted = true;
    l.width = units_per_px * width_px;
    l.left = (e.x0 + e.x1) / 2 - l.width / 2;
    // Centred in the picture below the band that states the scale.
    l.top = (e.y0 + e.y1) / 2 + units_per_px * (free_h / 2 + kFitMarginPx + kNoteBandPx);
    return l;
}

}  // namespace vm::anim
