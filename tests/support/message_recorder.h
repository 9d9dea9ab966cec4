// Records message boxes instead of showing them, for the lifetime of the recorder.
#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "ui/common/messages.h"

namespace vm::test {

class MessageRecorder {
public:
    MessageRecorder() {
        ui::set_message_sink([this](const QString& text, const QString& title) { messages.emplace_back(text, title); });
    }
    ~MessageRecorder() { ui::set_message_sink({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<std::pair<QString, QString>> messages;  // text, title
};

}  // namespace vm::test
