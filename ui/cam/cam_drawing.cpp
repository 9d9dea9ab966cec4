// Cam profiles on the drawing and the follower curve plot.
#include "ui/cam/cam_drawing.h"

#include <algorithm>
#include <cmath>

#include "core/cam_profile.h"
#include "draw/drawing_surface.h"
#include "ui/common/window_plumbing.h"

namespace vm::cam {

namespace {
constexpr double kMillimetresPerPixel = 15 * 25.4 / 1440;
constexpr draw::Colour kGreen = 65280, kRed = 255, kBlue = 0xFF0000;

// Curves taller than this are far outside the plot anyway; holding the lift
// here keeps every plotted value finite, whatever number the lift box holds.
constexpr double kLargestPlottedLift = 1e6;

// Screen angles of an arc given in profile coordinates. The drawing has y
// downward, so a polar angle t shows at -t and the turning sense reverses;
// the surface draws counter-clockwise on the screen from start to end.
std::pair<double, double> screen_angles(const OutlinePiece& arc) {
    const double two_pi = 2 * kPiCam;
    auto wrap = [two_pi](double a) {
        a = std::fmod(a, two_pi);
        return a < 0 ? a + two_pi : a;
    };
    const double a = -arc.from, b = -(arc.from + arc.sweep);
    return arc.sweep > 0 ? std::pair{wrap(b), wrap(a)} : std::pair{wrap(a), wrap(b)};
}
}  // namespace

void set_millimetre_scale(draw::DrawingSurface& s, double left, double top) {
    s.set_scale(left, top, s.width_px() * kMillimetresPerPixel, s.height_px() * kMillimetresPerPixel);
}

void draw_profile(draw::DrawingSurface& s, const CamProfile& profile, bool actual) {
    s.circle(0, 0, 10);
    const std::vector<OutlinePiece> pieces = profile.outline(actual);
    for (const OutlinePiece& p : pieces) {
        if (p.is_arc) continue;
        s.set_current(p.points.front().x, p.points.front().y);
        for (const CamPoint& q : p.points) s.line_to(q.x, q.y);
    }
    for (const OutlinePiece& p : pieces) {
        if (!p.is_arc) continue;
        const auto [start, end] = screen_angles(p);
        s.arc(p.centre.x, p.centre.y, p.radius, s.fore_colour(), start, end);
    }
}

void CurvePlot::start(Curve curve, double h) {
    curve_ = curve;
    motion_.h = std::clamp(h, -kLargestPlottedLift, kLargestPlottedLift);
    process_.clear();
    // The bar's scale is in degrees of cam angle, so it is full when the plot ends.
    process_.set_scale(0, 0, kLastAngle, 1);
    bar_end_ = 0;

    set_millimetre_scale(cpic_, -15, -65);
    cpic_.line(-100, 0, 1000, 0);
    cpic_.line(0, -400, 0, 400);
    for (int i = 10; i <= 360; i += 10) {
        cpic_.set_current(i, 0);
        ui::print_number(cpic_, i);
    }
    for (int j = 0; j <= 80; j += 5) {
        cpic_.set_current(-5, -j);
        ui::print_number(cpic_, j);
    }
    last_x_ = 0;
    last_y_ = -value(0);
    next_ = 0;
    sample();
}

bool CurvePlot::advance(int count) {
    for (int i = 0; i < count && running(); ++i) sample();
    return running();
}

double CurvePlot::value(double delta) const {
    switch (curve_) {
        case Curve::Lift: return motion_.lift(delta);
        case Curve::Velocity: return motion_.velocity(delta);
        case Curve::Acceleration: return motion_.acceleration(delta);
    }
    return 0;
}

// One sample: the curve to this angle (positive values above the axis) and
// the progress bar to it. The curve goes on from its own last sample, so a
// clear of the plot area while the plot runs leaves no stray line.
void CurvePlot::sample() {
    const double delta = static_cast<double>(next_) / kSamplesPerDegree;
    const draw::Colour colour = curve_ == Curve::Lift ? kGreen : curve_ == Curve::Velocity ? kRed : kBlue;
    const double y = -value(delta);
    cpic_.line(last_x_, last_y_, delta, y, colour);
    last_x_ = delta;
    last_y_ = y;
    process_.filled_box(bar_end_, 0, delta, 1, kBlue);
    bar_end_ = delta;
    ++next_;
}

}  // namespace vm::cam
