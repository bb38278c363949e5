#include "ui/widgets/side_window_place.h"

#include <algorithm>

namespace vorlo {

namespace {

constexpr int kGap = 8;          // between the two frames
constexpr int kTitleReach = 40;  // of the title bar that must show, each way

// Moves `frame` onto `screen` as far as its size allows, its top-left kept visible first.
QRect kept_on(const QRect& screen, QRect frame) {
    frame.moveLeft(
        std::max(screen.left(), std::min(frame.left(), screen.right() + 1 - frame.width())));
    frame.moveTop(
        std::max(screen.top(), std::min(frame.top(), screen.bottom() + 1 - frame.height())));
    return frame;
}

}  // namespace

QRect side_window_place(const QRect& screen, const QRect& main_frame, const QRect& spare,
                        const QSize& wanted, const QSize& minimum) {
    const QSize size = wanted.expandedTo(minimum);
    const int height = std::max(minimum.height(), std::min(size.height(), screen.height()));
    const int right_room = screen.right() - main_frame.right() - kGap;
    if (right_room >= minimum.width()) {
        const int width = std::min(size.width(), right_room);
        return kept_on(screen,
                       QRect(main_frame.right() + 1 + kGap, main_frame.top(), width, height));
    }
    const int left_room = main_frame.left() - screen.left() - kGap;
    if (left_room >= minimum.width()) {
        const int width = std::min(size.width(), left_room);
        return kept_on(screen,
                       QRect(main_frame.left() - kGap - width, main_frame.top(), width, height));
    }
    const QSize over = spare.size().expandedTo(minimum);
    return kept_on(screen, QRect(spare.topLeft(), over));
}

bool place_reachable(const QRect& screen, const QRect& frame) {
    const QRect title(frame.left(), frame.top(), frame.width(), kTitleReach / 2);
    const QRect shown = screen.intersected(title);
    return shown.width() >= kTitleReach && shown.height() >= kTitleReach / 4;
}

}  // namespace vorlo
