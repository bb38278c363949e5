#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Where the desktop lacks a designed font, its stand-in may be wider: the controls grow so
// that every caption shows whole, in their designed places.
namespace vorlo {

// A one-line label grows wider, to hold its caption or `widest` if longer; a word-wrapped
// label grows taller.
void fit_label(QLabel& label, const QString& widest = {});
// A button grows wider about its centre.
void fit_button(QPushButton& button);
// The control moves right, if need be, to stand `gap` pixels past the right edge of `left`.
void keep_right_of(QWidget& control, const QWidget& left, int gap);
// A fixed-size window grows to hold its controls with `margin` pixels to spare.
void fit_window_to_controls(QWidget& window, int margin);

}  // namespace vorlo
