#include "ui/main_window/main_window.h"
#include "ui/main_window/refusal_boxes.h"
#include "ui/widgets/frame_placement.h"
#include "ui/widgets/profile_choice.h"
#include "ui/widgets/side_window_place.h"
#include "ui/widgets/text_box.h"
#include "ui/widgets/transient_notice.h"
#include "ui/windows/journal_window.h"
#include "ui/windows/message_preview.h"
#include "ui/windows/thread_window.h"

#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

// The game kept turn by turn: the menu "Partie", the journal window, undo and redo, the
// scoreboard posts and the preview of the forum message.
namespace vorlo {

namespace {

// The journal window's row in the file's table of window places.
const QString kJournalPlace = QStringLiteral("journal_partie");

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
        {"mnu_lire_fil", QStringLiteral("Lire le fil…"),
         QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_L), &MainWindow::show_thread_window},
    };
    auto* menu = new QMenu(QStringLiteral("&Partie"), menuBar());
    menu->setObjectName(QStringLiteral("mnu_partie"));
    QAction* added[std::size(items)] = {};
    for (std::size_t i = 0; i < std::size(items); ++i) {
        const GameItem& item = items[i];
        QAction* action = added[i] = menu->addAction(item.caption);
        action->setObjectName(QLatin1String(item.name));
        action->setShortcut(item.shortcut);
        // The shortcuts work from the journal and preview windows too.
        action->setShortcutContext(Qt::ApplicationShortcut);
        connect(action, &QAction::triggered, this, item.action);
    }
    // "Lire le fil…" ends the menu, after the forum the posts are written for.
    build_posting_menu(menu, added[std::size(items) - 1]);
    undo_action_ = added[0];
    redo_action_ = added[1];
    // Right after "Couleurs  et  Police", before "Version".
    menuBar()->insertMenu(version_action_, menu);

    notice_ = new TransientNotice(centralWidget());
}

void MainWindow::connect_game_views() {
    connect(this, &MainWindow::counts_changed, this, &MainWindow::refresh_preview);
    connect(soluce_, &QPlainTextEdit::textChanged, this, &MainWindow::refresh_preview);
    connect(lettres_, &QPlainTextEdit::textChanged, this, &MainWindow::refresh_preview);
}

void MainWindow::start_game() {
    take_edits();
    show_outcome(game_.initialise());
}

void MainWindow::play_turn() {
    take_edits();
    const GameOutcome outcome = game_.evaluate();
    show_outcome(outcome);
    if (outcome.turn && outcome.turn->repeat_of != 0) {
        notice_->show_text(QStringLiteral("Proposition déjà jouée au tour %1 : elle ne révèle "
                                          "rien de nouveau.")
                               .arg(outcome.turn->repeat_of),
                           generate_button_);
    }
    const Game& game = game_.journal().current_game();
    if (outcome.turn && game.won()) {
        const int turns = static_cast<int>(game.turns.size());
        notice_->show_text(QStringLiteral("Partie gagnée en %1 %2")
                               .arg(turns)
                               .arg(turns == 1 ? QStringLiteral("tour") : QStringLiteral("tours")),
                           generate_button_);
    }
}

// A refusal shows its box; a word that does not fit opens the word-mismatch dialog.
void MainWindow::show_outcome(const GameOutcome& outcome) {
    if (outcome.kind == GameOutcome::Kind::Refused) {
        const RefusalBox box = refusal_box(outcome.refusal);
        platform_.boxes.show_message(box.icon, MessageButtons::Ok, box.text);
    } else if (outcome.kind == GameOutcome::Kind::WordMismatch && outcome.mismatch) {
        mismatch_.open_refusal(*outcome.mismatch);
    }
}

void MainWindow::undo_turn() {
    take_edits();
    game_.undo();
}

void MainWindow::redo_turn() {
    take_edits();
    game_.redo();
}

void MainWindow::copy_scoreboard() {
    platform_.clipboard.set_text(scoreboard_post(profile_, game_.journal().scoreboard()));
}

void MainWindow::copy_recap() {
    const Game& game = game_.journal().current_game();
    if (!game.won()) {
        return;
    }
    platform_.clipboard.set_text(recap_post(profile_, game.start.reference,
                                            static_cast<int>(game.turns.size()),
                                            game_.journal().scoreboard()));
}

void MainWindow::show_journal_window() {
    if (!journal_window_) {
        journal_window_ = new JournalWindow(this);
        connect(journal_window_, &JournalWindow::next_player_typed, &game_,
                &PuzzleGame::set_next_player);
        connect(journal_window_, &JournalWindow::player_corrected, &game_,
                &PuzzleGame::rename_player);
        connect(journal_window_, &JournalWindow::copy_scoreboard_clicked, this,
                &MainWindow::copy_scoreboard);
        connect(journal_window_, &JournalWindow::copy_recap_clicked, this, &MainWindow::copy_recap);
        connect(journal_window_, &JournalWindow::undo_clicked, this, &MainWindow::undo_turn);
        connect(journal_window_, &JournalWindow::redo_clicked, this, &MainWindow::redo_turn);
        connect(journal_window_, &JournalWindow::hidden, this, &MainWindow::keep_journal_place);
        journal_window_->show_journal(game_.journal());
        place_journal_window();
    }
    journal_window_->show();
    journal_window_->raise();
    journal_window_->activateWindow();
}

// The journal opens where it was last closed, when that place is still on the screen;
// otherwise beside the main window, or over the reference box when the screen has no room
// beside it: the reference is typed once a game, the proposal and the buttons are used at
// every turn.
void MainWindow::place_journal_window() {
    JournalWindow& journal = *journal_window_;
    const QRect screen = this->screen()->availableGeometry();
    const QMargins margins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize frame(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QSize minimum = journal.minimumSizeHint();
    QRect place;  // the frame's top-left and the inner size
    const std::optional<QRect> stored = database_.read_window_place(kJournalPlace);
    if (stored && place_reachable(screen, QRect(stored->topLeft(), stored->size() + frame))) {
        place = *stored;
    } else {
        const QRect reference(ref_->mapToGlobal(QPoint(0, 0)), ref_->size());
        const QRect spare(QPoint(screen.left(), reference.top()), reference.bottomRight());
        const QRect outer = side_window_place(screen, frameGeometry(), spare,
                                              journal.size() + frame, minimum + frame);
        place = QRect(outer.topLeft(), outer.size() - frame);
    }
    journal.resize(place.size().expandedTo(minimum));
    place_frame_at(journal, place.topLeft());
}

void MainWindow::keep_journal_place() {
    if (journal_window_) {
        database_.store_window_place(kJournalPlace, journal_window_->frame_place());
    }
}

void MainWindow::show_message_preview() {
    if (!preview_) {
        preview_ = new MessagePreview(this);
        preview_->choice()->set_choice(profile_, detailed_);
        connect(preview_->choice(), &ProfileChoice::choice_changed, this,
                &MainWindow::choose_posting);
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
    const GameJournal& journal = game_.journal();
    undo_action_->setEnabled(journal.can_undo());
    redo_action_->setEnabled(journal.can_redo());
    if (journal_window_) {
        journal_window_->show_journal(journal);
    }
    if (thread_window_) {
        thread_window_->set_game(game_at_hand());
    }
}

// The texts as the boxes show them, the letters the user may be typing included.
void MainWindow::refresh_preview() {
    if (preview_) {
        QStringList names;
        for (const Score& score : game_.journal().scoreboard()) {
            names << score.player;
        }
        preview_->show_post(profile_, turn_post_text(), names);
    }
}

}  // namespace vorlo
