#include <gtest/gtest.h>

#include <cmath>

#include "core/cam_motion.h"
#include "core/cam_profile.h"
#include "core/cam_quality.h"
#include "core/course_tables.h"
#include "core/force_analysis.h"
#include "core/torque_energy.h"
#include "force_design_fixture.h"

using namespace vm;

namespace {

double cell(const CsvTable& t, std::size_t row, std::size_t col) { return *to_number(t.rows.at(row).at(col)); }

void expect_rectangular(const CsvTable& t, std::size_t rows, const char* what) {
    ASSERT_EQ(t.rows.size(), rows) << what;
    for (const auto& r : t.rows) {
        ASSERT_EQ(r.size(), t.header.size()) << what;
        for (const auto& f : r) ASSERT_TRUE(to_number(f)) << what << ": " << f;
    }
    for (const auto& h : t.header) EXPECT_NE(h.find('('), std::string::npos) << what << " header without unit: " << h;
}

}  // namespace

TEST(CsvText, ByteOrderMarkQuotingAndLineEnds) {
    struct Case {
        std::string field, written;
    } cases[] = {{"12.5", "12.5"}, {"a,b", "\"a,b\""}, {"说\"明\"", "\"说\"\"明\"\"\""}, {"两\n行", "\"两\n行\""}, {"", ""}};
    for (const Case& c : cases) {
        const std::string text = csv_text(CsvTable{{"h"}, {{c.field}}});
        EXPECT_EQ(text, "\xEF\xBB\xBFh\r\n" + c.written + "\r\n") << c.field;
    }
}

class CourseTables : public ::testing::TestWithParam<test::DesignTexts> {};

// The tables hold the core's own numbers, and the numbers agree with each other.
TEST_P(CourseTables, TablesAgreeWithTheAnalysis) {
    DesignState s = test::confirmed_state(GetParam());
    ASSERT_TRUE(fill_force_table(s));
    const auto kin = kinematics_table(s);
    ASSERT_TRUE(kin);
    expect_rectangular(*kin, 720, "kinematics");
    const CsvTable force = force_table_csv(s.force_table);
    expect_rectangular(force, 720, "force");
    const double m3 = val(s.hs_g) / kGravity;
    double largest_stroke = 0;
    for (std::size_t i = 0; i < 720; ++i) {
        EXPECT_EQ(cell(force, i, 0), double(i));
        EXPECT_EQ(force.rows[i][1 + kMb], plain(s.force_table.at(int(i), kMb)));
        // The piston's inertia force is −m3 a_B at the same position.
        EXPECT_NEAR(cell(force, i, 1 + kFI3), -m3 * cell(*kin, i, 5), 1e-6 * (1 + std::abs(cell(force, i, 1 + kFI3))));
        largest_stroke = std::max(largest_stroke, cell(*kin, i, 3));
    }
    // From the extended dead centre the piston travels the whole stroke and no further.
    EXPECT_NEAR(cell(*kin, 0, 3), 0, 1e-9);
    EXPECT_NEAR(largest_stroke, val(s.hs_h), 0.01 * val(s.hs_h));

    const auto fig = torque_figures(s.force_table, val(s.qb_w), 0.01);
    ASSERT_TRUE(fig);
    const CsvTable torque = torque_energy_table(*fig);
    expect_rectangular(torque, 721, "torque");
    double e_max = -1e300, e_min = 1e300;
    for (std::size_t i = 1; i < 721; ++i) {
        e_max = std::max(e_max, cell(torque, i, 4));
        e_min = std::min(e_min, cell(torque, i, 4));
    }
    EXPECT_NEAR(e_max - e_min, fig->energy.dw_max, 1e-9 * (1 + fig->energy.dw_max));
    EXPECT_NEAR(cell(torque, 720, 4), fig->energy.e_run, 1e-9 * (1 + std::abs(fig->energy.e_run)));
}

INSTANTIATE_TEST_SUITE_P(Designs, CourseTables, ::testing::ValuesIn(test::kDesigns));

TEST(CourseTables, FollowerAndProfileTables) {
    for (const CamInputs in : {CamInputs{}, CamInputs{4, 30, 0, 5}, CamInputs{10, 16, 7, 15}}) {
        const CsvTable motion = follower_motion_table(FollowerMotion{in.h});
        expect_rectangular(motion, 361, "motion");
        EXPECT_DOUBLE_EQ(cell(motion, 60, 1), in.h);
        EXPECT_DOUBLE_EQ(cell(motion, 200, 1), 0);
        const CamProfile profile(in);
        const CsvTable coords = cam_profile_table(profile);
        expect_rectangular(coords, 360, "profile");
        for (std::size_t d = 0; d < 360; ++d) {
            // The actual profile lies one roller radius from the theoretical one,
            // and the theoretical point is the roller centre at lift s.
            EXPECT_NEAR(std::hypot(cell(coords, d, 3) - cell(coords, d, 1), cell(coords, d, 4) - cell(coords, d, 2)),
                        in.rr, 1e-9);
            const double radius = std::hypot(cell(coords, d, 1), cell(coords, d, 2));
            const double s0 = std::sqrt(in.r0 * in.r0 - in.e * in.e);
            EXPECT_NEAR(radius, std::hypot(s0 + cell(motion, d, 1), in.e), 1e-9);
        }
        // The stored samples are the table's rows at their angles.
        for (const ProfileSample& s : profile.samples()) {
            EXPECT_NEAR(s.actual.x, cell(coords, std::size_t(s.delta), 3), 1e-9);  // 15 digits
        }
    }
}

// The quality table carries the check's own curve, whose extremes come within
// a hair of the check's refined ones and never beyond them.
TEST(CourseTables, CamQualityTableHoldsTheCheckedCurve) {
    for (const CamInputs in : {CamInputs{}, CamInputs{10, 16, 0, 15}, CamInputs{4, 30, 7, 5}}) {
        const CamQuality q = analyse_cam(in, PressureAngleLimits{});
        const CsvTable t = cam_quality_table(q, in.rr);
        ASSERT_EQ(t.rows.size(), q.curve.size());
        double largest_alpha = 0, smallest_rho = 1e300;
        for (std::size_t i = 0; i < t.rows.size(); ++i) {
            const auto& row = t.rows[i];
            ASSERT_EQ(row.size(), t.header.size());
            EXPECT_NEAR(*to_number(row[0]), q.curve[i].delta, 1e-9);
            if (q.curve[i].phase == CamPhase::Rise) largest_alpha = std::max(largest_alpha, std::fabs(*to_number(row[1])));
            if (!row[2].empty() && *to_number(row[2]) > 0) {
                smallest_rho = std::min(smallest_rho, *to_number(row[2]));
                EXPECT_NEAR(*to_number(row[3]), *to_number(row[2]) - in.rr, 1e-9);
            }
        }
        EXPECT_LE(largest_alpha, std::fabs(q.alpha_rise.value) + 1e-9);
        EXPECT_NEAR(largest_alpha, std::fabs(q.alpha_rise.value), 1e-3 * std::fabs(q.alpha_rise.value));
        if (q.convex) {
            EXPECT_GE(smallest_rho, q.rho_min.value - 1e-9);
            EXPECT_NEAR(smallest_rho, q.rho_min.value, 1e-3 * q.rho_min.value);
        }
    }
}
