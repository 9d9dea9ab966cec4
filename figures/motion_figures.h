// The velocity and acceleration polygons of the crank-slider and the force
// polygons of its members, drawn once for the motion windows, the report and
// the drawing sheets: arrows with their barbs, point names placed clear of
// every line and of each other, captions moved off the polygons.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/force_polygon.h"
#include "core/kinematics.h"

namespace vm::draw {
class DrawingSurface;
}

namespace vm::figures {

// A name to print at a point of a polygon, and a caption with its preferred
// top-left corner (user units of the picture).
struct PointName {
    double x = 0, y = 0;
    std::string text;
};
struct Caption {
    double left = 0, top = 0;
    std::string text;
};

// One arrow in QBColor `colour`: shaft, then two barbs `head` long; the
// current point ends at the second barb, where the next label goes.
void draw_arrow(draw::DrawingSurface& s, double xs, double ys, double length, double theta,
                int colour, double head);

// The colours of the polygons: QBColor 4 (dark red) for velocities, 0 for accelerations.
inline constexpr int kVelocityColour = 4;
inline constexpr int kAccelerationColour = 0;

// The polygons of one position placed by jisuan (pole and points in k, in the
// drawing units of `s`), `sv` and `sa` drawing units per m/s and per m/s².
// Each draws its arrows and hands back the names of its points, to be printed
// by print_names once every line of the picture is down.
// Single-position picture: heads that grow with the scale.
std::vector<PointName> single_velocity_polygon(draw::DrawingSurface& s, const Kinematics& k,
                                               double sv);
std::vector<PointName> single_acceleration_polygon(draw::DrawingSurface& s, const Kinematics& k,
                                                   double sa);
// Fifteen-position grid: heads of a fixed length.
std::vector<PointName> grid_velocity_polygon(draw::DrawingSurface& s, const Kinematics& k,
                                             double sv);
std::vector<PointName> grid_acceleration_polygon(draw::DrawingSurface& s, const Kinematics& k,
                                                 double sa);

// Prints the point names beside their points and then the captions as near
// their places as they can go, none over another or struck through by a line
// already drawn on `s`; labels stay inside the pixel box `bounds` (left, top,
// right, bottom), the whole picture when it is empty.
struct PixelBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};
void print_names(draw::DrawingSurface& s, const std::vector<PointName>& names,
                 const std::vector<Caption>& captions, const PixelBox& bounds = {});

// The colour a force line is printed in on paper: the screen's pure yellow
// and green would fade on white, so they print darker; others stay.
std::uint32_t print_colour(std::uint32_t screen_colour);

// The force polygon's lines, each force from the tip of the one before, the
// first from (x0, y0); a force F is F / newtons_per_unit drawing units long;
// in print colours for paper. Hands back the tip of every force.
std::vector<std::pair<double, double>> force_polygon_lines(draw::DrawingSurface& s,
                                                           const std::vector<ForceStep>& steps,
                                                           double x0, double y0,
                                                           double newtons_per_unit,
                                                           bool for_paper = false);
// The name of each force beside its tip, clear of every line on `s`, of the
// pixel boxes in `marks` (end dots) and of each other.
void print_force_names(draw::DrawingSurface& s, const std::vector<ForceStep>& steps,
                       const std::vector<std::pair<double, double>>& tips,
                       const std::vector<PixelBox>& marks, const PixelBox& bounds = {});

// Sets a user scale on `s` under which the user rectangle with top-left
// (u_left, u_top), width u_width and height u_height (negative: y up) fills
// the pixel box `frame`.
void set_frame_scale(draw::DrawingSurface& s, const PixelBox& frame, double u_left, double u_top,
                     double u_width, double u_height);

}  // namespace vm::figures
