#include "platform/OsSystemClock.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>

#include "engine/ClockSetError.h"

namespace quicktock {
namespace {

timespec ReadRealtime() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

ClockDate LocalClockDate(std::time_t seconds) {
    std::tm local{};
    localtime_r(&seconds, &local);
    return FromCivil(CivilTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec});
}

}  // namespace

ClockDate OsSystemClock::NowLocal() {
    const timespec now = ReadRealtime();
    return LocalClockDate(now.tv_sec + (now.tv_nsec >= 500'000'000 ? 1 : 0));
}

void OsSystemClock::SetTimeOfDay(ClockDate value) {
    const CivilTime today = ToCivil(NowLocal());
    const CivilTime wanted = ToCivil(value);
    std::tm local{};
    local.tm_year = today.year - 1900;
    local.tm_mon = today.month - 1;
    local.tm_mday = today.day;
    local.tm_hour = wanted.hour;
    local.tm_min = wanted.minute;
    local.tm_sec = wanted.second;
    local.tm_isdst = -1;
    const timespec target{mktime(&local), 0};
    if (clock_settime(CLOCK_REALTIME, &target) != 0) {
        const int error = errno;
        std::string message = "The system clock could not be set (";
        message += std::strerror(error);
        message += ").";
        if (error == EPERM) {
            message +=
                " Quicktock needs the right to set the clock: run it with CAP_SYS_TIME, for "
                "example after \"sudo setcap cap_sys_time+ep\" on the quicktock program.";
        }
        throw ClockSetError(message);
    }
}

}  // namespace quicktock
