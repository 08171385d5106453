#pragma once

#include <array>
#include <climits>

namespace quicktock {

// Settings files and the outer frame, in pixels at 96 dpi, each opens the window with; both
// windows' tests read them. keys: posX, posY, winW, winH, null where missing. kPlaced: where the
// system places the window, not checked; kLaidOut: the size that gives the laid-out 226x120 client
// area; kScreen: the size of the screen's area for windows, wider than 800 and higher than 600.
inline constexpr const char* kFrameKeys[] = {"posX", "posY", "winW", "winH"};
inline constexpr int kPlaced = INT_MIN, kLaidOut = INT_MIN + 1, kScreen = INT_MIN + 2;
struct StartFrameCase {
    const char* keys[4];
    std::array<int, 4> frame;

    // Gives store each key the file holds and its text.
    template <typename Store>
    void StoreKeys(Store store) const {
        for (int i = 0; i < 4; ++i) {
            if (keys[i] != nullptr) {
                store(kFrameKeys[i], keys[i]);
            }
        }
    }
    // What a window that shows the frame shown, adding extra to its client area, on a screen whose
    // area for windows is area in size, should show.
    std::array<int, 4> Expected(const std::array<int, 4>& shown, const std::array<int, 2>& extra,
                                const std::array<int, 2>& area) const {
        const int laidOut[] = {0, 0, 226 + extra[0], 120 + extra[1]};
        std::array<int, 4> expected = frame;
        for (int i = 0; i < 4; ++i) {
            expected[i] = frame[i] == kPlaced    ? shown[i]
                          : frame[i] == kLaidOut ? laidOut[i]
                          : frame[i] == kScreen  ? area[i - 2]
                                                 : frame[i];
        }
        return expected;
    }
};
inline constexpr StartFrameCase kStartFrameCases[] = {
    {{}, {kPlaced, kPlaced, kLaidOut, kLaidOut}},
    {{" 1500", " 1500"}, {100, 100, kLaidOut, kLaidOut}},
    {{" 1500", " 3000", " 6000", " 4500"}, {100, 200, 400, 300}},
    {{" 1500", nullptr, nullptr, " 4500"}, {100, kPlaced, kLaidOut, 300}},
    {{nullptr, " 1500", " 1e9"}, {kPlaced, 100, kScreen, kLaidOut}},
    {{"-1e8", "-1e8", " 6000"}, {kPlaced, kPlaced, kLaidOut, kLaidOut}},
    {{" 1500", " 1500", " 0", " 4500"}, {kPlaced, kPlaced, kLaidOut, kLaidOut}},
};

}  // namespace quicktock
