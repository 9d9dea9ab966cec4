// The torque diagram (the driving torque over the four-stroke cycle, its
// marked extremes and the mean resisting torque), drawn once for the torque
// window, the report and the drawing sheet; and the work-cycle diagram with
// its bars, end angles and captions.
#pragma once

#include <string>

#include "core/course_document.h"
#include "figures/motion_figures.h"

namespace vm {
struct TorqueFigures;
struct CycleDiagram;
}  // namespace vm

namespace vm::figures {

// The names printed at the ends of the torque diagram's axes.
struct TorqueAxisNames {
    std::string x = "X", y = "Y";
};

// The torque diagram on a surface already scaled (x in rad, y in N*m, y up).
void draw_torque_diagram(draw::DrawingSurface& s, const TorqueFigures& t,
                         const TorqueAxisNames& names = {});

// The same inside the pixel box `frame` at the scales of `sc`, the diagram's
// extent centred in the box, with the axes named φ/rad and M/(N·m).
void draw_torque_chart(draw::DrawingSurface& s, const PixelBox& frame, const TorqueFigures& t,
                       const TorqueChartScales& sc);

// The work-cycle diagram's items on a surface already scaled in diagram units.
void draw_cycle_items(draw::DrawingSurface& s, const CycleDiagram& d);

// The whole diagram in the pixel box `frame`, its proportions kept.
void draw_cycle_chart(draw::DrawingSurface& s, const PixelBox& frame, const CycleDiagram& d);

}  // namespace vm::figures
