// Arrow geometry, head rules and the fifteen-position grid.
#include "core/motion_polygons.h"

#include <algorithm>
#include <cmath>

#include "core/kinematics.h"
#include "core/number_text.h"

namespace vm {

namespace {
constexpr double kHead = 5;             // drawing units
constexpr double kBarbAngle = kPiArrow / 12;  // 15 degrees
constexpr double kGridStep = kTwoPiAnalysis / 15;  // 24 degrees between neighbouring positions
}  // namespace

Arrow arrow_geometry(double x0, double y0, double length, double theta, double head) {
    Arrow a;
    a.x0 = x0;
    a.y0 = y0;
    const double len = std::fabs(length);
    a.tip_x = x0 + len * std::cos(theta);
    a.tip_y = y0 + len * std::sin(theta);
    a.head = head;
    const double back = kPiArrow + theta;
    if (head != 0) {
        a.barb1_x = a.tip_x + head * std::cos(back + kBarbAngle);
        a.barb1_y = a.tip_y + head * std::sin(back + kBarbAngle);
        a.barb2_x = a.tip_x + head * std::cos(back - kBarbAngle);
        a.barb2_y = a.tip_y + head * std::sin(back - kBarbAngle);
    } else {
        a.barb1_x = a.barb2_x = a.tip_x;
        a.barb1_y = a.barb2_y = a.tip_y;
    }
    return a;
}

double head_exact_zero(double length) { return std::fabs(length) == 0 ? 0 : kHead; }

double head_hundredths(double length) { return int_floor(100 * std::fabs(length)) == 0 ? 0 : kHead; }

double head_scaled(double length, double& factor) {
    if (int_floor(100 * std::fabs(length)) == 0) factor = 0;
    return kHead * factor;
}

std::vector<GridPosition> fifteen_positions(double jd_wai, double first_angle_deg) {
    std::vector<GridPosition> out;
    out.reserve(15);
    double phi = (jd_wai - first_angle_deg) * kPiArrow / 180;
    double centre_v_y = 70, centre_a_y = 70;
    int k = 1;
    for (int row = 0; row < 3; ++row) {
        double centre_v_x = 75, centre_a_x = 80;
        for (int column = 0; column < 5; ++column) {
            GridPosition p;
            p.k = k;
            p.phi = phi;
            p.centre_v_x = centre_v_x;
            p.centre_v_y = centre_v_y;
            p.centre_a_x = centre_a_x;
            p.centre_a_y = centre_a_y;
            p.angle = format_0_00(jd_wai - phi * 180 / kPiArrow);
            out.push_back(p);
            ++k;
            phi -= kGridStep;
            centre_v_x += 90;
            centre_a_x += 90;
        }
        centre_v_y += 120;
        centre_a_y += 120;
    }
    return out;
}

std::string velocity_grid_label(const GridPosition& p) {
    return "A" + printed_number(p.k) + " φ＝" + p.angle + "度";
}

std::string acceleration_grid_label(const GridPosition& p) {
    return "A" + printed_number(p.k) + "φ＝" + p.angle + "度";
}

}  // namespace vm

namespace vm {

PolygonOffsets polygon_offsets(const Kinematics& k) {
    PolygonOffsets o;
    o.vx = {k.pole_v_x, k.pt_a_x, k.pole_v_x + k.v_bx};
    o.vy = {k.pole_v_y, k.pt_a_y, k.pole_v_y + k.v_by};
    o.ax = {k.pole_a_x, k.pt_a2_x, k.pt_n_x, k.pole_a_x};
    o.ay = {k.pole_a_y, k.pt_a2_y, k.pt_n_y, k.pole_a_y + k.a_by};
    return o;
}

namespace {
// Two significant digits, never above x: 23.7 -> 23, 0.0468 -> 0.046.
double round_down_2(double x) {
    if (!(x > 0) || !std::isfinite(x)) return 0;
    const double unit = std::pow(10.0, std::floor(std::log10(x)) - 1);
    const double r = std::floor(x / unit * (1 + 1e-12)) * unit;
    return r > x ? x : r;
}
}  // namespace

FittedScale fit_scale(const std::vector<double>& dx, const std::vector<double>& dy, double cx, double cy,
                      const PolygonBox& box, double margin, double typed) {
    double limit = INFINITY;
    auto bound = [&](double d, double low, double high) {
        if (d > 0) limit = std::min(limit, (high - margin) / d);
        if (d < 0) limit = std::min(limit, (low + margin) / d);
    };
    for (size_t i = 0; i < dx.size(); ++i) bound(dx[i], box.left - cx, box.right - cx);
    for (size_t i = 0; i < dy.size(); ++i) bound(dy[i], box.bottom - cy, box.top - cy);
    if (!(limit > 0)) limit = 0;
    if (typed <= limit) return {typed, false};
    return {round_down_2(limit), true};
}

}  // namespace vm
