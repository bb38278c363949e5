#include "storage/database_schema.h"
#include "storage/thread_table.h"
#include "storage_test_support.h"

#include <QtTest>

using namespace vorlo;
using namespace vorlo::test;
using thread_table::ThreadRecord;

namespace {

// A connection of the program's own to a file, as the page's save uses it.
class Connection {
  public:
    explicit Connection(const QString& path, bool read_only = false) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db.setDatabaseName(path);
        if (read_only) {
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        }
        db.open();
    }
    ~Connection() {
        db().close();
        QSqlDatabase::removeDatabase(kName);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(kName, false); }

  private:
    static inline const QString kName = QStringLiteral("thread_table_test");
};

// A page file of an earlier version: the page's three tables and the journal, with rows.
QString older_file(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("vorlo.mdb"));
    RawConnection raw(path);
    for (const QString& sql : schema::creation_statements()) {
        raw.exec(sql);
    }
    raw.exec("UPDATE \"données\" SET base = 'LE CHAT', result = '** ****'");
    raw.exec("CREATE TABLE journal (genre TEXT, partie INTEGER)");
    raw.exec("INSERT INTO journal VALUES ('partie', 1)");
    return path;
}

QStringList everything(RawConnection& raw) {
    QStringList all = raw.column("SELECT sql FROM sqlite_master WHERE name <> 'fil' ORDER BY name");
    for (const QString& table : raw.column("SELECT name FROM sqlite_master WHERE type = 'table' "
                                           "AND name <> 'fil' ORDER BY name")) {
        all += raw.rows(table);
    }
    return all;
}

const ThreadRecord kRecord{"https://forum.example/viewtopic.php?t=7&start=20", "phpbb",
                           "Zoé « l'arbitre »", 42, "1042"};

}  // namespace

class TestThreadTable : public QObject {
    Q_OBJECT

  private slots:
    void an_older_file_gets_the_table_and_keeps_the_rest() {
        QTemporaryDir dir;
        const QString path = older_file(dir);
        RawConnection raw(path);
        const QStringList before = everything(raw);
        Connection connection(path);
        QSqlDatabase db = connection.db();
        QVERIFY(!thread_table::exists(db));
        QCOMPARE(thread_table::read(db), ThreadRecord());
        QCOMPARE(thread_table::add_if_missing(db), std::nullopt);
        QCOMPARE(thread_table::add_if_missing(db), std::nullopt);  // a second time: nothing
        QVERIFY(thread_table::exists(db));
        QCOMPARE(raw.value("SELECT count(*) FROM fil").toInt(), 0);
        QCOMPARE(everything(raw), before);
    }

    void keeps_the_thread_written_in_the_callers_transaction() {
        QTemporaryDir dir;
        const QString path = older_file(dir);
        {
            Connection connection(path);
            QSqlDatabase db = connection.db();
            QCOMPARE(thread_table::add_if_missing(db), std::nullopt);
            // Rolled back by the caller: nothing is kept.
            QVERIFY(db.transaction());
            QCOMPARE(thread_table::write(db, kRecord), std::nullopt);
            QVERIFY(db.rollback());
            QCOMPARE(thread_table::read(db), ThreadRecord());
            QVERIFY(db.transaction());
            QCOMPARE(thread_table::write(db, {"http://a", "xenforo", "Max", 3, "9"}), std::nullopt);
            QCOMPARE(thread_table::write(db, kRecord), std::nullopt);
            QVERIFY(db.commit());
        }
        Connection reopened(path);
        QCOMPARE(thread_table::read(reopened.db()), kRecord);
        RawConnection raw(path);
        QCOMPARE(raw.value("SELECT count(*) FROM fil").toInt(), 1);
        QCOMPARE(raw.value("SELECT typeof(meneur) FROM fil").toString(), QStringLiteral("text"));
    }

    void values_that_cannot_be_read_are_left_empty() {
        QTemporaryDir dir;
        const QString path = older_file(dir);
        {
            Connection connection(path);
            QSqlDatabase db = connection.db();
            thread_table::add_if_missing(db);
        }
        RawConnection raw(path);
        QVERIFY(raw.exec("INSERT INTO fil VALUES (NULL, x'00ff', 'Lou', 'beaucoup', 7)"));
        Connection connection(path);
        QCOMPARE(thread_table::read(connection.db()), ThreadRecord({"", "", "Lou", 0, "7"}));
        QVERIFY(raw.exec("UPDATE fil SET dernier_message = -5"));
        QCOMPARE(thread_table::read(connection.db()).last_post_number, 0);
    }

    void a_refusal_is_reported() {
        QTemporaryDir dir;
        const QString path = older_file(dir);
        Connection connection(path, true);
        QSqlDatabase db = connection.db();
        const std::optional<QString> failure = thread_table::add_if_missing(db);
        QVERIFY(failure && !failure->isEmpty());
        QVERIFY(thread_table::write(db, kRecord).has_value());
    }
};

QTEST_GUILESS_MAIN(TestThreadTable)
#include "test_thread_table.moc"
