#pragma once

#include "ui/widgets/area_style.h"
#include "ui/widgets/limited_text_edit.h"

#include <QTextEdit>

namespace vorlo {

// The proposal editor: a rich-text box whose characters each carry their own colour and
// font. The program works on its plain text; rewriting the text keeps the formats of the
// characters that stay. The editor's own look (the colour and font last given to every
// character) is what text written into the empty editor takes.
class ProposalEditor : public LimitedTextEdit<QTextEdit>, public StyledArea {
    Q_OBJECT
  public:
    explicit ProposalEditor(QWidget* parent);

    QString text() const;  // line breaks as CR LF
    // The same text as kept at its last change, without reading the document again.
    const QString& last_text() const { return last_text_; }
    // Replaces only the part that differs, so the characters around it keep their look.
    // Writing the same text again is not a change.
    void set_text(const QString& text);

    // Selects `length` characters from `start` (counted from 0) and colours them.
    void colour_range(int start, int length, const QColor& colour);

    void set_background(const QColor& colour) override;
    QColor background() const override;
    QColor text_colour() const override;
    QFont look_font() const override;
    // Every character in turn, and the place after the last one, so that what is typed
    // next at the end looks the same; afterwards the caret stands at the end.
    void set_text_colour(const QColor& colour) override;
    void apply_font(const FontPatch& patch) override;

  signals:
    // The plain text changed, whoever changed it; changes of format alone do not count.
    void text_edited();
    // The focus went to another control of the program.
    void focus_moved_away();
    // A mouse button was pressed over the editor, before the editor handles the press.
    void mouse_pressed(Qt::MouseButton button);
    // The middle button was released over the editor, after the editor pasted the
    // desktop's selection there.
    void middle_button_released();
    // A paste, a drop or a key would have taken the editor past kMaxBoxText characters;
    // it was refused and the text stays as it was. `length` is what came in.
    void text_refused(qsizetype length);

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void input_refused(qsizetype length) override { emit text_refused(length); }

  private:
    void on_contents_changed();
    void format_every_character(const QTextCharFormat& format);
    void give_empty_editor_its_look();

    QString last_text_;
    QTextCharFormat look_;
};

}  // namespace vorlo
