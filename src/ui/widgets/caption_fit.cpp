#include "ui/widgets/caption_fit.h"

#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>

namespace vorlo {

void fit_label(QLabel& label, const QString& widest) {
    if (label.wordWrap()) {
        label.resize(label.width(), std::max(label.height(), label.heightForWidth(label.width())));
        return;
    }
    const QFontMetrics metrics(label.font());
    const int text_width =
        std::max(metrics.horizontalAdvance(label.text()), metrics.horizontalAdvance(widest));
    const QSize around =
        label.size() - label.contentsRect().size() + QSize(2 * label.margin(), 2 * label.margin());
    label.resize(std::max(label.width(), text_width + around.width()),
                 std::max(label.height(), metrics.height() + around.height()));
}

void fit_button(QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect room =
        button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    const int missing = QFontMetrics(button.font()).horizontalAdvance(button.text()) - room.width();
    if (missing > 0) {
        button.setGeometry(button.geometry().adjusted(-(missing + 1) / 2, 0, missing / 2 + 1, 0));
    }
}

void keep_right_of(QWidget& control, const QWidget& left, int gap) {
    const int x = left.geometry().right() + 1 + gap;
    if (control.x() < x) {
        control.move(x, control.y());
    }
}

void fit_window_to_controls(QWidget& window, int margin) {
    const QRect used = window.childrenRect();
    window.setFixedSize(std::max(window.width(), used.right() + 1 + margin),
                        std::max(window.height(), used.bottom() + 1 + margin));
}

}  // namespace vorlo
