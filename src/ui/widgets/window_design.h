#pragma once

#include <QColor>
#include <QFont>

// The designed look of the windows, before any stored appearance applies.
namespace vorlo::design {

// The designed families of the text areas ("Courier New" first) and of the labels and
// buttons ("MS Sans Serif" first), each followed by look-alikes a Linux desktop has.
QStringList text_families();
QStringList label_families();

// The designed fonts, in the first of their families that the machine has:
// "Courier New", 14.25 points: the four text areas.
QFont text_font();
// "MS Sans Serif" at the given size: labels and buttons (12 points), counters (15 points).
QFont label_font(double points = 12, bool bold = false);

// The window and its labels: the desktop's colour of an inactive title bar.
QColor window_background();
QColor reference_background();  // light yellow
QColor found_background();      // light cyan
QColor letters_background();    // light green
QColor counter_colour();        // red

}  // namespace vorlo::design
