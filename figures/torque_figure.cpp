// The torque diagram: x in radians of crank angle (0..4 pi over the cycle),
// y in N*m, drawn on a y-up scale. Labels are placed by their measured size
// so that none is printed over another or struck through by an axis. And the
// work-cycle diagram, drawn from its items.
#include "figures/torque_figure.h"

#include <QFontMetricsF>
#include <QRectF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/cycle_diagram.h"
#include "core/number_text.h"
#include "core/torque_energy.h"
#include "draw/drawing_surface.h"
#include "figures/curve_charts.h"

namespace vm::figures {

namespace {
constexpr draw::Colour kCurve = 0xFF0000;                   // blue
constexpr draw::Colour kExtreme = draw::rgb(10, 200, 20);  // green
constexpr draw::Colour kMean = 255;                         // red
constexpr double kAxisHalf = 3000, kAxisLength = 15;       // N*m, rad
constexpr double kGapPx = 2;                                // space between a label and what it labels

// Rectangles already taken by labels and by the horizontal axis, in pixels.
class LabelPlacer {
public:
    explicit LabelPlacer(draw::DrawingSurface& s) : s_(s), fm_(s.font()) {}

    // Marks a horizontal line from user x1 to x2 at user y as taken.
    void block_line(double x1, double x2, double y) {
        const double py = s_.to_px_y(y), a = s_.to_px_x(x1), b = s_.to_px_x(x2);
        taken_.push_back(QRectF(std::min(a, b), py - 0.5, std::fabs(b - a), 1));
    }

    // Prints the lines of `text` one under the other with the block's top-left
    // corner at (px, py), moved by whole text heights in `step` (+1 down, -1
    // up) until it touches no earlier label and no blocked line.
    void print(const QStringList& text, double px, double py, int step) {
        const double h = fm_.height();
        double w = 0, lead = 0;
        for (const QString& line : text) {
            w = std::max(w, fm_.horizontalAdvance(line.trimmed()));
            lead = std::max(lead, fm_.horizontalAdvance(line) - fm_.horizontalAdvance(line.trimmed()));
        }
        // Blanks around a printed number are the sign place: they count for
        // the centring, not for what the label covers.
        QRectF r(px + lead / 2, py, w, h * text.size());
        for (int tries = 0; tries < 12 && collides(r); ++tries) r.translate(0, step * (h + kGapPx));
        taken_.push_back(r.adjusted(-kGapPx, 0, kGapPx, 0));
        for (qsizetype i = 0; i < text.size(); ++i) {
            s_.set_current(s_.from_px_x(r.left() - lead / 2), s_.from_px_y(r.top() + i * h));
            s_.print(text[i]);
        }
    }
    void print(const QString& text, double px, double py, int step) { print(QStringList{text}, px, py, step); }

    // The same with the text centred on x (user units).
    void print_centred(const QString& text, double x, double py, int step) {
        print(text, s_.to_px_x(x) - fm_.horizontalAdvance(text) / 2, py, step);
    }

    double height() const { return fm_.height(); }

private:
    bool collides(const QRectF& r) const {
        return std::any_of(taken_.begin(), taken_.end(), [&](const QRectF& t) { return t.intersects(r); });
    }

    draw::DrawingSurface& s_;
    QFontMetricsF fm_;
    std::vector<QRectF> taken_;
};

QString number_text(double v) { return QString::fromStdString(printed_number(v)); }
}  // namespace

void draw_torque_diagram(draw::DrawingSurface& s, const TorqueFigures& t, const TorqueAxisNames& names) {
    const draw::Colour axis = s.fore_colour();
    LabelPlacer labels(s);
    const double h = labels.height();
    // The y axis reaches past the curve's highest and lowest torque by two
    // text lines, and at least to +-3000 N*m.
    const auto [lo, hi] = std::minmax_element(t.mom.begin(), t.mom.end());
    const double margin = 2 * s.text_height();
    const double y_top = std::max(kAxisHalf, *hi + margin), y_bottom = std::min(-kAxisHalf, *lo - margin);
    s.line(0, y_bottom, 0, y_top, axis);
    s.line(0, 0, kAxisLength, 0, axis);
    labels.block_line(0, kAxisLength, 0);
    const double axis_px = s.to_px_y(0);
    labels.print(QString::fromStdString(names.x), s.to_px_x(kAxisLength) + kGapPx, axis_px - h / 2, 1);
    // "Y" beside the top of the axis, or at the picture's top edge when the
    // axis runs beyond it.
    const double y_label_px = std::max(s.to_px_y(y_top), 0.0);
    labels.print(QString::fromStdString(names.y), s.to_px_x(0) + kGapPx, y_label_px, 1);

    for (size_t i = 1; i < t.mom.size(); ++i) s.line(t.ang[i - 1], t.mom[i - 1], t.ang[i], t.mom[i], kCurve);

    // Each marked extreme: a drop line to the axis, its angle under the axis
    // (over it for a trough below the axis) and its torque beyond the curve,
    // both centred on the drop line.
    for (int i : t.extremes) {
        const size_t k = static_cast<size_t>(i);
        s.line(t.ang[k], t.mom[k], t.ang[k], 0, kExtreme);
    }
    const double end = 4 * kPiTorque;
    s.line(0, t.m_mean, end, t.m_mean, kMean);
    s.line(end, t.m_mean, end, 0, kMean);
    labels.block_line(0, end, t.m_mean);

    for (int i : t.extremes) {
        const size_t k = static_cast<size_t>(i);
        const double x = t.ang[k], m = t.mom[k];
        const QString value = number_text(static_cast<double>(cint(m)));
        const double mpx = s.to_px_y(m);
        if (m > 0)
            labels.print_centred(value, x, mpx - h - kGapPx, -1);
        else
            labels.print_centred(value, x, mpx + kGapPx, 1);
    }
    for (int i : t.extremes) {
        const size_t k = static_cast<size_t>(i);
        const QString degree = number_text(static_cast<double>(cint(t.ang[k] * 180 / kPiTorque)));
        if (t.mom[k] >= 0)
            labels.print_centred(degree, t.ang[k], axis_px + kGapPx, 1);
        else
            labels.print_centred(degree, t.ang[k], axis_px - h - kGapPx, -1);
    }

    // The curve's name beside its end, and the mean resisting torque with its
    // value on the side of the mean line away from the x axis.
    const double label_x = s.to_px_x(end + 0.5);
    const double curve_end_px = s.to_px_y(t.mom.back());
    labels.print(QStringLiteral("动力矩"), label_x, curve_end_px + kGapPx, t.mom.back() >= 0 ? -1 : 1);
    const double mean_px = s.to_px_y(t.m_mean);
    const QString mean_value = number_text(static_cast<double>(cint(t.m_mean)));
    const QStringList mean_block{QStringLiteral("平均阻力矩"), mean_value};
    if (t.m_mean >= 0)
        labels.print(mean_block, label_x, mean_px - 2 * h - kGapPx, -1);
    else
        labels.print(mean_block, label_x, mean_px + kGapPx, 1);
}

void draw_torque_chart(draw::DrawingSurface& s, const PixelBox& frame, const TorqueFigures& t,
                       const TorqueChartScales& sc) {
    const double w_mm = (frame.right - frame.left) / kPxPerMm, h_mm = (frame.bottom - frame.top) / kPxPerMm;
    const double uw = w_mm * sc.mu_phi, uh = h_mm * sc.mu_m;
    const double left = sc.x_left - (uw - (sc.x_right - sc.x_left)) / 2;
    const double top = sc.y_top + (uh - (sc.y_top - sc.y_bottom)) / 2;
    set_frame_scale(s, frame, left, top, uw, -uh);
    draw_torque_diagram(s, t, {"φ/rad", "M/(N·m)"});
}

void draw_cycle_items(draw::DrawingSurface& s, const CycleDiagram& d) {
    auto number = [&](double v) { s.print(QString::fromStdString(printed_number(v))); };
    for (const DiagramItem& it : d.items) {
        switch (it.kind) {
            case DiagramItemKind::Bar:
                // The box stops 2 units short of x2 so that neighbouring bars
                // stay apart; the end angle sits under the bar's end and the
                // text above its start.
                s.filled_box(it.x1, it.y1, it.x2 - 2, it.y2, it.colour);
                s.set_current(it.x2 - 10, it.y1);
                number(static_cast<double>(bar_end_degrees(it.x2)));
                s.set_current(it.x1, it.y2 + 20);
                if (!it.text.empty()) s.print(QString::fromStdString(it.text));
                break;
            case DiagramItemKind::Text:
                s.set_current(it.x1, it.y1);
                s.print(QString::fromStdString(it.text));
                break;
            case DiagramItemKind::Number:
                s.set_current(it.x1, it.y1);
                number(it.number);
                break;
            case DiagramItemKind::Box:
                s.filled_box(it.x1, it.y1, it.x2, it.y2, it.colour);
                break;
        }
    }
}

void draw_cycle_chart(draw::DrawingSurface& s, const PixelBox& frame, const CycleDiagram& d) {
    // From the row names left of the bars (the window's 100 units) to the
    // last end angle, and from under the lowest bar's numbers to over the
    // highest bar's caption; proportions kept, centred in the frame.
    double lo = 0, hi = 0;
    bool first = true;
    for (const DiagramItem& it : d.items) {
        const double a = std::min(it.y1, it.y2), b = std::max(it.y1, it.y2);
        lo = first ? a : std::min(lo, a);
        hi = first ? b : std::max(hi, b);
        first = false;
    }
    const double left = -100, right = 420, top = hi + 45, bottom = lo - 35;
    const double fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    const double per_px = std::max((right - left) / fw, (top - bottom) / fh);
    const double uw = fw * per_px, uh = fh * per_px;
    set_frame_scale(s, frame, left - (uw - (right - left)) / 2, top + (uh - (top - bottom)) / 2, uw, -uh);
    draw_cycle_items(s, d);
}

}  // namespace vm::figures
