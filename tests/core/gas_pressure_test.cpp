// The indicator diagram: its figures at fixed and moving break points, its
// continuity, the cycle-angle reading of a stepped crank, and undefined input.
#include <gtest/gtest.h>

#include <cmath>

#include "core/gas_pressure.h"
#include "core/kinematics.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

GasBreakPoints default_break_points() {
    const SynthesisResult s = dimension_synthesis(225, 1.04, 50);
    const auto bp = gas_break_points(s.value.r / 1000, s.value.l / 1000, 0.05, s.value.jd_wai, s.value.jd_nei);
    EXPECT_TRUE(bp.has_value());
    return bp.value_or(GasBreakPoints{});
}

TEST(GasPressure, MovingBreakPointsOfTheDefaults) {
    const GasBreakPoints bp = default_break_points();
    EXPECT_TRUE(test::near(bp.P1, 436.93, 0.01 / 436.93));
    EXPECT_TRUE(test::near(bp.P2, 285.31, 0.01 / 285.31));
    EXPECT_TRUE(test::near(bp.E, 543.53, 0.01 / 543.53));
}

TEST(GasPressure, CurveFiguresWithTheDefaults) {
    const GasBreakPoints bp = default_break_points();
    struct Case {
        double x, p, tol;
    };
    const Case cases[] = {
        {0, -1, 1e-12},    {100, -1, 1e-12},  {210, -1, 1e-12},    {225, 0.25, 1e-12}, {240, 1.5, 1e-12},
        {255, 3.25, 1e-12}, {270, 5, 1e-12},  {290, 10.24, 5e-4},  {360, 140, 1e-12}, {375, 140, 1e-12},
        {405, 106.25, 1e-12}, {540, 2.5, 1e-12}, {545, 2.417, 2e-4}, {570, 1, 1e-12},  {600, 1, 1e-12},
        {720, 1, 1e-12},
    };
    for (const Case& c : cases) {
        const auto p = gas_pressure_at(c.x, bp);
        ASSERT_TRUE(p.has_value()) << "x = " << c.x;
        EXPECT_TRUE(test::near(*p, c.p, c.tol)) << "x = " << c.x;
    }
}

TEST(GasPressure, CurveIsContinuousAndWithinItsRange) {
    const GasBreakPoints bp = default_break_points();
    // The steepest segment rises 48.5 over 15 degrees.
    const double h = 0.01, max_step = 48.5 / 15 * h + 1e-9;
    double prev = *gas_pressure_at(0, bp);
    for (int i = 1; i * h <= 720; ++i) {
        const auto p = gas_pressure_at(i * h, bp);
        ASSERT_TRUE(p.has_value()) << i * h;
        ASSERT_LE(std::fabs(*p - prev), max_step) << "jump at x = " << i * h;
        ASSERT_GE(*p, -1);
        ASSERT_LE(*p, 140);
        prev = *p;
    }
}

TEST(GasPressure, OutsideTheCycleThePreviousValueStays) {
    const SynthesisResult s = dimension_synthesis(225, 1.04, 50);
    const double r = s.value.r / 1000, l = s.value.l / 1000;
    EXPECT_FALSE(gas_pressure_at(-1, default_break_points()));
    EXPECT_FALSE(gas_pressure_at(721, default_break_points()));
    // Cycle angles 721 and -1 degree.
    for (double cycle : {721.0, -1.0, -300.0}) {
        const double phi = (s.value.jd_wai - cycle) * kPiAnalysis / 180;
        const auto p = qitiyaqiang(r, l, 0.05, phi, s.value.jd_wai, s.value.jd_nei, 42.5);
        ASSERT_TRUE(p.has_value());
        EXPECT_EQ(*p, 42.5) << cycle;
    }
}

TEST(GasPressure, SteppedCrankReadsEveryWholeDegree) {
    // The crank stepped by repeated subtraction, as the force-table fill does,
    // must read degree k at step k, never k - 1.
    const SynthesisResult s = dimension_synthesis(225, 1.04, 50);
    const GasBreakPoints bp = default_break_points();
    const double r = s.value.r / 1000, l = s.value.l / 1000;
    double phi = s.value.jd_wai * kPiAnalysis / 180;
    for (int k = 0; k < 720; ++k) {
        ASSERT_EQ(cycle_degree(s.value.jd_wai, phi), k);
        const auto p = qitiyaqiang(r, l, 0.05, phi, s.value.jd_wai, s.value.jd_nei, -99);
        ASSERT_TRUE(p.has_value());
        ASSERT_EQ(*p, *gas_pressure_at(k, bp)) << "degree " << k;
        phi -= 6.2831852 / 360;
    }
}

TEST(GasPressure, CycleDegreeFloorsFractionalAngles) {
    struct Case {
        double cycle;
        long long degree;
    };
    const Case cases[] = {{0.5, 0}, {29.9999, 29}, {30 - 1e-9, 30}, {76.93, 76}, {-0.5, -1}, {719.99, 719}};
    for (const Case& c : cases) {
        const double phi = (84.8 - c.cycle) * kPiAnalysis / 180;
        EXPECT_EQ(cycle_degree(84.8, phi), c.degree) << c.cycle;
    }
}

TEST(GasPressure, UndefinedGeometryHasNoCurve) {
    EXPECT_FALSE(gas_break_points(0.1, 0.4, 0, 84, 261));   // no offset
    EXPECT_FALSE(gas_break_points(0.1, 0.1, 0.5, 84, 261)); // l^2 + r^2 < e^2
    EXPECT_FALSE(qitiyaqiang(0.1, 0.4, 0, 1.0, 84, 261, 3));
}

}  // namespace
}  // namespace vm
