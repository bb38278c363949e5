#include "engine/puzzle_game.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace vorlo;

namespace {

// A game loaded as a first start leaves the page file: nothing on it.
void load_empty(PuzzleGame& game) {
    game.load({}, QString(), {});
}

QString kind_text(GameOutcome::Kind kind) {
    switch (kind) {
        case GameOutcome::Kind::Accepted:
            return QStringLiteral("Accepted");
        case GameOutcome::Kind::Refused:
            return QStringLiteral("Refused");
        case GameOutcome::Kind::WordMismatch:
            return QStringLiteral("WordMismatch");
        case GameOutcome::Kind::NothingToDo:
            break;
    }
    return QStringLiteral("NothingToDo");
}

// Plays steps on a game: "ref:X" and "prop:X" are the master's edits, "play:X" a forum
// post, "init", "gen", "undo", "redo", and "restart" a new run on what a save stored (the
// found count is not stored: it shows 0). Gives the page as
// reference|found text|letters|remaining|found count|turns of the game (with "r" and the
// turn repeated)|what the last step did.
QString played(const QStringList& steps) {
    auto game = std::make_unique<PuzzleGame>();
    load_empty(*game);
    GameOutcome last;
    for (const QString& step : steps) {
        const QString text = step.section(QLatin1Char(':'), 1);
        if (step.startsWith(QLatin1String("ref:"))) {
            game->edit_reference(text);
        } else if (step.startsWith(QLatin1String("prop:"))) {
            game->edit_proposal(text);
        } else if (step.startsWith(QLatin1String("play:"))) {
            last = game->play(text, QString());
        } else if (step == QLatin1String("init")) {
            last = game->initialise();
        } else if (step == QLatin1String("gen")) {
            last = game->evaluate();
        } else if (step == QLatin1String("undo")) {
            last = game->undo();
        } else if (step == QLatin1String("redo")) {
            last = game->redo();
        } else if (step == QLatin1String("restart")) {
            PuzzlePage stored = game->page();
            stored.found_count = 0;
            const QString proposal = game->proposal();
            const JournalContents journal = game->journal().contents();
            game = std::make_unique<PuzzleGame>();
            game->load(stored, proposal, journal);
        } else {
            return QStringLiteral("unknown step ") + step;
        }
    }
    const std::vector<Turn>& turns = game->journal().current_game().turns;
    QString turn_count = QString::number(turns.size());
    if (!turns.empty() && turns.back().repeat_of != 0) {
        turn_count += QLatin1Char('r') + QString::number(turns.back().repeat_of);
    }
    return QStringList{game->reference(),
                       game->found_text(),
                       game->remaining_letters(),
                       QString::number(game->remaining_count()),
                       QString::number(game->found_count()),
                       turn_count,
                       kind_text(last.kind)}
        .join(QLatin1Char('|'));
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

    // A second click on "Générer" is no second turn; a proposal typed again is. Each turn
    // brings back the reference it was played against, so the page stays consistent, and a
    // redo shows again the found count shown before the undo, also after a restart.
    void steps_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("page");
        const QStringList ax = {"ref:AB", "init", "prop:AX", "gen"};
        QTest::newRow("a double click plays one turn")
            << ax + QStringList{"gen"} << "AB|A*|B |1|1|1|NothingToDo";
        QTest::newRow("typed again, it plays as a repeat")
            << ax + QStringList{"prop:A", "prop:AX", "gen"} << "AB|A*|B |1|0|2r1|Accepted";
        QTest::newRow("taken back, it plays again")
            << ax + QStringList{"undo", "gen"} << "AB|A*|B |1|1|1|Accepted";
        QTest::newRow("played again by redo, not twice")
            << ax + QStringList{"undo", "redo", "gen"} << "AB|A*|B |1|1|1|NothingToDo";
        QTest::newRow("a repeat taken back plays again")
            << ax + QStringList{"prop:A", "prop:AX", "gen", "undo", "gen"}
            << "AB|A*|B |1|0|2r1|Accepted";
        QTest::newRow("the last game's proposal after undoing Initialiser")
            << ax + QStringList{"ref:CD", "init", "undo", "gen"} << "AB|A*|B |1|1|1|NothingToDo";
        QTest::newRow("each forum post plays")
            << QStringList{"ref:AB", "init", "play:AX", "play:AX"} << "AB|A*|B |1|0|2r1|Accepted";
        QTest::newRow("after a restart the proposal is still played")
            << ax + QStringList{"restart", "gen"} << "AB|A*|B |1|0|1|NothingToDo";
        QTest::newRow("Initialiser starts at 0 found")
            << ax + QStringList{"ref:CD", "init"} << "CD|**|C D |2|0|0|Accepted";
        QTest::newRow("a refusal after Initialiser shows 0 found")
            << ax + QStringList{"ref:CD EF", "init", "prop:CDE F", "gen"}
            << "CD EF|** **|C D E F |4|0|0|WordMismatch";
        QTest::newRow("redo of Initialiser shows 0 found")
            << ax + QStringList{"ref:CD", "init", "undo", "redo"} << "CD|**|C D |2|0|0|Accepted";
        const QStringList xb = {"ref:AB", "init",   "ref:XB",  "prop:XB",
                                "gen",    "prop:X", "prop:XB", "gen"};
        QTest::newRow("a turn keeps its edited reference")
            << xb + QStringList{"undo"} << "XB|XB||0|2|1|Accepted";
        QTest::newRow("the start keeps the reference of Initialiser")
            << xb + QStringList{"undo", "undo"} << "AB|**|A B |2|0|0|Accepted";
        QTest::newRow("redo brings the turn's reference back")
            << xb + QStringList{"undo", "undo", "redo"} << "XB|XB||0|2|1|Accepted";
        const QStringList star = {"ref:AB", "init",   "ref:*B",  "prop:*B",
                                  "gen",    "prop:*", "prop:*B", "gen"};
        QTest::newRow("a literal star stays the reference's")
            << star + QStringList{"undo"} << "*B|*B||0|1|1|Accepted";
        QTest::newRow("a literal star after undo and redo")
            << star + QStringList{"undo", "undo", "redo"} << "*B|*B||0|1|1|Accepted";
        QTest::newRow("a restart keeps each turn's reference")
            << QStringList{"ref:AB",  "init", "ref:XB",  "prop:XB", "gen",
                           "prop:AB", "gen",  "restart", "undo"}
            << "XB|XB||0|2|1|Accepted";
        QTest::newRow("undo then redo after a restart shows 0 found again")
            << ax + QStringList{"restart", "undo", "redo"} << "AB|A*|B |1|0|1|Accepted";
        QTest::newRow("each redo shows what its undo left")
            << ax + QStringList{"prop:XB", "gen", "restart", "undo", "undo", "redo"}
            << "AB|A*|B |1|1|1|Accepted";
    }

    void steps() {
        QFETCH(QStringList, steps);
        QFETCH(QString, page);
        QCOMPARE(played(steps), page);
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
