#include "../storage/storage_test_support.h"
#include "ui/widgets/colour_value.h"
#include "ui/widgets/text_limit.h"
#include "ui/widgets/transient_notice.h"
#include "window_harness.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

const QColor kChosenColour(0, 0, 200);

// Every character of the editor shows the chosen colour and the chosen font.
void expect_chosen_look(const ProposalEditor* editor) {
    const QString text = editor->toPlainText();
    QVERIFY(!text.isEmpty());
    for (int i = 0; i < text.size(); ++i) {
        const QTextCharFormat format = format_at(editor, i);
        QCOMPARE(format.foreground().color(), kChosenColour);
        QCOMPARE(format.font().pointSizeF(), 20.0);
        QVERIFY(format.font().bold());
        QCOMPARE(format.font().families().value(0), QStringLiteral("DejaVu Serif"));
    }
}

}  // namespace

// The proposal editor's own rules: change, loss of focus and mouse press.
class ProposalEditorTest : public QObject {
    Q_OBJECT

  private slots:
    void typing_after_a_save_empties_the_saved_marker() {
        WindowHarness h;
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        h.click(QStringLiteral("record"));
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));
        h.propal()->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(h.propal(), Qt::Key_A);
        QCOMPARE(h.window->saved_marker(), QString());
    }

    void a_change_of_look_alone_is_not_a_change_of_the_proposal() {
        WindowHarness h;
        h.window->set_proposal(QStringLiteral("LE CHAT"));
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        h.click(QStringLiteral("record"));
        h.propal()->colour_range(0, 2, Qt::red);
        h.propal()->set_text_colour(Qt::blue);
        h.window->set_proposal(QStringLiteral("LE CHAT"));  // the same text again
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));
    }

    void losing_the_focus_cleans_the_proposal_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("glued question mark and blanks") << "  Le chat? dort  "
                                                        << "LE CHAT DORT";
        QTest::newRow("standalone question mark") << "Le ? dort"
                                                  << "LE ? DORT";
        QTest::newRow("mark after a blank") << "Le ?chat"
                                            << "LE ?CHAT";
        QTest::newRow("five blanks") << "Le     chat"
                                     << "LE CHAT";
        QTest::newRow("only blanks") << "     "
                                     << "";
        QTest::newRow("accents") << "élève œuf"
                                 << "ÉLÈVE ŒUF";
    }
    void losing_the_focus_cleans_the_proposal() {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        WindowHarness h;
        h.type_into(h.propal(), typed);
        h.ref()->setFocus(Qt::TabFocusReason);
        QCOMPARE(h.window->proposal(), cleaned);
    }

    void a_typed_line_break_becomes_one_blank() {
        WindowHarness h;
        h.propal()->clear();
        h.type_into(h.propal(), QStringLiteral("le"));
        QTest::keyClick(h.propal(), Qt::Key_Return);
        QTest::keyClicks(h.propal(), QStringLiteral("chat"));
        QCOMPARE(h.window->proposal(), QStringLiteral("le\r\nchat"));
        h.click(QStringLiteral("Command1"));  // the focus leaves the editor, then returns
        QCOMPARE(h.window->proposal(), QString());

        h.type_into(h.propal(), QStringLiteral("le"));
        QTest::keyClick(h.propal(), Qt::Key_Return);
        QTest::keyClicks(h.propal(), QStringLiteral("chat"));
        h.lettres()->setFocus(Qt::TabFocusReason);
        QCOMPARE(h.window->proposal(), QStringLiteral("LE CHAT"));
    }

    void opening_a_menu_does_not_clean_the_proposal() {
        WindowHarness h;
        h.type_into(h.propal(), QStringLiteral("le chat"));
        h.ref()->setFocus(Qt::PopupFocusReason);
        QCOMPARE(h.window->proposal(), QStringLiteral("le chat"));
    }

    void an_empty_editor_losing_the_focus_keeps_the_saved_marker() {
        WindowHarness h;
        h.propal()->clear();
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        h.click(QStringLiteral("record"));
        h.propal()->setFocus(Qt::MouseFocusReason);
        h.ref()->setFocus(Qt::TabFocusReason);
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));
    }

    void a_right_press_on_an_empty_editor_pastes_the_clipboard() {
        WindowHarness h;
        h.propal()->clear();
        h.clipboard.held = QStringLiteral("bonjour");
        QTest::mousePress(h.propal()->viewport(), Qt::RightButton);
        QCOMPARE(h.window->proposal(), QStringLiteral("bonjour"));
        // A second press on the filled editor pastes nothing more.
        h.clipboard.held = QStringLiteral("encore");
        QTest::mousePress(h.propal()->viewport(), Qt::RightButton);
        QCOMPARE(h.window->proposal(), QStringLiteral("bonjour"));
    }

    void a_left_press_never_pastes() {
        WindowHarness h;
        h.propal()->clear();
        h.clipboard.held = QStringLiteral("bonjour");
        QTest::mousePress(h.propal()->viewport(), Qt::LeftButton);
        QCOMPARE(h.window->proposal(), QString());
    }

    void a_press_removes_the_question_marks_glued_to_words_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");
        QTest::newRow("after a blank, glued to the word") << "LE ?CHAT"
                                                          << "LE CHAT";
        QTest::newRow("standalone") << "LE ? DORT"
                                    << "LE ? DORT";
        QTest::newRow("ending the text") << "CHAT?"
                                         << "CHAT?";
        QTest::newRow("inside a word") << "CH?AT DORT"
                                       << "CHAT DORT";
        QTest::newRow("first, then a blank") << "? LE"
                                             << "? LE";
    }
    void a_press_removes_the_question_marks_glued_to_words() {
        QFETCH(QString, text);
        QFETCH(QString, after);
        WindowHarness h;
        h.window->set_proposal(text);
        QTest::mousePress(h.propal()->viewport(), Qt::LeftButton);
        QCOMPARE(h.window->proposal(), after);
    }

    // Input that would make a box hold more than kMaxBoxText characters is refused whole, the
    // box keeping its text and a French notice saying so; up to the limit it is kept.
    void input_past_the_limit_is_refused_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("held");      // characters in the box before
        QTest::addColumn<int>("selected");  // of them, selected at the end
        QTest::addColumn<int>("incoming");
        QTest::addColumn<bool>("kept");
        const int most = static_cast<int>(kMaxBoxText);
        QTest::newRow("Ctrl+V, up to the limit") << "propal"
                                                 << "paste" << 0 << 0 << most << true;
        QTest::newRow("Ctrl+V, one past") << "propal"
                                          << "paste" << 0 << 0 << most + 1 << false;
        QTest::newRow("Ctrl+V, 10 MB") << "propal"
                                       << "paste" << 0 << 0 << 10'000'000 << false;
        QTest::newRow("Ctrl+V after text") << "propal"
                                           << "paste" << 5 << 0 << most - 4 << false;
        QTest::newRow("Ctrl+V over the selection") << "propal"
                                                   << "paste" << 5 << 5 << most << true;
        QTest::newRow("right button, up to the limit") << "propal"
                                                       << "right" << 0 << 0 << most << true;
        QTest::newRow("right button, one past") << "propal"
                                                << "right" << 0 << 0 << most + 1 << false;
        QTest::newRow("typing at the limit") << "propal"
                                             << "key" << most << 0 << 1 << false;
        QTest::newRow("typing over the selection") << "propal"
                                                   << "key" << most << 1 << 1 << true;
        QTest::newRow("Enter at the limit") << "propal"
                                            << "enter" << most << 0 << 1 << false;
        QTest::newRow("reference, Ctrl+V, one past") << "ref"
                                                     << "paste" << 0 << 0 << most + 1 << false;
        QTest::newRow("reference, typing at the limit") << "ref"
                                                        << "key" << most << 0 << 1 << false;
        QTest::newRow("reference, Ctrl+V up to the limit") << "ref"
                                                           << "paste" << 1 << 0 << most - 1 << true;
        QTest::newRow("letters, Ctrl+V, one past") << "lettres"
                                                   << "paste" << 0 << 0 << most + 1 << false;
    }
    void input_past_the_limit_is_refused() {
        QFETCH(QString, box);
        QFETCH(QString, way);
        QFETCH(int, held);
        QFETCH(int, selected);
        QFETCH(int, incoming);
        QFETCH(bool, kept);
        WindowHarness h;
        QAbstractScrollArea* area = h.find<QAbstractScrollArea>(box);
        const QString before(held, QLatin1Char('b'));
        if (box == QStringLiteral("propal")) {
            h.window->set_proposal(before);
        } else {
            h.find<TextBox>(box)->set_text(before);
        }
        area->setFocus(Qt::MouseFocusReason);
        // The caret at the end, the last `selected` characters selected.
        QTest::keyClick(area, Qt::Key_End, Qt::ControlModifier);
        for (int i = 0; i < selected; ++i) {
            QTest::keyClick(area, Qt::Key_Left, Qt::ShiftModifier);
        }
        const QString text(incoming, QLatin1Char('a'));
        if (way == QStringLiteral("paste")) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(area, Qt::Key_V, Qt::ControlModifier);
        } else if (way == QStringLiteral("right")) {
            h.clipboard.held = text;
            QTest::mousePress(area->viewport(), Qt::RightButton);
        } else if (way == QStringLiteral("key")) {
            QTest::keyClick(area, Qt::Key_A);
        } else {
            QTest::keyClick(area, Qt::Key_Return);
        }
        const QString shown =
            box == QStringLiteral("propal") ? h.window->proposal() : h.find<TextBox>(box)->text();
        QCOMPARE(shown, kept ? before.left(held - selected) + text : before);
        QCOMPARE(h.window->notice()->isVisible(), !kept);
        if (!kept) {
            const QString notice = h.window->notice()->text();
            QVERIFY2(notice.startsWith(QStringLiteral("Texte refusé : trop long (")) &&
                         notice.contains(QLocale(QLocale::French).toString(incoming)),
                     qPrintable(notice));
        }
    }

    // A large paste made mostly of glued question marks, by the right button or by Ctrl+V,
    // then the loss of focus: the editor comes back with the cleaned text.
    void a_large_paste_with_glued_question_marks_is_cleaned_data() {
        QTest::addColumn<bool>("right_button");
        QTest::newRow("right button") << true;
        QTest::newRow("Ctrl+V") << false;
    }

    void a_large_paste_with_glued_question_marks_is_cleaned() {
        QFETCH(bool, right_button);
        const QString unit =
            QStringLiteral("mot") + QString(45, QLatin1Char('?')) + QStringLiteral(" ? ");
        const QString pasted = unit.repeated(kMaxBoxText / unit.size());
        WindowHarness h;
        h.window->set_proposal(QString());
        h.propal()->setFocus(Qt::MouseFocusReason);
        if (right_button) {
            h.clipboard.held = pasted;
            QTest::mousePress(h.propal()->viewport(), Qt::RightButton);
            QCOMPARE(h.window->proposal(),
                     QStringLiteral("mot ? ").repeated(pasted.size() / unit.size()));
        } else {
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keyClick(h.propal(), Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(h.window->proposal(), pasted);
        }
        h.lettres()->setFocus(Qt::TabFocusReason);
        const QString cleaned = QStringLiteral("MOT ? ").repeated(pasted.size() / unit.size());
        QCOMPARE(h.window->proposal(), cleaned.trimmed());
    }

    void rewriting_the_text_keeps_the_look_of_the_characters_that_stay() {
        WindowHarness h;
        h.window->set_proposal(QStringLiteral("LE CHAT DORT"));
        h.propal()->colour_range(0, 2, Qt::blue);   // LE
        h.propal()->colour_range(8, 4, Qt::green);  // DORT
        h.window->set_proposal(QStringLiteral("LE CHIEN DORT"));
        QCOMPARE(colour_at(h.propal(), 0), QColor(Qt::blue));
        QCOMPARE(colour_at(h.propal(), 1), QColor(Qt::blue));
        QCOMPARE(colour_at(h.propal(), 9), QColor(Qt::green));
        QCOMPARE(colour_at(h.propal(), 12), QColor(Qt::green));
    }

    void text_written_into_an_empty_editor_takes_the_editor_look_data() {
        QTest::addColumn<QString>("emptied_by");
        QTest::newRow("Effacer texte ci-dessus") << "Command1";
        QTest::newRow("Initialiser") << "init";
        QTest::newRow("clearing the page") << "menu_delete";
    }
    void text_written_into_an_empty_editor_takes_the_editor_look() {
        QFETCH(QString, emptied_by);
        WindowHarness h;
        h.choosers.colours.push_back(colour_value(kChosenColour));
        h.trigger(QStringLiteral("mnu_police_propal"));
        h.choosers.fonts.push_back(FontChoice{QStringLiteral("DejaVu Serif"), 20, true, false});
        h.trigger(QStringLiteral("mnu_font_propal"));
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        const auto empty_the_editor = [&] {
            if (emptied_by == QStringLiteral("menu_delete")) {
                h.trigger(emptied_by);
            } else {
                h.click(emptied_by);
            }
            QCOMPARE(h.window->proposal(), QString());
        };

        empty_the_editor();
        h.clipboard.held = QStringLiteral("bonjour");
        QTest::mousePress(h.propal()->viewport(), Qt::RightButton);
        QCOMPARE(h.window->proposal(), QStringLiteral("bonjour"));
        expect_chosen_look(h.propal());

        // Typed text too, wherever the click put the caret in the empty editor.
        empty_the_editor();
        h.propal()->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(h.propal()->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
        QTest::keyClicks(h.propal(), QStringLiteral("lu"));
        QCOMPARE(h.window->proposal(), QStringLiteral("lu"));
        expect_chosen_look(h.propal());
    }

    void a_paste_into_the_empty_stored_editor_takes_the_stored_look() {
        WindowHarness h([](const QString& path) {
            test::RawConnection raw(path);
            QVERIFY(raw.exec(QStringLiteral("UPDATE \"données\" SET propal = ''")));
            QVERIFY(raw.exec(
                QStringLiteral(
                    "UPDATE couleurs SET police_propal = %1, font_name_propal = 'DejaVu Serif', "
                    "font_size_propal = 20, font_bold_propal = 1")
                    .arg(colour_value(kChosenColour))));
        });
        QCOMPARE(h.window->proposal(), QString());
        h.clipboard.held = QStringLiteral("bonjour");
        QTest::mousePress(h.propal()->viewport(), Qt::RightButton);
        QCOMPARE(h.window->proposal(), QStringLiteral("bonjour"));
        expect_chosen_look(h.propal());
    }

    void an_emptied_editor_keeps_the_colour_for_what_is_typed_next() {
        WindowHarness h;
        h.window->set_proposal(QStringLiteral("LE CHAT"));
        h.propal()->set_text_colour(QColor(10, 20, 30));
        h.click(QStringLiteral("Command1"));
        QTest::keyClicks(h.propal(), QStringLiteral("x"));
        QCOMPARE(h.window->proposal(), QStringLiteral("x"));
        QCOMPARE(colour_at(h.propal(), 0), QColor(10, 20, 30));
    }
};

QTEST_MAIN(ProposalEditorTest)
#include "test_proposal_editor.moc"
