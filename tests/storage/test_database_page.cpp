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

// A page with every kind of character the puzzle uses.
StoredPage long_page() {
    StoredPage page;
    page.base = repeated_to(QStringLiteral("L’ŒUVRE DÉJÀ ÇÀ ÊTRE, ÛÙÔÎË È Â ? "), 600);
    page.result = page.base;
    for (QChar& c : *page.result) {
        if (c.isLetter()) {
            c = QLatin1Char('*');
        }
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

void check_page(const StoredPage& stored, const StoredPage& page) {
    QCOMPARE(stored.base, page.base);
    QCOMPARE(stored.result, page.result);
    QCOMPARE(stored.propal, page.propal);
    QCOMPARE(stored.lettres, page.lettres);
    QCOMPARE(stored.nb_lettres, page.nb_lettres);
}

QString save_failed_text(const QString& reason) {
    return QStringLiteral("Les données de la page n'ont pas été enregistrées.") + QChar(13) +
           QStringLiteral("Raison : ") + reason;
}

// The one connection the storage under test has open.
QSqlDatabase storage_connection() {
    for (const QString& name : QSqlDatabase::connectionNames()) {
        if (name.startsWith(QStringLiteral("vorlo_storage_"))) {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            if (db.isOpen()) {
                return db;
            }
        }
    }
    return {};
}

// A fresh database file in `dir`, holding `page`.
QString saved_database(const QTemporaryDir& dir, const StoredPage& page) {
    const QString path = dir.filePath(VorloDatabase::file_name());
    VorloDatabase database;
    if (!database.open(path).ok || !database.save_page(page)) {
        return QString();
    }
    return path;
}

// The small page "ABC" saved in `dir`, then changed behind the program's back by the SQL
// statements `changes`; empty when a step fails.
QString small_page_changed_by(const QTemporaryDir& dir, const QStringList& changes) {
    const QString path = saved_database(dir, small_page("ABC", 3));
    if (path.isEmpty()) {
        return {};
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

}  // namespace

class TestDatabasePage : public QObject {
    Q_OBJECT

  private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void page_comes_back_whole_after_a_restart() {
        QTemporaryDir dir;
        const StoredPage page = long_page();
        const QString path = saved_database(dir, page);
        QVERIFY(!path.isEmpty());

        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        check_page(database.read_page(), page);
        const StoredPage shown = shown_page(database.read_page());
        QCOMPARE(shown.base, page.base);
        QCOMPARE(shown.nb_lettres, 600);

        RawConnection raw(path);
        QCOMPARE(raw.value(QStringLiteral("SELECT length(base) FROM données")), QVariant(600));
        QCOMPARE(raw.value(QStringLiteral("SELECT typeof(nb_lettres) FROM compteurs")),
                 QVariant(QStringLiteral("integer")));
    }

    void empty_texts_are_stored_as_empty_strings_data() {
        QTest::addColumn<QString>("empty");
        QTest::addColumn<QString>("reference");
        QTest::newRow("empty strings") << QStringLiteral("") << QStringLiteral("ABC");
        QTest::newRow("null strings") << QString() << QStringLiteral("ABC");
        QTest::newRow("reference of one blank") << QString() << QStringLiteral(" ");
    }

    void empty_texts_are_stored_as_empty_strings() {
        QFETCH(QString, empty);
        QFETCH(QString, reference);
        QTemporaryDir dir;
        const QString path = saved_database(dir, {reference, empty, empty, empty, 0});
        QVERIFY(!path.isEmpty());

        RawConnection raw(path);
        for (const QString& field : QStringList{"result", "propal", "lettres"}) {
            QCOMPARE(
                raw.value(QStringLiteral("SELECT typeof(%1) || ':' || %1 FROM données").arg(field)),
                QVariant(QStringLiteral("text:")));
        }
        QCOMPARE(raw.value(QStringLiteral("SELECT base FROM données")), QVariant(reference));
        QCOMPARE(
            raw.value(QStringLiteral("SELECT typeof(nb_lettres) || nb_lettres FROM compteurs")),
            QVariant(QStringLiteral("integer0")));

        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const StoredPage shown = shown_page(database.read_page());
        QCOMPARE(shown.base, reference);
        QCOMPARE(shown.result, QString());
        QVERIFY(shown.result->isEmpty() && shown.propal->isEmpty() && shown.lettres->isEmpty());
        QCOMPARE(QString::number(*shown.nb_lettres), QStringLiteral("0"));
    }

    void stored_texts_are_read_data() {
        QTest::addColumn<QString>("stored");  // SQL literal
        QTest::addColumn<QString>("shown");
        QTest::newRow("null") << "NULL"
                              << "Vide";
        QTest::newRow("empty string") << "''"
                                      << "";
        QTest::newRow("text") << "'L’ŒIL'"
                              << "L’ŒIL";
        QTest::newRow("blob") << "X'414243'"
                              << "Vide";
    }

    void stored_texts_are_read() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const QString path = small_page_changed_by(
            dir, {QStringLiteral("UPDATE données SET result = %1").arg(stored)});
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const StoredPage page = shown_page(database.read_page());
        QCOMPARE(page.result, shown);
        QCOMPARE(page.base, QStringLiteral("ABC"));
        QCOMPARE(page.lettres, QStringLiteral("ABC "));
    }

    // Another tool may declare the fields without a type and store a number there: it
    // reads back as its text.
    void numbers_in_text_fields_read_as_their_text() {
        QTemporaryDir dir;
        const QString path = small_page_changed_by(
            dir, {"DROP TABLE données", "CREATE TABLE données (base, result, propal, lettres)",
                  "INSERT INTO données VALUES (2024, -7, 12.5, 'A ')"});
        QVERIFY(!path.isEmpty());
        QCOMPARE(RawConnection(path).value("SELECT typeof(base) || typeof(result) || "
                                           "typeof(propal) FROM données"),
                 QVariant(QStringLiteral("integerintegerreal")));
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const StoredPage page = shown_page(database.read_page());
        QCOMPARE(page.base, QStringLiteral("2024"));
        QCOMPARE(page.result, QStringLiteral("-7"));
        QCOMPARE(page.propal, QStringLiteral("12.5"));
        QCOMPARE(page.lettres, QStringLiteral("A "));
    }

    void stored_count_is_read_data() {
        QTest::addColumn<QString>("stored");  // SQL literal
        QTest::addColumn<int>("count");       // -1: no usable count
        QTest::addColumn<QString>("caption");
        // An unusable count is counted again from the found text "***".
        QTest::newRow("null") << "NULL" << -1 << "3";
        QTest::newRow("text") << "'abc'" << -1 << "3";
        QTest::newRow("negative") << "-3" << -1 << "3";
        QTest::newRow("above 600") << "601" << -1 << "3";
        QTest::newRow("above 16 bits") << "40000" << -1 << "3";
        QTest::newRow("real with a fraction") << "12.5" << -1 << "3";
        QTest::newRow("blob") << "X'3132'" << -1 << "3";
        QTest::newRow("zero") << "0" << 0 << "0";
        QTest::newRow("twelve") << "12" << 12 << "12";
        QTest::newRow("600") << "600" << 600 << "600";
    }

    void stored_count_is_read() {
        QFETCH(QString, stored);
        QFETCH(int, count);
        QFETCH(QString, caption);
        QTemporaryDir dir;
        const QString path = small_page_changed_by(
            dir, {QStringLiteral("UPDATE compteurs SET nb_lettres = %1").arg(stored)});
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const StoredPage page = database.read_page();
        QCOMPARE(page.nb_lettres, count < 0 ? std::nullopt : std::optional<int>(count));
        QCOMPARE(QString::number(*shown_page(page).nb_lettres), caption);
        QCOMPARE(page.base, QStringLiteral("ABC"));
    }

    // No false win: a page whose count cannot serve never shows "0" while letters are still
    // hidden in its found text.
    void unusable_count_is_counted_again_from_the_found_text_data() {
        QTest::addColumn<QString>("base");  // SQL literals
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("caption");
        QTest::newRow("null, letters hidden") << "'LE CHAT'"
                                              << "'L* CH*T'"
                                              << "NULL"
                                              << "2";
        QTest::newRow("null, all found") << "'LE CHAT'"
                                         << "'LE CHAT'"
                                         << "NULL"
                                         << "0";
        QTest::newRow("a star of the reference") << "'A*B'"
                                                 << "'A**'"
                                                 << "NULL"
                                                 << "1";
        QTest::newRow("star past the reference") << "'AB'"
                                                 << "'***'"
                                                 << "NULL"
                                                 << "3";
        QTest::newRow("negative") << "'LE CHAT'"
                                  << "'** ****'"
                                  << "-6"
                                  << "6";
        QTest::newRow("text") << "'LE CHAT'"
                              << "'** ****'"
                              << "'six'"
                              << "6";
        QTest::newRow("fraction") << "'LE CHAT'"
                                  << "'** ****'"
                                  << "5.5"
                                  << "6";
        QTest::newRow("above 600") << "'LE CHAT'"
                                   << "'** ****'"
                                   << "700"
                                   << "6";
        QTest::newRow("all null") << "NULL"
                                  << "NULL"
                                  << "NULL"
                                  << "0";
        QTest::newRow("found text null") << "'LE CHAT'"
                                         << "NULL"
                                         << "NULL"
                                         << "0";
        QTest::newRow("usable count kept") << "'LE CHAT'"
                                           << "'** ****'"
                                           << "4"
                                           << "4";
        QTest::newRow("stored zero kept") << "'LE CHAT'"
                                          << "'** ****'"
                                          << "0"
                                          << "0";
    }

    void unusable_count_is_counted_again_from_the_found_text() {
        QFETCH(QString, base);
        QFETCH(QString, result);
        QFETCH(QString, count);
        QFETCH(QString, caption);
        QTemporaryDir dir;
        const QString path = small_page_changed_by(
            dir, {QStringLiteral("UPDATE données SET base = %1, result = %2").arg(base, result),
                  QStringLiteral("UPDATE compteurs SET nb_lettres = %1").arg(count)});
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const StoredPage page = shown_page(database.read_page());
        QCOMPARE(QString::number(*page.nb_lettres), caption);
        // The count shown can be saved again as it stands.
        QVERIFY(database.save_page({"ABC", "***", "", "", page.nb_lettres}));
    }

    // A found text keeps the length of a reference that "Initialiser" took, 600 at most: a
    // longer one comes from no game of Vorlo and no count of it could be shown, so the page
    // is not read. A reference or a proposal typed past 600 can be saved, and is read.
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

    void count_outside_the_page_is_refused_data() {
        QTest::addColumn<std::optional<int>>("count");
        QTest::addColumn<QString>("shown");
        QTest::newRow("above 600") << std::optional<int>(601) << "601";
        QTest::newRow("negative") << std::optional<int>(-3) << "-3";
        QTest::newRow("none") << std::optional<int>() << "";
        QTest::newRow("huge") << std::optional<int>(std::numeric_limits<int>::max())
                              << QString::number(std::numeric_limits<int>::max());
        QTest::newRow("lowest") << std::optional<int>(std::numeric_limits<int>::min())
                                << QString::number(std::numeric_limits<int>::min());
    }

    void count_outside_the_page_is_refused() {
        QFETCH(std::optional<int>, count);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const StoredPage first = small_page("ABC", 3);
        const QString path = saved_database(dir, first);
        QVERIFY(!path.isEmpty());
        const QByteArray before = file_bytes(path);

        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QString error;
        QVERIFY(!database.save_page(small_page("XYZ", count), &error));
        QVERIFY2(error.contains(QStringLiteral("« %1 »").arg(shown)), qPrintable(error));
        QVERIFY(!error.contains(QChar(10)));
        check_page(database.read_page(), first);
        database.close();
        QCOMPARE(file_bytes(path), before);
    }

    void one_record_is_the_first_by_rowid() {
        QTemporaryDir dir;
        const QString path = saved_database(dir, small_page("ABC", 3));
        QVERIFY(!path.isEmpty());
        RawConnection raw(path);
        QVERIFY(raw.exec("DELETE FROM données"));
        QVERIFY(raw.exec("INSERT INTO données (rowid, base) VALUES (7, 'SEPT')"));
        QVERIFY(raw.exec("INSERT INTO données (rowid, base) VALUES (3, 'TROIS')"));
        QVERIFY(raw.exec("INSERT INTO compteurs (rowid, nb_lettres) VALUES (0, 9)"));

        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QCOMPARE(database.read_page().base, QStringLiteral("TROIS"));
        QCOMPARE(database.read_page().nb_lettres, 9);
        QVERIFY(database.save_page(small_page("NEUF", 4)));
        QCOMPARE(raw.column("SELECT base FROM données ORDER BY rowid"),
                 QStringList({"NEUF", "SEPT"}));
        QCOMPARE(raw.column("SELECT nb_lettres FROM compteurs ORDER BY rowid"),
                 QStringList({"4", "3"}));
    }

    void missing_record_is_made_again_at_save_data() {
        QTest::addColumn<QStringList>("emptied");
        QTest::newRow("données") << QStringList{"données"};
        QTest::newRow("compteurs") << QStringList{"compteurs"};
        QTest::newRow("both") << QStringList{"données", "compteurs"};
    }

    void missing_record_is_made_again_at_save() {
        QFETCH(QStringList, emptied);
        QTemporaryDir dir;
        const QString path = saved_database(dir, small_page("ABC", 3));
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        RawConnection raw(path);
        for (const QString& table : emptied) {
            QVERIFY(raw.exec(QStringLiteral("DELETE FROM \"%1\"").arg(table)));
        }

        const StoredPage page = small_page("NOUVEAU", 7);
        QString error;
        QVERIFY2(database.save_page(page, &error), qPrintable(error));
        check_page(database.read_page(), page);
        QCOMPARE(raw.value("SELECT count(*) FROM données"), QVariant(1));
        QCOMPARE(raw.value("SELECT count(*) FROM compteurs"), QVariant(1));
    }

    void failed_save_leaves_the_file_as_it_was_data() {
        QTest::addColumn<QStringList>("sabotage");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("repair");
        const QString refused = QStringLiteral("le fichier a refusé les valeurs données");
        const QString unexpected =
            QStringLiteral("le fichier n'a pas la forme attendue (une table ou un champ manque)");
        QTest::newRow("compteurs refuses the update")
            << QStringList{"CREATE TRIGGER refus BEFORE UPDATE ON compteurs BEGIN "
                           "SELECT RAISE(ABORT, 'compteur verrouillé'); END"}
            << refused << "DROP TRIGGER refus";
        QTest::newRow("compteurs refuses a new record")
            << QStringList{"DELETE FROM compteurs",
                           "CREATE TRIGGER refus BEFORE INSERT ON compteurs BEGIN "
                           "SELECT RAISE(ABORT, 'ajout refusé'); END"}
            << refused << "DROP TRIGGER refus";
        QTest::newRow("compteurs dropped") << QStringList{"DROP TABLE compteurs"} << unexpected
                                           << "CREATE TABLE compteurs (nb_lettres INTEGER)";
        QTest::newRow("données lacks a field")
            << QStringList{"ALTER TABLE données DROP COLUMN lettres"} << unexpected
            << "ALTER TABLE données ADD COLUMN lettres TEXT";
    }

    void failed_save_leaves_the_file_as_it_was() {
        QFETCH(QStringList, sabotage);
        QFETCH(QString, reason);
        QFETCH(QString, repair);
        QTemporaryDir dir;
        const StoredPage first = small_page("ABC", 3);
        const QString path = saved_database(dir, first);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        RawConnection raw(path);
        for (const QString& sql : sabotage) {
            QVERIFY2(raw.exec(sql), qPrintable(raw.last_error()));
        }
        const QByteArray before = file_bytes(path);

        QString error;
        const StoredPage second = small_page("XYZ", 5);
        QVERIFY(!database.save_page(second, &error));
        QCOMPARE(error, save_failed_text(reason));
        QCOMPARE(file_bytes(path), before);
        QCOMPARE(database.read_page().base, QStringLiteral("ABC"));
        QCOMPARE(raw.value("SELECT base FROM données"), QVariant(QStringLiteral("ABC")));
        QCOMPARE(raw.value("SELECT result FROM données"), QVariant(QStringLiteral("***")));

        // Nothing was left half done: once the table accepts the write, the same save works.
        QVERIFY2(raw.exec(repair), qPrintable(raw.last_error()));
        QVERIFY2(database.save_page(second, &error), qPrintable(error));
        check_page(database.read_page(), second);
        QCOMPARE(raw.value("SELECT count(*) FROM compteurs"), QVariant(1));
    }

    void missing_field_reads_empty_and_the_others_still_read() {
        QTemporaryDir dir;
        const QString path = small_page_changed_by(dir, {"ALTER TABLE données DROP COLUMN base"});
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const StoredPage page = shown_page(database.read_page());
        QCOMPARE(page.base, QStringLiteral("Vide"));
        QCOMPARE(page.result, QStringLiteral("***"));
        QCOMPARE(QString::number(*page.nb_lettres), QStringLiteral("3"));
    }

    void read_only_file_refuses_the_save() {
        QTemporaryDir dir;
        const StoredPage first = small_page("ABC", 3);
        const QString path = saved_database(dir, first);
        QVERIFY(!path.isEmpty());
        const QByteArray before = file_bytes(path);

        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path, true);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        check_page(database.read_page(), first);
        QString error;
        QVERIFY(!database.save_page(small_page("XYZ", 5), &error));
        QCOMPARE(error, save_failed_text(QStringLiteral("le fichier est en lecture seule")));
        check_page(database.read_page(), first);
        database.close();
        QCOMPARE(file_bytes(path), before);
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));
    }

    // Another program holding the file makes the save fail with its reason; once it lets go,
    // the same save works and nothing was lost.
    void a_file_held_by_another_connection_refuses_the_save() {
        QTemporaryDir dir;
        const StoredPage first = small_page("ABC", 3);
        const QString path = saved_database(dir, first);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        RawConnection other(path);
        QVERIFY2(other.exec(QStringLiteral("BEGIN EXCLUSIVE")), qPrintable(other.last_error()));

        const StoredPage second = small_page("XYZ", 5);
        QString error;
        QVERIFY(!database.save_page(second, &error));
        QCOMPARE(error,
                 save_failed_text(QStringLiteral("le fichier est utilisé par un autre programme")));
        QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        check_page(database.read_page(), first);
        QVERIFY2(database.save_page(second, &error), qPrintable(error));
        check_page(database.read_page(), second);
    }

    // A read the engine fails is reported with its reason, not passed off as an empty page,
    // while Null fields read without a failure; the stored page is intact afterwards.
    void a_file_held_by_another_connection_fails_the_reads() {
        QTemporaryDir dir;
        const StoredPage first = small_page("ABC", 3);
        const QString path = saved_database(dir, first);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QString failure;
        database.read_page(&failure);
        database.read_appearance(&failure);  // every field of "couleurs" is Null
        database.read_journal(&failure);
        QCOMPARE(failure, QString());
        const QByteArray before = file_bytes(path);

        {
            RawConnection other(path);
            QVERIFY2(other.exec(QStringLiteral("BEGIN EXCLUSIVE")), qPrintable(other.last_error()));
            QVERIFY2(other.exec(QStringLiteral("UPDATE \"données\" SET base = 'AUTRE'")),
                     qPrintable(other.last_error()));
            const QString busy = QStringLiteral("le fichier est utilisé par un autre programme");
            QString page_failure;
            const StoredPage page = database.read_page(&page_failure);
            QCOMPARE(page_failure, busy);
            QVERIFY(!page.base && !page.nb_lettres);
            QString look_failure;
            database.read_appearance(&look_failure);
            QCOMPARE(look_failure, busy);
            QString journal_failure;
            database.read_journal(&journal_failure);
            QCOMPARE(journal_failure, busy);
            QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        }
        QCOMPARE(file_bytes(path), before);
        QString after;
        check_page(database.read_page(&after), first);
        QCOMPARE(after, QString());
    }

    // The engine's own limit on the file's size fails the write as a full disk would.
    void a_full_file_refuses_the_save() {
        QTemporaryDir dir;
        const StoredPage first = small_page("ABC", 3);
        const QString path = saved_database(dir, first);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QSqlDatabase connection = storage_connection();
        QVERIFY(connection.isOpen());
        QSqlQuery limit(connection);
        QVERIFY(limit.exec(QStringLiteral("PRAGMA max_page_count = 1")));
        const QByteArray before = file_bytes(path);

        StoredPage big = small_page("XYZ", 5);
        big.propal = QString(100000, QLatin1Char('P'));
        QString error;
        QVERIFY(!database.save_page(big, &error));
        QCOMPARE(error, save_failed_text(QStringLiteral("le disque est plein")));
        QCOMPARE(file_bytes(path), before);
        check_page(database.read_page(), first);
    }

    void saving_twice_writes_the_same_values() {
        QTemporaryDir dir;
        const StoredPage page = long_page();
        const QString path = saved_database(dir, page);
        QVERIFY(!path.isEmpty());
        RawConnection raw(path);
        const QStringList texts = raw.rows("données");
        const QStringList counter = raw.rows("compteurs");
        QCOMPARE(texts.size(), 1);

        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QVERIFY(database.save_page(page));
        QVERIFY(database.save_page(page));
        QCOMPARE(raw.rows("données"), texts);
        QCOMPARE(raw.rows("compteurs"), counter);
    }
};

QTEST_GUILESS_MAIN(TestDatabasePage)
#include "test_database_page.moc"
