#pragma once

#include <QString>

// Texts of the storage's own message boxes (lines joined by one carriage return).
namespace vorlo::storage_messages {

QString cannot_open(const QString& path, const QString& reason);
QString missing_table(const QString& path, const QString& table);
QString save_failed(const QString& reason);
QString appearance_not_stored(const QString& reason);
QString folder_not_writable(const QString& folder);

// Reasons the storage gives itself, to go into the texts above.
QString file_missing();
QString not_open();
QString bad_count(const QString& caption);
QString unknown_field(const QString& field);
QString bad_field_value(const QString& field);

}  // namespace vorlo::storage_messages
