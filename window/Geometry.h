#pragma once

namespace quicktock {

inline constexpr int kTwipsPerInch = 1440;

// A control's left, top, width and height in twips (1/1440 inch) from the client area's top-left
// corner. For the line, width and height are the offset of its end from its start.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A rectangle on the desktop in pixels: a window's outer frame or client area, a screen's area.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A screen's area for windows (without the task bar), and whether it is the primary screen, where
// the system places a new window.
struct Screen {
    PixelRect area;
    bool primary = false;
};

// Screen pixels for a length in twips at the screen's logical dots per inch (15 twips per pixel
// at 96), rounded to the nearest pixel; and back, unrounded.
int TwipsToPixels(double twips, int dpi);
double PixelsToTwips(int pixels, int dpi);

}  // namespace quicktock
