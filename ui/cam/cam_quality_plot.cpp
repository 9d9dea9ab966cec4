// Quality curves of the cam, drawn in pixels: the value axes map by hand so the
// text stays upright and every label is placed by its measured size.
#include "ui/cam/cam_quality_plot.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/cam_quality.h"
#include "core/number_text.h"
#include "core/segment_clip.h"
#include "draw/drawing_surface.h"

namespace vm::cam {

namespace {
constexpr draw::Colour kBlack = 0, kBlue = 0xFF0000, kRed = 255;
constexpr draw::Colour kGreen = draw::rgb(0, 150, 0), kGrey = draw::rgb(160, 160, 160);
constexpr double kTurn = 360;

struct LegendItem {
    draw::Colour colour;
    bool dashed;
    bool marker;  // a filled dot instead of a line sample
    QString text;
};

class Panel {
  public:
    Panel(draw::DrawingSurface& s, double top, double height, double lo, double hi)
        : s_(s), lo_(lo), hi_(hi) {
        const double lh = line_height();
        left_ = 46;
        right_ = s.width_px() - 16;
        title_top_ = top + 1;
        top_ = top + 2.5 * lh + 2;
        bottom_ = top + height - 2 * lh - 4;
    }

    double x(double delta) const { return left_ + (right_ - left_) * delta / kTurn; }
    double y(double v) const { return bottom_ - (bottom_ - top_) * (v - lo_) / (hi_ - lo_); }

    // Frame, phase boundaries, angle and value ticks with their labels, the
    // axis titles with units, and the legend right-aligned on the title line.
    void axes(const QString& title, double step, const std::vector<LegendItem>& legend) {
        s_.box(left_, top_, right_, bottom_, kBlack);
        s_.set_line_style(1);
        for (double d :
             {FollowerMotion::kRiseEnd, FollowerMotion::kFarDwellEnd, FollowerMotion::kReturnEnd})
            s_.line(x(d), top_, x(d), bottom_, kGrey);
        s_.set_line_style(0);
        if (lo_ < 0 && hi_ > 0) s_.line(left_, y(0), right_, y(0), kGrey);
        for (int d = 0; d <= kTurn; d += 30) {
            s_.line(x(d), bottom_, x(d), bottom_ + 3, kBlack);
            if (d % 60 == 0)
                text(QString::number(d), x(d) - width(QString::number(d)) / 2, bottom_ + 3, kBlack);
        }
        const QString x_title = QStringLiteral("凸轮转角 δ/(°)");
        text(x_title, (left_ + right_ - width(x_title)) / 2, bottom_ + 3 + line_height(), kBlack);
        const int n = static_cast<int>(std::lround((hi_ - lo_) / step));
        for (int i = 0; i <= n; ++i) {
            const double v = lo_ + i * step;
            s_.line(left_ - 3, y(v), left_, y(v), kBlack);
            const QString label = QString::fromStdString(plain(std::fabs(v) < step * 1e-9 ? 0 : v));
            text(label, left_ - 4 - width(label), y(v) - line_height() / 2, kBlack);
        }
        text(title, left_, title_top_, kBlack);
        double total = 0;
        for (const LegendItem& item : legend) total += kSample + 3 + width(item.text) + kGap;
        double at = right_ - total + kGap;
        double row = title_top_;
        // A legend that would run into the title takes the line below it.
        if (at < left_ + width(title) + kGap) {
            row += line_height();
            at = std::max(left_, at);
        }
        for (const LegendItem& item : legend) {
            const double mid = row + line_height() / 2;
            if (item.marker) {
                dot(at + kSample / 2, mid, item.colour);
            } else {
                s_.set_line_style(item.dashed ? 1 : 0);
                s_.line(at, mid, at + kSample, mid, item.colour);
                s_.set_line_style(0);
            }
            text(item.text, at + kSample + 3, row, item.colour == kBlue ? kBlack : item.colour);
            at += kSample + 3 + width(item.text) + kGap;
        }
    }

    // A stretch of curve; the part outside the value range is cut off at the frame.
    void segment(double d1, double v1, double d2, double v2, draw::Colour c) {
        constexpr double kOpen = std::numeric_limits<double>::infinity();
        const auto span = clip_segment(d1, v1, d2, v2, -kOpen, lo_, kOpen, hi_);
        if (!span) return;
        const double dd = d2 - d1, dv = v2 - v1;
        s_.line(x(d1 + dd * span->t0), y(v1 + dv * span->t0), x(d1 + dd * span->t1), y(v1 + dv * span->t1), c);
    }

    void level(double from, double to, double v, draw::Colour c) {
        s_.set_line_style(1);
        segment(from, v, to, v, c);
        s_.set_line_style(0);
    }

    void dot(double px, double py, draw::Colour c) {
        s_.set_fill(true, c);
        s_.circle(px, py, 3, c);
        s_.set_fill(false);
    }

  private:
    static constexpr double kSample = 18, kGap = 10;

    double line_height() const { return QFontMetricsF(s_.font()).height(); }
    double width(const QString& t) const { return QFontMetricsF(s_.font()).horizontalAdvance(t); }
    void text(const QString& t, double px, double py, draw::Colour c) {
        const draw::Colour keep = s_.fore_colour();
        s_.set_fore_colour(c);
        s_.set_current(px, py);
        s_.print(t, false);
        s_.set_fore_colour(keep);
    }

    draw::DrawingSurface& s_;
    double lo_, hi_;
    double left_ = 0, right_ = 0, top_ = 0, bottom_ = 0, title_top_ = 0;
};

// The top of a value range: a whole number of steps at or above `v`.
double steps_above(double v, double step) {
    return step * std::max(1.0, std::ceil(v / step - 1e-9));
}

QString angles_text(const std::vector<double>& angles) {
    QString t;
    for (double a : angles)
        t += (t.isEmpty() ? QString() : QStringLiteral("、")) + QString::fromStdString(plain(a)) +
             "°";
    return t;
}

void pressure_panel(Panel& p, const CamQuality& q, const PressureAngleLimits* limits) {
    std::vector<LegendItem> legend{{kBlue, false, false, QStringLiteral("|α|")}};
    if (limits)
        legend.push_back({kRed, true, false,
                          QString::fromStdString("许用值 [α] = " + plain(limits->rise) +
                                                 "°，[α′] = " + plain(limits->ret) + "°")});
    p.axes(QStringLiteral("压力角 |α|/(°)"), 15, legend);
    for (size_t i = 1; i < q.curve.size(); ++i)
        p.segment(q.curve[i - 1].delta, std::fabs(q.curve[i - 1].alpha), q.curve[i].delta,
                  std::fabs(q.curve[i].alpha), kBlue);
    if (limits) {
        p.level(0, FollowerMotion::kRiseEnd, limits->rise, kRed);
        p.level(FollowerMotion::kFarDwellEnd, FollowerMotion::kReturnEnd, limits->ret, kRed);
    }
}

void curvature_panel(Panel& p, const CamQuality& q, const CamInputs& in, double step) {
    const QString rr = QString::fromStdString("滚子半径 rr = " + plain(in.rr) + " mm");
    p.axes(QStringLiteral("曲率半径 ρ/mm（凸为正）"), step,
           {{kBlue, false, false, QStringLiteral("理论")},
            {kGreen, false, false, QStringLiteral("实际")},
            {kRed, true, false, rr}});
    p.level(0, kTurn, in.rr, kRed);
    for (size_t i = 1; i < q.curve.size(); ++i) {
        const double k1 = q.curve[i - 1].curvature, k2 = q.curve[i].curvature;
        // Where the curvature changes sign the radius passes through infinity:
        // the curve leaves the range at one edge and comes back at the other.
        if (!(k1 * k2 > 0)) continue;
        const double d1 = q.curve[i - 1].delta, d2 = q.curve[i].delta;
        p.segment(d1, 1 / k1, d2, 1 / k2, kBlue);
        p.segment(d1, 1 / k1 - in.rr, d2, 1 / k2 - in.rr, kGreen);
    }
}

void jerk_panel(Panel& p, const CamQuality& q, double step) {
    std::vector<double> rigid, soft;
    for (const LawJoint& j : q.joints) (j.rigid() ? rigid : soft).push_back(j.delta);
    std::vector<LegendItem> legend{{kBlue, false, false, QStringLiteral("j")}};
    if (!rigid.empty())
        legend.push_back({kRed, false, true, QStringLiteral("刚性冲击 δ = ") + angles_text(rigid)});
    if (!soft.empty())
        legend.push_back(
            {kGreen, false, true, QStringLiteral("柔性冲击 δ = ") + angles_text(soft)});
    p.axes(QStringLiteral("跃度 j/(mm/s³)"), step, legend);
    for (size_t i = 1; i < q.curve.size(); ++i)
        p.segment(q.curve[i - 1].delta, q.curve[i - 1].jerk, q.curve[i].delta, q.curve[i].jerk,
                  kBlue);
    // An impulse has no height to plot: it is marked where it acts.
    for (const LawJoint& j : q.joints) p.dot(p.x(j.delta), p.y(0), j.rigid() ? kRed : kGreen);
}
}  // namespace

void draw_quality(draw::DrawingSurface& s, const CamQuality& q, const CamInputs& in,
                  const PressureAngleLimits* limits) {
    s.clear();
    s.set_pixel_scale();
    const double h = s.height_px() / 3.0;

    Panel alpha(s, 0, h, 0, 90);
    pressure_panel(alpha, q, limits);

    // Radius range: the dwell circles and the roller with room above; below
    // zero only when part of a profile is concave or cut.
    const double want = 1.5 * (in.r0 + in.h);
    const double top = steps_above(want, axis_step(want, 3));
    bool negative = q.rho_actual_min.value < 0;
    for (const QualityPoint& pt : q.curve) negative = negative || pt.curvature < 0;
    const double lo = negative ? -top : 0;
    Panel rho(s, h, h, lo, top);
    curvature_panel(rho, q, in, axis_step(top - lo, negative ? 6 : 4));

    const double jstep = axis_step(2 * q.jerk_max.value, 6);
    const double jtop = steps_above(q.jerk_max.value, jstep);
    Panel jerk(s, 2 * h, h, -jtop, jtop);
    jerk_panel(jerk, q, jstep);
}

}  // namespace vm::cam
