// Geometry of the motion-analysis drawings: the arrow with its two barbs and
// the head rules of the three pictures, and the 5 x 3 grid of crank positions
// for the fifteen velocity and acceleration polygons.
#pragma once

#include <string>
#include <vector>

#include "core/kinematics.h"

namespace vm {

// The arrows belong to the motion-analysis window and use its pi.
inline constexpr double kPiArrow = kPiAnalysis;

// Shaft from (x0, y0) to the tip, then two barbs from the tip, each 15 degrees
// off the reversed direction. A zero head means no barbs: the arrow ends at its tip.
struct Arrow {
    double x0 = 0, y0 = 0;
    double tip_x = 0, tip_y = 0;
    double barb1_x = 0, barb1_y = 0;
    double barb2_x = 0, barb2_y = 0;
    double head = 0;
    bool has_head() const { return head != 0; }
    // Where the next label goes: the end of the second barb (the tip without a head).
    double end_x() const { return barb2_x; }
    double end_y() const { return barb2_y; }
};

// |length| along `theta` (rad from +x); the sign of the length is ignored, the
// direction comes from theta alone.
Arrow arrow_geometry(double x0, double y0, double length, double theta, double head);

// Head lengths of the three pictures, in drawing units.
// Fifteen velocity polygons: 5, or none for a vector of exactly zero length.
double head_exact_zero(double length);
// Fifteen acceleration polygons: 5, or none below a hundredth of a unit.
double head_hundredths(double length);
// Single-position diagram: 5 x factor; below a hundredth of a unit the
// caller's factor is set to 0 first, so that arrow has no head.
double head_scaled(double length, double& factor);

// One cell of the fifteen-position grid. Position 1 sits bottom left, 1..5
// run along the bottom row, and each next position turns the crank 24 degrees
// clockwise.
struct GridPosition {
    int k = 0;                       // 1..15
    double phi = 0;                  // crank angle, rad
    double centre_v_x = 0, centre_v_y = 0;
    double centre_a_x = 0, centre_a_y = 0;
    std::string angle;               // cycle angle "#0.00", not reduced modulo 360
};

// The fifteen positions from the first crank angle (degrees from the extended
// dead centre, clockwise) for the dead-centre angle jd_wai (degrees).
std::vector<GridPosition> fifteen_positions(double jd_wai, double first_angle_deg);

// Label under each velocity polygon: "A", k as a printed number, " φ＝", angle, "度".
std::string velocity_grid_label(const GridPosition& p);
// The acceleration label has no blank before "φ＝".
std::string acceleration_grid_label(const GridPosition& p);

}  // namespace vm

namespace vm {

// Fitting the single-position polygons into their part of the picture. The
// velocity and acceleration polygons each get a box (drawing units, y up) and
// their centroid's place in it; a typed scale is kept when the polygon with
// its labels fits, otherwise the largest scale that fits is used, rounded down
// to two significant digits so the student can read and reuse it.
struct PolygonBox {
    double left = 0, bottom = 0, right = 0, top = 0;
};
struct FittedScale {
    double scale = 0;     // drawing units per m/s (or per m/s^2)
    bool fitted = false;  // true when the typed scale would not fit
};

// Polygon vertices relative to the centroid at scale 1 (drawing units per unit of
// the quantity): velocity p, a, b; acceleration p', a', n', b'.
struct PolygonOffsets {
    std::vector<double> vx, vy, ax, ay;
};
PolygonOffsets polygon_offsets(const Kinematics& unit_scale_at_origin);

// Largest scale for which centre + scale * offset stays inside the box less
// `margin` on every side (label room); the typed scale when it is no larger.
FittedScale fit_scale(const std::vector<double>& dx, const std::vector<double>& dy, double centre_x,
                      double centre_y, const PolygonBox& box, double margin, double typed);

// Largest typed scale the window accepts; beyond it a polygon leaves any picture.
inline constexpr double kMaxPolygonScale = 1e6;

}  // namespace vm

namespace vm {

// Placing the names of points and the captions of a drawing so that no name
// covers another or is crossed by a line. Everything is in device pixels, y
// down; a label is the box its text fills.
struct LabelRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

// True when the boxes share more than their edges.
bool rects_overlap(const LabelRect& a, const LabelRect& b);
// True when the segment passes through the inside of the box.
bool segment_crosses(const LabelRect& r, double x1, double y1, double x2, double y2);

class LabelPlacer {
public:
    // Labels should stay inside `bounds` (the picture).
    explicit LabelPlacer(const LabelRect& bounds) : bounds_(bounds) {}

    void add_line(double x1, double y1, double x2, double y2);
    // A mark (an end dot) that no label may cover.
    void add_obstacle(const LabelRect& r);

    // A w x h label beside the point (ax, ay): the nearest free place, trying
    // right of the point first, then above-right, below-right, above, below
    // and the left side. The placed label counts as an obstacle from then on.
    LabelRect place_beside(double ax, double ay, double w, double h);
    // A w x h label with its top-left at (left, top) if that place is free,
    // otherwise the nearest free place around it, vertical moves first.
    LabelRect place_near(double left, double top, double w, double h);

    // Labels meant to share one line (the captions of a row of diagrams), each
    // given as its preferred box: the whole row moves up or down together by
    // the smallest step that frees every one of them; when no common move
    // does, each is placed on its own as place_near places it.
    std::vector<LabelRect> place_row(const std::vector<LabelRect>& preferred);

    // How many labels or lines a box at this place would touch, counting a
    // place outside the bounds as a conflict too.
    int conflicts(const LabelRect& r) const;

private:
    struct Line {
        double x1, y1, x2, y2;
    };
    // The first free candidate, or the one with the fewest conflicts.
    LabelRect choose(const std::vector<LabelRect>& candidates);

    LabelRect bounds_;
    std::vector<Line> lines_;
    std::vector<LabelRect> obstacles_;
    std::vector<LabelRect> labels_;
};

}  // namespace vm
