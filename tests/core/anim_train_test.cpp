// The animation's gear train and valve train: meshing, tooth outlines, the cam
// law as the follower reads it, and the valve outlines at rest and at full lift.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/anim_model.h"
#include "tests/support/tolerance.h"

namespace vm::anim {
namespace {

using test::near;

constexpr double kTwoPi = 2 * std::numbers::pi;
double dist(Point p, Point q) {
    return std::hypot(p.x - q.x, p.y - q.y);
}
double wrap(double a) {
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

TEST(AnimGears, NeighboursMeshOnTheirPitchCircles) {
    const GearTable t = gear_table_setup();
    for (auto [i, j] : {std::pair{0, 1}, {0, 3}, {1, 2}, {3, 4}}) {
        const Gear &g = t.gears[static_cast<size_t>(i)], &h = t.gears[static_cast<size_t>(j)];
        EXPECT_TRUE(near(dist({g.x, g.y}, {h.x, h.y}), g.r + h.r, 0.01 / (g.r + h.r)))
            << i << "-" << j;
    }
}

TEST(AnimGears, OneStepTurnsEachGearByItsRatio) {
    GearTable t = gear_table_setup();
    const GearTable before = t;
    const double s = 0.06;
    gear_advance(t, s);
    auto turned = [&](int i) {
        return t.gears[static_cast<size_t>(i)].alpha - before.gears[static_cast<size_t>(i)].alpha;
    };
    const double crank = turned(0);
    EXPECT_TRUE(near(crank, -s, 1e-15));
    EXPECT_TRUE(near(turned(2), crank / 2, 1e-12));
    EXPECT_TRUE(near(turned(4), crank / 2, 1e-12));
    EXPECT_TRUE(near(turned(1), -crank * 36 / 14, 1e-12));
    EXPECT_TRUE(near(turned(3), -crank * 36 / 14, 1e-12));
    // Meshing gears roll without slip: equal arcs on the pitch circles.
    for (int i = 1; i < 5; ++i)
        EXPECT_TRUE(near(std::fabs(turned(i)) * t.gears[static_cast<size_t>(i)].r, s * t.gears[0].r,
                         1e-12));
}

TEST(AnimGears, ToothRingClosesAndFirstTipSpansItsPitchShare) {
    for (int z : {14, 36, 72}) {
        const Gear g{100, 50, z * 3.5 / 2, z, 0};
        const double tau = angular_pitch(g), m = 3.5;
        const auto first = tooth_outline(g, m, 0);
        EXPECT_TRUE(near(std::atan2(first[1].y - g.y, first[1].x - g.x), 0.14 * tau, 1e-12));
        EXPECT_TRUE(near(std::atan2(first[2].y - g.y, first[2].x - g.x), 0.39 * tau, 1e-12));
        EXPECT_TRUE(near(dist(first[1], {g.x, g.y}), g.r + m, 1e-12));
        EXPECT_TRUE(near(dist(first[0], {g.x, g.y}), g.r - m, 1e-12));
        for (int i = 0; i < z; ++i) {
            const auto a = tooth_outline(g, m, i), b = tooth_outline(g, m, (i + 1) % z);
            EXPECT_LT(dist(a[4], b[0]), 1e-4) << "z " << z << " tooth " << i;
        }
        for (const Point& h : hole_centres(g))
            EXPECT_TRUE(near(dist(h, {g.x, g.y}), g.r / 2, 1e-12));
    }
}

// Lift of the profile straight above the cam centre, where the roller sits.
double profile_lift_under_roller(const CamTrack& c) {
    double best = 1e9, lift = 0;
    for (const Point& p : cam_profile(c)) {
        const double ang = std::fabs(std::atan2(p.x - c.centre_x, p.y - c.centre_y));
        if (ang < best) {
            best = ang;
            lift = dist(p, {c.centre_x, c.centre_y}) - c.base_r;
        }
    }
    return lift;
}

TEST(AnimValves, FollowerStaysOnTheProfileWithinItsLiftFor1000Ticks) {
    AnimationModel m;
    ASSERT_TRUE(anim_setup(m, "225", "170", "50", "1.04", "0"));
    m.step_angle = step_for_speed(3);
    const size_t points = cam_profile(m.left).size();
    EXPECT_GE(points, 625u);
    EXPECT_LE(points, 635u);
    int full_lift_ticks = 0;
    for (int tick = 0; tick <= 1000; ++tick) {
        for (const CamTrack* c : {&m.right, &m.left}) {
            ASSERT_GE(c->follower_s, 0.0) << tick;
            ASSERT_LE(c->follower_s, c->lift_h) << tick;
            EXPECT_EQ(c->valve_s, c->follower_s);
            EXPECT_TRUE(
                near(c->roller_y, c->centre_y + c->base_r + c->valve_s + c->roller_r, 1e-12));
            // One 0.01 rad profile step of slope h / 60 deg is the reading error.
            EXPECT_NEAR(profile_lift_under_roller(*c), c->follower_s, 0.06) << tick;
            const double psi = wrap(c->phase);
            if (psi > 60.05 * std::numbers::pi / 180 && psi < 69.95 * std::numbers::pi / 180) {
                EXPECT_EQ(c->follower_s, c->lift_h);
                ++full_lift_ticks;
            }
        }
        // The right cam runs a quarter turn ahead, whatever the wrapping did.
        const double apart = wrap(m.right.phase - m.left.phase);
        EXPECT_NEAR(apart, std::numbers::pi / 2, 1e-6) << tick;
        EXPECT_EQ(cam_profile(m.left).size(), points);
        anim_advance(m);
    }
    EXPECT_GT(full_lift_ticks, 0);
}

TEST(AnimValves, LiftLawAtItsSeams) {
    const double h = 6, d = kPiDegrees / 180;
    struct Case {
        double phase, lift;
    };
    for (const Case c : {Case{0, 0}, Case{30 * d, 3}, Case{60 * d, 6}, Case{65 * d, 6},
                         Case{70 * d, 6}, Case{100 * d, 3}, Case{130 * d, 0}, Case{200 * d, 0},
                         Case{kTwoPi + 30 * d, 3}, Case{-330 * d, 3}})
        EXPECT_TRUE(near(follower_lift(c.phase, h), c.lift, 1e-6)) << c.phase;
}

Point head_mid(const Sketch& s) {
    return {(s[0].a.x + s[0].b.x) / 2, (s[0].a.y + s[0].b.y) / 2};
}

TEST(AnimValves, ValveHeadsSeatAtRestAndOpenByTheLift) {
    AnimationModel m;
    ASSERT_TRUE(anim_setup(m, "225", "170", "50", "1.04", "0"));
    CamTrack left = m.left, right = m.right;
    left.valve_s = right.valve_s = 0;
    const Sketch l0 = left_valve_sketch(left, m.pos.y_high);
    EXPECT_EQ(l0[0].a.y, m.pos.y_high + 4);
    EXPECT_EQ(l0[0].b.y, m.pos.y_high + 4);

    // At rest the right head lies on the roof line and covers the opening.
    const Sketch r0 = right_valve_sketch(right, m.pos);
    const Point roof{m.pos.P5.x - m.pos.P0.x, m.pos.P5.y - m.pos.P0.y};
    for (Point q : {r0[0].a, r0[0].b}) {
        const double cross = (q.x - m.pos.P0.x) * roof.y - (q.y - m.pos.P0.y) * roof.x;
        EXPECT_NEAR(cross, 0, 1e-9);
    }
    EXPECT_LT(r0[0].a.x, m.pos.Pa.x);
    EXPECT_GT(r0[0].b.x, m.pos.Pb.x);

    left.valve_s = right.valve_s = 6;
    const Sketch l6 = left_valve_sketch(left, m.pos.y_high);
    EXPECT_TRUE(near(head_mid(l6).y - head_mid(l0).y, 10.0 * 6 / 6, 1e-12));
    const Sketch r6 = right_valve_sketch(right, m.pos);
    const Point mv{head_mid(r6).x - head_mid(r0).x, head_mid(r6).y - head_mid(r0).y};
    EXPECT_TRUE(near(std::hypot(mv.x, mv.y), std::sqrt(20.0 * 6), 1e-12));
    EXPECT_NEAR(mv.x * roof.x + mv.y * roof.y, 0,
                1e-9);  // straight into the cylinder, normal to the roof
    EXPECT_LT(mv.y, 0);
    // The push rod ends on the roller wherever the lift puts it.
    EXPECT_EQ(r6.back().a.x, right.centre_x);
    EXPECT_EQ(r6.back().a.y, right.roller_y);
}

}  // namespace
}  // namespace vm::anim
