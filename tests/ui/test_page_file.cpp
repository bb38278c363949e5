#include "../storage/storage_test_support.h"
#include "storage/vorlo_database.h"
#include "support/engine_harness.h"
#include "ui/page_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vorlo;
using namespace vorlo::testing;

// How the program opens the page file beside itself at start.
class PageFileTest : public QObject {
    Q_OBJECT

  private slots:
    void a_missing_file_is_made_in_a_writable_folder() {
        QTemporaryDir folder;
        VorloDatabase database;
        ScriptedMessageBoxes boxes;
        QVERIFY(open_page_file(database, folder.path(), true, boxes));
        QVERIFY(boxes.shown.empty());
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("vorlo.mdb"))));
        QVERIFY(database.save_page({"A", "*", "", "A ", "1"}));
    }

    void an_unwritable_folder_is_reported_and_the_page_opens_read_only() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("vorlo.mdb"));
        {
            VorloDatabase setup;
            QVERIFY(setup.open(path).ok);
            QVERIFY(setup.save_page({"LE CHAT", "** ****", "", "E L A C H T ", "6"}));
        }
        const QByteArray before = test::file_bytes(path);
        VorloDatabase database;
        ScriptedMessageBoxes boxes;
        QVERIFY(open_page_file(database, folder.path(), false, boxes));
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QCOMPARE(boxes.shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(boxes.shown[0].text.contains(QStringLiteral("n'est pas accessible en écriture")));
        QCOMPARE(database.read_page().base, std::optional<QString>(QStringLiteral("LE CHAT")));
        QString error;
        QVERIFY(!database.save_page({"AUTRE", "", "", "", "0"}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(test::file_bytes(path), before);
    }

    void an_unwritable_folder_without_the_file_stops_the_start() {
        QTemporaryDir folder;
        VorloDatabase database;
        ScriptedMessageBoxes boxes;
        QVERIFY(!open_page_file(database, folder.path(), false, boxes));
        QCOMPARE(boxes.shown.size(), std::size_t{2});
        QCOMPARE(boxes.shown[1].icon, MessageIcon::Critical);
        QVERIFY(boxes.shown[1].text.startsWith(QStringLiteral("Impossible d'ouvrir")));
        QVERIFY(!database.is_open());
        QVERIFY(test::folder_entries(folder.path()).isEmpty());
    }

    void a_file_that_is_not_a_database_stops_the_start_untouched() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("vorlo.mdb"));
        test::write_file(path, QByteArrayLiteral("pas une base de données"));
        VorloDatabase database;
        ScriptedMessageBoxes boxes;
        QVERIFY(!open_page_file(database, folder.path(), true, boxes));
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QCOMPARE(boxes.shown[0].icon, MessageIcon::Critical);
        QVERIFY(!boxes.shown[0].text.isEmpty());
        QCOMPARE(test::file_bytes(path), QByteArrayLiteral("pas une base de données"));
    }
};

QTEST_MAIN(PageFileTest)
#include "test_page_file.moc"
