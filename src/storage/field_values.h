#pragma once

#include "engine/puzzle_state.h"
#include "storage/database_schema.h"

#include <QString>
#include <QVariant>

#include <optional>

// What a value read from the file means for each kind of field, and what is stored for a
// value given by the program. Values read keep the storage class the engine gave them:
// text comes as QString, whole numbers as qlonglong, reals as double, Null as a null
// variant.
namespace vorlo::field_values {

inline constexpr int kMaxCount = kMaxTextLength;  // no count exceeds the text

std::optional<QString> text_of(const QVariant& stored);       // non-null text only
std::optional<int> count_of(const QVariant& stored);          // whole number, 0..600
std::optional<qint32> colour_of(const QVariant& stored);      // whole number, 32-bit
std::optional<QString> font_name_of(const QVariant& stored);  // non-empty text
std::optional<double> font_size_of(const QVariant& stored);   // number, > 0, 16-bit range
std::optional<bool> flag_of(const QVariant& stored);          // whole number 0 or 1

// The value to store in a field of "couleurs", or nothing when `given` does not suit it.
std::optional<QVariant> appearance_value(schema::AppearanceKind kind, const QVariant& given);

// A text to store: never Null, an empty text stays an empty string.
QString stored_text(const QString& text);

}  // namespace vorlo::field_values
