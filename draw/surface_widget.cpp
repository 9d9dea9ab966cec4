// SurfaceWidget: paints the surface's picture at the device pixel ratio and
// offers "保存图片…" as PNG (screen or 300 dpi) and SVG.
#include "draw/surface_widget.h"

#include <QBuffer>
#include <QByteArray>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace vm::draw {

namespace {
std::function<void(QWidget*, const QString&)>& error_reporter() {
    static std::function<void(QWidget*, const QString&)> f;
    return f;
}

// Colours are kept as 0xBBGGRR.
QColor colour_of(Colour c) { return QColor(c & 255, (c >> 8) & 255, (c >> 16) & 255); }

bool same_primitive(const Primitive& a, const Primitive& b) {
    return a.kind == b.kind && a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 &&
           a.radius == b.radius && a.start == b.start && a.end == b.end && a.colour == b.colour &&
           a.fill == b.fill && a.width == b.width && a.style == b.style && a.text == b.text &&
           a.font_size == b.font_size && a.bold == b.bold;
}

// A picture that grew past the list limit keeps its oldest part only as pixels;
// below half the limit the list holds everything drawn since the last clear.
bool list_is_whole(const DrawingSurface& s) { return s.display_list().size() < DrawingSurface::kListLimit / 2; }

// A picture whose list is not whole starts from the surface's own image.
void paint_base(QPainter& p, const DrawingSurface& s, QImage* whole_image) {
    if (!list_is_whole(s)) {
        *whole_image = s.image();
        p.drawImage(QRectF(0, 0, s.width_px(), s.height_px()), *whole_image);
    }
}

bool joins(const Primitive& a, const Primitive& b) {
    return b.kind == PrimitiveKind::Line && a.colour == b.colour && a.width == b.width &&
           a.style == b.style && a.x2 == b.x1 && a.y2 == b.y1;
}

// Paints list[from, to) onto a picture occupying `picture`: runs of joined solid
// line segments of one pen as one polyline. A segment reaching out of the
// picture's paint area goes alone through paint_primitive, which cuts it first.
void paint_list(QPainter& p, const std::vector<Primitive>& list, size_t from, size_t to,
                const QRectF& picture) {
    QPolygonF run;
    size_t i = from;
    QRectF area;
    int area_width = -1;
    auto inside = [&](const Primitive& l) {
        if (l.width != area_width) {
            area = paint_area(picture, l.width);
            area_width = l.width;
        }
        return l.x1 >= area.left() && l.x1 <= area.right() && l.y1 >= area.top() && l.y1 <= area.bottom() &&
               l.x2 >= area.left() && l.x2 <= area.right() && l.y2 >= area.top() && l.y2 <= area.bottom();
    };
    while (i < to) {
        const Primitive& first = list[i];
        size_t j = i + 1;
        if (first.kind == PrimitiveKind::Line && first.style == kSolidLine && inside(first))
            while (j < to && joins(list[j - 1], list[j]) && inside(list[j])) ++j;
        if (j - i < 2) {
            paint_primitive(p, first, picture);
            ++i;
            continue;
        }
        run.clear();
        run.reserve(static_cast<qsizetype>(j - i + 1));
        run << QPointF(first.x1, first.y1);
        for (size_t k = i; k < j; ++k) run << QPointF(list[k].x2, list[k].y2);
        QPen pen = primitive_pen(first);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(run);
        i = j;
    }
}

QRectF picture_rect(const DrawingSurface& s) { return QRectF(0, 0, s.width_px(), s.height_px()); }

QImage blank_image(const DrawingSurface& s, double ratio) {
    const int w = static_cast<int>(std::ceil(s.width_px() * ratio - 1e-9));
    const int h = static_cast<int>(std::ceil(s.height_px() * ratio - 1e-9));
    QImage img(std::max(w, 1), std::max(h, 1), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    return img;
}

QColor background_of(const DrawingSurface& s) { return colour_of(s.background()); }

}  // namespace

QImage render_picture(const DrawingSurface& s, double pixel_ratio) {
    if (!(pixel_ratio > 0) || !std::isfinite(pixel_ratio)) pixel_ratio = 1;
    QImage img = blank_image(s, pixel_ratio);
    img.fill(background_of(s));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QImage whole;
    paint_base(p, s, &whole);
    if (list_is_whole(s)) {
        paint_list(p, s.display_list(), 0, s.display_list().size(), picture_rect(s));
        s.paint_elements(p);
    }
    p.end();
    return img;
}

QByteArray picture_svg(const DrawingSurface& s) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator gen;
    gen.setOutputDevice(&buffer);
    gen.setSize(QSize(s.width_px(), s.height_px()));
    gen.setViewBox(QRect(0, 0, s.width_px(), s.height_px()));
    // The picture's texts are sized for 96 pixels to the inch, as on the
    // screen; at the generator's own 72 they would come out a quarter smaller.
    gen.setResolution(96);
    gen.setTitle(QStringLiteral("Velmarion"));
    QPainter p(&gen);
    paint_picture(p, s);
    p.end();
    return bytes;
}

namespace {
// The colours a picture is drawn in: its background first, then every
// primitive's and visible element's colour, each once.
std::vector<Colour> inks_of(const DrawingSurface& s) {
    std::vector<Colour> inks{s.background()};
    auto add = [&inks](Colour c) {
        if (std::find(inks.begin(), inks.end(), c) == inks.end()) inks.push_back(c);
    };
    for (const Primitive& prim : s.display_list()) {
        add(prim.colour);
        if (prim.kind == PrimitiveKind::FilledCircle) add(prim.fill);
    }
    for (const LineElement& e : s.line_elements())
        if (e.visible) add(e.colour);
    for (const ShapeElement& e : s.shape_elements())
        if (e.visible) {
            add(e.border);
            if (e.filled) add(e.fill);
        }
    return inks;
}

// A palette of the inks and, for the antialiased edges, each ink's blends
// with the background in equal steps; empty when the inks alone overflow it.
QList<QRgb> blend_palette(const std::vector<Colour>& inks) {
    constexpr int kSize = 256, kMostSteps = 15;
    const int k = static_cast<int>(inks.size());
    if (k > kSize) return {};
    const int steps = std::clamp(k > 1 ? (kSize - k) / (k - 1) + 1 : 1, 1, kMostSteps);
    const QColor paper = colour_of(inks.front());
    QList<QRgb> palette;
    for (const Colour c : inks) palette << colour_of(c).rgb();
    for (std::size_t i = 1; i < inks.size(); ++i) {
        const QColor ink = colour_of(inks[i]);
        for (int j = 1; j < steps; ++j) {
            const double t = double(j) / steps;
            auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
            palette << qRgb(mix(paper.red(), ink.red()), mix(paper.green(), ink.green()), mix(paper.blue(), ink.blue()));
        }
    }
    return palette;
}
// The opaque picture `src` in the palette's colours, each pixel the nearest
// entry. Runs of one colour (most of a drawing is paper) cost a comparison a
// pixel, and each of the few thousand edge colours is matched only once.
QImage to_palette(const QImage& src, const QList<QRgb>& palette) {
    QImage out(src.size(), QImage::Format_Indexed8);
    if (out.isNull()) return out;
    out.setColorTable(palette);
    std::unordered_map<QRgb, uchar> nearest;
    auto match = [&](QRgb c) {
        const auto it = nearest.find(c);
        if (it != nearest.end()) return it->second;
        int best = 0;
        long best_d = -1;
        for (int i = 0; i < palette.size(); ++i) {
            const long dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                       db = qBlue(c) - qBlue(palette[i]);
            const long d = dr * dr + dg * dg + db * db;
            if (best_d < 0 || d < best_d) {
                best = i;
                best_d = d;
            }
        }
        nearest.emplace(c, static_cast<uchar>(best));
        return static_cast<uchar>(best);
    };
    const int width = src.width(), height = src.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        uchar* o = out.scanLine(y);
        QRgb last = in[0] | 0xFF000000u;
        uchar last_index = match(last);
        for (int x = 0; x < width; ++x) {
            const QRgb c = in[x] | 0xFF000000u;
            if (c != last) {
                last = c;
                last_index = match(c);
            }
            o[x] = last_index;
        }
    }
    return out;
}
}  // namespace

QByteArray picture_png(const DrawingSurface& s, double dpi) {
    if (!(dpi > 0) || !std::isfinite(dpi) || dpi > 1200) dpi = 96;
    QImage img = render_picture(s, dpi / 96.0);
    // A picture of a few inks packs into a palette image: a quarter of the
    // bytes to compress, and no per-row filter search, so an A3 sheet at
    // 200 dpi encodes in a fraction of the time, at the same look. A picture
    // whose list is not whole holds pixels of any colour and stays RGB.
    const QList<QRgb> palette = list_is_whole(s) ? blend_palette(inks_of(s)) : QList<QRgb>{};
    if (!palette.isEmpty())
        img = to_palette(img, palette);
    else
        img = img.convertToFormat(QImage::Format_RGB32);
    const int dots_per_metre = static_cast<int>(std::lround(dpi / 0.0254));
    img.setDotsPerMeterX(dots_per_metre);
    img.setDotsPerMeterY(dots_per_metre);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // A light compression: the fastest levels already pack a mostly white
    // picture well.
    if (!img.save(&buffer, "PNG", 80)) return {};
    return bytes;
}

void paint_picture(QPainter& p, const DrawingSurface& s) {
    p.fillRect(QRect(0, 0, s.width_px(), s.height_px()), background_of(s));
    QImage whole;
    paint_base(p, s, &whole);
    if (list_is_whole(s)) {
        p.setRenderHint(QPainter::Antialiasing);
        paint_list(p, s.display_list(), 0, s.display_list().size(), picture_rect(s));
        s.paint_elements(p);
    }
}

SurfaceWidget::SurfaceWidget(int width_px, int height_px, QWidget* parent)
    : QWidget(parent), surface_(std::make_unique<DrawingSurface>(width_px, height_px)) {
    setFixedSize(width_px, height_px);
    surface_->set_on_change([this] { update(); });
}

SurfaceWidget::~SurfaceWidget() { surface_->set_on_change({}); }

void SurfaceWidget::set_error_reporter(std::function<void(QWidget*, const QString&)> f) {
    error_reporter() = std::move(f);
}

bool SurfaceWidget::report(const QString& file_name, bool ok, const QString& why) {
    if (!ok && error_reporter())
        error_reporter()(this, QStringLiteral("图片无法保存到 %1：%2。原有的文件没有改动。").arg(file_name, why));
    return ok;
}

bool SurfaceWidget::save_picture(const QString& file_name) {
    if (QFileInfo(file_name).suffix().toLower() == QLatin1String("svg")) {
        QString why;
        return report(file_name, write_file_whole(file_name, picture_svg(*surface_), &why), why);
    }
    return save_picture_png(file_name, 96.0 * std::max(devicePixelRatioF(), 1.0));
}

bool SurfaceWidget::save_picture_png(const QString& file_name, double dpi) {
    const QByteArray bytes = picture_png(*surface_, dpi);
    QString why;
    bool ok = !bytes.isEmpty();
    if (!ok) why = QStringLiteral("图片无法编码为 PNG");
    if (ok) ok = write_file_whole(file_name, bytes, &why);
    return report(file_name, ok, why);
}

void SurfaceWidget::bring_cache_up_to_date(double ratio) const {
    const auto& list = surface_->display_list();
    const bool appended = !cache_.isNull() && cache_.devicePixelRatio() == ratio && cached_ <= list.size() &&
                          (cached_ == 0 || same_primitive(list[cached_ - 1], last_cached_));
    if (!list_is_whole(*surface_)) {
        cache_ = QImage();
        cached_ = 0;
        return;
    }
    if (!appended || cached_ == 0) {
        cache_ = blank_image(*surface_, ratio);
        cache_.fill(background_of(*surface_));
        cached_ = 0;
    }
    if (cached_ < list.size()) {
        QPainter p(&cache_);
        p.setRenderHint(QPainter::Antialiasing);
        paint_list(p, list, cached_, list.size(), picture_rect(*surface_));
        cached_ = list.size();
        last_cached_ = list.back();
    }
}

QImage SurfaceWidget::device_image() const {
    const double ratio = devicePixelRatioF();
    bring_cache_up_to_date(ratio);
    if (cache_.isNull()) return render_picture(*surface_, ratio);
    QImage out = cache_.copy();
    out.setDevicePixelRatio(ratio);
    QPainter p(&out);
    surface_->paint_elements(p);
    return out;
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const double ratio = devicePixelRatioF();
    if (ratio == 1.0) {
        p.drawImage(0, 0, surface_->image());
        return;
    }
    p.drawImage(QPointF(0, 0), device_image());
}

void SurfaceWidget::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    QAction* save = menu.addAction(QStringLiteral("保存图片…"));
    if (menu.exec(e->globalPos()) != save) return;
    const QString screen_png = QStringLiteral("PNG 图片，屏幕分辨率 (*.png)");
    const QString print_png = QStringLiteral("PNG 图片，300 dpi (*.png)");
    const QString svg = QStringLiteral("SVG 矢量图 (*.svg)");
    QString selected = print_png;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString name = QFileDialog::getSaveFileName(this, QStringLiteral("保存图片"),
                                                folder + QStringLiteral("/图片.png"),
                                                screen_png + QStringLiteral(";;") + print_png +
                                                    QStringLiteral(";;") + svg,
                                                &selected);
    if (name.isEmpty()) return;
    const bool as_svg = name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ||
                        (!name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) && selected == svg);
    if (!name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) &&
        !name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        name += as_svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    if (as_svg)
        save_picture(name);
    else if (selected == print_png)
        save_picture_png(name, 300);
    else
        save_picture(name);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        emit clicked(surface_->from_px_x(e->position().x()), surface_->from_px_y(e->position().y()));
    QWidget::mousePressEvent(e);
}

}  // namespace vm::draw
