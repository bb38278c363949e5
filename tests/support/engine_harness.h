#pragma once

#include "engine/puzzle_engine.h"
#include "engine/puzzle_state.h"
#include "engine/word_mismatch.h"
#include "support/memory_puzzle_view.h"
#include "ui/main_window/refusal_boxes.h"
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

// The words the engine refused, as the window would open its dialog for each.
struct RecordingMismatchDialog {
    std::vector<WordMismatch> opened;
};

// The engine's operations, each followed by what the window makes of its outcome: the box
// of a refusal, the dialog of a word that does not fit.
class RecordingEngine {
  public:
    RecordingEngine(PuzzleState& state, PuzzleView& view, ScriptedMessageBoxes& boxes,
                    RecordingMismatchDialog& dialog)
        : engine_(state, view), boxes_(boxes), dialog_(dialog) {}

    void initialise_puzzle() {
        engine_.initialise_puzzle();
        record(true);
    }
    void evaluate_proposal() {
        engine_.evaluate_proposal();
        record(true);
    }
    void check_word_fit() {
        engine_.check_word_fit();
        record(false);
    }
    void tally_letters() { engine_.tally_letters(); }
    PuzzleEngine& engine() { return engine_; }

  private:
    void record(bool with_refusal) {
        if (with_refusal && engine_.refusal() != Refusal::None) {
            const RefusalBox box = refusal_box(engine_.refusal());
            boxes_.show_message(box.icon, MessageButtons::Ok, box.text);
        }
        if (engine_.mismatch()) {
            dialog_.opened.push_back(*engine_.mismatch());
        }
    }

    PuzzleEngine engine_;
    ScriptedMessageBoxes& boxes_;
    RecordingMismatchDialog& dialog_;
};

// One engine over an in-memory view, as the window would wire it.
struct EngineHarness {
    PuzzleState state;
    MemoryPuzzleView view;
    ScriptedMessageBoxes boxes;
    RecordingMismatchDialog dialog;
    RecordingEngine engine{state, view, boxes, dialog};
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
