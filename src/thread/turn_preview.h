#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vorlo::thread {

// The game as the page shows it when the thread is read: what Générer plays against.
struct GameAtHand {
    QString reference;
    QString found_text;
    QStringList earlier_proposals;  // the current game's turns in order, as they were played
};

// What Générer would do with a proposal.
struct TurnPreview {
    enum class Outcome { Reveals, WrongWord, NoProposal, TooLong, NoGame };
    Outcome outcome = Outcome::NoProposal;
    int revealed = 0;     // letters it reveals
    int word_number = 0;  // the word that does not fit
    int repeat_of = 0;    // the turn of the game that played the same proposal; 0 if none
    QString proposal;     // as it would be played
};

// What Générer would do with each proposal, as the proposal editor holds it after its
// clean-up, played in turn from the game at hand: each one that fits changes the found text
// the next ones meet. An empty proposal is none.
std::vector<TurnPreview> preview_turns(const GameAtHand& game, const QStringList& proposals);
// The same for one proposal; when it fits, the game goes on from it (its found text and its
// turns).
TurnPreview preview_turn(GameAtHand& game, const QString& proposal);

// The preview in words, for the list of posts.
QString preview_text(const TurnPreview& preview);

}  // namespace vorlo::thread
