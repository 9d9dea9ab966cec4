// The planar engine animation drawn on its surface from the animation model.
#include "ui/animation/pingmian_draw.h"

#include <QString>
#include <cmath>

#include "core/anim_model.h"
#include "core/number_text.h"

namespace vm::animation {

namespace {
constexpr double kSceneWidth = 700;  // drawing units (mm) across the picture

void sketch(DrawingSurface& s, const anim::Sketch& marks) {
    for (const anim::Mark& k : marks) {
        s.set_line_width(k.width);
        if (k.kind == anim::Mark::Kind::Line)
            s.line(k.a.x, k.a.y, k.b.x, k.b.y);
        else
            s.circle(k.a.x, k.a.y, k.radius);
    }
    s.set_line_width(1);
}

void profile(DrawingSurface& s, const anim::CamTrack& cam) {
    for (const anim::Point& p : anim::cam_profile(cam)) s.point(p.x, p.y);
}

// Piston crown D wide across the path at height y, with its two short side marks.
void piston(DrawingSurface& s, double gx, double D, double y, Colour c) {
    s.line(gx - D / 2, y, gx + D / 2, y, c);
    s.line(gx - D / 2, y + 4, gx - D / 2, y - 4, c);
    s.line(gx + D / 2, y + 4, gx + D / 2, y - 4, c);
}

void pivots(DrawingSurface& s, const anim::AnimationModel& m) {
    const double size = m.layout.train_scale;
    zhizuo(s, m.gears.gears[2].x, m.gears.gears[2].y, size);
    zhizuo(s, m.gears.gears[4].x, m.gears.gears[4].y, size);
}
}  // namespace

void set_animation_scale(DrawingSurface& s) {
    const double top = static_cast<double>(int_floor(kSceneWidth * s.height_px() / s.width_px()));
    s.set_proportional_scale(0, top, kSceneWidth);
}

void set_animation_scale(DrawingSurface& s, const anim::AnimationLayout& layout) {
    if (!layout.fitted) {
        set_animation_scale(s);
        return;
    }
    s.set_proportional_scale(layout.left, layout.top, layout.width);
}

void draw(DrawingSurface& s, const anim::AnimationModel& m) {
    const anim::Positions& p = m.pos;
    const double D = m.entries.bore_d, gx = p.guide_x;
    s.set_line_width(2);
    s.line(p.A.x, p.A.y, p.B.x, p.B.y);
    s.circle(p.B.x, p.B.y, 3);
    s.circle(p.A.x, p.A.y, 3);
    s.line(p.B.x, p.B.y, p.C.x, p.C.y);
    s.circle(p.C.x, p.C.y, 3);
    piston(s, gx, D, p.C.y, s.fore_colour());

    // Cylinder walls, the port floor with the left valve's stem opening 5
    // either side of the left cam's centre line (x 155 to 165 at full size),
    // and the head with its roof falling 30 deg to the right.
    s.set_line_width(3);
    const double floor_y = p.y_high + 4, top = p.y_high + p.hc;
    const double valve_x = m.left.centre_x, port_end = valve_x - 65;
    s.line(gx - D / 2, p.y_low - 4, gx - D / 2, p.y_high + 4);
    s.line(gx + D / 2, p.y_low - 4, gx + D / 2, p.y_s);
    s.line(gx - D / 2, floor_y, valve_x + 5, floor_y);
    s.line(valve_x - 5, floor_y, port_end, floor_y);
    s.line(port_end, floor_y, port_end, top);
    s.line(port_end, top, p.P0.x, p.P0.y);
    s.line(p.P0.x, p.P0.y, p.Pa.x, p.Pa.y);
    s.line(p.Pb.x, p.Pb.y, p.P5.x, p.P5.y);

    s.set_line_width(1);
    for (const anim::Gear& g : m.gears.gears)
        drawchilun(s, g.x, g.y, g.r, g.z, m.gears.m, g.alpha, kGearColour);
}

void zhizuo(DrawingSurface& s, double x, double y, double size) {
    const double u = size;
    s.set_line_width(2);
    s.line(x, y, x - 10 * u, y - 20 * u);
    s.line(x, y, x + 10 * u, y - 20 * u);
    s.line(x + 20 * u, y - 20 * u, x - 20 * u, y - 20 * u);
    s.set_line_width(1);
    for (int k = 1; k <= 9; ++k)
        s.line(x + (20 - 4 * k) * u, y - 20 * u, x + (16 - 4 * k) * u, y - 25 * u);
}

void drawchilun(DrawingSurface& s, double x, double y, double r, int z, double m, double alpha,
                int colour_number) {
    const anim::Gear g{x, y, r, z, alpha};
    const Colour c = vm::draw::qb_color(colour_number);
    for (int i = 0; i < z; ++i) {
        s.circle(x, y, 5);
        const auto pts = anim::tooth_outline(g, m, i);
        for (size_t k = 0; k + 1 < pts.size(); ++k)
            s.line(pts[k].x, pts[k].y, pts[k + 1].x, pts[k + 1].y, c);
    }
    for (const anim::Point& h : anim::hole_centres(g)) s.circle(h.x, h.y, r / 6, c);
}

void limit_positions(DrawingSurface& s, const anim::AnimationModel& m, Colour c) {
    const anim::Positions& p = m.pos;
    const double D = m.entries.bore_d, gx = p.guide_x;
    for (double y : {p.y_low, p.y_high}) piston(s, gx, D, y, c);
    s.line(p.A.x, p.A.y, p.B1.x, p.B1.y, c);
    s.line(p.B1.x, p.B1.y, gx, p.y_low, c);
    s.line(p.A.x, p.A.y, gx, p.y_high, c);
}

void drawYOUTULUN(DrawingSurface& s, const anim::AnimationModel& m) {
    profile(s, m.right);
}
void drawZUOTULUN(DrawingSurface& s, const anim::AnimationModel& m) {
    profile(s, m.left);
}

void acircleYOUTULUN(DrawingSurface& s, const anim::AnimationModel& m) {
    s.circle(m.right.centre_x, m.right.roller_y, m.right.roller_r, kRightRoller);
    YOUQIFA(s, m);
}

void acircleZUOTULUN(DrawingSurface& s, const anim::AnimationModel& m) {
    ZUOQIFA(s, m);
    s.circle(m.left.centre_x, m.left.roller_y, m.left.roller_r, kLeftRoller);
}

void YOUQIFA(DrawingSurface& s, const anim::AnimationModel& m) {
    sketch(s, anim::right_valve_sketch(m.right, m.pos));
}
void ZUOQIFA(DrawingSurface& s, const anim::AnimationModel& m) {
    sketch(s, anim::left_valve_sketch(m.left, m.pos.y_high));
}

namespace {
// A widened view says how many millimetres a pixel holds, in its top band.
void scale_note(DrawingSurface& s, const anim::AnimationModel& m) {
    if (!m.layout.fitted) return;
    const double mm_per_px = s.scale_width() / s.width_px();
    s.set_current(s.from_px_x(6), s.from_px_y(3));
    s.print(screen_scale_text(mm_per_px));
}
}  // namespace

void setup_picture(DrawingSurface& s, const anim::AnimationModel& m) {
    scale_note(s, m);
    drawYOUTULUN(s, m);
    acircleYOUTULUN(s, m);
    drawZUOTULUN(s, m);
    acircleZUOTULUN(s, m);
    draw(s, m);
    pivots(s, m);
}

void tick_picture(DrawingSurface& s, const anim::AnimationModel& m) {
    scale_note(s, m);
    draw(s, m);
    pivots(s, m);
    s.set_line_style(1);
    limit_positions(s, m, kLimitGreen);
    s.set_line_style(0);
    drawYOUTULUN(s, m);
    acircleYOUTULUN(s, m);
    drawZUOTULUN(s, m);
    acircleZUOTULUN(s, m);
}

}  // namespace vm::animation
