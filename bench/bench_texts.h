#pragma once

#include "engine/puzzle_state.h"

#include <QString>

namespace vorlo::bench {

// A French sentence in capitals, as the reference box holds it after its clean-up:
// accented capitals, elisions and punctuation.
inline QString french_sentence() {
    return QStringLiteral(
        "L'ÉTÉ DERNIER, À CÔTÉ DE L'ÉGLISE, ÇA SENTAIT LE PAIN D'ÉPICES ET LES CRÊPES "
        "QU'ON FAISAIT CUIRE POUR LA FÊTE DU VILLAGE. ");
}

// The sentence repeated up to the longest text the engine accepts.
inline QString full_length_text() {
    const QString sentence = french_sentence();
    QString text;
    while (text.size() < kMaxTextLength) {
        text += sentence;
    }
    text.truncate(kMaxTextLength);
    return text;
}

// The same text as a player types it, with a blank after each apostrophe; the word check
// joins these elisions back.
inline QString with_spaced_elisions(const QString& text) {
    QString spaced = text;
    spaced.replace(QLatin1Char('\''), QStringLiteral("' "));
    return spaced;
}

}  // namespace vorlo::bench
