#include "storage/database_schema.h"
#include "storage/vorlo_database.h"
#include "storage_test_support.h"

#include <QtTest>

using namespace vorlo;
using namespace vorlo::test;

namespace {

// Two games, the second with a repeat, unusual characters and an unnamed turn.
JournalContents sample_journal() {
    JournalContents journal;
    Game opened;
    opened.initialised_here = false;
    opened.start = {"VIDE", "VIDE", "VIDE", 0, 0};
    Game played;
    played.start = {"L’ŒUF DÉJÀ", "*’*** ****", "A D E F J L U À É Œ ", 8, 3};
    played.turns.push_back(
        {1, "L’ŒUF DÉJÀ", "Zoé « la reine »", 8, 0, "L’ŒUF DÉJÀ", "", 0, "L’ŒUF DÉJÀ"});
    played.turns.push_back({2, "L’ŒUF DÉJÀ", "", 0, 0, "L’ŒUF DÉJÀ", "", 1, std::nullopt});
    journal.games = {opened, played};
    journal.next_player = "Bob";
    return journal;
}

// Five games of one or two turns each, on different puzzles: the first turn finds every
// letter, the second finds none.
JournalContents five_games() {
    JournalContents journal;
    const QStringList references = {"LE CHAT", "UN ÉLÈVE", "L’ŒUF", "LA FIN", "ÇA VA"};
    const QStringList masked = {"** ****", "** *****", "*’***", "** ***", "** **"};
    const std::vector<int> letters = {6, 7, 4, 5, 4};
    for (int g = 0; g < references.size(); ++g) {
        Game game;
        const QString reference = references.at(g);
        const int hidden = letters.at(static_cast<std::size_t>(g));
        game.start = {reference, masked.at(g), "A B ", hidden, 0};
        for (int t = 1; t <= 1 + g % 2; ++t) {
            game.turns.push_back({t, reference, QStringLiteral("Joueur %1").arg(t),
                                  t == 1 ? hidden : 0, 0, reference, "B ", 0, reference});
        }
        journal.games.push_back(game);
    }
    journal.next_player = "Zoé";
    return journal;
}

StoredPage page_of(const Game& game) {
    const PuzzlePage page = game.current_page();
    return {page.reference, page.found_text, QStringLiteral("L’ŒUF DÉJÀ"), page.letters,
            page.remaining_count};
}

// A page file as it was before the journal: the three tables, each with its record.
QString older_file(const QTemporaryDir& dir) {
    const QString path = dir.filePath(VorloDatabase::file_name());
    RawConnection raw(path);
    for (const QString& sql : schema::creation_statements()) {
        if (!raw.exec(sql)) {
            return QString();
        }
    }
    raw.exec(
        "UPDATE données SET base = 'LE CHAT', result = 'L* *HA*', propal = 'LA CHAT', "
        "lettres = 'C E T '");
    raw.exec("UPDATE compteurs SET nb_lettres = 3");
    raw.exec(usable_appearance_assignments());
    return path;
}

// What the three tables of the page hold and how they are defined.
QStringList page_tables(RawConnection& raw) {
    QStringList state = raw.column(
        "SELECT sql FROM sqlite_master WHERE name IN ('données', 'compteurs', "
        "'couleurs') ORDER BY name");
    for (const char* table : {"données", "compteurs", "couleurs"}) {
        state << raw.rows(table);
    }
    return state;
}

}  // namespace

class TestDatabaseJournal : public QObject {
    Q_OBJECT

  private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void journal_comes_back_after_a_restart() {
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        const JournalContents journal = sample_journal();
        {
            VorloDatabase database;
            QVERIFY(database.open(path).ok);
            QCOMPARE(database.read_journal(), JournalContents{});
            QString error;
            QVERIFY2(database.save_page(page_of(journal.games.back()), journal, &error),
                     qPrintable(error));
        }
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QCOMPARE(database.read_journal(), journal);
        QCOMPARE(database.read_page().base, QStringLiteral("L’ŒUF DÉJÀ"));

        // A later save replaces the journal; the save of the page alone leaves it.
        JournalContents shorter = journal;
        shorter.games.pop_back();
        shorter.next_player.clear();
        QVERIFY(database.save_page(page_of(shorter.games.back()), shorter));
        QCOMPARE(database.read_journal(), shorter);
        QVERIFY(database.save_page(page_of(journal.games.back())));
        QCOMPARE(database.read_journal(), shorter);
    }

    // Another tool may store a text column's value in another storage class: it reads as
    // the text the page's own fields would give, and a blob as no text.
    // Each turn keeps the reference it was played against, which the master may have edited
    // since "Initialiser"; a turn row of an older file, without it, is read against its
    // game's, and is not read when its found text does not hold with that one.
    void a_turn_keeps_its_reference_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("older");
        QTest::newRow("as saved") << "" << false;
        QTest::newRow("older rows")
            << "UPDATE journal SET base = NULL WHERE genre = 'tour'" << true;
    }

    void a_turn_keeps_its_reference() {
        QFETCH(QString, change);
        QFETCH(bool, older);
        JournalContents journal;
        Game first;
        first.start = {"AB", "**", "A B ", 2, 0};
        first.turns = {{1, "AX", "Zoé", 1, 1, "A*", "B ", 0, "AB"}};
        Game edited = first;
        edited.turns = {{1, "XB", "Zoé", 2, 0, "XB", "", 0, "XB"}};
        journal.games = {first, edited};
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        {
            VorloDatabase database;
            QVERIFY(database.open(path).ok);
            QVERIFY(database.save_page(page_of(edited), journal));
        }
        if (!change.isEmpty()) {
            RawConnection raw(path);
            QVERIFY2(raw.exec(change), qPrintable(raw.last_error()));
        }
        JournalContents expected = journal;
        if (older) {
            expected.games.front().turns.front().reference.reset();
            expected.games.back().turns.clear();
        }
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const JournalContents read = database.read_journal();
        QCOMPARE(read, expected);
        QCOMPARE(database.journal_rows_not_read(), older ? 1 : 0);
        QCOMPARE(read.games.front().current_page().reference, QStringLiteral("AB"));
        QCOMPARE(read.games.back().current_page().reference,
                 older ? QStringLiteral("AB") : QStringLiteral("XB"));
    }

    void stored_values_of_every_kind_read_as_text_data() {
        QTest::addColumn<QString>("stored");  // SQL literal
        QTest::addColumn<QString>("read");
        QTest::newRow("text") << "'ZOÉ « Œ »'"
                              << "ZOÉ « Œ »";
        QTest::newRow("empty text") << "''"
                                    << "";
        QTest::newRow("whole number") << "2024"
                                      << "2024";
        QTest::newRow("real") << "12.5"
                              << "12.5";
        QTest::newRow("null") << "NULL"
                              << "";
        QTest::newRow("blob") << "X'5A4F45'"
                              << "";
    }

    void stored_values_of_every_kind_read_as_text() {
        QFETCH(QString, stored);
        QFETCH(QString, read);
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const JournalContents journal = sample_journal();
        QVERIFY(database.save_page(page_of(journal.games.back()), journal));
        {
            // The found texts of the second game all become the reference, so that its rows
            // still hold together.
            RawConnection raw(path);
            QVERIFY(raw.exec(QStringLiteral("UPDATE journal SET proposition = %1, lettres = %1 "
                                            "WHERE genre = 'tour' AND tour = 1")
                                 .arg(stored)));
            QVERIFY(raw.exec(
                QStringLiteral("UPDATE journal SET result = %1 WHERE partie = 2").arg(stored)));
            QVERIFY(raw.exec(
                QStringLiteral("UPDATE journal SET base = %1 WHERE genre = 'partie' AND partie = 2")
                    .arg(stored)));
        }
        const JournalContents back = database.read_journal();
        QCOMPARE(database.journal_rows_not_read(), 0);
        QCOMPARE(back.games.size(), std::size_t{2});
        const Turn& turn = back.games[1].turns.at(0);
        QCOMPARE(turn.proposal, read);
        QCOMPARE(turn.found_text, read);
        QCOMPARE(turn.letters, read);
        QCOMPARE(back.games[1].start.reference, read);
        QCOMPARE(back.games[1].start.found_text, read);
        QCOMPARE(turn.player, journal.games[1].turns[0].player);
        Turn second = journal.games[1].turns[1];
        second.found_text = read;
        QCOMPARE(back.games[1].turns.at(1), second);
    }

    void a_long_journal_can_be_read_from_its_latest_games() {
        QTemporaryDir dir;
        VorloDatabase database;
        QVERIFY(database.open(dir.filePath(VorloDatabase::file_name())).ok);
        const JournalContents whole = five_games();
        QVERIFY(database.save_page(page_of(whole.games.back()), whole));

        const JournalContents latest = database.read_journal(nullptr, 2);
        QCOMPARE(latest.games, (std::vector<Game>{whole.games.at(3), whole.games.at(4)}));
        QCOMPARE(latest.earlier_games, 3);
        QCOMPARE(latest.first_game_number, 4);
        QCOMPARE(latest.next_player, whole.next_player);
        QCOMPARE(database.read_journal(nullptr, 5), whole);
        QCOMPARE(database.read_journal(nullptr, 9), whole);

        const std::optional<NumberedGame> third = database.read_game_before(4);
        QVERIFY(third);
        QCOMPARE(third->number, 3);
        QCOMPARE(third->game, whole.games.at(2));
        QCOMPARE(database.read_game_before(2)->game, whole.games.at(0));
        QVERIFY(!database.read_game_before(1));
    }

    // A save writes the games the journal holds and leaves the earlier ones as they are.
    void a_save_keeps_the_earlier_games_it_does_not_hold_data() {
        QTest::addColumn<int>("read_back");   // earlier games read again, as undo does
        QTest::addColumn<bool>("drop_last");  // the last game taken back
        QTest::newRow("a turn added") << 0 << false;
        QTest::newRow("last game taken back") << 0 << true;
        QTest::newRow("one earlier game read back") << 1 << true;
    }

    void a_save_keeps_the_earlier_games_it_does_not_hold() {
        QFETCH(int, read_back);
        QFETCH(bool, drop_last);
        QTemporaryDir dir;
        VorloDatabase database;
        QVERIFY(database.open(dir.filePath(VorloDatabase::file_name())).ok);
        JournalContents expected = five_games();
        QVERIFY(database.save_page(page_of(expected.games.back()), expected));

        JournalContents held = database.read_journal(nullptr, 2);
        for (int i = 0; i < read_back; ++i) {
            const std::optional<NumberedGame> earlier =
                database.read_game_before(held.first_game_number);
            QVERIFY(earlier);
            held.games.insert(held.games.begin(), earlier->game);
            held.first_game_number = earlier->number;
            --held.earlier_games;
        }
        if (drop_last) {
            held.games.pop_back();
            expected.games.pop_back();
        } else {
            const int number = static_cast<int>(held.games.back().turns.size()) + 1;
            const Turn added{number, "ÇA VA", "Ève", 0, 0, "ÇA VA", "", 0, "ÇA VA"};
            held.games.back().turns.push_back(added);
            expected.games.back().turns.push_back(added);
        }
        held.next_player = "Ève";
        expected.next_player = "Ève";
        QVERIFY(database.save_page(page_of(held.games.back()), held));
        QCOMPARE(database.read_journal(), expected);
        // Saved twice, still the same.
        QVERIFY(database.save_page(page_of(held.games.back()), held));
        QCOMPARE(database.read_journal(), expected);
    }

    void an_older_file_gets_the_table_and_keeps_its_own() {
        QTemporaryDir dir;
        const QString path = older_file(dir);
        QVERIFY(!path.isEmpty());
        QStringList before;
        {
            RawConnection raw(path);
            before = page_tables(raw);
            QCOMPARE(raw.column("SELECT name FROM sqlite_master WHERE name = 'journal'"),
                     QStringList());
        }
        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QVERIFY(!opened.created);
        QCOMPARE(database.read_journal(), JournalContents{});
        QCOMPARE(database.read_page().base, QStringLiteral("LE CHAT"));
        {
            RawConnection raw(path);
            QCOMPARE(page_tables(raw), before);
            QCOMPARE(raw.value("SELECT count(*) FROM journal"), QVariant(0));
        }
        // The journal is then saved with the page.
        const JournalContents journal = sample_journal();
        QVERIFY(database.save_page(page_of(journal.games.back()), journal));
        QCOMPARE(database.read_journal(), journal);
    }

    void an_older_read_only_file_goes_without() {
        QTemporaryDir dir;
        const QString path = older_file(dir);
        QVERIFY(!path.isEmpty());
        const QByteArray before = file_bytes(path);
        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path, true);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QCOMPARE(database.read_journal(), JournalContents{});
        QCOMPARE(database.read_page().base, QStringLiteral("LE CHAT"));
        const JournalContents journal = sample_journal();
        QVERIFY(!database.save_page(page_of(journal.games.back()), journal));
        database.close();
        QCOMPARE(file_bytes(path), before);
    }

    void a_failed_save_changes_nothing_data() {
        QTest::addColumn<QString>("sabotage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("journal refuses a row")
            << "CREATE TRIGGER refus BEFORE INSERT ON journal BEGIN "
               "SELECT RAISE(ABORT, 'journal verrouillé'); END"
            << "Raison : le fichier a refusé les valeurs données";
        QTest::newRow("compteurs refuses the update")
            << "CREATE TRIGGER refus BEFORE UPDATE ON compteurs BEGIN "
               "SELECT RAISE(ABORT, 'compteur verrouillé'); END"
            << "Raison : le fichier a refusé les valeurs données";
    }

    void a_failed_save_changes_nothing() {
        QFETCH(QString, sabotage);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        JournalContents first = sample_journal();
        first.games.pop_back();
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QVERIFY(database.save_page(page_of(first.games.back()), first));
        RawConnection raw(path);
        QVERIFY2(raw.exec(sabotage), qPrintable(raw.last_error()));
        const QByteArray before = file_bytes(path);

        QString error;
        const JournalContents second = sample_journal();
        QVERIFY(!database.save_page(page_of(second.games.back()), second, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(file_bytes(path), before);
        QCOMPARE(database.read_page().base, QStringLiteral("VIDE"));
        QCOMPARE(database.read_journal(), first);
    }

    void a_file_that_lost_the_table_gets_it_again_at_the_save() {
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        {
            RawConnection raw(path);
            QVERIFY(raw.exec("DROP TABLE journal"));
        }
        QCOMPARE(database.read_journal(), JournalContents{});
        const JournalContents journal = sample_journal();
        QString error;
        QVERIFY2(database.save_page(page_of(journal.games.back()), journal, &error),
                 qPrintable(error));
        QCOMPARE(database.read_journal(), journal);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseJournal)
#include "test_database_journal.moc"
