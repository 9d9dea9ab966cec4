// Charts over the cycle: axes fitted to the values, labels placed by their
// measured size so that none touches another.
#include "figures/curve_charts.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/number_text.h"
#include "draw/drawing_surface.h"
#include "figures/cam_figures.h"

namespace vm::figures {

namespace {
constexpr double kTick = 4, kGap = 3;

QString number(double v) {
    return QString::fromStdString(plain(std::fabs(v) < 1e-12 ? 0.0 : v));
}

double text_w(const draw::DrawingSurface& s, const QString& t) {
    return QFontMetricsF(s.font()).horizontalAdvance(t);
}
double text_h(const draw::DrawingSurface& s) {
    return QFontMetricsF(s.font()).height();
}

// Prints with the top-left corner at pixel (x, y).
void print_px(draw::DrawingSurface& s, double x, double y, const QString& t) {
    s.set_current(s.from_px_x(x), s.from_px_y(y));
    s.print(t);
}
}  // namespace

void draw_chart(draw::DrawingSurface& s, const PixelBox& frame, const Chart& c) {
    if (c.x.empty() || c.x.size() != c.y.size()) return;
    const double th = text_h(s);
    const auto [lo_it, hi_it] = std::minmax_element(c.y.begin(), c.y.end());
    const double plot_top = frame.top + th + kGap + th / 2;
    const double plot_bottom = frame.bottom - (kTick + kGap + th);
    const int max_steps = std::max(2, int((plot_bottom - plot_top) / (1.8 * th)));
    const CurvePlot::ValueAxis axis = CurvePlot::value_axis(*lo_it, *hi_it, max_steps);
    const std::vector<double> yt = axis.ticks();
    double widest = 0;
    for (double v : yt) widest = std::max(widest, text_w(s, number(v)));
    const double plot_left = frame.left + widest + kGap + kTick;
    const QString x_caption = QString::fromStdString(c.x_caption);
    const double plot_right =
        frame.right - (text_w(s, number(c.x_high)) / 2 + 2 * kGap + text_w(s, x_caption));
    if (plot_right <= plot_left || plot_bottom <= plot_top) return;
    // x right, values up.
    set_frame_scale(s, {plot_left, plot_top, plot_right, plot_bottom}, c.x_low, axis.high,
                    c.x_high - c.x_low, axis.low - axis.high);
    s.set_line_width(1);
    s.set_line_style(0);
    const draw::Colour black = 0;
    s.line(c.x_low, axis.low, c.x_high, axis.low, black);
    s.line(c.x_low, axis.low, c.x_low, axis.high, black);
    if (axis.low < 0 && axis.high > 0) {
        s.set_line_style(1);
        s.line(c.x_low, 0, c.x_high, 0, draw::rgb(128, 128, 128));
        s.set_line_style(0);
    }
    for (double x : CurvePlot::ValueAxis{c.x_low, c.x_high, c.x_step}.ticks()) {
        const double px = s.to_px_x(x);
        s.line(x, axis.low, x, s.from_px_y(plot_bottom + kTick), black);
        const QString t = number(x);
        print_px(s, px - text_w(s, t) / 2, plot_bottom + kTick + kGap, t);
    }
    print_px(s, plot_right + text_w(s, number(c.x_high)) / 2 + 2 * kGap, plot_bottom + kTick + kGap,
             x_caption);
    for (double v : yt) {
        const double py = s.to_px_y(v);
        s.line(c.x_low, v, s.from_px_x(plot_left - kTick), v, black);
        const QString t = number(v);
        print_px(s, plot_left - kTick - kGap - text_w(s, t), py - th / 2, t);
    }
    print_px(s, plot_left - kTick, frame.top, QString::fromStdString(c.y_caption));
    s.set_line_width(2);
    s.set_current(c.x.front(), c.y.front());
    for (size_t i = 1; i < c.x.size(); ++i) s.line_to(c.x[i], c.y[i], c.colour);
    s.set_line_width(1);
}

PistonCurves piston_curves(const DesignState& st) {
    PistonCurves out;
    const auto in = force_inputs(st);
    if (!in) return out;
    const double omega1 = -val(st.qb_w) * 2 * kPiAnalysis / 60;
    const double step = kTwoPiAnalysis / 360;
    double phi = st.jd_wai * kPiAnalysis / 180, top = 0;
    for (int i = 0; i < 720; ++i, phi -= step) {
        const auto k = jisuan(in->r, in->l, in->e, phi, omega1);
        if (!k) return {};
        if (i == 0) top = k->s_b;
        out.angle.push_back(i);
        out.s.push_back((top - k->s_b) * 1000);
        out.v.push_back(k->v_b);
        out.a.push_back(k->a_b);
    }
    return out;
}

void draw_motion_charts(draw::DrawingSurface& s, const PixelBox& f, Chart (&charts)[3], double gap) {
    const draw::Colour colours[3] = {draw::rgb(0, 128, 0), 255, 0xFF0000};
    const double h = (f.bottom - f.top) / 3;
    for (int i = 0; i < 3; ++i) {
        charts[i].colour = colours[i];
        draw_chart(s, {f.left, f.top + i * h, f.right, f.top + (i + 1) * h - gap}, charts[i]);
    }
}

void draw_piston_curves(draw::DrawingSurface& s, const PixelBox& f, const PistonCurves& c) {
    if (c.angle.empty()) return;
    Chart charts[3] = {{c.angle, c.s, "φ/(°)", "位移 s/mm"},
                       {c.angle, c.v, "φ/(°)", "速度 v_B/(m/s)"},
                       {c.angle, c.a, "φ/(°)", "加速度 a_B/(m/s²)"}};
    draw_motion_charts(s, f, charts, 14);
}

void draw_gas_force(draw::DrawingSurface& s, const PixelBox& frame, const DesignState& filled) {
    Chart chart;
    chart.x_caption = "φ/(°)";
    chart.y_caption = "气体压力 F/N";
    chart.colour = 255;
    for (int row = 0; row < 720; ++row) {
        chart.x.push_back(row);
        chart.y.push_back(filled.force_table.at(row, kFGas));
    }
    draw_chart(s, frame, chart);
}

}  // namespace vm::figures
