// SurfaceWidget: paints the surface's picture and offers "保存图片…".
#include "draw/surface_widget.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace vm::draw {

namespace {
std::function<void(QWidget*, const QString&)>& error_reporter() {
    static std::function<void(QWidget*, const QString&)> f;
    return f;
}
}  // namespace

SurfaceWidget::SurfaceWidget(int width_px, int height_px, QWidget* parent)
    : QWidget(parent), surface_(std::make_unique<DrawingSurface>(width_px, height_px)) {
    setFixedSize(width_px, height_px);
    surface_->set_on_change([this] { update(); });
}

SurfaceWidget::~SurfaceWidget() { surface_->set_on_change({}); }

void SurfaceWidget::set_error_reporter(std::function<void(QWidget*, const QString&)> f) {
    error_reporter() = std::move(f);
}

bool SurfaceWidget::save_picture(const QString& file_name) {
    if (surface_->save(file_name)) return true;
    if (error_reporter()) error_reporter()(this, QStringLiteral("图片无法保存到 %1").arg(file_name));
    return false;
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, surface_->image());
}

void SurfaceWidget::contextMenuEvent(QContextMenuEvent* e) {
    QMenu menu(this);
    QAction* save = menu.addAction(QStringLiteral("保存图片…"));
    if (menu.exec(e->globalPos()) != save) return;
    QString selected;
    QString name = QFileDialog::getSaveFileName(this, QStringLiteral("保存图片"), QStringLiteral("图片.png"),
                                                QStringLiteral("PNG 图片 (*.png);;SVG 矢量图 (*.svg)"),
                                                &selected);
    if (name.isEmpty()) return;
    if (!name.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) &&
        !name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        name += selected.contains(QLatin1String("svg")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    save_picture(name);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        emit clicked(surface_->from_px_x(e->position().x()), surface_->from_px_y(e->position().y()));
    QWidget::mousePressEvent(e);
}

}  // namespace vm::draw
