#include "engine/counted_letters.h"
#include "engine/puzzle_state.h"
#include "engine/word_fit.h"

#include <QtTest>

using namespace vorlo;

namespace {

struct RuleReading {
    QString joined;
    std::optional<WordMismatch> mismatch;
};

// The word check read from its rules: copy, join, then compare word by word, every read
// of a position outside 1..600 or past its text giving nothing.
RuleReading read_by_the_rules(const PuzzleState& state, const QString& found,
                              const QString& typed) {
    RuleReading r;
    QList<QChar> found_table(kMaxTextLength + 1);
    QList<QChar> proposal_table(kMaxTextLength + 1);
    const auto word_char = [&state](const QList<QChar>& table, int pos) {
        const QChar c = pos >= 1 && pos <= kMaxTextLength ? table[pos] : QChar();
        return !c.isNull() && state.charset.contains(c);
    };
    for (int k = 1; k <= std::min<int>(found.size(), kMaxTextLength); ++k) {
        found_table[k] = found[k - 1];
    }
    r.joined = typed;
    for (int k = 1; k <= typed.size(); ++k) {
        const QChar c = k <= r.joined.size() ? r.joined[k - 1] : QChar();
        if (k <= kMaxTextLength) {
            proposal_table[k] = c;
        }
        if ((c == QChar('\'') || c == QChar(0x2019)) && k < r.joined.size() &&
            r.joined[k] == QChar(' ')) {
            r.joined.remove(k, 1);
        }
    }
    int p = 1;
    int q = 1;
    int n = 1;
    while (p != r.joined.size() + 1 && p <= found.size()) {
        const int p0 = p;
        const int q0 = q;
        while (word_char(found_table, p)) {
            ++p;
        }
        while (word_char(proposal_table, q)) {
            ++q;
        }
        if (p > p0) {
            if (p - p0 != q - q0) {
                r.mismatch = WordMismatch{n, found.mid(p0 - 1, p - p0),
                                          r.joined.mid(q0 - 1, q - q0), q0 - 1};
                return r;
            }
            ++n;
        }
        ++p;
        ++q;
    }
    return r;
}

QString repeat(QChar c, int n) {
    return QString(n, c);
}

}  // namespace

class TestWordFit : public QObject {
    Q_OBJECT

  private slots:
    void start_up_and_word_characters() {
        PuzzleState state;
        state.start_up();
        QCOMPARE(state.version, QStringLiteral("2.6.2"));
        QCOMPARE(state.charset_pos, 57);
        QCOMPARE(state.bad_word_pos, 0);
        QCOMPARE(state.charset.size(), kCharsetLength);
        for (int i = 0; i < kCharsetTableSize; ++i) {
            QCOMPARE(state.charset_table[static_cast<std::size_t>(i)],
                     i >= 1 && i <= 56 ? state.charset[i - 1] : QChar());
        }
        // Word characters, then counted letters.
        const QString in_word = QStringLiteral("A*.’²ÄÆŒÈ");
        const QString counted = QStringLiteral("AŒÈ");
        for (const QChar c : in_word + QStringLiteral("aä !?7") + QChar()) {
            QVERIFY2(state.is_word_character(c) == in_word.contains(c), qPrintable(QString(c)));
            QVERIFY2((letter_index_table()[c.unicode()] != kNotCounted) == counted.contains(c),
                     qPrintable(QString(c)));
        }
        QString init_order = counted_letters();
        QString tally = tally_order();
        std::sort(init_order.begin(), init_order.end());
        std::sort(tally.begin(), tally.end());
        QCOMPARE(init_order.size(), 38);
        QCOMPARE(init_order, tally);
    }

    void compares_word_lengths_data() {
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<QString>("mismatch");  // word number, found word/proposal word @start
        const auto row = [](const char* name, const QString& found, const QString& typed,
                            const QString& joined, const char* mismatch) {
            QTest::newRow(name) << found << typed << joined << QString::fromUtf8(mismatch);
        };
        row("second word too long", "*** ****!", "LES CHATS!", "LES CHATS!", "2 ****/CHATS @4");
        row("letters need not match", "*E* **A*", "ZZZ YYYY", "ZZZ YYYY", "");
        row("period sticks to its word", "*. **", "AB CD", "AB CD", "");
        row("period counted", "*. **", "A CD", "A CD", "1 *./A @0");
        row("fewer proposal words", "** *** !", "AB", "AB", "2 ***/ @3");
        row("surplus after the last found word", "** ***", "AB CDE FGH IJ", "AB CDE FGH IJ", "");
        row("last word compared", "** ***", "AB CD", "AB CD", "2 ***/CD @3");
        row("separators the proposal lacks", "*** ** !", "ABC DE", "ABC DE", "");
        row("question mark separates", "**?***", "AB CDE", "AB CDE", "");
        row("empty found words count no number", "**  ***", "AB  CD", "AB  CD", "2 ***/CD @4");
        row("typographic elision", "*’*****", "L’ HOMME", "L’HOMME", "");
        row("typewriter elision", "*'*****", "L' HOMME", "L'HOMME", "");
        row("blank before kept", "*******", "L 'HOMME", "L 'HOMME", "1 *******/L @0");
        row("only one blank removed", "** *****", "L'  HOMME", "L' HOMME", "");
        row("two elisions", "*****", "J' L’ A", "J'L’A", "");
        row("apostrophe at the end", "**", "L'", "L'", "");
        row("600 letters", repeat('*', 600), repeat('A', 600), repeat('A', 600), "");
        row("blanks after 590", repeat('*', 590) + repeat(' ', 10), repeat('A', 590),
            repeat('A', 590), "");
        row("last of 600", repeat(' ', 599) + "*", "A", "A", "");
        row("found text past 600", repeat('*', 700), repeat('A', 600), repeat('A', 600), "");
    }

    void compares_word_lengths() {
        QFETCH(QString, found);
        QFETCH(QString, typed);
        QFETCH(QString, joined);
        QFETCH(QString, mismatch);
        QCOMPARE(join_elisions(typed), joined);
        const std::optional<WordMismatch> m = find_word_mismatch(found, joined);
        QCOMPARE(m ? QStringLiteral("%1 %2/%3 @%4")
                         .arg(m->word_number)
                         .arg(m->found_word, m->proposal_word)
                         .arg(m->proposal_start)
                   : QString(),
                 mismatch);
    }

    // Against a plain reading of the rules on generated texts: short and long words, runs
    // of separators, spaced elisions, texts of up to 600 characters and proposals that run
    // past the found text.
    void agrees_with_the_rules_read_one_character_at_a_time() {
        PuzzleState state;
        state.start_up();
        QRandomGenerator random(20261207);
        const QString alphabet = QStringLiteral("*AÉŒ.'’-  !?");
        const auto text = [&](int max_length) {
            QString t;
            const int length = random.bounded(max_length + 1);
            for (int i = 0; i < length; ++i) {
                t += alphabet.at(random.bounded(alphabet.size()));
            }
            return t;
        };
        for (int round = 0; round < 3000; ++round) {
            const int max_length = round % 3 == 0 ? kMaxTextLength : 12;
            const QString found = text(max_length);
            const QString typed = round % 5 == 0 ? found : text(max_length);
            const RuleReading expected = read_by_the_rules(state, found, typed);
            const QString context =
                QStringLiteral("found \"%1\" proposal \"%2\"").arg(found, typed);
            QVERIFY2(join_elisions(typed) == expected.joined, qPrintable(context));
            const std::optional<WordMismatch> m = find_word_mismatch(found, expected.joined);
            QVERIFY2(m.has_value() == expected.mismatch.has_value(), qPrintable(context));
            if (m) {
                const WordMismatch& e = *expected.mismatch;
                QVERIFY2(m->found_word == e.found_word && m->proposal_word == e.proposal_word &&
                             m->word_number == e.word_number &&
                             m->proposal_start == e.proposal_start,
                         qPrintable(context));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestWordFit)
#include "test_word_fit.moc"
