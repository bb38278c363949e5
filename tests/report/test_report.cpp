#include "report/forum_message.h"
#include "report/forum_preview.h"
#include "report/game_posts.h"

#include <QtTest>

using namespace vorlo;

namespace {
const QString kCr(QChar(13));
const QString kRed = QStringLiteral("[b][color=#FF0000]");
const QString kRedEnd = QStringLiteral("[/color][/b]");
}  // namespace

class TestReport : public QObject {
    Q_OBJECT

  private slots:
    // Found text, found count, remaining count and letters pass as they stand; no count
    // left gives the winning message, whatever the letters say.
    void forum_message_data() {
        QTest::addColumn<QString>("found");
        QTest::addColumn<int>("remaining");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("message");
        const QString text = "[font=Courier New][size=5]%1[/size][/font]" + kCr;
        const QString won = text + kCr + kRed + "Bravo, c'est gagné !" + kRedEnd + kCr;
        const auto playing = [&text](const QString& found, int remaining, const QString& letters) {
            QTest::newRow(qPrintable(found.simplified()))
                << found << remaining << letters
                << text.arg(found) + kRed + "2" + kRedEnd + " lettre(s) trouvée(s). " + kCr + kRed +
                       QString::number(remaining) + kRedEnd + " lettres à placer " + kCr +
                       text.arg("[color=#4132F5]" + letters + "[/color]");
        };
        playing("L* *HA*", 3, "E C T ");
        playing("[B]*\r\nX", 12, "A\nB ");
        QTest::newRow("won") << "LE CHAT" << 0 << "" << won.arg("LE CHAT");
        QTest::newRow("won, stale letters") << "L* *HA*" << 0 << "E C T " << won.arg("L* *HA*");
    }

    void forum_message() {
        QFETCH(QString, found);
        QFETCH(int, remaining);
        QFETCH(QString, letters);
        QFETCH(QString, message);
        QCOMPARE(build_forum_message(found, 2, remaining, letters), message);
    }

    // The scoreboard in the order given, singular and plural; a name is text: its brackets
    // cannot open a tag, it cannot turn the text around nor break the line.
    void scoreboard_and_recap() {
        const QString title = kRed + "Classement" + kRedEnd + kCr;
        QCOMPARE(build_scoreboard_post({}), title + "Aucun joueur n'a encore joué." + kCr);
        const std::vector<Score> scores = {{"Zoé", 12, 3},
                                           {"Bob", 1, 1},
                                           {"[b]Éric[/color]", 0, 2},
                                           {"Al\u202E\r\nX\u2066", 2, 4}};
        const QString board = title + "1. [b]Zoé[/b] : 12 lettres" + kCr +
                              "2. [b]Bob[/b] : 1 lettre" + kCr +
                              "3. [b]\u27E6b\u27E7Éric\u27E6/color\u27E7[/b] : 0 lettre" + kCr +
                              "4. [b]Al X[/b] : 2 lettres" + kCr;
        QCOMPARE(build_scoreboard_post(scores), board);
        const QString recap = kRed + "Partie terminée !" + kRedEnd + kCr +
                              "[font=Courier New][size=5]LE CHAT[/size][/font]" + kCr +
                              "Trouvée en %1." + kCr + kCr + board;
        QCOMPARE(build_recap_post("LE CHAT", 1, scores), recap.arg("1 tour"));
        QCOMPARE(build_recap_post("LE CHAT", 4, scores), recap.arg("4 tours"));
    }

    void preview_data() {
        QTest::addColumn<QString>("bbcode");
        QTest::addColumn<QString>("html");
        QTest::newRow("bold red") << kRed + "3" + kRedEnd + " lettres"
                                  << "<b><span style=\"color:#FF0000\">3</span></b> lettres";
        QTest::newRow("monospaced and large")
            << "[font=Courier New][size=5]L* *HA*[/size][/font]"
            << "<span style=\"font-family:'Courier New', monospace\"><span "
               "style=\"font-size:18pt\">L* *HA*</span></span>";
        QTest::newRow("line ends") << "A" + kCr + "B\r\nC\nD" + kCr << "A<br/>B<br/>C<br/>D<br/>";
        QTest::newRow("brackets of the found text stay") << "[*] [X] [/b] [size=9] ["
                                                         << "[*] [X] [/b] [size=9] [";
        QTest::newRow("sizes 1 to 7 only")
            << "[size=1]a[/size][size=7]b[/size][size=0]c[size=8]d"
            << "<span style=\"font-size:8pt\">a</span><span style=\"font-size:36pt\">b</span>"
               "[size=0]c[size=8]d";
        QTest::newRow("markup is escaped") << "<i>&\""
                                           << "&lt;i&gt;&amp;&quot;";
        QTest::newRow("unclosed tags are closed") << "[b]A"
                                                  << "<b>A</b>";
        QTest::newRow("a crossed closing shows as text")
            << "[b][color=#4132F5]A[/b]"
            << "<b><span style=\"color:#4132F5\">A[/b]</span></b>";
        QTest::newRow("a font name cannot break out") << "[font=A'><script>]x[/font]"
                                                      << "[font=A'&gt;&lt;script&gt;]x[/font]";
    }

    void preview() {
        QFETCH(QString, bbcode);
        QFETCH(QString, html);
        QCOMPARE(forum_html(bbcode), "<div style=\"white-space:pre-wrap\">" + html + "</div>");
    }
};

QTEST_GUILESS_MAIN(TestReport)
#include "test_report.moc"
