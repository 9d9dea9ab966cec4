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
    for (double x : {0.0, 0.5236, 1.7228, 4.8028, -0.1333, 6.2}) {
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
