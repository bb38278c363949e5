#include "engine/count_caption.h"

namespace vorlo {

int caption_value(const QString& caption) {
    bool ok = false;
    const int value = caption.trimmed().toInt(&ok);
    return ok ? value : 0;
}

QString caption_text(int value) {
    return QString::number(value);
}

}  // namespace vorlo
