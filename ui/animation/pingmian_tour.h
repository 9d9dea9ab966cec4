// The animation window's part of the tour.
#pragma once

class QWidget;

namespace vm {
namespace ui {
class Tour;
}

// Drives an open pingmian through "绘图", "显示活塞极限位置" and 200 ticks, snapping
// the picture after "绘图", after the limits, and after 10, 50 and 200 ticks.
void tour_pingmian(ui::Tour& tour, QWidget* window);

}  // namespace vm
