// Arrow geometry, head rules and the fifteen-position grid.
#include "core/motion_polygons.h"
#include "core/segment_clip.h"

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

namespace vm {

namespace {
// Clearance kept between a label and its neighbours, pixels.
constexpr double kLabelClearance = 2;

LabelRect grown(const LabelRect& r, double d) { return {r.left - d, r.top - d, r.right + d, r.bottom + d}; }
}  // namespace

bool rects_overlap(const LabelRect& a, const LabelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool segment_crosses(const LabelRect& r, double x1, double y1, double x2, double y2) {
    // Any of the segment left inside the open box.
    return clip_segment(x1, y1, x2, y2, r.left, r.top, r.right, r.bottom, true).has_value();
}

void LabelPlacer::add_line(double x1, double y1, double x2, double y2) {
    if (std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))
        lines_.push_back({x1, y1, x2, y2});
}

void LabelPlacer::add_obstacle(const LabelRect& r) { obstacles_.push_back(r); }

int LabelPlacer::conflicts(const LabelRect& r) const {
    const LabelRect g = grown(r, kLabelClearance);
    int n = 0;
    if (r.left < bounds_.left || r.top < bounds_.top || r.right > bounds_.right || r.bottom > bounds_.bottom) ++n;
    for (const LabelRect& o : labels_) n += rects_overlap(g, o);
    for (const LabelRect& o : obstacles_) n += rects_overlap(g, o);
    for (const Line& l : lines_) n += segment_crosses(g, l.x1, l.y1, l.x2, l.y2);
    return n;
}

LabelRect LabelPlacer::choose(const std::vector<LabelRect>& candidates) {
    LabelRect best = candidates.front();
    int best_n = -1;
    for (const LabelRect& c : candidates) {
        const int n = conflicts(c);
        if (best_n < 0 || n < best_n) {
            best = c;
            best_n = n;
        }
        if (n == 0) break;
    }
    labels_.push_back(best);
    return best;
}

LabelRect LabelPlacer::place_beside(double ax, double ay, double w, double h) {
    // Sides as (dx, dy): the box's centre moves off the point by half its size
    // plus the gap in each direction that is not zero.
    constexpr int kSides[8][2] = {{1, 0}, {1, -1}, {1, 1}, {0, -1}, {0, 1}, {-1, 0}, {-1, -1}, {-1, 1}};
    constexpr double kGaps[] = {2, 4, 6, 9, 12, 16, 20, 25, 30, 36, 44, 52, 60};
    std::vector<LabelRect> candidates;
    for (double gap : kGaps)
        for (const auto& side : kSides) {
            const double cx = ax + side[0] * (w / 2 + gap), cy = ay + side[1] * (h / 2 + gap);
            candidates.push_back({cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2});
        }
    return choose(candidates);
}

std::vector<LabelRect> LabelPlacer::place_row(const std::vector<LabelRect>& preferred) {
    if (preferred.empty()) return {};
    const double step = std::max(2.0, preferred.front().height() / 4);
    for (int k = 0; k <= 16; ++k)
        for (const double dy : {-k * step, k * step}) {
            bool free = true;
            for (size_t i = 0; free && i < preferred.size(); ++i) {
                const LabelRect& r = preferred[i];
                const LabelRect moved{r.left, r.top + dy, r.right, r.bottom + dy};
                free = conflicts(moved) == 0;
                // Two captions of the row must not meet each other either.
                for (size_t j = 0; free && j < i; ++j)
                    free = !rects_overlap(grown(moved, kLabelClearance),
                                          {preferred[j].left, preferred[j].top + dy, preferred[j].right,
                                           preferred[j].bottom + dy});
            }
            if (!free) continue;
            std::vector<LabelRect> out;
            for (const LabelRect& r : preferred) {
                out.push_back({r.left, r.top + dy, r.right, r.bottom + dy});
                labels_.push_back(out.back());
            }
            return out;
        }
    std::vector<LabelRect> out;
    for (const LabelRect& r : preferred) out.push_back(place_near(r.left, r.top, r.width(), r.height()));
    return out;
}

LabelRect LabelPlacer::place_near(double left, double top, double w, double h) {
    std::vector<LabelRect> candidates;
    auto add = [&](double dx, double dy) { candidates.push_back({left + dx, top + dy, left + dx + w, top + dy + h}); };
    add(0, 0);
    const double step = std::max(2.0, h / 4);
    for (int k = 1; k <= 16; ++k) {
        add(0, -k * step);
        add(0, k * step);
    }
    for (int k = 1; k <= 16; ++k)
        for (int j = -8; j <= 8; ++j) {
            add(k * step, j * step);
            add(-k * step, j * step);
        }
    return choose(candidates);
}

}  // namespace vm
