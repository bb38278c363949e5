#include "posting/forum_posts.h"

#include "report/forum_message.h"
#include "report/game_posts.h"

#include <QRegularExpression>

#include <algorithm>

namespace vorlo {

namespace {

QString letters_text(int letters) {
    return QString::number(letters) +
           (letters > 1 ? QStringLiteral(" lettres") : QStringLiteral(" lettre"));
}

// The lines of one post, each followed by the forum's line end.
class Post {
  public:
    explicit Post(const ForumRules& rules) : rules_(rules) {}

    Post& line(const QString& text) {
        static const QRegularExpression ordered(QStringLiteral("^(\\d{1,9})\\. "));
        // A rank at the start of a line is text, not a Markdown list.
        text_ +=
            rules_.markup == Markup::Markdown ? QString(text).replace(ordered, "\\1\\. ") : text;
        text_ += rules_.line_end;
        return *this;
    }
    // The puzzle's text on a line of its own; an empty text makes no line.
    Post& puzzle(const QString& text) { return text.isEmpty() ? *this : line(rules_.puzzle(text)); }
    QString strong(const QString& text) const {
        return rules_.strong_open + text + rules_.strong_close;
    }
    QString name(const QString& player) const {
        return rules_.bold_open + rules_.name(player) + rules_.bold_close;
    }
    QString text() const { return text_; }

  private:
    const ForumRules& rules_;
    QString text_;
};

// Above the found text of a detailed turn post: the turn, its player and the proposal.
void add_turn_heading(Post& post, const TurnPostInput& input) {
    QString heading = QStringLiteral("Proposition");
    if (!input.player.trimmed().isEmpty()) {
        heading += QStringLiteral(" de ") + post.name(input.player);
    }
    if (input.turn_number > 0) {
        heading = post.strong(QStringLiteral("Tour ") + QString::number(input.turn_number)) +
                  QStringLiteral(" : ") + heading.at(0).toLower() + heading.mid(1);
    }
    post.line(heading + QStringLiteral(" :"));
    post.puzzle(input.proposal);
}

// Below a detailed turn post: the three leading players.
void add_leaders(Post& post, const std::vector<Score>& scores) {
    QStringList leaders;
    const std::size_t shown = std::min<std::size_t>(3, scores.size());
    for (std::size_t i = 0; i < shown; ++i) {
        leaders << QString::number(i + 1) + QStringLiteral(". ") + post.name(scores[i].player) +
                       QStringLiteral(" (") + letters_text(scores[i].letters) + QLatin1Char(')');
    }
    if (!leaders.isEmpty()) {
        post.line(QStringLiteral("En tête : ") + leaders.join(QStringLiteral(", ")));
    }
}

// Below a detailed winning post: the winner and the number of turns.
void add_winner(Post& post, const TurnPostInput& input) {
    if (input.player.trimmed().isEmpty() && input.turn_number <= 0) {
        return;  // nothing to tell
    }
    QString line = QStringLiteral("Trouvée");
    if (!input.player.trimmed().isEmpty()) {
        line += QStringLiteral(" par ") + post.name(input.player);
    }
    if (input.turn_number > 0) {
        line += QStringLiteral(" en ") + QString::number(input.turn_number) +
                (input.turn_number > 1 ? QStringLiteral(" tours") : QStringLiteral(" tour"));
    }
    post.line(line + QLatin1Char('.'));
}

bool shows_turn(const TurnPostInput& input) {
    return input.turn_number > 0 || !input.proposal.isEmpty();
}

}  // namespace

QString turn_post(PostingProfile profile, const TurnPostInput& input, bool detailed) {
    const ForumRules& rules = rules_of(profile);
    const bool won = input.remaining_count == 0;
    Post post(rules);
    if (detailed && !won && shows_turn(input)) {
        add_turn_heading(post, input);
    }
    QString body;  // from the found text to the remaining letters, or the winning line
    if (profile == PostingProfile::Classique) {
        body = build_forum_message(input.found_text, input.found_count, input.remaining_count,
                                   input.letters);
    } else {
        Post lines(rules);
        lines.puzzle(input.found_text);
        if (won) {
            lines.line(QString()).line(lines.strong(QStringLiteral("Bravo, c'est gagné !")));
        } else {
            lines.line(lines.strong(QString::number(input.found_count)) +
                       QStringLiteral(" lettre(s) trouvée(s)."));
            lines.line(lines.strong(QString::number(input.remaining_count)) +
                       QStringLiteral(" lettres à placer"));
            const QString letters = input.letters.trimmed();
            if (!letters.isEmpty()) {
                lines.line(rules.letters_open + letters + rules.letters_close);
            }
        }
        body = lines.text();
    }
    Post footer(rules);
    if (detailed && won) {
        add_winner(footer, input);
    } else if (detailed) {
        add_leaders(footer, input.scores);
    }
    return post.text() + body + footer.text();
}

QString scoreboard_post(PostingProfile profile, const std::vector<Score>& scores) {
    if (profile == PostingProfile::Classique) {
        return build_scoreboard_post(scores);
    }
    Post post(rules_of(profile));
    post.line(post.strong(QStringLiteral("Classement")));
    if (scores.empty()) {
        return post.line(QStringLiteral("Aucun joueur n'a encore joué.")).text();
    }
    int rank = 0;
    for (const Score& score : scores) {
        post.line(QString::number(++rank) + QStringLiteral(". ") + post.name(score.player) +
                  QStringLiteral(" : ") + letters_text(score.letters));
    }
    return post.text();
}

QString recap_post(PostingProfile profile, const QString& sentence, int turns_played,
                   const std::vector<Score>& scores) {
    if (profile == PostingProfile::Classique) {
        return build_recap_post(sentence, turns_played, scores);
    }
    Post post(rules_of(profile));
    post.line(post.strong(QStringLiteral("Partie terminée !")));
    post.puzzle(sentence);
    post.line(QStringLiteral("Trouvée en ") + QString::number(turns_played) +
              (turns_played > 1 ? QStringLiteral(" tours.") : QStringLiteral(" tour.")));
    post.line(QString());
    return post.text() + scoreboard_post(profile, scores);
}

}  // namespace vorlo
