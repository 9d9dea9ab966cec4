// Kinetostatic analysis and the force-table fill: at each of the 720 rows every
// member and the whole mechanism balance, the rod's moments and the virtual
// power of all loads vanish, and the gas force is that of the row's own
// degree; bad inputs leave the state alone.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/force_analysis.h"
#include "core/gas_pressure.h"
#include "tests/core/force_design_fixture.h"

namespace vm {
namespace {

// The residue of a balance against the size of the loads in it.
::testing::AssertionResult balanced(double residue, std::initializer_list<double> loads, double tol = 1e-9) {
    double scale = 1;
    for (double t : loads) scale += std::fabs(t);
    if (std::fabs(residue) <= tol * scale) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "residue " << residue << " against loads of " << scale;
}

class FilledTable : public ::testing::TestWithParam<test::DesignTexts> {
protected:
    void SetUp() override {
        s = std::make_unique<DesignState>(test::confirmed_state(GetParam()));
        ASSERT_TRUE(fill_force_table(*s));
    }
    std::unique_ptr<DesignState> s;
};

TEST_P(FilledTable, EveryMemberAndTheWholeMechanismBalance) {
    const double g1 = val(s->qb_g), g2 = val(s->lg_g), g3 = val(s->hs_g);
    for (int row = 0; row < 720; ++row) {
        double c[kForceColumns];
        for (int i = 0; i < kForceColumns; ++i) c[i] = s->force_table.at(row, i);
        SCOPED_TRACE("row " + std::to_string(row));
        // Whole mechanism: the frame carries weights, gas force and inertia.
        EXPECT_TRUE(balanced(c[kR41y] - (g1 + g2 + g3 + c[kFGas] - (c[kFI1y] + c[kFI2y] + c[kFI3])),
                             {c[kR41y], g1 + g2 + g3, c[kFGas], c[kFI3]}));
        EXPECT_TRUE(balanced(c[kR41x] + c[kR43x] + c[kFI1x] + c[kFI2x], {c[kR41x], c[kR43x], c[kFI1x], c[kFI2x]}));
        // Piston (rod force -R32, wall), rod (R12 at A, R32 at B), crank (R41, -R12).
        EXPECT_TRUE(balanced(c[kR43x] - c[kR32x], {c[kR32x]}));
        EXPECT_TRUE(balanced(-c[kR32y] + c[kFI3] - g3 - c[kFGas], {c[kR32y], c[kFI3], g3, c[kFGas]}));
        EXPECT_TRUE(balanced(c[kR12x] + c[kR32x] + c[kFI2x], {c[kR12x], c[kR32x], c[kFI2x]}));
        EXPECT_TRUE(balanced(c[kR12y] + c[kR32y] + c[kFI2y] - g2, {c[kR12y], c[kR32y], c[kFI2y], g2}));
        EXPECT_TRUE(balanced(c[kR41x] - c[kR12x] + c[kFI1x], {c[kR41x], c[kR12x], c[kFI1x]}));
        EXPECT_TRUE(balanced(c[kR41y] - c[kR12y] + c[kFI1y] - g1, {c[kR41y], c[kR12y], c[kFI1y], g1}));
    }
}

TEST_P(FilledTable, RodMomentsAndVirtualPowerVanish) {
    const ForceInputs in = force_inputs(*s).value();
    const double omega1 = -val(s->qb_w) * 2 * kPiAnalysis / 60, l = in.l, r = in.r, ak = in.ak;
    double phi = s->jd_wai * kPiAnalysis / 180, p_gas = 0;
    for (int row = 0; row < 720; ++row, phi -= kTwoPiAnalysis / 360) {
        SCOPED_TRACE("row " + std::to_string(row));
        const Kinematics k = jisuan(r, l, in.e, phi, omega1).value();
        const ForceAnalysis f = force_analysis(k, phi, in, p_gas).value();
        p_gas = f.p_gas;
        ASSERT_EQ(f.Mb, s->force_table.at(row, kMb));
        const double ux = std::cos(k.psi), uy = std::sin(k.psi);  // unit vector A -> B
        const double at_s2 = ux * (f.FI2y - f.g2) - uy * f.FI2x;  // moment arm factor of S2's loads
        EXPECT_TRUE(balanced(l * (ux * f.R32y - uy * f.R32x) + ak * l * at_s2 + f.MI2,
                             {l * f.R32y, l * f.R32x, l * f.FI2y, l * f.g2, f.MI2}));
        EXPECT_TRUE(balanced(-l * (ux * f.R12y - uy * f.R12x) + (ak - 1) * l * at_s2 + f.MI2,
                             {l * f.R12y, l * f.R12x, l * f.FI2y, l * f.g2, f.MI2}));
        // The balancing torque's power cancels that of every other load. The
        // analysis pi turns the centripetal accelerations by about 5e-8 rad.
        const double vAx = -r * omega1 * std::sin(phi), vAy = r * omega1 * std::cos(phi);
        const double p[] = {f.Mb * omega1, f.FI1x * vAx / 2 + (f.FI1y - f.g1) * vAy / 2,
                            f.FI2x * (1 - ak) * vAx + (f.FI2y - f.g2) * ((1 - ak) * vAy + ak * k.v_b),
                            f.MI2 * k.omega2, (f.FI3 - f.g3 - f.f_gas) * k.v_b};
        EXPECT_TRUE(balanced(p[0] + p[1] + p[2] + p[3] + p[4], {p[0], p[1], p[2], p[3], p[4]}, 1e-6));
    }
}

TEST_P(FilledTable, EachRowCarriesTheGasForceOfItsOwnDegree) {
    const ForceInputs in = force_inputs(*s).value();
    const GasBreakPoints bp = gas_break_points(in.r, in.l, in.e, in.jd_wai, in.jd_nei).value();
    const double area = kPiAnalysis * (in.D / 10) * (in.D / 10) / 4;
    for (int row = 0; row < 720; ++row)
        ASSERT_DOUBLE_EQ(s->force_table.at(row, kFGas), 2 * gas_pressure_at(row, bp).value() * area) << row;
    EXPECT_EQ(s->jd_i, 719);
    EXPECT_EQ(s->force.R41y, s->force_table.at(719, kR41y));
}

INSTANTIATE_TEST_SUITE_P(Designs, FilledTable, ::testing::ValuesIn(test::kDesigns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ForceTableFill, UndefinedInputsChangeNothing) {
    void (*spoil[])(DesignState&) = {
        [](DesignState& s) { s.hs_e = "5o"; },   [](DesignState& s) { s.hs_d = ""; },
        [](DesignState& s) { s.qb_g = "abc"; },  [](DesignState& s) { s.lg_g = "1,5"; },
        [](DesignState& s) { s.hs_g = "-"; },    [](DesignState& s) { s.lg_ak = "0.35x"; },
        [](DesignState& s) { s.lg_rk = " "; },   [](DesignState& s) { s.qb_w = "fast"; },
        [](DesignState& s) { s.qb_r = 0; },      [](DesignState& s) { s.lg_l = 60; },  // rod misses the path
        [](DesignState& s) { s.hs_d = "1e300"; },                                       // forces overflow
    };
    for (auto f : spoil) {
        DesignState s = test::confirmed_state(test::kDesigns[0]);
        s.force_table.set(5, kMb, 12.5);
        s.force.Mb = 7, s.jd_i = 3, s.phi = 0.25;
        f(s);
        EXPECT_FALSE(fill_force_table(s));
        EXPECT_EQ(s.force_table.at(5, kMb), 12.5);
        EXPECT_EQ(s.force_table.at(0, kR41y), 0);
        EXPECT_TRUE(s.force.Mb == 7 && s.jd_i == 3 && s.phi == 0.25);
    }
}

}  // namespace
}  // namespace vm
