#include "core/answer_key.h"

#include <cmath>

#include "core/cam_mounting.h"
#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/number_text.h"
#include "core/torque_energy.h"

namespace vm {

std::vector<std::string> answer_key_header() {
    return {"连杆长 l (mm)",       "曲柄长 r (mm)",         "外止点角 (°)",        "内止点角 (°)",
            "最大气体压力 (N)",    "最大平衡力矩 (N·m)",    "平均阻力矩 (N·m)",    "最大盈功 (J)",
            "最大亏功 (J)",        "飞轮转动惯量 (kg·m²)",  "发动机功率 (W)",      "平衡质量 (kg)",
            "进气凸轮安装角 α (°)", "排气凸轮安装角 β (°)"};
}

std::optional<std::vector<std::string>> answer_key_cells(const DesignState& confirmed, double radius_cm) {
    DesignState s = confirmed;
    if (!fill_force_table(s)) return std::nullopt;
    const auto t = torque_figures(s);
    const auto mount = mounting_angles(val(s.hs_k));
    const auto mass = balancing_mass(val(s.qb_g) / kGravity, val(s.lg_g) / kGravity, val(s.lg_ak), s.qb_r / 1000,
                                     s.lg_l / 1000, radius_cm / 100);
    if (!t || !mount || !mass) return std::nullopt;
    double gas = 0, mb = 0;
    for (int row = 0; row < 720; ++row) {
        gas = std::max(gas, std::fabs(s.force_table.at(row, kFGas)));
        mb = std::max(mb, std::fabs(s.force_table.at(row, kMb)));
    }
    return std::vector<std::string>{format_0_00(s.lg_l),          format_0_00(s.qb_r),
                                    format_0_00(s.jd_wai),        format_0_00(s.jd_nei),
                                    format_0_00(gas),             format_0_00(mb),
                                    format_0_00(t->m_mean),       format_0_00(t->energy.e_max),
                                    format_0_00(t->energy.e_min), plain(t->j_fly),
                                    plain(t->p_eng),              plain(*mass),
                                    format_0_00(mount->alpha),    format_0_00(mount->beta)};
}

}  // namespace vm
