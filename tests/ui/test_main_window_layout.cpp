#include "ui/widgets/twips.h"
#include "ui/widgets/window_design.h"
#include "window_harness.h"

#include <QMenu>
#include <QMenuBar>

using namespace vorlo;
using namespace vorlo::testing;

// The designed window by what it promises: a fixed client area, the controls in their
// arrangement (captions over their areas, counters right of their captions, the buttons in a
// row along the bottom), the tab order and the menus. That every control stands inside the
// client area, overlaps no other and shows its caption whole is test_captions_fit's.
class MainWindowLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void the_controls_keep_their_arrangement() {
        WindowHarness h;
        QWidget* client = h.window->centralWidget();
        QCOMPARE(client->size(), twips_size(15540, 9795));
        QCOMPARE(h.window->minimumSize(), h.window->maximumSize());
        QCOMPARE(h.window->objectName(), QStringLiteral("Form1"));
        const auto at = [&](const char* name) {
            QWidget* control = h.find<QWidget>(QString::fromUtf8(name));
            return control ? control->geometry() : QRect();
        };
        // Anchors: the reference area and the row of buttons.
        QCOMPARE(at("ref"), twips_rect(120, 720, 5000, 6255));
        QCOMPARE(at("init").topLeft(), twips_rect(480, 9240, 0, 0).topLeft());
        // The captions over their areas, the tall areas side by side and alike in height.
        for (const auto& [caption, area] :
             {std::pair{"Label1", "ref"}, {"Label3", "soluce"}, {"Label2", "propal"}}) {
            QCOMPARE(at(caption).left(), at(area).left());
            QVERIFY2(at(caption).bottom() < at(area).top(), caption);
            QCOMPARE(at(caption).top(), at("Label1").top());
            QCOMPARE(at(area).top(), at("ref").top());
            QCOMPARE(at(area).height(), at("ref").height());
        }
        QVERIFY(at("ref").right() < at("soluce").left());
        QVERIFY(at("soluce").right() < at("propal").left());
        // Under ref and soluce: Label6 over the wide box lettres, which spans both.
        QCOMPARE(at("Label6").left(), at("lettres").left());
        QVERIFY(at("soluce").bottom() < at("Label6").top());
        QVERIFY(at("Label6").bottom() < at("lettres").top());
        QVERIFY(at("lettres").right() >= at("soluce").right());
        // Under propal, right of lettres: Command1, then each counter right of its caption.
        for (const char* name : {"Command1", "Label5", "Label4"}) {
            QVERIFY2(at(name).left() > at("lettres").right(), name);
            QVERIFY2(at(name).top() > at("propal").bottom(), name);
        }
        QVERIFY(at("Command1").bottom() < at("Label5").top());
        QVERIFY(at("Label5").bottom() < at("Label4").top());
        for (const auto& [caption, counter] :
             {std::pair{"Label5", "lettres_trouvées"}, {"Label4", "lettres_restantes"}}) {
            QVERIFY2(at(caption).right() < at(counter).left(), counter);
            QVERIFY2(at(counter).contains(QPoint(at(counter).left(), at(caption).center().y())),
                     counter);
        }
        // Along the bottom edge, below everything else, from left to right.
        const QStringList row = {"init", "record", "bt_copier", "Générer", "quit"};
        for (int i = 0; i < row.size(); ++i) {
            const QRect button = at(row[i].toUtf8());
            QCOMPARE(button.top(), at("init").top());
            QVERIFY(button.top() > at("lettres").bottom());
            QVERIFY(i == 0 || at(row[i - 1].toUtf8()).right() < button.left());
        }
    }

    void the_controls_have_their_designed_captions_and_look() {
        WindowHarness h;
        const QList<QPair<QString, QString>> captions = {
            {"Label1", "Texte de référence  (600 car. maxi)"},
            {"Label2", "Texte proposé"},
            {"Label3", "Texte trouvé"},
            {"Label4", "Lettres restantes"},
            {"Label5", "Lettres trouvées"},
            {"Label6", "Lettres restantes"},
            {"lettres_restantes", "0"},
            {"lettres_trouvées", "0"},
            {"record", "Enregistrer"},
            {"Générer", "Générer"},
            {"quit", "Quitter"},
            {"init", "Initialiser"},
            {"Command1", "Effacer texte ci-dessus"},
            {"bt_copier", "Copier"}};
        for (const auto& [name, caption] : captions) {
            QWidget* control = h.find<QWidget>(name);
            QVERIFY2(control, qPrintable(name));
            if (auto* label = qobject_cast<QLabel*>(control)) {
                QCOMPARE(label->text(), caption);
                QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            } else {
                QCOMPARE(qobject_cast<QPushButton*>(control)->text(), caption);
            }
        }
        QVERIFY(h.soluce()->isReadOnly());
        QVERIFY(!h.ref()->isReadOnly() && !h.lettres()->isReadOnly());
        QCOMPARE(h.ref()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(h.soluce()->focusPolicy(), Qt::StrongFocus);
        const QLabel* counter = h.find<QLabel>(QStringLiteral("lettres_restantes"));
        QCOMPARE(counter->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(counter->font().pointSizeF(), 15.0);
        QCOMPARE(design::text_families().value(0), QStringLiteral("Courier New"));
        QCOMPARE(design::label_families().value(0), QStringLiteral("MS Sans Serif"));
        QCOMPARE(h.button(QStringLiteral("record"))->font().families(),
                 design::label_font().families());
    }

    void tab_follows_the_designed_order() {
        WindowHarness h;
        const QStringList order = {"ref",  "soluce", "lettres",  "record",    "Générer",
                                   "quit", "init",   "Command1", "bt_copier", "propal"};
        QWidget* at = h.ref();
        for (int i = 1; i <= order.size(); ++i) {
            at = at->nextInFocusChain();
            while (at->focusPolicy() == Qt::NoFocus || !at->isVisible()) {
                at = at->nextInFocusChain();
            }
            QCOMPARE(at->objectName(), order[i % order.size()]);
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
        // A filler item does nothing.
        h.window->set_proposal(QStringLiteral("LE CHAT"));
        for (const char* item : {"filler", "filler2", "Filler4"}) {
            h.trigger(QString::fromUtf8(item));
        }
        QVERIFY(h.boxes.shown.empty());
        QCOMPARE(h.choosers.openings, 0);
        QCOMPARE(h.exit.ends, 0);
        QCOMPARE(h.window->proposal(), QStringLiteral("LE CHAT"));
    }

    void the_reference_is_cleaned_when_the_focus_moves_on_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Qt::FocusReason>("reason");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("line break")
            << "  bonjour\r\nà tous  " << Qt::TabFocusReason << "BONJOUR À TOUS";
        QTest::newRow("blanks only") << "    " << Qt::TabFocusReason << "";
        QTest::newRow("one line break") << "\r\n" << Qt::TabFocusReason << " ";
        QTest::newRow("two line breaks") << "A\r\n\r\nB" << Qt::TabFocusReason << "A  B";
        QTest::newRow("œ") << "cœur" << Qt::TabFocusReason << "CŒUR";
        QTest::newRow("empty") << "" << Qt::TabFocusReason << "";
        QTest::newRow("to a menu") << "  abc " << Qt::PopupFocusReason << "  abc ";
    }
    void the_reference_is_cleaned_when_the_focus_moves_on() {
        QFETCH(QString, typed);
        QFETCH(Qt::FocusReason, reason);
        QFETCH(QString, cleaned);
        WindowHarness h;
        h.ref()->setFocus(Qt::MouseFocusReason);
        h.window->set_reference(typed);
        h.soluce()->setFocus(reason);
        QCOMPARE(h.window->reference(), cleaned);
        QCOMPARE(h.window->saved_marker(), QString());
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "test_main_window_layout.moc"
