#include "storage/vorlo_database.h"
#include "storage_test_support.h"

#include <QtTest>

#include <limits>

using namespace vorlo;
using namespace vorlo::test;

namespace {

template <typename T>
QVariant as_variant(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

// What read_appearance gives for one field, named as in the file.
QVariant read_field(const AppearanceSettings& settings, const QString& field) {
    for (TextArea area : kTextAreas) {
        const QString suffix = QLatin1Char('_') + area_suffix(area);
        if (field.endsWith(suffix)) {
            const QString prefix = field.chopped(suffix.size());
            const AreaAppearance& look = settings[area];
            return prefix == "fond"        ? as_variant(look.background)
                   : prefix == "police"    ? as_variant(look.text_colour)
                   : prefix == "font_name" ? as_variant(look.font_name)
                   : prefix == "font_size" ? as_variant(look.font_size)
                   : prefix == "font_bold" ? as_variant(look.bold)
                                           : as_variant(look.italic);
        }
    }
    return QStringLiteral("<no such field>");
}

// Each field of "couleurs" as the file holds it, with its storage class.
QMap<QString, QString> raw_fields(RawConnection& raw) {
    QMap<QString, QString> fields;
    for (const QString& field : kAppearanceFields) {
        fields[field] =
            raw.value(QStringLiteral("SELECT typeof(%1) || ':' || coalesce(%1, '') FROM couleurs")
                          .arg(field))
                .toString();
    }
    return fields;
}

// A fresh file whose "couleurs" record holds a usable value in every field.
QString filled_database(const QTemporaryDir& dir) {
    const QString path = dir.filePath(VorloDatabase::file_name());
    if (!VorloDatabase().open(path).ok) {
        return QString();
    }
    RawConnection raw(path);
    return raw.exec(usable_appearance_assignments()) ? path : QString();
}

using FieldValues = VorloDatabase::FieldValues;

AreaAppearance font_look() {
    AreaAppearance look;
    look.font_name = QStringLiteral("DejaVu Serif");
    look.font_size = 13.6;
    look.bold = true;
    look.italic = false;
    return look;
}

}  // namespace

class TestDatabaseAppearance : public QObject {
    Q_OBJECT

  private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // A write rewrites the named fields, in the order given, and only those; a look, the
    // fields it sets for its own area. A missing record is made again.
    void a_write_changes_only_the_named_fields_data() {
        QTest::addColumn<FieldValues>("written");
        QTest::addColumn<int>("area");  // -1: written as fields, else the area of font_look()
        QTest::addColumn<QStringList>("stored");  // field=class:value
        QTest::addColumn<QString>("before");      // SQL run on the file first
        const auto row = [](const char* name, FieldValues written, QStringList stored) {
            QTest::newRow(name) << written << -1 << stored << QString();
        };
        row("colour", {{"fond_ref", 0x123456}}, {"fond_ref=integer:1193046"});
        row("unsigned", {{"police_propal", 255u}}, {"police_propal=integer:255"});
        row("white", {{"fond_lettres", 0xFFFFFF}}, {"fond_lettres=integer:16777215"});
        row("font name", {{"font_name_soluce", "DejaVu Sans Mono"}},
            {"font_name_soluce=text:DejaVu Sans Mono"});
        row("size", {{"font_size_lettres", 14}}, {"font_size_lettres=integer:14"});
        row("size with a fraction", {{"font_size_ref", 10.6}}, {"font_size_ref=integer:11"});
        row("bold", {{"font_bold_propal", true}}, {"font_bold_propal=integer:1"});
        row("not italic", {{"font_italic_soluce", false}}, {"font_italic_soluce=integer:0"});
        row("bold as a number", {{"font_bold_lettres", 1}}, {"font_bold_lettres=integer:1"});
        row("later value wins", {{"fond_ref", 1}, {"police_ref", 2}, {"fond_ref", 3}},
            {"fond_ref=integer:3", "police_ref=integer:2"});
        QTest::newRow("record gone")
            << FieldValues{{"fond_soluce", 65280}} << -1 << QStringList{"fond_soluce=integer:65280"}
            << "DELETE FROM couleurs";
        QTest::newRow("a look") << FieldValues{} << int(TextArea::Propal)
                                << QStringList{"font_name_propal=text:DejaVu Serif",
                                               "font_size_propal=integer:14",
                                               "font_bold_propal=integer:1",
                                               "font_italic_propal=integer:0"}
                                << QString();
    }
    void a_write_changes_only_the_named_fields() {
        QFETCH(FieldValues, written);
        QFETCH(int, area);
        QFETCH(QStringList, stored);
        QFETCH(QString, before);
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        RawConnection raw(path);
        QMap<QString, QString> expected = raw_fields(raw);
        if (!before.isEmpty()) {
            QVERIFY(raw.exec(before));
            for (QString& value : expected) {
                value = QStringLiteral("null:");
            }
        }
        for (const QString& field : stored) {
            const QString name = field.section(QLatin1Char('='), 0, 0);
            QVERIFY(expected[name] != field.section(QLatin1Char('='), 1));
            expected[name] = field.section(QLatin1Char('='), 1);
        }
        QString error;
        QVERIFY2(area < 0 ? database.write_appearance(written, &error)
                          : database.store_look(TextArea(area), font_look(), &error),
                 qPrintable(error));
        QCOMPARE(raw_fields(raw), expected);
        QCOMPARE(raw.value("SELECT count(*) FROM couleurs"), QVariant(1));
    }

    // A value that does not suit its field, an unknown field or a file that refuses the
    // write: nothing is written, and the message names the field or gives the reason.
    void a_refused_write_leaves_the_file_as_it_was_data() {
        QTest::addColumn<FieldValues>("written");
        QTest::addColumn<QString>("sabotage");  // "read-only" or SQL
        QTest::addColumn<QString>("said");
        const auto row = [](const char* name, FieldValues written, const char* field) {
            QTest::newRow(name) << written << QString()
                                << QStringLiteral("« %1 »").arg(QString::fromUtf8(field));
        };
        row("colour as text", {{"fond_ref", "rouge"}}, "fond_ref");
        row("colour with a top byte", {{"fond_ref", 0x1000000}}, "fond_ref");
        row("negative colour", {{"police_ref", -1}}, "police_ref");
        row("colour with a fraction", {{"police_soluce", 12.5}}, "police_soluce");
        row("no colour", {{"police_soluce", QVariant()}}, "police_soluce");
        row("size zero", {{"font_size_ref", 0}}, "font_size_ref");
        row("size as text", {{"font_size_ref", "12"}}, "font_size_ref");
        row("size too large", {{"font_size_ref", 40000}}, "font_size_ref");
        row("bold as 2", {{"font_bold_ref", 2}}, "font_bold_ref");
        row("italic as text", {{"font_italic_ref", "oui"}}, "font_italic_ref");
        row("font name as a number", {{"font_name_ref", 12}}, "font_name_ref");
        row("unknown field", {{"fond_inconnu", 1}}, "fond_inconnu");
        row("field in another case", {{"Fond_ref", 1}}, "Fond_ref");
        row("good, then bad", {{"fond_ref", 255}, {"font_size_propal", -4}}, "font_size_propal");
        const FieldValues good = {{"fond_ref", 255}, {"font_size_ref", 20}};
        QTest::newRow("read-only") << good << "read-only"
                                   << "\rRaison : le fichier est en lecture seule";
        QTest::newRow("update refused") << good
                                        << "CREATE TRIGGER refus BEFORE UPDATE ON couleurs BEGIN "
                                           "SELECT RAISE(ABORT, 'couleurs verrouillées'); END"
                                        << "\rRaison : le fichier a refusé les valeurs données";
        QTest::newRow("field dropped")
            << good << "ALTER TABLE couleurs DROP COLUMN font_size_ref"
            << "\rRaison : le fichier n'a pas la forme attendue (une table ou un champ manque)";
    }
    void a_refused_write_leaves_the_file_as_it_was() {
        QFETCH(FieldValues, written);
        QFETCH(QString, sabotage);
        QFETCH(QString, said);
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        if (!sabotage.isEmpty() && sabotage != "read-only") {
            RawConnection raw(path);
            QVERIFY2(raw.exec(sabotage), qPrintable(raw.last_error()));
        }
        const QByteArray before = file_bytes(path);
        VorloDatabase database;
        QVERIFY(database.open(path, sabotage == "read-only").ok);
        QString error;
        QVERIFY(!database.write_appearance(written, &error));
        const QString first =
            QStringLiteral("Le choix de couleur ou de police n'a pas été enregistré.");
        QVERIFY2(error.startsWith(first) && error.contains(said), qPrintable(error));
        QCOMPARE(error.count(first), 1);
        QCOMPARE(database.read_appearance()[TextArea::Ref].background, 1000);
        AreaAppearance no_size;
        no_size.font_size = 0;
        QVERIFY(!database.store_look(TextArea::Ref, no_size, &error));
        database.close();
        QCOMPARE(file_bytes(path), before);
    }

    // Each field is read on its own: an unusable value, or a column gone, comes back empty
    // and leaves the others as they were.
    void each_field_is_read_on_its_own_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");  // SQL literal, or "drop" the column
        QTest::addColumn<QVariant>("read");   // invalid: the field comes back empty
        const auto row = [](const char* name, const char* field, const char* stored,
                            const QVariant& read) {
            QTest::newRow(name) << QString::fromUtf8(field) << QString::fromUtf8(stored) << read;
        };
        row("colour", "fond_ref", "255", 255);
        row("colour null", "fond_ref", "NULL", {});
        row("colour as text", "police_soluce", "'rouge'", {});
        row("colour with a fraction", "police_lettres", "12.5", {});
        row("colour above 32 bits", "fond_soluce", "2147483648", {});
        row("lowest colour", "fond_propal", "-2147483648", std::numeric_limits<qint32>::min());
        row("colour as blob", "police_propal", "X'01'", {});
        row("colour dropped", "police_ref", "drop", {});
        row("font name", "font_name_ref", "'Courier New'", QStringLiteral("Courier New"));
        row("font name null", "font_name_soluce", "NULL", {});
        row("font name empty", "font_name_lettres", "''", {});
        row("size with a fraction", "font_size_ref", "10.5", 10.5);
        row("whole size", "font_size_propal", "12", 12.0);
        row("size zero", "font_size_soluce", "0", {});
        row("negative size", "font_size_lettres", "-3", {});
        row("size as text", "font_size_ref", "'grand'", {});
        row("bold", "font_bold_ref", "1", true);
        row("not bold", "font_bold_soluce", "0", false);
        row("bold as 2", "font_bold_lettres", "2", {});
        row("bold as text", "font_bold_propal", "'true'", {});
        row("italic null", "font_italic_ref", "NULL", {});
        row("italic", "font_italic_lettres", "1", true);
        row("italic as a half", "font_italic_propal", "0.5", {});
    }
    void each_field_is_read_on_its_own() {
        QFETCH(QString, field);
        QFETCH(QString, stored);
        QFETCH(QVariant, read);
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const AppearanceSettings usable = database.read_appearance();
        {
            RawConnection raw(path);
            QVERIFY(
                raw.exec(stored == "drop"
                             ? QStringLiteral("ALTER TABLE couleurs DROP COLUMN %1").arg(field)
                             : QStringLiteral("UPDATE couleurs SET %1 = %2").arg(field, stored)));
        }
        const AppearanceSettings look = database.read_appearance();
        QCOMPARE(read_field(look, field), read);
        for (const QString& other : kAppearanceFields) {
            const QVariant before = read_field(usable, other);
            QVERIFY2(before.isValid(), qPrintable(other));
            if (other != field) {
                QCOMPARE(read_field(look, other), before);
            }
        }
        // The others can still be written.
        QVERIFY(database.write_appearance({{"fond_lettres", 42}}));
        QCOMPARE(database.read_appearance()[TextArea::Lettres].background, 42);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseAppearance)
#include "test_database_appearance.moc"
