#include "report/forum_message.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/messages.h"
#include "ui/main_window/quit_rules.h"
#include "ui/platform/message_boxes.h"
#include "ui/widgets/proposal_editor.h"
#include "ui/widgets/text_box.h"

#include <QCloseEvent>

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
    platform_.clipboard.set_text(build_forum_message(game_.found_text(), game_.found_count(),
                                                     game_.remaining_count(),
                                                     game_.remaining_letters()));
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
            database_.close();
            end_program();
            return;
        case QuitDecision::End:
            end_program();
            return;
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
