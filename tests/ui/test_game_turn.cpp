#include "report/forum_message.h"
#include "ui/main_window/messages.h"
#include "ui/windows/word_mismatch_window.h"
#include "window_harness.h"

using namespace vorlo;
using namespace vorlo::testing;

namespace {

bool is_red(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

// How many pixels of `area` in the image pass the test.
int count_pixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += test(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// The highlight colours a selection is drawn with in this application, focused or not.
std::function<bool(QRgb)> is_highlight() {
    const QPalette palette = QApplication::palette();
    const QRgb active = palette.color(QPalette::Active, QPalette::Highlight).rgb();
    const QRgb inactive = palette.color(QPalette::Inactive, QPalette::Highlight).rgb();
    return [=](QRgb pixel) {
        return (pixel | 0xff000000) == active || (pixel | 0xff000000) == inactive;
    };
}

// The place of the characters from `start` to `end` (counted from 0) in the editor's viewport.
QRect characters_rect(const ProposalEditor* editor, int start, int end) {
    QTextCursor cursor(editor->document());
    cursor.setPosition(start);
    const QRect first = editor->cursorRect(cursor);
    cursor.setPosition(end);
    const QRect last = editor->cursorRect(cursor);
    return QRect(first.topLeft(), last.bottomRight()).adjusted(0, 0, 1, 0);
}

}  // namespace

// A whole turn of the game driven through the window's own controls.
class GameTurnTest : public QObject {
    Q_OBJECT

  private slots:
    void a_click_moves_the_focus_before_the_action() {
        WindowHarness h;
        h.type_into(h.ref(), QStringLiteral("  le chat  "));
        QTest::mouseClick(h.button(QStringLiteral("init")), Qt::LeftButton);
        // Leaving the reference cleaned it before "Initialiser" read it.
        QCOMPARE(h.window->reference(), QStringLiteral("LE CHAT"));
        QCOMPARE(h.window->found_text(), QStringLiteral("** ****"));
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("6"));
    }

    void one_turn_reveals_the_letters_guessed_right_and_copies_the_post() {
        WindowHarness h;
        h.type_into(h.ref(), QStringLiteral("le chat"));
        h.click(QStringLiteral("init"));
        QCOMPARE(h.window->found_text(), QStringLiteral("** ****"));
        QCOMPARE(h.window->proposal(), QString());

        h.type_into(h.propal(), QStringLiteral("lu thon"));
        h.click(QStringLiteral("Générer"));
        QCOMPARE(h.window->proposal(), QStringLiteral("LU THON"));
        QCOMPARE(h.window->found_text(), QStringLiteral("L* *H**"));
        QCOMPARE(h.caption(QStringLiteral("lettres_trouvées")), QStringLiteral("2"));
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("4"));
        QVERIFY(h.boxes.shown.empty());

        h.click(QStringLiteral("bt_copier"));
        QCOMPARE(h.clipboard.held, build_forum_message(QStringLiteral("L* *H**"), 2, 4,
                                                       h.window->remaining_letters()));
        QVERIFY(h.clipboard.held.startsWith(
            QStringLiteral("[font=Courier New][size=5]L* *H**[/size][/font]\r")));
        // Copying again changes nothing and gives the same message.
        const QString first = h.clipboard.held;
        h.click(QStringLiteral("bt_copier"));
        QCOMPARE(h.clipboard.writes, 2);
        QCOMPARE(h.clipboard.held, first);
        QCOMPARE(h.window->found_text(), QStringLiteral("L* *H**"));
    }

    void generating_without_a_puzzle_is_refused_with_its_message() {
        WindowHarness h;
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        h.soluce()->setPlainText(QString());
        h.type_into(h.propal(), QStringLiteral("le chat"));
        h.click(QStringLiteral("Générer"));
        QCOMPARE(h.boxes.shown.size(), std::size_t{1});
        QCOMPARE(h.boxes.shown[0].text, messages::not_initialised());
    }

    void erasing_the_proposal_empties_it_and_moves_the_focus_into_it() {
        WindowHarness h;
        h.type_into(h.propal(), QStringLiteral("abc"));
        h.click(QStringLiteral("Command1"));
        QCOMPARE(h.window->proposal(), QString());
        QVERIFY(h.propal()->hasFocus());
        // Already empty: it stays empty and still takes the focus.
        h.ref()->setFocus(Qt::TabFocusReason);
        h.click(QStringLiteral("Command1"));
        QCOMPARE(h.window->proposal(), QString());
        QVERIFY(h.propal()->hasFocus());
    }

    void a_word_that_does_not_fit_opens_the_modeless_dialog() {
        WindowHarness h;
        start_puzzle(h, QStringLiteral("LES CHAT!"));
        QCOMPARE(h.window->found_text(), QStringLiteral("*** ****!"));
        play(h, QStringLiteral("LES CHATS!"));

        WordMismatchWindow* dialog = h.window->word_mismatch_window();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->objectName(), QStringLiteral("form_message"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Vorlo"));
        QCOMPARE(label(dialog, "err_label_soluce"), QStringLiteral("****"));
        QCOMPARE(label(dialog, "err_label_propal"), QStringLiteral("CHATS"));
        QCOMPARE(label(dialog, "err_label_position"), QStringLiteral("2"));
        // The refusal put the puzzle back as it was.
        QCOMPARE(h.window->found_text(), QStringLiteral("*** ****!"));
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("7"));

        // The main window stays usable while the dialog is open; a second refusal reuses it.
        play(h, QStringLiteral("L CHAT!"));
        QCOMPARE(h.window->word_mismatch_window(), dialog);
        QCOMPARE(label(dialog, "err_label_propal"), QStringLiteral("L"));
        QCOMPARE(label(dialog, "err_label_position"), QStringLiteral("1"));
        QCOMPARE(h.window->found_text(), QStringLiteral("*** ****!"));
    }

    void ok_closes_the_dialog_and_marks_the_word_in_red() {
        WindowHarness h;
        start_puzzle(h, QStringLiteral("LES CHAT!"));
        play(h, QStringLiteral("LES CHATS!"));
        QPointer<WordMismatchWindow> dialog = h.window->word_mismatch_window();
        QVERIFY(dialog);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("bt_non")),
                          Qt::LeftButton);
        QTRY_VERIFY(!dialog);  // closed and destroyed

        const QTextCursor selection = h.propal()->textCursor();
        QCOMPARE(selection.selectionStart(), 4);
        QCOMPARE(selection.selectionEnd(), 9);
        for (int i = 0; i < h.window->proposal().size(); ++i) {
            const bool in_word = i >= 4 && i < 9;
            QCOMPARE(colour_at(h.propal(), i) == QColor(255, 0, 0), in_word);
        }
    }

    void the_marked_word_reads_red_at_once() {
        WindowHarness h;
        start_puzzle(h, QStringLiteral("LES CHAT!"));
        play(h, QStringLiteral("LES CHATS!"));
        QPointer<WordMismatchWindow> dialog = h.window->word_mismatch_window();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("bt_non")),
                          Qt::LeftButton);
        QTRY_VERIFY(!dialog);
        QVERIFY(h.propal()->textCursor().hasSelection());  // the selection stays in place
        QVERIFY(!h.propal()->hasFocus());

        const QRect word = characters_rect(h.propal(), 4, 9);
        QImage shot = h.propal()->viewport()->grab().toImage();
        QVERIFY(count_pixels(shot, word, is_red) > 10);
        QCOMPARE(count_pixels(shot, shot.rect(), is_highlight()), 0);

        // With a selection in the focused reference box, only that box shows a highlight.
        h.window->activateWindow();
        QTRY_VERIFY(h.window->isActiveWindow());
        h.ref()->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(h.ref()->hasFocus());
        QTest::keyClick(h.ref(), Qt::Key_A, Qt::ControlModifier);
        const QImage ref_shot = h.ref()->viewport()->grab().toImage();
        QVERIFY(count_pixels(ref_shot, ref_shot.rect(), is_highlight()) > 10);
        shot = h.propal()->viewport()->grab().toImage();
        QCOMPARE(count_pixels(shot, shot.rect(), is_highlight()), 0);
        QVERIFY(count_pixels(shot, word, is_red) > 10);
    }

    void the_red_of_a_marked_word_stays_on_that_word_data() {
        QTest::addColumn<bool>("typed");
        QTest::newRow("typed") << true;
        QTest::newRow("pasted") << false;
    }
    void the_red_of_a_marked_word_stays_on_that_word() {
        QFETCH(bool, typed);
        WindowHarness h;
        start_puzzle(h, QStringLiteral("LE CHAT!"));
        play(h, QStringLiteral("LES CHAT!"));  // the first word does not fit
        QPointer<WordMismatchWindow> dialog = h.window->word_mismatch_window();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("bt_non")),
                          Qt::LeftButton);
        QTRY_VERIFY(!dialog);
        QCOMPARE(colour_at(h.propal(), 0), QColor(255, 0, 0));

        h.click(QStringLiteral("Command1"));
        if (typed) {
            QTest::keyClicks(h.propal(), QStringLiteral("LE CHAT!"));
        } else {
            h.clipboard.held = QStringLiteral("LE CHAT!");
            QTest::mousePress(h.propal()->viewport(), Qt::RightButton);
        }
        QCOMPARE(h.window->proposal(), QStringLiteral("LE CHAT!"));
        for (int i = 0; i < h.window->proposal().size(); ++i) {
            QVERIFY2(colour_at(h.propal(), i) != QColor(255, 0, 0), qPrintable(QString::number(i)));
        }
    }

    void enter_on_a_focused_button_clicks_it_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter of the keypad") << int(Qt::Key_Enter);
    }
    void enter_on_a_focused_button_clicks_it() {
        QFETCH(int, key);
        WindowHarness h;
        QPushButton* copy = h.button(QStringLiteral("bt_copier"));
        copy->setFocus(Qt::TabFocusReason);
        QTest::keyClick(copy, Qt::Key(key),
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(h.clipboard.writes, 1);
    }

    void the_close_box_of_the_dialog_marks_nothing() {
        WindowHarness h;
        start_puzzle(h, QStringLiteral("LES CHAT!"));
        play(h, QStringLiteral("LES CHATS!"));
        QPointer<WordMismatchWindow> dialog = h.window->word_mismatch_window();
        dialog->close();
        QTRY_VERIFY(!dialog);
        for (int i = 0; i < h.window->proposal().size(); ++i) {
            QVERIFY(colour_at(h.propal(), i) != QColor(255, 0, 0));
        }
        QVERIFY(!h.propal()->textCursor().hasSelection());
    }

    void a_proposal_with_a_missing_word_marks_nothing() {
        WindowHarness h;
        start_puzzle(h, QStringLiteral("LE CHAT !"));
        play(h, QStringLiteral("LE"));
        WordMismatchWindow* dialog = h.window->word_mismatch_window();
        QVERIFY(dialog);
        QCOMPARE(label(dialog, "err_label_propal"), QString());
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("bt_non")),
                          Qt::LeftButton);
        QVERIFY(!h.propal()->textCursor().hasSelection());
        QVERIFY(colour_at(h.propal(), 0) != QColor(255, 0, 0));
    }

    // Accents pasted as a letter and a combining mark count, mask and compare as the one
    // accented capital, so the right answer fits and reveals every letter.
    void accents_pasted_decomposed_play_as_composed() {
        WindowHarness h;
        type_and_leave(h, h.ref(), QStringLiteral("L'e\u0301te\u0301 a\u0300 co\u0302te\u0301"));
        QCOMPARE(h.window->reference(), QStringLiteral("L'ÉTÉ À CÔTÉ"));
        h.click(QStringLiteral("init"));
        QCOMPARE(h.window->found_text(), QStringLiteral("*'*** * ****"));
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("9"));

        type_and_leave(h, h.propal(), QStringLiteral("L'E\u0301TE\u0301 A\u0300 CO\u0302TE\u0301"));
        QCOMPARE(h.window->proposal(), QStringLiteral("L'ÉTÉ À CÔTÉ"));
        h.click(QStringLiteral("Générer"));
        QVERIFY(!h.window->word_mismatch_window() ||
                !h.window->word_mismatch_window()->isVisible());
        QCOMPARE(h.window->found_text(), QStringLiteral("L'ÉTÉ À CÔTÉ"));
        QCOMPARE(h.caption(QStringLiteral("lettres_trouvées")), QStringLiteral("9"));
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("0"));
    }

  private:
    static void start_puzzle(WindowHarness& h, const QString& reference) {
        h.ref()->setPlainText(reference);
        h.click(QStringLiteral("init"));
    }
    static void play(WindowHarness& h, const QString& proposal) {
        h.propal()->setPlainText(proposal);
        h.click(QStringLiteral("Générer"));
    }
    // Puts the text into the box, then moves the focus on, which runs the box's clean-up.
    static void type_and_leave(WindowHarness& h, QWidget* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        if (box == h.propal()) {
            h.window->set_proposal(text);
        } else {
            h.window->set_reference(text);
        }
        h.lettres()->setFocus(Qt::TabFocusReason);
    }
    static QString label(QWidget* dialog, const char* name) {
        return dialog->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
};

QTEST_MAIN(GameTurnTest)
#include "test_game_turn.moc"
