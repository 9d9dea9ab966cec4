// Physical limits of the eleven design parameters. Every window that takes
// these parameters from the student (the main window, the results window, the
// torque window's speed fluctuation) checks them here, so that one table
// decides what a meaningful design is.
#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "core/number_text.h"

namespace vm {

struct ParameterLimit {
    std::string_view box;           // box name in the main window
    double low;                     // smallest accepted value
    bool low_inclusive;             // whether `low` itself is accepted
    double high;                    // largest accepted value (keeps the analysis finite)
    std::string_view low_message;   // shown for a value below the range
    std::string_view high_message;  // shown for a value above it
};

// Order of the main window's boxes: hs_h, hs_d, hs_e, hs_k, lg_ak, qb_g,
// lg_g, hs_g, lg_rk, qb_w, sd_k.
//
// The lower bounds are physical: a piston has a diameter, a member does not
// weigh less than nothing, the crank turns clockwise at n > 0 (a negative n
// would reverse every velocity and the sign of the engine power), the rod's
// centre of mass lies between A and B, and a speed fluctuation of 0 would
// need an infinite flywheel. Offset and K must also let the synthesis build
// a mechanism, which the synthesis itself decides beyond these bounds.
//
// The upper bounds keep every figure of the analysis finite: with lengths up
// to 1e6 mm, weights up to 1e9 N and n up to 1e6 r/min the largest product,
// a torque m (omega^2 r) r, stays near 1e24 N*m, far inside a double.
inline constexpr std::array<ParameterLimit, 11> kParameterLimits{{
    {"hs_h", 0.0, false, 1e6, "活塞行程必须大于0", "活塞行程不能超过1000000 mm"},
    {"hs_d", 0.0, false, 1e6, "活塞直径必须大于0", "活塞直径不能超过1000000 mm"},
    {"hs_e", 0.0, false, 1e6, "活塞导路偏距必须大于0", "活塞导路偏距不能超过1000000 mm"},
    {"hs_k", 1.0, false, 1e6, "行程速比系数K必须大于1", "行程速比系数K不能超过1000000"},
    {"lg_ak", 0.0, true, 1.0, "连杆重心到A距离系数必须在0到1之间", "连杆重心到A距离系数必须在0到1之间"},
    {"qb_g", 0.0, true, 1e9, "曲柄重量不能小于0", "曲柄重量不能超过1000000000 N"},
    {"lg_g", 0.0, true, 1e9, "连杆重量不能小于0", "连杆重量不能超过1000000000 N"},
    {"hs_g", 0.0, true, 1e9, "活塞重量不能小于0", "活塞重量不能超过1000000000 N"},
    {"lg_rk", 0.0, true, 1e3, "连杆绕质心半径系数不能小于0", "连杆绕质心半径系数不能超过1000"},
    {"qb_w", 0.0, false, 1e6, "曲柄转速必须大于0（曲柄顺时针转动）", "曲柄转速不能超过1000000 r/min"},
    {"sd_k", 0.0, false, 1.0, "许用速度不均匀系数必须大于0", "许用速度不均匀系数不能超过1"},
}};

// Position of each parameter in the table above.
enum ParameterIndex : std::size_t {
    kHsH = 0, kHsD, kHsE, kHsK, kLgAk, kQbG, kLgG, kHsG, kLgRk, kQbW, kSdK, kParameterCount
};

// Whether one value lies within the limits of parameter i.
inline bool within_limits(std::size_t i, double v) {
    const ParameterLimit& lim = kParameterLimits[i];
    const bool low_ok = lim.low_inclusive ? v >= lim.low : v > lim.low;
    return std::isfinite(v) && low_ok && v <= lim.high;
}

// Index of the first parameter outside its limits, or nothing when all hold.
inline std::optional<std::size_t> first_out_of_limits(const std::array<double, 11>& values) {
    for (std::size_t i = 0; i < values.size(); ++i)
        if (!within_limits(i, values[i])) return i;
    return std::nullopt;
}

// The message for value v of parameter i, "" when it lies within the limits.
inline std::string_view limit_message(std::size_t i, double v) {
    if (within_limits(i, v)) return {};
    const ParameterLimit& lim = kParameterLimits[i];
    const bool low_ok = lim.low_inclusive ? v >= lim.low : v > lim.low;
    return low_ok ? lim.high_message : lim.low_message;
}

// Why a set of typed parameters is refused: the box and the message.
struct ParameterRefusal {
    std::size_t index = 0;
    std::string message;
};

// What is wrong with the text of parameter i, named by its box as a file or
// a table names it ("hs_k 的值“0.5”不合理：…"); none when it is a number
// within the limits.
inline std::optional<std::string> parameter_problem(std::size_t i, std::string_view text) {
    const std::string box(kParameterLimits[i].box), quoted = "的值“" + std::string(text) + "”";
    const auto v = to_number(text);
    if (!v) return box + " " + quoted + "不是数字";
    if (!within_limits(i, *v)) return box + " " + quoted + "不合理：" + std::string(limit_message(i, *v));
    return std::nullopt;
}

// The text shown when a box holds no number.
inline constexpr std::string_view kNotANumber = "请输入数据";

// The eleven texts in table order: the first that is not a number is refused
// with kNotANumber, then the first outside its limits with its own message.
// On success `values` holds the numbers.
inline std::optional<ParameterRefusal> check_parameters(const std::array<std::string, 11>& texts,
                                                        std::array<double, 11>* values = nullptr) {
    std::array<double, 11> v{};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto n = to_number(texts[i]);
        if (!n) return ParameterRefusal{i, std::string(kNotANumber)};
        v[i] = *n;
    }
    if (const auto bad = first_out_of_limits(v))
        return ParameterRefusal{*bad, std::string(limit_message(*bad, v[*bad]))};
    if (values) *values = v;
    return std::nullopt;
}

}  // namespace vm
