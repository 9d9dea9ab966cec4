// Torque diagram and flywheel figures: the mean and the running energy
// against a plain trapezoid integration of the same samples, the marked
// extremes, the flywheel example, the balancing mass, and the picture scale.
#include <gtest/gtest.h>

#include <cmath>

#include "core/torque_energy.h"
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

}  // namespace
}  // namespace vm
