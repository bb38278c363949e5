#include "../storage/storage_test_support.h"
#include "app/application_setup.h"
#include "app/page_file.h"
#include "app/page_folder.h"
#include "report/forum_message.h"
#include "storage/storage_messages.h"
#include "ui/main_window/messages.h"
#include "ui/main_window/refusal_boxes.h"
#include "ui/widgets/colour_value.h"
#include "ui/widgets/text_limit.h"
#include "ui/widgets/transient_notice.h"
#include "ui/widgets/window_design.h"
#include "ui/windows/word_mismatch_window.h"
#include "window_harness.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

int turns(const WindowHarness& h) {
    return static_cast<int>(h.window->game().journal().current_game().turns.size());
}

// One mark a character of the proposal: R where it shows red.
QString red_marks(const WindowHarness& h) {
    QString marks;
    for (int i = 0; i < h.window->proposal().size(); ++i) {
        marks += colour_at(h.propal(), i) == QColor(255, 0, 0) ? u'R' : u'.';
    }
    return marks;
}

QString notice_shown(const WindowHarness& h) {
    return h.window->notice()->isVisible() ? h.window->notice()->text() : QString();
}

// The boxes shown, a mark each by icon: X stop, ! warning, ? question; "." for none.
QString icons(const ScriptedMessageBoxes& boxes) {
    QString marks = boxes.shown.empty() ? "." : "";
    for (const ShownMessage& box : boxes.shown) {
        marks += QStringLiteral(" X!?").at(int(box.icon));
    }
    return marks;
}

// The stored fields, Null as "NULL": the page's by default.
QStringList stored(const QString& path, const QStringList& fields = {"base", "result", "propal",
                                                                     "lettres", "nb_lettres"}) {
    test::RawConnection raw(path);
    QStringList values;
    for (const QString& field : fields) {
        values << raw.value(QStringLiteral("SELECT coalesce(%1, 'NULL') FROM \"données\", "
                                           "compteurs, couleurs")
                                .arg(field))
                      .toString();
    }
    return values;
}

}  // namespace

// The window as a view over the game and the page file: what it shows, what reaches the game
// and the file, what each outcome opens, the keys, and what comes back from the file.
class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void a_turn_through_the_controls() {
        WindowHarness h;
        h.type_into(h.ref(), "  le chat  ");
        h.click("init");  // the click moves the focus first, which cleans the box left
        QCOMPARE(h.window->reference() + h.window->found_text() + h.caption("lettres_restantes"),
                 "LE CHAT** ****6");
        h.type_into(h.propal(), "lu thon");
        QSignalSpy clicks(h.button("Générer"), &QPushButton::clicked);
        QTest::mouseClick(h.button("Générer"), Qt::LeftButton);
        QTest::mouseDClick(h.button("Générer"), Qt::LeftButton);
        QTest::mouseRelease(h.button("Générer"), Qt::LeftButton);
        QCOMPARE(clicks.size(), 2);
        QCOMPARE(turns(h), 1);  // a double-click plays one turn
        QCOMPARE(h.window->proposal() + h.window->found_text(), "LU THONL* *H**");
        QCOMPARE(h.caption("lettres_trouvées") + h.caption("lettres_restantes"), "24");
        QCOMPARE(notice_shown(h), "");
        h.click("bt_copier");
        QCOMPARE(h.clipboard.held, build_forum_message("L* *H**", 2, 4, "A C E T "));
        h.play("LE CHAT");  // a win is said in a notice
        QCOMPARE(notice_shown(h), "Partie gagnée en 2 tours");
        h.click("init");  // a new game starts at 0 found
        QCOMPARE(h.caption("lettres_trouvées") + h.caption("lettres_restantes"), "06");
        h.play("LE CHAT");
        QCOMPARE(notice_shown(h), "Partie gagnée en 1 tour");
        QVERIFY(h.boxes.shown.empty());
    }

    void a_refusal_shows_its_box() {
        const struct {
            QString reference, proposal;  // "-": no puzzle; a null proposal: not played
            Refusal refusal;
        } cases[] = {{"", {}, Refusal::NoReference},
                     {QString(601, u'A'), {}, Refusal::TextTooLong},
                     {"-", "LE CHAT", Refusal::NotInitialised},
                     {"LE CHAT", "", Refusal::NoProposal}};
        for (const auto& c : cases) {
            WindowHarness h;
            h.start(c.reference == "-" ? "LE CHAT" : c.reference);
            if (c.reference == "-") {
                h.soluce()->setPlainText({});
            }
            if (!c.proposal.isNull()) {
                h.play(c.proposal);
            }
            QCOMPARE(h.boxes.shown.size(), std::size_t{1});
            QCOMPARE(h.boxes.shown[0].icon, refusal_box(c.refusal).icon);
            QCOMPARE(h.boxes.shown[0].text, refusal_box(c.refusal).text);
        }
    }

    // A word that does not fit opens the modeless dialog; its OK marks the word in red and
    // selects it, its close box or no word to mark marks nothing. The red leaves with the word.
    void the_mismatch_dialog_marks_the_word_in_red() {
        const struct {
            QString reference, proposal;
            bool ok;
            QString labels, marks;
        } cases[] = {{"LES CHAT!", "LES CHATS!", true, "CHATS 2", "....RRRRR."},
                     {"LE CHAT!", "LES CHAT!", true, "LES 1", "RRR......"},
                     {"LES CHAT!", "LES CHATS!", false, "CHATS 2", ".........."},
                     {"LE CHAT !", "LE", true, " 2", ".."}};
        for (const auto& c : cases) {
            WindowHarness h;
            h.start(c.reference);
            h.play(c.proposal);
            QPointer<WordMismatchWindow> dialog = h.window->word_mismatch_window();
            QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
            QCOMPARE(dialog->findChild<QLabel*>("err_label_propal")->text() + u' ' +
                         dialog->findChild<QLabel*>("err_label_position")->text(),
                     c.labels);
            c.ok ? QTest::mouseClick(dialog->findChild<QPushButton*>("bt_non"), Qt::LeftButton)
                 : void(dialog->close());
            QTRY_VERIFY(!dialog);
            QCOMPARE(red_marks(h), c.marks);
            QCOMPARE(h.propal()->textCursor().selectedText(),
                     c.proposal.mid(c.marks.indexOf(u'R'), c.marks.count(u'R')));
            for (const bool typed : {true, false}) {  // erased, then typed or pasted: no red
                h.click("Command1");
                h.clipboard.held = c.proposal;
                typed ? QTest::keyClicks(h.propal(), c.proposal)
                      : QTest::mousePress(h.propal()->viewport(), Qt::RightButton);
                QCOMPARE(red_marks(h), QString(c.proposal.size(), u'.'));
            }
        }
    }

    // Every edit of the proposal reaches the game and empties the saved marker, a change of look
    // or a clean-up that changes nothing does not. Leaving the editor for a control cleans it,
    // a typed line break included; opening a menu does not.
    void edits_of_the_proposal_reach_the_game() {
        WindowHarness h;
        h.window->set_proposal("LE CHAT");
        h.ref()->setPlainText("LE CHAT");
        h.click("record");
        h.propal()->set_text_colour(Qt::blue);
        h.propal()->setFocus(Qt::MouseFocusReason);
        h.ref()->setFocus(Qt::TabFocusReason);
        QCOMPARE(h.window->saved_marker(), PuzzleGame::saved_mark());
        h.type_into(h.propal(), "  le chat?");
        QTest::keyClick(h.propal(), Qt::Key_Return);
        QTest::keyClicks(h.propal(), "dort");
        QCOMPARE(h.window->game().proposal(), "  le chat?\r\ndort");
        QCOMPARE(h.window->saved_marker(), QString());
        h.lettres()->setFocus(Qt::PopupFocusReason);
        QCOMPARE(h.window->proposal(), "  le chat?\r\ndort");
        h.propal()->setFocus(Qt::MouseFocusReason);
        h.lettres()->setFocus(Qt::TabFocusReason);
        QCOMPARE(h.window->proposal(), "LE CHAT DORT");
        // A press takes the question marks glued to words away; the right button pastes into
        // an empty editor only.
        h.clipboard.held = "bon?jour ?";
        h.window->set_proposal("CH?AT ? DORT?");
        QTest::mousePress(h.propal()->viewport(), Qt::RightButton);
        QCOMPARE(h.window->proposal(), "CHAT ? DORT?");
        h.window->set_proposal({});
        QTest::mousePress(h.propal()->viewport(), Qt::LeftButton);
        QCOMPARE(h.window->proposal(), "");
        QTest::mousePress(h.propal()->viewport(), Qt::RightButton);
        QCOMPARE(h.window->proposal(), "bonjour ?");
        h.click("Command1");  // erased, the focus back in the editor
        QVERIFY(h.window->proposal().isEmpty() && h.propal()->hasFocus());
    }

    // Input that would make a box hold more than kMaxBoxText characters (M) is refused whole,
    // the box keeping its text and a notice saying so; up to the limit it is kept. A row: the
    // box, the way in, the characters before, of them selected, and the characters coming.
    void input_past_the_limit_is_refused() {
        const int most = static_cast<int>(kMaxBoxText);
        QStringList cases = {"propal paste 5 5 M", "propal right 0 0 M", "propal right 0 0 M+1",
                             "propal key M 1 1", "propal enter M 0 1"};
        for (const QString box : {"propal", "ref", "lettres"}) {
            cases << box + " paste 1 0 M-1" << box + " paste 1 0 M" << box + " drop 1 0 M-1"
                  << box + " drop 1 0 M" << box + " key M 0 1";
        }
        const auto count = [most](const QString& n) {
            return n.startsWith('M') ? most + n.mid(1).toInt() : n.toInt();
        };
        for (const QString& row : cases) {
            const QStringList c = row.split(u' ');
            const int held = count(c[2]), selected = count(c[3]), incoming = count(c[4]);
            const bool kept = held - selected + incoming <= most;
            WindowHarness h;
            auto* area = h.find<QAbstractScrollArea>(c[0]);
            auto* box = qobject_cast<TextBox*>(area);
            box ? box->set_text(QString(held, u'b')) : h.window->set_proposal(QString(held, u'b'));
            area->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(area, Qt::Key_End, Qt::ControlModifier);
            for (int i = 0; i < selected; ++i) {
                QTest::keyClick(area, Qt::Key_Left, Qt::ShiftModifier);
            }
            QMimeData data;
            data.setText(QString(incoming, u'a'));
            h.clipboard.held = data.text();
            QGuiApplication::clipboard()->setText(data.text());
            if (c[1] == "paste") {
                QTest::keyClick(area, Qt::Key_V, Qt::ControlModifier);
            } else if (c[1] == "right") {
                QTest::mousePress(area->viewport(), Qt::RightButton);
            } else if (c[1] == "drop") {  // entering first, as a drag does
                const QPoint at = area->viewport()->rect().center();
                QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(area->viewport(), &enter);
                QApplication::sendEvent(area->viewport(), &drop);
            } else {
                QTest::keyClick(area, c[1] == "key" ? Qt::Key_A : Qt::Key_Return);
            }
            const QString shown = box ? box->text() : h.window->proposal();
            QVERIFY2(shown.size() == (kept ? held - selected + incoming : held), qPrintable(row));
            QVERIFY2(notice_shown(h).isEmpty() == kept, qPrintable(row));
            QVERIFY(kept || notice_shown(h).contains(QLocale(QLocale::French).toString(incoming)));
        }
    }

    // The look chosen in the menu goes to every character and to what is written next, the
    // emptied editor included, whichever way it was emptied; a rewrite keeps the look.
    void the_proposal_look_goes_to_what_is_written() {
        for (const QString emptied_by : {"Command1", "init", "menu_delete"}) {
            WindowHarness h;
            h.start("LE CHAT");
            h.window->set_proposal("ABC");
            h.choosers.colours.push_back(colour_value(Qt::blue));
            h.trigger("mnu_police_propal");
            h.choosers.fonts.push_back(FontChoice{"DejaVu Serif", 20, true, false});
            h.trigger("mnu_font_propal");
            for (const QString way : {"paste", "type"}) {
                for (int i = 0; i < h.window->proposal().size(); ++i) {
                    const QTextCharFormat format = format_at(h.propal(), i);
                    QVERIFY(format.foreground().color() == Qt::blue && format.font().bold() &&
                            format.font().pointSizeF() == 20.0);
                    QCOMPARE(format.font().families().value(0), "DejaVu Serif");
                }
                emptied_by == "menu_delete" ? h.trigger(emptied_by) : h.click(emptied_by);
                QCOMPARE(h.window->proposal(), QString());
                h.clipboard.held = "bonjour";
                h.propal()->setFocus(Qt::MouseFocusReason);
                QTest::mouseClick(h.propal()->viewport(),
                                  way == "paste" ? Qt::RightButton : Qt::LeftButton, {},
                                  QPoint(40, 40));
                QTest::keyClicks(h.propal(), way == "type" ? "bonjour" : "");
                QCOMPARE(h.window->proposal(), "bonjour");
            }
            h.propal()->colour_range(3, 4, Qt::green);  // a rewrite keeps each character's look
            h.window->set_proposal("bonsoir");
            QCOMPARE(colour_at(h.propal(), 0), QColor(Qt::blue));
            QCOMPARE(colour_at(h.propal(), 3), QColor(Qt::green));
        }
    }

    // Alt+F and Alt+C open their menus, Alt+V the version box; no button maximises.
    void menus_open_from_their_letters() {
        for (const QString keys : {"Alt+F menu_Fichier", "Alt+C mnu_couleur", "Alt+V"}) {
            const QString menu = keys.section(u' ', 1);
            WindowHarness h;
            h.ref()->setFocus(Qt::OtherFocusReason);
            QTest::keySequence(h.ref(), QKeySequence(keys.section(u' ', 0, 0)));
            QTRY_VERIFY(menu.isEmpty() || h.find<QMenu>(menu)->isVisible());
            QCOMPARE(h.boxes.shown.size(), std::size_t(menu.isEmpty() ? 1 : 0));
            QVERIFY(!menu.isEmpty() || h.boxes.shown[0].text.contains(PuzzleGame::version()));
            QVERIFY(!h.window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        }
    }

    // Ctrl+Entrée plays and Ctrl+Maj+C copies from any control; plain Return in the editor
    // is a line, on a button its click.
    void keys_play_and_copy_from_anywhere() {
        // A row: the control with the focus, the keys, the turns played and the copies made.
        for (const QString row :
             {"propal Ctrl+Return 1 0", "ref Ctrl+Enter 1 0", "bt_copier Ctrl+Return 1 0",
              "propal Return 0 0", "bt_copier Enter 0 1", "propal Ctrl+Shift+C 0 1",
              "soluce Ctrl+Shift+C 0 1", "Générer Ctrl+Shift+C 0 1"}) {
            const QStringList c = row.split(u' ');
            WindowHarness h;
            h.start("LE CHAT");
            h.type_into(h.propal(), "lu thon");  // cleaned as the focus leaves the editor
            auto* target = h.find<QWidget>(c[0]);
            target->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(target->hasFocus());
            QTest::keySequence(target, QKeySequence(c[1]));
            QVERIFY2(turns(h) == c[2].toInt() && h.clipboard.writes == c[3].toInt(),
                     qPrintable(row));
            QCOMPARE(h.window->found_text(), c[2] == "1" ? "L* *H**" : "** ****");
            QCOMPARE(notice_shown(h), c[3] == "1" ? "Message copié" : "");
        }
    }

    // Enregistrer stores the page and sets the marker, twice alike; only an exactly empty
    // reference is refused, with its box. Clearing the page stores nothing.
    void a_save_stores_the_page_and_sets_the_marker() {
        const struct {
            QString steps;
            QStringList page;
        } cases[] = {{"play", {"LE CHAT", "L* *H**", "LU THON", "A C E T ", "4"}},
                     {"blank", {" ", "Vide", "Vide", "Vide", "0"}},  // the box keeps the focus
                     {"clear", {"BONJOUR", "", "", "", "0"}},
                     {"empty", {"LE CHAT", "Vide", "Vide", "Vide", "0"}}};
        for (const auto& c : cases) {
            WindowHarness h;
            if (c.steps == "play") {
                h.play_le_chat();
            } else if (c.steps == "blank") {
                h.lettres()->setFocus(Qt::TabFocusReason);
                h.ref()->setPlainText(" ");
            } else if (c.steps == "clear") {
                h.trigger("menu_delete");
                h.type_into(h.ref(), "bonjour");
            } else {
                h.ref()->setPlainText("LE CHAT");
                h.click("record");
                h.ref()->setPlainText({});
            }
            h.click("record");
            QCOMPARE(h.window->notice()->text(), "Page enregistrée");  // refused: the first's
            h.click("record");
            QCOMPARE(h.window->saved_marker(), PuzzleGame::saved_mark());
            QCOMPARE(stored(h.file.path()), c.page);
            QCOMPARE(icons(h.boxes), c.steps == "empty" ? "XX" : ".");
            QVERIFY(h.boxes.shown.empty() || h.boxes.shown[1].text == messages::no_reference());
            h.trigger("menu_delete");
            QCOMPARE(h.window->reference() + h.window->proposal() + h.caption("lettres_restantes"),
                     "0");
            QVERIFY(h.ref()->hasFocus());
            QCOMPARE(h.window->saved_marker().isEmpty(), c.steps != "clear");
            QCOMPARE(stored(h.file.path()), c.page);
        }
    }

    // The three ways out follow the same rules: no way out without a reference, a question
    // before leaving a page changed since its save; once ending, the window closes freely.
    // A row: what changes after the reference LE CHAT (saved or not), the answer to the
    // question, the box shown and whether the program ends.
    void quit_rules() {
        const QString cases =
            "none unsaved - ! stays;none saved - ! stays;- saved - . ends;- unsaved yes ? ends;"
            "- unsaved no ? stays;propal saved no ? stays;ref saved - . ends";
        for (const QString& row : cases.split(u';')) {
            const QStringList c = row.split(u' ');
            const bool ends = c[4] == "ends";
            for (const QString way : {"quit", "menu_quit", "close box"}) {
                WindowHarness h;
                h.ref()->setPlainText("LE CHAT");
                if (c[1] == "saved") {
                    h.click("record");
                }
                if (c[0] == "none") {
                    h.ref()->setPlainText({});
                } else if (c[0] != "-") {
                    h.type_into(h.find<QWidget>(c[0]), "x");
                }
                h.boxes.answers.push_back(c[2] == "yes" ? MessageAnswer::Yes : MessageAnswer::No);
                if (way == "quit") {
                    h.click(way);
                } else if (way == "menu_quit") {
                    h.trigger(way);
                } else {
                    QVERIFY(!h.window->close());  // the request is refused first
                }
                QVERIFY2(
                    h.exit.ends == int(ends) && h.database.is_open() == (!ends || c[1] != "saved"),
                    qPrintable(row + u' ' + way));
                QCOMPARE(icons(h.boxes), c[3]);
                QCOMPARE(h.window->close(), ends);
            }
        }
    }

    // A saved page comes back after a restart, the page cleared after the save not stored; a
    // stored text longer than a box holds is shown cut, with one box naming its length.
    void the_window_opens_on_the_stored_page() {
        PageFile file;
        {
            OpenWindow first(file.path());
            first.window->set_reference("ÉTÉ À L’OMBRE");
            first.window->start_game();
            first.window->save_page();
            first.window->clear_page();
        }
        {
            OpenWindow w(file.path());
            QCOMPARE(w.window->reference() + w.window->found_text(), "ÉTÉ À L’OMBRE*** * *’*****");
            QCOMPARE(w.window->remaining_count() + w.window->remaining_letters(),
                     "10" + w.window->game().remaining_letters());
            QVERIFY(w.boxes.shown.empty());
        }
        const qsizetype most = kMaxBoxText;
        test::RawConnection(file.path())
            .exec(
                QStringLiteral("UPDATE \"données\" SET base = '%1', propal = '%2', lettres = '%3'")
                    .arg(QString(most, u'R'), QString(3 * most, u'P'), QString(most + 1, u'L')));
        OpenWindow w(file.path());
        QCOMPARE(w.window->reference() + w.window->proposal() + w.window->remaining_letters(),
                 QString(most, u'R') + QString(most, u'P') + QString(most, u'L'));
        QCOMPARE(w.boxes.shown.size(), std::size_t{1});
        QCOMPARE(w.boxes.shown[0].text, stored_text_cut_notice(3 * most));
    }

    // A look chosen in the menu opens its chooser on what the area shows (a cancel changes
    // nothing), shows at once, is stored at once in its area's fields alone, the saved marker
    // left alone; it comes back after a restart (a look never chosen keeps the design), and
    // the empty editor gives it to what is pasted or typed.
    void a_look_is_shown_stored_and_kept() {
        PageFile file;
        const QStringList fields = test::kAppearanceFields;
        {
            OpenWindow w(made_file(file));
            w.window->set_reference("LE CHAT");
            w.window->save_page();
            const auto* ref = w.window->findChild<TextBox*>("ref");
            const auto* propal = w.window->findChild<ProposalEditor*>("propal");
            const QStringList before = stored(file.path(), fields);
            const auto choose = [&](const char* item) {
                w.window->findChild<QAction*>(item)->trigger();
            };
            choose("mnu_fond_ref");  // cancelled
            QCOMPARE(w.choosers.opened_on_colour, ref->background());
            QCOMPARE(stored(file.path(), fields), before);
            w.choosers.colours = {colour_value(QColor(9, 8, 7)), colour_value(QColor(0, 128, 0))};
            w.choosers.fonts = {FontChoice{"DejaVu Sans", 9, true, false},
                                FontChoice{"DejaVu Serif", 20, false, true}};
            for (const char* item :
                 {"mnu_fond_ref", "mnu_police_propal", "mnu_font_lettres", "mnu_font_propal"}) {
                choose(item);
            }
            QCOMPARE(w.choosers.opened_on_font.families(), design::text_font().families());
            QCOMPARE(ref->background(), QColor(9, 8, 7));
            QCOMPARE(propal->text_colour(), QColor(0, 128, 0));
            QCOMPARE(w.window->findChild<TextBox*>("lettres")->font().family(), "DejaVu Sans");
            QCOMPARE(propal->look_font().pointSizeF(), 20.0);
            QStringList changed;
            const QStringList now = stored(file.path(), fields);
            for (int i = 0; i < fields.size(); ++i) {
                changed << (now[i] == before[i] ? QString() : fields[i]);
            }
            QCOMPARE(changed.join(u' ').simplified(),
                     "fond_ref police_propal font_name_lettres font_size_lettres font_bold_lettres "
                     "font_italic_lettres font_name_propal font_size_propal font_bold_propal "
                     "font_italic_propal");
            QCOMPARE(now[0], QString::number(colour_value(QColor(9, 8, 7))));
            QCOMPARE(w.window->saved_marker(), PuzzleGame::saved_mark());
            w.window->clear_page();
            w.window->set_reference("LE CHAT");
            w.window->save_page();
        }
        {
            OpenWindow w(file.path());
            auto* propal = w.window->findChild<ProposalEditor*>("propal");
            QCOMPARE(w.window->findChild<TextBox*>("ref")->background(), QColor(9, 8, 7));
            QCOMPARE(w.window->findChild<TextBox*>("soluce")->background(),
                     design::found_background());
            w.clipboard.held = "ABCDE";
            QTest::mousePress(propal->viewport(), Qt::RightButton);
            propal->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(propal, Qt::Key_End, Qt::ControlModifier);
            QTest::keyClicks(propal, "F");
            QCOMPARE(w.window->proposal(), "ABCDEF");
            for (int i = 0; i < 6; ++i) {
                QCOMPARE(colour_at(propal, i), QColor(0, 128, 0));
                QVERIFY(format_at(propal, i).fontItalic() &&
                        format_at(propal, i).fontPointSize() == 20.0);
            }
        }
        // A look or a save the file refuses is said, the marker and the file left as they were.
        const QByteArray before = test::file_bytes(file.path());
        OpenWindow w(file.path(), /*read_only=*/true);
        w.choosers.colours.push_back(colour_value(Qt::blue));
        w.window->findChild<QAction*>("mnu_fond_lettres")->trigger();
        w.window->set_reference("LE CHAT");
        w.window->save_page();
        const QString why = storage_messages::read_only_file();
        QCOMPARE(icons(w.boxes), "!X");
        QCOMPARE(w.boxes.shown[0].text, storage_messages::appearance_not_stored(why));
        QCOMPARE(w.boxes.shown[1].text, storage_messages::save_failed(why));
        QVERIFY(w.window->saved_marker().isEmpty() && test::file_bytes(file.path()) == before);
    }

    // The start on the page file: the boxes shown, whether the page opens, the file as it is
    // left. A row: the file there (none, page, junk: not a database, junk2: one set aside
    // before, held by another program, open in another copy), whether the folder is writable,
    // the answer, the boxes, the name the junk is set aside as ("-": the page does not open).
    void the_page_file_at_start() {
        const QString cases =
            "none w - . .;page r - ! .;none r - !X -;junk w no ? -;held w - X -;"
            "copy w - X -;junk w yes ? vorlo.mdb.illisible;"
            "junk2 w yes ? vorlo.mdb.illisible.2";
        for (const QString& row : cases.split(u';')) {
            const QStringList c = row.split(u' ');
            const bool opens = c[4] != "-";
            QTemporaryDir folder;
            const QString path = folder.filePath(VorloDatabase::file_name());
            const QByteArray junk = QByteArray("SQLite format 3", 16) + QByteArray(4080, 'x');
            if (c[0].startsWith("junk")) {
                test::write_file(path, junk);
            }
            if (c[0] == "junk2") {
                test::write_file(path + ".illisible", "avant");
            }
            VorloDatabase first;
            std::optional<test::RawConnection> other;
            if (c[0] == "page" || c[0] == "held" || c[0] == "copy") {
                QVERIFY(first.open(path).ok);
                QVERIFY(first.save_page({"LE CHAT", "** ****", "", "A C E H L T ", 6}));
                if (c[0] != "copy") {
                    first.close();
                }
            }
            if (c[0] == "held") {
                other.emplace(path);
                QVERIFY(other->exec("BEGIN EXCLUSIVE"));
            }
            const QStringList entries = test::folder_entries(folder.path());
            const QByteArray before = test::file_bytes(path);
            VorloDatabase database;
            ScriptedMessageBoxes boxes;
            boxes.answers.push_back(c[2] == "yes" ? MessageAnswer::Yes : MessageAnswer::No);
            QCOMPARE(open_page_file(database, folder.path(), c[1] == "w", boxes), opens);
            QVERIFY2(icons(boxes) == c[3], qPrintable(row));
            QVERIFY(database.is_open() == opens && (!other || other->exec("ROLLBACK")));
            if (c[4].startsWith("vorlo")) {
                QVERIFY(boxes.shown[0].text.contains(c[4]));
                QCOMPARE(test::file_bytes(folder.filePath(c[4])), junk);
                QCOMPARE(shown_page(database.read_page()).base, "Vide");
            }
            const bool saved = opens && database.save_page({"A", "*", "", "A ", 1});
            QCOMPARE(saved, opens && c[1] == "w");
            QVERIFY(opens || test::folder_entries(folder.path()) == entries);  // nothing made
            QVERIFY(saved || test::file_bytes(path) == before);
        }
    }

    // The page lies beside the program when it may write there, not in the installed folder;
    // else in the data folder, made when missing; else beside the program.
    void where_the_page_file_lies() {
        QTemporaryDir root;
        const QString program = root.filePath("programme");
        QVERIFY(QDir().mkpath(program) && QFile::link(program, root.filePath("lien")));
        test::write_file(root.filePath("file"), "");  // no folder can be made under a file
        QVERIFY(may_keep_page_beside(program, root.filePath("games")));
        QVERIFY(!may_keep_page_beside(root.filePath("lien"), program));  // the installed one
        QCOMPARE(choose_page_folder(program, false, root.filePath("file/vorlo")).path, program);
        const PageFolder data = choose_page_folder(program, false, root.filePath("share/vorlo"));
        QVERIFY(data.path == root.filePath("share/vorlo") && data.writable &&
                QDir(data.path).exists());
    }

    // Qt's own choosers and boxes speak French once the program is set up.
    void the_standard_choosers_speak_french() {
        QVERIFY(set_up_application());
        QVERIFY(QCoreApplication::translate("QColorDialog", "Select Color") != "Select Color");
        QVERIFY(QCoreApplication::translate("QFontDialog", "Select Font") != "Select Font");
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
