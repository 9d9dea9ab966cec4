// Torque diagram and flywheel figures: the mean and the running energy
// against a plain trapezoid integration of the same samples, the marked
// extremes, the flywheel example, the balancing mass, and the picture scale.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "core/force_analysis.h"
#include "core/gas_pressure.h"
#include "core/kinematics.h"
#include "core/number_text.h"
#include "core/torque_energy.h"
#include "tests/core/force_design_fixture.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

using test::near;

TorqueArray constant(double v) {
    TorqueArray a;
    a.fill(v);
    return a;
}

// The running energy by the plain trapezoid rule: across a sign change the
// two triangles of the linear interpolant add up to the same trapezoid.
EnergyFigures trapezoid_energy(const TorqueArray& mom, double mean, double dx) {
    EnergyFigures f;
    double prev = std::nearbyint(mom[0] - mean);
    for (size_t i = 1; i < mom.size(); ++i) {
        const double cur = std::nearbyint(mom[i] - mean);
        f.e_run += (prev + cur) / 2 * dx;
        f.e_max = i == 1 ? f.e_run : std::max(f.e_max, f.e_run);
        f.e_min = i == 1 ? f.e_run : std::min(f.e_min, f.e_run);
        prev = cur;
    }
    f.dw_max = f.e_max - f.e_min;
    return f;
}

TEST(TorqueArea, ConstantAndSinusoidalTorques) {
    const double dx = torque_step();
    EXPECT_TRUE(near(dx, 4 * kPiTorque / 720, 1e-7));
    EXPECT_TRUE(near(mean_resisting_torque(constant(250), dx), 250 * 720 * dx / (4 * kPiTorque), 1e-12));
    // Two full waves around a mean of 40: the waves cancel, crossings included.
    TorqueArray mom{};
    for (size_t i = 0; i < mom.size(); ++i) mom[i] = 40 + 900 * std::sin(static_cast<double>(i) * kPiTorque / 180);
    EXPECT_TRUE(near(mean_resisting_torque(mom, dx), 40, 1e-3));
}

TEST(TorqueExtremes, MarkedOnceOutsideTheGasPeakRegion) {
    struct Case {
        int spike;
        bool marked;
    };
    for (const Case& c : {Case{1, true}, Case{120, true}, Case{200, true}, Case{201, false}, Case{270, false},
                          Case{339, false}, Case{340, true}, Case{719, true}}) {
        for (double height : {500.0, -500.0}) {
            TorqueArray mom = constant(10);
            mom[static_cast<size_t>(c.spike)] = height;
            const auto marks = torque_extremes(mom);
            if (c.marked)
                EXPECT_EQ(marks, std::vector<int>{c.spike}) << c.spike;
            else
                EXPECT_TRUE(marks.empty()) << c.spike;
        }
    }
}

TEST(TorqueExtremes, AFlatTopOfTwoEqualSamplesIsNoExtreme) {
    TorqueArray mom = constant(0);
    mom[100] = mom[101] = 300;
    EXPECT_TRUE(torque_extremes(mom).empty());
}

TEST(Energy, ZeroEndsAddTheirTrapezoid) {
    std::array<long long, kTorqueSamples> d{};
    d[1] = 100;  // a triangle from 0 up to 100 and back to 0
    const double dx = 0.5;
    const EnergyFigures e = energy_figures(d, dx);
    EXPECT_TRUE(near(e.e_run, 100 * dx));
    EXPECT_TRUE(near(e.e_max, 100 * dx));
    EXPECT_TRUE(near(e.e_min, 100 * dx / 2));
}

TEST(Energy, WideExcessTorquesDoNotOverflow) {
    TorqueArray mom = constant(0);
    for (size_t i = 0; i < 360; ++i) mom[i] = 40000;
    const double dx = torque_step();
    const double mean = mean_resisting_torque(mom, dx);
    const auto d = excess_torques(mom, mean);
    EXPECT_GT(d[0], 20000);
    const EnergyFigures e = energy_figures(d, dx);
    EXPECT_TRUE(std::isfinite(e.dw_max));
    EXPECT_GT(e.dw_max, 0);
    const EnergyFigures ref = trapezoid_energy(mom, mean, dx);
    EXPECT_TRUE(near(e.dw_max, ref.dw_max, 1e-9));
}

TEST(Energy, TorquesBeyondExactWholeNumbersAreRefused) {
    // Whole-number excess torques are exact only up to about 9e15 N*m; past
    // that the rounding would turn the energy figures into noise.
    for (double peak : {1e15, -1e15, 1.0000001e15, 1e20, -1e300}) {
        ForceTable table;
        for (int row = 0; row < 720; ++row) table.set(row, kMb, row < 360 ? 500.0 : -200.0);
        table.set(400, kMb, peak);
        const auto t = torque_figures(table, 620, 0.02);
        EXPECT_EQ(t.has_value(), std::fabs(peak) <= kTorqueLimit) << peak;
        if (t) {
            const EnergyFigures ref = trapezoid_energy(t->mom, t->m_mean, t->dx);
            EXPECT_TRUE(near(t->energy.dw_max, ref.dw_max, 1e-12)) << peak;
        }
    }
}

TEST(Flywheel, TheTextbookExample) {
    const double w = crank_speed(620);
    EXPECT_TRUE(near(w, 64.93, 1e-3));
    const auto j = flywheel_inertia(1000, 0.02, w);
    ASSERT_TRUE(j);
    EXPECT_TRUE(near(*j, 11.86, 1e-3));
    // Halving the allowed fluctuation doubles the flywheel.
    EXPECT_TRUE(near(*flywheel_inertia(1000, 0.01, w), 2 * *j, 1e-12));
}

TEST(Flywheel, UndefinedWithoutAPositiveFluctuationOrSpeed) {
    EXPECT_FALSE(flywheel_inertia(1000, 0, 64.9));
    EXPECT_FALSE(flywheel_inertia(1000, -0.02, 64.9));
    EXPECT_FALSE(flywheel_inertia(1000, std::nan(""), 64.9));
    EXPECT_FALSE(flywheel_inertia(1000, 0.02, 0));
}

TEST(BalancingMass, MassTimesRadiusIsTheFirstMomentOfTheRotatingMasses) {
    const double m1 = 160 / 9.8, m2 = 120 / 9.8, ak = 0.35, r = 0.1117, l = 0.4418;
    for (double R : {0.05, 0.1, 0.2, 0.35}) {
        const auto mass = balancing_mass(m1, m2, ak, r, l, R);
        ASSERT_TRUE(mass);
        // The rod's share sits at the crank pin (r), the crank's centre of mass at r/2.
        EXPECT_TRUE(near(*mass * R, m2 * (1 - ak) * r + m1 * r / 2, 1e-12)) << R;
        EXPECT_TRUE(near(*balancing_mass(m1, m2, ak, r, l, 2 * R), *mass / 2, 1e-12)) << R;
    }
}

TEST(BalancingMass, RefusesARadiusThatIsNotPositive) {
    EXPECT_FALSE(balancing_mass(16, 12, 0.35, 0.11, 0.44, 0));
    EXPECT_FALSE(balancing_mass(16, 12, 0.35, 0.11, 0.44, -0.1));
    EXPECT_FALSE(balancing_mass(16, 12, 0.35, 0.11, 0, 0.1));
}

// Gas work per cycle by another road: the piston velocity of jisuan at
// omega1 = -1 gives ds/dx = (pi/180) v_b per degree of cycle angle, and the
// gas force is sampled at the same cycle angles, trapezoid over 0.05 degrees.
double gas_work_by_velocity(const ForceInputs& in) {
    const GasBreakPoints bp = gas_break_points(in.r, in.l, in.e, in.jd_wai, in.jd_nei).value();
    const double area = kPiAnalysis * (in.D / 10) * (in.D / 10) / 4;
    auto integrand = [&](double x) {
        const double phi = (in.jd_wai - x) * kPiAnalysis / 180;
        const auto k = jisuan(in.r, in.l, in.e, phi, -1);
        const double f = 2 * gas_pressure_at(x, bp).value() * area;
        return -f * (kPiAnalysis / 180) * k.value().v_b;
    };
    const double h = 0.05;
    double work = 0;
    for (double x = 0; x < 720 - h / 2; x += h) work += (integrand(x) + integrand(x + h)) * h / 2;
    return work;
}

TEST(CycleBalance, MeanResistingTorqueEqualsTheGasWorkOverFourPi) {
    // The balancing torque of the force table does, over the cycle, the work
    // the gas does on the piston: the weights and inertia forces return what
    // they take. For sound designs the two agree well within the 1 % the
    // torque window demands.
    int checked = 0;
    for (const test::DesignTexts& d : test::kDesigns) {
        SCOPED_TRACE(d.name);
        DesignState s = test::confirmed_state(d);
        ASSERT_TRUE(fill_force_table(s));
        const auto in = force_inputs(s);
        ASSERT_TRUE(in);
        const auto work = gas_work_per_cycle(*in);
        ASSERT_TRUE(work);
        EXPECT_TRUE(near(*work, gas_work_by_velocity(*in), 1e-4));
        EXPECT_GT(*work, 0) << "an engine: the gas gives more work on the way down than it takes";
        const auto t = torque_figures(s.force_table, val(s.qb_w), 0.01);
        ASSERT_TRUE(t);
        const auto b = cycle_balance(s, t->m_mean);
        ASSERT_TRUE(b);
        EXPECT_TRUE(b->holds()) << cycle_balance_message(*b);
        EXPECT_NEAR(t->m_mean, *work / (4 * kPiTorque), 0.01 * *work / (4 * kPiTorque));
        EXPECT_EQ(cycle_balance_message(*b), "");
        ++checked;
    }
    EXPECT_EQ(checked, 4);
}

TEST(CycleBalance, UnresolvedCyclesAreRefusedWithTheirCause) {
    struct Case {
        const char *name, *H, *D, *e, *K, *n;
        BalanceCause cause;
    };
    const Case cases[] = {
        // The rod passes within a fraction of a degree of horizontal.
        {"flat rod", "225", "170", "0.5", "2.9", "620", BalanceCause::FlatRod},
        {"flat rod near the limit", "300", "170", "0.1178", "2.999", "620", BalanceCause::FlatRod},
        // A small piston at a high speed: inertia dwarfs the gas force.
        {"inertia", "225", "5", "50", "1.04", "20000", BalanceCause::InertiaDominates},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::DesignTexts d = test::kDesigns[0];
        d.H = c.H, d.D = c.D, d.e = c.e, d.K = c.K, d.n = c.n;
        DesignState s = test::confirmed_state(d);
        ASSERT_TRUE(s.confirmed);
        ASSERT_TRUE(fill_force_table(s));
        const auto t = torque_figures(s.force_table, val(s.qb_w), 0.01);
        ASSERT_TRUE(t);
        const auto b = cycle_balance(s, t->m_mean);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->cause, c.cause);
        EXPECT_GT(std::fabs(t->m_mean - b->gas_mean), 0.01 * std::fabs(b->gas_mean));
        const std::string msg = cycle_balance_message(*b);
        EXPECT_NE(msg.find("最小传动角" + format_0_00(b->min_transmission) + "°"), std::string::npos) << msg;
        EXPECT_NE(msg.find(c.cause == BalanceCause::FlatRod ? "水平" : "惯性力远大于气体压力"), std::string::npos)
            << msg;
    }
}

TEST(TorqueErrors, EachRefusalNamesItsCause) {
    ForceTable table;
    for (int row = 0; row < 720; ++row) table.set(row, kMb, row < 360 ? 500.0 : -200.0);
    struct Case {
        double n, delta;
        TorqueError error;
    };
    const Case cases[] = {
        {620, 0.02, TorqueError::None},
        {620, 0, TorqueError::DeltaNotPositive},
        {620, -1, TorqueError::DeltaNotPositive},
        {620, std::nan(""), TorqueError::DeltaNotPositive},
        {620, 1e-310, TorqueError::FlywheelOverflow},
        {620, 1e308, TorqueError::FlywheelVanishes},
        {0, 0.02, TorqueError::CrankStill},
        {1e160, 0.02, TorqueError::CrankTooFast},
    };
    std::set<std::string> messages;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n " << c.n << " delta " << c.delta);
        const TorqueOutcome out = compute_torque_figures(table, c.n, c.delta);
        EXPECT_EQ(out.error, c.error);
        if (out.ok()) {
            EXPECT_GT(out.figures.j_fly, 0);
            EXPECT_TRUE(std::isfinite(out.figures.p_eng));
        } else {
            messages.insert(torque_error_message(out.error));
        }
    }
    EXPECT_EQ(messages.size(), 5u) << "every cause has its own message";
    EXPECT_EQ(torque_error_message(TorqueError::None), "");
}

TEST(BalancingMass, RefusalsNameTheirCauseAndNothingShowsAsZero) {
    struct Case {
        double R;
        MassError error;
    };
    for (const Case& c : {Case{0.1, MassError::None}, Case{0, MassError::RadiusNotPositive},
                          Case{-1, MassError::RadiusNotPositive}, Case{1e-310, MassError::RadiusTooSmall},
                          Case{1e308, MassError::RadiusTooLarge}}) {
        const MassOutcome out = compute_balancing_mass(16, 12, 0.35, 0.11, 0.44, c.R);
        EXPECT_EQ(out.error, c.error) << c.R;
        if (c.error == MassError::None) EXPECT_GT(out.mass, 0);
        else EXPECT_FALSE(mass_error_message(out.error).empty());
    }
    // Members without weight need no balancing mass: 0 is then the answer.
    EXPECT_EQ(compute_balancing_mass(0, 0, 0.35, 0.11, 0.44, 1e308).mass, 0);
    EXPECT_EQ(compute_balancing_mass(0, 0, 0.35, 0.11, 0.44, 1e308).error, MassError::None);
}

}  // namespace
}  // namespace vm
