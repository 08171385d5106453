#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "window/Geometry.h"

namespace quicktock {

// The eighteen controls of the main window, in the order in which they are created.
enum class ControlId : int {
    txtUntilMinutes,
    chkUntilMinute,
    chkLessThanNow,
    chkLanguage,
    chk10sec,
    cmdAccel,
    cmdNormal,
    cmdExit,
    cmdPlayback,
    cmdGotoEstimate,
    txtPlaybackHour,
    tmrTimer,
    lblUntilMinute,
    Line1,
    lblEstimate,
    lblPresent,
    lblEstimateTime,
    lblPresentTime,
};
inline constexpr int kControlCount = 18;

enum class ControlKind { Label, TextBox, CommandButton, CheckBox, Line, Timer };

// The faces the window names, as Windows names them; a realisation draws each in an installed face
// that has the characters it shows. "ＭＳ Ｐゴシック" is proportional, "ＭＳ ゴシック" fixed-pitch.
inline constexpr const char* kUiGothicFace = "MS UI Gothic";
inline constexpr const char* kPGothicFace = "\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";
inline constexpr const char* kGothicFace = "\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";

// A font as the window describes it; the realisation maps the face name to an installed font.
struct ControlFont {
    std::string face;
    int points = 9;
    int weight = 400;
    int charset = 0;  // 0 ANSI, 128 Shift-JIS

    friend auto operator<=>(const ControlFont&, const ControlFont&) = default;
};

struct Control {
    ControlId id;
    const char* name;
    ControlKind kind;
    TwipRect rect;
    int tabIndex;         // -1 for controls that never take the focus
    std::string caption;  // caption of labels, buttons and check boxes; text of text boxes
    ControlFont font;
    bool visible = true;
    bool enabled = true;
    std::int16_t value = 0;  // check boxes: 0 unchecked, 1 checked, 2 greyed
    bool alignRight = false;
    std::string tooltip{};  // shown while the pointer rests on the control; empty for none
    int intervalMs = 0;     // the timer: the time between its events
};

using ControlTable = std::array<Control, kControlCount>;

inline constexpr int kClientWidthTwips = 3390;
inline constexpr int kClientHeightTwips = 1800;

// The window's own font, used by the text boxes throughout and by the other controls until the
// display language gives them a face name.
ControlFont DefaultFont();

// Every control with its laid-out rectangle, caption, font and state, indexed by ControlId.
ControlTable LaidOutControls();

}  // namespace quicktock
