#include "ui/word_mismatch_window.h"

#include "ui/caption_fit.h"
#include "ui/twips.h"
#include "ui/window_design.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace vorlo {

namespace {

QLabel* add_label(QWidget* parent, const QString& name, const QString& text, const QRect& place,
                  bool bold, bool wrap = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setFont(design::label_font(12, bold));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wrap);
    fit_label(*label);
    return label;
}

}  // namespace

WordMismatchWindow::WordMismatchWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("form_message"));
    setWindowTitle(mismatch_texts::title());
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips_size(7560, 4425));

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(twips_rect(120, 120, 660, 660));
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(image->size()));

    add_label(this, QStringLiteral("Label1"), mismatch_texts::sizes_differ(),
              twips_rect(480, 1080, 6750, 300), false);
    add_label(this, QStringLiteral("label_soluce"), mismatch_texts::found_label(),
              twips_rect(600, 1560, 1500, 300), false);
    found_word_ = add_label(this, QStringLiteral("err_label_soluce"), QString(),
                            twips_rect(3120, 1560, 3495, 375), true);
    add_label(this, QStringLiteral("label_propal"), mismatch_texts::proposal_label(),
              twips_rect(600, 2040, 1770, 300), false);
    proposal_word_ = add_label(this, QStringLiteral("err_label_propal"), QString(),
                               twips_rect(3120, 2040, 3495, 375), true);
    add_label(this, QStringLiteral("label_position"), mismatch_texts::position_label(),
              twips_rect(600, 2520, 1890, 300), false);
    word_number_ = add_label(this, QStringLiteral("err_label_position"), QString(),
                             twips_rect(3120, 2520, 3495, 375), true);
    add_label(this, QStringLiteral("Label2"), mismatch_texts::please_correct(),
              twips_rect(840, 3360, 4455, 735), true, /*wrap=*/true);

    auto* ok = new QPushButton(mismatch_texts::ok_button(), this);
    ok->setObjectName(QStringLiteral("bt_non"));
    ok->setGeometry(twips_rect(5880, 3720, 1095, 375));
    ok->setFont(design::label_font(9.75, true));
    ok->setDefault(true);
    fit_button(*ok);
    fit_window_to_controls(*this, pixels(120));
    connect(ok, &QPushButton::clicked, this, [this] {
        close();
        emit ok_clicked();
    });
}

void WordMismatchWindow::show_mismatch(const MismatchDialogTexts& mismatch) {
    found_word_->setText(mismatch.found_word);
    proposal_word_->setText(mismatch.proposal_word);
    word_number_->setText(mismatch.word_number);
}

WordMismatchOpener::WordMismatchOpener(QWidget* parent, std::function<void()> mark_word)
    : parent_(parent), mark_word_(std::move(mark_word)) {}

void WordMismatchOpener::open_refusal(const MismatchDialogTexts& mismatch) {
    if (!window_) {
        window_ = new WordMismatchWindow(parent_);
        QObject::connect(window_, &WordMismatchWindow::ok_clicked, parent_,
                         [this] { mark_word_(); });
    }
    window_->show_mismatch(mismatch);
    window_->show();
    window_->raise();
}

}  // namespace vorlo
