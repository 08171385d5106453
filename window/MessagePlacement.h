#pragma once

#include "window/Geometry.h"

namespace quicktock {

// Where a message window of the given size opens, so that it leaves the main window's controls in
// view: to the right of the window, else to its left, level with its top, else below it, left
// edges aligned; always wholly inside the work area of the window's screen, and centred on that
// work area when there is no room beside or below. owner is the window's normal frame, also while
// it is minimised.
PixelRect PlaceMessage(const PixelRect& owner, int width, int height, const PixelRect& workArea);

}  // namespace quicktock
