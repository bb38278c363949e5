#include "posting/forum_rules.h"
#include "storage/posting_table.h"
#include "ui/main_window/main_window.h"
#include "ui/platform/message_boxes.h"
#include "ui/widgets/profile_choice.h"
#include "ui/windows/message_preview.h"

#include <QActionGroup>
#include <QMenu>

// The forum the posts are written for: its submenu in "Partie", the choice kept in the page
// file, and the turn's post written for that forum.
namespace vorlo {

void MainWindow::build_posting_menu(QMenu* menu, QAction* before) {
    menu->insertSeparator(before);
    auto* forums = new QMenu(QStringLiteral("&Forum du message"), menu);
    menu->insertMenu(before, forums);
    forums->setObjectName(QStringLiteral("mnu_forum"));
    auto* group = new QActionGroup(forums);
    for (const ForumRules& rules : forum_rules()) {
        QAction* action = forums->addAction(rules.caption);
        action->setObjectName(QStringLiteral("mnu_forum_") + rules.key);
        action->setCheckable(true);
        group->addAction(action);
        const PostingProfile profile = rules.profile;
        connect(action, &QAction::triggered, this,
                [this, profile] { choose_posting(profile, detailed_); });
        profile_actions_.push_back(action);
    }
    forums->addSeparator();
    detailed_action_ = forums->addAction(QStringLiteral("Message de tour &détaillé"));
    detailed_action_->setObjectName(QStringLiteral("mnu_message_detaille"));
    detailed_action_->setCheckable(true);
    connect(detailed_action_, &QAction::triggered, this,
            [this](bool checked) { choose_posting(profile_, checked); });
    show_posting_choice();
}

void MainWindow::show_posting_choice() {
    for (std::size_t i = 0; i < profile_actions_.size(); ++i) {
        profile_actions_[i]->setChecked(forum_rules()[i].profile == profile_);
    }
    if (detailed_action_) {
        detailed_action_->setChecked(detailed_);
    }
    if (preview_) {
        preview_->choice()->set_choice(profile_, detailed_);
    }
}

// Stored at once, like the look of the areas: the page stays as saved or not.
void MainWindow::choose_posting(PostingProfile profile, bool detailed) {
    if (profile == profile_ && detailed == detailed_) {
        return;
    }
    profile_ = profile;
    detailed_ = detailed;
    show_posting_choice();
    refresh_preview();
    QString error;
    if (!database_.store_posting_choice({rules_of(profile).key, detailed}, &error)) {
        platform_.boxes.show_message(MessageIcon::Critical, MessageButtons::Ok, error);
    }
}

// The post of the page as the boxes show it; the richer post takes the last turn of the
// current game and the leading players from the journal.
QString MainWindow::turn_post_text() {
    TurnPostInput input;
    input.found_text = found_text();
    input.found_count = game_.found_count();
    input.remaining_count = game_.remaining_count();
    input.letters = remaining_letters();
    if (detailed_) {
        const Game& game = game_.journal().current_game();
        if (!game.turns.empty()) {
            const Turn& last = game.turns.back();
            input.turn_number = last.number;
            input.player = last.player;
            input.proposal = last.proposal;
        }
        input.scores = game_.journal().scoreboard();
    }
    return turn_post(profile_, input, detailed_);
}

}  // namespace vorlo
