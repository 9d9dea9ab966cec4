// The cam window's picture scale: millimetres on the screen.
#include "ui/cam/cam_drawing.h"

#include "draw/drawing_surface.h"

namespace vm::cam {

namespace {
constexpr double kMillimetresPerPixel = 15 * 25.4 / 1440;
}  // namespace

void set_millimetre_scale(draw::DrawingSurface& s, double left, double top) {
    s.set_scale(left, top, s.width_px() * kMillimetresPerPixel, s.height_px() * kMillimetresPerPixel);
}

}  // namespace vm::cam
