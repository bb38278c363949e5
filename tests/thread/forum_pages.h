#pragma once

#include "thread/forum_post.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// Thread pages built after each forum's own markup, for the readers' tests and benchmark.
namespace vorlo::test {

using thread::ForumKind;

// A post as a test writes it: its text lines, then what is not its text.
struct PagePost {
    QString author;
    QStringList lines;  // HTML allowed
    QString quoted;     // a quote of another player, before the lines
    QString hidden;     // code, spoiler and image, after the lines
    bool signed_and_edited = false;
};

inline QString quote_html(ForumKind kind, const QString& text) {
    switch (kind) {
        case ForumKind::PhpBB:
            return "<blockquote><div><cite>Lou a écrit :</cite>" + text + "</div></blockquote>";
        case ForumKind::XenForo:
            return "<blockquote class=\"bbCodeBlock bbCodeBlock--expandable bbCodeBlock--quote\">"
                   "<div class=\"bbCodeBlock-title\">Lou a dit :</div><div "
                   "class=\"bbCodeBlock-content\">"
                   "<div class=\"bbCodeBlock-expandContent\">" +
                   text + "</div></div></blockquote>";
        case ForumKind::Discourse:
            return "<aside class=\"quote no-group\" data-username=\"lou\"><div "
                   "class=\"title\">lou:</div>"
                   "<blockquote><p>" +
                   text + "</p></blockquote></aside>";
    }
    return {};
}

// Code, a spoiler and an image, each holding a line that would fit.
inline QString hidden_html(ForumKind kind, const QString& text) {
    switch (kind) {
        case ForumKind::PhpBB:
            return "<div class=\"codebox\"><p>Code : </p><pre><code>" + text +
                   "</code></pre></div><div class=\"spoiler\"><div class=\"spoiler-content\">" +
                   text + "</div></div><img src=\"/smiley.gif\" alt=\"" + text + "\">";
        case ForumKind::XenForo:
            return "<div class=\"bbCodeBlock bbCodeBlock--code\"><div "
                   "class=\"bbCodeBlock-content\">"
                   "<pre class=\"bbCodeCode\"><code>" +
                   text + "</code></pre></div></div><div class=\"bbCodeSpoiler\"><div>" + text +
                   "</div></div><img class=\"bbImage\" src=\"/pic.png\" alt=\"" + text + "\">";
        case ForumKind::Discourse:
            return "<pre><code>" + text + "</code></pre><div class=\"spoiler\"><p>" + text +
                   "</p></div><div class=\"lightbox-wrapper\"><img src=\"/u.png\" alt=\"" + text +
                   "\"></div>";
    }
    return {};
}

inline QString body_html(ForumKind kind, const PagePost& post) {
    QString body;
    if (!post.quoted.isEmpty()) {
        body += quote_html(kind, post.quoted);
    }
    const QString glue = kind == ForumKind::Discourse ? "</p><p>" : "<br>\n";
    body += (kind == ForumKind::Discourse ? "<p>" : "") + post.lines.join(glue) +
            (kind == ForumKind::Discourse ? "</p>" : "");
    if (!post.hidden.isEmpty()) {
        body += hidden_html(kind, post.hidden);
    }
    return body;
}

// A phpBB 3 prosilver viewtopic page; posts numbered from `first`, `per_page` to a page.
inline QByteArray phpbb_page(const QList<PagePost>& posts, int first, int page_count,
                             int per_page) {
    const int page = (first - 1) / per_page + 1;
    QString pages;
    for (int k = 1; k <= page_count; ++k) {
        pages += k == page ? QString("<li class=\"active\"><span>%1</span></li>").arg(k)
                           : QString(
                                 "<li><a class=\"button\" href=\"./viewtopic.php?t=7&amp;"
                                 "start=%1\" role=\"button\">%2</a></li>")
                                 .arg((k - 1) * per_page)
                                 .arg(k);
    }
    QString html =
        "<!DOCTYPE html><html dir=\"ltr\" lang=\"fr\"><head><meta charset=\"utf-8\">"
        "<link href=\"./styles/prosilver/theme/stylesheet.css\" rel=\"stylesheet\">"
        "<script src=\"./assets/javascript/core.js\"></script></head>"
        "<body id=\"phpbb\" class=\"nojs notouch section-viewtopic ltr\"><div id=\"wrap\">"
        "<h2 class=\"topic-title\"><a href=\"./viewtopic.php?t=7\">Vorlo n&deg; 12</a></h2>"
        "<div class=\"action-bar bar-top\"><div class=\"pagination\">" +
        QString::number(posts.size()) + " messages &bull; <ul>" + pages + "</ul></div></div>";
    for (int i = 0; i < posts.size(); ++i) {
        const PagePost& post = posts.at(i);
        const int id = 100 + first + i;
        html += QString(
                    "<div id=\"p%1\" class=\"post has-profile bg2\"><div class=\"inner\">"
                    "<dl class=\"postprofile\" id=\"profile%1\"><dt><a href=\"./memberlist.php?"
                    "u=5\" class=\"username-coloured\" style=\"color:#A00\">%2</a></dt></dl>"
                    "<div class=\"postbody\"><div id=\"post_content%1\">"
                    "<h3><a href=\"#p%1\">Re: Vorlo</a></h3><p class=\"author\"><a class=\"unread\""
                    " href=\"./viewtopic.php?p=%1#p%1\"><span class=\"sr-only\">Message</span>"
                    "</a><span class=\"responsive-hide\">par <strong><a href=\"./memberlist.php"
                    "?u=5\" class=\"username-coloured\">%2</a></strong> &raquo; </span><time "
                    "datetime=\"2026-12-0%3T10:00:00+00:00\">lun. %3 déc. 2026 11:0%3</time></p>"
                    "<div class=\"content\">%4</div>")
                    .arg(id)
                    .arg(post.author.toHtmlEscaped())
                    .arg(i % 9 + 1)
                    .arg(body_html(ForumKind::PhpBB, post));
        if (post.signed_and_edited) {
            html += "<div class=\"notice\">Dernière modification par " +
                    post.author.toHtmlEscaped() +
                    " le lun. 7 déc. 2026, modifié 1 fois.</div><div id=\"sig" +
                    QString::number(id) + "\" class=\"signature\">Vive le vorlo</div>";
        }
        html += "</div></div></div></div><hr class=\"divider\">";
    }
    return (html + "</div></body></html>").toUtf8();
}

// A XenForo 2 thread page: article.message posts.
inline QByteArray xenforo_page(const QList<PagePost>& posts, int first, int page_count,
                               int per_page) {
    const int page = (first - 1) / per_page + 1;
    QString pages;
    for (int k = 1; k <= page_count; ++k) {
        pages += QString("<li class=\"pageNav-page%1\"><a href=\"/threads/vorlo.7/%2\">%3</a></li>")
                     .arg(k == page ? " pageNav-page--current" : "")
                     .arg(k == 1 ? QString() : QString("page-%1").arg(k))
                     .arg(k);
    }
    QString html =
        "<!DOCTYPE html><html id=\"XF\" lang=\"fr-FR\" data-app=\"public\"><head>"
        "<link rel=\"stylesheet\" href=\"/css.php?css=public\"><script src=\"/js/xf.js\"></script>"
        "</head><body data-template=\"thread_view\"><div class=\"pageNavWrapper\"><nav class="
        "\"pageNavWrapper\"><div class=\"pageNav\"><ul class=\"pageNav-main\">" +
        pages + "</ul></div></nav></div><div class=\"block-body js-replyNewMessageContainer\">";
    for (int i = 0; i < posts.size(); ++i) {
        const PagePost& post = posts.at(i);
        const int id = 500 + first + i;
        html += QString(
                    "<article class=\"message message--post js-post\" data-author=\"%1\" "
                    "data-content=\"post-%2\" id=\"js-post-%2\"><div class=\"message-inner\">"
                    "<div class=\"message-cell message-cell--user\"><h4 class=\"message-name\">"
                    "<a class=\"username\">%1</a></h4></div><div class=\"message-cell "
                    "message-cell--main\"><header class=\"message-attribution\"><ul class="
                    "\"message-attribution-main\"><li><a href=\"/threads/vorlo.7/post-%2\">"
                    "<time class=\"u-dt\" datetime=\"2026-12-07T11:0%3:00+0100\" title=\"7 déc. "
                    "2026 à 11:0%3\">7 déc. 2026</time></a></li></ul><ul class=\"message-"
                    "attribution-opposite\"><li><a href=\"/threads/vorlo.7/post-%2\">#%4</a>"
                    "</li></ul></header><div class=\"message-content js-messageContent\"><div "
                    "class=\"message-userContent\"><article class=\"message-body\"><div "
                    "class=\"bbWrapper\">%5</div></article></div>")
                    .arg(post.author.toHtmlEscaped())
                    .arg(id)
                    .arg(i % 9)
                    .arg(first + i)
                    .arg(body_html(ForumKind::XenForo, post));
        if (post.signed_and_edited) {
            html +=
                "<div class=\"message-lastEdit\">Dernière édition: 7 déc. 2026</div>"
                "<aside class=\"message-signature\"><div class=\"bbWrapper\">Vive le vorlo"
                "</div></aside>";
        }
        html += "</div></div></div></article>";
    }
    return (html + "</div></body></html>").toUtf8();
}

// A Discourse topic's JSON: the posts of one page of `chunk` posts.
inline QByteArray discourse_json(const QList<PagePost>& posts, int first, int posts_count,
                                 int chunk) {
    QJsonArray stream;
    for (int i = 0; i < posts.size(); ++i) {
        const PagePost& post = posts.at(i);
        stream.append(QJsonObject{
            {"id", 900 + first + i},
            {"username", post.author},
            {"name", post.author},
            {"created_at", QString("2026-12-07T10:0%1:00.000Z").arg(i % 9)},
            {"cooked", body_html(ForumKind::Discourse, post)},
            {"post_number", first + i},
            {"post_type", 1},
            {"updated_at", "2026-12-07T10:00:00.000Z"},
            {"deleted_at", QJsonValue::Null},
        });
    }
    const QJsonObject topic{{"post_stream", QJsonObject{{"posts", stream}}},
                            {"id", 42},
                            {"title", "Vorlo"},
                            {"posts_count", posts_count},
                            {"highest_post_number", posts_count},
                            {"chunk_size", chunk}};
    return QJsonDocument(topic).toJson(QJsonDocument::Compact);
}

// A page of any forum: HTML for phpBB and XenForo, JSON for Discourse.
inline QByteArray forum_page(ForumKind kind, const QList<PagePost>& posts, int first,
                             int posts_count, int per_page) {
    const int page_count = (posts_count + per_page - 1) / per_page;
    switch (kind) {
        case ForumKind::PhpBB:
            return phpbb_page(posts, first, page_count, per_page);
        case ForumKind::XenForo:
            return xenforo_page(posts, first, page_count, per_page);
        case ForumKind::Discourse:
            return discourse_json(posts, first, posts_count, per_page);
    }
    return {};
}

}  // namespace vorlo::test
