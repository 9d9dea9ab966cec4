// Follower motion law: the figures of the default lift, zero motion after the
// return, and slope, velocity and acceleration against finite differences of
// the lift.
#include <gtest/gtest.h>

#include <cmath>

#include "core/cam_motion.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

using test::near;

TEST(FollowerMotion, FiguresForLiftTen) {
    const FollowerMotion m{10};
    struct Case {
        const char* what;
        double value, expected;
    };
    const Case cases[] = {
        {"lift at 30", m.lift(30), 5},
        {"lift at 60", m.lift(60), 10},
        {"lift at 65", m.lift(65), 10},
        {"lift at 70", m.lift(70), 10},
        {"lift at 105", m.lift(105), 5},
        {"lift at 122.5", m.lift(122.5), 0.908},
        {"rise velocity at 0", m.velocity(0), 9.549},
        {"rise velocity at 60", m.velocity(60), 9.549},
        {"far-dwell velocity", m.velocity(65), 0},
        {"return velocity at 70", m.velocity(70), 0},
        {"return velocity at 105", m.velocity(105), -16.370},
        {"rise acceleration", m.acceleration(30), 0},
        {"return acceleration at 87.5", m.acceleration(87.5), -42.095},
        {"return acceleration at 122.5", m.acceleration(122.5), 42.095},
    };
    for (const Case& c : cases) EXPECT_TRUE(near(c.value, c.expected, 5e-4)) << c.what;
}

TEST(FollowerMotion, NearDwellFromTheEndOfTheReturnIsAtRest) {
    for (double h : {1.0, 10.0, -4.0}) {
        const FollowerMotion m{h};
        for (double d : {140.0, 140.005, 141.0, 145.0, 149.995, 150.0, 359.0}) {
            EXPECT_EQ(m.lift(d), 0) << d;
            EXPECT_EQ(m.velocity(d), 0) << d;
            EXPECT_EQ(m.acceleration(d), 0) << d;
            EXPECT_EQ(m.slope(d), 0) << d;
        }
        // The return never dips below the base circle before it ends.
        for (double d = 70; d < 140; d += 0.25) EXPECT_GE(m.lift(d) * h, 0) << d;
    }
}

// d/d(delta in radians) by central differences.
template <class F>
double derivative(F f, double delta) {
    const double step = 1e-4;
    return (f(delta + step) - f(delta - step)) / (2 * cam_radians(step));
}

TEST(FollowerMotion, SlopeVelocityAndAccelerationAreDerivativesOfTheLift) {
    for (double h : {1.0, 7.5, 10.0}) {
        const FollowerMotion m{h};
        auto lift = [&](double d) { return m.lift(d); };
        auto velocity = [&](double d) { return m.velocity(d); };
        // Away from the corners at 0 and 60 degrees, where the rise velocity jumps.
        for (double d = 0.5; d < 150; d += 0.7) {
            if (std::fabs(d - 60) < 0.01) continue;
            EXPECT_TRUE(near(m.slope(d), derivative(lift, d), 1e-5)) << h << " at " << d;
            EXPECT_TRUE(near(m.velocity(d), FollowerMotion::kOmega * derivative(lift, d), 1e-5)) << h << " at " << d;
            EXPECT_TRUE(near(m.acceleration(d), FollowerMotion::kOmega * derivative(velocity, d), 1e-4))
                << h << " at " << d;
        }
    }
}

}  // namespace
}  // namespace vm
