#include "ui/widgets/colour_value.h"

#include <cmath>
#include <limits>

namespace vorlo {

qint32 colour_value(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return rgb.red() + 256 * rgb.green() + 65536 * rgb.blue();
}

QColor colour_from_value(qint32 value) {
    const auto bits = static_cast<quint32>(value);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

int whole_points(double points) {
    if (!std::isfinite(points) || points < 1) {
        return 1;
    }
    double rounded = std::floor(points);
    const double fraction = points - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    constexpr double kLargest = std::numeric_limits<qint16>::max();
    return static_cast<int>(rounded > kLargest ? kLargest : rounded);
}

}  // namespace vorlo
