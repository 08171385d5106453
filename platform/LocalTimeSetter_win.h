#pragma once

#include <windows.h>

#include <functional>

namespace quicktock {

// What SetLocalTime does, as a value: 0 when the clock was set, the system's error code when not.
using SetLocalTimeFunction = std::function<DWORD(const SYSTEMTIME& local)>;

// The system's own SetLocalTime.
DWORD SystemSetLocalTime(const SYSTEMTIME& local);

// Sets the clock to a local date and time. The system converts local to universal time with the
// daylight-saving offset in force before the change, so the time is set a second time, as the
// system's documentation advises: across a daylight-saving boundary only the second call lands
// on the local time asked for. A refusal raises ClockSetError; one for want of the right to set
// the clock names running as administrator as its remedy.
void SetLocalTimeTwice(const SYSTEMTIME& local, const SetLocalTimeFunction& setLocalTime);

}  // namespace quicktock
