// Layout of the work-cycle diagram, the cursor's animation tick and the crank
// picture of the work-cycle window.
#include "core/cycle_diagram.h"

#include <algorithm>
#include <cmath>

#include "core/kinematics.h"
#include "core/number_text.h"

namespace vm {

namespace {

// The work-cycle window turns degrees into radians with the analysis windows'
// pi, so its top dead centre agrees with theirs to the last digit.
constexpr double kPiCycle = kPiAnalysis;

// Limit-position angle in degrees; K must not be -1.
double limit_position_angle(double k) {
    return 180 * (k - 1) / (k + 1);
}

double row_base(CycleRow row) {
    return kRowPitch * static_cast<int>(row);
}

class Builder {
  public:
    explicit Builder(std::vector<DiagramItem>& items) : items_(items) {}

    void bar(CycleRow row, double x1, double x2, CycleColour colour, const char* label = "") {
        const double y = row_base(row);
        items_.push_back({DiagramItemKind::Bar, row, x1, y, x2, y + kBarHeight, colour, label, 0});
    }
    void text(CycleRow row, double x, double y, const char* caption) {
        items_.push_back({DiagramItemKind::Text, row, x, y, x, y, 0, caption, 0});
    }
    void number(CycleRow row, double x, double y, double value) {
        items_.push_back({DiagramItemKind::Number, row, x, y, x, y, 0, "", value});
    }
    void box(CycleRow row, double x1, double y1, double x2, double y2, CycleColour colour) {
        items_.push_back({DiagramItemKind::Box, row, x1, y1, x2, y2, colour, "", 0});
    }

  private:
    std::vector<DiagramItem>& items_;
};

void lay_out(double theta, std::vector<DiagramItem>& items) {
    Builder b(items);
    const double half = theta / 2;

    // Main shaft: four quarter turns shading from blue to orange.
    b.text(CycleRow::Shaft, -95, 15, "主轴转过角度");
    for (int i = 1; i <= 4; ++i) {
        const auto r = static_cast<int>(cint(255.0 * i / 4));
        const auto blue = static_cast<int>(cint(255 - 255.0 * i / 4));
        b.bar(CycleRow::Shaft, 90.0 * (i - 1), 90.0 * i, cycle_rgb(r, 120, blue));
    }
    b.text(CycleRow::Shaft, 0, 0, "0");

    // Piston: top dead centre at 0, 360, 720 deg, bottom dead centre theta
    // after each half of the cycle, because the offset makes the down stroke
    // the longer one.
    const CycleColour up = cycle_rgb(50, 100, 50), down = cycle_rgb(100, 0, 100);
    b.text(CycleRow::Piston, -95, 115, "活塞位置");
    b.bar(CycleRow::Piston, 0, 90 + half, up, "最高点");
    b.bar(CycleRow::Piston, 90 + half, 180, down, "最低点");
    b.bar(CycleRow::Piston, 180, 270 + half, up, "最高点");
    b.bar(CycleRow::Piston, 270 + half, 360, down, "最低点");
    b.text(CycleRow::Piston, 340, 140, "最高点");

    // Intake valve: open to 250 deg, opening again 10 deg before the next top
    // dead centre (710 deg), which the short mark at the row's end shows.
    const CycleColour open = cycle_rgb(255, 0, 0), shut = cycle_rgb(0, 0, 0);
    b.text(CycleRow::Intake, -95, 215, "进气门开关");
    b.bar(CycleRow::Intake, 0, 125, open, "开");
    b.bar(CycleRow::Intake, 125, 355, shut, "关");
    b.box(CycleRow::Intake, 355, 200, 358, 220, open);
    b.number(CycleRow::Intake, 360, 220, 720);
    b.text(CycleRow::Intake, 357, 240, "开");

    // Exhaust valve: closes 48 deg + theta into the cycle, opens 32 deg before
    // the second bottom dead centre (540 + theta - 32).
    b.text(CycleRow::Exhaust, -95, 315, "排气门开关");
    b.bar(CycleRow::Exhaust, 0, (theta + 48) / 2, open, "开");
    b.bar(CycleRow::Exhaust, (theta + 48) / 2, (theta + 508) / 2, shut, "关");
    b.bar(CycleRow::Exhaust, (theta + 508) / 2, 360, open, "开");

    // Working state: the four strokes follow the piston's dead centres. The row
    // name takes two lines read top to bottom, "内燃机" over "工作状态" (y grows
    // upward), one line height apart and together beside the bar.
    b.text(CycleRow::Stroke, -95, 430, "内燃机");
    b.text(CycleRow::Stroke, -95, 414, "工作状态");
    b.bar(CycleRow::Stroke, 0, 90 + half, cycle_rgb(60, 120, 190));
    b.bar(CycleRow::Stroke, 90 + half, 180, cycle_rgb(120, 120, 120));
    b.bar(CycleRow::Stroke, 180, 270 + half, cycle_rgb(180, 120, 60));
    b.bar(CycleRow::Stroke, 270 + half, 360, cycle_rgb(240, 120, 0));
    b.text(CycleRow::Stroke, 20, 415, "吸气冲程");
    b.text(CycleRow::Stroke, 110, 415, "压缩冲程");
    b.text(CycleRow::Stroke, 200, 415, "做功冲程");
    b.text(CycleRow::Stroke, 290, 415, "排气冲程");
}

}  // namespace

long long bar_end_degrees(double x2) {
    return cint(kDegreesPerUnit * x2);
}

CycleDiagram cycle_diagram(std::string_view k_text) {
    CycleDiagram d;
    const std::optional<double> k = to_number(k_text);
    if (!k) {
        d.error = CycleDiagramError::NotANumber;
        return d;
    }
    if (!(*k >= kLowestDiagramRatio && *k <= kHighestDiagramRatio)) {
        d.error = CycleDiagramError::RatioOutOfRange;
        return d;
    }
    d.theta = limit_position_angle(*k);
    lay_out(d.theta, d.items);
    return d;
}

std::string cycle_diagram_message(CycleDiagramError error) {
    switch (error) {
        case CycleDiagramError::None:
            return "";
        case CycleDiagramError::NotANumber:
            return "请输入数字";
        case CycleDiagramError::RatioOutOfRange:
            return "行程速比系数必须在1到3之间";
    }
    return "";
}

std::string animation_message(AnimationProblem problem) {
    switch (problem) {
        case AnimationProblem::None:
            return "";
        case AnimationProblem::StepNotANumber:
        case AnimationProblem::RateNotANumber:
            return "请输入数字";
        case AnimationProblem::StepStandsStill:
            return "动画速度太小，光标不会移动，请输入绝对值大于0.5的数";
        case AnimationProblem::StepWholeTurns:
            return "动画速度为721度的整数倍，光标每次回到原处，请输入其他的数";
        case AnimationProblem::StepTooLarge:
            return "动画速度太大";
        case AnimationProblem::RateNotPositive:
            return "触发频率必须大于0";
    }
    return "";
}

bool is_step_problem(AnimationProblem problem) {
    return problem == AnimationProblem::StepNotANumber || problem == AnimationProblem::StepStandsStill ||
           problem == AnimationProblem::StepWholeTurns || problem == AnimationProblem::StepTooLarge;
}

namespace {

// Steps beyond a whole 32-bit turn count cannot be added to the angle.
constexpr double kLargestStep = 2147483647.0 - 720;

// The step alone: the rounded cursor moves on every tick unless the step lies
// within half a degree of a whole number of turns of the 721 positions (0, 721,
// -1442, ...); at exactly half a degree the half-to-even rounding holds the
// cursor still on every other angle.
AnimationProblem step_problem(const std::optional<double>& step) {
    if (!step) return AnimationProblem::StepNotANumber;
    if (std::fabs(*step) > kLargestStep) return AnimationProblem::StepTooLarge;
    const double off_turns = *step - 721 * std::round(*step / 721);
    if (std::fabs(*step) <= 0.5) return AnimationProblem::StepStandsStill;
    if (std::fabs(off_turns) <= 0.5) return AnimationProblem::StepWholeTurns;
    return AnimationProblem::None;
}

int interval_for(double rate) {
    const double wait = 1000 / rate;
    if (wait >= kLongestTickInterval) return kLongestTickInterval;
    return std::max(1, static_cast<int>(cint(wait)));
}

}  // namespace

AnimationStart animation_start(std::string_view step_text, std::string_view rate_text) {
    AnimationStart a;
    a.problem = step_problem(to_number(step_text));
    if (!a.ok()) return a;
    const std::optional<double> rate = to_number(rate_text);
    if (!rate) {
        a.problem = AnimationProblem::RateNotANumber;
    } else if (!(*rate > 0)) {
        a.problem = AnimationProblem::RateNotPositive;
    } else {
        a.interval_ms = interval_for(*rate);
    }
    return a;
}

CursorTick cursor_tick(int angle, std::string_view step_text, std::string_view rate_text) {
    CursorTick t;
    const std::optional<double> step = to_number(step_text);
    const std::optional<double> rate = to_number(rate_text);
    // A rate of exactly 0 is the way to stop the ticks from the rate box.
    if (rate && *rate == 0 && step) {
        t.action = TickAction::Halt;
        return t;
    }
    const AnimationStart start = animation_start(step_text, rate_text);
    if (!start.ok()) {
        t.problem = start.problem;
        return t;
    }
    t.action = TickAction::Advance;
    t.interval_ms = start.interval_ms;
    long long next = *vb_mod(angle + *step, 721);
    if (next < 0) next += 721;
    t.angle = static_cast<int>(next);
    return t;
}

CrankPicture crank_picture(double a, double jd_wai) {
    CrankPicture c;
    const double phi = (a - jd_wai) * kPiCycle / 180;
    c.pin_x = kCrankRadius * std::cos(phi);
    c.pin_y = -kCrankRadius * std::sin(phi);
    c.marker_left = c.pin_x - 3.5;
    c.marker_top = c.pin_y + 1.5;
    const double phi0 = -jd_wai * kPiCycle / 180;
    c.tdc_x = kCrankRadius * std::cos(phi0);
    c.tdc_y = -kCrankRadius * std::sin(phi0);
    c.caption_x = c.tdc_x + 5;
    c.caption_y = c.tdc_y;
    return c;
}

}  // namespace vm
