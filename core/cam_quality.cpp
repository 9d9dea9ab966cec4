// Pressure angle, radius of curvature, jerk, law joints and the smallest base
// radius of the valve cam, all from FollowerMotion and the profile geometry.
#include "core/cam_quality.h"

#include <algorithm>
#include <cmath>

#include "core/number_text.h"

namespace vm {

namespace {
constexpr double kDegrees = 180 / kPiCam;
// Grid of the searches for extremes, degrees; each best grid point is then
// refined by a golden-section search between its neighbours.
constexpr double kScanStep = 0.05;
constexpr double kMinLimit = 1, kMaxLimit = 89;

const double kPhiReturn = cam_radians(FollowerMotion::kReturnAngle);

// Largest f over [a, b]: grid scan, then golden section about the best point.
template <class F>
Extreme maximise(F f, double a, double b) {
    const int n = std::max(1, static_cast<int>(std::ceil((b - a) / kScanStep)));
    const double step = (b - a) / n;
    Extreme best{f(a), a};
    for (int i = 1; i <= n; ++i) {
        const double x = i == n ? b : a + i * step;
        const double v = f(x);
        if (v > best.value) best = {v, x};
    }
    double lo = std::max(a, best.delta - step), hi = std::min(b, best.delta + step);
    const double g = (std::sqrt(5.0) - 1) / 2;
    double x1 = hi - g * (hi - lo), x2 = lo + g * (hi - lo);
    double f1 = f(x1), f2 = f(x2);
    for (int i = 0; i < 60 && hi - lo > 1e-10; ++i) {
        if (f1 < f2) {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + g * (hi - lo);
            f2 = f(x2);
        } else {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - g * (hi - lo);
            f1 = f(x1);
        }
    }
    if (f1 > best.value) best = {f1, x1};
    if (f2 > best.value) best = {f2, x2};
    return best;
}

const PhaseSpan& span_of(CamPhase phase) {
    for (const PhaseSpan& p : cam_phases())
        if (p.phase == phase) return p;
    return cam_phases()[0];
}

double s0_of(const CamInputs& in) {
    return std::sqrt(in.r0 * in.r0 - in.e * in.e);
}

// The phase that starts at a joint and the one that ends there.
struct Joint {
    CamPhase before, after;
    double delta;
};
constexpr Joint kJoints[] = {{CamPhase::NearDwell, CamPhase::Rise, 0},
                             {CamPhase::Rise, CamPhase::FarDwell, FollowerMotion::kRiseEnd},
                             {CamPhase::FarDwell, CamPhase::Return, FollowerMotion::kFarDwellEnd},
                             {CamPhase::Return, CamPhase::NearDwell, FollowerMotion::kReturnEnd}};

// The near dwell ends at the start of the rise, one turn later.
double on_piece(CamPhase phase, double delta) {
    return phase == CamPhase::NearDwell && delta == 0 ? 360 : delta;
}

std::string degrees_text(double deg) {
    return format_fixed(deg, 1) + "°";
}
// Rounded up to the hundredth, so the suggested radius itself meets the limit.
double up_to_hundredth(double mm) {
    return std::ceil(mm * 100 - 1e-9) / 100;
}
}  // namespace

LimitError check_limits(const PressureAngleLimits& limits) {
    if (!(limits.rise >= kMinLimit && limits.rise <= kMaxLimit)) return LimitError::Rise;
    if (!(limits.ret >= kMinLimit && limits.ret <= kMaxLimit)) return LimitError::Return;
    return LimitError::None;
}

std::string limit_message(LimitError error) {
    switch (error) {
        case LimitError::None:
            return "";
        case LimitError::Rise:
            return "请输入1～89之间的推程许用压力角";
        case LimitError::Return:
            return "请输入1～89之间的回程许用压力角";
    }
    return "";
}

const std::array<PhaseSpan, 4>& cam_phases() {
    static const std::array<PhaseSpan, 4> phases{
        {{CamPhase::Rise, 0, FollowerMotion::kRiseEnd},
         {CamPhase::FarDwell, FollowerMotion::kRiseEnd, FollowerMotion::kFarDwellEnd},
         {CamPhase::Return, FollowerMotion::kFarDwellEnd, FollowerMotion::kReturnEnd},
         {CamPhase::NearDwell, FollowerMotion::kReturnEnd, 360}}};
    return phases;
}

LawState law_state(const FollowerMotion& motion, CamPhase phase, double delta) {
    LawState st;
    const double w = FollowerMotion::kOmega;
    switch (phase) {
        case CamPhase::Rise:
            // The law's own slope switches to the dwell at 60 degrees; the rise
            // keeps its constant velocity up to its end.
            st.s = motion.lift(delta);
            st.ds = motion.velocity(delta) / w;
            break;
        case CamPhase::FarDwell:
            st.s = motion.h;
            break;
        case CamPhase::Return: {
            st.s = motion.lift(delta);
            st.ds = motion.slope(delta);
            st.d2s = motion.acceleration(delta) / (w * w);
            // Derivative of the cycloidal acceleration -2 pi h sin(2 pi d'/Phi') / Phi'^2.
            const double phase_angle =
                2 * kPiCam * cam_radians(delta - FollowerMotion::kFarDwellEnd) / kPhiReturn;
            st.d3s = -4 * kPiCam * kPiCam * motion.h * std::cos(phase_angle) /
                     (kPhiReturn * kPhiReturn * kPhiReturn);
            break;
        }
        case CamPhase::NearDwell:
            break;
    }
    return st;
}

double pressure_angle(const CamInputs& in, CamPhase phase, double delta) {
    const LawState st = law_state(FollowerMotion{in.h}, phase, delta);
    return std::atan2(st.ds - in.e, s0_of(in) + st.s) * kDegrees;
}

double pitch_curvature(const CamInputs& in, CamPhase phase, double delta) {
    // In the turning frame of the follower (u along its line of travel, w a
    // quarter turn on), the theoretical point is (s0 + s) u + e w, its tangent
    // (s' - e) u + (s0 + s) w and the tangent's derivative (s'' - s0 - s) u + (2 s' - e) w.
    const LawState st = law_state(FollowerMotion{in.h}, phase, delta);
    const double radial = s0_of(in) + st.s;
    const double tu = st.ds - in.e, tw = radial;
    const double ku = st.d2s - radial, kw = 2 * st.ds - in.e;
    const double t2 = tu * tu + tw * tw;
    return (tu * kw - tw * ku) / (t2 * std::sqrt(t2));
}

double follower_jerk(const FollowerMotion& motion, CamPhase phase, double delta) {
    const double w = FollowerMotion::kOmega;
    return law_state(motion, phase, delta).d3s * w * w * w;
}

Extreme largest_pressure_angle(const CamInputs& in, CamPhase phase) {
    const PhaseSpan& p = span_of(phase);
    return maximise([&](double d) { return std::fabs(pressure_angle(in, phase, d)); }, p.from,
                    p.to);
}

double smallest_base_radius(double h, double e, CamPhase phase, double limit_deg) {
    // |s' - e| / (s0 + s) <= tan(limit) holds for s0 >= |s' - e| / tan(limit) - s;
    // the base radius must give that s0 at every angle of the piece.
    const FollowerMotion motion{h};
    const double t = std::tan(limit_deg / kDegrees);
    const PhaseSpan& p = span_of(phase);
    const Extreme need = maximise(
        [&](double d) {
            const LawState st = law_state(motion, phase, d);
            return std::fabs(st.ds - e) / t - st.s;
        },
        p.from, p.to);
    const double s0 = std::max(0.0, need.value);
    return std::hypot(s0, e);
}

Extreme largest_curvature(const CamInputs& in) {
    Extreme kappa{-1e300, 0};
    for (const PhaseSpan& p : cam_phases()) {
        const Extreme k =
            maximise([&](double d) { return pitch_curvature(in, p.phase, d); }, p.from, p.to);
        if (k.value > kappa.value) kappa = k;
    }
    return kappa;
}

double smallest_base_radius_for_roller(double h, double e, double rr) {
    // A larger base circle flattens every stretch of the profile, so the
    // radius is found by halving between a cam that undercuts and one that does not.
    auto clear = [&](double r0) { return 1 / largest_curvature({h, r0, e, rr}).value > rr; };
    double lo = std::max(e, rr), hi = 2 * (lo + h);
    while (!clear(hi) && hi < 1e6) hi *= 2;
    for (int i = 0; i < 60 && hi - lo > 1e-9; ++i) {
        const double mid = (lo + hi) / 2;
        (clear(mid) ? hi : lo) = mid;
    }
    return hi;
}

CamQuality analyse_cam(const CamInputs& in, const PressureAngleLimits& limits) {
    CamQuality q;
    const FollowerMotion motion{in.h};
    for (const PhaseSpan& p : cam_phases()) {
        const int n = static_cast<int>(std::lround((p.to - p.from) / CamQuality::kCurveStep));
        for (int i = 0; i <= n; ++i) {
            const double d = i == n ? p.to : p.from + i * CamQuality::kCurveStep;
            q.curve.push_back({d, p.phase, pressure_angle(in, p.phase, d),
                               pitch_curvature(in, p.phase, d), follower_jerk(motion, p.phase, d)});
        }
    }

    q.alpha_rise = largest_pressure_angle(in, CamPhase::Rise);
    q.alpha_return = largest_pressure_angle(in, CamPhase::Return);
    q.rise_exceeded = q.alpha_rise.value > limits.rise;
    q.return_exceeded = q.alpha_return.value > limits.ret;
    q.r0_rise = smallest_base_radius(in.h, in.e, CamPhase::Rise, limits.rise);
    q.r0_return = smallest_base_radius(in.h, in.e, CamPhase::Return, limits.ret);

    // The smallest convex radius is where the curvature is largest.
    const Extreme kappa = largest_curvature(in);
    q.convex = kappa.value > 0;
    if (q.convex) {
        q.rho_min = {1 / kappa.value, kappa.delta};
        q.rho_actual_min = {q.rho_min.value - in.rr, kappa.delta};
        q.undercut = q.rho_min.value <= in.rr;
    }
    if (q.undercut) q.r0_roller = smallest_base_radius_for_roller(in.h, in.e, in.rr);
    Extreme jerk{-1, 0};
    for (const PhaseSpan& p : cam_phases()) {
        const Extreme j = maximise(
            [&](double d) { return std::fabs(follower_jerk(motion, p.phase, d)); }, p.from, p.to);
        if (j.value > jerk.value) jerk = j;
    }
    q.jerk_max = jerk;

    const double w = FollowerMotion::kOmega;
    for (const Joint& j : kJoints) {
        const LawState a = law_state(motion, j.before, on_piece(j.before, j.delta));
        const LawState b = law_state(motion, j.after, j.delta);
        LawJoint joint;
        joint.delta = j.delta;
        joint.dv = (b.ds - a.ds) * w;
        joint.da = (b.d2s - a.d2s) * w * w;
        if (joint.dv == 0 && joint.da == 0) continue;
        // The tangent leans back from the quarter turn by the pressure angle, so
        // it turns by the drop of the pressure angle across the joint.
        joint.corner = pressure_angle(in, j.before, on_piece(j.before, j.delta)) -
                       pressure_angle(in, j.after, j.delta);
        if (joint.corner > 0)
            joint.rounding = in.rr * (1 / std::cos(joint.corner / 2 / kDegrees) - 1);
        q.joints.push_back(joint);
    }
    return q;
}

std::string undercut_warning(const CamQuality& q, double rr) {
    if (!q.undercut) return "";
    return "实际轮廓在 δ = " + degrees_text(q.rho_min.delta) +
           " 处出现尖点或失真，ρmin = " + mm_text(q.rho_min.value) +
           (q.rho_min.value < rr ? " < " : " = ") + "滚子半径 " + mm_text(rr) +
           "；可减小滚子半径或取 r0 ≥ " + mm_text(up_to_hundredth(q.r0_roller));
}

std::string pressure_warning(const CamQuality& q, const PressureAngleLimits& limits) {
    if (!q.rise_exceeded && !q.return_exceeded) return "";
    std::string text;
    if (q.rise_exceeded)
        text += "推程最大压力角 " + degrees_text(q.alpha_rise.value) +
                " > [α] = " + plain(limits.rise) + "°";
    if (q.return_exceeded) {
        if (!text.empty()) text += "，";
        text += "回程最大压力角 " + degrees_text(q.alpha_return.value) +
                " > [α′] = " + plain(limits.ret) + "°";
    }
    const double r0 = up_to_hundredth(q.r0_needed());
    text += "，建议基圆半径 r0 ≥ " + mm_text(r0);
    if (r0 > 60) text += "（超出 60 mm）";
    return text;
}

std::vector<QualityRow> quality_table(const CamQuality& q, const PressureAngleLimits* limits) {
    std::vector<QualityRow> rows;
    rows.push_back({"推程最大压力角", degrees_text(q.alpha_rise.value),
                    degrees_text(q.alpha_rise.delta), limits && q.rise_exceeded});
    rows.push_back({"回程最大压力角", degrees_text(q.alpha_return.value),
                    degrees_text(q.alpha_return.delta), limits && q.return_exceeded});
    if (q.convex) {
        rows.push_back(
            {"理论轮廓 ρmin", mm_text(q.rho_min.value), degrees_text(q.rho_min.delta), q.undercut});
        rows.push_back({"实际轮廓 ρmin", mm_text(q.rho_actual_min.value),
                        degrees_text(q.rho_actual_min.delta), q.undercut});
    } else {
        rows.push_back({"理论轮廓 ρmin", "无凸段", "—"});
    }
    rows.push_back({"最大跃度 |j|", format_fixed(q.jerk_max.value, 1) + " mm/s³",
                    degrees_text(q.jerk_max.delta)});
    bool soft = false;
    for (const LawJoint& j : q.joints) {
        if (j.rigid())
            rows.push_back({"刚性冲击 Δv", format_0_00(j.dv) + " mm/s", degrees_text(j.delta)});
        else {
            rows.push_back({"柔性冲击 Δa", format_0_00(j.da) + " mm/s²", degrees_text(j.delta)});
            soft = true;
        }
    }
    if (!soft) rows.push_back({"柔性冲击", "无", "—"});
    for (const LawJoint& j : q.joints)
        if (j.rigid() && j.corner > 0) {
            rows.push_back({"轮廓凸折角", degrees_text(j.corner), degrees_text(j.delta)});
            rows.push_back({"滚子削圆量", mm_text(j.rounding), degrees_text(j.delta)});
        }
    if (limits) {
        rows.push_back({"推程所需 r0", "≥ " + mm_text(up_to_hundredth(q.r0_rise)),
                        "[α] " + plain(limits->rise) + "°"});
        rows.push_back({"回程所需 r0", "≥ " + mm_text(up_to_hundredth(q.r0_return)),
                        "[α′] " + plain(limits->ret) + "°"});
    }
    return rows;
}

double axis_step(double span, int ticks) {
    if (!(span > 0) || ticks < 1) return 1;
    const double raw = span / ticks;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * p * (1 + 1e-9)) return m * p;
    return 10 * p;
}

}  // namespace vm
