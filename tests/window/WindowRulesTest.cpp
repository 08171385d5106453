#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "window/FrameRules.h"
#include "window/TabOrder.h"
#include "window/Twips.h"

namespace quicktock {
namespace {

TEST(WindowRulesTest, TwipsBecomePixelsAtTheScreensDotsPerInch) {
    const std::tuple<double, int, int> cases[] = {{15, 96, 1},    {3390, 96, 226}, {3390, 144, 339},
                                                  {7, 96, 0},     {8, 96, 1},      {-60, 96, -4},
                                                  {855, 192, 114}};
    for (const auto& [twips, dpi, pixels] : cases) {
        EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
        EXPECT_EQ(TwipsToPixels(PixelsToTwips(pixels, dpi), dpi), pixels) << pixels;
    }
}

TEST(WindowRulesTest, TabPassesOverLabelsTheHiddenBoxTheLineAndTheTimer) {
    using I = ControlId;
    const std::vector<ControlId> expected = {
        I::cmdExit,   I::txtPlaybackHour, I::cmdPlayback, I::cmdAccel,       I::chk10sec,
        I::cmdNormal, I::cmdGotoEstimate, I::chkLanguage, I::chkUntilMinute, I::txtUntilMinutes};
    EXPECT_EQ(TabOrder(LaidOutControls()), expected);
    EXPECT_EQ(InitialFocus(), I::cmdExit);
}

// Twips at 96 dpi: a 1920x1080 primary screen with a 40-pixel task bar, and a 1280x960 screen
// to its right. The laid-out outer size is 3510x2205.
TEST(WindowRulesTest, StartFrameFromTheRestoredKeysAndTheScreens) {
    const std::vector<DesktopRect> screens = {{0, 0, 28800, 15600}, {28800, 0, 19200, 14400}};
    const std::pair<RestoredFrame, StartFrame> cases[] = {
        {{}, {{}, {}, 3510, 2205}},
        // Mended: missing keys keep the default place and the laid-out size.
        {{1500, 1500, {}, {}}, {1500, 1500, 3510, 2205}},
        {{{}, {}, 6000, 3000}, {{}, {}, 6000, 3000}},
        {{1500, {}, {}, 3000}, {1500, {}, 3510, 3000}},
        // Mended: a huge size is clamped to the available area of the screen it comes up on.
        {{0, 0, 1e9, 1e9}, {0, 0, 28800, 15600}},
        {{30000, 100, 1e9, 1e9}, {30000, 100, 19200, 14400}},
        {{{}, {}, 1e9, 2205}, {{}, {}, 28800, 2205}},
        // Partly off the screen: kept where it was.
        {{27000, -1000, 6000, 3000}, {27000, -1000, 6000, 3000}},
        // Wholly off every screen, or less than a pixel: default place and laid-out size.
        {{9000000, 1500, 6000, 3000}, {{}, {}, 3510, 2205}},
        {{{}, 16000, {}, {}}, {{}, {}, 3510, 2205}},
        {{-1e8, -1e8, 1e9, 1e9}, {{}, {}, 3510, 2205}},
        {{1500, 1500, 0, 3000}, {{}, {}, 3510, 2205}},
        {{1500, 1500, 6000, 14}, {{}, {}, 3510, 2205}},
    };
    int row = 0;
    for (const auto& [restored, expected] : cases) {
        const StartFrame frame = DecideStartFrame(restored, 3510, 2205, screens, 96);
        EXPECT_EQ(frame, expected) << "row " << row << ": " << frame.width << "x" << frame.height;
        ++row;
    }
}

}  // namespace
}  // namespace quicktock
