#pragma once

#include <QString>

#include <optional>

class QSqlDatabase;

namespace vorlo {

// The forum the posts are written for and whether a turn's post tells the turn, as the page
// file keeps them.
struct PostingChoice {
    QString profile = QStringLiteral("classique");  // the key of a posting profile
    bool detailed_turn_post = false;

    bool operator==(const PostingChoice&) const = default;
};

}  // namespace vorlo

// The table "publication" of the page file: one row with the posting choice. It comes beside
// the page's tables and never changes them.
namespace vorlo::posting_table {

// Adds the empty table to a file that lacks it; nothing else in the file changes. The reason
// is returned when the engine refuses.
std::optional<QString> add_if_missing(QSqlDatabase& db);

// Replaces the row by `choice`. The caller holds the transaction.
std::optional<QString> write(QSqlDatabase& db, const PostingChoice& choice);
// The stored choice; the default one for a file without the table or its row, and for a
// value that cannot be read (an empty or non-text profile, a flag other than 0 or 1). When
// the engine fails the read, the default choice is returned and `failure` gets the reason.
PostingChoice read(const QSqlDatabase& db, QString* failure = nullptr);

}  // namespace vorlo::posting_table
