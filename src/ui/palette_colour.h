#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace vorlo {

// Gives one colour role of a widget's palette a new colour, keeping the others.
inline void set_palette_colour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

}  // namespace vorlo
