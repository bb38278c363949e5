#include "engine/message_boxes.h"
#include "ui/area_style.h"
#include "ui/colour_value.h"
#include "ui/main_window.h"

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
        const auto name = std::pair{field_name("font_name", area), QVariant(font->name)};
        const auto size = std::pair{field_name("font_size", area), QVariant(font->size)};
        const auto bold = std::pair{field_name("font_bold", area), QVariant(font->bold)};
        const auto italic = std::pair{field_name("font_italic", area), QVariant(font->italic)};
        store_look(area == TextArea::Propal ? VorloDatabase::FieldValues{bold, italic, size, name}
                                            : VorloDatabase::FieldValues{name, size, bold, italic});
        return;
    }
    const std::optional<qint32> colour = platform_.choosers.choose_colour(
        look == Look::Background ? target.background() : target.text_colour());
    if (!colour) {
        return;
    }
    if (look == Look::Background) {
        target.set_background(colour_from_value(*colour));
        store_look({{field_name("fond", area), QVariant(*colour)}});
    } else {
        target.set_text_colour(colour_from_value(*colour));
        store_look({{field_name("police", area), QVariant(*colour)}});
    }
}

void MainWindow::store_look(const VorloDatabase::FieldValues& fields) {
    QString error;
    if (!database_.write_appearance(fields, &error)) {
        // The storage's text already opens with the message's first line.
        platform_.boxes.show_message(MessageIcon::Exclamation, MessageButtons::Ok, error);
    }
}

}  // namespace vorlo
