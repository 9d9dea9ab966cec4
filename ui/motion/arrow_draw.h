// One arrow on a drawing, shaft then two barbs, as the velocity and
// acceleration polygons and the force legend draw it.
#pragma once

namespace vm::draw {
class DrawingSurface;
}

namespace vm {

// In QBColor `colour`; the current point ends at the second barb, where the
// next label goes.
void draw_arrow(draw::DrawingSurface& s, double xs, double ys, double length, double theta, int colour,
                double head);

}  // namespace vm
