// Curve heights, sample angles and marker places of the demonstrator's motion
// diagram.
#include "core/special_curves.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace vm::special {

namespace {
// Half the marker's size in diagram units, so its centre falls on the curve.
constexpr double kMarkerHalfWidth = 0.1;
constexpr double kMarkerHalfHeight = 0.4;
}  // namespace

std::optional<CurveValues> curve_values(const CrankSlider& m, double H, double t,
                                        const CurveScales& scales) {
    if (!(H > 0)) return std::nullopt;
    const auto p = slider_at(m, -t);
    if (!p) return std::nullopt;
    return CurveValues{kDisplacementUnits * p->S / H, scales.velocity * kVelocityUnits * p->dy / H,
                       -scales.acceleration * kAccelerationUnits * p->ddy / H};
}

CurveScales curve_scales(const CrankSlider& m, double H) {
    // The peaks are found on the grid of the finest curve drawn, and kept a
    // little inside the reach, clear of the names under the turn lines.
    double v_max = 0, a_max = 0;
    for (double t : curve_angles(kPiSpecial / 5000)) {
        const auto v = curve_values(m, H, t);
        if (!v) continue;
        v_max = std::max(v_max, std::fabs(v->velocity));
        a_max = std::max(a_max, std::fabs(v->acceleration));
    }
    constexpr double kInside = 0.97 * kCurveReach;
    return {v_max > kCurveReach ? kInside / v_max : 1, a_max > kCurveReach ? kInside / a_max : 1};
}

std::vector<double> curve_angles(double delta) {
    std::vector<double> out;
    if (!(delta > 0) || !std::isfinite(delta)) return out;
    for (double t = 0; t <= kDiagramTurn; t += delta) out.push_back(t);
    return out;
}

double within_turn(double x) {
    double w = std::fmod(x, kDiagramTurn);
    if (w < 0) w += kDiagramTurn;
    // -1e-17 comes back as a whole turn after the addition.
    return w >= kDiagramTurn ? 0 : w;
}

std::optional<MarkerPlaces> marker_places(const CrankSlider& m, double H, double x,
                                          const CurveScales& scales) {
    if (!std::isfinite(x)) return std::nullopt;
    const double t = within_turn(x);
    const auto v = curve_values(m, H, t, scales);
    if (!v) return std::nullopt;
    return MarkerPlaces{t, t - kMarkerHalfWidth, v->displacement + kMarkerHalfHeight,
                        v->velocity + kMarkerHalfHeight, v->acceleration + kMarkerHalfHeight};
}

double marker_angle(double total_degrees_shown) {
    const auto whole = vb_mod(total_degrees_shown, 360);
    return static_cast<double>(whole.value_or(0)) * kPiSpecial / 180;
}

}  // namespace vm::special
