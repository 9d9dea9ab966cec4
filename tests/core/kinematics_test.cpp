// Crank-slider synthesis and kinematics: the default figures, the round trip
// from synthesis back to stroke and limit-position angle, and velocities and
// accelerations against finite differences of the positions.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/kinematics.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

using test::near;

TEST(Synthesis, DefaultDesign) {
    const SynthesisResult s = dimension_synthesis(225, 1.04, 50);
    ASSERT_TRUE(s.ok());
    EXPECT_TRUE(near(s.value.l, 441.85, 0.01 / 441.85));
    EXPECT_TRUE(near(s.value.r, 111.73, 0.01 / 111.73));
    EXPECT_TRUE(near(s.value.jd_wai, 84.82, 0.01 / 84.82));
    EXPECT_TRUE(near(s.value.jd_nei, 261.29, 0.01 / 261.29));
    EXPECT_NEAR(s.value.jd_wai - s.value.jd_nei + 360, 183.5, 0.05);
}

// Stroke and limit-position angle of the mechanism a synthesis returned.
struct Measured {
    double stroke, theta;
};
Measured measure(double l, double r, double e) {
    const double far = std::sqrt((l + r) * (l + r) - e * e);
    const double near_ = std::sqrt((l - r) * (l - r) - e * e);
    // Crank directions at the two dead centres: along OB, and opposite to OB.
    const double a_ext = std::atan2(far, e);
    const double a_fold = std::atan2(near_, e);
    return {far - near_, std::fabs(a_ext - a_fold)};
}

TEST(Synthesis, RoundTripGivesStrokeAndLimitAngleOverAGrid) {
    int checked = 0;
    for (double H : {50.0, 100.0, 225.0, 400.0})
        for (double K : {1.01, 1.04, 1.1, 1.3, 1.6, 2.0})
            for (double e : {5.0, 20.0, 50.0, 120.0, 200.0, 400.0}) {
                const SynthesisResult s = dimension_synthesis(H, K, e);
                if (!s.ok()) continue;
                SCOPED_TRACE(testing::Message() << "H " << H << " K " << K << " e " << e);
                const Measured m = measure(s.value.l, s.value.r, e);
                EXPECT_TRUE(near(m.stroke, H, 1e-6));
                EXPECT_TRUE(near(m.theta, kPiAnalysis * (K - 1) / (K + 1), 1e-6));
                EXPECT_GT(s.value.l - s.value.r, e);
                ++checked;
            }
    EXPECT_GT(checked, 80);
}

TEST(Synthesis, OffsetBeyondTheCircleCentreTakesTheFarBranch) {
    // c = H/(2 tan theta) is about 262 for H 50, K 1.1: e = 200 lies below it, and
    // H 100, K 1.3 puts c near 110, so e = 120 lies beyond it.
    const SynthesisResult a = dimension_synthesis(50, 1.1, 200);
    ASSERT_TRUE(a.ok());
    EXPECT_NEAR(a.value.l, 259.51, 0.01);
    EXPECT_NEAR(a.value.r, 15.82, 0.01);
    const SynthesisResult b = dimension_synthesis(100, 1.3, 120);
    ASSERT_TRUE(b.ok());
    const Measured m = measure(b.value.l, b.value.r, 120);
    EXPECT_TRUE(near(m.stroke, 100, 1e-9));
    EXPECT_TRUE(near(m.theta, kPiAnalysis * 0.3 / 2.3, 1e-9));
}

// Offset at which the near extreme position reaches the crank centre's level,
// e = 2 R cos theta = H / tan theta: the synthesis accepts offsets below it.
double offset_limit(double H, double K) { return H / std::tan(kPiAnalysis * (K - 1) / (K + 1)); }

TEST(Synthesis, DeadCentresAreFiniteUpToKThreeAndTheOffsetLimit) {
    // Designs at the edge of the domain keep their dead centres: the angle
    // between the two dead-centre cranks is the limit-position angle, and each
    // crank points at (or away from) its extreme piston position.
    struct Named {
        double H, K, e;
    };
    std::vector<Named> designs = {{300, 2.999, 0.1178}, {225, 2.99, 0.88578}, {225, 2.9, 0.5}};
    for (double H : {10.0, 50.0, 225.0, 300.0, 1000.0})
        for (double K : {1.001, 1.04, 1.5, 2.0, 2.6, 2.9, 2.99, 2.999, 3.0})
            for (double f : {1e-6, 0.1, 0.5, 0.9, 0.999, 1 - 1e-6, 1 - 1e-9, 1 - 1e-12})
                designs.push_back({H, K, f * offset_limit(H, K)});
    int accepted = 0;
    for (const Named& d : designs) {
        const SynthesisResult s = dimension_synthesis(d.H, d.K, d.e);
        if (!s.ok()) continue;
        ++accepted;
        SCOPED_TRACE(testing::Message() << "H " << d.H << " K " << d.K << " e " << d.e);
        ASSERT_TRUE(std::isfinite(s.value.jd_wai));
        ASSERT_TRUE(std::isfinite(s.value.jd_nei));
        EXPECT_GT(s.value.jd_wai, 0);
        EXPECT_LE(s.value.jd_wai, 90.00001);  // degrees from the analysis pi
        EXPECT_GE(s.value.jd_nei, 180);
        EXPECT_LT(s.value.jd_nei, 270);
        const double theta_deg = 180 * (d.K - 1) / (d.K + 1);
        EXPECT_NEAR(s.value.jd_wai - (s.value.jd_nei - 180), theta_deg, 1e-4);
        // The extended crank's pin lies on OB: its height over its offset is
        // the slope of OB at the far extreme position, l + r from O.
        const double a = s.value.jd_wai * kPiAnalysis / 180;
        EXPECT_TRUE(near((s.value.l + s.value.r) * std::cos(a), d.e, 1e-9));
        EXPECT_TRUE(minimum_transmission_angle(s.value.r, s.value.l, d.e).has_value());
    }
    EXPECT_GT(accepted, 300);
}

TEST(Synthesis, MinimumTransmissionAngle) {
    // The default rod leans at most (e + r)/l from the vertical's normal; near
    // the offset limit the folded rod lies almost flat.
    const SynthesisResult s = dimension_synthesis(225, 1.04, 50);
    const auto g = minimum_transmission_angle(s.value.r, s.value.l, 50);
    ASSERT_TRUE(g);
    EXPECT_NEAR(*g, std::acos((50 + s.value.r) / s.value.l) * 180 / kPiAnalysis, 1e-9);
    EXPECT_NEAR(*g, 68.5, 0.1);
    // Every crank position's rod angle stays at or above it.
    for (int deg = 0; deg < 360; ++deg) {
        const auto k = jisuan(s.value.r, s.value.l, 50, deg * kPiAnalysis / 180, -1);
        ASSERT_TRUE(k);
        const double t = std::min(k->psi, kPiAnalysis - k->psi) * 180 / kPiAnalysis;
        EXPECT_GE(t, *g - 1e-6) << deg;
    }
    const SynthesisResult flat = dimension_synthesis(225, 2.9, 0.5);
    ASSERT_TRUE(flat.ok());
    EXPECT_LT(*minimum_transmission_angle(flat.value.r, flat.value.l, 0.5), 2.0);
    EXPECT_FALSE(minimum_transmission_angle(0.2, 0.1, 0.05).has_value());  // rod too short
}

TEST(Synthesis, UndefinedInputsAreErrors) {
    struct Case {
        double H, K, e;
        SynthesisError error;
    };
    const Case cases[] = {
        {225, 1.0, 50, SynthesisError::RatioNotAboveOne},
        {225, 0.9, 50, SynthesisError::RatioNotAboveOne},
        {225, 1.04, 0, SynthesisError::OffsetNotPositive},
        {225, 1.04, -50, SynthesisError::OffsetNotPositive},
        {-225, 1.04, 50, SynthesisError::StrokeNotPositive},
        {0, 1.04, 50, SynthesisError::StrokeNotPositive},
        {225, 3.0, 5000, SynthesisError::NoMechanism},
        {10, 1.9, 400, SynthesisError::NoMechanism},
        {50, 1.3, 120, SynthesisError::NoMechanism},  // crank centre would sit inside the stroke
    };
    for (const Case& c : cases) {
        const SynthesisResult s = dimension_synthesis(c.H, c.K, c.e);
        EXPECT_EQ(s.error, c.error) << c.H << " " << c.K << " " << c.e;
        EXPECT_FALSE(synthesis_message(s.error).empty());
    }
    EXPECT_EQ(synthesis_message(SynthesisError::None), "");
}

TEST(Arccos, AtanFormWithTheAnalysisPi) {
    EXPECT_EQ(*arccos(1), 0);
    EXPECT_EQ(*arccos(-1), 3.1415926);
    EXPECT_EQ(*arccos(0), 3.1415926 / 2);
    EXPECT_NEAR(*arccos(0.5), 1.0471976, 1e-7);
    EXPECT_NEAR(*arccos(-0.5), 2.0943951, 1e-7);
    for (double x : {1.0000001, -1.5, std::nan("")}) EXPECT_FALSE(arccos(x).has_value());
}

struct Design {
    double H, K, e, n;
};

TEST(Jisuan, DeadCentreHasRodInLineAndPistonAtRest) {
    const SynthesisResult s = dimension_synthesis(225, 1.04, 50);
    const double phi = s.value.jd_wai * kPiAnalysis / 180;
    auto k = jisuan(s.value.r / 1000, s.value.l / 1000, 0.05, phi, -2 * kPiAnalysis * 620 / 60);
    ASSERT_TRUE(k);
    EXPECT_NEAR(k->psi, phi, 1e-6);
    EXPECT_NEAR(k->v_b, 0, 1e-5);
    EXPECT_TRUE(k->dir_v_b == 3.1415926 / 2 || k->dir_v_b == 9.4247778 / 2);
}

TEST(Jisuan, VelocitiesAndAccelerationsMatchFiniteDifferences) {
    const Design designs[] = {{225, 1.04, 50, 620}, {100, 1.3, 20, 1500}, {50, 1.1, 200, 300}};
    for (const Design& d : designs) {
        const SynthesisResult s = dimension_synthesis(d.H, d.K, d.e);
        ASSERT_TRUE(s.ok());
        const double r = s.value.r / 1000, l = s.value.l / 1000, e = d.e / 1000;
        const double w1 = -2 * kPiAnalysis * d.n / 60;
        const double dt = 1e-6;
        for (int deg = 0; deg < 360; deg += 7) {
            SCOPED_TRACE(testing::Message() << "H " << d.H << " deg " << deg);
            const double phi = deg * kPiAnalysis / 180;
            auto k0 = jisuan(r, l, e, phi, w1);
            auto kp = jisuan(r, l, e, phi + w1 * dt, w1);
            auto km = jisuan(r, l, e, phi - w1 * dt, w1);
            ASSERT_TRUE(k0 && kp && km);
            const double v_fd = (kp->s_b - km->s_b) / (2 * dt);
            const double a_fd = (kp->s_b - 2 * k0->s_b + km->s_b) / (dt * dt);
            const double w2_fd = (kp->psi - km->psi) / (2 * dt);
            const double al2_fd = (kp->omega2 - km->omega2) / (2 * dt);
            EXPECT_NEAR(k0->v_b, v_fd, 1e-5 * std::max(1.0, std::fabs(v_fd)));
            EXPECT_NEAR(k0->omega2, w2_fd, 1e-5 * std::max(1.0, std::fabs(w2_fd)));
            EXPECT_NEAR(k0->alpha2, al2_fd, 1e-3 * std::max(1.0, std::fabs(al2_fd)));
            EXPECT_NEAR(k0->a_b, a_fd, 2e-3 * std::max(1.0, std::fabs(k0->a_b)));
            // The piston's velocity and acceleration come out of the polygons too.
            // (directions carry the analysis pi, hence the looser bound).
            EXPECT_NEAR(k0->v_by, k0->v_b, 1e-6 * std::fabs(k0->v_a));
            EXPECT_NEAR(k0->a_by, k0->a_b, 1e-6 * k0->a_a);
        }
    }
}

TEST(Jisuan, ScaledPolygonsAreScaledAndCentred) {
    const SynthesisResult s = dimension_synthesis(225, 1.04, 50);
    const double r = s.value.r / 1000, l = s.value.l / 1000;
    const double w1 = -2 * kPiAnalysis * 620 / 60, phi = 1.0;
    PolygonScale place{40, 0.5, 400, 450, 400, 150};
    auto plain_k = jisuan(r, l, 0.05, phi, w1);
    auto scaled = jisuan(r, l, 0.05, phi, w1, &place);
    ASSERT_TRUE(plain_k && scaled);
    EXPECT_NEAR(scaled->v_ax, 40 * plain_k->v_ax, 1e-9);
    EXPECT_NEAR(scaled->a_by, 0.5 * plain_k->a_by, 1e-9);
    EXPECT_EQ(plain_k->pole_v_x, 0);
    // Centroid of pole, a, b on the chosen centre.
    const double gx = (scaled->pole_v_x + scaled->pt_a_x + scaled->pole_v_x) / 3;
    const double gy = (scaled->pole_v_y + scaled->pt_a_y + scaled->pt_b_y) / 3;
    EXPECT_NEAR(gx, 400, 1e-9);
    EXPECT_NEAR(gy, 450, 1e-9);
    // The acceleration polygon closes: n' + tangential ends on the vertical through p'.
    EXPECT_NEAR(scaled->pole_a_y + scaled->a_by,
                scaled->pt_n_y + scaled->a_ba_ty, 1e-9);
}

TEST(Jisuan, RodThatCannotReachIsAnError) {
    EXPECT_FALSE(jisuan(0.2, 0.1, 0.05, 3.0, -10).has_value());
    EXPECT_FALSE(jisuan(0.1, 0.0, 0.05, 1.0, -10).has_value());
    EXPECT_FALSE(jisuan(0.1, 0.4, 0.05, std::nan(""), -10).has_value());
}

TEST(PerpendicularAngles, CycleAnglesOfTheDefaults) {
    const SynthesisResult s = dimension_synthesis(225, 1.04, 50);
    auto p = perpendicular_angles(s.value.r, s.value.l, 50);
    ASSERT_TRUE(p);
    const double deg = 180 / kPiAnalysis;
    EXPECT_NEAR(s.value.jd_wai - p->second * deg, 285.3 - 360, 0.05);
    EXPECT_NEAR(s.value.jd_wai - p->first * deg + 360, 436.9, 0.05);
    // At those angles crank and rod are perpendicular.
    for (double phi : {p->first, p->second}) {
        auto k = jisuan(s.value.r, s.value.l, 50, phi, -1);
        ASSERT_TRUE(k);
        EXPECT_NEAR(std::cos(phi - k->psi), 0, 1e-6);  // arccos carries the analysis pi
    }
    EXPECT_FALSE(perpendicular_angles(1, 1, 0).has_value());
}

}  // namespace
}  // namespace vm
