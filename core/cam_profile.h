// Disc cam with an offset translating roller follower: the input checks, the
// theoretical profile (path of the roller centre), the actual profile (the
// contour the roller touches) and the arcs that close both into one curve.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vm {

struct CamInputs {
    double h = 10;   // lift, mm
    double r0 = 60;  // base-circle radius of the theoretical profile, mm
    double e = 5;    // offset of the follower's line of travel from the cam centre, mm
    double rr = 10;  // roller radius, mm
};

// The inputs from their texts as typed: lift, base radius, offset, roller
// radius. None when a text is not a number (which would otherwise read as 0,
// itself a valid offset); `bad` then gets its index.
std::optional<CamInputs> cam_inputs_of(const std::array<std::string, 4>& texts, std::size_t* bad = nullptr);

enum class CamInputError { None, Lift, BaseRadius, Offset, RollerRadius, BaseNotAboveOffset, RollerNotBelowBase };

// The first failing check, in the order lift, base radius, offset, roller
// radius, then the two that keep the geometry real: the roller centre needs
// r0 > e to reach the offset line, and the actual base circle r0 - rr must exist.
CamInputError check_cam_inputs(const CamInputs& in);
// The message shown for a failed check ("" for None); title "数据错误".
std::string cam_input_message(CamInputError error);

struct CamPoint {
    double x = 0, y = 0;
};

// One sampled cam angle. Coordinates in mm, origin at the cam centre; the cam
// angle runs counter-clockwise in these coordinates (clockwise on a y-down screen).
struct ProfileSample {
    double delta = 0;   // cam angle, degrees
    CamPoint pitch;     // theoretical profile point
    CamPoint actual;    // actual profile point, rr from `pitch` along the inward normal
    CamPoint normal;    // unit inward normal of the theoretical profile at this sample
};

// A piece of the closed outline: a polyline through sample points, or an arc
// about `centre` from polar angle `from` turning by `sweep` (radians, positive
// counter-clockwise in profile coordinates).
struct OutlinePiece {
    bool is_arc = false;
    std::vector<CamPoint> points;
    CamPoint centre;
    double radius = 0, from = 0, sweep = 0;

    CamPoint start() const;
    CamPoint end() const;
    // The arc's point at polar angle `angle` about its centre (radians).
    CamPoint on_arc(double angle) const;
};

class CamProfile {
public:
    static constexpr double kStep = 5;  // degrees between samples
    static constexpr double kLast = 140;  // the return ends here; the near-dwell arc takes over

    // Inputs must pass check_cam_inputs.
    explicit CamProfile(const CamInputs& in);

    double s0() const { return s0_; }
    const std::vector<ProfileSample>& samples() const { return samples_; }
    // The sample at any cam angle (degrees), as the stored ones are made.
    ProfileSample sample_at(double delta) const;
    // Theoretical point at any cam angle (degrees).
    CamPoint pitch_point(double delta) const;

    // The closed outline in drawing order: the rise polyline (0..60 degrees),
    // the far-dwell arc, the return polyline (70..140), the near-dwell arc back
    // to the start of the rise and, for the actual profile, the roller's arc
    // about the kink where the rise leaves the base circle. Each piece starts
    // where the one before ends.
    std::vector<OutlinePiece> outline(bool actual) const;

private:
    const ProfileSample& at(double delta) const;

    CamInputs in_;
    double s0_;
    std::vector<ProfileSample> samples_;
};

}  // namespace vm
