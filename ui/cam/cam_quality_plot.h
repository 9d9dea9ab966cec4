// The three quality curves of the cam over one turn: pressure angle with its
// allowed values, radius of curvature with the roller radius, and jerk with the
// impulses of the law marked on its axis.
#pragma once

namespace vm {
struct CamInputs;
struct CamQuality;
struct PressureAngleLimits;
namespace draw {
class DrawingSurface;
}
}  // namespace vm

namespace vm::cam {

// Clears `s` and draws the three panels one above the other, each with its
// axes, values, units and legend. Without `limits` the limit lines are left out.
void draw_quality(draw::DrawingSurface& s, const CamQuality& q, const CamInputs& in,
                  const PressureAngleLimits* limits);

}  // namespace vm::cam
