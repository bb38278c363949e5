#include "storage/database_schema.h"

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

QString field_name(const char* prefix, TextArea area) {
    return QString::fromLatin1(prefix) + QLatin1Char('_') + area_suffix(area);
}

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

LookFields::LookFields(TextArea area)
    : background(field_name("fond", area)),
      text_colour(field_name("police", area)),
      font_name(field_name("font_name", area)),
      font_size(field_name("font_size", area)),
      bold(field_name("font_bold", area)),
      italic(field_name("font_italic", area)) {}

QString count_field() {
    return QStringLiteral("nb_lettres");
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
    const PageFields fields;
    for (const QString& field : {fields.base, fields.result, fields.propal, fields.lettres}) {
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
