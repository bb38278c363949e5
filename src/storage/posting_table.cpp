#include "storage/posting_table.h"

#include "storage/database_schema.h"
#include "storage/engine_reason.h"
#include "storage/field_values.h"
#include "storage/sql_statement.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace vorlo::posting_table {

namespace {

using schema::quoted;

const QString kProfile = QStringLiteral("profil");             // TEXT: the profile's key
const QString kDetailed = QStringLiteral("message_détaillé");  // BOOLEAN: the richer post

}  // namespace

QString table_name() {
    return QStringLiteral("publication");
}

bool exists(const QSqlDatabase& db) {
    return sql::find_table(db, table_name()).exists;
}

std::optional<QString> add_if_missing(QSqlDatabase& db) {
    if (exists(db)) {
        return std::nullopt;
    }
    return sql::run(db, QStringLiteral("CREATE TABLE ") + quoted(table_name()) +
                            QStringLiteral(" (") + quoted(kProfile) + QStringLiteral(" TEXT, ") +
                            quoted(kDetailed) + QStringLiteral(" BOOLEAN)"));
}

std::optional<QString> write(QSqlDatabase& db, const PostingChoice& choice) {
    if (std::optional<QString> failure =
            sql::run(db, QStringLiteral("DELETE FROM ") + quoted(table_name()))) {
        return failure;
    }
    return sql::run(db,
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
