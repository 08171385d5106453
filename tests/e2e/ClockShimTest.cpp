// Checks the preloaded clock shim from inside a process it was loaded into. Run without the right
// to set the clock: if the shim failed to load, the sets fail instead of moving the machine.

#include <sys/time.h>
#include <sys/timex.h>
#include <time.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

constexpr std::int64_t kSecond = 1'000'000'000;
int failures = 0;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

std::int64_t Now(clockid_t clock) {
    timespec value{};
    clock_gettime(clock, &value);
    return static_cast<std::int64_t>(value.tv_sec) * kSecond + value.tv_nsec;
}

}  // namespace

int main() {
    const char* startText = std::getenv("QUICKTOCK_SHIM_START");
    const char* logPath = std::getenv("QUICKTOCK_SHIM_LOG");
    const std::int64_t start = startText == nullptr ? -1 : std::atoll(startText);
    // Nothing below may run unless the shim answers: without it the sets would reach the kernel.
    if (logPath == nullptr || Now(CLOCK_REALTIME) / kSecond - start > 5 ||
        Now(CLOCK_REALTIME) / kSecond < start) {
        std::fprintf(stderr, "the shim is not loaded, or QUICKTOCK_SHIM_START/_LOG are not set\n");
        return 2;
    }
    std::remove(logPath);

    // Every way of reading the wall clock sees the same virtual time.
    timeval tv{};
    gettimeofday(&tv, nullptr);
    Check(time(nullptr) - start <= 5 && tv.tv_sec - start <= 5 &&
              Now(CLOCK_REALTIME_COARSE) / kSecond - start <= 5,
          "time(), gettimeofday and the coarse wall clock follow the virtual clock");
    Check(Now(CLOCK_MONOTONIC) / kSecond < start - 86400, "the monotonic clock is left alone");

    // A set moves the virtual clock, keeps running from there, and is logged.
    const timespec target{static_cast<time_t>(start + 3600), 0};
    Check(clock_settime(CLOCK_REALTIME, &target) == 0, "clock_settime succeeds without right");
    const std::int64_t sinceSet = Now(CLOCK_REALTIME) - (start + 3600) * kSecond;
    Check(sinceSet >= 0 && sinceSet < kSecond / 2, "the clock reads the time that was set");
    const timeval back{static_cast<time_t>(start + 60), 500'000};
    Check(settimeofday(&back, nullptr) == 0 && Now(CLOCK_REALTIME) / kSecond == start + 60,
          "settimeofday moves the clock back without right");

    // Only the wall clock can be set, and the kernel's adjusting calls cannot move anything.
    Check(clock_settime(CLOCK_MONOTONIC, &target) == -1 && errno == EINVAL,
          "setting the monotonic clock is refused");
    const timespec badNanos{static_cast<time_t>(start), kSecond};
    Check(clock_settime(CLOCK_REALTIME, &badNanos) == -1 && errno == EINVAL,
          "a nanosecond field out of range is refused");
    timex adjust{};
    adjust.modes = ADJ_OFFSET;
    Check(adjtimex(&adjust) == -1 && errno == EPERM, "adjtimex cannot adjust");

    // Each successful set left one whole line: monotonic time, then the wall-clock time set.
    std::ifstream log(logPath);
    long long monotonic[2] = {}, wall[2] = {};
    Check(log >> monotonic[0] >> wall[0] >> monotonic[1] >> wall[1] && !(log >> monotonic[0]),
          "one log line per successful set");
    Check(wall[0] == (start + 3600) * kSecond && wall[1] == (start + 60) * kSecond + kSecond / 2,
          "the log holds the times that were set, to the microsecond");
    Check(monotonic[1] >= monotonic[0], "log lines carry the monotonic time in order");
    if (failures == 0) {
        std::puts("clock shim: all checks passed");
    }
    return failures == 0 ? 0 : 1;
}
