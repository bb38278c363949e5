#pragma once

#include <QString>

namespace vorlo {

// The six displayed values of the puzzle, as the main window shows them. The engine keeps
// no copy: it reads them here, computes and writes the new values back.
class PuzzleView {
  public:
    virtual ~PuzzleView() = default;

    virtual QString reference() const = 0;
    virtual void set_reference(const QString& text) = 0;
    virtual QString found_text() const = 0;
    virtual void set_found_text(const QString& text) = 0;
    virtual QString remaining_letters() const = 0;
    virtual void set_remaining_letters(const QString& text) = 0;
    // Writing a different text is a change of the proposal: the editor's change rule runs.
    virtual QString proposal() const = 0;
    virtual void set_proposal(const QString& text) = 0;
    virtual QString remaining_count() const = 0;
    virtual void set_remaining_count(const QString& caption) = 0;
    virtual QString found_count() const = 0;
    virtual void set_found_count(const QString& caption) = 0;
};

}  // namespace vorlo
