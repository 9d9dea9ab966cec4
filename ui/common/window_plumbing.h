// What every working window shares: it is shown without modality, tells the
// main window when it closes (so the main window shows itself again), and is
// deleted on close; it gets the window aids (window_aids.h). Also the small helpers windows use for text and fonts.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>
#include <string>

#include "ui/common/window_aids.h"

namespace vm::draw {
class DrawingSurface;
}

namespace vm::ui {

class WorkingWindow : public QWidget {
    Q_OBJECT
public:
    explicit WorkingWindow(QWidget* parent = nullptr);

signals:
    // Emitted once, when the window closes (frame, back button or close()).
    void closed();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    bool closed_emitted_ = false;
};

// A label that reports clicks.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

// The CJK font that stands in for the Chinese fonts of the labels.
QFont cjk_font(double point_size = 9, bool bold = false);

inline QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string ss(const QString& text) { return text.toStdString(); }

// Prints a number on a drawing: sign place, plain form, a blank behind.
void print_number(draw::DrawingSurface& s, double value, bool newline = true);

}  // namespace vm::ui
