#include "report/forum_message.h"
#include "report/game_posts.h"
#include "storage/storage_test_support.h"
#include "ui/widgets/transient_notice.h"
#include "ui/windows/journal_window.h"
#include "ui/windows/message_preview.h"
#include "window_harness.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QTableWidget>
#include <QTextBrowser>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

const QChar kCr(13);

// The journal window, opened from its menu item.
JournalWindow* open_journal(WindowHarness& h) {
    h.trigger(QStringLiteral("mnu_journal"));
    return h.window->journal_window();
}

void name_next_player(JournalWindow* journal, const QString& name) {
    auto* field = journal->findChild<QLineEdit*>(QStringLiteral("joueur_suivant"));
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, name);
}

void play(WindowHarness& h, const QString& proposal) {
    h.type_into(h.propal(), proposal);
    h.click(QStringLiteral("Générer"));
}

QStringList column(const QTableWidget* table, int index) {
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) {
        texts << table->item(row, index)->text();
    }
    return texts;
}

QTableWidget* table(JournalWindow* journal, const QString& name) {
    return journal->findChild<QTableWidget*>(name);
}

// LE CHAT DORT played by Alice (8 letters), then Bob (2 letters, the game is won).
void play_two_turns(WindowHarness& h, JournalWindow* journal) {
    h.type_into(h.ref(), QStringLiteral("le chat dort"));
    h.click(QStringLiteral("init"));
    name_next_player(journal, QStringLiteral("Alice"));
    play(h, QStringLiteral("la chat dors"));
    name_next_player(journal, QStringLiteral("Bob"));
    play(h, QStringLiteral("le chit dort"));
}

}  // namespace

class GameJournalWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void the_game_menu_follows_the_designed_ones() {
        WindowHarness h;
        const QList<QAction*> bar = h.window->menuBar()->actions();
        QCOMPARE(bar.size(), 4);
        QCOMPARE(bar[1]->text(), QStringLiteral("&Couleurs  et  Police"));
        QMenu* game = bar[2]->menu();
        QVERIFY(game);
        QCOMPARE(game->title(), QStringLiteral("&Partie"));
        const QStringList captions = {"Annuler le dernier tour", "Rétablir le tour",
                                      "Journal de la partie",    "Copier le classement",
                                      "Aperçu du message",       "Lire le fil…"};
        // Before the last, a separator and the submenu of the forum the posts are written for.
        QList<QAction*> items = game->actions();
        QCOMPARE(items.size(), captions.size() + 2);
        QVERIFY(items[captions.size() - 1]->isSeparator());
        QCOMPARE(items[captions.size()]->menu()->title(), QStringLiteral("&Forum du message"));
        items.remove(captions.size() - 1, 2);
        QSet<QKeySequence> shortcuts;
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->text(), captions[i]);
            const QKeySequence key = items[i]->shortcut();
            QVERIFY2(!key.isEmpty(), qPrintable(captions[i]));
            // None takes the text boxes' own undo, redo, copy or paste.
            for (auto standard :
                 {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Copy, QKeySequence::Paste,
                  QKeySequence::Cut, QKeySequence::SelectAll}) {
                QVERIFY2(!QKeySequence::keyBindings(standard).contains(key),
                         qPrintable(key.toString()));
            }
            shortcuts.insert(key);
        }
        QCOMPARE(shortcuts.size(), captions.size());

        // Alt+P opens it.
        QTest::keyClick(h.window.get(), Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(game->isVisible());
        QTest::keyClick(game, Qt::Key_Escape);
        QTRY_VERIFY(!game->isVisible());
    }

    void the_journal_window_shows_turns_players_and_scores() {
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        QVERIFY(journal);
        QVERIFY(journal->isVisible());
        QVERIFY(!journal->isModal());
        QCOMPARE(journal->windowTitle(), QStringLiteral("Journal de la partie"));
        play_two_turns(h, journal);

        QTableWidget* turns = table(journal, QStringLiteral("tours"));
        QCOMPARE(column(turns, 0), (QStringList{"1", "2"}));
        QCOMPARE(column(turns, 1), (QStringList{"Alice", "Bob"}));
        QCOMPARE(column(turns, 2), (QStringList{"LA CHAT DORS", "LE CHIT DORT"}));
        QCOMPARE(column(turns, 3), (QStringList{"8", "2"}));
        QCOMPARE(column(turns, 4), (QStringList{"2", "0"}));
        QTableWidget* scores = table(journal, QStringLiteral("classement"));
        QCOMPARE(column(scores, 1), (QStringList{"Alice", "Bob"}));
        QCOMPARE(column(scores, 2), (QStringList{"8", "2"}));

        // The name stays for the next turns until changed.
        h.type_into(h.ref(), QStringLiteral("un chat"));
        h.click(QStringLiteral("init"));
        play(h, QStringLiteral("un chut"));
        QCOMPARE(column(turns, 1), QStringList{"Bob"});
        QCOMPARE(column(scores, 1), QStringList{"Bob"});
    }

    void a_turns_player_is_corrected_in_the_journal() {
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        play_two_turns(h, journal);
        h.click(QStringLiteral("record"));
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));

        QTableWidget* turns = table(journal, QStringLiteral("tours"));
        turns->item(1, 1)->setText(QStringLiteral("Alice"));
        QTableWidget* scores = table(journal, QStringLiteral("classement"));
        QTRY_COMPARE(column(scores, 1), QStringList{"Alice"});
        QCOMPARE(column(scores, 2), QStringList{"10"});
        QCOMPARE(h.window->saved_marker(), QString());
    }

    void undo_and_redo_from_their_shortcuts() {
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        play_two_turns(h, journal);
        h.click(QStringLiteral("record"));
        h.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.window.get()));

        // Ctrl+Z in the proposal editor stays the editor's own undo.
        h.propal()->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(h.propal(), QStringLiteral("X"));
        QTest::keyClick(h.propal(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY2(!h.window->proposal().contains(QLatin1Char('X')),
                 qPrintable(h.window->proposal()));
        QCOMPARE(h.window->game().journal().current_game().turns.size(), std::size_t{2});
        QCOMPARE(h.window->found_text(), QStringLiteral("LE CHAT DORT"));

        h.window->set_proposal(QStringLiteral("AUTRE"));
        QTest::keyClick(h.propal(), Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(h.window->found_text(), QStringLiteral("L* CHAT DOR*"));
        QCOMPARE(h.window->remaining_letters(), QStringLiteral("E T "));
        QCOMPARE(h.caption(QStringLiteral("lettres_trouvées")), QStringLiteral("8"));
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("2"));
        QCOMPARE(h.window->proposal(), QStringLiteral("LE CHIT DORT"));
        QCOMPARE(h.window->saved_marker(), QString());
        QCOMPARE(h.window->game().state().saved_found, QStringLiteral("L* CHAT DOR*"));
        QCOMPARE(column(table(journal, QStringLiteral("tours")), 1), QStringList{"Alice"});
        h.click(QStringLiteral("bt_copier"));
        QCOMPARE(h.clipboard.held,
                 build_forum_message(QStringLiteral("L* CHAT DOR*"), 8, 2, QStringLiteral("E T ")));

        h.click(QStringLiteral("record"));
        QTest::keyClick(h.window.get(), Qt::Key_Y, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(h.window->found_text(), QStringLiteral("LE CHAT DORT"));
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("0"));
        QCOMPARE(h.window->saved_marker(), QString());
        QCOMPARE(column(table(journal, QStringLiteral("tours")), 1), (QStringList{"Alice", "Bob"}));
        auto* redo = h.window->findChild<QAction*>(QStringLiteral("mnu_retablir_tour"));
        QVERIFY(!redo->isEnabled());
    }

    void scoreboard_and_recap_go_to_the_clipboard() {
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        auto* recap = journal->findChild<QPushButton*>(QStringLiteral("bt_copier_recapitulatif"));
        h.type_into(h.ref(), QStringLiteral("le chat dort"));
        h.click(QStringLiteral("init"));
        name_next_player(journal, QStringLiteral("Alice"));
        play(h, QStringLiteral("la chat dors"));
        QVERIFY(!recap->isEnabled());
        name_next_player(journal, QStringLiteral("Bob"));
        play(h, QStringLiteral("le chit dort"));

        h.trigger(QStringLiteral("mnu_copier_classement"));
        const QString scores = QStringLiteral("[b][color=#FF0000]Classement[/color][/b]") + kCr +
                               QStringLiteral("1. [b]Alice[/b] : 8 lettres") + kCr +
                               QStringLiteral("2. [b]Bob[/b] : 2 lettres") + kCr;
        QCOMPARE(h.clipboard.held, scores);

        QVERIFY(recap->isEnabled());
        QTest::mouseClick(recap, Qt::LeftButton);
        QCOMPARE(h.clipboard.held,
                 QStringLiteral("[b][color=#FF0000]Partie terminée ![/color][/b]") + kCr +
                     QStringLiteral("[font=Courier New][size=5]LE CHAT "
                                    "DORT[/size][/font]") +
                     kCr + QStringLiteral("Trouvée en 2 tours.") + kCr + kCr + scores);
    }

    void a_repeat_is_flagged_without_a_box() {
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        h.type_into(h.ref(), QStringLiteral("le chat dort"));
        h.click(QStringLiteral("init"));
        play(h, QStringLiteral("la chat dors"));
        QVERIFY(!h.window->notice()->isVisible());
        play(h, QStringLiteral("la chat dors"));
        QVERIFY(h.boxes.shown.empty());
        QVERIFY(h.window->notice()->isVisible());
        QVERIFY2(h.window->notice()->text().contains(QStringLiteral("tour 1")),
                 qPrintable(h.window->notice()->text()));
        // In the desktop's own font, as a tooltip, not in the window's label font.
        QCOMPARE(h.window->notice()->font(), QApplication::font());
        QCOMPARE(h.caption(QStringLiteral("lettres_trouvées")), QStringLiteral("0"));
        QCOMPARE(column(table(journal, QStringLiteral("tours")), 5),
                 (QStringList{"", "reprise du tour 1"}));
        // The notice goes by itself.
        QTRY_VERIFY_WITH_TIMEOUT(!h.window->notice()->isVisible(), 15000);
    }

    void the_preview_follows_the_page() {
        WindowHarness h;
        h.trigger(QStringLiteral("mnu_apercu"));
        MessagePreview* preview = h.window->message_preview();
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(preview->windowTitle(), QStringLiteral("Aperçu du message"));
        const auto current_post = [&h] {
            return build_forum_message(h.window->found_text(),
                                       h.caption(QStringLiteral("lettres_trouvées")).toInt(),
                                       h.caption(QStringLiteral("lettres_restantes")).toInt(),
                                       h.window->remaining_letters());
        };
        QCOMPARE(preview->post(), current_post());
        h.type_into(h.ref(), QStringLiteral("le chat"));
        h.click(QStringLiteral("init"));
        QCOMPARE(preview->post(), current_post());
        play(h, QStringLiteral("lu thon"));
        QCOMPARE(preview->post(), current_post());
        const QString shown = preview->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY2(shown.contains(QStringLiteral("L* *H**")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("2 lettre(s) trouvée(s).")), qPrintable(shown));
        QVERIFY2(!shown.contains(QLatin1Char('[')), qPrintable(shown));
        // An edit of the letters by hand shows too.
        h.type_into(h.lettres(), QStringLiteral("A B"));
        QCOMPARE(preview->post(), current_post());
        play(h, QStringLiteral("le chat"));
        QVERIFY(preview->findChild<QTextBrowser*>()->toPlainText().contains(
            QStringLiteral("Bravo, c'est gagné !")));
    }

    void the_journal_is_saved_with_the_page_and_comes_back() {
        PageFile file;
        const QString path = made_file(file);
        {
            OpenWindow first(path);
            first.window->show_journal_window();
            name_next_player(first.window->journal_window(), QStringLiteral("Alice"));
            first.window->set_reference(QStringLiteral("LE CHAT"));
            first.window->start_game();
            first.window->set_proposal(QStringLiteral("LA CHAT"));
            first.window->play_turn();
            first.window->save_page();
            QCOMPARE(first.window->saved_marker(), QStringLiteral("Y"));
        }
        OpenWindow again(path);
        const GameJournal& journal = again.window->game().journal();
        QCOMPARE(journal.current_game().turns.size(), std::size_t{1});
        QCOMPARE(journal.current_game().turns[0].player, QStringLiteral("Alice"));
        QCOMPARE(journal.next_player(), QStringLiteral("Alice"));
        again.window->undo_turn();
        QCOMPARE(again.window->found_text(), QStringLiteral("** ****"));
        QCOMPARE(again.window->proposal(), QStringLiteral("LA CHAT"));
        // Back over "Initialiser" to the page the file held before the game.
        again.window->undo_turn();
        QCOMPARE(again.window->reference(), QStringLiteral("Vide"));
        QVERIFY(!journal.can_undo());
    }

    // A stored turn whose count its texts do not support shows the count its texts give; a
    // turn stored twice is not played twice, and the user is told once of the row not read.
    void a_damaged_journal_shows_only_what_its_texts_support() {
        PageFile file;
        const QString path = made_file(file);
        {
            OpenWindow first(path);
            first.window->set_reference(QStringLiteral("LE CHAT DORT"));
            first.window->start_game();
            for (const char* proposal : {"LA CHAT DORS", "LE CHIT DORT"}) {
                first.window->set_proposal(QString::fromUtf8(proposal));
                first.window->play_turn();
            }
            first.window->save_page();
            QCOMPARE(first.window->saved_marker(), QStringLiteral("Y"));
        }
        {
            vorlo::test::RawConnection raw(path);
            QVERIFY(
                raw.exec("UPDATE journal SET nb_lettres = 0, lettres_trouvées = 99999 "
                         "WHERE genre = 'tour' AND tour = 1"));
            QVERIFY(
                raw.exec("INSERT INTO journal SELECT * FROM journal WHERE genre = 'tour' AND "
                         "tour = 2"));
        }
        OpenWindow again(path);
        QCOMPARE(again.boxes.shown.size(), std::size_t{1});
        QCOMPARE(again.boxes.shown.front().icon, MessageIcon::Exclamation);
        QVERIFY(again.boxes.shown.front().text.startsWith(
            QStringLiteral("Une ligne du journal des parties")));
        QCOMPARE(again.window->game().journal().current_game().turns.size(), std::size_t{2});
        again.window->undo_turn();
        QCOMPARE(again.window->found_text(), QStringLiteral("L* CHAT DOR*"));
        QCOMPARE(again.window->remaining_count(), QStringLiteral("2"));
        QCOMPARE(again.window->found_count(), QStringLiteral("8"));
        again.window->copy_forum_message();
        QVERIFY(!again.clipboard.held.contains(QStringLiteral("Bravo")));
        QVERIFY(again.clipboard.held.contains(QStringLiteral("L* CHAT DOR*")));
        again.window->save_page();
        QCOMPARE(again.boxes.shown.size(), std::size_t{1});
    }

    // After a long use, the window starts from the latest games only; undo still goes back
    // through the earlier ones, and a save keeps every game.
    void a_long_history_comes_back_game_by_game() {
        PageFile file;
        const QString path = made_file(file);
        const QStringList references = {"UN", "DEUX", "TROIS", "QUATRE", "CINQ"};
        {
            OpenWindow first(path);
            for (const QString& reference : references) {
                first.window->set_reference(reference);
                first.window->start_game();
                first.window->set_proposal(QStringLiteral("X") + reference.mid(1));
                first.window->play_turn();
            }
            first.window->save_page();
            QCOMPARE(first.window->saved_marker(), QStringLiteral("Y"));
        }
        OpenWindow again(path);
        const GameJournal& journal = again.window->game().journal();
        QCOMPARE(journal.contents().games.size(), std::size_t{2});
        QCOMPARE(journal.contents().earlier_games, 4);  // the page the file began with first
        QCOMPARE(again.window->reference(), QStringLiteral("CINQ"));
        for (int game = 4; game >= 1; --game) {
            again.window->undo_turn();  // the turn
            again.window->undo_turn();  // "Initialiser"
            QCOMPARE(again.window->reference(), references.at(game - 1));
            QCOMPARE(journal.current_game().turns.size(), std::size_t{1});
        }
        again.window->undo_turn();
        again.window->undo_turn();
        QCOMPARE(again.window->reference(), QStringLiteral("Vide"));
        QVERIFY(!journal.can_undo());
        for (int step = 0; step < 10; ++step) {
            again.window->redo_turn();
        }
        QCOMPARE(again.window->reference(), QStringLiteral("CINQ"));
        again.window->save_page();
        QCOMPARE(again.window->saved_marker(), QStringLiteral("Y"));

        VorloDatabase stored;
        QVERIFY(stored.open(path, true).ok);
        const JournalContents whole = stored.read_journal();
        QCOMPARE(whole.games.size(), std::size_t{6});
        for (int game = 1; game <= 5; ++game) {
            QCOMPARE(whole.games.at(std::size_t(game)).start.reference, references.at(game - 1));
            QCOMPARE(whole.games.at(std::size_t(game)).turns.size(), std::size_t{1});
        }
    }
};

QTEST_MAIN(GameJournalWindowTest)
#include "test_game_journal_window.moc"
