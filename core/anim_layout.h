// Layout of the planar engine animation: how large the timing train is drawn
// beside a given crank-slider, and which part of the plane the picture shows,
// so that the cylinder never stands across the gears and nothing leaves the
// picture.
#pragma once

#include "core/anim_mechanism.h"

namespace vm::anim {

struct AnimationLayout {
    // Gears, cams and rollers drawn this size about the crank centre (1: as
    // built, module 3.5); below 1 (in steps of 5 %, down to 0.01) when the
    // cylinder would stand across them.
    double train_scale = 1;
    // The picture's proportional scale: left edge, top edge and width in
    // drawing units (y up). `fitted` false: the fixed 700-unit-wide view with
    // the bottom edge at 0; true: a wider view, which keeps a band at its top
    // free for a note of its scale.
    bool fitted = false;
    double left = 0, top = 0, width = 700;
};

// Nearest approach (drawing units, at full train size) the train keeps to the
// cylinder, the head and the valves.
inline constexpr double kTrainClearance = 4;

// The layout for a mechanism that anim_positions accepts, on a picture of
// width_px x height_px. The fixed view and the full-size train are kept
// wherever they fit.
AnimationLayout anim_layout(const Entries& in, const Dimensions& dim, double width_px,
                            double height_px);

// The smallest box holding everything the picture shows over a whole cycle
// (crank circle, cylinder and head, both valves at rest and fully open, gears
// and pivots) for a given train scale: left, bottom, right, top.
struct Extent {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};
Extent scene_extent(const Entries& in, const Dimensions& dim, double train_scale);

// Whether a train of this scale keeps its clearance from the cylinder, the
// head and the valves (the valve stem and push rod, which reach down to the
// rollers, excepted, and the crank gear from the bore, since it turns with
// the crank under the piston).
bool train_clear(const Entries& in, const Dimensions& dim, double train_scale);

}  // namespace vm::anim
