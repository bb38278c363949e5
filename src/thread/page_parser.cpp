#include "thread/page_parser.h"

#include "thread/html_document.h"
#include "thread/thread_messages.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrlQuery>

namespace vorlo::thread {

namespace {

int as_number(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

int digits_of(const QString& text) {
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit()) {
            digits += c;
        }
    }
    return digits.size() > 9 ? 0 : as_number(digits);
}

int query_number(const QUrl& url, const QString& key) {
    return as_number(QUrlQuery(url).queryItemValue(key));
}

// The pages a pagination block shows: the current one, the highest, and posts per page
// when a link gives a page's first post (phpBB's start=).
struct Pagination {
    int current = 0;
    int count = 1;
    int per_page = 0;
};

Pagination read_pagination(const GumboNode* block) {
    Pagination pages;
    if (!block) {
        return pages;
    }
    // Links, and the numbers outside links (the current page).
    for (const GumboNode* item : find_all(block, [](const GumboNode& n) {
             return is_element(n, GUMBO_TAG_A) ||
                    ((is_element(n, GUMBO_TAG_STRONG) || is_element(n, GUMBO_TAG_SPAN)) &&
                     as_number(inline_text(&n)) > 0);
         })) {
        const int number = as_number(inline_text(item));
        if (number <= 0) {
            // "Page 1 sur 3": the numbers are inside; the link itself goes nowhere.
            for (const GumboNode* inner : find_all(item, [item](const GumboNode& n) {
                     return &n != item && is_element(n, GUMBO_TAG_STRONG);
                 })) {
                pages.count = std::max(pages.count, as_number(inline_text(inner)));
            }
            continue;
        }
        pages.count = std::max(pages.count, number);
        if (is_element(*item, GUMBO_TAG_A)) {
            const int start = query_number(QUrl(attribute(*item, "href")), QStringLiteral("start"));
            if (number > 1 && start > 0 && start % (number - 1) == 0) {
                pages.per_page = start / (number - 1);
            }
        } else if (pages.current == 0) {
            pages.current = number;
        }
    }
    // phpBB 3.1 and later, and XenForo, mark the current page's item.
    const GumboNode* current = find_first(block, [](const GumboNode& n) {
        return has_class(n, "active") || has_class(n, "pageNav-page--current");
    });
    if (current && as_number(inline_text(current)) > 0) {
        pages.current = as_number(inline_text(current));
    }
    return pages;
}

void number_by_page(ThreadPage& page, int first_on_page) {
    for (std::size_t i = 0; i < page.posts.size(); ++i) {
        if (page.posts[i].number == 0) {
            page.posts[i].number = first_on_page + static_cast<int>(i);
        }
    }
}

// phpBB 3, prosilver and the styles made from it: div.post holding div.postbody.
std::optional<ThreadPage> read_phpbb(const GumboNode* root, const QUrl& address) {
    const auto posts = find_all(root, [](const GumboNode& n) {
        return is_element(n, GUMBO_TAG_DIV) && has_class(n, "post") &&
               find_first(&n, [](const GumboNode& m) { return has_class(m, "postbody"); });
    });
    if (posts.empty()) {
        return std::nullopt;
    }
    ThreadPage page;
    page.kind = ForumKind::PhpBB;
    for (const GumboNode* post : posts) {
        ForumPost read;
        read.id = attribute(*post, "id");
        if (read.id.startsWith(QLatin1Char('p'))) {
            read.id.remove(0, 1);
        }
        const auto is_name = [](const GumboNode& n) {
            return has_class(n, "username") || has_class(n, "username-coloured");
        };
        const GumboNode* author =
            find_first(post, [](const GumboNode& n) { return has_class(n, "author"); });
        const GumboNode* name = find_first(author, is_name);
        if (!name) {
            name = find_first(
                find_first(post, [](const GumboNode& n) { return has_class(n, "postprofile"); }),
                is_name);
        }
        read.author = inline_text(name);
        if (const GumboNode* time = find_first(
                author, [](const GumboNode& n) { return is_element(n, GUMBO_TAG_TIME); })) {
            read.time = inline_text(time);
        } else {
            const QString line = inline_text(author);
            read.time = line.mid(line.lastIndexOf(QChar(0x00BB)) + 1).trimmed();
        }
        read.lines = body_lines(
            find_first(post, [](const GumboNode& n) { return has_class(n, "content"); }));
        page.posts.push_back(read);
    }
    const Pagination pages = read_pagination(
        find_first(root, [](const GumboNode& n) { return has_class(n, "pagination"); }));
    page.page_count = pages.count;
    const int start = query_number(address, QStringLiteral("start"));
    page.page_number = pages.current > 0 ? pages.current : 1;
    page.per_page = pages.per_page;
    if (page.per_page == 0 && page.page_number > 1 && start > 0) {
        page.per_page = start / (page.page_number - 1);
    }
    if (page.per_page == 0 && page.page_count > 1 && page.page_number == 1) {
        page.per_page = static_cast<int>(page.posts.size());
    }
    number_by_page(page, (page.page_number - 1) * page.per_page + 1);
    return page;
}

// XenForo 2: article.message with the author in data-author and the text in .bbWrapper.
std::optional<ThreadPage> read_xenforo(const GumboNode* root) {
    const auto posts = find_all(root, [](const GumboNode& n) {
        return is_element(n, GUMBO_TAG_ARTICLE) && has_class(n, "message") &&
               !attribute(n, "data-author").isNull();
    });
    if (posts.empty()) {
        return std::nullopt;
    }
    ThreadPage page;
    page.kind = ForumKind::XenForo;
    for (const GumboNode* post : posts) {
        ForumPost read;
        read.author = attribute(*post, "data-author").simplified();
        read.id = attribute(*post, "data-content").remove(QStringLiteral("post-"));
        // "#12" in the message's attribution is its place in the thread.
        const GumboNode* attribution = find_first(
            post, [](const GumboNode& n) { return has_class(n, "message-attribution-opposite"); });
        for (const GumboNode* link :
             find_all(attribution, [](const GumboNode& n) { return is_element(n, GUMBO_TAG_A); })) {
            const QString text = inline_text(link);
            if (text.startsWith(QLatin1Char('#'))) {
                read.number = digits_of(text);
            }
        }
        if (const GumboNode* time = find_first(
                post, [](const GumboNode& n) { return is_element(n, GUMBO_TAG_TIME); })) {
            const QString title = attribute(*time, "title");
            read.time = title.isEmpty() ? inline_text(time) : title.simplified();
        }
        read.lines = body_lines(
            find_first(post, [](const GumboNode& n) { return has_class(n, "bbWrapper"); }));
        page.posts.push_back(read);
    }
    const Pagination pages = read_pagination(
        find_first(root, [](const GumboNode& n) { return has_class(n, "pageNav-main"); }));
    page.page_count = pages.count;
    page.page_number = pages.current > 0 ? pages.current : 1;
    const int first = page.posts.front().number;
    if (page.page_number > 1 && first > 1) {
        page.per_page = (first - 1) / (page.page_number - 1);
    } else if (page.page_count > 1) {
        page.per_page = static_cast<int>(page.posts.size());
    }
    number_by_page(page, (page.page_number - 1) * page.per_page + 1);
    return page;
}

// Discourse's JSON of a topic: post_stream.posts, each with its cooked HTML.
PageOutcome read_discourse(const QJsonObject& topic, const QUrl& address) {
    PageOutcome outcome;
    const QJsonValue stream = topic.value(QStringLiteral("post_stream"));
    if (!stream.isObject() || !stream.toObject().value(QStringLiteral("posts")).isArray()) {
        const QString error = topic.value(QStringLiteral("error_type")).toString();
        outcome.failure =
            error == QLatin1String("invalid_access") || error == QLatin1String("not_logged_in")
                ? messages::login_required()
                : messages::unsupported_page();
        return outcome;
    }
    ThreadPage page;
    page.kind = ForumKind::Discourse;
    for (const QJsonValue& value : stream.toObject().value(QStringLiteral("posts")).toArray()) {
        const QJsonObject post = value.toObject();
        // Only regular posts: small actions, whispers and deleted posts (those with a date of
        // deletion; a post not deleted may send null or nothing) are not answers.
        if (post.value(QStringLiteral("post_type")).toInt(1) != 1 ||
            post.value(QStringLiteral("deleted_at")).isString() ||
            post.value(QStringLiteral("user_deleted")).toBool()) {
            continue;
        }
        ForumPost read;
        read.number = post.value(QStringLiteral("post_number")).toInt();
        read.id = QString::number(post.value(QStringLiteral("id")).toInteger());
        read.author = post.value(QStringLiteral("username")).toString().simplified();
        const QDateTime created = QDateTime::fromString(
            post.value(QStringLiteral("created_at")).toString(), Qt::ISODateWithMs);
        read.time = created.isValid()
                        ? created.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                        : QString();
        const HtmlDocument cooked(post.value(QStringLiteral("cooked")).toString().toUtf8());
        read.lines = body_lines(cooked.root());
        if (read.number > 0) {
            page.posts.push_back(read);
        }
    }
    page.per_page = std::max(1, topic.value(QStringLiteral("chunk_size")).toInt(20));
    const int count = topic.value(QStringLiteral("posts_count")).toInt();
    page.page_count = std::max(1, (count + page.per_page - 1) / page.per_page);
    page.page_number = std::max(1, query_number(address, QStringLiteral("page")));
    page.missing_numbers =
        std::max(0, topic.value(QStringLiteral("highest_post_number")).toInt() - count);
    outcome.page = page;
    return outcome;
}

// The JSON of the Discourse topic whose page is at `address`: /t/SLUG/ID or /t/ID.
QUrl discourse_json(const QUrl& address) {
    const QStringList parts = address.path().split(QLatin1Char('/'));
    const int t = static_cast<int>(parts.lastIndexOf(QStringLiteral("t")));
    if (t < 0) {
        return {};
    }
    QStringList kept = parts.mid(0, t + 1);
    for (int i = t + 1; i < parts.size() && i <= t + 2; ++i) {
        kept << parts.at(i);
        if (as_number(parts.at(i)) > 0) {
            QUrl json = address;
            json.setPath(kept.join(QLatin1Char('/')) + QStringLiteral(".json"));
            json.setQuery(QString());
            json.setFragment(QString());
            return json;
        }
    }
    return {};
}

bool is_discourse_html(const GumboNode* root) {
    return find_first(root, [](const GumboNode& n) {
        return is_element(n, GUMBO_TAG_META) &&
               attribute(n, "name") == QLatin1String("generator") &&
               attribute(n, "content").startsWith(QLatin1String("Discourse"));
    });
}

bool asks_for_login(const GumboNode* root) {
    return find_first(root, [](const GumboNode& n) {
        return is_element(n, GUMBO_TAG_INPUT) &&
               attribute(n, "type").compare(QLatin1String("password"), Qt::CaseInsensitive) == 0;
    });
}

}  // namespace

PageOutcome parse_page(const QByteArray& bytes, const QUrl& address) {
    PageOutcome outcome;
    const QByteArray start = bytes.left(64).trimmed();
    if (start.startsWith('{')) {
        const QJsonDocument json = QJsonDocument::fromJson(bytes);
        if (json.isObject()) {
            return read_discourse(json.object(), address);
        }
    }
    const HtmlDocument document(bytes);
    const GumboNode* root = document.root();
    if (!root) {
        outcome.failure = messages::unsupported_page();
        return outcome;
    }
    outcome.page = read_xenforo(root);
    if (!outcome.page) {
        outcome.page = read_phpbb(root, address);
    }
    if (outcome.page) {
        return outcome;
    }
    if (is_discourse_html(root)) {
        outcome.json_address = discourse_json(address);
        if (!outcome.json_address.isEmpty()) {
            return outcome;
        }
    }
    outcome.failure =
        asks_for_login(root) ? messages::login_required() : messages::unsupported_page();
    return outcome;
}

std::vector<ForumPost> posts_from_paste(const QString& html, const QString& text) {
    if (!html.trimmed().isEmpty()) {
        const PageOutcome outcome = parse_page(html.toUtf8());
        if (outcome.page) {
            return outcome.page->posts;
        }
    }
    return posts_from_text(text);
}

std::vector<ForumPost> posts_from_text(const QString& text) {
    static const QRegularExpression kHeader(
        QStringLiteral("^(?:par|by)\\s+(.+?)\\s+\\x{00BB}\\s*(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QStringList lines = QString(text)
                                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                                  .replace(QLatin1Char('\r'), QLatin1Char('\n'))
                                  .split(QLatin1Char('\n'));
    bool headed = false;
    for (const QString& line : lines) {
        headed = headed || kHeader.match(line.trimmed()).hasMatch();
    }
    std::vector<ForumPost> posts;
    bool open = false;  // a paragraph is being read
    for (const QString& raw : lines) {
        const QString line = raw.simplified();
        const QRegularExpressionMatch header = kHeader.match(line);
        if (headed && header.hasMatch()) {
            ForumPost post;
            post.author = header.captured(1);
            post.time = header.captured(2);
            posts.push_back(post);
            continue;
        }
        if (line.isEmpty()) {
            open = false;
            continue;
        }
        if (line.startsWith(QLatin1Char('>'))) {
            continue;
        }
        if (!headed && !open) {
            posts.push_back({});
        }
        open = true;
        if (!posts.empty()) {
            posts.back().lines << line;
        }
    }
    for (std::size_t i = 0; i < posts.size(); ++i) {
        posts[i].number = static_cast<int>(i) + 1;
    }
    return posts;
}

}  // namespace vorlo::thread
