#include "storage/storage_messages.h"
#include "storage/vorlo_database.h"
#include "storage_test_support.h"

#include <QtTest>

#include <cstdlib>

using namespace vorlo;
using namespace vorlo::test;
namespace said = vorlo::storage_messages;

namespace {

// A game taken up from the page, then a game of three turns whose counts its texts give, the
// last played against a reference edited since "Initialiser".
JournalContents played_journal() {
    JournalContents journal;
    Game opened;
    opened.initialised_here = false;
    opened.start = {"VIDE", "VIDE", "VIDE", 0, 0};
    Game game;
    const QString sentence = QStringLiteral("LE CHAT DORT");
    game.start = {sentence, "** **** ****", "A C D E H L O R T T ", 10, 0};
    game.turns = {
        {1, "LA CAGE DUR", "Zoé « la reine »", 3, 7, "L* **A* D***", "C E H O R T T ", 0, sentence},
        {2, "LE COAT DOS", "", 4, 3, "LE C*AT DO**", "H R T ", 1, sentence},
        {3, "LE CHAT DORS", "Zoé", 3, 0, "LE CHAT DORS", "", 0, "LE CHAT DORS"},
    };
    journal.games = {opened, game};
    journal.next_player = "Bob";
    return journal;
}

// `count` games of one turn each, numbered from 1.
JournalContents numbered_games(int count) {
    JournalContents journal;
    for (int g = 1; g <= count; ++g) {
        const QString reference = QStringLiteral("PARTIE %1").arg(g);
        Game game;
        game.start = {reference, "****** " + reference.mid(7), "A E I P R T ", 6, 0};
        game.turns = {{1, reference, "Joueur", 6, 0, reference, "", 0, reference}};
        journal.games.push_back(game);
    }
    journal.next_player = "Zoé";
    return journal;
}

StoredPage page_of(const JournalContents& journal) {
    const PuzzlePage page = journal.games.back().current_page();
    return {page.reference, page.found_text, "PROPAL", page.letters, page.remaining_count};
}

QString saved_file(const QTemporaryDir& dir, const JournalContents& journal) {
    const QString path = dir.filePath(VorloDatabase::file_name());
    VorloDatabase database;
    return database.open(path).ok && database.save_page(page_of(journal), journal) ? path
                                                                                   : QString();
}

// The turns of the played game that a read keeps, given by their stored numbers (negative:
// read without the reference it was played against): numbered again from 1, each with the
// letters it shows that the one kept before it hid.
std::vector<Turn> kept_turns(const QList<int>& numbers) {
    const Game game = played_journal().games.back();
    std::vector<Turn> kept;
    QString before = game.start.found_text;
    for (int number : numbers) {
        Turn turn = game.turns.at(static_cast<std::size_t>(std::abs(number) - 1));
        turn.reference = number < 0 ? std::nullopt : turn.reference;
        turn.number = static_cast<int>(kept.size()) + 1;
        turn.revealed = int(before.count('*') - turn.found_text.count('*'));
        before = turn.found_text;
        kept.push_back(turn);
    }
    return kept;
}

}  // namespace

class TestStorageJournal : public QObject {
    Q_OBJECT

  private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // A long journal is read from its latest games, the earlier ones one by one as undo
    // needs them, whether the number columns hold numbers or texts; a save writes the games
    // held and leaves the earlier ones as they are. An earlier game the file holds but cannot
    // give is said so, none at all is no failure, and one that cannot be read is passed over.
    void a_journal_is_read_from_its_latest_games_data() {
        QTest::addColumn<bool>("text_columns");
        QTest::addColumn<int>("read_back");   // earlier games read again, as undo does
        QTest::addColumn<bool>("drop_last");  // the last game taken back
        QTest::newRow("a turn added") << false << 0 << false;
        QTest::newRow("last game taken back") << false << 0 << true;
        QTest::newRow("one earlier game read back") << false << 1 << true;
        QTest::newRow("numbers stored as text") << true << 1 << false;
    }
    void a_journal_is_read_from_its_latest_games() {
        QFETCH(bool, text_columns);
        QFETCH(int, read_back);
        QFETCH(bool, drop_last);
        QTemporaryDir dir;
        const QString path = saved_file(dir, numbered_games(1));
        QVERIFY(!text_columns ||
                RawConnection(path).exec_all(
                    "DROP TABLE journal; CREATE TABLE journal (genre TEXT, partie TEXT, tour TEXT, "
                    "joueur TEXT, proposition TEXT, base TEXT, result TEXT, lettres TEXT, "
                    "lettres_trouvées TEXT, nb_lettres TEXT, reprise_du_tour TEXT, initialisée "
                    "TEXT)"));
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        JournalContents expected = numbered_games(10);
        QVERIFY(database.save_page(page_of(expected), expected));
        QCOMPARE(RawConnection(path).value("SELECT group_concat(DISTINCT typeof(partie)) FROM "
                                           "journal WHERE genre = 'partie'"),
                 text_columns ? "text" : "integer");
        JournalContents held = database.read_journal(nullptr, 2);
        QCOMPARE(held.games, (std::vector<Game>{expected.games.at(8), expected.games.at(9)}));
        QCOMPARE(held.earlier_games, 8);
        QCOMPARE(held.first_game_number, 9);
        QCOMPARE(held.next_player, expected.next_player);
        QCOMPARE(database.read_journal(nullptr, 10), expected);
        QCOMPARE(database.read_journal(nullptr, 12), expected);
        QCOMPARE(database.read_game_before(2)->game, expected.games.at(0));
        for (int i = 0; i < read_back; ++i) {
            const std::optional<NumberedGame> earlier =
                database.read_game_before(held.first_game_number);
            QVERIFY(earlier && earlier->number == held.first_game_number - 1);
            held.games.insert(held.games.begin(), earlier->game);
            held.first_game_number = earlier->number;
            --held.earlier_games;
        }
        QCOMPARE(held.games.front(), expected.games.at(std::size_t(8 - read_back)));
        if (drop_last) {
            held.games.pop_back();
            expected.games.pop_back();
        } else {
            const Turn added{2, "PARTIE 10", "Ève", 0, 0, "PARTIE 10", "", 0, "PARTIE 10"};
            held.games.back().turns.push_back(added);
            expected.games.back().turns.push_back(added);
        }
        held.next_player = expected.next_player = "Ève";
        for (int save = 0; save < 2; ++save) {
            QVERIFY(database.save_page(page_of(held), held));
            QCOMPARE(database.read_journal(), expected);
        }
        RawConnection other(path);
        QVERIFY(other.exec_all("BEGIN EXCLUSIVE; UPDATE journal SET joueur = 'X'"));
        QString failure;
        QVERIFY(!database.read_game_before(9, &failure));
        QCOMPARE(failure, said::earlier_game_not_read(said::in_use_elsewhere()));
        QVERIFY(other.exec_all("ROLLBACK; UPDATE journal SET result = 'X' WHERE partie = 8"));
        failure.clear();
        QCOMPARE(database.read_game_before(9, &failure)->number, 7);
        QVERIFY(!database.read_game_before(1, &failure) && failure.isEmpty());
        QCOMPARE(database.journal_rows_not_read(), 2);
    }

    // A row's counts come from its own texts; a row whose texts do not hold together, a row
    // stored twice, or a row whose kind or number means nothing is not read: the user is told
    // once, and the next save keeps it apart in the file as it was, never deletes it.
    void a_damaged_journal_is_read_safely_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("not_read");
        QTest::addColumn<QList<int>>("kept");  // stored turns of the played game; none: no game
        QTest::addColumn<QString>("next_player");
        const QList<int> all = {1, 2, 3};
        const auto row = [](const QString& name, const QString& sql, int not_read,
                            const QList<int>& kept, const QString& next = "Bob") {
            QTest::newRow(qPrintable(name)) << sql << not_read << kept << next;
        };
        const QString second = " WHERE genre = 'tour' AND tour = 2";
        const QString game = " WHERE genre = 'partie' AND partie = 2";
        const QString a = "replace(hex(zeroblob(%1)), '0', 'A')";
        for (const QString count : {"0", "NULL", "-4", "'beaucoup'", "700", "3.5"}) {
            row("count " + count, "UPDATE journal SET nb_lettres = " + count + second, 0, all);
        }
        row("found count", "UPDATE journal SET lettres_trouvées = 99999" + second, 0, all);
        row("start count", "UPDATE journal SET nb_lettres = 0" + game, 0, all);
        row("repeat of itself", "UPDATE journal SET reprise_du_tour = 3 WHERE tour = 3", 0, all);
        row("index dropped", "DROP INDEX journal_ordre", 0, all);
        row("turn stored twice", "INSERT INTO journal SELECT * FROM journal" + second, 1, all);
        row("game stored twice", "INSERT INTO journal SELECT * FROM journal" + game, 1, all);
        row("found text too long", "UPDATE journal SET result = result || ' X'" + second, 1,
            {1, 3});
        row("found text shows a letter not there",
            "UPDATE journal SET result = 'LE CHAT DORX' WHERE tour = 3", 1, {1, 2});
        row("found text hides a letter found before",
            "UPDATE journal SET result = 'L* **A* D***' WHERE tour = 3", 1, {1, 2});
        row("long proposal", "UPDATE journal SET proposition = " + a.arg(50000) + second, 1,
            {1, 3});
        row("long player", "UPDATE journal SET joueur = " + a.arg(50000) + second, 1, {1, 3});
        const QString next = " WHERE genre = 'joueur'";
        row("long next player", "UPDATE journal SET joueur = " + a.arg(50000) + next, 1, all, "");
        row("next player of 1,200", "UPDATE journal SET joueur = " + a.arg(600) + next, 0, all,
            QString(1200, 'A'));
        row("next player a number", "UPDATE journal SET joueur = 20.5" + next, 0, all, "20.5");
        row("next player a blob", "UPDATE journal SET joueur = X'5A4F45'" + next, 0, all, "");
        row("long reference",
            QStringLiteral("UPDATE journal SET base = %1, result = %1").arg(a.arg(350)) + game, 4,
            {});
        row("turn rows without their reference",
            "UPDATE journal SET base = NULL WHERE genre = 'tour'", 1, {-1, -2});
        row("turn without its game", "UPDATE journal SET partie = 7 WHERE tour = 3", 1, {1, 2});
        row("start Initialiser does not make", "UPDATE journal SET result = 'LE CHAT'" + game, 4,
            {});
        const QString unusable =
            "partie NULL; partie -3; partie 99999999999; partie 0; partie "
            "'deux'; partie '2bis'; partie 2.5; tour NULL; tour "
            "'123456789012'; genre 'remarque'; genre NULL";
        for (const QString& value : unusable.split("; ")) {  // in a fourth turn
            row(value,
                "INSERT INTO journal SELECT * FROM journal WHERE tour = 3; UPDATE journal "
                "SET tour = 4, " +
                    QString(value).replace(' ', " = ") +
                    " WHERE rowid = (SELECT max(rowid) FROM journal)",
                1, all);
        }
    }
    void a_damaged_journal_is_read_safely() {
        QFETCH(QString, sql);
        QFETCH(int, not_read);
        QFETCH(QList<int>, kept);
        QFETCH(QString, next_player);
        QTemporaryDir dir;
        JournalContents expected = played_journal();
        const QString path = saved_file(dir, expected);
        RawConnection raw(path);
        QVERIFY2(raw.exec_all(sql), qPrintable(raw.last_error()));
        QStringList rows;  // as they were, without their rowid
        for (const QString& row : raw.rows("journal")) {
            rows << row.section('|', 1);
        }
        expected.next_player = next_player;
        if (kept.isEmpty()) {
            expected.games.pop_back();
        } else {
            expected.games.back().turns = kept_turns(kept);
        }
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const JournalContents read = database.read_journal();
        QCOMPARE(read, expected);
        QCOMPARE(database.journal_rows_not_read(), not_read);
        QCOMPARE(database.take_journal_notice(),
                 not_read ? said::journal_rows_not_read(not_read, "journal_illisible") : "");
        QVERIFY(database.take_journal_notice().isEmpty());
        QCOMPARE(raw.value("SELECT count(*) FROM sqlite_master WHERE name = 'journal_ordre'"),
                 QVariant(1));

        QVERIFY(database.save_page(page_of(read), read));
        int rows_of_read = 1;  // the next player's, one per game and one per turn
        for (const Game& game : read.games) {
            rows_of_read += 1 + int(game.turns.size());
        }
        QCOMPARE(raw.value("SELECT count(*) FROM journal").toInt(), rows_of_read);
        const QStringList apart = not_read ? raw.rows("journal_illisible") : QStringList();
        QCOMPARE(apart.size(), not_read);
        for (const QString& row : apart) {
            QVERIFY2(rows.contains(row.section('|', 1)), qPrintable(row));
        }
        QVERIFY(database.open(path).ok);
        QCOMPARE(database.read_journal(), read);
        QCOMPARE(database.journal_rows_not_read(), 0);
    }

    // A file from before the journal gets its table when it is opened, and a journal left by
    // another version never keeps the page from being saved: one the program cannot write is
    // kept under another name, at the opening or at the save, and a new one begun. A column
    // the program does not know keeps its values. A save the file refuses changes nothing and
    // says why; once the cause is gone, it is made. The page's tables are never touched.
    void a_journal_of_any_shape_is_saved_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("at_opening");
        QTest::addColumn<bool>("set_aside");
        QTest::addColumn<QString>("error");  // the reason the save is refused
        QTest::addColumn<QString>("repair");
        const auto row = [](const char* name, const QString& change, bool at_opening,
                            bool set_aside) {
            QTest::newRow(name) << change << at_opening << set_aside << QString() << QString();
        };
        const QString columns =
            "genre TEXT, partie INTEGER, tour INTEGER, joueur TEXT, "
            "proposition TEXT, base TEXT, result TEXT, lettres TEXT, "
            "lettres_trouvées INTEGER, nb_lettres INTEGER, reprise_du_tour "
            "INTEGER, initialisée BOOLEAN, auteur TEXT NOT NULL";
        const QString view =
            "ALTER TABLE journal RENAME TO parties; CREATE VIEW journal AS SELECT * FROM parties";
        row("file from before the journal",
            "DROP TABLE journal; DROP TABLE fil; DROP TABLE publication", true, false);
        row("table gone", "DROP TABLE journal", false, false);
        row("a column of another tool",
            "ALTER TABLE journal ADD COLUMN note TEXT; UPDATE journal SET note = 'vu'", false,
            false);
        row("columns missing",
            "ALTER TABLE journal DROP COLUMN initialisée; ALTER TABLE journal DROP COLUMN base",
            false, false);
        row("column refusing Null",
            "CREATE TABLE ancien AS SELECT * FROM journal; DROP TABLE journal; CREATE TABLE "
            "journal (" +
                columns + "); INSERT INTO journal SELECT *, 'moi' FROM ancien; DROP TABLE ancien",
            false, true);
        row("view", view, false, true);
        row("view, at the opening", view, true, true);
        const QString trigger =
            "CREATE TRIGGER refus BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'non');END";
        const auto refused = [](const char* name, const QString& change, const QString& error,
                                const QString& repair) {
            QTest::newRow(name) << change << false << false << error << repair;
        };
        refused("journal refuses a row", trigger.arg("INSERT", "journal"), said::values_refused(),
                "DROP TRIGGER refus");
        refused("compteurs refuses the update", trigger.arg("UPDATE", "compteurs"),
                said::values_refused(), "DROP TRIGGER refus");
        refused("another program reading", "BEGIN; SELECT count(*) FROM journal",
                said::in_use_elsewhere(), "COMMIT");
    }
    void a_journal_of_any_shape_is_saved() {
        QFETCH(QString, change);
        QFETCH(bool, at_opening);
        QFETCH(bool, set_aside);
        QFETCH(QString, error);
        QFETCH(QString, repair);
        QTemporaryDir dir;
        JournalContents first = played_journal();
        first.games.back().turns.pop_back();
        const QString path = saved_file(dir, first);
        RawConnection raw(path);
        const qsizetype kept = raw.rows("journal").size();
        QVERIFY(!at_opening || raw.exec_all(change));
        const auto page = [&raw] {
            return raw.rows("données") + raw.rows("compteurs") + raw.rows("couleurs");
        };
        const QStringList page_before = page();
        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path);
        QVERIFY(opened.ok);
        QCOMPARE(page(), page_before);
        QCOMPARE(raw.value("SELECT count(*) FROM sqlite_master WHERE name IN ('journal', "
                           "'journal_ordre', 'fil', 'publication')"),
                 QVariant(4));
        QCOMPARE(database.read_journal(), at_opening ? JournalContents{} : first);
        QVERIFY2(at_opening || raw.exec_all(change), qPrintable(raw.last_error()));
        const QVariant notes = raw.value("SELECT count(note) FROM journal");
        const QByteArray bytes = file_bytes(path);
        const JournalContents second = played_journal();
        QString told;
        QCOMPARE(database.save_page(page_of(second), second, &told), error.isEmpty());
        QCOMPARE(told, error.isEmpty() ? QString() : said::save_failed(error));
        if (!error.isEmpty()) {
            QCOMPARE(file_bytes(path), bytes);
            QVERIFY(raw.exec(repair));
            QCOMPARE(database.read_journal(), first);
            QVERIFY(database.save_page(page_of(second), second));
        }
        QCOMPARE(database.read_page().result, QStringLiteral("LE CHAT DORS"));
        const QString notice = at_opening ? opened.notice : database.take_journal_notice();
        const QString aside =
            raw.value("SELECT group_concat(name) FROM sqlite_master WHERE name LIKE 'journal_2%'")
                .toString();
        QCOMPARE(notice, set_aside ? said::journal_set_aside(aside) : QString());
        const QRegularExpression dated("^journal_\\d{4}(-\\d\\d){2}_\\d\\d(-\\d\\d){2}$");
        QCOMPARE(aside.contains(dated), set_aside);
        QCOMPARE(raw.value("SELECT count(*) FROM \"" + aside + '"').toInt(), set_aside ? kept : 0);
        QCOMPARE(database.read_journal(), second);
        QCOMPARE(raw.value("SELECT count(note) FROM journal"), notes);
        QVERIFY(database.save_page(page_of(first)));  // the page alone leaves the journal
        const VorloDatabase::OpenResult again = database.open(path);
        QVERIFY(again.ok && again.notice.isEmpty());
        QCOMPARE(database.read_journal(), second);
    }
};

QTEST_GUILESS_MAIN(TestStorageJournal)
#include "test_storage_journal.moc"
