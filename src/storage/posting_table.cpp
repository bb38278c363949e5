#include "storage/posting_table.h"

#include "storage/database_schema.h"
#include "storage/engine_reason.h"
#include "storage/field_values.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace vorlo::posting_table {

namespace {

using schema::quoted;

const QString kProfile = QStringLiteral("profil");             // TEXT: the profile's key
const QString kDetailed = QStringLiteral("message_détaillé");  // BOOLEAN: the richer post

std::optional<QString> run(QSqlDatabase& db, const QString& sql, const QVariantList& values = {}) {
    QSqlQuery query(db);
    if (!query.prepare(sql)) {
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

}  // namespace

QString table_name() {
    return QStringLiteral("publication");
}

bool exists(const QSqlDatabase& db) {
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(table_name());
    return query.exec() && query.next() && query.value(0).toLongLong() > 0;
}

std::optional<QString> add_if_missing(QSqlDatabase& db) {
    if (exists(db)) {
        return std::nullopt;
    }
    return run(db, QStringLiteral("CREATE TABLE ") + quoted(table_name()) + QStringLiteral(" (") +
                       quoted(kProfile) + QStringLiteral(" TEXT, ") + quoted(kDetailed) +
                       QStringLiteral(" BOOLEAN)"));
}

std::optional<QString> write(QSqlDatabase& db, const PostingChoice& choice) {
    if (std::optional<QString> failure =
            run(db, QStringLiteral("DELETE FROM ") + quoted(table_name()))) {
        return failure;
    }
    return run(db,
               QStringLiteral("INSERT INTO ") + quoted(table_name()) + QStringLiteral(" (") +
                   quoted(kProfile) + QStringLiteral(", ") + quoted(kDetailed) +
                   QStringLiteral(") VALUES (?, ?)"),
               {field_values::stored_text(choice.profile), choice.detailed_turn_post ? 1 : 0});
}

PostingChoice read(const QSqlDatabase& db, QString* failure) {
    PostingChoice choice;
    if (!exists(db)) {
        return choice;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Columns named with their table: a name that the table lacks is then an error, never
    // taken for a text.
    const QString table = quoted(table_name());
    if (!query.exec(QStringLiteral("SELECT ") + table + QLatin1Char('.') + quoted(kProfile) +
                    QStringLiteral(", ") + table + QLatin1Char('.') + quoted(kDetailed) +
                    QStringLiteral(" FROM ") + table +
                    QStringLiteral(" ORDER BY rowid DESC LIMIT 1"))) {
        if (failure) {
            *failure = engine_reason(query.lastError());
        }
        return choice;
    }
    if (query.next()) {
        const std::optional<QString> profile = field_values::text_of(query.value(0));
        if (profile && !profile->isEmpty()) {
            choice.profile = *profile;
        }
        choice.detailed_turn_post = field_values::flag_of(query.value(1)).value_or(false);
    }
    return choice;
}

}  // namespace vorlo::posting_table
