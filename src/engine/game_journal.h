#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace vorlo {

// What the page shows of a puzzle at one moment of a game.
struct PuzzlePage {
    QString reference;
    QString found_text;
    QString letters;
    int remaining_count = 0;
    int found_count = 0;

    bool operator==(const PuzzlePage&) const = default;
};

// One accepted proposal of a game.
struct Turn {
    int number = 0;      // from 1 in its game
    QString proposal;    // as it was evaluated, elisions joined
    QString player;      // may be empty
    int revealed = 0;    // letters this proposal revealed
    int remaining = 0;   // letters still hidden after it
    QString found_text;  // after it
    QString letters;     // after it
    int repeat_of = 0;   // an earlier turn of the same game with the same proposal; 0 if none
    // The reference it was played against, which the master may have edited since
    // "Initialiser"; none for a turn stored without it, played against its game's start.
    std::optional<QString> reference;

    bool operator==(const Turn&) const = default;
};

// One game: the puzzle as "Initialiser" made it, then its turns in order.
struct Game {
    // False for a puzzle that was already on the page when the journal began: it has no
    // "Initialiser" to take back.
    bool initialised_here = true;
    PuzzlePage start;
    std::vector<Turn> turns;

    // The page after the first `count` turns.
    PuzzlePage page_after(std::size_t count) const;
    PuzzlePage current_page() const { return page_after(turns.size()); }
    // Nothing is left to find.
    bool won() const;

    bool operator==(const Game&) const = default;
};

// A player's letters in the current game.
struct Score {
    QString player;
    int letters = 0;
    int reached_at_turn = 0;  // the turn at which the player reached that total
};

// What is stored: the games in the order they were played, and the name that the next
// proposal will be credited to. A long history may be held from its latest games only: the
// earlier ones stay in the file, untouched by a write, and are read when undo reaches them.
struct JournalContents {
    std::vector<Game> games;
    QString next_player;
    int earlier_games = 0;      // games stored before games.front() and not held
    int first_game_number = 1;  // the file's number of games.front()

    bool operator==(const JournalContents&) const = default;
};

// A game as the file numbers it.
struct NumberedGame {
    int number = 0;
    Game game;
};

// What undo or redo puts back on the page.
struct JournalMove {
    enum class Kind { Turn, Game };
    Kind kind = Kind::Turn;
    PuzzlePage page;
    QString proposal;     // for the proposal editor
    int turn_number = 0;  // the turn taken back or played again; 0 for a game
};

// A name as the journal keeps it: blanks trimmed and runs of blanks reduced.
QString player_name(const QString& typed);
// Two names are one player when they differ only by case; accents count.
bool same_player(const QString& a, const QString& b);

// The games played, turn by turn, with the players, the scores, and undo and redo over
// turns and over "Initialiser". It holds values only; GameSession shows them.
class GameJournal {
  public:
    GameJournal();

    // Starts from what was stored. When it is empty, or its last game does not end on the
    // page shown, the page shown becomes a game of its own, which cannot be taken back.
    void open(JournalContents stored, const PuzzlePage& shown);
    // Reads the stored game numbered just below the given number, for an undo that goes
    // back past the games held; nothing when it cannot.
    using EarlierGameReader = std::function<std::optional<NumberedGame>(int before_number)>;
    void set_earlier_game_reader(EarlierGameReader reader);
    const JournalContents& contents() const { return contents_; }
    const Game& current_game() const { return contents_.games.back(); }

    // "Initialiser" made a new puzzle.
    void start_game(const PuzzlePage& start);
    // An accepted proposal, credited to the next player. Taking back is then limited to
    // what was played; what was taken back can no longer be played again.
    const Turn& add_turn(const QString& proposal, int revealed, const PuzzlePage& after);

    bool can_undo() const;
    bool can_redo() const;
    // Takes back the last turn, or the last "Initialiser" when its game has no turn. The
    // found count shown before it is kept for the redo, which shows it again.
    std::optional<JournalMove> undo(int shown_found_count);
    // Plays again what the last undo took back.
    std::optional<JournalMove> redo();

    // A name typed for a player is the spelling the journal first knew that player by.
    const QString& next_player() const { return contents_.next_player; }
    void set_next_player(const QString& typed);
    // Corrects the player of a turn of the current game; false when there is no such turn.
    // A name that differs from the turn's player only by case respells that player in
    // every turn held.
    bool rename_player(int turn_number, const QString& typed);
    // The players of the games held and the next player, each once in its first spelling,
    // in the order they came.
    QStringList known_players() const;

    // Letters revealed per named player in the current game, highest first; equal totals
    // in the order the players reached them.
    std::vector<Score> scoreboard() const;

  private:
    // The name as typed, or the spelling of the same player the journal knows.
    QString known_spelling(const QString& typed) const;
    // Gives every turn and the next player the first spelling of their player.
    void use_first_spellings();
    // Puts the game before the first one held in front of the others; false when there is
    // none or it cannot be read.
    bool hold_earlier_game();

    JournalContents contents_;
    struct Undone {
        std::variant<Turn, Game> step;
        int shown_found_count = 0;
    };
    std::vector<Undone> undone_;
    EarlierGameReader read_earlier_game_;
};

}  // namespace vorlo
