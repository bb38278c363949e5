#include "engine/text_rules.h"

namespace vorlo {

namespace {

constexpr QChar kBlank = QLatin1Char(' ');
constexpr QChar kMicro = QChar(0x00B5);
constexpr QChar kQuestion = QLatin1Char('?');

QString trim_blanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == kBlank) {
        --end;
    }
    qsizetype start = 0;
    while (start < end && text.at(start) == kBlank) {
        ++start;
    }
    return text.mid(start, end - start);
}

// Line breaks become blanks: each CR and LF turns into a micro sign, then every pair of
// micro signs, from the left, into one blank.
QString join_line_breaks(QString text) {
    text.replace(QLatin1Char('\r'), kMicro);
    text.replace(QLatin1Char('\n'), kMicro);
    text.replace(QString(2, kMicro), QString(kBlank));
    return text;
}

QString collapse_blank_runs(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == kBlank && out.endsWith(kBlank)) {
            continue;
        }
        out += c;
    }
    return out;
}

QString remove_glued_question_marks(QString text) {
    qsizetype i = 1;  // counted from 0: the second character
    while (i < text.size()) {
        if (text.at(i) == kQuestion && text.at(i - 1) != kBlank) {
            text.remove(i, 1);
        } else {
            ++i;
        }
    }
    return text;
}

}  // namespace

QString to_capitals(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c != kMicro) {
            c = c.toUpper();
        }
    }
    return out;
}

QString clean_reference(const QString& text) {
    if (text.isEmpty()) {
        return text;
    }
    return join_line_breaks(trim_blanks(to_capitals(text)));
}

QString clean_proposal(const QString& text) {
    if (text.isEmpty()) {
        return text;
    }
    const QString glued = remove_glued_question_marks(text);
    return collapse_blank_runs(join_line_breaks(trim_blanks(to_capitals(glued))));
}

QString strip_question_marks(const QString& text) {
    QString t = text;
    const qsizetype n = t.size();
    // Positions counted from 1, as the scan walks back after each removal.
    for (qsizetype i = 1; i <= n; ++i) {
        if (i > t.size() || t.at(i - 1) != kQuestion) {
            continue;
        }
        if (i == t.size()) {
            break;
        }
        const bool blank_before = i == 1 || t.at(i - 2) == kBlank;
        if (blank_before && t.at(i) == kBlank) {
            continue;
        }
        t.remove(i - 1, 1);
        i -= 2;  // the loop's step brings it back to the character before
        if (i < 0) {
            i = 0;
        }
    }
    return t;
}

}  // namespace vorlo
