#pragma once

#include "ui/widgets/text_limit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace vorlo {

// One of Qt's editors (QPlainTextEdit or QTextEdit) that refuses, whole, a key, an input
// method's text, a paste or a drop that would take it past kMaxBoxText characters: the text
// stays as it was and `input_refused` is told what came in.
template <class Editor>
class LimitedTextEdit : public Editor {
  protected:
    using Editor::Editor;

    virtual void input_refused(qsizetype length) = 0;

    void keyPressEvent(QKeyEvent* event) override {
        if (!this->isReadOnly() && refuses(typed_text(*event))) {
            event->accept();
            return;
        }
        Editor::keyPressEvent(event);
    }

    void inputMethodEvent(QInputMethodEvent* event) override {
        if (refuses(typed_text(*event))) {
            event->accept();
            return;
        }
        Editor::inputMethodEvent(event);
    }

    // The text is read from the clipboard once and checked before it reaches the document.
    void insertFromMimeData(const QMimeData* source) override {
        const QString text = pasted_text(*source);
        if (text.isEmpty() || refuses(text)) {
            return;
        }
        this->insertPlainText(text);
        this->ensureCursorVisible();
    }

  private:
    bool refuses(const QString& incoming) {
        if (length_after(this->textCursor(), incoming.size()) <= kMaxBoxText) {
            return false;
        }
        input_refused(incoming.size());
        return true;
    }
};

}  // namespace vorlo
