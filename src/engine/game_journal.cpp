#include "engine/game_journal.h"

#include <algorithm>

namespace vorlo {

namespace {

// The same puzzle on the page; the found count is not stored, so it does not count.
bool same_puzzle(const PuzzlePage& a, const PuzzlePage& b) {
    return a.reference == b.reference && a.found_text == b.found_text && a.letters == b.letters &&
           a.remaining_count == b.remaining_count;
}

Game opened_game(const PuzzlePage& shown) {
    Game game;
    game.initialised_here = false;
    game.start = shown;
    return game;
}

}  // namespace

PuzzlePage Game::page_after(std::size_t count) const {
    if (count == 0 || turns.empty()) {
        return start;
    }
    const Turn& turn = turns.at(std::min(count, turns.size()) - 1);
    return {turn.reference.value_or(start.reference), turn.found_text, turn.letters, turn.remaining,
            turn.revealed};
}

bool Game::won() const {
    const PuzzlePage page = current_page();
    return !page.found_text.isEmpty() && page.remaining_count == 0;
}

QString player_name(const QString& typed) {
    return typed.simplified();
}

bool same_player(const QString& a, const QString& b) {
    return player_name(a).compare(player_name(b), Qt::CaseInsensitive) == 0;
}

GameJournal::GameJournal() {
    contents_.games.push_back(opened_game({}));
}

void GameJournal::open(JournalContents stored, const PuzzlePage& shown) {
    contents_ = std::move(stored);
    use_first_spellings();
    if (contents_.games.empty() || !same_puzzle(current_game().current_page(), shown)) {
        contents_.games.push_back(opened_game(shown));
    }
    undone_.clear();
}

void GameJournal::set_earlier_game_reader(EarlierGameReader reader) {
    read_earlier_game_ = std::move(reader);
}

bool GameJournal::hold_earlier_game() {
    if (contents_.earlier_games <= 0 || !read_earlier_game_) {
        return false;
    }
    std::optional<NumberedGame> earlier = read_earlier_game_(contents_.first_game_number);
    if (!earlier || earlier->number >= contents_.first_game_number) {
        return false;
    }
    contents_.games.insert(contents_.games.begin(), std::move(earlier->game));
    contents_.first_game_number = earlier->number;
    --contents_.earlier_games;
    return true;
}

void GameJournal::start_game(const PuzzlePage& start) {
    Game game;
    game.start = start;
    contents_.games.push_back(std::move(game));
    undone_.clear();
}

const Turn& GameJournal::add_turn(const QString& proposal, int revealed, const PuzzlePage& after) {
    Game& game = contents_.games.back();
    Turn turn;
    turn.number = static_cast<int>(game.turns.size()) + 1;
    turn.proposal = proposal;
    turn.player = contents_.next_player;
    turn.revealed = revealed;
    turn.remaining = after.remaining_count;
    turn.found_text = after.found_text;
    turn.letters = after.letters;
    const auto earlier =
        std::find_if(game.turns.begin(), game.turns.end(),
                     [&proposal](const Turn& t) { return t.proposal == proposal; });
    if (earlier != game.turns.end()) {
        turn.repeat_of = earlier->number;
    }
    turn.reference = after.reference;
    game.turns.push_back(std::move(turn));
    undone_.clear();
    return game.turns.back();
}

bool GameJournal::can_undo() const {
    const Game& game = current_game();
    return !game.turns.empty() ||
           (game.initialised_here && (contents_.games.size() > 1 || contents_.earlier_games > 0));
}

bool GameJournal::can_redo() const {
    return !undone_.empty();
}

std::optional<JournalMove> GameJournal::undo(int shown_found_count) {
    if (!can_undo()) {
        return std::nullopt;
    }
    Game& game = contents_.games.back();
    JournalMove move;
    if (!game.turns.empty()) {
        Turn turn = std::move(game.turns.back());
        game.turns.pop_back();
        move.kind = JournalMove::Kind::Turn;
        move.page = game.current_page();
        move.proposal = turn.proposal;
        move.turn_number = turn.number;
        undone_.push_back({std::move(turn), shown_found_count});
        return move;
    }
    if (contents_.games.size() == 1 && !hold_earlier_game()) {
        return std::nullopt;
    }
    Game taken_back = std::move(contents_.games.back());
    contents_.games.pop_back();
    const Game& previous = current_game();
    move.kind = JournalMove::Kind::Game;
    move.page = previous.current_page();
    move.proposal = previous.turns.empty() ? QString() : previous.turns.back().proposal;
    undone_.push_back({std::move(taken_back), shown_found_count});
    return move;
}

std::optional<JournalMove> GameJournal::redo() {
    if (undone_.empty()) {
        return std::nullopt;
    }
    Undone undone = std::move(undone_.back());
    undone_.pop_back();
    JournalMove move;
    if (Turn* turn = std::get_if<Turn>(&undone.step)) {
        Game& game = contents_.games.back();
        move.kind = JournalMove::Kind::Turn;
        move.proposal = turn->proposal;
        move.turn_number = turn->number;
        game.turns.push_back(std::move(*turn));
        move.page = game.current_page();
    } else {
        contents_.games.push_back(std::move(std::get<Game>(undone.step)));
        move.kind = JournalMove::Kind::Game;
        move.page = current_game().start;
    }
    // The found count is not stored: after a restart the page showed another than the
    // turn's, and that is what comes back.
    move.page.found_count = undone.shown_found_count;
    return move;
}

QStringList GameJournal::known_players() const {
    QStringList players;
    const auto know = [&players](const QString& name) {
        if (!name.isEmpty() && !players.contains(name, Qt::CaseInsensitive)) {
            players << name;
        }
    };
    for (const Game& game : contents_.games) {
        for (const Turn& turn : game.turns) {
            know(turn.player);
        }
    }
    know(contents_.next_player);
    return players;
}

QString GameJournal::known_spelling(const QString& typed) const {
    const QString name = player_name(typed);
    for (const Game& game : contents_.games) {
        for (const Turn& turn : game.turns) {
            if (same_player(turn.player, name)) {
                return turn.player;
            }
        }
    }
    return same_player(contents_.next_player, name) ? contents_.next_player : name;
}

void GameJournal::use_first_spellings() {
    QStringList first;
    const auto spelling = [&first](const QString& typed) {
        const QString name = player_name(typed);
        for (const QString& known : first) {
            if (known.compare(name, Qt::CaseInsensitive) == 0) {
                return known;
            }
        }
        if (!name.isEmpty()) {
            first << name;
        }
        return name;
    };
    for (Game& game : contents_.games) {
        for (Turn& turn : game.turns) {
            turn.player = spelling(turn.player);
        }
    }
    contents_.next_player = spelling(contents_.next_player);
}

void GameJournal::set_next_player(const QString& typed) {
    contents_.next_player = known_spelling(typed);
}

bool GameJournal::rename_player(int turn_number, const QString& typed) {
    std::vector<Turn>& turns = contents_.games.back().turns;
    if (turn_number < 1 || turn_number > static_cast<int>(turns.size())) {
        return false;
    }
    Turn& turn = turns[static_cast<std::size_t>(turn_number - 1)];
    const QString name = player_name(typed);
    if (turn.player.isEmpty() || !same_player(turn.player, name)) {
        turn.player = known_spelling(name);
        return true;
    }
    // The same player spelt anew: every turn of that player takes the new spelling.
    const QString old = turn.player;
    for (Game& game : contents_.games) {
        for (Turn& t : game.turns) {
            if (same_player(t.player, old)) {
                t.player = name;
            }
        }
    }
    if (same_player(contents_.next_player, old)) {
        contents_.next_player = name;
    }
    return true;
}

std::vector<Score> GameJournal::scoreboard() const {
    std::vector<Score> scores;
    for (const Turn& turn : current_game().turns) {
        if (turn.player.isEmpty()) {
            continue;
        }
        auto score = std::find_if(scores.begin(), scores.end(), [&turn](const Score& s) {
            return same_player(s.player, turn.player);
        });
        if (score == scores.end()) {
            scores.push_back({turn.player, turn.revealed, turn.number});
        } else if (turn.revealed > 0) {
            score->letters += turn.revealed;
            score->reached_at_turn = turn.number;
        }
    }
    std::stable_sort(scores.begin(), scores.end(), [](const Score& a, const Score& b) {
        if (a.letters != b.letters) {
            return a.letters > b.letters;
        }
        return a.reached_at_turn < b.reached_at_turn;
    });
    return scores;
}

}  // namespace vorlo
