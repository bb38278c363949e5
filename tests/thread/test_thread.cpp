#include "engine/program_version.h"
#include "forum_pages.h"
#include "local_forum.h"
#include "thread/page_parser.h"
#include "thread/proposal_finder.h"
#include "thread/thread_messages.h"
#include "thread/thread_reader.h"

#include <QtTest>

using namespace vorlo;
using namespace vorlo::thread;

namespace {

// Five posts, two to a page, the second the master's; quotes, hidden parts and a signature.
const QList<test::PagePost> kPosts = {
    {"Zoé & Cie", {"Bonjour", "l&#39;&eacute;t&eacute; &amp; l&rsquo;hiver"}, "BEAU", "LOIN", true},
    {"Maître", {"Le tour 3 est joué."}},
    {"Jean-Éric", {"QU'IL EST BEAU", "<b>qu’il</b> est laid"}},
    {"Lou", {"Bravo à tous !"}},
    {"Max", {}, "BEAU", "LOIN"}};
const QStringList kRead = {"1 Zoé & Cie: Bonjour/l'été & l’hiver",
                           "3 Jean-Éric: QU'IL EST BEAU/qu’il est laid", "4 Lou: Bravo à tous !",
                           "5 Max: "};
const QString kGiven[] = {"/viewtopic.php?t=7", "/threads/vorlo.7/page-2", "/t/vorlo/42"};
const QStringList kPages[] = {
    {"/viewtopic.php?t=7", "/viewtopic.php?t=7&start=2", "/viewtopic.php?t=7&start=4"},
    {"/threads/vorlo.7/", "/threads/vorlo.7/page-2", "/threads/vorlo.7/page-3"},
    {"/t/vorlo/42.json", "/t/vorlo/42.json?page=2", "/t/vorlo/42.json?page=3"}};

QStringList listed(const std::vector<ForumPost>& posts) {
    QStringList texts;
    for (const ForumPost& post : posts) {
        texts << QString::number(post.number) + ' ' + post.author + ": " + post.lines.join('/');
    }
    return texts;
}

void serve_thread(test::LocalForum& forum, ForumKind kind) {
    for (int page = 0; page < 3; ++page) {
        QByteArray body = test::forum_page(kind, kPosts.mid(page * 2, 2), page * 2 + 1, 5, 2);
        // What would make a browser load more, which must not be asked for.
        body.replace("</body>", "<img src=\"/t.gif\"><iframe src=\"/f\"></iframe></body>");
        forum.set(kPages[int(kind)].at(page), {.body = body});
    }
    forum.set(kGiven[2], {.body = "<meta name=\"generator\" content=\"Discourse 3.2\">"});
}

// Reads a thread to its end: what the reader told, in order.
QStringList read_thread(ThreadReader& reader, const ThreadRequest& request, ThreadReading& out) {
    QStringList told;
    QObject context;
    QObject::connect(&reader, &ThreadReader::finished, &context, [&](const ThreadReading& read) {
        told << "finished";
        out = read;
    });
    QObject::connect(&reader, &ThreadReader::failed, &context, [&](QString m) { told << m; });
    QObject::connect(&reader, &ThreadReader::cancelled, &context, [&] { told << "cancelled"; });
    reader.read(request);
    (void)QTest::qWaitFor([&] { return !reader.is_reading(); }, 10000);
    QTest::qWait(20);  // nothing else may come
    return told;
}

}  // namespace

class TestThread : public QObject {
    Q_OBJECT

  private slots:
    void reads_the_posts_after_the_last_one_read_data() {
        QTest::addColumn<ForumKind>("kind");
        QTest::addColumn<int>("last_read");  // its number
        QTest::addColumn<int>("last_id");    // the forum's identifier, as its number; 0: none
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<QStringList>("posts");
        for (const auto kind : {ForumKind::PhpBB, ForumKind::XenForo, ForumKind::Discourse}) {
            const char* name = QList{"phpBB", "XenForo", "Discourse"}.at(int(kind));
            QTest::addRow("%s, nothing read", name) << kind << 0 << 0 << QList{1, 2, 3} << kRead;
            QTest::addRow("%s, 3 by id", name) << kind << 0 << 3 << QList{1, 2, 3} << kRead.mid(2);
            QTest::addRow("%s, 4 read", name) << kind << 4 << 4 << QList{1, 3} << kRead.mid(3);
        }
    }

    void reads_the_posts_after_the_last_one_read() {
        QFETCH(ForumKind, kind);
        QFETCH(int, last_read);
        QFETCH(int, last_id);
        QFETCH(QList<int>, pages);
        test::LocalForum forum;
        serve_thread(forum, kind);
        ThreadReader reader;
        ThreadReading read;
        const int base = QList{100, 500, 900}.at(int(kind));
        const QString id = last_id ? QString::number(base + last_id) : "";
        const QStringList told =
            read_thread(reader, {forum.url(kGiven[int(kind)]), " maître", last_read, id}, read);
        // The posts of others after the last one read; the last one is read, the master's too.
        QTEST(listed(read.posts), "posts");
        QCOMPARE(QString::number(read.last_post_number) + ' ' + read.last_post_id,
                 QString("5 %1").arg(base + 5));
        // Only the pages of the thread were asked for, one by one, by Vorlo.
        QStringList asked = kind == ForumKind::Discourse ? QStringList(kGiven[2]) : QStringList();
        for (const int page : pages) {
            asked << kPages[int(kind)].at(page - 1);
        }
        QCOMPARE(forum.asked, asked);
        QCOMPARE(forum.user_agents,
                 QList<QByteArray>(asked.size(), "Vorlo/" + QByteArray(kProgramVersion)));
        QCOMPARE(told, QStringList("finished"));
    }

    void stops_at_the_page_limit_goes_on_and_follows_redirects() {
        test::LocalForum forum;
        serve_thread(forum, ForumKind::PhpBB);
        forum.set("/ancien", {.status = 301, .location = forum.url(kGiven[0]).toEncoded()});
        ThreadReader reader;
        reader.set_page_limit(2);
        ThreadReading read;
        read_thread(reader, {forum.url("/ancien"), "maître", 0, {}}, read);
        QVERIFY(read.stopped_at_page_limit && read.last_post_number == 4);
        QCOMPARE(listed(read.posts), kRead.mid(0, 3));
    }

    // Only http(s) addresses are read and followed, a page in time and size, or one message.
    void each_failure_gives_one_message_data() {
        QTest::addColumn<QString>("address");  // the local forum's when empty, none when "-"
        QTest::addColumn<test::Answer>("answer");
        QTest::addColumn<QString>("message");
        const auto row = [](const QByteArray& name, const test::Answer& answer,
                            const QString& message, const QString& address = {}) {
            QTest::newRow(name.constData()) << address << answer << message;
        };
        row("403", {403}, messages::login_required());
        row("500", {500}, messages::server_error(500));
        row("login page", {.body = "<form><input type=\"PASSWORD\"></form>"},
            messages::login_required());
        row("another page", {.body = "<p>Accueil</p>"}, messages::unsupported_page());
        row("timeout", {.hang = true}, messages::timed_out(1));
        row("cancelled", {.hang = true}, "cancelled");
        row("announced over the limit", {.body = "x", .length = "30000000"},
            messages::page_too_large(20));
        row("received over the limit", {.body = QByteArray(100001, 'x'), .length = "none"},
            messages::page_too_large(20));
        for (const char* scheme : {"ftp://127.0.0.1/fil", "file:///etc/passwd", "javascript:x"}) {
            row("redirect to " + QByteArray(scheme), {.status = 302, .location = scheme},
                messages::redirect_scheme());
            row(scheme, {}, messages::address_scheme(), scheme);
        }
        row("no address", {}, messages::no_address(), "-");
        row("no host", {}, messages::address_scheme(), "http:///x");
    }

    void each_failure_gives_one_message() {
        QFETCH(QString, address);
        QFETCH(test::Answer, answer);
        QFETCH(QString, message);
        test::LocalForum forum;
        forum.set(kGiven[0], answer);
        ThreadReader reader;
        reader.set_page_timeout(std::chrono::milliseconds(1000));
        reader.set_page_size_limit(100000);
        QTimer::singleShot(message == "cancelled" ? 100 : 60000, &reader, &ThreadReader::cancel);
        const QUrl url =
            address.isEmpty() ? forum.url(kGiven[0]) : QUrl(address == "-" ? "" : address);
        ThreadReading read;
        const QStringList told = read_thread(reader, {url, {}, 0, {}}, read);
        QCOMPARE(told, QStringList(message));
        QCOMPARE(forum.asked.isEmpty(), !address.isEmpty());
    }

    // A page pasted, else its text: "par NAME » TIME" begins a post, or each paragraph is one.
    void reads_pasted_pages_and_text() {
        const QString page = test::phpbb_page(kPosts, 1, 1, 5);
        QCOMPARE(listed(new_posts(posts_from_paste(page, "x"), 0, {}, "MAÎTRE")), kRead);
        const QString headed =
            "Vorlo\npar Zoé » lun. 11:02\nBonjour\n\nbeau a l'aube\n"
            "par Lou » 11:05\n> QU'IL EST,\nBravo !\n";
        const auto posts = posts_from_paste("<p>pas un fil</p>", headed);
        QCOMPARE(listed(posts) << posts.at(0).time,
                 QStringList({"1 Zoé: Bonjour/beau a l'aube", "2 Lou: Bravo !", "lun. 11:02"}));
        QCOMPARE(listed(posts_from_paste(QString("<div>").repeated(200000),
                                         "Un\r\ndeux\r\n\r\n\r\ntrois\n> cité")),
                 QStringList({"1 : Un/deux", "2 : trois"}));
    }

    // The last line that fits, punctuation put back, others after '+'; else the closest ('~').
    void finds_the_proposal() {
        const QString chat = "** **** ****";
        const QStringList rows[] = {
            // the found text, the post's lines, the proposal
            {"**'** *** ****, * *'****,", "Salut|quil EST BEAU A L'AUBE",
             "QU'IL EST BEAU, A L'AUBE,"},
            {"*** ! ****", "les chat", "LES ! CHAT"},
            {chat, "le chat dort|Bravo|le chat mort|la", "LE CHAT MORT +LE CHAT DORT"},
            {chat, "le chat|la chien dort|bravo a vous tous", "~LA CHIEN DORT"},
            {"****", "be.au", "~BE.AU"},
            {"", "le chat", "~LE CHAT"},
            {chat, "  ", "~"}};
        for (const QStringList& row : rows) {
            const FoundProposal result = find_proposal(row[1].split('|'), row[0]);
            const QStringList others = result.alternatives();
            QCOMPARE((result.fits() ? "" : "~") + result.proposal() +
                         (others.isEmpty() ? "" : " +" + others.join(" +")),
                     row[2]);
        }
    }
};

QTEST_GUILESS_MAIN(TestThread)
#include "test_thread.moc"
