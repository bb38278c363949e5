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
        if (!field.endsWith(suffix)) {
            continue;
        }
        const QString prefix = field.chopped(suffix.size());
        const AreaAppearance& look = settings[area];
        if (prefix == "fond") {
            return as_variant(look.background);
        }
        if (prefix == "police") {
            return as_variant(look.text_colour);
        }
        if (prefix == "font_name") {
            return as_variant(look.font_name);
        }
        if (prefix == "font_size") {
            return as_variant(look.font_size);
        }
        if (prefix == "font_bold") {
            return as_variant(look.bold);
        }
        if (prefix == "font_italic") {
            return as_variant(look.italic);
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

}  // namespace

class TestDatabaseAppearance : public QObject {
    Q_OBJECT

  private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void write_changes_only_the_named_fields_data() {
        QTest::addColumn<FieldValues>("written");
        QTest::addColumn<QStringList>("stored");  // storage class and value, per written field
        QTest::newRow("background colour")
            << FieldValues{{"fond_ref", 0x123456}} << QStringList{"integer:1193046"};
        QTest::newRow("text colour as unsigned")
            << FieldValues{{"police_propal", 255u}} << QStringList{"integer:255"};
        QTest::newRow("white") << FieldValues{{"fond_lettres", 0xFFFFFF}}
                               << QStringList{"integer:16777215"};
        QTest::newRow("font name") << FieldValues{{"font_name_soluce", "DejaVu Sans Mono"}}
                                   << QStringList{"text:DejaVu Sans Mono"};
        QTest::newRow("font size")
            << FieldValues{{"font_size_lettres", 14}} << QStringList{"integer:14"};
        QTest::newRow("font size with a fraction")
            << FieldValues{{"font_size_ref", 10.6}} << QStringList{"integer:11"};
        QTest::newRow("bold") << FieldValues{{"font_bold_propal", true}}
                              << QStringList{"integer:1"};
        QTest::newRow("not italic")
            << FieldValues{{"font_italic_soluce", false}} << QStringList{"integer:0"};
        QTest::newRow("bold as a number")
            << FieldValues{{"font_bold_lettres", 1}} << QStringList{"integer:1"};
        QTest::newRow("a whole font")
            << FieldValues{{"font_name_propal", "Liberation Serif"},
                           {"font_size_propal", 9},
                           {"font_bold_propal", true},
                           {"font_italic_propal", false}}
            << QStringList{"text:Liberation Serif", "integer:9", "integer:1", "integer:0"};
    }

    void write_changes_only_the_named_fields() {
        QFETCH(FieldValues, written);
        QFETCH(QStringList, stored);
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        RawConnection raw(path);
        QMap<QString, QString> expected = raw_fields(raw);
        for (std::size_t i = 0; i < written.size(); ++i) {
            QVERIFY(expected[written[i].first] != stored.at(static_cast<int>(i)));
            expected[written[i].first] = stored.at(static_cast<int>(i));
        }

        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QString error;
        QVERIFY2(database.write_appearance(written, &error), qPrintable(error));
        QCOMPARE(raw_fields(raw), expected);
        QCOMPARE(raw.value("SELECT count(*) FROM couleurs"), QVariant(1));
    }

    void later_value_of_a_field_wins() {
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QVERIFY(database.write_appearance({{"fond_ref", 1}, {"police_ref", 2}, {"fond_ref", 3}}));
        const AppearanceSettings look = database.read_appearance();
        QCOMPARE(look[TextArea::Ref].background, 3);
        QCOMPARE(look[TextArea::Ref].text_colour, 2);
    }

    // A look stores the fields it sets for its own area, and only those.
    void a_look_is_stored_in_the_fields_of_its_area() {
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        RawConnection raw(path);
        const QMap<QString, QString> before = raw_fields(raw);
        AreaAppearance font;
        font.font_name = QStringLiteral("DejaVu Serif");
        font.font_size = 13.6;
        font.bold = true;
        font.italic = false;
        QVERIFY(database.store_look(TextArea::Propal, font));
        AreaAppearance background;
        background.background = 0x00FF00;
        QVERIFY(database.store_look(TextArea::Lettres, background));
        AreaAppearance text_colour;
        text_colour.text_colour = 255;
        QVERIFY(database.store_look(TextArea::Soluce, text_colour));
        QMap<QString, QString> expected = before;
        expected["font_name_propal"] = "text:DejaVu Serif";
        expected["font_size_propal"] = "integer:14";
        expected["font_bold_propal"] = "integer:1";
        expected["font_italic_propal"] = "integer:0";
        expected["fond_lettres"] = "integer:65280";
        expected["police_soluce"] = "integer:255";
        QCOMPARE(raw_fields(raw), expected);
        QString error;
        AreaAppearance no_size;
        no_size.font_size = 0;
        QVERIFY(!database.store_look(TextArea::Ref, no_size, &error));
        QVERIFY2(error.contains("font_size_ref"), qPrintable(error));
        QCOMPARE(raw_fields(raw), expected);
    }

    void missing_record_is_made_again() {
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        RawConnection raw(path);
        QVERIFY(raw.exec("DELETE FROM couleurs"));
        QVERIFY(database.write_appearance({{"fond_soluce", 65280}, {"font_bold_soluce", true}}));
        QCOMPARE(raw.value("SELECT count(*) FROM couleurs"), QVariant(1));
        const AppearanceSettings look = database.read_appearance();
        QCOMPARE(look[TextArea::Soluce].background, 65280);
        QCOMPARE(look[TextArea::Soluce].bold, true);
        QVERIFY(!look[TextArea::Soluce].text_colour);
        QVERIFY(!look[TextArea::Ref].font_name);
    }

    void unsuitable_write_is_refused_data() {
        QTest::addColumn<FieldValues>("written");
        QTest::addColumn<QString>("named");
        QTest::newRow("colour as text") << FieldValues{{"fond_ref", "rouge"}} << "fond_ref";
        QTest::newRow("colour with a top byte")
            << FieldValues{{"fond_ref", 0x1000000}} << "fond_ref";
        QTest::newRow("negative colour") << FieldValues{{"police_ref", -1}} << "police_ref";
        QTest::newRow("colour with a fraction")
            << FieldValues{{"police_soluce", 12.5}} << "police_soluce";
        QTest::newRow("no colour") << FieldValues{{"police_soluce", QVariant()}} << "police_soluce";
        QTest::newRow("font size zero") << FieldValues{{"font_size_ref", 0}} << "font_size_ref";
        QTest::newRow("font size as text")
            << FieldValues{{"font_size_ref", "12"}} << "font_size_ref";
        QTest::newRow("font size too large")
            << FieldValues{{"font_size_ref", 40000}} << "font_size_ref";
        QTest::newRow("bold as 2") << FieldValues{{"font_bold_ref", 2}} << "font_bold_ref";
        QTest::newRow("italic as text")
            << FieldValues{{"font_italic_ref", "oui"}} << "font_italic_ref";
        QTest::newRow("font name as a number")
            << FieldValues{{"font_name_ref", 12}} << "font_name_ref";
        QTest::newRow("unknown field") << FieldValues{{"fond_inconnu", 1}} << "fond_inconnu";
        QTest::newRow("field name in another case") << FieldValues{{"Fond_ref", 1}} << "Fond_ref";
        QTest::newRow("a good field, then a bad one")
            << FieldValues{{"fond_ref", 255}, {"font_size_propal", -4}} << "font_size_propal";
    }

    void unsuitable_write_is_refused() {
        QFETCH(FieldValues, written);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        const QByteArray before = file_bytes(path);
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QString error;
        QVERIFY(!database.write_appearance(written, &error));
        QVERIFY2(error.startsWith(
                     QStringLiteral("Le choix de couleur ou de police n'a pas été enregistré.")),
                 qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("« %1 »").arg(named)), qPrintable(error));
        database.close();
        QCOMPARE(file_bytes(path), before);
    }

    void failed_write_leaves_the_file_as_it_was_data() {
        QTest::addColumn<bool>("read_only");
        QTest::addColumn<QString>("sabotage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only file") << true << QString() << "le fichier est en lecture seule";
        QTest::newRow("couleurs refuses the update")
            << false
            << "CREATE TRIGGER refus BEFORE UPDATE ON couleurs BEGIN "
               "SELECT RAISE(ABORT, 'couleurs verrouillées'); END"
            << "le fichier a refusé les valeurs données";
        QTest::newRow("couleurs lacks the field")
            << false << "ALTER TABLE couleurs DROP COLUMN font_size_ref"
            << "le fichier n'a pas la forme attendue (une table ou un champ manque)";
    }

    void failed_write_leaves_the_file_as_it_was() {
        QFETCH(bool, read_only);
        QFETCH(QString, sabotage);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        if (!sabotage.isEmpty()) {
            RawConnection raw(path);
            QVERIFY2(raw.exec(sabotage), qPrintable(raw.last_error()));
        }
        const QByteArray before = file_bytes(path);
        VorloDatabase database;
        QVERIFY(database.open(path, read_only).ok);
        const AppearanceSettings look = database.read_appearance();
        QString error;
        QVERIFY(!database.write_appearance({{"fond_ref", 255}, {"font_size_ref", 20}}, &error));
        // The first line once, then the reason in French.
        QCOMPARE(error, QStringLiteral("Le choix de couleur ou de police n'a pas été enregistré.") +
                            QChar(13) + QStringLiteral("Raison : ") + reason);
        QCOMPARE(database.read_appearance()[TextArea::Ref].background,
                 look[TextArea::Ref].background);
        database.close();
        QCOMPARE(file_bytes(path), before);
    }

    void each_field_is_read_on_its_own_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");  // SQL literal
        QTest::addColumn<QVariant>("read");   // invalid: the field comes back empty
        QTest::newRow("colour") << "fond_ref"
                                << "255" << QVariant(255);
        QTest::newRow("colour null") << "fond_ref"
                                     << "NULL" << QVariant();
        QTest::newRow("colour as text") << "police_soluce"
                                        << "'rouge'" << QVariant();
        QTest::newRow("colour with a fraction") << "police_lettres"
                                                << "12.5" << QVariant();
        QTest::newRow("colour above 32 bits") << "fond_soluce"
                                              << "2147483648" << QVariant();
        QTest::newRow("lowest 32-bit colour")
            << "fond_propal"
            << "-2147483648" << QVariant(std::numeric_limits<qint32>::min());
        QTest::newRow("colour as blob") << "police_propal"
                                        << "X'01'" << QVariant();
        QTest::newRow("font name") << "font_name_ref"
                                   << "'Courier New'" << QVariant(QStringLiteral("Courier New"));
        QTest::newRow("font name null") << "font_name_soluce"
                                        << "NULL" << QVariant();
        QTest::newRow("font name empty") << "font_name_lettres"
                                         << "''" << QVariant();
        QTest::newRow("font size with a fraction") << "font_size_ref"
                                                   << "10.5" << QVariant(10.5);
        QTest::newRow("whole font size") << "font_size_propal"
                                         << "12" << QVariant(12.0);
        QTest::newRow("font size zero") << "font_size_soluce"
                                        << "0" << QVariant();
        QTest::newRow("negative font size") << "font_size_lettres"
                                            << "-3" << QVariant();
        QTest::newRow("font size as text") << "font_size_ref"
                                           << "'grand'" << QVariant();
        QTest::newRow("font size null") << "font_size_ref"
                                        << "NULL" << QVariant();
        QTest::newRow("bold") << "font_bold_ref"
                              << "1" << QVariant(true);
        QTest::newRow("not bold") << "font_bold_soluce"
                                  << "0" << QVariant(false);
        QTest::newRow("bold as 2") << "font_bold_lettres"
                                   << "2" << QVariant();
        QTest::newRow("bold as text") << "font_bold_propal"
                                      << "'true'" << QVariant();
        QTest::newRow("italic null") << "font_italic_ref"
                                     << "NULL" << QVariant();
        QTest::newRow("italic") << "font_italic_lettres"
                                << "1" << QVariant(true);
        QTest::newRow("italic as a half") << "font_italic_propal"
                                          << "0.5" << QVariant();
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
            QVERIFY(raw.exec(QStringLiteral("UPDATE couleurs SET %1 = %2").arg(field, stored)));
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
    }

    void missing_field_reads_empty_and_the_others_still_read() {
        QTemporaryDir dir;
        const QString path = filled_database(dir);
        QVERIFY(!path.isEmpty());
        {
            RawConnection raw(path);
            QVERIFY(raw.exec("ALTER TABLE couleurs DROP COLUMN police_ref"));
        }
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        const AppearanceSettings look = database.read_appearance();
        QVERIFY(!look[TextArea::Ref].text_colour);
        QCOMPARE(look[TextArea::Ref].background, 1000);
        QCOMPARE(look[TextArea::Propal].font_name, QStringLiteral("Police 20"));
        QVERIFY(database.write_appearance({{"fond_ref", 42}}));
        QCOMPARE(database.read_appearance()[TextArea::Ref].background, 42);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseAppearance)
#include "test_database_appearance.moc"
