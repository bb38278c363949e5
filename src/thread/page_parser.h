#pragma once

#include "thread/forum_post.h"

#include <QByteArray>
#include <QUrl>

#include <optional>

namespace vorlo::thread {

// What one page of a thread gave.
struct PageOutcome {
    std::optional<ThreadPage> page;  // the posts, when the page is a thread that is read
    QString failure;                 // otherwise why not, in French
    // A Discourse topic's HTML page: the address of its JSON, to read instead.
    QUrl json_address;
};

// Reads a page of a thread, HTML or Discourse JSON, recognising the forum from the page.
// `address` is where the page came from (empty for a pasted page); its query tells phpBB's
// and Discourse's page.
PageOutcome parse_page(const QByteArray& bytes, const QUrl& address = {});

// The posts of a page copied from a browser: its HTML when there is some and it is a
// thread, else its plain text (see posts_from_text).
std::vector<ForumPost> posts_from_paste(const QString& html, const QString& text);

// Plain text copied from a thread: a line "par NAME » TIME" (or "by NAME » TIME") begins a
// post by NAME; without such lines, each paragraph (lines between blank lines) is a post of
// unknown author. Lines that begin with ">" are quotes and left out.
std::vector<ForumPost> posts_from_text(const QString& text);

}  // namespace vorlo::thread
