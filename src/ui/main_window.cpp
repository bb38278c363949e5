#include "ui/main_window.h"

#include "engine/text_rules.h"
#include "ui/proposal_editor.h"
#include "ui/text_box.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>

namespace vorlo {

namespace {
const char* const kTagProperty = "tag";
}

MainWindow::MainWindow(PuzzleState& state, VorloDatabase& database, Platform platform)
    : state_(state),
      database_(database),
      platform_(platform),
      mismatch_(this, [this] { mark_bad_word(); }),
      engine_(state, *this, platform.boxes, mismatch_),
      session_(engine_, *this) {
    build_controls();
    build_menus();
    build_game_menu();
    layout()->setSizeConstraint(QLayout::SetFixedSize);  // nothing follows a resize
    set_tab_order();
    connect_events();
    connect_game_views();
    open_page();
}

MainWindow::~MainWindow() = default;

QString MainWindow::reference() const {
    return ref_->text();
}
void MainWindow::set_reference(const QString& text) {
    ref_->set_text(text);
}
QString MainWindow::found_text() const {
    return soluce_->text();
}
void MainWindow::set_found_text(const QString& text) {
    soluce_->set_text(text);
}
QString MainWindow::remaining_letters() const {
    return lettres_->text();
}
void MainWindow::set_remaining_letters(const QString& text) {
    lettres_->set_text(text);
}
QString MainWindow::proposal() const {
    return propal_->text();
}
void MainWindow::set_proposal(const QString& text) {
    propal_->set_text(text);
}
QString MainWindow::remaining_count() const {
    return remaining_count_->text();
}
void MainWindow::set_remaining_count(const QString& caption) {
    remaining_count_->setText(caption);
    emit counts_changed();
}
QString MainWindow::found_count() const {
    return found_count_->text();
}
void MainWindow::set_found_count(const QString& caption) {
    found_count_->setText(caption);
    emit counts_changed();
}

QString MainWindow::saved_marker() const {
    return record_->property(kTagProperty).toString();
}

void MainWindow::set_saved_marker(const QString& marker) {
    record_->setProperty(kTagProperty, marker);
}

void MainWindow::connect_events() {
    connect(ref_, &TextBox::focus_moved_away, this, &MainWindow::clean_reference_box);
    // Any change of the proposal's text means the page is no longer saved.
    connect(propal_, &ProposalEditor::text_edited, this, [this] { set_saved_marker({}); });
    connect(propal_, &ProposalEditor::focus_moved_away, this, &MainWindow::clean_proposal_box);
    connect(propal_, &ProposalEditor::mouse_pressed, this, &MainWindow::proposal_mouse_pressed);
    // What the middle button pasted goes through the same scan as the right button's paste.
    connect(propal_, &ProposalEditor::middle_button_released, this,
            [this] { set_proposal(strip_question_marks(proposal())); });

    const auto on_click = [this](const QString& name, auto action) {
        auto* button = findChild<QPushButton*>(name);
        Q_ASSERT(button);
        connect(button, &QPushButton::clicked, this, action);
    };
    on_click(QStringLiteral("init"), [this] { start_game(); });
    on_click(QStringLiteral("Générer"), [this] { play_turn(); });
    on_click(QStringLiteral("bt_copier"), [this] { copy_forum_message(); });
    on_click(QStringLiteral("Command1"), [this] { erase_proposal(); });
    on_click(QStringLiteral("record"), [this] { save_page(); });
    on_click(QStringLiteral("quit"), [this] { request_quit(); });
}

void MainWindow::clean_reference_box() {
    set_reference(clean_reference(reference()));
}

void MainWindow::clean_proposal_box() {
    set_proposal(clean_proposal(proposal()));
}

void MainWindow::proposal_mouse_pressed(Qt::MouseButton button) {
    // The pasted text is scanned before it is written, so that a large paste goes into the
    // editor once; the editor ends with the same text either way.
    const QString text =
        button == Qt::RightButton && proposal().isEmpty() ? platform_.clipboard.text() : proposal();
    set_proposal(strip_question_marks(text));
}

void MainWindow::mark_bad_word() {
    const TextRange range = bad_word_range(state_);
    propal_->colour_range(range.start, range.length, QColor(255, 0, 0));
}

}  // namespace vorlo
