#include "posting/forum_posts.h"
#include "posting/post_check.h"
#include "posting/post_rendering.h"
#include "report/forum_message.h"
#include "report/game_posts.h"

#include <QRegularExpression>
#include <QtTest>

#include <cmark.h>

using namespace vorlo;

namespace {

// What each BBCode forum accepts by its own help pages (MyBB may turn [font] off), apart from
// the program's table: the tags, those whose content shows as it stands, the sizes.
struct ForumDoc {
    QStringList tags, inert;
    QString sizes;
};
const QMap<PostingProfile, ForumDoc> kDocs = {
    {PostingProfile::Classique, {{"b", "color", "font", "size"}, {}, "[1-7]"}},
    {PostingProfile::Phpbb3, {{"b", "color", "size", "code"}, {"code"}, "[2-9]\\d|1\\d\\d|200"}},
    {PostingProfile::Xenforo2, {{"b", "color", "font", "size", "plain"}, {"plain"}, "[1-7]"}},
    {PostingProfile::Smf2, {{"b", "color", "font", "size", "nobbc"}, {"nobbc"}, "[1-9]\\d?pt"}},
    {PostingProfile::Mybb, {{"b", "color", "size", "code"}, {"code"}, "(xx?-)?(small|large)"}},
};

// What the players read in a BBCode post, or why its forum would show a tag as text.
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
            (!closing || name != open.back())) {
            continue;  // shown as it stands
        }
        text += post.mid(at, m.capturedStart() - at);
        at = m.capturedEnd();
        const QRegularExpression size("^(" + doc.sizes + ")$");
        if (!doc.tags.contains(name) || (closing && (open.isEmpty() || open.takeLast() != name)) ||
            (!closing && name == "size" && !size.match(m.captured(3)).hasMatch())) {
            return "refused: " + m.captured();
        }
        if (!closing) {
            open << name;
        }
    }
    return open.isEmpty() ? text + post.mid(at) : "left open: " + open.join(' ');
}

// The text a player reads in the post; of Markdown, CommonMark's HTML without its tags.
QString reading(PostingProfile profile, const QString& post) {
    if (rules_of(profile).markup == Markup::Bbcode) {
        return bbcode_reading(kDocs[profile], post).replace(QChar(13), '\n');
    }
    if (rules_of(profile).markup == Markup::Plain) {
        return post;
    }
    const QByteArray bytes = post.toUtf8();
    char* rendered = cmark_markdown_to_html(bytes.constData(), bytes.size(), CMARK_OPT_DEFAULT);
    QString html = QString::fromUtf8(rendered);
    free(rendered);
    if (html.contains("<em>") || html.contains("<a ")) {
        return "emphasis or link: " + html;
    }
    return html.remove(QRegularExpression("<[^>]*>"));  // its text, escaped
}

// Names that are not text: brackets, direction controls, a line break, emphasis.
const QString kStarred = QStringLiteral("A*B_C*\u2066");
const std::vector<Score> kScores = {
    {"\u202E[b]Zoé[/b]\r\nB", 5, 1}, {kStarred, 3, 2}, {"Éric <a>&`", 1, 3}, {"Bob", 1, 4}};
TurnPostInput with(const QString& found, int remaining) {
    return {found, 2, remaining, "E C T ", 4, kStarred, "LA CHAT", kScores};
}

}  // namespace

class TestForumPosts : public QObject {
    Q_OBJECT

  private slots:
    void classique_is_the_programs_own_post() {
        using enum PostingProfile;
        QCOMPARE(turn_post(Classique, with("L* *HA*", 3)),
                 build_forum_message("L* *HA*", 2, 3, "E C T "));
        QCOMPARE(turn_post(Classique, with("", 0)), build_forum_message("", 2, 0, "E C T "));
        QCOMPARE(scoreboard_post(Classique, kScores), build_scoreboard_post(kScores));
        QCOMPARE(recap_post(Classique, "LE CHAT", 4, kScores),
                 build_recap_post("LE CHAT", 4, kScores));
    }

    // Each row: the post, and what the players read in it, in this order (%1: the first name).
    void every_post_reads_as_its_forum_reads_it_data() {
        QTest::addColumn<PostingProfile>("profile");
        QTest::addColumn<QString>("post");
        QTest::addColumn<QStringList>("read");
        for (const ForumRules& rules : forum_rules()) {
            const PostingProfile p = rules.profile;
            const bool classique = p == PostingProfile::Classique;
            const bool markdown = rules.markup == Markup::Markdown;
            const QString first = rules.markup == Markup::Bbcode ? "⟦b⟧Zoé⟦/b⟧ B" : "[b]Zoé[/b] B";
            const auto row = [&](const char* name, const QString& post, QString read) {
                read.replace("%1", first);  // and escaped as CommonMark's HTML holds it
                QTest::addRow("%s %s", qPrintable(rules.key), name)
                    << p << post << (markdown ? read.toHtmlEscaped() : read).split('|');
            };
            const QString sentence = classique ? "L'ÉTÉ" : "L'ÉTÉ [*] ```";
            row("turn", turn_post(p, with("L* *HA*", 3)),
                "L* *HA*|2|lettre(s) trouvée(s).|3|lettres à placer|E C T");
            if (!classique) {  // a puzzle that closes what holds it
                row("closing puzzle", turn_post(p, with("[/CODE][/plain][/nobbc] [B]*", 3)),
                    "[B]*");
                row("fenced puzzle", turn_post(p, with("```", 3)), "```");
            }
            row("recap", recap_post(p, sentence, 4, kScores),
                "Partie terminée !|" + sentence +
                    "|Trouvée en 4 tours.|Classement|1. %1 : 5 lettres|2. A*B_C* : 3 lettres|4. "
                    "Bob : 1 lettre");
            row("detailed turn", turn_post(p, with("L* *HA*", 3), true),
                "Tour 4 : proposition de A*B_C* :|LA CHAT|L* *HA*|lettres à placer|E C T|"
                "En tête : 1. %1|(5 lettres)|3. Éric <a>&` (1 lettre)");
            row("detailed win", turn_post(p, with("LE CHAT", 0), true),
                "LE CHAT|Bravo, c'est gagné !|Trouvée par A*B_C* en 4 tours.");
        }
    }

    void every_post_reads_as_its_forum_reads_it() {
        QFETCH(PostingProfile, profile);
        QFETCH(QString, post);
        QFETCH(QStringList, read);
        const QString text = reading(profile, post);
        qsizetype at = 0;
        for (const QString& part : read) {
            at = text.indexOf(part, at);
            QVERIFY2(at >= 0, qPrintable(part + " not in order in:\n" + text));
            at += part.size();
        }
        QVERIFY2(!text.contains("Bob (") && !text.contains("Trouvée.") && !text.contains("Tour 0"),
                 qPrintable(text));
        // Line ends: a carriage return alone for the program's own post, else a line feed.
        const bool classique = profile == PostingProfile::Classique;
        QVERIFY(post.endsWith(classique ? '\r' : '\n') && !post.contains(classique ? '\n' : '\r'));
        QCOMPARE(post_warnings(profile, post), QStringList());  // nothing to warn of
    }

    // Before posting: each size out of scale, tag lacking, emphasis, name changed is told.
    void warns_and_previews_as_the_forum_shows() {
        using enum PostingProfile;
        QCOMPARE(post_warnings(Phpbb3, "[size=20][size=200][code][font][/code][/size][/size]"), {});
        QCOMPARE(post_warnings(Phpbb3, "[size=19]a[/size][size=201]b[/size][font]").size(), 3);
        QCOMPARE(post_warnings(Discourse, "[b]L*[/b] `[i]` *a*", {"]x", "_y"}).size(), 4);
        QCOMPARE(post_warnings(Xenforo2, "", {"[b]Zoé", "A*\u202E", "C\nD", "Bob"}).size(), 3);
        QCOMPARE(post_warnings(TexteBrut, "[font=x]", {"[x]*_", "\u2067y"}).size(), 1);
        // The preview shows code as a block and a size on the forum's own scale.
        QVERIFY(post_html(PostingProfile::Phpbb3, "[code]L*[/code][size=150]x[/size]")
                    .contains("<pre style=\"font-family:monospace\">L*</pre><span "
                              "style=\"font-size:15pt\">x</span>"));
    }
};

QTEST_GUILESS_MAIN(TestForumPosts)
#include "test_forum_posts.moc"
