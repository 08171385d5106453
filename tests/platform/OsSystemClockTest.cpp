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
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }

    OsSystemClock clock;
};

// Mended fault: at 23:59:59.7 the reading already rounds to the next day's 00:00:00. Twelve
// hours back from it is 12:00 of the same day; taking the date from a fresh reading moved the
// clock twelve hours forward instead.
TEST_F(OsSystemClockTest, PlaybackJustBeforeMidnightSetsTheMovedDate) {
    const timespec late{Utc({2026, 12, 6, 22, 59, 59}), 700'000'000};  // 23:59:59.7 in Berlin
    ASSERT_EQ(clock_settime(CLOCK_REALTIME, &late), 0);
    RecordingEngineView view;
    view.playbackHour = "12";
    ClockEngine engine(clock, view, {});
    engine.Reset();
    engine.Playback();
    EXPECT_TRUE(view.failures.empty());
    EXPECT_EQ(ToCivil(clock.NowLocal()), (CivilTime{2026, 12, 6, 12, 0, 0}));
}

// Local times around both changes of daylight saving time: the one the spring change skips
// comes out an hour later, the one the autumn change repeats may be either. Setting the clock
// never moves the running seconds.
TEST_F(OsSystemClockTest, SetsAndReadsLocalTimeAcrossDaylightSavingChanges) {
    const struct {
        CivilTime set;
        CivilTime utc;
        int otherHour;  // in Greenwich, of the other reading of a repeated local time
        CivilTime read;
    } cases[] = {
        {{2026, 3, 29, 1, 59, 59}, {2026, 3, 29, 0, 59, 59}, -1, {2026, 3, 29, 1, 59, 59}},
        {{2026, 3, 29, 2, 30, 0}, {2026, 3, 29, 1, 30, 0}, -1, {2026, 3, 29, 3, 30, 0}},
        {{2026, 3, 29, 3, 0, 0}, {2026, 3, 29, 1, 0, 0}, -1, {2026, 3, 29, 3, 0, 0}},
        {{2026, 10, 25, 2, 30, 0}, {2026, 10, 25, 0, 30, 0}, 1, {2026, 10, 25, 2, 30, 0}},
        {{2026, 10, 25, 3, 0, 0}, {2026, 10, 25, 2, 0, 0}, -1, {2026, 10, 25, 3, 0, 0}},
    };
    const std::int64_t running = clock.RunningSeconds();
    for (const auto& [set, utc, otherHour, read] : cases) {
        clock.SetLocalDateTime(FromCivil(set));
        const std::time_t now = std::time(nullptr);
        const bool other = otherHour >= 0 && now == Utc({utc.year, utc.month, utc.day, otherHour,
                                                         utc.minute, utc.second});
        EXPECT_TRUE(now == Utc(utc) || other) << set.hour << ":" << set.minute;
        EXPECT_EQ(ToCivil(clock.NowLocal()), read) << set.hour << ":" << set.minute;
    }
    EXPECT_LE(clock.RunningSeconds() - running, 1);
}

}  // namespace
}  // namespace quicktock
