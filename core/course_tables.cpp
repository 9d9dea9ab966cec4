// Building the course design's CSV tables from the core's own results.
#include "core/course_tables.h"

#include <cmath>

#include "core/cam_motion.h"
#include "core/cam_profile.h"
#include "core/cam_quality.h"
#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/number_text.h"
#include "core/torque_energy.h"

namespace vm {
namespace {

std::string quoted_field(const std::string& f) {
    if (f.find_first_of(",\"\r\n") == std::string::npos) return f;
    std::string out = "\"";
    for (char c : f) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::vector<std::string> numbers(std::initializer_list<double> values) {
    std::vector<std::string> row;
    row.reserve(values.size());
    for (double v : values) row.push_back(plain(v));
    return row;
}

constexpr double kRadToDeg = 180 / kPiAnalysis;

}  // namespace

std::string csv_text(const CsvTable& table) {
    std::string out = "\xEF\xBB\xBF";
    auto line = [&out](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i) out += ',';
            out += quoted_field(fields[i]);
        }
        out += "\r\n";
    };
    line(table.header);
    for (const auto& row : table.rows) line(row);
    return out;
}

std::optional<CsvTable> kinematics_table(const DesignState& s) {
    const auto in = force_inputs(s);
    const auto n = to_number(s.qb_w);
    if (!in || !n) return std::nullopt;
    const double omega1 = -*n * 2 * kPiAnalysis / 60;
    const double step = kTwoPiAnalysis / 360;
    CsvTable t;
    t.header = {"循环转角 (°)", "曲柄转角 φ (°)", "活塞位置 s_B (mm)", "活塞位移 (mm，自上止点)",
                "活塞速度 v_B (m/s，向上为正)", "活塞加速度 a_B (m/s²，向上为正)", "连杆角 ψ (°)",
                "连杆角速度 ω2 (rad/s)", "连杆角加速度 α2 (rad/s²)", "v_A (m/s)", "v_BA (m/s)", "a_A (m/s²)",
                "aⁿ_BA (m/s²)", "aᵗ_BA (m/s²)"};
    double phi = s.jd_wai / kRadToDeg;
    double top = 0;
    for (int i = 0; i < 720; ++i, phi -= step) {
        const auto k = jisuan(in->r, in->l, in->e, phi, omega1);
        if (!k) return std::nullopt;
        if (i == 0) top = k->s_b;
        double crank = std::fmod(phi * kRadToDeg, 360.0);
        if (crank < 0) crank += 360;
        t.rows.push_back(numbers({double(i), crank, k->s_b * 1000, (top - k->s_b) * 1000, k->v_b, k->a_b,
                                  k->psi * kRadToDeg, k->omega2, k->alpha2, k->v_a, k->v_ba, k->a_a, k->a_ba_n,
                                  k->a_ba_t}));
    }
    return t;
}

CsvTable force_table_csv(const ForceTable& table) {
    CsvTable t;
    t.header = {"循环转角 (°)", "R41x (N)", "R41y (N)", "R12x (N)", "R12y (N)", "R32x (N)",
                "R32y (N)", "R43x (N)", "平衡力矩 Mb (N·m)", "FI1x (N)", "FI1y (N)", "FI2x (N)",
                "FI2y (N)", "FI3 (N)", "气体压力 F (N)"};
    for (int row = 0; row < 720; ++row) {
        std::vector<std::string> r{std::to_string(row)};
        for (int c = 0; c < kForceColumns; ++c) r.push_back(plain(table.at(row, c)));
        t.rows.push_back(std::move(r));
    }
    return t;
}

CsvTable torque_energy_table(const TorqueFigures& f) {
    CsvTable t;
    t.header = {"循环转角 (°)", "驱动力矩 Mb (N·m)", "平均阻力矩 Mr (N·m)", "盈亏力矩 Mb − Mr (N·m)",
                "盈亏功 ΔW (J)"};
    const auto excess = excess_torques(f.mom, f.m_mean);
    const auto energy = running_energy(excess, f.dx);
    for (std::size_t i = 0; i < std::size_t(kTorqueSamples); ++i)
        t.rows.push_back(numbers({double(i), f.mom[i], f.m_mean, double(excess[i]), energy[i]}));
    return t;
}

CsvTable follower_motion_table(const FollowerMotion& m) {
    CsvTable t;
    t.header = {"凸轮转角 δ (°)", "位移 s (mm)", "速度 v (mm/s，ω = 1 rad/s)", "加速度 a (mm/s²，ω = 1 rad/s)"};
    for (int d = 0; d <= 360; ++d)
        t.rows.push_back(numbers({double(d), m.lift(d), m.velocity(d), m.acceleration(d)}));
    return t;
}

CsvTable cam_profile_table(const CamProfile& p) {
    CsvTable t;
    t.header = {"凸轮转角 δ (°)", "理论轮廓 x (mm)", "理论轮廓 y (mm)", "实际轮廓 x (mm)", "实际轮廓 y (mm)"};
    for (int d = 0; d < 360; ++d) {
        const ProfileSample s = p.sample_at(d);
        t.rows.push_back(numbers({double(d), s.pitch.x, s.pitch.y, s.actual.x, s.actual.y}));
    }
    return t;
}

CsvTable cam_quality_table(const CamQuality& q, double rr) {
    CsvTable t;
    t.header = {"凸轮转角 δ (°)", "压力角 α (°)", "理论轮廓曲率半径 ρ (mm，凸为正)", "实际轮廓曲率半径 ρ − rr (mm)",
                "跃度 j (mm/s³，ω = 1 rad/s)"};
    for (const QualityPoint& p : q.curve) {
        const bool curved = p.curvature != 0 && std::isfinite(1 / p.curvature);
        const double rho = curved ? 1 / p.curvature : 0;
        t.rows.push_back({plain(p.delta), plain(p.alpha), curved ? plain(rho) : "", curved && rho > 0 ? plain(rho - rr) : "",
                          plain(p.jerk)});
    }
    return t;
}

}  // namespace vm
