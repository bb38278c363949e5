#include "storage/one_row_table.h"

#include "storage/database_schema.h"
#include "storage/engine_reason.h"
#include "storage/sql_statement.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace vorlo::one_row_table {

namespace {

using schema::quoted;

QStringList column_names(const Shape& table, const QString& prefix = {}) {
    QStringList names;
    for (const auto& [name, type] : table.columns) {
        names << prefix + quoted(name);
    }
    return names;
}

}  // namespace

std::optional<QString> add_if_missing(QSqlDatabase& db, const Shape& table) {
    if (sql::find_table(db, table.name).exists) {
        return std::nullopt;
    }
    QStringList columns;
    for (const auto& [name, type] : table.columns) {
        columns << quoted(name) + QLatin1Char(' ') + type;
    }
    return sql::run(db, QStringLiteral("CREATE TABLE ") + quoted(table.name) +
                            QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
                            QLatin1Char(')'));
}

std::optional<QString> replace_row(QSqlDatabase& db, const Shape& table,
                                   const QVariantList& values) {
    if (std::optional<QString> failure =
            sql::run(db, QStringLiteral("DELETE FROM ") + quoted(table.name))) {
        return failure;
    }
    QStringList marks;
    marks.fill(QStringLiteral("?"), table.columns.size());
    return sql::run(db,
                    QStringLiteral("INSERT INTO ") + quoted(table.name) + QStringLiteral(" (") +
                        column_names(table).join(QStringLiteral(", ")) +
                        QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) +
                        QLatin1Char(')'),
                    values);
}

std::optional<QVariantList> last_row(const QSqlDatabase& db, const Shape& table, QString* failure) {
    if (!sql::find_table(db, table.name).exists) {
        return std::nullopt;
    }
    const QString name = quoted(table.name);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT ") +
                    column_names(table, name + QLatin1Char('.')).join(QStringLiteral(", ")) +
                    QStringLiteral(" FROM ") + name +
                    QStringLiteral(" ORDER BY rowid DESC LIMIT 1"))) {
        if (failure) {
            *failure = engine_reason(query.lastError());
        }
        return std::nullopt;
    }
    if (!query.next()) {
        return std::nullopt;
    }
    QVariantList values;
    for (int i = 0; i < table.columns.size(); ++i) {
        values << query.value(i);
    }
    return values;
}

}  // namespace vorlo::one_row_table
