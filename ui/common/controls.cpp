// Named controls (see controls.h).
#include "ui/common/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vm::ui {

QLabel* make_label(QWidget* parent, const char* name, const char* caption) {
    auto* l = new QLabel(QString::fromUtf8(caption), parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton* make_button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLineEdit* make_text(QWidget* parent, const char* name, const char* text) {
    auto* e = new QLineEdit(QString::fromUtf8(text), parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

}  // namespace vm::ui
