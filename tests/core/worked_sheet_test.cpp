// The worked sheet prints the analysis' own figures, and the drawing check
// reads a measured length back through its scale.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "core/force_analysis.h"
#include "core/force_polygon.h"
#include "core/kinematics.h"
#include "core/number_text.h"
#include "core/worked_sheet.h"
#include "tests/core/force_design_fixture.h"

namespace vm {
namespace {

TEST(DrawingCheck, ExactLengthsAreWithinAndALongerVectorIsOffByItsExcess) {
    const auto k = jisuan(0.05, 0.2, 0.01, 1.0, -400);
    ASSERT_TRUE(k);
    const WorkedSheet s = motion_sheet(*k, 60, 0.05, 0.2, -400, 20, 0.7, 0.17639);
    ASSERT_EQ(s.vectors.size(), 7u);
    struct Case {
        double stretch;  // measured length over the exact drawn length
        double error;
        bool within;
    };
    for (const Case c : {Case{1.0, 0.0, true}, Case{1.1, 0.1, false}, Case{0.96, 0.04, true}}) {
        std::vector<std::optional<double>> measured;
        std::vector<double> mu;
        for (size_t i = 0; i < 7; ++i) {
            measured.push_back(i == 2 ? s.vectors[i].drawn_mm * c.stretch : s.vectors[i].drawn_mm);
            mu.push_back(i < 3 ? s.mu : s.mu2);
        }
        measured[5].reset();  // an empty box is skipped
        const DrawingCheck check = check_drawing(s.vectors, measured, mu);
        ASSERT_EQ(check.lines.size(), 6u);
        EXPECT_NEAR(*check.lines[2].relative_error, c.error, 1e-9) << c.stretch;
        EXPECT_EQ(check.lines[2].within, c.within);
        if (c.stretch != 1.0) {
            EXPECT_EQ(check.lines[static_cast<size_t>(check.most_off)].name, "v_BA");
        }
        for (size_t i = 0; i < 6; ++i)
            if (i != 2) {
                EXPECT_NEAR(*check.lines[i].relative_error, 0, 1e-9);
            }
        EXPECT_NE(check.text().find("偏差最大"), std::string::npos);
    }
}

TEST(WorkedSheet, MotionFiguresAreTheAnalysisFiguresAsTheWindowPrintsThem) {
    for (double phi : {0.0, 1.0, 2.5, 4.0, 5.5}) {
        const auto k = jisuan(0.05, 0.2, 0.01, phi, -400);
        ASSERT_TRUE(k);
        const WorkedSheet s = motion_sheet(*k, 10, 0.05, 0.2, -400, 20, 0.7, 0.17639);
        for (auto [name, v] : {std::pair{"v_B = ", k->v_b}, std::pair{"v_BA = ", k->v_ba},
                               std::pair{"a_B = ", k->a_b}, std::pair{"aᵗ_BA = ", k->a_ba_t}})
            EXPECT_NE(s.text.find(std::string(name) + format_0_00(v) + " m/s"), std::string::npos) << name << phi;
        EXPECT_EQ(s.text.find("nan"), std::string::npos);
    }
}

// Over designs and crank angles: the crank-pin line multiplies the printed,
// signed omega1 by the printed crank length and gets the printed v_A (to the
// rounding of its factors), and no figure carries more digits than a student
// could use.
TEST(WorkedSheet, TheCrankPinLineMultipliesItsPrintedFactors) {
    const std::regex v_a_line(R"(v_A = ω1·l_OA = (-?[0-9.]+) × ([0-9.]+) = (-?[0-9.]+) m/s)");
    // A negative ω1 is squared in brackets, "(-64.93)²", as a student writes it.
    const std::regex a_a_line(R"(a_A = ω1²·l_OA = \((-[0-9.]+)\)² × ([0-9.]+) = (-?[0-9.]+) m/s\^2)");
    const std::regex long_fraction(R"([0-9]\.[0-9]{6,})");
    for (const test::DesignTexts& d : test::kDesigns) {
        const DesignState st = test::confirmed_state(d);
        const double r = st.qb_r / 1000, l = st.lg_l / 1000, e = val(st.hs_e) / 1000;
        const double omega1 = -val(st.qb_w) * 2 * kPiAnalysis / 60;
        for (double angle : {0.0, 60.0, 135.0, 250.0, 400.0}) {
            const auto k = jisuan(r, l, e, (st.jd_wai - std::fmod(angle, 360.0)) * kPiAnalysis / 180, omega1);
            ASSERT_TRUE(k);
            const std::string t = motion_sheet(*k, angle, r, l, omega1, 20, 0.7, 0.17639).text;
            std::smatch m;
            ASSERT_TRUE(std::regex_search(t, m, v_a_line)) << d.name << " " << angle;
            const double w = std::stod(m[1]), len = std::stod(m[2]), v = std::stod(m[3]);
            EXPECT_LT(w, 0) << "the crank turns clockwise";
            EXPECT_EQ(m[3].str(), format_0_00(k->v_a));
            EXPECT_NEAR(w * len, v, 0.006 * len + 0.00001 * std::fabs(w) + 0.005) << d.name;
            ASSERT_TRUE(std::regex_search(t, m, a_a_line)) << d.name << " " << angle;
            EXPECT_NEAR(std::stod(m[1]) * std::stod(m[1]) * std::stod(m[2]), std::stod(m[3]),
                        0.01 * std::fabs(std::stod(m[1])) * std::stod(m[2]) + 0.00001 * w * w + 0.005);
            EXPECT_FALSE(std::regex_search(t, m, long_fraction)) << m.str();
            EXPECT_EQ(t.find("同一位置") != std::string::npos, angle >= 360) << angle;
        }
    }
}

// The force sheet of each member lists every force of its polygon with the
// magnitude the table gives, splits them into known and unknown, and gives
// each one's drawn length at the reduction used.
TEST(WorkedSheet, ForceSheetListsThePolygonsForcesAndTheirDrawnLengths) {
    DesignState st = test::confirmed_state(test::kDesigns[0]);
    st.qb_r_k = st.qb_r / 1000;
    st.lg_l_k = st.lg_l / 1000;
    st.hs_e_k = val(st.hs_e) / 1000;
    st.omega1 = -val(st.qb_w) * 2 * kPiAnalysis / 60;
    ASSERT_TRUE(fill_force_table(st));
    struct Case {
        int member;
        const char* unknowns[2];
    };
    for (const Case& c : {Case{kCrank, {"R41", nullptr}}, Case{kRod, {"R32", "R12"}}, Case{kPiston, {"R43", "R23"}}})
        for (int row : {0, 60, 400, 719}) {
            const auto steps = force_polygon(st.force_table, c.member, row, st.force);
            const WorkedSheet s = force_sheet(steps, c.member, row, row, st.force_table.at(row, kMb), 250);
            ASSERT_EQ(s.vectors.size(), steps.size());
            const size_t unknown_at = s.text.find("未知力");
            ASSERT_NE(unknown_at, std::string::npos);
            for (size_t i = 0; i < steps.size(); ++i) {
                const double m = std::hypot(steps[i].fx, steps[i].fy);
                const std::string line = steps[i].name + " = " + format_0_00(m) + " N";
                const size_t at = s.text.find(line);
                ASSERT_NE(at, std::string::npos) << line;
                const bool unknown = steps[i].name == c.unknowns[0] || (c.unknowns[1] && steps[i].name == c.unknowns[1]);
                EXPECT_EQ(at > unknown_at, unknown) << steps[i].name;
                EXPECT_NEAR(s.vectors[i].drawn_mm, m / 250, 1e-9);
                EXPECT_NE(s.text.find(steps[i].name + " " + format_0_00(m / 250) + " mm"), std::string::npos);
            }
            EXPECT_EQ(s.text.find("Mb = ") != std::string::npos, c.member == kCrank);
            EXPECT_NE(s.text.find("μF = 250.0 N/mm"), std::string::npos);
        }
}

TEST(DrawingCheck, AVectorThatIsZeroHereIsJudgedByItsDrawnLength) {
    const std::vector<SheetVector> v = {{"v_B", 0, "m/s", 0}, {"v_A", 7.25, "m/s", 40}};
    struct Case {
        double measured;
        bool within;
    };
    for (const Case c : {Case{0, true}, Case{0.4, true}, Case{3, false}}) {
        const DrawingCheck check = check_drawing(v, {c.measured, 41.0}, {0.18125, 0.18125});
        ASSERT_EQ(check.lines.size(), 2u);
        EXPECT_FALSE(check.lines[0].relative_error);
        EXPECT_EQ(check.lines[0].within, c.within) << c.measured;
        EXPECT_EQ(check.lines[static_cast<size_t>(check.most_off)].name, c.within ? "v_A" : "v_B");
    }
    EXPECT_EQ(check_drawing(v, {std::nullopt, std::nullopt}, {1, 1}).most_off, -1);
    EXPECT_TRUE(check_drawing(v, {std::nullopt, std::nullopt}, {1, 1}).summary().empty());
}

}  // namespace
}  // namespace vm
