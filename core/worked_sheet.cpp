// Text of the worked calculation and the check of a hand-drawn polygon; every
// figure is printed by the shared number rules, the same way the windows show it.
#include "core/worked_sheet.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace vm {

namespace {
constexpr double kRadToDeg = 180 / kPiAnalysis;

// Direction angle from +x, counter-clockwise, in 0..360 degrees.
std::string direction(double rad) {
    double deg = std::fmod(rad * kRadToDeg, 360.0);
    if (deg < 0) deg += 360;
    if (deg >= 359.995) deg = 0;
    return format_0_00(deg) + "°";
}

// A link length in metres to a hundredth of a millimetre ("0.11173 m").
std::string metres(double x) { return format_fixed(x, 5) + " m"; }

// A signed value squared as a student writes it: "(-64.93)²", not "-64.93²".
std::string squared(double v) {
    const std::string t = format_0_00(v);
    return (t.rfind('-', 0) == 0 ? "(" + t + ")" : t) + "²";
}

}  // namespace

std::string scale_text(double x) {
    if (!(x > 0) || !std::isfinite(x)) return "—";
    const int digits = std::max(0, 3 - static_cast<int>(std::floor(std::log10(x))));
    return format_fixed(x, std::min(digits, 12));
}

WorkedSheet motion_sheet(const Kinematics& k, double angle_deg, double r, double l, double omega1, double scale_v,
                         double scale_a, double mm_per_unit) {
    WorkedSheet s;
    const double mm_v = scale_v * mm_per_unit, mm_a = scale_a * mm_per_unit;
    s.mu = mm_v > 0 ? 1 / mm_v : 0;
    s.mu2 = mm_a > 0 ? 1 / mm_a : 0;
    struct Row {
        const char* name;
        double value, dir;
        bool velocity;
    };
    const Row rows[7] = {{"v_A", k.v_a, k.dir_v_a, true},       {"v_B", k.v_b, k.dir_v_b, true},
                         {"v_BA", k.v_ba, k.dir_v_ba, true},    {"a_A", k.a_a, k.dir_a_a, false},
                         {"a_B", k.a_b, k.dir_a_b, false},      {"aⁿ_BA", k.a_ba_n, k.dir_a_ba_n, false},
                         {"aᵗ_BA", k.a_ba_t, k.dir_a_ba_t, false}};
    for (const Row& row : rows) {
        const double m = std::fabs(row.value);
        s.vectors.push_back({row.name, m, row.velocity ? "m/s" : "m/s^2", m * (row.velocity ? mm_v : mm_a)});
    }
    auto value = [&](int i) {
        return std::string(rows[i].name) + " = " + format_0_00(rows[i].value) + " " + s.vectors[i].unit +
               "，方向角 " + direction(rows[i].dir);
    };
    std::string& t = s.text;
    t += "曲柄转角 φ = " + format_0_00(angle_deg) + "°（活塞最高时为零，顺时针转动）";
    // Whole turns bring the crank back to the same place.
    const double within_turn = std::fmod(angle_deg, 360.0);
    if (std::fabs(angle_deg) >= 360) t += "，与 " + format_0_00(within_turn) + "° 同一位置";
    t += "\n";
    // The crank turns clockwise, so omega1 is negative and so is v_A = omega1 * l_OA.
    t += "ω1 = " + format_0_00(omega1) + " rad/s（顺时针），l_OA = " + metres(r) + "，l_AB = " + metres(l) + "\n";
    t += "（方向角自 +x 轴逆时针量起）\n\n";
    t += "一、速度分析\n";
    t += "  矢量方程：v_B = v_A + v_BA\n";
    t += "    v_B：方向沿导路（竖直），大小未知\n";
    t += "    v_A：方向⊥OA、顺ω1转向，大小 ω1·l_OA（已知）\n";
    t += "    v_BA：方向⊥AB，大小未知\n";
    t += "  已知：v_A = ω1·l_OA = " + format_0_00(omega1) + " × " + format_fixed(r, 5) + " = " +
         format_0_00(k.v_a) + " m/s，方向角 " + direction(k.dir_v_a) + "\n";
    t += "  未知：v_B、v_BA 的大小（两方向已知），作速度多边形解得：\n";
    t += "    " + value(1) + "\n    " + value(2) + "\n";
    t += "    ω2 = v_BA / l_AB = " + format_0_00(k.omega2) + " rad/s\n";
    t += "  速度比例尺 μv = " + scale_text(s.mu) + " (m/s)/mm\n";
    t += "  图上长度：pa = " + mm_text(s.vectors[0].drawn_mm) + "，pb = " + mm_text(s.vectors[1].drawn_mm) +
         "，ab = " + mm_text(s.vectors[2].drawn_mm) + "\n\n";
    t += "二、加速度分析\n";
    t += "  矢量方程：a_B = a_A + aⁿ_BA + aᵗ_BA\n";
    t += "    a_B：方向沿导路（竖直），大小未知\n";
    t += "    a_A：方向 A→O，大小 ω1²·l_OA（已知）\n";
    t += "    aⁿ_BA：方向 B→A，大小 ω2²·l_AB（已知）\n";
    t += "    aᵗ_BA：方向⊥AB，大小未知\n";
    t += "  已知：a_A = ω1²·l_OA = " + squared(omega1) + " × " + format_fixed(r, 5) + " = " +
         format_0_00(k.a_a) + " m/s^2，方向角 " + direction(k.dir_a_a) + "\n";
    t += "        aⁿ_BA = ω2²·l_AB = " + squared(k.omega2) + " × " + format_fixed(l, 5) + " = " +
         format_0_00(k.a_ba_n) + " m/s^2，方向角 " + direction(k.dir_a_ba_n) + "\n";
    t += "  未知：a_B、aᵗ_BA 的大小（两方向已知），作加速度多边形解得：\n";
    t += "    " + value(4) + "\n    " + value(6) + "\n";
    t += "    α2 = aᵗ_BA / l_AB = " + format_0_00(k.alpha2) + " rad/s^2\n";
    t += "  加速度比例尺 μa = " + scale_text(s.mu2) + " (m/s^2)/mm\n";
    t += "  图上长度：p'a' = " + mm_text(s.vectors[3].drawn_mm) + "，p'b' = " + mm_text(s.vectors[4].drawn_mm) +
         "，a'n' = " + mm_text(s.vectors[5].drawn_mm) + "，n'b' = " + mm_text(s.vectors[6].drawn_mm) + "\n";
    t += "\n三、结果汇总\n";
    for (int i = 0; i < 7; ++i) t += "  " + value(i) + "\n";
    return s;
}

WorkedSheet force_sheet(const std::vector<ForceStep>& steps, int member, double angle_deg, int row, double mb,
                        double n_per_mm) {
    WorkedSheet s;
    s.mu = n_per_mm;
    const char* member_name = member == kCrank ? "曲柄（构件 1）" : member == kRod ? "连杆（构件 2）" : "活塞（构件 3）";
    // The rod-and-piston group is solved first; the crank then has its frame
    // reaction and the balancing torque left.
    auto unknown = [&](const std::string& name) {
        switch (member) {
            case kCrank: return name == "R41";
            case kRod: return name == "R32" || name == "R12";
            default: return name == "R43" || name == "R23";
        }
    };
    std::string equation, known, unknowns, lengths;
    for (const ForceStep& f : steps) {
        const double m = std::hypot(f.fx, f.fy);
        const double drawn = n_per_mm > 0 ? m / n_per_mm : 0;
        s.vectors.push_back({f.name, m, "N", drawn});
        if (!equation.empty()) equation += " + ";
        equation += f.name;
        // The cylinder wall can only push across the guide: of its force only
        // the size is unknown.
        const std::string line = "    " + f.name + " = " + format_0_00(m) + " N，方向角 " +
                                 direction(std::atan2(f.fy, f.fx)) +
                                 (member == kPiston && f.name == "R43" ? "（方向垂直于导路，只有大小未知）" : "") + "\n";
        (unknown(f.name) ? unknowns : known) += line;
        if (!lengths.empty()) lengths += "，";
        lengths += f.name + " " + mm_text(drawn);
    }
    std::string& t = s.text;
    t += std::string("构件：") + member_name + "，循环角 " + format_0_00(angle_deg) + "°（力表第 " +
         std::to_string(row) + " 行）\n";
    t += "（方向角自 +x 轴逆时针量起，y 轴向上）\n\n";
    t += "平衡方程：" + equation + " = 0\n";
    if (member == kCrank) t += "力矩平衡：ΣM_O = 0，解得平衡力矩 Mb = " + format_0_00(mb) + " N·m\n";
    t += "\n已知力：\n" + known;
    t += "未知力（大小、方向由平衡方程解得）：\n" + unknowns;
    t += "\n力比例尺 μF = " + scale_text(n_per_mm) + " N/mm（力图上 1 mm 代表的力）\n";
    t += "图上长度：" + lengths + "\n";
    return s;
}

DrawingCheck check_drawing(const std::vector<SheetVector>& vectors, const std::vector<std::optional<double>>& measured,
                           const std::vector<double>& mu) {
    DrawingCheck c;
    double worst = -1;
    for (size_t i = 0; i < vectors.size() && i < measured.size() && i < mu.size(); ++i) {
        if (!measured[i]) continue;
        CheckLine line;
        line.name = vectors[i].name;
        line.unit = vectors[i].unit;
        line.measured_mm = *measured[i];
        line.stands_for = *measured[i] * mu[i];
        line.exact = vectors[i].magnitude;
        // A tolerance on the exact value below printing precision: a vector that
        // is zero at this position is checked by its drawn length instead.
        if (line.exact > 1e-9) {
            line.relative_error = std::fabs(line.stands_for - line.exact) / line.exact;
            line.within = *line.relative_error <= kCheckTolerance + 1e-12;
        } else {
            line.within = line.measured_mm < 0.5;
        }
        const double off = line.relative_error ? *line.relative_error : (line.within ? 0 : INFINITY);
        if (off > worst) {
            worst = off;
            c.most_off = static_cast<int>(c.lines.size());
        }
        c.lines.push_back(line);
    }
    return c;
}

std::string DrawingCheck::text() const {
    std::string t;
    for (const CheckLine& l : lines) {
        t += l.name + "：量得 " + format_0_00(l.measured_mm) + " mm，代表 " + format_0_00(l.stands_for) + " " + l.unit +
             "；精确值 " + format_0_00(l.exact) + " " + l.unit + "；";
        if (l.relative_error)
            t += "相对误差 " + format_fixed(*l.relative_error * 100, 1) + " %";
        else
            t += "精确值为零";
        t += l.within ? "（合格）\n" : "（超出 5 %）\n";
    }
    const std::string last = summary();
    if (!last.empty()) t += last + "\n";
    return t;
}

std::string DrawingCheck::summary() const {
    if (most_off < 0) return {};
    const CheckLine& l = lines[static_cast<size_t>(most_off)];
    bool all_within = true;
    for (const CheckLine& c : lines) all_within = all_within && c.within;
    std::string t = "偏差最大：" + l.name;
    t += l.relative_error ? "，相对误差 " + format_fixed(*l.relative_error * 100, 1) + " %" : "，应为零长";
    t += all_within ? "（全部在 5 % 以内）" : "（超出 5 %，请重画此矢量）";
    return t;
}

}  // namespace vm
