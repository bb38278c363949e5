#include "ui/main_window/main_window.h"

#include "engine/text_rules.h"
#include "ui/widgets/proposal_editor.h"
#include "ui/widgets/text_box.h"
#include "ui/widgets/text_limit.h"
#include "ui/widgets/transient_notice.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>

namespace vorlo {

namespace {
const char* const kTagProperty = "tag";
}

MainWindow::MainWindow(VorloDatabase& database, Platform platform)
    : database_(database), platform_(platform), mismatch_(this, [this] { mark_bad_word(); }) {
    build_controls();
    build_menus();
    build_game_menu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);  // nothing follows a resize
    set_tab_order();
    connect_game();
    connect_events();
    connect_game_views();
    open_page();
}

MainWindow::~MainWindow() = default;

QString MainWindow::reference() const {
    return ref_->text();
}
void MainWindow::set_reference(const QString& text) {
    game_.edit_reference(text);
}
QString MainWindow::found_text() const {
    return soluce_->text();
}
QString MainWindow::remaining_letters() const {
    return lettres_->text();
}
void MainWindow::set_remaining_letters(const QString& text) {
    game_.edit_letters(text);
}
QString MainWindow::proposal() const {
    return propal_->text();
}
void MainWindow::set_proposal(const QString& text) {
    game_.edit_proposal(text);
}
QString MainWindow::remaining_count() const {
    return remaining_count_->text();
}
QString MainWindow::found_count() const {
    return found_count_->text();
}

QString MainWindow::saved_marker() const {
    return record_->property(kTagProperty).toString();
}

// The window shows every change of the game at once; the saved marker is the tag of the
// button "Enregistrer", which the quit rules read.
void MainWindow::connect_game() {
    // A box that already shows the text, its line breaks as the box keeps them, is left as
    // it stands.
    const auto show_in = [](TextBox* box, const QString& text) {
        if (box->text() != text) {
            box->set_text(text);
        }
    };
    connect(&game_, &PuzzleGame::reference_changed, this,
            [this, show_in](const QString& text) { show_in(ref_, text); });
    connect(&game_, &PuzzleGame::found_text_changed, this,
            [this, show_in](const QString& text) { show_in(soluce_, text); });
    connect(&game_, &PuzzleGame::letters_changed, this,
            [this, show_in](const QString& text) { show_in(lettres_, text); });
    connect(&game_, &PuzzleGame::proposal_changed, this, [this](const QString& text) {
        if (propal_->last_text() != text) {
            propal_->set_text(text);
        }
    });
    connect(&game_, &PuzzleGame::counts_changed, this, [this](int remaining, int found) {
        remaining_count_->setText(QString::number(remaining));
        found_count_->setText(QString::number(found));
        emit counts_changed();
    });
    connect(&game_, &PuzzleGame::saved_marker_changed, this,
            [this](const QString& marker) { record_->setProperty(kTagProperty, marker); });
    connect(&game_, &PuzzleGame::journal_changed, this, &MainWindow::show_game_changes);
    record_->setProperty(kTagProperty, game_.saved_marker());
}

void MainWindow::take_edits() {
    game_.edit_reference(ref_->text());
    game_.edit_found_text(soluce_->text());
    game_.edit_letters(lettres_->text());
}

void MainWindow::connect_events() {
    connect(ref_, &TextBox::focus_moved_away, this, &MainWindow::clean_reference_box);
    // Any change of the proposal's text goes to the game, which then holds the page unsaved.
    connect(propal_, &ProposalEditor::text_edited, this,
            [this] { game_.edit_proposal(propal_->last_text()); });
    connect(propal_, &ProposalEditor::focus_moved_away, this, &MainWindow::clean_proposal_box);
    connect(propal_, &ProposalEditor::mouse_pressed, this, &MainWindow::proposal_mouse_pressed);
    // What the middle button pasted goes through the same scan as the right button's paste.
    connect(propal_, &ProposalEditor::middle_button_released, this,
            [this] { set_proposal(strip_question_marks(proposal())); });

    // Input that would make a box too long is refused where it comes in, and said beside it.
    connect(propal_, &ProposalEditor::text_refused, this,
            [this](qsizetype length) { refuse_long_text(length, propal_); });
    for (TextBox* box : {ref_, lettres_}) {
        connect(box, &TextBox::text_refused, this,
                [this, box](qsizetype length) { refuse_long_text(length, box); });
    }

    const auto on_click = [this](QPushButton* button, auto action) {
        connect(button, &QPushButton::clicked, this, action);
    };
    on_click(init_button_, [this] { start_game(); });
    on_click(generate_button_, [this] { play_turn(); });
    on_click(copy_button_, [this] { copy_forum_message(); });
    on_click(erase_proposal_button_, [this] { erase_proposal(); });
    on_click(record_, [this] { save_page(); });
    on_click(quit_button_, [this] { request_quit(); });
}

void MainWindow::clean_reference_box() {
    take_edits();
    set_reference(clean_reference(reference()));
}

void MainWindow::clean_proposal_box() {
    set_proposal(clean_proposal(proposal()));
}

void MainWindow::proposal_mouse_pressed(Qt::MouseButton button) {
    // The pasted text is scanned before it is written, so that a large paste goes into the
    // editor once; the editor ends with the same text either way.
    const bool pastes = button == Qt::RightButton && proposal().isEmpty();
    const QString text = pastes ? platform_.clipboard.text() : proposal();
    if (pastes && text.size() > kMaxBoxText) {
        refuse_long_text(text.size(), propal_);
        return;
    }
    set_proposal(strip_question_marks(text));
}

void MainWindow::refuse_long_text(qsizetype length, const QWidget* box) {
    notice_->show_text(text_refused_notice(length), box);
}

void MainWindow::mark_bad_word() {
    const PuzzleGame::Range range = game_.bad_word_range();
    propal_->colour_range(range.start, range.length, QColor(255, 0, 0));
}

}  // namespace vorlo
