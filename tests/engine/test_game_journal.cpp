#include "engine/game_session.h"
#include "engine/puzzle_engine.h"

#include <QtTest>

using namespace vorlo;

namespace {

// An engine over an in-memory page, with the journal around it.
struct Played {
    PuzzleState state;
    PuzzleValues values;
    PuzzleEngine engine{state, values};
    GameSession session{engine, values};

    Played() {
        state.start_up();
        session.open({});
    }

    bool start(const QString& reference) {
        values.reference = reference;
        return session.initialise();
    }
    std::optional<Turn> turn(const QString& proposal, const QString& player = {}) {
        session.journal().set_next_player(player);
        values.proposal = proposal;
        return session.generate();
    }
    // The page as it shows, with the proposal, and the snapshot.
    QStringList page() const {
        return {values.reference,
                values.found_text,
                values.remaining_letters,
                QString::number(values.remaining_count),
                QString::number(values.found_count),
                values.proposal,
                state.saved_found,
                state.saved_letters,
                QString::number(state.saved_found_count),
                QString::number(state.saved_remaining_count)};
    }
    const std::vector<Turn>& turns() const { return session.journal().current_game().turns; }
    // The page that `other` shows, as a restart finds it stored, then the journal opened.
    void reopen(const Played& other, const JournalContents& stored) {
        values.reference = other.values.reference;
        values.found_text = other.values.found_text;
        values.remaining_letters = other.values.remaining_letters;
        values.remaining_count = other.values.remaining_count;
        session.open(stored);
    }
};

QStringList scores_text(const std::vector<Score>& scores) {
    QStringList out;
    for (const Score& s : scores) {
        out << s.player + QLatin1Char('=') + QString::number(s.letters);
    }
    return out;
}

}  // namespace

class TestGameJournal : public QObject {
    Q_OBJECT

  private slots:
    void each_accepted_proposal_is_a_turn() {
        Played p;
        QVERIFY(p.start("LE CHAT DORT"));
        const std::optional<Turn> first = p.turn("LA CHAT DORS", "Alice");
        QVERIFY(first);
        QCOMPARE(first->number, 1);
        QCOMPARE(first->proposal, QStringLiteral("LA CHAT DORS"));
        QCOMPARE(first->player, QStringLiteral("Alice"));
        QCOMPARE(first->revealed, 8);
        QCOMPARE(first->remaining, 2);
        QCOMPARE(first->found_text, QStringLiteral("L* CHAT DOR*"));
        QCOMPARE(first->letters, QStringLiteral("E T "));
        QCOMPARE(first->repeat_of, 0);

        // The player is kept for the next turns until changed.
        p.values.proposal = "LE CHIT DORT";
        const std::optional<Turn> second = p.session.generate();
        QVERIFY(second);
        QCOMPARE(second->number, 2);
        QCOMPARE(second->player, QStringLiteral("Alice"));
        QCOMPARE(second->revealed, 2);
        QCOMPARE(second->remaining, 0);
        QCOMPARE(p.turns().size(), std::size_t{2});
        QVERIFY(p.session.journal().current_game().won());
    }

    void the_proposal_is_kept_as_evaluated() {
        Played p;
        p.start("L'AMI EST LA");
        const std::optional<Turn> turn = p.turn("L' AMI EST LA");
        QVERIFY(turn);
        QCOMPARE(turn->proposal, QStringLiteral("L'AMI EST LA"));
    }

    void refusals_are_no_turn_data() {
        QTest::addColumn<QString>("proposal");
        QTest::newRow("word does not fit") << "LE CHATS DORT";
        QTest::newRow("empty proposal") << "";
        QTest::newRow("too long") << QString(601, 'A');
    }

    void refusals_are_no_turn() {
        QFETCH(QString, proposal);
        Played p;
        p.start("LE CHAT DORT");
        p.turn("LA CHAT DORS", "Alice");
        QVERIFY(!p.turn(proposal, "Bob"));
        QCOMPARE(p.turns().size(), std::size_t{1});
        QVERIFY(p.session.journal().scoreboard().size() == 1);
    }

    void a_refused_reference_starts_no_game() {
        Played p;
        p.start("LE CHAT");
        p.turn("LE CHIEN", "Alice");  // refused: no turn
        p.turn("LA CHAT", "Alice");
        QVERIFY(!p.start(""));
        QCOMPARE(p.session.journal().contents().games.size(), std::size_t{2});
        QCOMPARE(p.turns().size(), std::size_t{1});
    }

    void undo_and_redo_walk_back_and_forth() {
        Played p;
        p.start("LE CHAT DORT");
        const QStringList started = p.page();
        p.turn("LA CHAT DORS", "Alice");
        const QStringList after_first = p.page();
        p.turn("LU CHIT DORT", "Bob");
        const QStringList after_second = p.page();

        // A refused proposal in between is no turn and is not what undo takes back.
        QVERIFY(!p.turn("LE CHATS DORT", "Carole"));

        std::optional<JournalMove> move = p.session.undo();
        QVERIFY(move);
        QCOMPARE(move->kind, JournalMove::Kind::Turn);
        QCOMPARE(move->turn_number, 2);
        QStringList expected = after_first;
        expected[5] = QStringLiteral("LU CHIT DORT");  // the undone proposal, back in the editor
        QCOMPARE(p.page(), expected);

        QVERIFY(p.session.undo());
        expected = started;
        expected[5] = QStringLiteral("LA CHAT DORS");
        QCOMPARE(p.page(), expected);
        QVERIFY(p.turns().empty());

        QVERIFY(p.session.redo());
        QCOMPARE(p.page(), after_first);
        QVERIFY(p.session.redo());
        QCOMPARE(p.page(), after_second);
        QVERIFY(!p.session.redo());
        QCOMPARE(p.turns().size(), std::size_t{2});
        QCOMPARE(p.turns()[1].player, QStringLiteral("Bob"));
    }

    void a_refusal_after_undo_restores_the_undone_page() {
        Played p;
        p.start("LE CHAT DORT");
        p.turn("LA CHAT DORS");
        const QStringList after_first = p.page();
        p.turn("LE CHIT DORT");
        p.session.undo();
        QVERIFY(!p.turn("LE CHATS DORT"));
        QStringList expected = after_first;
        expected[5] = QStringLiteral("LE CHATS DORT");
        QCOMPARE(p.page(), expected);
    }

    void undo_goes_back_over_initialiser() {
        Played p;
        p.start("LE CHAT DORT");
        p.turn("LA CHAT DORS", "Alice");
        const QStringList first_game = p.page();
        p.start("UN  ÉLÈVE");
        QVERIFY(!p.turn("UN ÉLÈVES", "Bob"));  // refused: no turn
        p.turn("UN ÉLEVE", "Bob");
        QCOMPARE(p.session.journal().contents().games.size(), std::size_t{3});

        QVERIFY(p.session.undo());                                 // the turn of the second game
        const std::optional<JournalMove> move = p.session.undo();  // its "Initialiser"
        QVERIFY(move);
        QCOMPARE(move->kind, JournalMove::Kind::Game);
        QCOMPARE(p.page(), first_game);
        QCOMPARE(p.session.journal().current_game().start.reference,
                 QStringLiteral("LE CHAT DORT"));
        QCOMPARE(scores_text(p.session.journal().scoreboard()), QStringList{"Alice=8"});

        QVERIFY(p.session.redo());
        QCOMPARE(p.values.reference, QStringLiteral("UN ÉLÈVE"));
        QCOMPARE(p.values.found_text, QStringLiteral("** *****"));
        QCOMPARE(p.values.proposal, QString());
        QVERIFY(p.session.redo());
        QCOMPARE(p.values.found_text, QStringLiteral("UN ÉL*VE"));
        QCOMPARE(scores_text(p.session.journal().scoreboard()), QStringList{"Bob=6"});
    }

    void undo_stops_at_the_page_the_journal_began_with() {
        Played p;
        p.values.reference = "ABC";
        p.values.found_text = "A**";
        p.values.remaining_letters = "B C ";
        p.values.remaining_count = 2;
        p.session.open({});
        QVERIFY(!p.session.journal().can_undo());
        p.turn("ABX");
        QVERIFY(p.session.undo());
        const QStringList page = p.page();
        QVERIFY(!p.session.undo());
        QCOMPARE(p.page(), page);
    }

    void a_new_turn_after_undo_ends_redo() {
        Played p;
        p.start("LE CHAT");
        p.turn("LA CHAT");
        p.session.undo();
        QVERIFY(p.session.journal().can_redo());
        p.turn("LE CHIT");
        QVERIFY(!p.session.journal().can_redo());
        QVERIFY(!p.session.redo());
        QCOMPARE(p.turns().size(), std::size_t{1});
        QCOMPARE(p.turns()[0].proposal, QStringLiteral("LE CHIT"));
    }

    void repeats_are_flagged() {
        Played p;
        p.start("LE CHAT DORT");
        p.turn("LA CHAT DORS");
        p.turn("LE CHIT DORS");
        const std::optional<Turn> again = p.turn("LA CHAT DORS");
        QVERIFY(again);
        QCOMPARE(again->repeat_of, 1);
        QCOMPARE(again->revealed, 0);
        QCOMPARE(again->number, 3);
        // A new game forgets the proposals of the last one.
        p.start("LE CHAT DORT");
        QCOMPARE(p.turn("LA CHAT DORS")->repeat_of, 0);
    }

    void scoreboard_data() {
        QTest::addColumn<QStringList>("plays");  // player:proposal
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("sums per player, highest first")
            << QStringList{"Bob:LU XXXX XXXX", "Alice:LA CHAT DORS", "Bob:LE CHIT DORT"}
            << QStringList{"Alice=7", "Bob=3"};
        QTest::newRow("equal totals: who reached it first")
            << QStringList{"Bob:XX XXXX DORX", "Alice:XX CHAX XXXX", "Carole:XX XXXX XXXX"}
            << QStringList{"Bob=3", "Alice=3", "Carole=0"};
        QTest::newRow("a later letter makes the tie later")
            << QStringList{"Alice:XX CHAX XXXX", "Bob:XE XXXX XXXX", "Bob:XX XXXX DOXX"}
            << QStringList{"Alice=3", "Bob=3"};
        QTest::newRow("unnamed turns score for nobody")
            << QStringList{":LA CHAT DORS", "Alice:LE XXXX XXXX"} << QStringList{"Alice=1"};
        QTest::newRow("names are trimmed")
            << QStringList{"  Alice :LA XXXX XXXX", "Alice:XX CXXX XXXX"} << QStringList{"Alice=2"};
        QTest::newRow("one player whatever the case, first spelling kept")
            << QStringList{"zébulon:LA XXXX XXXX", "Zébulon :XX CXXX XXXX", "ZÉBULON:XX XXXX DXXX",
                           "Zebulon:XE XXXX XXXX"}
            << QStringList{"zébulon=3", "Zebulon=1"};
    }

    void scoreboard() {
        QFETCH(QStringList, plays);
        QFETCH(QStringList, expected);
        Played p;
        p.start("LE CHAT DORT");
        for (const QString& play : plays) {
            const auto colon = play.indexOf(QLatin1Char(':'));
            QVERIFY(p.turn(play.mid(colon + 1), play.left(colon)));
        }
        QCOMPARE(scores_text(p.session.journal().scoreboard()), expected);
    }

    void a_turns_player_can_be_corrected() {
        Played p;
        p.start("LE CHAT DORT");
        p.turn("LA CHAT DORS", "Alise");
        p.turn("LE CHIT DORT", "Bob");
        QVERIFY(p.session.journal().rename_player(1, " Alice "));
        QVERIFY(!p.session.journal().rename_player(3, "Carole"));
        QCOMPARE(p.turns()[0].player, QStringLiteral("Alice"));
        QCOMPARE(scores_text(p.session.journal().scoreboard()), (QStringList{"Alice=8", "Bob=2"}));
        QCOMPARE(p.session.journal().next_player(), QStringLiteral("Bob"));
    }

    // A name is credited in the spelling the journal first knew its player by; a correction
    // of the case respells that player; the known players feed the player field.
    void one_player_has_one_name() {
        Played p;
        p.start("LE CHAT DORT");
        p.turn("LA CHAT DORS", "Zébulon");
        p.turn("LE CHIT DORT", "Zoé ");
        p.turn("XX XXXX XXXX", "ZÉBULON ");
        p.session.journal().set_next_player("zoé");
        QCOMPARE(p.session.journal().next_player(), QStringLiteral("Zoé"));
        QCOMPARE(p.turns()[2].player, QStringLiteral("Zébulon"));
        QCOMPARE(p.session.journal().known_players(), (QStringList{"Zébulon", "Zoé"}));
        QVERIFY(p.session.journal().rename_player(2, "zébulon"));
        QCOMPARE(p.turns()[1].player, QStringLiteral("Zébulon"));
        QVERIFY(p.session.journal().rename_player(3, " ZÉBULON"));
        QCOMPARE(scores_text(p.session.journal().scoreboard()), QStringList{"ZÉBULON=10"});
        QCOMPARE(p.session.journal().next_player(), QStringLiteral("Zoé"));
        p.session.journal().set_next_player("Zebulon");
        QCOMPARE(p.session.journal().known_players(), (QStringList{"ZÉBULON", "Zebulon"}));

        // A journal stored with two spellings of a player reads as one.
        JournalContents stored = p.session.journal().contents();
        stored.games.back().turns[1].player = "zÉbulon";
        stored.next_player = "zébulon";
        Played again;
        again.reopen(p, stored);
        QCOMPARE(again.turns()[1].player, QStringLiteral("ZÉBULON"));
        QCOMPARE(again.session.journal().next_player(), QStringLiteral("ZÉBULON"));
    }

    void open_takes_up_a_journal_that_ends_on_the_page() {
        Played first;
        first.start("LE CHAT");
        first.turn("LA CHAT", "Alice");
        const JournalContents stored = first.session.journal().contents();

        Played again;
        again.reopen(first, stored);
        QCOMPARE(again.session.journal().contents(), stored);
        QVERIFY(again.session.undo());
        QCOMPARE(again.values.found_text, QStringLiteral("** ****"));

        // A page that was saved without its journal starts a game of its own.
        Played other;
        other.values.reference = "AUTRE";
        other.values.found_text = "AUTR*";
        other.values.remaining_letters = "E ";
        other.values.remaining_count = 1;
        other.session.open(stored);
        QCOMPARE(other.session.journal().contents().games.size(), stored.games.size() + 1);
        QCOMPARE(other.session.journal().current_game().start.found_text, QStringLiteral("AUTR*"));
        QVERIFY(!other.session.journal().can_undo());
    }

    // A long history is held from its latest games: undo reads the earlier ones when it
    // reaches them, and stops where the reader has nothing more.
    void undo_reads_the_earlier_games_it_reaches() {
        Played first;
        first.start("LE CHAT");
        first.turn("LA CHAT", "Alice");
        const QStringList first_game = first.page();
        first.start("UN ÉLÈVE");
        first.turn("UN ÉLEVE", "Bob");
        first.start("LA FIN");
        const JournalContents whole = first.session.journal().contents();
        QCOMPARE(whole.games.size(), std::size_t{4});  // the empty page it began with first

        // Held from its last game, numbered 4 in the file; games 1 to 3 are earlier.
        JournalContents latest;
        latest.games = {whole.games.back()};
        latest.earlier_games = 3;
        latest.first_game_number = 4;
        Played again;
        again.reopen(first, latest);
        QStringList asked;
        again.session.journal().set_earlier_game_reader(
            [&](int before) -> std::optional<NumberedGame> {
                asked << QString::number(before);
                if (before < 2 || before > 4) {
                    return std::nullopt;
                }
                return NumberedGame{before - 1, whole.games.at(std::size_t(before - 2))};
            });
        QVERIFY(again.session.journal().can_undo());

        QVERIFY(again.session.undo());  // "Initialiser" of LA FIN: game 3 is read
        QCOMPARE(again.values.found_text, QStringLiteral("UN ÉL*VE"));
        QCOMPARE(scores_text(again.session.journal().scoreboard()), QStringList{"Bob=6"});
        QVERIFY(again.session.undo());  // Bob's turn
        QVERIFY(again.session.undo());  // "Initialiser" of UN ÉLÈVE: game 2 is read
        QCOMPARE(again.page(), first_game);
        QCOMPARE(asked, (QStringList{"4", "3"}));
        const JournalContents held = again.session.journal().contents();
        QCOMPARE(held.earlier_games, 1);
        QCOMPARE(held.first_game_number, 2);
        QCOMPARE(held.games.size(), std::size_t{1});
        QCOMPARE(held.games.front(), whole.games.at(1));

        QVERIFY(again.session.undo());  // Alice's turn
        QVERIFY(again.session.undo());  // "Initialiser" of LE CHAT: game 1 is read
        QCOMPARE(again.session.journal().current_game(), whole.games.front());
        QCOMPARE(again.session.journal().contents().earlier_games, 0);
        // Game 1 is the page the journal began with: no "Initialiser" to take back.
        QVERIFY(!again.session.journal().can_undo());
        QVERIFY(!again.session.undo());
        QCOMPARE(asked, (QStringList{"4", "3", "2"}));

        // Redo plays the games forward again, from what undo read.
        for (int i = 0; i < 5; ++i) {
            QVERIFY(again.session.redo());
        }
        QCOMPARE(again.session.journal().contents().games, whole.games);
        QCOMPARE(again.values.reference, QStringLiteral("LA FIN"));
    }

    void undo_stops_when_an_earlier_game_cannot_be_read() {
        Played first;
        first.start("LE CHAT");
        first.start("UN ÉLÈVE");
        JournalContents latest;
        latest.games = {first.session.journal().contents().games.back()};
        latest.earlier_games = 2;
        latest.first_game_number = 3;
        Played again;
        again.reopen(first, latest);
        again.session.journal().set_earlier_game_reader(
            [](int) -> std::optional<NumberedGame> { return std::nullopt; });
        const QStringList page = again.page();
        QVERIFY(!again.session.undo());
        QCOMPARE(again.page(), page);
        QCOMPARE(again.session.journal().contents(), latest);
        QVERIFY(!again.session.redo());
    }
};

QTEST_GUILESS_MAIN(TestGameJournal)
#include "test_game_journal.moc"
