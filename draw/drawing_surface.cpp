// DrawingSurface: user scale mapping, recording and painting of primitives.
#include "draw/drawing_surface.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTemporaryFile>
#include <cmath>

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

void paint_primitive(QPainter& p, const Primitive& prim) {
    QPen pen(to_qcolor(prim.colour));
    pen.setWidthF(prim.width);
    pen.setCapStyle(Qt::RoundCap);
    if (prim.style == 1) pen.setStyle(Qt::DashLine);
    if (prim.style == 2) pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (prim.kind) {
        case PrimitiveKind::Line:
            p.drawLine(QPointF(prim.x1, prim.y1), QPointF(prim.x2, prim.y2));
            break;
        case PrimitiveKind::Box:
            p.drawRect(QRectF(QPointF(prim.x1, prim.y1), QPointF(prim.x2, prim.y2)).normalized());
            break;
        case PrimitiveKind::FilledBox: {
            QRectF r = QRectF(QPointF(prim.x1, prim.y1), QPointF(prim.x2, prim.y2)).normalized();
            p.fillRect(r.adjusted(-0.5, -0.5, 0.5, 0.5), to_qcolor(prim.colour));
            break;
        }
        case PrimitiveKind::Circle:
            p.drawEllipse(QPointF(prim.x1, prim.y1), prim.radius, prim.radius);
            break;
        case PrimitiveKind::FilledCircle:
            p.setBrush(to_qcolor(prim.fill));
            p.drawEllipse(QPointF(prim.x1, prim.y1), prim.radius, prim.radius);
            break;
        case PrimitiveKind::Arc: {
            const double deg = 180.0 / 3.14159265358979323846;
            double span = (prim.end - prim.start) * deg;
            if (span < 0) span += 360;
            QRectF r(prim.x1 - prim.radius, prim.y1 - prim.radius, 2 * prim.radius, 2 * prim.radius);
            p.drawArc(r, static_cast<int>(std::lround(prim.start * deg * 16)),
                      static_cast<int>(std::lround(span * 16)));
            break;
        }
        case PrimitiveKind::Point:
            if (prim.width <= 1) {
                p.drawPoint(QPointF(prim.x1, prim.y1));
            } else {
                p.setBrush(to_qcolor(prim.colour));
                p.setPen(Qt::NoPen);
                p.drawEllipse(QPointF(prim.x1, prim.y1), prim.width / 2.0, prim.width / 2.0);
            }
            break;
        case PrimitiveKind::Text: {
            QFont f(QStringLiteral("WenQuanYi Micro Hei"));
            f.setPointSizeF(prim.font_size);
            f.setBold(prim.bold);
            p.setFont(f);
            QFontMetricsF fm(f);
            p.drawText(QPointF(prim.x1, prim.y1 + fm.ascent()), prim.text);
            break;
        }
    }
}

void DrawingSurface::flush() const {
    if (painted_ >= list_.size()) return;
    QPainter p(&pixels_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (size_t i = painted_; i < list_.size(); ++i) paint_primitive(p, list_[i]);
    painted_ = list_.size();
}

void DrawingSurface::paint_elements(QPainter& p) const {
    p.setRenderHint(QPainter::Antialiasing);
    for (const LineElement& e : line_elements_) {
        if (!e.visible) continue;
        QPen pen(to_qcolor(e.colour));
        pen.setWidthF(e.width);
        p.setPen(pen);
        p.drawLine(QPointF(e.x1, e.y1), QPointF(e.x2, e.y2));
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

bool DrawingSurface::save(const QString& file_name) const {
    const QString suffix = QFileInfo(file_name).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        // Write beside the target and rename, so a failed export leaves no half file.
        QSaveFile file(file_name);
        if (!file.open(QIODevice::WriteOnly)) return false;
        QSvgGenerator gen;
        gen.setOutputDevice(&file);
        gen.setSize(QSize(width_, height_));
        gen.setViewBox(QRect(0, 0, width_, height_));
        gen.setTitle(QStringLiteral("Velmarion"));
        QPainter p(&gen);
        p.fillRect(QRect(0, 0, width_, height_), to_qcolor(background_));
        if (list_.size() >= kListLimit / 2) p.drawImage(0, 0, pixels_);
        p.setRenderHint(QPainter::Antialiasing);
        for (const Primitive& prim : list_) paint_primitive(p, prim);
        paint_elements(p);
        p.end();
        return file.commit();
    }
    QSaveFile file(file_name);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!image().save(&file, "PNG")) return false;
    return file.commit();
}

}  // namespace vm::draw
