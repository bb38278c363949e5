#include "posting/post_rendering.h"

#include "posting/bbcode_scan.h"
#include "report/forum_preview.h"

#include <QRegularExpression>

#include <cmark.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <optional>

namespace vorlo {

namespace {

// Points of the sizes 1 to 7.
constexpr std::array<int, 7> kStepPoints = {8, 10, 12, 14, 18, 24, 36};

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// Line ends as line breaks, the rest escaped; inside a code block they stay line ends.
QString text_html(const QString& text, bool in_block) {
    QString html;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QChar(13) || c == QChar(10)) {
            html += in_block ? QStringLiteral("\n") : QStringLiteral("<br/>");
            if (c == QChar(13) && i + 1 < n && text.at(i + 1) == QChar(10)) {
                ++i;
            }
            continue;
        }
        html += escaped(QString(c));
    }
    return html;
}

std::optional<QString> size_css(const ForumRules& rules, const QString& value) {
    if (!size_accepted(rules, value)) {
        return std::nullopt;
    }
    const QString size = value.trimmed().toLower();
    switch (rules.size_scale) {
        case SizeScale::Percent:  // of a 10-point text: the rich text knows no percentage
            return QString::number(std::max(1, size.toInt() / 10)) + QStringLiteral("pt");
        case SizeScale::Named:
            return size;
        case SizeScale::Points:
            if (size.endsWith(QLatin1String("pt")) || size.endsWith(QLatin1String("px"))) {
                return size;
            }
            [[fallthrough]];
        case SizeScale::Steps:
            return QString::number(kStepPoints[static_cast<std::size_t>(size.toInt() - 1)]) +
                   QStringLiteral("pt");
        case SizeScale::None:
            break;
    }
    return std::nullopt;
}

// The HTML that opens `tag` on this forum, or nothing when the forum shows it as text.
std::optional<QString> opening_html(const ForumRules& rules, const BbcodeTag& tag) {
    static const QRegularExpression colour(
        QStringLiteral("^(#[0-9A-Fa-f]{3}|#[0-9A-Fa-f]{6}|"
                       "[A-Za-z]{3,20})$"));
    static const QRegularExpression font(QStringLiteral("^[A-Za-z0-9 ,_-]{1,40}$"));
    const QString& name = tag.name;
    if (!rules.tags.contains(name)) {
        return std::nullopt;
    }
    if ((name == QLatin1String("b") || name == QLatin1String("i") || name == QLatin1String("u") ||
         name == QLatin1String("s")) &&
        tag.value.isEmpty()) {
        return QLatin1Char('<') + name + QLatin1Char('>');
    }
    if (name == QLatin1String("color") && colour.match(tag.value).hasMatch()) {
        return QStringLiteral("<span style=\"color:") + tag.value + QStringLiteral("\">");
    }
    if (name == QLatin1String("font") && font.match(tag.value).hasMatch()) {
        return QStringLiteral("<span style=\"font-family:'") + tag.value +
               QStringLiteral("', monospace\">");
    }
    if (name == QLatin1String("size")) {
        if (const std::optional<QString> css = size_css(rules, tag.value)) {
            return QStringLiteral("<span style=\"font-size:") + *css + QStringLiteral("\">");
        }
        return std::nullopt;
    }
    if (name == QLatin1String("tt")) {
        return QStringLiteral("<span style=\"font-family:monospace\">");
    }
    if (rules.inert_tags.contains(name)) {
        const bool block = name != QLatin1String("plain") && name != QLatin1String("nobbc") &&
                           name != QLatin1String("icode");
        return block ? QStringLiteral("<pre style=\"font-family:monospace\">")
                     : QStringLiteral("<span>");
    }
    return std::nullopt;
}

QString closing_html(const QString& opening) {
    if (opening.startsWith(QLatin1String("<pre"))) {
        return QStringLiteral("</pre>");
    }
    if (opening.startsWith(QLatin1String("<span"))) {
        return QStringLiteral("</span>");
    }
    return QStringLiteral("</") + opening.mid(1);
}

// The length of the line end at `at`: 2 for CR LF, 1 for CR or LF, 0 for none.
qsizetype line_end_at(const QString& text, qsizetype at) {
    if (at >= text.size() || (text.at(at) != QChar(13) && text.at(at) != QChar(10))) {
        return 0;
    }
    return text.mid(at, 2) == QLatin1String("\r\n") ? 2 : 1;
}

struct OpenTag {
    QString name;
    QString closing;
};

QString bbcode_html(const ForumRules& rules, const QString& post) {
    QString html = QStringLiteral("<div style=\"white-space:pre-wrap\">");
    std::vector<OpenTag> open;
    qsizetype at = 0;
    const auto in_block = [&open] {
        return !open.empty() && open.back().closing == QLatin1String("</pre>");
    };
    for (const BbcodeTag& tag : bbcode_tags(post, rules.inert_tags)) {
        html += text_html(post.mid(at, tag.start - at), in_block());
        at = tag.end;
        if (tag.closing && !open.empty() && open.back().name == tag.name) {
            html += open.back().closing;
            // A block ends its line: the line end after it makes no empty line.
            if (open.back().closing == QLatin1String("</pre>")) {
                at += line_end_at(post, at);
            }
            open.pop_back();
            continue;
        }
        const std::optional<QString> opening =
            tag.closing ? std::nullopt : opening_html(rules, tag);
        if (opening) {
            html += *opening;
            open.push_back({tag.name, closing_html(*opening)});
        } else {
            html += text_html(post.mid(tag.start, tag.end - tag.start), in_block());
        }
    }
    html += text_html(post.mid(at), in_block());
    while (!open.empty()) {
        html += open.back().closing;
        open.pop_back();
    }
    return html + QStringLiteral("</div>");
}

QString plain_html(const QString& post) {
    return QStringLiteral("<div style=\"white-space:pre-wrap\">") + text_html(post, false) +
           QStringLiteral("</div>");
}

}  // namespace

QString markdown_html(const QString& markdown) {
    const QByteArray bytes = markdown.toUtf8();
    // Raw HTML is left out: the library is safe by default.
    const std::unique_ptr<char, decltype(&std::free)> html(
        cmark_markdown_to_html(bytes.constData(), static_cast<size_t>(bytes.size()),
                               CMARK_OPT_DEFAULT),
        &std::free);
    return html ? QString::fromUtf8(html.get()) : QString();
}

QString post_html(PostingProfile profile, const QString& post) {
    const ForumRules& rules = rules_of(profile);
    if (profile == PostingProfile::Classique) {
        return forum_html(post);
    }
    switch (rules.markup) {
        case Markup::Bbcode:
            return bbcode_html(rules, post);
        case Markup::Markdown:
            return markdown_html(post);
        case Markup::Plain:
            break;
    }
    return plain_html(post);
}

}  // namespace vorlo
