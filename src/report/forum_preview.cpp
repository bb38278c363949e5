#include "report/forum_preview.h"

#include "report/forum_message.h"

#include <QRegularExpression>

#include <array>
#include <optional>
#include <vector>

namespace vorlo {

namespace {

// Points of the forum sizes 1 to 7.
constexpr std::array<int, 7> kSizePoints = {8, 10, 12, 14, 18, 24, 36};

struct OpenedTag {
    QString name;  // b, color, font or size
    QString html;
};

std::optional<OpenedTag> opening(const QString& tag) {
    const int equals = static_cast<int>(tag.indexOf(QLatin1Char('=')));
    const QString name = (equals < 0 ? tag : tag.left(equals)).toLower();
    const QString value = equals < 0 ? QString() : tag.mid(equals + 1);
    if (name == QLatin1String("b") && equals < 0) {
        return OpenedTag{name, QStringLiteral("<b>")};
    }
    if (name == QLatin1String("color")) {
        static const QRegularExpression colour(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
        if (colour.match(value).hasMatch()) {
            return OpenedTag{
                name, QStringLiteral("<span style=\"color:") + value + QStringLiteral("\">")};
        }
    }
    if (name == QLatin1String("font") && !value.isEmpty() &&
        !value.contains(QRegularExpression(QStringLiteral("[\"'<>&;]")))) {
        return OpenedTag{name, QStringLiteral("<span style=\"font-family:'") + value +
                                   QStringLiteral("', monospace\">")};
    }
    if (name == QLatin1String("size")) {
        bool ok = false;
        const int size = value.toInt(&ok);
        if (ok && size >= 1 && size <= static_cast<int>(kSizePoints.size())) {
            return OpenedTag{name, QStringLiteral("<span style=\"font-size:") +
                                       QString::number(kSizePoints[static_cast<size_t>(size - 1)]) +
                                       QStringLiteral("pt\">")};
        }
    }
    return std::nullopt;
}

QString closing_html(const QString& name) {
    return name == QLatin1String("b") ? QStringLiteral("</b>") : QStringLiteral("</span>");
}

QString escaped(QChar c) {
    switch (c.unicode()) {
        case '<':
            return QStringLiteral("&lt;");
        case '>':
            return QStringLiteral("&gt;");
        case '&':
            return QStringLiteral("&amp;");
        case '"':
            return QStringLiteral("&quot;");
        default:
            return QString(c);
    }
}

}  // namespace

QString forum_html(const QString& bbcode) {
    QString html = QStringLiteral("<div style=\"white-space:pre-wrap\">");
    std::vector<QString> open;
    const int n = static_cast<int>(bbcode.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = bbcode.at(i);
        if (c == QLatin1Char('[')) {
            const int end = static_cast<int>(bbcode.indexOf(QLatin1Char(']'), i + 1));
            const QString tag = end < 0 ? QString() : bbcode.mid(i + 1, end - i - 1);
            if (const std::optional<OpenedTag> tag_opened = opening(tag)) {
                html += tag_opened->html;
                open.push_back(tag_opened->name);
                i = end;
                continue;
            }
            if (tag.startsWith(QLatin1Char('/')) && !open.empty() &&
                open.back() == tag.mid(1).toLower()) {
                html += closing_html(open.back());
                open.pop_back();
                i = end;
                continue;
            }
        }
        if (c == kPostLineEnd || c == QChar(10)) {
            html += QStringLiteral("<br/>");
            if (c == kPostLineEnd && i + 1 < n && bbcode.at(i + 1) == QChar(10)) {
                ++i;
            }
            continue;
        }
        html += escaped(c);
    }
    while (!open.empty()) {
        html += closing_html(open.back());
        open.pop_back();
    }
    return html + QStringLiteral("</div>");
}

}  // namespace vorlo
