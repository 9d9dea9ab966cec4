// Cam mounting angles from the limit-position angle.
#include "core/cam_mounting.h"

#include <cmath>

namespace vm {

std::optional<MountingAngles> mounting_angles(double k) {
    if (k + 1 == 0) return std::nullopt;
    MountingAngles m;
    // theta = (K - 1) pi / (K + 1) in radians, turned into degrees; kept in this
    // order because the result is shown with 15 significant digits.
    m.theta = (k - 1) * kPiMounting / (k + 1) * 180 / kPiMounting;
    if (!std::isfinite(m.theta)) return std::nullopt;
    m.alpha = kIntakeMountingAngle;
    m.beta = m.theta + 508;
    return m;
}

}  // namespace vm
