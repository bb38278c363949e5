#include "engine/puzzle_state.h"

#include "engine/program_version.h"

namespace vorlo {

const QString& charset_text() {
    static const QString charset =
        QStringLiteral(".,(’)]'[²/*-ABCDEFGHIJKLMNOPQRSTUVWXYZÀÉÈÙÂÊÎËÔÛÄËÏÖÜÇŒÆ");
    return charset;
}

void PuzzleState::start_up() {
    version = QString::fromLatin1(kProgramVersion);
    bad_word_pos = 0;
    charset = charset_text();
    charset_pos = 1;
    for (int i = 1; i <= charset.size(); ++i) {
        charset_table[static_cast<std::size_t>(i)] = charset.at(charset_pos - 1);
        ++charset_pos;
    }
    word_character_codes.fill(false);
    for (int i = 1; i <= kCharsetLength; ++i) {
        word_character_codes[charset_table[static_cast<std::size_t>(i)].unicode()] = true;
    }
}

}  // namespace vorlo
