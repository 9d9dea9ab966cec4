// Crank angles at which the two valve cams are fitted to their shafts: alpha for
// the intake (left) cam, beta for the exhaust (right) cam, over the 720-degree cycle.
#pragma once

#include <optional>

namespace vm {

// The mounting window's value of pi; the two factors cancel within rounding,
// which decides the last printed digit of beta.
inline constexpr double kPiMounting = 3.1415926;

// The intake valve opens 10 degrees before the top dead centre that ends the
// cycle, whatever K is: alpha, crank degrees.
inline constexpr double kIntakeMountingAngle = 710;

struct MountingAngles {
    double theta = 0;  // limit-position angle of the crank-slider, degrees
    double alpha = 0;  // intake valve starts to open, crank degrees
    double beta = 0;   // exhaust valve starts to open, crank degrees
};

// From the stroke-speed-ratio coefficient K. K = -1 has no limit-position
// angle (division by zero): nothing then.
std::optional<MountingAngles> mounting_angles(double k);

}  // namespace vm
