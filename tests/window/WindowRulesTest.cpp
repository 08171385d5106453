#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>

#include "window/FaceChoice.h"
#include "window/FrameRules.h"
#include "window/MessagePlacement.h"
#include "window/TabOrder.h"

namespace quicktock {
namespace {

TEST(WindowRulesTest, TabPassesOverLabelsTheHiddenBoxTheLineAndTheTimer) {
    using I = ControlId;
    const std::vector<ControlId> expected = {
        I::cmdExit,   I::txtPlaybackHour, I::cmdPlayback, I::cmdAccel,       I::chk10sec,
        I::cmdNormal, I::cmdGotoEstimate, I::chkLanguage, I::chkUntilMinute, I::txtUntilMinutes};
    EXPECT_EQ(TabOrder(LaidOutControls()), expected);
    EXPECT_EQ(InitialFocus(), I::cmdExit);
}

// At 96 dpi: a 1920x1080 primary screen with a 40-pixel task bar, and a 1280x960 screen to its
// right. The window, placed at (30, 40), adds 8x27 pixels to its client area: the laid-out outer
// size is 234x147.
TEST(WindowRulesTest, StartFrameFromTheRestoredKeysAndTheScreens) {
    const std::vector<Screen> screens = {{{1920, 0, 1280, 960}}, {{0, 0, 1920, 1040}, true}};
    const std::pair<SavedFrame, StartFrame> cases[] = {
        {{}, {{30, 40, 234, 147}}},
        // Mended: missing keys keep the system's place and the laid-out size.
        {{1500, 1500, {}, {}}, {{100, 100, 234, 147}, true}},
        {{1500, {}, {}, 3000}, {{100, 40, 234, 200}}},
        // Mended: a huge size is clamped to the available area of the screen it comes up on.
        {{0, 0, 1e9, 1e9}, {{0, 0, 1920, 1040}, true}},
        {{30000, 100, 1e9, 1e9}, {{2000, 7, 1280, 960}, true}},
        // Partly off the screen: kept where it was.
        {{27000, -1000, 6000, 3000}, {{1800, -67, 400, 200}, true}},
        // Wholly off every screen, or less than a pixel: the system's place, the laid-out size.
        {{9000000, 1500, 6000, 3000}, {{30, 40, 234, 147}}},
        {{{}, 16000, {}, {}}, {{30, 40, 234, 147}}},
        {{1500, 1500, 0, 3000}, {{30, 40, 234, 147}}},
        {{1500, 1500, 6000, 14}, {{30, 40, 234, 147}}},
    };
    int row = 0;
    for (const auto& [restored, expected] : cases) {
        const StartFrame start =
            DecideStartFrame(restored, {30, 40, 1000, 700}, {0, 0, 992, 673}, false, screens, 96);
        EXPECT_EQ(start, expected)
            << "row " << row << ": " << start.frame.left << "," << start.frame.top << " "
            << start.frame.width << "x" << start.frame.height;
        ++row;
    }
}

// A 1920x1040 primary work area and a 1280x960 one to its right; the messages are 300x120 pixels.
TEST(WindowRulesTest, AMessageOpensBesideOrBelowTheWindowInsideTheWorkArea) {
    const std::vector<Screen> screens = {{{1920, 0, 1280, 960}}, {{0, 0, 1920, 1040}, true}};
    const std::pair<PixelRect, PixelRect> cases[] = {
        {{2000, 100, 240, 160}, {2240, 100, 300, 120}},  // on the screen that holds it
        {{100, 100, 240, 160}, {340, 100, 300, 120}},    // right of it
        {{100, 1000, 240, 160}, {340, 920, 300, 120}},   // level, as far as the area allows
        {{1700, 100, 240, 160}, {1400, 100, 300, 120}},  // no room right on its screen: left
        {{-50, 100, 1940, 160}, {0, 260, 300, 120}},     // no room beside: below
        {{0, 0, 1920, 1000}, {810, 460, 300, 120}},      // no room at all: centred
        {{3000, 3000, 240, 160}, {810, 460, 300, 120}},  // off the area: centred
    };
    for (const auto& [owner, placed] : cases) {
        EXPECT_EQ(PlaceMessage(owner, 300, 120, screens), placed) << owner.left << "," << owner.top;
    }
}

// Faces as a realisation measures them: "Latin" draws ASCII only, the others everything; twips
// per character (UTF-8 continuation bytes are no characters). The named faces are not installed.
TEST(WindowRulesTest, EachControlDrawsInAnInstalledFaceThatHasItsCharacters) {
    const std::map<std::string, double> perCharacter = {
        {"Latin", 100}, {"Gothic", 95}, {"Mono", 90}, {"WideMono", 130}};
    const MeasureText measure = [&](const std::string& face, const std::string& text) {
        const auto found = perCharacter.find(face);
        const bool ascii = std::all_of(text.begin(), text.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        });
        return found == perCharacter.end() || (face == "Latin" && !ascii)
                   ? std::nullopt
                   : std::optional(found->second * static_cast<double>(characters));
    };
    ControlTable controls = LaidOutControls();
    Control& present = controls[static_cast<int>(ControlId::lblPresent)];
    const Control& time = controls[static_cast<int>(ControlId::lblPresentTime)];
    const std::vector<InstalledFace> gothicFirst = {{"Gothic"}, {"WideMono", true}, {"Mono", true}};
    const std::vector<InstalledFace> latinFirst = {{"Latin"}, {"Gothic"}};
    const auto choose = [&](const Control& c, const std::vector<InstalledFace>& installed) {
        return ChooseFace(FaceRequestFor(c, {}), installed, measure);
    };
    EXPECT_EQ(choose(present, latinFirst), "Latin");  // "System :"
    present.caption = "\u30B7\u30B9\u30C6\u30E0\uFF1A";
    EXPECT_EQ(choose(present, latinFirst), "Gothic");
    EXPECT_EQ(choose(present, {{"Latin"}}), present.font.face) << "none draws it: the named face";
    present.caption = "Systems :";  // 900 twips in "Latin" overflow the 855 of the label
    EXPECT_EQ(choose(present, {{"Latin"}, {"WideMono", true}, {"Gothic"}}), "Gothic");
    present.font.face = "Mono";
    EXPECT_EQ(choose(present, latinFirst), "Mono") << "the named face first, where it draws";
    // Three digits in the 375-twip number box: not in "WideMono".
    EXPECT_EQ(choose(controls[static_cast<int>(ControlId::txtUntilMinutes)],
                     {{"WideMono", true}, {"Gothic"}}),
              "Gothic");
    // 19 characters: a fixed-pitch face that fits the 1815 twips, else one that fits at all.
    EXPECT_EQ(choose(time, gothicFirst), "Mono");
    EXPECT_EQ(choose(time, {{"Gothic"}, {"WideMono", true}}), "Gothic");
    EXPECT_EQ(FaceRequestFor(time, {".", "."}).texts[3], "3333.33.33 33.33.33");
}

}  // namespace
}  // namespace quicktock
