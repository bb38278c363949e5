#include "report/forum_message.h"
#include "report/game_posts.h"
#include "thread/forum_pages.h"
#include "thread/local_forum.h"
#include "ui/widgets/profile_choice.h"
#include "ui/widgets/side_window_place.h"
#include "ui/windows/journal_window.h"
#include "ui/windows/message_preview.h"
#include "ui/windows/thread_window.h"
#include "ui/windows/word_mismatch_window.h"
#include "window_harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextBrowser>

using namespace vorlo;
using namespace vorlo::testing;
using vorlo::test::Answer;
using vorlo::test::LocalForum;
using vorlo::test::PagePost;

namespace {

enum TurnColumn { kNumber, kPlayer, kProposal, kRevealed, kRemaining, kNote };
const QRect kScreen(0, 0, 1280, 800);  // set in main()

JournalWindow* open_journal(OpenWindow& w) {
    w.window->findChild<QAction*>(QStringLiteral("mnu_journal"))->trigger();
    JournalWindow* journal = w.window->journal_window();
    const bool shown = QTest::qWaitForWindowExposed(journal);
    w.window->activateWindow();  // back to the main window for the turns
    if (!shown ||
        !QTest::qWaitFor([&w] { return QApplication::activeWindow() == w.window.get(); })) {
        qWarning("the journal is not shown or the main window not active");
    }
    return journal;
}

template <typename T = QTableWidget>
T* child(const QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromUtf8(name));
}

// The next player's name, typed in the journal window (accents included).
void name_next(JournalWindow* journal, const QString& name) {
    auto* field = child<QLineEdit>(journal, "joueur_suivant");
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    for (const QChar c : name) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void start(WindowHarness& h, const QString& reference) {
    h.type_into(h.ref(), reference);
    h.click(QStringLiteral("init"));
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

QStringList turns_of(const MainWindow& window) {
    QStringList turns;
    for (const Turn& turn : window.game().journal().current_game().turns) {
        turns << turn.proposal + QLatin1Char('/') + turn.player;
    }
    return turns;
}

void click(const QWidget* window, const char* button) {
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

}  // namespace

// The journal, thread and preview windows beside the main window, on a 1280 x 800 screen.
class SideWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void a_side_window_opens_beside_the_main_window() {
        const QRect main(13, 13, 1040, 700), spare(0, 108, 356, 417);
        const QRect wide(0, 0, 1920, 1080);
        const struct {
            QRect screen, main, spare;
            int wanted_height;
            QRect place;
        } cases[] = {
            {wide, main, spare, 560, {1061, 13, 720, 560}},               // right of it
            {{0, 0, 1401, 800}, main, spare, 560, {1061, 13, 340, 560}},  // just the minimum
            {{0, 0, 1400, 800}, main, spare, 560, spare},  // one short: over the spare part
            {wide, {870, 13, 1040, 700}, spare, 560, {142, 13, 720, 560}},  // left of it
            {wide, {348, 13, 1560, 700}, spare, 560, {0, 13, 340, 560}},
            {{1280, 0, 1920, 1080}, {1293, 13, 1040, 700}, spare, 560, {2341, 13, 720, 560}},
            {kScreen, main, {0, 108, 300, 200}, 560, {0, 108, 340, 300}},
            {{0, 0, 1920, 600}, {13, 100, 1040, 480}, spare, 900, {1061, 0, 720, 600}},
            {kScreen, main, {0, 700, 356, 417}, 560, {0, 383, 356, 417}}};
        for (const auto& c : cases) {
            QCOMPARE(side_window_place(c.screen, c.main, c.spare, QSize(720, c.wanted_height),
                                       QSize(340, 300)),
                     c.place);
        }
    }

    void a_stored_place_is_used_while_its_title_bar_shows() {
        const std::pair<QRect, bool> frames[] = {
            {{1200, 200, 400, 400}, true}, {{1250, 200, 400, 400}, false},
            {{-300, 200, 400, 400}, true}, {{-370, 200, 400, 400}, false},
            {{300, -30, 400, 400}, false}, {{300, 790, 400, 400}, true},
            {{300, 800, 400, 400}, false}, {{2000, 100, 400, 400}, false}};
        for (const auto& [frame, reachable] : frames) {
            QVERIFY2(place_reachable(kScreen, frame) == reachable,
                     qPrintable(QString::number(frame.left())));
        }
    }

    // A tool window of the main window, hiding none of the controls a turn needs, even once a
    // long name and a repeat widened its columns; its place is kept across runs.
    void the_journal_stays_beside_and_keeps_its_place() {
        const QRect moved(420, 150, 520, 470);
        PageFile file;
        const QString path = made_file(file);
        {
            OpenWindow h(path);
            h.window->show();
            JournalWindow* journal = open_journal(h);
            QCOMPARE(journal->windowType(), Qt::Tool);
            QCOMPARE(journal->parentWidget(), h.window.get());
            name_next(journal, QStringLiteral("Maximilienne"));
            h.window->set_reference(QStringLiteral("LE CHAT"));
            h.window->start_game();
            for (const char* proposal : {"LU THON", "LA THON", "LU THON"}) {
                h.window->set_proposal(QString::fromUtf8(proposal));
                h.window->play_turn();
            }
            QCOMPARE(child(journal, "tours")->item(2, kNote)->text(),
                     QStringLiteral("reprise du tour 1"));
            QTRY_VERIFY(kScreen.contains(journal->frameGeometry()));
            for (const char* name : {"propal", "soluce", "Générer", "bt_copier", "Command1",
                                     "record", "lettres_trouvées", "lettres_restantes", "quit"}) {
                const QWidget* control = child<QWidget>(h.window.get(), name);
                QVERIFY2(!journal->frameGeometry().intersects(
                             QRect(control->mapToGlobal(QPoint(0, 0)), control->size())),
                         name);
            }
            journal->resize(moved.size());
            journal->move(moved.topLeft());
            QTRY_COMPARE(journal->frame_place(), moved);
            journal->close();
            h.window->save_page();
        }
        {
            OpenWindow w(path);
            w.window->show();
            JournalWindow* journal = open_journal(w);
            QCOMPARE(journal->frame_place(), moved);
            journal->move(moved.translated(-300, -60).topLeft());
            QTRY_COMPARE(journal->frame_place(), moved.translated(-300, -60));
            w.window->save_page();
            w.window->request_quit();  // left open, its place is kept as the program ends
            QCOMPARE(w.exit.ends, 1);
        }
        {
            OpenWindow w(path);
            w.window->show();
            QCOMPARE(open_journal(w)->frame_place(), moved.translated(-300, -60));
            QVERIFY(w.database.store_window_place(QStringLiteral("journal_partie"),
                                                  QRect(3000, 100, 500, 400)));
        }
        OpenWindow w(path);  // a place off the screen is not used again
        w.window->show();
        QVERIFY(kScreen.contains(open_journal(w)->frameGeometry()));
    }

    // Even at its smallest, the journal shows each turn whole but its proposal.
    void each_turn_shows_whole_but_its_proposal() {
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        const QString reference = QStringLiteral(
            "un éléphant ça trompe énormément dans la forêt tropicale où vivent les gorilles "
            "et les perroquets bavards de zoé");
        QString proposal = reference.toUpper();
        proposal.replace(QRegularExpression(QStringLiteral("[A-ZÉ]")), QStringLiteral("X"));
        proposal[0] = QLatin1Char('U');
        name_next(journal, QStringLiteral("Maximilienne"));
        start(h, reference);
        for (int i = 0; i < 3; ++i) {
            play(h, proposal);
        }
        journal->resize(journal->minimumSizeHint());
        QTableWidget* turns = child(journal, "tours");
        QTRY_COMPARE(turns->horizontalScrollBar()->maximum(), 0);
        const QFontMetrics metrics = turns->fontMetrics();
        const QHeaderView* header = turns->horizontalHeader();
        for (const int column : {kNumber, kPlayer, kRevealed, kNote}) {
            QVERIFY2(header->sectionSize(column) >
                         metrics.horizontalAdvance(turns->item(2, column)->text()),
                     qPrintable(QString::number(column)));
        }
        QCOMPARE(turns->item(0, kProposal)->toolTip(), proposal);
        QVERIFY(header->sectionSize(kProposal) < metrics.horizontalAdvance(proposal));
        QVERIFY(header->length() <= turns->viewport()->width());
    }

    // Opened after the turns or open while they are played.
    void the_newest_turn_is_in_view() {
        for (const bool open_first : {false, true}) {
            WindowHarness h;
            JournalWindow* journal = open_first ? open_journal(h) : nullptr;
            start(h, QStringLiteral("le chat"));
            for (int i = 0; i < 30; ++i) {
                play(h, i % 2 ? QStringLiteral("lu thon") : QStringLiteral("la thon"));
            }
            QTableWidget* turns = child(journal ? journal : open_journal(h), "tours");
            const auto in_view = [turns](int row) {
                return turns->viewport()->rect().contains(
                    turns->visualItemRect(turns->item(row, kNumber)));
            };
            QTRY_VERIFY(in_view(29));
            QVERIFY(!in_view(0));
            play(h, QStringLiteral("LE CHUT"));
            QTRY_VERIFY(in_view(30));
        }
    }

    // Turns and scores by player, each name offered once for completion; a player corrected
    // in the table moves the letters on the scoreboard; the recap only for a won game.
    void the_journal_shows_players_and_scores() {
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        auto* recap = child<QPushButton>(journal, "bt_copier_recapitulatif");
        start(h, QStringLiteral("le chat dort"));
        for (const char* player : {"Zoé", "", "Bob", "Zoé"}) {
            name_next(journal, QString::fromUtf8(player));
            play(h, QStringLiteral("la chat dors"));
        }
        QVERIFY(!recap->isEnabled());
        name_next(journal, QStringLiteral("Bob"));
        play(h, QStringLiteral("le chit dort"));
        QTableWidget* turns = child(journal, "tours");
        QCOMPARE(column(turns, kPlayer), (QStringList{"Zoé", "", "Bob", "Zoé", "Bob"}));
        QCOMPARE(column(turns, kRevealed), (QStringList{"8", "0", "0", "0", "2"}));
        QStringList offered;
        auto* model = child<QLineEdit>(journal, "joueur_suivant")->completer()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            offered << model->index(row, 0).data().toString();
        }
        QCOMPARE(offered, (QStringList{"Zoé", "Bob"}));
        QTableWidget* scores = child(journal, "classement");
        QCOMPARE(column(scores, 0), (QStringList{"1", "2"}));
        QCOMPARE(column(scores, 1), (QStringList{"Zoé", "Bob"}));
        QCOMPARE(column(scores, 2), (QStringList{"8", "2"}));
        QVERIFY(recap->isEnabled());
        QTest::mouseClick(recap, Qt::LeftButton);
        const std::vector<Score> board = h.window->game().journal().scoreboard();
        QCOMPARE(h.clipboard.held, build_recap_post(QStringLiteral("LE CHAT DORT"), 5, board));
        h.click(QStringLiteral("record"));
        turns->item(4, kPlayer)->setText(QStringLiteral("Zoé"));
        QTRY_COMPARE(column(scores, 2), (QStringList{"10", "0"}));
        QCOMPARE(h.window->saved_marker(), QString());
    }

    // Undo from its key while the proposal has the focus (its own Ctrl+Z stays the editor's),
    // redo from the journal's button: each brings back the page as the turn left it.
    void undo_and_redo_through_the_windows() {
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        start(h, QStringLiteral("le chat dort"));
        play(h, QStringLiteral("la chat dors"));
        play(h, QStringLiteral("le chit dort"));
        h.click(QStringLiteral("record"));
        h.propal()->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(h.propal(), QStringLiteral("X"));
        QTest::keyClick(h.propal(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!h.window->proposal().contains(QLatin1Char('X')));
        QCOMPARE(h.window->found_text(), QStringLiteral("LE CHAT DORT"));
        QTest::keyClick(h.propal(), Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(h.window->found_text(), QStringLiteral("L* CHAT DOR*"));
        QCOMPARE(h.window->remaining_letters(), QStringLiteral("E T "));
        QCOMPARE(h.window->found_count(), QStringLiteral("8"));
        QCOMPARE(h.window->remaining_count(), QStringLiteral("2"));
        QCOMPARE(h.window->proposal(), QStringLiteral("LE CHIT DORT"));
        QCOMPARE(h.window->saved_marker(), QString());
        h.click(QStringLiteral("record"));
        click(journal, "bt_retablir_tour");
        QCOMPARE(h.window->found_text(), QStringLiteral("LE CHAT DORT"));
        QCOMPARE(h.window->remaining_count(), QStringLiteral("0"));
        QCOMPARE(h.window->saved_marker(), QString());
        QVERIFY(!child<QPushButton>(journal, "bt_retablir_tour")->isEnabled());
        QVERIFY(!h.window->findChild<QAction*>(QStringLiteral("mnu_retablir_tour"))->isEnabled());
    }

    // After a restart the window starts from the latest games, its player kept; undo goes
    // back through every game to the page the file began with, redo comes forward again,
    // and a save keeps every game.
    void the_journal_comes_back_game_by_game() {
        PageFile file;
        const QString path = made_file(file);
        const QStringList references = {"UN", "DEUX", "TROIS", "QUATRE", "CINQ"};
        {
            OpenWindow first(path);
            first.window->show_journal_window();
            name_next(first.window->journal_window(), QStringLiteral("Zoé"));
            for (const QString& reference : references) {
                first.window->set_reference(reference);
                first.window->start_game();
                first.window->set_proposal(QStringLiteral("X") + reference.mid(1));
                first.window->play_turn();
            }
            first.window->save_page();
        }
        OpenWindow again(path);
        const GameJournal& journal = again.window->game().journal();
        QCOMPARE(journal.contents().games.size(), std::size_t{2});
        QCOMPARE(journal.next_player(), QStringLiteral("Zoé"));
        for (int game = 4; game >= 0; --game) {
            again.window->undo_turn();
            QCOMPARE(again.window->proposal(), QStringLiteral("X") + references[game].mid(1));
            again.window->undo_turn();
            QCOMPARE(again.window->reference(), game ? references[game - 1] : "Vide");
        }
        QVERIFY(!journal.can_undo());
        for (int step = 0; step < 10; ++step) {
            again.window->redo_turn();
        }
        QCOMPARE(again.window->found_text(), QStringLiteral("*INQ"));
        again.window->save_page();
        QCOMPARE(again.window->saved_marker(), QStringLiteral("Y"));
        again.database.close();
        VorloDatabase stored;
        QVERIFY(stored.open(path, true).ok);
        const JournalContents whole = stored.read_journal();
        QCOMPARE(whole.games.size(), std::size_t{6});
        QCOMPARE(whole.games.back().turns.at(0).player, QStringLiteral("Zoé"));
    }

    // The thread's new posts listed, the master's skipped, names as written, each proposal
    // previewed after the ticked ones before it; played as turns of their authors, a refused
    // one stopping the rest, the next player still the master's; once all the ticked ones are
    // played, every listed post is read; the thread comes back after a restart.
    void a_thread_plays_as_its_authors_turns() {
        const QList<PagePost> posts = {{"<b>Zoé</b>", {"Bonjour", "le chat mort"}, {}, {}, false},
                                       {"Maître", {"le chat dort"}, {}, {}, false},
                                       {"Jean-Éric", {"la chut dort"}, {}, {}, false},
                                       {"Max", {"la chat dort"}, {}, {}, false},
                                       {"Lou", {"Bravo à tous !"}, {}, {}, false}};
        LocalForum forum;
        forum.set("/viewtopic.php?t=7", Answer(200, test::phpbb_page(posts, 1, 1, 10)));
        WindowHarness h;
        start(h, QStringLiteral("le chat dort"));
        name_next(open_journal(h), QStringLiteral("Paul"));
        QTest::keyClick(h.window.get(), Qt::Key_L, Qt::ControlModifier | Qt::AltModifier);
        ThreadWindow* thread = h.window->thread_window();
        QVERIFY(thread && thread->isVisible());
        auto* table = child(thread, "messages_du_fil");
        child<QLineEdit>(thread, "adresse_fil")
            ->setText(forum.url("/viewtopic.php?t=7").toString());
        child<QLineEdit>(thread, "nom_meneur")->setText(QStringLiteral(" maître "));
        click(thread, "bt_lire");
        QTRY_COMPARE(column(table, 2), (QStringList{"<b>Zoé</b>", "Jean-Éric", "Max", "Lou"}));
        const QString after_zoe = column(table, 5).at(1);
        table->item(0, 0)->setCheckState(Qt::Unchecked);
        QVERIFY(column(table, 5).at(1) != after_zoe);
        table->item(0, 0)->setCheckState(Qt::Checked);
        qobject_cast<QComboBox*>(table->cellWidget(1, 4))
            ->setEditText(QStringLiteral("la chatte dort"));
        click(thread, "bt_jouer");
        QCOMPARE(turns_of(*h.window), QStringList{"LE CHAT MORT/<b>Zoé</b>"});
        QVERIFY(h.window->word_mismatch_window()->isVisible());
        QCOMPARE(thread->thread().last_post_number, 1);
        qobject_cast<QComboBox*>(table->cellWidget(0, 4))
            ->setEditText(QStringLiteral("la chut mort"));
        click(thread, "bt_jouer");
        QCOMPARE(turns_of(*h.window), (QStringList{"LE CHAT MORT/<b>Zoé</b>",
                                                   "LA CHUT MORT/Jean-Éric", "LA CHAT DORT/Max"}));
        QCOMPARE(h.soluce()->toPlainText(), QStringLiteral("LE CHAT DORT"));
        QCOMPARE(h.window->game().journal().next_player(), QStringLiteral("Paul"));
        QCOMPARE(table->rowCount(), 0);
        h.trigger(QStringLiteral("mnu_annuler_tour"));
        QCOMPARE(h.soluce()->toPlainText(), QStringLiteral("LE CHAT *ORT"));
        h.window->save_page();
        auto* master = child<QLineEdit>(thread, "nom_meneur");
        master->setText(QStringLiteral("Maître du jeu"));
        emit master->editingFinished();
        QCOMPARE(h.window->saved_marker(), QString());
        h.window->save_page();
        const thread_table::ThreadRecord kept = h.window->forum_thread();
        h.window.reset();
        h.database.close();
        OpenWindow reopened(h.file.path());
        QCOMPARE(reopened.window->forum_thread(), kept);
        QCOMPARE(kept.master_name, QStringLiteral("Maître du jeu"));
        QCOMPARE(kept.last_post_number, 5);
    }

    // The forum chosen in "Partie" writes what Copier and the scoreboard give.
    void copies_follow_the_forum() {
        const struct {
            const char *item, *copy;
            QStringList present, absent;
        } cases[] = {{nullptr, "bt_copier", {"[font=Courier New][size=5]L"}, {"Tour 1", "\n"}},
                     {"mnu_forum_discourse", "bt_copier", {"```", "**2**"}, {"[b]", "[font"}},
                     {"mnu_forum_texte", "bt_copier", {"L"}, {"[", "\\*"}},
                     {"mnu_message_detaille", "bt_copier", {"Tour 1", "Zoé", "LU THON"}, {}},
                     {nullptr, "mnu_copier_classement", {"[b]Zoé[/b]"}, {}},
                     {"mnu_forum_discourse", "mnu_copier_classement", {"Zoé"}, {"[b]"}}};
        for (const auto& c : cases) {
            WindowHarness h;
            name_next(open_journal(h), QStringLiteral("Zoé"));
            h.play_le_chat();
            if (c.item) {
                h.trigger(QString::fromUtf8(c.item));
            }
            c.copy[0] == 'b' ? h.click(QString::fromUtf8(c.copy)) : h.trigger(c.copy);
            for (const QString& fragment : c.present) {
                QVERIFY2(h.clipboard.held.contains(fragment), qPrintable(h.clipboard.held));
            }
            for (const QString& fragment : c.absent) {
                QVERIFY2(!h.clipboard.held.contains(fragment), qPrintable(h.clipboard.held));
            }
        }
    }

    void the_preview_follows_the_page_and_the_forum() {
        WindowHarness h;
        name_next(open_journal(h), QStringLiteral("[b]Bob"));
        h.trigger(QStringLiteral("mnu_apercu"));
        MessagePreview* preview = h.window->message_preview();
        QVERIFY(preview && preview->isVisible());
        h.play_le_chat();
        QVERIFY(child<QTextBrowser>(preview, "apercu")->toPlainText().contains("L* *H**"));
        h.type_into(h.lettres(), QStringLiteral("A B"));
        QCOMPARE(preview->post(), build_forum_message("L* *H**", 2, 4, "A B"));

        // The choice in the menu and in the preview is one, stored at once, the page unsaved
        // or not as it was; the name whose brackets the post changed is warned of.
        ProfileChoice* choice = preview->choice();
        std::vector<std::pair<PostingProfile, bool>> told;
        connect(choice, &ProfileChoice::choice_changed,
                [&told](PostingProfile p, bool d) { told.emplace_back(p, d); });
        h.trigger(QStringLiteral("mnu_forum_phpbb3"));
        QCOMPARE(choice->profile(), PostingProfile::Phpbb3);
        QVERIFY(told.empty());
        h.trigger(QStringLiteral("mnu_message_detaille"));
        QVERIFY(child<QCheckBox>(choice, "message_detaille")->isChecked());
        QVERIFY(!preview->post().contains("[font"));
        QVERIFY2(child<QLabel>(preview, "avertissements")->text().contains("Bob"),
                 qPrintable(preview->warnings().join('|')));
        h.click(QStringLiteral("record"));
        auto* forums = child<QComboBox>(choice, "profil_forum");
        forums->setCurrentIndex(forums->findText("Discourse", Qt::MatchStartsWith));
        QCOMPARE(told.size(), std::size_t{1});
        QVERIFY(h.window->findChild<QAction*>("mnu_forum_discourse")->isChecked());
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));
        h.window.reset();
        h.database.close();
        OpenWindow again(h.file.path());
        QCOMPARE(again.window->posting_profile(), PostingProfile::Discourse);
        QVERIFY(again.window->detailed_turn_post());
        QVERIFY(again.window->findChild<QAction*>("mnu_forum_discourse")->isChecked());
    }
};

// A screen of 1280 x 800 pixels, a laptop's.
int main(int argc, char** argv) {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("screen.json")));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1280,
                       "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
        return 1;
    }
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + file.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    SideWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_side_windows.moc"
