#include "thread/thread_reader.h"

#include "engine/program_version.h"
#include "thread/page_parser.h"
#include "thread/thread_messages.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QThread>
#include <QUrlQuery>

#include <memory>

namespace vorlo::thread {

namespace {

bool is_web_address(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

const QRegularExpression& page_segment() {
    static const QRegularExpression kPage(QStringLiteral("/page-\\d+/?$"));
    return kPage;
}

// Numeric identifiers compare as numbers; anything else cannot be compared.
std::optional<qint64> numeric_id(const QString& id) {
    bool ok = false;
    const qint64 value = id.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

}  // namespace

bool is_master(const QString& author, const QString& master_name) {
    const QString master = master_name.trimmed();
    return !master.isEmpty() && author.trimmed().compare(master, Qt::CaseInsensitive) == 0;
}

std::vector<ForumPost> new_posts(const std::vector<ForumPost>& posts, int last_post_number,
                                 const QString& last_post_id, const QString& master_name) {
    const std::optional<qint64> last_id = numeric_id(last_post_id);
    std::vector<ForumPost> kept;
    for (const ForumPost& post : posts) {
        const std::optional<qint64> id = numeric_id(post.id);
        // Forums number their posts' identifiers in the order they were written, which
        // holds when an earlier post is deleted; the place in the thread is the fallback.
        const bool is_new = last_id && id ? *id > *last_id : post.number > last_post_number;
        if (is_new && !is_master(post.author, master_name)) {
            kept.push_back(post);
        }
    }
    return kept;
}

QUrl first_page_address(const QUrl& address) {
    QUrl first = address;
    QUrlQuery query(first);
    query.removeAllQueryItems(QStringLiteral("start"));
    query.removeAllQueryItems(QStringLiteral("page"));
    first.setQuery(query);
    first.setFragment(QString());
    QString path = first.path();
    path.replace(page_segment(), QStringLiteral("/"));
    first.setPath(path);
    return first;
}

QUrl page_address(ForumKind kind, const QUrl& address, int number, int per_page) {
    QUrl page = first_page_address(address);
    if (number <= 1) {
        return page;
    }
    QUrlQuery query(page);
    switch (kind) {
        case ForumKind::PhpBB:
            query.addQueryItem(QStringLiteral("start"), QString::number((number - 1) * per_page));
            page.setQuery(query);
            break;
        case ForumKind::XenForo: {
            QString path = page.path();
            if (!path.endsWith(QLatin1Char('/'))) {
                path += QLatin1Char('/');
            }
            page.setPath(path + QStringLiteral("page-") + QString::number(number));
            break;
        }
        case ForumKind::Discourse:
            query.addQueryItem(QStringLiteral("page"), QString::number(number));
            page.setQuery(query);
            break;
    }
    return page;
}

ThreadReader::ThreadReader(QObject* parent)
    : QObject(parent), network_(new QNetworkAccessManager(this)) {
    page_timer_.setSingleShot(true);
    connect(&page_timer_, &QTimer::timeout, this, [this] {
        failure_ = messages::timed_out(static_cast<int>((timeout_.count() + 999) / 1000));
        if (reply_) {
            reply_->abort();
        }
    });
}

ThreadReader::~ThreadReader() {
    stop_reply();
}

QByteArray ThreadReader::user_agent() {
    return QByteArrayLiteral("Vorlo/") + QByteArray(kProgramVersion);
}

void ThreadReader::read(const ThreadRequest& request) {
    stop_reply();
    request_ = request;
    first_.reset();
    reading_ = {};
    gathered_.clear();
    numbers_seen_.clear();
    next_page_ = 0;
    page_count_ = 0;
    if (request.address.isEmpty()) {
        emit failed(messages::no_address());
        return;
    }
    if (!is_web_address(request.address)) {
        emit failed(messages::address_scheme());
        return;
    }
    thread_address_ = first_page_address(request.address);
    emit progress(0, 1);
    fetch(thread_address_);
}

void ThreadReader::cancel() {
    if (!is_reading()) {
        return;
    }
    stop_reply();
    emit cancelled();
}

void ThreadReader::stop_reply() {
    page_timer_.stop();
    parser_ = nullptr;  // a page being parsed is left to end on its own
    if (reply_) {
        QNetworkReply* reply = reply_;
        reply_ = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void ThreadReader::fetch(const QUrl& address) {
    failure_.clear();
    QNetworkRequest request(address);
    request.setHeader(QNetworkRequest::UserAgentHeader, user_agent());
    request.setRawHeader("Accept", "text/html,application/xhtml+xml,application/json;q=0.9");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    QNetworkReply* reply = network_->get(request);
    reply_ = reply;
    // A redirect is followed only to another web address.
    connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl& target) {
        if (is_web_address(reply->url().resolved(target))) {
            emit reply->redirectAllowed();
        } else {
            failure_ = messages::redirect_scheme();
            reply->abort();
        }
    });
    // A page over the limit is refused as soon as its announced or received size says so.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > size_limit_) {
            failure_ = messages::page_too_large(static_cast<int>(kPageSizeLimit / (1024 * 1024)));
            QMetaObject::invokeMethod(reply, &QNetworkReply::abort, Qt::QueuedConnection);
        }
    });
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 received, qint64) {
        if (received > size_limit_) {
            failure_ = messages::page_too_large(static_cast<int>(kPageSizeLimit / (1024 * 1024)));
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, &ThreadReader::page_arrived);
    page_timer_.start(timeout_);
}

void ThreadReader::page_arrived() {
    page_timer_.stop();
    QNetworkReply* reply = reply_;
    if (!reply) {
        return;
    }
    reply_ = nullptr;
    reply->deleteLater();
    ++reading_.pages_read;
    if (!failure_.isEmpty()) {
        fail(failure_);
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 404 || reply->error() == QNetworkReply::ContentNotFoundError) {
        fail(messages::not_found());
    } else if (status == 401 || status == 403 || status == 407) {
        fail(messages::login_required());
    } else if (status >= 500) {
        fail(messages::server_error(status));
    } else if (status >= 300 && status < 400 &&
               !is_web_address(
                   reply->url().resolved(QUrl::fromEncoded(reply->rawHeader("Location"))))) {
        fail(messages::redirect_scheme());
    } else if (status >= 300) {
        fail(messages::refused_page(status));
    } else if (reply->error() == QNetworkReply::ProtocolUnknownError ||
               reply->error() == QNetworkReply::InsecureRedirectError) {
        fail(messages::redirect_scheme());
    } else if (reply->error() != QNetworkReply::NoError || status == 0) {
        fail(messages::unreachable());
    } else {
        const QByteArray bytes = reply->readAll();
        if (bytes.size() > size_limit_) {
            fail(messages::page_too_large(static_cast<int>(kPageSizeLimit / (1024 * 1024))));
            return;
        }
        // A large page takes a while to parse: it is parsed on a thread of its own, so that
        // the window goes on answering.
        const QUrl address = reply->url();
        auto outcome = std::make_shared<PageOutcome>();
        QThread* parser =
            QThread::create([bytes, address, outcome] { *outcome = parse_page(bytes, address); });
        parser_ = parser;
        connect(parser, &QThread::finished, this, [this, parser, outcome, address] {
            if (parser == parser_) {
                parser_ = nullptr;
                page_parsed(*outcome, address);
            }
        });
        connect(parser, &QThread::finished, parser, &QObject::deleteLater);
        parser->start();
    }
}

void ThreadReader::page_parsed(const PageOutcome& outcome, const QUrl& address) {
    if (!outcome.json_address.isEmpty() && !first_) {
        // A Discourse topic's HTML: its JSON holds the posts.
        thread_address_ = outcome.json_address;
        fetch_next_or_finish();
        return;
    }
    if (!outcome.page || (first_ && outcome.page->kind != first_->kind)) {
        fail(outcome.failure.isEmpty() ? messages::unsupported_page() : outcome.failure);
        return;
    }
    if (!first_) {
        thread_address_ = first_page_address(address);  // where redirects led
    }
    take_page(*outcome.page);
    fetch_next_or_finish();
}

void ThreadReader::take_page(const ThreadPage& page) {
    if (!first_) {
        first_ = page;
        reading_.kind = page.kind;
        page_count_ = page.page_count;
        // The first page that can hold a post after the last one read.
        int wanted = page.page_number;
        if (request_.last_post_number > 0 && page.per_page > 0) {
            wanted =
                std::max(0, request_.last_post_number - page.missing_numbers) / page.per_page + 1;
        }
        next_page_ = std::max(page.page_number + 1, std::min(wanted, page_count_));
        if (wanted > page.page_number && wanted <= page_count_) {
            return;  // the first page holds only posts already read
        }
    }
    page_count_ = std::max(page_count_, page.page_count);
    for (const ForumPost& post : page.posts) {
        if (numbers_seen_.insert(post.number).second) {
            gathered_.push_back(post);
        }
    }
}

void ThreadReader::fetch_next_or_finish() {
    const bool more = !first_ || next_page_ <= page_count_;
    if (more && reading_.pages_read >= page_limit_) {
        reading_.stopped_at_page_limit = true;
    } else if (more) {
        const int remaining = first_ ? page_count_ - next_page_ + 1 : 1;
        emit progress(reading_.pages_read, std::min(page_limit_, reading_.pages_read + remaining));
        fetch(first_ ? page_address(first_->kind, thread_address_, next_page_++, first_->per_page)
                     : thread_address_);
        return;
    }
    emit progress(reading_.pages_read, reading_.pages_read);
    reading_.last_post_number = request_.last_post_number;
    reading_.last_post_id = request_.last_post_id;
    for (const ForumPost& post : gathered_) {
        if (post.number >= reading_.last_post_number) {
            reading_.last_post_number = post.number;
            reading_.last_post_id = post.id;
        }
    }
    reading_.posts = new_posts(gathered_, request_.last_post_number, request_.last_post_id,
                               request_.master_name);
    emit finished(reading_);
}

void ThreadReader::fail(const QString& message) {
    stop_reply();
    emit failed(message);
}

}  // namespace vorlo::thread
