#include "window/FrameRules.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "window/FormLayout.h"

namespace quicktock {
namespace {

// A frame in pixels, unrounded; an empty coordinate is the system's to choose.
struct Wanted {
    std::optional<double> left;
    std::optional<double> top;
    double width = 0;
    double height = 0;
};

std::optional<double> InPixels(std::optional<float> twips, int dpi) {
    if (!twips) {
        return std::nullopt;
    }
    return *twips * dpi / static_cast<double>(kTwipsPerInch);
}

// How far [start, start + length) overlaps [areaStart, areaStart + areaLength); an unknown
// start means the system places the window on the screen, so it overlaps fully.
double Overlap(std::optional<double> start, double length, double areaStart, double areaLength) {
    if (!start) {
        return length;
    }
    return std::min(*start + length, areaStart + areaLength) - std::max(*start, areaStart);
}

Wanted Clamped(Wanted frame, const PixelRect& area) {
    frame.width = std::min<double>(frame.width, area.width);
    frame.height = std::min<double>(frame.height, area.height);
    return frame;
}

Wanted Decide(const SavedFrame& restored, const Wanted& laidOut, const std::vector<Screen>& screens,
              int dpi) {
    if (screens.empty()) {
        return laidOut;
    }
    const auto primary = std::find_if(screens.begin(), screens.end(),
                                      [](const Screen& screen) { return screen.primary; });
    const PixelRect& home = (primary != screens.end() ? *primary : screens.front()).area;
    const Wanted wanted{InPixels(restored.left, dpi), InPixels(restored.top, dpi),
                        InPixels(restored.width, dpi).value_or(laidOut.width),
                        InPixels(restored.height, dpi).value_or(laidOut.height)};
    if (wanted.width < 1 || wanted.height < 1) {
        return Clamped(laidOut, home);
    }
    if (!wanted.left && !wanted.top) {
        return Clamped(wanted, home);  // the system places a new window there
    }
    // The window comes up on the screen that holds most of it once clamped to that screen.
    std::optional<Wanted> best;
    double bestArea = 0;
    for (const Screen& screen : screens) {
        const Wanted candidate = Clamped(wanted, screen.area);
        const double across =
            Overlap(candidate.left, candidate.width, screen.area.left, screen.area.width);
        const double down =
            Overlap(candidate.top, candidate.height, screen.area.top, screen.area.height);
        if (across > 0 && down > 0 && across * down > bestArea) {
            best = candidate;
            bestArea = across * down;
        }
    }
    return best ? *best : Clamped(laidOut, home);
}

int Rounded(double pixels) {
    return static_cast<int>(std::lround(pixels));
}

}  // namespace

StartFrame DecideStartFrame(const SavedFrame& restored, const PixelRect& frame,
                            const PixelRect& client, bool placed,
                            const std::vector<Screen>& screens, int dpi) {
    const Wanted laidOut{
        std::nullopt, std::nullopt,
        static_cast<double>(TwipsToPixels(kClientWidthTwips, dpi) + frame.width - client.width),
        static_cast<double>(TwipsToPixels(kClientHeightTwips, dpi) + frame.height - client.height)};
    const Wanted decided = Decide(restored, laidOut, screens, dpi);
    return {{decided.left ? Rounded(*decided.left) : frame.left,
             decided.top ? Rounded(*decided.top) : frame.top, Rounded(decided.width),
             Rounded(decided.height)},
            (decided.left && decided.top) || (placed && (decided.left || decided.top))};
}

SavedFrame FrameInTwips(const PixelRect& frame, int dpi) {
    const auto twips = [dpi](int pixels) { return static_cast<float>(PixelsToTwips(pixels, dpi)); };
    return {twips(frame.left), twips(frame.top), twips(frame.width), twips(frame.height)};
}

}  // namespace quicktock
