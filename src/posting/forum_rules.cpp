#include "posting/forum_rules.h"

#include "report/forum_message.h"

#include <QRegularExpression>

namespace vorlo {

namespace {

// The text inside a tag whose content the forum shows as it stands: only that tag's own
// closing could end it early, so its brackets become look-alikes.
QString inert(const QString& open, const QString& text, const QString& close) {
    QString inside = text;
    inside.replace(
        close, QStringLiteral("\uFF3B") + close.mid(1, close.size() - 2) + QStringLiteral("\uFF3D"),
        Qt::CaseInsensitive);
    return open + inside + close;
}

QString classique_puzzle(const QString& text) {
    return puzzle_text_line(text).chopped(1);  // without its line end
}
QString code_puzzle(const QString& text) {
    return inert(QStringLiteral("[code]"), text, QStringLiteral("[/code]"));
}
QString xenforo_puzzle(const QString& text) {
    return QStringLiteral("[font=Courier New][size=5]") +
           inert(QStringLiteral("[plain]"), text, QStringLiteral("[/plain]")) +
           QStringLiteral("[/size][/font]");
}
QString smf_puzzle(const QString& text) {
    return QStringLiteral("[font=Courier New][size=18pt]") +
           inert(QStringLiteral("[nobbc]"), text, QStringLiteral("[/nobbc]")) +
           QStringLiteral("[/size][/font]");
}
// A fenced code block whose fence is longer than any run of backticks in the text.
QString markdown_puzzle(const QString& text) {
    qsizetype longest = 0;
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c == QLatin1Char('`') ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    const QString fence(std::max<qsizetype>(3, longest + 1), QLatin1Char('`'));
    return fence + QLatin1Char('\n') + text + QLatin1Char('\n') + fence;
}
QString plain_puzzle(const QString& text) {
    return text;
}

// Backslash before each ASCII punctuation character that Markdown (or Discourse's tables
// and strike-through) could read as markup; the name is trimmed so that bold around it holds.
QString markdown_name(const QString& name) {
    static const QString kMarkup = QStringLiteral("\\`*_[]<>&~|!#");
    QString text;
    for (const QChar c : name_as_text(name).trimmed()) {
        if (kMarkup.contains(c)) {
            text += QLatin1Char('\\');
        }
        text += c;
    }
    return text;
}

const QString kBlueOpen = QStringLiteral("[color=#4132F5]");
const QString kBlueClose = QStringLiteral("[/color]");
const QString kRedOpen = QStringLiteral("[b][color=#FF0000]");
const QString kRedClose = QStringLiteral("[/color][/b]");

}  // namespace

const std::vector<ForumRules>& forum_rules() {
    static const std::vector<ForumRules> table = {
        // The program's own post, for forums that take [font=Courier New][size=5] and
        // [color=#hex]: sizes 1 to 7, as the program's preview shows them.
        {PostingProfile::Classique,
         QStringLiteral("classique"),
         QStringLiteral("Classique"),
         Markup::Bbcode,
         QString(QChar(13)),
         kRedOpen,
         kRedClose,
         QStringLiteral("[b]"),
         QStringLiteral("[/b]"),
         classique_puzzle,
         QStringLiteral("[font=Courier New][size=5]") + kBlueOpen,
         kBlueClose + QStringLiteral("[/size][/font]"),
         bbcode_name,
         {"b", "color", "font", "size"},
         {},
         {},
         SizeScale::Steps,
         1,
         7},

        // phpBB's BBCode guide (the board's FAQ, "help/bbcode"): the default tags are b, i, u,
        // quote, code, list, *, url, email, img, size, color and attachment; there is no
        // [font]; [size] is "the text size in percent, starting at 20 (very small) through to
        // 200 (very large) by default"; [code] shows its content in a fixed-width font without
        // reading tags in it. phpBB turns the line ends of a post into LF.
        {PostingProfile::Phpbb3,
         QStringLiteral("phpbb3"),
         QStringLiteral("phpBB 3"),
         Markup::Bbcode,
         QStringLiteral("\n"),
         kRedOpen,
         kRedClose,
         QStringLiteral("[b]"),
         QStringLiteral("[/b]"),
         code_puzzle,
         QStringLiteral("[size=150]") + kBlueOpen,
         kBlueClose + QStringLiteral("[/size]"),
         bbcode_name,
         {"b", "i", "u", "quote", "code", "list", "*", "url", "email", "img", "size", "color",
          "attachment"},
         {"code"},
         {},
         SizeScale::Percent,
         20,
         200},

        // XenForo's BB code help page ("help/bb-codes"): [COLOR], [FONT=Courier New] and
        // [SIZE=1] to [SIZE=7], [CODE] and [ICODE], and [PLAIN], which "disables BB code
        // translation on the wrapped text"; tags are read in any case.
        {PostingProfile::Xenforo2,
         QStringLiteral("xenforo2"),
         QStringLiteral("XenForo 2"),
         Markup::Bbcode,
         QStringLiteral("\n"),
         kRedOpen,
         kRedClose,
         QStringLiteral("[b]"),
         QStringLiteral("[/b]"),
         xenforo_puzzle,
         QStringLiteral("[font=Courier New][size=5]") + kBlueOpen,
         kBlueClose + QStringLiteral("[/size][/font]"),
         bbcode_name,
         {"b",      "i",       "u",     "s",      "color", "bgcolor", "font",
          "size",   "sub",     "sup",   "url",    "email", "left",    "right",
          "center", "justify", "quote", "code",   "icode", "indent",  "list",
          "*",      "img",     "media", "attach", "plain", "spoiler", "ispoiler",
          "user",   "heading", "table", "tr",     "th",    "td",      "hr"},
         {"code", "icode", "plain"},
         {},
         SizeScale::Steps,
         1,
         7},

        // SMF 2's list of bulletin board codes (Simple Machines' online manual, "Alphabetical
        // list of BBCodes"): [font=...], [color=...], [size=10pt] (points or pixels, or a step
        // 1 to 7), [tt] and [code] in monospace, [nobbc] that shows tags as they are.
        {PostingProfile::Smf2,
         QStringLiteral("smf2"),
         QStringLiteral("SMF 2"),
         Markup::Bbcode,
         QStringLiteral("\n"),
         kRedOpen,
         kRedClose,
         QStringLiteral("[b]"),
         QStringLiteral("[/b]"),
         smf_puzzle,
         QStringLiteral("[font=Courier New][size=18pt]") + kBlueOpen,
         kBlueClose + QStringLiteral("[/size][/font]"),
         bbcode_name,
         {"b",     "i",     "u",   "s",     "color", "font", "size", "tt",   "code",
          "nobbc", "quote", "url", "email", "img",   "list", "li",   "left", "center",
          "right", "hr",    "sub", "sup",   "table", "tr",   "td"},
         {"code", "nobbc"},
         {},
         SizeScale::Points,
         1,
         99},

        // MyBB's documentation, "MyCode" (docs.mybb.com): [size=xx-small] to [size=xx-large],
        // [font=Tahoma], [color=...], [code] and [php] blocks. An administrator can turn
        // [font] off (the board's MyCode settings), so the puzzle goes in a [code] block.
        {PostingProfile::Mybb,
         QStringLiteral("mybb"),
         QStringLiteral("MyBB"),
         Markup::Bbcode,
         QStringLiteral("\n"),
         kRedOpen,
         kRedClose,
         QStringLiteral("[b]"),
         QStringLiteral("[/b]"),
         code_puzzle,
         QStringLiteral("[size=x-large]") + kBlueOpen,
         kBlueClose + QStringLiteral("[/size]"),
         bbcode_name,
         {"b", "i", "u", "s", "url", "email", "quote", "code", "php", "img", "color", "size",
          "font", "align", "list", "*", "hr", "video"},
         {"code", "php"},
         {"font"},
         SizeScale::Named,
         0,
         0},

        // Discourse reads Markdown, the CommonMark specification: * and _ are emphasis, a
        // backslash before ASCII punctuation makes it a plain character, a fenced code block
        // shows its lines as they are in monospace. Markdown has no colours and no sizes. Each
        // line of the post is its own paragraph, the same whether single line breaks show.
        {PostingProfile::Discourse,
         QStringLiteral("discourse"),
         QStringLiteral("Discourse (Markdown)"),
         Markup::Markdown,
         QStringLiteral("\n\n"),
         QStringLiteral("**"),
         QStringLiteral("**"),
         QStringLiteral("**"),
         QStringLiteral("**"),
         markdown_puzzle,
         QStringLiteral("`"),
         QStringLiteral("`"),
         markdown_name,
         {},
         {},
         {},
         SizeScale::None,
         0,
         0},

        // Plain text, for a chat: every character shows as it stands.
        {PostingProfile::TexteBrut,
         QStringLiteral("texte"),
         QStringLiteral("Texte brut"),
         Markup::Plain,
         QStringLiteral("\n"),
         {},
         {},
         {},
         {},
         plain_puzzle,
         {},
         {},
         name_as_text,
         {},
         {},
         {},
         SizeScale::None,
         0,
         0},
    };
    return table;
}

const ForumRules& rules_of(PostingProfile profile) {
    for (const ForumRules& rules : forum_rules()) {
        if (rules.profile == profile) {
            return rules;
        }
    }
    return forum_rules().front();
}

std::optional<PostingProfile> profile_from_key(const QString& key) {
    for (const ForumRules& rules : forum_rules()) {
        if (rules.key == key) {
            return rules.profile;
        }
    }
    return std::nullopt;
}

bool size_accepted(const ForumRules& rules, const QString& value) {
    static const QRegularExpression number(QStringLiteral("^(\\d{1,4})(pt|px)?$"));
    static const QStringList names = {"xx-small", "x-small", "small",   "medium",
                                      "large",    "x-large", "xx-large"};
    const QRegularExpressionMatch match = number.match(value.trimmed().toLower());
    const int size = match.hasMatch() ? match.captured(1).toInt() : -1;
    const bool unit = match.hasMatch() && !match.captured(2).isEmpty();
    switch (rules.size_scale) {
        case SizeScale::Steps:
        case SizeScale::Percent:
            return !unit && size >= rules.size_min && size <= rules.size_max;
        case SizeScale::Points:
            return unit ? size >= rules.size_min && size <= rules.size_max : size >= 1 && size <= 7;
        case SizeScale::Named:
            return names.contains(value.trimmed().toLower());
        case SizeScale::None:
            break;
    }
    return false;
}

}  // namespace vorlo
