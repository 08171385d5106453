#include "window/FormLayout.h"

namespace quicktock {
namespace {

constexpr int kShiftJis = 128;

}  // namespace

ControlFont DefaultFont() {
    return ControlFont{kUiGothicFace, 9, 400, kShiftJis};
}

ControlTable LaidOutControls() {
    using K = ControlKind;
    using I = ControlId;
    const ControlFont window = DefaultFont();
    const ControlFont dateTime{kGothicFace, 9, 400, kShiftJis};
    const ControlFont playback{kUiGothicFace, 9, 400, 0};
    ControlTable c{{
        {I::txtUntilMinutes,
         "txtUntilMinutes",
         K::TextBox,
         {4560, 120, 375, 270},
         14,
         "240",
         window},
        {I::chkUntilMinute,
         "chkUntilMinute",
         K::CheckBox,
         {3840, 120, 735, 300},
         13,
         "until",
         window},
        {I::chkLessThanNow,
         "chkLessThanNow",
         K::CheckBox,
         {3840, 480, 2415, 255},
         12,
         "until System < Now",
         window},
        {I::chkLanguage,
         "chkLanguage",
         K::CheckBox,
         {3840, 1440, 1215, 255},
         11,
         "Japanese",
         window},
        {I::chk10sec, "chk10sec", K::CheckBox, {2400, 720, 855, 300}, 5, "10sec", window},
        {I::cmdAccel, "cmdAccel", K::CommandButton, {1440, 720, 855, 300}, 4, ">>", window},
        {I::cmdNormal, "cmdNormal", K::CommandButton, {1440, 1080, 855, 300}, 6, ">", window},
        {I::cmdExit, "cmdExit", K::CommandButton, {2400, 1440, 855, 300}, 1, "Exit", window},
        {I::cmdPlayback, "cmdPlayback", K::CommandButton, {480, 720, 855, 300}, 3, "|<<", playback},
        {I::cmdGotoEstimate,
         "cmdGotoEstimate",
         K::CommandButton,
         {1440, 1440, 855, 300},
         7,
         ">>|",
         window},
        {I::txtPlaybackHour, "txtPlaybackHour", K::TextBox, {90, 720, 375, 270}, 2, "12", window},
        {I::tmrTimer, "tmrTimer", K::Timer, {}, -1, "", window},
        {I::lblUntilMinute,
         "lblUntilMinute",
         K::Label,
         {5040, 160, 735, 255},
         15,
         "minutes",
         window},
        {I::Line1, "Line1", K::Line, {3600, 120, 0, 1560}, -1, "", window},
        {I::lblEstimate, "lblEstimate", K::Label, {120, 360, 855, 255}, 10, "Now :", window},
        {I::lblPresent, "lblPresent", K::Label, {120, 120, 855, 255}, 9, "System :", window},
        {I::lblEstimateTime,
         "lblEstimateTime",
         K::Label,
         {1080, 360, 1815, 255},
         8,
         "0000/00/00 00:00:00",
         dateTime},
        {I::lblPresentTime,
         "lblPresentTime",
         K::Label,
         {1080, 120, 1815, 255},
         0,
         "0000/00/00 00:00:00",
         dateTime},
    }};
    auto at = [&c](ControlId id) -> Control& { return c[static_cast<int>(id)]; };
    at(I::chkLessThanNow).visible = false;
    at(I::chkLanguage).value = 1;
    at(I::tmrTimer).intervalMs = 1000;
    for (const ControlId id :
         {I::lblPresent, I::lblEstimate, I::txtPlaybackHour, I::txtUntilMinutes}) {
        at(id).alignRight = true;
    }
    return c;
}

}  // namespace quicktock
