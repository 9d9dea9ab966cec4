// Quality of an accepted valve cam: the pressure angle of the offset roller
// follower, the radius of curvature of the theoretical and actual profiles, the
// jerk of the follower, the joints where the motion law jumps, and the smallest
// base radius that keeps the pressure angle within its allowed values.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/cam_motion.h"
#include "core/cam_profile.h"

namespace vm {

// Allowed pressure angles, degrees. The follower is driven by the cam on the
// rise and returned by its spring, so the return allows a much steeper push.
struct PressureAngleLimits {
    double rise = 30;
    double ret = 70;
};

enum class LimitError { None, Rise, Return };
// Each limit must lie within 1..89 degrees (a right angle would lock the follower).
LimitError check_limits(const PressureAngleLimits& limits);
// The message for a failed limit ("" for None); title "数据错误".
std::string limit_message(LimitError error);

// The four smooth pieces of the motion law over one turn of the cam.
enum class CamPhase { Rise, FarDwell, Return, NearDwell };
struct PhaseSpan {
    CamPhase phase;
    double from, to;  // cam angle, degrees
};
const std::array<PhaseSpan, 4>& cam_phases();

// Lift and its derivatives by the cam angle on one piece, the values at the
// piece's ends taken from inside it: s (mm), s' (mm/rad), s'' (mm/rad^2), s''' (mm/rad^3).
struct LawState {
    double s = 0, ds = 0, d2s = 0, d3s = 0;
};
LawState law_state(const FollowerMotion& motion, CamPhase phase, double delta);

// Pressure angle at cam angle delta on a piece, degrees: the angle between the
// normal of the theoretical profile and the follower's line of travel,
// tan(alpha) = (s' - e) / (s0 + s). Its sign shows to which side the normal
// leans; the limits bound its size.
double pressure_angle(const CamInputs& in, CamPhase phase, double delta);
// Signed curvature of the theoretical profile, 1/mm, positive where the
// profile is convex. Finite for every accepted cam: the tangent never vanishes.
double pitch_curvature(const CamInputs& in, CamPhase phase, double delta);
// Jerk of the follower, mm/s^3 (omega^3 s'''); zero on the rise, where the
// acceleration is zero between the two velocity jumps.
double follower_jerk(const FollowerMotion& motion, CamPhase phase, double delta);

struct Extreme {
    double value = 0;
    double delta = 0;  // cam angle where it occurs, degrees
};

// A joint between two pieces of the law where the follower's motion jumps. A
// velocity jump makes an infinite acceleration there (a rigid impulse), an
// acceleration jump an infinite jerk (a soft impulse); neither is a number to
// plot, so they are listed here. A velocity jump also cuts a corner into the
// theoretical profile: at a convex corner the roller cannot follow the profile
// and rounds the follower's path by `rounding`.
struct LawJoint {
    double delta = 0;     // degrees
    double dv = 0;        // velocity after minus before, mm/s
    double da = 0;        // acceleration after minus before, mm/s^2
    double corner = 0;    // turn of the profile tangent, degrees, positive where convex
    double rounding = 0;  // roller's cut into a convex corner, mm
    bool rigid() const { return dv != 0; }
};

struct QualityPoint {
    double delta = 0;  // degrees
    CamPhase phase = CamPhase::Rise;
    double alpha = 0;      // pressure angle, degrees
    double curvature = 0;  // theoretical profile, 1/mm, positive convex
    double jerk = 0;       // mm/s^3
};

struct CamQuality {
    static constexpr double kCurveStep = 0.25;  // degrees between curve points
    // The whole turn, 0..360 degrees, with both sides of every joint, so a jump
    // shows as a vertical step.
    std::vector<QualityPoint> curve;
    Extreme alpha_rise, alpha_return;   // largest |alpha|, degrees
    bool convex = false;                // some part of the theoretical profile is convex
    Extreme rho_min;                    // smallest convex radius of the theoretical profile, mm
    Extreme rho_actual_min;             // the actual profile there: rho_min - rr, mm
    Extreme jerk_max;                   // largest |jerk|, mm/s^3
    std::vector<LawJoint> joints;       // joints with a velocity or acceleration jump
    double r0_rise = 0, r0_return = 0;  // smallest base radius for each limit, mm
    double r0_roller = 0;   // smallest base radius clear of undercut, mm (set when undercut)
    bool undercut = false;  // a convex stretch is no rounder than the roller
    bool rise_exceeded = false, return_exceeded = false;
    double r0_needed() const { return r0_rise > r0_return ? r0_rise : r0_return; }
};

// Inputs must pass check_cam_inputs and limits check_limits.
CamQuality analyse_cam(const CamInputs& in, const PressureAngleLimits& limits);

// Smallest base radius for which |alpha| stays within `limit_deg` over the rise
// (phase Rise) or the return (phase Return), for lift h and offset e. The
// pressure angle falls as the base circle grows, so below it the limit is
// exceeded somewhere on that piece. Never below e: the roller centre must reach
// the offset line.
double smallest_base_radius(double h, double e, CamPhase phase, double limit_deg);
// Smallest base radius whose theoretical profile is rounder than the roller
// everywhere it is convex, for lift h, offset e and roller radius rr.
double smallest_base_radius_for_roller(double h, double e, double rr);
// Largest curvature of the theoretical profile over the turn, 1/mm, and where.
Extreme largest_curvature(const CamInputs& in);
// Largest |alpha| over a piece, degrees, and where.
Extreme largest_pressure_angle(const CamInputs& in, CamPhase phase);

// The warning lines for an accepted cam, "" where there is nothing to warn of.
std::string undercut_warning(const CamQuality& q, double rr);
std::string pressure_warning(const CamQuality& q, const PressureAngleLimits& limits);

// The table of extreme values: what, its value with unit, and where (cam angle
// or the limit it answers), one row per figure and per joint of the law. The
// base radii the limits need are left out when there are no limits.
struct QualityRow {
    std::string item, value, where;
    bool alarm = false;  // the figure breaks its limit or undercuts
};
std::vector<QualityRow> quality_table(const CamQuality& q, const PressureAngleLimits* limits);

// Tick spacing for an axis that must show `span`: 1, 2 or 5 times a power of
// ten, giving about `ticks` intervals.
double axis_step(double span, int ticks);

}  // namespace vm
