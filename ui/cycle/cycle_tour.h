// The tour's visit of the work-cycle window: the diagram, then the cursor at
// three angles of the cycle.
#pragma once

class QWidget;

namespace vm::ui {
class Tour;
}

namespace vm {

// Drives an open xunhuan window through its own controls and snaps each view.
void tour_cycle(ui::Tour& tour, QWidget* window);

}  // namespace vm
