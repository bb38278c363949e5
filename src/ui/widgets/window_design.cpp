#include "ui/widgets/window_design.h"

#include <QFontDatabase>

namespace vorlo::design {

namespace {

// The first of the designed families that the machine has, looked up once per run: the
// toolkit then loads it at once instead of searching the desktop's fonts for each family
// that is missing. When none is installed, the list goes as it is.
QStringList installed_family(const QStringList& designed) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : designed) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return {family};
        }
    }
    return designed;
}

QFont font_of(const QStringList& families, double points) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    return font;
}

}  // namespace

// Each designed family first, then look-alikes a Linux desktop has.
QStringList text_families() {
    return {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
            QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")};
}

QStringList label_families() {
    return {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
            QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")};
}

QFont text_font() {
    static const QStringList families = installed_family(text_families());
    return font_of(families, 14.25);
}

QFont label_font(double points, bool bold) {
    static const QStringList families = installed_family(label_families());
    QFont font = font_of(families, points);
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
