#pragma once

#include <QColor>

namespace vorlo {

// Colours are kept and stored as red + 256 * green + 65536 * blue.
qint32 colour_value(const QColor& colour);
// The colour of a stored value; only the three low bytes count.
QColor colour_from_value(qint32 value);

// A chooser's font size in whole points, a half going to the even neighbour.
int whole_points(double points);

}  // namespace vorlo
