// A scroll bar whose range may run backwards (Min > Max, e.g. 200 at the left or
// top end and -100 at the other), with a change signal carrying the value.
#pragma once

#include <QWidget>

class QScrollBar;

namespace vm::ui {

class VbScrollBar : public QWidget {
    Q_OBJECT
public:
    VbScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // `min` sits at the left/top end and `max` at the right/bottom end.
    void set_range(int min, int max);
    int minimum() const { return min_; }
    int maximum() const { return max_; }
    int value() const;
    // Clamped into the range; emits changed() when the value moves.
    void set_value(int v);
    void set_steps(int small_change, int large_change);
    QScrollBar* bar() const { return bar_; }

signals:
    void changed(int value);

private:
    QScrollBar* bar_;
    int min_ = 0, max_ = 100;
};

}  // namespace vm::ui
