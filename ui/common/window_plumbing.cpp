// WorkingWindow, ClickableLabel and the small text/font helpers.
#include "ui/common/window_plumbing.h"

#include <QCloseEvent>
#include <QMouseEvent>

#include "core/number_text.h"
#include "draw/drawing_surface.h"
#include "ui/common/window_aids.h"

namespace vm::ui {

WorkingWindow::WorkingWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(cjk_font());
    install_window_aids(this, WindowRole::working);
}

void WorkingWindow::closeEvent(QCloseEvent* e) {
    QWidget::closeEvent(e);
    if (e->isAccepted() && !closed_emitted_) {
        closed_emitted_ = true;
        emit closed();
    }
}

void ClickableLabel::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(e);
}

QFont cjk_font(double point_size, bool bold) {
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPointSizeF(point_size);
    f.setBold(bold);
    return f;
}

void print_number(draw::DrawingSurface& s, double value, bool newline) {
    s.print(QString::fromStdString(printed_number(value)), newline);
}

}  // namespace vm::ui
