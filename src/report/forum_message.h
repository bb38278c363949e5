#pragma once

#include <QString>

namespace vorlo {

// Each line of a forum post ends with one carriage return.
inline constexpr QChar kPostLineEnd = QChar(13);

// A line of the puzzle's text as the posts show it, in Courier New at size 5.
QString puzzle_text_line(const QString& text);

// A player's name as one line of text: the controls that turn text around are dropped and
// each line break becomes one blank.
QString name_as_text(const QString& name);
// A player's name as text in a BBCode post: besides, its brackets become look-alikes
// (⟦ ⟧) that open no tag.
QString bbcode_name(const QString& name);

// The BBCode post for the forum thread, from the page: the found text, the found count,
// the remaining count and the remaining letters. Each line ends with one carriage return.
// A remaining count of zero gives the winning message.
QString build_forum_message(const QString& found_text, int found_count, int remaining_count,
                            const QString& remaining_letters);

}  // namespace vorlo
