#include "platform/OsSystemClock.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>

#include "engine/ClockSetError.h"

namespace quicktock {
namespace {

// The local date and time of an instant, and the offset from Greenwich then in force.
struct LocalReading {
    CivilTime civil;
    long offset = 0;  // seconds east of Greenwich
};

LocalReading LocalAt(std::time_t seconds) {
    std::tm local{};
    localtime_r(&seconds, &local);
    return {{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
             local.tm_sec},
            local.tm_gmtoff};
}

// Seconds since 1970 of a date and time read as if it were Greenwich time.
std::int64_t AsGreenwich(const CivilTime& civil) {
    static const std::int64_t epoch = ToLinearSeconds(FromCivil({1970, 1, 1, 0, 0, 0}));
    return ToLinearSeconds(FromCivil(civil)) - epoch;
}

std::time_t NowRounded() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec + (now.tv_nsec >= 500'000'000 ? 1 : 0);
}

// The instant whose local date and time is the one wanted. Where the autumn change repeats it,
// the one nearest to what the command means: the clock's present instant moved by the local
// difference between wanted and present time. So a jump to second 59 just after the clock fell
// back stays in the repeated hour instead of going back to the first one, and the clock never
// runs through the same hour for ever. The offsets tried are those in force within two days;
// each is proved by converting back, which also covers changes by half an hour.
std::optional<std::time_t> NearestInstant(const CivilTime& wanted) {
    const std::int64_t wantedAsGreenwich = AsGreenwich(wanted);
    const std::int64_t meant = wantedAsGreenwich - LocalAt(NowRounded()).offset;
    std::optional<std::time_t> best;
    for (int halfDays = -4; halfDays <= 4; ++halfDays) {
        const long offset = LocalAt(wantedAsGreenwich + halfDays * 43'200).offset;
        const std::time_t candidate = wantedAsGreenwich - offset;
        if (LocalAt(candidate).civil == wanted &&
            (!best || std::llabs(candidate - meant) < std::llabs(*best - meant))) {
            best = candidate;
        }
    }
    return best;
}

}  // namespace

ClockDate OsSystemClock::NowLocal() {
    return FromCivil(LocalAt(NowRounded()).civil);
}

// The whole date and time come from the value; the present instant only chooses between the two
// instants of a repeated local time. A local time that the spring change skips is resolved by
// mktime with the offset in force before the change: 02:30 becomes 03:30.
void OsSystemClock::SetLocalDateTime(ClockDate value) {
    const CivilTime wanted = ToCivil(value);
    std::optional<std::time_t> seconds = NearestInstant(wanted);
    if (!seconds) {
        std::tm local{};
        local.tm_year = wanted.year - 1900;
        local.tm_mon = wanted.month - 1;
        local.tm_mday = wanted.day;
        local.tm_hour = wanted.hour;
        local.tm_min = wanted.minute;
        local.tm_sec = wanted.second;
        local.tm_isdst = -1;
        errno = 0;
        seconds = mktime(&local);
        if (*seconds == static_cast<std::time_t>(-1) && errno != 0) {
            throw ClockSetError(ClockRemedy::None, std::strerror(errno));
        }
    }
    const timespec target{*seconds, 0};
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
