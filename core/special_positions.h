// The special-positions demonstrator's own offset crank-slider: dimensions from
// stroke, offset and stroke-speed ratio, the slider's position, velocity and
// acceleration at any crank angle, the two dead centres and the fastest points.
#pragma once

#include <optional>

namespace vm::special {

// The demonstrator's value of pi; it shows in the last printed digits of the
// angles and speeds, so it is kept exactly.
inline constexpr double kPiSpecial = 3.1415926535898;

// A designed mechanism, mm. The crank centre O is at the origin, the slider
// runs on the vertical line x = E above O.
struct CrankSlider {
    double L = 0;  // connecting-rod length
    double R = 0;  // crank length
    double E = 0;  // offset of the slider line
};

// Rod and crank lengths for stroke H, offset E and stroke-speed ratio K (H, E in
// mm). The crank centre lies on the circle through both limit positions of the
// slider on which the stroke subtends the limit-position angle. Nothing when no
// crank-slider has these three values (K <= 1, the offset beyond the circle, the
// rod too short to pass both dead centres), or when the arithmetic has lost so
// much precision that the result would not have the stroke H.
std::optional<CrankSlider> solve_dimensions(double H, double E, double K);

// Where the joints are at crank angle phi (rad, counter-clockwise from +x; the
// crank turns clockwise, so phi falls as the crank runs), and the slider's
// height derivatives per radian of crank angle.
struct SliderPosition {
    double xA = 0, yA = 0;  // crank pin A
    double xB = 0, yB = 0;  // slider pin B (xB is always E)
    double y_tdc = 0;       // slider height at the top dead centre
    double S = 0;           // displacement below the top dead centre, y_tdc - yB
    double dy = 0;          // y'(phi) = d yB / d phi
    double ddy = 0;         // y''(phi) = d^2 yB / d phi^2
};

// Nothing when the rod cannot reach the slider line at this angle.
std::optional<SliderPosition> slider_at(const CrankSlider& m, double phi);

// Crank speed: omega = n*pi/30 rad/s for n r/min, which is ten times the crank
// rotation per 100 ms animation tick.
double crank_step(double n);
double crank_omega(double step);

// Slider velocity and acceleration in time, mm/s and mm/s^2. With the crank
// turning clockwise at omega, V = omega*y' = dS/dt and the shown acceleration
// -omega^2*y'' = d^2S/dt^2.
struct SliderMotion {
    double V = 0;
    double shown_acceleration = 0;
};
SliderMotion slider_motion(const SliderPosition& p, double omega);

// Crank angle theta (degrees, clockwise from +x) of the top dead centre, with
// rod and crank in line, and of the bottom dead centre, rod folded over the crank.
double top_dead_centre_theta(const CrankSlider& m);
double bottom_dead_centre_theta(const CrankSlider& m);

// Crank angle theta (degrees) of the largest slider speed in the up stroke, from
// bottom to top dead centre, with the crank passing on the left (phi on the grid
// -pi/2 - i*pi/10000), and in the down stroke, from top dead centre to the next
// bottom dead centre, with the crank passing on the right (phi on the grid
// i*pi/50000, theta from theta_tdc - 360 to theta_bdc). The first largest
// |omega*y'| wins; a later one must be strictly larger. With omega = 0 nothing
// moves and theta is 0.
double left_fastest_theta(const CrankSlider& m, double omega);
double right_fastest_theta(const CrankSlider& m, double omega);

// What the mechanism picture shows (mm, y up): the visible rectangle, the
// half-length of the crank-centre axes and the ends of the slider line. The
// fixed layout (x -300..300, y 860 down to -240) is kept whenever the
// mechanism fits it at every crank angle; otherwise the view is widened about
// the mechanism, with equal units on both axes and a margin for the joint
// names. The axes (200 long) and the slider line (300 to 850) are lengthened
// where the crank circle or the stroke reaches past them.
struct MechanismView {
    double left = -300, top = 860, width = 600, height = 1100;
    double axis_half = 200;
    double guide_low = 300, guide_high = 850;
    bool fitted = false;
    double mm_per_px(double width_px) const { return width / width_px; }
};

// Size of a joint name in pixels, and its offset from the joint in mm (right
// and down), as the window prints it.
inline constexpr double kJointNameOffset = 10;
inline constexpr double kJointNameWidthPx = 12, kJointNameHeightPx = 18;

// The view for a picture width_px x height_px showing the mechanism with a
// piston D wide.
MechanismView mechanism_view(const CrankSlider& m, double D, double width_px, double height_px);

}  // namespace vm::special
