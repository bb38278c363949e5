#include "ui/widgets/profile_choice.h"
#include "ui/windows/journal_window.h"
#include "ui/windows/message_preview.h"
#include "window_harness.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>

#include <optional>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

// LE CHAT and the proposal LU THON, played by `player` named in the journal window.
void play_named(WindowHarness& h, const QString& player) {
    h.trigger(QStringLiteral("mnu_journal"));
    auto* field = h.window->journal_window()->findChild<QLineEdit*>("joueur_suivant");
    h.type_into(field, player);
    h.play_le_chat();
}

}  // namespace

class TestPostingWiring : public QObject {
    Q_OBJECT
  private slots:
    // The forum chosen in the menu "Partie" writes what Copier and Copier le classement give;
    // the richer turn post takes the last turn from the journal.
    void copies_follow_the_forum_data() {
        QTest::addColumn<QString>("item");  // "" leaves the default
        QTest::addColumn<QString>("copy");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        const QString turn = QStringLiteral("bt_copier");
        const QString board = QStringLiteral("mnu_copier_classement");
        QTest::newRow("classique") << "" << turn << QStringList{"[font=Courier New][size=5]L"}
                                   << QStringList{"Tour 1", "\n"};
        QTest::newRow("phpbb has no font")
            << "mnu_forum_phpbb3" << turn << QStringList{"[b]"} << QStringList{"[font="};
        QTest::newRow("discourse in a code block")
            << "mnu_forum_discourse" << turn << QStringList{"```", "**2**"}
            << QStringList{"[b]", "[font"};
        QTest::newRow("plain text")
            << "mnu_forum_texte" << turn << QStringList{"L"} << QStringList{"[", "\\*"};
        QTest::newRow("detailed classique")
            << "mnu_message_detaille" << turn
            << QStringList{"Tour 1", "Zo\u00e9", "LU THON", "[font=Courier New][size=5]L"}
            << QStringList{};
        QTest::newRow("scoreboard classique")
            << "" << board << QStringList{"[b]Zo\u00e9[/b]"} << QStringList{};
        QTest::newRow("scoreboard discourse")
            << "mnu_forum_discourse" << board << QStringList{"Zo\u00e9"} << QStringList{"[b]"};
    }
    void copies_follow_the_forum() {
        QFETCH(QString, item);
        QFETCH(QString, copy);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        WindowHarness h;
        play_named(h, QStringLiteral("Zo\u00e9"));
        if (!item.isEmpty()) {
            h.trigger(item);
        }
        copy.startsWith("bt_") ? h.click(copy) : h.trigger(copy);
        for (const QString& fragment : present) {
            QVERIFY2(h.clipboard.held.contains(fragment), qPrintable(h.clipboard.held));
        }
        for (const QString& fragment : absent) {
            QVERIFY2(!h.clipboard.held.contains(fragment), qPrintable(h.clipboard.held));
        }
    }

    // The choice made in the preview is the menu's, is kept in the file at once and comes
    // back at the next start; the page's saved state does not change.
    void the_choice_survives_a_restart() {
        PageFile file;
        const QString path = made_file(file);
        {
            OpenWindow w(path);
            w.window->show_message_preview();
            auto* forums = w.window->message_preview()->findChild<QComboBox*>("profil_forum");
            forums->setCurrentIndex(
                forums->findText(QStringLiteral("Discourse"), Qt::MatchStartsWith));
            QCOMPARE(w.window->posting_profile(), PostingProfile::Discourse);
            QVERIFY(w.window->findChild<QAction*>("mnu_forum_discourse")->isChecked());
            QCOMPARE(w.window->saved_marker(), QString());
            w.window->findChild<QAction*>("mnu_message_detaille")->trigger();
        }
        OpenWindow again(path);
        QCOMPARE(again.window->posting_profile(), PostingProfile::Discourse);
        QVERIFY(again.window->detailed_turn_post());
        QVERIFY(again.window->findChild<QAction*>("mnu_forum_discourse")->isChecked());
        QVERIFY(!again.window->findChild<QAction*>("mnu_forum_classique")->isChecked());
        again.window->copy_forum_message();
        QVERIFY2(!again.clipboard.held.contains("[font"), qPrintable(again.clipboard.held));
    }

    // The preview shows the post as the chosen forum renders it and, under it, the warnings:
    // here a player's name whose brackets the post had to change.
    void the_preview_warns_of_a_bracketed_name() {
        WindowHarness h;
        play_named(h, QStringLiteral("[b]Bob"));
        h.trigger(QStringLiteral("mnu_apercu"));
        MessagePreview* preview = h.window->message_preview();
        QVERIFY(!preview->warnings().isEmpty());
        auto* shown = preview->findChild<QLabel*>("avertissements");
        QVERIFY(shown->isVisible());
        QVERIFY2(shown->text().contains("Bob"), qPrintable(shown->text()));
        auto* view = preview->findChild<QTextBrowser*>("apercu");
        QVERIFY(view->toPlainText().contains("L"));
        QVERIFY(!view->toPlainText().contains("[font"));
        h.trigger(QStringLiteral("mnu_forum_phpbb3"));
        QCOMPARE(preview->choice()->profile(), PostingProfile::Phpbb3);
        QVERIFY2(!preview->post().contains("[font"), qPrintable(preview->post()));
    }
};

QTEST_MAIN(TestPostingWiring)
#include "test_posting_wiring.moc"
