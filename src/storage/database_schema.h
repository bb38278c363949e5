#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Tables and fields of the database file, and the statements that make an empty one.
namespace vorlo::schema {

QString page_table();        // "données"
QString counter_table();     // "compteurs"
QString appearance_table();  // "couleurs"
QStringList table_names();   // in the order they are opened

QStringList page_fields();  // base, result, propal, lettres, in the order they are written
QString count_field();      // nb_lettres

enum class AppearanceKind { Colour, FontName, FontSize, Flag };
QStringList appearance_fields();  // the 24 fields of "couleurs"
std::optional<AppearanceKind> appearance_kind(const QString& field);

// CREATE TABLE statements, one per table, then one INSERT of an all-Null record per table.
QStringList creation_statements();

// An identifier in double quotes, ready to go into SQL.
QString quoted(const QString& identifier);

}  // namespace vorlo::schema
