#include "engine/puzzle_game.h"

#include "engine/game_session.h"
#include "engine/program_version.h"
#include "engine/word_mismatch.h"

namespace vorlo {

void PuzzleGame::publish(const PuzzleValues& before, bool show_counts) {
    if (values_.reference != before.reference) {
        emit reference_changed(values_.reference);
    }
    if (values_.found_text != before.found_text) {
        emit found_text_changed(values_.found_text);
    }
    if (values_.remaining_letters != before.remaining_letters) {
        emit letters_changed(values_.remaining_letters);
    }
    if (values_.proposal != before.proposal) {
        // Any change of the proposal means the page is no longer saved, and the proposal
        // not yet played.
        proposal_played_ = false;
        set_saved_marker({});
        emit proposal_changed(values_.proposal);
    }
    if (show_counts || values_.remaining_count != before.remaining_count ||
        values_.found_count != before.found_count) {
        emit counts_changed(values_.remaining_count, values_.found_count);
    }
}

PuzzleGame::PuzzleGame(QObject* parent)
    : QObject(parent),
      engine_(std::make_unique<PuzzleEngine>(state_, values_)),
      session_(std::make_unique<GameSession>(*engine_, values_)) {}

PuzzleGame::~PuzzleGame() = default;

void PuzzleGame::load(const PuzzlePage& page, const QString& proposal, JournalContents journal,
                      GameJournal::EarlierGameReader reader) {
    state_.start_up();
    const PuzzleValues before = values_;
    values_ = {page.reference, page.found_text,      proposal,
               page.letters,   page.remaining_count, page.found_count};
    publish(before, true);
    engine_->take_snapshot();
    state_.proposal_refused = false;
    session_->open(std::move(journal));
    session_->journal().set_earlier_game_reader(std::move(reader));
    proposal_played_ = proposal_is_last_turns();
    emit journal_changed();
}

bool PuzzleGame::proposal_is_last_turns() const {
    const std::vector<Turn>& turns = session_->journal().current_game().turns;
    return !turns.empty() && turns.back().proposal == values_.proposal;
}

GameOutcome PuzzleGame::outcome_of_engine() const {
    GameOutcome outcome;
    if (engine_->refusal() != Refusal::None) {
        outcome.kind = GameOutcome::Kind::Refused;
        outcome.refusal = engine_->refusal();
    } else if (engine_->mismatch()) {
        outcome.kind = GameOutcome::Kind::WordMismatch;
        outcome.mismatch = engine_->mismatch();
    } else {
        outcome.kind = GameOutcome::Kind::Accepted;
    }
    return outcome;
}

GameOutcome PuzzleGame::initialise() {
    const PuzzleValues before = values_;
    const bool started = session_->initialise();
    publish(before);
    GameOutcome outcome = outcome_of_engine();
    if (started) {
        emit journal_changed();
    }
    return outcome;
}

GameOutcome PuzzleGame::evaluate() {
    if (proposal_played_) {
        return {};
    }
    const PuzzleValues before = values_;
    const std::optional<Turn> turn = session_->generate();
    publish(before);
    GameOutcome outcome = outcome_of_engine();
    outcome.turn = turn;
    if (turn) {
        proposal_played_ = true;
        emit journal_changed();
    }
    return outcome;
}

GameOutcome PuzzleGame::play(const QString& proposal, const QString& player) {
    set_next_player(player);
    edit_proposal(proposal);
    proposal_played_ = false;
    return evaluate();
}

void PuzzleGame::clear_page() {
    const PuzzleValues before = values_;
    values_ = {{}, {}, {}, {}, 0, values_.found_count};
    publish(before, true);
}

GameOutcome PuzzleGame::outcome_of_move(const std::optional<JournalMove>& move) {
    GameOutcome outcome;
    if (!move) {
        return outcome;
    }
    outcome.kind = GameOutcome::Kind::Accepted;
    outcome.move = move;
    set_saved_marker({});
    emit journal_changed();
    return outcome;
}

// The proposal a move puts back was played when its turn stands: after a redo, or after an
// undo of "Initialiser" that shows the last turn of the game before; a turn taken back may
// be played again.
GameOutcome PuzzleGame::undo() {
    const PuzzleValues before = values_;
    const std::optional<JournalMove> move = session_->undo();
    publish(before);
    if (move) {
        proposal_played_ = move->kind == JournalMove::Kind::Game && proposal_is_last_turns();
    }
    return outcome_of_move(move);
}

GameOutcome PuzzleGame::redo() {
    const PuzzleValues before = values_;
    const std::optional<JournalMove> move = session_->redo();
    publish(before);
    if (move) {
        proposal_played_ = proposal_is_last_turns();
    }
    return outcome_of_move(move);
}

void PuzzleGame::edit_reference(const QString& text) {
    edit(&PuzzleValues::reference, text);
}
void PuzzleGame::edit_proposal(const QString& text) {
    edit(&PuzzleValues::proposal, text);
}
void PuzzleGame::edit_found_text(const QString& text) {
    edit(&PuzzleValues::found_text, text);
}
void PuzzleGame::edit_letters(const QString& text) {
    edit(&PuzzleValues::remaining_letters, text);
}

void PuzzleGame::edit(QString PuzzleValues::*field, const QString& text) {
    const PuzzleValues before = values_;
    values_.*field = text;
    publish(before);
}

void PuzzleGame::set_next_player(const QString& name) {
    session_->journal().set_next_player(name);
}

bool PuzzleGame::rename_player(int turn_number, const QString& name) {
    const bool renamed = session_->journal().rename_player(turn_number, name);
    if (renamed) {
        set_saved_marker({});  // the journal to save has changed
    }
    emit journal_changed();
    return renamed;
}

QString PuzzleGame::saved_mark() {
    return QStringLiteral("Y");
}

QString PuzzleGame::version() {
    return QString::fromLatin1(kProgramVersion);
}

void PuzzleGame::mark_saved() {
    set_saved_marker(saved_mark());
}

void PuzzleGame::set_saved_marker(const QString& marker) {
    if (marker != saved_marker_) {
        saved_marker_ = marker;
        emit saved_marker_changed(saved_marker_);
    }
}

const QString& PuzzleGame::reference() const {
    return values_.reference;
}
const QString& PuzzleGame::found_text() const {
    return values_.found_text;
}
const QString& PuzzleGame::proposal() const {
    return values_.proposal;
}
const QString& PuzzleGame::remaining_letters() const {
    return values_.remaining_letters;
}
int PuzzleGame::remaining_count() const {
    return values_.remaining_count;
}
int PuzzleGame::found_count() const {
    return values_.found_count;
}

PuzzlePage PuzzleGame::page() const {
    return session_->shown_page();
}

const GameJournal& PuzzleGame::journal() const {
    return session_->journal();
}

PuzzleGame::Range PuzzleGame::bad_word_range() const {
    const TextRange range = vorlo::bad_word_range(state_);
    return {range.start, range.length};
}

}  // namespace vorlo
