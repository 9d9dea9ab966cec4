// Form1's own picture: the cut-away cylinder of the menu view (the polygons
// are drawn by the shared motion figures).
#include "draw/drawing_surface.h"
#include "ui/motion/form1.h"

namespace vm {

// Pixel drawing, y down: the cylinder cut open along its axis, the intake
// valve in the head, the piston half-way down and the rod to the crank below.
void draw_cylinder_picture(draw::DrawingSurface& s) {
    using draw::rgb;
    const int w = s.width_px(), h = s.height_px();
    s.set_pixel_scale();
    s.filled_box(0, 0, w, h, rgb(226, 232, 240));
    const draw::Colour metal = rgb(150, 156, 166), dark = rgb(70, 74, 82), cut = rgb(96, 100, 110);
    const double left = 48, right = 218, bore_l = 62, bore_r = 204, head_top = 22, head_bottom = 40;
    const double wall_bottom = 206;
    // Cylinder walls and head, cut faces hatched.
    s.filled_box(left, head_top, bore_l, wall_bottom, metal);
    s.filled_box(bore_r, head_top, right, wall_bottom, metal);
    s.filled_box(left, head_top, right, head_bottom, metal);
    s.set_line_width(1);
    for (double y = head_top - 14; y < wall_bottom; y += 8) {
        s.line(left, y + 14, bore_l, y, cut);
        s.line(bore_r, y + 14, right, y, cut);
    }
    for (double x = left; x < right; x += 8) s.line(x, head_bottom, x + 14, head_top, cut);
    s.box(left, head_top, right, wall_bottom, dark);
    s.box(bore_l, head_bottom, bore_r, wall_bottom, dark);
    // Cooling fins on the outside of the walls.
    for (double y = 52; y < wall_bottom - 6; y += 18) {
        s.filled_box(left - 12, y, left, y + 6, metal);
        s.filled_box(right, y, right + 12, y + 6, metal);
    }
    // Intake valve: stem through the head, disc seated in the port.
    const double valve_x = 104;
    s.filled_box(valve_x - 4, 0, valve_x + 4, head_bottom + 2, rgb(120, 90, 60));
    s.filled_box(valve_x - 18, head_bottom - 2, valve_x + 18, head_bottom + 5, rgb(120, 90, 60));
    s.filled_box(valve_x - 12, 4, valve_x + 12, 8, dark);  // spring seat
    for (double y = 8; y < head_top; y += 4) s.line(valve_x - 10, y, valve_x + 10, y + 2, dark);
    // Spark plug beside the valve.
    s.filled_box(150, 6, 162, head_bottom, rgb(230, 230, 225));
    s.box(150, 6, 162, head_bottom, dark);
    // Piston with its rings and pin.
    const double piston_top = 104, piston_bottom = 160;
    s.filled_box(bore_l + 1, piston_top, bore_r - 1, piston_bottom, rgb(188, 192, 200));
    s.box(bore_l + 1, piston_top, bore_r - 1, piston_bottom, dark);
    for (double y = piston_top + 7; y < piston_top + 25; y += 7) s.line(bore_l + 1, y, bore_r - 1, y, dark);
    const double pin_x = 133, pin_y = 140;
    // Connecting rod down to the crank pin, and the crank circle.
    const double crank_x = 133, crank_y = 236, crank_pin_x = 156, crank_pin_y = 226;
    s.set_line_width(10);
    s.line(pin_x, pin_y, crank_pin_x, crank_pin_y, rgb(90, 96, 120));
    s.set_line_width(2);
    s.circle(crank_x, crank_y, 26, dark);
    s.set_line_width(8);
    s.line(crank_x, crank_y, crank_pin_x, crank_pin_y, rgb(60, 64, 80));
    s.set_line_width(1);
    s.set_fill(true, rgb(240, 240, 240));
    s.circle(pin_x, pin_y, 6, dark);
    s.circle(crank_pin_x, crank_pin_y, 5, dark);
    s.circle(crank_x, crank_y, 4, dark);
    s.set_fill(false);
}

}  // namespace vm
