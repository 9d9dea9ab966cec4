// The valve cam's follower motion law: constant-velocity rise, far dwell,
// cycloidal return and near dwell, as lift, velocity, acceleration and slope.
#pragma once

namespace vm {

// The cam windows' value of pi; it shows in the last digits of their figures.
inline constexpr double kPiCam = 3.14159265358979;
// Cam angles are given in degrees; the motion law and the profile work in radians.
constexpr double cam_radians(double deg) { return deg * kPiCam / 180; }

// Pure functions of the cam angle delta (degrees) for the lift h (mm). The cam
// turns at omega = 1 rad/s, so velocities are mm/s and accelerations mm/s^2.
struct FollowerMotion {
    static constexpr double kRiseEnd = 60;       // rise 0..60 degrees (angle Phi)
    static constexpr double kFarDwellEnd = 70;   // far dwell 60..70, the return starts here
    static constexpr double kReturnAngle = 70;   // return angle Phi'
    static constexpr double kReturnEnd = kFarDwellEnd + kReturnAngle;  // near dwell from here on
    static constexpr double kOmega = 1;          // cam angular velocity, rad/s

    double h = 10;  // lift, mm

    double lift(double delta) const;
    double velocity(double delta) const;
    double acceleration(double delta) const;
    // ds/d(delta) per radian. At 60 degrees the far dwell's slope (0) holds, so
    // the profile point there lies on the far-dwell circle.
    double slope(double delta) const;
};

}  // namespace vm
