// A clock for one process, preloaded into the program under test (README.md beside this file
// names its variables): reads of the wall clock give the machine's real time plus an offset of
// the process's own, and every attempt to set the wall clock only changes that offset. A test that
// sets the clock first looks up quicktock_clock_shim_loaded, which only the shim exports. Qt runs
// several threads: the offset is atomic, the setup runs once. Monotonic and process clocks pass
// through untouched, since Qt's timers rely on them.

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

std::atomic<std::int64_t> virtualOffsetNs{0};
int (*realClockGettime)(clockid_t, timespec*) = nullptr;
char logPath[4096];
pthread_once_t setupOnce = PTHREAD_ONCE_INIT;

// Reads a kernel clock without coming back through this file's own clock_gettime.
std::int64_t RealNowNs(clockid_t clock, timespec* value = nullptr) {
    timespec now{};
    const int result = realClockGettime != nullptr
                           ? realClockGettime(clock, &now)
                           : static_cast<int>(syscall(SYS_clock_gettime, clock, &now));
    if (value != nullptr && result == 0) {
        *value = now;
    }
    return result != 0 ? -1 : static_cast<std::int64_t>(now.tv_sec) * kNanosPerSecond + now.tv_nsec;
}

void Setup() {
    realClockGettime =
        reinterpret_cast<int (*)(clockid_t, timespec*)>(dlsym(RTLD_NEXT, "clock_gettime"));
    if (const char* start = getenv("QUICKTOCK_SHIM_START"); start != nullptr && *start != '\0') {
        virtualOffsetNs.store(atoll(start) * kNanosPerSecond - RealNowNs(CLOCK_REALTIME));
    }
    if (const char* path = getenv("QUICKTOCK_SHIM_LOG"); path != nullptr) {
        snprintf(logPath, sizeof logPath, "%s", path);
    }
}

// One write() per line with O_APPEND, so lines from several threads never interleave.
int SetVirtualNow(std::int64_t virtualNs) {
    pthread_once(&setupOnce, Setup);
    virtualOffsetNs.store(virtualNs - RealNowNs(CLOCK_REALTIME));
    const int fd =
        logPath[0] == '\0' ? -1 : open(logPath, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) {
        char line[64];
        const int length = snprintf(line, sizeof line, "%lld %lld\n",
                                    static_cast<long long>(RealNowNs(CLOCK_MONOTONIC)),
                                    static_cast<long long>(virtualNs));
        [[maybe_unused]] const ssize_t written = write(fd, line, static_cast<size_t>(length));
        close(fd);
    }
    return 0;
}

}  // namespace

extern "C" {

int quicktock_clock_shim_loaded() {
    return 1;
}

int clock_gettime(clockid_t clock, timespec* value) {
    pthread_once(&setupOnce, Setup);
    const std::int64_t now = RealNowNs(clock, value);
    if (now < 0) {
        return -1;
    }
    if (clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE ||
        clock == CLOCK_REALTIME_ALARM || clock == CLOCK_TAI) {
        const std::int64_t shifted = now + virtualOffsetNs.load();  // never before 1970
        *value = timespec{static_cast<time_t>(shifted / kNanosPerSecond),
                          static_cast<long>(shifted % kNanosPerSecond)};
    }
    return 0;
}

int gettimeofday(timeval* value, void* zone) {
    if (zone != nullptr) {
        // The kernel's time zone is obsolete; report Greenwich like a modern system does.
        *static_cast<struct timezone*>(zone) = {};
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    *value = timeval{now.tv_sec, now.tv_nsec / 1000};
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
    if (clock != CLOCK_REALTIME || value->tv_nsec < 0 || value->tv_nsec >= kNanosPerSecond ||
        value->tv_sec < 0) {
        errno = EINVAL;
        return -1;
    }
    return SetVirtualNow(static_cast<std::int64_t>(value->tv_sec) * kNanosPerSecond +
                         value->tv_nsec);
}

int settimeofday(const timeval* value, const struct timezone* /*zone*/) {
    const timespec asSpec{value != nullptr ? value->tv_sec : 0,
                          value != nullptr ? value->tv_usec * 1000 : 0};
    return value == nullptr ? 0 : clock_settime(CLOCK_REALTIME, &asSpec);
}

// The kernel's clock-adjusting calls could also move the machine's clock: let them only read.
int clock_adjtime(clockid_t clock, struct timex* value) {
    if (value->modes != 0) {
        errno = EPERM;
        return -1;
    }
    return static_cast<int>(syscall(SYS_clock_adjtime, clock, value));
}

int adjtimex(struct timex* value) {
    return clock_adjtime(CLOCK_REALTIME, value);
}

int ntp_adjtime(struct timex* value) {
    return clock_adjtime(CLOCK_REALTIME, value);
}

}  // extern "C"
