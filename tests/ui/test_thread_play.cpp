#include "thread/forum_pages.h"
#include "thread/local_forum.h"
#include "ui/windows/thread_window.h"
#include "ui/windows/word_mismatch_window.h"
#include "window_harness.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>

using namespace vorlo;
using namespace vorlo::testing;
using vorlo::test::Answer;
using vorlo::test::LocalForum;

namespace {

QList<test::PagePost> thread_posts() {
    return {
        {"Zoé", {"Bonjour", "le chat mort"}, {}, {}, false},
        {"Maître", {"le chat dort"}, {}, {}, false},
        {"Jean-Éric", {"la chut dort"}, {}, {}, false},
        {"Lou", {"Bravo à tous !"}, {}, {}, false},
        {"Max", {"la chat dort"}, {}, {}, false},
    };
}

QStringList turns_of(const MainWindow& window) {
    QStringList turns;
    for (const Turn& turn : window.game().journal().current_game().turns) {
        turns << turn.proposal + QLatin1Char('/') + turn.player;
    }
    return turns;
}

QComboBox* proposal_of(QTableWidget* table, int row) {
    return qobject_cast<QComboBox*>(table->cellWidget(row, 4));
}

}  // namespace

class TestThreadPlay : public QObject {
    Q_OBJECT

  private slots:
    // The thread read from the forum is played as turns of its authors, a refused proposal
    // stopping the rest; undo takes them back one by one; the thread survives a restart.
    void reads_plays_undoes_and_keeps_the_thread() {
        LocalForum forum;
        forum.set("/viewtopic.php?t=7", Answer(200, test::phpbb_page(thread_posts(), 1, 1, 10)));
        const QString address = forum.url("/viewtopic.php?t=7").toString();
        WindowHarness h;
        {
            QCOMPARE(h.window->findChild<QAction*>(QStringLiteral("mnu_lire_fil"))->shortcut(),
                     QKeySequence(QStringLiteral("Ctrl+Alt+L")));

            h.type_into(h.ref(), QStringLiteral("le chat dort"));
            h.click(QStringLiteral("init"));
            h.trigger(QStringLiteral("mnu_journal"));
            h.type_into(h.window->findChild<QLineEdit*>(QStringLiteral("joueur_suivant")),
                        QStringLiteral("Paul"));
            QTest::keyClick(h.window.get(), Qt::Key_L, Qt::ControlModifier | Qt::AltModifier);
            ThreadWindow* thread = h.window->thread_window();
            QVERIFY(thread && thread->isVisible());
            auto* table = thread->findChild<QTableWidget*>(QStringLiteral("messages_du_fil"));
            thread->findChild<QLineEdit*>(QStringLiteral("adresse_fil"))->setText(address);
            thread->findChild<QLineEdit*>(QStringLiteral("nom_meneur"))->setText("Maître");
            QTest::mouseClick(thread->findChild<QPushButton*>(QStringLiteral("bt_lire")),
                              Qt::LeftButton);
            QTRY_COMPARE(table->rowCount(), 4);
            QCOMPARE(table->item(2, 0)->checkState(), Qt::Unchecked);  // no proposal in it

            // Jean-Éric's proposal made too long: Zoé's plays, his opens the dialog and
            // stops the rest; corrected, it plays and Max's after it.
            proposal_of(table, 1)->setEditText(QStringLiteral("la chatte dort"));
            QTest::mouseClick(thread->findChild<QPushButton*>(QStringLiteral("bt_jouer")),
                              Qt::LeftButton);
            QCOMPARE(turns_of(*h.window), QStringList{"LE CHAT MORT/Zoé"});
            QVERIFY(h.window->word_mismatch_window() &&
                    h.window->word_mismatch_window()->isVisible());
            QCOMPARE(table->rowCount(), 3);
            QCOMPARE(thread->thread().last_post_number, 1);
            proposal_of(table, 0)->setEditText(QStringLiteral("la chut mort"));
            QTest::mouseClick(thread->findChild<QPushButton*>(QStringLiteral("bt_jouer")),
                              Qt::LeftButton);
            QCOMPARE(turns_of(*h.window), (QStringList{"LE CHAT MORT/Zoé", "LA CHUT MORT/Jean-Éric",
                                                       "LA CHAT DORT/Max"}));
            QCOMPARE(h.soluce()->toPlainText(), QStringLiteral("LE CHAT DORT"));
            QCOMPARE(table->rowCount(), 0);
            QCOMPARE(h.window->game().journal().next_player(), QStringLiteral("Paul"));
            QCOMPARE(h.window->saved_marker(), QString());

            // Undo takes the turns back one at a time, redo plays them again.
            h.trigger(QStringLiteral("mnu_annuler_tour"));
            QCOMPARE(turns_of(*h.window),
                     (QStringList{"LE CHAT MORT/Zoé", "LA CHUT MORT/Jean-Éric"}));
            QCOMPARE(h.soluce()->toPlainText(), QStringLiteral("LE CHAT *ORT"));
            h.trigger(QStringLiteral("mnu_annuler_tour"));
            QCOMPARE(turns_of(*h.window), QStringList{"LE CHAT MORT/Zoé"});
            h.trigger(QStringLiteral("mnu_annuler_tour"));
            QCOMPARE(turns_of(*h.window), QStringList{});
            QCOMPARE(h.soluce()->toPlainText(), QStringLiteral("** **** ****"));
            for (int turn = 0; turn < 3; ++turn) {
                h.trigger(QStringLiteral("mnu_retablir_tour"));
            }
            QCOMPARE(turns_of(*h.window).size(), 3);

            h.window->save_page();
            QCOMPARE(h.window->saved_marker(), PuzzleGame::saved_mark());
            // A change of the thread's settings is a change of the page.
            auto* master = thread->findChild<QLineEdit*>(QStringLiteral("nom_meneur"));
            master->setText(QStringLiteral("Maître du jeu"));
            emit master->editingFinished();
            QCOMPARE(h.window->saved_marker(), QString());
            QCOMPARE(h.window->forum_thread().master_name, QStringLiteral("Maître du jeu"));
            h.window->save_page();
            h.window.reset();
            h.database.close();
        }
        // The next start finds the thread and goes on after the last post read.
        OpenWindow reopened(h.file.path());
        const thread_table::ThreadRecord kept = reopened.window->forum_thread();
        QCOMPARE(kept.address, address);
        QCOMPARE(kept.master_name, QStringLiteral("Maître du jeu"));
        QCOMPARE(kept.forum_kind, QStringLiteral("phpbb"));
        QCOMPARE(kept.last_post_number, 5);
        QCOMPARE(turns_of(*reopened.window),
                 (QStringList{"LE CHAT MORT/Zoé", "LA CHUT MORT/Jean-Éric", "LA CHAT DORT/Max"}));
        reopened.window->show_thread_window();
        QCOMPARE(reopened.window->thread_window()->thread(), kept);
    }

    // A page file from before the thread gets its table when opened, and saves into it.
    void an_older_file_gets_the_table() {
        PageFile file;
        made_file(file);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "older");
            db.setDatabaseName(file.path());
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("DROP TABLE fil"));
            QVERIFY(!thread_table::exists(db));
            db.close();
        }
        QSqlDatabase::removeDatabase("older");
        {
            OpenWindow w(file.path());
            QCOMPARE(w.window->forum_thread(), thread_table::ThreadRecord{});
            w.window->set_reference(QStringLiteral("LE CHAT"));
            w.window->show_thread_window();
            auto* address = w.window->thread_window()->findChild<QLineEdit*>("adresse_fil");
            address->setText(QStringLiteral("http://127.0.0.1/t/1"));
            emit address->editingFinished();
            w.window->save_page();
            QVERIFY(w.boxes.shown.empty());
            w.database.close();
        }
        VorloDatabase database;
        QVERIFY(database.open(file.path()).ok);
        QCOMPARE(database.read_thread().address, QStringLiteral("http://127.0.0.1/t/1"));
    }
};

QTEST_MAIN(TestThreadPlay)
#include "test_thread_play.moc"
