// Twips placement.
#include "ui/common/twips.h"

#include <QWidget>

namespace vm::ui {

void place_twips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

}  // namespace vm::ui
