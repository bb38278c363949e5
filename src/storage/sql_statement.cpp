#include "storage/sql_statement.h"

#include "storage/engine_reason.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace vorlo::sql {

std::optional<QString> run(QSqlQuery& query, const QString& statement, const QVariantList& values) {
    if (!query.prepare(statement)) {
        return engine_reason(query.lastError());
    }
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (!query.exec()) {
        return engine_reason(query.lastError());
    }
    return std::nullopt;
}

std::optional<QString> run(const QSqlDatabase& db, const QString& statement,
                           const QVariantList& values) {
    QSqlQuery query(db);
    return run(query, statement, values);
}

TableLookup find_table(const QSqlDatabase& db, const QString& table) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (std::optional<QString> failure = run(
            query,
            QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? "
                           "COLLATE NOCASE"),
            {table})) {
        return {false, failure};
    }
    if (!query.next()) {
        return {false, engine_reason(query.lastError())};
    }
    return {query.value(0).toLongLong() > 0, std::nullopt};
}

}  // namespace vorlo::sql
