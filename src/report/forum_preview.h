#pragma once

#include <QString>

namespace vorlo {

// The BBCode of a forum post as rich text (HTML), as a forum shows it: [b], [color=#RRGGBB],
// [font=NAME] and [size=1..7] become their look, each line end a line break, and every
// other text, unknown or unmatched tags included, shows as it stands.
QString forum_html(const QString& bbcode);

}  // namespace vorlo
