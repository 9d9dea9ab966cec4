// The demonstrator's crank-slider: dimensions, slider motion, dead centres and
// fastest points, checked against the default design's figures and against
// what a crank-slider must satisfy whatever its dimensions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/number_text.h"
#include "core/special_positions.h"
#include "tests/support/tolerance.h"

namespace vm::special {
namespace {

using test::near;

constexpr double kDeg = kPiSpecial / 180;

CrankSlider default_design() {
    const auto m = solve_dimensions(225, 50, 1.04);
    EXPECT_TRUE(m.has_value());
    return m.value_or(CrankSlider{});
}

double omega_at(double n) { return crank_omega(crank_step(n)); }

TEST(SpecialSolver, DefaultDesignGivesTheKnownLengths) {
    const CrankSlider m = default_design();
    EXPECT_EQ(format_00_00(m.L), "441.85");
    EXPECT_EQ(format_00_00(m.R), "111.73");
    EXPECT_TRUE(near(m.L + m.R, 553.574, 1e-5));
    EXPECT_TRUE(near(m.L - m.R, 330.120, 1e-5));
    EXPECT_EQ(m.E, 50);
}

// Whatever the design, the slider must travel H between the dead centres and
// the crank positions there must enclose the limit-position angle of K. The
// rows include offsets beyond the construction circle's centre (E > d), where
// the near arc of the circle gives a mechanism with the wrong stroke.
TEST(SpecialSolver, MechanismHasTheAskedStrokeAndRatio) {
    struct Row {
        double H, E, K;
    };
    const Row rows[] = {{225, 50, 1.04}, {400, 200, 1.2}, {100, 80, 1.5},  {100, 60, 1.5},
                        {50, 10, 1.01},  {300, 0.5, 1.3}, {225, 120, 1.1}, {10, 1, 2.5},
                        {225, 50, 1.0001}, {225, 50, 1 + 1e-9}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "H " << r.H << " E " << r.E << " K " << r.K);
        const auto m = solve_dimensions(r.H, r.E, r.K);
        ASSERT_TRUE(m.has_value());
        EXPECT_GT(m->L - m->R, r.E);
        const double y_tdc = std::sqrt((m->L + m->R) * (m->L + m->R) - r.E * r.E);
        const double y_bdc = std::sqrt((m->L - m->R) * (m->L - m->R) - r.E * r.E);
        EXPECT_TRUE(near(y_tdc - y_bdc, r.H, 1e-9));
        const double theta_lim = std::atan(y_tdc / r.E) - std::atan(y_bdc / r.E);
        EXPECT_TRUE(near(theta_lim, kPiSpecial * (r.K - 1) / (r.K + 1), 1e-9));
        // K = (180 + theta)/(180 - theta): the slow stroke over the quick one.
        EXPECT_TRUE(near((kPiSpecial + theta_lim) / (kPiSpecial - theta_lim), r.K, 1e-9));
    }
}

TEST(SpecialSolver, RejectsWhatIsNoCrankSlider) {
    struct Row {
        const char* why;
        double H, E, K;
    };
    const Row rows[] = {
        {"no quick return", 225, 50, 1},
        {"slow stroke quicker", 225, 50, 0.5},
        {"ratio zero", 225, 50, 0},
        {"no stroke", 0, 50, 1.04},
        {"no offset", 225, 0, 1.04},
        {"offset beyond the circle", 10, 200, 3},
        {"rod too short for the offset", 400, 200, 15},
        {"quick return too strong for the offset", 10, 5, 2.5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_FALSE(solve_dimensions(r.H, r.E, r.K).has_value());
    }
}

TEST(SpecialSlider, DefaultPositionsShowTheKnownFigures) {
    struct Row {
        double theta;
        const char *S, *V, *acc;
    };
    const Row rows[] = {{0, "113.80", "585.00", "-432.16"}, {30, "167.81", "475.50", "-1616.90"}};
    const CrankSlider m = default_design();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.theta);
        const auto p = slider_at(m, -r.theta * kDeg);
        ASSERT_TRUE(p.has_value());
        const SliderMotion mo = slider_motion(*p, omega_at(50));
        EXPECT_EQ(format_00_00(p->xB), "50.00");
        EXPECT_EQ(format_00_00(p->S), r.S);
        EXPECT_EQ(format_00_00(mo.V), r.V);
        EXPECT_EQ(format_00_00(mo.shown_acceleration), r.acc);
    }
    const auto p = slider_at(m, 0);
    EXPECT_EQ(format_00_00(p->xA), "111.73");
    EXPECT_EQ(format_0_00(p->yA), "0.00");
    EXPECT_EQ(format_00_00(p->yB), "437.51");
    // At the crank angle 0 the pin A moves straight down at R*omega.
    EXPECT_TRUE(near(slider_motion(*p, omega_at(50)).V, m.R * omega_at(50), 1e-12));
}

// The rod keeps its length and the pin B stays on the slider line.
TEST(SpecialSlider, JointsKeepTheRodLength) {
    const CrankSlider m = default_design();
    for (double theta = -720; theta <= 720; theta += 17.5) {
        const auto p = slider_at(m, -theta * kDeg);
        ASSERT_TRUE(p.has_value());
        EXPECT_TRUE(near(std::hypot(p->xB - p->xA, p->yB - p->yA), m.L, 1e-12));
        EXPECT_TRUE(near(std::hypot(p->xA, p->yA), m.R, 1e-12));
        EXPECT_GE(p->S, -1e-9);
        EXPECT_LE(p->S, 225 + 1e-9);
    }
}

// V and the shown acceleration must be the time derivatives of S for a crank
// turning clockwise at omega: phi = phi0 - omega*t.
TEST(SpecialSlider, VelocityAndAccelerationAreTimeDerivativesOfS) {
    struct Row {
        double H, E, K, n;
    };
    const Row designs[] = {{225, 50, 1.04, 50}, {100, 80, 1.5, 300}, {400, 10, 1.1, 1500}};
    for (const Row& d : designs) {
        const auto m = solve_dimensions(d.H, d.E, d.K);
        ASSERT_TRUE(m.has_value());
        const double w = omega_at(d.n);
        const double h = 1e-4 / w;  // seconds
        for (double theta = -90; theta <= 400; theta += 23) {
            SCOPED_TRACE(testing::Message() << "n " << d.n << " theta " << theta);
            const double phi = -theta * kDeg;
            auto S = [&](double t) { return slider_at(*m, phi - w * t)->S; };
            const SliderMotion mo = slider_motion(*slider_at(*m, phi), w);
            const double dS = (S(h) - S(-h)) / (2 * h);
            const double d2S = (S(h) - 2 * S(0) + S(-h)) / (h * h);
            EXPECT_TRUE(near(mo.V, dS, 1e-6));
            EXPECT_NEAR(mo.shown_acceleration, d2S, 1e-4 * std::max(1.0, w * w * d.H));
        }
    }
}

TEST(SpecialSlider, RodThatCannotReachTheSliderLineGivesNothing) {
    const CrankSlider bad{100, 80, 50};  // at phi = pi the rod needs 130 across
    EXPECT_FALSE(slider_at(bad, kPiSpecial).has_value());
    EXPECT_TRUE(slider_at(bad, 0).has_value());
    const CrankSlider horizontal{130, 80, 50};  // the rod lies flat at phi = pi
    EXPECT_FALSE(slider_at(horizontal, kPiSpecial).has_value());
}

TEST(SpecialPositions, DefaultSpecialAnglesAndTheirMotion) {
    const CrankSlider m = default_design();
    const double w = omega_at(50);
    struct Row {
        const char* name;
        double theta;
        const char* shown;
    };
    const Row rows[] = {{"top dead centre", top_dead_centre_theta(m), "275.18"},
                        {"bottom dead centre", bottom_dead_centre_theta(m), "98.71"},
                        {"left fastest", left_fastest_theta(m, w), "198.90"},
                        {"right fastest", right_fastest_theta(m, w), "-07.64"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(format_00_00(r.theta), r.shown);
    }
    const auto top = slider_at(m, -rows[0].theta * kDeg);
    const auto bottom = slider_at(m, -rows[1].theta * kDeg);
    const auto left = slider_at(m, -rows[2].theta * kDeg);
    const auto right = slider_at(m, -rows[3].theta * kDeg);
    EXPECT_TRUE(near(top->S, 0, 1e-9));
    EXPECT_TRUE(near(slider_motion(*top, w).V, 0, 1e-9));
    EXPECT_EQ(format_00_00(top->yB), "551.31");
    EXPECT_EQ(format_00_00(bottom->S), "225.00");
    EXPECT_TRUE(near(slider_motion(*bottom, w).V, 0, 1e-9));
    EXPECT_EQ(format_00_00(std::fabs(slider_motion(*left, w).V)), "624.81");
    EXPECT_EQ(format_00_00(std::fabs(slider_motion(*right, w).V)), "590.60");
}

// At a dead centre the slider stands still and B is as high (or low) as the
// slider ever gets; at a fastest point the slider's acceleration changes sign.
TEST(SpecialPositions, DeadCentresAndFastestPointsOfOtherDesigns) {
    struct Row {
        double H, E, K;
    };
    const Row rows[] = {{225, 50, 1.04}, {100, 80, 1.5}, {400, 10, 1.1}, {300, 150, 1.3}};
    const double w = omega_at(120);
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "H " << r.H << " E " << r.E << " K " << r.K);
        const auto m = solve_dimensions(r.H, r.E, r.K);
        ASSERT_TRUE(m.has_value());
        const auto top = slider_at(*m, -top_dead_centre_theta(*m) * kDeg);
        const auto bottom = slider_at(*m, -bottom_dead_centre_theta(*m) * kDeg);
        EXPECT_TRUE(near(top->S, 0, 1e-9));
        EXPECT_TRUE(near(bottom->S, r.H, 1e-9));
        EXPECT_TRUE(near(top->dy, 0, 1e-7));
        EXPECT_TRUE(near(bottom->dy, 0, 1e-7));

        // No angle of the searched stroke moves the slider faster; inside
        // the range the slider's acceleration changes sign there.
        struct Search {
            double theta, from, to;
        };
        const double tdc = top_dead_centre_theta(*m), bdc = bottom_dead_centre_theta(*m);
        const Search searches[] = {{left_fastest_theta(*m, w), bdc, tdc},
                                   {right_fastest_theta(*m, w), tdc - 360, bdc}};
        for (const Search& s : searches) {
            ASSERT_GE(s.theta, s.from);
            ASSERT_LE(s.theta, s.to);
            const double best = std::fabs(slider_at(*m, -s.theta * kDeg)->dy);
            for (double theta = s.from; theta <= s.to; theta += 0.05)
                EXPECT_LE(std::fabs(slider_at(*m, -theta * kDeg)->dy), best * (1 + 1e-7)) << theta;
            if (s.theta > s.from + 0.5 && s.theta < s.to - 0.5) {
                const double before = slider_at(*m, -(s.theta - 0.5) * kDeg)->ddy;
                const double after = slider_at(*m, -(s.theta + 0.5) * kDeg)->ddy;
                EXPECT_LT(before * after, 0);
            }
        }
    }
}

// The two searches against an independent scan of the whole turn: the slider
// runs down (V = dS/dt > 0) in one stroke and up in the other, so the largest
// and the most negative V over a fine grid of angles are the two fastest
// points, wherever the offset puts them.
TEST(SpecialPositions, FastestPointsAreTheFastestOfTheWholeTurn) {
    const double w = omega_at(50);
    int designs = 0;
    for (double H : {50.0, 120.0, 225.0, 400.0})
        for (double E : {10.0, 50.0, 120.0, 200.0})
            for (double K : {1.04, 1.1, 1.3, 1.8, 2.5}) {
                const auto m = solve_dimensions(H, E, K);
                if (!m) continue;
                ++designs;
                SCOPED_TRACE(testing::Message() << "H " << H << " E " << E << " K " << K);
                double down_best = 0, down_theta = 0, up_best = 0, up_theta = 0;
                for (int i = -9000; i < 9000; ++i) {
                    const double theta = i * 0.02;
                    const auto p = slider_at(*m, -theta * kDeg);
                    if (!p) continue;
                    const double V = slider_motion(*p, w).V;
                    if (V > down_best) down_best = V, down_theta = theta;
                    if (-V > up_best) up_best = -V, up_theta = theta;
                }
                struct Search {
                    const char* name;
                    double found, best, best_theta;
                };
                const Search searches[] = {{"right", right_fastest_theta(*m, w), down_best, down_theta},
                                           {"left", left_fastest_theta(*m, w), up_best, up_theta}};
                for (const Search& s : searches) {
                    SCOPED_TRACE(s.name);
                    const auto p = slider_at(*m, -s.found * kDeg);
                    ASSERT_TRUE(p.has_value());
                    const double speed = std::fabs(slider_motion(*p, w).V);
                    EXPECT_GE(speed, s.best * (1 - 1e-6));
                    const double apart = std::remainder(s.found - s.best_theta, 360.0);
                    EXPECT_LT(std::fabs(apart), 0.5) << s.found << " vs " << s.best_theta;
                }
                // The shown angles keep their conventions: the right point
                // between the top dead centre and the next bottom dead centre,
                // the left one between bottom and top dead centre.
                const double tdc = top_dead_centre_theta(*m), bdc = bottom_dead_centre_theta(*m);
                EXPECT_GE(right_fastest_theta(*m, w), tdc - 360);
                EXPECT_LE(right_fastest_theta(*m, w), bdc);
                EXPECT_GE(left_fastest_theta(*m, w), bdc);
                EXPECT_LE(left_fastest_theta(*m, w), tdc);
            }
    EXPECT_GT(designs, 40);
}

// Large offsets put the right-hand speed peak past the crank's horizontal or
// the scan's old edge; the point shown is the true peak.
TEST(SpecialPositions, LargeOffsetFastestPointsLiePastTheQuadrant) {
    struct Row {
        double H, E, K;
        double theta_lo, theta_hi;  // where the right fastest point must lie
        double speed;               // its |V| at 50 r/min, 0: not checked
    };
    const Row rows[] = {{225, 200, 1.04, 6.0, 6.4, 575.9}, {50, 200, 1.1, -89.9, 180, 0}};
    const double w = omega_at(50);
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "H " << r.H << " E " << r.E << " K " << r.K);
        const auto m = solve_dimensions(r.H, r.E, r.K);
        ASSERT_TRUE(m.has_value());
        const double theta = right_fastest_theta(*m, w);
        EXPECT_GE(theta, r.theta_lo);
        EXPECT_LE(theta, r.theta_hi);
        const double speed = std::fabs(slider_motion(*slider_at(*m, -theta * kDeg), w).V);
        if (r.speed > 0) {
            EXPECT_TRUE(near(speed, r.speed, 0.05)) << speed;
        }
        // Not the edge of a quadrant: the peak has slower neighbours on both sides.
        for (double side : {-0.5, 0.5})
            EXPECT_LT(std::fabs(slider_at(*m, -(theta + side) * kDeg)->dy),
                      std::fabs(slider_at(*m, -theta * kDeg)->dy));
    }
}

TEST(SpecialPositions, StandingCrankFindsNoFastestPoint) {
    const CrankSlider m = default_design();
    EXPECT_EQ(left_fastest_theta(m, 0), 0);
    EXPECT_EQ(right_fastest_theta(m, 0), 0);
}

TEST(SpecialPositions, AnimationStepIsTheSpeedPerTenthSecond) {
    EXPECT_TRUE(near(crank_step(50) / kDeg, 30, 1e-12));
    EXPECT_TRUE(near(crank_omega(crank_step(60)), 2 * kPiSpecial, 1e-12));
    EXPECT_EQ(crank_step(0), 0);
}


// The mechanism picture keeps its fixed layout while the mechanism fits it at
// every crank angle, and widens about the mechanism otherwise, keeping equal
// units on both axes.
TEST(SpecialView, FixedLayoutForTheDefaultsWidenedOnlyWhenNeeded) {
    constexpr double kW = 400, kH = 733;  // Picture1, px
    struct Row {
        double H, D, E, K;
        bool fitted;
    };
    const Row rows[] = {{225, 170, 50, 1.04, false}, {100, 100, 20, 1.2, false}, {10, 0, 2, 1.5, false},
                        {400, 600, 200, 1.04, true}, {225, 600, 50, 1.04, true},  {400, 170, 200, 1.5, false},
                        {225, 170, 50, 1.000001, true}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.H << " " << r.D << " " << r.E << " " << r.K);
        const auto m = solve_dimensions(r.H, r.E, r.K);
        ASSERT_TRUE(m.has_value());
        const MechanismView v = mechanism_view(*m, r.D, kW, kH);
        EXPECT_EQ(v.fitted, r.fitted);
        if (!r.fitted) {
            EXPECT_EQ(v.left, -300);
            EXPECT_EQ(v.top, 860);
            EXPECT_EQ(v.width, 600);
            EXPECT_EQ(v.height, 1100);
        } else {
            EXPECT_TRUE(near(v.width / kW, v.height / kH, 1e-12));
        }
        if (r.K == 1.04 && r.H == 225 && r.D == 170) {  // the defaults keep their centre lines
            EXPECT_EQ(v.axis_half, 200);
            EXPECT_EQ(v.guide_low, 300);
            EXPECT_EQ(v.guide_high, 850);
        }
        // Piston at both dead centres, crank circle and support inside.
        const double y_tdc = std::sqrt((m->L + m->R) * (m->L + m->R) - r.E * r.E);
        const double y_bdc = std::sqrt((m->L - m->R) * (m->L - m->R) - r.E * r.E);
        EXPECT_LE(v.left, std::min({r.E - r.D / 2, -m->R, -30.0}));
        EXPECT_GE(v.left + v.width, std::max({r.E + r.D / 2, m->R, 30.0}));
        EXPECT_GE(v.top, y_tdc + 5);
        EXPECT_LE(v.top - v.height, std::min({y_bdc - 5, -m->R, -30.0}));
        EXPECT_LE(v.guide_low, y_bdc);
        EXPECT_GE(v.guide_high, y_tdc);
        EXPECT_GE(v.axis_half, m->R);
    }
}

}  // namespace
}  // namespace vm::special
