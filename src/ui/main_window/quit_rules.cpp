#include "ui/main_window/quit_rules.h"

#include "engine/puzzle_game.h"
#include "ui/main_window/messages.h"
#include "ui/platform/message_boxes.h"

namespace vorlo {

QuitDecision decide_quit(const QString& reference, const QString& saved_marker,
                         MessageBoxes& boxes) {
    if (reference.isEmpty()) {
        boxes.show_message(MessageIcon::Exclamation, MessageButtons::Ok,
                           messages::cannot_quit_without_reference());
        return QuitDecision::Stay;
    }
    if (saved_marker == PuzzleGame::saved_mark()) {
        return QuitDecision::CloseDatabaseAndEnd;
    }
    const MessageAnswer answer =
        boxes.show_message(MessageIcon::Question, MessageButtons::YesNo, messages::unsaved_data());
    return answer == MessageAnswer::Yes ? QuitDecision::End : QuitDecision::Stay;
}

}  // namespace vorlo
