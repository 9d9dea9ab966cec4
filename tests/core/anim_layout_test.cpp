// Layout of the planar engine animation: the train stays full size and the
// view fixed where they fit; otherwise the train shrinks clear of the cylinder
// and the view widens to hold the whole scene.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/anim_model.h"

namespace vm::anim {
namespace {

constexpr double kW = 385, kH = 689;  // the animation picture, px

struct Design {
    const char *h, *d, *e, *k;
};

// Distance from a point to a box (0 inside).
double to_box(double x, double y, double x0, double y0, double x1, double y1) {
    return std::hypot(std::max({x0 - x, 0.0, x - x1}), std::max({y0 - y, 0.0, y - y1}));
}

TEST(AnimLayout, DefaultsKeepTheFullTrainAndTheFixedView) {
    AnimationModel m;
    ASSERT_TRUE(anim_setup(m, "225", "170", "50", "1.04", "0", kW, kH));
    EXPECT_EQ(m.layout.train_scale, 1);
    EXPECT_FALSE(m.layout.fitted);
    EXPECT_EQ(m.gears.gears[2].x, 160);
    EXPECT_EQ(m.gears.gears[2].r, 126);
    EXPECT_EQ(m.left.base_r, 55);
    EXPECT_EQ(m.right.centre_x, 475);
}

// Over a grid of accepted designs: the cylinder's bore (from below the lowest
// piston position to the head) keeps clear of every gear's tip circle, the
// train is only as small as it must be, and the view holds the whole scene.
TEST(AnimLayout, CylinderNeverStandsAcrossTheTrainAndTheSceneFitsTheView) {
    int accepted = 0, shrunk = 0, widened = 0, degenerate = 0;
    for (const char* h : {"20", "50", "100", "225", "400"})
        for (const char* d : {"50", "170", "400", "600"})
            for (const char* e : {"10", "50", "200"})
                for (const char* k : {"1.04", "1.1", "1.5", "2"}) {
                    AnimationModel m;
                    if (!anim_setup(m, h, d, e, k, "0", kW, kH)) continue;
                    SCOPED_TRACE(std::string(h) + " " + d + " " + e + " " + k);
                    ++accepted;
                    const AnimationLayout& l = m.layout;
                    // A rod hardly longer than crank and offset together puts the
                    // bore's end at the crank centre itself: the train shrinks to
                    // its smallest and may still touch the bore there.
                    if (l.train_scale < 0.0101) {
                        EXPECT_LT(m.pos.y_low - kCrankY, 30);
                        ++degenerate;
                        continue;
                    }
                    shrunk += l.train_scale < 1;
                    widened += l.fitted;
                    ASSERT_GE(l.train_scale, 0.01);
                    EXPECT_TRUE(train_clear(m.entries, m.dims, l.train_scale));
                    if (l.train_scale < 1) {
                        EXPECT_FALSE(train_clear(m.entries, m.dims, l.train_scale / 0.95));
                    }
                    const Positions& p = m.pos;
                    const double D = m.entries.bore_d;
                    for (size_t i = 1; i < 5; ++i) {
                        const Gear& g = m.gears.gears[i];
                        EXPECT_GE(to_box(g.x, g.y, p.guide_x - D / 2, p.y_low - 4,
                                         p.guide_x + D / 2, p.y_high + p.hc),
                                  g.r + m.gears.m);
                    }
                    const Extent x = scene_extent(m.entries, m.dims, l.train_scale);
                    const double top = l.fitted ? l.top : std::floor(700 * kH / kW);
                    const double width = l.width, height = std::floor(width * kH / kW);
                    EXPECT_GE(x.x0, l.left);
                    EXPECT_LE(x.x1, l.left + width);
                    EXPECT_LE(x.y1, top);
                    EXPECT_GE(x.y0, top - height);
                }
    EXPECT_GT(accepted, 80);
    EXPECT_LT(degenerate, accepted / 2);
    EXPECT_GT(shrunk, 5);
    EXPECT_GT(widened, 5);
}

// The train turns the same however large it is drawn: tooth counts and
// phases stay, radii and centres shrink about the crank centre.
TEST(AnimLayout, SmallerTrainKeepsItsProportions) {
    const GearTable full = gear_table_setup(1), half = gear_table_setup(0.5);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(half.gears[i].z, full.gears[i].z);
        EXPECT_EQ(half.gears[i].alpha, full.gears[i].alpha);
        EXPECT_DOUBLE_EQ(half.gears[i].r, full.gears[i].r / 2);
        EXPECT_DOUBLE_EQ(half.gears[i].x - kCrankX, (full.gears[i].x - kCrankX) / 2);
        EXPECT_DOUBLE_EQ(half.gears[i].y - kCrankY, (full.gears[i].y - kCrankY) / 2);
    }
    const CamTrack l1 = left_cam_track(1), l2 = left_cam_track(0.5);
    EXPECT_DOUBLE_EQ(l2.base_r, l1.base_r / 2);
    EXPECT_DOUBLE_EQ(l2.lift_h, l1.lift_h / 2);
    EXPECT_DOUBLE_EQ(l2.centre_x - kCrankX, (l1.centre_x - kCrankX) / 2);
    EXPECT_EQ(l2.phase, l1.phase);
    // The cam meets its gear's centre at any size.
    EXPECT_DOUBLE_EQ(l2.centre_x, half.gears[2].x);
    EXPECT_DOUBLE_EQ(right_cam_track(0.5).centre_y, half.gears[4].y);
}

}  // namespace
}  // namespace vm::anim
