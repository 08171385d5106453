#pragma once

#include <vector>

#include "settings/SettingsForm.h"
#include "window/Geometry.h"

namespace quicktock {

// The outer frame the window first shows with, in pixels, and whether it moves there: where it
// does not, the system's placement stands.
struct StartFrame {
    PixelRect frame;
    bool moves = false;

    friend bool operator==(const StartFrame&, const StartFrame&) = default;
};

// Decides the frame the window first shows with, normal (neither minimised nor maximised), from
// the frame keys the settings file restored and the screens. frame and client are the window's
// outer frame and client area as the toolkit reports them now: what the frame adds to the client
// area around the laid-out client area gives the laid-out outer size. Once the system has placed
// the window (placed), a coordinate the file lacks stays where the system put it; until then only
// a position the file gives whole is applied, so that the system still places a window whose
// position was not saved.
//
// A missing key keeps its laid-out value. The size is clamped to the area of the screen the window
// comes up on, so a huge saved size cannot open a window that never finishes painting; the
// position stays as saved, even partly off the screen. A frame less than a pixel wide or high, or
// one that would lie wholly off every screen, is dropped: the window opens at the system's place
// with the laid-out size.
StartFrame DecideStartFrame(const SavedFrame& restored, const PixelRect& frame,
                            const PixelRect& client, bool placed,
                            const std::vector<Screen>& screens, int dpi);

// The window's outer frame, in pixels at dpi, as the settings file holds it.
SavedFrame FrameInTwips(const PixelRect& frame, int dpi);

}  // namespace quicktock
