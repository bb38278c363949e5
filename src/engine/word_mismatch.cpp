#include "engine/word_mismatch.h"

#include "engine/puzzle_state.h"

namespace vorlo {

TextRange bad_word_range(const PuzzleState& state) {
    if (state.bad_word_pos < 1 || state.bad_word.isEmpty()) {
        return {};
    }
    return {state.bad_word_pos - 1, static_cast<int>(state.bad_word.size())};
}

namespace mismatch_texts {
QString title() {
    return QStringLiteral("Vorlo");
}
QString sizes_differ() {
    return QStringLiteral("Les zones Texte trouvé et Proposition sont de tailles différentes.");
}
QString found_label() {
    return QStringLiteral("Texte trouvé =");
}
QString proposal_label() {
    return QStringLiteral("Texte proposé = ");
}
QString position_label() {
    return QStringLiteral("Position du mot = ");
}
QString please_correct() {
    return QStringLiteral("Merci de corriger le mot proposé et de resoumettre la vérification.");
}
QString ok_button() {
    return QStringLiteral("OK");
}
}  // namespace mismatch_texts

}  // namespace vorlo
