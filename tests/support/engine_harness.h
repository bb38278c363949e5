#pragma once

#include "engine/memory_puzzle_view.h"
#include "engine/message_boxes.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_state.h"
#include "engine/word_mismatch.h"

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

class RecordingMismatchDialog : public WordMismatchDialog {
  public:
    std::vector<MismatchDialogTexts> opened;
    void open_refusal(const MismatchDialogTexts& mismatch) override { opened.push_back(mismatch); }
};

// One engine over an in-memory view, as the window would wire it.
struct EngineHarness {
    PuzzleState state;
    MemoryPuzzleView view;
    ScriptedMessageBoxes boxes;
    RecordingMismatchDialog dialog;
    PuzzleEngine engine{state, view, boxes, dialog};
    int proposal_changes = 0;

    EngineHarness() {
        state.start_up();
        view.on_proposal_changed = [this] { ++proposal_changes; };
    }

    // A fresh puzzle from a reference, as "Initialiser" makes it.
    void start_puzzle(const QString& reference) {
        view.ref = reference;
        engine.initialise_puzzle();
    }

    void play(const QString& proposal) {
        view.propal = proposal;
        engine.evaluate_proposal();
    }
};

}  // namespace vorlo::testing
