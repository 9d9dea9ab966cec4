// The tour of the cam windows: profiles, base circle, curves and quality of `tulun`,
// and the mounting picture of `Tlanzhuang`.
#pragma once

class QWidget;

namespace vm::ui {
class Tour;
}

namespace vm {

// Drives an open `tulun` through its buttons with the default inputs.
void tour_cam(ui::Tour& tour, QWidget* window);
// Snaps an open `Tlanzhuang`.
void tour_cam_mounting(ui::Tour& tour, QWidget* window);

}  // namespace vm
