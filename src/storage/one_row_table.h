#pragma once

#include <QList>
#include <QString>
#include <QVariantList>

#include <optional>
#include <utility>

class QSqlDatabase;

// A table of the page file that holds one row of settings beside the page's tables (the
// forum chosen, the thread read): made when missing, its row replaced whole, its last row read.
namespace vorlo::one_row_table {

struct Shape {
    QString name;
    QList<std::pair<QString, QString>> columns;  // name and declared type, in their order
};

// Adds the empty table to a file that lacks it; nothing else in the file changes. The reason
// is returned when the engine refuses.
std::optional<QString> add_if_missing(QSqlDatabase& db, const Shape& table);

// Replaces the row by `values`, one a column in order. The caller holds the transaction.
std::optional<QString> replace_row(QSqlDatabase& db, const Shape& table,
                                   const QVariantList& values);

// The values of the row written last, one a column in order; nothing for a file without the
// table or its row. The columns are named with their table, so that a column the table lacks
// fails the read (`failure` gets the reason) instead of being read as its own name.
std::optional<QVariantList> last_row(const QSqlDatabase& db, const Shape& table, QString* failure);

}  // namespace vorlo::one_row_table
