// A clock for one process: preloaded into Quicktock under test, it answers the process's reads of
// the wall clock with the machine's real time plus an offset of its own, and turns every attempt
// to set the wall clock into a change of that offset. The machine's clock is never touched, so the
// tests need no right to set it and cannot move it by mistake.
//
//   QUICKTOCK_SHIM_START  optional: the wall-clock time, in whole seconds since 1970, at which the
//                         process's clock starts (so a test can begin just before a minute ends).
//   QUICKTOCK_SHIM_LOG    optional: a file to which each set of the clock appends one line,
//                         "<monotonic ns> <new wall-clock ns>", for the tests to count minutes.
//
// A test that sets the clock first looks up quicktock_clock_shim_loaded, which only the shim
// exports, and sets nothing when it is missing.
//
// Qt runs several threads, so the offset is an atomic and the one-time setup goes through
// pthread_once. The C library declares the time arguments as never null, and so do these.
// Monotonic and process clocks pass through untouched: Qt's timers rely on them.

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <sys/timex.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr std::int64_t kNanosPerSecond = 1'000'000'000;

using ClockGettimeFn = int (*)(clockid_t, timespec*);

std::atomic<std::int64_t> virtualOffsetNs{0};
ClockGettimeFn realClockGettime = nullptr;
char logPath[4096];
pthread_once_t setupOnce = PTHREAD_ONCE_INIT;

// Reads a kernel clock without coming back through this file's own clock_gettime.
int ReadRealClock(clockid_t clock, timespec* value) {
    if (realClockGettime != nullptr) {
        return realClockGettime(clock, value);
    }
    return static_cast<int>(syscall(SYS_clock_gettime, clock, value));
}

std::int64_t ToNanos(const timespec& value) {
    return static_cast<std::int64_t>(value.tv_sec) * kNanosPerSecond + value.tv_nsec;
}

timespec FromNanos(std::int64_t nanos) {
    std::int64_t seconds = nanos / kNanosPerSecond;
    std::int64_t rest = nanos % kNanosPerSecond;
    if (rest < 0) {
        rest += kNanosPerSecond;
        seconds -= 1;
    }
    return timespec{static_cast<time_t>(seconds), static_cast<long>(rest)};
}

std::int64_t RealNowNs(clockid_t clock) {
    timespec now{};
    ReadRealClock(clock, &now);
    return ToNanos(now);
}

void Setup() {
    realClockGettime = reinterpret_cast<ClockGettimeFn>(dlsym(RTLD_NEXT, "clock_gettime"));
    if (const char* start = getenv("QUICKTOCK_SHIM_START"); start != nullptr && *start != '\0') {
        char* end = nullptr;
        const long long seconds = strtoll(start, &end, 10);
        if (end != nullptr && *end == '\0') {
            virtualOffsetNs.store(seconds * kNanosPerSecond - RealNowNs(CLOCK_REALTIME));
        }
    }
    if (const char* path = getenv("QUICKTOCK_SHIM_LOG"); path != nullptr) {
        snprintf(logPath, sizeof logPath, "%s", path);
    }
}

void EnsureSetup() {
    pthread_once(&setupOnce, Setup);
}

bool FollowsWallClock(clockid_t clock) {
    return clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE ||
           clock == CLOCK_REALTIME_ALARM || clock == CLOCK_TAI;
}

// One write() per line with O_APPEND, so lines from several threads never interleave.
void LogSet(std::int64_t virtualNs) {
    if (logPath[0] == '\0') {
        return;
    }
    char line[64];
    const int length = snprintf(line, sizeof line, "%lld %lld\n",
                                static_cast<long long>(RealNowNs(CLOCK_MONOTONIC)),
                                static_cast<long long>(virtualNs));
    const int fd = open(logPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    const ssize_t written = write(fd, line, static_cast<size_t>(length));
    (void)written;
    close(fd);
}

int SetVirtualNow(std::int64_t virtualNs) {
    virtualOffsetNs.store(virtualNs - RealNowNs(CLOCK_REALTIME));
    LogSet(virtualNs);
    return 0;
}

}  // namespace

extern "C" {

int quicktock_clock_shim_loaded() {
    return 1;
}

int clock_gettime(clockid_t clock, timespec* value) {
    EnsureSetup();
    const int result = ReadRealClock(clock, value);
    if (result == 0 && FollowsWallClock(clock)) {
        *value = FromNanos(ToNanos(*value) + virtualOffsetNs.load());
    }
    return result;
}

int gettimeofday(timeval* value, void* zone) {
    EnsureSetup();
    if (zone != nullptr) {
        // The kernel's time zone is obsolete; report Greenwich like a modern system does.
        auto* tz = static_cast<struct timezone*>(zone);
        tz->tz_minuteswest = 0;
        tz->tz_dsttime = 0;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    value->tv_sec = now.tv_sec;
    value->tv_usec = now.tv_nsec / 1000;
    return 0;
}

time_t time(time_t* result) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (result != nullptr) {
        *result = now.tv_sec;
    }
    return now.tv_sec;
}

int clock_settime(clockid_t clock, const timespec* value) {
    EnsureSetup();
    if (clock != CLOCK_REALTIME || value->tv_nsec < 0 || value->tv_nsec >= kNanosPerSecond ||
        value->tv_sec < 0) {
        errno = EINVAL;
        return -1;
    }
    return SetVirtualNow(ToNanos(*value));
}

int settimeofday(const timeval* value, const struct timezone* /*zone*/) {
    EnsureSetup();
    if (value == nullptr) {
        return 0;
    }
    if (value->tv_usec < 0 || value->tv_usec >= 1'000'000 || value->tv_sec < 0) {
        errno = EINVAL;
        return -1;
    }
    return SetVirtualNow(static_cast<std::int64_t>(value->tv_sec) * kNanosPerSecond +
                         static_cast<std::int64_t>(value->tv_usec) * 1000);
}

// The kernel's clock-adjusting calls could also move the machine's clock: let them only read.
int adjtimex(struct timex* value) {
    if (value->modes != 0) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(syscall(SYS_adjtimex, value));
}

int ntp_adjtime(struct timex* value) {
    return adjtimex(value);
}

int clock_adjtime(clockid_t clock, struct timex* value) {
    if (value->modes != 0) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(syscall(SYS_clock_adjtime, clock, value));
}

}  // extern "C"
