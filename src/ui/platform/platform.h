#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

namespace vorlo {

class MessageBoxes;

// A font as the font chooser confirms it, its size rounded to whole points.
struct FontChoice {
    QString name;
    int size = 0;
    bool bold = false;
    bool italic = false;
};

// The modal colour and font choosers. Each opens on the look being changed; a cancel
// returns nothing.
class Choosers {
  public:
    virtual ~Choosers() = default;
    // A colour as red + 256 * green + 65536 * blue.
    virtual std::optional<qint32> choose_colour(const QColor& current) = 0;
    virtual std::optional<FontChoice> choose_font(const QFont& current) = 0;
};

// The system clipboard, as plain text.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    // Empties the clipboard, then puts the text on it.
    virtual void set_text(const QString& text) = 0;
};

// Ends the program at once: no window goes through its close path again.
class ProgramExit {
  public:
    virtual ~ProgramExit() = default;
    virtual void end_program() = 0;
};

// What the window needs of the desktop beyond its own controls.
struct Platform {
    MessageBoxes& boxes;
    Choosers& choosers;
    Clipboard& clipboard;
    ProgramExit& exit;
};

}  // namespace vorlo
