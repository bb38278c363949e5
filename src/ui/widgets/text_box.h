#pragma once

#include "ui/widgets/area_style.h"
#include "ui/widgets/limited_text_edit.h"

#include <QPlainTextEdit>

namespace vorlo {

// A multi-line text box with a vertical scroll bar: the reference, the found text and the
// remaining letters. Its colours and font apply to the whole box.
class TextBox : public LimitedTextEdit<QPlainTextEdit>, public StyledArea {
    Q_OBJECT
  public:
    TextBox(const QString& name, QWidget* parent);

    QString text() const;  // line breaks as CR LF
    void set_text(const QString& text);

    void set_background(const QColor& colour) override;
    void set_text_colour(const QColor& colour) override;
    void apply_font(const FontPatch& patch) override;
    QColor background() const override;
    QColor text_colour() const override;
    QFont look_font() const override;

  signals:
    // The focus went to another control of the program (not to a menu or another program).
    void focus_moved_away();
    // A paste, a drop or a key would have taken the box past kMaxBoxText characters; it
    // was refused and the text stays as it was. `length` is what came in.
    void text_refused(qsizetype length);

  protected:
    void focusOutEvent(QFocusEvent* event) override;
    void input_refused(qsizetype length) override { emit text_refused(length); }
};

// Whether losing the focus for this reason means the focus went to another control.
bool focus_moved_to_control(Qt::FocusReason reason);

// The font with the patch applied.
QFont patched_font(QFont font, const FontPatch& patch);

}  // namespace vorlo
