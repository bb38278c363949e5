#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vorlo {

// The forums a post can be written for. Classique is the program's own post, the default.
enum class PostingProfile { Classique, Phpbb3, Xenforo2, Smf2, Mybb, Discourse, TexteBrut };

enum class Markup { Bbcode, Markdown, Plain };

// How a forum reads the value of [size=...].
enum class SizeScale {
    None,     // no [size]
    Steps,    // a whole number from size_min to size_max
    Percent,  // a percentage from size_min to size_max
    Points,   // a number of points (or pixels) from size_min to size_max, or a step 1 to 7
    Named,    // a CSS keyword: xx-small, x-small, small, medium, large, x-large, xx-large
};

// What one forum renders and how a post for it is written. One row per profile.
struct ForumRules {
    PostingProfile profile;
    QString key;      // kept in the page file
    QString caption;  // in the profile choice
    Markup markup;
    QString line_end;  // after each line of the post
    // Bold red, for the counts and the titles; bold, for the names.
    QString strong_open, strong_close, bold_open, bold_close;
    // The puzzle's text (found text, proposal, sentence) in monospace, its characters shown
    // as they are; the remaining letters.
    QString (*puzzle)(const QString& text);
    QString letters_open, letters_close;
    // A player's name as text in the post.
    QString (*name)(const QString& name);
    // What the forum accepts: the tags it renders (lower case), those whose content it
    // shows as it stands, the tags its administrator may have turned off, its sizes.
    QStringList tags;
    QStringList inert_tags;
    QStringList optional_tags;
    SizeScale size_scale;
    int size_min, size_max;
};

// The table, in the order of the profile choice.
const std::vector<ForumRules>& forum_rules();
const ForumRules& rules_of(PostingProfile profile);
// The profile kept under `key`; nothing for an unknown key.
std::optional<PostingProfile> profile_from_key(const QString& key);

// Whether `value` is a size that the forum renders.
bool size_accepted(const ForumRules& rules, const QString& value);

}  // namespace vorlo
