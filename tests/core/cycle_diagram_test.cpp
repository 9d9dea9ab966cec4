// The work-cycle diagram's layout for a given K, the cursor's animation tick
// and the crank picture.
#include "core/cycle_diagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
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
    for (double k : {1.0, 1.0001, 1.04, 1.2, 1.5, 2.0, 2.5, 2.9999, 3.0}) {
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
                // The painted box (to x2 - 2) runs forwards, never back over its neighbour.
                EXPECT_GT(bars[i].x2 - 2, bars[i].x1) << "row " << static_cast<int>(row) << " bar " << i;
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
        {"nan", E::NotANumber}, {"1e999", E::NotANumber},
        // Below 1 the bars would run backwards; 3 and more has no crank-slider.
        {"-1", E::RatioOutOfRange}, {"-3", E::RatioOutOfRange}, {"-0.9999", E::RatioOutOfRange},
        {"-0.9", E::RatioOutOfRange}, {"0", E::RatioOutOfRange}, {"0.5", E::RatioOutOfRange},
        {"0.999999", E::RatioOutOfRange}, {"3.000001", E::RatioOutOfRange}, {"1e300", E::RatioOutOfRange},
        {"-1e300", E::RatioOutOfRange},
        {"1", E::None}, {" 2 ", E::None}, {"3", E::None}};
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
    EXPECT_EQ(cycle_diagram_message(CycleDiagramError::RatioOutOfRange), "行程速比系数必须在1到3之间");
}

// Each row name reads top to bottom: a name on two lines has its first part
// above the second (y grows upward) at the same left edge.
TEST(CycleDiagram, RowNamesReadInOrder) {
    const CycleDiagram d = cycle_diagram("1.04");
    // clang-format off
    const struct { CycleRow row; std::vector<std::string> lines; } names[] = {
        {CycleRow::Shaft, {"主轴转过角度"}}, {CycleRow::Piston, {"活塞位置"}}, {CycleRow::Intake, {"进气门开关"}},
        {CycleRow::Exhaust, {"排气门开关"}}, {CycleRow::Stroke, {"内燃机", "工作状态"}}};
    // clang-format on
    for (const auto& n : names) {
        SCOPED_TRACE(n.lines.front());
        std::vector<const DiagramItem*> left;  // the texts left of the bars, top first
        for (const DiagramItem& it : d.items)
            if (it.kind == DiagramItemKind::Text && it.row == n.row && it.x1 < 0) left.push_back(&it);
        std::sort(left.begin(), left.end(), [](auto* a, auto* b) { return a->y1 > b->y1; });
        ASSERT_EQ(left.size(), n.lines.size());
        for (size_t i = 0; i < left.size(); ++i) {
            EXPECT_EQ(left[i]->text, n.lines[i]);
            EXPECT_EQ(left[i]->x1, -95);
        }
    }
}

TEST(CursorTick, StepsWrapsAndStops) {
    using P = AnimationProblem;
    const struct {
        int angle;
        const char* step;
        const char* rate;
        TickAction action;
        int next;
        int interval;
        P problem;
    } cases[] = {
        {0, "2", "50", TickAction::Advance, 2, 20, P::None},
        {720, "2", "50", TickAction::Advance, 1, 20, P::None},
        {719, "2", "50", TickAction::Advance, 0, 20, P::None},
        {718, "2", "50", TickAction::Advance, 720, 20, P::None},
        {5, "-10", "50", TickAction::Advance, 716, 20, P::None},
        {100, "2.5", "50", TickAction::Advance, 102, 20, P::None},
        {100, "3.5", "50", TickAction::Advance, 104, 20, P::None},
        {100, "0.6", "50", TickAction::Advance, 101, 20, P::None},
        {100, "720", "50", TickAction::Advance, 99, 20, P::None},
        {0, "2", "3", TickAction::Advance, 2, 333, P::None},
        {0, "2", "1600", TickAction::Advance, 2, 1, P::None},
        // Faster than the timer can tick: as fast as it can, not an interval of 0 that never fires.
        {0, "2", "4000", TickAction::Advance, 2, 1, P::None},
        {0, "2", "1e300", TickAction::Advance, 2, 1, P::None},
        {0, "2", "0.001", TickAction::Advance, 2, kLongestTickInterval, P::None},
        {300, "2", "0", TickAction::Halt, 0, 0, P::None},
        {300, "2", "-5", TickAction::Disable, 0, 0, P::RateNotPositive},
        {300, "", "50", TickAction::Disable, 0, 0, P::StepNotANumber},
        {300, "2", "abc", TickAction::Disable, 0, 0, P::RateNotANumber},
        {300, "abc", "0", TickAction::Disable, 0, 0, P::StepNotANumber},
        {300, "1e300", "50", TickAction::Disable, 0, 0, P::StepTooLarge},
        // Steps that would hold the rounded cursor still.
        {300, "0", "50", TickAction::Disable, 0, 0, P::StepStandsStill},
        {300, "0.5", "50", TickAction::Disable, 0, 0, P::StepStandsStill},
        {301, "-0.5", "50", TickAction::Disable, 0, 0, P::StepStandsStill},
        {300, "0.3", "50", TickAction::Disable, 0, 0, P::StepStandsStill},
        {0, "1442", "50", TickAction::Disable, 0, 0, P::StepWholeTurns},
        {0, "720.6", "50", TickAction::Disable, 0, 0, P::StepWholeTurns},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.angle << " + " << c.step << " at " << c.rate);
        const CursorTick t = cursor_tick(c.angle, c.step, c.rate);
        EXPECT_EQ(t.action, c.action);
        EXPECT_EQ(t.problem, c.problem);
        if (t.action == TickAction::Disable) {
            EXPECT_FALSE(animation_message(t.problem).empty());
            const bool step_box = std::string(c.step) != "2";
            EXPECT_EQ(is_step_problem(t.problem), step_box);
        }
        if (t.action != TickAction::Advance) continue;
        EXPECT_EQ(t.angle, c.next);
        EXPECT_EQ(t.interval_ms, c.interval);
    }
}

// Whatever step "运动" accepts moves the cursor on every tick from every angle,
// and every step it refuses as standing still does hold the cursor at some angle,
// so the check neither lets a frozen animation run nor refuses a moving one.
TEST(AnimationStart, AcceptedStepsAlwaysMoveTheCursor) {
    // Steps from -1500 to 1500 in twentieths of a degree, with the edges of the
    // refusal (half a degree either side of 0, 721 and 1442) among them.
    std::vector<double> steps;
    for (int i = -30000; i <= 30000; i += 37) steps.push_back(i / 20.0);
    for (double edge : {0.0, 721.0, -721.0, 1442.0})
        for (double d : {-0.55, -0.5, -0.45, 0.0, 0.45, 0.5, 0.55}) steps.push_back(edge + d);
    std::vector<int> angles;  // both ends of the scale and both parities
    for (int a = 0; a <= 720; a += (a < 12 || a > 708 || (a > 354 && a < 366)) ? 1 : 41) angles.push_back(a);
    for (double step : steps) {
        const std::string text = plain(step);
        SCOPED_TRACE(text);
        const AnimationStart start = animation_start(text, "50");
        ASSERT_TRUE(start.ok() || start.problem == AnimationProblem::StepStandsStill ||
                    start.problem == AnimationProblem::StepWholeTurns);
        bool some_stand_still = false;
        for (int a : angles) {
            const CursorTick t = cursor_tick(a, text, "50");
            ASSERT_EQ(t.action == TickAction::Advance, start.ok());
            if (start.ok()) {
                ASSERT_NE(t.angle, a) << "from " << a;
                ASSERT_GE(t.angle, 0);
                ASSERT_LE(t.angle, 720);
            } else {
                long long next = *vb_mod(a + step, 721);  // the tick's own arithmetic, unchecked
                if (next < 0) next += 721;
                some_stand_still |= next == a;
            }
        }
        if (!start.ok()) {
            EXPECT_TRUE(some_stand_still);
        }
    }
    // "运动" refuses the 0 that only halts ticks.
    EXPECT_EQ(animation_start("2", "0").problem, AnimationProblem::RateNotPositive);
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
