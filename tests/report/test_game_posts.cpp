#include "report/forum_message.h"
#include "report/forum_preview.h"
#include "report/game_posts.h"

#include <QtTest>

using namespace vorlo;

namespace {
const QString kCr(QChar(13));
}

class TestGamePosts : public QObject {
    Q_OBJECT

  private slots:
    void scoreboard_post_data() {
        QTest::addColumn<std::vector<Score>>("scores");
        QTest::addColumn<QString>("post");
        const QString title = "[b][color=#FF0000]Classement[/color][/b]" + kCr;
        QTest::newRow("nobody yet")
            << std::vector<Score>{} << title + "Aucun joueur n'a encore joué." + kCr;
        QTest::newRow("in the order given, singular and plural")
            << std::vector<Score>{{"Zoé", 12, 3}, {"Bob", 1, 1}, {"Éric", 0, 2}}
            << title + "1. [b]Zoé[/b] : 12 lettres" + kCr + "2. [b]Bob[/b] : 1 lettre" + kCr +
                   "3. [b]Éric[/b] : 0 lettre" + kCr;
        // A name is text: its brackets cannot open a tag, it cannot turn the text around
        // nor break the line.
        QTest::newRow("names are text")
            << std::vector<Score>{{"[b]Bob[/color]", 2, 1}, {"Zoé\u202E\r\nX\u2066", 1, 2}}
            << title + "1. [b]\u27E6b\u27E7Bob\u27E6/color\u27E7[/b] : 2 lettres" + kCr +
                   "2. [b]Zoé X[/b] : 1 lettre" + kCr;
    }

    void scoreboard_post() {
        QFETCH(std::vector<Score>, scores);
        QFETCH(QString, post);
        const QString built = build_scoreboard_post(scores);
        QCOMPARE(built, post);
        QVERIFY(!built.contains(QChar(10)));
    }

    void recap_post() {
        const std::vector<Score> scores = {{"Alice", 8, 1}};
        QCOMPARE(build_recap_post("LE CHAT", 1, scores),
                 "[b][color=#FF0000]Partie terminée ![/color][/b]" + kCr +
                     "[font=Courier New][size=5]LE CHAT[/size][/font]" + kCr +
                     "Trouvée en 1 tour." + kCr + kCr + build_scoreboard_post(scores));
        QVERIFY(build_recap_post("LE CHAT", 4, scores).contains("Trouvée en 4 tours." + kCr));
    }

    void preview_renders_the_forum_tags_data() {
        QTest::addColumn<QString>("bbcode");
        QTest::addColumn<QString>("html");
        const QString open = "<div style=\"white-space:pre-wrap\">";
        const QString close = "</div>";
        QTest::newRow("bold red") << "[b][color=#FF0000]3[/color][/b] lettres"
                                  << open +
                                         "<b><span style=\"color:#FF0000\">3</span></b> lettres" +
                                         close;
        QTest::newRow("monospaced and large")
            << "[font=Courier New][size=5]L* *HA*[/size][/font]"
            << open +
                   "<span style=\"font-family:'Courier New', monospace\"><span "
                   "style=\"font-size:18pt\">L* *HA*</span></span>" +
                   close;
        QTest::newRow("line ends")
            << "A" + kCr + "B\r\nC\nD" << open + "A<br/>B<br/>C<br/>D" + close;
        QTest::newRow("brackets of the found text stay")
            << "[*] [X] [/b] [size=9]" << open + "[*] [X] [/b] [size=9]" + close;
        QTest::newRow("sizes 1 to 7 only")
            << "[size=1]a[/size][size=7]b[/size][size=0]c[size=8]d"
            << open +
                   "<span style=\"font-size:8pt\">a</span><span style=\"font-size:36pt\">b</span>"
                   "[size=0]c[size=8]d" +
                   close;
        QTest::newRow("markup is escaped") << "<i>&\"" << open + "&lt;i&gt;&amp;&quot;" + close;
        QTest::newRow("unclosed tags are closed") << "[b]A" << open + "<b>A</b>" + close;
        QTest::newRow("a crossed closing shows as text")
            << "[b][color=#4132F5]A[/b]"
            << open + "<b><span style=\"color:#4132F5\">A[/b]</span></b>" + close;
        QTest::newRow("a font name cannot break out")
            << "[font=A'><script>]x[/font]" << open + "[font=A'&gt;&lt;script&gt;]x[/font]" + close;
    }

    void preview_renders_the_forum_tags() {
        QFETCH(QString, bbcode);
        QFETCH(QString, html);
        QCOMPARE(forum_html(bbcode), html);
    }

    void preview_of_a_winning_message_shows_its_line() {
        const QString html = forum_html(build_forum_message("LE CHAT", 2, 0, ""));
        QVERIFY2(html.contains("<b><span style=\"color:#FF0000\">Bravo, c'est gagné !</span></b>"),
                 qPrintable(html));
    }
};

QTEST_GUILESS_MAIN(TestGamePosts)
#include "test_game_posts.moc"
