#include "platform/OsSystemClock.h"

#include <windows.h>

#include "platform/LocalTimeSetter_win.h"

namespace quicktock {

ClockDate OsSystemClock::NowLocal() {
    FILETIME utc{};
    GetSystemTimePreciseAsFileTime(&utc);
    ULARGE_INTEGER ticks{};
    ticks.LowPart = utc.dwLowDateTime;
    ticks.HighPart = utc.dwHighDateTime;
    // Round to the nearest whole second (100 ns ticks) before splitting into fields.
    ticks.QuadPart = (ticks.QuadPart + 5'000'000) / 10'000'000 * 10'000'000;
    utc.dwLowDateTime = ticks.LowPart;
    utc.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME utcFields{};
    SYSTEMTIME local{};
    FileTimeToSystemTime(&utc, &utcFields);
    SystemTimeToTzSpecificLocalTime(nullptr, &utcFields, &local);
    return FromCivil(CivilTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute,
                               local.wSecond});
}

void OsSystemClock::SetLocalDateTime(ClockDate value) {
    const CivilTime wanted = ToCivil(value);
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(wanted.year);
    local.wMonth = static_cast<WORD>(wanted.month);
    local.wDay = static_cast<WORD>(wanted.day);
    local.wHour = static_cast<WORD>(wanted.hour);
    local.wMinute = static_cast<WORD>(wanted.minute);
    local.wSecond = static_cast<WORD>(wanted.second);
    SetLocalTimeTwice(local, SystemSetLocalTime);
}

// Milliseconds since the system started, sleep included, and untouched by setting the clock.
std::int64_t OsSystemClock::RunningSeconds() {
    return static_cast<std::int64_t>(GetTickCount64() / 1000);
}

}  // namespace quicktock
