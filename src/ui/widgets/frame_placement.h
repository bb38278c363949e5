#pragma once

#include <QPoint>

class QWidget;

namespace vorlo {

// Places a top-level window so that its outer frame, title bar included, starts at
// `frame_top_left` on the screen. Until a window manager has framed the window its frame is
// not known, so the window stands there by its inner area first and is moved once, when an
// exposure shows the frame.
void place_frame_at(QWidget& window, QPoint frame_top_left);

}  // namespace vorlo
