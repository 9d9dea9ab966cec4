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

// Boxes and segments as the label placer sees them.
TEST(LabelPlacer, OverlapAndCrossingAreDecidedOnTheInsideOfTheBox) {
    const LabelRect box{10, 10, 30, 20};
    struct Seg {
        double x1, y1, x2, y2;
        bool crosses;
    };
    const Seg cases[] = {
        {0, 15, 40, 15, true},   // straight through
        {15, 12, 25, 18, true},  // wholly inside
        {0, 0, 40, 30, true},    // diagonal through the middle
        {0, 10, 40, 10, false},  // along the top edge
        {30, 0, 30, 40, false},  // along the right edge
        {0, 0, 9, 40, false},    // left of the box
        {0, 25, 40, 40, false},  // below it
        {20, 0, 20, 9, false},   // stops short of it
        {19, 0, 0, 19, false},   // passes the corner outside
        {15, 15, 15, 15, true},  // a point inside
    };
    for (const Seg& s : cases)
        EXPECT_EQ(segment_crosses(box, s.x1, s.y1, s.x2, s.y2), s.crosses) << s.x1 << "," << s.y1 << " " << s.x2 << "," << s.y2;
    EXPECT_TRUE(rects_overlap(box, {29, 19, 40, 40}));
    EXPECT_FALSE(rects_overlap(box, {30, 0, 40, 40}));
    EXPECT_FALSE(rects_overlap(box, {0, 20, 40, 40}));
}

// A picture crowded with points on lines (polygon corners a few pixels apart):
// every label that the placer can free goes clear of lines, marks and other
// labels, and a label's place stays near its point.
TEST(LabelPlacer, CrowdedCornersGetLabelsClearOfLinesAndOfEachOther) {
    for (int layout = 0; layout < 6; ++layout) {
        LabelPlacer placer({0, 0, 400, 300});
        std::vector<std::pair<double, double>> points;
        // A star of segments from a centre, ends close together.
        const double cx = 150 + 20 * layout, cy = 120 + 10 * layout;
        for (int i = 0; i < 6 + layout; ++i) {
            const double a = i * 0.7 + layout * 0.3, len = 8 + 6 * ((i + layout) % 4);
            const double x = cx + len * std::cos(a), y = cy + len * std::sin(a);
            placer.add_line(cx, cy, x, y);
            placer.add_obstacle({x - 4.5, y - 4.5, x + 4.5, y + 4.5});
            points.emplace_back(x, y);
        }
        std::vector<LabelRect> placed;
        for (const auto& [x, y] : points) {
            const LabelRect r = placer.place_beside(x, y, 30, 14);
            EXPECT_LT(std::hypot((r.left + r.right) / 2 - x, (r.top + r.bottom) / 2 - y), 100) << layout;
            placed.push_back(r);
        }
        for (size_t i = 0; i < placed.size(); ++i) {
            for (size_t j = 0; j < i; ++j) EXPECT_FALSE(rects_overlap(placed[i], placed[j])) << layout << " " << i << " " << j;
            for (int i2 = 0; i2 < 6 + layout; ++i2) {
                const double a = i2 * 0.7 + layout * 0.3, len = 8 + 6 * ((i2 + layout) % 4);
                EXPECT_FALSE(segment_crosses(placed[i], cx, cy, cx + len * std::cos(a), cy + len * std::sin(a)));
            }
        }
        // A caption whose place is taken moves, vertical moves first, and stays inside.
        const LabelRect c = placer.place_near(placed[0].left, placed[0].top, 60, 14);
        for (const LabelRect& r : placed) EXPECT_FALSE(rects_overlap(c, r)) << layout;
        EXPECT_GE(c.left, 0);
        EXPECT_LE(c.bottom, 300);
    }
}

// A row of captions where one is struck by a line moves as a whole, by the
// same step, to the nearest line where all are free.
TEST(LabelPlacer, ARowOfCaptionsMovesTogether) {
    struct Case {
        double line_y;  // a horizontal stroke through the second caption, or none
        bool moves;
    };
    for (const Case c : {Case{-1, false}, Case{105, true}, Case{112, true}}) {
        LabelPlacer placer({0, 0, 500, 300});
        if (c.line_y > 0) placer.add_line(150, c.line_y, 230, c.line_y);
        std::vector<LabelRect> row;
        for (int i = 0; i < 5; ++i) row.push_back({10.0 + 90 * i, 100, 80.0 + 90 * i, 114});
        const std::vector<LabelRect> placed = placer.place_row(row);
        ASSERT_EQ(placed.size(), 5u);
        const double dy = placed[0].top - row[0].top;
        EXPECT_EQ(dy != 0, c.moves) << c.line_y;
        for (size_t i = 0; i < 5; ++i) {
            EXPECT_EQ(placed[i].top - row[i].top, dy) << "one line";
            EXPECT_EQ(placed[i].left, row[i].left);
            if (c.line_y > 0) {
                EXPECT_FALSE(segment_crosses(placed[i], 150, c.line_y, 230, c.line_y));
            }
        }
    }
}

}  // namespace
}  // namespace vm
