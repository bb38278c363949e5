#include "ui/widgets/twips.h"
#include "ui/widgets/window_design.h"
#include "window_harness.h"

#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace vorlo;
using namespace vorlo::testing;

// The designed window: every control by name, in place, with its caption, and the menus.
class MainWindowLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void every_control_stands_in_its_place_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");  // left, top, width, height
        const auto row = [](const char* name, const char* caption, QRect r) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(caption) << r;
        };
        row("Label1", "Texte de référence  (600 car. maxi)", {120, 240, 3660, 300});
        row("ref", "", {120, 720, 5000, 6255});
        row("Label2", "Texte proposé", {10440, 240, 1515, 300});
        row("soluce", "", {5280, 720, 5000, 6255});
        row("Label3", "Texte trouvé", {5280, 240, 1305, 300});
        row("Label4", "Lettres restantes", {11520, 8280, 1815, 300});
        row("lettres", "", {120, 7560, 11055, 1575});
        row("record", "Enregistrer", {2760, 9240, 1575, 375});
        row("Générer", "Générer", {11280, 9240, 1695, 375});
        row("quit", "Quitter", {13440, 9240, 1575, 375});
        row("init", "Initialiser", {480, 9240, 1575, 375});
        row("lettres_restantes", "0", {13680, 8250, 495, 375});
        row("Command1", "Effacer texte ci-dessus", {11760, 7080, 3015, 375});
        row("Label5", "Lettres trouvées", {11520, 7800, 1725, 300});
        row("lettres_trouvées", "0", {13680, 7750, 495, 375});
        row("Label6", "Lettres restantes", {120, 7200, 1815, 300});
        row("bt_copier", "Copier", {6120, 9240, 1695, 375});
        row("propal", "", {10440, 720, 4935, 6255});
    }
    void every_control_stands_in_its_place() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        WindowHarness h;
        QWidget* control = h.find<QWidget>(name);
        QVERIFY(control);
        const QRect expected = twips_rect(twips.x(), twips.y(), twips.width(), twips.height());
        QCOMPARE(control->pos(), expected.topLeft());
        QCOMPARE(control->height(), expected.height());
        if (qobject_cast<QLabel*>(control)) {
            // A label may be wider than designed when the look-alike font is wider.
            QVERIFY(control->width() >= expected.width());
            QCOMPARE(static_cast<QLabel*>(control)->text(), caption);
            QCOMPARE(control->focusPolicy(), Qt::NoFocus);
        } else {
            QCOMPARE(control->width(), expected.width());
        }
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), caption);
        }
    }

    void the_window_has_a_fixed_client_area() {
        WindowHarness h;
        QWidget* client = h.window->centralWidget();
        QCOMPARE(client->size(), QSize(1036, 653));
        QCOMPARE(h.window->minimumSize(), h.window->maximumSize());
        QCOMPARE(h.window->objectName(), QStringLiteral("Form1"));
    }

    void the_boxes_have_their_designed_look() {
        WindowHarness h;
        QVERIFY(h.soluce()->isReadOnly());
        QVERIFY(!h.ref()->isReadOnly());
        QVERIFY(!h.lettres()->isReadOnly());
        QCOMPARE(h.ref()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(h.soluce()->focusPolicy(), Qt::StrongFocus);
        const QLabel* counter = h.find<QLabel>(QStringLiteral("lettres_restantes"));
        QCOMPARE(counter->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(counter->font().pointSizeF(), 15.0);
        QCOMPARE(h.find<QLabel>(QStringLiteral("Label1"))->font().families(),
                 design::label_font().families());
        QCOMPARE(h.find<QPushButton>(QStringLiteral("record"))->font().families(),
                 design::label_font().families());
    }

    // The designed fonts are looked up once among the installed families: each area shows
    // what the toolkit itself picks for the designed list, "Courier New" or "MS Sans Serif"
    // first, and the controls of one look share one font.
    void the_designed_fonts_are_those_the_toolkit_picks_data() {
        QTest::addColumn<QStringList>("designed");
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QString>("first");
        QTest::newRow("text") << design::text_families() << design::text_font() << "Courier New";
        QTest::newRow("labels") << design::label_families() << design::label_font()
                                << "MS Sans Serif";
        QTest::newRow("counters") << design::label_families() << design::label_font(15)
                                  << "MS Sans Serif";
    }

    void the_designed_fonts_are_those_the_toolkit_picks() {
        QFETCH(QStringList, designed);
        QFETCH(QFont, font);
        QFETCH(QString, first);
        QCOMPARE(designed.value(0), first);
        QFont asked = font;
        asked.setFamilies(designed);
        QCOMPARE(QFontInfo(font).family(), QFontInfo(asked).family());
        QCOMPARE(QFontInfo(font).pointSizeF(), QFontInfo(asked).pointSizeF());
    }

    void tab_follows_the_designed_order() {
        WindowHarness h;
        const QStringList order = {"ref",  "soluce", "lettres",  "record",    "Générer",
                                   "quit", "init",   "Command1", "bt_copier", "propal"};
        QWidget* at = h.ref();
        for (int i = 1; i < order.size(); ++i) {
            at = at->nextInFocusChain();
            while (at->focusPolicy() == Qt::NoFocus || !at->isVisible()) {
                at = at->nextInFocusChain();
            }
            QCOMPARE(at->objectName(), order[i]);
        }
    }

    void the_menus_hold_their_items_in_order() {
        WindowHarness h;
        const QString filler = QStringLiteral("--------------------");
        const QList<QPair<QString, QString>> file = {
            {"menu_delete", "Effacer les données de la page"},
            {"filler", filler},
            {"menu_quit", "Quitter"}};
        const QList<QPair<QString, QString>> looks = {
            {"mnu_fond_ref", "Couleur du fond de référence"},
            {"mnu_fond_trouvé", "Couleur du fond du texte trouvé"},
            {"mnu_fond_propal", "Couleur du fond de la proposition"},
            {"mnu_fond_lettres", "Couleur du fond des lettres restantes"},
            {"filler2", filler},
            {"mnu_police_ref", "Couleur police de référence"},
            {"mnu_police_trouvé", "Couleur police texte trouvé"},
            {"mnu_police_propal", "Couleur police de la proposition"},
            {"mnu_police_lettres", "Couleur police lettres restantes"},
            {"Filler4", filler},
            {"mnu_font_ref", "Police du texte de référence"},
            {"mnu_font_soluce", "Police du texte trouvé"},
            {"mnu_font_propal", "Police du texte de la proposition"},
            {"mnu_font_lettres", "Police des lettres restantes"}};
        const QList<QAction*> bar = h.window->menuBar()->actions();
        // The menu "Partie" stands between the designed menus and "Version".
        QCOMPARE(bar.size(), 4);
        // The captions read as designed; each has its mnemonic, underlined, for Alt.
        const std::pair<QString, QKeySequence> shown[] = {
            {QStringLiteral("Fichier"), QKeySequence(Qt::ALT | Qt::Key_F)},
            {QStringLiteral("Couleurs  et  Police"), QKeySequence(Qt::ALT | Qt::Key_C)},
            {QStringLiteral("Partie"), QKeySequence(Qt::ALT | Qt::Key_P)},
            {QStringLiteral("Version"), QKeySequence(Qt::ALT | Qt::Key_V)}};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(QString(bar[i]->text()).remove(QLatin1Char('&')), shown[i].first);
            QCOMPARE(QKeySequence::mnemonic(bar[i]->text()), shown[i].second);
        }
        QCOMPARE(bar[0]->menu()->objectName(), QStringLiteral("menu_Fichier"));
        QCOMPARE(bar[1]->menu()->objectName(), QStringLiteral("mnu_couleur"));
        QCOMPARE(bar[2]->menu()->objectName(), QStringLiteral("mnu_partie"));
        QCOMPARE(bar[3]->objectName(), QStringLiteral("mnu_version"));
        QVERIFY(!bar[3]->menu());
        for (const auto& [menu, items] :
             {std::pair{bar[0]->menu(), file}, std::pair{bar[1]->menu(), looks}}) {
            const QList<QAction*> actions = menu->actions();
            QCOMPARE(actions.size(), items.size());
            for (int i = 0; i < items.size(); ++i) {
                QCOMPARE(actions[i]->objectName(), items[i].first);
                QCOMPARE(actions[i]->text(), items[i].second);
            }
        }
    }

    void a_filler_item_does_nothing() {
        WindowHarness h;
        h.window->set_proposal(QStringLiteral("LE CHAT"));
        const QString title = h.window->windowTitle();
        for (const QString& filler :
             {QStringLiteral("filler"), QStringLiteral("filler2"), QStringLiteral("Filler4")}) {
            h.trigger(filler);
        }
        QVERIFY(h.boxes.shown.empty());
        QCOMPARE(h.choosers.openings, 0);
        QCOMPARE(h.exit.ends, 0);
        QCOMPARE(h.window->proposal(), QStringLiteral("LE CHAT"));
        QCOMPARE(h.window->windowTitle(), title);
    }

    void the_reference_is_cleaned_when_the_focus_moves_on_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("line break") << "  bonjour\r\nà tous  "
                                    << "BONJOUR À TOUS";
        QTest::newRow("blanks only") << "    "
                                     << "";
        QTest::newRow("one line break") << "\r\n"
                                        << " ";
        QTest::newRow("two line breaks") << "A\r\n\r\nB"
                                         << "A  B";
        QTest::newRow("œ") << "cœur"
                           << "CŒUR";
    }
    void the_reference_is_cleaned_when_the_focus_moves_on() {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        WindowHarness h;
        h.ref()->setFocus(Qt::MouseFocusReason);
        h.window->set_reference(typed);
        h.soluce()->setFocus(Qt::TabFocusReason);
        QCOMPARE(h.window->reference(), cleaned);
    }

    void an_empty_reference_and_a_menu_leave_the_text_alone() {
        WindowHarness h;
        h.ref()->setFocus(Qt::MouseFocusReason);
        h.window->set_reference(QStringLiteral("  abc "));
        h.soluce()->setFocus(Qt::PopupFocusReason);
        QCOMPARE(h.window->reference(), QStringLiteral("  abc "));
        h.ref()->setFocus(Qt::MouseFocusReason);
        h.window->set_reference(QString());
        h.soluce()->setFocus(Qt::TabFocusReason);
        QCOMPARE(h.window->reference(), QString());
        QCOMPARE(h.window->saved_marker(), QString());
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "test_main_window_layout.moc"
