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

}  // namespace

PixelRect PlaceMessage(const PixelRect& owner, int width, int height, const PixelRect& workArea) {
    const int level = Within(owner.top, height, workArea.top, workArea.Bottom());
    const int aligned = Within(owner.left, width, workArea.left, workArea.Right());
    const PixelRect candidates[] = {
        {owner.Right(), level, width, height},
        {owner.left - width, level, width, height},
        {aligned, owner.Bottom(), width, height},
    };
    for (const PixelRect& candidate : candidates) {
        if (Inside(candidate, workArea)) {
            return candidate;
        }
    }
    return {workArea.left + (workArea.width - width) / 2,
            workArea.top + (workArea.height - height) / 2, width, height};
}

}  // namespace quicktock
