#include "../storage/storage_test_support.h"
#include "storage/storage_messages.h"
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

QFont shown_font(const WindowHarness& h, const QString& area) {
    return area == QLatin1String("propal") ? format_at(h.propal(), 0).font()
                                           : h.find<QWidget>(area)->font();
}

}  // namespace

// The twelve items of "Couleurs  et  Police": the chooser opens on what the area shows, the
// choice is shown at once and stored at once in the fields of that area alone.
class AppearanceMenusTest : public QObject {
    Q_OBJECT

  private slots:
    void an_item_changes_its_area_and_stores_its_fields_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("area");
        QTest::addColumn<int>("role");  // -1: a font
        QTest::addColumn<QString>("field");
        QTest::addColumn<QColor>("designed");
        const QColor base = QApplication::palette().color(QPalette::Base);
        const QColor text = QApplication::palette().color(QPalette::Text);
        const auto row = [](const char* item, const char* area, int role, const char* field,
                            const QColor& designed) {
            QTest::newRow(item) << QString::fromUtf8(item) << QString::fromUtf8(area) << role
                                << QString::fromUtf8(field) << designed;
        };
        row("mnu_fond_ref", "ref", QPalette::Base, "fond_ref", QColor(255, 255, 192));
        row("mnu_fond_trouvé", "soluce", QPalette::Base, "fond_soluce", QColor(192, 255, 255));
        row("mnu_fond_propal", "propal", QPalette::Base, "fond_propal", base);
        row("mnu_fond_lettres", "lettres", QPalette::Base, "fond_lettres", QColor(192, 255, 192));
        row("mnu_police_ref", "ref", QPalette::Text, "police_ref", text);
        row("mnu_police_trouvé", "soluce", QPalette::Text, "police_soluce", text);
        row("mnu_police_lettres", "lettres", QPalette::Text, "police_lettres", text);
        row("mnu_font_ref", "ref", -1, "ref", {});
        row("mnu_font_soluce", "soluce", -1, "soluce", {});
        row("mnu_font_lettres", "lettres", -1, "lettres", {});
        row("mnu_font_propal", "propal", -1, "propal", {});
    }
    void an_item_changes_its_area_and_stores_its_fields() {
        QFETCH(QString, item);
        QFETCH(QString, area);
        QFETCH(int, role);
        QFETCH(QString, field);
        QFETCH(QColor, designed);
        WindowHarness h;
        QMap<QString, QString> expected = stored_look(h.file.path());
        if (role >= 0) {
            h.choosers.colours.push_back(colour_value(QColor(12, 34, 56)));
            h.trigger(item);
            QCOMPARE(h.choosers.opened_on_colour, designed);
            QCOMPARE(h.find<QWidget>(area)->palette().color(QPalette::ColorRole(role)),
                     QColor(12, 34, 56));
            expected[field] = QStringLiteral("3678732");
        } else {
            h.choosers.fonts.push_back(FontChoice{QStringLiteral("DejaVu Serif"), 10, true, true});
            h.trigger(item);
            QCOMPARE(h.choosers.opened_on_font.families(), design::text_font().families());
            QCOMPARE(h.choosers.opened_on_font.pointSizeF(), 14.25);
            QVERIFY(!h.choosers.opened_on_font.bold());
            const QFont shown = shown_font(h, area);
            QCOMPARE(shown.families().value(0), QStringLiteral("DejaVu Serif"));
            QCOMPARE(shown.pointSizeF(), 10.0);
            QVERIFY(shown.bold() && shown.italic());
            for (const char* prefix : {"font_name_", "font_size_", "font_bold_", "font_italic_"}) {
                expected[QString::fromUtf8(prefix) + area] = QStringLiteral("1");
            }
            expected[QStringLiteral("font_name_") + area] = QStringLiteral("DejaVu Serif");
            expected[QStringLiteral("font_size_") + area] = QStringLiteral("10");
        }
        QCOMPARE(stored_look(h.file.path()), expected);
        QVERIFY(h.boxes.shown.empty());

        // Another item's choice is not offered here; a cancel changes nothing.
        h.choosers.colours.push_back(colour_value(QColor(1, 2, 3)));
        h.choosers.fonts.push_back(FontChoice{QStringLiteral("DejaVu Sans"), 9, false, false});
        h.trigger(item.contains(QStringLiteral("fond")) ? QStringLiteral("mnu_police_lettres")
                                                        : QStringLiteral("mnu_fond_lettres"));
        h.trigger(item.endsWith(QStringLiteral("_ref")) ? QStringLiteral("mnu_font_lettres")
                                                        : QStringLiteral("mnu_font_ref"));
        expected = stored_look(h.file.path());
        h.trigger(item);
        QCOMPARE(stored_look(h.file.path()), expected);
        if (role >= 0) {
            QCOMPARE(h.choosers.opened_on_colour, QColor(12, 34, 56));
            QCOMPARE(h.find<QWidget>(area)->palette().color(QPalette::ColorRole(role)),
                     QColor(12, 34, 56));
        } else {
            QCOMPARE(h.choosers.opened_on_font.families().value(0), QStringLiteral("DejaVu Serif"));
            QCOMPARE(h.choosers.opened_on_font.pointSizeF(), 10.0);
            QVERIFY(h.choosers.opened_on_font.bold() && h.choosers.opened_on_font.italic());
            QCOMPARE(shown_font(h, area).pointSizeF(), 10.0);
        }
    }

    // In the proposal editor a colour or a font goes to every character and to what is typed
    // next, an empty editor included.
    void the_proposal_look_goes_to_what_is_typed() {
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
                 QStringLiteral("13107200"));

        h.propal()->clear();
        h.choosers.fonts.push_back(FontChoice{QStringLiteral("DejaVu Sans"), 18, false, true});
        h.trigger(QStringLiteral("mnu_font_propal"));
        QCOMPARE(h.propal()->currentCharFormat().fontPointSize(), 18.0);
        h.propal()->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(h.propal(), QStringLiteral("A"));
        QCOMPARE(format_at(h.propal(), 0).fontPointSize(), 18.0);
        QVERIFY(format_at(h.propal(), 0).fontItalic());
    }

    // A choice is kept over a restart, leaves the saved marker alone, and one the file
    // refuses is reported.
    void a_choice_is_stored_apart_from_the_page() {
        PageFile file;
        for (int run = 0; run < 2; ++run) {
            OpenWindow w(made_file(file));
            auto* ref = w.window->findChild<TextBox*>(QStringLiteral("ref"));
            if (run == 0) {
                ref->setPlainText(QStringLiteral("LE CHAT"));
                QTest::mouseClick(w.window->findChild<QPushButton*>(QStringLiteral("record")),
                                  Qt::LeftButton);
                w.choosers.colours.push_back(colour_value(QColor(9, 8, 7)));
                w.window->findChild<QAction*>(QStringLiteral("mnu_fond_ref"))->trigger();
                QCOMPARE(w.window->saved_marker(), QStringLiteral("Y"));
            } else {
                QCOMPARE(ref->palette().color(QPalette::Base), QColor(9, 8, 7));
            }
        }
        OpenWindow w(file.path(), /*read_only=*/true);
        w.choosers.colours.push_back(colour_value(Qt::blue));
        w.window->findChild<QAction*>(QStringLiteral("mnu_fond_lettres"))->trigger();
        QCOMPARE(w.boxes.shown.size(), std::size_t{1});
        QCOMPARE(w.boxes.shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(w.boxes.shown[0].text,
                 storage_messages::appearance_not_stored(storage_messages::read_only_file()));
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
};

QTEST_MAIN(AppearanceMenusTest)
#include "test_appearance_menus.moc"
