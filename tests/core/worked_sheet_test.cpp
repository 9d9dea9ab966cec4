// The worked sheet prints the analysis' own figures, and the drawing check
// reads a measured length back through its scale.
#include <gtest/gtest.h>

#include "core/kinematics.h"
#include "core/number_text.h"
#include "core/worked_sheet.h"

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

}  // namespace
}  // namespace vm
