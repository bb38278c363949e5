#include "ui/main_window/main_window.h"
#include "ui/windows/thread_window.h"

// "Lire le fil": the thread's window, the thread kept with the page, and its proposals
// played as turns of the game.
namespace vorlo {

void MainWindow::show_thread_window() {
    if (!thread_window_) {
        thread_window_ = new ThreadWindow(this);
        thread_window_->set_thread(thread_);
        thread_window_->set_game(game_at_hand());
        connect(thread_window_, &ThreadWindow::thread_changed, this, [this] {
            thread_ = thread_window_->thread();
            game_.mark_changed();
        });
        connect(thread_window_, &ThreadWindow::play_requested, this, &MainWindow::play_thread);
    }
    thread_window_->show();
    thread_window_->raise();
    thread_window_->activateWindow();
}

ThreadWindow* MainWindow::thread_window() const {
    return thread_window_;
}

// The game as the page holds it: what the thread's proposals are previewed against.
thread::GameAtHand MainWindow::game_at_hand() const {
    thread::GameAtHand game{game_.reference(), game_.found_text(), {}};
    if (!game_.journal().contents().games.empty()) {
        for (const Turn& turn : game_.journal().current_game().turns) {
            game.earlier_proposals << turn.proposal;
        }
    }
    return game;
}

// Each proposal in the thread's order as a turn of its author, as "Générer" plays it; a
// refused one stops there with the same box or dialog, and it and the ones after it stay
// listed. The next player typed in the journal stays the master's.
void MainWindow::play_thread(const QList<ThreadProposal>& proposals) {
    take_edits();
    const QString next_player = game_.journal().next_player();
    int played = 0;
    GameOutcome refused;
    for (const ThreadProposal& proposal : proposals) {
        const GameOutcome outcome = game_.play(proposal.proposal, proposal.author);
        if (!outcome.accepted()) {
            refused = outcome;
            break;
        }
        ++played;
    }
    game_.set_next_player(next_player);
    if (thread_window_) {
        thread_window_->mark_played(played);
        thread_window_->set_game(game_at_hand());
    }
    show_outcome(refused);
}

}  // namespace vorlo
