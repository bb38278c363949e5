#include "../storage/storage_test_support.h"
#include "app/page_file.h"
#include "app/page_folder.h"
#include "storage/vorlo_database.h"
#include "support/scripted_message_boxes.h"
#include "window_harness.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vorlo;
using namespace vorlo::testing;

// Where the page file lies, and how the program opens it at start.
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
        QVERIFY(database.save_page({"A", "*", "", "A ", 1}));
    }

    void an_unwritable_folder_is_reported_and_the_page_opens_read_only() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("vorlo.mdb"));
        {
            VorloDatabase setup;
            QVERIFY(setup.open(path).ok);
            QVERIFY(setup.save_page({"LE CHAT", "** ****", "", "E L A C H T ", 6}));
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
        QVERIFY(!database.save_page({"AUTRE", "", "", "", 0}, &error));
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

    // The user is told what to do and may stop, leaving the file untouched.
    void a_file_that_is_not_a_database_can_stop_the_start_untouched() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("vorlo.mdb"));
        test::write_file(path, QByteArrayLiteral("pas une base de données"));
        VorloDatabase database;
        ScriptedMessageBoxes boxes;
        boxes.answers.push_back(MessageAnswer::No);
        QVERIFY(!open_page_file(database, folder.path(), true, boxes));
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QCOMPARE(boxes.shown[0].icon, MessageIcon::Question);
        QCOMPARE(boxes.shown[0].buttons, MessageButtons::YesNo);
        const QString& text = boxes.shown[0].text;
        QVERIFY2(text.contains(QStringLiteral("Raison : le fichier n'est pas une base de données")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("« vorlo.mdb.illisible »")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("copie saine")), qPrintable(text));
        QVERIFY(!database.is_open());
        QCOMPARE(test::file_bytes(path), QByteArrayLiteral("pas une base de données"));
        QCOMPARE(test::folder_entries(folder.path()), QStringList({"vorlo.mdb"}));
    }

    // Or set it aside, renamed and never deleted, and start on a new page; a file set aside
    // earlier keeps its name.
    void a_file_that_is_not_a_database_can_be_set_aside_for_a_new_page_data() {
        QTest::addColumn<QStringList>("already_there");
        QTest::addColumn<QString>("set_aside");
        QTest::newRow("first time") << QStringList{} << "vorlo.mdb.illisible";
        QTest::newRow("twice") << QStringList{"vorlo.mdb.illisible"} << "vorlo.mdb.illisible.2";
        QTest::newRow("three times") << QStringList{"vorlo.mdb.illisible", "vorlo.mdb.illisible.2"}
                                     << "vorlo.mdb.illisible.3";
    }

    void a_file_that_is_not_a_database_can_be_set_aside_for_a_new_page() {
        QFETCH(QStringList, already_there);
        QFETCH(QString, set_aside);
        QTemporaryDir folder;
        for (const QString& name : already_there) {
            test::write_file(folder.filePath(name), name.toUtf8());
        }
        const QString path = folder.filePath(QStringLiteral("vorlo.mdb"));
        const QByteArray unreadable = QByteArray("SQLite format 3", 16) + QByteArray(4080, 'x');
        test::write_file(path, unreadable);
        VorloDatabase database;
        ScriptedMessageBoxes boxes;
        boxes.answers.push_back(MessageAnswer::Yes);
        QVERIFY(open_page_file(database, folder.path(), true, boxes));
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QVERIFY2(boxes.shown[0].text.contains(QStringLiteral("« %1 »").arg(set_aside)),
                 qPrintable(boxes.shown[0].text));
        QCOMPARE(test::file_bytes(folder.filePath(set_aside)), unreadable);
        for (const QString& name : already_there) {
            QCOMPARE(test::file_bytes(folder.filePath(name)), name.toUtf8());
        }
        QVERIFY(database.is_open());
        QCOMPARE(shown_page(database.read_page()).base, QStringLiteral("Vide"));
        QVERIFY(database.save_page({"A", "*", "", "A ", 1}));
    }

    // A second copy of the program on the same page file says so and stops; the first goes
    // on saving.
    void a_second_copy_on_the_same_file_stops() {
        QTemporaryDir folder;
        VorloDatabase first;
        ScriptedMessageBoxes first_boxes;
        QVERIFY(open_page_file(first, folder.path(), true, first_boxes));
        QVERIFY(first.save_page({"LE CHAT", "** ****", "", "A C E H L T ", 6}));

        VorloDatabase second;
        ScriptedMessageBoxes boxes;
        QVERIFY(!open_page_file(second, folder.path(), true, boxes));
        QCOMPARE(boxes.shown.size(), std::size_t{1});
        QCOMPARE(boxes.shown[0].icon, MessageIcon::Critical);
        QVERIFY2(boxes.shown[0].text.contains(
                     QStringLiteral("est déjà ouvert par une autre copie du programme")),
                 qPrintable(boxes.shown[0].text));
        QVERIFY(!second.is_open());
        QVERIFY(first.save_page({"LE CHAT", "L* ****", "L", "A C E H T ", 5}));
        QCOMPARE(first.read_page().nb_lettres, 5);
    }

    // Another program holding the page file when the program starts: the user is told so
    // and the start stops. Held before the file is opened, the opening fails; taken between
    // the opening and the window's reads, the reads fail: no empty page is shown that a
    // save could write over the stored one.
    void a_file_held_by_another_program_stops_the_start_untouched_data() {
        QTest::addColumn<bool>("held_before_opening");
        QTest::newRow("held before the opening") << true;
        QTest::newRow("taken before the window reads") << false;
    }

    void a_file_held_by_another_program_stops_the_start_untouched() {
        QFETCH(bool, held_before_opening);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("vorlo.mdb"));
        {
            VorloDatabase setup;
            QVERIFY(setup.open(path).ok);
            QVERIFY(setup.save_page({"LE CHAT", "** ****", "", "A C E H L T ", 6}));
        }
        const QByteArray before = test::file_bytes(path);
        {
            test::RawConnection other(path);
            QVERIFY(other.is_open());
            const auto hold = [&other] {
                QVERIFY2(other.exec(QStringLiteral("BEGIN EXCLUSIVE")),
                         qPrintable(other.last_error()));
                QVERIFY2(other.exec(QStringLiteral("UPDATE \"données\" SET base = 'AUTRE'")),
                         qPrintable(other.last_error()));
            };
            VorloDatabase database;
            ScriptedMessageBoxes boxes;
            ScriptedChoosers choosers;
            FakeClipboard clipboard;
            RecordingExit exit;
            if (held_before_opening) {
                hold();
                QVERIFY(!open_page_file(database, folder.path(), true, boxes));
                QVERIFY(!database.is_open());
            } else {
                QVERIFY(open_page_file(database, folder.path(), true, boxes));
                hold();
                const MainWindow window(database, Platform{boxes, choosers, clipboard, exit});
                QCOMPARE(window.opening_failure(),
                         QStringLiteral("le fichier est utilisé par un autre programme"));
                QVERIFY(window.reference() != QStringLiteral("Vide"));
                tell_page_file_unread(folder.path(), window.opening_failure(), boxes);
            }
            QCOMPARE(boxes.shown.size(), std::size_t{1});
            QCOMPARE(boxes.shown[0].icon, MessageIcon::Critical);
            QVERIFY2(boxes.shown[0].text.startsWith(QStringLiteral("Impossible d'ouvrir")),
                     qPrintable(boxes.shown[0].text));
            QVERIFY2(boxes.shown[0].text.contains(
                         QStringLiteral("Raison : le fichier est utilisé par un autre programme")),
                     qPrintable(boxes.shown[0].text));
            QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        }
        QCOMPARE(test::file_bytes(path), before);
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QCOMPARE(database.read_page().base, std::optional<QString>(QStringLiteral("LE CHAT")));
    }

    void a_writable_program_folder_keeps_the_page_beside_the_program() {
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("programme"));
        const QString data = root.filePath(QStringLiteral("share/vorlo"));
        QVERIFY(QDir().mkpath(program));
        const PageFolder folder = choose_page_folder(program, true, data);
        QCOMPARE(folder.path, program);
        QVERIFY(folder.writable);
        QVERIFY(!QFileInfo::exists(data));
    }

    void an_unwritable_program_folder_sends_the_page_to_the_data_folder() {
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("programme"));
        const QString data = root.filePath(QStringLiteral("home/.local/share/vorlo"));
        QVERIFY(QDir().mkpath(program));
        const PageFolder folder = choose_page_folder(program, false, data);
        QCOMPARE(folder.path, data);
        QVERIFY(folder.writable);

        VorloDatabase database;
        ScriptedMessageBoxes boxes;
        QVERIFY(open_page_file(database, folder.path, folder.writable, boxes));
        QVERIFY(boxes.shown.empty());
        QVERIFY(database.save_page({"A", "*", "", "A ", 1}));
        QVERIFY(QFile::exists(QDir(data).filePath(QStringLiteral("vorlo.mdb"))));
        QVERIFY(test::folder_entries(program).isEmpty());
    }

    void a_page_already_in_the_data_folder_is_the_one_opened() {
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("programme"));
        const QString data = root.filePath(QStringLiteral("share/vorlo"));
        QVERIFY(QDir().mkpath(program));
        QVERIFY(QDir().mkpath(data));
        {
            VorloDatabase setup;
            QVERIFY(setup.open(QDir(data).filePath(QStringLiteral("vorlo.mdb"))).ok);
            QVERIFY(setup.save_page({"LE CHAT", "** ****", "", "E L A C H T ", 6}));
        }
        const PageFolder folder = choose_page_folder(program, false, data);
        VorloDatabase database;
        ScriptedMessageBoxes boxes;
        QVERIFY(open_page_file(database, folder.path, folder.writable, boxes));
        QVERIFY(boxes.shown.empty());
        QCOMPARE(database.read_page().base, std::optional<QString>(QStringLiteral("LE CHAT")));
        QVERIFY(database.save_page({"AUTRE", "", "", "", 0}));
    }

    void when_no_folder_can_be_written_the_program_folder_is_reported() {
        QTemporaryDir root;
        const QString program = root.filePath(QStringLiteral("programme"));
        QVERIFY(QDir().mkpath(program));
        // A file stands where the data folder's parent should be: the folder cannot be made.
        const QString blocker = root.filePath(QStringLiteral("share"));
        test::write_file(blocker, QByteArrayLiteral("un fichier"));
        const PageFolder folder =
            choose_page_folder(program, false, QDir(blocker).filePath(QStringLiteral("vorlo")));
        QCOMPARE(folder.path, program);
        QVERIFY(!folder.writable);

        VorloDatabase database;
        ScriptedMessageBoxes boxes;
        QVERIFY(!open_page_file(database, folder.path, folder.writable, boxes));
        QCOMPARE(boxes.shown.size(), std::size_t{2});
        QCOMPARE(boxes.shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(boxes.shown[0].text.contains(QDir::toNativeSeparators(program)));
        QVERIFY(boxes.shown[0].text.contains(QStringLiteral("n'est pas accessible en écriture")));
    }

    void the_page_stays_beside_the_program_except_in_the_installed_folder_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("beside");
        QTest::newRow("another folder") << QStringLiteral("programme") << true;
        QTest::newRow("the installed folder") << QStringLiteral("games") << false;
        QTest::newRow("a link to the installed folder") << QStringLiteral("lien") << false;
        QTest::newRow("a missing folder") << QStringLiteral("absent") << false;
    }

    void the_page_stays_beside_the_program_except_in_the_installed_folder() {
        QFETCH(QString, program);
        QFETCH(bool, beside);
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("programme"))));
        QVERIFY(QDir().mkpath(root.filePath(QStringLiteral("games"))));
        QVERIFY(QFile::link(root.filePath(QStringLiteral("games")),
                            root.filePath(QStringLiteral("lien"))));
        QCOMPARE(
            may_keep_page_beside(root.filePath(program), root.filePath(QStringLiteral("games"))),
            beside);
    }
};

QTEST_MAIN(PageFileTest)
#include "test_page_file.moc"
