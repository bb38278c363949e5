#pragma once

#include "engine/game_journal.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_state.h"
#include "engine/word_fit.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

namespace vorlo {

// What an operation of the game did.
struct GameOutcome {
    enum class Kind {
        Accepted,      // the page changed as asked
        Refused,       // nothing changed; `refusal` says why
        WordMismatch,  // the proposal was refused: `mismatch` names the word
        NothingToDo,   // nothing to take back or play again
    };
    Kind kind = Kind::NothingToDo;
    Refusal refusal = Refusal::None;
    std::optional<WordMismatch> mismatch;
    std::optional<Turn> turn;         // the turn an accepted proposal added
    std::optional<JournalMove> move;  // what an undo or a redo put back

    bool accepted() const { return kind == Kind::Accepted; }
};

// The one game of a run, owned here as values: the page (reference, found text, proposal,
// remaining letters, the two counts), the snapshot, the refused flag, the journal of turns
// and players with undo and redo, and the saved marker. Its operations return what happened
// and it signals every change, so that a window only shows it and a reader of the forum
// thread can play proposals into it.
class PuzzleGame : public QObject {
    Q_OBJECT
  public:
    explicit PuzzleGame(QObject* parent = nullptr);
    ~PuzzleGame() override;

    // Start-up: the version and the character set, then the stored page (its proposal
    // included) and the stored journal; earlier games of a long journal are read through
    // `reader` when undo reaches them. The snapshot is taken, nothing is refused.
    void load(const PuzzlePage& page, const QString& proposal, JournalContents journal,
              GameJournal::EarlierGameReader reader = {});

    // "Initialiser": a new game from the reference.
    GameOutcome initialise();
    // "Générer": the proposal played as a turn, credited to the next player. A proposal
    // left as it was since its own turn was accepted is not played twice (NothingToDo):
    // a second click is no second turn. Typed again, it plays, as a repeat.
    GameOutcome evaluate();
    // A proposal played as a turn of `player`, as a reader of the forum thread would: each
    // post is a proposal of its own, the same text as the last one included.
    GameOutcome play(const QString& proposal, const QString& player);
    // "Effacer les données de la page": the texts emptied and the remaining count at 0; the
    // found count stays as it is.
    void clear_page();
    // Takes back the last turn or "Initialiser", or plays it again.
    GameOutcome undo();
    GameOutcome redo();

    // The user's edits. A change of the proposal empties the saved marker.
    void edit_reference(const QString& text);
    void edit_proposal(const QString& text);
    void edit_letters(const QString& text);
    void edit_found_text(const QString& text);

    // The journal's players: the next proposal's, and the correction of a turn's (which
    // empties the saved marker); false when there is no such turn.
    void set_next_player(const QString& name);
    bool rename_player(int turn_number, const QString& name);

    // "Y" right after a save, empty after any change of the proposal, undo or redo.
    static QString saved_mark();  // "Y"
    static QString version();     // the program's version, e.g. "2.6.2"
    void mark_saved();
    // Something saved with the page changed outside the game (the forum thread's settings).
    void mark_changed() { set_saved_marker({}); }
    const QString& saved_marker() const { return saved_marker_; }

    const QString& reference() const;
    const QString& found_text() const;
    const QString& proposal() const;
    const QString& remaining_letters() const;
    int remaining_count() const;
    int found_count() const;
    PuzzlePage page() const;
    const GameJournal& journal() const;
    const PuzzleState& state() const { return state_; }
    // The bad word of the last refusal as a range of the proposal, from 0.
    struct Range {
        int start = 0;
        int length = 0;
    };
    Range bad_word_range() const;

  signals:
    void reference_changed(const QString& text);
    void found_text_changed(const QString& text);
    void proposal_changed(const QString& text);
    void letters_changed(const QString& text);
    void counts_changed(int remaining_count, int found_count);
    void saved_marker_changed(const QString& marker);
    // A game started, a turn was played or taken back, a player was named.
    void journal_changed();

  private:
    // The user typed into one of the page's texts: keep it and tell every view.
    void edit(QString PuzzleValues::*field, const QString& text);
    // Signals what differs from `before` (the counts also when `show_counts`); a proposal
    // that changed empties the saved marker.
    void publish(const PuzzleValues& before, bool show_counts = false);
    GameOutcome outcome_of_engine() const;
    GameOutcome outcome_of_move(const std::optional<JournalMove>& move);
    void set_saved_marker(const QString& marker);
    // The proposal shown is the one of the last turn of the current game.
    bool proposal_is_last_turns() const;

    PuzzleState state_;
    PuzzleValues values_;
    std::unique_ptr<PuzzleEngine> engine_;
    std::unique_ptr<class GameSession> session_;
    QString saved_marker_;
    // The proposal has not changed since its own turn was accepted.
    bool proposal_played_ = false;
};

}  // namespace vorlo
