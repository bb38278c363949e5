#include "storage/storage_messages.h"
#include "storage/vorlo_database.h"
#include "storage_test_support.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <unistd.h>

using namespace vorlo;
using namespace vorlo::test;

namespace {

// A game taken up from the page, then a game of three turns whose counts its texts give.
JournalContents played_journal() {
    JournalContents journal;
    Game opened;
    opened.initialised_here = false;
    opened.start = {"VIDE", "VIDE", "VIDE", 0, 0};
    Game game;
    game.start = {"LE CHAT DORT", "** **** ****", "A C D E H L O R T T ", 10, 0};
    game.turns = {
        {1, "LA CAGE DUR", "Zoé", 3, 7, "L* **A* D***", "C E H O R T T ", 0, "LE CHAT DORT"},
        {2, "LE COAT DOS", "Bob", 4, 3, "LE C*AT DO**", "H R T ", 0, "LE CHAT DORT"},
        {3, "LE CHAT DORT", "Zoé", 3, 0, "LE CHAT DORT", "", 0, "LE CHAT DORT"},
    };
    journal.games = {opened, game};
    journal.next_player = "Bob";
    return journal;
}

StoredPage page_of(const JournalContents& journal) {
    const PuzzlePage page = journal.games.back().current_page();
    return {page.reference, page.found_text, QStringLiteral("LE CHAT DORT"), page.letters,
            page.remaining_count};
}

int stars(const QString& text) {
    return static_cast<int>(text.count(QLatin1Char('*')));
}

// The turns of the played game that a read keeps, given by their stored numbers: numbered
// again from 1, each with the letters it shows that the one kept before it hid.
std::vector<Turn> kept_turns(const QList<int>& numbers) {
    const Game game = played_journal().games.back();
    std::vector<Turn> kept;
    QString before = game.start.found_text;
    for (int number : numbers) {
        Turn turn = game.turns.at(static_cast<std::size_t>(number - 1));
        turn.number = static_cast<int>(kept.size()) + 1;
        turn.revealed = stars(before) - stars(turn.found_text);
        before = turn.found_text;
        kept.push_back(turn);
    }
    return kept;
}

// Rows a journal takes: one per game and per turn, and the next player's.
int row_count(const JournalContents& journal) {
    int rows = 1;
    for (const Game& game : journal.games) {
        rows += 1 + static_cast<int>(game.turns.size());
    }
    return rows;
}

QString saved_file(const QTemporaryDir& dir, const JournalContents& journal) {
    const QString path = dir.filePath(VorloDatabase::file_name());
    VorloDatabase database;
    if (!database.open(path).ok || !database.save_page(page_of(journal), journal)) {
        return {};
    }
    return path;
}

QString busy() {
    return QStringLiteral("le fichier est utilisé par un autre programme");
}

// The games of a journal of `count` games of one turn each, numbered from 1.
JournalContents numbered_games(int count) {
    JournalContents journal;
    for (int g = 1; g <= count; ++g) {
        const QString reference = QStringLiteral("PARTIE %1").arg(g);
        Game game;
        game.start = {reference, "****** " + reference.mid(7), "A E I P R T ", 6, 0};
        game.turns = {
            {1, reference, QStringLiteral("Joueur %1").arg(g), 6, 0, reference, "", 0, reference}};
        journal.games.push_back(game);
    }
    return journal;
}

}  // namespace

class TestJournalDamage : public QObject {
    Q_OBJECT

  private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // A row's numbers come from its texts; a row whose texts do not hold together is not
    // read, and the next save keeps it apart in the file.
    void rows_are_checked_against_their_texts_data() {
        QTest::addColumn<QString>("sabotage");
        QTest::addColumn<int>("not_read");
        QTest::addColumn<QList<int>>("kept");  // stored turns of the played game
        QTest::addColumn<QString>("next_player");
        const QString second = QStringLiteral(" WHERE genre = 'tour' AND tour = 2");
        const QList<int> all = {1, 2, 3};
        for (const char* count : {"0", "NULL", "-4", "'beaucoup'", "700", "3.5"}) {
            QTest::addRow("remaining count %s", count)
                << QStringLiteral("UPDATE journal SET nb_lettres = %1").arg(count) + second << 0
                << all << QStringLiteral("Bob");
        }
        QTest::newRow("found count 99999") << "UPDATE journal SET lettres_trouvées = 99999" + second
                                           << 0 << all << QStringLiteral("Bob");
        QTest::newRow("start count 0")
            << "UPDATE journal SET nb_lettres = 0 WHERE genre = 'partie' AND partie = 2" << 0 << all
            << QStringLiteral("Bob");
        QTest::newRow("turn stored twice") << "INSERT INTO journal SELECT * FROM journal" + second
                                           << 1 << all << QStringLiteral("Bob");
        QTest::newRow("found text longer than its sentence")
            << "UPDATE journal SET result = result || ' X'" + second << 1 << QList<int>{1, 3}
            << QStringLiteral("Bob");
        QTest::newRow("found text shows a letter not there")
            << "UPDATE journal SET result = 'LE CHAT DORS' WHERE tour = 3" << 1 << QList<int>{1, 2}
            << QStringLiteral("Bob");
        QTest::newRow("found text hides a letter found before")
            << "UPDATE journal SET result = 'L* **A* D***' WHERE tour = 3" << 1 << QList<int>{1, 2}
            << QStringLiteral("Bob");
        const QString long_text = "replace(hex(zeroblob(50000)), '0', 'A')";  // 100,000 A
        QTest::newRow("proposal of 100,000 characters")
            << "UPDATE journal SET proposition = " + long_text + second << 1 << QList<int>{1, 3}
            << QStringLiteral("Bob");
        QTest::newRow("player of 100,000 characters")
            << "UPDATE journal SET joueur = " + long_text + second << 1 << QList<int>{1, 3}
            << QStringLiteral("Bob");
        QTest::newRow("next player of 100,000 characters")
            << "UPDATE journal SET joueur = " + long_text + " WHERE genre = 'joueur'" << 1
            << QList<int>{1, 2, 3} << QStringLiteral("");
        QTest::newRow("reference of 700 characters")
            << "UPDATE journal SET base = replace(hex(zeroblob(350)), '0', 'A'), result = "
               "replace(hex(zeroblob(350)), '0', 'A') WHERE genre = 'partie' AND partie = 2"
            << 4 << QList<int>{} << QStringLiteral("Bob");
        QTest::newRow("turn without its game") << "UPDATE journal SET partie = 7 WHERE tour = 3"
                                               << 1 << QList<int>{1, 2} << QStringLiteral("Bob");
        QTest::newRow("start that Initialiser does not make")
            << "UPDATE journal SET result = 'LE CHAT' WHERE genre = 'partie' AND partie = 2" << 4
            << QList<int>{} << QStringLiteral("Bob");
    }

    void rows_are_checked_against_their_texts() {
        QFETCH(QString, sabotage);
        QFETCH(int, not_read);
        QFETCH(QList<int>, kept);
        QFETCH(QString, next_player);
        QTemporaryDir dir;
        const JournalContents saved = played_journal();
        const QString path = saved_file(dir, saved);
        QVERIFY(!path.isEmpty());
        {
            RawConnection raw(path);
            QVERIFY2(raw.exec(sabotage), qPrintable(raw.last_error()));
        }
        JournalContents expected = saved;
        expected.next_player = next_player;
        if (not_read == 4) {
            expected.games.pop_back();
        } else {
            expected.games.back().turns = kept_turns(kept);
        }

        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const JournalContents read = database.read_journal();
        QCOMPARE(read, expected);
        QCOMPARE(database.journal_rows_not_read(), not_read);
        const QString notice = database.take_journal_notice();
        QCOMPARE(notice.isEmpty(), not_read == 0);
        if (not_read > 1) {
            QVERIFY2(notice.startsWith(QString::number(not_read) + " lignes"), qPrintable(notice));
        }
        QVERIFY(database.take_journal_notice().isEmpty());

        // The save keeps what was not read apart; the rest reads as it was shown.
        QVERIFY(database.save_page(page_of(read), read));
        RawConnection raw(path);
        QCOMPARE(raw.value("SELECT count(*) FROM journal"), QVariant(row_count(read)));
        QCOMPARE(raw.value("SELECT count(*) FROM journal_illisible").toInt(), not_read);
        VorloDatabase again;
        database.close();
        QVERIFY(again.open(path).ok);
        QCOMPARE(again.read_journal(), read);
        QCOMPARE(again.journal_rows_not_read(), 0);
    }

    // Another tool may type the number columns as text: the games still sort as numbers,
    // and a save replaces the games it read, no others.
    void number_columns_typed_text_sort_as_numbers() {
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        {
            VorloDatabase made;
            QVERIFY(made.open(path).ok);
        }
        {
            RawConnection raw(path);
            QVERIFY(raw.exec("DROP TABLE journal"));
            QVERIFY(raw.exec(
                "CREATE TABLE journal (genre TEXT, partie TEXT, tour TEXT, joueur TEXT, "
                "proposition TEXT, base TEXT, result TEXT, lettres TEXT, lettres_trouvées TEXT, "
                "nb_lettres TEXT, reprise_du_tour TEXT, initialisée TEXT)"));
        }
        const JournalContents whole = numbered_games(10);
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QVERIFY(database.save_page(page_of(whole), whole));
        RawConnection raw(path);
        QCOMPARE(raw.value("SELECT typeof(partie) FROM journal WHERE genre = 'partie' LIMIT 1"),
                 QVariant("text"));
        const int rows = raw.value("SELECT count(*) FROM journal").toInt();
        QCOMPARE(rows, 21);

        JournalContents held = database.read_journal(nullptr, 2);
        QCOMPARE(held.first_game_number, 9);
        QCOMPARE(held.earlier_games, 8);
        QCOMPARE(held.games, (std::vector<Game>{whole.games.at(8), whole.games.at(9)}));
        const std::optional<NumberedGame> earlier = database.read_game_before(9);
        QVERIFY(earlier);
        QCOMPARE(earlier->number, 8);
        QCOMPARE(earlier->game, whole.games.at(7));

        held.games.back().turns.front().player = "Ève";
        QVERIFY(database.save_page(page_of(held), held));
        QCOMPARE(raw.value("SELECT count(*) FROM journal").toInt(), rows);
        JournalContents expected = whole;
        expected.games.back().turns.front().player = "Ève";
        QCOMPARE(database.read_journal(), expected);
    }

    // A row whose game or turn number, or kind, is none the program knows is not read and
    // not deleted: the next save moves it, as it was, into a table kept apart.
    void rows_with_unusable_numbers_are_kept_apart_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::newRow("game number null") << "partie"
                                          << "NULL";
        QTest::newRow("game number negative") << "partie"
                                              << "-3";
        QTest::newRow("game number huge") << "partie"
                                          << "99999999999";
        QTest::newRow("game number zero") << "partie"
                                          << "0";
        QTest::newRow("game number text") << "partie"
                                          << "'deux'";
        QTest::newRow("game number text with digits") << "partie"
                                                      << "'2bis'";
        QTest::newRow("game number real") << "partie"
                                          << "2.5";
        QTest::newRow("turn number null") << "tour"
                                          << "NULL";
        QTest::newRow("turn number huge") << "tour"
                                          << "'123456789012'";
        QTest::newRow("unknown kind") << "genre"
                                      << "'remarque'";
        QTest::newRow("kind null") << "genre"
                                   << "NULL";
    }

    void rows_with_unusable_numbers_are_kept_apart() {
        QFETCH(QString, column);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const JournalContents saved = played_journal();
        const QString path = saved_file(dir, saved);
        QVERIFY(!path.isEmpty());
        QStringList before;
        QVariant stored;
        {
            RawConnection raw(path);
            before = raw.rows("journal");
            // A fourth turn, with the unusable value.
            QVERIFY(raw.exec("INSERT INTO journal SELECT * FROM journal WHERE tour = 3"));
            const QString last = " WHERE rowid = (SELECT max(rowid) FROM journal)";
            QVERIFY(raw.exec(
                QStringLiteral("UPDATE journal SET tour = 4, %1 = %2").arg(column, value) + last));
            stored = raw.value(QStringLiteral("SELECT quote(%1) FROM journal").arg(column) + last);
        }
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const JournalContents read = database.read_journal();
        QCOMPARE(read, saved);
        QCOMPARE(database.journal_rows_not_read(), 1);
        QVERIFY(database.take_journal_notice().startsWith(
            QStringLiteral("Une ligne du journal des parties")));

        QVERIFY(database.save_page(page_of(read), read));
        RawConnection raw(path);
        QCOMPARE(raw.value("SELECT count(*) FROM journal_illisible"), QVariant(1));
        QCOMPARE(raw.value(QStringLiteral("SELECT quote(%1) FROM journal_illisible").arg(column)),
                 stored);
        QCOMPARE(raw.value("SELECT result FROM journal_illisible"), QVariant("LE CHAT DORT"));
        QCOMPARE(raw.value("SELECT count(*) FROM journal"), QVariant(before.size()));
        database.close();
        VorloDatabase again;
        QVERIFY(again.open(path).ok);
        QCOMPARE(again.read_journal(), saved);
        QCOMPARE(again.journal_rows_not_read(), 0);
        QVERIFY(again.take_journal_notice().isEmpty());
    }

    // A journal left by another version never keeps the page from being saved.
    void the_page_is_saved_whatever_the_journal_shape_data() {
        QTest::addColumn<QString>("reshape");
        QTest::addColumn<bool>("set_aside");  // kept under another name, a new one begun
        const QString copy = "CREATE TABLE ancien AS SELECT * FROM journal; DROP TABLE journal; ";
        QTest::newRow("column missing")
            << copy +
                   "CREATE TABLE journal AS SELECT genre, partie, tour, joueur, proposition, "
                   "base, result, lettres, lettres_trouvées, nb_lettres FROM ancien; "
                   "DROP TABLE ancien"
            << false;
        QTest::newRow("column refusing Null")
            << copy +
                   "CREATE TABLE journal (genre TEXT, partie INTEGER, tour INTEGER, joueur TEXT, "
                   "proposition TEXT, base TEXT, result TEXT, lettres TEXT, lettres_trouvées "
                   "INTEGER, nb_lettres INTEGER, reprise_du_tour INTEGER, initialisée BOOLEAN, "
                   "auteur TEXT NOT NULL); "
                   "INSERT INTO journal SELECT *, 'moi' FROM ancien; DROP TABLE ancien"
            << true;
        QTest::newRow("one of the program's columns refusing Null")
            << copy +
                   "CREATE TABLE journal (genre TEXT, partie INTEGER, tour INTEGER, joueur TEXT, "
                   "proposition TEXT, base TEXT NOT NULL DEFAULT '', result TEXT, lettres TEXT, "
                   "lettres_trouvées INTEGER, nb_lettres INTEGER, reprise_du_tour INTEGER, "
                   "initialisée BOOLEAN); "
                   "INSERT INTO journal SELECT genre, partie, tour, joueur, proposition, "
                   "coalesce(base, ''), result, lettres, lettres_trouvées, nb_lettres, "
                   "reprise_du_tour, initialisée FROM ancien; DROP TABLE ancien"
            << true;
        QTest::newRow("view") << "ALTER TABLE journal RENAME TO parties; CREATE VIEW journal AS "
                                 "SELECT * FROM parties"
                              << true;
    }

    void the_page_is_saved_whatever_the_journal_shape() {
        QFETCH(QString, reshape);
        QFETCH(bool, set_aside);
        QTemporaryDir dir;
        JournalContents first = played_journal();
        first.games.back().turns.pop_back();
        const QString path = saved_file(dir, first);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const JournalContents held = database.read_journal();
        QStringList kept;
        {
            RawConnection raw(path);
            kept = raw.rows("journal");
            for (const QString& statement : reshape.split("; ")) {
                QVERIFY2(raw.exec(statement), qPrintable(raw.last_error()));
            }
        }
        const JournalContents second = played_journal();
        QString error;
        QVERIFY2(database.save_page(page_of(second), second, &error), qPrintable(error));
        QCOMPARE(database.read_page().result, QStringLiteral("LE CHAT DORT"));
        const QString notice = database.take_journal_notice();
        QCOMPARE(notice.startsWith(QStringLiteral("Le journal des parties du fichier")), set_aside);
        if (set_aside) {
            RawConnection raw(path);
            const QStringList names = raw.column(
                "SELECT name FROM sqlite_master WHERE name LIKE 'journal_2%' AND type IN "
                "('table', 'view')");
            QCOMPARE(names.size(), 1);
            QVERIFY2(notice.contains(names.front()), qPrintable(notice));
            QVERIFY(QRegularExpression("^journal_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d$")
                        .match(names.front())
                        .hasMatch());
            QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(names.front())),
                     QVariant(kept.size()));
        }
        QCOMPARE(database.read_journal(), second);
        // Opened again, the file needs nothing more.
        database.close();
        const VorloDatabase::OpenResult opened = database.open(path);
        QVERIFY(opened.ok);
        QCOMPARE(opened.notice, QString());
        QCOMPARE(database.read_journal(), second);
    }

    // A journal the program cannot write is already set aside when the file is opened.
    void a_journal_that_cannot_be_written_is_set_aside_at_the_opening() {
        QTemporaryDir dir;
        const QString path = saved_file(dir, played_journal());
        QVERIFY(!path.isEmpty());
        {
            RawConnection raw(path);
            QVERIFY(raw.exec("ALTER TABLE journal RENAME TO parties"));
            QVERIFY(
                raw.exec("CREATE VIEW \"journal\" (genre, partie) AS SELECT genre, partie "
                         "FROM parties"));
        }
        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path);
        QVERIFY(opened.ok);
        QVERIFY2(opened.notice.contains("journal_2"), qPrintable(opened.notice));
        QCOMPARE(database.read_journal(), JournalContents{});
        RawConnection raw(path);
        QCOMPARE(raw.value("SELECT type FROM sqlite_master WHERE name = 'journal'"),
                 QVariant("table"));
        QCOMPARE(raw.value("SELECT count(*) FROM sqlite_master WHERE name LIKE 'journal_2%' AND "
                           "sql LIKE '%(genre, partie)%FROM parties'"),
                 QVariant(1));
    }

    // A column the program does not know keeps its values through the saves.
    void a_column_the_program_does_not_know_keeps_its_values() {
        QTemporaryDir dir;
        const JournalContents saved = played_journal();
        const QString path = saved_file(dir, saved);
        QVERIFY(!path.isEmpty());
        const QString values =
            "SELECT genre || partie || '.' || tour || ':' || coalesce(note, '-') FROM journal "
            "ORDER BY partie, tour";
        QStringList noted;
        {
            RawConnection raw(path);
            QVERIFY(raw.exec("ALTER TABLE journal ADD COLUMN note TEXT"));
            QVERIFY(raw.exec("UPDATE journal SET note = 'vu ' || tour WHERE genre <> 'joueur'"));
            noted = raw.column(values);
        }
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        JournalContents held = database.read_journal(nullptr, 1);
        QCOMPARE(held.earlier_games, 1);
        held.games.back().turns.back().player = "Ève";
        QVERIFY(database.save_page(page_of(held), held));
        QVERIFY(database.save_page(page_of(held), held));
        RawConnection raw(path);
        QCOMPARE(raw.column(values), noted);
        QCOMPARE(raw.value("SELECT joueur FROM journal WHERE tour = 3"), QVariant("Ève"));
    }

    // The file is held whatever path leads to it.
    void a_link_to_an_open_file_is_refused_data() {
        QTest::addColumn<bool>("symbolic");
        QTest::newRow("symbolic link") << true;
        QTest::newRow("hard link") << false;
    }

    void a_link_to_an_open_file_is_refused() {
        QFETCH(bool, symbolic);
        QTemporaryDir dir;
        QTemporaryDir other_dir;
        const QString path = saved_file(dir, played_journal());
        QVERIFY(!path.isEmpty());
        const QString link = other_dir.filePath(QStringLiteral("autre.mdb"));
        QVERIFY(symbolic ? QFile::link(path, link)
                         : ::link(QFile::encodeName(path).constData(),
                                  QFile::encodeName(link).constData()) == 0);
        VorloDatabase first;
        QVERIFY(first.open(path).ok);
        VorloDatabase second;
        const VorloDatabase::OpenResult refused = second.open(link);
        QVERIFY(!refused.ok);
        QCOMPARE(refused.error, storage_messages::already_open(link));
        QVERIFY(!second.is_open());
        // The other way round too, and once the first lets go the link opens.
        first.close();
        QVERIFY(second.open(link).ok);
        QVERIFY(!first.open(path).ok);
        second.close();
        QVERIFY(first.open(path).ok);
    }

    // A save that another program keeps from being committed says why.
    void another_program_reading_the_file_is_named_at_the_commit() {
        QTemporaryDir dir;
        const JournalContents saved = played_journal();
        const QString path = saved_file(dir, saved);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        RawConnection reader(path);
        QVERIFY(reader.exec("BEGIN"));
        QCOMPARE(reader.value("SELECT count(*) FROM journal"), QVariant(6));
        StoredPage changed = page_of(saved);
        changed.propal = QStringLiteral("AUTRE");
        QString error;
        QVERIFY(!database.save_page(changed, saved, &error));
        QCOMPARE(error, storage_messages::save_failed(busy()));
        QVERIFY(reader.exec("COMMIT"));
        QCOMPARE(database.read_page().propal, QStringLiteral("LE CHAT DORT"));
        QVERIFY2(database.save_page(changed, saved, &error), qPrintable(error));
        QCOMPARE(database.read_page().propal, QStringLiteral("AUTRE"));
    }

    // A file that cannot be written is said so at the opening, before any save fails.
    void a_read_only_file_is_announced_at_the_opening() {
        QTemporaryDir dir;
        const QString path = saved_file(dir, played_journal());
        QVERIFY(!path.isEmpty());
        {
            VorloDatabase database;
            const VorloDatabase::OpenResult opened = database.open(path);
            QVERIFY(opened.ok && !opened.read_only);
            QCOMPARE(opened.notice, QString());
        }
        {
            VorloDatabase database;
            const VorloDatabase::OpenResult opened = database.open(path, true);
            QVERIFY(opened.ok && opened.read_only);
        }
        // Write-protected even for the system's administrator.
        if (QProcess::execute("chattr", {"+i", path}) != 0) {
            QSKIP("the file system cannot make a file unchangeable");
        }
        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path);
        const bool saved = database.save_page(page_of(played_journal()));
        database.close();
        QProcess::execute("chattr", {"-i", path});
        QVERIFY(opened.ok && opened.read_only);
        QCOMPARE(opened.notice, storage_messages::read_only_page(path));
        QVERIFY(!saved);
    }

    // An undo that needs an earlier game the file holds but cannot give says so; none at
    // all is no failure.
    void an_earlier_game_that_cannot_be_read_says_so() {
        QTemporaryDir dir;
        const QString path = saved_file(dir, numbered_games(4));
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const JournalContents held = database.read_journal(nullptr, 2);
        QCOMPARE(held.first_game_number, 3);
        QString failure;
        {
            RawConnection other(path);
            QVERIFY(other.exec("BEGIN EXCLUSIVE"));
            QVERIFY(other.exec("UPDATE journal SET joueur = 'X'"));
            QVERIFY(!database.read_game_before(3, &failure));
            QCOMPARE(failure, storage_messages::earlier_game_not_read(busy()));
            QVERIFY(other.exec("ROLLBACK"));
        }
        failure.clear();
        QCOMPARE(database.read_game_before(3, &failure)->number, 2);
        QVERIFY(!database.read_game_before(1, &failure));
        QCOMPARE(failure, QString());
        // A game that cannot be read is passed over for the one before it.
        {
            RawConnection raw(path);
            QVERIFY(
                raw.exec("UPDATE journal SET result = 'X' WHERE genre = 'partie' AND "
                         "partie = 2"));
        }
        const std::optional<NumberedGame> earlier = database.read_game_before(3, &failure);
        QVERIFY(earlier);
        QCOMPARE(earlier->number, 1);
        QCOMPARE(failure, QString());
        QCOMPARE(database.journal_rows_not_read(), 2);
    }

    // An older journal gets the index on the games' order when the file is opened.
    void an_older_journal_gets_its_index() {
        QTemporaryDir dir;
        const QString path = saved_file(dir, played_journal());
        QVERIFY(!path.isEmpty());
        const QString indexes =
            "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND tbl_name = 'journal'";
        {
            RawConnection raw(path);
            QCOMPARE(raw.value(indexes), QVariant(1));
            QVERIFY(raw.exec("DROP INDEX journal_ordre"));
            QCOMPARE(raw.value(indexes), QVariant(0));
        }
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        RawConnection raw(path);
        QCOMPARE(raw.value(indexes), QVariant(1));
        QCOMPARE(raw.value("PRAGMA integrity_check"), QVariant("ok"));
    }
};

QTEST_GUILESS_MAIN(TestJournalDamage)
#include "test_journal_damage.moc"
