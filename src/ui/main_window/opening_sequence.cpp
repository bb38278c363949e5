#include "storage/stored_page.h"
#include "ui/main_window/main_window.h"
#include "ui/platform/message_boxes.h"
#include "ui/widgets/colour_value.h"
#include "ui/widgets/frame_placement.h"
#include "ui/widgets/proposal_editor.h"
#include "ui/widgets/text_box.h"
#include "ui/widgets/text_limit.h"
#include "ui/widgets/twips.h"

#include <QLabel>

#include <utility>

// The opening sequence of the main window: caption, place, the stored page and look.
namespace vorlo {

void MainWindow::open_page() {
    setWindowTitle(windowTitle() + PuzzleGame::version());
    place_frame_at(*this, QPoint(pixels(200), pixels(200)));
    found_count_->setText(QString::number(game_.found_count()));

    // A read the engine fails is no empty page: showing one would let a save write it over
    // the stored page. The window then shows nothing of the file and says why.
    QString page_failure;
    QString look_failure;
    QString journal_failure;
    const StoredPage stored = database_.read_page(&page_failure);
    const AppearanceSettings look = database_.read_appearance(&look_failure);
    // The window needs the current game and the one before it; earlier games of a long
    // history are read when undo reaches them.
    JournalContents journal = database_.read_journal(&journal_failure, 2);
    for (const QString* failure : {&page_failure, &look_failure, &journal_failure}) {
        if (!failure->isEmpty()) {
            opening_failure_ = *failure;
            return;
        }
    }

    // A text no box could hold (another tool may have written one) is cut, and said.
    StoredPage page = shown_page(stored);
    qsizetype longest_cut = 0;
    for (std::optional<QString>* text : {&page.base, &page.result, &page.propal, &page.lettres}) {
        if ((*text)->size() > kMaxBoxText) {
            longest_cut = std::max(longest_cut, (*text)->size());
            (*text)->truncate(kMaxBoxText);
        }
    }
    game_.load({*page.base, *page.result, *page.lettres, *page.nb_lettres, 0}, *page.propal,
               std::move(journal),
               // An earlier game that the file holds but cannot give is said, not passed over.
               [this](int before_number) {
                   QString failure;
                   std::optional<NumberedGame> earlier =
                       database_.read_game_before(before_number, &failure);
                   if (!failure.isEmpty()) {
                       platform_.boxes.show_message(MessageIcon::Exclamation, MessageButtons::Ok,
                                                    failure);
                   }
                   return earlier;
               });
    apply_stored_appearance(look);
    if (longest_cut > 0) {
        platform_.boxes.show_message(MessageIcon::Exclamation, MessageButtons::Ok,
                                     stored_text_cut_notice(longest_cut));
    }
    tell_journal_notice();
}

StyledArea& MainWindow::styled_area(TextArea area) {
    switch (area) {
        case TextArea::Ref:
            return *ref_;
        case TextArea::Soluce:
            return *soluce_;
        case TextArea::Propal:
            return *propal_;
        case TextArea::Lettres:
            break;
    }
    return *lettres_;
}

// Each stored value stands alone: a missing one leaves the designed look of its area.
void MainWindow::apply_stored_appearance(const AppearanceSettings& settings) {
    for (TextArea area : {TextArea::Ref, TextArea::Propal, TextArea::Lettres, TextArea::Soluce}) {
        if (const auto& colour = settings[area].background) {
            styled_area(area).set_background(colour_from_value(*colour));
        }
    }
    for (TextArea area : {TextArea::Ref, TextArea::Soluce, TextArea::Lettres, TextArea::Propal}) {
        if (const auto& colour = settings[area].text_colour) {
            styled_area(area).set_text_colour(colour_from_value(*colour));
        }
    }
    for (TextArea area : {TextArea::Ref, TextArea::Soluce, TextArea::Lettres, TextArea::Propal}) {
        const AreaAppearance& look = settings[area];
        styled_area(area).apply_font({look.font_name, look.font_size, look.bold, look.italic});
    }
}

}  // namespace vorlo
