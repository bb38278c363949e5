#include "support/engine_harness.h"
#include "ui/main_window/messages.h"

#include <QtTest>

using namespace vorlo;
using vorlo::testing::EngineHarness;

class TestInitialisation : public QObject {
    Q_OBJECT

  private slots:
    void builds_found_text_and_inventory_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("cleaned_reference");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("remaining");

        QTest::newRow("words") << "BONJOUR LE MONDE"
                               << "BONJOUR LE MONDE"
                               << "******* ** *****"
                               << "B D EE J L M NN OOO R U "
                               << "14";
        QTest::newRow("accents after plain letters") << "L'ÉTÉ, À PARIS !"
                                                     << "L'ÉTÉ, À PARIS !"
                                                     << "*'***, * ***** !"
                                                     << "A I L P R S T À ÉÉ "
                                                     << "10";
        QTest::newRow("oe ligature and grave") << "CŒUR DE MÈRE"
                                               << "CŒUR DE MÈRE"
                                               << "**** ** ****"
                                               << "C D EE M RR U È Œ "
                                               << "10";
        QTest::newRow("uncounted capitals stay visible") << "NÖEL ET ÆON"
                                                         << "NÖEL ET ÆON"
                                                         << "*Ö** ** Æ**"
                                                         << "EE L NN O T "
                                                         << "7";
        QTest::newRow("lower case is not masked") << "Déjà vu"
                                                  << "Déjà vu"
                                                  << "*éjà vu"
                                                  << "D "
                                                  << "1";
        QTest::newRow("space runs reduced") << "A     B"
                                            << "A B"
                                            << "* *"
                                            << "A B "
                                            << "2";
        QTest::newRow("two spaces") << "  "
                                    << " "
                                    << " "
                                    << ""
                                    << "0";
        QTest::newRow("tabs and line breaks kept") << "A\t\tB\r\nC"
                                                   << "A\t\tB\r\nC"
                                                   << "*\t\t*\r\n*"
                                                   << "A B C "
                                                   << "3";
        QTest::newRow("no letters") << "123 ?!"
                                    << "123 ?!"
                                    << "123 ?!"
                                    << ""
                                    << "0";
        QTest::newRow("twelve of one letter")
            << QString(12, 'E') << QString(12, 'E') << QString(12, '*') << QString(12, 'E') + " "
            << "12";
    }

    void builds_found_text_and_inventory() {
        QFETCH(QString, reference);
        QFETCH(QString, cleaned_reference);
        QFETCH(QString, found);
        QFETCH(QString, letters);
        QFETCH(QString, remaining);
        EngineHarness h;
        h.view.lettres_trouvees = "5";
        h.view.propal = "OLD PROPOSAL";
        h.start_puzzle(reference);
        QVERIFY(h.boxes.shown.empty());
        QCOMPARE(h.view.ref, cleaned_reference);
        QCOMPARE(h.view.soluce, found);
        QCOMPARE(h.view.lettres, letters);
        QCOMPARE(h.view.lettres_restantes, remaining);
        QCOMPARE(h.view.propal, QString());
        QCOMPARE(h.view.lettres_trouvees, QStringLiteral("5"));
    }

    void refusals_change_nothing_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << messages::no_reference();
        QTest::newRow("601 characters") << QString(601, 'A') << messages::text_too_long();
        QTest::newRow("601 with double spaces")
            << QString(300, 'A') + "  " + QString(299, 'B') << messages::text_too_long();
    }

    void refusals_change_nothing() {
        QFETCH(QString, reference);
        QFETCH(QString, message);
        EngineHarness h;
        h.start_puzzle("ABC");
        h.view.propal = "XYZ";
        h.view.ref = reference;
        h.engine.initialise_puzzle();
        QCOMPARE(h.boxes.shown.size(), std::size_t{1});
        QCOMPARE(h.boxes.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(h.boxes.shown[0].buttons, MessageButtons::Ok);
        QCOMPARE(h.boxes.shown[0].text, message);
        QCOMPARE(h.view.ref, reference);
        QCOMPARE(h.view.soluce, QStringLiteral("***"));
        QCOMPARE(h.view.lettres, QStringLiteral("A B C "));
        QCOMPARE(h.view.propal, QStringLiteral("XYZ"));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("3"));
    }

    void size_message_has_two_lines_joined_by_a_carriage_return() {
        const QStringList lines = messages::text_too_long().split(QChar(13));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("La taille du texte ne peut d'dépasser 600 caractères."));
        QCOMPARE(lines[1], QStringLiteral("Merci de réduire votre texte."));
        QVERIFY(!messages::text_too_long().contains(QChar(10)));
    }

    void accepts_600_characters_and_counts_600() {
        EngineHarness h;
        h.start_puzzle(QString(600, 'A'));
        QVERIFY(h.boxes.shown.empty());
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("600"));
        QCOMPARE(h.state.letter_counts[0], qint16{600});
        QCOMPARE(h.view.lettres, QString(600, 'A') + " ");
    }

    void running_twice_gives_the_same_puzzle() {
        EngineHarness h;
        h.start_puzzle("ÂGE");
        h.play("ÂGE");
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("0"));
        h.engine.initialise_puzzle();
        QCOMPARE(h.view.soluce, QStringLiteral("***"));
        QCOMPARE(h.view.lettres, QStringLiteral("E G Â "));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("3"));
    }

    void emptying_the_proposal_is_a_change_only_when_it_held_text() {
        EngineHarness h;
        h.start_puzzle("ABC");
        QCOMPARE(h.proposal_changes, 0);
        h.view.propal = "ABC";
        h.engine.initialise_puzzle();
        QCOMPARE(h.proposal_changes, 1);
    }

    void takes_the_snapshot_of_the_new_puzzle() {
        EngineHarness h;
        h.start_puzzle("OLD");
        h.play("OLD");
        h.start_puzzle("NEW ONE");
        QCOMPARE(h.state.saved_found, QStringLiteral("*** ***"));
        QCOMPARE(h.state.saved_letters, QStringLiteral("EE NN O W "));
        QCOMPARE(h.state.saved_remaining_count, qint16{6});
        // A refused proposal right away brings back the new puzzle, not the old one.
        h.play("NE ONE");
        QCOMPARE(h.dialog.opened.size(), std::size_t{1});
        QCOMPARE(h.view.soluce, QStringLiteral("*** ***"));
        QCOMPARE(h.view.lettres_restantes, QStringLiteral("6"));
    }
};

QTEST_GUILESS_MAIN(TestInitialisation)
#include "test_initialisation.moc"
