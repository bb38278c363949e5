#pragma once

#include "engine/game_journal.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

class QSqlDatabase;

// The table "journal" of the page file: the games played, their turns and players, and
// the player of the next proposal, one row each. It comes beside the three tables of the
// page and never changes them. Another version or another tool may have left it in any
// shape; the program reads what it understands and sets the rest aside, never deletes it.
namespace vorlo::journal_table {

QString table_name();  // "journal"
// The table that receives the rows the program could not read, as they were.
QString unread_rows_table_name();  // "journal_illisible"

// Kinds of rows, in the column "genre".
QString game_kind();    // "partie"
QString turn_kind();    // "tour"
QString player_kind();  // "joueur"

// The columns by what they hold, in the order they are written.
enum Col : int {
    Kind,         // "genre": partie, tour or joueur
    GameNumber,   // "partie": number of the game, from 1
    TurnNumber,   // "tour": number of the turn, from 1; 0 for a game
    Player,       // "joueur": the player of a turn, or of the next proposal
    Proposal,     // "proposition": the proposal of a turn
    Reference,    // "base": the reference of a game, or the one a turn was played against
                  // (Null in rows of older files: the game's)
    FoundText,    // "result": the found text after the start or the turn
    Letters,      // "lettres": the remaining letters after it
    Revealed,     // "lettres_trouvées": letters revealed by the turn; found count shown
    Remaining,    // "nb_lettres": letters still to place after it
    RepeatOf,     // "reprise_du_tour": an earlier turn with the same proposal, or 0
    Initialised,  // "initialisée": the game began with "Initialiser"
    ColumnCount
};
QString name_of(Col column);
bool is_text(Col column);
QStringList column_names();

// A game or turn number column as the program understands it, whether the file stores it
// as a number or as text: a whole number from 0 to kMaxNumber, Null otherwise. The
// journal's index is built on these, so that the games sort as numbers and each is found
// without reading the others.
inline constexpr int kMaxNumber = 1000000;
QString number_of(const QString& column);

// Whether the file has a table or a view of that name; when the engine fails the read,
// false and `failure` gets the reason.
bool exists(const QSqlDatabase& db, QString* failure = nullptr);
// The columns the journal has, as named in the file; empty when it has none.
QStringList present_columns(const QSqlDatabase& db);

// Makes the journal one the program can write: adds it when missing, adds the columns it
// lacks and the index on the games' order. A journal that cannot be written so (a view, a
// column that refuses Null) is renamed aside, `aside_name` gets its new name, and a new
// one is begun. The caller holds the transaction, or the file is being opened.
std::optional<QString> make_writable(QSqlDatabase& db, const QDateTime& now, QString* aside_name);

// Moves the rows with the given row ids, and those no read would take (a kind that is
// none of the three, a game number that is no number), into the table of unread rows.
std::optional<QString> set_rows_aside(QSqlDatabase& db, const std::vector<qint64>& row_ids);

// Replaces the rows of the table by the journal; the rows of its earlier games, which it
// does not hold, stay as they are, and so do the values of columns the program does not
// know. The caller holds the transaction.
std::optional<QString> write(QSqlDatabase& db, const JournalContents& journal);

// How many rows of the table no read would take (see set_rows_aside).
int rows_outside_the_games(const QSqlDatabase& db);

}  // namespace vorlo::journal_table
