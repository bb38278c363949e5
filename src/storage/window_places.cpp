#include "storage/window_places.h"

#include "storage/sql_statement.h"

#include <QSqlQuery>
#include <QVariant>

namespace vorlo::window_places {

namespace {

const QString kName = QStringLiteral("nom");
const QString kLeft = QStringLiteral("gauche");
const QString kTop = QStringLiteral("haut");
const QString kWidth = QStringLiteral("largeur");
const QString kHeight = QStringLiteral("hauteur");

QString quoted(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

// A whole number as the file holds it, stored as a number or as its text.
std::optional<int> whole_number(const QVariant& value) {
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    if (!ok || number < -100000 || number > 100000) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

}  // namespace

QString table_name() {
    return QStringLiteral("fenêtres");
}

std::optional<QRect> read(const QSqlDatabase& db, const QString& window) {
    const sql::TableLookup lookup = sql::find_table(db, table_name());
    if (!lookup.exists) {
        return std::nullopt;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const QString statement = QStringLiteral("SELECT %1, %2, %3, %4 FROM %5 WHERE %6 = ?")
                                  .arg(quoted(kLeft), quoted(kTop), quoted(kWidth), quoted(kHeight),
                                       quoted(table_name()), quoted(kName));
    if (sql::run(query, statement, {window}) || !query.next()) {
        return std::nullopt;
    }
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::optional<int> value = whole_number(query.value(i));
        if (!value) {
            return std::nullopt;
        }
        values[i] = *value;
    }
    if (values[2] <= 0 || values[3] <= 0) {
        return std::nullopt;
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

std::optional<QString> store(const QSqlDatabase& db, const QString& window, const QRect& place) {
    const QString create = QStringLiteral(
                               "CREATE TABLE IF NOT EXISTS %1 (%2 TEXT PRIMARY KEY, %3 INTEGER, "
                               "%4 INTEGER, %5 INTEGER, %6 INTEGER)")
                               .arg(quoted(table_name()), quoted(kName), quoted(kLeft),
                                    quoted(kTop), quoted(kWidth), quoted(kHeight));
    if (std::optional<QString> failure = sql::run(db, create)) {
        return failure;
    }
    const QString replace =
        QStringLiteral("INSERT OR REPLACE INTO %1 (%2, %3, %4, %5, %6) VALUES (?, ?, ?, ?, ?)")
            .arg(quoted(table_name()), quoted(kName), quoted(kLeft), quoted(kTop), quoted(kWidth),
                 quoted(kHeight));
    return sql::run(db, replace,
                    {window, place.left(), place.top(), place.width(), place.height()});
}

}  // namespace vorlo::window_places
