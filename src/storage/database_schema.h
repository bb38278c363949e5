#pragma once

#include "storage/appearance_settings.h"

#include <QString>
#include <QStringList>

#include <optional>

// Tables and fields of the database file, and the statements that make an empty one.
namespace vorlo::schema {

QString page_table();        // "données"
QString counter_table();     // "compteurs"
QString appearance_table();  // "couleurs"
QStringList table_names();   // in the order they are opened

// The fields of "données", in the order they are written.
struct PageFields {
    QString base = QStringLiteral("base");        // reference
    QString result = QStringLiteral("result");    // found text
    QString propal = QStringLiteral("propal");    // last proposal
    QString lettres = QStringLiteral("lettres");  // remaining letters
};
QString count_field();  // nb_lettres, the one field of "compteurs"

// The six fields of "couleurs" that keep the look of one area, e.g. "fond_ref".
struct LookFields {
    explicit LookFields(TextArea area);
    QString background;   // fond_X
    QString text_colour;  // police_X
    QString font_name;    // font_name_X
    QString font_size;    // font_size_X
    QString bold;         // font_bold_X
    QString italic;       // font_italic_X
};

enum class AppearanceKind { Colour, FontName, FontSize, Flag };
std::optional<AppearanceKind> appearance_kind(const QString& field);

// CREATE TABLE statements, one per table, then one INSERT of an all-Null record per table.
QStringList creation_statements();

// An identifier in double quotes, ready to go into SQL.
QString quoted(const QString& identifier);

}  // namespace vorlo::schema
