#pragma once

#include <QRect>
#include <QString>

#include <optional>

class QSqlDatabase;

// Where the program's side windows stood when last closed: one row per window, in the table
// "fenêtres" of the page file, added the first time a place is stored. The rectangle is the
// window's frame top-left and its inner size, in pixels.
namespace vorlo::window_places {

QString table_name();  // "fenêtres"

// The place stored for `window`; nothing when the file has none, or none that makes sense
// (an empty size, a value that is no number).
std::optional<QRect> read(const QSqlDatabase& db, const QString& window);

// Stores the place of `window`, replacing the one before; the table is made when the file
// has none. The reason, in French, when the engine refuses.
std::optional<QString> store(const QSqlDatabase& db, const QString& window, const QRect& place);

}  // namespace vorlo::window_places
