#include "storage/appearance_settings.h"

namespace vorlo {

QString area_suffix(TextArea area) {
    switch (area) {
        case TextArea::Ref:
            return QStringLiteral("ref");
        case TextArea::Soluce:
            return QStringLiteral("soluce");
        case TextArea::Propal:
            return QStringLiteral("propal");
        case TextArea::Lettres:
            return QStringLiteral("lettres");
    }
    return {};
}

}  // namespace vorlo
