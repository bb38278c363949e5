#include "engine/puzzle_game.h"

#include <QtTest>

using namespace vorlo;

namespace {

// "A^600" stands for 600 capital A; every other character stands for itself.
QString expand(const char* utf8) {
    const QString text = QString::fromUtf8(utf8);
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype digits = i + 2;
        while (digits < text.size() && text[digits].isDigit()) {
            ++digits;
        }
        if (i + 1 < text.size() && text[i + 1] == QLatin1Char('^') && digits > i + 2) {
            out += QString(text.mid(i + 2, digits - i - 2).toInt(), text[i]);
            i = digits - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

QString outcome_text(const GameOutcome& outcome) {
    switch (outcome.kind) {
        case GameOutcome::Kind::Accepted:
            return QStringLiteral("ok");
        case GameOutcome::Kind::NothingToDo:
            return QStringLiteral("nothing");
        case GameOutcome::Kind::WordMismatch:
            return QStringLiteral("word %1 %2/%3 @%4")
                .arg(outcome.mismatch->word_number)
                .arg(outcome.mismatch->found_word, outcome.mismatch->proposal_word)
                .arg(outcome.mismatch->proposal_start);
        case GameOutcome::Kind::Refused:
            break;
    }
    switch (outcome.refusal) {
        case Refusal::NoReference:
            return QStringLiteral("no reference");
        case Refusal::TextTooLong:
            return QStringLiteral("too long");
        case Refusal::NotInitialised:
            return QStringLiteral("not initialised");
        case Refusal::NoProposal:
            return QStringLiteral("no proposal");
        case Refusal::None:
            break;
    }
    return QStringLiteral("refused for no reason");
}

// One step of a game played on: "I" initialises from `text` (`after`: the reference as it
// then stands, the proposal emptied), "P" plays the proposal `text` (`after`: the proposal
// as evaluated), "R" and "F" only edit the reference or the found text. Then the page:
// found text, remaining letters, remaining count, found count, and what the step did.
struct Step {
    const char* op;
    const char* text;
    const char* after;
    const char* found;
    const char* letters;
    int remaining;
    int found_count;
    const char* outcome;
};

// clang-format off
const Step kGame[] = {
    // Nothing to play yet; a refusal changes nothing.
    {"P", "", "", "", "", 0, 0, "not initialised"},
    {"I", "", "", "", "", 0, 0, "no reference"},
    {"I", "LE CHAT", "LE CHAT", "** ****", "A C E H L T ", 6, 0, "ok"},
    {"P", "", "", "** ****", "A C E H L T ", 6, 0, "no proposal"},
    {"P", "A^601", "A^601", "** ****", "A C E H L T ", 6, 0, "too long"},
    // Exact positions only; the tally lists what is still hidden.
    {"P", "LA CHAS", "LA CHAS", "L* CHA*", "E T ", 2, 4, "ok"},
    // A second click on the same proposal plays nothing: the counts stay as they are.
    {"P", "LA CHAS", "LA CHAS", "L* CHA*", "E T ", 2, 4, "nothing"},
    // A word that does not fit: the snapshot comes back, twice in a row.
    {"P", "LE CHATTE", "LE CHATTE", "L* CHA*", "E T ", 2, 4, "word 2 CHA*/CHATTE @3"},
    {"P", "LE CHATONS", "LE CHATONS", "L* CHA*", "E T ", 2, 4, "word 2 CHA*/CHATONS @3"},
    {"P", "LE CHAT", "LE CHAT", "LE CHAT", "", 0, 2, "ok"},
    // "Initialiser" starts at 0 found; accents come after the plain letters.
    {"I", "BONJOUR LE MONDE", "BONJOUR LE MONDE", "******* ** *****", "B D EE J L M NN OOO R U ", 14, 0, "ok"},
    {"I", "L'ÉTÉ, À PARIS !", "L'ÉTÉ, À PARIS !", "*'***, * ***** !", "A I L P R S T À ÉÉ ", 10, 0, "ok"},
    {"P", "L'ÉTÉ, À PARIS !", "L'ÉTÉ, À PARIS !", "L'ÉTÉ, À PARIS !", "", 0, 10, "ok"},
    {"I", "CŒUR DE MÈRE", "CŒUR DE MÈRE", "**** ** ****", "C D EE M RR U È Œ ", 10, 0, "ok"},
    {"I", "NÖEL ET ÆON", "NÖEL ET ÆON", "*Ö** ** Æ**", "EE L NN O T ", 7, 0, "ok"},
    {"I", "Déjà vu", "Déjà vu", "*éjà vu", "D ", 1, 0, "ok"},
    {"I", "A     B", "A B", "* *", "A B ", 2, 0, "ok"},
    {"I", "  ", " ", " ", "", 0, 0, "ok"},
    {"I", "A\t\tB\r\nC", "A\t\tB\r\nC", "*\t\t*\r\n*", "A B C ", 3, 0, "ok"},
    {"I", "123 ?!", "123 ?!", "123 ?!", "", 0, 0, "ok"},
    {"I", "E^12", "E^12", "*^12", "E^12 ", 12, 0, "ok"},
    {"I", "A^601", "A^601", "*^12", "E^12 ", 12, 0, "too long"},
    {"I", "A^300  B^299", "A^300  B^299", "*^12", "E^12 ", 12, 0, "too long"},
    {"I", "A^600", "A^600", "*^600", "A^600 ", 600, 0, "ok"},
    {"P", "A^600", "A^600", "A^600", "", 0, 600, "ok"},
    // A reference lengthened past 600 after "Initialiser" is refused like a long proposal.
    {"I", "AB", "AB", "**", "A B ", 2, 0, "ok"},
    {"R", "A^601", "", "", "", 0, 0, ""},
    {"P", "AB", "AB", "**", "A B ", 2, 0, "too long"},
    // After a proposal the tally lists the accents in its own order; É is not E.
    {"I", "ËÎÔŒÈÊÂÛÉÙÇÀEE", "ËÎÔŒÈÊÂÛÉÙÇÀEE", "*^14", "EE À Â Ç É È Ê Ù Û Œ Ô Î Ë ", 14, 0, "ok"},
    {"P", "X^14", "X^14", "*^14", "EE À Ç Ù É Û Â Ê È Œ Ô Î Ë ", 14, 0, "ok"},
    {"I", "ÈÊ BC", "ÈÊ BC", "** **", "B C È Ê ", 4, 0, "ok"},
    {"P", "ZZ BC", "ZZ BC", "** BC", "Ê È ", 2, 2, "ok"},
    // Uncounted capitals and typed stars are never found.
    {"I", "ÄÆ A", "ÄÆ A", "ÄÆ *", "A ", 1, 0, "ok"},
    {"P", "ÄÆ A", "ÄÆ A", "ÄÆ A", "", 0, 1, "ok"},
    {"I", "A*B", "A*B", "***", "A B ", 2, 0, "ok"},
    {"P", "A*C", "A*C", "A**", "B ", 1, 1, "ok"},
    {"I", "LE * CHAT", "LE * CHAT", "** * ****", "A C E H L T ", 6, 0, "ok"},
    {"P", "XX * XXXX", "XX * XXXX", "** * ****", "A C E H L T ", 6, 0, "ok"},
    {"P", "LE * CHAT", "LE * CHAT", "LE * CHAT", "", 0, 6, "ok"},
    // Past the end of a short proposal, or of a reference edited shorter, nothing matches.
    {"I", "AB !!", "AB !!", "** !!", "A B ", 2, 0, "ok"},
    {"P", "AB", "AB", "AB !!", "", 0, 2, "ok"},
    {"I", "AB *", "AB *", "** *", "A B ", 2, 0, "ok"},
    {"R", "AB", "", "", "", 0, 0, ""},
    {"P", "AB!", "AB!", "AB *", "", 0, 2, "ok"},
    // An elision joined by the word check stays joined after a refusal.
    {"I", "L'AMI EST LA", "L'AMI EST LA", "*'*** *** **", "AA E I LL M S T ", 9, 0, "ok"},
    {"P", "L' AMI EST LAS", "L'AMI EST LAS", "*'*** *** **", "AA E I LL M S T ", 9, 0, "word 3 **/LAS @10"},
    {"I", "LES CHAT!", "LES CHAT!", "*** ****!", "A C E H L S T ", 7, 0, "ok"},
    {"P", "LES CHATS!", "LES CHATS!", "*** ****!", "A C E H L S T ", 7, 0, "word 2 ****/CHATS @4"},
    {"P", "L’ES CHAT!", "L’ES CHAT!", "*** ****!", "A C E H L S T ", 7, 0, "word 1 ***/L’ES @0"},
    // The same puzzle twice starts afresh; a refusal right after brings back the new one.
    {"I", "ÂGE", "ÂGE", "***", "E G Â ", 3, 0, "ok"},
    {"P", "ÂGE", "ÂGE", "ÂGE", "", 0, 3, "ok"},
    {"I", "ÂGE", "ÂGE", "***", "E G Â ", 3, 0, "ok"},
    {"I", "NEW ONE", "NEW ONE", "*** ***", "EE NN O W ", 6, 0, "ok"},
    {"P", "NE ONE", "NE ONE", "*** ***", "EE NN O W ", 6, 0, "word 1 ***/NE @0"},
    // No count wraps: a found text edited to 40,000 letters lists none below zero.
    {"I", "A", "A", "*", "A ", 1, 0, "ok"},
    {"F", "A!A^39999", "", "", "", 0, 0, ""},
    {"P", "A!", "A!", "A!A^39999", "", 0, 0, "ok"},
};
// clang-format on

}  // namespace

class TestTurns : public QObject {
    Q_OBJECT

  private slots:
    void a_game_played_step_by_step() {
        PuzzleGame game;
        game.load({}, QString(), {});
        int row = 0;
        for (const Step& step : kGame) {
            ++row;
            const QString op = QString::fromLatin1(step.op);
            const QString text = expand(step.text);
            const QString reference_before = game.reference();
            const QString context =
                QStringLiteral("row %1: %2 \"%3\"").arg(row).arg(op, text.left(40));
            if (op == QLatin1String("R")) {
                game.edit_reference(text);
                continue;
            }
            if (op == QLatin1String("F")) {
                game.edit_found_text(text);
                continue;
            }
            const bool init = op == QLatin1String("I");
            if (init) {
                game.edit_proposal(QStringLiteral("OLD PROPOSAL"));
                game.edit_reference(text);
            } else {
                game.edit_proposal(text);
            }
            const GameOutcome outcome = init ? game.initialise() : game.evaluate();
            const QString shown = outcome_text(outcome);
            QVERIFY2(shown == QString::fromUtf8(step.outcome), qPrintable(context + " " + shown));
            QVERIFY2(game.found_text() == expand(step.found),
                     qPrintable(context + " found " + game.found_text()));
            QVERIFY2(game.remaining_letters() == expand(step.letters),
                     qPrintable(context + " letters " + game.remaining_letters()));
            QVERIFY2(game.remaining_count() == step.remaining,
                     qPrintable(context + " remaining " + QString::number(game.remaining_count())));
            QVERIFY2(game.found_count() == step.found_count,
                     qPrintable(context + " found count " + QString::number(game.found_count())));
            if (init) {
                QVERIFY2(game.reference() == expand(step.after), qPrintable(context));
                QVERIFY2(game.proposal() == (outcome.accepted() ? QString() : "OLD PROPOSAL"),
                         qPrintable(context));
            } else {
                QVERIFY2(game.proposal() == expand(step.after), qPrintable(context));
                QVERIFY2(game.reference() == reference_before, qPrintable(context));
            }
            // The bad word is marked where the outcome names it.
            const PuzzleGame::Range range = game.bad_word_range();
            if (outcome.mismatch) {
                QVERIFY2(range.start == outcome.mismatch->proposal_start &&
                             range.length == outcome.mismatch->proposal_word.size(),
                         qPrintable(context));
            }
            // What is shown after an accepted step is what a refused proposal brings back.
            const PuzzleState& state = game.state();
            QVERIFY2(!state.proposal_refused, qPrintable(context));
            if (outcome.accepted() || outcome.mismatch) {
                QVERIFY2(state.saved_found == game.found_text() &&
                             state.saved_letters == game.remaining_letters() &&
                             state.saved_remaining_count == game.remaining_count() &&
                             state.saved_found_count == game.found_count(),
                         qPrintable(context + " snapshot"));
            }
        }
    }

    // Emptying the proposal is a change, which empties the saved marker, only when the
    // proposal held text.
    void initialising_empties_the_saved_marker_with_the_proposal() {
        PuzzleGame game;
        game.load({}, QString(), {});
        game.edit_reference(QStringLiteral("ABC"));
        game.mark_saved();
        QVERIFY(game.initialise().accepted());
        QCOMPARE(game.saved_marker(), PuzzleGame::saved_mark());
        game.edit_proposal(QStringLiteral("ABC"));
        game.mark_saved();
        QVERIFY(game.initialise().accepted());
        QCOMPARE(game.saved_marker(), QString());
    }
};

QTEST_GUILESS_MAIN(TestTurns)
#include "test_turns.moc"
