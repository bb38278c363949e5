#include "storage/vorlo_database.h"
#include "storage_test_support.h"

#include <QtTest>

#include <limits>

using namespace vorlo;
using namespace vorlo::test;

namespace {

QString repeated_to(const QString& pattern, int length) {
    QString text;
    while (text.size() < length) {
        text += pattern;
    }
    text.truncate(length);
    return text;
}

// A page with every kind of character the puzzle uses, at the longest.
StoredPage long_page() {
    StoredPage page;
    page.base = repeated_to(QStringLiteral("L’ŒUVRE DÉJÀ ÇÀ ÊTRE, ÛÙÔÎË È Â ? "), 600);
    page.result = page.base;
    for (QChar& c : *page.result) {
        c = c.isLetter() ? QLatin1Char('*') : c;
    }
    page.propal = repeated_to(QStringLiteral("L’OEUVRE DEJA ÇA ÊTRE ; "), 1500);
    page.lettres = repeated_to(QStringLiteral("ŒŒ É ’ "), 638);
    page.nb_lettres = 600;
    return page;
}

StoredPage small_page(const QString& reference, std::optional<int> count) {
    return {reference, QString(reference).fill(QLatin1Char('*')), QStringLiteral("PROPAL"),
            reference + QLatin1Char(' '), count};
}

// The small page "ABC" saved in `dir`, then changed behind the program's back by `changes`.
QString small_page_changed_by(const QTemporaryDir& dir, const QStringList& changes) {
    const QString path = dir.filePath(VorloDatabase::file_name());
    {
        VorloDatabase database;
        if (!database.open(path).ok || !database.save_page(small_page("ABC", 3))) {
            return {};
        }
    }
    RawConnection raw(path);
    for (const QString& sql : changes) {
        if (!raw.exec(sql)) {
            qWarning() << sql << raw.last_error();
            return {};
        }
    }
    return path;
}

// The one connection the storage under test has open.
QSqlDatabase storage_connection() {
    for (const QString& name : QSqlDatabase::connectionNames()) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (name.startsWith(QStringLiteral("vorlo_storage_")) && db.isOpen()) {
            return db;
        }
    }
    return {};
}

}  // namespace

class TestDatabasePage : public QObject {
    Q_OBJECT

  private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // What is saved comes back as it was, written once as text and a whole count; saving
    // the same page again writes the same values.
    void a_saved_page_comes_back_data() {
        QTest::addColumn<StoredPage>("page");
        QTest::addColumn<QString>("stored");  // the fields as SQLite holds them
        QTest::newRow("longest") << long_page() << "text600text|integer600";
        QTest::newRow("empty texts") << StoredPage{"ABC", "", "", "", 0} << "text3text|integer0";
        QTest::newRow("null texts")
            << StoredPage{" ", QString(), QString(), QString(), 0} << "text1text|integer0";
    }
    void a_saved_page_comes_back() {
        QFETCH(StoredPage, page);
        QFETCH(QString, stored);
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        {
            VorloDatabase database;
            QVERIFY(database.open(path).ok);
            QVERIFY(database.save_page(page));
        }
        RawConnection raw(path);
        QCOMPARE(raw.value("SELECT typeof(base) || length(base) || typeof(result) || '|' || "
                           "typeof(nb_lettres) || nb_lettres FROM données, compteurs"),
                 QVariant(stored));
        const QStringList rows = raw.rows("données") + raw.rows("compteurs");
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const StoredPage read = database.read_page();
        QCOMPARE(read.base, page.base);
        QCOMPARE(read.result, page.result.value_or(QString()));
        QCOMPARE(read.propal, page.propal.value_or(QString()));
        QCOMPARE(read.lettres, page.lettres.value_or(QString()));
        QCOMPARE(read.nb_lettres, page.nb_lettres);
        QCOMPARE(shown_page(read).result, page.result.value_or(QString()));
        QVERIFY(database.save_page(page));
        QCOMPARE(raw.rows("données") + raw.rows("compteurs"), rows);
    }

    // A file changed by another tool reads field by field: a text missing or unreadable
    // shows "Vide", a count that cannot serve is counted again from the found text (never
    // a false "0" while letters are hidden), and the count shown can be saved again.
    void a_stored_file_reads_as_a_page_data() {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");  // as stored, -1 for none
        QTest::addColumn<int>("shown");  // the count shown
        const auto texts = [](const char* base, const char* result, const char* count) {
            return QStringList{QStringLiteral("UPDATE données SET base = %1, result = %2")
                                   .arg(QString::fromUtf8(base), QString::fromUtf8(result)),
                               QStringLiteral("UPDATE compteurs SET nb_lettres = %1").arg(count)};
        };
        const auto count = [](const char* value) {
            return QStringList{QStringLiteral("UPDATE compteurs SET nb_lettres = %1").arg(value)};
        };
        QTest::newRow("as saved") << QStringList() << "ABC"
                                  << "***" << 3 << 3;
        QTest::newRow("text null") << texts("'ABC'", "NULL", "3") << "ABC"
                                   << "Vide" << 3 << 3;
        QTest::newRow("text empty") << texts("'ABC'", "''", "3") << "ABC"
                                    << "" << 3 << 3;
        QTest::newRow("text blob") << texts("'ABC'", "X'414243'", "3") << "ABC"
                                   << "Vide" << 3 << 3;
        QTest::newRow("text accented") << texts("'L’ŒIL'", "'L’***'", "3") << "L’ŒIL"
                                       << "L’***" << 3 << 3;
        QTest::newRow("numbers in untyped fields")
            << QStringList{"DROP TABLE données",
                           "CREATE TABLE données (base, result, propal, lettres)",
                           "INSERT INTO données VALUES (2024, -7, 12.5, 'A ')"}
            << "2024"
            << "-7" << 3 << 3;
        QTest::newRow("base missing")
            << QStringList{"ALTER TABLE données DROP COLUMN base"} << "Vide"
            << "***" << 3 << 3;
        QTest::newRow("count zero") << count("0") << "ABC"
                                    << "***" << 0 << 0;
        QTest::newRow("count twelve") << count("12") << "ABC"
                                      << "***" << 12 << 12;
        QTest::newRow("count 600") << count("600") << "ABC"
                                   << "***" << 600 << 600;
        QTest::newRow("count 601") << count("601") << "ABC"
                                   << "***" << -1 << 3;
        QTest::newRow("count 40000") << count("40000") << "ABC"
                                     << "***" << -1 << 3;
        QTest::newRow("count negative") << count("-3") << "ABC"
                                        << "***" << -1 << 3;
        QTest::newRow("count text") << count("'abc'") << "ABC"
                                    << "***" << -1 << 3;
        QTest::newRow("count fraction") << count("12.5") << "ABC"
                                        << "***" << -1 << 3;
        QTest::newRow("count blob") << count("X'3132'") << "ABC"
                                    << "***" << -1 << 3;
        QTest::newRow("count null, some found")
            << texts("'LE CHAT'", "'L* CH*T'", "NULL") << "LE CHAT"
            << "L* CH*T" << -1 << 2;
        QTest::newRow("count null, all found")
            << texts("'LE CHAT'", "'LE CHAT'", "NULL") << "LE CHAT"
            << "LE CHAT" << -1 << 0;
        QTest::newRow("a star of the reference") << texts("'A*B'", "'A**'", "NULL") << "A*B"
                                                 << "A**" << -1 << 1;
        QTest::newRow("stars past the reference") << texts("'AB'", "'***'", "NULL") << "AB"
                                                  << "***" << -1 << 3;
        QTest::newRow("all null") << texts("NULL", "NULL", "NULL") << "Vide"
                                  << "Vide" << -1 << 0;
        QTest::newRow("first record by rowid")
            << QStringList{"DELETE FROM données",
                           "DELETE FROM compteurs",
                           "INSERT INTO données (rowid, base) VALUES (7, 'SEPT')",
                           "INSERT INTO données (rowid, base) VALUES (3, 'TROIS')",
                           "INSERT INTO compteurs (rowid, nb_lettres) VALUES (5, 4)",
                           "INSERT INTO compteurs (rowid, nb_lettres) VALUES (0, 9)"}
            << "TROIS"
            << "Vide" << 9 << 9;
    }
    void a_stored_file_reads_as_a_page() {
        QFETCH(QStringList, changes);
        QFETCH(QString, base);
        QFETCH(QString, result);
        QFETCH(int, count);
        QFETCH(int, shown);
        QTemporaryDir dir;
        const QString path = small_page_changed_by(dir, changes);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QString failure;
        const StoredPage read = database.read_page(&failure);
        QCOMPARE(failure, QString());
        QCOMPARE(read.nb_lettres, count < 0 ? std::nullopt : std::optional<int>(count));
        const StoredPage page = shown_page(read);
        QCOMPARE(page.base, base);
        QCOMPARE(page.result, result);
        QCOMPARE(page.nb_lettres, shown);
        QVERIFY(page.propal && page.lettres);
        // What is shown saves again, into the first record of each table.
        const StoredPage again = small_page("NEUF", page.nb_lettres);
        const bool whole = !changes.join(QLatin1Char(' ')).contains(QStringLiteral("DROP COLUMN"));
        QCOMPARE(database.save_page(again), whole);
        QCOMPARE(database.read_page() == again, whole);
    }

    // A found text keeps the length of a reference that "Initialiser" took, 600 at most: a
    // longer one comes from no game of Vorlo and no count of it could be shown, so the page
    // is not read. A reference typed past 600 can be saved, and is read.
    void found_text_longer_than_a_page_is_refused_data() {
        QTest::addColumn<QString>("base");  // SQL literals
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("refused_length");  // 0: read
        const QString a = "replace(hex(zeroblob(%1)), '0', 'A')";
        QTest::newRow("40,000 letters found") << "'A'" << a.arg(20000) << 40000;
        QTest::newRow("601 stars") << "NULL"
                                   << "'" + QString(601, '*') + "'" << 601;
        QTest::newRow("600 letters") << a.arg(300) << a.arg(300) << 0;
        QTest::newRow("a reference past 600") << a.arg(400) << "'" + QString(600, '*') + "'" << 0;
    }

    void found_text_longer_than_a_page_is_refused() {
        QFETCH(QString, base);
        QFETCH(QString, result);
        QFETCH(int, refused_length);
        QTemporaryDir dir;
        const QString path = small_page_changed_by(
            dir, {QStringLiteral("UPDATE données SET base = %1, result = %2").arg(base, result)});
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QString failure;
        const StoredPage page = database.read_page(&failure);
        if (refused_length == 0) {
            QCOMPARE(failure, QString());
            QCOMPARE(page.result->size(), 600);
        } else {
            QCOMPARE(failure, QStringLiteral("le texte trouvé enregistré compte %1 caractères, "
                                             "plus que les 600 d'une page de Vorlo")
                                  .arg(refused_length));
        }
    }

    // A save the file refuses, or a count outside 0..600, changes nothing in the file and
    // says why; once the cause is gone the same save works.
    void a_refused_save_leaves_the_file_as_it_was_data() {
        QTest::addColumn<QStringList>("sabotage");  // "read-only", "held", "full" or SQL
        QTest::addColumn<std::optional<int>>("count");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("repair");
        const QString refused = QStringLiteral("le fichier a refusé les valeurs données");
        const QString unexpected =
            QStringLiteral("le fichier n'a pas la forme attendue (une table ou un champ manque)");
        const std::optional<int> five = 5;
        QTest::newRow("update refused")
            << QStringList{"CREATE TRIGGER refus BEFORE UPDATE ON compteurs BEGIN "
                           "SELECT RAISE(ABORT, 'compteur verrouillé'); END"}
            << five << refused << "DROP TRIGGER refus";
        QTest::newRow("new record refused")
            << QStringList{"DELETE FROM compteurs",
                           "CREATE TRIGGER refus BEFORE INSERT ON compteurs BEGIN "
                           "SELECT RAISE(ABORT, 'ajout refusé'); END"}
            << five << refused << "DROP TRIGGER refus";
        QTest::newRow("table dropped") << QStringList{"DROP TABLE compteurs"} << five << unexpected
                                       << "CREATE TABLE compteurs (nb_lettres INTEGER)";
        QTest::newRow("field dropped")
            << QStringList{"ALTER TABLE données DROP COLUMN lettres"} << five << unexpected
            << "ALTER TABLE données ADD COLUMN lettres TEXT";
        QTest::newRow("records gone") << QStringList{"DELETE FROM données", "DELETE FROM compteurs"}
                                      << five << QString() << QString();
        QTest::newRow("read-only")
            << QStringList{"read-only"} << five << "le fichier est en lecture seule" << QString();
        QTest::newRow("held") << QStringList{"held"} << five
                              << "le fichier est utilisé par un autre programme"
                              << "ROLLBACK";
        QTest::newRow("full") << QStringList{"full"} << five << "le disque est plein"
                              << "PRAGMA max_page_count = 100000";
        const auto count = [&](const char* name, std::optional<int> value, const QString& shown) {
            QTest::newRow(name) << QStringList() << value << QStringLiteral("« %1 »").arg(shown)
                                << QString();
        };
        count("count 601", 601, "601");
        count("count negative", -3, "-3");
        count("no count", std::nullopt, "");
        count("count highest", std::numeric_limits<int>::max(),
              QString::number(std::numeric_limits<int>::max()));
        count("count lowest", std::numeric_limits<int>::min(),
              QString::number(std::numeric_limits<int>::min()));
    }
    void a_refused_save_leaves_the_file_as_it_was() {
        QFETCH(QStringList, sabotage);
        QFETCH(std::optional<int>, count);
        QFETCH(QString, reason);
        QFETCH(QString, repair);
        QTemporaryDir dir;
        const QString path = small_page_changed_by(dir, {});
        QVERIFY(!path.isEmpty());
        const StoredPage first = small_page("ABC", 3);
        const QString mode = sabotage.value(0);
        VorloDatabase database;
        QVERIFY(database.open(path, mode == "read-only").ok);
        RawConnection raw(path);
        if (mode == "held") {
            QVERIFY(raw.exec("BEGIN EXCLUSIVE"));
        } else if (mode == "full") {
            QSqlQuery limit(storage_connection());
            QVERIFY(limit.exec(QStringLiteral("PRAGMA max_page_count = 1")));
        } else if (mode != "read-only") {
            for (const QString& sql : sabotage) {
                QVERIFY2(raw.exec(sql), qPrintable(raw.last_error()));
            }
        }
        const QByteArray before = file_bytes(path);
        StoredPage second = small_page("XYZ", count);
        if (mode == "full") {
            second.propal = QString(100000, QLatin1Char('P'));
        }
        QString error;
        if (reason.isEmpty()) {  // nothing refused: the missing records are made again
            QVERIFY2(database.save_page(second, &error), qPrintable(error));
            QCOMPARE(raw.value("SELECT count(*) FROM données, compteurs"), QVariant(1));
            QCOMPARE(database.read_page(), second);
            return;
        }
        QVERIFY(!database.save_page(second, &error));
        QVERIFY2(error.startsWith(QStringLiteral("Les données de la page n'ont pas été "
                                                 "enregistrées.\rRaison : ")),
                 qPrintable(error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(!error.contains(QChar(10)));
        if (mode == "held") {  // a read meanwhile fails too, and is not passed off as empty
            QString failure;
            QVERIFY(!database.read_page(&failure).base);
            QCOMPARE(failure, reason);
            failure.clear();
            database.read_appearance(&failure);
            QCOMPARE(failure, reason);
            failure.clear();
            database.read_journal(&failure);
            QCOMPARE(failure, reason);
        }
        QCOMPARE(file_bytes(path), before);
        QCOMPARE(raw.value("SELECT base || result FROM données"), QVariant("ABC***"));
        if (mode == "full") {
            QSqlQuery undo(storage_connection());
            QVERIFY(undo.exec(repair));
        } else if (!repair.isEmpty()) {
            QVERIFY2(raw.exec(repair), qPrintable(raw.last_error()));
        }
        QCOMPARE(database.save_page(second, &error), !repair.isEmpty());
        QCOMPARE(database.read_page(), repair.isEmpty() ? first : second);
    }
};

QTEST_GUILESS_MAIN(TestDatabasePage)
#include "test_database_page.moc"
