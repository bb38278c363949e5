#include "storage/storage_messages.h"
#include "storage/vorlo_database.h"
#include "storage_test_support.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QtTest>

#include <signal.h>

using namespace vorlo;
using namespace vorlo::test;

namespace {

QByteArray random_bytes(int size, quint32 seed) {
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) {
        byte = static_cast<char>(generator.bounded(256));
    }
    return bytes;
}

// An error text for the user: not empty, its lines joined by carriage returns only.
void check_user_text(const QString& text) {
    QVERIFY(!text.trimmed().isEmpty());
    QVERIFY2(!text.contains(QChar(10)), qPrintable(text));
}

}  // namespace

class TestDatabaseOpen : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        // Qt warns when a connection is removed while still in use, or when a connection
        // name is added twice.
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    }

    void missing_file_is_created_with_one_empty_record_per_table() {
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QVERIFY(opened.created);
        QVERIFY(database.is_open());

        {
            RawConnection raw(path);
            QVERIFY(raw.is_open());
            QStringList tables =
                raw.column(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
            tables.sort();
            QCOMPARE(tables, QStringList({"compteurs", "couleurs", "données", "fil", "journal"}));

            const QList<std::pair<QString, QStringList>> expected_columns = {
                {"données", {"base", "result", "propal", "lettres"}},
                {"compteurs", {"nb_lettres"}},
                {"couleurs", kAppearanceFields},
            };
            for (const auto& [table, expected] : expected_columns) {
                QStringList columns = raw.column(
                    QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
                QStringList sorted_expected = expected;
                columns.sort();
                sorted_expected.sort();
                QCOMPARE(columns, sorted_expected);
                const QStringList rows = raw.rows(table);
                QCOMPARE(rows.size(), 1);
                // The rowid, then every field Null.
                QCOMPARE(rows.first().count(QStringLiteral("|NULL")), expected.size());
            }
        }

        const StoredPage shown = shown_page(database.read_page());
        QCOMPARE(shown.base, QStringLiteral("Vide"));
        QCOMPARE(shown.result, QStringLiteral("Vide"));
        QCOMPARE(shown.propal, QStringLiteral("Vide"));
        QCOMPARE(shown.lettres, QStringLiteral("Vide"));
        QCOMPARE(QString::number(*shown.nb_lettres), QStringLiteral("0"));
        const AppearanceSettings look = database.read_appearance();
        for (TextArea area : kTextAreas) {
            QVERIFY(!look[area].background && !look[area].text_colour && !look[area].font_name &&
                    !look[area].font_size && !look[area].bold && !look[area].italic);
        }

        database.close();
        QVERIFY(!database.is_open());
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));
        const VorloDatabase::OpenResult reopened = database.open(path);
        QVERIFY2(reopened.ok, qPrintable(reopened.error));
        QVERIFY(!reopened.created);
    }

    void file_that_is_not_a_database_is_refused_untouched_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("random bytes") << random_bytes(8192, 17);
        QTest::newRow("text file")
            << QByteArray("Ceci n'est pas une base de données.\r\n").repeated(40);
        QTest::newRow("a few bytes") << QByteArray("abc");
        QTest::newRow("database header, then garbage")
            << QByteArray("SQLite format 3", 16) + random_bytes(4080, 5);
    }

    void file_that_is_not_a_database_is_refused_untouched() {
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        write_file(path, contents);

        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path);
        QVERIFY(!opened.ok);
        QVERIFY(!opened.created);
        QVERIFY(!database.is_open());
        check_user_text(opened.error);
        QVERIFY2(opened.error.startsWith(QStringLiteral("Impossible d'ouvrir")),
                 qPrintable(opened.error));
        QVERIFY2(opened.error.contains(path), qPrintable(opened.error));
        QVERIFY2(opened.error.contains(QStringLiteral("Raison : ")), qPrintable(opened.error));
        QVERIFY(opened.unreadable);
        QVERIFY2(opened.reason == QStringLiteral("le fichier n'est pas une base de données") ||
                     opened.reason == QStringLiteral("le fichier est endommagé"),
                 qPrintable(opened.reason));
        QVERIFY2(opened.error.endsWith(opened.reason), qPrintable(opened.error));
        QCOMPARE(file_bytes(path), contents);
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));
    }

    void file_lacking_a_table_is_refused_untouched_data() {
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<QString>("named");
        QTest::newRow("données") << "données"
                                 << "données";
        QTest::newRow("compteurs") << "compteurs"
                                   << "compteurs";
        QTest::newRow("couleurs") << "couleurs"
                                  << "couleurs";
        QTest::newRow("empty file") << QString() << "données";
    }

    void file_lacking_a_table_is_refused_untouched() {
        QFETCH(QString, dropped);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        if (dropped.isEmpty()) {
            write_file(path, {});
        } else {
            QVERIFY(VorloDatabase().open(path).ok);
            RawConnection raw(path);
            QVERIFY2(raw.exec(QStringLiteral("DROP TABLE \"%1\"").arg(dropped)),
                     qPrintable(raw.last_error()));
        }
        const QByteArray before = file_bytes(path);

        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path);
        QVERIFY(!opened.ok);
        QVERIFY(!database.is_open());
        check_user_text(opened.error);
        QVERIFY2(opened.error.contains(QStringLiteral("« %1 »").arg(named)),
                 qPrintable(opened.error));
        QVERIFY2(opened.error.contains(path), qPrintable(opened.error));
        for (const QString& other : QStringList{"données", "compteurs", "couleurs"}) {
            if (other != named) {
                QVERIFY2(!opened.error.contains(QStringLiteral("« %1 »").arg(other)),
                         qPrintable(opened.error));
            }
        }
        QCOMPARE(file_bytes(path), before);
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));
    }

    void file_is_not_created_where_it_cannot_be_data() {
        QTest::addColumn<QString>("relative_path");
        QTest::addColumn<bool>("read_only");
        QTest::newRow("read-only, missing file") << "vorlo.mdb" << true;
        QTest::newRow("missing folder") << "absent/vorlo.mdb" << false;
    }

    void file_is_not_created_where_it_cannot_be() {
        QFETCH(QString, relative_path);
        QFETCH(bool, read_only);
        QTemporaryDir dir;
        const QString path = dir.filePath(relative_path);
        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path, read_only);
        QVERIFY(!opened.ok);
        QVERIFY(!opened.created);
        QVERIFY(!database.is_open());
        check_user_text(opened.error);
        QVERIFY2(opened.error.contains(path), qPrintable(opened.error));
        QCOMPARE(folder_entries(dir.path()), QStringList());
    }

    void instances_keep_connections_of_their_own() {
        QTemporaryDir dir;
        const QString first_path = dir.filePath(QStringLiteral("un.mdb"));
        const QString second_path = dir.filePath(QStringLiteral("deux.mdb"));
        VorloDatabase first;
        VorloDatabase second;
        QVERIFY(first.open(first_path).ok);
        QVERIFY(second.open(second_path).ok);
        QVERIFY(first.save_page({"UN", "**", "", "U N ", 2}));
        QVERIFY(second.save_page({"DEUX", "****", "", "D E U X ", 4}));

        first.close();
        QVERIFY(!first.is_open());
        QVERIFY(second.is_open());
        QCOMPARE(second.read_page().base, QStringLiteral("DEUX"));
        QVERIFY(second.save_page({"DEUX", "D***", "DOUX", "E U X ", 3}));
        QCOMPARE(second.read_page().nb_lettres, 3);

        // Opening another file closes the one that was open.
        QVERIFY(second.open(first_path).ok);
        QCOMPARE(second.read_page().base, QStringLiteral("UN"));
        QCOMPARE(second.read_page().nb_lettres, 2);

        // A closed database reads nothing and writes nothing.
        second.close();
        QVERIFY(!second.read_page().base);
        QString error;
        QVERIFY(!second.save_page({"UN", "**", "", "U N ", 2}, &error));
        check_user_text(error);
        error.clear();
        QVERIFY(!second.write_appearance({{"fond_ref", 255}}, &error));
        check_user_text(error);
    }

    // One copy of the program per file: while one object holds the file, another is refused
    // and the file is left as it was; once the first lets go, the file opens again.
    void a_file_open_for_writing_is_refused_to_a_second_opener() {
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        VorloDatabase first;
        QVERIFY(first.open(path).ok);
        QVERIFY(first.save_page({"UN", "**", "", "N U ", 2}));
        const QByteArray before = file_bytes(path);

        VorloDatabase second;
        const VorloDatabase::OpenResult refused = second.open(path);
        QVERIFY(!refused.ok);
        QVERIFY(!refused.unreadable);
        QVERIFY(!second.is_open());
        check_user_text(refused.error);
        QCOMPARE(refused.error,
                 QStringLiteral("Le fichier de données « %1 » est déjà ouvert par une autre copie "
                                "du programme.")
                         .arg(path) +
                     QChar(13) +
                     QStringLiteral("Une seule copie peut travailler sur une page : revenez à la "
                                    "fenêtre déjà ouverte. Ce programme s'arrête."));
        QCOMPARE(file_bytes(path), before);
        QVERIFY(first.is_open());
        QVERIFY(first.save_page({"UN", "U*", "U", "N ", 1}));

        // A read-only opening writes nothing and is not refused.
        VorloDatabase reader;
        QVERIFY(reader.open(path, true).ok);
        QCOMPARE(reader.read_page().nb_lettres, 1);
        reader.close();

        first.close();
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));
        QVERIFY(second.open(path).ok);
        QCOMPARE(second.read_page().base, QStringLiteral("UN"));
    }

    // A lock left by a program that has ended does not keep the file closed.
    void a_lock_left_by_an_ended_program_is_taken_over() {
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        QProcess ended;
        ended.start(QStringLiteral("true"), {});
        QVERIFY(ended.waitForStarted(60000));
        const qint64 gone = ended.processId();
        QVERIFY(ended.waitForFinished(60000));
        QVERIFY(gone > 0 && ::kill(static_cast<pid_t>(gone), 0) != 0);
        write_file(path + QStringLiteral(".lock"), QByteArray::number(gone) + "\nvorlo\n" +
                                                       QSysInfo::machineHostName().toUtf8() + "\n");

        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        database.close();
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));
    }

    void user_texts_use_carriage_returns_only() {
        const QString path = QStringLiteral("/dossier/vorlo.mdb");
        const QStringList texts = {
            storage_messages::cannot_open(path, QStringLiteral("file is not a database")),
            storage_messages::missing_table(path, QStringLiteral("compteurs")),
            storage_messages::save_failed(QStringLiteral("disk I/O error")),
            storage_messages::appearance_not_stored(QStringLiteral("disk I/O error")),
            storage_messages::folder_not_writable(QStringLiteral("/dossier")),
        };
        for (const QString& text : texts) {
            check_user_text(text);
            QVERIFY2(text.contains(QChar(13)), qPrintable(text));
        }
        QVERIFY(texts.at(0).contains(path) && texts.at(0).contains("file is not a database"));
        QVERIFY(texts.at(2).contains("disk I/O error") && texts.at(3).contains("disk I/O error"));
        QVERIFY(texts.at(4).contains(QStringLiteral("« /dossier »")));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseOpen)
#include "test_database_open.moc"
