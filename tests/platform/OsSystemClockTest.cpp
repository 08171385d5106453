#include "platform/OsSystemClock.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <time.h>

#include <cstdlib>

#include "engine/ClockEngine.h"
#include "tests/fakes/RecordingEngineView.h"

namespace quicktock {
namespace {

// Seconds since 1970 of a time of day in Greenwich.
std::time_t Utc(const CivilTime& time) {
    return ToLinearSeconds(FromCivil(time)) - ToLinearSeconds(FromCivil({1970, 1, 1, 0, 0, 0}));
}

// These tests set the clock. They run only where the clock shim is preloaded, which turns each
// set into a change of this process's own virtual clock; without it they set nothing.
class OsSystemClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dlsym(RTLD_DEFAULT, "quicktock_clock_shim_loaded"), nullptr)
            << "the clock shim is not preloaded: nothing is set";
    }

    static void StartAt(const char* zone, const timespec& utc) {
        setenv("TZ", zone, 1);
        tzset();
        ASSERT_EQ(clock_settime(CLOCK_REALTIME, &utc), 0);
    }

    OsSystemClock clock;
};

// Mended faults: at 23:59:59.7 the reading already rounds to the next day's 00:00:00, and twelve
// hours back from it is 12:00 of the same day; taking the date from a fresh reading moved the
// clock twelve hours forward instead. A second after New York's clock fell back to 01:00, the
// jump to 01:00:59 went to the daylight-time 01:00:59, an hour back, again and again.
TEST_F(OsSystemClockTest, CommandsSetTheInstantTheyMean) {
    const struct {
        const char* zone;
        timespec from;
        bool accelerate;  // one tick while accelerating, or else a playback of 12 hours
        std::time_t moves;
    } cases[] = {
        {"Europe/Berlin", {Utc({2026, 12, 6, 22, 59, 59}), 700'000'000}, false, -43199},
        {"America/New_York", {Utc({2026, 11, 1, 6, 0, 1}), 0}, true, 58},
    };
    for (const auto& [zone, from, accelerate, moves] : cases) {
        StartAt(zone, from);
        RecordingEngineView view;
        ClockEngine engine(clock, view, {});
        engine.Reset();
        if (accelerate) {
            engine.Accelerate();
            engine.Tick();
        } else {
            engine.Playback();
        }
        EXPECT_TRUE(view.failures.empty()) << zone;
        EXPECT_EQ(std::time(nullptr), from.tv_sec + moves) << zone;
    }
}

// Local times around the changes of daylight saving time, set from a clock standing at `from`
// (in Greenwich): the one the spring change skips is read an hour later; of the two instants of
// one the autumn change repeats, the one nearest to the present instant moved by the local
// difference (London falls back an hour, Lord Howe Island half an hour). Setting the clock never
// moves the running seconds.
TEST_F(OsSystemClockTest, SetsAndReadsLocalTimeAcrossDaylightSavingChanges) {
    const struct {
        const char* zone;
        CivilTime from;
        CivilTime set;
        std::time_t moves;
        std::time_t readLater;
    } cases[] = {
        {"Europe/Berlin", {2026, 3, 29, 0, 59, 0}, {2026, 3, 29, 1, 59, 59}, 59, 0},
        {"Europe/Berlin", {2026, 3, 29, 1, 29, 0}, {2026, 3, 29, 2, 30, 0}, 60, 3600},
        {"Europe/Berlin", {2026, 3, 29, 0, 59, 0}, {2026, 3, 29, 3, 0, 0}, 60, 0},
        {"Europe/London", {2026, 10, 25, 0, 30, 1}, {2026, 10, 25, 1, 30, 59}, 58, 0},
        {"Europe/London", {2026, 10, 25, 1, 0, 1}, {2026, 10, 25, 1, 0, 59}, 58, 0},
        {"Australia/Lord_Howe", {2026, 4, 4, 15, 0, 1}, {2026, 4, 5, 1, 30, 59}, 58, 0},
    };
    const std::int64_t running = clock.RunningSeconds();
    for (const auto& [zone, from, set, moves, readLater] : cases) {
        StartAt(zone, {Utc(from), 0});
        clock.SetLocalDateTime(FromCivil(set));
        EXPECT_EQ(std::time(nullptr), Utc(from) + moves) << zone << " " << set.hour;
        EXPECT_EQ(ToLinearSeconds(clock.NowLocal()) - ToLinearSeconds(FromCivil(set)), readLater)
            << zone << " " << set.hour;
    }
    EXPECT_LE(clock.RunningSeconds() - running, 1);
}

}  // namespace
}  // namespace quicktock
