#include "window/MessagePlacement.h"

#include <algorithm>

namespace quicktock {
namespace {

// The start of a span of the given length moved into [areaStart, areaEnd) as far as it fits.
int Within(int start, int length, int areaStart, int areaEnd) {
    return std::max(areaStart, std::min(start, areaEnd - length));
}

bool Inside(const PixelRect& r, const PixelRect& area) {
    return r.left >= area.left && r.top >= area.top && r.Right() <= area.Right() &&
           r.Bottom() <= area.Bottom();
}

long long Shared(const PixelRect& a, const PixelRect& b) {
    const long long across = std::min(a.Right(), b.Right()) - std::max(a.left, b.left);
    const long long down = std::min(a.Bottom(), b.Bottom()) - std::max(a.top, b.top);
    return across > 0 && down > 0 ? across * down : 0;
}

PixelRect AreaOf(const PixelRect& window, const std::vector<Screen>& screens) {
    const Screen* chosen = nullptr;
    for (const Screen& screen : screens) {
        if (!chosen || Shared(window, screen.area) > Shared(window, chosen->area) ||
            (Shared(window, chosen->area) == 0 && screen.primary)) {
            chosen = &screen;
        }
    }
    return chosen ? chosen->area : window;
}

}  // namespace

PixelRect PlaceMessage(const PixelRect& owner, int width, int height,
                       const std::vector<Screen>& screens) {
    const PixelRect area = AreaOf(owner, screens);
    const int level = Within(owner.top, height, area.top, area.Bottom());
    const int aligned = Within(owner.left, width, area.left, area.Right());
    const PixelRect candidates[] = {
        {owner.Right(), level, width, height},
        {owner.left - width, level, width, height},
        {aligned, owner.Bottom(), width, height},
    };
    for (const PixelRect& candidate : candidates) {
        if (Inside(candidate, area)) {
            return candidate;
        }
    }
    return {area.left + (area.width - width) / 2, area.top + (area.height - height) / 2, width,
            height};
}

MessageLayout LayOutMessage(int textWidth, int textHeight, int dpi) {
    const int margin = TwipsToPixels(180, dpi);
    const int buttonWidth = TwipsToPixels(1200, dpi);
    const int buttonHeight = TwipsToPixels(360, dpi);
    // Room for a label's own rounding of the same line breaks.
    const int shownWidth = textWidth + TwipsToPixels(60, dpi);
    const int width = std::max(shownWidth, buttonWidth) + 2 * margin;
    return {{margin, margin, shownWidth, textHeight},
            {(width - buttonWidth) / 2, textHeight + 2 * margin, buttonWidth, buttonHeight},
            width,
            textHeight + buttonHeight + 3 * margin};
}

}  // namespace quicktock
