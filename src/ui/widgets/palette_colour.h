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

// A text area without the focus draws no selection: its characters show their own colours
// (a word marked in red reads red), and only the focused area shows a highlighted selection.
inline void hide_selection_when_unfocused(QWidget& widget) {
    QPalette palette = widget.palette();
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, Qt::NoBrush);
    palette.setBrush(QPalette::Inactive, QPalette::HighlightedText, Qt::NoBrush);
    widget.setPalette(palette);
}

}  // namespace vorlo
