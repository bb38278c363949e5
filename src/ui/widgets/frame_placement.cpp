#include "ui/widgets/frame_placement.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace vorlo {

namespace {

// Watches the window's exposures until the frame is known, then moves the window once.
class FramePlacer : public QObject {
  public:
    FramePlacer(QWidget& window, QPoint frame_top_left)
        : QObject(&window), window_(&window), frame_top_left_(frame_top_left) {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle() &&
            !watching_) {
            watching_ = true;
            window_->windowHandle()->installEventFilter(this);
        } else if (watched != window_ && event->type() == QEvent::Expose) {
            place_when_framed();
        }
        return false;
    }

  private:
    void place_when_framed() {
        const QMargins frame = window_->windowHandle()->frameMargins();
        if (frame.isNull()) {
            return;  // not framed (yet): the inner area already stands at the place
        }
        window_->setGeometry(
            QRect(frame_top_left_ + QPoint(frame.left(), frame.top()), window_->size()));
        deleteLater();
    }

    QPointer<QWidget> window_;
    QPoint frame_top_left_;
    bool watching_ = false;
};

}  // namespace

void place_frame_at(QWidget& window, QPoint frame_top_left) {
    window.move(frame_top_left);
    new FramePlacer(window, frame_top_left);
}

}  // namespace vorlo
