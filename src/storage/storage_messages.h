#pragma once

#include <QString>

// Texts of the storage's own message boxes (lines joined by one carriage return).
namespace vorlo::storage_messages {

QString cannot_open(const QString& path, const QString& reason);
QString missing_table(const QString& path, const QString& table);
QString save_failed(const QString& reason);
QString appearance_not_stored(const QString& reason);
QString folder_not_writable(const QString& folder);
// The file is opened by another copy of the program, which would overwrite this page.
QString already_open(const QString& path);
// The file cannot be read as a database: what to do, and the offer to set it aside under
// `set_aside_name` and start on a new page.
QString unreadable_file_question(const QString& path, const QString& reason,
                                 const QString& set_aside_name);
QString set_aside_failed(const QString& path, const QString& set_aside_name);
// The page file can be read but not written: said at start, before any save fails.
QString read_only_page(const QString& path);
// Rows of the journal that could not be read: not shown, kept in the file apart.
QString journal_rows_not_read(int count, const QString& kept_in_table);
// A journal this program cannot write, kept under another name; a new one begins.
QString journal_set_aside(const QString& set_aside_name);
// Undo needs a game that the file holds but cannot give.
QString earlier_game_not_read(const QString& reason);

// Reasons the storage gives itself, to go into the texts above.
QString file_missing();
QString read_only_file();
QString disk_full();
QString not_a_database();
QString in_use_elsewhere();
QString damaged_file();
QString file_cannot_be_opened();
QString access_refused();
QString input_output_error();
QString unexpected_form();
QString values_refused();
QString engine_error(const QString& code);
QString not_open();
QString bad_count(const QString& count);
// A stored found text longer than any reference Vorlo initialises: no count of it holds.
QString found_text_too_long(qsizetype length);
QString unknown_field(const QString& field);
QString bad_field_value(const QString& field);

}  // namespace vorlo::storage_messages
