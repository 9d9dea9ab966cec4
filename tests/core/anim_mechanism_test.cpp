// The animation's crank-slider: dimensions, crank position text, positions and
// limit positions checked against the geometry they must satisfy.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/anim_model.h"
#include "tests/support/tolerance.h"

namespace vm::anim {
namespace {

using test::near;

double dist(Point p, Point q) {
    return std::hypot(p.x - q.x, p.y - q.y);
}
double deg(double rad) {
    return rad * 180 / std::numbers::pi;
}

TEST(AnimMechanism, DefaultDimensionsAndCrankAtPositionZero) {
    AnimationModel m;
    ASSERT_TRUE(anim_setup(m, "225", "170", "50", "1.04", "0"));
    EXPECT_TRUE(near(m.dims.crank_len, 111.73, 0.005 / 111.73));
    EXPECT_TRUE(near(m.dims.rod_len, 441.85, 0.005 / 441.85));
    EXPECT_TRUE(near(deg(m.dims.limit_angle), 3.53, 0.005 / 3.53));
    double dir = std::fmod(deg(m.crank_angle), 360.0);
    if (dir < 0) dir += 360;
    EXPECT_TRUE(near(dir, 84.2, 1e-5));
    // 84.2 deg lies 0.6 deg short of the extended dead centre: the piston is
    // within a fraction of a millimetre below its upper limit.
    EXPECT_LT(m.pos.C.y, m.pos.y_high);
    EXPECT_GT(m.pos.C.y, m.pos.y_high - 0.1);
}

struct Design {
    const char *h, *d, *e, *k;
};

class AnimGeometry : public ::testing::TestWithParam<Design> {};

// For any accepted design: the stroke is H, the two limit positions subtend the
// limit-position angle of K at A, and every crank angle keeps the link lengths.
TEST_P(AnimGeometry, LimitsAndLinksHoldTheDesign) {
    const Design p = GetParam();
    AnimationModel m;
    ASSERT_TRUE(anim_setup(m, p.h, p.d, p.e, p.k, "0"));
    const double H = std::stod(p.h), K = std::stod(p.k);
    const double a = m.dims.crank_len, b = m.dims.rod_len;
    EXPECT_TRUE(near(m.pos.y_high - m.pos.y_low, H, 1e-9));

    const Point A{kCrankX, kCrankY};
    const Point top{m.pos.guide_x, m.pos.y_high}, bottom{m.pos.guide_x, m.pos.y_low};
    EXPECT_TRUE(near(dist(A, m.pos.B1), a, 1e-9));
    EXPECT_TRUE(near(dist(m.pos.B1, bottom), b, 1e-9));
    const double ext = std::atan2(top.y - A.y, top.x - A.x);
    const double fold =
        std::atan2(A.y - m.pos.B1.y, A.x - m.pos.B1.x);  // crank folded, turned half a turn
    EXPECT_TRUE(near(std::fabs(ext - fold), std::numbers::pi * (K - 1) / (K + 1), 1e-9));

    for (int i = 0; i < 72; ++i) {
        m.step_angle = 0.0873;
        anim_advance(m);
        EXPECT_TRUE(near(dist(A, m.pos.B), a, 1e-9));
        EXPECT_TRUE(near(dist(m.pos.B, m.pos.C), b, 1e-9));
        EXPECT_GE(m.pos.C.y, m.pos.y_low - 1e-9);
        EXPECT_LE(m.pos.C.y, m.pos.y_high + 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, AnimGeometry,
                         ::testing::Values(Design{"225", "170", "50", "1.04"},
                                           Design{"100", "80", "10", "1.2"},
                                           Design{"300", "200", "120", "1.1"},
                                           Design{"80", "60", "30", "1.4"}));

TEST(AnimMechanism, CrankPositionTextReadsItsLeadingNumber) {
    const double zero = crank_angle_from_text("0");
    const double per_degree = kPiDegrees / 180;
    struct Case {
        const char* text;
        double degrees;
    };
    for (const Case c : {Case{"30abc", 30}, Case{"", 0}, Case{"abc", 0}, Case{"  12.5", 12.5},
                         Case{"-10", -10}, Case{"90", 90}})
        EXPECT_TRUE(near(crank_angle_from_text(c.text), zero - c.degrees * per_degree, 1e-12))
            << c.text;
    EXPECT_TRUE(near(crank_angle_from_text("370"), crank_angle_from_text("10"), 1e-12));
    EXPECT_TRUE(near(crank_angle_from_text("-370"), crank_angle_from_text("-10"), 1e-12));
}

// A huge typed position still gives a crank that turns with the ticks.
TEST(AnimMechanism, HugeCrankPositionStillTurns) {
    AnimationModel m;
    ASSERT_TRUE(anim_setup(m, "225", "170", "50", "1.04", "1e300"));
    m.step_angle = step_for_speed(3);
    const Point before = m.pos.B;
    anim_advance(m);
    EXPECT_GT(std::hypot(m.pos.B.x - before.x, m.pos.B.y - before.y),
              0.06 * m.dims.crank_len * 0.99);
}

TEST(AnimMechanism, UndefinedEntriesAreRefusedAndLeaveTheModel) {
    const Design bad[] = {
        {"abc", "170", "50", "1.04"},   {"225", "", "50", "1.04"},
        {"225", "170", "5x", "1.04"},   {"225", "170", "50", "k"},
        {"225", "170", "50", "1"},      {"225", "170", "50", "0.9"},
        {"225", "170", "0", "1.04"},    {"-225", "170", "50", "1.04"},
        {"225", "0", "50", "1.04"},     {"225", "170", "50", "9"},
        {"1e300", "170", "50", "1.04"}, {"225", "1e300", "50", "1.04"},
        {"225", "170", "5000", "1.04"},
    };
    AnimationModel m;
    ASSERT_TRUE(anim_setup(m, "225", "170", "50", "1.04", "15"));
    const AnimationModel before = m;
    for (const Design& p : bad) {
        EXPECT_FALSE(anim_setup(m, p.h, p.d, p.e, p.k, "0"))
            << p.h << " " << p.d << " " << p.e << " " << p.k;
        EXPECT_EQ(m.stroke_h, before.stroke_h);
        EXPECT_EQ(m.crank_angle, before.crank_angle);
        EXPECT_EQ(m.dims.rod_len, before.dims.rod_len);
    }
}

TEST(AnimMechanism, TickTurnsCrankGearsAndCamsTogether) {
    AnimationModel m;
    ASSERT_TRUE(anim_setup(m, "225", "170", "50", "1.04", "0"));
    m.step_angle = step_for_speed(3);
    EXPECT_TRUE(near(m.step_angle, 0.06, 1e-15));
    const AnimationModel before = m;
    anim_advance(m);
    EXPECT_TRUE(near(m.crank_angle, before.crank_angle - 0.06, 1e-15));
    EXPECT_TRUE(near(m.gears.gears[0].alpha - before.gears.gears[0].alpha, -0.06, 1e-12));
    // The cams ride on the gear-2 and gear-4 shafts: half the crank's turn.
    EXPECT_TRUE(near(m.left.phase - before.left.phase, 0.03, 1e-12));
    EXPECT_TRUE(near(m.right.phase - before.right.phase, 0.03, 1e-12));
}

}  // namespace
}  // namespace vm::anim
