#pragma once

#include "engine/word_mismatch.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QLabel;

namespace vorlo {

// The modeless dialog "form_message" that names the word of a refused proposal. Its OK
// button closes it and then asks for the word to be marked; its close box only closes it.
class WordMismatchWindow : public QDialog {
    Q_OBJECT
  public:
    explicit WordMismatchWindow(QWidget* parent);
    void show_mismatch(const MismatchDialogTexts& mismatch);

  signals:
    void ok_clicked();

  private:
    QLabel* found_word_;
    QLabel* proposal_word_;
    QLabel* word_number_;
};

// Opens the dialog for each refusal, reusing the one still open; the dialog is destroyed
// when it closes. `mark_word` runs after a click on OK.
class WordMismatchOpener : public WordMismatchDialog {
  public:
    WordMismatchOpener(QWidget* parent, std::function<void()> mark_word);
    void open_refusal(const MismatchDialogTexts& mismatch) override;
    WordMismatchWindow* window() const { return window_; }

  private:
    QWidget* parent_;
    std::function<void()> mark_word_;
    QPointer<WordMismatchWindow> window_;
};

}  // namespace vorlo
