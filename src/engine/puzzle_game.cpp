#include "engine/puzzle_game.h"

#include "engine/count_caption.h"
#include "engine/game_session.h"
#include "engine/program_version.h"
#include "engine/puzzle_view.h"
#include "engine/word_mismatch.h"

namespace vorlo {

// The page's values as the engine reads and writes them; each change is signalled.
class PuzzleGame::Page : public PuzzleView {
  public:
    explicit Page(PuzzleGame& game) : game_(game) {}

    QString reference() const override { return reference_; }
    void set_reference(const QString& text) override {
        if (text != reference_) {
            reference_ = text;
            emit game_.reference_changed(reference_);
        }
    }
    QString found_text() const override { return found_text_; }
    void set_found_text(const QString& text) override {
        if (text != found_text_) {
            found_text_ = text;
            emit game_.found_text_changed(found_text_);
        }
    }
    QString remaining_letters() const override { return letters_; }
    void set_remaining_letters(const QString& text) override {
        if (text != letters_) {
            letters_ = text;
            emit game_.letters_changed(letters_);
        }
    }
    // Any change of the proposal means the page is no longer saved.
    QString proposal() const override { return proposal_; }
    void set_proposal(const QString& text) override {
        if (text != proposal_) {
            proposal_ = text;
            game_.proposal_played_ = false;
            game_.set_saved_marker({});
            emit game_.proposal_changed(proposal_);
        }
    }
    QString remaining_count() const override { return caption_text(remaining_); }
    void set_remaining_count(const QString& caption) override {
        set_counts(caption_value(caption), found_);
    }
    QString found_count() const override { return caption_text(found_); }
    void set_found_count(const QString& caption) override {
        set_counts(remaining_, caption_value(caption));
    }
    void set_counts(int remaining, int found) {
        remaining_ = remaining;
        found_ = found;
        emit game_.counts_changed(remaining_, found_);
    }

    QString reference_;
    QString found_text_;
    QString letters_;
    QString proposal_;
    int remaining_ = 0;
    int found_ = 0;

  private:
    PuzzleGame& game_;
};

PuzzleGame::PuzzleGame(QObject* parent)
    : QObject(parent),
      page_(std::make_unique<Page>(*this)),
      engine_(std::make_unique<PuzzleEngine>(state_, *page_)),
      session_(std::make_unique<GameSession>(*engine_, *page_)) {}

PuzzleGame::~PuzzleGame() = default;

void PuzzleGame::load(const PuzzlePage& page, const QString& proposal, JournalContents journal,
                      GameJournal::EarlierGameReader reader) {
    state_.start_up();
    page_->set_remaining_letters(page.letters);
    page_->set_reference(page.reference);
    page_->set_proposal(proposal);
    page_->set_found_text(page.found_text);
    page_->set_counts(page.remaining_count, page.found_count);
    engine_->take_snapshot();
    state_.proposal_refused = false;
    session_->open(std::move(journal));
    session_->journal().set_earlier_game_reader(std::move(reader));
    proposal_played_ = proposal_is_last_turns();
    emit journal_changed();
}

bool PuzzleGame::proposal_is_last_turns() const {
    const std::vector<Turn>& turns = session_->journal().current_game().turns;
    return !turns.empty() && turns.back().proposal == page_->proposal_;
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
    const bool started = session_->initialise();
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
    const std::optional<Turn> turn = session_->generate();
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
    page_->set_proposal(proposal);
    proposal_played_ = false;
    return evaluate();
}

void PuzzleGame::clear_page() {
    page_->set_reference({});
    page_->set_found_text({});
    page_->set_proposal({});
    page_->set_remaining_letters({});
    page_->set_counts(0, page_->found_);
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
    const std::optional<JournalMove> move = session_->undo();
    if (move) {
        proposal_played_ = move->kind == JournalMove::Kind::Game && proposal_is_last_turns();
    }
    return outcome_of_move(move);
}

GameOutcome PuzzleGame::redo() {
    const std::optional<JournalMove> move = session_->redo();
    if (move) {
        proposal_played_ = proposal_is_last_turns();
    }
    return outcome_of_move(move);
}

void PuzzleGame::edit_reference(const QString& text) {
    page_->set_reference(text);
}

void PuzzleGame::edit_proposal(const QString& text) {
    page_->set_proposal(text);
}

void PuzzleGame::edit_found_text(const QString& text) {
    page_->set_found_text(text);
}

void PuzzleGame::edit_letters(const QString& text) {
    page_->set_remaining_letters(text);
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
    return page_->reference_;
}
const QString& PuzzleGame::found_text() const {
    return page_->found_text_;
}
const QString& PuzzleGame::proposal() const {
    return page_->proposal_;
}
const QString& PuzzleGame::remaining_letters() const {
    return page_->letters_;
}
int PuzzleGame::remaining_count() const {
    return page_->remaining_;
}
int PuzzleGame::found_count() const {
    return page_->found_;
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
