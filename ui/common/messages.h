// The one way a window tells the user something: a modal box with one "确定"
// button. Tests swap it for a recorder so nothing ever blocks.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace vm::ui {

inline const QString kTitleError = QStringLiteral("错误");
inline const QString kTitleDataError = QStringLiteral("数据错误");

// Shows `text` under `title` with a single OK button, modal to `parent`.
void show_message(QWidget* parent, const QString& text, const QString& title = kTitleError);

// A refusal about one entry box: the message, then the focus moves to that box
// with its text selected, so the student can retype it at once.
void refuse_box(QWidget* box, const QString& text, const QString& title = kTitleError);

// Replaces the box (tests record instead); an empty function restores the box.
using MessageSink = std::function<void(const QString& text, const QString& title)>;
void set_message_sink(MessageSink sink);

}  // namespace vm::ui
