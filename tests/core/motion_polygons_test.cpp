// Arrows and the polygons they draw: barbs at 15 degrees off the reversed
// shaft, the head rules of the three pictures, the velocity and acceleration
// polygons closing when drawn arrow by arrow, and the fifteen-position grid.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/motion_polygons.h"
#include "tests/core/force_design_fixture.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

using test::near;

double angle_of(double dx, double dy) { return std::atan2(dy, dx); }
double angle_between(double a, double b) {
    double d = std::fmod(std::fabs(a - b), 2 * M_PI);
    return d > M_PI ? 2 * M_PI - d : d;
}

TEST(Arrow, BarbsLieFifteenDegreesEitherSideOfTheReversedShaft) {
    for (double theta : {0.0, 1.0, 2.5, 4.0, 5.5}) {
        const Arrow a = arrow_geometry(0, 0, 40, theta, 7);
        const double back = theta + M_PI;
        const double b1 = angle_of(a.barb1_x - a.tip_x, a.barb1_y - a.tip_y);
        const double b2 = angle_of(a.barb2_x - a.tip_x, a.barb2_y - a.tip_y);
        EXPECT_TRUE(near(std::hypot(a.barb1_x - a.tip_x, a.barb1_y - a.tip_y), 7));
        EXPECT_TRUE(near(std::hypot(a.barb2_x - a.tip_x, a.barb2_y - a.tip_y), 7));
        EXPECT_TRUE(near(angle_between(b1, back + M_PI / 12), 0, 1e-6));
        EXPECT_TRUE(near(angle_between(b2, back - M_PI / 12), 0, 1e-6));
        // The next label goes at the end of the second barb.
        EXPECT_EQ(a.end_x(), a.barb2_x);
        EXPECT_EQ(a.end_y(), a.barb2_y);
    }
}

TEST(ArrowHead, EachPictureHasItsOwnRuleForShortVectors) {
    struct Case {
        double length;
        double exact_zero, hundredths;
    };
    const Case cases[] = {
        {0, 0, 0}, {1e-12, 5, 0}, {-0.0099, 5, 0}, {0.00999999, 5, 0}, {0.01, 5, 5}, {-0.02, 5, 5}, {300, 5, 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(head_exact_zero(c.length), c.exact_zero) << c.length;
        EXPECT_EQ(head_hundredths(c.length), c.hundredths) << c.length;
    }
}

TEST(ArrowHead, TheScaledHeadClearsTheCallersFactorForAShortVector) {
    double factor = 7;
    EXPECT_EQ(head_scaled(25, factor), 35);
    EXPECT_EQ(factor, 7);
    EXPECT_EQ(head_scaled(0.004, factor), 0);
    EXPECT_EQ(factor, 0);
    // The factor stays cleared for the caller's later arrows unless reset.
    EXPECT_EQ(head_scaled(25, factor), 0);
}

// Drawing the velocity polygon arrow by arrow (p->a, p->b, then a->b from the
// tip of p->a) closes at b, and the acceleration polygon (p'->a', a'->n',
// n'->b') closes at the tip of p'->b', at every crank angle, in drawing units.
class PolygonCloses : public ::testing::TestWithParam<test::DesignTexts> {};

TEST_P(PolygonCloses, DrawnArrowsMeetAtThePistonPoint) {
    const DesignState s = test::confirmed_state(GetParam());
    ASSERT_TRUE(s.confirmed);
    const double r = s.qb_r / 1000, l = s.lg_l / 1000, e = val(s.hs_e) / 1000;
    const double omega1 = -val(s.qb_w) * 2 * kPiArrow / 60;
    PolygonScale poly;
    poly.scale_v = 11;
    poly.scale_a = 0.15;
    poly.centre_v_x = 75;
    poly.centre_v_y = 70;
    poly.centre_a_x = 80;
    poly.centre_a_y = 70;
    for (int degree = 0; degree < 360; degree += 7) {
        const double phi = (s.jd_wai - degree) * kPiArrow / 180;
        const auto k = jisuan(r, l, e, phi, omega1, &poly);
        ASSERT_TRUE(k) << degree;
        const double sv = poly.scale_v, sa = poly.scale_a;
        const Arrow pa = arrow_geometry(k->pole_v_x, k->pole_v_y, sv * k->v_a, k->dir_v_a, 5);
        const Arrow pb = arrow_geometry(k->pole_v_x, k->pole_v_y, sv * k->v_b, k->dir_v_b, 5);
        const Arrow ab = arrow_geometry(pa.tip_x, pa.tip_y, sv * k->v_ba, k->dir_v_ba, 5);
        // Angles use the program's pi (3.1415926, also inside arccos), so the
        // polygons close to about 1e-6 of their size, far below a pixel.
        const double tol = 1e-5 * sv * (std::fabs(k->v_a) + std::fabs(k->v_b) + std::fabs(k->v_ba)) + 1e-9;
        EXPECT_TRUE(near(ab.tip_x, pb.tip_x, tol)) << degree;
        EXPECT_TRUE(near(ab.tip_y, pb.tip_y, tol)) << degree;
        EXPECT_TRUE(near(pa.tip_x, k->pt_a_x, tol)) << degree;
        EXPECT_TRUE(near(pb.tip_y, k->pt_b_y, tol)) << degree;

        const Arrow pa2 = arrow_geometry(k->pole_a_x, k->pole_a_y, sa * k->a_a, k->dir_a_a, 5);
        const Arrow pb2 = arrow_geometry(k->pole_a_x, k->pole_a_y, sa * k->a_b, k->dir_a_b, 5);
        const Arrow an = arrow_geometry(pa2.tip_x, pa2.tip_y, sa * k->a_ba_n, k->dir_a_ba_n, 5);
        const Arrow nb = arrow_geometry(an.tip_x, an.tip_y, sa * k->a_ba_t, k->dir_a_ba_t, 5);
        const double tol_a = 1e-5 * sa * (std::fabs(k->a_a) + std::fabs(k->a_b) + std::fabs(k->a_ba_t)) + 1e-9;
        EXPECT_TRUE(near(an.tip_x, k->pt_n_x, tol_a)) << degree;
        EXPECT_TRUE(near(an.tip_y, k->pt_n_y, tol_a)) << degree;
        EXPECT_TRUE(near(nb.tip_x, pb2.tip_x, tol_a)) << degree;
        EXPECT_TRUE(near(nb.tip_y, pb2.tip_y, tol_a)) << degree;
        // The pole is placed so that the triangle's centroid is the chosen centre.
        EXPECT_TRUE(near((k->pole_v_x + pa.tip_x + pb.tip_x) / 3, poly.centre_v_x, tol));
        EXPECT_TRUE(near((k->pole_v_y + pa.tip_y + pb.tip_y) / 3, poly.centre_v_y, tol));
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, PolygonCloses, ::testing::ValuesIn(test::kDesigns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FifteenPositions, AnglesAreNotReducedPastOneTurn) {
    const auto grid = fifteen_positions(84.8174, 700);
    EXPECT_EQ(grid.front().angle, "700.00");
    EXPECT_EQ(grid.back().angle, "1036.00");
}

}  // namespace
}  // namespace vm
