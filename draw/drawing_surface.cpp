// DrawingSurface: user scale mapping, recording and painting of primitives.
#include "draw/drawing_surface.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPolygonF>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "draw/surface_widget.h"

namespace vm::draw {

namespace {
QColor to_qcolor(Colour c) { return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255); }
}  // namespace

Colour qb_color(int n) {
    static const Colour palette[16] = {
        rgb(0, 0, 0),       rgb(0, 0, 128),     rgb(0, 128, 0),     rgb(0, 128, 128),
        rgb(128, 0, 0),     rgb(128, 0, 128),   rgb(128, 128, 0),   rgb(192, 192, 192),
        rgb(128, 128, 128), rgb(0, 0, 255),     rgb(0, 255, 0),     rgb(0, 255, 255),
        rgb(255, 0, 0),     rgb(255, 0, 255),   rgb(255, 255, 0),   rgb(255, 255, 255)};
    return palette[((n % 16) + 16) % 16];
}

DrawingSurface::DrawingSurface(int width_px, int height_px, Colour background)
    : width_(width_px > 0 ? width_px : 1),
      height_(height_px > 0 ? height_px : 1),
      background_(background),
      sw_(width_),
      sh_(height_) {
    font_ = QFont(QStringLiteral("WenQuanYi Micro Hei"), 9);
    pixels_ = QImage(width_, height_, QImage::Format_ARGB32_Premultiplied);
    pixels_.fill(to_qcolor(background_));
}

void DrawingSurface::clear() {
    list_.clear();
    painted_ = 0;
    pixels_.fill(to_qcolor(background_));
    cx_ = left_;
    cy_ = top_;
    changed();
}

void DrawingSurface::set_background(Colour c) {
    background_ = c;
    clear();
}

void DrawingSurface::set_scale(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    if (width != 0) sw_ = width;
    if (height != 0) sh_ = height;
}

void DrawingSurface::set_pixel_scale() { set_scale(0, 0, width_, height_); }

void DrawingSurface::set_proportional_scale(double left, double top, double width) {
    const double h = -std::floor(width * height_ / static_cast<double>(width_));
    set_scale(left, top, width, h);
}

double DrawingSurface::to_px_x(double x) const { return (x - left_) * width_ / sw_; }
double DrawingSurface::to_px_y(double y) const { return (y - top_) * height_ / sh_; }
double DrawingSurface::from_px_x(double px) const { return left_ + px * sw_ / width_; }
double DrawingSurface::from_px_y(double py) const { return top_ + py * sh_ / height_; }
double DrawingSurface::units_to_px_x(double u) const { return std::fabs(u * width_ / sw_); }
double DrawingSurface::units_to_px_y(double u) const { return std::fabs(u * height_ / sh_); }

void DrawingSurface::drop() {
    ++dropped_;
#ifndef NDEBUG
    qWarning("DrawingSurface: a non-finite coordinate was dropped (%zu so far)", dropped_);
#endif
}

void DrawingSurface::add(Primitive p) {
    // Nothing undefined is drawn: a primitive with a non-finite coordinate is dropped.
    for (double v : {p.x1, p.y1, p.x2, p.y2, p.radius, p.start, p.end})
        if (!std::isfinite(v)) return drop();
    list_.push_back(std::move(p));
    if (list_.size() > kListLimit) {
        flush();
        list_.erase(list_.begin(), list_.begin() + static_cast<long>(kListLimit / 2));
        painted_ = list_.size();
    }
    changed();
}

void DrawingSurface::line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, fore_); }

void DrawingSurface::line(double x1, double y1, double x2, double y2, Colour c) {
    segment(PrimitiveKind::Line, x1, y1, x2, y2, c);
}

void DrawingSurface::segment(PrimitiveKind kind, double x1, double y1, double x2, double y2,
                             Colour c) {
    Primitive p;
    p.kind = kind;
    p.x1 = to_px_x(x1);
    p.y1 = to_px_y(y1);
    p.x2 = to_px_x(x2);
    p.y2 = to_px_y(y2);
    p.colour = c;
    p.width = line_width_;
    p.style = line_style_;
    cx_ = x2;
    cy_ = y2;
    add(std::move(p));
}

void DrawingSurface::line_to(double x2, double y2) { line(cx_, cy_, x2, y2, fore_); }
void DrawingSurface::line_to(double x2, double y2, Colour c) { line(cx_, cy_, x2, y2, c); }

void DrawingSurface::box(double x1, double y1, double x2, double y2, Colour c) {
    segment(PrimitiveKind::Box, x1, y1, x2, y2, c);
}

void DrawingSurface::filled_box(double x1, double y1, double x2, double y2, Colour c) {
    segment(PrimitiveKind::FilledBox, x1, y1, x2, y2, c);
}

void DrawingSurface::circle(double x, double y, double r) { circle(x, y, r, fore_); }

// A primitive centred on (x, y) in the current pen; the current point moves there.
Primitive DrawingSurface::centred(PrimitiveKind kind, double x, double y, double r, Colour c) {
    Primitive p;
    p.kind = kind;
    p.x1 = to_px_x(x);
    p.y1 = to_px_y(y);
    p.radius = units_to_px_x(r);
    p.colour = c;
    p.width = line_width_;
    p.style = line_style_;
    cx_ = x;
    cy_ = y;
    return p;
}

void DrawingSurface::circle(double x, double y, double r, Colour c) {
    Primitive p = centred(fill_on_ ? PrimitiveKind::FilledCircle : PrimitiveKind::Circle, x, y, r, c);
    p.fill = fill_colour_;
    add(std::move(p));
}

void DrawingSurface::arc(double x, double y, double r, Colour c, double start, double end) {
    Primitive p = centred(PrimitiveKind::Arc, x, y, r, c);
    p.start = start;
    p.end = end;
    add(std::move(p));
}

void DrawingSurface::point(double x, double y) { point(x, y, fore_); }

void DrawingSurface::point(double x, double y, Colour c) {
    Primitive p = centred(PrimitiveKind::Point, x, y, 0, c);
    p.style = 0;
    add(std::move(p));
}

void DrawingSurface::print(const QString& text, bool newline) {
    Primitive p;
    p.kind = PrimitiveKind::Text;
    p.x1 = to_px_x(cx_);
    p.y1 = to_px_y(cy_);
    p.text = text;
    p.colour = fore_;
    const QFontMetricsF fm(font_);
    p.y2 = fm.height();
    p.x2 = fm.horizontalAdvance(text);
    p.font_size = font_.pointSizeF() > 0 ? font_.pointSizeF() : 9;
    p.bold = font_.bold();
    const double advance_px = p.x2;
    const double line_px = p.y2;
    add(std::move(p));
    if (newline) {
        cx_ = left_;
        cy_ = from_px_y(to_px_y(cy_) + line_px);
    } else {
        cx_ = from_px_x(to_px_x(cx_) + advance_px);
    }
}

double DrawingSurface::text_height() const {
    return std::fabs(QFontMetricsF(font_).height() * sh_ / height_);
}

int DrawingSurface::add_line_element(const LineElement& e) {
    line_elements_.push_back(e);
    changed();
    return static_cast<int>(line_elements_.size()) - 1;
}

int DrawingSurface::add_shape_element(const ShapeElement& e) {
    shape_elements_.push_back(e);
    changed();
    return static_cast<int>(shape_elements_.size()) - 1;
}

void DrawingSurface::place_line_element(int i, double x1, double y1, double x2, double y2) {
    LineElement& e = line_element(i);
    const double v[4] = {to_px_x(x1), to_px_y(y1), to_px_x(x2), to_px_y(y2)};
    for (double d : v)
        if (!std::isfinite(d)) return drop();
    e.x1 = v[0];
    e.y1 = v[1];
    e.x2 = v[2];
    e.y2 = v[3];
    changed();
}

void DrawingSurface::place_shape_element(int i, double left, double top) {
    ShapeElement& e = shape_element(i);
    const double l = to_px_x(left), t = to_px_y(top);
    if (!std::isfinite(l) || !std::isfinite(t)) return drop();
    e.left = l;
    e.top = t;
    changed();
}

QPen primitive_pen(const Primitive& prim) {
    QPen pen(to_qcolor(prim.colour));
    pen.setWidthF(prim.width);
    pen.setCapStyle(Qt::RoundCap);
    switch (prim.style) {
        case kDashedLine: pen.setStyle(Qt::DashLine); break;
        case kDottedLine: pen.setStyle(Qt::DotLine); break;
        case kDashDotLine: pen.setStyle(Qt::DashDotLine); break;
        default: break;
    }
    return pen;
}

QRectF paint_area(const QRectF& picture, int width) {
    const double m = std::max(width, 1) + 4.0;
    return picture.adjusted(-m, -m, m, m);
}

bool clip_segment(QPointF& a, QPointF& b, const QRectF& r, double* skipped) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0, t1 = 1;
    // Each edge: p * t <= q keeps the point inside.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const QPointF from = a;
    if (t1 < 1) b = QPointF(from.x() + t1 * dx, from.y() + t1 * dy);
    if (t0 > 0) a = QPointF(from.x() + t0 * dx, from.y() + t0 * dy);
    if (skipped) *skipped = t0 * std::hypot(dx, dy);
    return true;
}

namespace {

constexpr double kTwoPi = 2 * 3.14159265358979323846;

// Shifts a pen's dashes by `length` pixels along its path, so a path that
// starts `length` into the original one keeps the original's dashes. A pen of
// at most one device pixel is left alone: the raster painter draws such lines
// with dashes counted from where they enter the device, which the cut start
// (always outside the picture) does not change.
void shift_dashes(const QPainter& p, QPen& pen, double length) {
    if (pen.style() == Qt::SolidLine || !(length > 0)) return;
    const QTransform& t = p.deviceTransform();
    const double scale = std::max(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22()));
    const QPaintEngine* engine = p.paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster && pen.widthF() * scale <= 1) return;
    const QList<qreal> pattern = pen.dashPattern();
    double period = 0;
    for (qreal v : pattern) period += v;
    if (!(period > 0)) return;
    const double unit = std::max(pen.widthF(), 1.0);
    pen.setDashOffset(pen.dashOffset() + std::fmod(length / unit, period));
}

// Circles this much larger than the region they are painted in are painted
// from their visible part only; smaller ones go to the painter whole.
bool is_large_circle(double radius, const QRectF& area) {
    return radius > 2 * std::max(area.width(), area.height());
}

// On screen, angle t (radians, counter-clockwise from +x) of a circle about c.
QPointF on_circle(QPointF c, double r, double t) {
    return QPointF(c.x() + r * std::cos(t), c.y() - r * std::sin(t));
}

// The stretches of angle, within [0, 2 pi] and counter-clockwise, in which the
// circle runs inside `area`; a stretch running through angle 0 is one interval
// ending beyond 2 pi.
std::vector<std::pair<double, double>> arcs_inside(QPointF c, double r, const QRectF& area) {
    std::vector<double> cuts{0, kTwoPi};
    auto add = [&](double t) {
        t = std::fmod(t, kTwoPi);
        if (t < 0) t += kTwoPi;
        cuts.push_back(t);
    };
    for (double x : {area.left(), area.right()}) {
        const double u = (x - c.x()) / r;
        if (std::fabs(u) <= 1) {
            add(std::acos(u));
            add(-std::acos(u));
        }
    }
    for (double y : {area.top(), area.bottom()}) {
        const double v = (c.y() - y) / r;
        if (std::fabs(v) <= 1) {
            add(std::asin(v));
            add(kTwoPi / 2 - std::asin(v));
        }
    }
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::pair<double, double>> out;
    for (size_t i = 1; i < cuts.size(); ++i) {
        const double t0 = cuts[i - 1], t1 = cuts[i];
        if (!(t1 > t0)) continue;
        if (!area.contains(on_circle(c, r, (t0 + t1) / 2))) continue;
        if (!out.empty() && out.back().second == t0)
            out.back().second = t1;
        else
            out.emplace_back(t0, t1);
    }
    if (out.size() > 1 && out.front().first == 0 && out.back().second == kTwoPi) {
        out.back().second = kTwoPi + out.front().second;
        out.erase(out.begin());
    }
    return out;
}

// The visible stretches of an arc from `start` over `span` radians.
std::vector<std::pair<double, double>> clip_to_span(const std::vector<std::pair<double, double>>& arcs,
                                                    double start, double span) {
    start = std::fmod(start, kTwoPi);
    if (start < 0) start += kTwoPi;
    std::vector<std::pair<double, double>> out;
    for (const auto& [a, b] : arcs)
        for (double shift : {-kTwoPi, 0.0, kTwoPi}) {
            const double lo = std::max(a, start + shift), hi = std::min(b, start + span + shift);
            if (hi > lo) out.emplace_back(lo, hi);
        }
    return out;
}

// Points along the circle from t0 to t1, close enough that the chords stay
// within a twentieth of a pixel of the curve.
QPolygonF sample_arc(QPointF c, double r, double t0, double t1) {
    const double step = 2 * std::sqrt(2 * 0.05 / r);
    const int n = std::clamp(static_cast<int>(std::ceil((t1 - t0) / step)), 1, 100000);
    QPolygonF pts;
    pts.reserve(n + 1);
    for (int i = 0; i <= n; ++i) pts << on_circle(c, r, t0 + (t1 - t0) * i / n);
    return pts;
}

// A large circle or arc: its visible stretches as polylines, and for a filled
// circle the part of the disc inside the area as one convex polygon.
void paint_large_circle(QPainter& p, const Primitive& prim, const QRectF& area) {
    const QPointF c(prim.x1, prim.y1);
    const double r = prim.radius;
    std::vector<std::pair<double, double>> arcs = arcs_inside(c, r, area);
    if (prim.kind == PrimitiveKind::Arc) {
        double span = prim.end - prim.start;
        if (span < 0) span += kTwoPi;
        arcs = clip_to_span(arcs, prim.start, span);
    }
    if (prim.kind == PrimitiveKind::FilledCircle) {
        // The disc and the area are both convex, so is their common part: its
        // corners are the area's corners inside the disc and the visible arcs.
        QPolygonF corners;
        for (const QPointF& k : {area.topLeft(), area.topRight(), area.bottomRight(), area.bottomLeft()})
            if (std::hypot(k.x() - c.x(), k.y() - c.y()) <= r) corners << k;
        QPolygonF all = corners;
        for (const auto& [t0, t1] : arcs) all << sample_arc(c, r, t0, t1);
        if (all.size() >= 3) {
            QPointF mid(0, 0);
            for (const QPointF& q : all) mid += q;
            mid /= static_cast<double>(all.size());
            std::sort(all.begin(), all.end(), [&](const QPointF& u, const QPointF& v) {
                return std::atan2(u.y() - mid.y(), u.x() - mid.x()) < std::atan2(v.y() - mid.y(), v.x() - mid.x());
            });
            p.setPen(Qt::NoPen);
            p.setBrush(to_qcolor(prim.fill));
            p.drawPolygon(all);
            p.setBrush(Qt::NoBrush);
        }
    }
    // Dashes counted from where the painter would start the figure: the arc's
    // start, or angle 0 of a circle.
    double origin = 0;
    if (prim.kind == PrimitiveKind::Arc) {
        origin = std::fmod(prim.start, kTwoPi);
        if (origin < 0) origin += kTwoPi;
    }
    for (const auto& [t0, t1] : arcs) {
        QPen pen = primitive_pen(prim);
        double along = t0 - origin;
        if (along < 0) along += kTwoPi;
        shift_dashes(p, pen, r * along);
        p.setPen(pen);
        p.drawPolyline(sample_arc(c, r, t0, t1));
    }
}

// Whether a circle of radius r (pen included) about c reaches into the area
// at all, and whether the area lies wholly inside it, clear of its outline.
bool circle_meets(QPointF c, double reach, const QRectF& area) {
    const double dx = std::max({area.left() - c.x(), 0.0, c.x() - area.right()});
    const double dy = std::max({area.top() - c.y(), 0.0, c.y() - area.bottom()});
    return std::hypot(dx, dy) <= reach;
}
bool area_within(QPointF c, double r, const QRectF& area) {
    for (const QPointF& k : {area.topLeft(), area.topRight(), area.bottomRight(), area.bottomLeft()})
        if (std::hypot(k.x() - c.x(), k.y() - c.y()) >= r) return false;
    return true;
}

// The box's corners cut to the area; false when nothing of it is inside.
bool clip_box(QRectF& box, const QRectF& area) {
    const double l = std::max(box.left(), area.left()), r = std::min(box.right(), area.right());
    const double t = std::max(box.top(), area.top()), b = std::min(box.bottom(), area.bottom());
    if (l > r || t > b) return false;
    box = QRectF(QPointF(l, t), QPointF(r, b));
    return true;
}

}  // namespace

void paint_primitive(QPainter& p, const Primitive& prim, const QRectF& picture) {
    const QRectF area = paint_area(picture, prim.width);
    QPen pen = primitive_pen(prim);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (prim.kind) {
        case PrimitiveKind::Line: {
            QPointF a(prim.x1, prim.y1), b(prim.x2, prim.y2);
            double skipped = 0;
            if (!clip_segment(a, b, area, &skipped)) break;
            if (skipped > 0) {
                shift_dashes(p, pen, skipped);
                p.setPen(pen);
            }
            p.drawLine(a, b);
            break;
        }
        case PrimitiveKind::Box: {
            // An edge beyond the area is out of sight, so the box cut to the area
            // shows the same edges inside the picture.
            QRectF r = QRectF(QPointF(prim.x1, prim.y1), QPointF(prim.x2, prim.y2)).normalized();
            if (!clip_box(r, area)) break;
            p.drawRect(r);
            break;
        }
        case PrimitiveKind::FilledBox: {
            QRectF r = QRectF(QPointF(prim.x1, prim.y1), QPointF(prim.x2, prim.y2)).normalized();
            r.adjust(-0.5, -0.5, 0.5, 0.5);
            if (!clip_box(r, area)) break;
            p.fillRect(r, to_qcolor(prim.colour));
            break;
        }
        case PrimitiveKind::Circle:
        case PrimitiveKind::FilledCircle:
        case PrimitiveKind::Arc: {
            const QPointF c(prim.x1, prim.y1);
            if (!circle_meets(c, prim.radius + prim.width, area)) break;
            if (area_within(c, prim.radius - prim.width, area)) {
                // The outline runs wholly outside: only a fill can show.
                if (prim.kind == PrimitiveKind::FilledCircle) p.fillRect(area, to_qcolor(prim.fill));
                break;
            }
            if (is_large_circle(prim.radius, area)) {
                paint_large_circle(p, prim, area);
                break;
            }
            if (prim.kind == PrimitiveKind::Arc) {
                const double deg = 180.0 / 3.14159265358979323846;
                double span = (prim.end - prim.start) * deg;
                if (span < 0) span += 360;
                QRectF r(prim.x1 - prim.radius, prim.y1 - prim.radius, 2 * prim.radius, 2 * prim.radius);
                p.drawArc(r, static_cast<int>(std::lround(prim.start * deg * 16)),
                          static_cast<int>(std::lround(span * 16)));
                break;
            }
            if (prim.kind == PrimitiveKind::FilledCircle) p.setBrush(to_qcolor(prim.fill));
            p.drawEllipse(c, prim.radius, prim.radius);
            break;
        }
        case PrimitiveKind::Point:
            if (!area.contains(QPointF(prim.x1, prim.y1))) break;
            if (prim.width <= 1) {
                p.drawPoint(QPointF(prim.x1, prim.y1));
            } else {
                p.setBrush(to_qcolor(prim.colour));
                p.setPen(Qt::NoPen);
                p.drawEllipse(QPointF(prim.x1, prim.y1), prim.width / 2.0, prim.width / 2.0);
            }
            break;
        case PrimitiveKind::Text: {
            // x2 and y2 hold the text's width and line height.
            if (!QRectF(prim.x1, prim.y1, prim.x2, prim.y2).intersects(area)) break;
            QFont f(QStringLiteral("WenQuanYi Micro Hei"));
            f.setPointSizeF(prim.font_size);
            f.setBold(prim.bold);
            p.setFont(f);
            // The picture was laid out with the screen's metrics, one pixel a
            // 96th of an inch. A device of another resolution (a PDF page of 300
            // dots per inch) would set the point size larger against the
            // picture's lines, so the text is scaled back to the screen's size.
            const QFontMetricsF fm(f);
            const QPaintDevice* device = p.device();
            const double ratio = device ? fm.height() / QFontMetricsF(f, device).height() : 1;
            const QPointF at(prim.x1, prim.y1 + fm.ascent());
            if (std::isfinite(ratio) && ratio > 0 && std::abs(ratio - 1) > 0.02) {
                p.save();
                p.translate(at);
                p.scale(ratio, ratio);
                p.drawText(QPointF(0, 0), prim.text);
                p.restore();
            } else {
                p.drawText(at, prim.text);
            }
            break;
        }
    }
}

void DrawingSurface::flush() const {
    if (painted_ >= list_.size()) return;
    QPainter p(&pixels_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF picture(0, 0, width_, height_);
    for (size_t i = painted_; i < list_.size(); ++i) paint_primitive(p, list_[i], picture);
    painted_ = list_.size();
}

void DrawingSurface::paint_elements(QPainter& p) const {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF picture(0, 0, width_, height_);
    for (const LineElement& e : line_elements_) {
        if (!e.visible) continue;
        QPen pen(to_qcolor(e.colour));
        pen.setWidthF(e.width);
        p.setPen(pen);
        QPointF a(e.x1, e.y1), b(e.x2, e.y2);
        if (clip_segment(a, b, paint_area(picture, e.width))) p.drawLine(a, b);
    }
    for (const ShapeElement& e : shape_elements_) {
        if (!e.visible) continue;
        p.setPen(QPen(to_qcolor(e.border), 1));
        p.setBrush(e.filled ? QBrush(to_qcolor(e.fill)) : QBrush(Qt::NoBrush));
        QRectF r(e.left, e.top, e.width, e.height);
        if (e.kind == ShapeKind::Square || e.kind == ShapeKind::Circle) {
            const double side = std::min(e.width, e.height);
            r = QRectF(e.left + (e.width - side) / 2, e.top + (e.height - side) / 2, side, side);
        }
        switch (e.kind) {
            case ShapeKind::Rectangle:
            case ShapeKind::Square: p.drawRect(r); break;
            case ShapeKind::Oval:
            case ShapeKind::Circle: p.drawEllipse(r); break;
            case ShapeKind::RoundedRectangle: p.drawRoundedRect(r, 3, 3); break;
        }
    }
}

QImage DrawingSurface::image() const {
    flush();
    QImage out = pixels_.copy();
    QPainter p(&out);
    paint_elements(p);
    return out;
}

bool DrawingSurface::save(const QString& file_name, QString* why) const {
    // The picture is made in memory first, so the file is written in one
    // checked go and a failure leaves the old file untouched.
    const bool svg = QFileInfo(file_name).suffix().toLower() == QLatin1String("svg");
    const QByteArray bytes = svg ? picture_svg(*this) : picture_png(*this, 96);
    if (bytes.isEmpty()) {
        if (why) *why = QStringLiteral("图片无法编码为 PNG");
        return false;
    }
    return write_file_whole(file_name, bytes, why);
}

bool write_file_whole(const QString& file_name, const QByteArray& bytes, QString* why) {
    // Unbuffered, so a full disk shows in the write itself and not in a final
    // flush that commit() would not report.
    QSaveFile file(file_name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (why) *why = file.errorString();
        return false;
    }
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            if (why) *why = file.errorString().isEmpty() ? QStringLiteral("写入失败") : file.errorString();
            file.cancelWriting();
            return false;
        }
        done += n;
    }
    if (file.error() != QFileDevice::NoError || !file.commit()) {
        if (why) *why = file.errorString();
        return false;
    }
    return true;
}

}  // namespace vm::draw
