#include "ui/main_window/main_window.h"
#include "ui/platform/message_boxes.h"
#include "ui/widgets/area_style.h"
#include "ui/widgets/colour_value.h"

// The twelve items of "Couleurs  et  Police": each choice shows at once and is stored at
// once. Each chooser opens on the area's current look; a cancel changes nothing.
namespace vorlo {

void MainWindow::choose_look(Look look, TextArea area) {
    StyledArea& target = styled_area(area);
    if (look == Look::Font) {
        const std::optional<FontChoice> font = platform_.choosers.choose_font(target.look_font());
        if (!font) {
            return;
        }
        target.apply_font({font->name, static_cast<double>(font->size), font->bold, font->italic});
        AreaAppearance chosen;
        chosen.font_name = font->name;
        chosen.font_size = font->size;
        chosen.bold = font->bold;
        chosen.italic = font->italic;
        store_look(area, chosen);
        return;
    }
    const std::optional<qint32> colour = platform_.choosers.choose_colour(
        look == Look::Background ? target.background() : target.text_colour());
    if (!colour) {
        return;
    }
    AreaAppearance chosen;
    if (look == Look::Background) {
        target.set_background(colour_from_value(*colour));
        chosen.background = *colour;
    } else {
        target.set_text_colour(colour_from_value(*colour));
        chosen.text_colour = *colour;
    }
    store_look(area, chosen);
}

void MainWindow::store_look(TextArea area, const AreaAppearance& look) {
    QString error;
    if (!database_.store_look(area, look, &error)) {
        // The storage's text already opens with the message's first line.
        platform_.boxes.show_message(MessageIcon::Exclamation, MessageButtons::Ok, error);
    }
}

}  // namespace vorlo
