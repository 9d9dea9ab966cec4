// VbScrollBar: maps a possibly reversed range onto Qt's ascending one.
#include "ui/common/vb_scroll_bar.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>

namespace vm::ui {

VbScrollBar::VbScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), bar_(new QScrollBar(orientation, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    bar_->setRange(0, 100);
    connect(bar_, &QScrollBar::valueChanged, this, [this](int) { emit changed(value()); });
}

void VbScrollBar::set_range(int min, int max) {
    const QSignalBlocker block(bar_);
    const int old = value();
    min_ = min;
    max_ = max;
    bar_->setRange(0, std::abs(max - min));
    const int lo = std::min(min, max), hi = std::max(min, max);
    const int v = std::clamp(old, lo, hi);
    bar_->setValue(max_ >= min_ ? v - min_ : min_ - v);
}

int VbScrollBar::value() const { return max_ >= min_ ? min_ + bar_->value() : min_ - bar_->value(); }

void VbScrollBar::set_value(int v) {
    const int lo = std::min(min_, max_), hi = std::max(min_, max_);
    v = std::clamp(v, lo, hi);
    bar_->setValue(max_ >= min_ ? v - min_ : min_ - v);
}

void VbScrollBar::set_steps(int small_change, int large_change) {
    bar_->setSingleStep(small_change);
    bar_->setPageStep(large_change);
}

}  // namespace vm::ui
