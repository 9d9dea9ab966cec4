// Cam quality checked against the profile itself: pressure angle and radius of
// curvature from finite differences of the profile coordinates, the base-radius
// search against the pressure angle it promises, jerk against the differenced
// acceleration, and the joints and warnings of known cams.
#include "core/cam_quality.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/tolerance.h"

namespace vm {
namespace {

constexpr double kRad = 3.14159265358979 / 180;

std::vector<CamInputs> accepted_grid() {
    std::vector<CamInputs> out;
    for (double h : {1.0, 4.5, 10.0})
        for (double e : {0.0, 2.5, 7.0})
            for (double r0 : {e + 0.5, 12.0, 30.0, 60.0})
                for (double rr : {1.0, 6.0, 15.0}) {
                    const CamInputs in{h, r0, e, rr};
                    if (check_cam_inputs(in) == CamInputError::None) out.push_back(in);
                }
    return out;
}

// First and second derivatives of the pitch curve by the cam angle in radians,
// by central differences of the profile's own coordinates.
struct Differenced {
    CamPoint d1, d2;
};
Differenced difference(const CamProfile& p, double delta, double step_deg) {
    const CamPoint a = p.pitch_point(delta - step_deg), b = p.pitch_point(delta),
                   c = p.pitch_point(delta + step_deg);
    const double hr = step_deg * kRad;
    return {{(c.x - a.x) / (2 * hr), (c.y - a.y) / (2 * hr)},
            {(c.x - 2 * b.x + a.x) / (hr * hr), (c.y - 2 * b.y + a.y) / (hr * hr)}};
}

double curvature_of(const Differenced& d) {
    const double t = std::hypot(d.d1.x, d.d1.y);
    return (d.d1.x * d.d2.y - d.d1.y * d.d2.x) / (t * t * t);
}

// Interior angles of every piece, kept clear of the joints by `margin` degrees.
std::vector<std::pair<CamPhase, double>> interior_angles(double margin, double step) {
    std::vector<std::pair<CamPhase, double>> out;
    for (const PhaseSpan& p : cam_phases())
        for (double d = p.from + margin; d <= p.to - margin; d += step) out.push_back({p.phase, d});
    return out;
}

TEST(CamQuality, PressureAngleIsTheLeanOfTheProfileNormalFromTheLineOfTravel) {
    for (const CamInputs& in : accepted_grid()) {
        const CamProfile profile(in);
        for (const auto& [phase, d] : interior_angles(0.01, 1.7)) {
            const Differenced t = difference(profile, d, 1e-4);
            // The line of travel points along (cos d, sin d); the normal leans from
            // it as far as the tangent leans from the quarter turn of it.
            const double along = t.d1.x * std::cos(d * kRad) + t.d1.y * std::sin(d * kRad);
            const double across = -t.d1.x * std::sin(d * kRad) + t.d1.y * std::cos(d * kRad);
            const double alpha = std::atan2(along, across) / kRad;
            EXPECT_NEAR(pressure_angle(in, phase, d), alpha, 1e-5)
                << in.h << " " << in.r0 << " " << in.e << " at " << d;
        }
    }
}

TEST(CamQuality, CurvatureOfTheTheoreticalProfileMatchesItsDifferences) {
    for (const CamInputs& in : accepted_grid()) {
        const CamProfile profile(in);
        for (const auto& [phase, d] : interior_angles(0.05, 2.3)) {
            const double k = curvature_of(difference(profile, d, 0.02));
            EXPECT_NEAR(pitch_curvature(in, phase, d), k, 2e-5 + 1e-4 * std::fabs(k))
                << in.h << " " << in.r0 << " " << in.e << " at " << d;
        }
    }
}

TEST(CamQuality, ActualProfileIsRollerRadiusLessRoundWhereConvex) {
    // The actual point lies rr along the inward normal; its curvature radius,
    // differenced from those points, is the theoretical one less rr.
    for (const CamInputs& in : accepted_grid()) {
        const CamProfile profile(in);
        auto actual = [&](double d) {
            const Differenced t = difference(profile, d, 1e-3);
            const double n = std::hypot(t.d1.x, t.d1.y);
            const CamPoint p = profile.pitch_point(d);
            return CamPoint{p.x - in.rr * t.d1.y / n, p.y + in.rr * t.d1.x / n};
        };
        for (const auto& [phase, d] : interior_angles(0.2, 6.1)) {
            const double k = pitch_curvature(in, phase, d);
            if (k <= 0 || 1 / k <= in.rr + 0.5) continue;
            const double hs = 0.1;
            const CamPoint a = actual(d - hs), b = actual(d), c = actual(d + hs);
            const double hr = hs * kRad;
            const Differenced da{
                {(c.x - a.x) / (2 * hr), (c.y - a.y) / (2 * hr)},
                {(c.x - 2 * b.x + a.x) / (hr * hr), (c.y - 2 * b.y + a.y) / (hr * hr)}};
            const double rho_actual = 1 / curvature_of(da);
            EXPECT_NEAR(rho_actual, 1 / k - in.rr, 2e-3 * (1 / k))
                << in.h << " " << in.r0 << " " << in.e << " " << in.rr << " at " << d;
        }
    }
}

TEST(CamQuality, SmallestConvexRadiusIsNoLargerThanAnyDifferencedOne) {
    for (const CamInputs& in : accepted_grid()) {
        const CamQuality q = analyse_cam(in, {});
        ASSERT_TRUE(q.convex);
        const CamProfile profile(in);
        double brute = 1e300;
        for (const auto& [phase, d] : interior_angles(0.02, 0.1)) {
            const double k = curvature_of(difference(profile, d, 0.01));
            if (k > 0) brute = std::min(brute, 1 / k);
        }
        EXPECT_LE(q.rho_min.value, brute * (1 + 1e-4)) << in.h << " " << in.r0 << " " << in.e;
        EXPECT_GE(q.rho_min.value, brute * (1 - 2e-3)) << in.h << " " << in.r0 << " " << in.e;
        // The reported angle is where that radius is found: just beside it on
        // one side or the other, since it may be the end of a piece.
        double beside = 1e300;
        for (double side : {-0.02, 0.02}) {
            const double k = curvature_of(difference(profile, q.rho_min.delta + side, 0.01));
            if (k > 0) beside = std::min(beside, std::fabs(1 / k - q.rho_min.value));
        }
        EXPECT_LT(beside, 2e-3 * q.rho_min.value) << q.rho_min.delta;
        EXPECT_DOUBLE_EQ(q.rho_actual_min.value, q.rho_min.value - in.rr);
        EXPECT_EQ(q.undercut, q.rho_min.value <= in.rr);
    }
}

TEST(CamQuality, SuggestedBaseRadiusJustMeetsTheLimit) {
    const struct {
        CamPhase phase;
        double limit;
    } limits[] = {{CamPhase::Rise, 30},   {CamPhase::Rise, 10},   {CamPhase::Rise, 60},
                  {CamPhase::Return, 70}, {CamPhase::Return, 30}, {CamPhase::Return, 45}};
    for (const auto& l : limits)
        for (double h : {1.0, 6.0, 10.0})
            for (double e : {0.0, 3.0, 7.0}) {
                const double r0 = smallest_base_radius(h, e, l.phase, l.limit);
                ASSERT_TRUE(std::isfinite(r0));
                ASSERT_GE(r0, e);
                const Extreme at = largest_pressure_angle({h, r0 + 1e-7, e, 1}, l.phase);
                EXPECT_LE(at.value, l.limit + 1e-7) << h << " " << e << " " << l.limit;
                if (r0 - 0.01 > e) {
                    const Extreme below = largest_pressure_angle({h, r0 - 0.01, e, 1}, l.phase);
                    EXPECT_GT(below.value, l.limit) << h << " " << e << " " << l.limit;
                }
            }
}

TEST(CamQuality, BaseRadiusClearOfUndercutJustClearsTheRoller) {
    for (double h : {1.0, 10.0})
        for (double e : {0.0, 7.0})
            for (double rr : {1.0, 8.0, 15.0}) {
                const double r0 = smallest_base_radius_for_roller(h, e, rr);
                ASSERT_TRUE(std::isfinite(r0));
                EXPECT_FALSE(analyse_cam({h, r0 + 1e-6, e, rr}, {}).undercut)
                    << h << " " << e << " " << rr;
                if (r0 - 0.01 > std::max(e, rr)) {
                    EXPECT_TRUE(analyse_cam({h, r0 - 0.01, e, rr}, {}).undercut)
                        << h << " " << e << " " << rr;
                }
            }
}

TEST(CamQuality, LimitsExceededExactlyWhenTheBaseCircleIsBelowTheSuggestion) {
    for (const CamInputs& in : accepted_grid()) {
        const PressureAngleLimits limits{30, 70};
        const CamQuality q = analyse_cam(in, limits);
        EXPECT_EQ(q.rise_exceeded, in.r0 < q.r0_rise - 1e-9) << in.h << " " << in.r0 << " " << in.e;
        EXPECT_EQ(q.return_exceeded, in.r0 < q.r0_return - 1e-9)
            << in.h << " " << in.r0 << " " << in.e;
        EXPECT_EQ(pressure_warning(q, limits).empty(), !q.rise_exceeded && !q.return_exceeded);
    }
}

TEST(CamQuality, JerkIsTheRateOfTheLawsAcceleration) {
    for (double h : {1.0, 10.0}) {
        const FollowerMotion m{h};
        for (const auto& [phase, d] : interior_angles(0.01, 0.9)) {
            const double hs = 1e-3;
            const double fd = (m.acceleration(d + hs) - m.acceleration(d - hs)) / (2 * hs * kRad) *
                              FollowerMotion::kOmega;
            EXPECT_NEAR(follower_jerk(m, phase, d), fd, 1e-4 * std::max(1.0, std::fabs(fd))) << d;
        }
    }
}

TEST(CamQuality, ConstantVelocityRiseIsListedAsTwoRigidImpulses) {
    for (const CamInputs& in : {CamInputs{}, CamInputs{1, 20, 0, 5}, CamInputs{10, 16, 0, 15}}) {
        const CamQuality q = analyse_cam(in, {});
        const FollowerMotion m{in.h};
        ASSERT_EQ(q.joints.size(), 2u);
        const double v = m.velocity(30);
        // The rise starts with a jump up to its velocity and ends with one back to rest.
        EXPECT_EQ(q.joints[0].delta, 0);
        EXPECT_TRUE(test::near(q.joints[0].dv, v));
        EXPECT_EQ(q.joints[1].delta, 60);
        EXPECT_TRUE(test::near(q.joints[1].dv, -v));
        for (const LawJoint& j : q.joints) {
            EXPECT_TRUE(j.rigid());
            EXPECT_EQ(j.da, 0);
        }
        // The profile turns outward (concave) where the rise leaves the base
        // circle and inward (convex) where it reaches the far dwell; only the
        // convex corner is cut by the roller.
        EXPECT_LT(q.joints[0].corner, 0);
        EXPECT_EQ(q.joints[0].rounding, 0);
        EXPECT_GT(q.joints[1].corner, 0);
        const double half = q.joints[1].corner / 2 * kRad;
        EXPECT_TRUE(test::near(q.joints[1].rounding, in.rr / std::cos(half) - in.rr));
        // Jerk is finite everywhere else and largest where the cycloidal return starts or ends.
        EXPECT_TRUE(q.jerk_max.delta == 70 || q.jerk_max.delta == 140) << q.jerk_max.delta;
        const double fd = std::fabs(m.acceleration(70.001) - m.acceleration(70)) / (0.001 * kRad);
        EXPECT_NEAR(q.jerk_max.value, fd, 1e-3 * fd);
    }
}

TEST(CamQuality, UndercutWarningsForKnownCams) {
    const struct {
        CamInputs in;
        bool undercut;
        const char* text;
    } cases[] = {
        {{10, 60, 5, 10}, false, ""},
        {{10, 16, 0, 15}, true, "< 滚子半径 15.00 mm"},
        {{10, 16, 0, 5}, false, ""},
        {{10, 12, 7, 11}, true, "实际轮廓在 δ = "},
    };
    for (const auto& c : cases) {
        const CamQuality q = analyse_cam(c.in, {});
        EXPECT_EQ(q.undercut, c.undercut)
            << c.in.r0 << " " << c.in.rr << " rho " << q.rho_min.value;
        const std::string w = undercut_warning(q, c.in.rr);
        EXPECT_EQ(w.empty(), !c.undercut);
        EXPECT_NE(w.find(c.text), std::string::npos) << w;
        if (c.undercut) {
            EXPECT_NE(w.find("处出现尖点或失真，ρmin = "), std::string::npos) << w;
            EXPECT_LE(q.rho_actual_min.value, 0);
        }
    }
}

TEST(CamQuality, EveryFigureIsFiniteForEveryAcceptedCam) {
    std::vector<CamInputs> cams = accepted_grid();
    // The edges of the accepted ranges: base circle just above the offset, roller just below the
    // base.
    cams.push_back({10, 7.001, 7, 1});
    cams.push_back({10, 1.001, 0, 1});
    cams.push_back({1, 15.001, 0, 15});
    for (const PressureAngleLimits limits :
         {PressureAngleLimits{}, PressureAngleLimits{1, 1}, PressureAngleLimits{89, 89}})
        for (const CamInputs& in : cams) {
            const CamQuality q = analyse_cam(in, limits);
            ASSERT_GT(q.curve.size(), 1440u);
            EXPECT_EQ(q.curve.front().delta, 0);
            EXPECT_EQ(q.curve.back().delta, 360);
            for (const QualityPoint& p : q.curve) {
                ASSERT_TRUE(std::isfinite(p.alpha) && std::isfinite(p.curvature) &&
                            std::isfinite(p.jerk))
                    << p.delta;
                ASSERT_LT(std::fabs(p.alpha), 90);
            }
            for (double v : {q.alpha_rise.value, q.alpha_return.value, q.rho_min.value,
                             q.jerk_max.value, q.r0_rise, q.r0_return})
                EXPECT_TRUE(std::isfinite(v)) << in.r0 << " " << in.e;
            for (const std::string& w : {undercut_warning(q, in.rr), pressure_warning(q, limits)}) {
                EXPECT_EQ(w.find("nan"), std::string::npos) << w;
                EXPECT_EQ(w.find("inf"), std::string::npos) << w;
            }
        }
}

TEST(CamQuality, LimitChecksAndAxisSteps) {
    const struct {
        double rise, ret;
        LimitError error;
    } limits[] = {{30, 70, LimitError::None},  {1, 89, LimitError::None},
                  {0.5, 70, LimitError::Rise}, {90, 70, LimitError::Rise},
                  {30, 0, LimitError::Return}, {30, NAN, LimitError::Return},
                  {-5, 95, LimitError::Rise}};
    for (const auto& l : limits)
        EXPECT_EQ(check_limits({l.rise, l.ret}), l.error) << l.rise << " " << l.ret;
    EXPECT_EQ(limit_message(LimitError::Return), "请输入1～89之间的回程许用压力角");
    const struct {
        double span;
        int ticks;
        double step;
    } steps[] = {{90, 6, 20}, {360, 6, 100}, {216.5, 4, 100}, {1, 5, 0.2}, {0, 5, 1}, {150, 5, 50}};
    for (const auto& s : steps) EXPECT_DOUBLE_EQ(axis_step(s.span, s.ticks), s.step) << s.span;
}

}  // namespace
}  // namespace vm
