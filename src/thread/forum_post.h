#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>
#include <vector>

namespace vorlo::thread {

// The forums whose threads are read.
enum class ForumKind { PhpBB, XenForo, Discourse };

// The name stored with the game ("phpbb", "xenforo", "discourse") and back.
QString kind_name(ForumKind kind);
std::optional<ForumKind> kind_from_name(const QString& name);

// One post of a thread, as plain text.
struct ForumPost {
    int number = 0;  // its place in the thread, from 1
    QString id;      // the forum's own identifier of the post; may be empty
    QString author;
    QString time;  // as the forum shows it
    // The lines of its text once quotes, signatures, code, spoilers and images are left out;
    // blank lines dropped.
    QStringList lines;

    bool operator==(const ForumPost&) const = default;
};

// One page of a thread as read from the forum.
struct ThreadPage {
    ForumKind kind = ForumKind::PhpBB;
    std::vector<ForumPost> posts;
    int page_number = 1;  // from 1
    int page_count = 1;   // pages of the thread, as the page tells
    int per_page = 0;     // posts per page; 0 when the page does not tell
    // For Discourse: the difference between the highest post number and the number of
    // posts, which deleted posts leave.
    int missing_numbers = 0;
};

}  // namespace vorlo::thread
