#pragma once

#include <optional>
#include <vector>

#include "settings/SettingsForm.h"

namespace quicktock {

// A rectangle on the desktop in twips, such as a screen's available area (without the task bar).
struct DesktopRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The outer frame the window first shows with. An empty coordinate keeps the system's default
// placement on that axis.
struct StartFrame {
    std::optional<double> left;
    std::optional<double> top;
    double width = 0;
    double height = 0;

    friend bool operator==(const StartFrame&, const StartFrame&) = default;
};

// Decides the frame the window first shows with from the restored keys, the laid-out outer size
// (the laid-out client area plus the frame) and the screens' available areas, the primary screen
// first. A missing key keeps its laid-out value. The size is clamped to the available area of the
// screen the window comes up on, so a huge saved size cannot open a window that never finishes
// painting; the position stays as saved, even partly off the screen. A frame less than a pixel
// wide or high, or one that would lie wholly off every screen, is dropped: the window opens at
// the default place with the laid-out size.
StartFrame DecideStartFrame(const SavedFrame& restored, double laidOutWidth, double laidOutHeight,
                            const std::vector<DesktopRect>& screens, int dpi);

}  // namespace quicktock
