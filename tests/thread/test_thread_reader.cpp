#include "engine/program_version.h"
#include "forum_pages.h"
#include "local_forum.h"
#include "thread/thread_messages.h"
#include "thread/thread_reader.h"

#include <QSignalSpy>
#include <QtTest>

using namespace vorlo;
using namespace vorlo::thread;
using vorlo::test::Answer;
using vorlo::test::LocalForum;
using vorlo::test::PagePost;

Q_DECLARE_METATYPE(vorlo::thread::ForumKind)

namespace {

constexpr int kPerPage = 3;

// Seven posts on three pages; the fifth is the master's.
QList<PagePost> thread_posts() {
    QList<PagePost> posts;
    for (int n = 1; n <= 7; ++n) {
        posts << PagePost{n == 5 ? "Maître" : QString("Joueur %1").arg(n),
                          {QString("proposition %1").arg(n)},
                          {},
                          {},
                          n == 2};
    }
    return posts;
}

// Where each forum keeps the pages of the thread, and the address the master gives.
struct Layout {
    QString given;
    QStringList pages;  // page 1, 2, 3
};

Layout layout(ForumKind kind) {
    switch (kind) {
        case ForumKind::PhpBB:
            return {
                "/viewtopic.php?t=7",
                {"/viewtopic.php?t=7", "/viewtopic.php?t=7&start=3", "/viewtopic.php?t=7&start=6"}};
        case ForumKind::XenForo:
            return {"/threads/vorlo.7/page-2",
                    {"/threads/vorlo.7/", "/threads/vorlo.7/page-2", "/threads/vorlo.7/page-3"}};
        case ForumKind::Discourse:
            return {"/t/vorlo/42",
                    {"/t/vorlo/42.json", "/t/vorlo/42.json?page=2", "/t/vorlo/42.json?page=3"}};
    }
    return {};
}

// Serves the thread of seven posts the way the forum does.
void serve_thread(LocalForum& forum, ForumKind kind) {
    const QList<PagePost> posts = thread_posts();
    const Layout where = layout(kind);
    for (int page = 0; page < 3; ++page) {
        Answer answer;
        answer.body =
            test::forum_page(kind, posts.mid(page * kPerPage, kPerPage), page * kPerPage + 1,
                             static_cast<int>(posts.size()), kPerPage);
        // What a page would make a browser load, which must not be asked for.
        answer.body.replace("</body>",
                            "<img src=\"/tracker.gif\"><iframe src=\"/frame\"></iframe></body>");
        if (kind == ForumKind::Discourse) {
            answer.type = "application/json";
        }
        forum.set(where.pages.at(page), answer);
    }
    if (kind == ForumKind::Discourse) {
        forum.set(where.given, {200,
                                "<html><head><meta name=\"generator\" content=\"Discourse "
                                "3.2\"><script src=\"/app.js\"></script></head></html>"});
    }
}

struct Outcome {
    std::optional<ThreadReading> reading;
    QStringList failures;
    int cancels = 0;
    QList<QPair<int, int>> progress;
};

Outcome read_thread(ThreadReader& reader, const ThreadRequest& request,
                    const std::function<void()>& meanwhile = {}) {
    Outcome outcome;
    QObject context;
    QObject::connect(&reader, &ThreadReader::finished, &context,
                     [&](const ThreadReading& reading) { outcome.reading = reading; });
    QObject::connect(&reader, &ThreadReader::failed, &context,
                     [&](const QString& message) { outcome.failures << message; });
    QObject::connect(&reader, &ThreadReader::cancelled, &context, [&] { ++outcome.cancels; });
    QObject::connect(&reader, &ThreadReader::progress, &context,
                     [&](int read, int total) { outcome.progress << qMakePair(read, total); });
    reader.read(request);
    if (meanwhile) {
        meanwhile();
    }
    for (int waited = 0; reader.is_reading() && waited < 10000; waited += 10) {
        QTest::qWait(10);
    }
    QTest::qWait(20);  // nothing else may come
    return outcome;
}

QStringList numbers_of(const std::vector<ForumPost>& posts) {
    QStringList numbers;
    for (const ForumPost& post : posts) {
        numbers << QString::number(post.number);
    }
    return numbers;
}

}  // namespace

class TestThreadReader : public QObject {
    Q_OBJECT

  private slots:
    void reads_the_pages_after_the_last_post_read_data() {
        QTest::addColumn<ForumKind>("kind");
        QTest::addColumn<int>("last_read");
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<QStringList>("posts");
        const QList<std::pair<const char*, ForumKind>> kinds = {
            {"phpBB", ForumKind::PhpBB},
            {"XenForo", ForumKind::XenForo},
            {"Discourse", ForumKind::Discourse}};
        for (const auto& [name, kind] : kinds) {
            QTest::addRow("%s, nothing read", name)
                << kind << 0 << QList<int>{1, 2, 3} << QStringList{"1", "2", "3", "4", "6", "7"};
            QTest::addRow("%s, 4 read", name)
                << kind << 4 << QList<int>{1, 2, 3} << QStringList{"6", "7"};
            QTest::addRow("%s, 6 read", name) << kind << 6 << QList<int>{1, 3} << QStringList{"7"};
            QTest::addRow("%s, all read", name) << kind << 7 << QList<int>{1, 3} << QStringList{};
        }
    }

    void reads_the_pages_after_the_last_post_read() {
        QFETCH(ForumKind, kind);
        QFETCH(int, last_read);
        QFETCH(QList<int>, pages);
        QFETCH(QStringList, posts);
        LocalForum forum;
        serve_thread(forum, kind);
        ThreadReader reader;
        const Outcome outcome =
            read_thread(reader, {forum.url(layout(kind).given), "  maître", last_read, {}});
        QVERIFY2(outcome.failures.isEmpty(), qPrintable(outcome.failures.join(' ')));
        QVERIFY(outcome.reading);
        QCOMPARE(outcome.reading->kind, kind);
        QCOMPARE(numbers_of(outcome.reading->posts), posts);
        QCOMPARE(outcome.reading->last_post_number, 7);
        QCOMPARE(outcome.reading->last_post_id,
                 QString::number(kind == ForumKind::PhpBB     ? 107
                                 : kind == ForumKind::XenForo ? 507
                                                              : 907));

        // Only the pages of the thread were asked for, one by one, by Vorlo.
        QStringList expected;
        if (kind == ForumKind::Discourse) {
            expected << layout(kind).given;
        }
        for (const int page : pages) {
            expected << layout(kind).pages.at(page - 1);
        }
        QCOMPARE(forum.asked, expected);
        QCOMPARE(outcome.reading->pages_read, expected.size());
        for (const QByteArray& agent : forum.user_agents) {
            QCOMPARE(agent, QByteArray("Vorlo/") + kProgramVersion);
        }
        QCOMPARE(outcome.progress.first(), qMakePair(0, 1));
        QCOMPARE(outcome.progress.last(), qMakePair(int(expected.size()), int(expected.size())));
        if (!posts.isEmpty()) {
            QCOMPARE(outcome.reading->posts.front().lines,
                     QStringList("proposition " + posts.first()));
        }
    }

    void stops_at_the_page_limit_and_goes_on_from_there() {
        LocalForum forum;
        serve_thread(forum, ForumKind::PhpBB);
        ThreadReader reader;
        reader.set_page_limit(2);
        const Outcome first = read_thread(reader, {forum.url("/viewtopic.php?t=7"), {}, 0, {}});
        QVERIFY(first.reading && first.reading->stopped_at_page_limit);
        QCOMPARE(numbers_of(first.reading->posts), QStringList({"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(first.reading->last_post_number, 6);
        const Outcome next = read_thread(reader, {forum.url("/viewtopic.php?t=7"), {}, 6, "106"});
        QVERIFY(next.reading && !next.reading->stopped_at_page_limit);
        QCOMPARE(numbers_of(next.reading->posts), QStringList({"7"}));
    }

    void each_failure_gives_one_message_data() {
        QTest::addColumn<Answer>("first");
        QTest::addColumn<Answer>("second");
        QTest::addColumn<QString>("message");
        const QByteArray page = test::phpbb_page({{"Lou", {"Salut"}, {}, {}, false}}, 1, 2, 1);
        const Answer ok{200, page};
        QTest::newRow("404") << Answer{404, "<h1>Introuvable</h1>"} << ok << messages::not_found();
        QTest::newRow("500") << Answer{500, "oups"} << ok << messages::server_error(500);
        QTest::newRow("403") << Answer{403, "<p>Connectez-vous</p>"} << ok
                             << messages::login_required();
        QTest::newRow("login page")
            << Answer{200, "<form><input type=\"password\" name=\"password\"></form>"} << ok
            << messages::login_required();
        QTest::newRow("not a thread")
            << Answer{200, "<html><p>Accueil</p></html>"} << ok << messages::unsupported_page();
        Answer hang;
        hang.hang = true;
        QTest::newRow("timeout") << hang << ok << messages::timed_out(1);
        Answer announced{200, "x"};
        announced.announced_length = "30000000";
        QTest::newRow("announced over the limit")
            << announced << ok << messages::page_too_large(20);
        Answer streamed{200, QByteArray(300000, 'x')};
        streamed.unannounced = true;
        QTest::newRow("received over the limit") << streamed << ok << messages::page_too_large(20);
        for (const char* scheme :
             {"ftp://127.0.0.1/fil", "file:///etc/passwd", "javascript:alert(1)"}) {
            Answer away{302, {}};
            away.location = scheme;
            QTest::addRow("redirect to %s", scheme) << away << ok << messages::redirect_scheme();
        }
        QTest::newRow("second page fails")
            << ok << Answer{500, "oups"} << messages::server_error(500);
        QTest::newRow("second page is another forum")
            << ok << Answer{200, test::xenforo_page({{"Lou", {"Salut"}, {}, {}, false}}, 2, 2, 1)}
            << messages::unsupported_page();
    }

    void each_failure_gives_one_message() {
        QFETCH(Answer, first);
        QFETCH(Answer, second);
        QFETCH(QString, message);
        LocalForum forum;
        forum.set("/viewtopic.php?t=7", first);
        forum.set("/viewtopic.php?t=7&start=1", second);
        ThreadReader reader;
        reader.set_page_timeout(std::chrono::milliseconds(300));
        reader.set_page_size_limit(100000);
        const Outcome outcome = read_thread(reader, {forum.url("/viewtopic.php?t=7"), {}, 0, {}});
        QCOMPARE(outcome.failures, QStringList(message));
        QVERIFY(!outcome.reading);
        QVERIFY(!forum.asked.isEmpty());
    }

    void redirects_to_the_web_are_followed() {
        LocalForum forum;
        serve_thread(forum, ForumKind::PhpBB);
        Answer moved{301, {}};
        moved.location = forum.url("/viewtopic.php?t=7").toEncoded();
        forum.set("/ancien/fil", moved);
        ThreadReader reader;
        const Outcome outcome = read_thread(reader, {forum.url("/ancien/fil"), {}, 6, {}});
        QVERIFY2(outcome.failures.isEmpty(), qPrintable(outcome.failures.join(' ')));
        QVERIFY(outcome.reading);
        QCOMPARE(numbers_of(outcome.reading->posts), QStringList({"7"}));
    }

    void refuses_without_asking_data() {
        QTest::addColumn<QUrl>("address");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QUrl() << messages::no_address();
        QTest::newRow("ftp") << QUrl("ftp://127.0.0.1/fil") << messages::address_scheme();
        QTest::newRow("file") << QUrl("file:///etc/passwd") << messages::address_scheme();
        QTest::newRow("no host") << QUrl("http:///fil") << messages::address_scheme();
    }

    void refuses_without_asking() {
        QFETCH(QUrl, address);
        QFETCH(QString, message);
        ThreadReader reader;
        QCOMPARE(read_thread(reader, {address, {}, 0, {}}).failures, QStringList(message));
    }

    void no_network() {
        quint16 port = 0;
        {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
            port = closed.serverPort();
        }
        ThreadReader reader;
        const Outcome outcome = read_thread(
            reader, {QUrl(QString("http://127.0.0.1:%1/viewtopic.php?t=7").arg(port)), {}, 0, {}});
        QCOMPARE(outcome.failures, QStringList(messages::unreachable()));
    }

    void cancel_ends_the_read() {
        LocalForum forum;
        Answer hang;
        hang.hang = true;
        forum.set("/viewtopic.php?t=7", hang);
        ThreadReader reader;
        const Outcome outcome =
            read_thread(reader, {forum.url("/viewtopic.php?t=7"), {}, 0, {}}, [&] {
                QTRY_COMPARE(forum.asked.size(), 1);
                reader.cancel();
            });
        QCOMPARE(outcome.cancels, 1);
        QVERIFY(outcome.failures.isEmpty());
        QVERIFY(!outcome.reading);
    }
};

QTEST_GUILESS_MAIN(TestThreadReader)
#include "test_thread_reader.moc"
