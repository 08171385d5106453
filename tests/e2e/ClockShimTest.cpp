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

    // A set moves the virtual clock and is logged; the program's sets and their log lines are
    // the platform and end-to-end tests' concern, the other ways of setting are this test's.
    const timeval back{static_cast<time_t>(start + 60), 500'000};
    Check(settimeofday(&back, nullptr) == 0 && Now(CLOCK_REALTIME) / kSecond == start + 60,
          "settimeofday moves the clock back without right");
    std::ifstream log(logPath);
    long long monotonic = 0, wall = 0;
    Check(log >> monotonic >> wall && wall == (start + 60) * kSecond + kSecond / 2,
          "the log holds the time that was set, to the microsecond");

    // Only the wall clock can be set, and the kernel's adjusting calls cannot move anything.
    const timespec target{static_cast<time_t>(start + 3600), 0};
    Check(clock_settime(CLOCK_MONOTONIC, &target) == -1 && errno == EINVAL,
          "setting the monotonic clock is refused");
    timex adjust{};
    adjust.modes = ADJ_OFFSET;
    Check(adjtimex(&adjust) == -1 && errno == EPERM, "adjtimex cannot adjust");
    if (failures == 0) {
        std::puts("clock shim: all checks passed");
    }
    return failures == 0 ? 0 : 1;
}
