#pragma once

namespace quicktock {

// The controls of the main window that the clock engine and the saved settings read and write,
// by the names the window gives them; the window model maps each to its control.
enum class Box { txtPlaybackHour, txtUntilMinutes };
enum class Check { chk10sec, chkLessThanNow, chkUntilMinute, chkLanguage };
enum class Label { lblPresentTime, lblEstimateTime };
enum class Button { cmdAccel, cmdNormal };

}  // namespace quicktock
