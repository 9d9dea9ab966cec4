// The figures of one design at a stated scale, as the report and the drawing
// sheets show them: the mechanism diagram at its dead centres and chosen
// positions, the velocity and acceleration polygons and the force polygons
// of one position, and the cam with its profiles and roller.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "figures/motion_figures.h"

namespace vm {
struct CamInputs;
struct DesignState;
}  // namespace vm

namespace vm::figures {

// One position of the mechanism to draw, crank angle in degrees (counter-
// clockwise from +x, the analysis frame) and the suffix of its point names.
struct MechanismPosition {
    double phi_deg = 0;
    std::string name;          // "1" gives A1, B1
    std::uint32_t colour = 0;  // 0x00BBGGRR
};
// The dead centres (outer, inner) and the report positions, one position
// drawn once where a chosen one falls on a dead centre.
std::vector<MechanismPosition> mechanism_positions(const DesignState& confirmed,
                                                   const std::vector<int>& positions);

// The crank-slider of a confirmed design at mu_l metres per millimetre of
// drawing, centred in the box: frame pivot O, the crank circle, the piston
// path, crank, rod and slider of every position with their point names, and
// the scale in the top-left corner.
void draw_mechanism(draw::DrawingSurface& s, const PixelBox& frame, const DesignState& confirmed,
                    const std::vector<MechanismPosition>& positions, double mu_l);

// The velocity (or acceleration) polygon of report position p at mu (m/s or
// m/s² per mm of drawing), centred in the box below a line with its scale.
// False when the position has no answer.
bool draw_motion_polygon(draw::DrawingSurface& s, const PixelBox& frame,
                         const DesignState& confirmed, int position, bool acceleration, double mu);

// The force polygon of `member` at report position p of a filled design at
// mu_f newtons per mm: the forces head to tail in their colours, a dot at
// each end, the names beside the dots, the scale on top.
void draw_force_figure(draw::DrawingSurface& s, const PixelBox& frame, const DesignState& filled,
                       int member, int position, double mu_f);

// The cam to scale mu_l (m/mm): base circle, theoretical profile dashed,
// actual profile, the roller on the theoretical profile every 60 degrees and
// the cam centre; nothing when the inputs fail their checks.
void draw_cam_figure(draw::DrawingSurface& s, const PixelBox& frame, const CamInputs& cam,
                     double mu_l);

}  // namespace vm::figures
