// The indicator diagram: its figures at fixed and moving break points, the
// value kept outside the cycle, and the degree read by a stepped crank.
#include <gtest/gtest.h>

#include "core/force_analysis.h"
#include "core/gas_pressure.h"
#include "core/kinematics.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

struct Defaults {
    SynthesisResult syn = dimension_synthesis(225, 1.04, 50);
    double r = syn.value.r / 1000, l = syn.value.l / 1000, e = 0.05;
    GasBreakPoints bp = gas_break_points(r, l, e, syn.value.jd_wai, syn.value.jd_nei).value();
};

TEST(GasPressure, CurveFiguresWithTheDefaults) {
    const Defaults d;
    // 290 lies on the rise that ends at the moving point P2 (about 285.31), 545
    // on the fall after the bottom dead centre E (about 543.53).
    const double cases[][3] = {{0, -1, 1e-12},    {210, -1, 1e-12},  {225, 0.25, 1e-12}, {255, 3.25, 1e-12},
                               {270, 5, 1e-12},   {290, 10.24, 5e-4}, {360, 140, 1e-12}, {375, 140, 1e-12},
                               {405, 106.25, 1e-12}, {540, 2.5, 1e-12}, {545, 2.417, 2e-4}, {570, 1, 1e-12},
                               {720, 1, 1e-12}};
    for (const auto& c : cases) {
        const auto p = gas_pressure_at(c[0], d.bp);
        ASSERT_TRUE(p.has_value()) << "x = " << c[0];
        EXPECT_TRUE(test::near(*p, c[1], c[2])) << "x = " << c[0];
    }
    EXPECT_TRUE(test::near(d.bp.P1, 436.93, 2e-5));
}

TEST(GasPressure, OutsideTheCycleThePreviousValueStays) {
    const Defaults d;
    for (double cycle : {721.0, -1.0, -300.0}) {
        const double phi = (d.syn.value.jd_wai - cycle) * kPiAnalysis / 180;
        EXPECT_EQ(qitiyaqiang(d.r, d.l, d.e, phi, d.syn.value.jd_wai, d.syn.value.jd_nei, 42.5), 42.5) << cycle;
    }
    EXPECT_FALSE(qitiyaqiang(0.1, 0.4, 0, 1.0, 84, 261, 3));  // no offset: no break points
}

TEST(GasPressure, SteppedCrankReadsEveryWholeDegree) {
    // Stepped by repeated subtraction, the crank arrives a hair below each
    // whole degree; it must still read degree k at step k.
    const Defaults d;
    double phi = d.syn.value.jd_wai * kPiAnalysis / 180;
    for (int k = 0; k < 720; ++k, phi -= kTwoPiAnalysis / 360) {
        ASSERT_EQ(cycle_degree(d.syn.value.jd_wai, phi), k);
        ASSERT_EQ(qitiyaqiang(d.r, d.l, d.e, phi, d.syn.value.jd_wai, d.syn.value.jd_nei, -99),
                  gas_pressure_at(k, d.bp))
            << "degree " << k;
    }
    EXPECT_EQ(cycle_degree(84.8, (84.8 - 76.93) * kPiAnalysis / 180), 76);
}

}  // namespace
}  // namespace vm
