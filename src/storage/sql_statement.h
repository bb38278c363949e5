#pragma once

#include <QString>
#include <QVariantList>

#include <optional>

class QSqlDatabase;
class QSqlQuery;

// The two steps every table of the file goes through: run a statement, look a table up.
namespace vorlo::sql {

// Prepares `statement` on `query`, binds `values` in order and runs it; the reason, in
// French, when the engine refuses. The query then holds the rows, if any.
std::optional<QString> run(QSqlQuery& query, const QString& statement,
                           const QVariantList& values = {});
// The same on a query of its own, for a statement whose rows are not read.
std::optional<QString> run(const QSqlDatabase& db, const QString& statement,
                           const QVariantList& values = {});

// Whether the file has the table, its name matched as the engine resolves names (ignoring
// the case of ASCII letters only); `failure` is set when the engine fails the look-up.
struct TableLookup {
    bool exists = false;
    std::optional<QString> failure;
};
TableLookup find_table(const QSqlDatabase& db, const QString& table);

}  // namespace vorlo::sql
