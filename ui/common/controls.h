// Controls created with their object name and caption in one step, so tests
// find them by name; `at` places any widget in pixels and hands it back.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vm::ui {

QLabel* make_label(QWidget* parent, const char* name, const char* caption);
QPushButton* make_button(QWidget* parent, const char* name, const char* caption);
QLineEdit* make_text(QWidget* parent, const char* name, const char* text);

template <class W>
W* at(W* widget, int x, int y, int width, int height) {
    widget->setGeometry(x, y, width, height);
    return widget;
}

}  // namespace vm::ui
