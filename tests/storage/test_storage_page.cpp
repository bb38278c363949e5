#include "storage/storage_messages.h"
#include "storage/vorlo_database.h"
#include "storage_test_support.h"

#include <QProcess>
#include <QSysInfo>
#include <QtTest>

#include <functional>
#include <limits>

#include <signal.h>
#include <unistd.h>

using namespace vorlo;
using namespace vorlo::test;
namespace said = vorlo::storage_messages;
using Write = std::function<bool(VorloDatabase&, QString*)>;
Q_DECLARE_METATYPE(Write)

namespace {

const QString kJournalWindow = QStringLiteral("journal_partie");

StoredPage small_page(const QString& reference, std::optional<int> count) {
    return {reference, QString(reference).fill('*'), "PROPAL", reference + ' ', count};
}

// The file the program makes, with the page "ABC" saved, a usable value of its own in every
// field of the look and the place of another window kept.
QString prepared_file(const QTemporaryDir& dir) {
    const QString path = dir.filePath(VorloDatabase::file_name());
    {
        VorloDatabase database;
        if (!database.open(path).ok || !database.save_page(small_page("ABC", 3)) ||
            !database.store_window_place("apercu", {1, 2, 3, 4})) {
            return {};
        }
    }
    QStringList looks;
    for (int i = 0; i < kAppearanceFields.size(); ++i) {
        const QString& field = kAppearanceFields.at(i);
        looks << field + " = " +
                     (field.startsWith("font_name") ? QStringLiteral("'Police %1'").arg(i)
                      : field.startsWith("font_size")
                          ? QString::number(8 + i)
                          : QString::number(field.startsWith("font_") ? i % 2 : 1000 + i));
    }
    return RawConnection(path).exec("UPDATE couleurs SET " + looks.join(", ")) ? path : QString();
}

// What the program reads of its file, one line a thing: the page as shown, with the count
// as read ("-": it cannot serve) and the read's failure; each field of the look ("-": it
// comes back empty); the posting choice ("!": its read failed), the thread, the journal
// window's place (all 0: none).
QStringList reading(const VorloDatabase& database) {
    QString failure;
    const StoredPage read = database.read_page(&failure);
    const StoredPage shown = shown_page(read);
    const auto text = [](const auto& v) { return v ? QVariant(*v).toString() : "-"; };
    QStringList lines{"page=" + QStringList{*shown.base, *shown.result, *shown.propal,
                                            *shown.lettres, text(read.nb_lettres),
                                            text(shown.nb_lettres), failure}
                                    .join('|')};
    const AppearanceSettings looks = database.read_appearance();
    for (TextArea area : kTextAreas) {
        const AreaAppearance& l = looks[area];
        const QString s = '_' + area_suffix(area) + '=';
        lines << "fond" + s + text(l.background) << "police" + s + text(l.text_colour)
              << "font_name" + s + text(l.font_name) << "font_size" + s + text(l.font_size)
              << "font_bold" + s + text(l.bold) << "font_italic" + s + text(l.italic);
    }
    failure.clear();
    const PostingChoice choice = database.read_posting_choice(&failure);
    const thread_table::ThreadRecord t = database.read_thread();
    const QRect p = database.read_window_place(kJournalWindow).value_or(QRect());
    return lines << "posting=" + choice.profile + ' ' + QString::number(choice.detailed_turn_post) +
                        (failure.isEmpty() ? "" : " !")
                 << "thread=" + QStringList{t.address, t.forum_kind, t.master_name,
                                            QString::number(t.last_post_number), t.last_post_id}
                                    .join(',')
                 << QString::asprintf("place=%d,%d,%d,%d", p.x(), p.y(), p.width(), p.height());
}

// `lines` with the lines of the same things as `changes` replaced by them.
QStringList changed(QStringList lines, const QStringList& changes) {
    for (const QString& change : changes) {
        const QString key = change.section('=', 0, 0) + '=';
        for (QString& line : lines) {
            line = line.startsWith(key) ? change : line;
        }
    }
    return lines;
}

}  // namespace

class TestStoragePage : public QObject {
    Q_OBJECT

  private slots:
    // Qt warns when a connection is removed while in use, or a connection name added twice.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // What cannot be opened is refused with a French message naming the file and the reason,
    // and left exactly as it was, nothing made beside it.
    void a_file_that_cannot_serve_is_refused_untouched_data() {
        QTest::addColumn<QByteArray>("contents");  // of the file, or "drop T", or "absent"
        QTest::addColumn<QString>("name");         // where it lies in the folder
        QTest::addColumn<QString>("said");         // the table missing, or the reason
        const QString damaged = said::not_a_database() + '|' + said::damaged_file();
        QTest::newRow("text") << QByteArray("Ceci n'est pas une base.\r\n").repeated(40) << ""
                              << damaged;
        QTest::newRow("header, then garbage")
            << QByteArray("SQLite format 3", 16) + QByteArray(4080, '\x5a') << "" << damaged;
        for (const char* table : {"données", "compteurs", "couleurs"}) {
            QTest::addRow("%s dropped", table)
                << "drop " + QByteArray(table) << "" << QString::fromUtf8(table);
        }
        QTest::newRow("empty file") << QByteArray() << "" << QStringLiteral("données");
        QTest::newRow("read-only, missing") << QByteArray("absent") << "" << said::file_missing();
        QTest::newRow("missing folder")
            << QByteArray("absent") << "absent/" << said::file_cannot_be_opened();
    }
    void a_file_that_cannot_serve_is_refused_untouched() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, name);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString path = dir.filePath(name + VorloDatabase::file_name());
        if (contents.startsWith("drop ")) {
            QVERIFY(VorloDatabase().open(path).ok);
            QVERIFY(RawConnection(path).exec("DROP TABLE \"" + contents.mid(5) + '"'));
        } else if (contents != "absent") {
            write_file(path, contents);
        }
        const QStringList entries = folder_entries(dir.path());
        const QByteArray before = file_bytes(path);
        VorloDatabase database;
        const VorloDatabase::OpenResult opened =
            database.open(path, contents == "absent" && name.isEmpty());
        QVERIFY(!opened.ok && !opened.created && !database.is_open());
        QCOMPARE(opened.unreadable, said.contains('|'));
        const QString reason = opened.unreadable ? opened.reason : said;
        QVERIFY2(said.split('|').contains(reason), qPrintable(opened.error));
        QCOMPARE(opened.error, said.contains(' ') ? said::cannot_open(path, reason)
                                                  : said::missing_table(path, said));
        QCOMPARE(file_bytes(path), before);
        QCOMPARE(folder_entries(dir.path()), entries);
    }

    // A missing file is made, its records empty. One copy of the program per file, whatever
    // path leads to it: another opener is refused and the file left as it was; a read-only
    // opening is not. A lock left by a program that has ended is taken over. A file that cannot
    // be written is said so at the opening.
    void a_file_is_made_then_held_by_one_opener() {
        QTemporaryDir dir;
        QTemporaryDir other;
        const QString path = dir.filePath(VorloDatabase::file_name());
        VorloDatabase first;
        QVERIFY(first.open(path).created);
        QCOMPARE(RawConnection(path).value("SELECT group_concat(name) || count(*) FROM (SELECT "
                                           "name FROM sqlite_master WHERE type = 'table' ORDER BY "
                                           "1), données, compteurs, couleurs"),
                 "compteurs,couleurs,données,fil,journal,publication6");
        // Every field is Null: the look reads as none, the page as "Vide".
        QCOMPARE(reading(first).filter(QRegularExpression("=-$")).size(), 24);
        QCOMPARE(reading(first).first(), "page=Vide|Vide|Vide|Vide|-|0|");
        QVERIFY(first.open(path).notice.isEmpty() && first.save_page(small_page("ABC", 3)));
        const QString soft = other.filePath("lien.mdb");
        const QString hard = other.filePath("autre.mdb");
        QVERIFY(QFile::link(path, soft));
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(hard).constData()),
                 0);
        const QByteArray before = file_bytes(path);
        VorloDatabase second;
        for (const QString& name : {path, soft, hard}) {
            const VorloDatabase::OpenResult refused = second.open(name);
            QVERIFY(!refused.ok && !refused.unreadable && !second.is_open());
            QCOMPARE(refused.error, said::already_open(name));
        }
        QCOMPARE(file_bytes(path), before);
        QVERIFY(VorloDatabase().open(path, true).read_only);
        first.close();
        QVERIFY(second.open(hard).ok);  // the other way round too
        QVERIFY(!first.open(path).ok);
        second.close();

        QProcess ended;
        ended.start("true", {});
        QVERIFY(ended.waitForStarted(60000));
        const qint64 gone = ended.processId();
        QVERIFY(ended.waitForFinished(60000) && ::kill(static_cast<pid_t>(gone), 0) != 0);
        write_file(path + ".lock", QByteArray::number(gone) + "\nvorlo\n" +
                                       QSysInfo::machineHostName().toUtf8() + "\n");
        const VorloDatabase::OpenResult opened = second.open(path);
        QVERIFY2(opened.ok, qPrintable(opened.error));
        QCOMPARE(second.read_page().base, QStringLiteral("ABC"));
        second.close();  // a closed database reads nothing and writes nothing
        QVERIFY(!second.read_page().base && !second.save_page(small_page("UN", 2)));
        QVERIFY(!second.write_appearance({{"fond_ref", 1}}) && !second.read_window_place("a"));
        QCOMPARE(folder_entries(dir.path()), QStringList({VorloDatabase::file_name()}));

        if (QProcess::execute("chattr", {"+i", path}) != 0) {
            QSKIP("the file system cannot make a file unchangeable");
        }
        const VorloDatabase::OpenResult unchangeable = second.open(path);
        const bool saved = second.save_page(small_page("XY", 2));
        second.close();
        QProcess::execute("chattr", {"-i", path});
        QVERIFY(unchangeable.ok && unchangeable.read_only && !saved);
        QCOMPARE(unchangeable.notice, said::read_only_page(path));
    }

    // A file changed by another tool reads field by field: what is missing or unusable reads
    // as none (a text "Vide"), the others as they were. A count that cannot serve is counted
    // again from the found text, never a false "0" while letters are hidden; a found text
    // longer than a page comes from no game: its read fails and says why.
    // A write changes what it names and nothing else, and is read back at the next start; or
    // the file or the value refuses it, and the message says why, the file left as it was.
    void a_file_reads_and_writes_data() {
        QTest::addColumn<QString>("sabotage");  // SQL, or "read-only", "held", "full"
        QTest::addColumn<Write>("write");       // none: the file is only read
        QTest::addColumn<QString>("expected");  // the lines that read otherwise, or the refusal
        const auto row = [](const QString& sql, const QString& read) {
            QTest::newRow(qPrintable(sql)) << sql << Write() << read;
        };
        const auto page = [&row](const QString& texts, const QString& read) {
            row("UPDATE données SET " + texts + "; UPDATE compteurs SET nb_lettres = NULL",
                "page=" + read);
        };
        row("UPDATE données SET result = NULL", "page=ABC|Vide|PROPAL|ABC |3|3|");
        row("UPDATE données SET result = ''", "page=ABC||PROPAL|ABC |3|3|");
        row("UPDATE données SET propal = X'414243'", "page=ABC|***|Vide|ABC |3|3|");
        row("UPDATE données SET base = 'L’ŒIL', result = 'L’***'",
            "page=L’ŒIL|L’***|PROPAL|ABC |3|3|");
        row("DROP TABLE données; CREATE TABLE données (base, result, propal, lettres); "
            "INSERT INTO données VALUES (2024, -7, 12.5, 'A ')",
            "page=2024|-7|12.5|A |3|3|");
        row("ALTER TABLE données DROP COLUMN base", "page=Vide|***|PROPAL|ABC |3|3|");
        for (const QString count :
             {"0", "12", "600", "601", "40000", "-3", "'a'", "1.5", "X'31'"}) {
            const QString read = QStringList{"0", "12", "600"}.contains(count) ? count : "-";
            row("UPDATE compteurs SET nb_lettres = " + count,
                "page=ABC|***|PROPAL|ABC |" + read + '|' + (read == "-" ? "3" : read) + '|');
        }
        page("base = 'LE CHAT', result = 'L* CH*T'", "LE CHAT|L* CH*T|PROPAL|ABC |-|2|");
        page("base = 'LE CHAT', result = 'LE CHAT'", "LE CHAT|LE CHAT|PROPAL|ABC |-|0|");
        page("base = 'A*B', result = 'A**'", "A*B|A**|PROPAL|ABC |-|1|");  // a star of its own
        page("base = 'AB', result = '***'", "AB|***|PROPAL|ABC |-|3|");
        page("base = NULL, result = NULL, propal = NULL, lettres = NULL",
             "Vide|Vide|Vide|Vide|-|0|");
        const QString a = "replace(hex(zeroblob(%1)), '0', 'A')";
        const QString stars = "replace(hex(zeroblob(300)), '0', '*')";
        page(QStringLiteral("base = %1, result = %1").arg(a.arg(300)),
             QString(600, 'A') + '|' + QString(600, 'A') + "|PROPAL|ABC |-|0|");
        page("base = " + a.arg(400) + ", result = " + stars,
             QString(800, 'A') + '|' + QString(600, '*') + "|PROPAL|ABC |-|600|");
        page("base = NULL, result = " + stars + " || '*'",
             "Vide|" + QString(601, '*') + "|PROPAL|ABC |-|600|" + said::found_text_too_long(601));
        row("DELETE FROM données; DELETE FROM compteurs; INSERT INTO données (rowid, base) "
            "VALUES (7, 'SEPT'); INSERT INTO données (rowid, base) VALUES (3, 'TROIS'); "
            "INSERT INTO compteurs (rowid, nb_lettres) VALUES (5, 4); INSERT INTO compteurs "
            "(rowid, nb_lettres) VALUES (0, 9)",
            "page=TROIS|Vide|Vide|Vide|9|9|");
        // A field of the look: as stored, as read.
        const QString looks =
            "fond_ref 255 255; fond_soluce NULL -; police_soluce 'rouge' -; police_lettres 12.5 -; "
            "fond_soluce 2147483648 -; fond_propal -2147483648 -2147483648; police_propal X'01' "
            "-; font_name_ref 'Courier' Courier; font_name_soluce NULL -; font_name_lettres '' -; "
            "font_size_ref 10.5 10.5; font_size_soluce 0 -; font_size_lettres -3 -; "
            "font_size_propal 'grand' -; font_size_lettres NULL -; font_bold_ref 1 true; "
            "font_italic_soluce 0 false; font_bold_lettres 2 -; font_bold_propal 'true' -; "
            "font_italic_propal 0.5 -; font_italic_ref NULL -";
        for (const QString& look : looks.split("; ")) {
            const QStringList parts = look.split(' ');
            row(QStringLiteral("UPDATE couleurs SET %1 = %2").arg(parts[0], parts[1]),
                parts[0] + '=' + parts[2]);
        }
        row("ALTER TABLE couleurs DROP COLUMN police_ref", "police_ref=-");
        row("INSERT INTO publication VALUES ('xenforo2', 1)", "posting=xenforo2 1");
        row("INSERT INTO publication VALUES (NULL, 0)", "posting=classique 0");
        row("INSERT INTO publication VALUES ('', 2)", "posting=classique 0");
        row("INSERT INTO publication VALUES (X'41', 'oui')", "posting=classique 0");
        row("DROP TABLE publication; CREATE TABLE Publication (autre TEXT)",
            "posting=classique 0 !");
        row("INSERT INTO fil VALUES ('a', 'phpbb', 'Zoé', 3, '9')", "thread=a,phpbb,Zoé,3,9");
        row("INSERT INTO fil VALUES (NULL, x'00ff', 'Lou', 'beaucoup', 7)", "thread=,,Lou,0,7");
        row("INSERT INTO fil VALUES ('a', 'phpbb', 'Zoé', -5, '9')", "thread=a,phpbb,Zoé,0,9");
        row("DROP TABLE fil; CREATE TABLE fil (autre TEXT); INSERT INTO fil VALUES ('x')",
            "thread=,,,0,");  // no column name read as a text
        // A place: as stored, as read.
        const QString places =
            "10, 20, 300, 400|10,20,300,400; '10', ' 20', '300', '400'|10,20,300,400; "
            "-10, -20, 300, 400|-10,-20,300,400; 'dix', 20, 300, 400|0,0,0,0; 10, NULL, 300, "
            "400|0,0,0,0; 10, 20, 0, 400|0,0,0,0; 10, 20, 300, -1|0,0,0,0; 10.5, 20, 300, "
            "400|0,0,0,0; 10, 20, 300, 9999999999|0,0,0,0";
        for (const QString& place : places.split("; ")) {
            row("INSERT INTO \"fenêtres\" VALUES ('journal_partie', " + place.section('|', 0, 0) +
                    ')',
                "place=" + place.section('|', 1));
        }

        const auto write = [](const char* name, const QString& sabotage, const Write& write,
                              const QString& expected) {
            QTest::newRow(name) << sabotage << write << expected;
        };
        const auto page_of = [](const StoredPage& p) {
            return Write([p](VorloDatabase& d, QString* e) { return d.save_page(p, e); });
        };
        const auto look = [](const VorloDatabase::FieldValues& f) {
            return Write([f](VorloDatabase& d, QString* e) { return d.write_appearance(f, e); });
        };
        const StoredPage five = small_page("XYZ", 5);
        const auto page_refused = [&](const char* name, const QString& sabotage,
                                      const QString& reason) {
            write(name, sabotage, page_of(five), said::save_failed(reason));
        };
        const QString longest =
            QStringLiteral("L’ŒUVRE DÉJÀ ÇÀ ÊTRE, ÛÙÔÎË È Â ? ").repeated(18).left(600);
        const QString masked = QString(longest).replace(QRegularExpression("\\w"), "*");
        write("longest page", "", page_of({longest, masked, longest + longest, masked, 600}),
              "page=" +
                  QStringList{longest, masked, longest + longest, masked, "600", "600", ""}.join(
                      '|'));
        write("null texts saved empty", "", page_of({" ", QString(), QString(), QString(), 0}),
              "page= ||||0|0|");
        write("records gone", "DELETE FROM données; DELETE FROM compteurs", page_of(five),
              "page=XYZ|***|PROPAL|XYZ |5|5|");
        const QString trigger =
            "CREATE TRIGGER refus BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'non');END";
        page_refused("update refused", trigger.arg("UPDATE", "compteurs"), said::values_refused());
        page_refused("new record refused",
                     "DELETE FROM compteurs; " + trigger.arg("INSERT", "compteurs"),
                     said::values_refused());
        page_refused("field dropped", "ALTER TABLE données DROP COLUMN lettres",
                     said::unexpected_form());
        page_refused("read-only", "read-only", said::read_only_file());
        page_refused("held", "held", said::in_use_elsewhere());
        StoredPage large = five;
        large.propal = QString(100000, 'P');
        write("disk full", "full", page_of(large), said::save_failed(said::disk_full()));
        for (const std::optional<int> count :
             {std::optional<int>(601), std::optional<int>(-3), std::optional<int>(),
              std::optional<int>(std::numeric_limits<int>::min())}) {
            const QString number = count ? QString::number(*count) : QString();
            write(qPrintable("count " + number), "", page_of(small_page("XYZ", count)),
                  said::save_failed(said::bad_count(number)));
        }
        write("colour", "", look({{"fond_ref", 0x123456}}), "fond_ref=1193046");
        write("short colour", "", look({{"police_ref", QVariant::fromValue(ushort(7))}}),
              "police_ref=7");
        write("white", "", look({{"fond_lettres", 0xFFFFFF}}), "fond_lettres=16777215");
        write("black", "", look({{"fond_lettres", 0}}), "fond_lettres=0");
        write("size with a fraction", "", look({{"font_size_ref", 10.6}}), "font_size_ref=11");
        write("bold", "", look({{"font_bold_ref", true}, {"font_italic_ref", 0}}),
              "font_bold_ref=true\nfont_italic_ref=false");
        write("later value wins", "", look({{"fond_ref", 1}, {"police_ref", 2}, {"fond_ref", 3}}),
              "fond_ref=3\npolice_ref=2");
        write("record gone", "DELETE FROM couleurs", look({{"fond_soluce", 65280}}),
              "fond_soluce=65280");
        AreaAppearance font{{}, {}, QStringLiteral("DejaVu Serif"), 13.6, true, false};
        write(
            "a look", "",
            [font](VorloDatabase& d, QString* e) {
                return d.store_look(TextArea::Propal, font, e);
            },
            "font_name_propal=DejaVu Serif\nfont_size_propal=14\nfont_bold_propal=true\n"
            "font_italic_propal=false");
        const QList<std::pair<const char*, QVariant>> unsuitable = {
            {"fond_soluce", "rouge"}, {"fond_ref", 0x1000000},       {"police_ref", -1},
            {"police_soluce", 12.5},  {"police_soluce", QVariant()}, {"font_size_ref", 0},
            {"font_size_ref", "12"},  {"font_size_ref", 40000},      {"font_size_propal", -4},
            {"font_bold_ref", 2},     {"font_italic_ref", "oui"},    {"font_name_ref", 12}};
        for (const auto& [field, value] : unsuitable) {
            write(qPrintable(QStringLiteral("%1 = %2").arg(field, value.toString())), "",
                  look({{"fond_ref", 255}, {field, value}}),
                  said::appearance_not_stored(said::bad_field_value(field)));
        }
        for (const char* field : {"fond_inconnu", "Fond_ref"}) {
            write(field, "", look({{"fond_ref", 255}, {field, 1}}),
                  said::appearance_not_stored(said::unknown_field(field)));
        }
        const Write good = look({{"fond_ref", 255}, {"font_size_ref", 20}});
        write("look read-only", "read-only", good,
              said::appearance_not_stored(said::read_only_file()));
        write("look refused", trigger.arg("UPDATE", "couleurs"), good,
              said::appearance_not_stored(said::values_refused()));
        font.font_size = 0;
        write(
            "a look of no size", "",
            [font](VorloDatabase& d, QString* e) { return d.store_look(TextArea::Ref, font, e); },
            said::appearance_not_stored(said::bad_field_value("font_size_ref")));
        const Write choice = [](VorloDatabase& d, QString* e) {
            return d.store_posting_choice({"discourse", true}, e);
        };
        write("posting choice", "", choice, "posting=discourse 1");
        write("posting choice read-only", "read-only", choice,
              said::save_failed(said::read_only_file()));
        const Write thread = [five](VorloDatabase& d, QString* e) {
            return d.save_page(five, {}, {"https://forum.example/t=7", "phpbb", "Zoé", 42, "1"}, e);
        };
        write("thread", "", thread,
              "page=XYZ|***|PROPAL|XYZ |5|5|\nthread=https://forum.example/t=7,phpbb,Zoé,42,1");
        write("thread, the page refused", trigger.arg("UPDATE", "compteurs"), thread,
              said::save_failed(said::values_refused()));
        const Write place = [](VorloDatabase& d, QString* e) {
            return d.store_window_place(kJournalWindow, {-5, 30, 400, 500}, e);
        };
        write("window place", "", place, "place=-5,30,400,500");
        write("window place read-only", "read-only", place, said::read_only_file());
    }
    void a_file_reads_and_writes() {
        QFETCH(QString, sabotage);
        QFETCH(Write, write);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = prepared_file(dir);
        VorloDatabase database;
        QVERIFY(database.open(path, sabotage == "read-only").ok);
        QStringList before = reading(database);
        RawConnection raw(path);
        QSqlQuery storage(QSqlDatabase::database(  // the storage's own connection
            QSqlDatabase::connectionNames().filter("vorlo_storage_").value(0), false));
        if (sabotage == "held") {
            QVERIFY(raw.exec("BEGIN EXCLUSIVE"));
        } else if (sabotage == "full") {
            QVERIFY(storage.exec("PRAGMA max_page_count = 1"));
        } else if (sabotage != "read-only") {
            QVERIFY2(raw.exec_all(sabotage), qPrintable(raw.last_error()));
        }
        const bool refused = !expected.contains('=');
        if (write && !refused) {
            before = reading(database);
        }
        const QByteArray bytes = file_bytes(path);
        QString told;
        QVERIFY(!write || write(database, &told) != refused);
        QCOMPARE(told, refused ? expected : QString());
        if (!refused) {
            QCOMPARE(reading(database), changed(before, expected.split('\n')));
            QVERIFY(database.open(path).ok);
            QCOMPARE(reading(database), changed(before, expected.split('\n')));
            return;
        }
        if (sabotage == "held") {  // a read meanwhile fails too, and is not passed off as empty
            QString page, look, journal;
            QVERIFY(!database.read_page(&page).base);
            database.read_appearance(&look);
            database.read_journal(&journal);
            QCOMPARE((QStringList{page, look, journal}), QStringList(3, said::in_use_elsewhere()));
            QVERIFY(raw.exec("ROLLBACK"));
        }
        QVERIFY(sabotage != "full" || storage.exec("PRAGMA max_page_count = 100000"));
        QCOMPARE(file_bytes(path), bytes);
    }
};

QTEST_GUILESS_MAIN(TestStoragePage)
#include "test_storage_page.moc"
