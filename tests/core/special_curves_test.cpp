// The demonstrator's motion diagram: curve heights for any stroke, the sample
// angles of one turn, and where the markers sit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "core/special_curves.h"
#include "tests/support/tolerance.h"

namespace vm::special {
namespace {

using test::near;

constexpr double kDeg = kPiSpecial / 180;

// The displacement curve fills 0 to 15 units whatever the stroke, offset or ratio.
TEST(SpecialCurves, DisplacementSpansFifteenUnitsForAnyStroke) {
    struct Row {
        double H, E, K;
    };
    const Row rows[] = {{225, 50, 1.04}, {450, 100, 1.04}, {20, 4, 1.04}, {100, 80, 1.5}, {400, 10, 1.1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "H " << r.H << " E " << r.E << " K " << r.K);
        const auto m = solve_dimensions(r.H, r.E, r.K);
        ASSERT_TRUE(m.has_value());
        double low = 1e9, high = -1e9;
        for (double t : curve_angles(kPiSpecial / 20000)) {
            const auto v = curve_values(*m, r.H, t);
            ASSERT_TRUE(v.has_value());
            low = std::min(low, v->displacement);
            high = std::max(high, v->displacement);
        }
        EXPECT_NEAR(low, 0, 1e-4);
        EXPECT_NEAR(high, 15, 1e-4);
    }
}

TEST(SpecialCurves, DefaultCurveAtItsLandmarks) {
    const auto m = solve_dimensions(225, 50, 1.04);
    ASSERT_TRUE(m.has_value());
    struct Row {
        const char* what;
        double t;
        double displacement;
    };
    const Row rows[] = {{"start", 0, 7.59},
                        {"bottom dead centre", bottom_dead_centre_theta(*m) * kDeg, 15.00},
                        {"top dead centre", top_dead_centre_theta(*m) * kDeg, 0.00}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        const auto v = curve_values(*m, 225, r.t);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(format_0_00(v->displacement), format_0_00(r.displacement));
        if (r.t > 0) {
            EXPECT_TRUE(near(v->velocity, 0, 1e-9));
        }
    }
    // Between the dead centres the velocity keeps one sign: positive on the way
    // down (S growing), negative on the way up.
    const double bdc = bottom_dead_centre_theta(*m) * kDeg, tdc = top_dead_centre_theta(*m) * kDeg;
    EXPECT_GT(curve_values(*m, 225, bdc / 2)->velocity, 0);
    EXPECT_LT(curve_values(*m, 225, (bdc + tdc) / 2)->velocity, 0);
}

// Each marker's centre lies on its curve, wherever the crank is.
TEST(SpecialCurves, MarkersAreCentredOnTheirCurves) {
    const auto m = solve_dimensions(225, 50, 1.04);
    ASSERT_TRUE(m.has_value());
    for (double x : {0.0, 0.5236, 1.7228, 4.8028, 6.2}) {
        SCOPED_TRACE(x);
        const auto p = marker_places(*m, 225, x);
        const auto v = curve_values(*m, 225, x);
        ASSERT_TRUE(p && v);
        EXPECT_TRUE(near(p->left + 0.1, x, 1e-12));
        EXPECT_TRUE(near(p->displacement_top - 0.4, v->displacement, 1e-12));
        EXPECT_TRUE(near(p->velocity_top - 0.4, v->velocity, 1e-12));
        EXPECT_TRUE(near(p->acceleration_top - 0.4, v->acceleration, 1e-12));
    }
    EXPECT_FALSE(marker_places(*m, 0, 0).has_value());
}

// Short rods and large offsets make the acceleration peak far above what the
// stroke-based units allow for: such a curve is drawn smaller so that it
// keeps within the diagram's reach; the defaults keep the given units.
TEST(SpecialCurves, EveryCurveKeepsWithinTheDiagram) {
    int shrunk = 0, designs = 0;
    for (double H : {10.0, 100.0, 225.0, 400.0})
        for (double E : {0.0, 10.0, 50.0, 200.0})
            for (double K : {1.001, 1.04, 1.2, 1.5, 2.0, 3.0, 15.0}) {
                const auto m = solve_dimensions(H, E, K);
                if (!m) continue;
                ++designs;
                SCOPED_TRACE(testing::Message() << H << " " << E << " " << K);
                const CurveScales f = curve_scales(*m, H);
                EXPECT_GT(f.velocity, 0);
                EXPECT_LE(f.velocity, 1);
                EXPECT_GT(f.acceleration, 0);
                EXPECT_LE(f.acceleration, 1);
                shrunk += f.acceleration < 1;
                double v_max = 0, a_max = 0;
                for (double t : curve_angles(kPiSpecial / 3000)) {
                    const auto v = curve_values(*m, H, t, f);
                    ASSERT_TRUE(v.has_value());
                    EXPECT_LE(std::fabs(v->displacement), 15 + 1e-9);
                    v_max = std::max(v_max, std::fabs(v->velocity));
                    a_max = std::max(a_max, std::fabs(v->acceleration));
                }
                EXPECT_LE(v_max, kCurveReach);
                EXPECT_LE(a_max, kCurveReach);
                // Only as small as needed: a shrunk curve reaches nearly to the edge.
                if (f.acceleration < 1) {
                    EXPECT_GT(a_max, 0.9 * kCurveReach);
                }
                // The markers ride the same curves.
                const auto p = marker_places(*m, H, 1.0, f);
                ASSERT_TRUE(p.has_value());
                EXPECT_TRUE(near(p->acceleration_top - 0.4, curve_values(*m, H, 1.0, f)->acceleration, 1e-12));
            }
    EXPECT_GT(designs, 30);
    EXPECT_GT(shrunk, 5);
    const auto d = solve_dimensions(225, 50, 1.04);
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(curve_scales(*d, 225).velocity, 1);
    EXPECT_EQ(curve_scales(*d, 225).acceleration, 1);
}

// The curves are drawn over one turn only; a marker for any other angle sits
// at the same crank position within that turn, on the curve, never beside it.
TEST(SpecialCurves, MarkersOutsideOneTurnComeBackOntoTheCurves) {
    struct Design {
        double H, E, K;
    };
    struct Angle {
        double degrees, within;  // typed, and its place in 0..360
    };
    const Angle angles[] = {{-30, 330},  {400, 40},   {1e6, 280},   {-1e6, 80},  {720, 0},
                            {-360, 0},   {-7.64, 352.36}, {359.5, 359.5}, {-0.001, 359.999}};
    for (const Design d : {Design{225, 50, 1.04}, Design{400, 200, 1.5}, Design{50, 200, 1.1}}) {
        const auto m = solve_dimensions(d.H, d.E, d.K);
        ASSERT_TRUE(m.has_value());
        for (const Angle a : angles) {
            SCOPED_TRACE(testing::Message() << d.H << " " << d.E << " " << d.K << " at " << a.degrees);
            const double x = a.degrees * kDeg;
            const auto p = marker_places(*m, d.H, x);
            ASSERT_TRUE(p.has_value());
            EXPECT_GE(p->x, 0);
            EXPECT_LT(p->x, kDiagramTurn);
            EXPECT_TRUE(near(p->x, a.within * kDeg, 1e-9));
            EXPECT_TRUE(near(p->left + 0.1, p->x, 1e-12));
            // The slider is where the crank angle puts it, whatever the turn.
            const auto at = slider_at(*m, -x);
            ASSERT_TRUE(at.has_value());
            EXPECT_TRUE(near(p->displacement_top - 0.4, 15 * at->S / d.H, 1e-7));
            EXPECT_TRUE(near(p->velocity_top - 0.4, 26 * at->dy / d.H, 1e-7));
            EXPECT_TRUE(near(p->acceleration_top - 0.4, -21 * at->ddy / d.H, 1e-7));
        }
        for (double bad : {NAN, INFINITY, -INFINITY}) EXPECT_FALSE(marker_places(*m, d.H, bad).has_value());
    }
}

// The animation shows the total angle turned; the markers take it in whole
// degrees (halves to even) within one turn, keeping its sign.
TEST(SpecialCurves, MarkerAngleFromTheTotalTurned) {
    struct Row {
        double total, degrees;
    };
    const Row rows[] = {{0, 0},     {30, 30},      {90, 90},    {360, 0},     {390, 30},
                        {720, 0},   {359.5, 0},    {358.5, 358}, {-7.64, -8}, {-367, -7},
                        {100000, 280}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.total);
        EXPECT_TRUE(near(marker_angle(r.total), r.degrees * kDeg, 1e-12));
    }
}

}  // namespace
}  // namespace vm::special
