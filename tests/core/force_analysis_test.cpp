// Kinetostatic analysis and the force-table fill: every member and the whole
// mechanism in balance at each of the 720 rows, the virtual power of all loads
// zero, the gas force of each row from its own degree, and undefined inputs
// that leave the state alone.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/force_analysis.h"
#include "core/gas_pressure.h"
#include "tests/core/force_design_fixture.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

constexpr double kStep = 6.2831852 / 360;

// Absolute closeness scaled by the size of the loads involved.
::testing::AssertionResult balanced(double residue, std::initializer_list<double> terms, double tol = 1e-9) {
    double scale = 1;
    for (double t : terms) scale += std::fabs(t);
    if (std::fabs(residue) <= tol * scale) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "residue " << residue << " against loads of " << scale;
}

class FilledTable : public ::testing::TestWithParam<test::DesignTexts> {
protected:
    void SetUp() override {
        state = std::make_unique<DesignState>(test::confirmed_state(GetParam()));
        ASSERT_TRUE(fill_force_table(*state));
    }
    double at(int row, int column) const { return state->force_table.at(row, column); }
    std::unique_ptr<DesignState> state;
};

TEST_P(FilledTable, EveryMemberAndTheWholeMechanismBalance) {
    const double g1 = val(state->qb_g), g2 = val(state->lg_g), g3 = val(state->hs_g);
    for (int row = 0; row < 720; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        const double R41x = at(row, kR41x), R41y = at(row, kR41y), R12x = at(row, kR12x), R12y = at(row, kR12y);
        const double R32x = at(row, kR32x), R32y = at(row, kR32y), R43x = at(row, kR43x);
        const double FI1x = at(row, kFI1x), FI1y = at(row, kFI1y), FI2x = at(row, kFI2x), FI2y = at(row, kFI2y);
        const double FI3 = at(row, kFI3), f_gas = at(row, kFGas);
        // Whole mechanism: the frame carries weights, gas force and inertia.
        EXPECT_TRUE(balanced(R41y - (g1 + g2 + g3 + f_gas - (FI1y + FI2y + FI3)), {R41y, g1, g2, g3, f_gas, FI3}));
        EXPECT_TRUE(balanced(R41x + R43x + FI1x + FI2x, {R41x, R43x, FI1x, FI2x}));
        // Piston: rod force (-R32), wall, weight, gas, inertia.
        EXPECT_TRUE(balanced(-R32x + R43x, {R32x, R43x}));
        EXPECT_TRUE(balanced(-R32y + FI3 - g3 - f_gas, {R32y, FI3, g3, f_gas}));
        // Rod: crank at A, piston at B, weight and inertia.
        EXPECT_TRUE(balanced(R12x + R32x + FI2x, {R12x, R32x, FI2x}));
        EXPECT_TRUE(balanced(R12y + R32y + FI2y - g2, {R12y, R32y, FI2y, g2}));
        // Crank: frame at O, rod at A (-R12), weight and inertia.
        EXPECT_TRUE(balanced(R41x - R12x + FI1x, {R41x, R12x, FI1x}));
        EXPECT_TRUE(balanced(R41y - R12y + FI1y - g1, {R41y, R12y, FI1y, g1}));
    }
}

TEST_P(FilledTable, RodMomentsAndVirtualPowerVanishAtEveryPosition) {
    const auto in = force_inputs(*state);
    ASSERT_TRUE(in.has_value());
    const double omega1 = -val(state->qb_w) * 2 * kPiAnalysis / 60;
    double phi = state->jd_wai * kPiAnalysis / 180;
    double p_gas = 0;
    for (int row = 0; row < 720; ++row, phi -= kStep) {
        SCOPED_TRACE("row " + std::to_string(row));
        const auto k = jisuan(in->r, in->l, in->e, phi, omega1);
        ASSERT_TRUE(k.has_value());
        const auto f = force_analysis(*k, phi, *in, p_gas);
        ASSERT_TRUE(f.has_value());
        p_gas = f->p_gas;
        EXPECT_TRUE(test::near(f->Mb, at(row, kMb), 1e-9));

        const double l = in->l, r = in->r, ak = in->ak;
        const double ux = std::cos(k->psi), uy = std::sin(k->psi);  // unit vector A -> B
        // Rod about A: R32 at B, inertia and weight at S2, inertia torque.
        const double about_a = l * (ux * f->R32y - uy * f->R32x) + ak * l * (ux * (f->FI2y - f->g2) - uy * f->FI2x) + f->MI2;
        EXPECT_TRUE(balanced(about_a, {l * f->R32y, l * f->R32x, l * f->FI2y, l * f->g2, f->MI2}));
        // Rod about B: R12 at A.
        const double about_b = -l * (ux * f->R12y - uy * f->R12x) +
                               (ak - 1) * l * (ux * (f->FI2y - f->g2) - uy * f->FI2x) + f->MI2;
        EXPECT_TRUE(balanced(about_b, {l * f->R12y, l * f->R12x, l * f->FI2y, l * f->g2, f->MI2}));

        // Virtual power: the balancing torque's power equals minus that of
        // every other load on the moving members. The analysis pi turns the
        // centripetal accelerations by about 5e-8 rad, hence the looser bound.
        const double vAx = -r * omega1 * std::sin(phi), vAy = r * omega1 * std::cos(phi);
        const double vS2x = (1 - ak) * vAx, vS2y = (1 - ak) * vAy + ak * k->v_b;
        const double terms[] = {f->Mb * omega1,
                                f->FI1x * vAx / 2 + (f->FI1y - f->g1) * vAy / 2,
                                f->FI2x * vS2x + (f->FI2y - f->g2) * vS2y,
                                f->MI2 * k->omega2,
                                (f->FI3 - f->g3 - f->f_gas) * k->v_b};
        EXPECT_TRUE(balanced(terms[0] + terms[1] + terms[2] + terms[3] + terms[4],
                             {terms[0], terms[1], terms[2], terms[3], terms[4]}, 1e-6));
    }
}

TEST_P(FilledTable, EachRowCarriesTheGasForceOfItsOwnDegree) {
    const auto in = force_inputs(*state);
    ASSERT_TRUE(in.has_value());
    const auto bp = gas_break_points(in->r, in->l, in->e, in->jd_wai, in->jd_nei);
    ASSERT_TRUE(bp.has_value());
    const double area = kPiAnalysis * (in->D / 10) * (in->D / 10) / 4;
    for (int row = 0; row < 720; ++row)
        ASSERT_TRUE(test::near(at(row, kFGas), 2 * *gas_pressure_at(row, *bp) * area, 1e-12)) << "row " << row;
}

TEST_P(FilledTable, LastPositionStaysInTheStateAndOtherRowsStayEmpty) {
    EXPECT_EQ(state->jd_i, 719);
    EXPECT_EQ(state->force.R41x, at(719, kR41x));
    EXPECT_EQ(state->force.Mb, at(719, kMb));
    EXPECT_EQ(state->force.f_gas, at(719, kFGas));
    EXPECT_TRUE(test::near(state->phi, (state->jd_wai - 720) * kPiAnalysis / 180, 1e-9));
    EXPECT_TRUE(test::near(state->qb_r_k, state->qb_r / 1000, 1e-15));
    EXPECT_LT(state->omega1, 0.0 + (val(state->qb_w) == 0 ? 1 : 0));
    for (int row : {-720, -1, 720})
        for (int c = 0; c < kForceColumns; ++c) EXPECT_EQ(at(row, c), 0) << row << "," << c;
}

INSTANTIATE_TEST_SUITE_P(Designs, FilledTable, ::testing::ValuesIn(test::kDesigns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ForceTableFill, GasPeakAtTheSecondTurnsDeadCentre) {
    DesignState s = test::confirmed_state(test::kDefaultDesign);
    ASSERT_TRUE(fill_force_table(s));
    const double peak = 2 * 140 * kPiAnalysis * 17 * 17 / 4;
    EXPECT_TRUE(test::near(s.force_table.at(360, kFGas), peak, 1e-12));
    EXPECT_TRUE(test::near(peak, 63554.42, 1e-7));
    EXPECT_EQ(s.force_table.at(359, kFGas) < peak, true);
    // The side force at B is a computed force at every row, 421 included.
    EXPECT_EQ(s.force_table.at(421, kR43x), s.force_table.at(421, kR32x));
    EXPECT_GT(std::fabs(s.force_table.at(421, kR43x) - 1), 1.0);
}

TEST(ForceTableFill, UndefinedInputsChangeNothing) {
    struct Case {
        const char* what;
        void (*spoil)(DesignState&);
    };
    const Case cases[] = {
        {"offset text", [](DesignState& s) { s.hs_e = "5o"; }},
        {"diameter text", [](DesignState& s) { s.hs_d = ""; }},
        {"crank weight", [](DesignState& s) { s.qb_g = "abc"; }},
        {"rod weight", [](DesignState& s) { s.lg_g = "1,5"; }},
        {"piston weight", [](DesignState& s) { s.hs_g = "-"; }},
        {"centre-of-mass coefficient", [](DesignState& s) { s.lg_ak = "0.35x"; }},
        {"inertia coefficient", [](DesignState& s) { s.lg_rk = " "; }},
        {"crank speed", [](DesignState& s) { s.qb_w = "fast"; }},
        {"crank of no length", [](DesignState& s) { s.qb_r = 0; }},
        {"rod too short for the offset", [](DesignState& s) { s.lg_l = 60; }},
        {"overflowing diameter", [](DesignState& s) { s.hs_d = "1e300"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DesignState s = test::confirmed_state(test::kDefaultDesign);
        s.force_table.set(5, kMb, 12.5);
        s.force.Mb = 7;
        s.jd_i = 3;
        s.phi = 0.25;
        c.spoil(s);
        EXPECT_FALSE(fill_force_table(s));
        EXPECT_EQ(s.force_table.at(5, kMb), 12.5);
        EXPECT_EQ(s.force_table.at(0, kR41y), 0);
        EXPECT_EQ(s.force.Mb, 7);
        EXPECT_EQ(s.jd_i, 3);
        EXPECT_EQ(s.phi, 0.25);
    }
}

TEST(ForceAnalysis, WithoutWeightsAndGasOnlyInertiaLoadsTheFrame) {
    DesignState s = test::confirmed_state(test::kDesigns[2]);
    s.hs_d = "0";
    ASSERT_TRUE(fill_force_table(s));
    for (int row = 0; row < 720; row += 15) {
        EXPECT_EQ(s.force_table.at(row, kFGas), 0);
        const double inertia_y = s.force_table.at(row, kFI1y) + s.force_table.at(row, kFI2y) + s.force_table.at(row, kFI3);
        EXPECT_TRUE(balanced(s.force_table.at(row, kR41y) + inertia_y, {inertia_y})) << row;
    }
}

TEST(ForceAnalysis, ReportRowHoldsMagnitudesAndSignedValues) {
    ForceAnalysis f;
    f.FI1x = 3, f.FI1y = -4, f.FI2x = -6, f.FI2y = 8, f.FI3 = -12.5;
    f.R41x = -5, f.R41y = -12, f.R12x = 8, f.R12y = -15, f.R32x = -7, f.R32y = 24;
    f.Mb = -33, f.f_gas = -453.9;
    const std::array<double, 8> row = report_force_row(f);
    const double expected[8] = {5, 10, -12.5, 13, 17, 25, -33, -453.9};
    for (int c = 0; c < 8; ++c) EXPECT_TRUE(test::near(row[c], expected[c], 1e-12)) << c;
}

}  // namespace
}  // namespace vm
