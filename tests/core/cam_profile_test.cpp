// Cam profiles: the default figures, the centred follower, and, over a grid of accepted inputs, that the outline is
// one closed curve and every actual point sits rr along the pitch normal.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/cam_motion.h"
#include "core/cam_profile.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

using test::near;

TEST(CamProfile, DefaultFigures) {
    const CamProfile p(CamInputs{10, 60, 5, 10});
    EXPECT_TRUE(near(p.s0(), 59.791, 1e-5));
    ASSERT_EQ(p.samples().size(), 29u);
    EXPECT_EQ(p.samples().front().delta, 0);
    EXPECT_EQ(p.samples().back().delta, 140);
    const CamPoint first = p.samples().front().pitch;
    EXPECT_TRUE(near(first.x, 59.791, 1e-5));
    EXPECT_TRUE(near(first.y, 5, 1e-12));
    EXPECT_TRUE(near(std::atan2(first.y, first.x), 0.0834, 1e-3));

    const double far_pitch = std::hypot(p.s0() + 10, 5);
    struct Case {
        bool actual;
        double near_radius, far_radius;
    };
    for (const Case& c : {Case{false, 60, far_pitch}, Case{true, 50, far_pitch - 10}}) {
        const std::vector<OutlinePiece> o = p.outline(c.actual);
        ASSERT_EQ(o.size(), c.actual ? 5u : 4u);
        ASSERT_TRUE(o[1].is_arc && o[3].is_arc);
        EXPECT_TRUE(near(o[1].radius, c.far_radius, 1e-9)) << c.actual;
        EXPECT_TRUE(near(o[3].radius, c.near_radius, 1e-9)) << c.actual;
        EXPECT_EQ(o[0].points.size(), 13u);
        EXPECT_EQ(o[2].points.size(), 15u);
    }
}

TEST(CamProfile, CentredFollowerLiesOnTheRadiusLine) {
    const CamInputs in{8, 40, 0, 6};
    const CamProfile p(in);
    EXPECT_EQ(p.s0(), 40);
    const FollowerMotion m{8};
    for (const ProfileSample& s : p.samples()) {
        const double r = 40 + m.lift(s.delta);
        EXPECT_TRUE(near(s.pitch.x, r * std::cos(cam_radians(s.delta)), 1e-12)) << s.delta;
        EXPECT_TRUE(near(s.pitch.y, r * std::sin(cam_radians(s.delta)), 1e-12)) << s.delta;
    }
}

// Accepted inputs from small cams (where the polar angles leave the right half
// plane) to the largest.
std::vector<CamInputs> input_grid() {
    std::vector<CamInputs> grid;
    for (double h : {1.0, 4.5, 10.0})
        for (double r0 : {1.5, 3.0, 8.0, 19.0, 35.0, 60.0})
            for (double e : {0.0, 1.0, 2.5, 7.0})
                for (double rr : {1.0, 2.5, 6.0, 15.0}) {
                    const CamInputs in{h, r0, e, rr};
                    if (check_cam_inputs(in) == CamInputError::None) grid.push_back(in);
                }
    return grid;
}

TEST(CamProfile, OutlineIsOneClosedCurveForEveryAcceptedInput) {
    const std::vector<CamInputs> grid = input_grid();
    ASSERT_GT(grid.size(), 100u);
    for (const CamInputs& in : grid) {
        const CamProfile p(in);
        for (bool actual : {false, true}) {
            const std::vector<OutlinePiece> o = p.outline(actual);
            for (size_t i = 0; i < o.size(); ++i) {
                const CamPoint a = o[i].end(), b = o[(i + 1) % o.size()].start();
                EXPECT_LT(std::hypot(a.x - b.x, a.y - b.y), 1e-3)
                    << "piece " << i << (actual ? " actual" : " theory") << " h " << in.h << " r0 " << in.r0
                    << " e " << in.e << " rr " << in.rr;
            }
            // The dwell arcs turn with the cam: 10 degrees far, 220 degrees near.
            EXPECT_TRUE(near(o[1].sweep, cam_radians(10), 1e-9)) << in.r0 << " " << in.e;
            EXPECT_TRUE(near(o[3].sweep, cam_radians(220), 1e-9)) << in.r0 << " " << in.e;
        }
    }
}

TEST(CamProfile, ActualPointsSitRollerRadiusInsideAlongTheNormal) {
    for (const CamInputs& in : input_grid()) {
        const CamProfile p(in);
        for (const ProfileSample& s : p.samples()) {
            const double dx = s.actual.x - s.pitch.x, dy = s.actual.y - s.pitch.y;
            EXPECT_TRUE(near(std::hypot(dx, dy), in.rr, 1e-9)) << s.delta;
            // Tangent by differences of the pitch curve; one-sided at the
            // corners (0 and 60 degrees) on the side the profile takes there.
            const double step = 1e-6;
            const bool corner = s.delta == 0 || s.delta == 60;
            const CamPoint ahead = p.pitch_point(s.delta + step);
            const CamPoint behind = corner ? s.pitch : p.pitch_point(s.delta - step);
            const double tx = ahead.x - behind.x, ty = ahead.y - behind.y;
            EXPECT_LT(std::fabs(dx * tx + dy * ty) / (in.rr * std::hypot(tx, ty)), 1e-4)
                << "not along the normal at " << s.delta << " r0 " << in.r0 << " e " << in.e;
            // On the left of the counter-clockwise pitch curve: inside, on the cam.
            EXPECT_GT(tx * dy - ty * dx, 0) << s.delta;
        }
    }
}

}  // namespace
}  // namespace vm
