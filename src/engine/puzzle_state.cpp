#include "engine/puzzle_state.h"

#include "engine/program_version.h"

namespace vorlo {

namespace {
const QString kCharset = QStringLiteral(".,(’)]'[²/*-ABCDEFGHIJKLMNOPQRSTUVWXYZÀÉÈÙÂÊÎËÔÛÄËÏÖÜÇŒÆ");
}

void PuzzleState::start_up() {
    version = QString::fromLatin1(kProgramVersion);
    bad_word_pos = 0;
    charset = kCharset;
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
