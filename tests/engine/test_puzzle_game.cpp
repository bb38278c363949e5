#include "engine/puzzle_game.h"

#include <QSignalSpy>
#include <QtTest>

using namespace vorlo;

namespace {

// A game loaded as a first start leaves the page file: nothing on it.
void load_empty(PuzzleGame& game) {
    game.load({}, QString(), {});
}

}  // namespace

class TestPuzzleGame : public QObject {
    Q_OBJECT

  private slots:
    void refusals_change_nothing_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<bool>("initialise");  // else evaluate
        QTest::addColumn<int>("refusal");
        QTest::newRow("no reference") << "" << true << int(Refusal::NoReference);
        QTest::newRow("reference too long")
            << QString(601, 'A') << true << int(Refusal::TextTooLong);
        QTest::newRow("no puzzle") << "LE CHAT" << false << int(Refusal::NotInitialised);
    }

    void refusals_change_nothing() {
        QFETCH(QString, reference);
        QFETCH(bool, initialise);
        QFETCH(int, refusal);
        PuzzleGame game;
        load_empty(game);
        game.edit_reference(reference);
        game.edit_proposal(QStringLiteral("LE CHAT"));
        QSignalSpy journal(&game, &PuzzleGame::journal_changed);
        const GameOutcome outcome = initialise ? game.initialise() : game.evaluate();
        QCOMPARE(outcome.kind, GameOutcome::Kind::Refused);
        QCOMPARE(int(outcome.refusal), refusal);
        QVERIFY(game.found_text().isEmpty());
        QCOMPARE(game.remaining_count(), 0);
        QCOMPARE(journal.count(), 0);
    }

    void a_game_is_played_turn_by_turn_and_taken_back() {
        PuzzleGame game;
        load_empty(game);
        QSignalSpy counts(&game, &PuzzleGame::counts_changed);
        game.edit_reference(QStringLiteral("LE CHAT"));
        QVERIFY(game.initialise().accepted());
        QCOMPARE(game.found_text(), QStringLiteral("** ****"));
        QCOMPARE(game.remaining_count(), 6);
        QCOMPARE(counts.last(), (QVariantList{6, 0}));

        const GameOutcome first = game.play(QStringLiteral("LA CHIT"), QStringLiteral("Alice"));
        QVERIFY(first.accepted());
        QVERIFY(first.turn);
        QCOMPARE(first.turn->player, QStringLiteral("Alice"));
        QCOMPARE(first.turn->revealed, 4);
        QCOMPARE(game.found_count(), 4);
        QCOMPARE(game.remaining_count(), 2);
        QCOMPARE(game.found_text(), QStringLiteral("L* CH*T"));
        QCOMPARE(counts.last(), (QVariantList{2, 4}));

        const GameOutcome second = game.play(QStringLiteral("LE CHAT"), QStringLiteral("Bob"));
        QCOMPARE(second.turn->revealed, 2);
        QCOMPARE(game.remaining_count(), 0);
        QCOMPARE(game.journal().scoreboard().front().player, QStringLiteral("Alice"));

        const GameOutcome back = game.undo();
        QVERIFY(back.accepted() && back.move);
        QCOMPARE(back.move->turn_number, 2);
        QCOMPARE(game.found_text(), QStringLiteral("L* CH*T"));
        QCOMPARE(game.proposal(), QStringLiteral("LE CHAT"));
        QCOMPARE(game.remaining_count(), 2);
        QVERIFY(game.redo().accepted());
        QCOMPARE(game.remaining_count(), 0);
        QCOMPARE(game.redo().kind, GameOutcome::Kind::NothingToDo);
    }

    void a_word_that_does_not_fit_is_named_with_its_place() {
        PuzzleGame game;
        load_empty(game);
        game.edit_reference(QStringLiteral("LES CHATS"));
        QVERIFY(game.initialise().accepted());
        game.edit_proposal(QStringLiteral("L’ ES CHAT"));
        const GameOutcome outcome = game.evaluate();
        QCOMPARE(outcome.kind, GameOutcome::Kind::WordMismatch);
        QVERIFY(outcome.mismatch);
        QCOMPARE(outcome.mismatch->word_number, 1);
        QCOMPARE(outcome.mismatch->found_word, QStringLiteral("***"));
        QCOMPARE(outcome.mismatch->proposal_word, QStringLiteral("L’ES"));
        QCOMPARE(outcome.mismatch->proposal_start, 0);
        QCOMPARE(game.proposal(), QStringLiteral("L’ES CHAT"));  // the elision stays joined
        QCOMPARE(game.found_text(), QStringLiteral("*** *****"));
        QCOMPARE(game.found_count(), 0);
        QCOMPARE(game.remaining_count(), 8);
        QVERIFY(!outcome.turn);
        QCOMPARE(game.bad_word_range().start, 0);
        QCOMPARE(game.bad_word_range().length, 4);
    }

    // The saved marker is "Y" after a save only; any change of the proposal, an undo or a
    // corrected player empties it, and every change is signalled.
    void the_saved_marker_follows_the_page() {
        PuzzleGame game;
        load_empty(game);
        QSignalSpy marker(&game, &PuzzleGame::saved_marker_changed);
        QVERIFY(game.saved_marker().isEmpty());
        game.edit_reference(QStringLiteral("UN"));
        game.initialise();
        game.mark_saved();
        QCOMPARE(game.saved_marker(), QStringLiteral("Y"));
        game.edit_reference(QStringLiteral("DEUX"));
        game.edit_letters(QStringLiteral("X "));
        QCOMPARE(game.saved_marker(), QStringLiteral("Y"));
        game.edit_proposal(QStringLiteral("UX"));
        QCOMPARE(game.saved_marker(), QString());
        game.mark_saved();
        game.play(QStringLiteral("UN"), QStringLiteral("Zoé"));
        game.mark_saved();
        QVERIFY(game.rename_player(1, QStringLiteral("Léa")));
        QCOMPARE(game.saved_marker(), QString());
        game.mark_saved();
        QVERIFY(!game.rename_player(9, QStringLiteral("Léa")));
        QCOMPARE(game.saved_marker(), QStringLiteral("Y"));
        QVERIFY(game.undo().accepted());
        QCOMPARE(game.saved_marker(), QString());
        QCOMPARE(marker.count(), 8);
    }

    void clearing_the_page_keeps_the_found_count() {
        PuzzleGame game;
        game.load({QStringLiteral("AB"), QStringLiteral("A*"), QStringLiteral("B "), 1, 0},
                  QStringLiteral("AX"), {});
        game.play(QStringLiteral("AB"), QString());
        QCOMPARE(game.found_count(), 1);
        game.clear_page();
        QCOMPARE(game.page(), (PuzzlePage{QString(), QString(), QString(), 0, 1}));
        QVERIFY(game.proposal().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPuzzleGame)
#include "test_puzzle_game.moc"
