#include "platform/OsSystemClock.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "engine/ClockSetError.h"

namespace quicktock {

ClockDate OsSystemClock::NowLocal() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::time_t seconds = now.tv_sec + (now.tv_nsec >= 500'000'000 ? 1 : 0);
    std::tm local{};
    localtime_r(&seconds, &local);
    return FromCivil(CivilTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec});
}

// The whole date and time come from the value; a local time skipped or repeated by a change of
// daylight saving time is resolved by mktime, which then decides whether daylight time applies.
void OsSystemClock::SetLocalDateTime(ClockDate value) {
    const CivilTime wanted = ToCivil(value);
    std::tm local{};
    local.tm_year = wanted.year - 1900;
    local.tm_mon = wanted.month - 1;
    local.tm_mday = wanted.day;
    local.tm_hour = wanted.hour;
    local.tm_min = wanted.minute;
    local.tm_sec = wanted.second;
    local.tm_isdst = -1;
    errno = 0;
    const std::time_t seconds = mktime(&local);
    if (seconds == static_cast<std::time_t>(-1) && errno != 0) {
        throw ClockSetError(ClockRemedy::None, std::strerror(errno));
    }
    const timespec target{seconds, 0};
    if (clock_settime(CLOCK_REALTIME, &target) != 0) {
        const int error = errno;
        throw ClockSetError(error == EPERM ? ClockRemedy::GrantCapability : ClockRemedy::None,
                            std::strerror(error));
    }
}

std::int64_t OsSystemClock::RunningSeconds() {
    timespec running{};
    clock_gettime(CLOCK_BOOTTIME, &running);
    return running.tv_sec;
}

}  // namespace quicktock
