#pragma once

#include "engine/puzzle_view.h"

#include <functional>

namespace vorlo {

// A PuzzleView held in plain strings, for running the engine without a window.
class MemoryPuzzleView : public PuzzleView {
  public:
    QString ref;
    QString soluce;
    QString lettres;
    QString propal;
    QString lettres_restantes = QStringLiteral("0");
    QString lettres_trouvees = QStringLiteral("0");
    // Runs after each write that changes the proposal.
    std::function<void()> on_proposal_changed;

    QString reference() const override { return ref; }
    void set_reference(const QString& text) override { ref = text; }
    QString found_text() const override { return soluce; }
    void set_found_text(const QString& text) override { soluce = text; }
    QString remaining_letters() const override { return lettres; }
    void set_remaining_letters(const QString& text) override { lettres = text; }
    QString proposal() const override { return propal; }
    void set_proposal(const QString& text) override {
        if (text == propal) {
            return;
        }
        propal = text;
        if (on_proposal_changed) {
            on_proposal_changed();
        }
    }
    QString remaining_count() const override { return lettres_restantes; }
    void set_remaining_count(const QString& caption) override { lettres_restantes = caption; }
    QString found_count() const override { return lettres_trouvees; }
    void set_found_count(const QString& caption) override { lettres_trouvees = caption; }
};

}  // namespace vorlo
