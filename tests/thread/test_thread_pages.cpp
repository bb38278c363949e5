#include "engine/puzzle_game.h"
#include "engine/text_rules.h"
#include "forum_pages.h"
#include "thread/page_parser.h"
#include "thread/proposal_finder.h"
#include "thread/thread_messages.h"
#include "thread/thread_reader.h"
#include "thread/turn_preview.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QtTest>

using namespace vorlo;
using namespace vorlo::thread;
using vorlo::test::PagePost;

Q_DECLARE_METATYPE(vorlo::thread::ForumKind)

namespace {

const QString kFound = QStringLiteral("**'** *** ****, * *'****,");

// Five posts: entities and accents, the master, two candidate lines, no proposal found,
// nothing but a quote and hidden parts.
QList<PagePost> sample_posts() {
    return {
        {"Zoé & Cie",
         {"Bonjour à tous", "l&#39;&eacute;t&eacute; &amp; l&rsquo;hiver",
          "qu'il est beau a l'aube"},
         "QU'IL EST BEAU, A L'EST,",
         "QU'IL EST LOIN, A L'EST,",
         true},
        {"Maître", {"Le tour 3 est joué."}, {}, {}, true},
        {"Jean-Éric", {"QU'IL EST BEAU A L'AUBE", "<b>qu’il</b> est laid a l'aube"}, {}, {}, false},
        {"Lou", {"Bravo à tous !"}, {}, {}, false},
        {"Max", {}, "QU'IL EST BEAU, A L'EST,", "QU'IL EST LOIN, A L'EST,", false},
    };
}

QStringList numbers_of(const std::vector<ForumPost>& posts) {
    QStringList numbers;
    for (const ForumPost& post : posts) {
        numbers << QString::number(post.number) + ':' + post.author;
    }
    return numbers;
}

}  // namespace

class TestThreadPages : public QObject {
    Q_OBJECT

  private slots:
    void reads_each_forum_data() {
        QTest::addColumn<ForumKind>("kind");
        QTest::newRow("phpBB 3 prosilver") << ForumKind::PhpBB;
        QTest::newRow("XenForo 2") << ForumKind::XenForo;
        QTest::newRow("Discourse") << ForumKind::Discourse;
    }

    void reads_each_forum() {
        QFETCH(ForumKind, kind);
        // The second of two pages of five posts.
        const PageOutcome outcome =
            parse_page(test::forum_page(kind, sample_posts(), 6, 10, 5),
                       QUrl("http://127.0.0.1/t/vorlo/42.json?t=7&start=5&page=2"));
        QVERIFY2(outcome.page, qPrintable(outcome.failure));
        const ThreadPage& page = *outcome.page;
        QCOMPARE(page.kind, kind);
        QCOMPARE(page.page_number, 2);
        QCOMPARE(page.page_count, 2);
        QCOMPARE(page.per_page, 5);
        QCOMPARE(numbers_of(page.posts),
                 QStringList({"6:Zoé & Cie", "7:Maître", "8:Jean-Éric", "9:Lou", "10:Max"}));
        // Quotes, code, spoilers, images, signatures and edit notices are not the text.
        QCOMPARE(page.posts[0].lines,
                 QStringList({"Bonjour à tous", "l'été & l’hiver", "qu'il est beau a l'aube"}));
        QCOMPARE(page.posts[2].lines,
                 QStringList({"QU'IL EST BEAU A L'AUBE", "qu’il est laid a l'aube"}));
        QVERIFY(page.posts[4].lines.isEmpty());
        for (const ForumPost& post : page.posts) {
            QVERIFY(!post.time.isEmpty());
            QVERIFY(post.id.toInt() > 0);
        }

        // The new posts: after the last one read, the master's left out whatever its case.
        QCOMPARE(numbers_of(new_posts(page.posts, 6, {}, "  MAÎTRE ")),
                 QStringList({"8:Jean-Éric", "9:Lou", "10:Max"}));
        // The forum's identifiers tell what was read when they are known.
        QCOMPARE(numbers_of(new_posts(page.posts, 0, page.posts[2].id, "maître")),
                 QStringList({"9:Lou", "10:Max"}));

        // The same page pasted from a browser lists the same posts.
        if (kind != ForumKind::Discourse) {
            const auto pasted = posts_from_paste(
                QString::fromUtf8(test::forum_page(kind, sample_posts(), 6, 10, 5)), "x");
            QCOMPARE(pasted.size(), page.posts.size());
            for (std::size_t i = 0; i < pasted.size(); ++i) {
                QCOMPARE(pasted[i].author, page.posts[i].author);
                QCOMPARE(pasted[i].lines, page.posts[i].lines);
            }
        }
    }

    void tells_what_is_not_a_thread_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("json_address");
        const QString unsupported = thread::messages::unsupported_page();
        QTest::newRow("another page")
            << QByteArray("<html><body><p>Bienvenue</p></body></html>") << unsupported << "";
        QTest::newRow("login form")
            << QByteArray(
                   "<form action=\"./ucp.php?mode=login\"><input name=\"username\">"
                   "<input type=\"PASSWORD\" name=\"password\"></form>")
            << thread::messages::login_required() << "";
        QTest::newRow("deeper than any forum")
            << QByteArray("<div>").repeated(200000) << unsupported << "";
        QTest::newRow("Discourse topic page")
            << QByteArray("<meta name=\"generator\" content=\"Discourse 3.1.0\"><p>x</p>") << ""
            << "http://127.0.0.1/forum/t/vorlo/42.json";
        QTest::newRow("Discourse refusal")
            << QByteArray("{\"errors\":[\"x\"],\"error_type\":\"invalid_access\"}")
            << thread::messages::login_required() << "";
        QTest::newRow("other JSON") << QByteArray("{\"a\":1}") << unsupported << "";
        QTest::newRow("nothing") << QByteArray() << unsupported << "";
    }

    void tells_what_is_not_a_thread() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, failure);
        QFETCH(QString, json_address);
        const PageOutcome outcome =
            parse_page(bytes, QUrl("http://127.0.0.1/forum/t/vorlo/42/7?u=x"));
        QVERIFY(!outcome.page);
        QCOMPARE(outcome.failure, failure);
        QCOMPARE(outcome.json_address.toString(), json_address);
    }

    // A page cut anywhere, or mangled, is read without harm and never gains posts.
    void survives_broken_pages() {
        QRandomGenerator random(20261207);
        for (const ForumKind kind : {ForumKind::PhpBB, ForumKind::XenForo, ForumKind::Discourse}) {
            const QByteArray whole = test::forum_page(kind, sample_posts(), 1, 5, 5);
            for (int round = 0; round < 60; ++round) {
                QByteArray broken = whole.left(random.bounded(whole.size()));
                for (int k = 0; k < 5 && !broken.isEmpty(); ++k) {
                    broken[random.bounded(broken.size())] = char(random.bounded(256));
                }
                const PageOutcome outcome = parse_page(broken);
                QVERIFY(outcome.page || !outcome.failure.isEmpty());
                QVERIFY(!outcome.page || outcome.page->posts.size() <= 5);
            }
        }
    }

    void reads_a_page_in_its_declared_encoding() {
        QByteArray page = test::phpbb_page({{"Hélène", {"Ça va ?"}, {}, {}, false}}, 1, 1, 10);
        page.replace("<meta charset=\"utf-8\">", "<meta charset=\"iso-8859-1\">");
        const QByteArray latin1 = QStringEncoder(QStringConverter::Latin1)(QString::fromUtf8(page));
        const PageOutcome outcome = parse_page(latin1);
        QVERIFY(outcome.page);
        QCOMPARE(outcome.page->posts.at(0).author, QStringLiteral("Hélène"));
        QCOMPARE(outcome.page->posts.at(0).lines, QStringList("Ça va ?"));
    }

    void reads_pasted_text() {
        const QString headed =
            "Vorlo n° 12\npar Zoé » lun. 7 déc. 2026 11:02\nBonjour\nqu'il est beau a l'aube\n\n"
            "par Lou » lun. 7 déc. 2026 11:05\n> QU'IL EST BEAU, A L'EST,\nBravo !\n";
        QCOMPARE(numbers_of(posts_from_paste("", headed)), QStringList({"1:Zoé", "2:Lou"}));
        QCOMPARE(posts_from_text(headed).at(1).lines, QStringList("Bravo !"));
        QCOMPARE(posts_from_text(headed).at(0).time, QStringLiteral("lun. 7 déc. 2026 11:02"));
        // Without headers, each paragraph is a post of unknown author.
        const auto paragraphs = posts_from_text("Un\r\ndeux\r\n\r\n\r\ntrois\n> cité");
        QCOMPARE(numbers_of(paragraphs), QStringList({"1:", "2:"}));
        QCOMPARE(paragraphs.at(0).lines, QStringList({"Un", "deux"}));
        QCOMPARE(paragraphs.at(1).lines, QStringList("trois"));
    }

    void finds_the_proposal_data() {
        QTest::addColumn<QString>("found");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<QStringList>("alternatives");
        QTest::newRow("punctuation put back")
            << kFound << QStringList{"Salut", "QU'IL EST BEAU A L'AUBE"}
            << "QU'IL EST BEAU, A L'AUBE," << true << QStringList();
        QTest::newRow("apostrophe put back")
            << kFound << QStringList{"quil est beau, a laube,"} << "QU'IL EST BEAU, A L'AUBE,"
            << true << QStringList();
        QTest::newRow("separator put back")
            << "*** ! ****" << QStringList{"les chat"} << "LES ! CHAT" << true << QStringList();
        QTest::newRow("elision joined") << "*'***** ***" << QStringList{"l' homme  est"}
                                        << "L'HOMME EST" << true << QStringList();
        QTest::newRow("the last that fits, the others offered")
            << "** **** ****" << QStringList{"le chat dort", "Bravo", "le chat mort", "la"}
            << "LE CHAT MORT" << true << QStringList{"LE CHAT DORT"};
        QTest::newRow("none fits: the closest")
            << "** **** ****" << QStringList{"le chat", "le chats dort", "bravo a vous tous"}
            << "LE CHATS DORT" << false << QStringList();
        QTest::newRow("none fits: the later of two as close")
            << "** **** ****" << QStringList{"le chats dort", "la chien dort"} << "LA CHIEN DORT"
            << false << QStringList();
        QTest::newRow("punctuation is not a letter")
            << "****" << QStringList{"be.au"} << "BE.AU" << false << QStringList();
        // Générer passes over words after the found text's last one.
        QTest::newRow("a word too many")
            << "** ****" << QStringList{"le chat dort"} << "LE CHAT DORT" << true << QStringList();
        QTest::newRow("punctuation where a letter is hidden")
            << "**'**" << QStringList{"Q'UI"} << "Q'UI" << false << QStringList();
        QTest::newRow("no puzzle")
            << "" << QStringList{"le chat"} << "LE CHAT" << false << QStringList();
        QTest::newRow("nothing") << "** ****" << QStringList{"  "} << "" << false << QStringList();
    }

    void finds_the_proposal() {
        QFETCH(QString, found);
        QFETCH(QStringList, lines);
        QFETCH(QString, proposal);
        QFETCH(bool, fits);
        QFETCH(QStringList, alternatives);
        const FoundProposal result = find_proposal(lines, found);
        QCOMPARE(result.proposal(), proposal);
        QCOMPARE(result.fits(), fits);
        QCOMPARE(result.alternatives(), alternatives);
    }

    // Each proposal previewed in turn says what the engine then does with it.
    void previews_what_generer_does() {
        const QString reference = "LE CHAT DORT";
        const QStringList earlier = {"LA CHAT FORT"};
        const QStringList proposals = {
            "le chat fort", "LA CHAT FORT", "LES CHATS",      "",
            "le chat dort", "LE CHAT FORT", "L' E CHAT DORT", "la chat fort"};
        PuzzleGame game;
        game.load({}, QString(), {});
        game.edit_reference(reference);
        game.initialise();
        const QString found = game.found_text();
        QStringList cleaned;
        for (const QString& typed : proposals) {
            cleaned << clean_proposal(typed);
        }
        const auto previews = preview_turns({reference, found, earlier}, cleaned);
        QCOMPARE(previews.size(), std::size_t(proposals.size()));
        QStringList texts;
        for (std::size_t i = 0; i < previews.size(); ++i) {
            texts << preview_text(previews[i]);
            if (proposals.at(static_cast<qsizetype>(i)).isEmpty()) {
                continue;
            }
            const GameOutcome outcome =
                game.play(clean_proposal(proposals.at(static_cast<qsizetype>(i))), QString());
            const bool refused = outcome.kind == GameOutcome::Kind::WordMismatch;
            QCOMPARE(previews[i].outcome == TurnPreview::Outcome::WrongWord, refused);
            if (!refused) {
                QCOMPARE(previews[i].revealed, game.found_count());
                QCOMPARE(previews[i].proposal, game.proposal());
            }
        }
        QCOMPARE(texts,
                 QStringList(
                     {"juste : révèle 9 lettres", "reprise du tour 1, juste : révèle 0 lettres",
                      "refusée : le mot 1 n'a pas la bonne longueur", "aucune proposition trouvée",
                      "juste : révèle 1 lettre", "reprise du tour 2, juste : révèle 0 lettres",
                      "refusée : le mot 1 n'a pas la bonne longueur",
                      "reprise du tour 1, juste : révèle 0 lettres"}));

        QCOMPARE(preview_turns({reference, "", {}}, {"LE"}).at(0).outcome,
                 TurnPreview::Outcome::NoGame);
        QCOMPARE(preview_turns({reference, found, {}}, {QString(601, 'A')}).at(0).outcome,
                 TurnPreview::Outcome::TooLong);
        QCOMPARE(preview_turns({reference, found, {}}, {QString(600, 'A')}).at(0).outcome,
                 TurnPreview::Outcome::WrongWord);
    }
};

QTEST_GUILESS_MAIN(TestThreadPages)
#include "test_thread_pages.moc"
