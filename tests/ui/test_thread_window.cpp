#include "thread/forum_pages.h"
#include "thread/local_forum.h"
#include "thread/thread_messages.h"
#include "ui/windows/thread_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

using namespace vorlo;
using vorlo::test::Answer;
using vorlo::test::LocalForum;
using vorlo::test::PagePost;

namespace {

const thread::GameAtHand kGame{
    "QU'IL EST BEAU, A L'AUBE,", "**'** *** ****, * *'****,", {"QU'EL EST LOIN, A L'OUBE,"}};

QList<PagePost> posts() {
    return {
        {"<b>Zoé</b> & Cie",
         {"Bonjour", "qu'il est beau a l'aube"},
         "QU'IL EST BEAU, A L'EST,",
         {},
         true},
        {"Maître", {"qu'il est beau a l'aube"}, {}, {}, false},
        {"Jean-Éric", {"QU'EL EST LOIN A L'OUBE", "qu'il est laid a l'aube"}, {}, {}, false},
        {"Lou", {"Bravo à tous !"}, {}, {}, false},
        {"Max", {}, "QU'IL EST BEAU, A L'EST,", {}, false},
    };
}

struct Window {
    ThreadWindow window;
    QTableWidget* table = window.findChild<QTableWidget*>("messages_du_fil");
    QLabel* status = window.findChild<QLabel*>("etat_lecture");

    QStringList column(int column) const {
        QStringList texts;
        for (int row = 0; row < table->rowCount(); ++row) {
            texts << table->item(row, column)->text();
        }
        return texts;
    }
    QStringList ticked() const {
        QStringList rows;
        for (int row = 0; row < table->rowCount(); ++row) {
            rows << (table->item(row, 0)->checkState() == Qt::Checked ? "x" : "-");
        }
        return rows;
    }
    QComboBox* proposal(int row) const {
        return qobject_cast<QComboBox*>(table->cellWidget(row, 4));
    }
    void click(const char* name) {
        QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
    }
};

}  // namespace

class TestThreadWindow : public QObject {
    Q_OBJECT

  private slots:
    void reads_lists_and_hands_on_the_ticked_proposals() {
        LocalForum forum;
        forum.set("/viewtopic.php?t=7", Answer(200, test::phpbb_page(posts(), 1, 1, 10)));
        Window w;
        QSignalSpy changed(&w.window, &ThreadWindow::thread_changed);
        QSignalSpy played(&w.window, &ThreadWindow::play_requested);
        w.window.set_game(kGame);
        w.window.set_thread({forum.url("/viewtopic.php?t=7").toString(), {}, " maître ", 0, {}});
        w.window.show();
        w.click("bt_lire");
        QTRY_VERIFY(!w.window.reader().is_reading());
        QCOMPARE(w.status->text(), QStringLiteral("4 nouveaux messages sur 1 page lue."));
        QCOMPARE(w.column(1), QStringList({"1", "3", "4", "5"}));
        // Names are shown as they were written, never as markup.
        QCOMPARE(w.column(2), QStringList({"<b>Zoé</b> & Cie", "Jean-Éric", "Lou", "Max"}));
        QCOMPARE(w.ticked(), QStringList({"x", "x", "-", "-"}));
        QCOMPARE(w.proposal(0)->currentText(), QStringLiteral("QU'IL EST BEAU, A L'AUBE,"));
        QCOMPARE(w.proposal(2)->currentText(), QStringLiteral("BRAVO À TOUS !"));
        QCOMPARE(w.column(5), QStringList({"juste : révèle 17 lettres", "juste : révèle 0 lettres",
                                           "refusée : le mot 2 n'a pas la bonne longueur",
                                           "aucune proposition trouvée"}));
        QCOMPARE(w.window.thread().forum_kind, QStringLiteral("phpbb"));
        QCOMPARE(changed.count(), 1);

        // The other line of Jean-Éric's post, then the first one edited: the previews follow
        // the ticked proposals in turn.
        w.proposal(1)->setCurrentIndex(0);
        QCOMPARE(w.column(5).at(1), QStringLiteral("reprise du tour 1, juste : révèle 0 lettres"));
        w.table->item(0, 0)->setCheckState(Qt::Unchecked);
        QCOMPARE(w.column(5).at(1), QStringLiteral("reprise du tour 1, juste : révèle 11 lettres"));
        w.table->item(0, 0)->setCheckState(Qt::Checked);
        w.proposal(0)->setEditText("qu'il est beau a l'eau");
        QCOMPARE(w.column(5).at(0), QStringLiteral("refusée : le mot 3 n'a pas la bonne longueur"));
        w.proposal(0)->setEditText("qu'il est beau a l'aube");
        w.table->item(3, 0)->setCheckState(Qt::Checked);

        w.click("bt_jouer");
        QCOMPARE(played.count(), 1);
        const auto handed = played.at(0).at(0).value<QList<ThreadProposal>>();
        QCOMPARE(handed,
                 QList<ThreadProposal>({{"QU'IL EST BEAU, A L'AUBE,", "<b>Zoé</b> & Cie", 1, "101"},
                                        {"QU'EL EST LOIN, A L'OUBE,", "Jean-Éric", 3, "103"},
                                        {"", "Max", 5, "105"}}));
        // The second was refused: the first is played, the rest stays listed.
        w.window.mark_played(1);
        QCOMPARE(w.window.thread().last_post_number, 1);
        QCOMPARE(w.column(1), QStringList({"3", "4", "5"}));
        w.click("bt_jouer");
        w.window.mark_played(2);
        QCOMPARE(w.window.thread().last_post_number, 5);
        QCOMPARE(w.window.thread().last_post_id, QStringLiteral("105"));
        QCOMPARE(w.table->rowCount(), 0);

        // A failure says so and leaves the list as it was.
        w.window.paste_page({}, "une ligne");
        w.window.set_thread({forum.url("/autre").toString(), "phpbb", "maître", 5, "105"});
        w.click("bt_lire");
        QTRY_VERIFY(!w.window.reader().is_reading());
        QCOMPARE(w.status->text(), thread::messages::not_found());
        QCOMPARE(w.column(2), QStringList({""}));
    }

    void lists_a_pasted_page() {
        Window w;
        w.window.set_game(kGame);
        w.window.set_thread({"", "", "Maître", 501, "501"});
        w.window.paste_page(QString::fromUtf8(test::xenforo_page(posts(), 1, 1, 10)), "ignoré");
        QCOMPARE(w.column(1), QStringList({"3", "4", "5"}));
        QCOMPARE(w.status->text(), QStringLiteral("3 messages collés."));
        // Plain text: everything listed, nothing marked read when played.
        w.window.paste_page({},
                            "par Zoé » hier\nqu'il est beau a l'aube\npar Maître » hier\nBravo");
        QCOMPARE(w.column(2), QStringList({"Zoé"}));
        QSignalSpy played(&w.window, &ThreadWindow::play_requested);
        w.click("bt_jouer");
        QCOMPARE(played.count(), 1);
        w.window.mark_played(1);
        QCOMPARE(w.window.thread().last_post_number, 501);
    }
};

QTEST_MAIN(TestThreadWindow)
#include "test_thread_window.moc"
