#include "posting/forum_posts.h"
#include "posting/post_check.h"
#include "posting/post_rendering.h"
#include "report/forum_message.h"
#include "report/forum_preview.h"
#include "report/game_posts.h"

#include <QRegularExpression>
#include <QtTest>

#include <cmark.h>

#include <functional>

using namespace vorlo;

namespace {

const QString kCr(QChar(13));
const QString kBracketed = QStringLiteral("[b]Zoé[/b]");
const QString kStarred = QStringLiteral("A*B_C*");

// What each BBCode forum accepts, written from its own documentation: the tags a post may
// use, those whose content shows as it stands, and its sizes. Kept apart from the program's
// table so that a wrong row there is caught here.
struct ForumDoc {
    PostingProfile profile;
    QStringList tags;
    QStringList inert;
    std::function<bool(const QString&)> size;
};

bool whole_in(const QString& value, int low, int high) {
    bool ok = false;
    const int n = value.toInt(&ok);
    return ok && n >= low && n <= high;
}

const std::vector<ForumDoc>& forum_docs() {
    static const std::vector<ForumDoc> docs = {
        // The program's own forums: [font], [size=1..7], [color].
        {PostingProfile::Classique,
         {"b", "color", "font", "size"},
         {},
         [](const QString& v) { return whole_in(v, 1, 7); }},
        // phpBB's BBCode guide: no [font]; [size] in percent, 20 to 200.
        {PostingProfile::Phpbb3,
         {"b", "i", "u", "color", "size", "code", "quote"},
         {"code"},
         [](const QString& v) { return whole_in(v, 20, 200); }},
        // XenForo's BB code help: [FONT], [SIZE=1] to [SIZE=7], [PLAIN], [CODE].
        {PostingProfile::Xenforo2,
         {"b", "i", "u", "color", "font", "size", "plain", "code"},
         {"plain", "code"},
         [](const QString& v) { return whole_in(v, 1, 7); }},
        // SMF's BBCode list: [font], [size=10pt], [nobbc], [code].
        {PostingProfile::Smf2,
         {"b", "i", "u", "color", "font", "size", "nobbc", "code", "tt"},
         {"nobbc", "code"},
         [](const QString& v) {
             return whole_in(v, 1, 7) ||
                    QRegularExpression("^[1-9]\\d?(pt|px)$").match(v).hasMatch();
         }},
        // MyBB's MyCode page: named sizes; [font] may be turned off, so a post avoids it.
        {PostingProfile::Mybb,
         {"b", "i", "u", "color", "size", "code"},
         {"code"},
         [](const QString& v) {
             return QStringList{"xx-small", "x-small", "small",   "medium",
                                "large",    "x-large", "xx-large"}
                 .contains(v);
         }},
    };
    return docs;
}

const ForumDoc* doc_of(PostingProfile profile) {
    for (const ForumDoc& doc : forum_docs()) {
        if (doc.profile == profile) {
            return &doc;
        }
    }
    return nullptr;
}

// Checks a BBCode post against its forum's documentation; returns what the players read.
QString bbcode_reading(const ForumDoc& doc, const QString& post) {
    static const QRegularExpression tag("\\[(/?)([a-zA-Z*]+)(?:=([^\\]]*))?\\]");
    QStringList open;
    QString text;
    qsizetype at = 0;
    for (auto it = tag.globalMatch(post); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(2).toLower();
        const bool closing = !m.captured(1).isEmpty();
        if (!open.isEmpty() && doc.inert.contains(open.back()) &&
            !(closing && name == open.back())) {
            continue;  // shown as it stands
        }
        text += post.mid(at, m.capturedStart() - at);
        at = m.capturedEnd();
        [&] {
            QVERIFY2(doc.tags.contains(name), qPrintable("unknown tag " + m.captured()));
            if (name == "size" && !closing) {
                QVERIFY2(doc.size(m.captured(3)), qPrintable("size out of range " + m.captured()));
            }
            if (closing) {
                QVERIFY2(!open.isEmpty() && open.takeLast() == name,
                         qPrintable("crossed " + m.captured()));
            } else {
                open << name;
            }
        }();
    }
    [&] { QVERIFY2(open.isEmpty(), qPrintable(open.join(' '))); }();
    return text + post.mid(at);
}

// Renders Markdown as the CommonMark reference does; returns the text and the HTML.
QString commonmark(const QString& markdown) {
    const QByteArray bytes = markdown.toUtf8();
    char* html = cmark_markdown_to_html(bytes.constData(), bytes.size(), CMARK_OPT_DEFAULT);
    const QString result = QString::fromUtf8(html);
    free(html);
    return result;
}

// The text a player reads, after the forum has read the post's markup.
QString reading(PostingProfile profile, const QString& post) {
    const ForumRules& rules = rules_of(profile);
    if (rules.markup == Markup::Bbcode) {
        return bbcode_reading(*doc_of(profile), post).replace(kCr, "\n");
    }
    if (rules.markup == Markup::Markdown) {
        const QString html = commonmark(post);
        [&] {
            QVERIFY2(!html.contains("<em>"), qPrintable(html));
            QVERIFY2(!html.contains("<a "), qPrintable(html));
        }();
        QString text = html;
        text.remove(QRegularExpression("<[^>]*>"));
        return text.replace("&lt;", "<")
            .replace("&gt;", ">")
            .replace("&quot;", "\"")
            .replace("&amp;", "&");
    }
    return post;
}

// A name as the players of that forum read it.
QString name_read(PostingProfile profile, const QString& name) {
    return rules_of(profile).markup == Markup::Bbcode ? bbcode_name(name) : name;
}

TurnPostInput a_turn() {
    TurnPostInput turn{"L* *HA*", 2, 3, "E C T ", 4, kStarred, "LA CHAT", {}};
    turn.scores = {{kBracketed, 5, 1}, {kStarred, 3, 2}, {"Éric", 1, 3}, {"Bob", 1, 4}};
    return turn;
}

}  // namespace

class TestForumPosts : public QObject {
    Q_OBJECT

  private slots:
    void classique_is_the_programs_own_post() {
        TurnPostInput turn = a_turn();
        QCOMPARE(turn_post(PostingProfile::Classique, turn),
                 "[font=Courier New][size=5]L* *HA*[/size][/font]" + kCr +
                     "[b][color=#FF0000]2[/color][/b] lettre(s) trouvée(s). " + kCr +
                     "[b][color=#FF0000]3[/color][/b] lettres à placer " + kCr +
                     "[font=Courier New][size=5][color=#4132F5]E C T [/color][/size][/font]" + kCr);
        for (const auto& [found, remaining] : {std::pair{"LE CHAT", 0}, {"", 0}, {"[B]*", 7}}) {
            turn.found_text = found;
            turn.remaining_count = remaining;
            QCOMPARE(turn_post(PostingProfile::Classique, turn),
                     build_forum_message(found, 2, remaining, "E C T "));
        }
        QCOMPARE(scoreboard_post(PostingProfile::Classique, turn.scores),
                 build_scoreboard_post(turn.scores));
        QCOMPARE(recap_post(PostingProfile::Classique, "LE CHAT", 4, turn.scores),
                 build_recap_post("LE CHAT", 4, turn.scores));
    }

    void every_post_reads_as_its_forum_reads_it_data() {
        QTest::addColumn<int>("profile");
        QTest::addColumn<QString>("post");
        QTest::addColumn<QStringList>("read");  // in this order
        for (const ForumRules& rules : forum_rules()) {
            const PostingProfile p = rules.profile;
            const QByteArray key = rules.key.toUtf8();
            const char* name = key.constData();
            // The program's own post shows the puzzle's brackets as they are.
            const QString sentence = p == PostingProfile::Classique ? "L'ÉTÉ" : "L'ÉTÉ [*]";
            const TurnPostInput turn = a_turn();
            TurnPostInput won = turn;
            won.found_text = "LE CHAT";
            won.remaining_count = 0;
            const QString first = name_read(p, kBracketed);
            const QString second = name_read(p, kStarred);
            QTest::addRow("%s turn", name)
                << int(p) << turn_post(p, turn)
                << QStringList{"L* *HA*",          "2",    "lettre(s) trouvée(s).", "3",
                               "lettres à placer", "E C T"};
            if (p != PostingProfile::Classique) {
                TurnPostInput closing = turn;  // a puzzle that closes what holds it
                closing.found_text = "[/CODE][/plain][/nobbc] [B]*";
                QTest::addRow("%s brackets of the puzzle", name)
                    << int(p) << turn_post(p, closing) << QStringList{"*"};
            }
            QTest::addRow("%s won", name)
                << int(p) << turn_post(p, won) << QStringList{"LE CHAT", "Bravo, c'est gagné !"};
            QTest::addRow("%s empty page", name) << int(p) << turn_post(p, TurnPostInput{}, true)
                                                 << QStringList{"Bravo, c'est gagné !"};
            QTest::addRow("%s scoreboard", name)
                << int(p) << scoreboard_post(p, turn.scores)
                << QStringList{"Classement", "1. " + first + " : 5 lettres",
                               "2. " + second + " : 3 lettres", "4. Bob : 1 lettre"};
            QTest::addRow("%s nobody yet", name)
                << int(p) << scoreboard_post(p, {})
                << QStringList{"Classement", "Aucun joueur n'a encore joué."};
            QTest::addRow("%s recap", name)
                << int(p) << recap_post(p, sentence, 4, turn.scores)
                << QStringList{"Partie terminée !", sentence, "Trouvée en 4 tours.", "Classement",
                               "1. " + first};
            QTest::addRow("%s detailed turn", name)
                << int(p) << turn_post(p, turn, true)
                << QStringList{"Tour 4 : proposition de " + second + " :",
                               "LA CHAT",
                               "L* *HA*",
                               "lettres à placer",
                               "E C T",
                               "En tête : 1. " + first,
                               "(5 lettres)",
                               "3. Éric (1 lettre)"};
            QTest::addRow("%s detailed win", name)
                << int(p) << turn_post(p, won, true)
                << QStringList{"LE CHAT", "Bravo, c'est gagné !",
                               "Trouvée par " + second + " en 4 tours."};
        }
    }

    void every_post_reads_as_its_forum_reads_it() {
        QFETCH(int, profile);
        QFETCH(QString, post);
        QFETCH(QStringList, read);
        const auto p = PostingProfile(profile);
        const QString text = reading(p, post);
        if (QTest::currentTestFailed()) {
            qInfo().noquote() << post;
            return;
        }
        qsizetype at = 0;
        for (const QString& part : read) {
            const qsizetype found = text.indexOf(part, at);
            QVERIFY2(found >= 0, qPrintable(part + " not in order in:\n" + text));
            at = found + part.size();
        }
        QVERIFY2(!text.contains("Bob (") && !text.contains("Trouvée.") && !text.contains("Tour 0"),
                 qPrintable(text));
        // Line ends: a carriage return alone for the program's own post, else a line feed.
        QVERIFY(post.endsWith(p == PostingProfile::Classique ? QChar(13) : QChar(10)));
        QVERIFY(!post.contains(p == PostingProfile::Classique ? QChar(10) : QChar(13)));
        // A post for a forum with the rules of the forum: nothing to warn of.
        QCOMPARE(post_warnings(p, post), QStringList());
    }

    void names_stay_text_data() {
        QTest::addColumn<int>("profile");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("written");
        const QString turned = QStringLiteral("\u202EZoé\u2066 [x]_*\r\nB");
        QTest::newRow("bbcode") << int(PostingProfile::Phpbb3) << turned
                                << QStringLiteral("Zoé \u27E6x\u27E7_* B");
        QTest::newRow("markdown") << int(PostingProfile::Discourse) << turned
                                  << QStringLiteral("Zoé \\[x\\]\\_\\* B");
        QTest::newRow("markdown markup") << int(PostingProfile::Discourse) << " <a>&`~|!# "
                                         << "\\<a\\>\\&\\`\\~\\|\\!\\#";
        QTest::newRow("plain") << int(PostingProfile::TexteBrut) << turned << "Zoé [x]_* B";
    }

    void names_stay_text() {
        QFETCH(int, profile);
        QFETCH(QString, name);
        QFETCH(QString, written);
        QCOMPARE(rules_of(PostingProfile(profile)).name(name), written);
    }

    void warnings_before_posting_data() {
        QTest::addColumn<int>("profile");
        QTest::addColumn<QString>("post");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("warned");  // a fragment of each warning, in order
        const QString classique = build_forum_message("L* *HA*", 2, 3, "E C T ");
        QTest::newRow("classique on phpbb")
            << int(PostingProfile::Phpbb3) << classique << QStringList{}
            << QStringList{"n'a pas la balise [font]",
                           "[size=5] est hors de l'échelle de phpBB "
                           "3 (20 à 200 %)"};
        QTest::newRow("phpbb sizes")
            << int(PostingProfile::Phpbb3) << "[size=20]a[/size][size=201]b[/size][size=19]c[/size]"
            << QStringList{} << QStringList{"[size=201]", "[size=19]"};
        QTest::newRow("xenforo sizes")
            << int(PostingProfile::Xenforo2) << "[size=8]a[/size][size=7]b[/size][size=0]c[/size]"
            << QStringList{} << QStringList{"[size=8]", "[size=0]"};
        QTest::newRow("smf sizes") << int(PostingProfile::Smf2)
                                   << "[size=18pt]a[/size][size=8]b[/size][size=100pt]c[/size]"
                                   << QStringList{} << QStringList{"[size=8]", "[size=100pt]"};
        QTest::newRow("mybb font and size")
            << int(PostingProfile::Mybb) << "[font=Arial][size=5]a[/size][/font]" << QStringList{}
            << QStringList{"MyBB n'affiche [font] que si", "[size=5]"};
        QTest::newRow("a bracket of the found text opens bold")
            << int(PostingProfile::Classique) << build_forum_message("[B]* *", 0, 2, "A B ")
            << QStringList{} << QStringList{"[b] n'est pas fermée"};
        QTest::newRow("a stray closing") << int(PostingProfile::Classique) << "a[/b]"
                                         << QStringList{} << QStringList{"[/b] ne ferme aucune"};
        QTest::newRow("inert content is not checked")
            << int(PostingProfile::Phpbb3) << "[code][font=x][size=9][b][/code]" << QStringList{}
            << QStringList{};
        QTest::newRow("markdown emphasis and tags")
            << int(PostingProfile::Discourse) << "[b]L* *HA*[/b] `[i]`" << QStringList{}
            << QStringList{"[b] s'affichera", "italique"};
        QTest::newRow("names on bbcode")
            << int(PostingProfile::Xenforo2) << "" << QStringList{"[b]Zoé", "A*\u202E", "C\nD"}
            << QStringList{"« [b]Zoé » contient des crochets", "« A* » contient des caractères",
                           "« C D » tient sur plusieurs lignes"};
        QTest::newRow("names on markdown")
            << int(PostingProfile::Discourse) << "" << QStringList{"]x", "_y"}
            << QStringList{"crochets", "* ou _"};
        QTest::newRow("names on plain text")
            << int(PostingProfile::TexteBrut) << "[font=x]" << QStringList{"[x]*_", "\u2067y"}
            << QStringList{"sens du texte"};
    }

    void warnings_before_posting() {
        QFETCH(int, profile);
        QFETCH(QString, post);
        QFETCH(QStringList, names);
        QFETCH(QStringList, warned);
        const QStringList warnings = post_warnings(PostingProfile(profile), post, names);
        QCOMPARE(warnings.size(), warned.size());
        for (qsizetype i = 0; i < warned.size(); ++i) {
            QVERIFY2(warnings.at(i).contains(warned.at(i)), qPrintable(warnings.at(i)));
        }
    }

    void preview_as_the_forum_shows_it_data() {
        QTest::addColumn<int>("profile");
        QTest::addColumn<QString>("post");
        QTest::addColumn<QString>("html");  // a part of the rendering
        QTest::newRow("phpbb code block")
            << int(PostingProfile::Phpbb3) << "[code][b]L* *\n[/code]\nx\ny"
            << "<pre style=\"font-family:monospace\">[b]L* *\n</pre>x<br/>y";
        QTest::newRow("phpbb lacks font") << int(PostingProfile::Phpbb3) << "[font=Arial]x[/font]"
                                          << ">[font=Arial]x[/font]<";
        QTest::newRow("phpbb percent")
            << int(PostingProfile::Phpbb3) << "[size=150][color=#4132F5]E[/color][/size]"
            << "<span style=\"font-size:15pt\"><span style=\"color:#4132F5\">E</span></span>";
        QTest::newRow("xenforo out of range") << int(PostingProfile::Xenforo2) << "[size=9]x[/size]"
                                              << ">[size=9]x[/size]<";
        QTest::newRow("xenforo plain")
            << int(PostingProfile::Xenforo2) << "[size=5][plain][b]<[/plain][/size]"
            << "<span style=\"font-size:18pt\"><span>[b]&lt;</span>";
        QTest::newRow("smf points") << int(PostingProfile::Smf2) << "[size=18pt]x[/size]\ny"
                                    << "<span style=\"font-size:18pt\">x</span><br/>y";
        QTest::newRow("mybb named") << int(PostingProfile::Mybb) << "[size=x-large]x[/size]"
                                    << "<span style=\"font-size:x-large\">x</span>";
        QTest::newRow("discourse") << int(PostingProfile::Discourse) << "**2** <b>x</b> \\*"
                                   << "<p><strong>2</strong> <!-- raw HTML omitted -->x<!-- raw "
                                      "HTML omitted --> *</p>";
        QTest::newRow("plain text") << int(PostingProfile::TexteBrut) << "[b]<&>\nx"
                                    << ">[b]&lt;&amp;&gt;<br/>x<";
    }

    void preview_as_the_forum_shows_it() {
        QFETCH(int, profile);
        QFETCH(QString, post);
        QFETCH(QString, html);
        const QString rendered = post_html(PostingProfile(profile), post);
        QVERIFY2(rendered.contains(html), qPrintable(rendered));
        const QString classique = turn_post(PostingProfile::Classique, a_turn());
        QCOMPARE(post_html(PostingProfile::Classique, classique), forum_html(classique));
    }

    void profiles_are_kept_by_key() {
        QSet<QString> keys;
        for (const ForumRules& rules : forum_rules()) {
            QCOMPARE(profile_from_key(rules.key), std::optional(rules.profile));
            QCOMPARE(&rules_of(rules.profile), &rules);
            keys << rules.key << rules.caption;
        }
        QCOMPARE(keys.size(), 14);
        QCOMPARE(forum_rules().front().profile, PostingProfile::Classique);
        QCOMPARE(profile_from_key("phpBB3"), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestForumPosts)
#include "test_forum_posts.moc"
