#include "thread/forum_post.h"

namespace vorlo::thread {

QString kind_name(ForumKind kind) {
    switch (kind) {
        case ForumKind::PhpBB:
            return QStringLiteral("phpbb");
        case ForumKind::XenForo:
            return QStringLiteral("xenforo");
        case ForumKind::Discourse:
            return QStringLiteral("discourse");
    }
    return {};
}

std::optional<ForumKind> kind_from_name(const QString& name) {
    for (const ForumKind kind : {ForumKind::PhpBB, ForumKind::XenForo, ForumKind::Discourse}) {
        if (kind_name(kind) == name) {
            return kind;
        }
    }
    return std::nullopt;
}

}  // namespace vorlo::thread
