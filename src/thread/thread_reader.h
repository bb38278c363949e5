#pragma once

#include "thread/forum_post.h"

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>
#include <set>

class QNetworkAccessManager;
class QThread;
class QNetworkReply;

namespace vorlo::thread {

struct PageOutcome;

// What a read starts from: the thread and what was already read of it.
struct ThreadRequest {
    QUrl address;
    QString master_name;       // the master's own posts are left out
    int last_post_number = 0;  // the last post already read; 0 for none
    QString last_post_id;      // its forum identifier, when known
};

// What a read found.
struct ThreadReading {
    ForumKind kind = ForumKind::PhpBB;
    std::vector<ForumPost> posts;  // the new posts of others, in the thread's order
    int last_post_number = 0;      // the last post read, the master's included
    QString last_post_id;
    int pages_read = 0;
    bool stopped_at_page_limit = false;  // more pages remain; a new read goes on from here
};

// The new posts of `posts`: after the last one read, and not the master's.
std::vector<ForumPost> new_posts(const std::vector<ForumPost>& posts, int last_post_number,
                                 const QString& last_post_id, const QString& master_name);
// Whether a post's author is the master: blanks trimmed, case ignored.
bool is_master(const QString& author, const QString& master_name);

// Reads a thread's pages after the last post read, one page at a time, from http and
// https addresses only. Each page must come within the timeout and stay under the size
// limit; a failure ends the read with one French message and nothing else.
class ThreadReader : public QObject {
    Q_OBJECT
  public:
    explicit ThreadReader(QObject* parent = nullptr);
    ~ThreadReader() override;

    static constexpr std::chrono::milliseconds kPageTimeout{15000};
    static constexpr int kPageLimit = 100;
    static constexpr qint64 kPageSizeLimit = 20 * 1024 * 1024;
    void set_page_timeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    void set_page_limit(int pages) { page_limit_ = pages; }
    void set_page_size_limit(qint64 bytes) { size_limit_ = bytes; }

    // "Vorlo/<version>", sent with every page asked for.
    static QByteArray user_agent();

    // Starts a read; a read still running is cancelled first.
    void read(const ThreadRequest& request);
    void cancel();
    bool is_reading() const { return reply_ != nullptr || parser_ != nullptr; }

  signals:
    void progress(int pages_read, int pages_to_read);
    void finished(const vorlo::thread::ThreadReading& reading);
    void failed(const QString& message);
    void cancelled();

  private:
    void fetch(const QUrl& address);
    void page_arrived();
    void page_parsed(const PageOutcome& outcome, const QUrl& address);
    void take_page(const ThreadPage& page);
    void fetch_next_or_finish();
    void fail(const QString& message);
    void stop_reply();

    QNetworkAccessManager* network_;
    QNetworkReply* reply_ = nullptr;
    QThread* parser_ = nullptr;
    QTimer page_timer_;
    std::chrono::milliseconds timeout_ = kPageTimeout;
    int page_limit_ = kPageLimit;
    qint64 size_limit_ = kPageSizeLimit;

    ThreadRequest request_;
    QUrl thread_address_;  // where the pages are counted from (Discourse: its JSON)
    std::optional<ThreadPage> first_;
    ThreadReading reading_;
    std::vector<ForumPost> gathered_;
    std::set<int> numbers_seen_;
    int next_page_ = 0;
    int page_count_ = 0;
    QString failure_;  // set when the read itself stops the page (timeout, size, redirect)
};

// The address of page `number` of the thread whose first page is at `address`.
QUrl page_address(ForumKind kind, const QUrl& address, int number, int per_page);
// The thread's first page, from the address of any of its pages.
QUrl first_page_address(const QUrl& address);

}  // namespace vorlo::thread
