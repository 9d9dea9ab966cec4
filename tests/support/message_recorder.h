// Records message boxes instead of showing them, for the lifetime of the recorder.
#pragma once

#include <gtest/gtest.h>

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

    // Exactly one message was shown and its text holds `part`; with no part,
    // that none was shown.
    testing::AssertionResult shows(const char* part) const {
        if (!part) {
            if (messages.empty()) return testing::AssertionSuccess();
            return testing::AssertionFailure() << "unexpected message: " << messages[0].first.toStdString();
        }
        if (messages.size() != 1) return testing::AssertionFailure() << messages.size() << " messages, not one";
        if (messages[0].first.contains(QString::fromUtf8(part))) return testing::AssertionSuccess();
        return testing::AssertionFailure() << messages[0].first.toStdString() << " lacks " << part;
    }

    std::vector<std::pair<QString, QString>> messages;  // text, title
};

}  // namespace vm::test
