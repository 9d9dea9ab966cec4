// The picture widget: sharp rendering at every device pixel ratio, saving that
// never leaves a half-written file, and a quick SVG for pictures of many lines.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <ctime>
#include <sys/mount.h>

#include "draw/surface_widget.h"

namespace vm::draw {
namespace {

// A small picture with a line, a circle and text.
void draw_sample(DrawingSurface& s) {
    s.set_line_width(3);
    s.line(5, 10, 95, 10, 0x0000FF);  // red, 0xBBGGRR
    s.circle(50, 40, 15, 0xFF0000);
    s.print("曲柄 12.5 mm");
}

TEST(SurfaceRendering, ImageHasTheDeviceSizeAndTheListStaysTheSame) {
    for (double ratio : {1.0, 1.25, 1.5, 2.0, 3.125}) {
        SCOPED_TRACE(ratio);
        DrawingSurface s(100, 60);
        draw_sample(s);
        const size_t before = s.display_list().size();
        const QImage img = render_picture(s, ratio);
        EXPECT_EQ(img.width(), static_cast<int>(std::ceil(100 * ratio)));
        EXPECT_EQ(img.height(), static_cast<int>(std::ceil(60 * ratio)));
        EXPECT_DOUBLE_EQ(img.devicePixelRatio(), ratio);
        EXPECT_EQ(s.display_list().size(), before);
        // The red line lies at the scaled place, not smeared from a 1x copy.
        const QColor on = img.pixelColor(static_cast<int>(50 * ratio), static_cast<int>(10 * ratio));
        EXPECT_GT(on.red(), 200);
        EXPECT_LT(on.green(), 120);
        const QColor off = img.pixelColor(static_cast<int>(50 * ratio), static_cast<int>(15 * ratio));
        EXPECT_EQ(off, QColor(Qt::white));
    }
}

// Run in a child process under a given QT_SCALE_FACTOR: the widget's image
// has the device size and the widget's surface keeps its logical list.
TEST(SurfaceRendering, WidgetPaintsAtTheScaleFactorOfTheScreen) {
    if (qEnvironmentVariableIsSet("VM_SCALE_CHILD")) {
        const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
        SurfaceWidget w(100, 60);
        draw_sample(w.surface());
        w.show();
        EXPECT_DOUBLE_EQ(w.devicePixelRatioF(), factor);
        const QImage img = w.device_image();
        EXPECT_EQ(img.width(), static_cast<int>(std::ceil(100 * factor)));
        EXPECT_EQ(img.height(), static_cast<int>(std::ceil(60 * factor)));
        EXPECT_EQ(w.surface().display_list().size(), 3u);
        EXPECT_EQ(w.surface().display_list()[0].x2, 95);
        // Drawing more after the first paint extends the cached picture.
        w.surface().line(5, 50, 95, 50, 0x0000FF);
        EXPECT_GT(w.device_image().pixelColor(static_cast<int>(50 * factor), static_cast<int>(50 * factor)).red(),
                  200);
        w.surface().clear();
        EXPECT_EQ(w.device_image().pixelColor(static_cast<int>(50 * factor), static_cast<int>(10 * factor)),
                  QColor(Qt::white));
        return;
    }
    for (const char* factor : {"1", "1.5", "2"}) {
        SCOPED_TRACE(factor);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(factor));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("VM_SCALE_CHILD"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=SurfaceRendering.WidgetPaintsAtTheScaleFactorOfTheScreen")});
        ASSERT_TRUE(child.waitForFinished(30000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    }
}

TEST(SurfaceSaving, SavedFilesReadBackAtTheirResolution) {
    QTemporaryDir dir;
    SurfaceWidget w(100, 60);
    draw_sample(w.surface());
    struct Case { const char* name; double dpi; int width; };
    for (const Case& c : {Case{"screen.png", 96, 100}, Case{"print.png", 300, 313}}) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(w.save_picture_png(path, c.dpi));
        QImage back(path);
        EXPECT_EQ(back.width(), c.width);
        EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, c.dpi, 1);
    }
    const QString svg = dir.filePath(QStringLiteral("p.svg"));
    ASSERT_TRUE(w.save_picture(svg));
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
}

// The PNG reads back as the rendered picture: a picture of a few inks through
// a palette (each ink exact, an antialiased edge within half a blend step but
// where two inks cross), one of more inks than a palette holds as it is.
TEST(SurfaceSaving, PngShowsTheRenderedPicture) {
    struct Case {
        const char* name;
        int inks;
        double off;  // share of pixels allowed a channel more than 9 off
        bool indexed;
    };
    for (const Case& c : {Case{"few inks", 6, 0.005, true}, Case{"more inks than a palette", 300, 0, false}}) {
        SCOPED_TRACE(c.name);
        DrawingSurface s(320, 200);
        s.set_line_width(2);
        for (int i = 0; i < c.inks; ++i)
            s.line(5 + i % 300, 5 + (i * 7) % 150, 60 + (i * 13) % 250, 190, rgb(i * 37, i * 91, 255 - i));
        s.print("曲柄 12.5 mm");
        const QImage want = render_picture(s, 200 / 96.0).convertToFormat(QImage::Format_RGB32);
        const QImage back = QImage::fromData(picture_png(s, 200));
        ASSERT_EQ(back.size(), want.size());
        EXPECT_EQ(back.format() == QImage::Format_Indexed8, c.indexed);
        EXPECT_NEAR(back.dotsPerMeterX() * 0.0254, 200, 1);
        const QImage got = back.convertToFormat(QImage::Format_RGB32);
        std::vector<QRgb> inks{qRgb(255, 255, 255), qRgb(0, 0, 0)};
        for (int i = 0; i < c.inks; ++i) inks.push_back(qRgb((i * 37) & 255, (i * 91) & 255, (255 - i) & 255));
        long inked = 0, off = 0;
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x) {
                const QRgb a = want.pixel(x, y), b = got.pixel(x, y);
                if (std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))}) > 9)
                    ++off;
                if (std::find(inks.begin(), inks.end(), a) != inks.end()) {
                    ++inked;
                    EXPECT_EQ(a, b) << x << "," << y;
                }
            }
        EXPECT_LE(off, c.off * want.width() * want.height());
        EXPECT_GT(inked, 1000);
    }
}

// A curve of joined segments and segments of other pens: the SVG, drawn back,
// shows the same picture as the pixels.
TEST(SurfaceSaving, MergedPolylinesDrawTheSamePicture) {
    DrawingSurface s(200, 100);
    s.set_line_width(2);
    for (int i = 0; i < 40; ++i) s.line(5 + 4 * i, 50 + 30 * std::sin(i * 0.3), 9 + 4 * i, 50 + 30 * std::sin((i + 1) * 0.3), 0);
    s.line(5, 95, 195, 95, 0x00FF00);
    s.line(195, 95, 195, 5, 0x0000FF);
    QSvgRenderer r(picture_svg(s));
    ASSERT_TRUE(r.isValid());
    QImage back(200, 100, QImage::Format_ARGB32_Premultiplied);
    back.fill(Qt::white);
    QPainter p(&back);
    r.render(&p);
    p.end();
    const QImage px = s.image();
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const QColor a = px.pixelColor(x, y), b = back.pixelColor(x, y);
            if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 200)
                ++differing;
        }
    EXPECT_LT(differing, 60);  // anti-aliased edges only
}

TEST(SurfaceSaving, ManyTimesDrawnCurvesSaveAsSvgQuickly) {
    // Thirteen plots of a 30 000-segment curve, as the cam window draws them.
    DrawingSurface s(600, 400);
    for (int plot = 0; plot < 13; ++plot) {
        s.set_current(0, 200);
        for (int i = 0; i < 30000; ++i)
            s.line_to(i * 600.0 / 30000, 200 + 150 * std::sin(i * 0.001 + plot), qb_color(plot));
    }
    ASSERT_EQ(s.display_list().size(), 390000u);
    QTemporaryDir dir;
    SurfaceWidget w(10, 10);
    // Processor time, not wall time: the promise is about the work done, and a
    // loaded machine (parallel test runs) must not make the test fail.
    const std::clock_t start = std::clock();
    const QByteArray svg = picture_svg(s);
    QString why;
    ASSERT_TRUE(write_file_whole(dir.filePath(QStringLiteral("c.svg")), svg, &why));
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(double(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC, 500.0);  // the time is a release-build promise; sanitizers run several times slower
#endif
    EXPECT_LT(svg.size(), 12 * 1024 * 1024);
}

// Mounts a tiny filesystem, fills it, and saves over an existing picture.
TEST(SurfaceSaving, FullDiskKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    const QByteArray mount_point = QFile::encodeName(dir.path());
    if (::mount("tmpfs", mount_point.constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root and mount rights); the full-disk save is not tested";
    struct Unmount { QByteArray at; ~Unmount() { ::umount(at.constData()); } } unmount{mount_point};

    const QString png = dir.filePath(QStringLiteral("old.png"));
    const QString svg = dir.filePath(QStringLiteral("old.svg"));
    const QByteArray old_bytes("the picture saved before");
    for (const QString& f : {png, svg}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old_bytes);
    }
    {   // Fill the rest of the filesystem.
        QFile filler(dir.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {}
    }
    QString told;
    SurfaceWidget::set_error_reporter([&](QWidget*, const QString& text) { told = text; });
    SurfaceWidget w(300, 200);
    for (int i = 0; i < 2000; ++i) w.surface().line(i % 300, 0, 300 - i % 300, 200, qb_color(i));
    for (const QString& f : {png, svg}) {
        SCOPED_TRACE(f.toStdString());
        told.clear();
        EXPECT_FALSE(w.save_picture(f));
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), old_bytes);
        EXPECT_TRUE(told.contains(f)) << told.toStdString();
        EXPECT_TRUE(told.contains(QStringLiteral("没有改动"))) << told.toStdString();
        EXPECT_GT(told.size(), f.size() + 20) << "the reason is missing: " << told.toStdString();
    }
    SurfaceWidget::set_error_reporter({});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "a temporary file was left behind";
}

}  // namespace
}  // namespace vm::draw
