#include "storage/vorlo_database.h"
#include "storage/window_places.h"
#include "storage_test_support.h"

#include <QtTest>

using namespace vorlo;
using namespace vorlo::test;

namespace {

const QString kJournal = QStringLiteral("journal_partie");

QString made_file(const QTemporaryDir& folder) {
    const QString path = folder.filePath(VorloDatabase::file_name());
    VorloDatabase database;
    database.open(path);
    return path;
}

}  // namespace

// The place of a side window is kept in a table of its own, across runs, in older files too.
class WindowPlacesTest : public QObject {
    Q_OBJECT

  private slots:
    void a_place_comes_back_at_the_next_run_and_the_page_is_untouched() {
        QTemporaryDir folder;
        const QString path = made_file(folder);
        QStringList page_before;
        {
            RawConnection raw(path);
            // A file from before the side windows has no table for them.
            QCOMPARE(
                raw.value("SELECT count(*) FROM sqlite_master WHERE name = 'fenêtres'").toInt(), 0);
            page_before = raw.rows(QStringLiteral("données")) + raw.rows("compteurs");
        }
        {
            VorloDatabase database;
            QVERIFY(database.open(path).ok);
            QCOMPARE(database.read_window_place(kJournal), std::nullopt);
            QVERIFY(database.store_window_place(kJournal, QRect(700, 40, 420, 510)));
            QVERIFY(database.store_window_place(QStringLiteral("apercu"), QRect(1, 2, 3, 4)));
            // A second store replaces the first.
            QVERIFY(database.store_window_place(kJournal, QRect(-5, 30, 400, 500)));
        }
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QCOMPARE(database.read_window_place(kJournal), QRect(-5, 30, 400, 500));
        QCOMPARE(database.read_window_place(QStringLiteral("apercu")), QRect(1, 2, 3, 4));
        QCOMPARE(database.read_window_place(QStringLiteral("autre")), std::nullopt);
        database.close();
        RawConnection raw(path);
        QCOMPARE(raw.value("SELECT count(*) FROM \"fenêtres\"").toInt(), 2);
        QCOMPARE(raw.rows(QStringLiteral("données")) + raw.rows("compteurs"), page_before);
    }

    void a_stored_value_that_makes_no_place_is_not_read_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<bool>("read");
        QTest::newRow("numbers") << "10, 20, 300, 400" << true;
        QTest::newRow("numbers as text") << "'10', ' 20', '300', '400'" << true;
        QTest::newRow("negative place") << "-10, -20, 300, 400" << true;
        QTest::newRow("text") << "'dix', 20, 300, 400" << false;
        QTest::newRow("null") << "10, NULL, 300, 400" << false;
        QTest::newRow("no width") << "10, 20, 0, 400" << false;
        QTest::newRow("negative height") << "10, 20, 300, -1" << false;
        QTest::newRow("fraction") << "10.5, 20, 300, 400" << false;
        QTest::newRow("huge") << "10, 20, 300, 9999999999" << false;
    }
    void a_stored_value_that_makes_no_place_is_not_read() {
        QFETCH(QString, values);
        QFETCH(bool, read);
        QTemporaryDir folder;
        const QString path = made_file(folder);
        {
            VorloDatabase database;
            QVERIFY(database.open(path).ok);
            QVERIFY(database.store_window_place(kJournal, QRect(0, 0, 1, 1)));
        }
        {
            RawConnection raw(path);
            QVERIFY(raw.exec("DELETE FROM \"fenêtres\""));
            QVERIFY2(raw.exec("INSERT INTO \"fenêtres\" VALUES ('journal_partie', " + values + ")"),
                     qPrintable(raw.last_error()));
        }
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const std::optional<QRect> place = database.read_window_place(kJournal);
        QCOMPARE(place.has_value(), read);
        if (read) {
            QCOMPARE(place->size(), QSize(300, 400));
            QCOMPARE(qAbs(place->left()), 10);
        }
    }

    void a_read_only_file_keeps_no_place_and_says_why() {
        QTemporaryDir folder;
        const QString path = made_file(folder);
        VorloDatabase database;
        QVERIFY(database.open(path, true).ok);
        QString error;
        QVERIFY(!database.store_window_place(kJournal, QRect(1, 2, 3, 4), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(database.read_window_place(kJournal), std::nullopt);
        database.close();
        QVERIFY(!database.store_window_place(kJournal, QRect(1, 2, 3, 4), &error));
        RawConnection raw(path);
        QCOMPARE(raw.value("SELECT count(*) FROM sqlite_master WHERE name = 'fenêtres'").toInt(),
                 0);
    }
};

QTEST_GUILESS_MAIN(WindowPlacesTest)
#include "test_window_places.moc"
