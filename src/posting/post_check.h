#pragma once

#include "posting/forum_rules.h"

#include <QString>
#include <QStringList>

namespace vorlo {

// What to tell the game master before posting `post` on the forum of `profile`, in French,
// one warning a line: a tag that forum lacks or may have turned off, a size out of its
// range or a tag left open, all of which it would show as raw text or let run over the rest;
// Markdown that would turn text into italics; and each of the players' `names` that had to
// be changed to stay text (brackets, direction controls, line breaks). Empty when all is well.
QStringList post_warnings(PostingProfile profile, const QString& post,
                          const QStringList& names = {});

}  // namespace vorlo
