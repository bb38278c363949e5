#include "engine/puzzle_game.h"
#include "engine/text_rules.h"
#include "engine/word_fit.h"

#include <QtTest>

#include <functional>
#include <map>
#include <memory>

using namespace vorlo;

namespace {

// "A^600" stands for 600 capital A; every other character stands for itself.
QString expand(const QString& text) {
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

QString expand(const char* utf8) {
    return expand(QString::fromUtf8(utf8));
}

QString mismatch_text(const std::optional<WordMismatch>& m) {
    return m ? QStringLiteral("word %1 %2/%3 @%4")
                   .arg(m->word_number)
                   .arg(m->found_word, m->proposal_word)
                   .arg(m->proposal_start)
             : QString();
}

QString outcome_text(const GameOutcome& outcome) {
    switch (outcome.kind) {
        case GameOutcome::Kind::Accepted:
            return QStringLiteral("ok");
        case GameOutcome::Kind::NothingToDo:
            return QStringLiteral("nothing");
        case GameOutcome::Kind::WordMismatch:
            return mismatch_text(outcome.mismatch);
        case GameOutcome::Kind::Refused:
            break;
    }
    const char* const refusals[] = {"", "no reference", "too long", "not initialised",
                                    "no proposal"};
    return QString::fromLatin1(refusals[static_cast<int>(outcome.refusal)]);
}

// The table of turns: each row a game played from steps separated by "|": "ref:", "prop:",
// "found:", "letters:" are the master's edits, "new:X" the reference X then "Initialiser", "init",
// "gen", "undo", "redo", "save", "clear", "play:PROPOSAL/PLAYER" a forum post, "next:" the next
// player, "rename:N=NAME" the correction of turn N. "restart" is a new run on what a save stored
// (the found count is not stored: it shows 0); "page:REF/FOUND/LETTERS/COUNT" restarts on
// that page and the stored journal; "respell:N=NAME" restarts with turn N and the next
// player stored under NAME; "hold:N" restarts holding the last N games, the earlier read
// when undo reaches them ("hold:N!": they cannot be read, "hold:N=": the reader answers
// with the game asked about instead of the one before). Then what shows, as key=value
// items (see Played::shows). After every step the bad word and the snapshot are checked.
struct TurnsRow {
    const char* name;
    const char* steps;
    const char* shows;
};

// clang-format off
#define LE_CHAT "new:LE CHAT|"
#define DORT "new:LE CHAT DORT|"
#define TWO_GAMES DORT "play:LA CHAT DORS/Alice|new:UN  ÉLÈVE|play:UN ÉLÈVES/Bob|play:UN ÉLEVE/Bob|"
#define THREE_GAMES "new:LE CHAT|play:LA CHAT/Alice|new:UN ÉLÈVE|play:UN ÉLEVE/Bob|new:LA FIN|"
#define AX "ref:AB|init|prop:AX|gen|"
#define XB "ref:AB|init|ref:XB|prop:XB|gen|prop:X|prop:XB|gen|"
#define STAR "ref:AB|init|ref:*B|prop:*B|gen|prop:*|prop:*B|gen|"
const TurnsRow kTurns[] = {
    // Nothing to play yet; a refusal changes nothing and keeps the proposal.
    {"nothing to play", "prop:LE CHAT|gen", "last=not initialised|page=|||0|0|journal=0"},
    {"no reference", "prop:OLD|init", "last=no reference|page=|||0|0|prop=OLD|journal=0|games=1"},
    {"Initialiser", "prop:OLD|new:LE CHAT", "last=ok|page=LE CHAT|** ****|A C E H L T |6|0|prop="},
    {"no proposal", LE_CHAT "prop:|gen", "last=no proposal|page=LE CHAT|** ****|A C E H L T |6|0"},
    {"proposal too long", LE_CHAT "prop:A^601|gen", "last=too long|page=LE CHAT|** ****|A C E H L T |6|0|prop=A^601"},
    // Exact positions only; the tally lists what is still hidden. A word that does not fit
    // brings the snapshot back, twice in a row.
    {"exact positions", LE_CHAT "prop:LA CHAS|gen", "last=ok|page=LE CHAT|L* CHA*|E T |2|4|prop=LA CHAS"},
    {"a word too long, twice", LE_CHAT "prop:LA CHAS|gen|prop:LE CHATTE|gen|prop:LE CHATONS|gen",
     "last=word 2 CHA*/CHATONS @3|page=LE CHAT|L* CHA*|E T |2|4|prop=LE CHATONS"},
    {"then found", LE_CHAT "prop:LA CHAS|gen|prop:LE CHATTE|gen|prop:LE CHAT|gen", "last=ok|page=LE CHAT|LE CHAT||0|2"},
    // Initialiser: the letters to place, accents after the plain letters, blanks reduced.
    {"letters to place", "new:BONJOUR LE MONDE", "page=BONJOUR LE MONDE|******* ** *****|B D EE J L M NN OOO R U |14|0"},
    {"accents", "new:L'ÉTÉ, À PARIS !", "page=L'ÉTÉ, À PARIS !|*'***, * ***** !|A I L P R S T À ÉÉ |10|0"},
    {"accents found", "new:L'ÉTÉ, À PARIS !|prop:L'ÉTÉ, À PARIS !|gen", "page=L'ÉTÉ, À PARIS !|L'ÉTÉ, À PARIS !||0|10"},
    {"ligature", "new:CŒUR DE MÈRE", "page=CŒUR DE MÈRE|**** ** ****|C D EE M RR U È Œ |10|0"},
    {"uncounted capitals", "new:NÖEL ET ÆON", "page=NÖEL ET ÆON|*Ö** ** Æ**|EE L NN O T |7|0"},
    {"small letters", "new:Déjà vu", "page=Déjà vu|*éjà vu|D |1|0"},
    {"blanks reduced", "new:A     B", "page=A B|* *|A B |2|0"},
    {"blanks only", "new:  ", "page= | ||0|0"},
    {"tabs and line breaks", "new:A\t\tB\r\nC", "page=A\t\tB\r\nC|*\t\t*\r\n*|A B C |3|0"},
    {"no letter", "new:123 ?!", "page=123 ?!|123 ?!||0|0"},
    // 600 characters at most, counted before blanks are reduced; a refusal keeps the game.
    {"601 characters", "new:E^12|prop:OLD|new:A^601", "last=too long|page=A^601|*^12|E^12 |12|0|prop=OLD|games=2"},
    {"601 before blanks are reduced", "new:E^12|new:A^300  B^299", "last=too long|page=A^300  B^299|*^12|E^12 |12|0"},
    {"600 characters", "new:A^600", "page=A^600|*^600|A^600 |600|0"},
    {"600 characters found", "new:A^600|prop:A^600|gen", "page=A^600|A^600||0|600"},
    // A reference lengthened past 600 after "Initialiser" is refused like a long proposal.
    {"reference lengthened", "new:AB|ref:A^601|prop:AB|gen", "last=too long|page=A^601|**|A B |2|0"},
    // After a proposal the tally lists the accents in its own order; É is not E.
    {"accents' order", "new:ËÎÔŒÈÊÂÛÉÙÇÀEE", "page=ËÎÔŒÈÊÂÛÉÙÇÀEE|*^14|EE À Â Ç É È Ê Ù Û Œ Ô Î Ë |14|0"},
    {"the tally's order", "new:ËÎÔŒÈÊÂÛÉÙÇÀEE|prop:X^14|gen", "page=ËÎÔŒÈÊÂÛÉÙÇÀEE|*^14|EE À Ç Ù É Û Â Ê È Œ Ô Î Ë |14|0"},
    {"the tally's order again", "new:ÈÊ BC|prop:ZZ BC|gen", "page=ÈÊ BC|** BC|Ê È |2|2"},
    // Uncounted capitals and typed stars are never found.
    {"uncounted capitals shown", "new:ÄÆ A|prop:ÄÆ A|gen", "page=ÄÆ A|ÄÆ A||0|1"},
    {"a typed star", "new:A*B|prop:A*C|gen", "page=A*B|A**|B |1|1"},
    {"a star in the reference", "new:LE * CHAT|prop:XX * XXXX|gen", "page=LE * CHAT|** * ****|A C E H L T |6|0"},
    {"a star in both", "new:LE * CHAT|prop:LE * CHAT|gen", "page=LE * CHAT|LE * CHAT||0|6"},
    // Past the end of a short proposal, or of a reference edited shorter, nothing matches.
    {"a short proposal", "new:AB !!|prop:AB|gen", "page=AB !!|AB !!||0|2"},
    {"a reference edited shorter", "new:AB *|ref:AB|prop:AB!|gen", "page=AB|AB *||0|2"},
    // An elision joined by the word check stays joined after a refusal.
    {"an elision joined", "new:L'AMI EST LA|prop:L' AMI EST LAS|gen",
     "last=word 3 **/LAS @10|page=L'AMI EST LA|*'*** *** **|AA E I LL M S T |9|0|prop=L'AMI EST LAS"},
    {"a word too long", "new:LES CHAT!|prop:LES CHATS!|gen", "last=word 2 ****/CHATS @4|page=LES CHAT!|*** ****!|A C E H L S T |7|0"},
    {"an apostrophe inside a word", "new:LES CHAT!|prop:L’ES CHAT!|gen", "last=word 1 ***/L’ES @0"},
    // The same puzzle twice starts afresh; a refusal right after brings back the new one.
    {"the same puzzle twice", "new:ÂGE|prop:ÂGE|gen|new:ÂGE", "page=ÂGE|***|E G Â |3|0"},
    {"a refusal after a new puzzle", "new:ÂGE|prop:ÂGE|gen|new:NEW ONE|prop:NE ONE|gen", "last=word 1 ***/NE @0|page=NEW ONE|*** ***|EE NN O W |6|0"},
    // No count wraps: a found text edited to 40,000 letters lists none below zero.
    {"no count wraps", "new:A|found:A!A^39999|prop:A!|gen", "page=A|A!A^39999||0|0"},
    // The journal: turns, undo and redo, restarts, players and scores, the saved marker.
    {"a turn", DORT "play:LA CHAT DORS/Alice", "turn=1 LA CHAT DORS/Alice +8 -2|page=LE CHAT DORT|L* CHAT DOR*|E T |2|8|won=0|journal=2"},
    {"the player stays for the next turns", DORT "play:LA CHAT DORS/Alice|prop:LE CHIT DORT|gen", "turn=2 LE CHIT DORT/Alice +2 -0|won=1"},
    {"the turn keeps the proposal as evaluated", "new:L'AMI EST LA|play:L' AMI EST LA", "turn=1 L'AMI EST LA/ +9 -0"},
    {"refusals are no turn", DORT "play:LA CHAT DORS/Alice|play:LE CHATS DORT/Bob|play:/Bob|play:A^601/Bob", "turns=1|scores=Alice=8"},
    {"a refused reference starts no game", "new:LE CHAT|play:LE CHIEN/Alice|play:LA CHAT/Alice|new:", "games=2|turns=1"},
    {"a double click plays one turn", AX "gen", "page=AB|A*|B |1|1|turns=1|last=nothing"},
    {"typed again, it plays as a repeat", AX "prop:A|prop:AX|gen", "page=AB|A*|B |1|0|turns=2r1|last=ok"},
    {"a repeat reveals nothing", DORT "play:LA CHAT DORS|play:LE CHIT DORS|play:LA CHAT DORS", "turn=3r1 LA CHAT DORS/ +0 -1"},
    {"a new game forgets the proposals", DORT "play:LA CHAT DORS|" DORT "play:LA CHAT DORS", "turns=1"},
    {"each forum post plays", "ref:AB|init|play:AX|play:AX", "page=AB|A*|B |1|0|turns=2r1|last=ok"},
    {"undo takes back the last turn", DORT "play:LA CHAT DORS/Alice|play:LU CHIT DORT/Bob|play:LE CHATS DORT/Carole|undo",
     "move=turn 2|page=LE CHAT DORT|L* CHAT DOR*|E T |2|8|prop=LU CHIT DORT|redo=1|saved="},
    {"undo down to Initialiser", DORT "play:LA CHAT DORS/Alice|play:LU CHIT DORT/Bob|undo|undo",
     "page=LE CHAT DORT|** **** ****|A C D E H L O R TT |10|0|prop=LA CHAT DORS|turns=0"},
    {"redo plays forward again", DORT "play:LA CHAT DORS/Alice|play:LU CHIT DORT/Bob|undo|undo|redo|redo|redo",
     "page=LE CHAT DORT|L* CHAT DORT|E |1|1|players=Alice,Bob|last=nothing"},
    {"a refusal after undo restores the undone page", DORT "play:LA CHAT DORS|play:LE CHIT DORT|undo|prop:LE CHATS DORT|gen",
     "last=word 2 CHAT/CHATS @3|page=LE CHAT DORT|L* CHAT DOR*|E T |2|8|prop=LE CHATS DORT"},
    {"taken back, it plays again", AX "undo|gen", "page=AB|A*|B |1|1|turns=1|last=ok"},
    {"played again by redo, not twice", AX "undo|redo|gen", "page=AB|A*|B |1|1|turns=1|last=nothing"},
    {"a repeat taken back plays again", AX "prop:A|prop:AX|gen|undo|gen", "page=AB|A*|B |1|0|turns=2r1|last=ok"},
    {"a new turn after undo ends redo", "new:LE CHAT|play:LA CHAT|undo|play:LE CHIT|redo", "last=nothing|redo=0|turn=1 LE CHIT/ +5 -1"},
    {"undo over Initialiser", TWO_GAMES "undo|undo", "move=game|page=LE CHAT DORT|L* CHAT DOR*|E T |2|8|scores=Alice=8|games=2"},
    {"redo of Initialiser", TWO_GAMES "undo|undo|redo", "page=UN ÉLÈVE|** *****|E L N U V É È |7|0|prop="},
    {"redo of the turn after", TWO_GAMES "undo|undo|redo|redo", "found=UN ÉL*VE|scores=Bob=6|games=3"},
    {"the last game's proposal after undoing Initialiser", AX "ref:CD|init|undo|gen", "page=AB|A*|B |1|1|turns=1|last=nothing"},
    {"Initialiser starts at 0 found", AX "ref:CD|init", "page=CD|**|C D |2|0|turns=0"},
    {"a refusal after Initialiser shows 0 found", AX "ref:CD EF|init|prop:CDE F|gen", "page=CD EF|** **|C D E F |4|0"},
    {"redo of Initialiser shows 0 found", AX "ref:CD|init|undo|redo", "page=CD|**|C D |2|0|last=ok"},
    {"a turn keeps its edited reference", XB "undo", "page=XB|XB||0|2|turns=1"},
    {"the start keeps the reference of Initialiser", XB "undo|undo", "page=AB|**|A B |2|0|turns=0"},
    {"redo brings the turn's reference back", XB "undo|undo|redo", "page=XB|XB||0|2|turns=1"},
    {"a literal star stays the reference's", STAR "undo", "page=*B|*B||0|1|turns=1"},
    {"a literal star after undo and redo", STAR "undo|undo|redo", "page=*B|*B||0|1|turns=1"},
    {"undo stops at the page the journal began with", "page:ABC/A**/B C /2|play:ABX|undo|undo", "last=nothing|page=ABC|A**|B C |2|0|undo=0"},
    {"a restart takes up the stored journal", "new:LE CHAT|play:LA CHAT/Alice|restart", "games=2|turns=1|undo=1|fc=0"},
    {"undo after a restart", "new:LE CHAT|play:LA CHAT/Alice|restart|undo", "found=** ****|turns=0"},
    {"a page stored without its journal is a game of its own", "new:LE CHAT|play:LA CHAT/Alice|page:AUTRE/AUTR*/E /1", "games=3|undo=0|turns=0"},
    {"after a restart the proposal is still played", AX "restart|gen", "page=AB|A*|B |1|0|turns=1|last=nothing"},
    {"a restart keeps each turn's reference", "ref:AB|init|ref:XB|prop:XB|gen|prop:AB|gen|restart|undo", "page=XB|XB||0|2|turns=1"},
    {"undo then redo after a restart shows 0 found again", AX "restart|undo|redo", "page=AB|A*|B |1|0|last=ok"},
    {"each redo shows what its undo left", AX "prop:XB|gen|restart|undo|undo|redo", "page=AB|A*|B |1|1"},
    {"held from the last game", THREE_GAMES "hold:1", "games=1|held=3/4|undo=1|asked="},
    {"undo reads the game before", THREE_GAMES "hold:1|undo", "found=UN ÉL*VE|scores=Bob=6|asked=4"},
    {"and the one before that", THREE_GAMES "hold:1|undo|undo|undo", "page=LE CHAT|L* CHAT|E |1|5|asked=4,3|held=1/2|games=1"},
    {"down to the page the journal began with", THREE_GAMES "hold:1|undo|undo|undo|undo|undo|undo", "last=nothing|undo=0|held=0/1|asked=4,3,2|page=|||0|0"},
    {"redo plays the games read forward", THREE_GAMES "hold:1|undo|undo|undo|undo|undo|redo|redo|redo|redo|redo", "whole=1|ref=LA FIN|redo=0"},
    {"an earlier game that cannot be read", "new:LE CHAT|new:UN ÉLÈVE|hold:1!|undo", "last=nothing|found=** *****|held=2/3|redo=0"},
    {"an earlier game read under the wrong number", "new:LE CHAT|new:UN ÉLÈVE|hold:1=|undo", "last=nothing|found=** *****|held=2/3|asked=3"},
    {"scores: sums per player, highest first", DORT "play:LU XXXX XXXX/Bob|play:LA CHAT DORS/Alice|play:LE CHIT DORT/Bob", "scores=Alice=7,Bob=3"},
    {"scores: equal totals in the order reached", DORT "play:XX XXXX DORX/Bob|play:XX CHAX XXXX/Alice|play:XX XXXX XXXX/Carole|play:XX XXXX XXXX/Bob", "scores=Bob=3,Alice=3,Carole=0"},
    {"scores: a later letter makes the tie later", DORT "play:XX CHAX XXXX/Alice|play:XE XXXX XXXX/Bob|play:XX XXXX DOXX/Bob", "scores=Alice=3,Bob=3"},
    {"scores: unnamed turns score for nobody", DORT "play:LA CHAT DORS/|play:LE XXXX XXXX/Alice", "scores=Alice=1"},
    {"scores: names trimmed, one player whatever the case", DORT "play:LA XXXX XXXX/ zébulon |play:XX CXXX XXXX/Zébulon|play:XX XXXX DXXX/ZÉBULON|play:XE XXXX XXXX/Zebulon",
     "scores=zébulon=3,Zebulon=1|players=zébulon,zébulon,zébulon,Zebulon"},
    {"a turn's player corrected", DORT "play:LA CHAT DORS/Alise|play:LE CHIT DORT/Bob|rename:1= Alice |rename:3=Carole",
     "renamed=0|players=Alice,Bob|scores=Alice=8,Bob=2|next=Bob"},
    {"one player one name", DORT "play:LA CHAT DORS/Zébulon|play:LE CHIT DORT/Zoé |play:XX XXXX XXXX/ZÉBULON |next:zoé",
     "next=Zoé|players=Zébulon,Zoé,Zébulon|known=Zébulon,Zoé"},
    {"a correction of the case respells the player", DORT "play:LA CHAT DORS/Zébulon|play:LE CHIT DORT/Zoé|play:XX XXXX XXXX/ZÉBULON|rename:2=zébulon|rename:3= ZÉBULON|next:Zebulon",
     "players=ZÉBULON,ZÉBULON,ZÉBULON|scores=ZÉBULON=10|known=ZÉBULON,Zebulon"},
    {"two stored spellings read as one", DORT "play:LA CHAT DORS/Zébulon|play:LE CHIT DORT/Zoé|respell:2=zÉBULON|next:zébulon",
     "players=Zébulon,Zébulon|next=Zébulon"},
    {"the saved marker", "ref:UN|init|save|ref:DEUX|letters:X |found:**", "saved=Y"},
    {"a change of the proposal empties it", "ref:UN|init|save|prop:UX", "saved=|marks=2"},
    {"Initialiser empties an empty proposal: no change", "ref:ABC|save|init", "saved=Y"},
    {"Initialiser empties the proposal", "ref:ABC|prop:ABC|save|init", "saved=|prop="},
    {"a corrected player empties it", "ref:UN|init|play:UN/Zoé|save|rename:1=Léa", "saved=|renamed=1|players=Léa"},
    {"no such turn to correct", "ref:UN|init|play:UN/Zoé|save|rename:9=Léa", "saved=Y|renamed=0"},
    {"undo empties it", "ref:UN|init|play:UN/Zoé|save|undo", "saved=|marks=2"},
    {"clearing the page keeps the found count", "ref:AB|init|play:AX|clear", "page=|||0|1|prop=|saved="},
};
// clang-format on

class Played {
  public:
    explicit Played(const QString& steps = {}) {
        restart({}, QString(), {});
        journal_signals_ = 0;
        for (const QString& step : steps.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
            play(step);
        }
    }

    void play(const QString& step) {
        PuzzleGame& g = *game_;
        const QString op = step.section(QLatin1Char(':'), 0, 0);
        const QString text = expand(step.section(QLatin1Char(':'), 1));
        const int turn = text.section(QLatin1Char('='), 0, 0).toInt();
        const QString name = text.section(QLatin1Char('='), 1);
        PuzzlePage page = g.page();
        page.found_count = 0;
        JournalContents journal = g.journal().contents();
        const std::map<QString, std::function<void()>> steps = {
            {"ref", [&] { g.edit_reference(text); }},
            {"prop", [&] { g.edit_proposal(text); }},
            {"found", [&] { g.edit_found_text(text); }},
            {"letters", [&] { g.edit_letters(text); }},
            {"next", [&] { g.set_next_player(text); }},
            {"save", [&] { g.mark_saved(); }},
            {"clear", [&] { g.clear_page(); }},
            {"rename", [&] { renamed_ = g.rename_player(turn, name); }},
            {"restart", [&] { restart(page, g.proposal(), journal); }},
            {"page",
             [&] {
                 const QStringList f = text.split(QLatin1Char('/'));
                 restart({f[0], f[1], f[2], f[3].toInt(), 0}, QString(), journal);
             }},
            {"respell",
             [&] {
                 journal.games.back().turns.at(turn - 1).player = name;
                 journal.next_player = name;
                 restart(page, g.proposal(), journal);
             }},
            {"hold", [&] { hold(text, page, g.proposal(), journal); }},
            {"new", [&] { g.edit_reference(text), last_ = g.initialise(); }},
            {"init", [&] { last_ = g.initialise(); }},
            {"gen", [&] { last_ = g.evaluate(); }},
            {"undo", [&] { last_ = g.undo(); }},
            {"redo", [&] { last_ = g.redo(); }},
            {"play", [&] { last_ = g.play(text.section('/', 0, 0), text.section('/', 1)); }},
        };
        if (!steps.contains(op)) {
            error_ += QStringLiteral(" unknown step ") + op;
            return;
        }
        steps.at(op)();  // a restart leaves `g` behind: only the moves below are checked
        if (!QStringList{"new", "init", "gen", "undo", "redo", "play"}.contains(op)) {
            return;
        }
        // The bad word is marked where the outcome names it, and what shows after a step
        // is what a refused proposal brings back.
        const std::optional<WordMismatch>& m = last_.mismatch;
        const PuzzleState& state = g.state();
        if ((m && (g.bad_word_range().start != m->proposal_start ||
                   g.bad_word_range().length != m->proposal_word.size())) ||
            state.proposal_refused ||
            ((last_.accepted() || m) &&
             (state.saved_found != g.found_text() || state.saved_letters != g.remaining_letters() ||
              state.saved_remaining_count != g.remaining_count() ||
              state.saved_found_count != g.found_count()))) {
            error_ += QStringLiteral(" after ") + step;
        }
    }

    const QString& error() const { return error_; }

    QHash<QString, QString> shows() const {
        const PuzzleGame& g = *game_;
        const GameJournal& j = g.journal();
        const JournalContents& held = j.contents();
        const std::vector<Turn>& turns = j.current_game().turns;
        const auto number = [](auto n) { return QString::number(n); };
        const auto repeat = [](const Turn& t) {
            return t.repeat_of ? QStringLiteral("r%1").arg(t.repeat_of) : QString();
        };
        QStringList players;
        QStringList scores;
        for (const Turn& t : turns) {
            players << t.player;
        }
        for (const Score& s : j.scoreboard()) {
            scores << s.player + QLatin1Char('=') + number(s.letters);
        }
        const Turn last = turns.empty() ? Turn{} : turns.back();
        const std::optional<JournalMove>& move = last_.move;
        return {
            {"page", QStringList{g.reference(), g.found_text(), g.remaining_letters(),
                                 number(g.remaining_count()), number(g.found_count())}
                         .join(QLatin1Char('|'))},
            {"ref", g.reference()},
            {"found", g.found_text()},
            {"fc", number(g.found_count())},
            {"prop", g.proposal()},
            {"last", outcome_text(last_)},
            {"renamed", number(renamed_)},
            {"move", !move ? QString()
                     : move->kind == JournalMove::Kind::Game
                         ? QStringLiteral("game")
                         : QStringLiteral("turn %1").arg(move->turn_number)},
            {"turns", number(turns.size()) + (turns.empty() ? QString() : repeat(last))},
            {"turn", QStringLiteral("%1%2 %3/%4 +%5 -%6")
                         .arg(number(last.number), repeat(last), last.proposal, last.player,
                              number(last.revealed), number(last.remaining))},
            {"players", players.join(QLatin1Char(','))},
            {"scores", scores.join(QLatin1Char(','))},
            {"known", j.known_players().join(QLatin1Char(','))},
            {"next", j.next_player()},
            {"games", number(held.games.size())},
            {"held", QStringLiteral("%1/%2").arg(held.earlier_games).arg(held.first_game_number)},
            {"whole", number(held.games == stored_)},
            {"undo", number(j.can_undo())},
            {"redo", number(j.can_redo())},
            {"won", number(j.current_game().won())},
            {"saved", g.saved_marker()},
            {"marks", number(marks_)},
            {"journal", number(journal_signals_)},
            {"asked", asked_.join(QLatin1Char(','))},
        };
    }

  private:
    void restart(const PuzzlePage& page, QString proposal,  // a copy: the old game goes first
                 JournalContents journal, GameJournal::EarlierGameReader reader = {}) {
        game_ = std::make_unique<PuzzleGame>();
        QObject::connect(game_.get(), &PuzzleGame::saved_marker_changed, [this] { ++marks_; });
        QObject::connect(game_.get(), &PuzzleGame::journal_changed, [this] { ++journal_signals_; });
        game_->load(page, proposal, std::move(journal), std::move(reader));
    }

    void hold(const QString& text, const PuzzlePage& page, const QString& proposal,
              JournalContents journal) {
        stored_ = journal.games;
        const int held = text.left(1).toInt();
        const int count = static_cast<int>(stored_.size());
        journal.games.erase(journal.games.begin(), journal.games.end() - held);
        journal.earlier_games = count - held;
        journal.first_game_number = count - held + 1;
        const QString mode = text.mid(1);
        restart(page, proposal, journal, [this, mode](int before) {
            asked_ << QString::number(before);
            const auto n = static_cast<std::size_t>(before);
            return mode == QLatin1String("!") || n < 2 || n > stored_.size()
                       ? std::nullopt
                       : std::optional(
                             NumberedGame{mode.isEmpty() ? before - 1 : before, stored_.at(n - 2)});
        });
    }

    std::unique_ptr<PuzzleGame> game_;
    GameOutcome last_;
    bool renamed_ = false;
    QString error_;
    std::vector<Game> stored_;  // the whole journal, at the last "hold"
    QStringList asked_;         // the games the reader was asked about
    int marks_ = 0;             // changes of the saved marker
    int journal_signals_ = 0;   // changes of the journal, after the first start
};

}  // namespace

class TestEngine : public QObject {
    Q_OBJECT

  private slots:
    void turns_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("shows");
        for (const TurnsRow& row : kTurns) {
            QTest::newRow(row.name) << QString::fromUtf8(row.steps) << QString::fromUtf8(row.shows);
        }
    }

    void turns() {
        QFETCH(QString, steps);
        QFETCH(QString, shows);
        const Played played(steps);
        QVERIFY2(played.error().isEmpty(), qPrintable(played.error()));
        const QHash<QString, QString> shown = played.shows();
        // "key=value" items separated by "|"; a part that names no key belongs to the value
        // before it (the page's own fields).
        QList<QStringList> items;
        for (const QString& part : shows.split(QLatin1Char('|'))) {
            if (shown.contains(part.section(QLatin1Char('='), 0, 0)) || items.isEmpty()) {
                items.append(
                    {part.section(QLatin1Char('='), 0, 0), part.section(QLatin1Char('='), 1)});
            } else {
                items.last() << part;
            }
        }
        for (QStringList item : items) {
            const QString key = item.takeFirst();
            QVERIFY2(shown.contains(key), qPrintable(key));
            QCOMPARE(shown.value(key), expand(item.join(QLatin1Char('|'))));
        }
    }

    // The clean-up of the reference ("R"), of the proposal ("P"), the question marks a mouse
    // press strips ("?"), and the word check ("W": the proposal joined, the word that does
    // not fit the found text).
    void rules_data() {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("result");
        const QString crlf = QStringLiteral("\r\n");
        const QString micro = QString(QChar(0x00B5));
        const auto row = [](const char* rule, const QString& typed, const QString& result,
                            const char* found = "") {
            QTest::newRow(qPrintable(rule + (found + (" " + typed.simplified().left(30)))))
                << QString::fromLatin1(rule) << expand(typed) << expand(found) << expand(result);
        };
        row("R", "", "");
        row("R", "  bonjour" + crlf + "à tous  ", "BONJOUR À TOUS");
        row("R", "    ", "");
        row("R", "A" + crlf + crlf + "B", "A  B");
        row("R", "A\nB", "A" + micro + "B");
        row("R", "A\rB", "A" + micro + "B");
        row("R", "\ta ", "\tA");
        row("R", "straße 5µm cœur", "STRAßE 5µM CŒUR");
        row("R", QStringLiteral("E\u0301te\u0301 a\u0300"), QStringLiteral("ÉTÉ À"));
        row("P", "  Le chat? dort  ", "LE CHAT DORT");
        row("P", "Le ? dort ?chat", "LE ? DORT ?CHAT");
        row("P", "?MOT??", "?MOT");
        row("P", "Le     chat" + crlf + crlf + "dort", "LE CHAT DORT");
        row("P", "chat" + crlf, "CHAT ");
        row("P", "     ", "");
        row("P", QStringLiteral("L'E\u0301te\u0301?"), QStringLiteral("L'ÉTÉ"));
        row("P", "mot?^100000 ?", "MOT ?");
        row("?", "LE ? DORT", "LE ? DORT");
        row("?", "LE ?CHAT CH?AT A??B", "LE CHAT CHAT AB");
        row("?", "CHAT?", "CHAT?");
        row("?", "AB??", "AB?");
        row("?", "? A ?A", "? A A");
        row("?", "???", "?");
        row("?", "A? B", "A B");
        row("?", "A?^100000B ? C?", "AB ? C?");
        row("W", "LES CHATS!", "LES CHATS!|word 2 ****/CHATS @4", "*** ****!");
        row("W", "ZZZ YYYY", "ZZZ YYYY|", "*E* **A*");
        row("W", "AB CD", "AB CD|", "*. **");
        row("W", "A CD", "A CD|word 1 *./A @0", "*. **");
        row("W", "AB", "AB|word 2 ***/ @3", "** *** !");
        row("W", "AB CDE FGH IJ", "AB CDE FGH IJ|", "** ***");
        row("W", "AB CD", "AB CD|word 2 ***/CD @3", "** ***");
        row("W", "ABC DE", "ABC DE|", "*** ** !");
        row("W", "AB CDE", "AB CDE|", "**?***");
        row("W", "AB  CD", "AB  CD|word 2 ***/CD @4", "**  ***");
        row("W", "L’ HOMME", "L’HOMME|", "*’*****");
        row("W", "L' HOMME", "L'HOMME|", "*'*****");
        row("W", "L 'HOMME", "L 'HOMME|word 1 *******/L @0", "*******");
        row("W", "L'  HOMME", "L' HOMME|", "** *****");
        row("W", "J' L’ A", "J'L’A|", "*****");
        row("W", "L'", "L'|", "**");
        row("W", "ABCDEF GH", "ABCDEF GH|word 2 */GH @7", "*²ÄÆ-*a*");
        row("W", "A^600", "A^600|", "*^600");
        row("W", "A^600", "A^600|word 1 *^599/A^600 @0", "*^599");
        row("W", "A^599", "A^599|word 1 *^600/A^599 @0", "*^600");
        row("W", "A^590", "A^590|", "*^590 ^10");
        row("W", "A", "A|", " ^599*");
        row("W", " ^599AB", " ^599AB|", " ^599*");
        row("W", "A^600", "A^600|", "*^700");
    }

    void rules() {
        QFETCH(QString, rule);
        QFETCH(QString, typed);
        QFETCH(QString, found);
        QFETCH(QString, result);
        const QString joined = join_elisions(typed);
        QCOMPARE(rule == QLatin1String("R")   ? clean_reference(typed)
                 : rule == QLatin1String("P") ? clean_proposal(typed)
                 : rule == QLatin1String("?")
                     ? strip_question_marks(typed)
                     : joined + QLatin1Char('|') + mismatch_text(find_word_mismatch(found, joined)),
                 result);
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
