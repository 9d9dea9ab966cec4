// The indicator diagram: intake at -1, compression up to the peak of 140 at the
// extended dead centre of the second turn, expansion, exhaust at 1.
#include "core/gas_pressure.h"

#include <algorithm>
#include <cmath>

#include "core/kinematics.h"
#include "core/number_text.h"

namespace vm {

std::optional<GasBreakPoints> gas_break_points(double r, double l, double e, double jd_wai, double jd_nei) {
    const auto perp = perpendicular_angles(r, l, e);
    if (!perp) return std::nullopt;
    GasBreakPoints bp;
    bp.P1 = jd_wai + 360 - perp->first * 180 / kPiAnalysis;
    bp.P2 = jd_wai + 360 - perp->second * 180 / kPiAnalysis;
    bp.E = jd_wai - jd_nei + 720;
    if (!std::isfinite(bp.P1) || !std::isfinite(bp.P2) || !std::isfinite(bp.E)) return std::nullopt;
    // A break point that left its 30-degree interval would make the first
    // matching segment jump (thousands of newtons within a degree). Each one
    // is held within the middle half of its interval instead, so that no
    // segment rises or falls faster than the steepest fixed one (48.5 over
    // 15 degrees of compression). Before E the curve is flat, so E needs only
    // the upper bound.
    bp.P2 = std::clamp(bp.P2, 270 + kBreakMargin, 300 - kBreakMargin);
    bp.P1 = std::clamp(bp.P1, 420 + kBreakMargin, 450 - kBreakMargin);
    bp.E = std::clamp(bp.E, 540.0, 570 - kBreakMargin);
    return bp;
}

std::optional<double> gas_pressure_at(double x, const GasBreakPoints& bp) {
    struct Segment {
        double a, b, p0, delta;
    };
    // In cycle order; on a shared end point the earlier segment wins (the
    // curve is continuous, so both give the same value).
    const Segment segments[] = {
        {0, 210, -1, 0},          {210, 240, -1, 2.5},      {240, 270, 1.5, 3.5},
        {270, bp.P2, 5, 3},       {bp.P2, 300, 8, 7},       {300, 330, 15, 28.5},
        {330, 345, 43.5, 48.5},   {345, 360, 92, 48},       {360, 390, 140, 0},
        {390, 420, 140, -67.5},   {420, bp.P1, 72.5, -22},  {bp.P1, 450, 50.5, -18},
        {450, 480, 32.5, -17.5},  {480, 510, 15, -7.5},     {510, 540, 7.5, -5},
        {540, bp.E, 2.5, 0},      {bp.E, 570, 2.5, -1.5},   {570, 720, 1, 0},
    };
    for (const Segment& s : segments) {
        if (s.a <= x && x <= s.b) {
            // A break point that has moved onto a fixed one leaves a segment of
            // zero length; it holds its start value.
            if (s.delta == 0 || s.b == s.a) return s.p0;
            return s.p0 + s.delta * (x - s.a) / (s.b - s.a);
        }
    }
    return std::nullopt;
}

long long cycle_degree(double jd_wai, double phi) {
    return int_floor(jd_wai - phi * 180 / kPiAnalysis + 1e-6);
}

std::optional<double> qitiyaqiang(double r, double l, double e, double phi, double jd_wai, double jd_nei,
                                  double previous) {
    const auto bp = gas_break_points(r, l, e, jd_wai, jd_nei);
    if (!bp || !std::isfinite(phi)) return std::nullopt;
    const double x = jd_wai - phi * 180 / kPiAnalysis;
    if (!(std::fabs(x) < 1e15)) return previous;
    return gas_pressure_at(static_cast<double>(cycle_degree(jd_wai, phi)), *bp).value_or(previous);
}

}  // namespace vm
