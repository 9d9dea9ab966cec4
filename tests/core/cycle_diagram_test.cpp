// The work-cycle diagram's layout for a given K, the cursor's animation tick
// and the crank picture.
#include "core/cycle_diagram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "tests/support/tolerance.h"

namespace vm {
namespace {

constexpr CycleColour kRed = cycle_rgb(255, 0, 0);

std::vector<DiagramItem> bars_of(const CycleDiagram& d, CycleRow row) {
    std::vector<DiagramItem> out;
    for (const DiagramItem& it : d.items)
        if (it.kind == DiagramItemKind::Bar && it.row == row) out.push_back(it);
    return out;
}

// Stretches of a valve row drawn red (valve open), in crank degrees.
std::vector<std::pair<double, double>> open_stretches(const CycleDiagram& d, CycleRow row) {
    std::vector<std::pair<double, double>> out;
    for (const DiagramItem& it : d.items)
        if ((it.kind == DiagramItemKind::Bar || it.kind == DiagramItemKind::Box) && it.row == row &&
            it.colour == kRed)
            out.emplace_back(kDegreesPerUnit * it.x1, kDegreesPerUnit * it.x2);
    return out;
}

TEST(CycleDiagram, DefaultRatioLabelsThePistonRowAtItsDeadCentres) {
    const CycleDiagram d = cycle_diagram("1.04");
    ASSERT_TRUE(d.ok());
    EXPECT_TRUE(test::near(d.theta, 180 * 0.04 / 2.04, 1e-12));
    EXPECT_EQ(format_0_00(d.theta), "3.53");
    std::vector<long long> ends;
    for (const DiagramItem& bar : bars_of(d, CycleRow::Piston))
        ends.push_back(bar_end_degrees(bar.x2));
    EXPECT_EQ(ends, (std::vector<long long>{184, 360, 544, 720}));
}

TEST(CycleDiagram, EqualStrokesWhenTheRatioIsOne) {
    const CycleDiagram d = cycle_diagram("1");
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(d.theta, 0);
    for (CycleRow row : {CycleRow::Shaft, CycleRow::Piston, CycleRow::Stroke}) {
        const auto bars = bars_of(d, row);
        ASSERT_EQ(bars.size(), 4u);
        for (const DiagramItem& b : bars)
            EXPECT_EQ(b.x2 - b.x1, 90) << "row " << static_cast<int>(row);
    }
}

// Over a spread of ratios the rows stay well formed: bars follow each other
// without gaps from 0 to the row's end, sit on their row and are 20 high, the
// strokes change where the piston reaches a dead centre, and the valves open
// and close at their timing angles.
TEST(CycleDiagram, RowsAndValveTimingOverRatios) {
    for (double k : {0.5, 1.0, 1.04, 1.2, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(k);
        const CycleDiagram d = cycle_diagram(plain(k));
        ASSERT_TRUE(d.ok());
        const double theta = 180 * (k - 1) / (k + 1);
        EXPECT_TRUE(test::near(d.theta, theta, 1e-12));

        for (CycleRow row : {CycleRow::Shaft, CycleRow::Piston, CycleRow::Intake, CycleRow::Exhaust,
                             CycleRow::Stroke}) {
            const auto bars = bars_of(d, row);
            ASSERT_FALSE(bars.empty());
            EXPECT_EQ(bars.front().x1, 0);
            EXPECT_EQ(bars.back().x2, row == CycleRow::Intake ? 355 : 360);
            for (size_t i = 0; i < bars.size(); ++i) {
                EXPECT_EQ(bars[i].y1, kRowPitch * static_cast<int>(row));
                EXPECT_EQ(bars[i].y2 - bars[i].y1, kBarHeight);
                if (i > 0) {
                    EXPECT_EQ(bars[i].x1, bars[i - 1].x2);
                }
            }
        }

        const auto piston = bars_of(d, CycleRow::Piston), strokes = bars_of(d, CycleRow::Stroke);
        ASSERT_EQ(strokes.size(), piston.size());
        for (size_t i = 0; i < piston.size(); ++i) EXPECT_EQ(strokes[i].x2, piston[i].x2);
        EXPECT_TRUE(test::near(kDegreesPerUnit * piston[0].x2, 180 + theta));
        EXPECT_TRUE(test::near(kDegreesPerUnit * piston[2].x2, 540 + theta));

        const auto intake = open_stretches(d, CycleRow::Intake);
        ASSERT_EQ(intake.size(), 2u);
        EXPECT_EQ(intake[0], std::make_pair(0.0, 250.0));
        EXPECT_EQ(intake[1].first, 710);

        const auto exhaust = open_stretches(d, CycleRow::Exhaust);
        ASSERT_EQ(exhaust.size(), 2u);
        EXPECT_EQ(exhaust[0].first, 0);
        EXPECT_TRUE(test::near(exhaust[0].second, 48 + theta));
        EXPECT_TRUE(test::near(exhaust[1].first, 508 + theta));
        EXPECT_EQ(exhaust[1].second, 720);
    }
}

TEST(CycleDiagram, MainShaftQuartersShadeFromBlueToOrange) {
    const auto bars = bars_of(cycle_diagram("1.04"), CycleRow::Shaft);
    const std::vector<CycleColour> expected = {cycle_rgb(64, 120, 191), cycle_rgb(128, 120, 128),
                                               cycle_rgb(191, 120, 64), cycle_rgb(255, 120, 0)};
    ASSERT_EQ(bars.size(), expected.size());
    for (size_t i = 0; i < bars.size(); ++i) EXPECT_EQ(bars[i].colour, expected[i]) << i;
}

TEST(CycleDiagram, RatiosWithoutADiagramAreRefused) {
    using E = CycleDiagramError;
    // clang-format off
    const struct { const char* text; E error; } cases[] = {
        {"", E::NotANumber}, {"abc", E::NotANumber}, {"1.0.4", E::NotANumber}, {"1.04x", E::NotANumber},
        {"-1", E::RatioNotAboveMinusOne}, {"-3", E::RatioNotAboveMinusOne}, {"-0.9999", E::RatioOutOfRange},
        {"-0.9", E::None}, {" 2 ", E::None}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CycleDiagram d = cycle_diagram(c.text);
        EXPECT_EQ(d.error, c.error);
        EXPECT_EQ(d.items.empty(), !d.ok());
        EXPECT_EQ(cycle_diagram_message(d.error).empty(), d.ok());
        for (const DiagramItem& it : d.items)
            for (double v : {it.x1, it.y1, it.x2, it.y2}) EXPECT_TRUE(std::isfinite(v));
    }
    EXPECT_EQ(cycle_diagram_message(CycleDiagramError::NotANumber), "请输入数字");
    EXPECT_EQ(cycle_diagram_message(CycleDiagramError::RatioNotAboveMinusOne),
              "行程速比系数必须大于-1");
}

TEST(CursorTick, StepsWrapsAndStops) {
    const struct {
        int angle;
        const char* step;
        const char* rate;
        TickAction action;
        int next;
        int interval;
    } cases[] = {
        {0, "2", "50", TickAction::Advance, 2, 20},
        {720, "2", "50", TickAction::Advance, 1, 20},
        {719, "2", "50", TickAction::Advance, 0, 20},
        {718, "2", "50", TickAction::Advance, 720, 20},
        {5, "-10", "50", TickAction::Advance, 716, 20},
        {100, "2.5", "50", TickAction::Advance, 102, 20},
        {100, "3.5", "50", TickAction::Advance, 104, 20},
        {0, "2", "3", TickAction::Advance, 2, 333},
        {0, "2", "1600", TickAction::Advance, 2, 1},
        {0, "2", "4000", TickAction::Advance, 2, 0},
        {0, "2", "0.001", TickAction::Advance, 2, kLongestTickInterval},
        {0, "1442", "50", TickAction::Advance, 0, 20},
        {300, "2", "0", TickAction::Halt, 0, 0},
        {300, "2", "-5", TickAction::Halt, 0, 0},
        {300, "", "50", TickAction::Disable, 0, 0},
        {300, "2", "abc", TickAction::Disable, 0, 0},
        {300, "1e300", "50", TickAction::Disable, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << " + " << c.step << " at " << c.rate);
        const CursorTick t = cursor_tick(c.angle, c.step, c.rate);
        EXPECT_EQ(t.action, c.action);
        if (t.action != TickAction::Advance) continue;
        EXPECT_EQ(t.angle, c.next);
        EXPECT_EQ(t.interval_ms, c.interval);
    }
}

// The crank stands at top dead centre at 0, 360 and 720 and turns clockwise
// as the cursor advances; the pin marker stays centred on the pin.
TEST(CrankPicture, FollowsTheCursorClockwiseFromTopDeadCentre) {
    for (double jd_wai : {0.0, 77.3, 95.0, -30.0}) {
        for (double a : {0.0, 1.0, 90.0, 250.0, 360.0, 544.0, 720.0}) {
            SCOPED_TRACE(testing::Message() << "jd_wai " << jd_wai << " a " << a);
            const CrankPicture c = crank_picture(a, jd_wai);
            EXPECT_TRUE(test::near(std::hypot(c.pin_x, c.pin_y), kCrankRadius, 1e-12));
            EXPECT_TRUE(test::near(std::hypot(c.tdc_x, c.tdc_y), kCrankRadius, 1e-12));
            // Angle from the top-dead-centre ray to the crank, clockwise.
            const double turned = std::atan2(c.tdc_x * c.pin_y - c.tdc_y * c.pin_x,
                                             c.tdc_x * c.pin_x + c.tdc_y * c.pin_y);
            const double expected = -std::remainder(a, 360.0) * M_PI / 180;
            EXPECT_TRUE(test::near(std::remainder(turned - expected, 2 * M_PI), 0, 1e-6));
            EXPECT_TRUE(test::near(c.marker_left + 3.5, c.pin_x, 1e-12));
            EXPECT_TRUE(test::near(c.marker_top - 1.5, c.pin_y, 1e-12));
        }
    }
    const CrankPicture at_top = crank_picture(0, 90);
    EXPECT_TRUE(test::near(at_top.pin_x, 0, 1e-6));
    EXPECT_TRUE(test::near(at_top.pin_y, kCrankRadius, 1e-12));
}

}  // namespace
}  // namespace vm
