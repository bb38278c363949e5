#pragma once

#include "engine/game_journal.h"

#include <optional>

namespace vorlo {

class PuzzleEngine;
struct PuzzleValues;

// The game as it is played through the engine: "Initialiser" and "Générer" run the
// engine's operations, and what they accept goes into the journal (a new game, a turn).
// Undo and redo put the page back as the journal holds it, with the snapshot.
class GameSession {
  public:
    GameSession(PuzzleEngine& engine, PuzzleValues& values);

    // Takes up the stored journal once the stored page is on screen.
    void open(JournalContents stored);

    // "Initialiser": true when a new game started, false when the reference was refused.
    bool initialise();
    // "Générer": the turn played, or nothing when the proposal was refused.
    std::optional<Turn> generate();

    // Puts the page as it was before the last turn or "Initialiser", the proposal of that
    // turn back in the editor; redo plays it forward again. Nothing when there is none.
    std::optional<JournalMove> undo();
    std::optional<JournalMove> redo();

    GameJournal& journal() { return journal_; }
    const GameJournal& journal() const { return journal_; }

    // What the page shows now.
    PuzzlePage shown_page() const;

  private:
    void show(const JournalMove& move);

    PuzzleEngine& engine_;
    PuzzleValues& values_;
    GameJournal journal_;
};

}  // namespace vorlo
