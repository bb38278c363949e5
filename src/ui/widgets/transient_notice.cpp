#include "ui/widgets/transient_notice.h"

#include <QApplication>

#include <algorithm>

namespace vorlo {

namespace {
constexpr int kShownMs = 4000;
}

TransientNotice::TransientNotice(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("avis"));
    setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::Box);
    setMargin(6);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Shown over the window's controls like a tooltip, in the desktop's font, not in the
    // designed font that the client area gives its labels.
    setFont(QApplication::font());
    QPalette look = palette();
    look.setColor(QPalette::Window, QColor(255, 255, 225));
    look.setColor(QPalette::WindowText, Qt::black);
    setPalette(look);
    hide();
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &QWidget::hide);
}

void TransientNotice::show_text(const QString& text, const QWidget* anchor) {
    setText(text);
    adjustSize();
    QWidget* area = parentWidget();
    const QPoint anchor_top = anchor->mapTo(area, QPoint(anchor->width(), 0));
    const int x = std::clamp(anchor_top.x() - width(), 0, std::max(0, area->width() - width()));
    const int y = std::max(0, anchor_top.y() - height() - 4);
    move(x, y);
    raise();
    show();
    timer_.start(kShownMs);
}

}  // namespace vorlo
