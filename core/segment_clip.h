// Clipping a segment to an axis-aligned box (Liang-Barsky), shared by the
// drawings that cut long members to their view and by the label placers that
// ask whether a line runs through a label.
#pragma once

#include <algorithm>
#include <optional>

namespace vm {

// The part of the segment inside the box, as parameters t0 <= t1 along it
// (t = 0 at the first end, 1 at the second).
struct SegmentSpan {
    double t0 = 0, t1 = 1;
};

// The box is [xmin, xmax] x [ymin, ymax]. With `open` its edges do not belong
// to it: a segment lying along an edge or only touching it is outside, and so
// is a span of no length.
inline std::optional<SegmentSpan> clip_segment(double x1, double y1, double x2, double y2, double xmin,
                                               double ymin, double xmax, double ymax, bool open = false) {
    SegmentSpan s;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (open ? q[i] <= 0 : q[i] < 0) return std::nullopt;  // parallel to this edge, outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            s.t0 = std::max(s.t0, t);
        else
            s.t1 = std::min(s.t1, t);
        if (open ? s.t0 >= s.t1 : s.t0 > s.t1) return std::nullopt;
    }
    return s;
}

}  // namespace vm
