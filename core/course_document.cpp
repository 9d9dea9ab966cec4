// Building the course-design report from the core's results: every number in
// it comes from the routines the windows use.
#include "core/course_document.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "core/anim_gears.h"
#include "core/cam_motion.h"
#include "core/cam_mounting.h"
#include "core/cam_quality.h"
#include "core/cycle_diagram.h"
#include "core/design_limits.h"
#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/force_polygon.h"
#include "core/kinematics.h"
#include "core/motion_polygons.h"
#include "core/number_text.h"
#include "core/report.h"
#include "core/torque_energy.h"
#include "core/worked_sheet.h"

namespace vm {
namespace {

// Name, symbol and unit of each main-window box, in kParameterLimits order.
struct ParameterText {
    const char *name, *symbol, *unit;
};
constexpr ParameterText kParameterTexts[11] = {
    {"活塞行程", "H", "mm"},          {"活塞直径", "D", "mm"},           {"活塞导路偏距", "e", "mm"},
    {"行程速比系数", "K", "—"},       {"连杆重心到A距离系数", "λ_S", "—"}, {"曲柄重量", "G1", "N"},
    {"连杆重量", "G2", "N"},          {"活塞重量", "G3", "N"},           {"连杆绕质心回转半径系数", "ρ_k", "—"},
    {"曲柄转速", "n", "r/min"},       {"许用速度不均匀系数", "δ", "—"},
};

std::string f2(double x) { return format_0_00(x); }
std::string fx(double x, int decimals) { return format_fixed(x, decimals); }

// Polygons and force polygons are drawn at most this long in the report, mm.
constexpr double kPolygonMm = 70;

class Builder {
public:
    void heading(std::string t) { add(DocBlock::Kind::Heading, std::move(t)); }
    void paragraph(std::string t) { add(DocBlock::Kind::Paragraph, std::move(t)); }
    void equations(std::string t) { add(DocBlock::Kind::Equations, std::move(t)); }
    void figure(std::string caption, DocFigure f) {
        DocBlock b{DocBlock::Kind::Figure, "图 " + std::to_string(++figures_) + "  " + std::move(caption), {}, f,
                   figures_};
        doc.blocks.push_back(std::move(b));
    }
    void table(std::string caption, DocTable t) {
        DocBlock b{DocBlock::Kind::Table, "表 " + std::to_string(++tables_) + "  " + std::move(caption), std::move(t),
                   {}, tables_};
        doc.blocks.push_back(std::move(b));
    }
    int tables() const { return tables_; }
    int figures() const { return figures_; }
    CourseDocument doc;

private:
    void add(DocBlock::Kind k, std::string t) { doc.blocks.push_back(DocBlock{k, std::move(t), {}, {}, 0}); }
    int tables_ = 0, figures_ = 0;
};

// A worked sheet inside a section of the report: its own "一、" "二、" "三、"
// headings become "(1)" "(2)" "(3)" so they do not read as the report's sections.
std::string strip_trailing_newline(std::string s) {
    while (!s.empty() && s.back() == '\n') s.pop_back();
    const char* const numerals[] = {"一、", "二、", "三、", "四、"};
    for (int i = 0; i < 4; ++i) {
        const std::string from = std::string("\n") + numerals[i];
        const std::string to = "\n(" + std::to_string(i + 1) + ") ";
        for (std::size_t at; (at = s.find(from)) != std::string::npos;) s.replace(at, from.size(), to);
        if (s.rfind(numerals[i], 0) == 0) s.replace(0, std::string(numerals[i]).size(), to.substr(1));
    }
    return s;
}

}  // namespace

namespace {
// The smallest of m x 10^k (m from `steps`, ascending, ending in 10) not below raw.
double next_step(double raw, std::initializer_list<double> steps) {
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : steps)
        if (m * p >= raw * (1 - 1e-12)) return m * p;
    return 10 * p;
}
}  // namespace

double drawing_scale(double largest, double mm) {
    if (!(largest > 0) || !std::isfinite(largest) || !(mm > 0)) return 1;
    // Steps a student can draw and read off with a ruler.
    return next_step(largest / mm, {1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 8, 10});
}

double standard_length_scale(double real_mm_per_mm) {
    if (!(real_mm_per_mm > 0) || !std::isfinite(real_mm_per_mm)) return 1;
    // The reduction ratios of technical drawings: 1:1, 1:1.5, 1:2, 1:2.5, 1:3, 1:4, 1:5, 1:10 ...
    return next_step(real_mm_per_mm, {1, 1.5, 2, 2.5, 3, 4, 5, 10});
}

std::string length_scale_text(double mu_l) {
    return "μl = " + plain(mu_l) + " m/mm（1:" + plain(mu_l * 1000) + "）";
}

double position_angle(const DesignState& s, int position) {
    return s.jd_wai * kPiAnalysis / 180 - (position - 1) * ((kTwoPiAnalysis / 360) * 30);
}

namespace {
// The larger side of the box around points, with the origin.
double extent(const std::vector<double>& xs, const std::vector<double>& ys) {
    if (xs.empty()) return 0;
    const auto [x0, x1] = std::minmax_element(xs.begin(), xs.end());
    const auto [y0, y1] = std::minmax_element(ys.begin(), ys.end());
    return std::max(*x1 - *x0, *y1 - *y0);
}
}  // namespace

std::optional<PolygonScales> polygon_scales(const DesignState& s, int position, double mm) {
    const double omega1 = -val(s.qb_w) * 2 * kPiAnalysis / 60;
    const PolygonScale unit{};
    const auto k =
        jisuan(s.qb_r / 1000, s.lg_l / 1000, val(s.hs_e) / 1000, position_angle(s, position), omega1, &unit);
    if (!k) return std::nullopt;
    const PolygonOffsets o = polygon_offsets(*k);
    return PolygonScales{drawing_scale(extent(o.vx, o.vy), mm), drawing_scale(extent(o.ax, o.ay), mm)};
}

double force_scale(const DesignState& filled, int member, int position, double mm) {
    std::vector<double> xs{0}, ys{0};
    for (const ForceStep& f : force_polygon(filled.force_table, member, (position - 1) * 30, filled.force)) {
        xs.push_back(xs.back() + f.fx);
        ys.push_back(ys.back() + f.fy);
    }
    return drawing_scale(extent(xs, ys), mm);
}

double mechanism_scale(double r, double l, double e, double w_mm, double h_mm) {
    // Paper kept for the slider (14 x 9 mm), the names and the scale line.
    const double span_x = std::max(r, e) + r, span_y = 2 * r + l;
    const double need = std::max(span_x / std::max(w_mm - 30, 10.0), span_y / std::max(h_mm - 20, 10.0));
    return standard_length_scale(need) / 1000;
}

TorqueChartScales torque_chart_scales(const TorqueFigures& t, double w_mm, double h_mm) {
    TorqueChartScales sc;
    // From a little left of the y axis to past the names printed beyond the
    // x axis' end (15 rad); from under the lowest to over the highest torque
    // with two text lines of room, and at least +-3000 N*m.
    sc.x_left = -0.8;
    sc.x_right = 19;
    const auto [lo, hi] = std::minmax_element(t.mom.begin(), t.mom.end());
    const double span = std::max(3000.0, *hi) - std::min(-3000.0, *lo);
    sc.y_top = std::max(3000.0, *hi) + 0.12 * span;
    sc.y_bottom = std::min(-3000.0, *lo) - 0.12 * span;
    sc.mu_phi = drawing_scale(sc.x_right - sc.x_left, std::max(w_mm, 10.0));
    sc.mu_m = drawing_scale(sc.y_top - sc.y_bottom, std::max(h_mm, 10.0));
    return sc;
}

double cam_scale(const CamInputs& cam, double w_mm, double h_mm) {
    const double reach = 2 * (cam.r0 + cam.h + cam.rr + std::fabs(cam.e));
    return standard_length_scale(reach / std::max(std::min(w_mm, h_mm) - 4, 10.0)) / 1000;
}

std::string CourseDocument::plain_text() const {
    std::string out = title + "\n";
    for (const DocBlock& b : blocks) {
        out += b.text + "\n";
        if (b.kind == DocBlock::Kind::Table) {
            for (const auto& h : b.table.header) out += h + "\t";
            out += "\n";
            for (const auto& row : b.table.rows) {
                for (const auto& c : row) out += c + "\t";
                out += "\n";
            }
        }
    }
    return out;
}

CourseDocument course_document(const DesignState& s, const CourseOptions& opt) {
    Builder b;
    b.doc.title = "单缸四冲程内燃机机构设计说明书";
    const std::array<std::string, 11> texts = parameter_texts(s);
    std::array<double, 11> v{};
    if (const auto refusal = check_parameters(texts, &v)) {
        b.doc.error = refusal->message;
        return b.doc;
    }
    for (int p : opt.positions)
        if (!is_report_position(p)) {
            b.doc.error = "位置号必须在1～24之间";
            return b.doc;
        }
    const double H = v[0], D = v[1], e = v[2], K = v[3], n = v[9], delta = v[10];
    const SynthesisResult syn = dimension_synthesis(H, K, e);
    if (!syn.ok()) {
        b.doc.error = synthesis_message(syn.error);
        return b.doc;
    }
    const ReportParameters rp{H, D, e, K, v[4], v[5], v[6], v[7], v[8], n};
    const ReportResult report = compute_report(rp);
    if (!report.ok()) {
        b.doc.error = report.error;
        return b.doc;
    }
    DesignState st = s;
    st.lg_l = syn.value.l, st.qb_r = syn.value.r, st.jd_wai = syn.value.jd_wai, st.jd_nei = syn.value.jd_nei;
    if (!fill_force_table(st)) {
        b.doc.error = "该组数据无法完成运动与受力计算，请检查输入数据";
        return b.doc;
    }
    const auto torque = torque_figures(st.force_table, n, delta);
    if (!torque) {
        b.doc.error = "该组数据的力矩与飞轮计算没有结果，请检查输入数据";
        return b.doc;
    }

    // 1. Design data.
    b.heading("一、设计数据");
    DocTable data{{"参数", "符号", "数值", "单位"}, {}};
    for (std::size_t i = 0; i < 11; ++i)
        data.rows.push_back({kParameterTexts[i].name, kParameterTexts[i].symbol, texts[i], kParameterTexts[i].unit});
    b.table("设计数据", data);

    // 2. Synthesis.
    const Synthesis& y = syn.value;
    const double l = y.l, r = y.r;
    const double theta_deg = y.theta * 180 / kPiAnalysis;
    const double R = H / (2 * std::sin(y.theta));
    const double q = std::sqrt(R * R - (R * std::cos(y.theta) - e) * (R * std::cos(y.theta) - e));
    b.heading("二、曲柄滑块机构的尺寸综合");
    b.paragraph("按行程速比系数 K 求极位夹角 θ，以活塞的两个极限位置为弦、以 θ 为圆周角作极位圆，曲柄回转中心 O 位于极位圆上、"
                "距活塞导路为偏距 e 处；由 O 到两个极限位置的距离 l + r 与 l − r 求得连杆长 l 与曲柄长 r。");
    b.equations("θ = 180° × (K − 1)/(K + 1) = 180° × (" + plain(K) + " − 1)/(" + plain(K) + " + 1) = " +
                fx(theta_deg, 3) + "°\n" +
                "极位圆半径 R = H/(2 sin θ) = " + plain(H) + "/(2 × sin " + fx(theta_deg, 3) + "°) = " + f2(R) + " mm\n" +
                "O 到行程中点的距离 q = √(R² − (R cos θ − e)²) = " + f2(q) + " mm\n" +
                "l + r = √(e² + (H/2 + q)²) = " + f2(l + r) + " mm\n" +
                "l − r = √(e² + (q − H/2)²) = " + f2(l - r) + " mm\n" +
                "连杆长 l = [(l + r) + (l − r)]/2 = " + f2(l) + " mm，曲柄长 r = [(l + r) − (l − r)]/2 = " + f2(r) + " mm\n" +
                "外止点（曲柄与连杆拉直共线）曲柄转角 φ外 = arctan((H/2 + q)/e) = " + f2(y.jd_wai) + "°\n" +
                "内止点（曲柄与连杆重叠共线）曲柄转角 φ内 = 180° + arctan((q − H/2)/e) = " + f2(y.jd_nei) + "°");
    {
        DocFigure f{DocFigure::Kind::Mechanism, 0, 0, mechanism_scale(r, l, e, 160, 175), 160, 175};
        std::string which;
        for (int p : opt.positions) which += (which.empty() ? "" : "、") + std::to_string(p);
        b.figure("机构运动简图（两个止点与位置 " + which + "） " + length_scale_text(f.scale), f);
    }

    // 3. Kinematics.
    b.heading("三、运动分析");
    b.paragraph("曲柄以 n = " + plain(n) + " r/min 顺时针转动，ω1 = 2πn/60 = " + f2(std::fabs(st.omega1)) +
                " rad/s。自外止点起每隔 30° 取一个位置（A 0～A 23，两转为一个工作循环），另加曲柄与连杆垂直及内止点的"
                "特殊位置（带 ′ 者）。");
    DocTable kin{{"位置", "循环转角 (°)", "活塞速度 v_B (m/s)", "活塞加速度 a_B (m/s²)", "连杆角速度 ω2 (rad/s)",
                  "连杆角加速度 α2 (rad/s²)"},
                 {}};
    for (const ReportRow& row : report.data.rows)
        kin.rows.push_back({row.label, f2(row.cycle_angle), f2(row.kin[0]), f2(row.kin[1]), f2(row.kin[2]),
                            f2(row.kin[3])});
    b.table("各位置的活塞速度、加速度与连杆角速度、角加速度", kin);

    const double rm = r / 1000, lm = l / 1000, em = e / 1000;
    for (int p : opt.positions) {
        const double phi = position_angle(st, p);
        const auto k = jisuan(rm, lm, em, phi, st.omega1);
        if (!k) continue;
        const auto mu = polygon_scales(st, p, kPolygonMm);
        if (!mu) continue;
        const double sv = 1 / mu->mu_v, sa = 1 / mu->mu_a;
        const WorkedSheet sheet = motion_sheet(*k, phi * 180 / kPiAnalysis, rm, lm, st.omega1, sv, sa, 1.0);
        b.paragraph("位置 " + std::to_string(p) + "（A " + std::to_string(p - 1) + "，循环转角 " +
                    std::to_string((p - 1) * 30) + "°）的速度与加速度分析：");
        b.equations(strip_trailing_newline(sheet.text));
        b.figure("位置 " + std::to_string(p) + " 的速度多边形 μv = " + plain(mu->mu_v) + " (m/s)/mm",
                 {DocFigure::Kind::Velocity, p, 0, mu->mu_v, 120, 90});
        b.figure("位置 " + std::to_string(p) + " 的加速度多边形 μa = " + plain(mu->mu_a) + " (m/s²)/mm",
                 {DocFigure::Kind::Acceleration, p, 0, mu->mu_a, 120, 90});
    }
    b.paragraph("一个工作循环（循环转角 0°～720°，自外止点起）中活塞的位移（自外止点向下量）、速度与加速度见图 " +
                std::to_string(b.figures() + 1) + "。");
    b.figure("活塞的位移 s、速度 v_B 与加速度 a_B 曲线", {DocFigure::Kind::PistonCurves, 0, 0, 0, 160, 170});

    // 4. Gas pressure.
    b.heading("四、气体压力");
    b.paragraph("活塞上的气体压力按示功图随循环转角分段变化：进气、压缩、膨胀（作功）、排气四个行程，两个止点为分段点；"
                "气体压力 F = p × πD²/4，D = " + plain(D) + " mm。各位置的气体压力见表 " + std::to_string(b.tables() + 1) +
                " 的最后一列，全循环的曲线见图 " +
                std::to_string(b.figures() + 1) + "。");
    b.figure("作用在活塞上的气体压力 F 随循环转角的变化", {DocFigure::Kind::GasForce, 0, 0, 0, 160, 85});

    // 5. Forces.
    b.heading("五、动态静力分析");
    b.paragraph("计入各构件的重力与惯性力（达朗贝尔原理），依次取活塞、连杆、曲柄为分离体列平衡方程，求各运动副反力与"
                "作用在曲柄上的平衡力矩 Mb。");
    for (int p : opt.positions) {
        const int row = (p - 1) * 30;
        b.paragraph("位置 " + std::to_string(p) + "（A " + std::to_string(p - 1) + "，循环转角 " + std::to_string(row) +
                    "°）的受力分析，依次为活塞、连杆、曲柄：");
        for (int member : {kPiston, kRod, kCrank}) {
            const auto steps = force_polygon(st.force_table, member, row, st.force);
            const double mu_f = force_scale(st, member, p, kPolygonMm);
            const WorkedSheet sheet = force_sheet(steps, member, row, row, st.force_table.at(row, kMb), mu_f);
            b.equations(strip_trailing_newline(sheet.text));
            const char* const member_names[4] = {"", "曲柄", "连杆", "活塞"};
            b.figure("位置 " + std::to_string(p) + " " + member_names[member] + "的力多边形 μF = " + plain(mu_f) +
                         " N/mm",
                     {DocFigure::Kind::Force, p, member, mu_f, 120, 90});
        }
    }
    DocTable forces{{"位置", "|FI1| (N)", "|FI2| (N)", "FI3 (N)", "|R41| (N)", "|R12| (N)", "|R32| (N)",
                     "Mb (N·m)", "气体压力 F (N)"},
                    {}};
    for (const ReportRow& row : report.data.rows) {
        std::vector<std::string> cells{row.label};
        for (double f : row.force) cells.push_back(f2(f));
        forces.rows.push_back(std::move(cells));
    }
    b.table("各位置的惯性力、运动副反力与平衡力矩", forces);

    // 6. Torque and flywheel.
    b.heading("六、力矩变化曲线与飞轮设计");
    const double w = torque->w_crank;
    b.equations("一个循环（曲柄两转，4π）内驱动力矩 Mb 所作的功 A = " + f2(torque->m_mean * 4 * kPiTorque) + " J\n" +
                "平均阻力矩 Mr = A/(4π) = " + f2(torque->m_mean) + " N·m\n" +
                "最大盈功 " + f2(torque->energy.e_max) + " J，最大亏功 " + f2(torque->energy.e_min) + " J\n" +
                "最大盈亏功 ΔWmax = " + f2(torque->energy.dw_max) + " J\n" +
                "曲柄角速度 ω = 2πn/60 = " + f2(w) + " rad/s\n" +
                "飞轮转动惯量 J_F = ΔWmax/(δ ω²) = " + f2(torque->energy.dw_max) + "/(" + plain(delta) + " × " + f2(w) +
                "²) = " + plain(torque->j_fly) + " kg·m²\n" +
                "发动机功率 P = Mr ω = " + f2(torque->m_mean) + " × " + f2(w) + " = " + plain(torque->p_eng) + " W");
    {
        const TorqueChartScales sc = torque_chart_scales(*torque, 156, 100);
        DocFigure f{DocFigure::Kind::Torque, 0, 0, sc.mu_m, sc.width_mm() + 4, sc.height_mm() + 4};
        f.scale2 = sc.mu_phi;
        b.figure("力矩变化曲线 Mr = " + f2(torque->m_mean) + " N·m，μφ = " + plain(sc.mu_phi) +
                     " rad/mm，μM = " + plain(sc.mu_m) + " (N·m)/mm",
                 f);
    }
    const double m1 = v[5] / kGravity, m2 = v[6] / kGravity;
    const auto mass = balancing_mass(m1, m2, v[4], rm, lm, opt.balancing_radius_cm / 100);
    if (mass)
        b.paragraph("曲柄上的平衡质量（回转半径 " + plain(opt.balancing_radius_cm) + " cm）m_b = " + fx(*mass, 3) + " kg。");

    // 7. Valve cam.
    b.heading("七、配气凸轮设计");
    const CamInputs& c = opt.cam;
    const CamInputError cam_error = check_cam_inputs(c);
    if (cam_error != CamInputError::None) {
        b.paragraph("凸轮参数不合理：" + cam_input_message(cam_error));
    } else {
        b.paragraph("偏置滚子直动从动件盘形凸轮。从动件运动规律：推程 0°～60° 等速上升 h = " + plain(c.h) +
                    " mm，60°～70° 远休止，回程 70°～140° 摆线运动规律下降，140°～360° 近休止。基圆半径 r0 = " + plain(c.r0) +
                    " mm，偏距 e = " + plain(c.e) + " mm，滚子半径 rr = " + plain(c.rr) + " mm。");
        const CamProfile profile(c);
        DocTable coords{{"凸轮转角 δ (°)", "位移 s (mm)", "理论轮廓 x (mm)", "理论轮廓 y (mm)", "实际轮廓 x (mm)",
                         "实际轮廓 y (mm)"},
                        {}};
        const FollowerMotion motion{c.h};
        for (int d = 0; d < 360; d += 10) {
            const ProfileSample ps = profile.sample_at(d);
            coords.rows.push_back({std::to_string(d), f2(motion.lift(d)), f2(ps.pitch.x), f2(ps.pitch.y),
                                   f2(ps.actual.x), f2(ps.actual.y)});
        }
        b.figure("从动件的位移 s、速度 v 与加速度 a 曲线（凸轮角速度 ω = 1 rad/s）",
                 {DocFigure::Kind::CamCurves, 0, 0, 0, 160, 90});
        // The legend takes a row under the cam.
        const double mu_cam = cam_scale(c, 160, 160 - 14);
        // As tall as the cam with its rollers at that scale, its scale line and legend.
        const double cam_h = std::min(170.0, 2 * (c.r0 + c.h + c.rr + std::fabs(c.e)) / (mu_cam * 1000) + 24);
        b.figure("凸轮轮廓：基圆、理论轮廓、实际轮廓与滚子 " + length_scale_text(mu_cam),
                 {DocFigure::Kind::CamProfile, 0, 0, mu_cam, 160, cam_h});
        b.table("凸轮轮廓坐标（每 10°）", coords);
        // The quality check of the cam window, with its default allowed angles.
        const PressureAngleLimits limits;
        const CamQuality quality = analyse_cam(c, limits);
        DocTable checks{{"项目", "数值", "位置"}, {}};
        for (const QualityRow& row : quality_table(quality, &limits)) checks.rows.push_back({row.item, row.value, row.where});
        b.paragraph("凸轮质量检查：许用压力角推程 [α] = " + plain(limits.rise) + "°，回程 [α′] = " + plain(limits.ret) +
                    "°。" +
                    (quality.undercut ? undercut_warning(quality, c.rr) + "。"
                                      : std::string("实际轮廓没有尖点或失真。")) +
                    pressure_warning(quality, limits));
        b.table("凸轮质量检查（压力角、曲率半径、跃度及所需基圆半径）", checks);
    }
    const auto mount = mounting_angles(K);
    if (mount)
        b.paragraph("凸轮安装角：极位夹角 θ = " + f2(mount->theta) + "°，进气门开启于循环转角 α = " + f2(mount->alpha) +
                    "°，排气门开启于 β = " + f2(mount->beta) + "°。");

    // 8. Work cycle.
    b.heading("八、工作循环图");
    b.paragraph("以外止点为循环起点，曲柄转两转完成进气、压缩、作功、排气四个行程；进、排气门由凸轮按上述安装角开启，"
                "凸轮轴转速为曲柄转速的一半。");

    if (const CycleDiagram cd = cycle_diagram(st.hs_k); cd.ok())
        b.figure("工作循环图 K = " + st.hs_k + "，θ = " + f2(cd.theta) + "°（条下数字：各段终了的转角，°）",
                 {DocFigure::Kind::WorkCycle, 0, 0, 0, 160, 150});

    // 9. Timing gears.
    b.heading("九、正时齿轮");
    const anim::GearTable gears = anim::gear_table_setup();
    const char* const names[5] = {"曲柄齿轮", "左惰轮", "左凸轮齿轮（进气）", "右惰轮", "右凸轮齿轮（排气）"};
    DocTable gt{{"齿轮", "齿数 z", "分度圆直径 d (mm)", "对曲柄齿轮的传动比"}, {}};
    for (std::size_t i = 0; i < 5; ++i) {
        const anim::Gear& g = gears.gears[i];
        gt.rows.push_back({names[i], std::to_string(g.z), f2(g.z * gears.m), f2(double(g.z) / gears.gears[0].z)});
    }
    b.table("正时齿轮（模数 m = " + plain(gears.m) + " mm）", gt);
    return b.doc;
}

}  // namespace vm
