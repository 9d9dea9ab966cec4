// The widget that shows a DrawingSurface at a fixed size, with the context menu
// "保存图片…" that saves the picture as PNG (at the screen's or at print
// resolution) or SVG. On a high-density screen the picture is painted from its
// display list at the real pixel size, so lines and text stay sharp.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "draw/drawing_surface.h"

class QByteArray;
class QPainter;

namespace vm::draw {

// The picture rendered at `pixel_ratio` device pixels per surface pixel: the
// image is ceil(width * ratio) x ceil(height * ratio) and carries the ratio.
QImage render_picture(const DrawingSurface& s, double pixel_ratio);

// The picture as SVG text. Runs of joined line segments of one pen become one
// polyline, so a curve of many thousand segments stays small and quick to write.
QByteArray picture_svg(const DrawingSurface& s);

// The picture as PNG at `dpi` dots per inch (96 is one surface pixel per
// dot; outside 0..1200 it is 96), the resolution recorded in the file. Empty
// when it cannot be encoded.
QByteArray picture_png(const DrawingSurface& s, double dpi);

// write_file_whole, the all-or-nothing file writer, is declared with the surface.
// Paints the picture, background, content and elements, onto any painter in
// surface pixels (the SVG writer's, or a PDF page's at 96 dots per inch).
void paint_picture(QPainter& p, const DrawingSurface& s);

class SurfaceWidget : public QWidget {
    Q_OBJECT
public:
    // A picture area of the given inner size in pixels.
    SurfaceWidget(int width_px, int height_px, QWidget* parent = nullptr);
    ~SurfaceWidget() override;

    DrawingSurface& surface() { return *surface_; }
    const DrawingSurface& surface() const { return *surface_; }

    // Saves the picture as PNG at the screen's resolution or as SVG, by the
    // file name's suffix; reports a failure through the error reporter.
    bool save_picture(const QString& file_name);
    // Saves a PNG at `dpi` dots per inch (96 is one surface pixel per dot).
    bool save_picture_png(const QString& file_name, double dpi);

    // The image the widget paints at its current device pixel ratio.
    QImage device_image() const;

    // How a failed save is told to the user (the application installs its
    // message box; by default nothing is shown).
    static void set_error_reporter(std::function<void(QWidget*, const QString&)> f);

signals:
    // A click on the picture, in the surface's user units.
    void clicked(double x, double y);

protected:
    void paintEvent(QPaintEvent*) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    bool report(const QString& file_name, bool ok, const QString& why);
    void bring_cache_up_to_date(double ratio) const;

    std::unique_ptr<DrawingSurface> surface_;
    // The content (without the elements) at the device pixel ratio, painted
    // incrementally as the display list grows.
    mutable QImage cache_;
    mutable size_t cached_ = 0;
    mutable Primitive last_cached_;
};

}  // namespace vm::draw
