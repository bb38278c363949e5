#include "posting/forum_rules.h"

#include "report/forum_message.h"

#include <QRegularExpression>

namespace vorlo {

namespace {

// The text inside a tag whose content the forum shows as it stands: only that tag's own
// closing could end it early, so its brackets become the look-alikes of a name's.
QString inert(const QString& open, const QString& text, const QString& close) {
    QString inside = text;
    inside.replace(close, bbcode_name(close), Qt::CaseInsensitive);
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
    // clang-format off
    static const std::vector<ForumRules> table = {
        // The program's own post, for forums that take [font=Courier New][size=5] and
        // [color=#hex]: sizes 1 to 7, as the program's preview shows them.
        {.profile = PostingProfile::Classique, .key = "classique", .caption = "Classique",
         .markup = Markup::Bbcode, .line_end = QString(kPostLineEnd),
         .strong_open = kRedOpen, .strong_close = kRedClose, .bold_open = "[b]",
         .bold_close = "[/b]", .puzzle = classique_puzzle,
         .letters_open = "[font=Courier New][size=5]" + kBlueOpen,
         .letters_close = kBlueClose + "[/size][/font]", .name = bbcode_name,
         .tags = {"b", "color", "font", "size"}, .inert_tags = {}, .optional_tags = {},
         .size_scale = SizeScale::Steps, .size_min = 1, .size_max = 7},

        // phpBB's BBCode guide (the board's help page "BBCode guide"): the default tags are
        // b, i, u, quote, code, list, *, url, email, img, size, color and attachment, and no
        // [font]; [size] is the text size in percent, "starting at 20 (very small) through to
        // 200 (very large) by default"; [code] shows its content in a fixed-width font and
        // reads no tag in it.
        {.profile = PostingProfile::Phpbb3, .key = "phpbb3", .caption = "phpBB 3",
         .markup = Markup::Bbcode, .line_end = "\n",
         .strong_open = kRedOpen, .strong_close = kRedClose, .bold_open = "[b]",
         .bold_close = "[/b]", .puzzle = code_puzzle,
         .letters_open = "[size=150]" + kBlueOpen, .letters_close = kBlueClose + "[/size]",
         .name = bbcode_name,
         .tags = {"b", "i", "u", "quote", "code", "list", "*", "url", "email", "img", "size",
                  "color", "attachment"},
         .inert_tags = {"code"}, .optional_tags = {},
         .size_scale = SizeScale::Percent, .size_min = 20, .size_max = 200},

        // XenForo's BB code help page (the board's "help/bb-codes"): [COLOR=...],
        // [FONT=Courier New], [SIZE=1] (small) to [SIZE=7] (big), [CODE] and [ICODE] blocks,
        // and [PLAIN], whose content is not read as BB code; tag names in any case.
        {.profile = PostingProfile::Xenforo2, .key = "xenforo2", .caption = "XenForo 2",
         .markup = Markup::Bbcode, .line_end = "\n",
         .strong_open = kRedOpen, .strong_close = kRedClose, .bold_open = "[b]",
         .bold_close = "[/b]", .puzzle = xenforo_puzzle,
         .letters_open = "[font=Courier New][size=5]" + kBlueOpen,
         .letters_close = kBlueClose + "[/size][/font]", .name = bbcode_name,
         .tags = {"b", "i", "u", "s", "color", "bgcolor", "font", "size", "sub", "sup", "url",
                  "email", "left", "right", "center", "justify", "quote", "heading", "code",
                  "icode", "indent", "list", "*", "img", "media", "attach", "plain", "spoiler",
                  "ispoiler", "user", "table", "tr", "th", "td", "hr"},
         .inert_tags = {"code", "icode", "plain"}, .optional_tags = {},
         .size_scale = SizeScale::Steps, .size_min = 1, .size_max = 7},

        // SMF 2's own help on bulletin board codes: [font=...], [color=...], [size=10pt]
        // (points or pixels, or a step 1 to 7), [tt] and [code] in monospace, and [nobbc],
        // whose content shows as it stands.
        {.profile = PostingProfile::Smf2, .key = "smf2", .caption = "SMF 2",
         .markup = Markup::Bbcode, .line_end = "\n",
         .strong_open = kRedOpen, .strong_close = kRedClose, .bold_open = "[b]",
         .bold_close = "[/b]", .puzzle = smf_puzzle,
         .letters_open = "[font=Courier New][size=18pt]" + kBlueOpen,
         .letters_close = kBlueClose + "[/size][/font]", .name = bbcode_name,
         .tags = {"b", "i", "u", "s", "color", "font", "size", "tt", "code", "nobbc", "quote",
                  "url", "email", "img", "list", "li", "left", "center", "right", "hr", "sub",
                  "sup", "table", "tr", "td"},
         .inert_tags = {"code", "nobbc"}, .optional_tags = {},
         .size_scale = SizeScale::Points, .size_min = 1, .size_max = 99},

        // MyBB's documentation, page "MyCode" (docs.mybb.com): [size=xx-small] to
        // [size=xx-large], [font=Tahoma], [color=...], [code] and [php] blocks. The board's
        // MyCode settings can turn [font] off, so the puzzle goes in a [code] block.
        {.profile = PostingProfile::Mybb, .key = "mybb", .caption = "MyBB",
         .markup = Markup::Bbcode, .line_end = "\n",
         .strong_open = kRedOpen, .strong_close = kRedClose, .bold_open = "[b]",
         .bold_close = "[/b]", .puzzle = code_puzzle,
         .letters_open = "[size=x-large]" + kBlueOpen, .letters_close = kBlueClose + "[/size]",
         .name = bbcode_name,
         .tags = {"b", "i", "u", "s", "url", "email", "quote", "code", "php", "img", "color",
                  "size", "font", "align", "list", "*", "hr", "video"},
         .inert_tags = {"code", "php"}, .optional_tags = {"font"},
         .size_scale = SizeScale::Named, .size_min = 0, .size_max = 0},

        // Discourse reads Markdown as the CommonMark specification defines it: * and _ make
        // emphasis, a backslash before an ASCII punctuation character makes it a plain one, a
        // fenced code block shows its lines as they are in monospace, "1." begins a list.
        // Markdown has no colours and no sizes. Each line of the post is a paragraph of its
        // own, so that it shows on its own line whether single line breaks show or not.
        {.profile = PostingProfile::Discourse, .key = "discourse",
         .caption = "Discourse (Markdown)", .markup = Markup::Markdown, .line_end = "\n\n",
         .strong_open = "**", .strong_close = "**", .bold_open = "**", .bold_close = "**",
         .puzzle = markdown_puzzle, .letters_open = "`", .letters_close = "`",
         .name = markdown_name, .tags = {}, .inert_tags = {}, .optional_tags = {},
         .size_scale = SizeScale::None, .size_min = 0, .size_max = 0},

        // Plain text, for a chat: every character shows as it stands.
        {.profile = PostingProfile::TexteBrut, .key = "texte", .caption = "Texte brut",
         .markup = Markup::Plain, .line_end = "\n",
         .strong_open = {}, .strong_close = {}, .bold_open = {}, .bold_close = {},
         .puzzle = plain_puzzle, .letters_open = {}, .letters_close = {},
         .name = name_as_text, .tags = {}, .inert_tags = {}, .optional_tags = {},
         .size_scale = SizeScale::None, .size_min = 0, .size_max = 0},
    };
    // clang-format on
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
