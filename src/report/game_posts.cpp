#include "report/game_posts.h"

#include "report/forum_message.h"

namespace vorlo {

namespace {

QString letters_text(int letters) {
    return QString::number(letters) +
           (letters > 1 ? QStringLiteral(" lettres") : QStringLiteral(" lettre"));
}

}  // namespace

QString build_scoreboard_post(const std::vector<Score>& scores) {
    QString post = QStringLiteral("[b][color=#FF0000]Classement[/color][/b]") + kPostLineEnd;
    if (scores.empty()) {
        return post + QStringLiteral("Aucun joueur n'a encore joué.") + kPostLineEnd;
    }
    int rank = 0;
    for (const Score& score : scores) {
        post += QString::number(++rank) + QStringLiteral(". [b]") + bbcode_name(score.player) +
                QStringLiteral("[/b] : ") + letters_text(score.letters) + kPostLineEnd;
    }
    return post;
}

QString build_recap_post(const QString& sentence, int turns_played,
                         const std::vector<Score>& scores) {
    QString post = QStringLiteral("[b][color=#FF0000]Partie terminée ![/color][/b]") + kPostLineEnd;
    post += puzzle_text_line(sentence);
    post += QStringLiteral("Trouvée en ") + QString::number(turns_played) +
            (turns_played > 1 ? QStringLiteral(" tours.") : QStringLiteral(" tour.")) +
            kPostLineEnd;
    post += kPostLineEnd;
    return post + build_scoreboard_post(scores);
}

}  // namespace vorlo
