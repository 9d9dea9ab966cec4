// The worked calculation a student writes beside the polygons: the vector
// equations of velocity and acceleration for one crank position, the
// equilibrium of one member's forces, the scales and each vector's drawn
// length; and the check of a hand-drawn polygon against the exact values.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/force_polygon.h"
#include "core/kinematics.h"

namespace vm {

// One vector of a sheet: what a measured length is compared with.
struct SheetVector {
    std::string name;   // "v_A", "aⁿ_BA", "R41" ...
    double magnitude = 0;  // m/s, m/s^2 or N, never negative
    std::string unit;
    double drawn_mm = 0;   // its length in the drawing
};

struct WorkedSheet {
    std::string text;  // the whole sheet, lines separated by '\n'
    std::vector<SheetVector> vectors;
    double mu = 0, mu2 = 0;  // (m/s)/mm and (m/s^2)/mm, or N/mm in mu alone
};

// Velocity and acceleration of the position k (unscaled, from jisuan) at the
// crank angle typed (degrees), r and l in m, omega1 in rad/s; scale_v and
// scale_a in drawing units per m/s and per m/s^2, mm_per_unit the size of a
// drawing unit. Magnitudes print as the motion window's boxes print them
// ("#0.00"); the first seven vectors are v_A, v_B, v_BA, a_A, a_B, aⁿ_BA, aᵗ_BA.
WorkedSheet motion_sheet(const Kinematics& k, double angle_deg, double r, double l, double omega1,
                         double scale_v, double scale_a, double mm_per_unit);

// Forces on `member` (kCrank, kRod, kPiston) at cycle angle `angle_deg` (row
// `row` of the table), drawn as F / n_per_mm millimetres; mb the balancing
// torque of that row, N*m.
WorkedSheet force_sheet(const std::vector<ForceStep>& steps, int member, double angle_deg, int row, double mb,
                        double n_per_mm);

// One measured vector against its exact value. A length stands for
// length * mu; the relative error is against the exact magnitude (none when the
// exact value is zero: then within means the measured length is under half a mm).
struct CheckLine {
    std::string name, unit;
    double measured_mm = 0, stands_for = 0, exact = 0;
    std::optional<double> relative_error;  // fraction, 0.1 is 10 %
    bool within = false;
};
struct DrawingCheck {
    std::vector<CheckLine> lines;
    int most_off = -1;  // index into lines, -1 when nothing was checked
    std::string text() const;
    // One line naming the vector that is most off, empty when nothing was checked.
    std::string summary() const;
};
inline constexpr double kCheckTolerance = 0.05;
// What a check accepts: lengths measured on paper, and scales (value per mm).
inline constexpr double kMaxMeasuredMm = 10000;
inline constexpr double kMaxCheckScale = 1e6;

// A scale with four significant digits ("0.2835", "0.008102", "14.29"); a
// dash when there is none.
std::string scale_text(double x);

// measured_mm[i] belongs to vectors[i]; empty entries are skipped. mu[i] is
// the scale for vectors[i] (value per mm).
DrawingCheck check_drawing(const std::vector<SheetVector>& vectors, const std::vector<std::optional<double>>& measured_mm,
                           const std::vector<double>& mu);

}  // namespace vm
