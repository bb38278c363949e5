#pragma once

#include <QString>

namespace vorlo {

// The two counts live only as label captions in plain decimal digits. A caption that is
// not a whole number reads as 0.
int caption_value(const QString& caption);
QString caption_text(int value);

}  // namespace vorlo
