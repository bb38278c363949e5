#include "ui/widgets/text_box.h"

#include "ui/widgets/box_text.h"
#include "ui/widgets/palette_colour.h"
#include "ui/widgets/text_limit.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace vorlo {

bool focus_moved_to_control(Qt::FocusReason reason) {
    switch (reason) {
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
            return false;
        default:
            return true;
    }
}

QFont patched_font(QFont font, const FontPatch& patch) {
    if (patch.name) {
        font.setFamilies({*patch.name});
    }
    if (patch.size) {
        font.setPointSizeF(*patch.size);
    }
    if (patch.bold) {
        font.setBold(*patch.bold);
    }
    if (patch.italic) {
        font.setItalic(*patch.italic);
    }
    return font;
}

TextBox::TextBox(const QString& name, QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(name);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
    hide_selection_when_unfocused(*this);
}

QString TextBox::text() const {
    return program_text(*document());
}

void TextBox::set_text(const QString& text) {
    if (text == this->text()) {
        return;
    }
    setPlainText(box_text(text));
}

void TextBox::set_background(const QColor& colour) {
    set_palette_colour(*this, QPalette::Base, colour);
}

void TextBox::set_text_colour(const QColor& colour) {
    set_palette_colour(*this, QPalette::Text, colour);
}

void TextBox::apply_font(const FontPatch& patch) {
    setFont(patched_font(font(), patch));
}

QColor TextBox::background() const {
    return palette().color(QPalette::Base);
}

QColor TextBox::text_colour() const {
    return palette().color(QPalette::Text);
}

QFont TextBox::look_font() const {
    return font();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (focus_moved_to_control(event->reason())) {
        emit focus_moved_away();
    }
}

bool TextBox::refuses(const QString& incoming) {
    if (length_after(textCursor(), incoming.size()) <= kMaxBoxText) {
        return false;
    }
    emit text_refused(incoming.size());
    return true;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (!isReadOnly() && refuses(typed_text(*event))) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
    if (refuses(typed_text(*event))) {
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

// The text is read from the clipboard once and checked before it reaches the document.
void TextBox::insertFromMimeData(const QMimeData* source) {
    const QString text = pasted_text(*source);
    if (text.isEmpty() || refuses(text)) {
        return;
    }
    insertPlainText(text);
    ensureCursorVisible();
}

}  // namespace vorlo
