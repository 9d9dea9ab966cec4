// Drawing of the cam design window: the millimetre scale of its picture
// areas; the profiles and the curve plot are the shared cam figures.
#pragma once

#include "figures/cam_figures.h"

namespace vm::cam {

// One user unit per millimetre on the screen (1440 twips per inch, 15 twips per
// pixel), left and top edges given, y downward.
void set_millimetre_scale(draw::DrawingSurface& s, double left, double top);

using figures::Curve;
using figures::CurvePlot;
using figures::draw_base_circle;
using figures::draw_profile;

}  // namespace vm::cam
