// Force polygons of crank, rod and piston from the force table.
#include "core/force_polygon.h"

#include "core/force_analysis.h"
#include "core/number_text.h"

namespace vm {

namespace {
constexpr std::uint32_t kRed = 255, kGreen = 65280, kYellow = 0xFFFF, kBlue = 0xFF0000, kMagenta = 0xFF00FF;
}  // namespace

std::vector<ForceStep> force_polygon(const ForceTable& t, int member, int n, const ForceAnalysis& m) {
    const char* inertia = "FI(惯性力)";
    switch (member) {
        case kCrank:
            // Frame on crank, rod on crank (R21 = -R12), inertia force, weight.
            return {{"R41", t.at(n, kR41x), t.at(n, kR41y), kRed, ForceDot::Red},
                    {"R21", -t.at(n, kR12x), -t.at(n, kR12y), kGreen, ForceDot::Green},
                    {inertia, t.at(n, kFI1x), t.at(n, kFI1y), kYellow, ForceDot::Yellow},
                    {"G", 0, -kGravity * m.m1, kBlue, ForceDot::Blue}};
        case kRod:
            return {{"R32", t.at(n, kR32x), t.at(n, kR32y), kRed, ForceDot::Red},
                    {"R12", t.at(n, kR12x), t.at(n, kR12y), kGreen, ForceDot::Green},
                    {inertia, t.at(n, kFI2x), t.at(n, kFI2y), kYellow, ForceDot::Yellow},
                    {"G", 0, -kGravity * m.m2, kBlue, ForceDot::Blue}};
        case kPiston:
            // The cylinder wall pushes sideways only; inertia, gas and weight act along the path.
            return {{"R43", t.at(n, kR43x), 0, kRed, ForceDot::Red},
                    {"R23", -t.at(n, kR32x), -t.at(n, kR32y), kGreen, ForceDot::Green},
                    {inertia, 0, t.at(n, kFI3), kYellow, ForceDot::Yellow},
                    {"P(气体压力)", 0, -t.at(n, kFGas), kMagenta, ForceDot::Magenta},
                    {"G", 0, -kGravity * m.m3, kBlue, ForceDot::Blue}};
        default:
            return {};
    }
}

AngleRow angle_row(std::string_view text) {
    const auto v = to_number(text);
    if (!v) return {AngleRowError::NotNumber, 0};
    if (*v < kForceAngleMin || *v > kForceAngleMax) return {AngleRowError::OutOfRange, 0};
    return {AngleRowError::None, static_cast<int>(cint(*v))};
}

}  // namespace vm
