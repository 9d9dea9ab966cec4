// Force polygons from the filled force table: every member's polygon returns
// to where it began, the piston's forces lie along the axes, rows that were
// never filled leave only the weight, and angle texts pick their row.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "core/force_analysis.h"
#include "core/force_polygon.h"
#include "tests/core/force_design_fixture.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

using test::near;

class MemberPolygons : public ::testing::TestWithParam<test::DesignTexts> {
protected:
    void SetUp() override {
        state = std::make_unique<DesignState>(test::confirmed_state(GetParam()));
        ASSERT_TRUE(fill_force_table(*state));
    }
    std::unique_ptr<DesignState> state;
};

TEST_P(MemberPolygons, EveryMemberClosesAtEveryRow) {
    for (int member : {kCrank, kRod, kPiston}) {
        for (int row = 0; row < 720; row += 3) {
            double x = 0, y = 0, size = 0;
            for (const ForceStep& f : force_polygon(state->force_table, member, row, state->force)) {
                x += f.fx;
                y += f.fy;
                size += std::hypot(f.fx, f.fy);
            }
            EXPECT_LE(std::hypot(x, y), 1e-9 * (1 + size)) << "member " << member << " row " << row;
        }
    }
}

TEST_P(MemberPolygons, PistonForcesLieAlongTheAxes) {
    for (int row : {0, 90, 183, 360, 421, 540, 719}) {
        const auto steps = force_polygon(state->force_table, kPiston, row, state->force);
        ASSERT_EQ(steps.size(), 5u);
        EXPECT_EQ(steps[0].fy, 0) << "the cylinder wall pushes sideways only";
        for (size_t i : {2u, 3u, 4u}) EXPECT_EQ(steps[i].fx, 0) << steps[i].name;
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, MemberPolygons, ::testing::ValuesIn(test::kDesigns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AngleRow, WholeDegreesTiesToEvenOntoTheFilledCycle) {
    struct Case {
        const char* text;
        AngleRowError error;
        int row;
    };
    const Case cases[] = {
        {"0", AngleRowError::None, 0},          {"0.5", AngleRowError::None, 0},
        {"1.5", AngleRowError::None, 2},        {"2.5", AngleRowError::None, 2},
        {"-0.5", AngleRowError::None, 0},       {"-1.5", AngleRowError::None, 718},
        {"400", AngleRowError::None, 400},      {"720", AngleRowError::None, 0},
        {"-720", AngleRowError::None, 0},      {"720.2", AngleRowError::OutOfRange, 0},
        {"-721", AngleRowError::OutOfRange, 0}, {"1e9", AngleRowError::OutOfRange, 0},
        {"abc", AngleRowError::NotNumber, 0},   {"", AngleRowError::NotNumber, 0},
        {"12度", AngleRowError::NotNumber, 0},    {"-30", AngleRowError::None, 690},
        {"719.5", AngleRowError::None, 0},      {"719.4", AngleRowError::None, 719},
        {"-360", AngleRowError::None, 360},     {"-719.6", AngleRowError::None, 0},
    };
    for (const Case& c : cases) {
        const AngleRow r = angle_row(c.text);
        EXPECT_EQ(r.error, c.error) << c.text;
        EXPECT_EQ(r.row, c.row) << c.text;
    }
}

}  // namespace
}  // namespace vm
