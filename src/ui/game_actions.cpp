#include "engine/count_caption.h"
#include "report/forum_message.h"
#include "report/game_posts.h"
#include "ui/journal_window.h"
#include "ui/main_window.h"
#include "ui/message_preview.h"
#include "ui/text_box.h"
#include "ui/transient_notice.h"

#include <QMenuBar>
#include <QPushButton>

// The game kept turn by turn: the menu "Partie", the journal window, undo and redo, the
// scoreboard posts and the preview of the forum message.
namespace vorlo {

namespace {

struct GameItem {
    const char* name;
    QString caption;
    QKeySequence shortcut;
    void (MainWindow::*action)();
};

}  // namespace

// The shortcuts use Ctrl+Alt, which no text box takes: Ctrl+Z and Ctrl+Y stay the text
// boxes' own undo and redo.
void MainWindow::build_game_menu() {
    const GameItem items[] = {
        {"mnu_annuler_tour", QStringLiteral("Annuler le dernier tour"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z), &MainWindow::undo_turn},
        {"mnu_retablir_tour", QStringLiteral("Rétablir le tour"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Y), &MainWindow::redo_turn},
        {"mnu_journal", QStringLiteral("Journal de la partie"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_J), &MainWindow::show_journal_window},
        {"mnu_copier_classement", QStringLiteral("Copier le classement"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C), &MainWindow::copy_scoreboard},
        {"mnu_apercu", QStringLiteral("Aperçu du message"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A), &MainWindow::show_message_preview},
    };
    auto* menu = new QMenu(QStringLiteral("&Partie"), menuBar());
    menu->setObjectName(QStringLiteral("mnu_partie"));
    for (const GameItem& item : items) {
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(QLatin1String(item.name));
        action->setShortcut(item.shortcut);
        // The shortcuts work from the journal and preview windows too.
        action->setShortcutContext(Qt::ApplicationShortcut);
        connect(action, &QAction::triggered, this, item.action);
    }
    undo_action_ = menu->findChild<QAction*>(QStringLiteral("mnu_annuler_tour"));
    redo_action_ = menu->findChild<QAction*>(QStringLiteral("mnu_retablir_tour"));
    // Right after "Couleurs  et  Police", before "Version".
    QAction* version = findChild<QAction*>(QStringLiteral("mnu_version"));
    menuBar()->insertMenu(version, menu);

    notice_ = new TransientNotice(centralWidget());
}

void MainWindow::connect_game_views() {
    connect(this, &MainWindow::counts_changed, this, &MainWindow::refresh_preview);
    connect(soluce_, &QPlainTextEdit::textChanged, this, &MainWindow::refresh_preview);
    connect(lettres_, &QPlainTextEdit::textChanged, this, &MainWindow::refresh_preview);
}

void MainWindow::start_game() {
    if (session_.initialise()) {
        show_game_changes();
    }
}

void MainWindow::play_turn() {
    const std::optional<Turn> turn = session_.generate();
    if (!turn) {
        return;
    }
    if (turn->repeat_of != 0) {
        notice_->show_text(QStringLiteral("Proposition déjà jouée au tour %1 : elle ne révèle "
                                          "rien de nouveau.")
                               .arg(turn->repeat_of),
                           findChild<QPushButton*>(QStringLiteral("Générer")));
    }
    show_game_changes();
}

void MainWindow::undo_turn() {
    if (session_.undo()) {
        set_saved_marker({});
        show_game_changes();
    }
}

void MainWindow::redo_turn() {
    if (session_.redo()) {
        set_saved_marker({});
        show_game_changes();
    }
}

void MainWindow::copy_scoreboard() {
    platform_.clipboard.set_text(build_scoreboard_post(session_.journal().scoreboard()));
}

void MainWindow::copy_recap() {
    const Game& game = session_.journal().current_game();
    if (!game.won()) {
        return;
    }
    platform_.clipboard.set_text(build_recap_post(game.start.reference,
                                                  static_cast<int>(game.turns.size()),
                                                  session_.journal().scoreboard()));
}

void MainWindow::show_journal_window() {
    if (!journal_window_) {
        journal_window_ = new JournalWindow(this);
        GameJournal& journal = session_.journal();
        connect(journal_window_, &JournalWindow::next_player_typed, this,
                [&journal](const QString& name) { journal.set_next_player(name); });
        connect(journal_window_, &JournalWindow::player_corrected, this,
                [this, &journal](int turn_number, const QString& name) {
                    if (journal.rename_player(turn_number, name)) {
                        set_saved_marker({});  // the journal to save has changed
                    }
                    show_game_changes();
                });
        connect(journal_window_, &JournalWindow::copy_scoreboard_clicked, this,
                &MainWindow::copy_scoreboard);
        connect(journal_window_, &JournalWindow::copy_recap_clicked, this, &MainWindow::copy_recap);
        connect(journal_window_, &JournalWindow::undo_clicked, this, &MainWindow::undo_turn);
        connect(journal_window_, &JournalWindow::redo_clicked, this, &MainWindow::redo_turn);
        journal_window_->show_journal(session_.journal());
    }
    journal_window_->show();
    journal_window_->raise();
    journal_window_->activateWindow();
}

void MainWindow::show_message_preview() {
    if (!preview_) {
        preview_ = new MessagePreview(this);
        refresh_preview();
    }
    preview_->show();
    preview_->raise();
    preview_->activateWindow();
}

JournalWindow* MainWindow::journal_window() const {
    return journal_window_;
}

MessagePreview* MainWindow::message_preview() const {
    return preview_;
}

void MainWindow::show_game_changes() {
    const GameJournal& journal = session_.journal();
    undo_action_->setEnabled(journal.can_undo());
    redo_action_->setEnabled(journal.can_redo());
    if (journal_window_) {
        journal_window_->show_journal(journal);
    }
}

void MainWindow::refresh_preview() {
    if (preview_) {
        preview_->show_post(build_forum_message(found_text(), caption_value(found_count()),
                                                caption_value(remaining_count()),
                                                remaining_letters()));
    }
}

}  // namespace vorlo
