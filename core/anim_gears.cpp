// Gear table, its advance with the crank, and the tooth and hole geometry.
#include "core/anim_gears.h"

#include <cmath>

#include "core/kinematics.h"

namespace vm::anim {

namespace {
constexpr double kTwoPiGear = kTwoPiAnalysis;  // the gear drawing's full turn

Point on_circle(const Gear& g, double radius, double angle) {
    return {g.x + radius * std::cos(angle), g.y + radius * std::sin(angle)};
}
}  // namespace

GearTable gear_table_setup(double train_scale) {
    GearTable t;
    t.m *= train_scale;
    // Neighbouring centres lie at the sum of their pitch radii: 87.5 from the
    // crank gear to each idler, 150.5 from each idler to its cam gear.
    struct Row {
        double dx, dy;
        int z;
        double phase_deg;
    };
    constexpr Row rows[5] = {{0, 0, 36, 168},
                             {-86.14, 15.36, 14, -9.3},
                             {-120, 162, 72, -75.8},
                             {84.46, 22.87, 14, 190},
                             {195, 125, 72, -136}};
    for (int i = 0; i < 5; ++i) {
        Gear& g = t.gears[static_cast<size_t>(i)];
        g.x = kCrankX + train_scale * rows[i].dx;
        g.y = kCrankY + train_scale * rows[i].dy;
        g.z = rows[i].z;
        g.r = g.z * t.m / 2;
        g.alpha = deg_to_rad(rows[i].phase_deg);
    }
    return t;
}

void gear_advance(GearTable& table, double step) {
    const double z0 = table.gears[0].z;
    for (size_t i = 0; i < table.gears.size(); ++i) {
        Gear& g = table.gears[i];
        // Meshing reverses the sense: idlers (odd index) turn against the crank.
        const double turn = z0 / g.z * step;
        g.alpha += (i % 2 == 1) ? turn : -turn;
    }
}

double angular_pitch(const Gear& g) {
    return kTwoPiGear / g.z;
}

std::array<Point, 5> tooth_outline(const Gear& g, double m, int tooth) {
    const double tau = angular_pitch(g);
    const double beta = g.alpha + tooth * tau;
    const double a0 = beta - 0.14 * tau;
    const double a1 = a0 + 0.28 * tau;
    const double a2 = a1 + 0.25 * tau;
    const double a3 = a2 + 0.22 * tau;
    const double a4 = a3 + 0.25 * tau;
    const double rf = g.r - m, ra = g.r + m;
    return {on_circle(g, rf, a0), on_circle(g, ra, a1), on_circle(g, ra, a2), on_circle(g, rf, a3),
            on_circle(g, rf, a4)};
}

std::array<Point, 6> hole_centres(const Gear& g) {
    std::array<Point, 6> out;
    for (int k = 0; k < 6; ++k)
        out[static_cast<size_t>(k)] = on_circle(g, g.r / 2, g.alpha + k * kPiDegrees / 3);
    return out;
}

}  // namespace vm::anim
