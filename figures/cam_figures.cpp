// Cam profiles on the drawing and the follower curve plot.
#include "figures/cam_figures.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>

#include "core/cam_profile.h"
#include "core/number_text.h"
#include "draw/drawing_surface.h"

namespace vm::figures {

namespace {
constexpr draw::Colour kBlack = 0, kGreen = 65280, kRed = 255, kBlue = 0xFF0000;

// Curves taller than this are far outside any sensible plot; holding the lift
// here keeps every plotted value finite, whatever number the lift box holds.
constexpr double kLargestPlottedLift = 1e6;

// Screen angles of an arc given in profile coordinates. The drawing has y
// downward, so a polar angle t shows at -t and the turning sense reverses;
// the surface draws counter-clockwise on the screen from start to end.
std::pair<double, double> screen_angles(const OutlinePiece& arc) {
    const double two_pi = 2 * kPiCam;
    auto wrap = [two_pi](double a) {
        a = std::fmod(a, two_pi);
        return a < 0 ? a + two_pi : a;
    };
    const double a = -arc.from, b = -(arc.from + arc.sweep);
    return arc.sweep > 0 ? std::pair{wrap(b), wrap(a)} : std::pair{wrap(a), wrap(b)};
}

bool same_primitive(const draw::Primitive& a, const draw::Primitive& b) {
    return a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
           a.radius == b.radius && a.start == b.start && a.end == b.end && a.colour == b.colour &&
           a.fill == b.fill && a.width == b.width && a.style == b.style && a.text == b.text &&
           a.font_size == b.font_size && a.bold == b.bold;
}

// Draws what `paint` draws, unless every piece of it is on `s` already: the
// same figure drawn again would only thicken its lines. `paint` is tried on a
// scratch picture in the same state first, so the test is exact.
template <class Paint>
void draw_once(draw::DrawingSurface& s, Paint paint) {
    draw::DrawingSurface trial(s.width_px(), s.height_px(), s.background());
    trial.set_scale(s.scale_left(), s.scale_top(), s.scale_width(), s.scale_height());
    trial.set_current(s.current_x(), s.current_y());
    trial.set_line_width(s.line_width());
    trial.set_line_style(s.line_style());
    trial.set_fore_colour(s.fore_colour());
    trial.set_font(s.font());
    paint(trial);
    const std::vector<draw::Primitive>& have = s.display_list();
    const bool shown =
        std::all_of(trial.display_list().begin(), trial.display_list().end(), [&](const auto& p) {
            return std::any_of(have.begin(), have.end(),
                               [&](const auto& q) { return same_primitive(p, q); });
        });
    if (shown) {
        s.set_current(trial.current_x(), trial.current_y());
        return;
    }
    paint(s);
}

double text_width_px(const draw::DrawingSurface& s, const QString& text) {
    return QFontMetricsF(s.font()).horizontalAdvance(text);
}

QString number_text(double v) {
    return QString::fromStdString(plain(v == 0 ? 0.0 : v));
}

draw::Colour colour_of(Curve c) {
    return c == Curve::Lift ? kGreen : c == Curve::Velocity ? kRed : kBlue;
}

// The legend names each curve with its unit, so the value axis needs none.
QString legend_of(Curve c) {
    switch (c) {
        case Curve::Lift:
            return QStringLiteral("升程 s/mm");
        case Curve::Velocity:
            return QStringLiteral("速度 v/(mm/s)");
        case Curve::Acceleration:
            return QStringLiteral("加速度 a/(mm/s²)");
    }
    return {};
}

const QString kAngleCaption = QStringLiteral("δ/(°)");

// Pixel layout of the plot: the legend row on top, the value labels on the
// left, the angle labels below and the angle caption at the right end.
constexpr double kTick = 4, kGap = 3, kEdge = 3, kLegendLine = 18;

struct Layout {
    double text_h;       // one text line, pixels
    double top, bottom;  // pixel rows of the highest and lowest value ticks
    double right;        // pixel column of the last angle; the first follows the value labels
};

Layout layout_of(const draw::DrawingSurface& s) {
    Layout l{};
    l.text_h = QFontMetricsF(s.font()).height();
    l.top = kEdge + l.text_h + kGap + l.text_h / 2;
    l.bottom = s.height_px() - (kTick + kGap + l.text_h + kEdge);
    l.right = s.width_px() - (text_width_px(s, number_text(CurvePlot::kLastAngle)) / 2 + 2 * kGap +
                              text_width_px(s, kAngleCaption) + kEdge);
    return l;
}

}  // namespace

std::vector<double> CurvePlot::ValueAxis::ticks() const {
    std::vector<double> out;
    const long long first = std::llround(low / step), last = std::llround(high / step);
    for (long long k = first; k <= last; ++k) out.push_back(static_cast<double>(k) * step);
    return out;
}

void draw_profile(draw::DrawingSurface& s, const CamProfile& profile, bool actual) {
    draw_once(s, [](draw::DrawingSurface& t) { t.circle(0, 0, 10); });
    const std::vector<OutlinePiece> pieces = profile.outline(actual);
    draw_once(s, [&pieces](draw::DrawingSurface& t) {
        for (const OutlinePiece& p : pieces) {
            if (p.is_arc) continue;
            t.set_current(p.points.front().x, p.points.front().y);
            for (const CamPoint& q : p.points) t.line_to(q.x, q.y);
        }
        for (const OutlinePiece& p : pieces) {
            if (!p.is_arc) continue;
            const auto [start, end] = screen_angles(p);
            t.arc(p.centre.x, p.centre.y, p.radius, t.fore_colour(), start, end);
        }
    });
}

void draw_base_circle(draw::DrawingSurface& s, double r0) {
    draw_once(s, [r0](draw::DrawingSurface& t) { t.circle(0, 0, r0, kRed); });
}

CurvePlot::ValueAxis CurvePlot::value_axis(double lowest, double highest, int max_steps) {
    max_steps = std::max(max_steps, 2);
    // Held where the step arithmetic stays finite: a span too small to show
    // (a lift of a few denormals) is drawn on the axis of a span of one.
    constexpr double kLargest = 1e300, kSmallestSpan = 1e-100;
    double lo = std::min(0.0, lowest), hi = std::max(0.0, highest);
    if (!(lo >= -kLargest)) lo = -kLargest;
    if (!(hi <= kLargest)) hi = kLargest;
    if (!(hi - lo >= kSmallestSpan)) hi = lo + 1;
    const double span = hi - lo;
    double power = std::pow(10.0, std::floor(std::log10(span / max_steps)) - 1);
    for (;;) {
        for (double m : {1.0, 2.0, 5.0}) {
            const double step = m * power;
            // Values a rounding error past a tick count as on it.
            const double low = std::floor(lo / step + 1e-9), high = std::ceil(hi / step - 1e-9);
            if (high - low <= max_steps) return {low * step, high * step, step};
        }
        power *= 10;
    }
}

double CurvePlot::value(Curve curve, const FollowerMotion& m, double delta) {
    switch (curve) {
        case Curve::Lift:
            return m.lift(delta);
        case Curve::Velocity:
            return m.velocity(delta);
        case Curve::Acceleration:
            return m.acceleration(delta);
    }
    return 0;
}

void CurvePlot::clear() {
    cpic_.clear();
    shown_.clear();
}

void CurvePlot::start(Curve curve, double h) {
    curve_ = curve;
    motion_.h = std::isnan(h) ? 0 : std::clamp(h, -kLargestPlottedLift, kLargestPlottedLift);
    // The bar's scale is in degrees of cam angle, so it is full when the plot ends.
    process_.set_scale(0, 0, kLastAngle, 1);
    bar_end_ = 0;

    // A curve plotted again replaces its earlier plot; the others stay.
    std::erase_if(shown_, [curve](const Shown& s) { return s.curve == curve; });
    shown_.push_back({curve, motion_.h});
    double lowest = 0, highest = 0;
    for (const Shown& s : shown_) {
        FollowerMotion m;
        m.h = s.h;
        const int samples = static_cast<int>(kLastAngle) * whole_per_degree_ + 1;
        for (int i = 0; i < samples; ++i) {
            const double v = value(s.curve, m, static_cast<double>(i) / whole_per_degree_);
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
    }
    const Layout l = layout_of(cpic_);
    const int max_steps = static_cast<int>((l.bottom - l.top) / (1.5 * l.text_h));
    const ValueAxis axis = value_axis(lowest, highest, max_steps);
    double widest = 0;
    for (double v : axis.ticks())
        widest = std::max(widest, text_width_px(cpic_, number_text(v)));
    fit_scale(axis, kEdge + widest + kGap + kTick);

    cpic_.clear();
    draw_frame(axis);
    for (size_t i = 0; i + 1 < shown_.size(); ++i) draw_whole(shown_[i]);
    last_x_ = 0;
    last_y_ = -value(curve_, motion_, 0);
    next_ = 0;
    sample();
    show_progress();
}

// x in degrees, y the negated value, so positive values lie above the axis.
void CurvePlot::fit_scale(const ValueAxis& axis, double left_margin_px) {
    const Layout l = layout_of(cpic_);
    const double w = cpic_.width_px(), h = cpic_.height_px();
    const double width = kLastAngle * w / (l.right - left_margin_px);
    const double height = (axis.high - axis.low) * h / (l.bottom - l.top);
    cpic_.set_scale(-left_margin_px * width / w, -axis.high - l.top * height / h, width, height);
}

void CurvePlot::draw_frame(const ValueAxis& axis) {
    draw::DrawingSurface& s = cpic_;
    s.set_line_width(1);
    s.set_line_style(0);
    s.set_fore_colour(kBlack);
    const double ux = s.scale_width() / s.width_px(),
                 uy = s.scale_height() / s.height_px();  // units per pixel
    const double text_h = QFontMetricsF(s.font()).height() * uy;
    const double base = -axis.low;  // the angle axis runs along the lowest value

    s.line(0, base, kLastAngle, base);
    s.line(0, base, 0, -axis.high);
    if (axis.low < 0 && axis.high > 0) s.line(0, 0, kLastAngle, 0);  // the zero line

    // Angle ticks below the angle axis, each number centred under its tick.
    for (double a = 0; a <= kLastAngle; a += kAngleStep) {
        s.line(a, base, a, base + kTick * uy);
        const QString t = number_text(a);
        s.set_current(a - text_width_px(s, t) / 2 * ux, base + (kTick + kGap) * uy);
        s.print(t);
    }
    s.set_current(kLastAngle + (text_width_px(s, number_text(kLastAngle)) / 2 + 2 * kGap) * ux,
                  base + (kTick + kGap) * uy);
    s.print(kAngleCaption);

    // Value ticks left of the value axis, each number centred on its tick.
    for (double v : axis.ticks()) {
        s.line(0, -v, -kTick * ux, -v);
        const QString t = number_text(v);
        s.set_current(-(kTick + kGap + text_width_px(s, t)) * ux, -v - text_h / 2);
        s.print(t);
    }

    // Legend: a bar of each curve's colour and its name with the unit.
    double x = 0;
    const double row = s.scale_top() + kEdge * uy;
    for (const Shown& shown : shown_) {
        s.filled_box(x, row + text_h / 2 - uy, x + kLegendLine * ux, row + text_h / 2 + uy,
                     colour_of(shown.curve));
        x += (kLegendLine + kGap) * ux;
        const QString t = legend_of(shown.curve);
        s.set_current(x, row);
        s.print(t);
        x += (text_width_px(s, t) + 4 * kGap) * ux;
    }
}

void CurvePlot::draw_whole(const Shown& shown) {
    FollowerMotion m;
    m.h = shown.h;
    const draw::Colour colour = colour_of(shown.curve);
    cpic_.set_current(0, -value(shown.curve, m, 0));
    const int samples = static_cast<int>(kLastAngle) * whole_per_degree_ + 1;
    for (int i = 0; i < samples; ++i) {
        const double delta = static_cast<double>(i) / whole_per_degree_;
        cpic_.line_to(delta, -value(shown.curve, m, delta), colour);
    }
}

void CurvePlot::finish() {
    if (!running()) return;
    draw_whole(shown_.back());
    next_ = kSamples;
    bar_end_ = kLastAngle;
    show_progress();
}

bool CurvePlot::advance(int count) {
    for (int i = 0; i < count && running(); ++i) sample();
    show_progress();
    return running();
}

// One sample: the curve to this angle (positive values above the axis), and
// the progress bar's end moves to it. The curve goes on from its own last
// sample, so a clear of the plot area while the plot runs leaves no stray line.
void CurvePlot::sample() {
    const double delta = static_cast<double>(next_) / kSamplesPerDegree;
    const double y = -value(curve_, motion_, delta);
    cpic_.line(last_x_, last_y_, delta, y, colour_of(curve_));
    last_x_ = delta;
    last_y_ = y;
    bar_end_ = delta;
    ++next_;
}

// The bar is one box from the left end to the last sample drawn, so it needs
// one entry on its picture however long the plot runs.
void CurvePlot::show_progress() {
    process_.clear();
    process_.filled_box(0, 0, bar_end_, 1, kBlue);
}

void draw_follower_curves(draw::DrawingSurface& s, const std::vector<Curve>& curves, double h,
                          int samples_per_degree) {
    draw::DrawingSurface bar(1, 1);
    CurvePlot plot(s, bar);
    plot.clear();
    plot.set_whole_samples_per_degree(samples_per_degree);
    for (Curve c : curves) plot.start(c, h);
    plot.finish();
}

}  // namespace vm::figures
