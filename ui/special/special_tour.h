// The tour of the special-positions window: defaults, each special position,
// the curves and a few animation ticks.
#pragma once

class QWidget;

namespace vm::ui {
class Tour;
}

namespace vm {

// Drives the open window `teshu` through its own buttons and snaps each view.
void tour_special(ui::Tour& tour, QWidget* window);

}  // namespace vm
