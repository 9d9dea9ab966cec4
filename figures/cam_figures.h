// The valve cam's figures: the profiles and base circle on a drawing scaled in
// millimetres, and the follower curve plot, which can run in slices so that a
// window shows its progress bar growing, or be drawn whole for a document.
#pragma once

#include <vector>

#include "core/cam_motion.h"

namespace vm {
class CamProfile;
namespace draw {
class DrawingSurface;
}
}  // namespace vm

namespace vm::figures {

// The cam shaft, the two polylines and the closing arcs of one profile, in the
// default colour, on a surface already at the cam scale. Profiles and circles
// stay together on the drawing, but a piece that is already there exactly as
// it would be drawn again (the shaft under a second profile, the same profile
// pressed twice) is not drawn on itself a second time.
void draw_profile(draw::DrawingSurface& s, const CamProfile& profile, bool actual);
// The base circle of radius r0 about the cam centre in red, once.
void draw_base_circle(draw::DrawingSurface& s, double r0);

enum class Curve { Lift, Velocity, Acceleration };

// The plot of the follower curves against the cam angle, 0 to 150 degrees in
// steps of 0.005 degrees, with a progress bar filling `process` as it goes.
// The curves plotted since the last clear stay together. Each start draws the
// picture afresh: frame, axes and labels fitted to every curve it will hold,
// the curves already shown (a curve plotted again takes the place of its
// earlier plot), then the new curve sample by sample.
class CurvePlot {
  public:
    static constexpr int kSamplesPerDegree = 200;
    static constexpr double kLastAngle = 150;
    static constexpr int kSamples = static_cast<int>(kLastAngle) * kSamplesPerDegree + 1;
    static constexpr double kAngleStep = 10;  // degrees between angle ticks

    CurvePlot(draw::DrawingSurface& cpic, draw::DrawingSurface& process)
        : cpic_(cpic), process_(process) {}

    // Clears the progress bar, draws the picture afresh as above and the
    // first sample of the new curve.
    void start(Curve curve, double h);
    // Draws up to `count` further samples; false once the last one is drawn.
    bool advance(int count);
    bool running() const { return next_ < kSamples; }
    // Samples per degree of the curves drawn whole: those already shown when a
    // plot starts, and the running one when it is finished at once.
    void set_whole_samples_per_degree(int n) { whole_per_degree_ = n < 1 ? 1 : n; }
    // Draws the running curve to its end at once, as a whole curve.
    void finish();
    // Erases the plot area and forgets its curves; a plot still running goes
    // on to its end on the empty area.
    void clear();

    // The value axis: ticks from `low` to `high` every `step` (plotted units).
    struct ValueAxis {
        double low = 0, high = 1, step = 0.5;
        // The tick values from low to high, every step.
        std::vector<double> ticks() const;
    };
    // The axis for curves whose values lie between `lowest` and `highest`:
    // round steps of 1, 2 or 5 times a power of ten, the zero line included,
    // at most `max_steps` steps, every value inside it (values beyond 1e300
    // are held there).
    static ValueAxis value_axis(double lowest, double highest, int max_steps);

  private:
    struct Shown {
        Curve curve;
        double h;
    };
    static double value(Curve curve, const FollowerMotion& m, double delta);
    void fit_scale(const ValueAxis& axis, double left_margin_px);
    void draw_frame(const ValueAxis& axis);
    void draw_whole(const Shown& shown);
    void sample();
    void show_progress();

    draw::DrawingSurface& cpic_;
    draw::DrawingSurface& process_;
    std::vector<Shown> shown_;  // curves on the picture, in drawing order
    Curve curve_ = Curve::Lift;
    FollowerMotion motion_;
    int next_ = kSamples;
    int whole_per_degree_ = kSamplesPerDegree;
    double last_x_ = 0, last_y_ = 0;  // the curve's last sample, plot units
    double bar_end_ = 0;
};

// Samples per degree enough for a printed plot: a step of 0.05 degrees is
// well under a pixel at 300 dpi across an A4 page.
inline constexpr int kPageSamplesPerDegree = 20;
// The whole plot of `curves` for the lift h at once, the last one on top;
// nothing but the plot on `s`.
void draw_follower_curves(draw::DrawingSurface& s, const std::vector<Curve>& curves, double h,
                          int samples_per_degree = kPageSamplesPerDegree);

}  // namespace vm::figures
