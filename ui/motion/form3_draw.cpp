// The torque window's diagram: the shared figure, on the scale the window's
// scroll bars set.
#include "figures/torque_figure.h"
#include "ui/motion/form3.h"

namespace vm {

void draw_torque_diagram(draw::DrawingSurface& s, const TorqueFigures& t) {
    figures::draw_torque_diagram(s, t);
}

}  // namespace vm
