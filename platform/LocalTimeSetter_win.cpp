#include "platform/LocalTimeSetter_win.h"

#include <string>

#include "engine/ClockSetError.h"

namespace quicktock {

DWORD SystemSetLocalTime(const SYSTEMTIME& local) {
    return SetLocalTime(&local) ? 0 : GetLastError();
}

void SetLocalTimeTwice(const SYSTEMTIME& local, const SetLocalTimeFunction& setLocalTime) {
    DWORD error = setLocalTime(local);
    if (error == 0) {
        error = setLocalTime(local);
    }
    if (error == 0) {
        return;
    }
    std::string message =
        "The system clock could not be set (error " + std::to_string(error) + ").";
    if (error == ERROR_PRIVILEGE_NOT_HELD || error == ERROR_ACCESS_DENIED) {
        message += " Quicktock needs the right to set the clock: run it as administrator.";
    }
    throw ClockSetError(message);
}

}  // namespace quicktock
