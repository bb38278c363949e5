#include "storage/thread_table.h"

#include "storage/database_schema.h"
#include "storage/engine_reason.h"
#include "storage/field_values.h"
#include "storage/sql_statement.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace vorlo::thread_table {

namespace {

using schema::quoted;

// The columns, in the order they are written and read.
const QStringList& columns() {
    static const QStringList all = {
        QStringLiteral("adresse"),             // the thread's address
        QStringLiteral("forum"),               // phpbb, xenforo or discourse
        QStringLiteral("meneur"),              // the master's name on the forum
        QStringLiteral("dernier_message"),     // the last post read, its place in the thread
        QStringLiteral("id_dernier_message"),  // and its forum identifier
    };
    return all;
}

QStringList quoted_columns() {
    QStringList named;
    for (const QString& column : columns()) {
        named << quoted(column);
    }
    return named;
}

QString text_of(const QVariant& value) {
    return field_values::text_of(value).value_or(QString());
}

}  // namespace

QString table_name() {
    return QStringLiteral("fil");
}

bool exists(const QSqlDatabase& db) {
    return sql::find_table(db, table_name()).exists;
}

std::optional<QString> add_if_missing(QSqlDatabase& db) {
    if (exists(db)) {
        return std::nullopt;
    }
    return sql::run(
        db, QStringLiteral("CREATE TABLE ") + quoted(table_name()) +
                QStringLiteral(" (%1 TEXT, %2 TEXT, %3 TEXT, %4 INTEGER, %5 TEXT)")
                    .arg(quoted(columns().at(0)), quoted(columns().at(1)), quoted(columns().at(2)),
                         quoted(columns().at(3)), quoted(columns().at(4))));
}

ThreadRecord read(const QSqlDatabase& db, QString* failure) {
    ThreadRecord record;
    if (!exists(db)) {
        return record;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT ") + quoted_columns().join(QStringLiteral(", ")) +
                    QStringLiteral(" FROM ") + quoted(table_name()) +
                    QStringLiteral(" ORDER BY rowid DESC LIMIT 1"))) {
        if (failure) {
            *failure = engine_reason(query.lastError());
        }
        return record;
    }
    if (!query.next()) {
        return record;
    }
    record.address = text_of(query.value(0));
    record.forum_kind = text_of(query.value(1));
    record.master_name = text_of(query.value(2));
    bool whole = false;
    const qlonglong last = query.value(3).toLongLong(&whole);
    record.last_post_number = whole && last > 0 && last <= 1000000000 ? static_cast<int>(last) : 0;
    record.last_post_id = text_of(query.value(4));
    return record;
}

std::optional<QString> write(QSqlDatabase& db, const ThreadRecord& record) {
    if (std::optional<QString> failure =
            sql::run(db, QStringLiteral("DELETE FROM ") + quoted(table_name()))) {
        return failure;
    }
    const auto text = field_values::stored_text;
    return sql::run(db,
                    QStringLiteral("INSERT INTO ") + quoted(table_name()) + QStringLiteral(" (") +
                        quoted_columns().join(QStringLiteral(", ")) +
                        QStringLiteral(") VALUES (?, ?, ?, ?, ?)"),
                    {text(record.address), text(record.forum_kind), text(record.master_name),
                     std::max(0, record.last_post_number), text(record.last_post_id)});
}

}  // namespace vorlo::thread_table
