// The one record the windows share: design parameters as typed, the derived
// dimensions, the kinematics and forces of the current position, and the force
// table over the four-stroke cycle. main() owns it; windows get it by reference.
#pragma once

#include <array>
#include <string>

#include "core/kinematics.h"

namespace vm {

// Section E: kinetostatic analysis of one position (forces N, torques N*m).
// Rij is the force of member i on member j; 1 crank, 2 rod, 3 piston, 4 frame.
struct ForceAnalysis {
    double g1 = 0, g2 = 0, g3 = 0;  // member weights, N
    double m1 = 0, m2 = 0, m3 = 0;  // masses G/9.8, kg
    double p_gas = 0;               // value of the gas-pressure curve here
    double f_gas = 0;               // gas force on the piston, N
    double f_hs = 0;                // sum of the known vertical forces on the piston, N
    double MI2 = 0;                 // inertia torque of the rod, N*m
    double aS1x = 0, aS1y = 0;      // acceleration of the crank's centre of mass, m/s^2
    double aS2x = 0, aS2y = 0;      // acceleration of the rod's centre of mass, m/s^2
    double FI1x = 0, FI1y = 0;      // inertia force of the crank, N
    double FI2x = 0, FI2y = 0;      // inertia force of the rod, N
    double FI3 = 0;                 // inertia force of the piston (along y), N
    double R12x = 0, R12y = 0;      // crank on rod
    double R32x = 0, R32y = 0;      // piston on rod
    double R23y = 0;                // rod on piston, vertical
    double R41x = 0, R41y = 0;      // frame on crank
    double R43x = 0;                // cylinder wall on piston, side force
    double Mb = 0;                  // balancing torque on the crank, N*m
};

// Force table: rows are whole degrees of cycle angle, -720..720 (only 0..719 are
// filled; rows never filled read as zeros), 14 columns.
enum ForceColumn {
    kR41x = 0, kR41y, kR12x, kR12y, kR32x, kR32y, kR43x, kMb,
    kFI1x, kFI1y, kFI2x, kFI2y, kFI3, kFGas, kForceColumns
};

class ForceTable {
public:
    static constexpr int kFirstRow = -720;
    static constexpr int kLastRow = 720;
    // Value at (row, column); rows and columns outside the table read as 0.
    double at(int row, int column) const {
        if (row < kFirstRow || row > kLastRow || column < 0 || column >= kForceColumns) return 0;
        return rows_[row - kFirstRow][column];
    }
    // Writes are ignored outside the table.
    void set(int row, int column, double value) {
        if (row < kFirstRow || row > kLastRow || column < 0 || column >= kForceColumns) return;
        rows_[row - kFirstRow][column] = value;
    }
    void clear() { rows_ = {}; }

private:
    std::array<std::array<double, kForceColumns>, kLastRow - kFirstRow + 1> rows_{};
};

struct DesignState {
    // Section A: the eleven parameters as typed in the main window.
    std::string hs_h;   // piston stroke H, mm
    std::string hs_d;   // piston diameter D, mm
    std::string hs_e;   // offset e of the piston path, mm
    std::string hs_k;   // stroke-speed ratio K
    std::string lg_ak;  // A-to-centre-of-mass distance of the rod / l
    std::string qb_g;   // crank weight G1, N
    std::string lg_g;   // rod weight G2, N
    std::string hs_g;   // piston weight G3, N
    std::string lg_rk;  // rod inertia coefficient: J = m2 * lg_rk * l^2
    std::string qb_w;   // crank speed n, r/min
    std::string sd_k;   // allowed coefficient of speed fluctuation delta

    // Section B: derived at confirmation, by the main window only. The
    // results window reports on the design in its own boxes and leaves these
    // as they are, so that they always belong to one mechanism with A.
    double lg_l = 0;    // rod length l, mm
    double qb_r = 0;    // crank length r, mm
    double jd_wai = 0;  // crank angle of the extended (top) dead centre, degrees
    double jd_nei = 0;  // crank angle of the folded (bottom) dead centre, degrees

    // Section C inputs of the current position.
    double qb_r_k = 0, lg_l_k = 0, hs_e_k = 0;  // r, l, e in m
    double omega1 = 0;                          // crank angular velocity -2*pi*n/60, rad/s
    double phi = 0;                             // crank angle, rad
    // Sections C and D: kinematics and vector components of the current position
    // (scaled to drawing units by the motion-analysis window).
    Kinematics kin;
    PolygonScale poly;  // scale_v, scale_a and the polygon centres of that window

    // Section E and the force table.
    ForceAnalysis force;
    int jd_i = 0;  // cycle angle of the force-table row being filled (0..719)
    ForceTable force_table;

    // True once the main window has stored a confirmed parameter set.
    bool confirmed = false;

    // Inputs of the other windows that a design file keeps with the eleven
    // parameters, as typed. The cam window opens with these texts and stores
    // them each time it draws a profile; Form2 does the same with its angle;
    // the main window's export asks for the positions starting from these.
    std::string cam_high = "10";    // follower lift h, mm (cam window's HIGH)
    std::string cam_base = "60";    // base-circle radius r0 of the theoretical profile, mm (BASE)
    std::string cam_offset = "5";   // offset e of the follower's line of travel, mm (OFFSET)
    std::string cam_roll = "10";    // roller radius, mm (roll)
    std::string force_angle = "0";  // cycle angle of Form2's force polygons, degrees (f_itxt)
    std::array<int, 2> export_positions{1, 7};  // the two report positions (1..24) worked out in full
};

// The eleven parameters in the main window's box order, hs_h to sd_k.
inline constexpr std::array<std::string DesignState::*, 11> kParameterFields{
    &DesignState::hs_h, &DesignState::hs_d, &DesignState::hs_e, &DesignState::hs_k,
    &DesignState::lg_ak, &DesignState::qb_g, &DesignState::lg_g, &DesignState::hs_g,
    &DesignState::lg_rk, &DesignState::qb_w, &DesignState::sd_k};

// Their texts as the state holds them, in that order.
inline std::array<std::string, 11> parameter_texts(const DesignState& s) {
    std::array<std::string, 11> t;
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = s.*kParameterFields[i];
    return t;
}

}  // namespace vm
