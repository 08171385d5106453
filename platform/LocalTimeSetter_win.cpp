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
    const bool wantsRight = error == ERROR_PRIVILEGE_NOT_HELD || error == ERROR_ACCESS_DENIED;
    throw ClockSetError(wantsRight ? ClockRemedy::RunAsAdministrator : ClockRemedy::None,
                        "error " + std::to_string(error));
}

}  // namespace quicktock
