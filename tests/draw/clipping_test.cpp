// Figures reaching far beyond the picture: cut to the picture before painting,
// they look the same inside it as the painter's own uncut drawing, and no size
// of figure makes painting or saving slow. Also the dash-dot centre-line style.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <vector>

#include "draw/drawing_surface.h"
#include "draw/surface_widget.h"

namespace vm::draw {
namespace {

constexpr int kW = 160, kH = 120;
constexpr double kDeg = 3.14159265358979323846 / 180;

QImage blank() {
    QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    return img;
}

// The primitive as the painter draws it without any cutting.
QImage uncut(const Primitive& prim) {
    QImage img = blank();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(primitive_pen(prim));
    const QColor fill(prim.fill & 255, (prim.fill >> 8) & 255, (prim.fill >> 16) & 255);
    switch (prim.kind) {
        case PrimitiveKind::Line: p.drawLine(QPointF(prim.x1, prim.y1), QPointF(prim.x2, prim.y2)); break;
        case PrimitiveKind::Box:
            p.drawRect(QRectF(QPointF(prim.x1, prim.y1), QPointF(prim.x2, prim.y2)).normalized());
            break;
        case PrimitiveKind::FilledCircle: p.setBrush(fill); [[fallthrough]];
        case PrimitiveKind::Circle: p.drawEllipse(QPointF(prim.x1, prim.y1), prim.radius, prim.radius); break;
        case PrimitiveKind::Arc: {
            double span = prim.end - prim.start;
            if (span < 0) span += 2 * 3.14159265358979323846;
            QPainterPath path;
            const QRectF r(prim.x1 - prim.radius, prim.y1 - prim.radius, 2 * prim.radius, 2 * prim.radius);
            path.arcMoveTo(r, prim.start / kDeg);
            path.arcTo(r, prim.start / kDeg, span / kDeg);
            p.drawPath(path);
            break;
        }
        default: ADD_FAILURE() << "no uncut form for this kind";
    }
    return img;
}

QImage cut(const Primitive& prim) {
    QImage img = blank();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paint_primitive(p, prim, QRectF(0, 0, kW, kH));
    return img;
}

struct Difference {
    int largest = 0;     // largest difference of one channel of one pixel, 0..255
    int pixels = 0;      // pixels differing by more than half the contrast in some channel
    int painted = 0;     // pixels of the reference that are not white
};
Difference compare(const QImage& a, const QImage& ref) {
    Difference d;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const QColor u = a.pixelColor(x, y), v = ref.pixelColor(x, y);
            const int diff = std::max({std::abs(u.red() - v.red()), std::abs(u.green() - v.green()),
                                       std::abs(u.blue() - v.blue())});
            d.largest = std::max(d.largest, diff);
            d.pixels += diff > 128;
            d.painted += v != QColor(Qt::white);
        }
    return d;
}

Primitive line(double x1, double y1, double x2, double y2, int width, int style) {
    Primitive p;
    p.kind = PrimitiveKind::Line;
    p.x1 = x1, p.y1 = y1, p.x2 = x2, p.y2 = y2;
    p.width = width;
    p.style = style;
    p.colour = rgb(0, 0, 200);
    return p;
}
Primitive round(PrimitiveKind kind, double x, double y, double r, int width, double start = 0, double end = 0) {
    Primitive p;
    p.kind = kind;
    p.x1 = x, p.y1 = y, p.radius = r;
    p.width = width;
    p.start = start, p.end = end;
    p.colour = rgb(200, 0, 0);
    p.fill = rgb(0, 160, 0);
    return p;
}
Primitive box(double x1, double y1, double x2, double y2, int width) {
    Primitive p = line(x1, y1, x2, y2, width, kSolidLine);
    p.kind = PrimitiveKind::Box;
    return p;
}

// Figures a few times larger than the picture, small enough for the painter to
// draw uncut in good time, cut before painting: inside the picture they match
// the uncut drawing up to the smoothing of a few edge pixels, dashes included.
TEST(Clipping, CutFiguresLookTheSameInsideThePicture) {
    // clang-format off
    const struct { const char* what; Primitive prim; bool shows = true; } cases[] = {
        {"solid line across", line(-3000, 10, 3000, 110, 5, kSolidLine)},
        {"dashed line, thin", line(-2500, -700, 2600, 800, 1, kDashedLine)},
        {"dashed line, wide", line(-2000, 60, 2500, 40, 7, kDashedLine)},
        {"dotted line", line(80, -3000, 70, 3000, 3, kDottedLine)},
        {"dash-dot line", line(-4000, 30, 4000, 90, 2, kDashDotLine)},
        {"dash-dot line, backwards", line(4000, 100, -4000, 20, 4, kDashDotLine)},
        {"line ending inside", line(-5000, -1000, 90, 70, 6, kDashedLine)},
        {"line passing by", line(-5000, -40, 5000, -40, 9, kSolidLine), false},
        {"box around", box(-2000, -2000, 2000, 2000, 6), false},
        {"box with one edge in", box(-2000, 50, 3000, 3000, 4)},
        {"circle through", round(PrimitiveKind::Circle, 80, 1300, 1250, 3)},
        {"circle, wide pen", round(PrimitiveKind::Circle, -900, 60, 1000, 12)},
        {"filled circle", round(PrimitiveKind::FilledCircle, 1100, 900, 1350, 2)},
        {"filled circle holding a corner", round(PrimitiveKind::FilledCircle, -800, -800, 1200, 1)},
        {"arc", round(PrimitiveKind::Arc, 80, 1300, 1250, 4, 80 * kDeg, 100 * kDeg)},
        {"arc ending inside", round(PrimitiveKind::Arc, 80, 1300, 1250, 4, 90 * kDeg, 120 * kDeg)},
        {"arc through angle 0", round(PrimitiveKind::Arc, -1150, 60, 1250, 3, 350 * kDeg, 10 * kDeg)},
        {"circle around the picture", round(PrimitiveKind::Circle, 80, 60, 3000, 5), false},
        {"dashed circle", round(PrimitiveKind::Circle, 80, -420, 480, 1)},
        {"filled circle, smaller", round(PrimitiveKind::FilledCircle, 500, 300, 450, 3)},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Difference d = compare(cut(c.prim), uncut(c.prim));
        // The painter's own circle is four cubic curves, up to 0.03 % of the radius off
        // a true circle: along a large circle's edge the smoothing differs by a
        // third of a pixel, never by a dash, an edge or a stroke.
        EXPECT_LE(d.pixels, 4) << "largest channel difference " << d.largest;
        EXPECT_LE(d.largest, 160);
        EXPECT_EQ(d.painted > 30, c.shows) << d.painted << " pixels painted";
    }
}

// Figures millions of pixels across (the scale of a mistyped input) cost no
// more than small ones: the painter only ever sees their visible part. Each
// must still show where it crosses the picture, solid or dashed.
TEST(Clipping, HugeFiguresPaintAndSaveQuickly) {
    const std::vector<std::function<void(DrawingSurface&, double)>> figures = {
        [](DrawingSurface& s, double L) { s.set_line_width(20); s.line(-L, 50, L, 70, 255); },
        [](DrawingSurface& s, double L) { s.set_line_width(3); s.set_line_style(kDashedLine); s.line(-L, -L, L, L, 255); },
        [](DrawingSurface& s, double L) { s.set_line_width(9); s.set_line_style(kDashDotLine); s.line(80, -L, 81, L, 255); },
        [](DrawingSurface& s, double L) { s.set_line_width(15); s.circle(80, L + 60, L, 255); },
        [](DrawingSurface& s, double L) { s.set_line_width(3); s.set_line_style(kDashedLine); s.circle(-L + 60, 60, L, 255); },
        [](DrawingSurface& s, double L) { s.set_fill(true, 0xFF0000); s.circle(80, -L + 30, L, 255); },
        [](DrawingSurface& s, double L) { s.set_line_width(25); s.arc(80, L + 60, L, 255, 1.0, 2.0); },
        [](DrawingSurface& s, double L) { s.set_line_width(30); s.set_line_style(kDottedLine); s.box(-L, 20, L, L, 255); },
        [](DrawingSurface& s, double L) { s.filled_box(-L, -L, L, 40, 255); },
    };
    QElapsedTimer clock;
    clock.start();
    int index = 0;
    for (double L : {4e6, 8e6, 3e7, 1e9, 1e13}) {
        for (const auto& figure : figures) {
            SCOPED_TRACE(testing::Message() << "figure " << index % figures.size() << " at " << L);
            ++index;
            DrawingSurface s(kW, kH);
            figure(s, L);
            for (double ratio : {1.0, 2.0}) {
                const QImage img = ratio == 1 ? s.image() : render_picture(s, ratio);
                int painted = 0;
                for (int y = 0; y < img.height(); ++y)
                    for (int x = 0; x < img.width(); ++x) painted += img.pixelColor(x, y) != QColor(Qt::white);
                EXPECT_GT(painted, 50 * ratio * ratio) << "ratio " << ratio;
            }
            const QByteArray svg = picture_svg(s);
            EXPECT_LT(svg.size(), 64 * 1024);
        }
    }
#ifndef __SANITIZE_ADDRESS__
    // 45 figures painted twice and exported: uncut, one such figure took 0.1 to 0.3 s.
    EXPECT_LT(clock.elapsed(), 1500);
#endif
}

// One row of a picture as the lengths of its alternating dark and light runs.
std::vector<int> runs_along(const QImage& img, int y, int x0, int x1) {
    std::vector<int> runs;
    bool on = false;
    int length = 0;
    for (int x = x0; x < x1; ++x) {
        const bool dark = qGray(img.pixel(x, y)) < 160;
        if (x == x0) on = dark;
        if (dark == on) {
            ++length;
            continue;
        }
        runs.push_back(length);
        on = dark;
        length = 1;
    }
    return runs;
}

// The dash-dot style alternates a long dash and a short dot, with a gap after
// each, on the screen, in a saved PNG and in a saved SVG.
TEST(LineStyles, DashDotAlternatesDashesAndDots) {
    QTemporaryDir dir;
    SurfaceWidget w(400, 40);
    DrawingSurface& s = w.surface();
    s.set_line_width(3);
    s.set_line_style(kDashDotLine);
    s.line(0, 20, 400, 20, 0);
    EXPECT_EQ(s.display_list().back().style, kDashDotLine);
    const QString png = dir.filePath(QStringLiteral("centre.png"));
    const QString svg = dir.filePath(QStringLiteral("centre.svg"));
    ASSERT_TRUE(s.save(png));
    ASSERT_TRUE(s.save(svg));
    ASSERT_TRUE(w.save_picture(dir.filePath(QStringLiteral("widget.svg"))));

    QImage from_svg(400, 40, QImage::Format_ARGB32_Premultiplied);
    from_svg.fill(Qt::white);
    {
        QSvgRenderer renderer(svg);
        ASSERT_TRUE(renderer.isValid());
        QPainter p(&from_svg);
        renderer.render(&p);
    }
    const struct { const char* where; QImage img; } pictures[] = {
        {"screen", s.image()}, {"png", QImage(png)}, {"svg", from_svg}};
    for (const auto& pic : pictures) {
        SCOPED_TRACE(pic.where);
        ASSERT_EQ(pic.img.size(), QSize(400, 40));
        const std::vector<int> runs = runs_along(pic.img, 20, 0, 400);
        // Painted runs at even places: dash, dot, dash, dot, ...
        ASSERT_GE(runs.size(), 12u);
        for (size_t i = 4; i + 4 < runs.size(); i += 4) {
            EXPECT_GT(runs[i], 2 * runs[i + 2]) << "dash " << runs[i] << " against dot " << runs[i + 2];
            EXPECT_GT(runs[i + 1], 0);
            EXPECT_NEAR(runs[i], runs[i + 4], 2);
        }
    }
    for (const QString& f : {svg, dir.filePath(QStringLiteral("widget.svg"))}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        const int at = text.indexOf("stroke-dasharray=\"");
        ASSERT_GE(at, 0) << f.toStdString();
        const QByteArray values = text.mid(at + 18, text.indexOf('"', at + 18) - at - 18);
        EXPECT_EQ(values.split(',').size(), 4) << values.toStdString();
    }
}

}  // namespace
}  // namespace vm::draw
