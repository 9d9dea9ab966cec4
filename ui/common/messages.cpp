// Message boxes, or the recorder installed by tests.
#include "ui/common/messages.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace vm::ui {

namespace {
MessageSink& sink() {
    static MessageSink s;
    return s;
}
}  // namespace

void set_message_sink(MessageSink s) { sink() = std::move(s); }

void show_message(QWidget* parent, const QString& text, const QString& title) {
    if (sink()) {
        sink()(text, title);
        return;
    }
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.exec();
}

void refuse_box(QWidget* box, const QString& text, const QString& title) {
    show_message(box ? box->window() : nullptr, text, title);
    if (!box) return;
    box->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
}

}  // namespace vm::ui
