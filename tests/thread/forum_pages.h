#pragma once

#include "thread/forum_post.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <functional>

// Thread pages in each forum's own markup, cut to what makes them its pages.
namespace vorlo::test {

using thread::ForumKind;

// A post as a test writes it: its text lines, then what is not its text.
struct PagePost {
    QString author;
    QStringList lines;    // HTML allowed
    QString quoted = {};  // a quote of another player, before the lines
    QString hidden = {};  // code, spoiler and image, after the lines
    bool signed_and_edited = false;
};

// Each forum's quote and hidden parts (%1 their text); page head, current and other pages (%1
// number, %2 first post), end; post (%1 id, author, number, body, %5 notice), edit notice.
struct Markup {
    const char *quote, *hidden, *head = "", *current = "", *other = "", *tail = "", *post = "",
                                *edited = "";
};
inline const Markup kMarkup[] = {
    {R"(<blockquote><div><cite>Lou a écrit :</cite>%1</div></blockquote>)",
     R"(<div class="codebox"><p>Code : </p><pre><code>%1</code></pre></div><div class="spoiler">)"
     R"(%1</div><img src="/smiley.gif" alt="%1">)",
     R"(<!DOCTYPE html><html><head><meta charset="utf-8"></head><body><div class="pagination"><ul>)",
     R"(<li class="active"><span>%1</span></li>)",
     R"(<li><a href="./viewtopic.php?t=7&amp;start=%2">%1</a></li>)", "</ul></div>",
     R"(<div id="p%1" class="post bg2"><div class="postbody"><p class="author">par <strong><a )"
     R"(class="username-coloured">%2</a></strong> &raquo; <time>lun. %3 déc. 2026</time></p>)"
     R"(<div class="content">%4</div>%5</div></div>)",
     R"(<div class="notice">Dernière modification par %2.</div><div class="signature">Vive le )"
     R"(vorlo</div>)"},
    {R"(<blockquote class="bbCodeBlock bbCodeBlock--quote"><div class="bbCodeBlock-title">Lou )"
     R"(a dit :</div><div class="bbCodeBlock-content">%1</div></blockquote>)",
     R"(<div class="bbCodeBlock bbCodeBlock--code"><div class="bbCodeBlock-title">Code:</div>)"
     R"(<pre class="bbCodeCode"><code>%1</code></pre></div><div class="bbCodeSpoiler">%1</div>)"
     R"(<img class="bbImage" src="/pic.png" alt="%1">)",
     R"(<!DOCTYPE html><html id="XF"><body><ul class="pageNav-main">)",
     R"(<li class="pageNav-page pageNav-page--current"><a>%1</a></li>)",
     R"(<li class="pageNav-page"><a href="/threads/vorlo.7/page-%1">%1</a></li>)", "</ul>",
     R"(<article class="message" data-author="%2" data-content="post-%1"><header><time title=)"
     R"("7 déc. 2026">7 déc.</time><ul class="message-attribution-opposite"><li><a>#%3</a></li>)"
     R"(</ul></header><article class="message-body"><div class="bbWrapper">%4</div></article>)"
     R"(%5</article>)"},
    {R"(<aside class="quote"><div class="title">lou:</div><blockquote><p>%1</p></blockquote>)"
     R"(</aside>)",
     R"(<pre><code>%1</code></pre><div class="spoiler"><p>%1</p></div><div class="lightbox-)"
     R"(wrapper"><img src="/u.png" alt="%1"></div>)"},
};

inline QString body_html(ForumKind kind, const PagePost& post) {
    const Markup& m = kMarkup[int(kind)];
    const bool paragraphs = kind == ForumKind::Discourse;
    return (post.quoted.isEmpty() ? QString() : QString(m.quote).arg(post.quoted)) +
           (paragraphs ? "<p>" + post.lines.join("</p><p>") + "</p>" : post.lines.join("<br>\n")) +
           (post.hidden.isEmpty() ? QString() : QString(m.hidden).arg(post.hidden));
}

// A page of a phpBB 3 (prosilver) or XenForo 2 thread; posts numbered from `first`.
inline QByteArray html_page(ForumKind kind, const QList<PagePost>& posts, int first, int page_count,
                            int per_page) {
    const Markup& m = kMarkup[int(kind)];
    QString html = m.head;
    for (int k = 1; k <= page_count; ++k) {
        html += QString(k == (first - 1) / per_page + 1 ? m.current : m.other)
                    .replace("%2", QString::number((k - 1) * per_page))
                    .arg(k);
    }
    html += m.tail;
    for (int i = 0; i < posts.size(); ++i) {
        const PagePost& post = posts.at(i);
        const QString name = post.author.toHtmlEscaped();
        html += QString(m.post).arg(
            QString::number(first + i + (kind == ForumKind::PhpBB ? 100 : 500)), name,
            QString::number(first + i), body_html(kind, post),
            post.signed_and_edited ? QString(m.edited).replace("%2", name) : QString());
    }
    return (html + "</body></html>").toUtf8();
}
inline const auto phpbb_page = std::bind_front(html_page, ForumKind::PhpBB);
inline const auto xenforo_page = std::bind_front(html_page, ForumKind::XenForo);

// A page of any forum, `posts_count` posts in the thread: HTML, or a Discourse topic's JSON.
inline QByteArray forum_page(ForumKind kind, const QList<PagePost>& posts, int first,
                             int posts_count, int per_page) {
    if (kind != ForumKind::Discourse) {
        return html_page(kind, posts, first, (posts_count + per_page - 1) / per_page, per_page);
    }
    QJsonArray stream;
    for (int i = 0; i < posts.size(); ++i) {
        QJsonObject post{{"id", 900 + first + i},
                         {"username", posts.at(i).author},
                         {"cooked", body_html(kind, posts.at(i))},
                         {"post_number", first + i}};
        if (i % 2 == 0) {
            post.insert("deleted_at", QJsonValue::Null);  // a post not deleted may omit it
        }
        stream.append(post);
    }
    return QJsonDocument(QJsonObject{{"post_stream", QJsonObject{{"posts", stream}}},
                                     {"posts_count", posts_count},
                                     {"chunk_size", per_page}})
        .toJson(QJsonDocument::Compact);
}

}  // namespace vorlo::test
