#include "report/forum_message.h"
#include "ui/widgets/transient_notice.h"
#include "window_harness.h"

#include <QMenu>
#include <QMenuBar>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

// LE CHAT against LU THON reveals L and H.
const QString kFoundAfterLuThon = QStringLiteral("L* *H**");

void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(target, key, modifiers);
}

QWidget* control(WindowHarness& h, const QString& name) {
    return h.find<QWidget>(name);
}

void start_le_chat(WindowHarness& h) {
    h.type_into(h.ref(), QStringLiteral("le chat"));
    h.click(QStringLiteral("init"));
}

// The notice's text while it shows; empty when it does not.
QString notice_shown(WindowHarness& h) {
    TransientNotice* notice = h.window->notice();
    return notice->isVisible() ? notice->text() : QString();
}

}  // namespace

// The keyboard reaches every action of a turn, buttons show where the focus is, and the
// window says in a short notice what a save, a copy and a winning turn did.
class KeysAndNoticesTest : public QObject {
    Q_OBJECT

  private slots:
    void menus_open_from_their_mnemonics_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<QString>("menu");  // empty: the item "Version" of the bar
        QTest::newRow("Alt+F") << Qt::Key_F << "menu_Fichier";
        QTest::newRow("Alt+C") << Qt::Key_C << "mnu_couleur";
        QTest::newRow("Alt+V") << Qt::Key_V << "";
    }
    void menus_open_from_their_mnemonics() {
        QFETCH(Qt::Key, key);
        QFETCH(QString, menu);
        WindowHarness h;
        h.ref()->setFocus(Qt::OtherFocusReason);
        press(h.ref(), key, Qt::AltModifier);
        if (menu.isEmpty()) {
            QCOMPARE(h.boxes.shown.size(), std::size_t{1});
            QCOMPARE(h.boxes.shown[0].icon, MessageIcon::None);
            QVERIFY(h.boxes.shown[0].text.contains(PuzzleGame::version()));
            return;
        }
        auto* opened = h.find<QMenu>(menu);
        QTRY_VERIFY(opened->isVisible());
        for (const QString& other : {QStringLiteral("menu_Fichier"), QStringLiteral("mnu_couleur"),
                                     QStringLiteral("mnu_partie")}) {
            QCOMPARE(h.find<QMenu>(other)->isVisible(), other == menu);
        }
        QVERIFY(h.boxes.shown.empty());
        opened->close();
    }

    void ctrl_enter_plays_the_proposal_from_anywhere_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        const Qt::KeyboardModifiers keypad = Qt::ControlModifier | Qt::KeypadModifier;
        for (const char* focus : {"propal", "ref", "lettres", "soluce", "bt_copier", "init"}) {
            QTest::addRow("%s Ctrl+Return", focus) << focus << Qt::Key_Return << ctrl;
            QTest::addRow("%s Ctrl+Enter", focus) << focus << Qt::Key_Enter << keypad;
        }
    }
    void ctrl_enter_plays_the_proposal_from_anywhere() {
        QFETCH(QString, focus);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        WindowHarness h;
        start_le_chat(h);
        // Typed in small letters and not yet cleaned: leaving the editor cleans it first.
        h.type_into(h.propal(), QStringLiteral("lu thon"));
        QWidget* target = control(h, focus);
        target->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(target->hasFocus());
        press(target, key, modifiers);
        QCOMPARE(h.soluce()->text(), kFoundAfterLuThon);
        QCOMPARE(h.window->found_count(), QStringLiteral("2"));
        QCOMPARE(h.window->game().journal().current_game().turns.size(), std::size_t{1});
        QVERIFY(h.boxes.shown.empty());
        // Plain Return is no turn: in the editor it is a line, on a button its own click.
        h.propal()->setFocus(Qt::OtherFocusReason);
        press(h.propal(), Qt::Key_Return, Qt::NoModifier);
        QCOMPARE(h.window->game().journal().current_game().turns.size(), std::size_t{1});
    }

    void a_key_copies_the_forum_post_from_any_box_data() {
        QTest::addColumn<QString>("focus");
        for (const char* focus : {"propal", "ref", "soluce", "lettres", "Générer"}) {
            QTest::newRow(focus) << focus;
        }
    }
    void a_key_copies_the_forum_post_from_any_box() {
        QFETCH(QString, focus);
        WindowHarness h;
        h.play_le_chat();
        h.clipboard.held.clear();
        const int writes = h.clipboard.writes;
        QWidget* target = control(h, focus);
        target->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(target->hasFocus());
        press(target, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(h.clipboard.writes, writes + 1);
        QCOMPARE(h.clipboard.held,
                 build_forum_message(kFoundAfterLuThon, 2, 4, QStringLiteral("A C E T ")));
        QVERIFY(h.button(QStringLiteral("bt_copier"))
                    ->toolTip()
                    .contains(QStringLiteral("Ctrl+Maj+C")));
        QCOMPARE(notice_shown(h), QStringLiteral("Message copié"));
    }

    void the_focused_button_shows_a_clear_frame_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"init", "record", "bt_copier", "Générer", "quit", "Command1"}) {
            QTest::newRow(name) << name;
        }
    }
    void the_focused_button_shows_a_clear_frame() {
        QFETCH(QString, name);
        WindowHarness h;
        QPushButton* button = h.button(name);
        const QColor highlight = button->palette().color(QPalette::Active, QPalette::Highlight);
        const auto frame_pixels = [&] {
            const QImage image = button->grab().toImage();
            const int w = image.width();
            const int height = image.height();
            // Both rows and columns of the frame, on each of the four sides.
            const QPoint points[] = {{w / 2, 1},          {w / 2, 2},         {w / 2, height - 2},
                                     {w / 2, height - 3}, {1, height / 2},    {2, height / 2},
                                     {w - 2, height / 2}, {w - 3, height / 2}};
            int matching = 0;
            for (const QPoint& p : points) {
                matching += image.pixelColor(p).rgb() == highlight.rgb() ? 1 : 0;
            }
            return matching;
        };
        h.ref()->setFocus(Qt::OtherFocusReason);
        QVERIFY(frame_pixels() < 8);
        button->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(button->hasFocus());
        QCOMPARE(frame_pixels(), 8);
    }

    void a_save_a_copy_and_a_win_are_said_in_a_notice_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QStringList>("proposals");
        QTest::addColumn<QString>("button");  // clicked after the proposals
        QTest::addColumn<QString>("notice");
        QTest::newRow("save") << "le chat" << QStringList{"lu thon"} << "record"
                              << "Page enregistrée";
        QTest::newRow("copy") << "le chat" << QStringList{"lu thon"} << "bt_copier"
                              << "Message copié";
        QTest::newRow("won in one turn") << "le chat" << QStringList{"le chat"} << ""
                                         << "Partie gagnée en 1 tour";
        QTest::newRow("won in three turns")
            << "le chat" << QStringList{"lu thon", "la chut", "le chat"} << ""
            << "Partie gagnée en 3 tours";
        QTest::newRow("a turn that does not win") << "le chat" << QStringList{"lu thon"} << ""
                                                  << "";
        QTest::newRow("a save refused") << "" << QStringList{} << "record"
                                        << "";
    }
    void a_save_a_copy_and_a_win_are_said_in_a_notice() {
        QFETCH(QString, reference);
        QFETCH(QStringList, proposals);
        QFETCH(QString, button);
        QFETCH(QString, notice);
        WindowHarness h;
        if (reference.isEmpty()) {
            h.window->set_reference({});  // the save is refused with its box
        } else {
            h.type_into(h.ref(), reference);
            h.click(QStringLiteral("init"));
        }
        for (const QString& proposal : proposals) {
            h.type_into(h.propal(), proposal);
            h.click(QStringLiteral("Générer"));
        }
        if (!button.isEmpty()) {
            h.click(button);
        }
        QCOMPARE(notice_shown(h), notice);
        // A notice has no box to close: no box opened but the refusal's.
        QCOMPARE(h.boxes.shown.size(), std::size_t{reference.isEmpty() ? 1u : 0u});
    }

    void the_main_window_offers_no_maximise_button() {
        WindowHarness h;
        const Qt::WindowFlags flags = h.window->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QCOMPARE(h.window->minimumSize(), h.window->maximumSize());
    }
};

QTEST_MAIN(KeysAndNoticesTest)
#include "test_keys_and_notices.moc"
