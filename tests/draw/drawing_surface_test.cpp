// The drawing surface through its display list: scale mapping (y up and the
// proportional scale), current point rules, text, persistence and saving.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <sys/mount.h>

#include "draw/drawing_surface.h"
#include "draw/surface_widget.h"

namespace vm::draw {
namespace {

TEST(DrawingSurface, UserScaleMapsToPixelsWithYUp) {
    DrawingSurface s(400, 200);
    s.set_scale(-10, 50, 20, -100);  // x -10..10, y 50 at the top down to -50
    s.line(-10, 50, 10, -50, 255);
    ASSERT_EQ(s.display_list().size(), 1u);
    const Primitive& p = s.display_list()[0];
    EXPECT_EQ(p.kind, PrimitiveKind::Line);
    EXPECT_DOUBLE_EQ(p.x1, 0);
    EXPECT_DOUBLE_EQ(p.y1, 0);
    EXPECT_DOUBLE_EQ(p.x2, 400);
    EXPECT_DOUBLE_EQ(p.y2, 200);
    EXPECT_EQ(p.colour, 255u);
    EXPECT_DOUBLE_EQ(s.current_x(), 10);
    EXPECT_DOUBLE_EQ(s.current_y(), -50);
    EXPECT_DOUBLE_EQ(s.from_px_y(s.to_px_y(12.5)), 12.5);
}

TEST(DrawingSurface, ProportionalScaleGivesEqualUnitsAndKeepsOldDrawing) {
    DrawingSurface s(464, 488);
    s.line(0, 0, 10, 10);  // pixels
    s.set_proportional_scale(-20, 60, 150);
    EXPECT_DOUBLE_EQ(s.scale_height(), -std::floor(150.0 * 488 / 464));
    // Equal up to the whole-unit truncation of the height.
    EXPECT_NEAR(s.units_to_px_x(10), s.units_to_px_y(10), 0.01 * s.units_to_px_x(10));
    // What was drawn under the old scale stays where it was.
    EXPECT_DOUBLE_EQ(s.display_list()[0].x2, 10);
    s.circle(0, 0, 10, qb_color(4));
    const Primitive& c = s.display_list().back();
    EXPECT_NEAR(c.radius, 10 * 464 / 150.0, 1e-9);
    EXPECT_EQ(c.colour, rgb(128, 0, 0));
}

TEST(DrawingSurface, ColoursAndPalette) {
    EXPECT_EQ(rgb(255, 0, 0), 255u);
    EXPECT_EQ(rgb(0, 255, 0), 65280u);
    EXPECT_EQ(rgb(0, 0, 255), 0xFF0000u);
    const Colour expected[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                 0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (int n = 0; n < 16; ++n) EXPECT_EQ(qb_color(n), expected[n]) << n;
}

TEST(DrawingSurface, LineFormsBoxesAndCurrentPoint) {
    DrawingSurface s(100, 100);
    s.set_fore_colour(rgb(1, 2, 3));
    s.set_current(5, 5);
    s.line_to(20, 30);
    s.box(1, 2, 3, 4, 255);
    s.filled_box(10, 10, 0, 0, 65280);
    s.set_line_width(3);
    s.set_line_style(1);
    s.line(0, 0, 1, 1);
    const auto& l = s.display_list();
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0].x1, 5);
    EXPECT_EQ(l[0].colour, rgb(1, 2, 3));
    EXPECT_EQ(l[1].kind, PrimitiveKind::Box);
    EXPECT_EQ(l[2].kind, PrimitiveKind::FilledBox);
    EXPECT_EQ(l[3].width, 3);
    EXPECT_EQ(l[3].style, 1);
    EXPECT_DOUBLE_EQ(s.current_x(), 1);
}

TEST(DrawingSurface, PrintMovesToTheNextLineOrAlongIt) {
    DrawingSurface s(300, 300);
    s.set_scale(0, 100, 100, -100);
    s.set_current(10, 90);
    s.print("A");
    EXPECT_DOUBLE_EQ(s.current_x(), 0);
    EXPECT_LT(s.current_y(), 90);
    EXPECT_NEAR(90 - s.current_y(), s.text_height(), 1e-9);
    s.set_current(10, 50);
    s.print(QStringLiteral("φ＝"), false);
    EXPECT_GT(s.current_x(), 10);
    EXPECT_DOUBLE_EQ(s.current_y(), 50);
    EXPECT_EQ(s.display_list().back().text, QStringLiteral("φ＝"));
}

TEST(DrawingSurface, NonFiniteCoordinatesDrawNothingAndClearErases) {
    DrawingSurface s(100, 100);
    s.line(0, 0, std::nan(""), 1);
    s.circle(1, 1, INFINITY);
    EXPECT_TRUE(s.display_list().empty());
    s.line(0, 0, 5, 5);
    s.set_scale(-1, 1, 2, -2);
    s.clear();
    EXPECT_TRUE(s.display_list().empty());
    EXPECT_DOUBLE_EQ(s.current_x(), -1);
    EXPECT_DOUBLE_EQ(s.current_y(), 1);
}

TEST(DrawingSurface, ElementsMoveWithoutErasingAndShowInThePicture) {
    DrawingSurface s(100, 100);
    s.set_scale(0, 10, 10, -10);
    s.filled_box(0, 10, 10, 0, 0xFFFFFF);
    const int line = s.add_line_element({});
    const int dot = s.add_shape_element(ShapeElement{ShapeKind::Circle, 0, 0, 9, 9, 255, 255, true, true});
    s.place_line_element(line, 0, 0, 10, 10);
    s.place_shape_element(dot, 4.55, 5.45);
    EXPECT_DOUBLE_EQ(s.shape_element(dot).left, 45.5);
    EXPECT_DOUBLE_EQ(s.line_element(line).y2, 0);
    EXPECT_EQ(s.display_list().size(), 1u);
    const QImage img = s.image();
    EXPECT_EQ(img.pixelColor(50, 50), QColor(Qt::red));
    s.set_element_visible_shape(dot, false);
    EXPECT_NE(s.image().pixelColor(50, 50), QColor(Qt::red));
}

TEST(DrawingSurface, SavesPngAndSvgAndReportsFailure) {
    QTemporaryDir dir;
    SurfaceWidget w(120, 80);
    w.surface().line(0, 0, 120, 80, 255);
    w.surface().print(QStringLiteral("曲柄"));
    EXPECT_TRUE(w.save_picture(dir.filePath("a.png")));
    EXPECT_TRUE(w.save_picture(dir.filePath("a.svg")));
    QImage png(dir.filePath("a.png"));
    EXPECT_EQ(png.size(), QSize(120, 80));
    QFile svg(dir.filePath("a.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("<svg"));
    QString reported;
    SurfaceWidget::set_error_reporter([&](QWidget*, const QString& t) { reported = t; });
    EXPECT_FALSE(w.save_picture(dir.filePath("no/such/folder/b.png")));
    EXPECT_FALSE(reported.isEmpty());
    SurfaceWidget::set_error_reporter({});
}

// The surface's own save writes all or nothing, like the picture widget's: a
// folder that is not there or a disk that fills up during the write leaves the
// old file as it was, reports false with the reason, and leaves no temporary
// file behind; a save that works reads back whole.
TEST(DrawingSurface, SaveIsAllOrNothingWithTheReason) {
    DrawingSurface s(300, 200);
    for (int i = 0; i < 2000; ++i) s.line(i % 300, 0, 300 - i % 300, 200, qb_color(i));
    s.print(QStringLiteral("曲柄"));

    QTemporaryDir plain_dir;
    for (const char* name : {"ok.png", "ok.svg"}) {
        SCOPED_TRACE(name);
        const QString f = plain_dir.filePath(QString::fromLatin1(name));
        QString why = QStringLiteral("untouched");
        EXPECT_TRUE(s.save(f, &why));
        EXPECT_EQ(why, QStringLiteral("untouched"));
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (f.endsWith(QLatin1String(".png")))
            EXPECT_EQ(QImage::fromData(bytes, "PNG").size(), QSize(300, 200));
        else
            EXPECT_TRUE(bytes.trimmed().endsWith("</svg>"));
        QString why_missing;
        EXPECT_FALSE(s.save(plain_dir.filePath(QStringLiteral("no/such/") + QString::fromLatin1(name)), &why_missing));
        EXPECT_FALSE(why_missing.isEmpty());
    }

    QTemporaryDir dir;
    const QByteArray mount_point = QFile::encodeName(dir.path());
    if (::mount("tmpfs", mount_point.constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root and mount rights); the full-disk save is not tested";
    struct Unmount { QByteArray at; ~Unmount() { ::umount(at.constData()); } } unmount{mount_point};
    const QByteArray old_bytes("the picture saved before");
    const QString png = dir.filePath(QStringLiteral("old.png")), svg = dir.filePath(QStringLiteral("old.svg"));
    for (const QString& f : {png, svg}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old_bytes);
    }
    {
        QFile filler(dir.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {}
    }
    for (const QString& f : {png, svg}) {
        SCOPED_TRACE(f.toStdString());
        QString why;
        EXPECT_FALSE(s.save(f, &why));
        EXPECT_FALSE(why.isEmpty());
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), old_bytes);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "a temporary file was left behind";
}

}  // namespace
}  // namespace vm::draw
