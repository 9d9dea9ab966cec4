// The tour of the results window: its picture, and both reports written into
// the tour folder.
#pragma once

class QWidget;

namespace vm::ui {
class Tour;
}

namespace vm {

// Drives an open frmshuju: snaps it, then writes the reports into the tour
// folder (which closes the window).
void tour_results(ui::Tour& tour, QWidget* window);

}  // namespace vm
