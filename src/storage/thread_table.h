#pragma once

#include <QString>

#include <optional>

class QSqlDatabase;

// The table "fil" of the page file: the forum thread the game is played in, one row. It
// comes beside the other tables and never changes them.
namespace vorlo::thread_table {

// The thread kept with the game.
struct ThreadRecord {
    QString address;
    QString forum_kind;  // "phpbb", "xenforo", "discourse", or empty before the first read
    QString master_name;
    int last_post_number = 0;  // the last post read, 0 for none
    QString last_post_id;      // its forum identifier

    bool operator==(const ThreadRecord&) const = default;
};

// Adds the empty table to a file that lacks it; nothing else in the file changes. The
// engine's reason is returned when it refuses.
std::optional<QString> add_if_missing(QSqlDatabase& db);
// The thread the table holds; an empty record when the file has no table or no row, and
// values that cannot be read are left empty. When the engine fails the read, `failure`
// gets its reason.
ThreadRecord read(const QSqlDatabase& db, QString* failure = nullptr);
// Replaces the row by the record. The caller holds the transaction.
std::optional<QString> write(QSqlDatabase& db, const ThreadRecord& record);

}  // namespace vorlo::thread_table
