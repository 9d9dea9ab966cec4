// Physical limits of the eleven design parameters typed in the main window.
// Every window that reads these parameters should check them here, so that
// one table decides what a meaningful design is.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace vm {

struct ParameterLimit {
    std::string_view box;      // box name in the main window
    double low;                // smallest accepted value
    bool low_inclusive;        // whether `low` itself is accepted
    double high;               // largest accepted value (keeps the analysis finite)
    std::string_view message;  // shown when the value falls outside
};

// Order of the main window's boxes: hs_h, hs_d, hs_e, hs_k, lg_ak, qb_g,
// lg_g, hs_g, lg_rk, qb_w, sd_k. The range of K that the synthesis can build
// stays with the synthesis; here K only has to be a finite, bounded number.
inline constexpr std::array<ParameterLimit, 11> kParameterLimits{{
    {"hs_h", 0.0, false, 1e6, "活塞行程必须大于0且不超过1000000"},
    {"hs_d", 0.0, false, 1e6, "活塞直径必须大于0且不超过1000000"},
    {"hs_e", 0.0, true, 1e6, "偏距不能小于0且不超过1000000"},
    {"hs_k", -1e6, true, 1e6, "行程速比系数不能超过1000000"},
    {"lg_ak", 0.0, true, 1.0, "连杆重心到A距离系数必须在0到1之间"},
    {"qb_g", 0.0, true, 1e9, "曲柄重量不能小于0且不超过1000000000"},
    {"lg_g", 0.0, true, 1e9, "连杆重量不能小于0且不超过1000000000"},
    {"hs_g", 0.0, true, 1e9, "活塞重量不能小于0且不超过1000000000"},
    {"lg_rk", 0.0, true, 1e3, "连杆绕质心半径系数不能小于0且不超过1000"},
    {"qb_w", 0.0, false, 1e6, "曲柄转速必须大于0且不超过1000000"},
    {"sd_k", 0.0, false, 1.0, "许用速度不均匀系数必须大于0且不超过1"},
}};

// Whether one value lies within its parameter's limits (and is finite).
inline bool parameter_in_limits(const ParameterLimit& lim, double v) {
    const bool low_ok = lim.low_inclusive ? v >= lim.low : v > lim.low;
    return std::isfinite(v) && low_ok && v <= lim.high;
}

// Index of the first parameter outside its limits, or nothing when all hold.
inline std::optional<std::size_t> first_out_of_limits(const std::array<double, 11>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!parameter_in_limits(kParameterLimits[i], values[i])) return i;
    return std::nullopt;
}

}  // namespace vm
