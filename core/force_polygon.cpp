// Force polygons of crank, rod and piston from the force table.
#include "core/force_polygon.h"

#include "core/force_analysis.h"
#include "core/number_text.h"

namespace vm {

std::uint32_t dot_colour(ForceDot dot) {
    switch (dot) {
        case ForceDot::Red: return 255;
        case ForceDot::Green: return 65280;
        case ForceDot::Yellow: return 0xFFFF;
        case ForceDot::Blue: return 0xFF0000;
        case ForceDot::Magenta: return 0xFF00FF;
    }
    return 0;
}

std::vector<ForceStep> force_polygon(const ForceTable& t, int member, int n, const ForceAnalysis& m) {
    using enum ForceDot;
    const char* inertia = "FI(惯性力)";
    switch (member) {
        case kCrank:
            // Frame on crank, rod on crank (R21 = -R12), inertia force, weight.
            return {{"R41", t.at(n, kR41x), t.at(n, kR41y), Red},
                    {"R21", -t.at(n, kR12x), -t.at(n, kR12y), Green},
                    {inertia, t.at(n, kFI1x), t.at(n, kFI1y), Yellow},
                    {"G", 0, -kGravity * m.m1, Blue}};
        case kRod:
            return {{"R32", t.at(n, kR32x), t.at(n, kR32y), Red},
                    {"R12", t.at(n, kR12x), t.at(n, kR12y), Green},
                    {inertia, t.at(n, kFI2x), t.at(n, kFI2y), Yellow},
                    {"G", 0, -kGravity * m.m2, Blue}};
        case kPiston:
            // The cylinder wall pushes sideways only; inertia, gas and weight act along the path.
            return {{"R43", t.at(n, kR43x), 0, Red},
                    {"R23", -t.at(n, kR32x), -t.at(n, kR32y), Green},
                    {inertia, 0, t.at(n, kFI3), Yellow},
                    {"P(气体压力)", 0, -t.at(n, kFGas), Magenta},
                    {"G", 0, -kGravity * m.m3, Blue}};
        default:
            return {};
    }
}

AngleRow angle_row(std::string_view text) {
    const auto v = to_number(text);
    if (!v) return {AngleRowError::NotNumber, 0};
    if (*v < kForceAngleMin || *v > kForceAngleMax) return {AngleRowError::OutOfRange, 0};
    return {AngleRowError::None, cycle_row(cint(*v))};
}

}  // namespace vm

namespace vm {

int cycle_row(long long degrees) {
    constexpr long long kCycle = 720;
    return static_cast<int>(((degrees % kCycle) + kCycle) % kCycle);
}

}  // namespace vm
