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
    // Qt warns when a connection is removed while in use, or a connection name added twice.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void missing_file_is_created_with_one_empty_record_per_table() {
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path);
        QVERIFY2(opened.ok && opened.created && database.is_open(), qPrintable(opened.error));
        {
            RawConnection raw(path);
            QCOMPARE(
                raw.column("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY 1"),
                QStringList({"compteurs", "couleurs", "données", "fil", "journal", "publication"}));
            for (const auto& [table, fields] :
                 {std::pair{"données", QStringList{"base", "result", "propal", "lettres"}},
                  {"compteurs", QStringList{"nb_lettres"}},
                  {"couleurs", kAppearanceFields}}) {
                QCOMPARE(raw.column(QStringLiteral("SELECT name FROM pragma_table_info('%1')")
                                        .arg(QString::fromUtf8(table))),
                         fields);
                const QStringList rows = raw.rows(QString::fromUtf8(table));
                QCOMPARE(rows.size(), 1);
                QCOMPARE(rows.first().count(QStringLiteral("|NULL")), fields.size());
            }
        }
        QCOMPARE(shown_page(database.read_page()), (StoredPage{"Vide", "Vide", "Vide", "Vide", 0}));
        const AppearanceSettings look = database.read_appearance();
        for (TextArea area : kTextAreas) {
            QVERIFY(!look[area].background && !look[area].text_colour && !look[area].font_name &&
                    !look[area].font_size && !look[area].bold && !look[area].italic);
        }
        database.close();
        QVERIFY(!database.is_open());
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));
        const VorloDatabase::OpenResult reopened = database.open(path);
        QVERIFY(reopened.ok && !reopened.created);
    }

    // What cannot be opened is refused with a French message naming the file and the
    // reason, and left exactly as it was, nothing made beside it.
    void a_file_that_cannot_serve_is_refused_untouched_data() {
        QTest::addColumn<QByteArray>("contents");  // of the file, or "drop T", or "absent"
        QTest::addColumn<QString>("name");         // where it lies in the folder
        QTest::addColumn<bool>("read_only");
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<QString>("said");
        const QString damaged = QStringLiteral(
            "(le fichier n'est pas une base de données|"
            "le fichier est endommagé)$");
        const auto row = [](const char* name, const QByteArray& contents, const QString& said) {
            QTest::newRow(name) << contents << "vorlo.mdb" << false << true << said;
        };
        row("random bytes", random_bytes(8192, 17), damaged);
        row("text file", QByteArray("Ceci n'est pas une base de données.\r\n").repeated(40),
            damaged);
        row("a few bytes", "abc", damaged);
        row("header, then garbage", QByteArray("SQLite format 3", 16) + random_bytes(4080, 5),
            damaged);
        const auto table = [](const char* name, const QByteArray& contents, const char* named) {
            QTest::newRow(name) << contents << "vorlo.mdb" << false << false
                                << QStringLiteral("« %1 »").arg(QString::fromUtf8(named));
        };
        table("données dropped", "drop données", "données");
        table("compteurs dropped", "drop compteurs", "compteurs");
        table("couleurs dropped", "drop couleurs", "couleurs");
        table("empty file", "", "données");
        QTest::newRow("read-only, missing")
            << QByteArray("absent") << "vorlo.mdb" << true << false << "Impossible";
        QTest::newRow("missing folder")
            << QByteArray("absent") << "absent/vorlo.mdb" << false << false << "Impossible";
    }
    void a_file_that_cannot_serve_is_refused_untouched() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, name);
        QFETCH(bool, read_only);
        QFETCH(bool, unreadable);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (contents.startsWith("drop ")) {
            QVERIFY(VorloDatabase().open(path).ok);
            RawConnection raw(path);
            QVERIFY(raw.exec(QStringLiteral("DROP TABLE \"%1\"").arg(contents.mid(5))));
        } else if (contents != "absent") {
            write_file(path, contents);
        }
        const QStringList entries = folder_entries(dir.path());
        const QByteArray before = file_bytes(path);
        VorloDatabase database;
        const VorloDatabase::OpenResult opened = database.open(path, read_only);
        QVERIFY(!opened.ok && !opened.created && !database.is_open());
        QCOMPARE(opened.unreadable, unreadable);
        check_user_text(opened.error);
        QVERIFY2(opened.error.contains(path), qPrintable(opened.error));
        QVERIFY2(opened.error.contains(QRegularExpression(said)), qPrintable(opened.error));
        if (unreadable) {
            QVERIFY(opened.error.startsWith(QStringLiteral("Impossible d'ouvrir")));
            QVERIFY(opened.error.endsWith(QStringLiteral("Raison : ") + opened.reason));
        }
        QCOMPARE(file_bytes(path), before);
        QCOMPARE(folder_entries(dir.path()), entries);
    }

    void instances_keep_connections_of_their_own() {
        QTemporaryDir dir;
        const QString first_path = dir.filePath(QStringLiteral("un.mdb"));
        VorloDatabase first;
        VorloDatabase second;
        QVERIFY(first.open(first_path).ok);
        QVERIFY(second.open(dir.filePath(QStringLiteral("deux.mdb"))).ok);
        QVERIFY(first.save_page({"UN", "**", "", "U N ", 2}));
        QVERIFY(second.save_page({"DEUX", "****", "", "D E U X ", 4}));
        first.close();
        QVERIFY(!first.is_open() && second.is_open());
        QVERIFY(second.save_page({"DEUX", "D***", "DOUX", "E U X ", 3}));
        QCOMPARE(second.read_page().nb_lettres, 3);
        // Opening another file closes the one that was open.
        QVERIFY(second.open(first_path).ok);
        QCOMPARE(second.read_page(), (StoredPage{"UN", "**", "", "U N ", 2}));
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
    // and the file is left as it was; a read-only opening is not; once the first lets go, the
    // file opens again. A lock left by a program that has ended is taken over.
    void a_file_is_held_by_one_opener() {
        QTemporaryDir dir;
        const QString path = dir.filePath(VorloDatabase::file_name());
        VorloDatabase first;
        QVERIFY(first.open(path).ok);
        QVERIFY(first.save_page({"UN", "**", "", "N U ", 2}));
        const QByteArray before = file_bytes(path);
        VorloDatabase second;
        const VorloDatabase::OpenResult refused = second.open(path);
        QVERIFY(!refused.ok && !refused.unreadable && !second.is_open());
        QCOMPARE(refused.error,
                 QStringLiteral("Le fichier de données « %1 » est déjà ouvert par une autre copie "
                                "du programme.\rUne seule copie peut travailler sur une page : "
                                "revenez à la fenêtre déjà ouverte. Ce programme s'arrête.")
                     .arg(path));
        QCOMPARE(file_bytes(path), before);
        QVERIFY(first.save_page({"UN", "U*", "U", "N ", 1}));
        VorloDatabase reader;
        QVERIFY(reader.open(path, true).ok);
        QCOMPARE(reader.read_page().nb_lettres, 1);
        reader.close();
        first.close();
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));

        QProcess ended;
        ended.start(QStringLiteral("true"), {});
        QVERIFY(ended.waitForStarted(60000));
        const qint64 gone = ended.processId();
        QVERIFY(ended.waitForFinished(60000));
        QVERIFY(gone > 0 && ::kill(static_cast<pid_t>(gone), 0) != 0);
        write_file(path + QStringLiteral(".lock"), QByteArray::number(gone) + "\nvorlo\n" +
                                                       QSysInfo::machineHostName().toUtf8() + "\n");
        const VorloDatabase::OpenResult opened = second.open(path);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QCOMPARE(second.read_page().base, QStringLiteral("UN"));
        second.close();
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));
    }
};

QTEST_GUILESS_MAIN(TestDatabaseOpen)
#include "test_database_open.moc"
