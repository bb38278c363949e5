#include "ui/widgets/proposal_editor.h"

#include "ui/widgets/box_text.h"
#include "ui/widgets/palette_colour.h"
#include "ui/widgets/text_box.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>

namespace vorlo {

ProposalEditor::ProposalEditor(QWidget* parent) : LimitedTextEdit(parent) {
    setObjectName(QStringLiteral("propal"));
    setAcceptRichText(false);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The right button pastes into an empty editor; it opens no menu.
    setContextMenuPolicy(Qt::NoContextMenu);
    hide_selection_when_unfocused(*this);
    viewport()->installEventFilter(this);
    connect(document(), &QTextDocument::contentsChanged, this,
            &ProposalEditor::on_contents_changed);
}

QString ProposalEditor::text() const {
    return program_text(*document());
}

void ProposalEditor::set_text(const QString& text) {
    const QString old_text = box_text(*document());
    const QString new_text = box_text(text);
    if (old_text == new_text) {
        return;
    }
    // Keep the characters that both texts share at their start and at their end.
    const qsizetype shortest = std::min(old_text.size(), new_text.size());
    qsizetype prefix = 0;
    while (prefix < shortest && old_text[prefix] == new_text[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shortest - prefix &&
           old_text[old_text.size() - 1 - suffix] == new_text[new_text.size() - 1 - suffix]) {
        ++suffix;
    }
    QTextCursor cursor(document());
    cursor.setPosition(
        static_cast<int>(prefix + 1 <= old_text.size() - suffix ? prefix + 1 : prefix));
    // The first replaced character's look; text written into the empty editor takes the
    // editor's own look.
    const QTextCharFormat format = old_text.isEmpty() ? look_ : cursor.charFormat();
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(old_text.size() - suffix), QTextCursor::KeepAnchor);
    cursor.insertText(new_text.mid(prefix, new_text.size() - prefix - suffix), format);
}

void ProposalEditor::colour_range(int start, int length, const QColor& colour) {
    const int end_of_text = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(start, 0, end_of_text));
    cursor.setPosition(std::clamp(start + length, 0, end_of_text), QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setForeground(colour);
    cursor.mergeCharFormat(format);
    setTextCursor(cursor);  // the selection stays in place
}

void ProposalEditor::set_background(const QColor& colour) {
    set_palette_colour(*this, QPalette::Base, colour);
}

QColor ProposalEditor::background() const {
    return palette().color(QPalette::Base);
}

QColor ProposalEditor::text_colour() const {
    return look_.hasProperty(QTextFormat::ForegroundBrush) ? look_.foreground().color()
                                                           : palette().color(QPalette::Text);
}

QFont ProposalEditor::look_font() const {
    QFont font = document()->defaultFont();
    if (look_.hasProperty(QTextFormat::FontFamilies)) {
        font.setFamilies(look_.fontFamilies().toStringList());
    }
    if (look_.hasProperty(QTextFormat::FontPointSize)) {
        font.setPointSizeF(look_.fontPointSize());
    }
    if (look_.hasProperty(QTextFormat::FontWeight)) {
        font.setWeight(static_cast<QFont::Weight>(look_.fontWeight()));
    }
    if (look_.hasProperty(QTextFormat::FontItalic)) {
        font.setItalic(look_.fontItalic());
    }
    return font;
}

void ProposalEditor::set_text_colour(const QColor& colour) {
    QTextCharFormat format;
    format.setForeground(colour);
    format_every_character(format);
}

void ProposalEditor::apply_font(const FontPatch& patch) {
    QTextCharFormat format;
    if (patch.bold) {
        format.setFontWeight(*patch.bold ? QFont::Bold : QFont::Normal);
    }
    if (patch.italic) {
        format.setFontItalic(*patch.italic);
    }
    if (patch.size) {
        format.setFontPointSize(*patch.size);
    }
    if (patch.name) {
        format.setFontFamilies(QStringList{*patch.name});
    }
    format_every_character(format);
}

void ProposalEditor::format_every_character(const QTextCharFormat& format) {
    look_.merge(format);
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(format);
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    mergeCurrentCharFormat(format);
    give_empty_editor_its_look();
}

// What is typed into the empty editor, wherever the caret was put, takes the editor's look;
// the red of a marked word never outlives the word.
void ProposalEditor::give_empty_editor_its_look() {
    if (!document()->isEmpty()) {
        return;
    }
    QTextCursor cursor(document());
    if (cursor.blockCharFormat() != look_) {
        cursor.setBlockCharFormat(look_);
    }
    if (currentCharFormat() != look_) {
        setCurrentCharFormat(look_);
    }
}

void ProposalEditor::on_contents_changed() {
    const QString now = text();
    if (now == last_text_) {
        return;
    }
    last_text_ = now;
    give_empty_editor_its_look();
    emit text_edited();
}

void ProposalEditor::focusOutEvent(QFocusEvent* event) {
    QTextEdit::focusOutEvent(event);
    if (focus_moved_to_control(event->reason())) {
        emit focus_moved_away();
    }
}

void ProposalEditor::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::MiddleButton) {
        emit middle_button_released();
    }
}

bool ProposalEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport() && event->type() == QEvent::MouseButtonPress) {
        emit mouse_pressed(static_cast<QMouseEvent*>(event)->button());
    }
    return QTextEdit::eventFilter(watched, event);
}

}  // namespace vorlo
