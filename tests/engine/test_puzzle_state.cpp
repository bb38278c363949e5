#include "engine/counted_letters.h"
#include "engine/puzzle_state.h"

#include <QtTest>

using namespace vorlo;

class TestPuzzleState : public QObject {
    Q_OBJECT

  private slots:
    void start_up_fills_the_charset_table() {
        PuzzleState state;
        state.start_up();
        QCOMPARE(state.version, QStringLiteral("2.6.2"));
        QCOMPARE(state.charset.size(), 56);
        QCOMPARE(state.charset_pos, 57);
        QCOMPARE(state.bad_word_pos, 0);
        QCOMPARE(state.charset_table[1], QChar('.'));
        QCOMPARE(state.charset_table[4], QChar(0x2019));
        QCOMPARE(state.charset_table[7], QChar('\''));
        QCOMPARE(state.charset_table[13], QChar('A'));
        QCOMPARE(state.charset_table[38], QChar('Z'));
        QCOMPARE(state.charset_table[46], QChar(0x00CB));
        QCOMPARE(state.charset_table[50], QChar(0x00CB));
        QCOMPARE(state.charset_table[55], QChar(0x0152));
        QCOMPARE(state.charset_table[56], QChar(0x00C6));
        for (int empty : {0, 57, 58, 59, 60}) {
            QVERIFY2(state.charset_table[static_cast<std::size_t>(empty)].isNull(),
                     qPrintable(QString::number(empty)));
        }
    }

    void word_characters_data() {
        QTest::addColumn<QChar>("c");
        QTest::addColumn<bool>("in_word");
        QTest::addColumn<bool>("counted");
        QTest::newRow("capital A") << QChar('A') << true << true;
        QTest::newRow("star") << QChar('*') << true << false;
        QTest::newRow("period") << QChar('.') << true << false;
        QTest::newRow("typographic apostrophe") << QChar(0x2019) << true << false;
        QTest::newRow("superscript two") << QChar(0x00B2) << true << false;
        QTest::newRow("capital A diaeresis") << QChar(0x00C4) << true << false;
        QTest::newRow("capital AE") << QChar(0x00C6) << true << false;
        QTest::newRow("capital OE") << QChar(0x0152) << true << true;
        QTest::newRow("capital E grave") << QChar(0x00C8) << true << true;
        QTest::newRow("lower a") << QChar('a') << false << false;
        QTest::newRow("lower a diaeresis") << QChar(0x00E4) << false << false;
        QTest::newRow("blank") << QChar(' ') << false << false;
        QTest::newRow("exclamation") << QChar('!') << false << false;
        QTest::newRow("question") << QChar('?') << false << false;
        QTest::newRow("digit") << QChar('7') << false << false;
        QTest::newRow("none") << QChar() << false << false;
    }

    void word_characters() {
        QFETCH(QChar, c);
        QFETCH(bool, in_word);
        QFETCH(bool, counted);
        PuzzleState state;
        state.start_up();
        QCOMPARE(state.is_word_character(c), in_word);
        QCOMPARE(letter_index_table()[c.unicode()] != kNotCounted, counted);
    }

    void counted_letters_are_the_38_capitals_in_both_orders() {
        QCOMPARE(counted_letters().size(), 38);
        QCOMPARE(tally_order().size(), 38);
        QString sorted_init = counted_letters();
        QString sorted_tally = tally_order();
        std::sort(sorted_init.begin(), sorted_init.end());
        std::sort(sorted_tally.begin(), sorted_tally.end());
        QCOMPARE(sorted_init, sorted_tally);
        for (int i = 0; i < counted_letters().size(); ++i) {
            QCOMPARE(int{letter_index_table()[counted_letters().at(i).unicode()]}, i);
        }
    }
};

QTEST_GUILESS_MAIN(TestPuzzleState)
#include "test_puzzle_state.moc"
