// Offset crank-slider: dimension synthesis from stroke, offset and stroke-speed
// ratio, and the position, velocity and acceleration of one crank angle
// (jisuan with its vector components xiangdui_sudu / xiangdui_jiasudu).
// Frame: O at the origin, x right, y up, piston path the line x = e; angles from
// +x, counter-clockwise positive; the crank turns clockwise (omega1 < 0).
#pragma once

#include <optional>
#include <string>

namespace vm {

// The analysis windows' value of pi; it shows in the last printed digits.
inline constexpr double kPiAnalysis = 3.1415926;
// A turn of the crank, 2 pi written out from the analysis pi, so that stepped
// positions land where the analysis windows put them.
inline constexpr double kTwoPiAnalysis = 6.2831852;

enum class SynthesisError { None, StrokeNotPositive, RatioNotAboveOne, OffsetNotPositive, NoMechanism };

struct Synthesis {
    double l = 0;       // connecting-rod length, same unit as H
    double r = 0;       // crank length
    double jd_wai = 0;  // crank angle of the extended dead centre, degrees
    double jd_nei = 0;  // crank angle of the folded dead centre, degrees
    double theta = 0;   // limit-position angle, rad
};

struct SynthesisResult {
    SynthesisError error = SynthesisError::None;
    Synthesis value;
    bool ok() const { return error == SynthesisError::None; }
};

// Graphical method of the extreme-position circle, computed. The crank centre lies
// on the circle of radius R = H/(2 sin theta) through both extreme piston
// positions, at the offset e from the piston path; the result always has the
// stroke H and the limit-position angle theta of K, for offsets on either side
// of the circle centre. `pi` is the caller's value (it enters theta and the
// degree conversion).
SynthesisResult dimension_synthesis(double H, double K, double e, double pi = kPiAnalysis);

// Message for the main window when the synthesis has no answer; "" when it has.
std::string synthesis_message(SynthesisError error);

// arccos built from atan: sqrt(1 - x^2)/x, shifted into (0, pi) with the
// analysis pi. arccos(0) is pi/2, arccos(-1) is exactly 3.1415926; nothing
// outside -1..1.
std::optional<double> arccos(double x);

// Scales and centres of the motion-analysis window's polygons (drawing units
// per m/s and per m/s^2). Unset means unscaled and unplaced.
struct PolygonScale {
    double scale_v = 1, scale_a = 1;
    double centre_v_x = 0, centre_v_y = 0;
    double centre_a_x = 0, centre_a_y = 0;
};

struct Kinematics {
    // Position, velocity, acceleration (m, m/s, m/s^2, rad, rad/s, rad/s^2).
    double psi = 0, s_b = 0;
    double v_a = 0, v_b = 0, v_ba = 0, omega2 = 0;
    double a_a = 0, a_b = 0, a_ba_n = 0, a_ba_t = 0, alpha2 = 0;
    double arccos_arg = 0;  // (e - r cos phi)/l
    // Direction angles from +x (rad).
    double dir_v_a = 0, dir_v_b = 0, dir_v_ba = 0;
    double dir_a_a = 0, dir_a_b = 0, dir_a_ba_n = 0, dir_a_ba_t = 0;
    // Vector components, scaled by scale_v / scale_a (1 when unscaled).
    double v_ax = 0, v_ay = 0, v_bx = 0, v_by = 0, v_bay = 0;
    double a_ax = 0, a_ay = 0, a_by = 0, a_ba_nx = 0, a_ba_ny = 0, a_ba_ty = 0;
    // Polygon placement (drawing units); zero when unplaced.
    double pole_v_x = 0, pole_v_y = 0, pt_a_x = 0, pt_a_y = 0, pt_b_y = 0;
    double pole_a_x = 0, pole_a_y = 0, pt_a2_x = 0, pt_a2_y = 0, pt_n_x = 0, pt_n_y = 0;
};

// One crank position. r, l, e in m, phi in rad, omega1 in rad/s. With `place`
// the components are scaled and the polygons placed so that each triangle's
// centroid falls on its centre; without it they are unscaled and unplaced.
// Nothing when the rod cannot reach the piston path at this angle.
std::optional<Kinematics> jisuan(double r, double l, double e, double phi, double omega1,
                                 const PolygonScale* place = nullptr);

// Velocity components (and, with `place`, the velocity polygon) from the
// magnitudes and directions already in k.
void xiangdui_sudu(Kinematics& k, const PolygonScale* place);
// Acceleration components; settles dir_a_ba_t from a_ax + a_ba_nx on the way.
void xiangdui_jiasudu(Kinematics& k, const PolygonScale* place);

// Smallest transmission angle of the mechanism over a crank turn, degrees: the
// smallest angle between the rod and the horizontal, the normal of the piston
// path. Near 0 the rod passes almost horizontal, the piston pin nearly stalls
// on the crank and the accelerations grow without bound. Nothing when the rod
// cannot reach the path in every crank position.
std::optional<double> minimum_transmission_angle(double r, double l, double e);

// Crank angles (rad) where crank and rod stand at a right angle: beta - gamma and
// beta + gamma, lengths in any one unit. Nothing when e is not positive or
// l^2 + r^2 < e^2.
struct PerpendicularAngles {
    double first = 0, second = 0;
};
std::optional<PerpendicularAngles> perpendicular_angles(double r, double l, double e);

}  // namespace vm
