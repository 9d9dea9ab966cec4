// Set-up and per-tick advance of the planar engine animation.
#include "core/anim_model.h"

namespace vm::anim {

double step_for_speed(int value) {
    return value / 50.0;
}

bool anim_setup(AnimationModel& m, std::string_view h, std::string_view d, std::string_view e,
                std::string_view k, std::string_view crank_position, double width_px,
                double height_px) {
    const auto entries = read_entries(h, d, e, k);
    if (!entries) return false;
    const auto dims = anim_dimensions(*entries);
    if (!dims) return false;
    const double crank = crank_angle_from_text(crank_position);
    // Every crank angle must be drawable, not only the typed one: the folded
    // limit needs b - a >= e, which also keeps the rod reaching the path.
    const auto pos = anim_positions(*entries, *dims, crank);
    if (!pos) return false;
    m.stroke_h = h;
    m.bore_d = d;
    m.offset_e = e;
    m.ratio_k = k;
    m.entries = *entries;
    m.dims = *dims;
    m.pos = *pos;
    m.crank_angle = crank;
    m.layout = anim_layout(*entries, *dims, width_px, height_px);
    m.gears = gear_table_setup(m.layout.train_scale);
    m.right = right_cam_track(m.layout.train_scale);
    m.left = left_cam_track(m.layout.train_scale);
    m.ready = true;
    return true;
}

void anim_advance(AnimationModel& m) {
    if (!m.ready) return;
    gear_advance(m.gears, m.step_angle);
    m.crank_angle -= m.step_angle;
    // Positions exist for every crank angle once set-up accepted the dimensions.
    if (const auto pos = anim_positions(m.entries, m.dims, m.crank_angle)) m.pos = *pos;
    const double cam_step =
        static_cast<double>(m.gears.gears[0].z) / m.gears.gears[2].z * m.step_angle;
    cam_advance(m.right, cam_step);
    cam_advance(m.left, cam_step);
}

}  // namespace vm::anim
