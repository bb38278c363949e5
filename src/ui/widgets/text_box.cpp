#include "ui/widgets/text_box.h"

#include "ui/widgets/box_text.h"
#include "ui/widgets/palette_colour.h"

#include <QFocusEvent>

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

TextBox::TextBox(const QString& name, QWidget* parent) : LimitedTextEdit(parent) {
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

}  // namespace vorlo
