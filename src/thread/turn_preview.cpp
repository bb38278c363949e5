#include "thread/turn_preview.h"

#include "engine/puzzle_state.h"
#include "engine/reveal.h"
#include "engine/word_fit.h"

#include <QHash>

namespace vorlo::thread {

namespace {

// What Générer does with the proposal against the found text, which it reveals in place
// when the proposal fits. The repeat is left to the callers.
TurnPreview evaluate(const QString& reference, QString& found, const QString& typed) {
    TurnPreview preview;
    preview.proposal = join_elisions(typed);
    if (found.isEmpty()) {
        preview.outcome = TurnPreview::Outcome::NoGame;
    } else if (preview.proposal.isEmpty()) {
        preview.outcome = TurnPreview::Outcome::NoProposal;
    } else if (preview.proposal.size() > kMaxTextLength || reference.size() > kMaxTextLength) {
        preview.outcome = TurnPreview::Outcome::TooLong;
    } else if (const auto mismatch =
                   find_word_mismatch(found.left(kMaxTextLength), preview.proposal)) {
        preview.outcome = TurnPreview::Outcome::WrongWord;
        preview.word_number = mismatch->word_number;
    } else {
        Reveal reveal = reveal_letters(reference, found, preview.proposal);
        preview.outcome = TurnPreview::Outcome::Reveals;
        preview.revealed = reveal.revealed;
        found = std::move(reveal.found_text);
    }
    return preview;
}

}  // namespace

TurnPreview preview_turn(GameAtHand& game, const QString& proposal) {
    TurnPreview preview = evaluate(game.reference, game.found_text, proposal);
    if (preview.outcome == TurnPreview::Outcome::Reveals) {
        preview.repeat_of = static_cast<int>(game.earlier_proposals.indexOf(preview.proposal)) + 1;
        game.earlier_proposals << preview.proposal;
    }
    return preview;
}

std::vector<TurnPreview> preview_turns(const GameAtHand& game, const QStringList& proposals) {
    std::vector<TurnPreview> previews;
    previews.reserve(static_cast<std::size_t>(proposals.size()));
    QString found = game.found_text;
    // The first turn that played each proposal, as the journal finds a repeat.
    QHash<QString, int> played;
    int turn = 0;
    const auto remember = [&played, &turn](const QString& proposal) {
        ++turn;
        if (!played.contains(proposal)) {
            played.insert(proposal, turn);
        }
    };
    for (const QString& earlier : game.earlier_proposals) {
        remember(earlier);
    }
    for (const QString& typed : proposals) {
        TurnPreview preview = evaluate(game.reference, found, typed);
        if (preview.outcome == TurnPreview::Outcome::Reveals) {
            const auto earlier = played.constFind(preview.proposal);
            ++turn;
            if (earlier == played.cend()) {
                played.insert(preview.proposal, turn);
            } else {
                preview.repeat_of = *earlier;
            }
        }
        previews.push_back(preview);
    }
    return previews;
}

QString preview_text(const TurnPreview& preview) {
    using Outcome = TurnPreview::Outcome;
    switch (preview.outcome) {
        case Outcome::Reveals: {
            const QString letters =
                preview.revealed == 1
                    ? QStringLiteral("juste : révèle 1 lettre")
                    : QStringLiteral("juste : révèle %1 lettres").arg(preview.revealed);
            return preview.repeat_of > 0
                       ? QStringLiteral("reprise du tour %1, ").arg(preview.repeat_of) + letters
                       : letters;
        }
        case Outcome::WrongWord:
            return QStringLiteral("refusée : le mot %1 n'a pas la bonne longueur")
                .arg(preview.word_number);
        case Outcome::NoProposal:
            return QStringLiteral("aucune proposition trouvée");
        case Outcome::TooLong:
            return QStringLiteral("refusée : plus de %1 caractères").arg(kMaxTextLength);
        case Outcome::NoGame:
            return QStringLiteral("aucune partie initialisée");
    }
    return {};
}

}  // namespace vorlo::thread
