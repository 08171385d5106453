#include "window/FrameRules.h"

#include <algorithm>

#include "window/Twips.h"

namespace quicktock {
namespace {

// How far [start, start + length) overlaps [areaStart, areaStart + areaLength); an unknown
// start means the system places the window on the screen, so it overlaps fully.
double Overlap(std::optional<double> start, double length, double areaStart, double areaLength) {
    if (!start) {
        return length;
    }
    return std::min(*start + length, areaStart + areaLength) - std::max(*start, areaStart);
}

StartFrame Clamped(StartFrame frame, const DesktopRect& area) {
    frame.width = std::min(frame.width, area.width);
    frame.height = std::min(frame.height, area.height);
    return frame;
}

}  // namespace

StartFrame DecideStartFrame(const SavedFrame& restored, double laidOutWidth, double laidOutHeight,
                            const std::vector<DesktopRect>& screens, int dpi) {
    const StartFrame laidOut{std::nullopt, std::nullopt, laidOutWidth, laidOutHeight};
    StartFrame wanted = laidOut;
    if (restored.left) {
        wanted.left = *restored.left;
    }
    if (restored.top) {
        wanted.top = *restored.top;
    }
    wanted.width = restored.width.value_or(static_cast<float>(laidOutWidth));
    wanted.height = restored.height.value_or(static_cast<float>(laidOutHeight));
    if (screens.empty()) {
        return laidOut;
    }
    const double onePixel = PixelsToTwips(1, dpi);
    if (wanted.width < onePixel || wanted.height < onePixel) {
        return Clamped(laidOut, screens.front());
    }
    if (!wanted.left && !wanted.top) {
        return Clamped(wanted, screens.front());  // the system places a new window there
    }
    // The window comes up on the screen that holds most of it once clamped to that screen.
    std::optional<StartFrame> best;
    double bestArea = 0;
    for (const DesktopRect& screen : screens) {
        const StartFrame candidate = Clamped(wanted, screen);
        const double across = Overlap(candidate.left, candidate.width, screen.left, screen.width);
        const double down = Overlap(candidate.top, candidate.height, screen.top, screen.height);
        if (across > 0 && down > 0 && across * down > bestArea) {
            best = candidate;
            bestArea = across * down;
        }
    }
    return best ? *best : Clamped(laidOut, screens.front());
}

}  // namespace quicktock
