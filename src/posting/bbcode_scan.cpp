#include "posting/bbcode_scan.h"

#include <QRegularExpression>

namespace vorlo {

std::vector<BbcodeTag> bbcode_tags(const QString& text, const QStringList& inert_tags) {
    static const QRegularExpression tag(
        QStringLiteral("\\[(/?)([A-Za-z][A-Za-z0-9]*|\\*)"
                       "(?:=([^\\[\\]\\r\\n]*))?\\]"));
    std::vector<BbcodeTag> tags;
    QString inert;  // the inert tag that is open
    for (QRegularExpressionMatchIterator it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        BbcodeTag found{match.capturedStart(), match.capturedEnd(), match.captured(2).toLower(),
                        match.captured(3), !match.captured(1).isEmpty()};
        if (!inert.isEmpty() && !(found.closing && found.name == inert)) {
            continue;
        }
        if (found.closing && found.name == inert) {
            inert.clear();
        } else if (!found.closing && inert_tags.contains(found.name)) {
            inert = found.name;
        }
        tags.push_back(found);
    }
    return tags;
}

}  // namespace vorlo
