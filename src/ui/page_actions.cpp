#include "engine/count_caption.h"
#include "engine/message_boxes.h"
#include "engine/messages.h"
#include "report/forum_message.h"
#include "ui/main_window.h"
#include "ui/proposal_editor.h"
#include "ui/quit_rules.h"
#include "ui/text_box.h"

#include <QCloseEvent>

// The actions on the page as a whole: save, clear, the forum message, quitting.
namespace vorlo {

void MainWindow::save_page() {
    if (reference().isEmpty()) {
        platform_.boxes.show_message(MessageIcon::Critical, MessageButtons::Ok,
                                     messages::no_reference());
        return;
    }
    const StoredPage page{reference(), found_text(), proposal(), remaining_letters(),
                          caption_value(remaining_count())};
    QString error;
    if (!database_.save_page(page, session_.journal().contents(), &error)) {
        // The storage's text already opens with the message's first line.
        platform_.boxes.show_message(MessageIcon::Critical, MessageButtons::Ok, error);
        return;
    }
    set_saved_marker(kSavedMarker);
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
    set_reference({});
    set_found_text({});
    set_proposal({});
    set_remaining_letters({});
    set_remaining_count(QStringLiteral("0"));
    ref_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::copy_forum_message() {
    platform_.clipboard.set_text(build_forum_message(found_text(), caption_value(found_count()),
                                                     caption_value(remaining_count()),
                                                     remaining_letters()));
}

void MainWindow::erase_proposal() {
    set_proposal({});
    propal_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::request_quit() {
    switch (decide_quit(reference(), saved_marker(), platform_.boxes)) {
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
                                 messages::version_box(state_.version));
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
