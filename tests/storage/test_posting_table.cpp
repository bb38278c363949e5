#include "storage/database_schema.h"
#include "storage/posting_table.h"
#include "storage_test_support.h"

#include <QtTest>

using namespace vorlo;
using namespace vorlo::test;

namespace {

// A connection of the program's own to the file, as the page file's code holds one.
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
        QSqlDatabase::database(kName, false).close();
        QSqlDatabase::removeDatabase(kName);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(kName, false); }

  private:
    static inline const QString kName = QStringLiteral("posting_under_test");
};

// A page file of an older program: its three tables with their records, nothing else.
QString older_file(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("vorlo.mdb"));
    RawConnection raw(path);
    for (const QString& sql : schema::creation_statements()) {
        raw.exec(sql);
    }
    raw.exec("UPDATE données SET base = 'LE CHAT', result = 'L* *HA*', lettres = 'C E T '");
    raw.exec("UPDATE compteurs SET nb_lettres = 3");
    return path;
}

QStringList whole_file(const QString& path) {
    RawConnection raw(path);
    QStringList state = raw.column("SELECT sql FROM sqlite_master ORDER BY name");
    for (const char* table : {"données", "compteurs", "couleurs"}) {
        state << raw.rows(table);
    }
    return state;
}

}  // namespace

class TestPostingTable : public QObject {
    Q_OBJECT

  private slots:
    void an_older_file_gets_the_table_and_keeps_the_rest() {
        QTemporaryDir dir;
        const QString path = older_file(dir);
        const QStringList before = whole_file(path);
        {
            Connection connection(path);
            QSqlDatabase db = connection.db();
            QVERIFY(!posting_table::exists(db));
            QCOMPARE(posting_table::read(db), PostingChoice{});
            QCOMPARE(posting_table::add_if_missing(db), std::nullopt);
            QCOMPARE(posting_table::add_if_missing(db), std::nullopt);
            QVERIFY(posting_table::exists(db));
            QCOMPARE(posting_table::read(db), PostingChoice{});
        }
        QStringList after = whole_file(path);
        QCOMPARE(after.size(), before.size() + 1);
        QVERIFY(
            after.removeOne(RawConnection(path)
                                .value("SELECT sql FROM sqlite_master WHERE name = 'publication'")
                                .toString()));
        QCOMPARE(after, before);
    }

    void the_choice_is_kept_with_the_transaction() {
        QTemporaryDir dir;
        const QString path = older_file(dir);
        const PostingChoice discourse{"discourse", true};
        {
            Connection connection(path);
            QSqlDatabase db = connection.db();
            QCOMPARE(posting_table::add_if_missing(db), std::nullopt);
            QVERIFY(db.transaction());
            QCOMPARE(posting_table::write(db, {"phpbb3", false}), std::nullopt);
            QCOMPARE(posting_table::write(db, discourse), std::nullopt);
            QVERIFY(db.commit());
            QVERIFY(db.transaction());
            QCOMPARE(posting_table::write(db, {"mybb", false}), std::nullopt);
            QVERIFY(db.rollback());
        }
        Connection connection(path);
        QCOMPARE(posting_table::read(connection.db()), discourse);
        QCOMPARE(RawConnection(path).value("SELECT count(*) FROM publication").toInt(), 1);
    }

    void stored_values_read_data() {
        QTest::addColumn<QString>("values");  // SQL literals of profil, message_détaillé
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("detailed");
        QTest::newRow("kept") << "'xenforo2', 1"
                              << "xenforo2" << true;
        QTest::newRow("no profile, flag off") << "NULL, 0"
                                              << "classique" << false;
        QTest::newRow("empty profile, flag not a flag") << "'', 2"
                                                        << "classique" << false;
        QTest::newRow("blob profile, text flag") << "X'41', 'oui'"
                                                 << "classique" << false;
    }

    void stored_values_read() {
        QFETCH(QString, values);
        QFETCH(QString, profile);
        QFETCH(bool, detailed);
        QTemporaryDir dir;
        const QString path = older_file(dir);
        {
            Connection connection(path);
            QSqlDatabase db = connection.db();
            QCOMPARE(posting_table::add_if_missing(db), std::nullopt);
        }
        RawConnection raw(path);
        QVERIFY(raw.exec("INSERT INTO publication VALUES (" + values + ")"));
        Connection connection(path);
        QCOMPARE(posting_table::read(connection.db()), (PostingChoice{profile, detailed}));
    }

    void failures_are_told() {
        QTemporaryDir dir;
        const QString path = older_file(dir);
        RawConnection(path).exec("CREATE TABLE Publication (autre TEXT)");
        {
            Connection connection(path);
            QString failure;
            QCOMPARE(posting_table::read(connection.db(), &failure), PostingChoice{});
            QVERIFY(!failure.isEmpty());
        }
        RawConnection(path).exec("DROP TABLE Publication");
        Connection connection(path, true);
        QSqlDatabase db = connection.db();
        const std::optional<QString> refused = posting_table::add_if_missing(db);
        QVERIFY(refused && !refused->contains("readonly", Qt::CaseInsensitive));
        QVERIFY(posting_table::write(db, {}).has_value());
    }
};

QTEST_GUILESS_MAIN(TestPostingTable)
#include "test_posting_table.moc"
