#include "ui/main_window/main_window.h"
#include "ui/main_window/messages.h"
#include "ui/main_window/quit_rules.h"
#include "ui/platform/message_boxes.h"
#include "ui/widgets/proposal_editor.h"
#include "ui/widgets/text_box.h"
#include "ui/widgets/transient_notice.h"

#include "ui/windows/journal_window.h"

#include <QCloseEvent>
#include <QPushButton>

// The actions on the page as a whole: save, clear, the forum message, quitting.
namespace vorlo {

void MainWindow::save_page() {
    take_edits();
    if (game_.reference().isEmpty()) {
        platform_.boxes.show_message(MessageIcon::Critical, MessageButtons::Ok,
                                     messages::no_reference());
        return;
    }
    const StoredPage page{game_.reference(), game_.found_text(), game_.proposal(),
                          game_.remaining_letters(), game_.remaining_count()};
    QString error;
    if (!database_.save_page(page, game_.journal().contents(), thread_, &error)) {
        // The storage's text already opens with the message's first line.
        platform_.boxes.show_message(MessageIcon::Critical, MessageButtons::Ok, error);
        return;
    }
    game_.mark_saved();
    notice_->show_text(QStringLiteral("Page enregistrée"), record_);
    tell_journal_notice();
}

// What the storage has to say once about the journal: rows it could not read, a journal
// kept under another name.
void MainWindow::tell_journal_notice() {
    const QString notice = database_.take_journal_notice();
    if (!notice.isEmpty()) {
        platform_.boxes.show_message(MessageIcon::Exclamation, MessageButtons::Ok, notice);
    }
}

void MainWindow::clear_page() {
    game_.clear_page();
    ref_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::copy_forum_message() {
    take_edits();
    platform_.clipboard.set_text(turn_post_text());
    notice_->show_text(QStringLiteral("Message copié"), copy_button_);
}

void MainWindow::erase_proposal() {
    set_proposal({});
    propal_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::request_quit() {
    take_edits();
    switch (decide_quit(game_.reference(), game_.saved_marker(), platform_.boxes)) {
        case QuitDecision::Stay:
            return;
        case QuitDecision::CloseDatabaseAndEnd:
            keep_open_window_places();
            database_.close();
            end_program();
            return;
        case QuitDecision::End:
            keep_open_window_places();
            end_program();
            return;
    }
}

// A side window still open at the end keeps its place for the next run.
void MainWindow::keep_open_window_places() {
    if (journal_window_ && journal_window_->isVisible()) {
        keep_journal_place();
    }
}

void MainWindow::end_program() {
    ending_ = true;
    platform_.exit.end_program();
}

void MainWindow::show_version() {
    platform_.boxes.show_message(MessageIcon::None, MessageButtons::Ok,
                                 messages::version_box(PuzzleGame::version()));
}

// A request to close the window, from its close box or the system, is refused; the quit
// rules then decide.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    event->ignore();
    request_quit();
}

}  // namespace vorlo
