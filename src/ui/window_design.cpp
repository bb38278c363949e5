#include "ui/window_design.h"

namespace vorlo::design {

namespace {

// Each designed family first, then look-alikes a Linux desktop has.
QFont font_of(const QStringList& families, double points) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    return font;
}

}  // namespace

QFont text_font() {
    return font_of({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")},
                   14.25);
}

QFont label_font(double points, bool bold) {
    QFont font = font_of({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")},
                         points);
    font.setBold(bold);
    return font;
}

QColor window_background() {
    // No desktop scheme here has such a colour: the classic light grey-blue of an
    // inactive title bar serves.
    return QColor(191, 205, 219);
}

QColor reference_background() {
    return QColor(255, 255, 192);
}
QColor found_background() {
    return QColor(192, 255, 255);
}
QColor letters_background() {
    return QColor(192, 255, 192);
}
QColor counter_colour() {
    return QColor(255, 0, 0);
}

}  // namespace vorlo::design
