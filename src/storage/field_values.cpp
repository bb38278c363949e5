#include "storage/field_values.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace vorlo::field_values {

namespace {

constexpr double kMaxFontSize = std::numeric_limits<qint16>::max();
constexpr qint64 kMaxColour = 0xFFFFFF;

// Beyond this a double no longer holds every whole number exactly.
constexpr double kMaxExactWhole = 9007199254740992.0;  // 2^53

bool is_integer_type(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
            return true;
        default:
            return false;
    }
}

bool is_real_type(const QVariant& value) {
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

// A whole number, whether held as an integer or as a real without fraction.
std::optional<qint64> whole_number(const QVariant& value) {
    if (value.isNull()) {
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::ULongLong) {
        const qulonglong unsigned_value = value.toULongLong();
        if (unsigned_value > static_cast<qulonglong>(std::numeric_limits<qint64>::max())) {
            return std::nullopt;
        }
        return static_cast<qint64>(unsigned_value);
    }
    if (is_integer_type(value)) {
        return value.toLongLong();
    }
    if (is_real_type(value)) {
        const double real = value.toDouble();
        if (!std::isfinite(real) || std::trunc(real) != real || std::fabs(real) > kMaxExactWhole) {
            return std::nullopt;
        }
        return static_cast<qint64>(real);
    }
    return std::nullopt;
}

std::optional<qint64> whole_in_range(const QVariant& value, qint64 low, qint64 high) {
    const std::optional<qint64> number = whole_number(value);
    if (!number || *number < low || *number > high) {
        return std::nullopt;
    }
    return number;
}

std::optional<bool> flag_value(const QVariant& value) {
    if (!value.isNull() && value.typeId() == QMetaType::Bool) {
        return value.toBool();
    }
    const std::optional<qint64> number = whole_in_range(value, 0, 1);
    if (!number) {
        return std::nullopt;
    }
    return *number == 1;
}

std::optional<QVariant> stored_font_size(const QVariant& given) {
    if (given.isNull() || !(is_integer_type(given) || is_real_type(given))) {
        return std::nullopt;
    }
    const double size = std::round(given.toDouble());
    if (!std::isfinite(size) || size < 1 || size > kMaxFontSize) {
        return std::nullopt;
    }
    return QVariant(static_cast<int>(size));
}

}  // namespace

std::optional<QString> text_of(const QVariant& stored) {
    if (stored.isNull()) {
        return std::nullopt;
    }
    if (stored.typeId() == QMetaType::QString) {
        return stored.toString();
    }
    // Another tool may have stored a text made of digits as a number: it reads back as the
    // decimal text the engine itself would give it.
    if (stored.typeId() == QMetaType::ULongLong) {
        return QString::number(stored.toULongLong());
    }
    if (is_integer_type(stored)) {
        return QString::number(stored.toLongLong());
    }
    if (is_real_type(stored)) {
        return QString::number(stored.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    return std::nullopt;
}

std::optional<int> count_of(const QVariant& stored) {
    const std::optional<qint64> number = whole_in_range(stored, 0, kMaxCount);
    if (!number) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

std::optional<qint32> colour_of(const QVariant& stored) {
    const std::optional<qint64> number = whole_in_range(stored, std::numeric_limits<qint32>::min(),
                                                        std::numeric_limits<qint32>::max());
    if (!number) {
        return std::nullopt;
    }
    return static_cast<qint32>(*number);
}

std::optional<QString> font_name_of(const QVariant& stored) {
    std::optional<QString> name = text_of(stored);
    if (!name || name->isEmpty()) {
        return std::nullopt;
    }
    return name;
}

std::optional<double> font_size_of(const QVariant& stored) {
    if (stored.isNull() || !(is_integer_type(stored) || is_real_type(stored))) {
        return std::nullopt;
    }
    const double size = stored.toDouble();
    if (!std::isfinite(size) || size <= 0 || size > kMaxFontSize) {
        return std::nullopt;
    }
    return size;
}

std::optional<bool> flag_of(const QVariant& stored) {
    return flag_value(stored);
}

std::optional<QVariant> appearance_value(schema::AppearanceKind kind, const QVariant& given) {
    switch (kind) {
        case schema::AppearanceKind::Colour: {
            const std::optional<qint64> colour = whole_in_range(given, 0, kMaxColour);
            if (!colour) {
                return std::nullopt;
            }
            return QVariant(static_cast<qint32>(*colour));
        }
        case schema::AppearanceKind::FontName:
            if (given.isNull() || given.typeId() != QMetaType::QString) {
                return std::nullopt;
            }
            return QVariant(stored_text(given.toString()));
        case schema::AppearanceKind::FontSize:
            return stored_font_size(given);
        case schema::AppearanceKind::Flag: {
            const std::optional<bool> flag = flag_value(given);
            if (!flag) {
                return std::nullopt;
            }
            return QVariant(*flag ? 1 : 0);
        }
    }
    return std::nullopt;
}

QString stored_text(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

}  // namespace vorlo::field_values
