#include "engine/word_fit.h"
#include "support/engine_harness.h"

#include <QtTest>

using namespace vorlo;
using vorlo::testing::EngineHarness;

namespace {

struct RuleReading {
    QString joined;
    int joins = 0;
    bool refused = false;
    QString found_word;
    QString proposal_word;
    int number = 0;
    int bad_word_pos = 0;
};

// The word check read from its rules: copy, join, then compare word by word, every read
// of a position outside 1..600 or past its text giving nothing.
RuleReading read_by_the_rules(const PuzzleState& state, const QString& found,
                              const QString& typed) {
    RuleReading r;
    QList<QChar> found_table(kMaxTextLength + 1);
    QList<QChar> proposal_table(kMaxTextLength + 1);
    const auto slot = [](const QList<QChar>& table, int pos) {
        return pos >= 1 && pos <= kMaxTextLength ? table[pos] : QChar();
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
            ++r.joins;
        }
    }
    int p = 1;
    int q = 1;
    int n = 1;
    while (p != r.joined.size() + 1 && p <= found.size()) {
        QString found_word;
        QString proposal_word;
        while (state.charset.contains(slot(found_table, p)) && !slot(found_table, p).isNull()) {
            found_word += slot(found_table, p++);
        }
        while (state.charset.contains(slot(proposal_table, q)) &&
               !slot(proposal_table, q).isNull()) {
            proposal_word += slot(proposal_table, q++);
        }
        if (!found_word.isEmpty()) {
            if (found_word.size() != proposal_word.size()) {
                r.refused = true;
                r.found_word = found_word;
                r.proposal_word = proposal_word;
                r.number = n;
                r.bad_word_pos = q - static_cast<int>(proposal_word.size());
                return r;
            }
            ++n;
        }
        ++p;
        ++q;
    }
    return r;
}

}  // namespace

class TestWordFit : public QObject {
    Q_OBJECT

  private slots:
    void compares_word_lengths_data() {
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("found_word");
        QTest::addColumn<QString>("proposal_word");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("bad_word_pos");

        QTest::newRow("second word too long") << "*** ****!"
                                              << "LES CHATS!" << true << "****"
                                              << "CHATS"
                                              << "2" << 5;
        QTest::newRow("fits") << "*** ****!"
                              << "LES CHAT!" << false << ""
                              << ""
                              << "" << 0;
        QTest::newRow("letters need not match") << "*E* **A*"
                                                << "ZZZ YYYY" << false << ""
                                                << ""
                                                << "" << 0;
        QTest::newRow("period sticks to its word") << "*. **"
                                                   << "AB CD" << false << ""
                                                   << ""
                                                   << "" << 0;
        QTest::newRow("period counted") << "*. **"
                                        << "A CD" << true << "*."
                                        << "A"
                                        << "1" << 1;
        QTest::newRow("fewer proposal words") << "** *** !"
                                              << "AB" << true << "***"
                                              << ""
                                              << "2" << 4;
        QTest::newRow("surplus after last found word") << "** ***"
                                                       << "AB CDE FGH IJ" << false << ""
                                                       << ""
                                                       << "" << 0;
        QTest::newRow("last word compared when found text ends in a letter")
            << "** ***"
            << "AB CD" << true << "***"
            << "CD"
            << "2" << 4;
        QTest::newRow("found text ends with separators the proposal lacks")
            << "*** ** !"
            << "ABC DE" << false << ""
            << ""
            << "" << 0;
        QTest::newRow("question mark separates words") << "**?***"
                                                       << "AB CDE" << false << ""
                                                       << ""
                                                       << "" << 0;
        QTest::newRow("empty found words count no number") << "**  ***"
                                                           << "AB  CD" << true << "***"
                                                           << "CD"
                                                           << "2" << 5;
    }

    void compares_word_lengths() {
        QFETCH(QString, found);
        QFETCH(QString, proposal);
        QFETCH(bool, refused);
        QFETCH(QString, found_word);
        QFETCH(QString, proposal_word);
        QFETCH(QString, number);
        QFETCH(int, bad_word_pos);
        EngineHarness h;
        h.view.soluce = found;
        h.view.propal = proposal;
        h.engine.check_word_fit();
        QCOMPARE(h.state.proposal_refused, refused);
        QCOMPARE(h.dialog.opened.size(), std::size_t{refused ? 1u : 0u});
        if (refused) {
            QCOMPARE(h.dialog.opened[0].found_word, found_word);
            QCOMPARE(h.dialog.opened[0].proposal_word, proposal_word);
            QCOMPARE(QString::number(h.dialog.opened[0].word_number), number);
            QCOMPARE(int{h.state.bad_word_pos}, bad_word_pos);
            QCOMPARE(h.state.bad_word, proposal_word);
        }
    }

    void joins_elisions_data() {
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<int>("changes");
        QTest::newRow("typographic") << "L’ HOMME"
                                     << "L’HOMME" << 1;
        QTest::newRow("typewriter") << "L' HOMME"
                                    << "L'HOMME" << 1;
        QTest::newRow("blank before kept") << "L 'HOMME"
                                           << "L 'HOMME" << 0;
        QTest::newRow("only one blank removed") << "L'  HOMME"
                                                << "L' HOMME" << 1;
        QTest::newRow("two elisions") << "J' L’ A"
                                      << "J'L’A" << 2;
        QTest::newRow("apostrophe at the end") << "L'"
                                               << "L'" << 0;
    }

    void joins_elisions() {
        QFETCH(QString, proposal);
        QFETCH(QString, joined);
        QFETCH(int, changes);
        EngineHarness h;
        h.view.soluce = "*******";
        h.view.propal = proposal;
        h.engine.check_word_fit();
        QCOMPARE(h.view.propal, joined);
        QCOMPARE(h.proposal_changes, changes);
    }

    void joined_elision_then_fits() {
        EngineHarness h;
        h.view.soluce = "*’*****";
        h.view.propal = "L’ HOMME";
        h.engine.check_word_fit();
        QVERIFY(!h.state.proposal_refused);
        QVERIFY(h.dialog.opened.empty());
    }

    void stays_within_texts_of_600_characters() {
        // A proposal word ending at position 600 and a found text with trailing separators
        // both end without reading past the working tables (ASan watches this).
        EngineHarness h;
        h.view.soluce = QString(600, '*');
        h.view.propal = QString(600, 'A');
        h.engine.check_word_fit();
        QVERIFY(!h.state.proposal_refused);

        h.view.soluce = QString(590, '*') + QString(10, ' ');
        h.view.propal = QString(590, 'A');
        h.engine.check_word_fit();
        QVERIFY(!h.state.proposal_refused);

        h.view.soluce = QString(599, ' ') + "*";
        h.view.propal = "A";
        h.engine.check_word_fit();
        QVERIFY(!h.state.proposal_refused);
    }

    void found_text_longer_than_the_tables_is_read_to_600() {
        EngineHarness h;
        h.view.soluce = QString(700, '*');
        h.view.propal = QString(600, 'A');
        h.engine.check_word_fit();
        QVERIFY(!h.state.proposal_refused);
    }

    // The check against a plain reading of its rules, one character at a time with every
    // read bounded, on generated texts: short and long words, runs of separators, spaced
    // elisions, texts of up to 600 characters and proposals that run past the found text.
    void agrees_with_the_rules_read_one_character_at_a_time() {
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
            EngineHarness h;
            h.view.soluce = found;
            h.view.propal = typed;
            h.engine.check_word_fit();
            const RuleReading expected = read_by_the_rules(h.state, found, typed);
            const QString context =
                QStringLiteral("found \"%1\" proposal \"%2\"").arg(found, typed);
            QVERIFY2(h.view.propal == expected.joined, qPrintable(context));
            // The same check as plain functions, with no state.
            QVERIFY2(join_elisions(typed) == expected.joined, qPrintable(context));
            const std::optional<WordMismatch> mismatch = find_word_mismatch(found, expected.joined);
            QVERIFY2(mismatch.has_value() == expected.refused, qPrintable(context));
            if (mismatch) {
                QVERIFY2(mismatch->found_word == expected.found_word, qPrintable(context));
                QVERIFY2(mismatch->proposal_word == expected.proposal_word, qPrintable(context));
                QVERIFY2(mismatch->word_number == expected.number, qPrintable(context));
                QVERIFY2(mismatch->proposal_start == expected.bad_word_pos - 1,
                         qPrintable(context));
            }
            QVERIFY2(h.proposal_changes == expected.joins, qPrintable(context));
            QVERIFY2(h.state.proposal_refused == expected.refused, qPrintable(context));
            if (expected.refused) {
                QVERIFY2(h.dialog.opened.size() == 1, qPrintable(context));
                QVERIFY2(h.dialog.opened[0].found_word == expected.found_word, qPrintable(context));
                QVERIFY2(h.dialog.opened[0].proposal_word == expected.proposal_word,
                         qPrintable(context));
                QVERIFY2(h.dialog.opened[0].word_number == expected.number, qPrintable(context));
                QVERIFY2(h.state.bad_word_pos == expected.bad_word_pos, qPrintable(context));
            }
        }
    }

    void bad_word_range_is_counted_from_zero() {
        EngineHarness h;
        h.view.soluce = "*** ****!";
        h.view.propal = "LES CHATS!";
        h.engine.check_word_fit();
        const TextRange range = bad_word_range(h.state);
        QCOMPARE(range.start, 4);
        QCOMPARE(range.length, 5);

        h.state.bad_word.clear();
        QCOMPARE(bad_word_range(h.state).length, 0);
    }
};

QTEST_GUILESS_MAIN(TestWordFit)
#include "test_word_fit.moc"
