#include "engine/message_boxes.h"
#include "storage/stored_page.h"
#include "ui/colour_value.h"
#include "ui/frame_placement.h"
#include "ui/main_window.h"
#include "ui/proposal_editor.h"
#include "ui/text_box.h"
#include "ui/twips.h"

#include <QLabel>

#include <utility>

// The opening sequence of the main window: caption, place, the stored page and look.
namespace vorlo {

void MainWindow::open_page() {
    state_.start_up();
    setWindowTitle(windowTitle() + state_.version);
    place_frame_at(*this, QPoint(pixels(200), pixels(200)));
    set_found_count(QStringLiteral("0"));

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

    const StoredPage page = shown_page(stored);
    set_remaining_letters(*page.lettres);
    set_reference(*page.base);
    set_proposal(*page.propal);
    set_found_text(*page.result);
    set_remaining_count(QString::number(*page.nb_lettres));

    apply_stored_appearance(look);

    engine_.take_snapshot();
    state_.proposal_refused = false;

    session_.open(std::move(journal));
    // An earlier game that the file holds but cannot give is said, not passed over.
    session_.journal().set_earlier_game_reader([this](int before_number) {
        QString failure;
        std::optional<NumberedGame> earlier = database_.read_game_before(before_number, &failure);
        if (!failure.isEmpty()) {
            platform_.boxes.show_message(MessageIcon::Exclamation, MessageButtons::Ok, failure);
        }
        return earlier;
    });
    show_game_changes();
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
