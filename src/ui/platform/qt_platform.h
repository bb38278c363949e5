#pragma once

#include "ui/platform/message_boxes.h"
#include "ui/platform/platform.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace vorlo {

// Message boxes of the desktop under the application's title, with French buttons.
class QtMessageBoxes : public MessageBoxes {
  public:
    void set_parent(QWidget* parent) { parent_ = parent; }
    MessageAnswer show_message(MessageIcon icon, MessageButtons buttons,
                               const QString& text) override;

  private:
    QPointer<QWidget> parent_;
};

// The desktop's colour and font choosers.
class QtChoosers : public Choosers {
  public:
    void set_parent(QWidget* parent) { parent_ = parent; }
    std::optional<qint32> choose_colour(const QColor& current) override;
    // Opens on the family the current font shows on this desktop.
    std::optional<FontChoice> choose_font(const QFont& current) override;

  private:
    QPointer<QWidget> parent_;
};

class QtClipboard : public Clipboard {
  public:
    QString text() const override;
    void set_text(const QString& text) override;
};

// Leaves the event loop; the program then ends without closing any window again.
class QtProgramExit : public ProgramExit {
  public:
    void end_program() override;
};

// The four together, as the running program uses them.
struct QtPlatform {
    QtMessageBoxes boxes;
    QtChoosers choosers;
    QtClipboard clipboard;
    QtProgramExit exit;

    Platform platform() { return {boxes, choosers, clipboard, exit}; }
    void set_parent(QWidget* parent) {
        boxes.set_parent(parent);
        choosers.set_parent(parent);
    }
};

}  // namespace vorlo
