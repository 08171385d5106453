#pragma once

namespace quicktock {

inline constexpr int kTwipsPerInch = 1440;

// Screen pixels for a length in twips at the screen's logical dots per inch (15 twips per pixel
// at 96), rounded to the nearest pixel; and back, unrounded.
int TwipsToPixels(double twips, int dpi);
double PixelsToTwips(int pixels, int dpi);

}  // namespace quicktock
