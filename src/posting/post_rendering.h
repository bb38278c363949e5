#pragma once

#include "posting/forum_rules.h"

#include <QString>

namespace vorlo {

// `post` as the forum of `profile` shows it, as HTML for a QTextBrowser: that forum's
// BBCode (its tags, sizes and code blocks; a tag it lacks shows as text), Markdown as a
// CommonMark reader renders it (raw HTML left out), or plain text as it stands.
QString post_html(PostingProfile profile, const QString& post);

// Markdown rendered as HTML by the CommonMark reference library.
QString markdown_html(const QString& markdown);

}  // namespace vorlo
