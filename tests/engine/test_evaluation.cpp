#include "engine/counted_letters.h"
#include "support/engine_harness.h"
#include "ui/main_window/messages.h"

#include <QtTest>

using namespace vorlo;
using vorlo::testing::EngineHarness;

namespace {

struct PlayedTurn {
    QString found;
    QString letters;
    int found_count = 0;
    int remaining = 0;
};

// A turn read from its rules, one position at a time: the reveal, then the tally that
// counts the reference's letters and takes off those of the new found text.
PlayedTurn play_by_the_rules(const QString& reference, const QString& found,
                             const QString& proposal) {
    const auto at = [](const QString& text, qsizetype i) {
        return i < text.size() ? text[i] : QChar();
    };
    PlayedTurn turn;
    for (qsizetype i = 0; i < found.size(); ++i) {
        QChar s = found[i];
        const QChar r = at(reference, i);
        if (!at(proposal, i).isNull() && at(proposal, i) == r && s == QChar('*') &&
            counted_letters().contains(r)) {
            s = r;
            ++turn.found_count;
        }
        turn.found += s;
    }
    for (const QChar letter : tally_order()) {
        const qsizetype count = reference.count(letter) - turn.found.count(letter);
        if (count > 0) {
            turn.letters += QString(count, letter) + QChar(' ');
            turn.remaining += static_cast<int>(count);
        }
    }
    return turn;
}

}  // namespace

class TestEvaluation : public QObject {
    Q_OBJECT

  private slots:
    void input_checks_data() {
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing at all")
            << ""
            << "" << int(MessageIcon::Exclamation) << messages::not_initialised();
        QTest::newRow("no proposal")
            << "***"
            << "" << int(MessageIcon::Exclamation) << messages::no_proposal();
        QTest::newRow("601 characters") << "***" << QString(601, 'A') << int(MessageIcon::Critical)
                                        << messages::text_too_long();
    }

    void input_checks() {
        QFETCH(QString, found);
        QFETCH(QString, proposal);
        QFETCH(int, icon);
        QFETCH(QString, message);
        EngineHarness h;
        h.view.ref = "ABC";
        h.view.soluce = found;
        h.view.propal = proposal;
        h.view.lettres = "A B C ";
        h.view.lettres_trouvees = "7";
        h.view.lettres_restantes = "3";
        h.engine.evaluate_proposal();
        QCOMPARE(h.boxes.shown.size(), std::size_t{1});
        QCOMPARE(int(h.boxes.shown[0].icon), icon);
        QCOMPARE(h.boxes.shown[0].buttons, MessageButtons::Ok);
        QCOMPARE(h.boxes.shown[0].text, message);
        QCOMPARE(h.view.soluce, found);
        QCOMPARE(h.view.propal, proposal);
        QCOMPARE(h.view.lettres, QStringLiteral("A B C "));
        QCOMPARE(h.view.lettres_trouvees, QStringLiteral("7"));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("3"));
        QVERIFY(h.dialog.opened.empty());
    }

    void reveals_exact_positions_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("found_count");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("remaining");
        QTest::newRow("some letters") << "LE CHAT"
                                      << "LA CHAS"
                                      << "L* CHA*"
                                      << "4"
                                      << "E T "
                                      << "2";
        QTest::newRow("whole reference") << "L'ÉTÉ, À PARIS !"
                                         << "L'ÉTÉ, À PARIS !"
                                         << "L'ÉTÉ, À PARIS !"
                                         << "10"
                                         << ""
                                         << "0";
        QTest::newRow("positions not letters") << "EEE"
                                               << "EEE"
                                               << "EEE"
                                               << "3"
                                               << ""
                                               << "0";
        QTest::newRow("shorter proposal") << "AB !!"
                                          << "AB"
                                          << "AB !!"
                                          << "2"
                                          << ""
                                          << "0";
        QTest::newRow("accents after the tally") << "ÈÊ BC"
                                                 << "ZZ BC"
                                                 << "** BC"
                                                 << "2"
                                                 << "Ê È "
                                                 << "2";
    }

    void reveals_exact_positions() {
        QFETCH(QString, reference);
        QFETCH(QString, proposal);
        QFETCH(QString, found);
        QFETCH(QString, found_count);
        QFETCH(QString, letters);
        QFETCH(QString, remaining);
        EngineHarness h;
        h.start_puzzle(reference);
        h.play(proposal);
        QVERIFY(h.boxes.shown.empty());
        QVERIFY(h.dialog.opened.empty());
        QCOMPARE(h.view.soluce, found);
        QCOMPARE(h.view.lettres_trouvees, found_count);
        QCOMPARE(h.view.lettres, letters);
        QCOMPARE(h.view.lettres_restantes, remaining);
        QCOMPARE(h.state.saved_found, found);
        QCOMPARE(h.state.saved_letters, letters);
        QCOMPARE(int{h.state.saved_found_count}, found_count.toInt());
        QCOMPARE(int{h.state.saved_remaining_count}, remaining.toInt());
    }

    void the_same_proposal_twice_reveals_nothing_more() {
        EngineHarness h;
        h.start_puzzle("LE CHAT");
        h.play("LA CHAS");
        h.play("LA CHAS");
        QCOMPARE(h.view.lettres_trouvees, QStringLiteral("0"));
        QCOMPARE(h.view.soluce, QStringLiteral("L* CHA*"));
    }

    void a_600_character_proposal_is_evaluated() {
        EngineHarness h;
        h.start_puzzle(QString(600, 'A'));
        h.play(QString(600, 'A'));
        QVERIFY(h.boxes.shown.empty());
        QCOMPARE(h.view.lettres_trouvees, QStringLiteral("600"));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("0"));
    }

    void the_reference_edited_shorter_keeps_the_found_text_whole() {
        EngineHarness h;
        // The word check stops comparing when the found position meets the end of the
        // proposal, so the hidden fourth position is reached past both texts' ends.
        h.start_puzzle("AB *");
        h.view.ref = "AB";
        h.play("AB!");
        QVERIFY(h.dialog.opened.empty());
        QCOMPARE(h.view.soluce, QStringLiteral("AB *"));
        QCOMPARE(h.view.lettres_trouvees, QStringLiteral("2"));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("0"));
    }

    void a_star_typed_in_the_reference_is_never_found_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("proposal");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("found_count");
        QTest::addColumn<QString>("remaining");
        QTest::newRow("star between letters") << "A*B"
                                              << "A*C"
                                              << "A**"
                                              << "1"
                                              << "1";
        QTest::newRow("only the star matches") << "LE * CHAT"
                                               << "XX * XXXX"
                                               << "** * ****"
                                               << "0"
                                               << "6";
        QTest::newRow("everything matches") << "A*B"
                                            << "A*B"
                                            << "A*B"
                                            << "2"
                                            << "0";
    }

    void a_star_typed_in_the_reference_is_never_found() {
        QFETCH(QString, reference);
        QFETCH(QString, proposal);
        QFETCH(QString, found);
        QFETCH(QString, found_count);
        QFETCH(QString, remaining);
        EngineHarness h;
        h.start_puzzle(reference);
        h.play(proposal);
        QVERIFY(h.dialog.opened.empty());
        QCOMPARE(h.view.soluce, found);
        QCOMPARE(h.view.lettres_trouvees, found_count);
        QCOMPARE(h.view.lettres_restantes, remaining);
    }

    // A reference lengthened after "Initialiser" is refused like a long proposal, so the
    // counts stay within 0..600 and the page can still be saved.
    void a_reference_edited_past_600_characters_is_refused_data() {
        QTest::addColumn<int>("length");
        QTest::newRow("601") << 601;
        QTest::newRow("700") << 700;
        QTest::newRow("40 000") << 40000;
    }

    void a_reference_edited_past_600_characters_is_refused() {
        QFETCH(int, length);
        EngineHarness h;
        h.start_puzzle("AB");
        h.view.ref = QString(length, 'A');
        h.play("AB");
        QCOMPARE(h.boxes.shown.size(), std::size_t{1});
        QCOMPARE(h.boxes.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(h.boxes.shown[0].buttons, MessageButtons::Ok);
        QCOMPARE(h.boxes.shown[0].text, messages::text_too_long());
        QCOMPARE(h.view.soluce, QStringLiteral("**"));
        QCOMPARE(h.view.lettres, QStringLiteral("A B "));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("2"));
        QCOMPARE(h.view.propal, QStringLiteral("AB"));
    }

    void a_refused_proposal_restores_the_snapshot() {
        EngineHarness h;
        h.start_puzzle("LE CHAT");
        h.play("LA CHAS");
        const QString propal_before = "LE CHATTE";
        h.play(propal_before);
        QCOMPARE(h.dialog.opened.size(), std::size_t{1});
        QCOMPARE(h.dialog.opened[0].proposal_word, QStringLiteral("CHATTE"));
        QCOMPARE(h.view.soluce, QStringLiteral("L* CHA*"));
        QCOMPARE(h.view.lettres, QStringLiteral("E T "));
        QCOMPARE(h.view.lettres_trouvees, QStringLiteral("4"));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("2"));
        QCOMPARE(h.view.propal, propal_before);
        QVERIFY(!h.state.proposal_refused);

        // A second refusal without closing the dialog is undone too and shows its word.
        h.play("LE CHATONS");
        QCOMPARE(h.dialog.opened.size(), std::size_t{2});
        QCOMPARE(h.dialog.opened[1].proposal_word, QStringLiteral("CHATONS"));
        QCOMPARE(h.view.soluce, QStringLiteral("L* CHA*"));

        h.play("LE CHAT");
        QCOMPARE(h.view.soluce, QStringLiteral("LE CHAT"));
        QCOMPARE(h.view.lettres_trouvees, QStringLiteral("2"));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("0"));
    }

    void the_elision_edit_stays_after_a_refusal() {
        EngineHarness h;
        h.start_puzzle("L'AMI EST LA");
        h.play("L' AMI EST LAS");
        QCOMPARE(h.dialog.opened.size(), std::size_t{1});
        QCOMPARE(h.view.propal, QStringLiteral("L'AMI EST LAS"));
        QCOMPARE(h.view.soluce, QStringLiteral("*'*** *** **"));
    }

    // Generated turns against the rules: references with counted letters, letters that are
    // not counted and typed stars; found texts partly revealed, or left from a reference
    // edited since; proposals with the found text's words, partly right.
    void agrees_with_the_rules_read_one_position_at_a_time() {
        QRandomGenerator random(20261207);
        const QString alphabet = QStringLiteral("AEÉŒZÄa*7 .'");
        const auto pick = [&](const QString& from) { return from.at(random.bounded(from.size())); };
        int played = 0;
        for (int round = 0; round < 2000; ++round) {
            const int length = 1 + random.bounded(round % 4 == 0 ? kMaxTextLength : 16);
            QString reference;
            for (int i = 0; i < length; ++i) {
                reference += pick(alphabet);
            }
            EngineHarness h;
            h.start_puzzle(reference);
            QString found = h.view.soluce;
            for (qsizetype i = 0; i < found.size(); ++i) {
                if (found[i] == QChar('*') && random.bounded(3) == 0) {
                    found[i] = h.view.ref[i];
                }
            }
            // Now and then the reference was edited after the initialisation.
            QString played_reference = h.view.ref;
            if (round % 7 == 0) {
                played_reference = played_reference.left(random.bounded(length + 1)) +
                                   QString(random.bounded(4), pick(alphabet));
            }
            QString proposal;
            for (qsizetype i = 0; i < found.size(); ++i) {
                const bool word = h.state.is_word_character(found[i]);
                proposal += !word ? found[i]
                            : random.bounded(2) == 0 && i < played_reference.size()
                                ? played_reference[i]
                                : pick(QStringLiteral("AEÉŒZ"));
            }
            if (round % 11 == 0) {
                proposal.truncate(random.bounded(proposal.size() + 1));
            }
            h.view.ref = played_reference;
            h.view.soluce = found;
            h.view.propal = proposal;
            h.view.lettres_trouvees = QStringLiteral("9");
            h.engine.evaluate_proposal();
            if (h.state.proposal_refused || !h.dialog.opened.empty() || proposal.isEmpty()) {
                continue;  // a shortened proposal may not fit; the rules are for a turn played
            }
            ++played;
            // The word check has joined the elisions typed with a blank.
            const PlayedTurn expected = play_by_the_rules(played_reference, found, h.view.propal);
            const QString context = QStringLiteral("reference \"%1\" found \"%2\" proposal \"%3\"")
                                        .arg(played_reference, found, h.view.propal);
            QVERIFY2(h.view.soluce == expected.found, qPrintable(context));
            QVERIFY2(h.view.lettres == expected.letters, qPrintable(context));
            QVERIFY2(h.view.lettres_trouvees == QString::number(expected.found_count),
                     qPrintable(context));
            QVERIFY2(h.view.lettres_restantes == QString::number(expected.remaining),
                     qPrintable(context));
        }
        QVERIFY2(played > 1000, qPrintable(QString::number(played)));
    }
};

QTEST_GUILESS_MAIN(TestEvaluation)
#include "test_evaluation.moc"
