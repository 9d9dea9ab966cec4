// Drawing of the cam design window: the millimetre scale of its picture areas,
// the cam profiles, and the follower curve plot that runs in slices so the
// window can show its progress bar growing.
#pragma once

#include "core/cam_motion.h"

namespace vm {
class CamProfile;
namespace draw {
class DrawingSurface;
}
}  // namespace vm

namespace vm::cam {

// One user unit per millimetre on the screen (1440 twips per inch, 15 twips per
// pixel), left and top edges given, y downward.
void set_millimetre_scale(draw::DrawingSurface& s, double left, double top);

// The cam shaft, the two polylines and the closing arcs of one profile, in the
// default colour, on a surface already at the cam scale.
void draw_profile(draw::DrawingSurface& s, const CamProfile& profile, bool actual);

enum class Curve { Lift, Velocity, Acceleration };

// The plot of one follower curve against the cam angle, 0 to 150 degrees in
// steps of 0.005 degrees, with a progress bar filling `process` as it goes.
class CurvePlot {
public:
    static constexpr int kSamplesPerDegree = 200;
    static constexpr double kLastAngle = 150;
    static constexpr int kSamples = static_cast<int>(kLastAngle) * kSamplesPerDegree + 1;

    CurvePlot(draw::DrawingSurface& cpic, draw::DrawingSurface& process) : cpic_(cpic), process_(process) {}

    // Clears the progress bar, sets the plot scale, draws the axes with their
    // labels and the first sample. The plot area itself is not cleared, so
    // successive curves stay together.
    void start(Curve curve, double h);
    // Draws up to `count` further samples; false once the last one is drawn.
    bool advance(int count);
    bool running() const { return next_ < kSamples; }

private:
    double value(double delta) const;
    void sample();

    draw::DrawingSurface& cpic_;
    draw::DrawingSurface& process_;
    Curve curve_ = Curve::Lift;
    FollowerMotion motion_;
    int next_ = kSamples;
    double last_x_ = 0, last_y_ = 0;  // the curve's last sample, plot units
    double bar_end_ = 0;
};

}  // namespace vm::cam
