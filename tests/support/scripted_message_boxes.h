#pragma once

#include "ui/platform/message_boxes.h"

#include <deque>
#include <vector>

namespace vorlo::testing {

struct ShownMessage {
    MessageIcon icon;
    MessageButtons buttons;
    QString text;
};

// Records every box and answers from a script; a Yes/No box with no scripted answer is
// answered No and flagged, so a test never blocks on a box.
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    std::vector<ShownMessage> shown;
    std::deque<MessageAnswer> answers;
    bool unscripted_question = false;

    MessageAnswer show_message(MessageIcon icon, MessageButtons buttons,
                               const QString& text) override {
        shown.push_back({icon, buttons, text});
        if (buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers.empty()) {
            unscripted_question = true;
            return MessageAnswer::No;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace vorlo::testing
