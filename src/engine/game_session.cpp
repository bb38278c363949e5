#include "engine/game_session.h"

#include "engine/puzzle_engine.h"

namespace vorlo {

GameSession::GameSession(PuzzleEngine& engine, PuzzleValues& values)
    : engine_(engine), values_(values) {}

void GameSession::open(JournalContents stored) {
    journal_.open(std::move(stored), shown_page());
}

PuzzlePage GameSession::shown_page() const {
    return {values_.reference, values_.found_text, values_.remaining_letters,
            values_.remaining_count, values_.found_count};
}

bool GameSession::initialise() {
    engine_.initialise_puzzle();
    if (engine_.refusal() != Refusal::None) {
        return false;
    }
    // A new game has found nothing yet: its opening post must not carry the last count.
    values_.found_count = 0;
    engine_.take_snapshot();
    journal_.start_game(shown_page());
    return true;
}

std::optional<Turn> GameSession::generate() {
    engine_.evaluate_proposal();
    if (engine_.refusal() != Refusal::None || engine_.mismatch()) {
        return std::nullopt;
    }
    const PuzzlePage after = shown_page();
    return journal_.add_turn(values_.proposal, after.found_count, after);
}

std::optional<JournalMove> GameSession::undo() {
    std::optional<JournalMove> move = journal_.undo(values_.found_count);
    if (move) {
        show(*move);
    }
    return move;
}

std::optional<JournalMove> GameSession::redo() {
    std::optional<JournalMove> move = journal_.redo();
    if (move) {
        show(*move);
    }
    return move;
}

void GameSession::show(const JournalMove& move) {
    values_.reference = move.page.reference;
    values_.found_text = move.page.found_text;
    values_.remaining_letters = move.page.letters;
    values_.remaining_count = move.page.remaining_count;
    values_.found_count = move.page.found_count;
    values_.proposal = move.proposal;
    engine_.take_snapshot();
    engine_.state().proposal_refused = false;
}

}  // namespace vorlo
