#pragma once

#include <vector>

#include "window/Geometry.h"

namespace quicktock {

// Where a message window of the given size opens, so that it leaves the main window's controls in
// view: to the right of the window, else to its left, level with its top, else below it, left
// edges aligned; always wholly inside the area of the window's screen (the one that holds most of
// it, else the primary one), and centred on that area when there is no room beside or below. owner
// is the window's normal frame, also while it is minimised.
PixelRect PlaceMessage(const PixelRect& owner, int width, int height,
                       const std::vector<Screen>& screens);

// A message window that a realisation lays out itself: its text, wrapped within
// kMessageTextWidthTwips, and the OK button centred below it, in pixels from the corner of its
// client area, whose size it gives too.
struct MessageLayout {
    PixelRect text;
    PixelRect button;
    int width = 0;
    int height = 0;
};
inline constexpr int kMessageTextWidthTwips = 6000;

// The layout, at dpi, for a text that takes the given room once wrapped.
MessageLayout LayOutMessage(int textWidth, int textHeight, int dpi);

}  // namespace quicktock
