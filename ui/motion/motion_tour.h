// The tour of the motion-analysis windows: Form1's views, the force polygons
// of each member and the torque and balancing figures, driven by their buttons.
#pragma once

class QWidget;

namespace vm::ui {
class Tour;
}

namespace vm {

// `window` is the Form1 the main window opened; it is left in its menu view.
void tour_motion(ui::Tour& tour, QWidget* window);

}  // namespace vm
