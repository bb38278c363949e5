#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

namespace vorlo {

// Font properties to give an area; an empty one keeps what the area has.
struct FontPatch {
    std::optional<QString> name;
    std::optional<double> size;  // points, fractions allowed
    std::optional<bool> bold;
    std::optional<bool> italic;
};

// One of the four text areas, as the stored appearance and the menus style it.
class StyledArea {
  public:
    virtual ~StyledArea() = default;
    virtual void set_background(const QColor& colour) = 0;
    virtual void set_text_colour(const QColor& colour) = 0;
    virtual void apply_font(const FontPatch& patch) = 0;

    // What the area shows now, for the choosers to open on.
    virtual QColor background() const = 0;
    virtual QColor text_colour() const = 0;
    virtual QFont look_font() const = 0;
};

}  // namespace vorlo
