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

// A "?" after anything but a blank goes; the character before it is then the last one
// kept, so one pass suffices.
QString remove_glued_question_marks(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == kQuestion && !out.isEmpty() && out.back() != kBlank) {
            continue;
        }
        out += c;
    }
    return out;
}

// Accents typed as a letter followed by a combining mark become the one accented letter.
QString composed(const QString& text) {
    return text.normalized(QString::NormalizationForm_C);
}

// Whether two blanks stand side by side; one straight pass without an early exit.
bool has_blank_run(const QString& text) {
    const char16_t* c = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype last = text.size() - 1;
    unsigned doubled = 0;
    for (qsizetype k = 0; k < last; ++k) {
        doubled |= static_cast<unsigned>(c[k] == u' ') & static_cast<unsigned>(c[k + 1] == u' ');
    }
    return doubled != 0;
}

}  // namespace

QString collapse_blank_runs(const QString& text) {
    if (!has_blank_run(text)) {
        return text;
    }
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
    return join_line_breaks(trim_blanks(to_capitals(composed(text))));
}

QString clean_proposal(const QString& text) {
    if (text.isEmpty()) {
        return text;
    }
    const QString glued = remove_glued_question_marks(composed(text));
    return collapse_blank_runs(join_line_breaks(trim_blanks(to_capitals(glued))));
}

QString strip_question_marks(const QString& text) {
    // One pass: a removed "?" leaves the last character kept before the characters still to
    // scan, so "the character before" is always the last one kept.
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != kQuestion) {
            out += c;
            continue;
        }
        if (i == n - 1) {
            out += c;  // a "?" that ends the text stays
            break;
        }
        const bool blank_before = out.isEmpty() || out.back() == kBlank;
        if (blank_before && text.at(i + 1) == kBlank) {
            out += c;
        }
    }
    return out;
}

}  // namespace vorlo
