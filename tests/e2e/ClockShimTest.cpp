// Checks the preloaded clock shim from inside a process that it was loaded into: the shim must
// start the wall clock where it is told, move it on every set without any right, log each set,
// leave the monotonic clock alone and refuse to set anything else. Run without the right to set
// the clock, so that a shim that failed to load makes the sets fail instead of moving the machine.

#include <sys/time.h>
#include <sys/timex.h>
#include <time.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kNanosPerSecond = 1'000'000'000;
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
    return static_cast<std::int64_t>(value.tv_sec) * kNanosPerSecond + value.tv_nsec;
}

std::int64_t SecondsFromEnv(const char* name) {
    const char* text = std::getenv(name);
    return text == nullptr ? -1 : std::atoll(text);
}

}  // namespace

int main() {
    const std::int64_t start = SecondsFromEnv("QUICKTOCK_SHIM_START");
    const char* logPath = std::getenv("QUICKTOCK_SHIM_LOG");
    if (start <= 0 || logPath == nullptr) {
        std::fprintf(stderr, "run with QUICKTOCK_SHIM_START and QUICKTOCK_SHIM_LOG set\n");
        return 2;
    }
    std::remove(logPath);

    // Nothing below may run unless the shim answers: without it the sets would reach the kernel.
    const std::int64_t startSeen = Now(CLOCK_REALTIME) / kNanosPerSecond;
    if (startSeen < start || startSeen > start + 5) {
        std::fprintf(stderr, "the shim is not loaded (clock reads %lld, expected about %lld)\n",
                     static_cast<long long>(startSeen), static_cast<long long>(start));
        return 2;
    }

    // Every way of reading the wall clock sees the same virtual time.
    Check(time(nullptr) - start <= 5, "time() follows the virtual clock");
    timeval tv{};
    gettimeofday(&tv, nullptr);
    Check(tv.tv_sec - start <= 5 && tv.tv_sec >= start, "gettimeofday follows the virtual clock");
    Check(Now(CLOCK_REALTIME_COARSE) / kNanosPerSecond - start <= 5,
          "the coarse wall clock follows the virtual clock");
    Check(Now(CLOCK_MONOTONIC) / kNanosPerSecond < start - 86400,
          "the monotonic clock is left alone");

    // A set moves the virtual clock, keeps running from there, and is logged.
    const std::int64_t target = (start + 3600) * kNanosPerSecond;
    const timespec targetSpec{static_cast<time_t>(start + 3600), 0};
    Check(clock_settime(CLOCK_REALTIME, &targetSpec) == 0, "clock_settime succeeds without right");
    const std::int64_t afterSet = Now(CLOCK_REALTIME);
    Check(afterSet >= target && afterSet < target + kNanosPerSecond / 2,
          "the clock reads the time that was set");
    const timeval back{static_cast<time_t>(start + 60), 500'000};
    Check(settimeofday(&back, nullptr) == 0, "settimeofday succeeds without right");
    Check(Now(CLOCK_REALTIME) / kNanosPerSecond == start + 60, "settimeofday moves the clock back");

    // Only the wall clock can be set, and the kernel's adjusting calls cannot move anything.
    errno = 0;
    Check(clock_settime(CLOCK_MONOTONIC, &targetSpec) == -1 && errno == EINVAL,
          "setting the monotonic clock is refused");
    const timespec badNanos{static_cast<time_t>(start), kNanosPerSecond};
    Check(clock_settime(CLOCK_REALTIME, &badNanos) == -1 && errno == EINVAL,
          "a nanosecond field out of range is refused");
    timex adjust{};
    adjust.modes = ADJ_OFFSET;
    adjust.offset = 1000;
    Check(adjtimex(&adjust) == -1 && errno == EPERM, "adjtimex cannot adjust");
    timex query{};
    Check(adjtimex(&query) >= 0, "adjtimex still reads");

    // Each successful set left one whole line: monotonic time, then the wall-clock time set.
    std::ifstream log(logPath);
    std::vector<std::pair<long long, long long>> lines;
    long long monotonic = 0;
    long long wall = 0;
    while (log >> monotonic >> wall) {
        lines.emplace_back(monotonic, wall);
    }
    Check(lines.size() == 2, "one log line per successful set");
    if (lines.size() >= 2) {
        Check(lines[0].second == target, "the log holds the time that was set");
        Check(lines[1].second == (start + 60) * kNanosPerSecond + 500'000'000,
              "settimeofday is logged with its microseconds");
        Check(lines[1].first >= lines[0].first, "log lines carry the monotonic time in order");
    }

    if (failures == 0) {
        std::puts("clock shim: all checks passed");
    }
    return failures == 0 ? 0 : 1;
}
