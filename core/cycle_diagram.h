// The work-cycle diagram of the four-stroke engine as data: the bars, captions
// and marks of its five rows for a stroke-speed ratio K, the animation tick of
// its crank cursor, and the positions of the small crank picture.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

// 0x00BBGGRR, the layout of the drawing surface's colours.
using CycleColour = std::uint32_t;
constexpr CycleColour cycle_rgb(int r, int g, int b) {
    return static_cast<CycleColour>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}

// Diagram units: one horizontal unit is two crank degrees (0..720 deg over
// x = 0..360); the rows lie 100 units apart and every bar is 20 units high.
inline constexpr double kDegreesPerUnit = 2.0;
inline constexpr double kRowPitch = 100.0;
inline constexpr double kBarHeight = 20.0;

enum class CycleRow { Shaft, Piston, Intake, Exhaust, Stroke };

enum class DiagramItemKind {
    Bar,     // filled box x1..x2-2 by y1..y2, its end angle printed under the end, `text` above
    Text,    // `text` with its top-left corner at (x1, y1)
    Number,  // `number` printed as a number (blank in front and behind) at (x1, y1)
    Box,     // plain filled box (x1, y1)-(x2, y2)
};

struct DiagramItem {
    DiagramItemKind kind = DiagramItemKind::Text;
    CycleRow row = CycleRow::Shaft;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // diagram units
    CycleColour colour = 0;                 // bars and boxes
    std::string text;                       // bar label (may be empty) or caption, UTF-8
    double number = 0;                      // Number items
};

// A bar's end in crank degrees as printed under it: CInt(2 * x2).
long long bar_end_degrees(double x2);

// Stroke-speed ratios the diagram is drawn for. Below 1 the return stroke would
// be the slower one and the bars would run backwards; at 3 the limit-position
// angle reaches 90 degrees, which no crank-slider attains (the synthesis builds
// none from there on).
inline constexpr double kLowestDiagramRatio = 1.0;
inline constexpr double kHighestDiagramRatio = 3.0;

enum class CycleDiagramError {
    None,
    NotANumber,       // the K text is not a number
    RatioOutOfRange,  // K outside kLowestDiagramRatio..kHighestDiagramRatio
};

struct CycleDiagram {
    CycleDiagramError error = CycleDiagramError::None;
    double theta = 0;                // limit-position angle 180 (K - 1) / (K + 1), degrees
    std::vector<DiagramItem> items;  // in drawing order; empty on error
    bool ok() const { return error == CycleDiagramError::None; }
};

// The whole diagram for the K typed in the window. The piston reaches bottom
// dead centre at 180 + theta and 540 + theta degrees; the exhaust valve opens
// 32 degrees before it and closes 48 + theta degrees after top dead centre; the
// intake valve opens 10 degrees before top dead centre and closes at 250 degrees.
CycleDiagram cycle_diagram(std::string_view k_text);

// The message for a diagram that cannot be drawn (UTF-8); "" for None.
std::string cycle_diagram_message(CycleDiagramError error);

// What is wrong with the animation's step (degrees per tick) or rate (ticks per second).
enum class AnimationProblem {
    None,
    StepNotANumber,
    StepStandsStill,  // |step| <= 0.5: the rounded cursor would not move
    StepWholeTurns,   // within 0.5 of a whole number of turns of the 721 positions: back where it was
    StepTooLarge,     // beyond what can be added to the angle
    RateNotANumber,
    RateNotPositive,  // a rate of 0 halts the ticks (see cursor_tick); "运动" needs one above 0
};
// The message for a problem (UTF-8) and whether it is about the step box (else the rate box).
std::string animation_message(AnimationProblem problem);
bool is_step_problem(AnimationProblem problem);

// Longest wait between two ticks that the timer accepts, ms.
inline constexpr int kLongestTickInterval = 65535;

// The check "运动" makes before the timer runs, and the interval it then ticks at:
// CLng(1000 / rate) ms, at least 1 (a faster rate still ticks as fast as the timer
// can) and at most kLongestTickInterval.
struct AnimationStart {
    AnimationProblem problem = AnimationProblem::None;
    int interval_ms = 0;
    bool ok() const { return problem == AnimationProblem::None; }
};
AnimationStart animation_start(std::string_view step_text, std::string_view rate_text);

// What one animation tick does to the cursor and the timer.
enum class TickAction {
    Advance,  // the cursor goes to `angle`, the timer interval becomes `interval_ms`
    Halt,     // a rate of exactly 0: the ticks stop until "运动" is pressed with a rate above 0
    Disable,  // the timer is disabled and `problem` is told; the cursor stays
};
struct CursorTick {
    TickAction action = TickAction::Disable;
    AnimationProblem problem = AnimationProblem::None;  // Disable: why
    int angle = 0;        // Advance: the new cursor angle, 0..720
    int interval_ms = 0;  // Advance: ticks every this many milliseconds
};

// One tick at cursor angle `angle` (0..720) with the texts of the step and the
// rate. The angle moves by the step and wraps over 721 positions (720 + 2 gives
// 1), backwards steps wrapping from 0 to 720, with both operands rounded half to
// even as the Mod of the cycle arithmetic does; the interval is that of
// animation_start. A rate of 0 halts the ticks; a step or rate the animation
// cannot run with disables them, so a running timer always moves the cursor.
CursorTick cursor_tick(int angle, std::string_view step_text, std::string_view rate_text);

// The small crank picture: a crank of radius 30 about the origin (y up).
inline constexpr double kCrankRadius = 30.0;
struct CrankPicture {
    double pin_x = 0, pin_y = 0;             // crank pin: end of the crank line
    double marker_left = 0, marker_top = 0;  // the pin marker's box (7 by 3 units)
    double tdc_x = 0, tdc_y = 0;             // end of the top-dead-centre ray
    double caption_x = 0, caption_y = 0;     // where "活塞最高点" starts
};
// The crank at cursor angle `a` degrees of the cycle, with `jd_wai` the crank
// angle of the top dead centre in degrees: it points at jd_wai - a degrees from
// +x, so a = 0 is top dead centre and a growing cursor turns it clockwise.
CrankPicture crank_picture(double a, double jd_wai);

}  // namespace vm
