#pragma once

#include <QString>

namespace vorlo {

// The BBCode post for the forum thread, from what the window shows: the found text, the
// found count, the remaining count and the remaining letters. Each line ends with one
// carriage return. A remaining count of zero gives the winning message.
QString build_forum_message(const QString& found_text, const QString& found_count,
                            const QString& remaining_count, const QString& remaining_letters);

}  // namespace vorlo
