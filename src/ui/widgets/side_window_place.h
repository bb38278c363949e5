#pragma once

#include <QRect>
#include <QSize>

namespace vorlo {

// Where a side window's frame opens so that it hides nothing the user needs of the main
// window: beside the main window's frame (right first, then left) when the screen has room
// there for `minimum`; otherwise over `spare`, the part of the main window the user can do
// without for a while. The size is `wanted` where the room allows, never below `minimum`,
// and the frame is kept on the screen as far as its size allows. All rectangles are
// frames, in screen pixels.
QRect side_window_place(const QRect& screen, const QRect& main_frame, const QRect& spare,
                        const QSize& wanted, const QSize& minimum);

// Whether a place stored at an earlier run can be used again on `screen`: its title bar
// must lie on the screen, reachable by the mouse.
bool place_reachable(const QRect& screen, const QRect& frame);

}  // namespace vorlo
