// The widget that shows a DrawingSurface at a fixed size, with the context menu
// "保存图片…" that saves the picture as PNG or SVG.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "draw/drawing_surface.h"

namespace vm::draw {

class SurfaceWidget : public QWidget {
    Q_OBJECT
public:
    // A picture area of the given inner size in pixels.
    SurfaceWidget(int width_px, int height_px, QWidget* parent = nullptr);
    ~SurfaceWidget() override;

    DrawingSurface& surface() { return *surface_; }
    const DrawingSurface& surface() const { return *surface_; }

    // Saves the picture; reports a failure through the error reporter.
    bool save_picture(const QString& file_name);

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
    std::unique_ptr<DrawingSurface> surface_;
};

}  // namespace vm::draw
