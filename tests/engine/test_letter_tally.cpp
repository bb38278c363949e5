#include "support/engine_harness.h"

#include <QtTest>

using namespace vorlo;
using vorlo::testing::EngineHarness;

class TestLetterTally : public QObject {
    Q_OBJECT

  private slots:
    void recounts_hidden_letters_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("remaining");

        QTest::newRow("some revealed") << "LE CHAT"
                                       << "** *HA*"
                                       << "C E L T "
                                       << "4";
        QTest::newRow("all revealed") << "LE CHAT"
                                      << "LE CHAT"
                                      << ""
                                      << "0";
        QTest::newRow("no letters") << "12, 3 !"
                                    << "12, 3 !"
                                    << ""
                                    << "0";
        QTest::newRow("uncounted capitals") << "ÄÆ A"
                                            << "ÄÆ *"
                                            << "A "
                                            << "1";
        QTest::newRow("E and E acute apart") << "EÉE"
                                             << "***"
                                             << "EE É "
                                             << "3";
        QTest::newRow("tally order of accents")
            << "ËÎÔŒÈÊÂÛÉÙÇÀ" << QString(12, '*') << "À Ç Ù É Û Â Ê È Œ Ô Î Ë "
            << "12";
        QTest::newRow("twelve copies")
            << QString(12, 'S') << QString(12, '*') << QString(12, 'S') + " "
            << "12";
    }

    void recounts_hidden_letters() {
        QFETCH(QString, reference);
        QFETCH(QString, found);
        QFETCH(QString, letters);
        QFETCH(QString, remaining);
        EngineHarness h;
        h.view.ref = reference;
        h.view.soluce = found;
        h.view.lettres = "stale";
        h.view.lettres_restantes = "99";
        h.engine.tally_letters();
        QCOMPARE(h.view.lettres, letters);
        QCOMPARE(h.view.lettres_restantes, remaining);
    }

    void counts_start_from_zero_each_time() {
        EngineHarness h;
        h.view.ref = "AB";
        h.view.soluce = "**";
        h.engine.tally_letters();
        h.engine.tally_letters();
        QCOMPARE(h.view.lettres, QStringLiteral("A B "));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("2"));
    }

    void a_negative_count_shows_nothing_and_subtracts_nothing() {
        // The reference was edited after the initialisation: the found text shows an X
        // that the reference no longer holds.
        EngineHarness h;
        h.view.ref = "AB";
        h.view.soluce = "**X";
        h.engine.tally_letters();
        QCOMPARE(h.view.lettres, QStringLiteral("A B "));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("2"));
        QVERIFY(h.state.letter_counts[static_cast<std::size_t>('X' - 'A')] < 0);
    }
};

QTEST_GUILESS_MAIN(TestLetterTally)
#include "test_letter_tally.moc"
