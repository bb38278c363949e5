#pragma once

#include <QString>

#include <array>
#include <optional>

namespace vorlo {

// The four text areas, named by the suffix of their fields in "couleurs".
enum class TextArea { Ref, Soluce, Propal, Lettres };
inline constexpr std::array<TextArea, 4> kTextAreas = {TextArea::Ref, TextArea::Soluce,
                                                       TextArea::Propal, TextArea::Lettres};
QString area_suffix(TextArea area);  // "ref", "soluce", "propal", "lettres"

// Colours are red + 256 * green + 65536 * blue.
struct AreaAppearance {
    std::optional<qint32> background;   // fond_X
    std::optional<qint32> text_colour;  // police_X
    std::optional<QString> font_name;   // font_name_X
    std::optional<double> font_size;    // font_size_X, points
    std::optional<bool> bold;           // font_bold_X
    std::optional<bool> italic;         // font_italic_X
};

struct AppearanceSettings {
    std::array<AreaAppearance, 4> areas;  // indexed by TextArea
    AreaAppearance& operator[](TextArea a) { return areas[static_cast<std::size_t>(a)]; }
    const AreaAppearance& operator[](TextArea a) const {
        return areas[static_cast<std::size_t>(a)];
    }
};

}  // namespace vorlo
