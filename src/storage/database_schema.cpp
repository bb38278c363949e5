#include "storage/database_schema.h"

#include "storage/appearance_settings.h"

#include <array>
#include <utility>
#include <vector>

namespace vorlo::schema {

namespace {

struct AppearancePrefix {
    const char* prefix;
    AppearanceKind kind;
    const char* declared_type;
};

constexpr std::array<AppearancePrefix, 6> kAppearancePrefixes = {{
    {"fond", AppearanceKind::Colour, "INTEGER"},
    {"police", AppearanceKind::Colour, "INTEGER"},
    {"font_name", AppearanceKind::FontName, "TEXT"},
    {"font_size", AppearanceKind::FontSize, "INTEGER"},
    {"font_bold", AppearanceKind::Flag, "BOOLEAN"},
    {"font_italic", AppearanceKind::Flag, "BOOLEAN"},
}};

constexpr std::array<TextArea, 4> kColumnOrder = {TextArea::Ref, TextArea::Soluce,
                                                  TextArea::Lettres, TextArea::Propal};

// Colours first for all four areas, then the font of each area in turn.
std::vector<std::pair<QString, const AppearancePrefix*>> appearance_columns() {
    std::vector<std::pair<QString, const AppearancePrefix*>> columns;
    for (std::size_t p = 0; p < 2; ++p) {
        for (TextArea area : kColumnOrder) {
            columns.emplace_back(field_name(kAppearancePrefixes[p].prefix, area),
                                 &kAppearancePrefixes[p]);
        }
    }
    for (TextArea area : kColumnOrder) {
        for (std::size_t p = 2; p < kAppearancePrefixes.size(); ++p) {
            columns.emplace_back(field_name(kAppearancePrefixes[p].prefix, area),
                                 &kAppearancePrefixes[p]);
        }
    }
    return columns;
}

QString create_table(const QString& table, const QStringList& columns) {
    return QStringLiteral("CREATE TABLE ") + quoted(table) + QStringLiteral(" (") +
           columns.join(QStringLiteral(", ")) + QLatin1Char(')');
}

}  // namespace

QString page_table() {
    return QStringLiteral("données");
}
QString counter_table() {
    return QStringLiteral("compteurs");
}
QString appearance_table() {
    return QStringLiteral("couleurs");
}

QStringList table_names() {
    return {page_table(), counter_table(), appearance_table()};
}

QStringList page_fields() {
    return {QStringLiteral("base"), QStringLiteral("result"), QStringLiteral("propal"),
            QStringLiteral("lettres")};
}

QString count_field() {
    return QStringLiteral("nb_lettres");
}

QStringList appearance_fields() {
    QStringList names;
    for (const auto& column : appearance_columns()) {
        names << column.first;
    }
    return names;
}

std::optional<AppearanceKind> appearance_kind(const QString& field) {
    for (const auto& column : appearance_columns()) {
        if (column.first == field) {
            return column.second->kind;
        }
    }
    return std::nullopt;
}

QStringList creation_statements() {
    QStringList page_columns;
    for (const QString& field : page_fields()) {
        page_columns << quoted(field) + QStringLiteral(" TEXT");
    }
    QStringList appearance_columns_sql;
    for (const auto& column : appearance_columns()) {
        appearance_columns_sql << quoted(column.first) + QLatin1Char(' ') +
                                      QLatin1String(column.second->declared_type);
    }
    QStringList statements = {
        create_table(page_table(), page_columns),
        create_table(counter_table(), {quoted(count_field()) + QStringLiteral(" INTEGER")}),
        create_table(appearance_table(), appearance_columns_sql),
    };
    for (const QString& table : table_names()) {
        statements << QStringLiteral("INSERT INTO ") + quoted(table) +
                          QStringLiteral(" DEFAULT VALUES");
    }
    return statements;
}

QString quoted(const QString& identifier) {
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

}  // namespace vorlo::schema
