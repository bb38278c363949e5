#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vorlo {

// One tag of a BBCode text, as "[name]", "[name=value]" or "[/name]".
struct BbcodeTag {
    qsizetype start = 0;  // of its "["
    qsizetype end = 0;    // just after its "]"
    QString name;         // lower case
    QString value;
    bool closing = false;
};

// The tags of `text`, in order. Inside a tag of `inert_tags` nothing is a tag up to that
// tag's own closing.
std::vector<BbcodeTag> bbcode_tags(const QString& text, const QStringList& inert_tags);

}  // namespace vorlo
