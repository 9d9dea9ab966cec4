// Follower motion law of the valve cam.
#include "core/cam_motion.h"

#include <cmath>

namespace vm {

namespace {
const double kPhi = cam_radians(FollowerMotion::kRiseEnd);
const double kPhiReturn = cam_radians(FollowerMotion::kReturnAngle);

// Phase of the cycloidal return, 0 at its start and 2*pi at its end.
double return_phase(double delta) {
    return 2 * kPiCam * cam_radians(delta - FollowerMotion::kFarDwellEnd) / kPhiReturn;
}
// Before the rise and from the end of the return on, the follower rests on the base circle.
bool at_rest(double delta) { return delta < 0 || delta >= FollowerMotion::kReturnEnd; }
bool in_return(double delta) {
    return delta >= FollowerMotion::kFarDwellEnd && delta < FollowerMotion::kReturnEnd;
}
}  // namespace

double FollowerMotion::lift(double delta) const {
    if (at_rest(delta)) return 0;
    if (delta <= kRiseEnd) return h * cam_radians(delta) / kPhi;
    if (delta < kFarDwellEnd) return h;
    const double back = cam_radians(delta - kFarDwellEnd);
    return h - h * back / kPhiReturn + h / (2 * kPiCam) * std::sin(return_phase(delta));
}

double FollowerMotion::velocity(double delta) const {
    if (at_rest(delta)) return 0;
    if (delta <= kRiseEnd) return kOmega * h / kPhi;
    if (delta < kFarDwellEnd) return 0;
    return (std::cos(return_phase(delta)) - 1) * kOmega * h / kPhiReturn;
}

double FollowerMotion::acceleration(double delta) const {
    if (!in_return(delta)) return 0;
    return -2 * kPiCam * h * kOmega * kOmega * std::sin(return_phase(delta)) / (kPhiReturn * kPhiReturn);
}

double FollowerMotion::slope(double delta) const {
    if (at_rest(delta)) return 0;
    if (delta < kRiseEnd) return h / kPhi;
    if (delta < kFarDwellEnd) return 0;
    return h / kPhiReturn * (std::cos(return_phase(delta)) - 1);
}

}  // namespace vm
