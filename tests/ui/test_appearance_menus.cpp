#include "../storage/storage_test_support.h"
#include "ui/widgets/colour_value.h"
#include "ui/widgets/window_design.h"
#include "window_harness.h"

using namespace vorlo;
using namespace vorlo::testing;

namespace {

// Every field of "couleurs" as stored, by name.
QMap<QString, QString> stored_look(const QString& path) {
    test::RawConnection raw(path);
    QMap<QString, QString> fields;
    for (const QString& field : test::kAppearanceFields) {
        const QVariant v = raw.value(QStringLiteral("SELECT %1 FROM couleurs").arg(field));
        fields[field] = v.isNull() ? QStringLiteral("NULL") : v.toString();
    }
    return fields;
}

}  // namespace

// The twelve items of "Couleurs  et  Police": shown at once, stored at once, and only there.
class AppearanceMenusTest : public QObject {
    Q_OBJECT

  private slots:
    void a_colour_item_paints_its_area_and_stores_one_field_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("area");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("field");
        QTest::newRow("fond ref") << "mnu_fond_ref"
                                  << "ref" << int(QPalette::Base) << "fond_ref";
        QTest::newRow("fond trouvé") << "mnu_fond_trouvé"
                                     << "soluce" << int(QPalette::Base) << "fond_soluce";
        QTest::newRow("fond propal") << "mnu_fond_propal"
                                     << "propal" << int(QPalette::Base) << "fond_propal";
        QTest::newRow("fond lettres") << "mnu_fond_lettres"
                                      << "lettres" << int(QPalette::Base) << "fond_lettres";
        QTest::newRow("police ref") << "mnu_police_ref"
                                    << "ref" << int(QPalette::Text) << "police_ref";
        QTest::newRow("police trouvé") << "mnu_police_trouvé"
                                       << "soluce" << int(QPalette::Text) << "police_soluce";
        QTest::newRow("police lettres") << "mnu_police_lettres"
                                        << "lettres" << int(QPalette::Text) << "police_lettres";
    }
    void a_colour_item_paints_its_area_and_stores_one_field() {
        QFETCH(QString, item);
        QFETCH(QString, area);
        QFETCH(int, role);
        QFETCH(QString, field);
        WindowHarness h;
        const QMap<QString, QString> before = stored_look(h.file.path());
        const QColor chosen(12, 34, 56);
        h.choosers.colours.push_back(colour_value(chosen));
        h.trigger(item);

        QCOMPARE(h.find<QWidget>(area)->palette().color(QPalette::ColorRole(role)), chosen);
        QMap<QString, QString> expected = before;
        expected[field] = QString::number(12 + 256 * 34 + 65536 * 56);
        QCOMPARE(stored_look(h.file.path()), expected);
        QVERIFY(h.boxes.shown.empty());
    }

    void the_proposal_colour_goes_to_every_character_and_what_follows() {
        WindowHarness h;
        h.window->set_proposal(QStringLiteral("ABCDE"));
        h.choosers.colours.push_back(colour_value(QColor(0, 0, 200)));
        h.trigger(QStringLiteral("mnu_police_propal"));
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(format_at(h.propal(), i).foreground().color(), QColor(0, 0, 200));
        }
        QVERIFY(!h.propal()->textCursor().hasSelection());
        QCOMPARE(h.propal()->textCursor().position(), 5);
        h.propal()->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(h.propal(), QStringLiteral("F"));
        QCOMPARE(format_at(h.propal(), 5).foreground().color(), QColor(0, 0, 200));
        QCOMPARE(stored_look(h.file.path()).value(QStringLiteral("police_propal")),
                 QString::number(200 * 65536));
    }

    void a_font_item_applies_and_stores_the_four_fields_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("area");
        QTest::newRow("ref") << "mnu_font_ref"
                             << "ref";
        QTest::newRow("soluce") << "mnu_font_soluce"
                                << "soluce";
        QTest::newRow("lettres") << "mnu_font_lettres"
                                 << "lettres";
        QTest::newRow("propal") << "mnu_font_propal"
                                << "propal";
    }
    void a_font_item_applies_and_stores_the_four_fields() {
        QFETCH(QString, item);
        QFETCH(QString, area);
        WindowHarness h;
        const QMap<QString, QString> before = stored_look(h.file.path());
        h.choosers.fonts.push_back(FontChoice{QStringLiteral("DejaVu Serif"), 10, true, true});
        h.trigger(item);

        QFont shown;
        if (area == QLatin1String("propal")) {
            shown = format_at(h.propal(), 0).font();
            QCOMPARE(h.propal()->currentCharFormat().fontPointSize(), 10.0);
        } else {
            shown = h.find<QWidget>(area)->font();
        }
        QCOMPARE(shown.families().value(0), QStringLiteral("DejaVu Serif"));
        QCOMPARE(shown.pointSizeF(), 10.0);
        QVERIFY(shown.bold());
        QVERIFY(shown.italic());

        QMap<QString, QString> expected = before;
        expected[QStringLiteral("font_name_") + area] = QStringLiteral("DejaVu Serif");
        expected[QStringLiteral("font_size_") + area] = QStringLiteral("10");
        expected[QStringLiteral("font_bold_") + area] = QStringLiteral("1");
        expected[QStringLiteral("font_italic_") + area] = QStringLiteral("1");
        QCOMPARE(stored_look(h.file.path()), expected);
    }

    void a_font_on_an_empty_editor_is_kept_for_what_is_typed() {
        WindowHarness h;
        h.propal()->clear();
        h.choosers.fonts.push_back(FontChoice{QStringLiteral("DejaVu Sans"), 18, false, true});
        h.trigger(QStringLiteral("mnu_font_propal"));
        h.propal()->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(h.propal(), QStringLiteral("A"));
        QCOMPARE(format_at(h.propal(), 0).fontPointSize(), 18.0);
        QVERIFY(format_at(h.propal(), 0).fontItalic());
    }

    void a_colour_chooser_opens_on_the_colour_being_changed_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QColor>("designed");
        QTest::newRow("fond ref") << "mnu_fond_ref" << QColor(255, 255, 192);
        QTest::newRow("fond trouvé") << "mnu_fond_trouvé" << QColor(192, 255, 255);
        QTest::newRow("fond lettres") << "mnu_fond_lettres" << QColor(192, 255, 192);
        QTest::newRow("fond propal")
            << "mnu_fond_propal" << QApplication::palette().color(QPalette::Base);
        QTest::newRow("police ref")
            << "mnu_police_ref" << QApplication::palette().color(QPalette::Text);
        QTest::newRow("police propal")
            << "mnu_police_propal" << QApplication::palette().color(QPalette::Text);
    }
    void a_colour_chooser_opens_on_the_colour_being_changed() {
        QFETCH(QString, item);
        QFETCH(QColor, designed);
        WindowHarness h;
        h.choosers.colours.push_back(colour_value(QColor(12, 34, 56)));
        h.trigger(item);
        QCOMPARE(h.choosers.opened_on_colour, designed);
        // A choice made for another look of the area is not offered here.
        h.choosers.colours.push_back(colour_value(QColor(1, 2, 3)));
        h.trigger(item.contains(QStringLiteral("fond")) ? QStringLiteral("mnu_police_lettres")
                                                        : QStringLiteral("mnu_fond_lettres"));
        h.trigger(item);  // a cancel
        QCOMPARE(h.choosers.opened_on_colour, QColor(12, 34, 56));
    }

    void a_font_chooser_opens_on_the_area_font_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("ref") << "mnu_font_ref";
        QTest::newRow("soluce") << "mnu_font_soluce";
        QTest::newRow("lettres") << "mnu_font_lettres";
        QTest::newRow("propal") << "mnu_font_propal";
    }
    void a_font_chooser_opens_on_the_area_font() {
        QFETCH(QString, item);
        WindowHarness h;
        h.choosers.fonts.push_back(FontChoice{QStringLiteral("DejaVu Serif"), 20, true, true});
        h.trigger(item);
        QCOMPARE(h.choosers.opened_on_font.families(), design::text_font().families());
        QCOMPARE(h.choosers.opened_on_font.pointSizeF(), 14.25);
        QVERIFY(!h.choosers.opened_on_font.bold());

        h.choosers.fonts.push_back(FontChoice{QStringLiteral("DejaVu Sans"), 9, false, false});
        h.trigger(item == QStringLiteral("mnu_font_ref") ? QStringLiteral("mnu_font_lettres")
                                                         : QStringLiteral("mnu_font_ref"));
        h.trigger(item);  // a cancel
        const QFont offered = h.choosers.opened_on_font;
        QCOMPARE(offered.families().value(0), QStringLiteral("DejaVu Serif"));
        QCOMPARE(offered.pointSizeF(), 20.0);
        QVERIFY(offered.bold());
        QVERIFY(offered.italic());
    }

    void a_cancel_changes_nothing() {
        WindowHarness h;
        const QMap<QString, QString> before = stored_look(h.file.path());
        const QColor background = h.ref()->palette().color(QPalette::Base);
        const QFont font = h.soluce()->font();
        h.trigger(QStringLiteral("mnu_fond_ref"));     // no colour scripted: a cancel
        h.trigger(QStringLiteral("mnu_font_soluce"));  // no font scripted: a cancel
        QCOMPARE(h.choosers.openings, 2);
        QCOMPARE(h.ref()->palette().color(QPalette::Base), background);
        QCOMPARE(h.soluce()->font(), font);
        QCOMPARE(stored_look(h.file.path()), before);
    }

    void a_stored_choice_comes_back_after_a_restart() {
        PageFile file;
        for (int run = 0; run < 2; ++run) {
            OpenWindow w(file.path());
            auto* ref = w.window->findChild<QWidget*>(QStringLiteral("ref"));
            if (run == 0) {
                w.choosers.colours.push_back(colour_value(QColor(9, 8, 7)));
                w.window->findChild<QAction*>(QStringLiteral("mnu_fond_ref"))->trigger();
            } else {
                QCOMPARE(ref->palette().color(QPalette::Base), QColor(9, 8, 7));
            }
        }
    }

    void the_look_of_the_three_boxes_leaves_the_saved_marker() {
        WindowHarness h;
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        h.click(QStringLiteral("record"));
        h.choosers.colours.push_back(colour_value(Qt::red));
        h.trigger(QStringLiteral("mnu_police_ref"));
        h.choosers.fonts.push_back(FontChoice{QStringLiteral("DejaVu Sans"), 12, false, false});
        h.trigger(QStringLiteral("mnu_font_lettres"));
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));
    }

    void a_look_the_file_refuses_is_reported() {
        PageFile file;
        OpenWindow w(made_file(file), /*read_only=*/true);
        QVERIFY(w.database.is_open());
        w.choosers.colours.push_back(colour_value(Qt::blue));
        w.window->findChild<QAction*>(QStringLiteral("mnu_fond_lettres"))->trigger();
        QCOMPARE(w.boxes.shown.size(), std::size_t{1});
        QCOMPARE(w.boxes.shown[0].icon, MessageIcon::Exclamation);
        // The first line once, then the reason in French.
        QCOMPARE(w.boxes.shown[0].text,
                 QStringLiteral("Le choix de couleur ou de police n'a pas été enregistré.") +
                     QChar(13) + QStringLiteral("Raison : le fichier est en lecture seule"));
    }

    void chooser_sizes_round_to_whole_points_data() {
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("whole");
        QTest::newRow("10.5 to even") << 10.5 << 10;
        QTest::newRow("11.5 to even") << 11.5 << 12;
        QTest::newRow("12.25 down") << 12.25 << 12;
        QTest::newRow("12.75 up") << 12.75 << 13;
        QTest::newRow("whole") << 14.0 << 14;
        QTest::newRow("below one") << 0.4 << 1;
    }
    void chooser_sizes_round_to_whole_points() {
        QFETCH(double, points);
        QFETCH(int, whole);
        QCOMPARE(whole_points(points), whole);
    }

    void colours_are_red_plus_256_green_plus_65536_blue() {
        QCOMPARE(colour_value(QColor(255, 255, 192)), 255 + 256 * 255 + 65536 * 192);
        QCOMPARE(colour_from_value(255 + 256 * 128 + 65536 * 1), QColor(255, 128, 1));
        QCOMPARE(colour_from_value(colour_value(QColor(7, 200, 99))), QColor(7, 200, 99));
    }
};

QTEST_MAIN(AppearanceMenusTest)
#include "test_appearance_menus.moc"
