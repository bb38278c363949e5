#include "ui/widgets/focus_frame_button.h"

#include <QPainter>

namespace vorlo {

FocusFrameButton::FocusFrameButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void FocusFrameButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    const QColor colour = palette().color(QPalette::Active, QPalette::Highlight);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    // Two filled strips per side, so that no pen width or antialiasing blurs the frame.
    painter.fillRect(QRect(inner.left(), inner.top(), inner.width(), kFrameWidth), colour);
    painter.fillRect(
        QRect(inner.left(), inner.bottom() - kFrameWidth + 1, inner.width(), kFrameWidth), colour);
    painter.fillRect(QRect(inner.left(), inner.top(), kFrameWidth, inner.height()), colour);
    painter.fillRect(
        QRect(inner.right() - kFrameWidth + 1, inner.top(), kFrameWidth, inner.height()), colour);
}

}  // namespace vorlo
