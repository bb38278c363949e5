#include "ui/widgets/side_window_place.h"
#include "ui/windows/journal_window.h"
#include "window_harness.h"

#include <QCompleter>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

enum TurnColumn { kNumber, kPlayer, kProposal, kRevealed, kRemaining, kNote };

JournalWindow* open_journal(OpenWindow& w) {
    w.window->findChild<QAction*>(QStringLiteral("mnu_journal"))->trigger();
    JournalWindow* journal = w.window->journal_window();
    if (journal) {
        if (!QTest::qWaitForWindowExposed(journal)) {
            qWarning("the journal window is not exposed");
        }
    }
    return journal;
}

QTableWidget* turns_of(JournalWindow* journal) {
    return journal->findChild<QTableWidget*>(QStringLiteral("tours"));
}

void play(WindowHarness& h, const QString& proposal) {
    h.type_into(h.propal(), proposal);
    h.click(QStringLiteral("Générer"));
}

// Key events carrying their text, accents included.
void type_text(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QRect global_rect(const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

}  // namespace

// The journal window opens where it hides nothing the master needs, stays a tool window of
// the main window, keeps its place across runs, shows each turn whole but its proposal,
// follows the newest turn and completes the names of the players.
class JournalWindowPlaceTest : public QObject {
    Q_OBJECT

  private slots:
    void a_side_window_opens_beside_the_main_window_or_over_what_it_can_spare_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("spare");
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("place");
        const QRect main(13, 13, 1040, 700);  // right edge at 1052
        const QRect spare(0, 108, 356, 417);
        const QSize wanted(720, 560);
        const QSize minimum(340, 300);
        QTest::newRow("1280x800: over the spare part")
            << QRect(0, 0, 1280, 800) << main << spare << wanted << minimum << spare;
        QTest::newRow("wide screen: to the right")
            << QRect(0, 0, 1920, 1080) << main << spare << wanted << minimum
            << QRect(1061, 13, 720, 560);
        QTest::newRow("right room just holds the minimum")
            << QRect(0, 0, 1401, 800) << main << spare << wanted << minimum
            << QRect(1061, 13, 340, 560);
        QTest::newRow("right room one pixel short")
            << QRect(0, 0, 1400, 800) << main << spare << wanted << minimum << spare;
        QTest::newRow("main window on the right: to the left")
            << QRect(0, 0, 1920, 1080) << QRect(870, 13, 1040, 700) << spare << wanted << minimum
            << QRect(142, 13, 720, 560);
        QTest::newRow("left room just holds the minimum")
            << QRect(0, 0, 1920, 1080) << QRect(348, 13, 1560, 700) << spare << wanted << minimum
            << QRect(0, 13, 340, 560);
        QTest::newRow("second screen to the right of the first")
            << QRect(1280, 0, 1920, 1080) << QRect(1293, 13, 1040, 700) << spare << wanted
            << minimum << QRect(2341, 13, 720, 560);
        QTest::newRow("spare part smaller than the minimum")
            << QRect(0, 0, 1280, 800) << main << QRect(0, 108, 300, 200) << wanted << minimum
            << QRect(0, 108, 340, 300);
        QTest::newRow("taller than the screen beside: kept on it")
            << QRect(0, 0, 1920, 600) << QRect(13, 100, 1040, 480) << spare << QSize(720, 900)
            << minimum << QRect(1061, 0, 720, 600);
        QTest::newRow("spare part near the bottom: kept on the screen")
            << QRect(0, 0, 1280, 800) << main << QRect(0, 700, 356, 417) << wanted << minimum
            << QRect(0, 383, 356, 417);
    }
    void a_side_window_opens_beside_the_main_window_or_over_what_it_can_spare() {
        QFETCH(QRect, screen);
        QFETCH(QRect, main);
        QFETCH(QRect, spare);
        QFETCH(QSize, wanted);
        QFETCH(QSize, minimum);
        QFETCH(QRect, place);
        QCOMPARE(side_window_place(screen, main, spare, wanted, minimum), place);
    }

    void a_stored_place_is_used_while_its_title_bar_is_on_the_screen_data() {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<bool>("reachable");
        QTest::newRow("on the screen") << QRect(300, 200, 400, 400) << true;
        QTest::newRow("partly off to the right") << QRect(1200, 200, 400, 400) << true;
        QTest::newRow("title too far right") << QRect(1250, 200, 400, 400) << false;
        QTest::newRow("partly off to the left") << QRect(-300, 200, 400, 400) << true;
        QTest::newRow("title too far left") << QRect(-370, 200, 400, 400) << false;
        QTest::newRow("title above the screen") << QRect(300, -30, 400, 400) << false;
        QTest::newRow("title at the bottom") << QRect(300, 790, 400, 400) << true;
        QTest::newRow("below the screen") << QRect(300, 800, 400, 400) << false;
        QTest::newRow("another screen's place") << QRect(2000, 100, 400, 400) << false;
    }
    void a_stored_place_is_used_while_its_title_bar_is_on_the_screen() {
        QFETCH(QRect, frame);
        QFETCH(bool, reachable);
        QCOMPARE(place_reachable(QRect(0, 0, 1280, 800), frame), reachable);
    }

    void the_journal_is_a_tool_window_that_hides_nothing_needed() {
        WindowHarness h;
        QCOMPARE(h.window->screen()->availableGeometry(), QRect(0, 0, 1280, 800));
        JournalWindow* journal = open_journal(h);
        QVERIFY(journal);
        QCOMPARE(journal->windowType(), Qt::Tool);
        QCOMPARE(journal->parentWidget(), h.window.get());
        const QRect frame = journal->frameGeometry();
        QVERIFY(QRect(0, 0, 1280, 800).contains(frame));
        for (const char* name : {"propal", "soluce", "Générer", "bt_copier", "Command1", "record",
                                 "lettres_trouvées", "lettres_restantes", "quit"}) {
            QVERIFY2(!frame.intersects(global_rect(h.find<QWidget>(QString::fromUtf8(name)))),
                     name);
        }
        QVERIFY(frame.intersects(global_rect(h.ref())));
        // Nor once a long name and a repeat have widened its columns.
        auto* next = journal->findChild<QLineEdit*>(QStringLiteral("joueur_suivant"));
        next->setFocus(Qt::MouseFocusReason);
        type_text(next, QStringLiteral("Maximilienne"));
        h.window->activateWindow();
        h.type_into(h.ref(), QStringLiteral("le chat"));
        h.click(QStringLiteral("init"));
        play(h, QStringLiteral("lu thon"));
        play(h, QStringLiteral("lu thon"));
        QCOMPARE(turns_of(journal)->item(1, kNote)->text(), QStringLiteral("reprise du tour 1"));
        QTRY_VERIFY(!journal->frameGeometry().intersects(global_rect(h.soluce())));
        QCOMPARE(turns_of(journal)->horizontalScrollBar()->maximum(), 0);
        // It stays above the main window: a click on the main window does not hide it.
        h.click(QStringLiteral("bt_copier"));
        QVERIFY(journal->isVisible());
    }

    void the_journal_keeps_its_place_across_runs() {
        PageFile file;
        const QString path = made_file(file);
        const QRect moved(420, 150, 520, 470);
        {
            OpenWindow w(path);
            w.window->show();
            JournalWindow* journal = open_journal(w);
            journal->resize(moved.size());
            journal->move(moved.topLeft());
            QTRY_COMPARE(journal->frame_place(), moved);
            journal->close();  // its place is kept when it closes
        }
        const QRect at_quit(60, 90, 600, 500);
        {
            OpenWindow w(path);
            w.window->show();
            JournalWindow* journal = open_journal(w);
            QCOMPARE(journal->frame_place(), moved);
            journal->resize(at_quit.size());
            journal->move(at_quit.topLeft());
            QTRY_COMPARE(journal->frame_place(), at_quit);
            // Left open, it keeps its place when the program ends.
            w.window->set_reference(QStringLiteral("LE CHAT"));
            w.window->save_page();
            w.window->request_quit();
            QCOMPARE(w.exit.ends, 1);
        }
        {
            OpenWindow w(path);
            w.window->show();
            QCOMPARE(open_journal(w)->frame_place(), at_quit);
        }
        // A place that is no longer on the screen is not used again.
        VorloDatabase database;
        QVERIFY(database.open(path).ok);
        QVERIFY(database.store_window_place(QStringLiteral("journal_partie"),
                                            QRect(3000, 100, 500, 400)));
        database.close();
        OpenWindow w(path);
        w.window->show();
        QVERIFY(QRect(0, 0, 1280, 800).contains(open_journal(w)->frameGeometry()));
    }

    void each_turn_shows_whole_but_its_proposal_data() {
        QTest::addColumn<bool>("smallest");
        QTest::newRow("as it opens") << false;
        QTest::newRow("at its smallest") << true;
    }
    void each_turn_shows_whole_but_its_proposal() {
        QFETCH(bool, smallest);
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        const QString reference = QStringLiteral(
            "un éléphant ça trompe énormément dans la forêt tropicale où vivent les gorilles "
            "et les perroquets bavards de zoé");
        QCOMPARE(reference.size(), 112);
        QString proposal = reference.toUpper();
        proposal.replace(QRegularExpression(QStringLiteral("[A-ZÉ]")), QStringLiteral("X"));
        proposal[0] = QLatin1Char('U');
        auto* next = journal->findChild<QLineEdit*>(QStringLiteral("joueur_suivant"));
        next->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(next, QStringLiteral("Maximilienne"));
        h.type_into(h.ref(), reference);
        h.click(QStringLiteral("init"));
        for (int i = 0; i < 3; ++i) {
            play(h, proposal);  // the second and third are repeats of the first
        }
        if (smallest) {
            journal->resize(journal->minimumSizeHint());
        }
        QTableWidget* turns = turns_of(journal);
        QTRY_COMPARE(turns->horizontalScrollBar()->maximum(), 0);
        QVERIFY(!turns->horizontalScrollBar()->isVisible());
        const QFontMetrics metrics = turns->fontMetrics();
        const QHeaderView* header = turns->horizontalHeader();
        QCOMPARE(turns->item(2, kNote)->text(), QStringLiteral("reprise du tour 1"));
        QCOMPARE(turns->item(2, kPlayer)->text(), QStringLiteral("Maximilienne"));
        // The count left after the turn is in the tool tip of the letters it revealed.
        QCOMPARE(turns->item(0, kRevealed)->toolTip(),
                 turns->item(0, kRemaining)->text() + QStringLiteral(" lettre(s) restante(s)"));
        for (const int column : {kNumber, kPlayer, kRevealed, kNote}) {
            const QString widest = column == kNote ? QStringLiteral("reprise du tour 1")
                                                   : turns->item(2, column)->text();
            QVERIFY2(header->sectionSize(column) > metrics.horizontalAdvance(widest),
                     qPrintable(QString::number(column)));
        }
        const QString& shown = proposal;
        QCOMPARE(turns->item(0, kProposal)->toolTip(), shown);
        QVERIFY(header->sectionSize(kProposal) < metrics.horizontalAdvance(shown));
        // Every column lies in the table's visible width.
        QVERIFY(header->length() <= turns->viewport()->width());
    }

    void the_newest_turn_is_in_view_data() {
        QTest::addColumn<bool>("open_first");
        QTest::newRow("journal opened after the turns") << false;
        QTest::newRow("journal open while they are played") << true;
    }
    void the_newest_turn_is_in_view() {
        QFETCH(bool, open_first);
        WindowHarness h;
        JournalWindow* journal = open_first ? open_journal(h) : nullptr;
        h.type_into(h.ref(), QStringLiteral("le chat"));
        h.click(QStringLiteral("init"));
        for (int i = 0; i < 30; ++i) {
            play(h, i % 2 ? QStringLiteral("lu thon") : QStringLiteral("la thon"));
        }
        if (!journal) {
            journal = open_journal(h);
        }
        QTableWidget* turns = turns_of(journal);
        QCOMPARE(turns->rowCount(), 30);
        const auto in_view = [turns](int row) {
            return turns->viewport()->rect().contains(
                turns->visualItemRect(turns->item(row, kNumber)));
        };
        QTRY_VERIFY(in_view(29));
        QVERIFY(!in_view(0));
        play(h, QStringLiteral("LE CHUT"));  // typed while the journal has the focus
        QTRY_VERIFY(in_view(30));
    }

    void the_player_field_completes_from_the_games_players() {
        WindowHarness h;
        JournalWindow* journal = open_journal(h);
        auto* next = journal->findChild<QLineEdit*>(QStringLiteral("joueur_suivant"));
        QCompleter* completer = next->completer();
        QVERIFY(completer);
        h.type_into(h.ref(), QStringLiteral("le chat dort"));
        h.click(QStringLiteral("init"));
        const QStringList players = {"Zoé", "Bob", "Zoé", "", "Bérénice", "Bob"};
        for (const QString& player : players) {
            next->setFocus(Qt::MouseFocusReason);
            next->selectAll();
            QTest::keyClick(next, Qt::Key_Backspace);
            type_text(next, player);
            play(h, QStringLiteral("la chut dors"));
        }
        auto* model = completer->model();
        QStringList offered;
        for (int row = 0; row < model->rowCount(); ++row) {
            offered << model->index(row, 0).data().toString();
        }
        // Each name once, in the order they first played; no empty name.
        QCOMPARE(offered, (QStringList{"Zoé", "Bob", "Bérénice"}));

        next->setFocus(Qt::MouseFocusReason);
        next->selectAll();
        QTest::keyClick(next, Qt::Key_Backspace);
        type_text(next, QStringLiteral("bé"));
        QCOMPARE(completer->currentCompletion(), QStringLiteral("Bérénice"));
        QTRY_VERIFY(completer->popup()->isVisible());
        QTest::keyClick(completer->popup(), Qt::Key_Down);
        QTest::keyClick(completer->popup(), Qt::Key_Return);
        QCOMPARE(next->text(), QStringLiteral("Bérénice"));
        QCOMPARE(h.window->game().journal().next_player(), QStringLiteral("Bérénice"));
    }
};

// A screen of 1280 x 800 pixels, a laptop's.
int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString config = folder.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1280,
                       "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
        return 1;
    }
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    QApplication app(argc, argv);
    JournalWindowPlaceTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_journal_window_place.moc"
